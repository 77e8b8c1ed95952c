#pragma once
// Drawing state frames of skin bitmap strips. A strip holds `count` equal
// cells side by side (or stacked, for vertical strips); cells are numbered
// from 1 and leftover pixels at the end of a strip are never used.
//
// Source strips are taken as const: the routines only read them, through the
// bitmap's own canvas DC (made on first use, as the toolkit does for drawing).

#include "ui/Bitmap.h"
#include "ui/Color.h"
#include "ui/Gdi.h"

#include <windows.h>

#include <array>

namespace skin {

// The transparent colour of every skin bitmap.
constexpr ui::Color kKeyColour = ui::clFuchsia;

// Where cell `index` (1-based) of `count` lies in a strip. Empty (all zero)
// when count or index is out of range or the cell would have no pixels.
struct StripCell {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};
StripCell CellOfStrip(const ui::Bitmap& strip, bool vertical, int count, int index);

// The parts of a nine-grid picture of width x height drawn from `cell` with
// fixed `margins`, in drawing order: `from` (strip coordinates) over `to`
// (picture coordinates), stretched, or with `tiled` repeated from to's
// top-left (the tiles run past `to` to the picture's edge; the parts drawn
// after it cover that overrun). A part of either rectangle empty is not
// drawn. No parts when the size or the cell is empty.
struct NineGridPart {
    RECT to;
    RECT from;
    bool tiled;
};
struct NineGridPlan {
    std::array<NineGridPart, 9> parts{};
    int count = 0;
};
NineGridPlan PlanNineGrid(int width, int height, const StripCell& cell, const RECT& margins, bool tile);

// A new 24-bit bitmap of `rect`'s size holding cell `index` of `strip`
// drawn with fixed `margins` (left, top, right and bottom border widths):
// corners unscaled, edges stretched along their length, the centre stretched
// or, with `tile`, repeated. Margins that do not fit the rectangle's width
// (or height) are dropped in that direction. Empty when the rectangle or the
// cell is empty.
ui::Bitmap BuildNineGrid(const RECT& rect, const ui::Bitmap& strip, const RECT& margins, bool vertical, bool tile,
                         int count, int index);

// BuildNineGrid, then copies the result to `rect` on `dc`; with `transparent`
// pixels of the key colour leave the destination untouched.
void DrawSkinFrame(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool vertical, bool tile, bool transparent,
                   int count, int index, const RECT& margins);

// One cell across `rect`: its left margins.left columns, its middle columns
// repeated, its right margins.right columns, each stretched to the
// rectangle's height (margins.top and .bottom are not used). A cell with no
// middle columns gets only its two ends.
void DrawThreePart(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool vertical, bool transparent, int count,
                   int index, const RECT& margins);

// Cell `index` of a horizontal strip stretched over the whole rectangle.
void DrawStateFrame(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool transparent, int count, int index);

// Cell `index` of a horizontal strip unscaled, centred in the rectangle (a
// cell larger than the rectangle overhangs it equally on both sides).
void DrawCentredFrame(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool transparent, int count, int index);

// Cell `index` with fixed left and right ends (ends.left and ends.right
// columns wide) and a stretched middle, all stretched to the rectangle's
// height; a cell wider than the rectangle is stretched whole onto it.
void StretchWithEnds(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool vertical, int count, int index,
                     const RECT& ends);

// Repeats the part `source` of `bitmap` over `dest`, starting at its top-left.
// Tiles at the right and bottom are drawn whole and may run past `dest`. A
// source reaching past the bitmap is cut to it.
void TileBitmap(HDC dc, const RECT& dest, const ui::Bitmap& bitmap, const RECT& source);

// Copies `bitmap` to rect's top-left, leaving destination pixels under
// pixels of colour `key` untouched. At most the rectangle's size is copied.
void DrawTransparent(HDC dc, const RECT& rect, const ui::Bitmap& bitmap, ui::Color key = kKeyColour);

} // namespace skin
