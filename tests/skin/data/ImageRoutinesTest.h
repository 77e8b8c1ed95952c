#pragma once
// Small pictures for the image routine tests, written and read through rows.

#include "ui/Bitmap.h"
#include "ui/Color.h"

#include <functional>

namespace imagetest {

constexpr ui::Color Rgb(int r, int g, int b) {
    return ui::Color(r | (g << 8) | (b << 16));
}

constexpr ui::Color kKey = Rgb(255, 0, 255);
constexpr ui::Color kWhite = Rgb(255, 255, 255);
constexpr ui::Color kBlack = Rgb(0, 0, 0);
constexpr ui::Color kRed = Rgb(255, 0, 0);
constexpr ui::Color kGreen = Rgb(0, 255, 0);
constexpr ui::Color kBlue = Rgb(0, 0, 255);

inline void SetPixel(ui::Bitmap& bitmap, int x, int y, ui::Color colour) {
    uint8_t* pixel = bitmap.ScanLine(y) + size_t(x) * bitmap.BytesPerPixel();
    pixel[0] = uint8_t(colour >> 16);
    pixel[1] = uint8_t(colour >> 8);
    pixel[2] = uint8_t(colour);
    if (bitmap.BytesPerPixel() == 4) {
        pixel[3] = 0xFF;
    }
}

// A bitmap whose pixel (x, y) is colourAt(x, y).
inline ui::Bitmap MakeBitmap(int width, int height, const std::function<ui::Color(int, int)>& colourAt,
                             ui::PixelFormat format = ui::PixelFormat::Bit24) {
    ui::Bitmap bitmap(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetPixel(bitmap, x, y, colourAt(x, y));
        }
    }
    return bitmap;
}

inline ui::Bitmap Filled(int width, int height, ui::Color colour) {
    ui::Bitmap bitmap(width, height);
    bitmap.Fill(colour);
    return bitmap;
}

// A colour that names a position, for telling pixels apart after a copy.
constexpr ui::Color Mark(int x, int y) {
    return Rgb(10 + x * 9, 20 + y * 9, 77);
}

} // namespace imagetest
