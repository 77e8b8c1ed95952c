#include "app/LoginWindow.h"
#include "app/WindowReferences.h"
#include "app/account/AccountWindow.h"
#include "ui/Application.h"

#include "tests/support/OleTestEnvironment.h"
#include "tests/support/Pump.h"
#include "tests/support/ScriptedBrowser.h"
#include "tests/support/ServiceControl.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

using testing_support::ScriptedBrowser;
using testing_support::ScriptedBrowserScope;
using testsupport::PumpPostedMessages;
using testsupport::PumpUntil;
using testsupport::Service;

namespace {

// Captcha requests the stand-in has seen since its last reset.
int CaptchaRequests() {
    const std::string log = Service("log");
    int count = 0;
    for (size_t at = log.find("GET /qzuser/yz.php "); at != std::string::npos;
         at = log.find("GET /qzuser/yz.php ", at + 1)) {
        ++count;
    }
    return count;
}

std::wstring Address(const std::wstring& path) { return std::wstring(VOCARA_SERVER_BASE) + path; }

constexpr wchar_t kSignUpCaption[] = L"注册页面";
constexpr wchar_t kRecoveryCaption[] = L"找回密码";

// A login window on the stand-in, and the scripted browser for every window.
class AccountWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Service("reset");
        login.emplace(nullptr, VOCARA_SERVER_BASE);
        app::fmlg() = &*login;
        login->Show();
        ASSERT_TRUE(PumpUntil([&] { return login->Active(); }));
    }
    void TearDown() override {
        delete app::frmrg().get();
        PumpPostedMessages();  // any release still queued finds its window gone
        app::fmlg().reset();
        login.reset();
    }

    app::Tfrmrg& Window() {
        EXPECT_TRUE(app::frmrg());
        return *app::frmrg();
    }
    ScriptedBrowser& Browser() { return *scope.made.back(); }

    // Fills the login window's fields so a hand-over shows.
    void FillLoginFields() {
        login->edem.SetText(L"old@vocara.test");
        login->edpw.SetText(L"0123456789abcdef0123456789abcdef");
        login->edyz.SetText(L"abcd");
    }

    ScriptedBrowserScope scope;
    std::optional<app::Tfmlg> login;
};

TEST_F(AccountWindowTest, TheWindowAtDesignTime) {
    app::Tfrmrg window(nullptr);
    window.HandleNeeded();
    EXPECT_EQ(window.Left(), 690);
    EXPECT_EQ(window.Top(), 477);
    EXPECT_EQ(window.ClientWidth(), 272);
    EXPECT_EQ(window.ClientHeight(), 28);
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    wchar_t className[32] = {};
    GetClassNameW(window.Handle(), className, 32);
    EXPECT_STREQ(className, L"Tfrmrg");
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_STYLE) & WS_SYSMENU);

    EXPECT_EQ(window.StaticText1.Caption(), L"正在载入...");
    EXPECT_EQ(window.StaticText1.GetFont().name, L"新宋体");
    EXPECT_EQ(window.StaticText1.GetFont().height, 19);
    EXPECT_EQ(window.StaticText1.GetFont().color, ui::clRed);
    EXPECT_EQ(window.StaticText1.Top(), 0);
    EXPECT_EQ(window.StaticText1.Height(), 23);
    EXPECT_EQ(window.StaticText1.Width(), 272);
    EXPECT_TRUE(window.StaticText1.Visible());

    // The browser fills what the label leaves.
    EXPECT_EQ(window.WebBrowser1.Top(), 23);
    EXPECT_EQ(window.WebBrowser1.Left(), 0);
    EXPECT_EQ(window.WebBrowser1.Width(), 272);
    EXPECT_EQ(window.WebBrowser1.Height(), 28 - 23);
    EXPECT_FALSE(app::frmrg());
}

// How each login button opens the window.
struct OpenCase {
    const char* name;
    const char* button;
    const wchar_t* caption;
    const wchar_t* page;
};

const OpenCase kOpenCases[] = {
    {"sign-up", "Button3", kSignUpCaption, L"/en/user/rg.html?b=1"},
    {"recovery", "Button4", kRecoveryCaption, L"/en/user/rpwd.html?b=1"},
};

TEST_F(AccountWindowTest, EachLoginButtonOpensItsPageLoadingAt540By50) {
    for (const OpenCase& row : kOpenCases) {
        SCOPED_TRACE(row.name);
        auto* button = dynamic_cast<ui::Button*>(login->FindComponent(row.button));
        ASSERT_NE(button, nullptr);
        button->OnClick(*button);
        app::Tfrmrg& window = Window();
        EXPECT_EQ(window.Caption(), row.caption);
        EXPECT_TRUE(IsWindowVisible(window.Handle()));
        EXPECT_EQ(window.Width(), 540);
        EXPECT_EQ(window.Height(), 50);
        EXPECT_EQ(window.Owner(), &ui::App());
        EXPECT_TRUE(window.StaticText1.Visible());
        EXPECT_EQ(Browser().opened, std::vector<std::wstring>{Address(row.page)});
        delete &window;
        EXPECT_FALSE(app::frmrg());
    }
}

// One page command, fired by the page after the window opened.
struct CommandCase {
    const char* name;
    void (*open)();
    const wchar_t* caption;  // set after opening; none keeps the page's own
    const wchar_t* address;  // after the server base
    bool cancelled;
    bool closes;
    SIZE size;  // while it stays open
    bool labelShows;
    const wchar_t* email;  // handed to the login window; none: fields untouched
};

const CommandCase kCommands[] = {
    {"fi on sign-up", app::OpenSignUpPage, nullptr, L"/en/user/fi", true, false, {540, 490}, false, nullptr},
    {"fi on recovery", app::OpenRecoveryPage, nullptr, L"/en/user/fi", true, false, {500, 290}, false, nullptr},
    {"fi under another caption", app::OpenSignUpPage, L"注册", L"/en/user/fi", true, false, {540, 50}, false,
     nullptr},
    {"FI", app::OpenSignUpPage, nullptr, L"/en/user/FI", false, false, {540, 50}, true, nullptr},
    {"fi with a query", app::OpenSignUpPage, nullptr, L"/en/user/fi?x=1", false, false, {540, 50}, true, nullptr},
    {"End", app::OpenRecoveryPage, nullptr, L"/en/user/End", false, false, {540, 50}, true, nullptr},
    {"empty token", app::OpenSignUpPage, nullptr, L"/en/user/", false, false, {540, 50}, true, nullptr},
    {"end", app::OpenRecoveryPage, nullptr, L"/en/user/end", false, true, {}, false, nullptr},
    {"end without a slash", app::OpenSignUpPage, nullptr, nullptr, false, true, {}, false, nullptr},
    {"suc=e-mail", app::OpenSignUpPage, nullptr, L"/en/user/suc=new@vocara.test", false, true, {}, false,
     L"new@vocara.test"},
    {"suc, any fourth character", app::OpenSignUpPage, nullptr, L"/en/user/suc#a.b@c.d", false, true, {}, false,
     L"a.b@c.d"},
    {"suc, a double-byte fourth character", app::OpenSignUpPage, nullptr, L"/en/user/suc学a@b.test", false, true, {},
     false, L"a@b.test"},
    {"suc alone", app::OpenSignUpPage, nullptr, L"/en/user/suc", false, true, {}, false, L""},
    {"suca", app::OpenSignUpPage, nullptr, L"/en/user/suca", false, true, {}, false, L""},
    {"suc, the address undecoded", app::OpenSignUpPage, nullptr, L"/en/user/suc=a%40b.test", false, true, {}, false,
     L"a%40b.test"},
    {"suc, Chinese in the address", app::OpenSignUpPage, nullptr, L"/en/user/suc=学生@b.test", false, true, {}, false,
     L"学生@b.test"},
    {"Suc", app::OpenSignUpPage, nullptr, L"/en/user/Suc=x@y.z", false, false, {540, 50}, true, nullptr},
};

TEST_F(AccountWindowTest, PageCommands) {
    for (const CommandCase& row : kCommands) {
        SCOPED_TRACE(row.name);
        FillLoginFields();
        row.open();
        app::Tfrmrg& window = Window();
        if (row.caption != nullptr) {
            window.SetCaption(row.caption);
        }
        const HWND handle = window.Handle();
        const ui::Ref<app::Tfrmrg> alive(&window);
        const int captchasBefore = CaptchaRequests();

        const std::wstring address = row.address != nullptr ? Address(row.address) : L"end";
        EXPECT_EQ(Browser().Fire(address), row.cancelled);

        if (row.closes) {
            EXPECT_FALSE(app::frmrg());
            // Freed after the event, not inside it.
            EXPECT_TRUE(alive);
            EXPECT_TRUE(PumpUntil([&] { return !alive; }));
            EXPECT_FALSE(IsWindow(handle));
        } else {
            EXPECT_EQ(app::frmrg().get(), &window);
            EXPECT_EQ(window.Width(), row.size.cx);
            EXPECT_EQ(window.Height(), row.size.cy);
            EXPECT_EQ(window.StaticText1.Visible(), row.labelShows);
            EXPECT_EQ(IsWindowVisible(window.StaticText1.Handle()) != FALSE, row.labelShows);
        }

        if (row.email != nullptr) {
            EXPECT_EQ(login->edem.Text(), row.email);
            EXPECT_EQ(login->edpw.Text(), L"");
            EXPECT_EQ(login->edyz.Text(), L"");
            EXPECT_EQ(CaptchaRequests(), captchasBefore + 1);
        } else {
            EXPECT_EQ(login->edem.Text(), L"old@vocara.test");
            EXPECT_EQ(login->edpw.Text(), L"0123456789abcdef0123456789abcdef");
            EXPECT_EQ(login->edyz.Text(), L"abcd");
            EXPECT_EQ(CaptchaRequests(), captchasBefore);
        }
        delete app::frmrg().get();
    }
}

TEST_F(AccountWindowTest, RecoveryWhileSignUpIsOpenReusesTheWindow) {
    app::OpenSignUpPage();
    app::Tfrmrg& window = Window();
    Browser().Fire(Address(L"/en/user/fi"));
    ASSERT_EQ(window.Height(), 490);

    app::OpenRecoveryPage();
    EXPECT_EQ(app::frmrg().get(), &window);
    EXPECT_EQ(scope.made.size(), 1u);
    EXPECT_EQ(window.Caption(), kRecoveryCaption);
    EXPECT_EQ(window.Width(), 540);
    EXPECT_EQ(window.Height(), 50);
    EXPECT_FALSE(window.StaticText1.Visible());  // not shown again
    EXPECT_EQ(Browser().opened.back(), Address(L"/en/user/rpwd.html?b=1"));

    EXPECT_TRUE(Browser().Fire(Address(L"/en/user/fi")));
    EXPECT_EQ(window.Width(), 500);
    EXPECT_EQ(window.Height(), 290);
}

TEST_F(AccountWindowTest, TheCloseBoxFreesTheWindowAndTheNextClickMakesANewOne) {
    app::OpenRecoveryPage();
    const ui::Ref<app::Tfrmrg> first(&Window());
    const HWND handle = first->Handle();
    PostMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !first; }));
    EXPECT_FALSE(app::frmrg());
    EXPECT_FALSE(IsWindow(handle));

    login->Button3.OnClick(login->Button3);
    ASSERT_TRUE(app::frmrg());
    EXPECT_EQ(scope.made.size(), 2u);
    EXPECT_EQ(Window().Caption(), kSignUpCaption);
    EXPECT_TRUE(Window().StaticText1.Visible());
}

TEST_F(AccountWindowTest, TheWindowTakesTheActivationBackWhileOpen) {
    app::OpenSignUpPage();
    const HWND account = Window().Handle();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == account; }));

    SetActiveWindow(login->Handle());
    EXPECT_EQ(GetActiveWindow(), login->Handle());  // it did move away
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == account; }));
    // Whatever the move back posted has run: nothing took it away again.
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_EQ(GetActiveWindow(), account);

    // Once closed, the login window can be used again.
    Browser().Fire(Address(L"/en/user/end"));
    ASSERT_TRUE(PumpUntil([&] { return !app::frmrg() && !IsWindow(account); }));
    SetActiveWindow(login->Handle());
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_EQ(GetActiveWindow(), login->Handle());
}

// What a message box saw while it was up: the timer below runs inside the
// box's own loop, notes the active window, then answers the box.
struct BoxWatch {
    HWND box = nullptr;
    HWND activeWhileUp = nullptr;
    int ticks = 0;
};
BoxWatch g_boxWatch;

BOOL CALLBACK FindBox(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
        g_boxWatch.box = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK WatchBox(HWND, UINT, UINT_PTR timer, DWORD) {
    if (++g_boxWatch.ticks < 8) {
        return;  // let any activation move settle
    }
    KillTimer(nullptr, timer);
    EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
    g_boxWatch.activeWhileUp = GetActiveWindow();
    if (g_boxWatch.box != nullptr) {
        PostMessageW(g_boxWatch.box, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(AccountWindowTest, AMessageBoxShownWhileOpenStaysActive) {
    app::OpenSignUpPage();
    const HWND account = Window().Handle();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == account; }));

    // As the login window's own boxes are shown (a login reply, a restore request).
    g_boxWatch = {};
    SetTimer(nullptr, 0, 40, WatchBox);
    MessageBoxW(login->Handle(), L"text", L"caption", MB_OK);
    ASSERT_NE(g_boxWatch.box, nullptr);
    EXPECT_EQ(g_boxWatch.activeWhileUp, g_boxWatch.box);
    // The box handed the activation to the login window as it went: the
    // account window, still open, takes it back.
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == account; }));
    EXPECT_TRUE(app::frmrg());
}

TEST_F(AccountWindowTest, AnotherApplicationKeepsTheActivationItWasGiven) {
    app::OpenSignUpPage();
    const HWND account = Window().Handle();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == account; }));

    // Another application: a window of another thread, which has its own
    // activation, brought to the front.
    HWND other = nullptr;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD otherThread = 0;
    std::thread thread([&] {
        otherThread = GetCurrentThreadId();
        other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
        SetEvent(ready);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
        DestroyWindow(other);
    });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }));
    // The account window has heard of its deactivation, and the request to
    // take the activation back that it posted itself then has been handled.
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() != account; }));
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_EQ(GetForegroundWindow(), other);
    EXPECT_NE(GetActiveWindow(), account);

    PostThreadMessageW(otherThread, WM_QUIT, 0, 0);
    thread.join();
}

TEST_F(AccountWindowTest, TheHandOverSurvivesALoginWindowThatIsGoneOrDisabled) {
    // Disabled panel (a login running or over): the fields still take it.
    FillLoginFields();
    login->panreg.SetEnabled(false);
    app::OpenSignUpPage();
    Browser().Fire(Address(L"/en/user/suc=new@vocara.test"));
    EXPECT_FALSE(app::frmrg());
    EXPECT_EQ(login->edem.Text(), L"new@vocara.test");
    ASSERT_TRUE(PumpPostedMessages());

    // No login window at all: the window just closes.
    app::OpenSignUpPage();
    const ui::Ref<app::Tfrmrg> window(&Window());
    login.reset();
    EXPECT_FALSE(app::fmlg());
    Browser().Fire(Address(L"/en/user/suc=x@y.z"));
    EXPECT_FALSE(app::frmrg());
    EXPECT_TRUE(PumpUntil([&] { return !window; }));
}

TEST_F(AccountWindowTest, RightButtonPressesInsideTheBrowserAreDropped) {
    app::OpenSignUpPage();
    app::Tfrmrg& window = Window();
    // A window inside the browser, as the page's own would be.
    const HWND inside = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                        window.WebBrowser1.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(inside, nullptr);
    const struct {
        HWND target;
        UINT msg;
        bool dropped;
    } cases[] = {
        {inside, WM_RBUTTONDOWN, true},
        {inside, WM_RBUTTONDBLCLK, true},
        {inside, WM_RBUTTONUP, false},
        {inside, WM_LBUTTONDOWN, false},
        {window.StaticText1.Handle(), WM_RBUTTONDOWN, false},
    };
    for (const auto& row : cases) {
        MSG message{row.target, row.msg, 0, 0, 0, {}};
        bool handled = false;
        window.ApplicationEvents1.OnMessage(message, handled);
        EXPECT_EQ(handled, row.dropped) << row.msg;
    }
}

} // namespace
