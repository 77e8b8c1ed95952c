// The account pages window of the real Vocara.exe, opened from its login
// window, against the service stand-in. No page runs under Wine, so the
// pages' "fi", "end" and "suc" never come; the window tests with the scripted
// browser cover them.

#include "tests/e2e/Desktop.h"
#include "tests/e2e/ServiceStandIn.h"
#include "tests/e2e/VocaraProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using e2e::FindChild;
using e2e::LoginWindow;
using e2e::OfferScreenshot;
using e2e::OuterRect;
using e2e::RequestsFor;
using e2e::Sandbox;
using e2e::Service;
using e2e::ServiceLog;
using e2e::TextOf;
using e2e::VocaraProcess;
using e2e::WaitForIdle;
using e2e::WaitUntil;

constexpr DWORD kWaitMs = 30000;
constexpr char kSignUpPage[] = "/en/user/rg.html?b=1";
constexpr char kRecoveryPage[] = "/en/user/rpwd.html?b=1";

class AccountE2eTest : public ::testing::Test {
protected:
    void SetUp() override { Service("/__test/reset"); }
    void TearDown() override { Service("/__test/reset"); }
};

// Shown at its design place with only the loading label in view. The outer
// size 540 x 50 is set as the page opens; when the window is new, the skin's
// frame fitted to it just after keeps the client area instead, so only a
// window that was open before shows exactly that size.
void ExpectLoadingWindow(HWND account, bool exactSize) {
    const RECT outer = OuterRect(account);
    if (exactSize) {
        EXPECT_EQ(outer.right - outer.left, 540);
        EXPECT_EQ(outer.bottom - outer.top, 50);
    }
    EXPECT_EQ(outer.left, 690);
    EXPECT_EQ(outer.top, 477);
    EXPECT_TRUE(GetWindowLongPtrW(account, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const HWND label = FindChild(account, {}, L"正在载入...");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(IsWindowVisible(label));
}

TEST_F(AccountE2eTest, SignUpAndRecoveryShareOneWindowThatItsCloseBoxDestroys) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    ASSERT_NE(login.Button3, nullptr);
    ASSERT_NE(login.Button4, nullptr);
    EXPECT_EQ(TextOf(login.Button3), L"注册用户");
    EXPECT_EQ(TextOf(login.Button4), L"忘记密码");

    PostMessageW(login.Button3, BM_CLICK, 0, 0);
    const HWND account = vocara.WaitForWindow(L"注册页面");
    ASSERT_NE(account, nullptr);
    EXPECT_TRUE(WaitUntil([] { return RequestsFor(kSignUpPage) == 1; }, kWaitMs)) << ServiceLog();
    ExpectLoadingWindow(account, false);
    OfferScreenshot(account, L"account-signup");

    // The open window is reused: new caption and page, the same loading size.
    PostMessageW(login.Button4, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(account) == L"找回密码"; }, kWaitMs));
    EXPECT_TRUE(WaitUntil([] { return RequestsFor(kRecoveryPage) == 1; }, kWaitMs)) << ServiceLog();
    ExpectLoadingWindow(account, true);
    EXPECT_EQ(vocara.FindTopWindow(L"", L"注册页面", false), nullptr);

    PostMessageW(account, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(account); }, kWaitMs));

    // A later click makes a new one; closing that destroys it as well.
    PostMessageW(login.Button4, BM_CLICK, 0, 0);
    const HWND again = vocara.WaitForWindow(L"找回密码");
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(WaitUntil([] { return RequestsFor(kRecoveryPage) == 2; }, kWaitMs)) << ServiceLog();
    ExpectLoadingWindow(again, false);
    PostMessageW(again, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(again); }, kWaitMs));

    // The login window goes on as it was.
    ASSERT_TRUE(WaitForIdle(login.handle));
    EXPECT_TRUE(IsWindowVisible(login.handle));
    EXPECT_TRUE(vocara.Running());
    EXPECT_EQ(RequestsFor(kSignUpPage), 1u);
}

// Clicks the login window's banner, a part the account window does not cover.
void ClickBanner(const LoginWindow& login) {
    POINT banner{40, 40};
    ClientToScreen(login.handle, &banner);
    e2e::ClickAt(banner);
}

// Whether window becomes the foreground window and stays it for a second on
// end. A click is hardware input, handled after any message the test could
// send to learn that it was: only a state that lasts tells where it ended.
bool SettlesInForeground(HWND window) {
    ULONGLONG since = 0;
    return WaitUntil([&] {
        if (GetForegroundWindow() != window) {
            since = 0;
            return false;
        }
        if (since == 0) since = GetTickCount64();
        return GetTickCount64() - since >= 1000;
    }, kWaitMs);
}

TEST_F(AccountE2eTest, WhileOpenTheWindowTakesTheActivationBackFromTheLoginWindow) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    PostMessageW(login.Button3, BM_CLICK, 0, 0);
    const HWND account = vocara.WaitForWindow(L"注册页面");
    ASSERT_NE(account, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == account; }, kWaitMs));

    ClickBanner(login);
    EXPECT_TRUE(SettlesInForeground(account));

    // Once it is closed the login window keeps the activation.
    PostMessageW(account, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(account); }, kWaitMs));
    ClickBanner(login);
    EXPECT_TRUE(SettlesInForeground(login.handle));
}

} // namespace
