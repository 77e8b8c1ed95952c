#include "skin/data/ColourRoutines.h"

#include "ui/Gdi.h"

#include <algorithm>

namespace skin {

namespace {

int Red(COLORREF c) {
    return GetRValue(c);
}
int Green(COLORREF c) {
    return GetGValue(c);
}
int Blue(COLORREF c) {
    return GetBValue(c);
}

// Division rounding toward minus infinity, so a ramp that falls meets its
// end colour exactly, as one that rises does.
int FloorDiv(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}

int RampChannel(int first, int last, int i, int steps) {
    if (steps == 0) {
        return first + (last - first) / 2;
    }
    return first + FloorDiv(steps / 2 + i * (last - first), steps);
}

void ComputeRamp(std::vector<COLORREF>& ramp, int length, COLORREF first, COLORREF last) {
    ramp.resize(size_t(length));
    const int steps = length - 1;
    for (int i = 0; i < length; ++i) {
        ramp[size_t(i)] = RGB(RampChannel(Red(first), Red(last), i, steps),
                              RampChannel(Green(first), Green(last), i, steps),
                              RampChannel(Blue(first), Blue(last), i, steps));
    }
}

int BlendChannel(int channel1, int channel2, int weight, int base) {
    const int mixed = (channel2 * (base - weight) + channel1 * weight + base / 2) / base;
    return std::clamp(mixed, 0, 255);
}

// q rounded to the nearest integer, halves to the even neighbour, exactly.
int RoundHalfEven(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    const int twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) {
        return quotient + 1;
    }
    return quotient;
}

} // namespace

ui::Color BlendColours(ui::Color colour1, ui::Color colour2, int weight) {
    const COLORREF c1 = ui::ColorToRgb(colour1);
    const COLORREF c2 = ui::ColorToRgb(colour2);
    const int base = weight < 100 ? 100 : 1000;
    return ui::Color(RGB(BlendChannel(Red(c1), Red(c2), weight, base), BlendChannel(Green(c1), Green(c2), weight, base),
                         BlendChannel(Blue(c1), Blue(c2), weight, base)));
}

int ColourSaturation(ui::Color colour) {
    const COLORREF rgb = ui::ColorToRgb(colour);
    const int r = Red(rgb);
    const int g = Green(rgb);
    const int b = Blue(rgb);
    if (std::max({r, g, b}) < 160) {
        return 200;
    }
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    return RoundHalfEven((high - low) * 255, high);
}

const std::vector<COLORREF>& GradientRampCache::Ramp(int length, COLORREF first, COLORREF last) {
    for (int i = kSlots - 1; i >= 0; --i) {
        const Slot& slot = slots_[size_t(i)];
        if (slot.length == length && slot.first == first && slot.last == last) {
            return slot.ramp;
        }
    }
    Slot& slot = slots_[size_t(next_)];
    next_ = (next_ + 1) % kSlots;
    slot.length = std::max(length, 1);
    slot.first = first;
    slot.last = last;
    ComputeRamp(slot.ramp, slot.length, first, last);
    return slot.ramp;
}

GradientRampCache& SharedGradientCache() {
    static GradientRampCache cache;
    return cache;
}

void GradientFill(HDC dc, const RECT& rect, ui::Color start, bool vertical, ui::Color end) {
    if (dc == nullptr || !RectVisible(dc, &rect)) {
        return;
    }
    const COLORREF first = ui::ColorToRgb(start);
    const COLORREF last = ui::ColorToRgb(end);
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR) {
        return;
    }
    const int n = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    if (n <= 0) {
        return;
    }
    // Only the rows (columns) inside the clip box are painted.
    const LONG rectStart = vertical ? rect.top : rect.left;
    const LONG rectEnd = vertical ? rect.bottom : rect.right;
    const LONG clipStart = vertical ? clip.top : clip.left;
    const LONG clipEnd = vertical ? clip.bottom : clip.right;
    const int firstLine = clipStart > rectStart ? int(clipStart - rectStart) : 0;
    const int lastLine = clipEnd < rectEnd ? int(clipEnd - rectStart) - 1 : n - 1;

    const std::vector<COLORREF>& ramp = SharedGradientCache().Ramp(n, first, last);
    for (int i = firstLine; i <= lastLine; ++i) {
        const RECT line = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                                   : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
        const ui::UniqueBrush brush(CreateSolidBrush(ramp[size_t(i)]));
        FillRect(dc, &line, brush.get());
    }
}

} // namespace skin
