// The scrolling controls of the toolkit: items and selection of the list box
// (by the user's mouse and keyboard too), the scroll bar's range rules, the
// memo's and list box's styles that need a new window, the scroll box's bars
// following its children, and the list view's columns under a header.

#include "tests/support/MouseInput.h"
#include "tests/support/Pump.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using testsupport::PumpUntil;

class ScrollingControlsTest : public ::testing::Test {
protected:
    ScrollingControlsTest() {
        form->SetBounds(80, 80, 420, 320);
        form->Show();
        SetForegroundWindow(form->Handle());
        testsupport::PumpPostedMessages();
    }
    ~ScrollingControlsTest() override {
        form.reset();
        ui::App().ProcessMessages();
    }
    template <class T>
    T& Add(int left, int top, int width, int height) {
        auto& control = form->Create<T>();
        control.SetParent(form.get());
        control.SetBounds(left, top, width, height);
        return control;
    }

    std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>(nullptr);
};

TEST_F(ScrollingControlsTest, ListBoxSelectionByProgramMouseAndKeyboard) {
    auto& list = Add<ui::ListBox>(10, 10, 150, 120);
    list.SetItems({L"北京", L"上海", L"广州"});
    int clicks = 0;
    int changes = 0;
    list.OnClick = [&clicks](ui::Control&) { ++clicks; };
    list.OnChange = [&changes](ui::Control&) { ++changes; };
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.GetPropertyText("ItemIndex"), "1");
    EXPECT_EQ(changes, 0);  // the program's own choice is no event
    list.SetItemIndex(7);
    EXPECT_EQ(list.ItemIndex(), -1);

    // The mouse on the third item.
    const int itemHeight = int(SendMessageW(list.Handle(), LB_GETITEMHEIGHT, 0, 0));
    RECT rect{};
    GetWindowRect(list.Handle(), &rect);
    POINT client{20, itemHeight * 2 + itemHeight / 2};
    ClientToScreen(list.Handle(), &client);
    ASSERT_TRUE(testsupport::MoveMouseTo(client));
    testsupport::SendMouse(client, MOUSEEVENTF_LEFTDOWN);
    testsupport::SendMouse(client, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return list.ItemIndex() == 2; }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);

    // The keyboard: up one item.
    list.SetFocus();
    testsupport::PressKey(VK_UP);
    ASSERT_TRUE(PumpUntil([&] { return list.ItemIndex() == 1; }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(changes, 2);
}

TEST_F(ScrollingControlsTest, ListBoxKeepsItsItemsThroughANewWindow) {
    auto& list = Add<ui::ListBox>(10, 10, 150, 120);
    list.SetItems({L"丙", L"甲", L"乙"});
    const HWND before = list.Handle();
    list.SetSorted(true);
    EXPECT_NE(list.Handle(), before);
    EXPECT_NE(GetWindowLongW(list.Handle(), GWL_STYLE) & LBS_SORT, 0);
    // The same items, in the order the system sorts them.
    std::vector<std::wstring> shown = list.Items();
    std::vector<std::wstring> added{L"丙", L"甲", L"乙"};
    std::sort(shown.begin(), shown.end());
    std::sort(added.begin(), added.end());
    EXPECT_EQ(shown, added);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_THROW(list.SetPropertyText("BorderStyle", "bsThick"), ui::PropertyError);
    list.SetPropertyText("BorderStyle", "bsNone");
    EXPECT_EQ(GetWindowLongW(list.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(ScrollingControlsTest, ScrollBarKeepsItsPositionInsideTheRange) {
    auto& bar = Add<ui::ScrollBar>(10, 10, 200, 18);
    int changes = 0;
    bar.OnChange = [&changes](ui::Control&) { ++changes; };
    const struct {
        const char* name;
        int position, min, max, page;
        int expectedPosition, expectedMax, expectedPage;
    } cases[] = {
        {"inside", 30, 0, 100, 0, 30, 100, 0},
        {"below min", -5, 0, 100, 0, 0, 100, 0},
        {"past the last page", 100, 0, 100, 10, 91, 100, 10},
        {"max below min", 5, 10, 3, 0, 10, 10, 0},
        {"page larger than the range", 0, 0, 20, 50, 0, 20, 21},
    };
    for (const auto& c : cases) {
        bar.SetPageSize(0);
        bar.SetParams(c.position, c.min, c.max);
        bar.SetPageSize(c.page);
        bar.SetParams(c.position, c.min, c.max);
        EXPECT_EQ(bar.Position(), c.expectedPosition) << c.name;
        EXPECT_EQ(bar.Max(), c.expectedMax) << c.name;
        EXPECT_EQ(bar.PageSize(), c.expectedPage) << c.name;
        EXPECT_EQ(GetScrollPos(bar.Handle(), SB_CTL), c.expectedPosition) << c.name;
    }
    EXPECT_GT(changes, 0);

    // The published names the painters read.
    EXPECT_EQ(bar.GetPropertyText("Kind"), "sbHorizontal");
    const HWND before = bar.Handle();
    bar.SetPropertyText("Kind", "sbVertical");
    EXPECT_NE(bar.Handle(), before);
    EXPECT_NE(GetWindowLongW(bar.Handle(), GWL_STYLE) & SBS_VERT, 0);
    EXPECT_THROW(bar.SetPropertyText("Kind", "sbDiagonal"), ui::PropertyError);
    bar.SetPropertyText("PageSize", "0");
    bar.SetPropertyText("Max", "40");
    bar.SetPropertyText("Position", "25");
    EXPECT_EQ(bar.GetPropertyText("Position"), "25");
    EXPECT_EQ(GetScrollPos(bar.Handle(), SB_CTL), 25);

    // The user's scrolling arrives reflected from the parent.
    changes = 0;
    SendMessageW(form->Handle(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar.Handle()));
    EXPECT_EQ(bar.Position(), 26);
    SendMessageW(form->Handle(), WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar.Handle()));
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(changes, 2);
}

TEST_F(ScrollingControlsTest, MemoScrollBarsComeWithANewWindowAndKeepTheText) {
    auto& memo = Add<ui::Memo>(10, 10, 200, 120);
    memo.SetText(L"第一行\r\n第二行\r\n第三行");
    EXPECT_EQ(memo.LineCount(), 3);
    EXPECT_EQ(GetWindowLongW(memo.Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    memo.SetPropertyText("ScrollBars", "ssBoth");
    EXPECT_EQ(memo.ScrollBars(), ui::ScrollStyle::Both);
    EXPECT_EQ(GetWindowLongW(memo.Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL | WS_HSCROLL);
    EXPECT_EQ(memo.Text(), L"第一行\r\n第二行\r\n第三行");
    EXPECT_THROW(memo.SetPropertyText("ScrollBars", "ssDiagonal"), ui::PropertyError);
    EXPECT_TRUE(memo.InheritsFrom("TCustomMemo"));
    EXPECT_TRUE(memo.InheritsFrom("TCustomEdit"));
}

TEST_F(ScrollingControlsTest, ScrollBoxBarsFollowItsChildren) {
    auto& box = Add<ui::ScrollBox>(10, 10, 200, 150);
    auto& child = form->Create<ui::Button>();
    child.SetParent(&box);
    child.SetBounds(10, 10, 80, 40);
    box.UpdateScrollBars();
    EXPECT_EQ(GetWindowLongW(box.Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);

    child.SetBounds(10, 10, 80, 400);
    box.UpdateScrollBars();
    EXPECT_NE(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_HSCROLL, 0);

    SendMessageW(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    RECT client{};
    GetClientRect(box.Handle(), &client);
    EXPECT_EQ(box.ScrollOffset().y, 410 - client.bottom);
    EXPECT_EQ(child.Top(), 10 - box.ScrollOffset().y);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(box.ScrollOffset().y, 0);
    EXPECT_EQ(child.Top(), 10);
}

TEST_F(ScrollingControlsTest, ListViewShowsColumnsUnderAHeader) {
    auto& view = Add<ui::ListView>(10, 10, 300, 150);
    view.AddColumn(L"名称", 120);
    view.AddColumn(L"大小", 80);
    view.AddItem({L"报告.txt", L"3 KB"});
    view.AddItem({L"照片.png", L"120 KB"});
    HWND header = view.Header();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(view.Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(view.Cell(1, 1), L"120 KB");
    EXPECT_EQ(view.Cell(5, 0), L"");
    int changes = 0;
    view.OnChange = [&changes](ui::Control&) { ++changes; };
    view.SetItemIndex(1);
    EXPECT_EQ(view.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(view.GetPropertyText("ViewStyle"), "vsReport");
    EXPECT_TRUE(view.InheritsFrom("TCustomListView"));
}

} // namespace
