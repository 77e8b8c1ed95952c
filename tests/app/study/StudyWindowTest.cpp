// The study window: its controls, the tool-bar pages, showing, hiding, the
// close request and activation.

#include "tests/app/study/StudyWindowFixture.h"

#include "ui/Bitmap.h"
#include "ui/Panel.h"

#include <cmath>
#include <utility>

using namespace study_tests;
using testsupport::PumpUntil;

namespace {

TEST_F(StudyWindowTest, WindowFrameAndDesignSize) {
    EXPECT_EQ(window->Caption(), L"Vocara1.4");
    wchar_t className[32] = {};
    GetClassNameW(window->Handle(), className, int(std::size(className)));
    EXPECT_STREQ(className, L"Tfmmain");
    const LONG_PTR style = GetWindowLongPtrW(window->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_EQ(window->ClientWidth(), 598);
    EXPECT_EQ(window->ClientHeight(), 94);
    EXPECT_EQ(window->PageMode(), 0);
    EXPECT_EQ(app::fmmain().get(), window.get());
}

TEST_F(StudyWindowTest, ToolBarHoldsTheButtonsAndTheClockInOrder) {
    ui::ToolBar& bar = window->ToolBar1;
    EXPECT_TRUE(bar.Flat());
    EXPECT_TRUE(bar.ShowCaptions());
    EXPECT_EQ(bar.GetColor(), ui::clBtnHighlight);
    EXPECT_EQ(bar.GetFont().name, L"宋体");
    EXPECT_EQ(bar.GetFont().height, 16);
    EXPECT_EQ(bar.ButtonWidth(), 39);
    EXPECT_EQ(bar.ButtonHeight(), 39);
    EXPECT_EQ(bar.Top(), 0);
    EXPECT_EQ(bar.Width(), window->ClientWidth());
    ASSERT_NE(bar.Images(), nullptr);
    EXPECT_EQ(bar.Images()->Count(), 7);

    struct Row {
        ui::Control* control;
        const char* name;
        const wchar_t* caption;
        int imageIndex;  // -1: not a button
    };
    const Row rows[] = {
        {&window->tbfst, "tbfst", L"首页", 6},
        {&window->ToolButton3, "ToolButton3", L"计划", 5},
        {&window->ToolButton1, "ToolButton1", L"历史", 0},
        {&window->ToolButton2, "ToolButton2", L"设置", 1},
        {&window->ToolButton4, "ToolButton4", L"隐藏", 3},
        {&window->ToolButton5, "ToolButton5", L"", -1},
        {&window->sth, "sth", L"00", -1},
        {&window->stf, "stf", L":", -1},
        {&window->stm, "stm", L"00", -1},
    };
    ASSERT_EQ(bar.ControlCount(), int(std::size(rows)));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(bar.Controls()[i], rows[i].control);
        EXPECT_EQ(rows[i].control->name, rows[i].name);
        EXPECT_EQ(rows[i].control->Caption(), rows[i].caption);
        EXPECT_EQ(bar.NativeIndexOf(rows[i].control), int(i));
        if (rows[i].imageIndex >= 0) {
            EXPECT_EQ(static_cast<ui::ToolButton*>(rows[i].control)->ImageIndex(), rows[i].imageIndex);
            EXPECT_GE(rows[i].control->Width(), 39);
            EXPECT_GE(rows[i].control->Height(), 39);
        }
    }
    EXPECT_EQ(window->ToolButton5.Style(), ui::ToolButtonStyle::Separator);
    EXPECT_EQ(window->ToolButton5.Width(), 8);
    // The clock sits left to right after the separator.
    const int widths[] = {20, 12, 20};
    const ui::Label* clock[] = {&window->sth, &window->stf, &window->stm};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(clock[i]->Width(), widths[i]);
        EXPECT_EQ(clock[i]->Height(), 39);
    }
    EXPECT_EQ(window->stf.Left(), window->sth.Left() + 20);
    EXPECT_EQ(window->stm.Left(), window->stf.Left() + 12);
    EXPECT_GE(window->sth.Left(), window->ToolButton4.Left() + window->ToolButton4.Width() + 8);
}

TEST_F(StudyWindowTest, LoadingLabelAndBrowserFillTheRest) {
    const ui::Label& label = window->st1;
    EXPECT_EQ(label.Caption(), L"正在调入,请稍等...");
    EXPECT_EQ(label.GetFont().name, L"新宋体");
    EXPECT_EQ(label.GetFont().height, 19);
    EXPECT_EQ(label.GetFont().color, ui::clGreen);
    EXPECT_EQ(label.Height(), 23);
    EXPECT_EQ(label.Left(), 0);
    EXPECT_EQ(label.Top(), window->ToolBar1.Height());
    EXPECT_EQ(label.Width(), window->ClientWidth());

    window->SetBounds(0, 0, 600, 400);
    auto browserFillsBelow = [&](int top) {
        EXPECT_EQ(window->wb.Left(), 0);
        EXPECT_EQ(window->wb.Top(), top);
        EXPECT_EQ(window->wb.Width(), window->ClientWidth());
        EXPECT_EQ(window->wb.Top() + window->wb.Height(), window->ClientHeight());
    };
    window->st1.Show();
    browserFillsBelow(window->ToolBar1.Height() + 23);
    window->st1.Hide();
    browserFillsBelow(window->ToolBar1.Height());
}

struct ButtonCase {
    const char* name;
    ui::ToolButton& (*button)(app::Tfmmain&);
    int width;
    int height;
    int mode;
    const wchar_t* opened;
    bool labelShown;  // false: the label is left as it was
};

const ButtonCase kButtons[] = {
    {"home", [](app::Tfmmain& w) -> ui::ToolButton& { return w.tbfst; }, 465, 90, 0, L"/en/fstpg/rls.html?wb=1&sid=ab12", true},
    {"plan", [](app::Tfmmain& w) -> ui::ToolButton& { return w.ToolButton3; }, 700, 90, 2, L"/en/pln/pln.php?wb=1&sid=ab12", true},
    {"history", [](app::Tfmmain& w) -> ui::ToolButton& { return w.ToolButton1; }, 720, 90, 0, L"/en/hs/hs.php?wb=1&sid=ab12", true},
    {"settings", [](app::Tfmmain& w) -> ui::ToolButton& { return w.ToolButton2; }, 540, 520, 0, L"/en/user/uchg.php?sid=ab12", false},
};

TEST_F(StudyWindowTest, ToolBarButtonsOpenTheirPages) {
    for (const ButtonCase& c : kButtons) {
        for (const bool labelBefore : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << ", label shown before: " << labelBefore);
            EnterPageMode(c.mode == 2 ? 0 : 2);  // start from the other mode
            window->SetBounds(5, 5, 300, 300);
            window->st1.SetVisible(labelBefore);

            c.button(*window).Click();

            EXPECT_EQ(window->Width(), c.width);
            EXPECT_EQ(window->Height(), c.height);
            EXPECT_EQ(window->PageMode(), c.mode);
            EXPECT_EQ(window->st1.Visible(), c.labelShown || labelBefore);
            EXPECT_EQ(browser->opened, std::vector<std::wstring>{Url(c.opened)});
        }
    }
}

TEST_F(StudyWindowTest, ANativeButtonClickReachesItsHandler) {
    window->Show();
    browser->Reset();
    window->SetBounds(0, 0, 300, 300);
    // The native tool bar tells its parent, which hands it back to the bar.
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(window->ToolButton1.CommandId(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->ToolBar1.Handle()));
    EXPECT_EQ(window->Width(), 720);
    EXPECT_EQ(browser->opened, std::vector<std::wstring>{Url(L"/en/hs/hs.php?wb=1&sid=ab12")});
}

TEST_F(StudyWindowTest, ShowingPlacesTheWindowAndOpensTheHomePage) {
    window->ToolButton3Click(window->ToolButton3);
    window->st1.Hide();
    browser->Reset();

    window->Show();

    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->Left(), GetSystemMetrics(SM_CXSCREEN) / 2 - 200);
    EXPECT_EQ(window->Top(), GetSystemMetrics(SM_CYSCREEN) / 2 - 150);
    const RECT outer = WindowRect();
    EXPECT_EQ(outer.left, window->Left());
    EXPECT_EQ(outer.top, window->Top());
    EXPECT_EQ(window->Width(), 465);
    EXPECT_EQ(window->Height(), 90);
    EXPECT_TRUE(window->st1.Visible());
    EXPECT_EQ(window->PageMode(), 0);
    EXPECT_EQ(browser->opened, std::vector<std::wstring>{HomeUrl()});
}

TEST_F(StudyWindowTest, ShowingDestroysAReminder) {
    window->sfms();
    ASSERT_TRUE(app::fms());
    const ui::Ref<app::Tfms> popup(app::fms().get());
    const HWND popupWindow = popup->Handle();

    window->Show();

    EXPECT_FALSE(app::fms());
    EXPECT_FALSE(IsWindowVisible(popupWindow));
    ui::App().ProcessMessages();
    EXPECT_FALSE(popup);
    EXPECT_FALSE(IsWindow(popupWindow));
}

// The close box, Alt+F4 and the system menu end in WM_CLOSE; the desktop's
// end-of-session query asks the same question.
TEST_F(StudyWindowTest, CloseRequestsHideTheWindowAndRefuse) {
    const struct {
        const char* name;
        UINT message;
        LRESULT answer;
    } requests[] = {{"close", WM_CLOSE, 0}, {"end session", WM_QUERYENDSESSION, FALSE}};
    for (const auto& request : requests) {
        SCOPED_TRACE(request.name);
        window->Show();
        window->ToolButton3Click(window->ToolButton3);
        window->st1.Hide();
        browser->Reset();

        const LRESULT answer = SendMessageW(window->Handle(), request.message, 0, 0);

        EXPECT_EQ(answer, request.answer);
        EXPECT_TRUE(IsWindow(window->Handle()));
        EXPECT_FALSE(IsWindowVisible(window->Handle()));
        EXPECT_EQ(window->PageMode(), -1);
        EXPECT_EQ(browser->opened, std::vector<std::wstring>{HomeUrl()});
        // Only the address: the size and the label stay.
        EXPECT_EQ(window->Width(), 700);
        EXPECT_EQ(window->Height(), 90);
        EXPECT_FALSE(window->st1.Visible());
    }
}

TEST_F(StudyWindowTest, HidingFromThePlanAndShowingBackGivesTheHomePage) {
    window->Show();
    window->ToolButton3Click(window->ToolButton3);
    ASSERT_EQ(window->PageMode(), 2);

    window->ToolButton4.Click();

    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->PageMode(), -1);
    EXPECT_EQ(window->PageModeBeforeHide(), 2);
    // The replaced mode does not stop the colon.
    TickAt(10, 0);
    const std::wstring first = window->stf.Caption();
    TickAt(10, 0);
    EXPECT_NE(window->stf.Caption(), first);

    browser->Reset();
    window->Show();
    EXPECT_EQ(window->PageMode(), 0);
    EXPECT_EQ(browser->opened, std::vector<std::wstring>{HomeUrl()});
}

// The style is written whole (136); the system keeps WS_EX_TOPMOST for
// SetWindowPos alone and adds the edge of a captioned window itself, so what
// reads back is the tool-window bit without what was there before.
TEST_F(StudyWindowTest, ActivationMakesTheOwnerAToolWindowAndListsTheToolBar) {
    SetWindowLongPtrW(ui::App().Handle(), GWL_EXSTYLE, WS_EX_APPWINDOW | WS_EX_ACCEPTFILES);
    window->Show();
    SetForegroundWindow(window->Handle());
    ASSERT_TRUE(PumpUntil([&] { return window->Active(); }));
    const LONG_PTR ownerStyle = GetWindowLongPtrW(ui::App().Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(ownerStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ownerStyle & (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES));
    EXPECT_TRUE(window->ToolBar1.List());
    EXPECT_TRUE(GetWindowLongPtrW(window->ToolBar1.Handle(), GWL_STYLE) & TBSTYLE_LIST);
}

// The first and last rows of `area` with a pixel other than `background`.
std::pair<int, int> InkRows(const ui::Bitmap& shot, const RECT& area, ui::Color background) {
    int first = -1;
    int last = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (shot.PixelAt(x, y) != background) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

// Clock digits, button captions and button images share one middle line.
TEST_F(StudyWindowTest, ClockCaptionsAndImagesOfTheToolBarShareOneLine) {
    window->Show();
    SetForegroundWindow(window->Handle());
    ASSERT_TRUE(PumpUntil([&] { return window->Active() && window->ToolBar1.List(); }));
    const HWND bar = window->ToolBar1.Handle();
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::App().ProcessMessages();
    RECT client{};
    GetClientRect(bar, &client);
    ui::Bitmap shot(client.right, client.bottom);
    const HDC dc = GetDC(bar);
    BitBlt(shot.GetCanvas().Handle(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(bar, dc);

    const ui::Color background = ui::ColorToRgb(window->ToolBar1.GetColor());
    const RECT button = window->ToolBar1.Buttons(0)->BoundsRect();
    const auto [imageTop, imageBottom] =
        InkRows(shot, RECT{button.left + 2, button.top + 2, button.left + 22, button.bottom - 2}, background);
    const auto [captionTop, captionBottom] =
        InkRows(shot, RECT{button.left + 24, button.top + 2, button.right - 2, button.bottom - 2}, background);
    // The label's own area, child of the bar.
    RECT hours = window->sth.BoundsRect();
    const auto [clockTop, clockBottom] = InkRows(shot, hours, background);
    ASSERT_GE(imageTop, 0);
    ASSERT_GE(captionTop, 0);
    ASSERT_GE(clockTop, 0);
    EXPECT_NEAR(captionTop + captionBottom, imageTop + imageBottom, 3)
        << "image rows " << imageTop << ".." << imageBottom << ", caption rows " << captionTop << ".." << captionBottom;
    EXPECT_NEAR(clockTop + clockBottom, captionTop + captionBottom, 3)
        << "clock rows " << clockTop << ".." << clockBottom << ", caption rows " << captionTop << ".." << captionBottom;
}

TEST_F(StudyWindowTest, ResizingIsAllowedAsAsked) {
    window->Show();
    SetWindowPos(window->Handle(), nullptr, 0, 0, 613, 287, SWP_NOMOVE | SWP_NOZORDER);
    const RECT outer = WindowRect();
    EXPECT_EQ(outer.right - outer.left, 613);
    EXPECT_EQ(outer.bottom - outer.top, 287);
}

// A window that stands for the page's document inside the browser.
TEST_F(StudyWindowTest, RightButtonPressesInsideTheBrowserAreDropped) {
    window->Show();
    auto& page = window->Create<ui::Panel>();
    page.SetParent(&window->wb);
    page.SetBounds(0, 0, 50, 50);
    std::vector<ui::MouseButton> downs;
    int ups = 0;
    page.OnMouseDown = [&](ui::Control&, ui::MouseButton button, ui::ShiftState, int, int) {
        downs.push_back(button);
    };
    page.OnMouseUp = [&](ui::Control&, ui::MouseButton, ui::ShiftState, int, int) { ++ups; };

    for (const UINT message : {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP, WM_LBUTTONDOWN}) {
        PostMessageW(page.Handle(), message, 0, MAKELPARAM(5, 5));
    }
    ui::App().ProcessMessages();

    EXPECT_EQ(downs, std::vector<ui::MouseButton>{ui::MouseButton::Left});
    EXPECT_EQ(ups, 1);  // the right button's release passes
}

} // namespace
