#pragma once
// The four pieces of a skinned frame, as the frame painting and the window
// shape number them, and each piece's picture at a size in the window's
// current look.

#include "skin/data/NineGridKeyPixels.h"
#include "ui/Bitmap.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace skin {

class TSkinData;

constexpr int kLeftPiece = 1;
constexpr int kRightPiece = 2;
constexpr int kTopPiece = 3;
constexpr int kBottomPiece = 4;

// The piece drawn at width x height, frame 1 when `active` (or when the
// piece has one frame) else frame 2. Empty when the piece has no picture or
// the size no area.
ui::Bitmap BuildBorderPicture(const TSkinData& data, int piece, bool active, int width, int height);

// The key-colour pixels of that picture, found without drawing it whole;
// none when the picture would be empty.
std::optional<std::vector<RECT>> BorderKeyRects(const TSkinData& data, int piece, bool active, int width, int height,
                                                const KeyColourRange& key);

} // namespace skin
