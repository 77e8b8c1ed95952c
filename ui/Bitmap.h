#pragma once
// A device-independent bitmap (DIB section) with direct row access, so image
// routines read and write pixels without GetPixel/SetPixel.

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

    HBITMAP Handle() const { return bitmap_.get(); }

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
    // Takes over a new DIB section (or none), selecting it into the canvas DC
    // before the old one is deleted.
    void Adopt(UniqueBitmap bitmap, uint8_t* bits, int width, int height, PixelFormat format);
    void CopyPixelsFrom(const Bitmap& other);
    void ReleaseCanvas();

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    PixelFormat format_ = PixelFormat::Bit24;
    uint8_t* bits_ = nullptr;
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ dcPrevious_ = nullptr;
    std::unique_ptr<Canvas> canvas_;
};

} // namespace ui
