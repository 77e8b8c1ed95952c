// The arithmetic and the picture of a skinned scroll bar, case by case: hit
// testing, the dragged thumb, a scroll-bar control's thumb, the drop-down
// list's dragged position, and what the composed bar shows at its edges.

#include "skin/controls/ScrollBarDrawing.h"
#include "skin/controls/ScrollBarGeometry.h"
#include "tests/skin/controls/ScrollBarProbe.h"

#include <gtest/gtest.h>

namespace {

using skin::ThumbSpan;
using scrolltest::StripCell;
using scrolltest::ThumbCell;
using scrolltest::TrackCell;

constexpr int kArrow = 16;

TEST(ScrollBarGeometry, HitTestFindsEachPartAlongTheBar) {
    const ThumbSpan thumb{40, 80};
    const struct {
        int v;
        int part;
    } cases[] = {{0, 0}, {15, 0}, {16, 2}, {39, 2}, {40, 5}, {79, 5}, {80, 3}, {183, 3}, {184, 1}, {199, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(skin::ScrollHitTest(c.v, kArrow, 200, thumb), c.part) << c.v;
    }
}

TEST(ScrollBarGeometry, DraggedThumbStaysBetweenTheArrowsAndKeepsItsLength) {
    const ThumbSpan thumb{40, 80};
    const struct {
        int delta;
        ThumbSpan expected;
    } cases[] = {{10, {50, 90}}, {-500, {16, 56}}, {500, {144, 184}}, {0, {40, 80}}};
    for (const auto& c : cases) {
        const ThumbSpan moved = skin::DragThumb(40, c.delta, kArrow, 200, thumb);
        EXPECT_EQ(moved.start, c.expected.start) << c.delta;
        EXPECT_EQ(moved.end, c.expected.end) << c.delta;
    }
}

SCROLLINFO Info(int min, int max, int page, int pos) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.nMin = min;
    info.nMax = max;
    info.nPage = UINT(page);
    info.nPos = pos;
    return info;
}

TEST(ScrollBarGeometry, ControlThumbForEachKindOfRange) {
    // A bar of 200 with arrows of 16: 168 pixels between them.
    const struct {
        const char* name;
        SCROLLINFO info;
        ThumbSpan expected;
    } cases[] = {
        {"page, at the start", Info(0, 99, 10, 0), {16, 31}},
        {"page, halfway", Info(0, 99, 10, 50), {101, 116}},
        {"computed thumb of 7 pixels or less gets 8", Info(0, 99, 2, 0), {16, 24}},
        {"short thumb halfway", Info(0, 99, 2, 50), {97, 105}},
        {"page 0: as long as an arrow", Info(0, 99, 0, 0), {16, 32}},
        {"page 0 at the end", Info(0, 99, 0, 99), {168, 184}},
        {"min equal to max: at the start", Info(5, 5, 1, 5), {16, 24}},
        {"min equal to max without a page", Info(5, 5, 0, 5), {16, 32}},
    };
    for (const auto& c : cases) {
        const ThumbSpan thumb = skin::ControlThumb(c.info, 200, kArrow);
        EXPECT_EQ(thumb.start, c.expected.start) << c.name;
        EXPECT_EQ(thumb.end, c.expected.end) << c.name;
    }
}

TEST(ScrollBarGeometry, ListThumbDraggedPastTheEndStopsAtTheLastPage) {
    const SCROLLINFO paged = Info(0, 99, 10, 0);
    EXPECT_EQ(skin::ListThumbPosition(100000, 168, 40, paged), 99 - 10 + 1);
    EXPECT_EQ(skin::ListThumbPosition(-50, 168, 40, paged), 0);
    EXPECT_EQ(skin::ListThumbPosition(64, 168, 40, paged), MulDiv(64, 90, 128));
    // A short track reaches the last page too (no rounding short of it).
    EXPECT_EQ(skin::ListThumbPosition(100, 100, 0, Info(0, 59, 10, 0)), 50);
    const SCROLLINFO unpaged = Info(0, 99, 0, 0);
    EXPECT_LE(skin::ListThumbPosition(100000, 168, 16, unpaged), 99);
    EXPECT_GT(skin::ListThumbPosition(100000, 168, 16, unpaged), 80);
    // A track no longer than the thumb: nothing to drag, no division by zero.
    EXPECT_EQ(skin::ListThumbPosition(30, 40, 40, paged), 0);
    EXPECT_EQ(skin::ListThumbPosition(30, 0, 0, unpaged), 0);
}

struct ComposedBar : ::testing::Test {
    skin::ScrollBarLook Look(int width, int height) const {
        skin::ScrollBarLook look;
        look.width = width;
        look.height = height;
        look.arrowSize = kArrow;
        look.thumb = ThumbSpan{40, 80};
        look.background = scrolltest::kFace;
        return look;
    }
    ui::Bitmap Compose(const skin::ScrollBarLook& look) const { return skin::ComposeScrollBar(*skin, look); }

    std::unique_ptr<skin::TSkinData> skin = scrolltest::ProbeSkin();
};

TEST_F(ComposedBar, ArrowsTrackThumbAndGripInTheirCells) {
    const ui::Bitmap bar = Compose(Look(16, 200));
    ASSERT_EQ(bar.Width(), 16);
    EXPECT_EQ(bar.PixelAt(8, 4), StripCell(9));     // up arrow
    EXPECT_EQ(bar.PixelAt(8, 195), StripCell(13));  // down arrow
    EXPECT_EQ(bar.PixelAt(8, 25), TrackCell(1));
    EXPECT_EQ(bar.PixelAt(8, 120), TrackCell(1));
    EXPECT_EQ(bar.PixelAt(8, 42), ThumbCell(1));
    EXPECT_EQ(bar.PixelAt(8, 60), StripCell(20));  // the grip, centred
}

TEST_F(ComposedBar, HoverAndPressShowTheirCells) {
    const struct {
        const char* name;
        int part;
        bool pressing;
        POINT at;
        ui::Color expected;
    } cases[] = {
        {"hot down arrow", 1, false, {8, 195}, StripCell(16)},
        {"pressed down arrow", 1, true, {8, 195}, StripCell(14)},
        {"pressed up arrow", 0, true, {8, 4}, StripCell(10)},
        {"hot thumb", 5, false, {8, 42}, ThumbCell(3)},
        {"pressed thumb", 5, true, {8, 42}, ThumbCell(2)},
        {"pressed grip", 5, true, {8, 60}, StripCell(21)},
        {"hot grip", 5, false, {8, 60}, StripCell(22)},
        {"a pressed track leaves the arrows", 3, true, {8, 195}, StripCell(13)},
    };
    for (const auto& c : cases) {
        skin::ScrollBarLook look = Look(16, 200);
        look.hoverPart = c.part;
        look.pressing = c.pressing;
        EXPECT_EQ(Compose(look).PixelAt(c.at.x, c.at.y), c.expected) << c.name;
    }
}

TEST_F(ComposedBar, EdgeCases) {
    // A bar shorter than two arrows: two halves meeting in the middle.
    const ui::Bitmap shortBar = Compose(Look(16, 20));
    EXPECT_EQ(shortBar.PixelAt(8, 2), StripCell(9));
    EXPECT_EQ(shortBar.PixelAt(8, 9), StripCell(9));
    EXPECT_EQ(shortBar.PixelAt(8, 10), StripCell(13));
    EXPECT_EQ(shortBar.PixelAt(8, 18), StripCell(13));

    // A thumb no longer than the grip - 2 has no grip; one just longer has.
    skin::ScrollBarLook look = Look(16, 200);
    look.thumb = ThumbSpan{40, 54};
    EXPECT_EQ(Compose(look).PixelAt(8, 47), ThumbCell(1));
    look.thumb = ThumbSpan{40, 55};
    EXPECT_EQ(Compose(look).PixelAt(8, 47), StripCell(20));

    // Disabled: the track's disabled cell and no thumb.
    look = Look(16, 200);
    look.enabled = false;
    const ui::Bitmap disabled = Compose(look);
    EXPECT_EQ(disabled.PixelAt(8, 25), TrackCell(3));
    EXPECT_EQ(disabled.PixelAt(8, 60), TrackCell(3));

    // A thumb reaching past the bar is not drawn.
    look = Look(16, 200);
    look.thumb = ThumbSpan{150, 230};
    EXPECT_EQ(Compose(look).PixelAt(8, 160), TrackCell(1));

    // A scroll-bar control: only the skin's thickness across.
    look = Look(40, 200);
    look.thicknessOnly = true;
    EXPECT_EQ(Compose(look).Width(), kArrow);

    // Horizontal: the left and right arrows.
    look = Look(200, 16);
    look.vertical = false;
    const ui::Bitmap horizontal = Compose(look);
    EXPECT_EQ(horizontal.PixelAt(4, 8), StripCell(1));
    EXPECT_EQ(horizontal.PixelAt(195, 8), StripCell(5));
    EXPECT_EQ(horizontal.PixelAt(60, 8), StripCell(17));
}

TEST_F(ComposedBar, NothingWithoutAnArrowStripOrASize) {
    EXPECT_TRUE(Compose(Look(0, 200)).Empty());
    EXPECT_TRUE(Compose(Look(16, -3)).Empty());
    skin->Scrollbar.reset();
    EXPECT_TRUE(Compose(Look(16, 200)).Empty());
}

} // namespace
