#include "skin/data/PixelRoutines.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace skin {

namespace {

// Writes every pixel (x, y) of the picture to place(x, y) in the same
// bitmap resized to width x height. The bitmap object, its canvas and DC and
// its transparency settings stay; only the pixels are new.
template <class Place>
void Remap(ui::Bitmap& bitmap, int width, int height, Place place) {
    const ui::Bitmap old = bitmap;
    bitmap.SetSize(width, height);
    const int step = old.BytesPerPixel();
    // Rows of a top-down DIB follow each other at Stride() bytes.
    uint8_t* const target = bitmap.ScanLine(0);
    const size_t stride = size_t(bitmap.Stride());
    for (int y = 0; y < old.Height(); ++y) {
        const uint8_t* pixel = old.ScanLine(y);
        for (int x = 0; x < old.Width(); ++x, pixel += step) {
            const POINT to = place(x, y);
            std::memcpy(target + size_t(to.y) * stride + size_t(to.x) * step, pixel, size_t(step));
        }
    }
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
    const int step = bitmap.BytesPerPixel();
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* left = bitmap.ScanLine(y);
        uint8_t* right = left + size_t(bitmap.Width() - 1) * step;
        for (; left < right; left += step, right -= step) {
            std::swap_ranges(left, left + step, right);
        }
    }
}

void FlipBitmap(ui::Bitmap& bitmap) {
    const size_t rowBytes = size_t(bitmap.Width()) * bitmap.BytesPerPixel();
    std::vector<uint8_t> spare(rowBytes);
    for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom) {
        uint8_t* upper = bitmap.ScanLine(top);
        uint8_t* lower = bitmap.ScanLine(bottom);
        std::memcpy(spare.data(), upper, rowBytes);
        std::memcpy(upper, lower, rowBytes);
        std::memcpy(lower, spare.data(), rowBytes);
    }
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
