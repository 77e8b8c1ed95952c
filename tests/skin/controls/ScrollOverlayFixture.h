#pragma once
// A shown form with scrolling controls whose bars carry overlays painted
// from the probe skin, and the geometry the system reports for those bars.

#include "skin/controls/ControlSetUp.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"
#include "tests/skin/controls/ScrollBarProbe.h"
#include "tests/support/MouseInput.h"
#include "tests/support/Pump.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Button.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"

#include <gtest/gtest.h>

#include <string>

namespace scrolltest {

constexpr ui::Color kParentColour = RGB(200, 190, 170);

inline std::wstring NumberedLines(int count) {
    std::wstring text;
    for (int line = 1; line <= count; ++line) {
        text += L"第 " + std::to_wstring(line) + L" 行\r\n";
    }
    return text;
}

inline SCROLLBARINFO BarInfo(HWND window, LONG objectId) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(window, objectId, &info);
    return info;
}

// A screen rectangle in the client coordinates of `window`.
inline RECT InClient(HWND window, RECT rect) {
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline ::testing::AssertionResult SameRect(const RECT& a, const RECT& b) {
    if (EqualRect(&a, &b)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << a.left << "," << a.top << "," << a.right << "," << a.bottom << " vs "
                                         << b.left << "," << b.top << "," << b.right << "," << b.bottom;
}

// Where the overlay lies, in its parent's client coordinates.
inline RECT OverlayPlace(const skin::TWScrollbar& bar) {
    RECT rect{};
    GetWindowRect(bar.Window(), &rect);
    return InClient(GetParent(bar.Window()), rect);
}

inline int ScrollPosition(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info.nPos;
}

inline int LastPosition(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info.nMax - int(info.nPage) + 1;
}

// One of each scrolling control, owned by owner, inside parent.
struct ScrollingControls {
    ScrollingControls(ui::Component& owner, ui::WinControl& parent)
        : memo(owner.Create<ui::Memo>()),
          list(owner.Create<ui::ListBox>()),
          bar(owner.Create<ui::ScrollBar>()),
          box(owner.Create<ui::ScrollBox>()),
          view(owner.Create<ui::ListView>()) {
        memo.SetParent(&parent);
        memo.SetBounds(4, 4, 110, 70);
        memo.SetScrollBars(ui::ScrollStyle::Both);
        memo.SetText(scrolltest::NumberedLines(40));
        list.SetParent(&parent);
        list.SetBounds(120, 4, 100, 70);
        for (int i = 0; i < 30; ++i) {
            list.AddItem(L"项目 " + std::to_wstring(i));
        }
        bar.SetParent(&parent);
        bar.SetBounds(4, 80, 110, 16);
        box.SetParent(&parent);
        box.SetBounds(120, 80, 100, 40);
        auto& inBox = owner.Create<ui::Button>();
        inBox.SetParent(&box);
        inBox.SetBounds(10, 10, 60, 90);
        view.SetParent(&parent);
        view.SetBounds(4, 100, 110, 40);
        view.AddColumn(L"名称", 60);
        view.AddColumn(L"大小", 60);
        for (int i = 0; i < 20; ++i) {
            view.AddItem({L"文件 " + std::to_wstring(i), L"1 KB"});
        }
    }
    ui::Memo& memo;
    ui::ListBox& list;
    ui::ScrollBar& bar;
    ui::ScrollBox& box;
    ui::ListView& view;
};

struct OverlayFixture : ::testing::Test {
    OverlayFixture() {
        form.SetBounds(100, 80, 480, 400);
        form.SetColor(kParentColour);
        form.Show();
        SetForegroundWindow(form.Handle());
        testsupport::PumpPostedMessages();
        testsupport::MoveMouseTo(POINT{2, 2});
    }
    ~OverlayFixture() override {
        delete &form;
        ui::App().ProcessMessages();
    }

    // A painter of the kind set up over the control with the probe skin.
    template <class Painter>
    Painter& Paint(ui::Control& control, skin::PainterKind kind) {
        skin::TSkinControl* painter = skin::CreatePainter(kind, &control);
        EXPECT_NE(painter, nullptr);
        auto* setUp = dynamic_cast<skin::ControlSetUp*>(painter);
        EXPECT_NE(setUp, nullptr);
        setUp->SetUpControl(control, skin.get(), nullptr, nullptr);
        testsupport::PumpPostedMessages();
        return dynamic_cast<Painter&>(*painter);
    }

    ui::Memo& NewMemo(ui::ScrollStyle bars, int lines, RECT bounds = RECT{10, 10, 250, 200}) {
        auto& memo = form.Create<ui::Memo>();
        memo.SetParent(&form);
        memo.SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
        memo.SetScrollBars(bars);
        memo.SetText(NumberedLines(lines));
        memo.Handle();
        return memo;
    }

    std::unique_ptr<skin::TSkinData> skin = ProbeSkin();
    ui::Form& form = ui::App().Create<ui::Form>();
};

} // namespace scrolltest
