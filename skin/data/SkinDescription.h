#pragma once
// Turns a parsed skin description into the data objects of a skin: frame
// borders, colour tables, caption buttons, the button and title objects,
// every element object by its loader kind, their frame counts, and the
// objects generated from them.

#include "skin/data/QuickIni.h"
#include "skin/data/SkinObjects.h"

#include <functional>
#include <string>

namespace skin {

// Fills a bitmap from the package entry a key value names (emptied when the
// value names nothing usable).
using SkinBitmapLoader = std::function<void(ui::Bitmap& bitmap, const std::string& value)>;

// Reads the whole description into a fresh set. Values missing or malformed
// in the description give their defaults; nothing is reported.
void ReadSkinDescription(const TQuickIni& ini, const SkinBitmapLoader& loadBitmap, SkinObjectSet& set);

} // namespace skin
