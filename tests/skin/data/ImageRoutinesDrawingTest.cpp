// Drawing state frames of skin strips against real GDI: the nine-grid with
// its dropped margins and tiled centre, cell selection, three-part and
// end-stretched cells, centring, tiling and key-colour copies, probed in the
// pixels of the results.

#include "skin/data/ImageRoutines.h"

#include "ImageRoutinesTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

using namespace imagetest;
using skin::BuildNineGrid;
using ui::Bitmap;
using ui::Color;

// A white target to draw on with the routines that take a DC.
struct Target {
    explicit Target(int width, int height) : bitmap(Filled(width, height, kWhite)) {}
    HDC dc() { return bitmap.GetCanvas().Handle(); }
    Color At(int x, int y) const { return bitmap.PixelAt(x, y); }
    Bitmap bitmap;
};

// Horizontal position of a pixel in a band of three: 0 in the first `edge`
// pixels, 2 in the last `edge`, 1 between.
int Band(int position, int size, int edge) {
    return position < edge ? 0 : position >= size - edge ? 2 : 1;
}

TEST(NineGrid, KeepsCornersUnscaledAndStretchesEdgesAndCentre) {
    // Cell 2 of two 12 x 12 cells: corners named pixel by pixel, edges and
    // centre one colour per band; cell 1 is a colour the result must not show.
    const Bitmap strip = MakeBitmap(24, 12, [](int x, int y) {
        if (x < 12) {
            return kGreen;
        }
        const int cx = x - 12;
        const int bx = Band(cx, 12, 3);
        const int by = Band(y, 12, 3);
        return bx != 1 && by != 1 ? Mark(cx, y) : Rgb(40 + 80 * bx, 40 + 80 * by, 200);
    });
    const Bitmap result = BuildNineGrid({0, 0, 30, 20}, strip, {3, 3, 3, 3}, false, false, 2, 2);
    ASSERT_EQ(result.Width(), 30);
    ASSERT_EQ(result.Height(), 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            const int bx = Band(x, 30, 3);
            const int by = Band(y, 20, 3);
            const Color expected = bx != 1 && by != 1 ? Mark(bx == 0 ? x : x - 18, by == 0 ? y : y - 8)
                                                      : Rgb(40 + 80 * bx, 40 + 80 * by, 200);
            ASSERT_EQ(result.PixelAt(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST(NineGrid, DropsMarginsThatDoNotFitAndStretchesTheWholeCell) {
    // A 12-pixel cell, first half red, second half blue, margins 6 and 6.
    // Kept margins would put the blue end at 4 in a 10-pixel target; dropped
    // ones stretch the whole cell, so blue starts at 5.
    struct Case {
        const char* name;
        bool acrossRows;  // the same along the other axis
        int size;
        int firstBlue;
    };
    const Case cases[] = {
        {"narrower than the margins", false, 10, 5},
        {"lower than the margins", true, 10, 5},
        {"exactly the margins", false, 12, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int along = 12;
        const Bitmap strip = c.acrossRows ? MakeBitmap(4, along, [](int, int y) { return y < 6 ? kRed : kBlue; })
                                          : MakeBitmap(along, 4, [](int x, int) { return x < 6 ? kRed : kBlue; });
        const RECT margins = c.acrossRows ? RECT{0, 6, 0, 6} : RECT{6, 0, 6, 0};
        const RECT rect = c.acrossRows ? RECT{0, 0, 4, c.size} : RECT{0, 0, c.size, 4};
        const Bitmap result = BuildNineGrid(rect, strip, margins, false, false, 1, 1);
        for (int i = 0; i < c.size; ++i) {
            const Color pixel = c.acrossRows ? result.PixelAt(1, i) : result.PixelAt(i, 1);
            EXPECT_EQ(pixel, i < c.firstBlue ? kRed : kBlue) << "at " << i;
        }
    }
}

TEST(NineGrid, TilesTheCentreFromTheLeftMarginAndHidesTheOverrun) {
    // A 13 x 6 cell, margins 3, 2, 3, 2: a 7 x 2 centre tile of named
    // pixels; each border band and corner one colour. In a 26 x 9 frame the
    // centre is 20 x 5: tiles every 7 pixels from x = 3 and every 2 rows from
    // y = 2, their overrun covered by the right and bottom pieces.
    const Color band[3][3] = {{Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9)},
                              {Rgb(11, 12, 13), 0, Rgb(14, 15, 16)},
                              {Rgb(21, 22, 23), Rgb(24, 25, 26), Rgb(27, 28, 29)}};
    const Bitmap strip = MakeBitmap(13, 6, [&](int x, int y) {
        const int bx = Band(x, 13, 3);
        const int by = Band(y, 6, 2);
        return bx == 1 && by == 1 ? Mark(x - 3, y - 2) : band[by][bx];
    });
    const Bitmap result = BuildNineGrid({0, 0, 26, 9}, strip, {3, 2, 3, 2}, false, true, 1, 1);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 26; ++x) {
            const int bx = Band(x, 26, 3);
            const int by = Band(y, 9, 2);
            const Color expected = bx == 1 && by == 1 ? Mark((x - 3) % 7, (y - 2) % 2) : band[by][bx];
            ASSERT_EQ(result.PixelAt(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST(NineGrid, PicksTheCellByIndexInHorizontalAndVerticalStrips) {
    // Three cells of 3 pixels with one leftover pixel of key colour at the end.
    const Color cells[] = {kRed, kGreen, kBlue};
    const Bitmap across = MakeBitmap(10, 4, [&](int x, int) { return x < 9 ? cells[x / 3] : kKey; });
    const Bitmap down = MakeBitmap(4, 10, [&](int, int y) { return y < 9 ? cells[y / 3] : kKey; });
    struct Case {
        bool vertical;
        int count;
        int index;
        Color expected;
    };
    const Case cases[] = {
        {false, 3, 1, kRed}, {false, 3, 2, kGreen}, {false, 3, 3, kBlue},
        {true, 3, 1, kRed},  {true, 3, 2, kGreen},  {true, 3, 3, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.vertical ? "vertical" : "horizontal") + " cell " + std::to_string(c.index));
        const Bitmap result = BuildNineGrid({0, 0, 6, 6}, c.vertical ? down : across, {}, c.vertical, false,
                                            c.count, c.index);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                ASSERT_EQ(result.PixelAt(x, y), c.expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST(NineGrid, GivesAnEmptyBitmapForBadCellsAndRectangles) {
    const Bitmap strip = Filled(10, 4, kRed);
    struct Case {
        const char* name;
        RECT rect;
        int count;
        int index;
    };
    const Case cases[] = {
        {"index 0", {0, 0, 5, 5}, 3, 0},          {"index past the count", {0, 0, 5, 5}, 3, 4},
        {"count 0", {0, 0, 5, 5}, 0, 1},          {"negative count", {0, 0, 5, 5}, -2, 1},
        {"cells narrower than a pixel", {0, 0, 5, 5}, 11, 1}, {"empty rectangle", {3, 3, 3, 9}, 1, 1},
        {"inverted rectangle", {5, 5, 2, 9}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(BuildNineGrid(c.rect, strip, {1, 1, 1, 1}, false, true, c.count, c.index).Empty());
    }
    EXPECT_TRUE(BuildNineGrid({0, 0, 5, 5}, Bitmap(), {}, false, false, 1, 1).Empty());
}

TEST(NineGrid, SurvivesMarginsLargerThanTheCell) {
    // Margins from a damaged skin: negative, or wider than the cell itself.
    const Bitmap strip = Filled(4, 4, kRed);
    for (const RECT margins : {RECT{-5, -5, -5, -5}, RECT{3, 3, 3, 3}, RECT{40, 1, 40, 1},
                               RECT{LONG_MAX, LONG_MAX, 1, 1}, RECT{LONG_MIN, 2, LONG_MAX, LONG_MIN}}) {
        const Bitmap result = BuildNineGrid({0, 0, 9, 9}, strip, margins, false, true, 1, 1);
        ASSERT_EQ(result.Width(), 9);
        EXPECT_EQ(result.PixelAt(0, 0), kRed);
    }
}

TEST(SkinFrame, CopiesOpaqueOrLeavesKeyPixelsUntouched) {
    // A 6 x 6 cell with a key-coloured 2 x 2 centre, margins 2: the centre
    // stretches over (7, 7) to (13, 13) of a frame drawn at (5, 5).
    const Bitmap strip = MakeBitmap(6, 6, [](int x, int y) {
        return x >= 2 && x < 4 && y >= 2 && y < 4 ? kKey : kBlue;
    });
    for (const bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        Target target(20, 20);
        skin::DrawSkinFrame(target.dc(), {5, 5, 15, 15}, strip, false, false, transparent, 1, 1, {2, 2, 2, 2});
        EXPECT_EQ(target.At(10, 10), transparent ? kWhite : kKey);
        EXPECT_EQ(target.At(5, 5), kBlue);
        EXPECT_EQ(target.At(14, 14), kBlue);
        EXPECT_EQ(target.At(4, 4), kWhite);
        EXPECT_EQ(target.At(15, 15), kWhite);
    }
}

TEST(ThreePart, DrawsTheEndsAndRepeatsTheMiddleAcrossTheWidth) {
    // Frame 2 of a vertical strip: a 7-pixel row, ends 2 wide, a 3-pixel
    // middle; frame 1 is green. Each column is stretched to the height.
    const Bitmap strip = MakeBitmap(7, 2, [](int x, int y) { return y == 0 ? kGreen : Mark(x, 0); });
    Target target(16, 8);
    skin::DrawThreePart(target.dc(), {2, 1, 14, 6}, strip, true, false, 2, 2, {2, 0, 2, 0});
    for (int y = 1; y < 6; ++y) {
        for (int x = 0; x < 12; ++x) {
            const Color expected = x < 2 ? Mark(x, 0) : x >= 10 ? Mark(x - 10 + 5, 0) : Mark(2 + (x - 2) % 3, 0);
            ASSERT_EQ(target.At(2 + x, y), expected) << "at " << x << "," << y;
        }
    }
    EXPECT_EQ(target.At(1, 3), kWhite);
    EXPECT_EQ(target.At(14, 3), kWhite);
    EXPECT_EQ(target.At(5, 0), kWhite);
    EXPECT_EQ(target.At(5, 6), kWhite);
}

TEST(ThreePart, DrawsOnlyTheEndsOfACellWithoutMiddle) {
    // A cell no wider than its two ends would never advance: it must end,
    // and draw nothing outside its rectangle.
    const Bitmap strip = MakeBitmap(4, 1, [](int x, int) { return x < 2 ? kRed : kBlue; });
    struct Case {
        const char* name;
        RECT margins;
        bool endsKnown;  // ends beyond the picture draw undefined pixels
    };
    const Case cases[] = {
        {"ends exactly as wide as the cell", {2, 0, 2, 0}, true},
        {"ends wider than the cell", {3, 0, 3, 0}, true},
        {"ends beyond any picture", {LONG_MAX, 0, LONG_MAX, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Target target(12, 5);
        skin::DrawThreePart(target.dc(), {1, 1, 11, 4}, strip, false, false, 1, 1, c.margins);
        if (c.endsKnown) {
            EXPECT_EQ(target.At(1, 2), kRed);
            EXPECT_EQ(target.At(10, 2), kBlue);
        }
        for (const POINT outside : {POINT{0, 2}, POINT{11, 2}, POINT{5, 0}, POINT{5, 4}}) {
            EXPECT_EQ(target.At(outside.x, outside.y), kWhite) << "at " << outside.x << "," << outside.y;
        }
    }
}

TEST(ThreePart, LeavesKeyPixelsUntouchedWhenTransparent) {
    const Bitmap strip = MakeBitmap(5, 1, [](int x, int) { return x == 2 ? kKey : kRed; });
    Target target(9, 2);
    skin::DrawThreePart(target.dc(), {0, 0, 9, 2}, strip, false, true, 1, 1, {2, 0, 2, 0});
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(target.At(x, 1), x < 2 || x >= 7 ? kRed : kWhite) << "at " << x;
    }
}

TEST(StateFrame, StretchesTheCellOverTheRectangle) {
    // Cell 2 of three 4 x 4 cells: its top-left quarter is key colour.
    const Bitmap strip = MakeBitmap(12, 4, [](int x, int y) {
        if (x < 4 || x >= 8) {
            return kGreen;
        }
        return x - 4 < 2 && y < 2 ? kKey : kBlue;
    });
    for (const bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        Target target(12, 12);
        skin::DrawStateFrame(target.dc(), {2, 2, 10, 10}, strip, transparent, 3, 2);
        EXPECT_EQ(target.At(2, 2), transparent ? kWhite : kKey);
        EXPECT_EQ(target.At(5, 5), transparent ? kWhite : kKey);
        EXPECT_EQ(target.At(6, 2), kBlue);
        EXPECT_EQ(target.At(9, 9), kBlue);
        EXPECT_EQ(target.At(10, 10), kWhite);
        EXPECT_EQ(target.At(1, 1), kWhite);
    }
}

TEST(CentredFrame, CentresTheCellUnscaledEvenWhenLargerThanTheRectangle) {
    struct Case {
        const char* name;
        int cell;
        int rect;
        int offset;  // of the cell's left and top from the rectangle's
    };
    const Case cases[] = {
        {"16-pixel cell in 10 pixels", 16, 10, -3},
        {"4-pixel cell in 11 pixels", 4, 11, 3},
        {"same size", 4, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Cell 2 of two; cell 1 is green.
        const Bitmap strip = MakeBitmap(2 * c.cell, c.cell, [&](int x, int y) {
            return x < c.cell ? kGreen : Mark(x - c.cell, y);
        });
        Target target(40, 40);
        skin::DrawCentredFrame(target.dc(), {20, 20, 20 + c.rect, 20 + c.rect}, strip, false, 2, 2);
        const int start = 20 + c.offset;
        for (int y = 0; y < c.cell; ++y) {
            for (int x = 0; x < c.cell; ++x) {
                ASSERT_EQ(target.At(start + x, start + y), Mark(x, y)) << "at " << x << "," << y;
            }
        }
        EXPECT_EQ(target.At(start - 1, start - 1), kWhite);
        EXPECT_EQ(target.At(start + c.cell, start + c.cell), kWhite);
    }
}

TEST(CentredFrame, LeavesKeyPixelsUntouchedWhenTransparent) {
    const Bitmap strip = MakeBitmap(4, 4, [](int x, int) { return x < 2 ? kKey : kBlue; });
    Target target(8, 8);
    skin::DrawCentredFrame(target.dc(), {0, 0, 8, 8}, strip, true, 1, 1);
    EXPECT_EQ(target.At(2, 3), kWhite);
    EXPECT_EQ(target.At(3, 3), kWhite);
    EXPECT_EQ(target.At(4, 3), kBlue);
    EXPECT_EQ(target.At(5, 5), kBlue);
}

TEST(StretchWithEnds, KeepsTheEndsAndStretchesTheMiddle) {
    // Ends 2 wide, a 4-pixel middle stretched to 12: each middle column 3 times.
    const Bitmap strip = MakeBitmap(8, 1, [](int x, int) { return Mark(x, 0); });
    Target target(20, 5);
    skin::StretchWithEnds(target.dc(), {2, 1, 18, 4}, strip, false, 1, 1, {2, 0, 2, 0});
    for (int x = 0; x < 16; ++x) {
        const Color expected = x < 2 ? Mark(x, 0) : x >= 14 ? Mark(x - 8, 0) : Mark(2 + (x - 2) / 3, 0);
        EXPECT_EQ(target.At(2 + x, 2), expected) << "at " << x;
    }
    EXPECT_EQ(target.At(1, 2), kWhite);
    EXPECT_EQ(target.At(18, 2), kWhite);
    EXPECT_EQ(target.At(5, 0), kWhite);
}

TEST(StretchWithEnds, StretchesACellWiderThanTheRectangleWhole) {
    // With ends 3 and 3 kept, column 1 would come from the blue right end.
    const Bitmap strip = MakeBitmap(8, 1, [](int x, int) { return x < 4 ? kRed : kBlue; });
    Target target(4, 1);
    skin::StretchWithEnds(target.dc(), {0, 0, 4, 1}, strip, false, 1, 1, {3, 0, 3, 0});
    EXPECT_EQ(target.At(0, 0), kRed);
    EXPECT_EQ(target.At(1, 0), kRed);
    EXPECT_EQ(target.At(2, 0), kBlue);
    EXPECT_EQ(target.At(3, 0), kBlue);
}

TEST(Tile, RepeatsTheSourcePartWithWholeTilesPastTheRectangle) {
    const Bitmap picture = MakeBitmap(6, 4, [](int x, int y) { return Mark(x, y); });
    Target target(20, 20);
    // A 3 x 2 part over 10 x 5: 4 x 3 whole tiles, reaching (14, 8).
    skin::TileBitmap(target.dc(), {2, 2, 12, 7}, picture, {1, 1, 4, 3});
    for (int y = 2; y < 8; ++y) {
        for (int x = 2; x < 14; ++x) {
            ASSERT_EQ(target.At(x, y), Mark(1 + (x - 2) % 3, 1 + (y - 2) % 2)) << "at " << x << "," << y;
        }
    }
    EXPECT_EQ(target.At(14, 4), kWhite);
    EXPECT_EQ(target.At(4, 8), kWhite);
    EXPECT_EQ(target.At(1, 2), kWhite);
}

TEST(Tile, LaysOutOnlyTheTilesInsideTheClipBoxInTheirPhase) {
    // A 3 x 2 part of named pixels. Whole tiles from dest's top-left; the
    // target shows exactly those inside its clip box, in phase with dest
    // however far away dest starts, and a destination far larger than any
    // bitmap costs only its visible part.
    const Bitmap picture = MakeBitmap(6, 4, [](int x, int y) { return Mark(x, y); });
    constexpr LONG kFar = LONG(1) << 26;
    struct Case {
        const char* name;
        RECT dest;
        RECT clip;  // of the 20 x 20 target
    };
    const Case cases[] = {
        {"larger than any bitmap", {-kFar - 1, -kFar, kFar, kFar}, {0, 0, 20, 20}},
        {"clipped inside", {1, 2, 18, 17}, {5, 6, 12, 9}},
        {"clipped across its end", {1, 2, 11, 7}, {9, 5, 20, 20}},
        {"clipped away", {1, 2, 11, 7}, {15, 15, 20, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Target target(20, 20);
        IntersectClipRect(target.dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
        skin::TileBitmap(target.dc(), c.dest, picture, {1, 1, 4, 3});
        const int64_t tilesRight = c.dest.left + (int64_t(c.dest.right) - c.dest.left + 2) / 3 * 3;
        const int64_t tilesBottom = c.dest.top + (int64_t(c.dest.bottom) - c.dest.top + 1) / 2 * 2;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const POINT point{x, y};
                const bool painted = PtInRect(&c.clip, point) && x >= c.dest.left && x < tilesRight &&
                                     y >= c.dest.top && y < tilesBottom;
                const Color expected = painted ? Mark(1 + int((x - int64_t(c.dest.left)) % 3),
                                                      1 + int((y - int64_t(c.dest.top)) % 2))
                                               : kWhite;
                ASSERT_EQ(target.At(x, y), expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST(Tile, CutsASourceReachingPastThePicture) {
    // (4, 2) to (9, 9) of a 6 x 4 picture is its 2 x 2 bottom-right corner.
    const Bitmap picture = MakeBitmap(6, 4, [](int x, int y) { return Mark(x, y); });
    Target target(8, 8);
    skin::TileBitmap(target.dc(), {0, 0, 6, 4}, picture, {4, 2, 9, 9});
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(target.At(x, y), Mark(4 + x % 2, 2 + y % 2)) << "at " << x << "," << y;
        }
    }
    EXPECT_EQ(target.At(6, 0), kWhite);
    EXPECT_EQ(target.At(0, 4), kWhite);
}

TEST(Tile, DrawsNothingForAnEmptySourceOrDestination) {
    const Bitmap picture = Filled(6, 4, kRed);
    const RECT sources[] = {{1, 1, 1, 3}, {4, 1, 1, 3}, {6, 0, 9, 3}};
    for (const RECT& source : sources) {
        Target target(8, 8);
        skin::TileBitmap(target.dc(), {0, 0, 8, 8}, picture, source);
        EXPECT_EQ(target.At(0, 0), kWhite);
    }
    Target target(8, 8);
    skin::TileBitmap(target.dc(), {5, 5, 5, 8}, picture, {0, 0, 2, 2});
    EXPECT_EQ(target.At(5, 5), kWhite);
}

TEST(Transparent, CopiesAllButKeyPixelsFor24And32BitPictures) {
    struct Case {
        const char* name;
        ui::PixelFormat format;
        Color key;
    };
    const Case cases[] = {
        {"24 bits, magenta", ui::PixelFormat::Bit24, kKey},
        {"32 bits, magenta", ui::PixelFormat::Bit32, kKey},
        {"24 bits, green key", ui::PixelFormat::Bit24, kGreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto keyed = [&](int x, int y) { return (x + y) % 3 == 0; };
        const Bitmap picture =
            MakeBitmap(6, 4, [&](int x, int y) { return keyed(x, y) ? c.key : Mark(x, y); }, c.format);
        Target target(12, 8);
        skin::DrawTransparent(target.dc(), {3, 2, 9, 6}, picture, c.key);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                ASSERT_EQ(target.At(3 + x, 2 + y), keyed(x, y) ? kWhite : Mark(x, y)) << "at " << x << "," << y;
            }
        }
        EXPECT_EQ(target.At(2, 2), kWhite);
        EXPECT_EQ(target.At(9, 5), kWhite);
    }
}

// A white 16 x 12 drawing surface of one kind, read back as a 24-bit bitmap.
class Surface {
public:
    enum class Kind { Dib24, Dib32, BottomUpDib, DeviceBitmap };

    explicit Surface(Kind kind) {
        if (kind == Kind::DeviceBitmap || kind == Kind::BottomUpDib) {
            const ui::WindowDc screen(nullptr);
            device_.reset(kind == Kind::DeviceBitmap ? CreateCompatibleBitmap(screen.get(), 16, 12) : BottomUp());
            deviceDc_.reset(CreateCompatibleDC(screen.get()));
            previous_ = SelectObject(deviceDc_.get(), device_.get());
            PatBlt(deviceDc_.get(), 0, 0, 16, 12, WHITENESS);
        } else {
            dib_ = Filled(16, 12, kWhite);
            dib_.SetFormat(kind == Kind::Dib24 ? ui::PixelFormat::Bit24 : ui::PixelFormat::Bit32);
        }
    }
    ~Surface() {
        if (deviceDc_) {
            SelectObject(deviceDc_.get(), previous_);
        }
    }

    HDC dc() { return deviceDc_ ? deviceDc_.get() : dib_.GetCanvas().Handle(); }

    Bitmap Read() {
        if (!deviceDc_) {
            Bitmap copy = dib_;
            copy.SetFormat(ui::PixelFormat::Bit24);
            return copy;
        }
        SelectObject(deviceDc_.get(), previous_);  // GetDIBits wants it unselected
        Bitmap copy;
        copy.AssignFromHandle(device_.get());
        SelectObject(deviceDc_.get(), device_.get());
        return copy;
    }

private:
    // A 24-bit DIB section with its bottom row first in memory.
    static HBITMAP BottomUp() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 16;
        info.bmiHeader.biHeight = 12;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }

    Bitmap dib_;
    ui::UniqueBitmap device_;
    ui::UniqueMemoryDc deviceDc_;
    HGDIOBJ previous_ = nullptr;
};

TEST(Transparent, KeyedCopiesAgreeOnEveryKindOfTarget) {
    // DIB targets, top-down or bottom-up, take the direct row path unless
    // their clipping is complex; the device bitmap and the complex clip go
    // through GDI's masked copy.
    using Kind = Surface::Kind;
    struct Case {
        const char* name;
        Kind kind;
        POINT viewport;  // device position of the logical origin
        std::vector<RECT> clip;  // none: unclipped
    };
    const Case cases[] = {
        {"24-bit DIB", Kind::Dib24, {0, 0}, {}},
        {"32-bit DIB", Kind::Dib32, {0, 0}, {}},
        {"device bitmap", Kind::DeviceBitmap, {0, 0}, {}},
        {"bottom-up DIB", Kind::BottomUpDib, {0, 0}, {}},
        {"bottom-up DIB clipped, moved origin", Kind::BottomUpDib, {2, -1}, {{1, 4, 12, 9}}},
        {"DIB with a moved origin", Kind::Dib24, {-3, 2}, {}},
        {"DIB clipped to a rectangle", Kind::Dib24, {0, 0}, {{4, 3, 9, 7}}},
        {"DIB clipped to two rectangles", Kind::Dib32, {0, 0}, {{2, 2, 6, 12}, {8, 0, 10, 5}}},
        {"device bitmap clipped, moved origin", Kind::DeviceBitmap, {1, 1}, {{0, 0, 7, 12}}},
    };
    const Bitmap picture = MakeBitmap(8, 6, [](int x, int y) { return (x * y) % 4 == 1 ? kKey : Mark(x, y); });
    const POINT at{3, 2};  // logical
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface(c.kind);
        const HDC dc = surface.dc();
        {
            const ui::SavedDcState saved(dc);
            SetViewportOrgEx(dc, c.viewport.x, c.viewport.y, nullptr);
            if (!c.clip.empty()) {
                ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
                for (const RECT& r : c.clip) {
                    const ui::UniqueRegion part(CreateRectRgnIndirect(&r));
                    CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
                }
                SelectClipRgn(dc, region.get());
            }
            skin::DrawTransparent(dc, {at.x, at.y, at.x + 8, at.y + 6}, picture);
        }
        const Bitmap result = surface.Read();
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 16; ++x) {
                const POINT device{x, y};
                const int px = x - c.viewport.x - at.x;
                const int py = y - c.viewport.y - at.y;
                const bool clipped = !c.clip.empty() && std::none_of(c.clip.begin(), c.clip.end(), [&](const RECT& r) {
                    return PtInRect(&r, device) != FALSE;
                });
                const bool inside = px >= 0 && px < 8 && py >= 0 && py < 6;
                const ui::Color expected =
                    inside && !clipped && picture.PixelAt(px, py) != kKey ? picture.PixelAt(px, py) : kWhite;
                ASSERT_EQ(result.PixelAt(x, y), expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST(Transparent, CopiesNoMoreThanTheRectangle) {
    const Bitmap picture = Filled(6, 4, kRed);
    Target target(12, 8);
    skin::DrawTransparent(target.dc(), {3, 2, 6, 4}, picture);
    EXPECT_EQ(target.At(5, 3), kRed);
    EXPECT_EQ(target.At(6, 3), kWhite);
    EXPECT_EQ(target.At(5, 4), kWhite);
}

} // namespace
