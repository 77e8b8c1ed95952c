#include "skin/controls/ScrollBarDrawing.h"

#include "skin/data/SkinObjects.h"
#include "skin/data/StripDrawing.h"

#include <cstdlib>

namespace skin {
namespace {

constexpr int kStripFrames = 23;
constexpr int kTrackFrames = 4;
// First cells of the arrows and grips in the strip; a pressed arrow is the
// next cell, a hot one three further.
constexpr int kLeftArrow = 1;
constexpr int kRightArrow = 5;
constexpr int kUpArrow = 9;
constexpr int kDownArrow = 13;
constexpr int kHorizontalGrip = 17;
constexpr int kVerticalGrip = 20;

// A box from `from` to `to` along the bar and `thickness` across.
RECT AlongBar(bool vertical, int from, int to, int thickness) {
    return vertical ? RECT{0, from, thickness, to} : RECT{from, 0, to, thickness};
}

bool Inside(const RECT& box, int width, int height) {
    return box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height;
}

int ArrowCell(int base, int part, const ScrollBarLook& look) {
    if (look.hoverPart != part) {
        return base;
    }
    return base + (look.pressing ? 1 : 3);
}

} // namespace

ui::Bitmap ComposeScrollBar(const SkinObjectSet& skin, const ScrollBarLook& look) {
    if (skin.Scrollbar == nullptr || skin.Scrollbar->Empty() || look.width <= 0 || look.height <= 0) {
        return {};
    }
    const ui::Bitmap& strip = skin.Scrollbar->Bitmap;
    const bool vertical = look.vertical;
    const int arrow = look.arrowSize;
    const int length = vertical ? look.height : look.width;
    int thickness = strip.Height();
    if (std::abs(thickness - arrow) > 2) {
        thickness = arrow;
    }
    const int across = look.thicknessOnly ? thickness : (vertical ? look.width : look.height);
    if (across <= 0) {
        return {};
    }
    ui::Bitmap buffer(vertical ? across : look.width, vertical ? look.height : across);
    HDC dc = buffer.GetCanvas().Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    buffer.Fill(look.background);

    // The track between the arrows.
    if (const TDataSkinObject* track = vertical ? skin.VertScroll.get() : skin.HorzScroll.get();
        track != nullptr && !track->Empty()) {
        const RECT box = AlongBar(vertical, arrow, length - arrow, thickness);
        DrawSkinFrame(dc, box, track->Bitmap, false, track->Tile != 0, track->Trans == 1, kTrackFrames,
                      look.enabled ? 1 : 3, track->Margins);
    }

    // The arrows; two halves meeting in the middle on a bar too short for both.
    const int arrowLength = length < 2 * arrow ? length / 2 : arrow;
    DrawStateFrame(dc, AlongBar(vertical, 0, arrowLength, thickness), strip, true, kStripFrames,
                   ArrowCell(vertical ? kUpArrow : kLeftArrow, kPartFirstArrow, look));
    DrawStateFrame(dc, AlongBar(vertical, length - arrowLength, length, thickness), strip, true, kStripFrames,
                   ArrowCell(vertical ? kDownArrow : kRightArrow, kPartSecondArrow, look));

    if (!look.enabled) {
        return buffer;
    }
    const TDataSkinObject* thumbElement = vertical ? skin.VertScrollThumb.get() : skin.HorzScrollThumb.get();
    // The horizontal thumb's frame count and key flag serve both orientations.
    const TDataSkinObject* thumbStates = skin.HorzScrollThumb != nullptr ? skin.HorzScrollThumb.get() : thumbElement;
    const bool onThumb = look.hoverPart == kPartThumb;
    const RECT thumbBox = AlongBar(vertical, look.thumb.start, look.thumb.end, thickness);
    if (thumbElement != nullptr && !thumbElement->Empty() && look.thumb.start >= 0 && look.thumb.end <= length &&
        look.thumb.end > look.thumb.start) {
        const int cell = onThumb ? (look.pressing ? 2 : 3) : 1;
        DrawSkinFrame(dc, thumbBox, thumbElement->Bitmap, false, false, thumbStates->Trans == 1,
                      thumbStates->FrameCount(), cell, thumbElement->Margins);
    }
    const int thumbLength = look.thumb.end - look.thumb.start;
    const int gripLength = strip.Height();
    if (gripLength < thumbLength + 2) {
        const int gripStart = look.thumb.start + (thumbLength - gripLength) / 2;
        const RECT grip = AlongBar(vertical, gripStart, gripStart + gripLength, thickness);
        if (Inside(grip, buffer.Width(), buffer.Height())) {
            const int base = vertical ? kVerticalGrip : kHorizontalGrip;
            DrawStateFrame(dc, grip, strip, true, kStripFrames, onThumb ? base + (look.pressing ? 1 : 2) : base);
        }
    }
    return buffer;
}

} // namespace skin
