// The combo boxes, up-down and date-time picker of the toolkit: what their
// published properties read and accept, the native window they sit on, and
// what survives the window being made anew.

#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/DateTimePicker.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/UpDown.h"
#include "tests/support/MouseInput.h"
#include "tests/support/Pump.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class EditControlsTest : public ::testing::Test {
protected:
    EditControlsTest() {
        form->SetBounds(80, 80, 360, 260);
        form->Show();
        ui::App().ProcessMessages();
    }
    template <class T>
    T& Add(int top, int height = 24) {
        auto& control = form->Create<T>();
        control.SetParent(form.get());
        control.SetBounds(10, top, 160, height);
        return control;
    }
    static DWORD Style(ui::WinControl& control) { return DWORD(GetWindowLongPtrW(control.Handle(), GWL_STYLE)); }

    std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>(nullptr);
};

TEST_F(EditControlsTest, ComboStylesItemsAndChoiceSurviveANewWindow) {
    auto& combo = Add<ui::ComboBox>(10);
    EXPECT_TRUE(combo.InheritsFrom("TCustomComboBox"));
    EXPECT_EQ(combo.GetPropertyText("Style"), "csDropDown");
    EXPECT_EQ(Style(combo) & 3, DWORD(CBS_DROPDOWN));
    for (const wchar_t* item : {L"语文", L"数学"}) {
        combo.AddItem(item);
    }
    ASSERT_TRUE(combo.SetPropertyText("ItemIndex", "1"));
    EXPECT_EQ(combo.Text(), L"数学");
    const HWND before = combo.Handle();
    ASSERT_TRUE(combo.SetPropertyText("style", "CSDROPDOWNLIST"));
    EXPECT_NE(combo.Handle(), before);
    EXPECT_EQ(Style(combo) & 3, DWORD(CBS_DROPDOWNLIST));
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(combo.GetPropertyText("ItemIndex"), "1");
    combo.SetStyle(ui::ComboStyle::Simple);
    EXPECT_EQ(Style(combo) & 3, DWORD(CBS_SIMPLE));
    EXPECT_THROW(combo.SetPropertyText("Style", "csOwnerDraw"), ui::PropertyError);
    // An index out of range chooses nothing.
    combo.SetItemIndex(7);
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.ClearItems();
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(EditControlsTest, TypingInADropDownComboIsAChange) {
    auto& combo = Add<ui::ComboBox>(10);
    int changes = 0;
    combo.OnChange = [&](ui::Control&) { ++changes; };
    ASSERT_TRUE(combo.SetPropertyText("Text", "化学"));
    EXPECT_EQ(combo.Text(), L"化学");
    EXPECT_EQ(changes, 0) << "set by the program";
    const HWND edit = GetWindow(combo.Handle(), GW_CHILD);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    SendMessageW(edit, WM_CHAR, L'A', 0);
    ui::App().ProcessMessages();
    EXPECT_EQ(changes, 1);
}

TEST_F(EditControlsTest, ExtendedComboSitsOnTheSystemsExtendedCombo) {
    auto& combo = Add<ui::ComboBoxEx>(10, 120);
    EXPECT_TRUE(combo.InheritsFrom("TCustomComboBoxEx"));
    EXPECT_FALSE(combo.InheritsFrom("TCustomComboBox"));
    combo.AddItem(L"一");
    combo.AddItem(L"二");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    const HWND inner = combo.ComboHandle();
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(GetParent(inner), combo.Handle());
    EXPECT_EQ(SendMessageW(inner, CB_GETCOUNT, 0, 0), 2);
}

TEST_F(EditControlsTest, UpDownKeepsItsPositionInRangeAndShowsItInTheEdit) {
    auto& edit = Add<ui::Edit>(10);
    auto& upDown = Add<ui::UpDown>(40, 24);
    upDown.SetAssociate(&edit);
    ASSERT_TRUE(upDown.SetPropertyText("Max", "20"));
    ASSERT_TRUE(upDown.SetPropertyText("Position", "12"));
    EXPECT_EQ(edit.Text(), L"12");
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown.Handle(), UDM_GETBUDDY, 0, 0)), edit.Handle());
    upDown.SetPosition(99);
    EXPECT_EQ(upDown.Position(), 20);
    ASSERT_TRUE(upDown.SetPropertyText("Min", "15"));
    upDown.SetPosition(3);
    EXPECT_EQ(upDown.GetPropertyText("Position"), "15");
    EXPECT_EQ(Style(upDown) & UDS_HORZ, 0u);
    ASSERT_TRUE(upDown.SetPropertyText("Orientation", "udHorizontal"));
    EXPECT_NE(Style(upDown) & UDS_HORZ, 0u);
    EXPECT_EQ(upDown.Position(), 15) << "kept through the new window";
    EXPECT_THROW(upDown.SetPropertyText("Orientation", "sideways"), ui::PropertyError);
    EXPECT_THROW(upDown.SetPropertyText("Position", "many"), std::exception);
}

// Real presses on the arrows: each steps the position once and tells once.
TEST_F(EditControlsTest, UpDownArrowsStepThePositionAndTellOnChangeOnce) {
    auto& edit = Add<ui::Edit>(10);
    auto& upDown = Add<ui::UpDown>(40, 40);
    upDown.SetBounds(200, 40, 20, 40);
    upDown.SetAssociate(&edit);
    upDown.SetRange(0, 10);
    upDown.SetPosition(5);
    int changes = 0;
    std::vector<int> told;
    upDown.OnChange = [&](ui::Control& sender) {
        ++changes;
        told.push_back(static_cast<ui::UpDown&>(sender).Position());
    };
    upDown.SetPosition(7);
    EXPECT_EQ(changes, 0) << "a position set by the program tells nothing";
    upDown.SetPosition(5);

    RECT bounds{};
    GetWindowRect(upDown.Handle(), &bounds);
    const int x = (bounds.left + bounds.right) / 2;
    const struct {
        const char* arrow;
        POINT at;
        int expected;
    } presses[] = {
        {"up", {x, bounds.top + 5}, 6},
        {"up", {x, bounds.top + 5}, 7},
        {"down", {x, bounds.bottom - 5}, 6},
    };
    int expectedChanges = 0;
    for (const auto& press : presses) {
        SCOPED_TRACE(press.arrow);
        testsupport::ClickAt(press.at);
        ++expectedChanges;
        EXPECT_TRUE(testsupport::PumpUntil([&] { return changes == expectedChanges; }, 10000)) << changes;
        EXPECT_EQ(upDown.Position(), press.expected);
        EXPECT_EQ(edit.Text(), std::to_wstring(press.expected));
    }
    testsupport::PumpPostedMessages();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(told, (std::vector<int>{6, 7, 6}));
}

TEST_F(EditControlsTest, PickerDateAsTextAndItsModes) {
    auto& picker = Add<ui::DateTimePicker>(10);
    EXPECT_TRUE(picker.InheritsFrom("TCustomDateTimePicker"));
    ASSERT_TRUE(picker.SetPropertyText("Date", "2000-02-29"));
    EXPECT_EQ(picker.GetPropertyText("Date"), "2000-02-29");
    ASSERT_TRUE(picker.SetPropertyText("Date", "2024-02-29"));
    EXPECT_EQ(picker.GetPropertyText("Date"), "2024-02-29");
    SYSTEMTIME shown{};
    ASSERT_EQ(SendMessageW(picker.Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_VALID);
    EXPECT_EQ(shown.wYear, 2024);
    EXPECT_EQ(shown.wMonth, 2);
    EXPECT_EQ(shown.wDay, 29);
    for (const char* bad :
         {"2023-02-29", "2100-02-29", "2024-04-31", "2024-13-01", "1600-01-01", "tomorrow", "2024-01-01x", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(picker.SetPropertyText("Date", bad), ui::PropertyError);
        EXPECT_EQ(picker.GetPropertyText("Date"), "2024-02-29");
    }
    EXPECT_EQ(Style(picker) & DTS_UPDOWN, 0u);
    ASSERT_TRUE(picker.SetPropertyText("DateMode", "dmUpDown"));
    EXPECT_NE(Style(picker) & DTS_UPDOWN, 0u);
    EXPECT_EQ(picker.GetPropertyText("Date"), "2024-02-29") << "kept through the new window";
    EXPECT_THROW(picker.SetPropertyText("DateMode", "dmWheel"), ui::PropertyError);
}

} // namespace
