#pragma once
// Window regions from skin bitmaps: everything that is not the key colour.

#include "skin/data/StripDrawing.h"
#include "ui/Bitmap.h"
#include "ui/Color.h"
#include "ui/Gdi.h"

namespace skin {

// The region covering every pixel of `bitmap` outside the key range, moved by
// (dx, dy). A pixel is in the key range when each channel lies between the
// key's channel and that channel plus its tolerance (capped at 255). The
// bitmap is read, not changed. A bitmap that is all key colour, or empty,
// gives an empty region (a valid handle); null only when GDI fails.
ui::UniqueRegion CreateRegionFromBitmap(const ui::Bitmap& bitmap, int dx, int dy, int blueTolerance,
                                        int greenTolerance, int redTolerance, ui::Color key = kKeyColour);

} // namespace skin
