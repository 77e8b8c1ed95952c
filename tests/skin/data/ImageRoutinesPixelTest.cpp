// Pixel transforms on small asymmetric pictures: every pixel must land where
// the transform says, in 24 and 32 bits, and key-colour replacement must
// touch exactly the key colour.

#include "skin/data/ImageRoutines.h"

#include "ImageRoutinesTest.h"

#include <gtest/gtest.h>

namespace {

using namespace imagetest;
using ui::Bitmap;
using ui::PixelFormat;

struct Transform {
    const char* name;
    void (*apply)(Bitmap&);
    bool swapsSides;
    // Where the old pixel (x, y) of a width x height picture lands.
    POINT (*place)(int x, int y, int width, int height);
};

const Transform kTransforms[] = {
    {"mirror", skin::MirrorBitmap, false, [](int x, int y, int w, int) { return POINT{w - 1 - x, y}; }},
    {"flip", skin::FlipBitmap, false, [](int x, int y, int, int h) { return POINT{x, h - 1 - y}; }},
    {"rotate left", skin::RotateLeft, true, [](int x, int y, int w, int) { return POINT{y, w - 1 - x}; }},
    {"rotate right", skin::RotateRight, true, [](int x, int y, int, int h) { return POINT{h - 1 - y, x}; }},
};

TEST(PixelTransforms, MoveEveryPixelOfAnAsymmetricPicture) {
    for (const PixelFormat format : {PixelFormat::Bit24, PixelFormat::Bit32}) {
        for (const Transform& t : kTransforms) {
            SCOPED_TRACE(std::string(t.name) + (format == PixelFormat::Bit24 ? ", 24 bits" : ", 32 bits"));
            const int width = 4;
            const int height = 3;
            Bitmap picture = MakeBitmap(width, height, Mark, format);
            picture.transparent = true;
            const ui::Canvas* canvas = &picture.GetCanvas();
            t.apply(picture);
            ASSERT_EQ(picture.Width(), t.swapsSides ? height : width);
            ASSERT_EQ(picture.Height(), t.swapsSides ? width : height);
            EXPECT_EQ(picture.Format(), format);
            EXPECT_TRUE(picture.transparent);
            EXPECT_EQ(&picture.GetCanvas(), canvas);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const POINT to = t.place(x, y, width, height);
                    EXPECT_EQ(picture.PixelAt(to.x, to.y), Mark(x, y)) << "old pixel " << x << "," << y;
                }
            }
        }
    }
}

TEST(PixelTransforms, TheCanvasDrawsOnTheNewPixels) {
    for (const Transform& t : kTransforms) {
        SCOPED_TRACE(t.name);
        Bitmap picture = MakeBitmap(4, 3, Mark);
        const HDC dc = picture.GetCanvas().Handle();
        t.apply(picture);
        const RECT corner{0, 0, 1, 1};
        const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRgb(kGreen)));
        FillRect(picture.GetCanvas().Handle(), &corner, brush.get());
        EXPECT_EQ(picture.GetCanvas().Handle(), dc);
        EXPECT_EQ(picture.PixelAt(0, 0), kGreen);
    }
}

TEST(PixelTransforms, RotatingLeftThenRightRestoresThePicture) {
    Bitmap picture = MakeBitmap(5, 3, Mark);
    skin::RotateLeft(picture);
    skin::RotateRight(picture);
    ASSERT_EQ(picture.Width(), 5);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(picture.PixelAt(x, y), Mark(x, y));
        }
    }
}

TEST(PixelTransforms, LeaveAnEmptyBitmapEmpty) {
    for (const Transform& t : kTransforms) {
        Bitmap empty;
        t.apply(empty);
        EXPECT_TRUE(empty.Empty()) << t.name;
    }
    Bitmap empty;
    skin::ReplaceKeyColour(empty, kRed);
    EXPECT_TRUE(empty.Empty());
}

TEST(ReplaceKeyColour, ReplacesExactlyTheKeyAndLeavesTwentyFourBits) {
    const ui::Color nearKey[] = {Rgb(255, 1, 255), Rgb(254, 0, 255), Rgb(255, 0, 254)};
    Bitmap picture = MakeBitmap(
        4, 2, [&](int x, int y) { return y == 0 ? (x % 2 == 0 ? kKey : Mark(x, y)) : x < 3 ? nearKey[x] : kKey; },
        PixelFormat::Bit32);
    skin::ReplaceKeyColour(picture, kGreen);
    EXPECT_EQ(picture.Format(), PixelFormat::Bit24);
    EXPECT_EQ(picture.PixelAt(0, 0), kGreen);
    EXPECT_EQ(picture.PixelAt(1, 0), Mark(1, 0));
    EXPECT_EQ(picture.PixelAt(2, 0), kGreen);
    EXPECT_EQ(picture.PixelAt(3, 0), Mark(3, 0));
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(picture.PixelAt(x, 1), nearKey[x]) << "near-key colour " << x;
    }
    EXPECT_EQ(picture.PixelAt(3, 1), kGreen);
}

TEST(ReplaceKeyColour, ResolvesASystemColour) {
    Bitmap picture = Filled(2, 2, kKey);
    skin::ReplaceKeyColour(picture, ui::clBtnFace);
    EXPECT_EQ(picture.PixelAt(1, 1), ui::Color(GetSysColor(COLOR_BTNFACE)));
}

} // namespace
