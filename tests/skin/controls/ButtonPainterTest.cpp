// The push, bit, drop-down and speed button painters read back by pixel: the
// strip cell each state chooses, the background around the skin frame, the
// caption's line break and the glyph layout.

#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinButton.h"
#include "tests/skin/controls/ButtonPainterFixture.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/DropDownButton.h"
#include "ui/SpeedButton.h"

#include <functional>
#include <string>

namespace {

using buttontest::CellColour;
using buttontest::kFace;
using buttontest::kParentColour;
using buttontest::Snapshot;

struct ButtonPainterTest : buttontest::FormFixture {
    template <class T>
    T& NewButton(int top = 20) {
        auto& button = form.Create<T>();
        button.SetParent(&form);
        button.SetBounds(20, top, 100, 30);
        button.SetCaption(L"确定");
        button.Handle();
        return button;
    }
};

struct FrameCase {
    const char* name;
    std::function<void(ui::Button&)> arrange;
    int pushFrame;      // push and bit buttons
    int dropDownFrame;  // drop-down buttons: focus is hot, default does not count
};

const FrameCase kFrameCases[] = {
    {"rest", [](ui::Button&) {}, 1, 1},
    {"hot", [](ui::Button& b) { SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }, 4, 4},
    {"pressed", [](ui::Button& b) { SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }, 2, 2},
    {"focused", [](ui::Button& b) { b.SetFocus(); }, 5, 4},
    {"default", [](ui::Button& b) { b.SetPropertyText("Default", "True"); }, 5, 1},
    {"disabled", [](ui::Button& b) { b.SetEnabled(false); }, 3, 3},
    {"disabled and hovered",
     [](ui::Button& b) {
         b.SetEnabled(false);
         SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
     },
     3, 3},
};

TEST_F(ButtonPainterTest, EachStateDrawsItsStripCell) {
    struct Kind {
        const char* name;
        std::function<ui::Button&()> make;
        skin::PainterKind painter;
        bool dropDown;
    } kinds[] = {
        {"push", [&]() -> ui::Button& { return NewButton<ui::Button>(); }, skin::PainterKind::Button, false},
        {"bit", [&]() -> ui::Button& { return NewButton<ui::BitBtn>(); }, skin::PainterKind::BitButton, false},
        {"drop-down", [&]() -> ui::Button& { return NewButton<ui::DropDownButton>(); }, skin::PainterKind::MenuButton,
         true},
    };
    for (const Kind& kind : kinds) {
        for (const FrameCase& frame : kFrameCases) {
            SCOPED_TRACE(std::string(kind.name) + " " + frame.name);
            ui::Button& button = kind.make();
            Paint(button, kind.painter);
            frame.arrange(button);
            const int expected = kind.dropDown ? frame.dropDownFrame : frame.pushFrame;
            EXPECT_EQ(Snapshot(button.Handle()).PixelAt(2, 2), CellColour(expected));
            delete &button;
        }
    }
}

TEST_F(ButtonPainterTest, ReleaseAndMouseLeaveBringTheRestCellBack) {
    auto& button = NewButton<ui::Button>();
    Paint(button, skin::PainterKind::Button);
    int clicks = 0;
    button.OnClick = [&](ui::Control&) { ++clicks; };
    const HWND window = button.Handle();
    form.SetFocus();  // the press focuses the button; a focused button shows cell 5
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Snapshot(window).PixelAt(2, 2), CellColour(2));
    EXPECT_EQ(GetFocus(), window);
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Snapshot(window).PixelAt(2, 2), CellColour(5));
    // Released after leaving: no click.
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 0);
    // Pressed and released inside: one click, and the hot cell while the mouse stays.
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Snapshot(window).PixelAt(2, 2), CellColour(4));
}

// Cells with key-coloured corners: what shows there is the background.
TEST_F(ButtonPainterTest, TagFiveThousandFiveHundredFiftyFiveShowsTheParentAroundTheFrame) {
    for (int x = 0; x < skin->Buttons->Bitmap.Width(); ++x) {
        skin->Buttons->Bitmap.ScanLine(0)[3 * x] = 0xFF;
        skin->Buttons->Bitmap.ScanLine(0)[3 * x + 1] = 0x00;
        skin->Buttons->Bitmap.ScanLine(0)[3 * x + 2] = 0xFF;
    }
    skin->Buttons->Trans = 1;
    skin->Buttons->Margins = RECT{4, 4, 4, 4};
    struct {
        intptr_t tag;
        bool transparentOption;
        ui::Color background;
    } cases[] = {{0, false, kFace}, {5555, false, kParentColour}, {0, true, kParentColour}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        if (c.transparentOption) {
            skin->Options.Include(skin::xoTransparent);
        }
        auto& button = NewButton<ui::Button>();
        button.tag = c.tag;
        auto& painter = static_cast<skin::TSkinButton&>(Paint(button, skin::PainterKind::Button));
        EXPECT_EQ(painter.ParentBackground(), c.background == kParentColour);
        const ui::Bitmap shot = Snapshot(button.Handle());
        EXPECT_EQ(shot.PixelAt(10, 0), c.background);
        EXPECT_EQ(shot.PixelAt(10, 1), CellColour(1));
        delete &button;
        skin->Options.Exclude(skin::xoTransparent);
    }
}

// Rows holding caption ink, grouped into runs of neighbouring rows.
int InkBands(const ui::Bitmap& shot, ui::Color background) {
    int bands = 0;
    bool previousInk = false;
    for (int y = 0; y < shot.Height(); ++y) {
        bool ink = false;
        for (int x = 0; x < shot.Width() && !ink; ++x) {
            ink = shot.PixelAt(x, y) != background;
        }
        bands += ink && !previousInk ? 1 : 0;
        previousInk = ink;
    }
    return bands;
}

TEST_F(ButtonPainterTest, OnlyTheFirstDoubleBarBreaksTheCaption) {
    auto& button = NewButton<ui::Button>();
    button.SetBounds(20, 20, 200, 60);
    auto& painter = Paint(button, skin::PainterKind::Button);
    SetFocus(form.Handle());  // no focus rectangle among the caption's rows
    const struct {
        const wchar_t* caption;
        const wchar_t* drawn;
        int lines;
    } cases[] = {
        {L"上行||下行", L"上行\r\n下行", 2},
        {L"甲||乙||丙", L"甲\r\n乙||丙", 2},
        {L"一行", L"一行", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ui::WideToUtf8(c.caption));
        button.SetCaption(c.caption);
        const ui::Bitmap shot = Snapshot(button.Handle());
        EXPECT_EQ(painter.Text(), c.drawn);
        EXPECT_EQ(InkBands(shot, CellColour(1)), c.lines);
    }
}

// The leftmost and rightmost columns holding a pixel that `wanted` accepts, or -1.
std::pair<int, int> ColumnsWhere(const ui::Bitmap& shot, const std::function<bool(ui::Color)>& wanted) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < shot.Width(); ++x) {
        for (int y = 0; y < shot.Height(); ++y) {
            if (wanted(shot.PixelAt(x, y))) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

constexpr ui::Color kGlyphColour = 0x2020E0;
constexpr ui::Color kGlyphKey = 0x00FF00;

// A glyph of 16 x 16 in kGlyphColour whose bottom-left pixel (the key) is
// transparent.
ui::Bitmap SolidGlyph() {
    ui::Bitmap glyph(16, 16);
    glyph.Fill(kGlyphColour);
    uint8_t* corner = glyph.ScanLine(15);
    corner[0] = 0x00;
    corner[1] = 0xFF;
    corner[2] = 0x00;
    return glyph;
}

TEST_F(ButtonPainterTest, MarginAndSpacingMinusOneSplitTheFreeWidthInThree) {
    auto& button = NewButton<ui::BitBtn>();
    button.SetBounds(20, 20, 160, 30);
    button.SetCaption(L"确定确定");
    button.glyphs.glyph = SolidGlyph();
    button.SetPropertyText("Margin", "-1");
    button.SetPropertyText("Spacing", "-1");
    Paint(button, skin::PainterKind::BitButton);
    SetFocus(form.Handle());
    const ui::Bitmap shot = Snapshot(button.Handle());

    // The caption's width as the painter measures it.
    ui::Bitmap measureBuffer(1, 1);
    ui::Canvas& canvas = measureBuffer.GetCanvas();
    canvas.font = button.GetFont();
    RECT measure{2, 2, 160 - 2 - 18, 30 - 2};
    canvas.DrawText(L"确定确定", measure, DT_CALCRECT | DT_WORDBREAK);
    const int tw = measure.right - measure.left;
    const int part = (160 - (16 + tw)) / 3;

    const auto [glyphLeft, glyphRight] = ColumnsWhere(shot, [](ui::Color c) { return c == kGlyphColour; });
    EXPECT_EQ(glyphLeft, part);
    EXPECT_EQ(glyphRight, part + 15);
    const auto [inkLeft, inkRight] =
        ColumnsWhere(shot, [](ui::Color c) { return c != kGlyphColour && c != CellColour(1); });
    ASSERT_GE(inkLeft, 0);
    EXPECT_GE(inkLeft, part + 16 + part);
    EXPECT_LE(inkRight, part + 16 + part + tw);
    // Nothing of the glyph's key colour: it is transparent.
    EXPECT_EQ(ColumnsWhere(shot, [](ui::Color c) { return c == kGlyphKey; }).first, -1);
}

TEST(CalcLayout, PlacesGlyphAndCaptionByLayoutMarginAndSpacing) {
    using ui::ButtonLayout;
    const struct {
        const char* name;
        int margin;
        int spacing;
        ButtonLayout layout;
        SIZE text;
        POINT glyph;
        POINT textAt;
    } cases[] = {
        // 100 x 40 client, 16 x 16 glyph.
        {"three equal parts", -1, -1, ButtonLayout::GlyphLeft, {30, 12}, {18, 12}, {52, 14}},
        {"centred with spacing", -1, 4, ButtonLayout::GlyphLeft, {30, 12}, {25, 12}, {45, 14}},
        {"margin, spacing spread", 5, -1, ButtonLayout::GlyphLeft, {30, 12}, {5, 12}, {45, 14}},
        {"glyph right", 5, 4, ButtonLayout::GlyphRight, {30, 12}, {79, 12}, {45, 14}},
        {"glyph top", 2, 3, ButtonLayout::GlyphTop, {30, 12}, {42, 2}, {35, 21}},
        {"glyph bottom", 2, 3, ButtonLayout::GlyphBottom, {30, 12}, {42, 22}, {35, 7}},
        {"no caption: no spacing", -1, 4, ButtonLayout::GlyphLeft, {0, 0}, {42, 12}, {58, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        skin::GlyphTextSizes sizes;
        sizes.client = SIZE{100, 40};
        sizes.glyph = SIZE{16, 16};
        sizes.text = c.text;
        sizes.margin = c.margin;
        sizes.spacing = c.spacing;
        sizes.layout = c.layout;
        const skin::GlyphTextPlace place = skin::CalcLayout(sizes);
        EXPECT_EQ(place.glyph.x, c.glyph.x);
        EXPECT_EQ(place.glyph.y, c.glyph.y);
        EXPECT_EQ(place.text.x, c.textAt.x);
        EXPECT_EQ(place.text.y, c.textAt.y);
    }
}

struct SpeedButtonTest : buttontest::FormFixture {
    SpeedButtonTest() {
        speed.SetParent(&form);
        speed.SetBounds(30, 40, 60, 24);
        Paint(speed, skin::PainterKind::SpeedButton);
    }
    // The pixel (2, 2) of the speed button as its parent paints it.
    ui::Color Probe() { return buttontest::ClientSnapshot(form.Handle()).PixelAt(32, 42); }

    ui::SpeedButton& speed = form.Create<ui::SpeedButton>();
};

TEST_F(SpeedButtonTest, FlatButtonShowsItsFrameOnlyWhenHoveredOrPressed) {
    speed.SetPropertyText("Flat", "True");
    EXPECT_EQ(Probe(), kFace);
    speed.Perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(Probe(), CellColour(4));
    speed.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(Probe(), CellColour(2));
    speed.Perform(ui::CM_MOUSELEAVE);
    EXPECT_EQ(Probe(), kFace);
}

TEST_F(SpeedButtonTest, DownAndDisabledCells) {
    EXPECT_EQ(Probe(), CellColour(1));
    speed.SetDown(true);
    EXPECT_EQ(Probe(), CellColour(2));
    speed.SetEnabled(false);
    EXPECT_EQ(Probe(), CellColour(2));  // down wins over disabled
    speed.SetDown(false);
    EXPECT_EQ(Probe(), CellColour(3));
}

TEST_F(SpeedButtonTest, ClickInAGroupPutsTheButtonDown) {
    auto& other = form.Create<ui::SpeedButton>();
    other.SetParent(&form);
    other.SetBounds(100, 40, 60, 24);
    Paint(other, skin::PainterKind::SpeedButton);
    speed.groupIndex = other.groupIndex = 1;
    int clicks = 0;
    speed.OnClick = [&](ui::Control&) { ++clicks; };
    // The form hands its window-less child the mouse over it.
    SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(35, 45));
    SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 45));
    SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(35, 45));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(speed.Down());
    EXPECT_EQ(Probe(), CellColour(2));
    other.SetDown(true);
    EXPECT_FALSE(speed.Down());
    EXPECT_EQ(Probe(), CellColour(4));  // the mouse is still over it
}

TEST(DisabledGlyph, EmbossesTheShapeOnTheButtonFace) {
    ui::Bitmap glyph(8, 8);
    glyph.Fill(ui::clFuchsia);  // bottom-left colour: transparent
    for (int y = 2; y < 5; ++y) {
        for (int x = 2; x < 5; ++x) {
            uint8_t* pixel = glyph.ScanLine(y) + 3 * x;
            pixel[0] = pixel[1] = pixel[2] = 0;
        }
    }
    const ui::Bitmap disabled = skin::TSkinControl::DisabledGlyph(glyph);
    ASSERT_EQ(disabled.Width(), 8);
    const ui::Color face = ui::Color(ui::ColorToRgb(ui::clBtnFace));
    const ui::Color shadow = ui::Color(ui::ColorToRgb(ui::clBtnShadow));
    const ui::Color highlight = ui::Color(ui::ColorToRgb(ui::clBtnHighlight));
    EXPECT_EQ(disabled.PixelAt(0, 0), face);
    EXPECT_EQ(disabled.PixelAt(3, 3), shadow);
    EXPECT_EQ(disabled.PixelAt(5, 5), highlight);  // the highlight pass, one pixel down and right
    EXPECT_EQ(disabled.PixelAt(6, 6), face);
    EXPECT_TRUE(skin::TSkinControl::DisabledGlyph(ui::Bitmap()).Empty());
}

TEST(ReplaceFirst, ReplacesOnlyTheFirstOccurrence) {
    EXPECT_EQ(skin::TSkinControl::ReplaceFirst(L"a||b||c", L"||", L"\r\n"), L"a\r\nb||c");
    EXPECT_EQ(skin::TSkinControl::ReplaceFirst(L"abc", L"||", L"\r\n"), L"abc");
    EXPECT_EQ(skin::TSkinControl::ReplaceFirst(L"abc", L"", L"x"), L"abc");
}

} // namespace

namespace {

// The program's own skin: the cell each state picks, read from its strip.
TEST_F(ButtonPainterTest, DefaultSkinCellsFollowTheState) {
    skin = std::make_unique<skin::TSkinData>(nullptr);
    skin->showMessage = [](const std::string&) {};
    ASSERT_TRUE(skin->ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    ASSERT_NE(skin->Buttons, nullptr);
    const ui::Bitmap& strip = skin->Buttons->Bitmap;
    const int cellWidth = strip.Width() / skin->Buttons->FrameCount();
    // Row 2 lies in the unscaled top border, stretched only along its length.
    const auto cellPixel = [&](int frame) { return strip.PixelAt((frame - 1) * cellWidth + cellWidth / 2, 2); };
    ASSERT_NE(cellPixel(1), cellPixel(4));
    ASSERT_NE(cellPixel(1), cellPixel(2));
    const struct {
        const char* name;
        std::function<void(ui::Button&)> arrange;
        int frame;
    } cases[] = {
        {"rest", [](ui::Button&) {}, 1},
        {"hot", [](ui::Button& b) { SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }, 4},
        {"pressed", [](ui::Button& b) { SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0); }, 2},
        {"disabled", [](ui::Button& b) { b.SetEnabled(false); }, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& button = NewButton<ui::Button>();
        Paint(button, skin::PainterKind::Button);
        c.arrange(button);
        EXPECT_EQ(Snapshot(button.Handle()).PixelAt(50, 2), cellPixel(c.frame));
        delete &button;
    }
}

} // namespace
