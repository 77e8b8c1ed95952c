#pragma once
// Colour mixing, gradient fills with a small cache of colour ramps, and the
// saturation measure the skin data uses to pick tool-bar colours. Colours
// are ui::Color values: red in the low byte, negative for a system colour.

#include "ui/Bitmap.h"
#include "ui/Color.h"

#include <windows.h>

#include <array>
#include <vector>

namespace skin {

// Weighted mix of two colours. Below 100 `weight` is colour1's share in
// percent, from 100 on in per mille: BlendColours(0x808080, c, 150) is 15 %
// grey and 85 % c. Each channel is rounded half up. System colours are
// resolved first; the result is a plain RGB colour.
ui::Color BlendColours(ui::Color colour1, ui::Color colour2, int weight);

// 0 for grey, 255 for a pure colour; 200 for every colour whose channels are
// all below 160, however saturated.
int ColourSaturation(ui::Color colour);

// Colour ramps of a given length, kept in 16 slots reused round robin. A
// ramp returned stays valid until 16 further ramps have been computed.
class GradientRampCache {
public:
    static constexpr int kSlots = 16;

    // The ramp of `length` entries (length > 0) from `first` to `last`
    // (COLORREF values), from the cache when a slot holds it already.
    const std::vector<COLORREF>& Ramp(int length, COLORREF first, COLORREF last);
    // The slot the next new ramp goes into.
    int NextSlot() const { return next_; }

private:
    struct Slot {
        int length = 0;
        COLORREF first = 0;
        COLORREF last = 0;
        std::vector<COLORREF> ramp;
    };
    std::array<Slot, kSlots> slots_;
    int next_ = 0;
};

// The process-wide cache GradientFill uses (UI thread only).
GradientRampCache& SharedGradientCache();

// Fills `rect` with a ramp from `start` (its first row, or column when not
// `vertical`) to `end` (its last); only the rows or columns inside the DC's
// clip box are painted. A one-pixel ramp is the midpoint colour. Ramps
// longer than any screen bypass the cache: only their visible entries are
// computed.
void GradientFill(HDC dc, const RECT& rect, ui::Color start, bool vertical, ui::Color end);

// A width x height 24-bit picture holding what GradientFill paints over all of
// it, written row by row in memory: no GDI object until it is drawn.
ui::Bitmap GradientPicture(int width, int height, ui::Color start, bool vertical, ui::Color end);

} // namespace skin
