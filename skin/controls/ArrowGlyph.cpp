#include "skin/controls/ArrowGlyph.h"

#include <array>

namespace skin {
namespace {

struct Segment {
    int x1, y1, x2, y2;  // relative to the anchor; the end pixel is not drawn
};

// Both arrows are the tip and two diagonals three pens wide per side.
constexpr std::array<Segment, 7> kUp{{
    {0, 0, 0, -1},
    {1, 1, 4, 4},
    {0, 1, 3, 4},
    {0, 2, 2, 4},
    {-1, 1, -4, 4},
    {0, 2, -3, 4},
    {0, 1, -2, 4},
}};
constexpr std::array<Segment, 7> kDown{{
    {0, 3, 0, 4},
    {1, 2, 4, -1},
    {0, 2, 3, -1},
    {0, 1, 2, 0},
    {-1, 2, -4, -1},
    {0, 2, -3, -1},
    {0, 1, -2, 0},
}};

void DrawSegments(HDC dc, int x, int y, const std::array<Segment, 7>& segments) {
    for (const Segment& s : segments) {
        MoveToEx(dc, x + s.x1, y + s.y1, nullptr);
        LineTo(dc, x + s.x2, y + s.y2);
    }
}

// A small closed triangle; `towards` is -1 for a left arrow, +1 for right.
void DrawSideArrow(HDC dc, int x, int y, int towards) {
    const int back = -towards;
    const POINT path[] = {{x, y}, {x + back, y + 2}, {x + back, y - 2}, {x + towards, y}, {x + back, y + 2}};
    Polyline(dc, path, int(std::size(path)));
}

} // namespace

void DrawArrowGlyph(HDC dc, int x, int y, ArrowDirection direction) {
    switch (direction) {
    case ArrowDirection::Up:
        DrawSegments(dc, x, y, kUp);
        break;
    case ArrowDirection::Down:
        DrawSegments(dc, x, y, kDown);
        break;
    case ArrowDirection::Left:
        DrawSideArrow(dc, x, y, -1);
        break;
    case ArrowDirection::Right:
        DrawSideArrow(dc, x, y, 1);
        break;
    }
}

} // namespace skin
