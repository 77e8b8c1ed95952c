// Colour mixing, saturation, and gradient fills with their ramp cache,
// checked on values and on the pixels of filled bitmaps.

#include "skin/data/ImageRoutines.h"

#include "ImageRoutinesTest.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace imagetest;
using ui::Bitmap;
using ui::Color;

TEST(BlendColours, MixesByPercentBelowOneHundredAndPerMilleFromThere) {
    struct Case {
        Color colour1;
        Color colour2;
        int weight;
        Color expected;
    };
    const Case cases[] = {
        {kRed, kBlue, 50, Rgb(128, 0, 128)},                          // halves round up
        {kRed, kBlue, 250, Rgb(64, 0, 191)},                          // 25 % red
        {0x808080, kWhite, 150, Rgb(236, 236, 236)},                  // 15 % grey, 85 % white
        {kRed, kBlue, 0, kBlue},
        {kRed, kBlue, 99, Rgb(252, 0, 3)},
        {kRed, kBlue, 100, Rgb(26, 0, 230)},                          // 100 is 10 %, not 100 %
        {kRed, kBlue, 1000, kRed},
        {Rgb(10, 20, 30), Rgb(10, 20, 30), 37, Rgb(10, 20, 30)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skin::BlendColours(c.colour1, c.colour2, c.weight), c.expected)
            << std::hex << c.colour1 << " with " << c.colour2 << std::dec << " at " << c.weight;
    }
}

TEST(BlendColours, ResolvesSystemColoursAndStaysInRangeForOddWeights) {
    const Color face = Color(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(skin::BlendColours(ui::clBtnFace, ui::clBtnFace, 30), face);
    EXPECT_EQ(skin::BlendColours(ui::clBtnFace, kBlack, 1000), face);
    for (const int weight : {-500, 5000}) {
        const Color mixed = skin::BlendColours(kWhite, kBlack, weight);
        EXPECT_EQ(mixed & ~0xFFFFFF, 0) << weight;
    }
}

TEST(ColourSaturation, Is200ForDarkColoursAndRoundsHalvesToEven) {
    struct Case {
        const char* name;
        Color colour;
        int expected;
    };
    const Case cases[] = {
        {"pure red", kRed, 255},
        {"white", kWhite, 0},
        {"black", Rgb(0, 0, 0), 200},
        {"dark but saturated", Rgb(159, 0, 0), 200},
        {"one channel at 160", Rgb(160, 0, 0), 255},
        {"127.5 rounds to 128", Rgb(200, 100, 100), 128},
        {"4.5 rounds to 4", Rgb(170, 167, 167), 4},
        {"grey", Rgb(180, 180, 180), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skin::ColourSaturation(c.colour), c.expected) << c.name;
    }
    const Color face = Color(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(skin::ColourSaturation(ui::clBtnFace), skin::ColourSaturation(face));
}

TEST(GradientRamp, RunsFromTheFirstToTheLastColourBothWays) {
    skin::GradientRampCache cache;
    EXPECT_EQ(cache.Ramp(5, RGB(0, 0, 0), RGB(100, 0, 0)),
              (std::vector<COLORREF>{RGB(0, 0, 0), RGB(25, 0, 0), RGB(50, 0, 0), RGB(75, 0, 0), RGB(100, 0, 0)}));
    // A falling ramp meets its end colour exactly too.
    EXPECT_EQ(cache.Ramp(4, RGB(255, 0, 9), RGB(0, 255, 0)),
              (std::vector<COLORREF>{RGB(255, 0, 9), RGB(170, 85, 6), RGB(85, 170, 3), RGB(0, 255, 0)}));
    EXPECT_EQ(cache.Ramp(1, RGB(0, 0, 0), RGB(255, 255, 255)), (std::vector<COLORREF>{RGB(127, 127, 127)}));
    EXPECT_EQ(cache.Ramp(2, RGB(7, 8, 9), RGB(1, 2, 3)), (std::vector<COLORREF>{RGB(7, 8, 9), RGB(1, 2, 3)}));
}

TEST(GradientRamp, ReusesSlotsRoundRobinAfterSixteenRamps) {
    skin::GradientRampCache cache;
    const std::vector<COLORREF>* first = &cache.Ramp(10, RGB(0, 0, 0), RGB(90, 0, 0));
    EXPECT_EQ(cache.NextSlot(), 1);
    EXPECT_EQ(&cache.Ramp(10, RGB(0, 0, 0), RGB(90, 0, 0)), first);
    EXPECT_EQ(cache.NextSlot(), 1) << "a cached ramp takes no new slot";

    std::set<const std::vector<COLORREF>*> slots{first};
    for (int i = 1; i < skin::GradientRampCache::kSlots; ++i) {
        slots.insert(&cache.Ramp(10 + i, RGB(0, 0, 0), RGB(90, 0, 0)));
    }
    EXPECT_EQ(slots.size(), size_t(skin::GradientRampCache::kSlots));
    EXPECT_EQ(cache.NextSlot(), 0) << "the counter wraps after slot 15";
    EXPECT_EQ(&cache.Ramp(10, RGB(0, 0, 0), RGB(90, 0, 0)), first) << "still held after 15 more";

    // The seventeenth new ramp takes slot 0 back; the first must be recomputed.
    const std::vector<COLORREF>* replaced = &cache.Ramp(3, RGB(1, 1, 1), RGB(2, 2, 2));
    EXPECT_EQ(replaced, first);
    EXPECT_EQ(cache.NextSlot(), 1);
    const std::vector<COLORREF>& again = cache.Ramp(10, RGB(0, 0, 0), RGB(90, 0, 0));
    EXPECT_EQ(cache.NextSlot(), 2);
    EXPECT_EQ(again.size(), 10u);
    EXPECT_EQ(again.back(), RGB(90, 0, 0));
}

TEST(GradientFill, PaintsEveryRowOrColumnFromStartToEnd) {
    for (const bool vertical : {true, false}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        Bitmap target = Filled(14, 14, kWhite);
        const RECT rect{2, 3, 12, 8};  // 10 wide, 5 high
        skin::GradientFill(target.GetCanvas().Handle(), rect, Rgb(0, 40, 200), vertical, Rgb(200, 40, 0));
        const int n = vertical ? 5 : 10;
        const std::vector<COLORREF>& ramp =
            skin::SharedGradientCache().Ramp(n, RGB(0, 40, 200), RGB(200, 40, 0));
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const int i = vertical ? y - rect.top : x - rect.left;
                ASSERT_EQ(target.PixelAt(x, y), Color(ramp[size_t(i)])) << "at " << x << "," << y;
            }
        }
        EXPECT_EQ(target.PixelAt(rect.left, rect.top), Rgb(0, 40, 200));
        EXPECT_EQ(target.PixelAt(rect.right - 1, rect.bottom - 1), Rgb(200, 40, 0));
        EXPECT_EQ(target.PixelAt(rect.left - 1, rect.top), kWhite);
        EXPECT_EQ(target.PixelAt(rect.left, rect.bottom), kWhite);
    }
}

TEST(GradientFill, UsesTheMidpointForOneRowAndResolvesSystemColours) {
    Bitmap target = Filled(4, 3, kWhite);
    skin::GradientFill(target.GetCanvas().Handle(), {0, 1, 4, 2}, kRed, true, kBlue);
    EXPECT_EQ(target.PixelAt(2, 1), Rgb(128, 0, 127));
    EXPECT_EQ(target.PixelAt(2, 0), kWhite);

    skin::GradientFill(target.GetCanvas().Handle(), {0, 0, 4, 3}, ui::clBtnFace, true, ui::clBtnFace);
    EXPECT_EQ(target.PixelAt(3, 2), Color(GetSysColor(COLOR_BTNFACE)));
}

TEST(GradientFill, PaintsOnlyInsideTheClipBox) {
    Bitmap target = Filled(10, 10, kWhite);
    const HDC dc = target.GetCanvas().Handle();
    {
        const ui::SavedDcState saved(dc);
        IntersectClipRect(dc, 0, 4, 10, 6);
        skin::GradientFill(dc, {0, 0, 10, 10}, kRed, true, kBlue);
    }
    const std::vector<COLORREF>& ramp = skin::SharedGradientCache().Ramp(10, ui::ColorToRgb(kRed),
                                                                          ui::ColorToRgb(kBlue));
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(target.PixelAt(5, y), y == 4 || y == 5 ? Color(ramp[size_t(y)]) : kWhite) << "row " << y;
    }
}

TEST(GradientFill, ARampFarLongerThanTheTargetPaintsItsVisibleEnds) {
    // A rectangle a billion rows high, seen through a 4 x 6 target: the rows
    // shown are computed alone, and each end of the ramp keeps its colour.
    constexpr LONG kTall = LONG(1) << 30;
    const struct {
        const char* name;
        RECT rect;
        int row;
        Color expected;
    } cases[] = {
        {"its first row", {0, 0, 4, kTall}, 0, kRed},
        {"its last row", {0, 6 - kTall, 4, 6}, 5, kBlue},
        {"its middle row", {0, 3 - kTall / 2, 4, 3 + kTall / 2}, 3, Rgb(127, 0, 128)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap target = Filled(4, 6, kWhite);
        skin::GradientFill(target.GetCanvas().Handle(), c.rect, kRed, true, kBlue);
        EXPECT_EQ(target.PixelAt(2, c.row), c.expected);
        for (int y = 0; y < 6; ++y) {
            EXPECT_NE(target.PixelAt(1, y), kWhite) << "row " << y;
        }
    }
}

TEST(GradientFill, DoesNothingForEmptyOrInvisibleRectangles) {
    Bitmap target = Filled(6, 6, kWhite);
    const HDC dc = target.GetCanvas().Handle();
    skin::GradientFill(dc, {2, 2, 2, 5}, kRed, false, kBlue);
    skin::GradientFill(dc, {4, 4, 1, 1}, kRed, true, kBlue);
    skin::GradientFill(dc, {20, 20, 30, 30}, kRed, true, kBlue);
    skin::GradientFill(nullptr, {0, 0, 6, 6}, kRed, true, kBlue);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(target.PixelAt(x, y), kWhite);
        }
    }
}

// The picture made in memory holds exactly what GradientFill paints over a
// DIB section of the same size, for rising and falling ramps in both
// directions, the one-pixel midpoint and system colours.
TEST(GradientPicture, MatchesGradientFillPixelForPixelWithoutAGdiObject) {
    const struct {
        int width, height;
        Color start, end;
        bool vertical;
    } cases[] = {
        {10, 40, Rgb(247, 247, 247), Rgb(140, 140, 255), true},  // the tool-bar gradient's shape
        {10, 40, Rgb(140, 140, 255), Rgb(247, 247, 247), true},
        {33, 5, Rgb(0, 40, 200), Rgb(200, 40, 0), false},
        {3, 7, kRed, kBlue, false},
        {5, 1, kRed, kBlue, true},  // one row: the midpoint
        {1, 1, kRed, kBlue, false},
        {6, 300, ui::clBtnFace, kWhite, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (c.vertical ? " vertical" : " horizontal"));
        const Bitmap picture = skin::GradientPicture(c.width, c.height, c.start, c.vertical, c.end);
        ASSERT_EQ(picture.Width(), c.width);
        ASSERT_EQ(picture.Height(), c.height);
        EXPECT_EQ(picture.Format(), ui::PixelFormat::Bit24);
        EXPECT_FALSE(picture.HasGdiObject());
        Bitmap painted = Filled(c.width, c.height, kWhite);
        skin::GradientFill(painted.GetCanvas().Handle(), {0, 0, c.width, c.height}, c.start, c.vertical, c.end);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                ASSERT_EQ(picture.PixelAt(x, y), painted.PixelAt(x, y)) << "at " << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(skin::GradientPicture(0, 5, kRed, true, kBlue).Empty());
    EXPECT_TRUE(skin::GradientPicture(5, -1, kRed, false, kBlue).Empty());
}

} // namespace
