#pragma once
// The small arrow drawn on skinned arrow buttons that have no picture of
// their own (up-down halves, tab scrollers), in the DC's current pen.

#include <windows.h>

namespace skin {

enum class ArrowDirection { Up, Down, Left, Right };

// (x, y) is the glyph's anchor: the middle of a left or right arrow; for up
// and down arrows the top of the middle column (the glyph takes about four
// rows from there).
void DrawArrowGlyph(HDC dc, int x, int y, ArrowDirection direction);

} // namespace skin
