// No routine may leave GDI objects behind: each is run many times between
// two counts of the process's live GDI objects. Results the caller owns are
// checked gone once their owner is.

#include "skin/data/ImageRoutines.h"

#include "ImageRoutinesTest.h"
#include "tests/support/GdiObjects.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace imagetest;
using ui::Bitmap;

using testsupport::LiveGdiObjects;

TEST(GdiHandles, TheCountSeesAnObjectThatIsNotFreed) {
    // Without this the other tests here could pass by counting nothing.
    const int before = LiveGdiObjects();
    const ui::UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(LiveGdiObjects(), before + 1);
}

TEST(GdiHandles, NoRoutineLeavesObjectsBehind) {
    const Bitmap strip = MakeBitmap(24, 12, [](int x, int y) { return (x + y) % 5 == 0 ? kKey : Mark(x, y); });
    Bitmap target = Filled(64, 48, kWhite);
    const HDC dc = target.GetCanvas().Handle();
    Bitmap picture = MakeBitmap(6, 5, Mark);
    const RECT margins{3, 3, 3, 3};
    // Every other pixel opaque: some 800 rectangles, many batches to merge.
    const Bitmap dots = MakeBitmap(40, 40, [](int x, int y) { return (x + y) % 2 == 0 ? kRed : kKey; });
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"BuildNineGrid tiled", [&] { skin::BuildNineGrid({0, 0, 40, 30}, strip, margins, false, true, 2, 1); }},
        {"DrawSkinFrame transparent",
         [&] { skin::DrawSkinFrame(dc, {1, 1, 40, 30}, strip, false, false, true, 2, 2, margins); }},
        {"DrawThreePart transparent", [&] { skin::DrawThreePart(dc, {0, 0, 50, 9}, strip, true, true, 3, 2, margins); }},
        {"DrawStateFrame transparent", [&] { skin::DrawStateFrame(dc, {2, 2, 30, 30}, strip, true, 2, 1); }},
        {"DrawCentredFrame transparent", [&] { skin::DrawCentredFrame(dc, {0, 0, 5, 5}, strip, true, 2, 1); }},
        {"StretchWithEnds", [&] { skin::StretchWithEnds(dc, {0, 0, 60, 20}, strip, false, 2, 1, margins); }},
        {"TileBitmap", [&] { skin::TileBitmap(dc, {0, 0, 60, 40}, strip, {2, 2, 5, 5}); }},
        {"DrawTransparent", [&] { skin::DrawTransparent(dc, {0, 0, 24, 12}, strip); }},
        {"CreateRegionFromBitmap", [&] { skin::CreateRegionFromBitmap(strip, 0, 0, 1, 1, 1); }},
        {"CreateRegionFromBitmap, batches merged", [&] { skin::CreateRegionFromBitmap(dots, 0, 0, 1, 1, 1); }},
        {"GradientFill", [&] { skin::GradientFill(dc, {0, 0, 64, 48}, kRed, true, kBlue); }},
        {"GradientFill, longer than the cache holds",
         [&] { skin::GradientFill(dc, {0, 0, 64, 1 << 20}, kRed, true, kBlue); }},
        {"pixel transforms",
         [&] {
             skin::MirrorBitmap(picture);
             skin::FlipBitmap(picture);
             skin::RotateLeft(picture);
             skin::RotateRight(picture);
             skin::ReplaceKeyColour(picture, kGreen);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.run();  // first use makes the source's canvas DC, kept with it
        const int before = LiveGdiObjects();
        for (int i = 0; i < 20; ++i) {
            c.run();
        }
        EXPECT_EQ(LiveGdiObjects(), before);
    }
}

TEST(GdiHandles, ANineGridBitmapGoesWithItsOwner) {
    const Bitmap strip = Filled(8, 8, kRed);
    HGDIOBJ handle = nullptr;
    {
        Bitmap frame = skin::BuildNineGrid({0, 0, 20, 20}, strip, {2, 2, 2, 2}, false, false, 1, 1);
        frame.GetCanvas();
        handle = frame.Handle();
        ASSERT_EQ(GetObjectType(handle), DWORD(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}

} // namespace
