#include "skin/data/ColourRoutines.h"

#include "ui/Gdi.h"

#include <algorithm>
#include <cstdint>

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
int64_t FloorDiv(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}

int RampChannel(int first, int last, int64_t i, int64_t steps) {
    if (steps == 0) {
        return first + (last - first) / 2;
    }
    return first + int(FloorDiv(steps / 2 + i * (last - first), steps));
}

// Entry i of a ramp of `length` entries from `first` to `last`.
COLORREF RampColour(int64_t i, int64_t length, COLORREF first, COLORREF last) {
    const int64_t steps = length - 1;
    return RGB(RampChannel(Red(first), Red(last), i, steps), RampChannel(Green(first), Green(last), i, steps),
               RampChannel(Blue(first), Blue(last), i, steps));
}

void ComputeRamp(std::vector<COLORREF>& ramp, int length, COLORREF first, COLORREF last) {
    ramp.resize(size_t(length));
    for (int i = 0; i < length; ++i) {
        ramp[size_t(i)] = RampColour(i, length, first, last);
    }
}

// Ramps longer than any screen are not cached: their visible entries are
// computed alone rather than a ramp of the whole length.
constexpr int64_t kLongestCachedRamp = 16384;

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
    const int64_t n = vertical ? int64_t(rect.bottom) - rect.top : int64_t(rect.right) - rect.left;
    if (n <= 0) {
        return;
    }
    // Only the rows (columns) inside the clip box are painted.
    const int64_t rectStart = vertical ? rect.top : rect.left;
    const int64_t rectEnd = vertical ? rect.bottom : rect.right;
    const int64_t clipStart = vertical ? clip.top : clip.left;
    const int64_t clipEnd = vertical ? clip.bottom : clip.right;
    const int64_t firstLine = clipStart > rectStart ? clipStart - rectStart : 0;
    const int64_t lastLine = clipEnd < rectEnd ? clipEnd - rectStart - 1 : n - 1;

    const std::vector<COLORREF>* ramp =
        n <= kLongestCachedRamp ? &SharedGradientCache().Ramp(int(n), first, last) : nullptr;
    for (int64_t i = firstLine; i <= lastLine; ++i) {
        const LONG at = LONG((vertical ? rect.top : rect.left) + i);
        const RECT line = vertical ? RECT{rect.left, at, rect.right, at + 1} : RECT{at, rect.top, at + 1, rect.bottom};
        const COLORREF colour = ramp != nullptr ? (*ramp)[size_t(i)] : RampColour(i, n, first, last);
        const ui::UniqueBrush brush(CreateSolidBrush(colour));
        FillRect(dc, &line, brush.get());
    }
}

ui::Bitmap GradientPicture(int width, int height, ui::Color start, bool vertical, ui::Color end) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    ui::Bitmap picture = ui::Bitmap::InMemory(width, height, ui::PixelFormat::Bit24);
    const COLORREF first = ui::ColorToRgb(start);
    const COLORREF last = ui::ColorToRgb(end);
    const int n = vertical ? height : width;
    const auto put = [](uint8_t* pixel, COLORREF colour) {
        pixel[0] = GetBValue(colour);
        pixel[1] = GetGValue(colour);
        pixel[2] = GetRValue(colour);
    };
    if (vertical) {
        for (int y = 0; y < height; ++y) {
            const COLORREF colour = RampColour(y, n, first, last);
            uint8_t* row = picture.ScanLine(y);
            for (int x = 0; x < width; ++x) {
                put(row + size_t(x) * 3, colour);
            }
        }
        return picture;
    }
    // One row computed, the others copied from it.
    uint8_t* top = picture.ScanLine(0);
    for (int x = 0; x < width; ++x) {
        put(top + size_t(x) * 3, RampColour(x, n, first, last));
    }
    for (int y = 1; y < height; ++y) {
        std::copy_n(top, size_t(width) * 3, picture.ScanLine(y));
    }
    return picture;
}

} // namespace skin
