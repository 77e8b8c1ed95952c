#include "skin/data/PixelRoutines.h"

#include <cstring>

namespace skin {

namespace {

// A blank bitmap of the given size in the format of `like`.
ui::Bitmap SameFormat(const ui::Bitmap& like, int width, int height) {
    return ui::Bitmap(width, height, like.Format());
}

// Keeps the caller's transparency settings when a new picture is assigned.
void AssignPixels(ui::Bitmap& bitmap, ui::Bitmap&& pixels) {
    const bool transparent = bitmap.transparent;
    const ui::Color transparentColor = bitmap.transparentColor;
    bitmap = std::move(pixels);
    bitmap.transparent = transparent;
    bitmap.transparentColor = transparentColor;
}

// Moves every pixel (x, y) of `bitmap` to place(x, y) in a new bitmap of
// the given size.
template <class Place>
void Remap(ui::Bitmap& bitmap, int width, int height, Place place) {
    ui::Bitmap result = SameFormat(bitmap, width, height);
    const int step = bitmap.BytesPerPixel();
    // Rows of a top-down DIB follow each other at Stride() bytes.
    uint8_t* const target = result.ScanLine(0);
    const size_t stride = size_t(result.Stride());
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* pixel = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, pixel += step) {
            const POINT to = place(x, y);
            std::memcpy(target + size_t(to.y) * stride + size_t(to.x) * step, pixel, size_t(step));
        }
    }
    AssignPixels(bitmap, std::move(result));
}

} // namespace

void ReplaceKeyColour(ui::Bitmap& bitmap, ui::Color colour) {
    if (bitmap.Empty()) {
        return;
    }
    bitmap.SetFormat(ui::PixelFormat::Bit24);
    const COLORREF key = ui::ColorToRgb(kKeyColour);
    const COLORREF rgb = ui::ColorToRgb(colour);
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* pixel = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, pixel += 3) {
            if (pixel[0] == GetBValue(key) && pixel[1] == GetGValue(key) && pixel[2] == GetRValue(key)) {
                pixel[0] = GetBValue(rgb);
                pixel[1] = GetGValue(rgb);
                pixel[2] = GetRValue(rgb);
            }
        }
    }
}

void MirrorBitmap(ui::Bitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    const int width = bitmap.Width();
    Remap(bitmap, width, bitmap.Height(), [width](int x, int y) { return POINT{width - 1 - x, y}; });
}

void FlipBitmap(ui::Bitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    ui::Bitmap result = SameFormat(bitmap, bitmap.Width(), bitmap.Height());
    const int height = bitmap.Height();
    const size_t rowBytes = size_t(bitmap.Width()) * bitmap.BytesPerPixel();
    for (int y = 0; y < height; ++y) {
        std::memcpy(result.ScanLine(height - 1 - y), bitmap.ScanLine(y), rowBytes);
    }
    AssignPixels(bitmap, std::move(result));
}

void RotateLeft(ui::Bitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    const int oldWidth = bitmap.Width();
    Remap(bitmap, bitmap.Height(), oldWidth, [oldWidth](int x, int y) { return POINT{y, oldWidth - 1 - x}; });
}

void RotateRight(ui::Bitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    const int oldHeight = bitmap.Height();
    Remap(bitmap, oldHeight, bitmap.Width(), [oldHeight](int x, int y) { return POINT{oldHeight - 1 - y, x}; });
}

} // namespace skin
