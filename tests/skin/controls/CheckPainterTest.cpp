// The check box and radio button painters read back by pixel: the strip
// frame of each state on the short and the long strips, the mark's side with
// BS_LEFTTEXT, and a bare window's box drawn over the system's own.

#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinRadioButton.h"
#include "tests/skin/controls/ButtonPainterFixture.h"
#include "ui/Button.h"

#include <string>

namespace {

using buttontest::CellColour;
using buttontest::kFace;
using buttontest::kMarkSize;
using buttontest::Snapshot;

constexpr int kWidth = 120;
constexpr int kHeight = 21;
// The middle of the mark at the left edge.
constexpr POINT kMarkLeft{kMarkSize / 2, kHeight / 2};

struct CheckPainterTest : buttontest::FormFixture {
    template <class T>
    T& NewControl(int checkCells, int radioCells) {
        skin = buttontest::ProbeSkin(checkCells, radioCells);
        auto& control = form.Create<T>();
        control.SetParent(&form);
        control.SetBounds(20, 20, kWidth, kHeight);
        control.SetCaption(L"记住密码");
        return control;
    }
    ui::Color MarkColour(HWND window, POINT at = kMarkLeft) { return Snapshot(window).PixelAt(at.x, at.y); }
};

TEST_F(CheckPainterTest, CheckBoxStatesOnFourAndTwelveFrameStrips) {
    const struct {
        const char* name;
        ui::CheckBoxState state;
        bool enabled;
        int fourFrame;
        int twelveFrame;
    } cases[] = {
        {"clear", ui::CheckBoxState::Unchecked, true, 1, 1},
        {"ticked", ui::CheckBoxState::Checked, true, 2, 5},
        {"clear, disabled", ui::CheckBoxState::Unchecked, false, 3, 4},
        {"ticked, disabled", ui::CheckBoxState::Checked, false, 4, 8},
        {"indeterminate", ui::CheckBoxState::Grayed, true, 4, 9},
        {"indeterminate, disabled", ui::CheckBoxState::Grayed, false, 4, 12},
    };
    for (const int cells : {4, 12}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(cells) + " frames");
            auto& box = NewControl<ui::CheckBox>(cells, 4);
            box.SetAllowGrayed(true);
            box.SetState(c.state);
            box.SetEnabled(c.enabled);
            Paint(box, skin::PainterKind::CheckBox);
            EXPECT_EQ(MarkColour(box.Handle()), CellColour(cells == 4 ? c.fourFrame : c.twelveFrame));
            delete &box;
        }
    }
}

TEST_F(CheckPainterTest, RadioButtonStatesOnFourAndEightFrameStrips) {
    const struct {
        const char* name;
        bool checked;
        bool enabled;
        int fourFrame;
        int eightFrame;
    } cases[] = {
        {"clear", false, true, 1, 1},
        {"chosen", true, true, 2, 5},
        {"clear, disabled", false, false, 3, 4},
        {"chosen, disabled", true, false, 4, 8},
    };
    for (const int cells : {4, 8}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(cells) + " frames");
            auto& radio = NewControl<ui::RadioButton>(4, cells);
            radio.SetChecked(c.checked);
            radio.SetEnabled(c.enabled);
            Paint(radio, skin::PainterKind::RadioButton);
            EXPECT_EQ(MarkColour(radio.Handle()), CellColour(cells == 4 ? c.fourFrame : c.eightFrame));
            delete &radio;
        }
    }
}

TEST_F(CheckPainterTest, MessagesThatChangeTheCheckRepaintTheMark) {
    auto& box = NewControl<ui::CheckBox>(4, 4);
    Paint(box, skin::PainterKind::CheckBox);
    ShowWindow(box.Handle(), SW_SHOW);
    SendMessageW(box.Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(MarkColour(box.Handle()), CellColour(2));
    // The text sits right of the mark, on the form colour.
    EXPECT_EQ(Snapshot(box.Handle()).PixelAt(kWidth - 2, 1), kFace);
}

TEST_F(CheckPainterTest, LeftTextPutsTheMarkAtTheRightEdge) {
    // The radio mark ends one pixel left of the edge; the check mark at it.
    const struct {
        const char* name;
        bool radio;
        int gap;
    } cases[] = {{"check box", false, 0}, {"radio button", true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::WinControl& control = c.radio ? static_cast<ui::WinControl&>(NewControl<ui::RadioButton>(4, 4))
                                          : static_cast<ui::WinControl&>(NewControl<ui::CheckBox>(4, 4));
        const HWND window = control.Handle();
        SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | BS_LEFTTEXT);
        Paint(control, c.radio ? skin::PainterKind::RadioButton : skin::PainterKind::CheckBox);
        const ui::Bitmap shot = Snapshot(window);
        const int markRight = kWidth - 1 - c.gap;
        EXPECT_EQ(shot.PixelAt(markRight, kHeight / 2), CellColour(1));
        EXPECT_EQ(shot.PixelAt(markRight - kMarkSize + 1, kHeight / 2), CellColour(1));
        EXPECT_NE(shot.PixelAt(markRight - kMarkSize, kHeight / 2), CellColour(1));
        if (c.gap > 0) {
            EXPECT_EQ(shot.PixelAt(kWidth - 1, kHeight / 2), kFace);
        }
        EXPECT_EQ(shot.PixelAt(kMarkLeft.x, 1), kFace);
        delete &control;
    }
}

// A three-state system check box that the toolkit did not make: the painter
// draws only the mark, over what the system drew.
TEST_F(CheckPainterTest, BareWindowGetsTheMarkOverTheSystemBox) {
    skin = buttontest::ProbeSkin(12, 8);
    const HWND window = CreateWindowExW(0, L"BUTTON", L"三态", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, 20, 60, kWidth,
                                        kHeight, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    auto* painter = skin::CreatePainter(skin::PainterKind::CheckBox, nullptr);
    painter->AttachWindow(window, skin.get(), nullptr, nullptr);
    EXPECT_EQ(painter->FMode, 0);
    SendMessageW(window, BM_SETCHECK, BST_INDETERMINATE, 0);
    ui::Bitmap shot(kWidth, kHeight);
    shot.Fill(ui::clWhite);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(shot.GetCanvas().Handle()), 0);
    EXPECT_EQ(shot.PixelAt(kMarkLeft.x, kMarkLeft.y), CellColour(9));
    // The system's caption is still there: the text area is not the form colour.
    EXPECT_NE(shot.PixelAt(kWidth - 2, 1), kFace);
    DestroyWindow(window);
    delete painter;
}

} // namespace
