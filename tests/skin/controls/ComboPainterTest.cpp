// The combo box painter over real combo boxes: the frame and button of each
// variant read back from probe pixels, nothing over a button the system
// hides, hot tracking and item choice under real input, the dropped-down
// state, and what the painter lets go of.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinComBox.h"
#include "tests/skin/controls/EditControlsFixture.h"
#include "tests/support/MouseInput.h"
#include "ui/ComboBox.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <memory>
#include <string>

namespace {

using buttontest::Snapshot;
using editcontrolstest::kBorder;
using editcontrolstest::ProbeColour;
using editcontrolstest::ProbeElement;
using testsupport::MoveMouseTo;
using testsupport::PumpUntil;

bool IsProbeColour(ui::Color colour) {
    for (int element = 0; element <= editcontrolstest::kComboxArrow; ++element) {
        for (int cell = 1; cell <= 8; ++cell) {
            if (colour == ProbeColour(ProbeElement(element), cell)) {
                return true;
            }
        }
    }
    return false;
}

struct ComboTest : editcontrolstest::EditControlsFixture {
    ui::ComboBox& AddCombo(ui::ComboStyle style, int top = 20, int height = 24) {
        auto& combo = form.Create<ui::ComboBox>();
        combo.SetStyle(style);
        combo.SetParent(&form);
        combo.SetBounds(20, top, 160, height);
        for (const wchar_t* item : {L"语文", L"数学", L"英语", L"物理"}) {
            combo.AddItem(item);
        }
        return combo;
    }
    skin::TSkinComBox& PaintCombo(ui::Control& combo) {
        return static_cast<skin::TSkinComBox&>(Paint(combo, skin::PainterKind::ComBox));
    }
    static void SetLeftScrollBar(ui::ComboBox& combo, bool on) {
        const LONG_PTR style = GetWindowLongPtrW(combo.Handle(), GWL_EXSTYLE);
        SetWindowLongPtrW(combo.Handle(), GWL_EXSTYLE, on ? style | WS_EX_LEFTSCROLLBAR : style & ~WS_EX_LEFTSCROLLBAR);
    }
    // Keeps the focus away from the combo boxes (a focused combo shows cell 4).
    void FocusElsewhere() {
        ::SetFocus(form.Handle());
        testsupport::PumpPostedMessages();
    }
};

struct VariantCase {
    const char* name;
    bool rightToLeft;
    ProbeElement buttonElement;  // what the button area shows
    bool buttonAtLeft;
};

TEST_F(ComboTest, NormalVariantDrawsTheSunkenEdgeAndTheButtonOnItsSide) {
    const VariantCase cases[] = {
        {"left to right", false, editcontrolstest::kComboButton, false},
        {"right to left", true, editcontrolstest::kComboMirror, true},
    };
    for (const VariantCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto& combo = AddCombo(ui::ComboStyle::DropDownList);
        SetLeftScrollBar(combo, c.rightToLeft);
        skin::TSkinComBox& painter = PaintCombo(combo);
        FocusElsewhere();
        const ui::Bitmap shot = Snapshot(combo.Handle());
        const int w = shot.Width();
        const int h = shot.Height();
        const int a = GetSystemMetrics(SM_CXHSCROLL);
        const int buttonX = c.buttonAtLeft ? 3 : w - 3;
        const int otherX = c.buttonAtLeft ? w - 3 : 3;
        EXPECT_EQ(shot.PixelAt(buttonX, h / 2), ProbeColour(c.buttonElement, 1));
        // The ring of the sunken edge on the other side, the native field inside.
        EXPECT_EQ(shot.PixelAt(c.buttonAtLeft ? w - 1 : 0, h / 2), ProbeColour(editcontrolstest::kSunkEdge, 1));
        EXPECT_FALSE(IsProbeColour(shot.PixelAt(otherX + (c.buttonAtLeft ? -a : a), h / 2)));
        const RECT button = painter.ButtonRect();
        EXPECT_EQ(button.right - button.left, a + 2);
        EXPECT_EQ(button.left, c.buttonAtLeft ? 0 : w - a - 2);
        delete &combo;
    }
}

TEST_F(ComboTest, WholeFrameVariantsTakeTheirElementBySide) {
    skin->ComboButton->Style = 2;
    const VariantCase cases[] = {
        {"left to right", false, editcontrolstest::kComboButton, false},
        {"right to left", true, editcontrolstest::kSunkEdge, true},
    };
    for (const VariantCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto& combo = AddCombo(ui::ComboStyle::DropDownList);
        SetLeftScrollBar(combo, c.rightToLeft);
        PaintCombo(combo);
        FocusElsewhere();
        const ui::Bitmap shot = Snapshot(combo.Handle());
        // A solid cell stretched over the whole control.
        EXPECT_EQ(shot.PixelAt(1, 1), ProbeColour(c.buttonElement, 1));
        EXPECT_EQ(shot.PixelAt(shot.Width() / 2, shot.Height() / 2), ProbeColour(c.buttonElement, 1));
        delete &combo;
    }
}

TEST_F(ComboTest, FlatVariantDrawsTheBorderAndOneCellWideButton) {
    skin->ComboButton->Style = 1;
    auto& combo = AddCombo(ui::ComboStyle::DropDownList);
    skin::TSkinComBox& painter = PaintCombo(combo);
    FocusElsewhere();
    const ui::Bitmap shot = Snapshot(combo.Handle());
    const int w = shot.Width();
    EXPECT_EQ(shot.PixelAt(0, shot.Height() / 2), kBorder);
    EXPECT_EQ(shot.PixelAt(w - 1, shot.Height() / 2), kBorder);
    const RECT button = painter.ButtonRect();
    EXPECT_EQ(button.right, w - 2);
    EXPECT_EQ(button.right - button.left, 8) << "one cell of the strip";
    EXPECT_EQ(shot.PixelAt(button.left + 3, button.top + 3), ProbeColour(editcontrolstest::kComboButton, 1));
}

TEST_F(ComboTest, ButtonTheSystemHidesGetsNoFrameAtAll) {
    auto& combo = AddCombo(ui::ComboStyle::Simple, 20, 120);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
    ASSERT_NE(info.stateButton & STATE_SYSTEM_INVISIBLE, 0u) << "a simple combo box has no button";
    FocusElsewhere();
    const ui::Bitmap native = Snapshot(combo.Handle());
    PaintCombo(combo);
    const ui::Bitmap skinned = Snapshot(combo.Handle());
    int changed = 0;
    for (int y = 0; y < native.Height(); ++y) {
        for (int x = 0; x < native.Width(); ++x) {
            changed += native.PixelAt(x, y) != skinned.PixelAt(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(changed, 0);
}

TEST_F(ComboTest, OnlyTheButtonMakesTheComboHot) {
    auto& combo = AddCombo(ui::ComboStyle::DropDown);
    skin::TSkinComBox& painter = PaintCombo(combo);
    FocusElsewhere();
    ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));
    RECT window{};
    GetWindowRect(combo.Handle(), &window);
    const int middle = (window.top + window.bottom) / 2;
    const auto buttonCell = [&] { return Snapshot(combo.Handle()).PixelAt(window.right - window.left - 3, 12); };

    ASSERT_TRUE(MoveMouseTo(POINT{window.left + 30, middle}));  // over the edit
    testsupport::PumpPostedMessages();
    EXPECT_FALSE(painter.Hot());
    EXPECT_EQ(buttonCell(), ProbeColour(editcontrolstest::kComboButton, 1));

    ASSERT_TRUE(MoveMouseTo(POINT{window.right - 6, middle}));  // over the button
    EXPECT_TRUE(PumpUntil([&] { return painter.Hot(); }));
    EXPECT_EQ(buttonCell(), ProbeColour(editcontrolstest::kComboButton, 4));

    ASSERT_TRUE(MoveMouseTo(POINT{window.left + 30, middle}));  // back over the edit
    EXPECT_TRUE(PumpUntil([&] { return !painter.Hot(); }));
    ASSERT_TRUE(MoveMouseTo(POINT{window.right - 6, middle}));
    ASSERT_TRUE(PumpUntil([&] { return painter.Hot(); }));
    ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));  // away from the combo
    EXPECT_TRUE(PumpUntil([&] { return !painter.Hot(); }));
}

TEST_F(ComboTest, ChoosingAnItemByMouseAndByKeyboardChangesOnce) {
    auto& combo = AddCombo(ui::ComboStyle::DropDownList);
    int changes = 0;
    combo.OnChange = [&](ui::Control&) { ++changes; };
    combo.SetItemIndex(0);
    skin::TSkinComBox& painter = PaintCombo(combo);
    EXPECT_EQ(changes, 0) << "setting the index is no change by the user";

    RECT window{};
    GetWindowRect(combo.Handle(), &window);
    const POINT button{window.right - 6, (window.top + window.bottom) / 2};
    ASSERT_TRUE(MoveMouseTo(button));
    testsupport::ClickAt(button);
    ASSERT_TRUE(PumpUntil([&] { return painter.DroppedDown(); }));
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(info.hwndList) != FALSE; }));
    RECT list{};
    GetWindowRect(info.hwndList, &list);
    const int itemHeight = int(SendMessageW(combo.Handle(), CB_GETITEMHEIGHT, 0, 0));
    const POINT third{list.left + 20, list.top + 2 + itemHeight * 2 + itemHeight / 2};
    ASSERT_TRUE(MoveMouseTo(third));
    testsupport::ClickAt(third);
    EXPECT_TRUE(PumpUntil([&] { return combo.ItemIndex() == 2 && !painter.DroppedDown(); }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), L"英语");
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == combo.Handle(); }));
    testsupport::PressKey(VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return combo.ItemIndex() == 3; }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(combo.Text(), L"物理");
}

TEST_F(ComboTest, DetachGivesBackTheEditAndTheListPainters) {
    auto& combo = AddCombo(ui::ComboStyle::DropDown);
    skin->SkinControls.Include(skin::xcScrollbar);
    skin::TSkinComBox& painter = PaintCombo(combo);
    const HWND edit = painter.EditWindow();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetParent(edit), combo.Handle());
    EXPECT_TRUE(ui::WindowSubclass::Has(edit, ui::SubclassKind::ComboEditPainter));
    // The drop-down list gets its painter exactly when the engine has one.
    const std::unique_ptr<skin::TSkinControl> probe(skin::CreatePainter(skin::PainterKind::ComboxScrollBar, nullptr));
    EXPECT_EQ(painter.DropListPainter() != nullptr, probe != nullptr);

    painter.Detach();
    EXPECT_FALSE(ui::WindowSubclass::Has(edit, ui::SubclassKind::ComboEditPainter));
    EXPECT_EQ(painter.DropListPainter(), nullptr);
    EXPECT_EQ(painter.EditWindow(), nullptr);
    // The edit still works on its own.
    SetWindowTextW(edit, L"化学");
    EXPECT_EQ(combo.Text(), L"化学");
}

TEST_F(ComboTest, ExtendedComboIsDrawnOnItsInnerComboInBothVariants) {
    for (const bool extendedVariant : {false, true}) {
        SCOPED_TRACE(extendedVariant ? "extended variant" : "plain variant");
        auto& combo = form.Create<ui::ComboBoxEx>();
        combo.SetStyle(ui::ComboStyle::DropDownList);
        combo.SetParent(&form);
        combo.SetBounds(20, 60, 160, 120);
        combo.AddItem(L"一");
        combo.SetItemIndex(0);
        auto* painter = static_cast<skin::TSkinComBox*>(skin::CreatePainter(skin::PainterKind::ComBox, &combo));
        painter->SetPropertyText("Extended", extendedVariant ? "True" : "False");
        painter->Attach(nullptr, skin.get(), false, nullptr);
        FocusElsewhere();
        const HWND inner = combo.ComboHandle();
        ASSERT_NE(inner, nullptr);
        const auto shot = [&] { return editcontrolstest::ScreenShot(inner); };
        const ui::Bitmap picture = shot();
        const int w = picture.Width();
        const int h = picture.Height();
        const int buttonX = w - 5;
        const ui::Color rest = extendedVariant ? ProbeColour(editcontrolstest::kComboxArrow, 1)
                                               : ProbeColour(editcontrolstest::kComboButton, 1);
        const ui::Color hot = extendedVariant ? ProbeColour(editcontrolstest::kComboxArrow, 4)
                                              : ProbeColour(editcontrolstest::kComboButton, 4);
        EXPECT_EQ(picture.PixelAt(buttonX, h / 2), rest);
        if (extendedVariant) {
            EXPECT_EQ(picture.PixelAt(w / 2, 0), kBorder);
            EXPECT_EQ(picture.PixelAt(0, h / 2), kBorder);
            EXPECT_EQ(picture.PixelAt(1, h / 2), ui::clWhite);
        } else {
            EXPECT_EQ(picture.PixelAt(0, h / 2), ProbeColour(editcontrolstest::kSunkEdge, 1));
        }
        // Hot tracking finds the button on the inner combo.
        EXPECT_GT(painter->ButtonRect().left, w / 2);
        ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));
        RECT window{};
        GetWindowRect(inner, &window);
        ASSERT_TRUE(MoveMouseTo(POINT{window.right - 6, (window.top + window.bottom) / 2}));
        EXPECT_TRUE(PumpUntil([&] { return painter->Hot(); }));
        EXPECT_TRUE(PumpUntil([&] { return shot().PixelAt(buttonX, h / 2) == hot; }));
        ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));
        EXPECT_TRUE(PumpUntil([&] { return !painter->Hot(); }));
        delete &combo;
    }
}

} // namespace
