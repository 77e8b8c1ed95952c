#pragma once
// The arithmetic of a skinned scroll bar, shared by the overlay over a native
// bar and by the painter of a drop-down list's bar: which part a point is
// over, where a dragged thumb lies, where a scroll-bar control's thumb is,
// and which position a dragged list thumb stands for. Pure functions of
// their arguments, so each edge case can be checked on its own.

#include <windows.h>

namespace skin {

// The parts of a bar; the numbers are the scroll codes that part performs.
enum ScrollPart : int {
    kPartNone = -1,
    kPartFirstArrow = SB_LINEUP,
    kPartSecondArrow = SB_LINEDOWN,
    kPartTrackBefore = SB_PAGEUP,
    kPartTrackAfter = SB_PAGEDOWN,
    kPartThumb = SB_THUMBTRACK,
};

struct ThumbSpan {
    int start = 0;
    int end = 0;
};

// The part at offset v along a bar of `length` with arrows of `arrow`.
int ScrollHitTest(int v, int arrow, int length, ThumbSpan thumb);

// The thumb moved by `delta` from where it was at the press (`pressStart`),
// kept between the arrows and as long as `current` was.
ThumbSpan DragThumb(int pressStart, int delta, int arrow, int length, ThumbSpan current);

// The thumb of a scroll-bar control from its scroll information: a page
// gives a proportional thumb of at least 8 pixels, no page a thumb as long
// as one arrow; min equal to max puts it at the start.
ThumbSpan ControlThumb(const SCROLLINFO& info, int length, int arrow);

// The position a drop-down list's thumb dragged to `offset` pixels past the
// first arrow stands for, in a track of `track` pixels with a thumb of
// `thumb` pixels. With a page it stops at max - page + 1.
int ListThumbPosition(int offset, int track, int thumb, const SCROLLINFO& info);

// GetScrollBarInfo, looked up once in user32 (absent on the oldest systems).
bool ReadScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);

} // namespace skin
