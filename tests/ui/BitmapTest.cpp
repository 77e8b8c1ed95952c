// Bitmap, Canvas and Font against real GDI: row layout, copies, format
// changes, text and fills probed in the pixels, colour-keyed drawing, and the
// handles the canvas selects and releases.

#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using ui::Bitmap;
using ui::Canvas;
using ui::Color;
using ui::PixelFormat;

constexpr Color Rgb(int r, int g, int b) {
    return Color(r | (g << 8) | (b << 16));
}
constexpr int Red(Color c) { return c & 0xFF; }
constexpr int Green(Color c) { return (c >> 8) & 0xFF; }
constexpr int Blue(Color c) { return (c >> 16) & 0xFF; }

constexpr Color kBlue = Rgb(0, 0, 255);
constexpr Color kGreen = Rgb(0, 255, 0);

const char* FormatName(PixelFormat format) {
    return format == PixelFormat::Bit24 ? "24" : "32";
}

// Writes a distinct colour into every pixel through the rows.
void PaintPattern(Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            uint8_t* pixel = row + x * bitmap.BytesPerPixel();
            pixel[0] = uint8_t(x * 17 + 1);
            pixel[1] = uint8_t(y * 29 + 2);
            pixel[2] = uint8_t(x * 5 + y * 7 + 3);
            if (bitmap.BytesPerPixel() == 4) {
                pixel[3] = uint8_t(x + y * 10);
            }
        }
    }
}

Color PatternAt(int x, int y) {
    return Rgb((x * 5 + y * 7 + 3) & 0xFF, (y * 29 + 2) & 0xFF, (x * 17 + 1) & 0xFF);
}

void ExpectPattern(const Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            ASSERT_EQ(bitmap.PixelAt(x, y), PatternAt(x, y)) << "at " << x << "," << y;
        }
    }
}

int CountPixels(const Bitmap& bitmap, const RECT& area, bool (*match)(Color)) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += match(bitmap.PixelAt(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool IsReddish(Color c) {
    return Red(c) > 160 && Green(c) < 100 && Blue(c) < 100;
}
bool IsBlue(Color c) {
    return c == kBlue;
}
bool IsWhite(Color c) {
    return c == ui::clWhite;
}

HGDIOBJ CurrentFont(HDC dc) {
    return GetCurrentObject(dc, OBJ_FONT);
}

// --- Layout -----------------------------------------------------------------

struct LayoutCase {
    int width;
    PixelFormat format;
    int stride;
};

class BitmapLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(BitmapLayout, RowsAreTopDownWithDwordAlignedStride) {
    const LayoutCase& c = GetParam();
    Bitmap bitmap(c.width, 3, c.format);
    ASSERT_EQ(bitmap.Width(), c.width);
    ASSERT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Stride(), c.stride);
    EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), c.stride);
    EXPECT_EQ(bitmap.ScanLine(2) - bitmap.ScanLine(1), c.stride);

    // New pixels are zero, including the alpha byte and the row padding.
    for (int y = 0; y < 3; ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        EXPECT_EQ(std::vector<uint8_t>(row, row + c.stride), std::vector<uint8_t>(c.stride, 0)) << "row " << y;
    }

    // GDI and the rows agree on where a pixel is: the last pixel of the
    // middle row, painted by GDI, is found at the computed offset and nowhere
    // else.
    Canvas& canvas = bitmap.GetCanvas();
    canvas.brushColor = Rgb(0x11, 0x22, 0x33);
    canvas.FillRect(RECT{c.width - 1, 1, c.width, 2});
    const uint8_t* pixel = bitmap.ScanLine(1) + (c.width - 1) * bitmap.BytesPerPixel();
    EXPECT_EQ(pixel[0], 0x33);
    EXPECT_EQ(pixel[1], 0x22);
    EXPECT_EQ(pixel[2], 0x11);
    EXPECT_EQ(bitmap.PixelAt(c.width - 1, 0), ui::clBlack);
    EXPECT_EQ(bitmap.PixelAt(c.width - 1, 2), ui::clBlack);

    // And the other way round: pixels written through the rows reach GDI.
    PaintPattern(bitmap);
    Bitmap copy(c.width, 3, PixelFormat::Bit24);
    copy.GetCanvas().Draw(0, 0, bitmap);
    ExpectPattern(copy);
}

INSTANTIATE_TEST_SUITE_P(OddAndEvenWidths, BitmapLayout,
                         testing::Values(LayoutCase{1, PixelFormat::Bit24, 4}, LayoutCase{3, PixelFormat::Bit24, 12},
                                         LayoutCase{5, PixelFormat::Bit24, 16},
                                         LayoutCase{13, PixelFormat::Bit24, 40},
                                         LayoutCase{16, PixelFormat::Bit24, 48}, LayoutCase{1, PixelFormat::Bit32, 4},
                                         LayoutCase{7, PixelFormat::Bit32, 28}),
                         [](const testing::TestParamInfo<LayoutCase>& info) {
                             return "W" + std::to_string(info.param.width) + "Bpp" + FormatName(info.param.format);
                         });

TEST(Bitmap, ZeroOrNegativeSizeIsEmpty) {
    Bitmap bitmap(4, 4);
    for (auto [w, h] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{-3, 5}}) {
        bitmap.SetSize(4, 4);
        ASSERT_FALSE(bitmap.Empty());
        bitmap.SetSize(w, h);
        EXPECT_TRUE(bitmap.Empty());
        EXPECT_EQ(bitmap.Width(), 0);
        EXPECT_EQ(bitmap.Height(), 0);
        EXPECT_EQ(bitmap.Handle(), nullptr);
        EXPECT_EQ(bitmap.ScanLine(0), nullptr);
    }
    bitmap.SetSize(2, 2);
    EXPECT_EQ(bitmap.ScanLine(-1), nullptr);
    EXPECT_EQ(bitmap.ScanLine(2), nullptr);
    EXPECT_EQ(bitmap.PixelAt(2, 0), ui::clNone);
    EXPECT_EQ(bitmap.PixelAt(0, -1), ui::clNone);
    bitmap.Clear();
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
}

TEST(Bitmap, SetSizeToTheSameSizeBlanksThePixels) {
    Bitmap bitmap(3, 2, PixelFormat::Bit32);
    bitmap.Fill(ui::clWhite);
    bitmap.SetSize(3, 2);
    EXPECT_EQ(bitmap.PixelAt(2, 1), ui::clBlack);
    EXPECT_EQ(bitmap.ScanLine(1)[2 * 4 + 3], 0);
}

TEST(Bitmap, FillIsOpaqueAndResolvesSystemColours) {
    for (PixelFormat format : {PixelFormat::Bit24, PixelFormat::Bit32}) {
        Bitmap bitmap(5, 3, format);
        bitmap.Fill(Rgb(10, 20, 30));
        EXPECT_EQ(bitmap.PixelAt(4, 2), Rgb(10, 20, 30)) << FormatName(format);
        if (format == PixelFormat::Bit32) {
            EXPECT_EQ(bitmap.ScanLine(2)[4 * 4 + 3], 0xFF);
        }
        bitmap.Fill(ui::clBtnFace);
        EXPECT_EQ(bitmap.PixelAt(0, 0), Color(GetSysColor(COLOR_BTNFACE))) << FormatName(format);
    }
}

// --- Copies and moves ---------------------------------------------------------

TEST(Bitmap, CopyIsDeepAndKeepsTheTransparency) {
    Bitmap original(5, 3, PixelFormat::Bit24);
    PaintPattern(original);
    original.transparent = true;
    original.transparentColor = kGreen;

    Bitmap copy(original);
    EXPECT_NE(copy.Handle(), original.Handle());
    EXPECT_TRUE(copy.transparent);
    EXPECT_EQ(copy.transparentColor, kGreen);
    ExpectPattern(copy);

    // Changing the original through its rows or through GDI leaves the copy.
    original.ScanLine(0)[0] = 0xEE;
    original.GetCanvas().brushColor = ui::clWhite;
    original.GetCanvas().FillRect(RECT{0, 1, 5, 3});
    ExpectPattern(copy);

    // Copy assignment into a bitmap of another shape.
    Bitmap assigned(2, 2, PixelFormat::Bit32);
    assigned = copy;
    EXPECT_EQ(assigned.Format(), PixelFormat::Bit24);
    ExpectPattern(assigned);
}

TEST(Bitmap, CanvasKeepsDrawingIntoTheBitmapAfterItIsReplaced) {
    Bitmap target(2, 2, PixelFormat::Bit32);
    Canvas& canvas = target.GetCanvas();
    const HBITMAP before = target.Handle();

    Bitmap source(6, 4, PixelFormat::Bit24);
    PaintPattern(source);
    target = source;  // a new DIB of another shape
    ASSERT_EQ(target.Width(), 6);
    // The old DIB was deselected before being deleted, so it is really gone.
    EXPECT_EQ(GetObjectType(before), 0u);

    canvas.brushColor = kBlue;
    canvas.FillRect(RECT{5, 3, 6, 4});
    EXPECT_EQ(target.PixelAt(5, 3), kBlue);
    EXPECT_EQ(source.PixelAt(5, 3), PatternAt(5, 3));

    const HBITMAP beforeResize = target.Handle();
    target.SetSize(9, 9);
    EXPECT_EQ(GetObjectType(beforeResize), 0u);
    canvas.FillRect(RECT{8, 8, 9, 9});
    EXPECT_EQ(target.PixelAt(8, 8), kBlue);
    EXPECT_EQ(target.PixelAt(7, 8), ui::clBlack);

    // Emptied and sized again: the canvas follows once more.
    target.Clear();
    target.SetSize(3, 3);
    canvas.FillRect(RECT{0, 0, 1, 1});
    EXPECT_EQ(target.PixelAt(0, 0), kBlue);
}

TEST(Bitmap, MoveTransfersPixelsAndCanvas) {
    Bitmap original(4, 2, PixelFormat::Bit24);
    PaintPattern(original);
    Canvas& canvas = original.GetCanvas();
    const HBITMAP handle = original.Handle();

    Bitmap moved(std::move(original));
    EXPECT_TRUE(original.Empty());
    EXPECT_EQ(original.Handle(), nullptr);
    EXPECT_EQ(moved.Handle(), handle);
    ExpectPattern(moved);
    EXPECT_EQ(&moved.GetCanvas(), &canvas);

    // Move assignment frees the target's old DIB and DC.
    Bitmap target(3, 3);
    Canvas& oldCanvas = target.GetCanvas();
    const HDC oldDc = oldCanvas.Handle();
    const HBITMAP oldHandle = target.Handle();
    target = std::move(moved);
    EXPECT_EQ(GetObjectType(oldHandle), 0u);
    EXPECT_EQ(GetObjectType(oldDc), 0u);
    EXPECT_EQ(target.Handle(), handle);
    canvas.brushColor = kGreen;
    canvas.FillRect(RECT{0, 0, 1, 1});
    EXPECT_EQ(target.PixelAt(0, 0), kGreen);
}

TEST(Bitmap, APictureInMemoryBecomesADibSectionOnlyWhenDrawn) {
    for (PixelFormat format : {PixelFormat::Bit24, PixelFormat::Bit32}) {
        SCOPED_TRACE(FormatName(format));
        Bitmap picture = Bitmap::InMemory(5, 3, format);
        EXPECT_FALSE(picture.HasGdiObject());
        EXPECT_EQ(picture.PixelAt(4, 2), ui::clBlack) << "new pixels are black, as in a DIB section";
        PaintPattern(picture);

        // Copies, resizes and format changes stay in memory with the pixels.
        Bitmap copy(picture);
        Bitmap converted = picture;
        converted.SetFormat(format == PixelFormat::Bit24 ? PixelFormat::Bit32 : PixelFormat::Bit24);
        Bitmap blanked = picture;
        blanked.SetSize(5, 3);
        for (const Bitmap* kept : {&picture, &copy, &converted, &blanked}) {
            EXPECT_FALSE(kept->HasGdiObject());
        }
        ExpectPattern(copy);
        ExpectPattern(converted);
        EXPECT_EQ(blanked.PixelAt(2, 1), ui::clBlack);

        // Drawn from: the DIB section holds what the memory held.
        Bitmap target(5, 3, PixelFormat::Bit24);
        target.GetCanvas().Draw(0, 0, picture);
        EXPECT_TRUE(picture.HasGdiObject());
        EXPECT_NE(GetObjectType(picture.Handle()), 0u);
        ExpectPattern(target);
        ExpectPattern(picture);

        // Drawn on: the canvas paints into the pixels the rows show.
        copy.GetCanvas().brushColor = kBlue;
        copy.GetCanvas().FillRect(RECT{0, 0, 1, 1});
        EXPECT_TRUE(copy.HasGdiObject());
        EXPECT_EQ(copy.PixelAt(0, 0), kBlue);
        EXPECT_EQ(copy.PixelAt(1, 0), PatternAt(1, 0));

        // Copied into a bitmap that has a canvas: the canvas draws into the copy.
        Bitmap withCanvas(2, 2, format);
        Canvas& canvas = withCanvas.GetCanvas();
        withCanvas = converted;
        EXPECT_TRUE(withCanvas.HasGdiObject());
        canvas.brushColor = kGreen;
        canvas.FillRect(RECT{4, 2, 5, 3});
        EXPECT_EQ(withCanvas.PixelAt(4, 2), kGreen);
        EXPECT_EQ(withCanvas.PixelAt(3, 2), PatternAt(3, 2));
    }
}

// --- Format changes --------------------------------------------------------------

TEST(Bitmap, SetFormatKeepsThePixels) {
    for (auto [from, to] : {std::pair{PixelFormat::Bit24, PixelFormat::Bit32},
                            std::pair{PixelFormat::Bit32, PixelFormat::Bit24}}) {
        SCOPED_TRACE(std::string(FormatName(from)) + " to " + FormatName(to));
        Bitmap bitmap(5, 3, from);
        PaintPattern(bitmap);
        Canvas& canvas = bitmap.GetCanvas();
        const HBITMAP before = bitmap.Handle();
        bitmap.SetFormat(to);
        ASSERT_EQ(bitmap.Format(), to);
        EXPECT_EQ(bitmap.Stride(), to == PixelFormat::Bit24 ? 16 : 20);
        ExpectPattern(bitmap);
        if (to == PixelFormat::Bit32) {
            EXPECT_EQ(bitmap.ScanLine(2)[4 * 4 + 3], 0xFF) << "converted pixels are opaque";
        }
        EXPECT_EQ(GetObjectType(before), 0u);
        canvas.brushColor = kBlue;
        canvas.FillRect(RECT{0, 0, 1, 1});
        EXPECT_EQ(bitmap.PixelAt(0, 0), kBlue);
    }
}

TEST(Bitmap, AssignFromHandleCopiesAnyBitmapTheRightWayUp) {
    // A device-dependent bitmap painted through GDI.
    const HDC screen = GetDC(nullptr);
    ui::UniqueBitmap device(CreateCompatibleBitmap(screen, 7, 5));
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(device);
    {
        ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        ui::SelectObjectScope selection(dc.get(), device.get());
        Canvas canvas(dc.get());
        canvas.brushColor = kGreen;
        canvas.FillRect(RECT{0, 0, 7, 5});
        canvas.brushColor = kBlue;
        canvas.FillRect(RECT{6, 0, 7, 1});
    }
    Bitmap fromDevice;
    fromDevice.AssignFromHandle(device.get(), PixelFormat::Bit32);
    EXPECT_EQ(fromDevice.Width(), 7);
    EXPECT_EQ(fromDevice.Height(), 5);
    EXPECT_EQ(fromDevice.Format(), PixelFormat::Bit32);
    EXPECT_EQ(fromDevice.PixelAt(6, 0), kBlue);
    EXPECT_EQ(fromDevice.PixelAt(6, 4), kGreen);

    // A bottom-up 24-bit DIB whose first stored row is the bottom one.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    ui::UniqueBitmap bottomUp(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bottomUp);
    std::memset(bits, 0, 2 * 12);
    static_cast<uint8_t*>(bits)[2] = 0xFF;  // stored row 0 = bottom row: red at (0, 1)
    Bitmap fromDib;
    fromDib.AssignFromHandle(bottomUp.get());
    EXPECT_EQ(fromDib.Format(), PixelFormat::Bit24);
    EXPECT_EQ(fromDib.PixelAt(0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(fromDib.PixelAt(0, 0), ui::clBlack);

    fromDib.AssignFromHandle(nullptr);
    EXPECT_TRUE(fromDib.Empty());
}

// --- Canvas ---------------------------------------------------------------------

TEST(Canvas, TextIsDrawnInTheFontColourOnTheBrushColour) {
    Bitmap bitmap(120, 40);
    bitmap.Fill(ui::clWhite);
    Canvas& canvas = bitmap.GetCanvas();
    canvas.font.color = Rgb(255, 0, 0);
    canvas.font.height = 20;
    canvas.brushColor = kBlue;
    const SIZE extent = canvas.TextExtent(L"WM信息");
    ASSERT_GT(extent.cx, 20);
    ASSERT_GE(extent.cy, 18);
    canvas.TextOut(10, 5, L"WM信息");
    const RECT cell{10, 5, 10 + extent.cx, 5 + extent.cy};
    EXPECT_GT(CountPixels(bitmap, cell, IsReddish), 10);
    EXPECT_GT(CountPixels(bitmap, cell, IsBlue), 10);
    // Nothing outside the text cell.
    EXPECT_EQ(CountPixels(bitmap, RECT{0, 0, 120, 5}, IsWhite), 120 * 5);
    EXPECT_EQ(CountPixels(bitmap, RECT{cell.right, 0, 120, 40}, IsWhite), (120 - cell.right) * 40);

    // With a clear brush the background stays as it was.
    bitmap.Fill(ui::clWhite);
    canvas.brushClear = true;
    canvas.TextOut(10, 5, L"WM信息");
    EXPECT_GT(CountPixels(bitmap, cell, IsReddish), 10);
    EXPECT_EQ(CountPixels(bitmap, cell, IsBlue), 0);
}

TEST(Canvas, DrawTextMeasuresAndDrawsInsideTheRectangle) {
    Bitmap bitmap(100, 40);
    bitmap.Fill(ui::clWhite);
    Canvas& canvas = bitmap.GetCanvas();
    canvas.font.color = Rgb(255, 0, 0);
    canvas.brushClear = true;

    RECT measured{0, 0, 0, 0};
    canvas.DrawText(L"Hello", measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.right, canvas.TextWidth(L"Hello"));
    EXPECT_EQ(measured.bottom, canvas.TextHeight(L"Hello"));
    EXPECT_EQ(CountPixels(bitmap, RECT{0, 0, 100, 40}, IsWhite), 100 * 40) << "DT_CALCRECT draws nothing";

    RECT area{50, 0, 100, 40};
    canvas.DrawText(L"Hello", area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_GT(CountPixels(bitmap, area, IsReddish), 5);
    EXPECT_EQ(CountPixels(bitmap, RECT{0, 0, 50, 40}, IsWhite), 50 * 40);
}

TEST(Canvas, FillFrameAndLine) {
    Bitmap bitmap(12, 12);
    bitmap.Fill(ui::clWhite);
    Canvas& canvas = bitmap.GetCanvas();

    canvas.brushColor = kBlue;
    canvas.FrameRect(RECT{1, 1, 11, 11});
    EXPECT_EQ(bitmap.PixelAt(1, 1), kBlue);
    EXPECT_EQ(bitmap.PixelAt(10, 5), kBlue);
    EXPECT_EQ(bitmap.PixelAt(5, 10), kBlue);
    EXPECT_EQ(bitmap.PixelAt(5, 5), ui::clWhite);
    EXPECT_EQ(bitmap.PixelAt(11, 11), ui::clWhite);

    canvas.brushColor = kGreen;
    canvas.brushClear = true;
    canvas.FillRect(RECT{2, 2, 10, 10});
    canvas.FrameRect(RECT{2, 2, 10, 10});
    EXPECT_EQ(bitmap.PixelAt(5, 5), ui::clWhite);
    EXPECT_EQ(bitmap.PixelAt(2, 2), ui::clWhite);
    canvas.brushClear = false;
    canvas.FillRect(RECT{2, 2, 10, 10});
    EXPECT_EQ(bitmap.PixelAt(5, 5), kGreen);
    EXPECT_EQ(bitmap.PixelAt(10, 10), kBlue) << "the right and bottom edges are exclusive";

    canvas.penColor = Rgb(255, 0, 0);
    canvas.MoveTo(0, 0);
    canvas.LineTo(12, 0);
    EXPECT_EQ(bitmap.PixelAt(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(bitmap.PixelAt(11, 0), Rgb(255, 0, 0));
    EXPECT_EQ(bitmap.PixelAt(11, 1), ui::clWhite);
}

TEST(Canvas, FontIsMadeOnceAndReplacedOnlyWhenChanged) {
    Bitmap bitmap(40, 40);
    Canvas& canvas = bitmap.GetCanvas();
    const HDC dc = canvas.Handle();
    canvas.TextOut(0, 0, L"a");
    const HGDIOBJ first = CurrentFont(dc);
    canvas.TextOut(0, 0, L"b");
    canvas.font.color = kBlue;  // colour is not part of the GDI font...
    canvas.TextOut(0, 0, L"c");
    EXPECT_EQ(CurrentFont(dc), first);

    canvas.font.bold = true;  // ...but the style is
    canvas.TextOut(0, 0, L"d");
    const HGDIOBJ second = CurrentFont(dc);
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old font is deleted once deselected";
    LOGFONTW selected{};
    ASSERT_NE(GetObjectW(second, sizeof selected, &selected), 0);
    EXPECT_EQ(selected.lfWeight, FW_BOLD);

    const int normalHeight = canvas.TextHeight(L"X");
    canvas.font.height = 30;
    EXPECT_GT(canvas.TextHeight(L"X"), normalHeight);
}

TEST(Canvas, PutsTheDcFontBackWhenLeavingIt) {
    ui::UniqueMemoryDc first(CreateCompatibleDC(nullptr));
    ui::UniqueMemoryDc second(CreateCompatibleDC(nullptr));
    const HGDIOBJ firstOriginal = CurrentFont(first.get());
    const HGDIOBJ secondOriginal = CurrentFont(second.get());
    HGDIOBJ made = nullptr;
    {
        Canvas canvas(first.get());
        canvas.SelectFont();
        made = CurrentFont(first.get());
        EXPECT_NE(made, firstOriginal);

        canvas.SetHandle(second.get());
        EXPECT_EQ(CurrentFont(first.get()), firstOriginal);
        canvas.SelectFont();
        EXPECT_EQ(CurrentFont(second.get()), made) << "the same font serves the next DC";
    }
    EXPECT_EQ(CurrentFont(second.get()), secondOriginal);
    EXPECT_EQ(GetObjectType(made), 0u);

    Canvas detached;
    detached.TextOut(0, 0, L"no DC");  // harmless
    EXPECT_EQ(detached.TextExtent(L"x").cx, 0);
}

// --- Drawing bitmaps ----------------------------------------------------------------

class CanvasDraw : public testing::TestWithParam<PixelFormat> {};

TEST_P(CanvasDraw, TransparentColourLeavesTheBackground) {
    Bitmap sprite(4, 4, GetParam());
    sprite.Fill(ui::clFuchsia);
    sprite.GetCanvas().brushColor = kGreen;
    sprite.GetCanvas().FillRect(RECT{1, 1, 3, 3});
    sprite.transparent = true;

    Bitmap target(8, 8);
    target.Fill(ui::clWhite);
    target.GetCanvas().Draw(2, 2, sprite);
    EXPECT_EQ(target.PixelAt(2, 2), ui::clWhite);
    EXPECT_EQ(target.PixelAt(5, 5), ui::clWhite);
    EXPECT_EQ(target.PixelAt(3, 3), kGreen);
    EXPECT_EQ(target.PixelAt(4, 4), kGreen);

    // Another key colour.
    sprite.transparentColor = kGreen;
    target.Fill(ui::clWhite);
    target.GetCanvas().Draw(2, 2, sprite);
    EXPECT_EQ(target.PixelAt(2, 2), ui::clFuchsia);
    EXPECT_EQ(target.PixelAt(3, 3), ui::clWhite);

    // Opaque drawing copies every pixel.
    sprite.transparent = false;
    target.GetCanvas().Draw(2, 2, sprite);
    EXPECT_EQ(target.PixelAt(2, 2), ui::clFuchsia);
    EXPECT_EQ(target.PixelAt(3, 3), kGreen);
    EXPECT_EQ(target.PixelAt(1, 1), ui::clWhite);
    EXPECT_EQ(target.PixelAt(6, 6), ui::clWhite);
}

TEST_P(CanvasDraw, StretchDrawScalesTheWholeBitmap) {
    Bitmap sprite(2, 2, GetParam());
    sprite.Fill(kBlue);
    sprite.GetCanvas().brushColor = kGreen;
    sprite.GetCanvas().FillRect(RECT{1, 1, 2, 2});

    Bitmap target(10, 10);
    target.Fill(ui::clWhite);
    target.GetCanvas().StretchDraw(RECT{2, 2, 6, 6}, sprite);
    EXPECT_EQ(target.PixelAt(2, 2), kBlue);
    EXPECT_EQ(target.PixelAt(3, 3), kBlue);
    EXPECT_EQ(target.PixelAt(4, 4), kGreen);
    EXPECT_EQ(target.PixelAt(5, 5), kGreen);
    EXPECT_EQ(target.PixelAt(6, 6), ui::clWhite);

    sprite.transparent = true;
    sprite.transparentColor = kBlue;
    target.Fill(ui::clWhite);
    target.GetCanvas().StretchDraw(RECT{0, 0, 4, 4}, sprite);
    EXPECT_EQ(target.PixelAt(1, 1), ui::clWhite);
    EXPECT_EQ(target.PixelAt(3, 3), kGreen);
}

INSTANTIATE_TEST_SUITE_P(Formats, CanvasDraw, testing::Values(PixelFormat::Bit24, PixelFormat::Bit32),
                         [](const testing::TestParamInfo<PixelFormat>& info) {
                             return std::string("Bpp") + FormatName(info.param);
                         });

TEST(Canvas, DrawsABitmapOntoItsOwnCanvasAndFromAnotherDc) {
    Bitmap bitmap(6, 2);
    bitmap.Fill(ui::clWhite);
    Canvas& canvas = bitmap.GetCanvas();
    canvas.brushColor = kBlue;
    canvas.FillRect(RECT{0, 0, 1, 1});

    // The bitmap is selected in its own DC; drawing it elsewhere must use that DC.
    Bitmap other(6, 2);
    other.GetCanvas().Draw(0, 0, bitmap);
    EXPECT_EQ(other.PixelAt(0, 0), kBlue);

    canvas.CopyRect(RECT{3, 0, 4, 1}, other.GetCanvas().Handle(), RECT{0, 0, 1, 1});
    EXPECT_EQ(bitmap.PixelAt(3, 0), kBlue);
    EXPECT_EQ(bitmap.PixelAt(3, 1), ui::clWhite);
}

// --- Font -------------------------------------------------------------------------------

struct LogFontCase {
    const wchar_t* face;
    BYTE charset;
};

TEST(Font, ChineseFacesAskForTheChineseCharset) {
    const LogFontCase cases[] = {
        {L"宋体", GB2312_CHARSET},  {L"微软雅黑", GB2312_CHARSET}, {L"SimSun", GB2312_CHARSET},
        {L"simhei", GB2312_CHARSET}, {L"Tahoma", DEFAULT_CHARSET},   {L"", DEFAULT_CHARSET},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        ui::Font font;
        font.name = cases[i].face;
        EXPECT_EQ(font.ToLogFont().lfCharSet, cases[i].charset) << "case " << i;
    }
}

TEST(Font, LogFontRoundTrip) {
    ui::Font font;
    font.name = L"Tahoma";
    font.height = 15;
    font.bold = true;
    font.underline = true;
    font.color = kBlue;
    const LOGFONTW logFont = font.ToLogFont();
    EXPECT_EQ(logFont.lfHeight, -15);
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);
    EXPECT_FALSE(logFont.lfItalic);
    EXPECT_TRUE(logFont.lfUnderline);
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
    EXPECT_EQ(ui::Font::FromLogFont(logFont, kBlue), font);

    ui::Font plain;
    EXPECT_EQ(plain.ToLogFont().lfWeight, FW_NORMAL);
    EXPECT_EQ(ui::Font::FromLogFont(plain.ToLogFont()), plain);
}

TEST(Font, FromLogFontReadsEitherHeightSign) {
    LOGFONTW logFont{};
    wcscpy(logFont.lfFaceName, L"宋体");
    logFont.lfWeight = FW_NORMAL;
    logFont.lfItalic = TRUE;
    for (auto [stored, expected] : {std::pair{-14, 14}, std::pair{16, 16}, std::pair{0, 0}}) {
        logFont.lfHeight = stored;
        const ui::Font font = ui::Font::FromLogFont(logFont);
        EXPECT_EQ(font.height, expected) << stored;
        EXPECT_EQ(font.name, L"宋体");
        EXPECT_TRUE(font.italic);
        EXPECT_FALSE(font.bold);
    }
    logFont.lfWeight = FW_SEMIBOLD;
    EXPECT_FALSE(ui::Font::FromLogFont(logFont).bold);
    logFont.lfWeight = FW_HEAVY;
    EXPECT_TRUE(ui::Font::FromLogFont(logFont).bold);
}

TEST(Font, OverlongFaceNameIsCutToFit) {
    ui::Font font;
    font.name = std::wstring(100, L'x');
    const LOGFONTW logFont = font.ToLogFont();
    EXPECT_EQ(std::wstring(logFont.lfFaceName), std::wstring(LF_FACESIZE - 1, L'x'));
    const ui::UniqueFont made = font.Create();
    EXPECT_TRUE(made);
}

} // namespace
