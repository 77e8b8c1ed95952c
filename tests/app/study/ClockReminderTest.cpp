// The clock in the tool bar, the page script call once a minute, and the
// reminder popup with its flashing and closing.

#include "tests/app/study/StudyWindowFixture.h"

#include "ui/Screen.h"

using namespace study_tests;

namespace {

constexpr RECT kThirtyPixelTaskbar{0, 738, 1024, 768};

class ClockTest : public StudyWindowTest {
protected:
    void SetUp() override {
        StudyWindowTest::SetUp();
        window->QueryTaskbar = [this] { return taskbar; };
    }

    app::Tfms* Popup() const { return app::fms().get(); }

    void ExpectPopupPlaced(app::Tfms& popup, int gap) {
        RECT outer{};
        GetWindowRect(popup.Handle(), &outer);
        EXPECT_EQ(outer.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(outer.bottom, GetSystemMetrics(SM_CYSCREEN) - gap);
        EXPECT_EQ(outer.bottom - outer.top, popup.Height());
    }

    RECT taskbar = kThirtyPixelTaskbar;
};

TEST_F(ClockTest, TheClockRunsEverySecondFromCreation) {
    const app::Tfmmain fresh(nullptr, kBase);
    EXPECT_TRUE(fresh.Timer1.Enabled());
    EXPECT_EQ(fresh.Timer1.Interval(), 1000u);
    EXPECT_EQ(fresh.Timer1.tag, 0);
}

TEST_F(ClockTest, ColonBlinksAndLabelsFollowTheTime) {
    TickAt(9, 7);
    EXPECT_EQ(window->stf.Caption(), L" ");
    EXPECT_EQ(window->Timer1.tag, 1);
    EXPECT_EQ(window->sth.Caption(), L"09");
    EXPECT_EQ(window->stm.Caption(), L"07");
    TickAt(23, 59);
    EXPECT_EQ(window->stf.Caption(), L":");
    EXPECT_EQ(window->Timer1.tag, 0);
    EXPECT_EQ(window->sth.Caption(), L"23");
    EXPECT_EQ(window->stm.Caption(), L"59");
    TickAt(0, 0);
    EXPECT_EQ(window->stf.Caption(), L" ");
    EXPECT_EQ(window->sth.Caption(), L"00");
}

TEST_F(ClockTest, APhaseOtherThanZeroOrOneLeavesTheColon) {
    window->Timer1.tag = 2;
    TickAt(10, 0);
    EXPECT_EQ(window->stf.Caption(), L":");
    EXPECT_EQ(window->Timer1.tag, 2);
}

TEST_F(ClockTest, FirstTickAtAQuarterShowsTheReminderAboveTheTaskbar) {
    TickAt(10, 15);
    app::Tfms* popup = Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(IsWindowVisible(popup->Handle()));
    EXPECT_EQ(popup->Caption(), L"Vocara提示");
    ExpectPopupPlaced(*popup, 30 + 10);
}

// Xvfb has no task bar; Wine's shell answers a one-pixel strip at the bottom
// of the screen. Whatever it answers is what the popup keeps clear of.
TEST_F(ClockTest, TheShellsTaskbarAnswerPlacesTheReminder) {
    window->QueryTaskbar = app::QueryShellTaskbar;
    const RECT shell = app::QueryShellTaskbar();
    TickAt(10, 45);
    ASSERT_NE(Popup(), nullptr);
    ExpectPopupPlaced(*Popup(), (shell.bottom - shell.top) + 10);
}

// The gap above the screen's bottom is the task bar's height and 10; a task
// bar on a side edge is as tall as the screen and must not push the reminder
// off the screen's top.
TEST_F(ClockTest, TheReminderKeepsClearOfTheTaskbarWhereverItStands) {
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* edge;
        RECT taskbar;
        int gap;
    } rows[] = {
        {"bottom", {0, h - 30, w, h}, 40},
        {"top", {0, 0, w, 30}, 40},
        {"left", {0, 0, 60, h}, 10},
        {"right", {w - 60, 0, w, h}, 10},
        {"none reported", {0, 0, 0, 0}, 10},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.edge);
        taskbar = row.taskbar;
        window->sfms();
        ExpectPopupPlaced(*Popup(), row.gap);
        EXPECT_GE(Popup()->Top(), 0);
        DeleteReminder();
    }
}

// The skin fits its frame to a new popup when the set-up message it posted
// arrives, after the placement: keeping the client area, it changes the outer
// size from the top-left corner. The popup keeps its bottom-right corner.
TEST_F(ClockTest, AFrameFittedAfterThePlacementKeepsTheReminderAboveTheTaskbar) {
    TickAt(10, 15);
    app::Tfms& popup = *Popup();
    RECT outer{};
    GetWindowRect(popup.Handle(), &outer);
    for (const int grow : {14, -6}) {
        SCOPED_TRACE(grow);
        const int width = outer.right - outer.left + grow / 2;
        const int height = outer.bottom - outer.top + grow;
        SetWindowPos(popup.Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ExpectPopupPlaced(popup, 40);
        EXPECT_EQ(popup.Height(), height);
        EXPECT_EQ(popup.Width(), width);
    }
    // A move alone (the user dragging it by its caption) is the user's.
    SetWindowPos(popup.Handle(), nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(popup.Left(), 100);
    EXPECT_EQ(popup.Top(), 120);
}

TEST_F(ClockTest, StartingOnTheHourWaitsForTheNextQuarter) {
    for (int minute = 0; minute < 15; ++minute) {
        TickAt(10, minute);
        TickAt(10, minute);
        EXPECT_EQ(Popup(), nullptr) << "at minute " << minute;
    }
    TickAt(10, 15);
    EXPECT_NE(Popup(), nullptr);
}

TEST_F(ClockTest, RemindersComeOnlyAtTheQuarters) {
    for (int minute = 0; minute < 60; ++minute) {
        TickAt(11, minute);
        const bool quarter = minute % 15 == 0 && minute != 0;  // "00" was already showing
        EXPECT_EQ(Popup() != nullptr, quarter) << "at minute " << minute;
        DeleteReminder();
    }
    TickAt(12, 0);
    EXPECT_NE(Popup(), nullptr);
}

TEST_F(ClockTest, ADueReminderReusesThePopupWithItsCount) {
    TickAt(10, 15);
    app::Tfms* popup = Popup();
    ASSERT_NE(popup, nullptr);
    for (int i = 0; i < 5; ++i) {
        popup->Timer1Timer(popup->Timer1);
    }
    popup->FormClick(*popup);
    popup->Hide();
    popup->SetBounds(0, 0, popup->Width(), popup->Height());

    TickAt(10, 30);

    EXPECT_EQ(Popup(), popup);
    EXPECT_EQ(popup->Timer1.tag, 5);
    EXPECT_FALSE(popup->Timer1.Enabled());
    EXPECT_TRUE(IsWindowVisible(popup->Handle()));
    ExpectPopupPlaced(*popup, 40);
}

TEST_F(ClockTest, HiddenMenuItemShowsTheReminder) {
    window->h1.Click();
    EXPECT_NE(Popup(), nullptr);
}

TEST_F(ClockTest, ScriptIsCalledOnceAMinuteInAFirstStudyPeriod) {
    EnterPageMode(1);
    TickAt(10, 1);
    TickAt(10, 1);
    TickAt(10, 1);
    EXPECT_EQ(browser->scripts, std::vector<std::wstring>{L"sbody()|javascript"});
    TickAt(10, 2);
    EXPECT_EQ(browser->scripts.size(), 2u);
    // At a quarter both happen.
    TickAt(10, 15);
    EXPECT_EQ(browser->scripts.size(), 3u);
    EXPECT_NE(Popup(), nullptr);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ClockTest, NoScriptCallOutsideAFirstStudyPeriod) {
    for (const int mode : {0, 2}) {
        EnterPageMode(mode);
        TickAt(10, 1 + mode);
    }
    window->ToolButton4.Click();
    TickAt(10, 5);
    EXPECT_TRUE(browser->scripts.empty());
}

TEST_F(ClockTest, AFailedScriptCallShowsTheErrorAndSkipsThatMinutesReminder) {
    EnterPageMode(1);
    browser->scriptSucceeds = false;
    browser->scriptError = L"缺少对象";

    TickAt(10, 15);

    // In our words, the page's own error under them.
    EXPECT_EQ(errors, std::vector<std::wstring>{L"页面脚本无法运行\n\n脚本: sbody()\n原因: 缺少对象"});
    EXPECT_EQ(window->stm.Caption(), L"15");
    EXPECT_EQ(Popup(), nullptr);
    // Not retried in the same minute.
    TickAt(10, 15);
    EXPECT_EQ(browser->scripts.size(), 1u);
    EXPECT_EQ(errors.size(), 1u);
    // A minute later it is called again.
    TickAt(10, 16);
    EXPECT_EQ(browser->scripts.size(), 2u);
    EXPECT_EQ(errors.size(), 2u);
}

// The error box's modal loop goes on ticking the clock: those ticks keep the
// labels and reminders but do not stack a second call and box.
TEST_F(ClockTest, TicksUnderTheErrorBoxDoNotCallTheScriptAgain) {
    EnterPageMode(1);
    browser->scriptSucceeds = false;
    int nestedScriptCalls = -1;
    std::wstring minuteUnderTheBox;
    bool reminderUnderTheBox = false;
    ui::App().OnException = [&](const std::wstring& text) {
        errors.push_back(text);
        if (errors.size() > 1) {
            return;
        }
        const size_t before = browser->scripts.size();
        TickAt(10, 14);
        TickAt(10, 15);
        nestedScriptCalls = int(browser->scripts.size() - before);
        minuteUnderTheBox = window->stm.Caption();
        reminderUnderTheBox = Popup() != nullptr;
    };

    TickAt(10, 13);

    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(nestedScriptCalls, 0);
    EXPECT_EQ(minuteUnderTheBox, L"15");
    EXPECT_TRUE(reminderUnderTheBox);
    // Once the box is closed the calls resume.
    TickAt(10, 16);
    EXPECT_EQ(errors.size(), 2u);
}

// --- the popup ---------------------------------------------------------------------

TEST_F(ClockTest, PopupLayout) {
    window->sfms();
    app::Tfms& popup = *Popup();
    EXPECT_EQ(popup.ClientWidth(), 196);
    EXPECT_EQ(popup.ClientHeight(), 73);
    const LONG_PTR exStyle = GetWindowLongPtrW(popup.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    const LONG_PTR style = GetWindowLongPtrW(popup.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(popup.Timer1.Interval(), 500u);
    EXPECT_TRUE(popup.Timer1.Enabled());
    EXPECT_EQ(GetWindow(popup.Handle(), GW_OWNER), ui::App().Handle());
    EXPECT_EQ(popup.Owner(), &ui::App());

    const struct {
        ui::WinControl* control;
        RECT bounds;
        const wchar_t* text;
    } rows[] = {
        {&popup.StaticText1, {0, 0, 196, 23}, L"您有未完成任务!"},
        {&popup.Button1, {16, 44, 91, 69}, L"详细"},
        {&popup.Button2, {104, 44, 179, 69}, L"关闭"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control->name);
        const RECT bounds = row.control->BoundsRect();
        EXPECT_TRUE(EqualRect(&bounds, &row.bounds));
        EXPECT_EQ(row.control->Caption(), row.text);
        EXPECT_EQ(row.control->GetFont().name, L"新宋体");
        EXPECT_EQ(row.control->GetFont().height, 19);
    }
}

TEST_F(ClockTest, PopupStartsWithItsDesignCaptionAndTopmost) {
    app::Tfms& popup = ui::App().Create<app::Tfms>();
    const ui::Ref<app::Tfms> ref(&popup);
    EXPECT_EQ(popup.Caption(), L"显示");
    EXPECT_EQ(popup.Timer1.tag, 0);
    EXPECT_TRUE(GetWindowLongPtrW(popup.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    delete &popup;
    EXPECT_FALSE(ref);
}

TEST_F(ClockTest, PopupFlashesTenTicksAndClosesItselfAtTheHundredAndFirst) {
    window->sfms();
    app::Tfms& popup = *Popup();
    const ui::Ref<app::Tfms> ref(&popup);
    const HWND handle = popup.Handle();
    // FlashWindow toggles the caption's look through WM_NCACTIVATE.
    int flashes = 0;
    ui::MessageHandler saved = popup.WindowProc;
    popup.WindowProc = [&](ui::Message& message) {
        if (message.msg == WM_NCACTIVATE) {
            ++flashes;
        }
        saved(message);
    };
    auto tick = [&] { popup.Timer1Timer(popup.Timer1); };

    for (int i = 1; i <= 10; ++i) {
        tick();
    }
    EXPECT_EQ(flashes, 10);
    for (int i = 11; i <= 100; ++i) {
        tick();
    }
    EXPECT_EQ(flashes, 10);
    EXPECT_EQ(Popup(), &popup);
    EXPECT_TRUE(IsWindowVisible(handle));

    tick();

    EXPECT_EQ(Popup(), nullptr);
    EXPECT_FALSE(IsWindowVisible(handle));
    ui::App().ProcessMessages();
    EXPECT_FALSE(ref);
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(ClockTest, AClickOnThePopupsSurfaceStopsItsTimerAClickOnTheLabelDoesNot) {
    window->sfms();
    app::Tfms& popup = *Popup();
    auto click = [](HWND target, int x, int y) {
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };

    click(popup.StaticText1.Handle(), 20, 10);
    EXPECT_TRUE(popup.Timer1.Enabled());

    click(popup.Handle(), 8, 34);
    EXPECT_FALSE(popup.Timer1.Enabled());
    EXPECT_EQ(Popup(), &popup);
}

TEST_F(ClockTest, PopupButtonsAndCloseBoxDestroyIt) {
    const struct {
        const char* name;
        std::function<void(app::Tfms&)> act;
        bool studyShown;
    } ways[] = {
        {"details", [](app::Tfms& p) { SendMessageW(p.Button1.Handle(), BM_CLICK, 0, 0); }, true},
        {"close", [](app::Tfms& p) { SendMessageW(p.Button2.Handle(), BM_CLICK, 0, 0); }, false},
        {"close box", [](app::Tfms& p) { SendMessageW(p.Handle(), WM_CLOSE, 0, 0); }, false},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        window->Hide();
        window->ToolButton3Click(window->ToolButton3);
        browser->Reset();
        window->sfms();
        app::Tfms& popup = *Popup();
        const ui::Ref<app::Tfms> ref(&popup);
        const HWND handle = popup.Handle();

        way.act(popup);

        EXPECT_EQ(Popup(), nullptr);
        EXPECT_FALSE(IsWindowVisible(handle));
        EXPECT_EQ(IsWindowVisible(window->Handle()) != FALSE, way.studyShown);
        if (way.studyShown) {
            // Shown from hidden: placed and on the home page.
            EXPECT_EQ(window->PageMode(), 0);
            EXPECT_EQ(browser->opened, std::vector<std::wstring>{HomeUrl()});
        } else {
            EXPECT_EQ(window->PageMode(), 2);
        }
        ui::App().ProcessMessages();
        EXPECT_FALSE(ref);
        EXPECT_FALSE(IsWindow(handle));
    }
}

} // namespace
