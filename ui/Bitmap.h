#pragma once
// A device-independent bitmap (DIB section) with direct row access, so image
// routines read and write pixels without GetPixel/SetPixel. A picture made
// with InMemory keeps its pixels in process memory until it is first drawn or
// drawn on; only then does it become a DIB section.

#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Gdi.h"

#include <cstdint>
#include <memory>

namespace ui {

enum class PixelFormat { Bit24 = 24, Bit32 = 32 };

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, PixelFormat format = PixelFormat::Bit24);
    // The same picture without a GDI object until Handle or GetCanvas asks for
    // one (copies, SetSize and SetFormat keep it in memory): under Wine the
    // first write to each page of a new DIB section costs tens of
    // microseconds, plain memory next to nothing, and most pictures of a skin
    // are never drawn. Row pointers from ScanLine lapse when the DIB section is made.
    static Bitmap InMemory(int width, int height, PixelFormat format = PixelFormat::Bit24);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    PixelFormat Format() const { return format_; }

    // Reallocates; the new pixels are black (alpha 0 in 32 bits). A size of
    // zero in either direction empties the bitmap.
    void SetSize(int width, int height);
    // Converts the pixels: 24 to 32 bits makes them opaque (alpha 255), 32 to
    // 24 bits drops the alpha byte as it is.
    void SetFormat(PixelFormat format);
    // Releases the pixels; the bitmap becomes empty (the canvas stays usable).
    void Clear();

    // Rows are top-down: row 0 is the top of the picture. Pixels are B, G, R
    // (and A in 32 bits) bytes. Pending GDI drawing is flushed first; a row
    // outside the picture gives nullptr.
    uint8_t* ScanLine(int row);
    const uint8_t* ScanLine(int row) const;
    int Stride() const { return stride_; }
    int BytesPerPixel() const { return int(format_) / 8; }

    // The colour at (x, y) as a Color (red in the low byte); for tests and
    // one-off probes, not for loops over many pixels. Outside the picture it
    // is clNone.
    Color PixelAt(int x, int y) const;
    // Every pixel becomes this colour, opaque in 32 bits.
    void Fill(Color color);

    // Makes the DIB section of a picture still in memory; null for an empty
    // picture or when the system refuses one.
    HBITMAP Handle() const;
    // Whether the picture has its DIB section yet (an empty one has none).
    bool HasGdiObject() const { return bool(bitmap_); }

    // A memory DC with this bitmap selected, made on first use. It lives as
    // long as the bitmap and follows it through SetSize, SetFormat and copies
    // into this bitmap.
    Canvas& GetCanvas();

    // Copies another GDI bitmap (any format) into this one at its size.
    void AssignFromHandle(HBITMAP source, PixelFormat format = PixelFormat::Bit24);

    // Drawn with the transparent colour keyed out by Canvas::Draw.
    bool transparent = false;
    Color transparentColor = clFuchsia;

private:
    friend class Canvas;  // draws from the canvas DC when the bitmap sits in one

    void Allocate(int width, int height, PixelFormat format);
    void AllocateInMemory(int width, int height, PixelFormat format);
    // Allocates in memory when this picture is in memory, else a DIB section.
    void AllocateLikeThis(int width, int height, PixelFormat format);
    // Moves pixels kept in memory into a new DIB section.
    void MakeGdiObject() const;
    // Takes over a new DIB section (or none), selecting it into the canvas DC
    // before the old one is deleted.
    void Adopt(UniqueBitmap bitmap, uint8_t* bits, int width, int height, PixelFormat format);
    void CopyPixelsFrom(const Bitmap& other);
    void ReleaseCanvas();

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    PixelFormat format_ = PixelFormat::Bit24;
    // Into memory_ while the picture is in memory, else into the DIB section.
    mutable uint8_t* bits_ = nullptr;
    mutable std::unique_ptr<uint8_t[]> memory_;
    mutable UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ dcPrevious_ = nullptr;
    std::unique_ptr<Canvas> canvas_;
};

} // namespace ui
