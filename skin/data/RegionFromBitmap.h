#pragma once
// Window regions from skin bitmaps: everything that is not the key colour.

#include "skin/data/StripDrawing.h"
#include "ui/Bitmap.h"
#include "ui/Color.h"
#include "ui/Gdi.h"

#include <cstdint>
#include <span>

namespace skin {

// The colours a region leaves out: each channel between the key's channel
// and that channel plus its tolerance (capped at 255); a negative tolerance
// matches nothing.
class KeyColourRange {
public:
    KeyColourRange(ui::Color key, int blueTolerance, int greenTolerance, int redTolerance);
    // `pixel` points at a pixel's blue, green and red bytes.
    bool Contains(const uint8_t* pixel) const {
        return In(pixel[0], blue_) && In(pixel[1], green_) && In(pixel[2], red_);
    }

private:
    struct Channel {
        int low;
        int high;
    };
    static bool In(int value, Channel c) { return value >= c.low && value <= c.high; }
    Channel blue_;
    Channel green_;
    Channel red_;
};

// The key range of window shapes: the key colour, tolerances 1, 1, 1.
inline KeyColourRange ShapeKeyRange() { return KeyColourRange(kKeyColour, 1, 1, 1); }

// The region covering `rects` (which may overlap or touch); empty but valid
// when there are none, null only when GDI fails.
ui::UniqueRegion RegionFromRects(std::span<const RECT> rects);

// The region covering every pixel of `bitmap` outside the key range, moved by
// (dx, dy). A pixel is in the key range when each channel lies between the
// key's channel and that channel plus its tolerance (capped at 255). The
// bitmap is read, not changed. A bitmap that is all key colour, or empty,
// gives an empty region (a valid handle); null only when GDI fails.
ui::UniqueRegion CreateRegionFromBitmap(const ui::Bitmap& bitmap, int dx, int dy, int blueTolerance,
                                        int greenTolerance, int redTolerance, ui::Color key = kKeyColour);

} // namespace skin
