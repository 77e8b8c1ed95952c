// Window regions from bitmaps: probed pixel by pixel with PtInRegion, for a
// rounded-corner frame, the key tolerances, batches of many rectangles, and
// pictures with nothing outside the key.

#include "skin/data/ImageRoutines.h"

#include "ImageRoutinesTest.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

using namespace imagetest;
using ui::Bitmap;

// Every pixel is in the region exactly when opaque(x, y) holds.
void ExpectRegionCovers(HRGN region, const Bitmap& picture, int dx, int dy,
                        const std::function<bool(int, int)>& opaque) {
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            ASSERT_EQ(PtInRegion(region, x + dx, y + dy) != FALSE, opaque(x, y)) << "at " << x << "," << y;
        }
    }
}

// Outside a circle of radius r in each corner of a width x height frame.
bool InRoundedCorner(int x, int y, int width, int height, int r) {
    const int cx = x < r ? r - 1 - x : x >= width - r ? x - (width - r) : -1;
    const int cy = y < r ? r - 1 - y : y >= height - r ? y - (height - r) : -1;
    return cx >= 0 && cy >= 0 && cx * cx + cy * cy >= r * r;
}

TEST(RegionFromBitmap, FollowsRoundedCornersAtTheGivenOffset) {
    for (const ui::PixelFormat format : {ui::PixelFormat::Bit24, ui::PixelFormat::Bit32}) {
        SCOPED_TRACE(format == ui::PixelFormat::Bit24 ? "24 bits" : "32 bits");
        const Bitmap frame = MakeBitmap(
            40, 30, [](int x, int y) { return InRoundedCorner(x, y, 40, 30, 6) ? kKey : Mark(x % 20, y % 20); },
            format);
        const ui::UniqueRegion region = skin::CreateRegionFromBitmap(frame, 7, -3, 1, 1, 1, kKey);
        ASSERT_TRUE(region);
        ExpectRegionCovers(region.get(), frame, 7, -3, [](int x, int y) { return !InRoundedCorner(x, y, 40, 30, 6); });
        EXPECT_FALSE(PtInRegion(region.get(), 7, -3));
        EXPECT_TRUE(PtInRegion(region.get(), 7 + 20, -3));
        RECT box{};
        EXPECT_EQ(GetRgnBox(region.get(), &box), COMPLEXREGION);
        EXPECT_EQ(box.left, 7);
        EXPECT_EQ(box.top, -3);
        EXPECT_EQ(box.right, 47);
        EXPECT_EQ(box.bottom, 27);
    }
}

TEST(RegionFromBitmap, CountsColoursWithinTheTolerancesAsKey) {
    // Tolerances reach upwards from the key's channels, capped at 255.
    struct Case {
        ui::Color pixel;
        bool opaque;
    };
    const Case cases[] = {
        {Rgb(255, 0, 255), false}, {Rgb(255, 1, 255), false}, {Rgb(254, 0, 255), true},
        {Rgb(255, 2, 255), true},  {Rgb(255, 0, 254), true},  {Rgb(255, 1, 254), true},
    };
    const int count = int(std::size(cases));
    const Bitmap row = MakeBitmap(count, 1, [&](int x, int) { return cases[x].pixel; });
    const ui::UniqueRegion region = skin::CreateRegionFromBitmap(row, 0, 0, 1, 1, 1, kKey);
    ExpectRegionCovers(region.get(), row, 0, 0, [&](int x, int) { return cases[x].opaque; });

    // With no tolerance only the key itself is transparent; with a negative
    // one nothing is; a huge one reaches 255 and no further.
    const ui::UniqueRegion exact = skin::CreateRegionFromBitmap(row, 0, 0, 0, 0, 0, kKey);
    ExpectRegionCovers(exact.get(), row, 0, 0, [&](int x, int) { return x != 0; });
    const ui::UniqueRegion none = skin::CreateRegionFromBitmap(row, 0, 0, -1, -1, -1, kKey);
    ExpectRegionCovers(none.get(), row, 0, 0, [](int, int) { return true; });
    const ui::UniqueRegion wide = skin::CreateRegionFromBitmap(row, 0, 0, INT_MAX, INT_MAX, INT_MAX, kKey);
    ExpectRegionCovers(wide.get(), row, 0, 0, [&](int x, int) {
        const ui::Color c = cases[x].pixel;
        return (c & 0xFF) != 255 || ((c >> 16) & 0xFF) != 255;  // green may be anything
    });
}

TEST(RegionFromBitmap, JoinsManyBatchesOfRectangles) {
    // Every other pixel opaque: 60 runs a row, 7,200 rectangles in all.
    const Bitmap dots = MakeBitmap(120, 120, [](int x, int y) { return (x + y) % 2 == 0 ? kRed : kKey; });
    const ui::UniqueRegion region = skin::CreateRegionFromBitmap(dots, 0, 0, 1, 1, 1, kKey);
    ASSERT_TRUE(region);
    ExpectRegionCovers(region.get(), dots, 0, 0, [](int x, int y) { return (x + y) % 2 == 0; });
}

TEST(RegionFromBitmap, IsEmptyButValidWhenNothingIsOpaque) {
    struct Case {
        const char* name;
        Bitmap picture;
    };
    Case cases[] = {
        {"all key colour", Filled(16, 9, kKey)},
        {"all within the tolerance", Filled(16, 9, Rgb(255, 1, 255))},
        {"empty bitmap", Bitmap()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ui::UniqueRegion region = skin::CreateRegionFromBitmap(c.picture, 0, 0, 1, 1, 1, kKey);
        ASSERT_TRUE(region);
        RECT box{};
        EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
    }
}

TEST(RegionFromBitmap, LeavesThePictureAndItsFormatAlone) {
    const Bitmap picture = MakeBitmap(4, 4, Mark);
    const ui::UniqueRegion region = skin::CreateRegionFromBitmap(picture, 0, 0, 1, 1, 1, kKey);
    EXPECT_EQ(picture.Format(), ui::PixelFormat::Bit24);
    EXPECT_EQ(picture.PixelAt(3, 3), Mark(3, 3));
}

TEST(RegionFromBitmap, TheCallerOwnsTheRegion) {
    ui::UniqueRegion region = skin::CreateRegionFromBitmap(Filled(3, 3, kRed), 0, 0, 1, 1, 1, kKey);
    const HGDIOBJ handle = region.get();
    EXPECT_EQ(GetObjectType(handle), DWORD(OBJ_REGION));
    region.reset();
    EXPECT_EQ(GetObjectType(handle), 0u);
}

} // namespace
