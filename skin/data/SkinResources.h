#pragma once
// The skin engine's own pictures, compiled into the program's resources
// (skin/data/resources): the menu glyph strip and the track bar channels used
// when a skin has none.

#include "ui/Bitmap.h"
#include "ui/png/PngImageList.h"

namespace skin {

constexpr const wchar_t* kMenuGlyphResource = L"PIXMARKMENU";
constexpr const wchar_t* kTrackResource = L"TRACK";
constexpr const wchar_t* kTrackVertResource = L"TRACKVERT";

// Glyphs of the menu glyph list, left to right.
enum MenuGlyph : int { mgRestore = 0, mgMaximize = 1, mgMinimize = 2, mgClose = 3 };

// A bitmap resource of the program as 24 bits per pixel; false (and the
// bitmap empty) when the program lacks it.
bool LoadBuiltInBitmap(const wchar_t* name, ui::Bitmap& bitmap);

// The 16 x 16 menu glyphs with white as the mask colour; none when the
// resource is missing.
ui::UniqueImageList LoadMenuGlyphs();

} // namespace skin
