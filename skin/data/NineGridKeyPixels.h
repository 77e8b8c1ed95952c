#pragma once
// Where a nine-grid picture has key-colour pixels, found from its strip
// instead of drawing the picture: a window shape needs only those, and they
// sit in a few small parts (rounded corners, cut edges).

#include "skin/data/RegionFromBitmap.h"
#include "skin/data/StripDrawing.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace skin {

// The pixels in `key` of BuildNineGrid({0, 0, width, height}, strip, margins,
// vertical, tile, count, index), as rectangles in the picture's coordinates
// (not overlapping, joined where they touch vertically with the same
// columns); none when the picture would be empty. Parts copied unscaled or
// tiled are read from the strip; a stretched part is too when its key pixels
// stay the same along the stretch. Any other part is drawn alone and
// scanned, and a damaged skin whose parts reach past the strip has its whole
// picture drawn and scanned, so the answer is always the drawn picture's.
std::optional<std::vector<RECT>> NineGridKeyRects(int width, int height, const ui::Bitmap& strip,
                                                  const RECT& margins, bool vertical, bool tile, int count, int index,
                                                  const KeyColourRange& key);

} // namespace skin
