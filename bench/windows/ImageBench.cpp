// Times the image routines painters run at every frame paint or resize:
// nine-grid frames at window size, keyed and opaque copies, gradients, and
// window regions from frame pictures. Prints the median and mean per call.
//
//   image_bench [repetitions]

#include "Measure.h"
#include "skin/data/ImageRoutines.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr ui::Color kKey = skin::kKeyColour;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

constexpr bench::TimeUnit kUnit = bench::TimeUnit::Microseconds;

void SetPixel(ui::Bitmap& bitmap, int x, int y, ui::Color colour) {
    uint8_t* pixel = bitmap.ScanLine(y) + size_t(x) * bitmap.BytesPerPixel();
    pixel[0] = uint8_t(colour >> 16);
    pixel[1] = uint8_t(colour >> 8);
    pixel[2] = uint8_t(colour);
}

// A frame piece as skins carry it: two 64 x 64 state cells side by side, a
// shaded border with key-coloured rounded corners and a textured centre.
ui::Bitmap FramePiece() {
    ui::Bitmap strip(128, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x) {
            const int cx = x % 64;
            const int dx = std::min(cx, 63 - cx);
            const int dy = std::min(y, 63 - y);
            const bool corner = dx < 6 && dy < 6 && (5 - dx) * (5 - dx) + (5 - dy) * (5 - dy) > 25;
            const int shade = 120 + std::min(dx, dy) * 2 + (x + y) % 7;
            SetPixel(strip, x, y, corner ? kKey : ui::Color(shade | (shade << 8) | ((shade + 30) << 16)));
        }
    }
    return strip;
}

// A window-sized frame picture with rounded corners of radius 10; with
// `hollow` the client area is key colour too, as a border-only picture.
ui::Bitmap RoundedFrame(bool hollow) {
    ui::Bitmap frame(kWidth, kHeight);
    frame.Fill(0x00C08040);
    const int r = 10;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int cx = x < r ? r - 1 - x : x >= kWidth - r ? x - (kWidth - r) : -1;
            const int cy = y < r ? r - 1 - y : y >= kHeight - r ? y - (kHeight - r) : -1;
            const bool corner = cx >= 0 && cy >= 0 && cx * cx + cy * cy >= r * r;
            const bool client = hollow && x >= 8 && x < kWidth - 8 && y >= 30 && y < kHeight - 8;
            if (corner || client) {
                SetPixel(frame, x, y, kKey);
            }
        }
    }
    return frame;
}

// A dithered mask, every other pixel key colour: the worst case of one
// rectangle per pixel.
ui::Bitmap Dithered(int width, int height) {
    ui::Bitmap mask(width, height);
    mask.Fill(0x00C08040);
    for (int y = 0; y < height; ++y) {
        for (int x = (y & 1); x < width; x += 2) {
            SetPixel(mask, x, y, kKey);
        }
    }
    return mask;
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const ui::Bitmap piece = FramePiece();
    const RECT window{0, 0, kWidth, kHeight};
    const RECT margins{16, 16, 16, 16};
    ui::Bitmap target(kWidth, kHeight);
    const HDC dc = target.GetCanvas().Handle();

    std::printf("Image routines, %d x %d\n", kWidth, kHeight);
    bench::Measure("BuildNineGrid, centre stretched", repetitions, kUnit,
                   [&] { skin::BuildNineGrid(window, piece, margins, false, false, 2, 1); });
    bench::Measure("BuildNineGrid, centre tiled", repetitions, kUnit,
                   [&] { skin::BuildNineGrid(window, piece, margins, false, true, 2, 2); });
    bench::Measure("DrawSkinFrame, opaque", repetitions, kUnit,
                   [&] { skin::DrawSkinFrame(dc, window, piece, false, false, false, 2, 1, margins); });
    bench::Measure("DrawSkinFrame, transparent, onto a DIB", repetitions, kUnit,
                   [&] { skin::DrawSkinFrame(dc, window, piece, false, false, true, 2, 1, margins); });
    const ui::Bitmap frame = skin::BuildNineGrid(window, piece, margins, false, false, 2, 1);
    {
        // A device bitmap has no rows to write: GDI's masked copy.
        const ui::WindowDc screen(nullptr);
        const ui::UniqueBitmap device(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
        const ui::UniqueMemoryDc deviceDc(CreateCompatibleDC(screen.get()));
        const ui::SelectObjectScope selection(deviceDc.get(), device.get());
        bench::Measure("DrawTransparent, onto a device bitmap", repetitions, kUnit,
                       [&] { skin::DrawTransparent(deviceDc.get(), window, frame); });
    }
    bench::Measure("GradientFill, vertical, cached ramp", repetitions, kUnit,
                   [&] { skin::GradientFill(dc, window, 0x00FFEEDD, true, 0x00402010); });

    const ui::Bitmap solid = RoundedFrame(false);
    const ui::Bitmap hollow = RoundedFrame(true);
    bench::Measure("CreateRegionFromBitmap, rounded corners", repetitions, kUnit,
                   [&] { skin::CreateRegionFromBitmap(solid, 0, 0, 1, 1, 1, kKey); });
    bench::Measure("CreateRegionFromBitmap, rounded border only", repetitions, kUnit,
                   [&] { skin::CreateRegionFromBitmap(hollow, 0, 0, 1, 1, 1, kKey); });
    const ui::Bitmap dithered = Dithered(320, 240);
    bench::Measure("CreateRegionFromBitmap, dithered 320 x 240", std::max(1, repetitions / 20), kUnit,
                   [&] { skin::CreateRegionFromBitmap(dithered, 0, 0, 1, 1, 1, kKey); });
    return 0;
}
