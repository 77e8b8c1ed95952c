#pragma once
// A study window with the scripted browser, a clock the test sets, a known
// session identifier and a server base of its own; the clock timer is
// stopped so that only the ticks a test drives happen.

#include "app/LoginState.h"
#include "app/WindowReferences.h"
#include "app/study/Clock.h"
#include "app/study/ReminderPopup.h"
#include "app/study/StudyWindow.h"
#include "tests/support/Pump.h"
#include "tests/support/ScriptedBrowser.h"
#include "ui/Application.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace study_tests {

inline constexpr wchar_t kBase[] = L"http://svc.test:81";
inline constexpr char kSid[] = "ab12";

class SteppingClock final : public app::Clock {
public:
    int Hour() const override { return hour; }
    int Minute() const override { return minute; }
    void Set(int h, int m) {
        hour = h;
        minute = m;
    }
    int hour = 10;
    int minute = 0;
};

inline std::wstring Url(const std::wstring& pathAndQuery) { return kBase + pathAndQuery; }
inline std::wstring HomeUrl() { return Url(L"/en/fstpg/rls.html?wb=1&sid=ab12"); }

class StudyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app::UserInfo() = {};
        app::UserInfo().sid = kSid;
        app::SetClock(&clock);
        ui::App().OnException = [this](const std::wstring& text) { errors.push_back(text); };
        window = std::make_unique<app::Tfmmain>(nullptr, kBase);
        window->StopClock();
        app::fmmain() = window.get();
        ASSERT_EQ(scope.made.size(), 1u);
        browser = scope.made.back();
    }

    void TearDown() override {
        DeleteReminder();
        window.reset();
        ui::App().ProcessMessages();  // forms released by the test
        app::SetClock(nullptr);
        ui::App().OnException = nullptr;
        app::UserInfo() = {};
    }

    void DeleteReminder() {
        if (app::Tfms* popup = app::fms().get()) {
            delete popup;
        }
    }

    // One clock tick at this time of day.
    void TickAt(int hour, int minute) {
        clock.Set(hour, minute);
        window->Timer1Timer(window->Timer1);
    }

    // Puts the window into a page mode by the paths the program has.
    void EnterPageMode(int mode) {
        switch (mode) {
        case 0:
            window->tbfstClick(window->tbfst);
            break;
        case 1:
            window->tbfstClick(window->tbfst);
            browser->Fire(Url(L"/en/x/endfst"));
            break;
        case 2:
            window->ToolButton3Click(window->ToolButton3);
            break;
        default:
            FAIL() << "no path into page mode " << mode;
        }
        ASSERT_EQ(window->PageMode(), mode);
        browser->Reset();
    }

    RECT WindowRect() const {
        RECT rect{};
        GetWindowRect(window->Handle(), &rect);
        return rect;
    }

    testing_support::ScriptedBrowserScope scope;
    SteppingClock clock;
    std::vector<std::wstring> errors;
    std::unique_ptr<app::Tfmmain> window;
    testing_support::ScriptedBrowser* browser = nullptr;
};

} // namespace study_tests
