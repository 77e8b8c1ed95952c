// The button painters under real input (SendInput), what assistive
// technology reads of the painted controls, and handles across many forms
// painted and destroyed.

#include "skin/controls/SkinMessages.h"
#include "tests/skin/controls/ButtonPainterFixture.h"
#include "tests/support/AccessibleReading.h"
#include "tests/support/GdiObjects.h"
#include "tests/support/MouseInput.h"
#include "tests/support/OleTestEnvironment.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/ComTypes.h"
#include "ui/DropDownButton.h"
#include "ui/Edit.h"
#include "ui/GroupBox.h"
#include "ui/RadioGroup.h"
#include "ui/SpeedButton.h"

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using buttontest::CellColour;
using buttontest::kFace;
using buttontest::Snapshot;
using testsupport::AccessibleReading;
using testsupport::MoveMouseTo;
using testsupport::PressKey;
using testsupport::PumpUntil;
using testsupport::ReadAccessible;
using testsupport::ScreenCentre;
using testsupport::SendMouse;
using testsupport::ThreadWindows;

struct InputTest : buttontest::FormFixture {
    InputTest() {
        button.SetParent(&form);
        button.SetBounds(20, 20, 100, 30);
        button.SetCaption(L"登录");
        button.OnClick = [this](ui::Control&) { ++clicks; };
        Paint(button, skin::PainterKind::Button);
        MoveMouseTo(POINT{5, 5});
    }
    ui::Color ButtonCell() { return Snapshot(button.Handle()).PixelAt(2, 2); }
    // A control of the form at (x, y) of w x h with the caption.
    template <class T>
    T& Add(int x, int y, int w, int h, const std::wstring& caption = {}) {
        T& control = form.Create<T>();
        control.SetParent(&form);
        control.SetBounds(x, y, w, h);
        control.SetCaption(caption);
        return control;
    }

    ui::Button& button = form.Create<ui::Button>();
    int clicks = 0;
};

TEST_F(InputTest, PressAndReleaseInsideClicksOnce) {
    ASSERT_TRUE(MoveMouseTo(ScreenCentre(button.Handle())));
    ASSERT_TRUE(PumpUntil([&] { return ButtonCell() == CellColour(4); }));
    SendMouse(ScreenCentre(button.Handle()), MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ButtonCell() == CellColour(2); }));
    SendMouse(ScreenCentre(button.Handle()), MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ButtonCell(), CellColour(4));
}

TEST_F(InputTest, PressAndLeaveClearsThePressedLookWithoutAClick) {
    ASSERT_TRUE(MoveMouseTo(ScreenCentre(button.Handle())));
    SendMouse(ScreenCentre(button.Handle()), MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ButtonCell() == CellColour(2); }));
    ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));
    // Left: neither hot nor pressed; the press focused it.
    EXPECT_TRUE(PumpUntil([&] { return ButtonCell() == CellColour(5); }));
    SendMouse(POINT{5, 5}, MOUSEEVENTF_LEFTUP);
    testsupport::PumpPostedMessages();
    EXPECT_EQ(clicks, 0);
}

TEST_F(InputTest, SpaceOnTheFocusedButtonClicksOnce) {
    button.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == button.Handle(); }));
    PressKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ButtonCell(), CellColour(5));
}

TEST_F(InputTest, CheckBoxTogglesByClickAndBySpace) {
    auto& box = Add<ui::CheckBox>(20, 70, 120, 21, L"记住密码");
    Paint(box, skin::PainterKind::CheckBox);
    const auto mark = [&] { return Snapshot(box.Handle()).PixelAt(6, 10); };
    EXPECT_EQ(mark(), CellColour(1));
    RECT rect{};
    GetWindowRect(box.Handle(), &rect);
    const POINT onMark{rect.left + 6, rect.top + 10};
    ASSERT_TRUE(MoveMouseTo(onMark));
    SendMouse(onMark, MOUSEEVENTF_LEFTDOWN);
    SendMouse(onMark, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return box.Checked(); }));
    EXPECT_EQ(mark(), CellColour(2));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == box.Handle(); }));
    PressKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return !box.Checked(); }));
    EXPECT_EQ(mark(), CellColour(1));
}

// Tab walks the same controls in the same order with the painters attached,
// round the end of the list and into a radio group at its chosen button.
TEST_F(InputTest, TabOrderIsTheSameSkinnedAndUnskinned) {
    auto& box = Add<ui::CheckBox>(20, 70, 120, 21, L"记住密码");
    auto& group = Add<ui::RadioGroup>(20, 100, 200, 80, L"学习模式");
    group.SetItems({L"视频", L"测验"});
    group.SetItemIndex(1);
    auto& bit = Add<ui::BitBtn>(150, 20, 80, 30, L"取消");
    auto& edit = Add<ui::Edit>(240, 70, 100, 24);
    // The fixture's button starts unskinned too.
    SendMessageW(button.Handle(), skin::SKM_ENABLE, 0, 0);

    const auto walk = [&] {
        std::vector<HWND> order;
        button.SetFocus();
        EXPECT_TRUE(PumpUntil([&] { return GetFocus() == button.Handle(); }));
        for (int step = 0; step < 6; ++step) {
            const HWND before = GetFocus();
            PressKey(VK_TAB);
            EXPECT_TRUE(PumpUntil([&] { return GetFocus() != before; }));
            order.push_back(GetFocus());
        }
        return order;
    };
    const std::vector<HWND> unskinned = walk();
    const std::vector<HWND> expected{box.Handle(), group.ItemButton(1)->Handle(), bit.Handle(), edit.Handle(),
                                     button.Handle(), box.Handle()};
    EXPECT_EQ(unskinned, expected);

    SendMessageW(button.Handle(), skin::SKM_ENABLE, 1, 0);
    Paint(box, skin::PainterKind::CheckBox);
    Paint(*group.ItemButton(0), skin::PainterKind::RadioButton);
    Paint(*group.ItemButton(1), skin::PainterKind::RadioButton);
    Paint(group, skin::PainterKind::GroupBox);
    Paint(bit, skin::PainterKind::BitButton);
    Paint(edit, skin::PainterKind::Edit);
    EXPECT_EQ(walk(), unskinned);
}

// The arrow keys move a skinned radio group's choice; Space on the focused
// button keeps it.
TEST_F(InputTest, SkinnedRadioGroupFollowsArrowKeysAndSpace) {
    auto& group = Add<ui::RadioGroup>(20, 70, 200, 90);
    group.SetItems({L"视频", L"测验", L"阅读"});
    group.SetItemIndex(0);
    int changes = 0;
    group.OnChange = [&](ui::Control&) { ++changes; };
    for (int i = 0; i < 3; ++i) {
        Paint(*group.ItemButton(i), skin::PainterKind::RadioButton);
    }
    Paint(group, skin::PainterKind::GroupBox);
    group.ItemButton(0)->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == group.ItemButton(0)->Handle(); }));
    PressKey(VK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return group.ItemIndex() == 1; }));
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == group.ItemButton(1)->Handle(); }));
    // The mark follows: the chosen button shows the ticked cell.
    const auto mark = [&](int i) {
        const ui::RadioButton& radio = *group.ItemButton(i);
        return Snapshot(radio.HandleIfAllocated()).PixelAt(6, radio.Height() / 2);
    };
    EXPECT_EQ(mark(1), CellColour(2));
    EXPECT_EQ(mark(0), CellColour(1));
    PressKey(VK_SPACE);
    testsupport::PumpPostedMessages();
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(InputTest, FlatSpeedButtonShowsTheHotCellUnderTheMouse) {
    auto& speed = Add<ui::SpeedButton>(150, 20, 60, 24);
    speed.flat = true;
    Paint(speed, skin::PainterKind::SpeedButton);
    const auto probe = [&] { return buttontest::ClientSnapshot(form.Handle()).PixelAt(152, 22); };
    EXPECT_EQ(probe(), kFace);
    POINT over{180, 32};
    ClientToScreen(form.Handle(), &over);
    ASSERT_TRUE(MoveMouseTo(over));
    EXPECT_TRUE(PumpUntil([&] { return probe() == CellColour(4); }));
    ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));
    EXPECT_TRUE(PumpUntil([&] { return probe() == kFace; }));
}

TEST_F(InputTest, AssistiveTechnologyReadsTheSameSkinnedAndUnskinned) {
    auto& box = Add<ui::CheckBox>(20, 70, 120, 21, L"记住密码");
    box.SetChecked(true);
    auto& radio = Add<ui::RadioButton>(20, 100, 120, 21, L"单选");
    auto& bit = Add<ui::BitBtn>(150, 70, 80, 30, L"取消");
    bit.SetEnabled(false);
    auto& dropDown = Add<ui::DropDownButton>(150, 110, 80, 30, L"更多");
    auto& group = Add<ui::GroupBox>(20, 140, 120, 60, L"选项");
    auto& edit = Add<ui::Edit>(240, 70, 100, 24, L"学员");
    const struct {
        const char* name;
        ui::WinControl& control;
        skin::PainterKind kind;
    } controls[] = {
        {"check box, ticked", box, skin::PainterKind::CheckBox},
        {"radio button", radio, skin::PainterKind::RadioButton},
        {"bit button, disabled", bit, skin::PainterKind::BitButton},
        {"drop-down button", dropDown, skin::PainterKind::MenuButton},
        {"group box", group, skin::PainterKind::GroupBox},
        {"edit", edit, skin::PainterKind::Edit},
    };
    AccessibleReading probe;
    if (const HRESULT answer = ReadAccessible(button.Handle(), probe); FAILED(answer)) {
        // Wine's accessibility layer answers E_NOINTERFACE here; Windows answers.
        GTEST_SKIP() << "no client object for a button window, HRESULT 0x" << std::hex << unsigned(answer);
    }
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        AccessibleReading unskinned;
        ASSERT_EQ(S_OK, ReadAccessible(c.control.Handle(), unskinned));
        Paint(c.control, c.kind);
        AccessibleReading skinned;
        ASSERT_EQ(S_OK, ReadAccessible(c.control.Handle(), skinned));
        EXPECT_EQ(skinned.name, unskinned.name);
        EXPECT_EQ(skinned.role, unskinned.role);
        EXPECT_EQ(skinned.state, unskinned.state);
    }
    // The push button was skinned from the start: switched off, it reads the same.
    AccessibleReading skinned;
    ASSERT_EQ(S_OK, ReadAccessible(button.Handle(), skinned));
    SendMessageW(button.Handle(), skin::SKM_ENABLE, 0, 0);
    AccessibleReading unskinned;
    ASSERT_EQ(S_OK, ReadAccessible(button.Handle(), unskinned));
    EXPECT_EQ(skinned, unskinned);
    EXPECT_EQ(skinned.role, ROLE_SYSTEM_PUSHBUTTON);
}

// One form with one control of every painter, shown, painted, hovered and
// pressed, then destroyed.
void PaintedFormCycle(skin::TSkinData& skinData) {
    auto& form = ui::App().Create<ui::Form>();
    form.SetBounds(100, 100, 320, 200);
    struct Entry {
        ui::Control* control;
        skin::PainterKind kind;
    };
    auto& bit = form.Create<ui::BitBtn>();
    bit.glyphs.glyph.SetSize(16, 16);
    const Entry entries[] = {
        {&form.Create<ui::Button>(), skin::PainterKind::Button},
        {&bit, skin::PainterKind::BitButton},
        {&form.Create<ui::DropDownButton>(), skin::PainterKind::MenuButton},
        {&form.Create<ui::CheckBox>(), skin::PainterKind::CheckBox},
        {&form.Create<ui::RadioButton>(), skin::PainterKind::RadioButton},
        {&form.Create<ui::SpeedButton>(), skin::PainterKind::SpeedButton},
        {&form.Create<ui::GroupBox>(), skin::PainterKind::GroupBox},
    };
    int top = 4;
    for (const Entry& entry : entries) {
        entry.control->SetParent(&form);
        entry.control->SetBounds(4, top, 90, 24);
        entry.control->SetCaption(L"按钮");
        top += 28;
    }
    form.Show();
    for (const Entry& entry : entries) {
        skin::CreatePainter(entry.kind, entry.control)->Attach(nullptr, &skinData, false, nullptr);
        if (auto* windowed = dynamic_cast<ui::WinControl*>(entry.control)) {
            SendMessageW(windowed->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            SendMessageW(windowed->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            SendMessageW(windowed->Handle(), WM_MOUSELEAVE, 0, 0);
        } else {
            entry.control->Perform(ui::CM_MOUSEENTER);
            entry.control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            entry.control->Perform(ui::CM_MOUSELEAVE);
        }
    }
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    delete &form;
}

TEST(ButtonPainterHandles, StayFlatOverManyPaintedForms) {
    const auto skinData = buttontest::ProbeSkin(12, 8);
    for (int warmUp = 0; warmUp < 3; ++warmUp) {
        PaintedFormCycle(*skinData);
    }
    testsupport::PumpPostedMessages();
    const int gdiBefore = testsupport::LiveGdiObjects();
    const int windowsBefore = testsupport::ThreadWindows();
    constexpr int kCycles = 300;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        PaintedFormCycle(*skinData);
    }
    testsupport::PumpPostedMessages();
    EXPECT_EQ(testsupport::ThreadWindows(), windowsBefore);
    // A few objects of the system's own caches may come and go; a leak of one
    // per form or control would show hundreds.
    EXPECT_LE(testsupport::LiveGdiObjects() - gdiBefore, 8);
}

} // namespace
