// The bars of a combo box's list: the drop-down list's bar drawn into the
// list window with its own thumb drag (real input), and the bars of a simple
// combo box's list covered by overlays like a control's.

#include "skin/controls/ComboxScrollBar.h"
#include "skin/controls/SkinScrollbarH.h"
#include "tests/skin/controls/ScrollOverlayFixture.h"

#include <memory>

namespace {

using scrolltest::StripCell;
using testsupport::MoveMouseTo;
using testsupport::PumpUntil;
using testsupport::SendMouse;

struct ComboListTest : scrolltest::OverlayFixture {
    HWND NewCombo(DWORD style, int height) {
        HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 20, 20, 200,
                                     height, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < 60; ++i) {
            const std::wstring text = L"选项 " + std::to_wstring(i);
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        return combo;
    }
    static HWND ListOf(HWND combo) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo, &info);
        return info.hwndList;
    }
    // A painter as the combo box's painter makes one: through the factory,
    // attached to the list window.
    template <class Painter>
    std::unique_ptr<Painter> PaintList(skin::PainterKind kind, HWND list) {
        std::unique_ptr<Painter> painter(dynamic_cast<Painter*>(skin::CreatePainter(kind, nullptr)));
        EXPECT_NE(painter, nullptr);
        painter->AttachWindow(list, skin.get(), nullptr, nullptr);
        return painter;
    }
};

TEST_F(ComboListTest, TheDropDownListsBarIsDrawnIntoTheListAndItsThumbStopsAtTheLastPage) {
    HWND combo = NewCombo(CBS_DROPDOWNLIST, 200);
    HWND list = ListOf(combo);
    ASSERT_NE(list, nullptr);
    auto painter = PaintList<skin::TComboxScrollBar>(skin::PainterKind::ComboxScrollBar, list);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; }));
    const SCROLLBARINFO bar = scrolltest::BarInfo(list, OBJID_VSCROLL);
    ASSERT_EQ(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
    RECT window{};
    GetWindowRect(list, &window);
    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - window.left;
    const int upArrow = bar.rcScrollBar.top - window.top + bar.dxyLineButton / 2;
    ASSERT_TRUE(PumpUntil([&] { return scrolltest::ScreenShot(list).PixelAt(x, upArrow) == StripCell(9); }));
    EXPECT_EQ(scrolltest::ScreenShot(list).PixelAt(x, bar.rcScrollBar.bottom - window.top - 3), StripCell(13));

    // The thumb dragged far below the list.
    const POINT thumb{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                      bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    const POINT beyond{thumb.x, bar.rcScrollBar.bottom + 150};
    ASSERT_TRUE(MoveMouseTo(thumb));
    SendMouse(thumb, MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step) {
        SendMouse(POINT{thumb.x, thumb.y + (beyond.y - thumb.y) * step / 4}, 0);
    }
    SendMouse(beyond, MOUSEEVENTF_LEFTUP);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    const bool reached = PumpUntil([&] {
        GetScrollInfo(list, SB_VERT, &info);
        return info.nPos == info.nMax - int(info.nPage) + 1 && !painter->Dragging();
    });
    EXPECT_TRUE(reached) << info.nPos << " of " << info.nMax << " page " << info.nPage;
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), info.nPos);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    painter.reset();
    DestroyWindow(combo);
}

TEST_F(ComboListTest, ASimpleComboBoxsListHasItsBarCovered) {
    HWND combo = NewCombo(CBS_SIMPLE, 180);
    HWND list = ListOf(combo);
    ASSERT_NE(list, nullptr);
    auto painter = PaintList<skin::TSkinScrollbarH>(skin::PainterKind::ScrollbarH, list);
    ASSERT_TRUE(PumpUntil([&] { return painter->VertBar()->Shown(); }));
    const RECT native = scrolltest::InClient(combo, scrolltest::BarInfo(list, OBJID_VSCROLL).rcScrollBar);
    const RECT overlay = scrolltest::OverlayPlace(*painter->VertBar());
    EXPECT_TRUE(scrolltest::SameRect(native, overlay));
    EXPECT_FALSE(painter->HorzBar()->Shown());

    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(painter->VertBar()->HoverPart(), SB_PAGEDOWN);
    painter.reset();
    DestroyWindow(combo);
}

} // namespace
