#include "skin/controls/ScrollBarGeometry.h"

#include <algorithm>

namespace skin {
namespace {

// The range a thumb is laid out in when the control has none.
constexpr int kEmptyRange = 9999999;
// A computed thumb this short or shorter is drawn this long.
constexpr int kShortestThumb = 8;

} // namespace

int ScrollHitTest(int v, int arrow, int length, ThumbSpan thumb) {
    if (v < arrow) {
        return kPartFirstArrow;
    }
    if (v < thumb.start) {
        return kPartTrackBefore;
    }
    if (v < thumb.end) {
        return kPartThumb;
    }
    if (v < length - arrow) {
        return kPartTrackAfter;
    }
    return kPartSecondArrow;
}

ThumbSpan DragThumb(int pressStart, int delta, int arrow, int length, ThumbSpan current) {
    const int thumbLength = current.end - current.start;
    int start = std::max(pressStart + delta, arrow);
    start = std::min(start, length - arrow - thumbLength);
    return ThumbSpan{start, start + thumbLength};
}

ThumbSpan ControlThumb(const SCROLLINFO& info, int length, int arrow) {
    const int range = info.nMax == info.nMin ? kEmptyRange : info.nMax - info.nMin;
    const int offset = info.nPos - info.nMin;
    const int avail = length - 2 * arrow;
    int start = arrow;
    int thumb = arrow;
    if (info.nPage != 0) {
        thumb = MulDiv(avail, int(info.nPage) - 1, range);
        if (thumb <= kShortestThumb - 1) {
            thumb = kShortestThumb;
            if (offset != 0) {
                start = arrow + MulDiv(avail - kShortestThumb, offset, range);
            }
        } else if (offset != 0) {
            start = arrow + MulDiv(avail, offset, range);
        }
    } else if (offset != 0) {
        start = arrow + MulDiv(length - 3 * arrow, offset, range);
    }
    return ThumbSpan{start, start + thumb};
}

int ListThumbPosition(int offset, int track, int thumb, const SCROLLINFO& info) {
    offset = std::max(offset, 0);
    int pos = 0;
    if (info.nPage != 0) {
        offset = std::min(offset, track - thumb + 1);
        const int span = track - thumb;
        // The whole track spans every top position, the last one included:
        // a thumb at the end shows the last page.
        pos = info.nMin + (span > 0 ? MulDiv(offset, info.nMax - info.nMin - int(info.nPage) + 1, span) : 0);
        pos = std::min(pos, info.nMax - int(info.nPage) + 1);
    } else {
        pos = track > 0 ? info.nMin + MulDiv(std::min(offset, track - thumb), info.nMax - info.nMin, track) : info.nMin;
        pos = std::min(pos, info.nMax);
    }
    return std::max(pos, info.nMin);
}

bool ReadScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info) {
    using Function = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
    static const auto function = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 != nullptr ? reinterpret_cast<Function>(
                                       reinterpret_cast<void*>(GetProcAddress(user32, "GetScrollBarInfo")))
                                 : nullptr;
    }();
    info = SCROLLBARINFO{};
    info.cbSize = sizeof(info);
    return function != nullptr && window != nullptr && function(window, objectId, &info) != FALSE;
}

} // namespace skin
