// The study window of the real Vocara.exe after a login, against the service
// stand-in. Under Wine the browser renders no page and runs no script, so the
// pages' commands never come: what these tests see is the window's own side,
// its sizes and places, the addresses it opens (in the stand-in's log), hiding
// and the notification area.

#include "tests/e2e/Desktop.h"
#include "tests/e2e/RemoteToolbar.h"
#include "tests/e2e/ServiceStandIn.h"
#include "tests/e2e/VocaraProcess.h"

#include "ui/Component.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

using e2e::CentreOf;
using e2e::ClickAt;
using e2e::ElementText;
using e2e::FindChild;
using e2e::LoginWindow;
using e2e::OfferScreenshot;
using e2e::OuterRect;
using e2e::RemoteToolbar;
using e2e::RequestsFor;
using e2e::Sandbox;
using e2e::Service;
using e2e::ServiceLog;
using e2e::TextOf;
using e2e::TrayIconExists;
using e2e::VocaraProcess;
using e2e::WaitForIdle;
using e2e::WaitUntil;

constexpr wchar_t kStudyCaption[] = L"Vocara1.4";
constexpr UINT kTrayMessage = WM_USER + 1;
constexpr UINT kTrayIconId = 1;
constexpr DWORD kWaitMs = 30000;

struct Size {
    LONG width, height;
    bool operator==(const Size&) const = default;
};
struct Place {
    LONG left, top;
    bool operator==(const Place&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Size& s) { return out << s.width << " x " << s.height; }
std::ostream& operator<<(std::ostream& out, const Place& p) { return out << "(" << p.left << ", " << p.top << ")"; }

Size SizeOf(HWND window) {
    const RECT r = OuterRect(window);
    return {r.right - r.left, r.bottom - r.top};
}
Size ClientSizeOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}
Place PlaceOf(HWND window) {
    const RECT r = OuterRect(window);
    return {r.left, r.top};
}

std::string Utf8(const std::wstring& text) { return ui::WideToUtf8(text); }

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// Where showing the window puts it: half the screen less 200 and 150, truncated.
Place ShowPlace() { return {LONG(ScreenWidth() / 2.0 - 200), LONG(ScreenHeight() / 2.0 - 150)}; }

// Where a tray press centres a visible window: to the nearest, halves to even.
Place CentredPlace(Size size) {
    return {LONG(std::nearbyint(ScreenWidth() / 2.0 - size.width / 2.0)),
            LONG(std::nearbyint(ScreenHeight() / 2.0 - size.height / 2.0))};
}

class StudyE2eTest : public ::testing::Test {
protected:
    void SetUp() override { Service("/__test/reset"); }
    void TearDown() override { Service("/__test/reset"); }

    // Starts a copy, logs the demo account in and waits for the study window
    // and its home page request.
    void StartStudying() {
        vocara_.emplace(sandbox_);
        ASSERT_TRUE(e2e::LogIn(*vocara_, L"demo@vocara.test", L"vocara123"));
        study_ = vocara_->WaitForStudyWindow();
        ASSERT_NE(study_, nullptr);
        sid_ = ElementText(sandbox_.SavedReply(), "sid");
        ASSERT_FALSE(sid_.empty());
        toolbar_ = FindChild(study_, {L"TToolBar", L"ToolbarWindow32"});
        ASSERT_NE(toolbar_, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return RequestsFor(Home()) == 1; }, kWaitMs)) << ServiceLog();
    }

    std::string Home() const { return "/en/fstpg/rls.html?wb=1&sid=" + sid_; }

    // Clicks a tool-bar button with the mouse.
    void Click(const std::wstring& caption) const {
        const std::optional<RECT> button = RemoteToolbar(toolbar_).ButtonRect(caption);
        ASSERT_TRUE(button.has_value()) << "no tool-bar button " << Utf8(caption);
        ClickAt(CentreOf(*button));
    }

    // What the notification area sends the window for a mouse message over the icon.
    void Tray(UINT mouseMessage) const { PostMessageW(study_, kTrayMessage, kTrayIconId, mouseMessage); }

    bool WaitForSize(Size size) const {
        return WaitUntil([&] { return SizeOf(study_) == size; }, kWaitMs);
    }
    bool WaitForRequests(const std::string& pathAndQuery, size_t count) const {
        return WaitUntil([&] { return RequestsFor(pathAndQuery) == count; }, kWaitMs);
    }
    HWND Menu() const { return vocara_->FindTopWindow(L"#32768", L"", true); }

    // The loading label is drawn by its window, not a window of its own: look
    // for its green text in the band of 23 pixels under the tool bar.
    bool LoadingLabelShows() const {
        RECT band = OuterRect(toolbar_);
        band.top = band.bottom;
        band.bottom = band.top + 23;
        const ui::Bitmap shot = e2e::ScreenShot(study_, band);
        int green = 0;
        for (int y = 0; y < shot.Height(); ++y) {
            for (int x = 0; x < shot.Width(); ++x) {
                const ui::Color c = shot.PixelAt(x, y);
                const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
                green += g >= 96 && r < g / 2 && b < g / 2;
            }
        }
        return green >= 20;
    }

    Sandbox sandbox_;
    std::optional<VocaraProcess> vocara_;
    HWND study_ = nullptr;
    HWND toolbar_ = nullptr;
    std::string sid_;
};

TEST_F(StudyE2eTest, ALoginShowsTheStudyWindowWithTheHomePageOfItsSession) {
    ASSERT_NO_FATAL_FAILURE(StartStudying());
    EXPECT_EQ(TextOf(study_), kStudyCaption);
    // The first show gives the home page's outer size 465 x 90, as every
    // later one does, once the skin has fitted its frame (4-pixel sides and
    // bottom, a 30-pixel caption) around the client area: the frame comes
    // after the show and must not grow the window.
    EXPECT_TRUE(WaitUntil([&] { return SizeOf(study_) == Size{465, 90} && ClientSizeOf(study_) == Size{457, 56}; },
                          kWaitMs))
        << SizeOf(study_) << ", client " << ClientSizeOf(study_);
    ASSERT_TRUE(WaitForIdle(study_));
    EXPECT_EQ(SizeOf(study_), (Size{465, 90}));
    EXPECT_EQ(PlaceOf(study_), ShowPlace());
    // The session is the one of the login reply, appended as it came.
    EXPECT_EQ(RequestsFor(Home()), 1u) << ServiceLog();
    EXPECT_EQ(sid_.size(), 26u);

    // Sizeable, with neither minimise nor maximise box (the skin draws the
    // caption buttons and takes the system menu bit away).
    const LONG_PTR style = GetWindowLongPtrW(study_, GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    std::vector<std::wstring> captions;
    for (const RemoteToolbar::Button& button : RemoteToolbar(toolbar_).Buttons()) captions.push_back(button.caption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"首页", L"计划", L"历史", L"设置", L"隐藏"}));
    EXPECT_TRUE(LoadingLabelShows());

    // Activated: the tool bar shows its captions beside the images, and the
    // application's owner window still has no taskbar button. (The topmost
    // bit the activation writes into the owner's extended style does not
    // stick: only SetWindowPos changes it.)
    EXPECT_TRUE(WaitUntil([&] { return RemoteToolbar(toolbar_).ListLayout(); }, kWaitMs));
    const HWND owner = vocara_->FindTopWindow(L"TApplication", L"Vocara", false);
    ASSERT_NE(owner, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    // The login window stays, hidden; the icon is in the notification area.
    const HWND login = vocara_->FindTopWindow(L"Vocara", L"", false);
    ASSERT_NE(login, nullptr);
    EXPECT_FALSE(IsWindowVisible(login));
    EXPECT_TRUE(TrayIconExists(study_, kTrayIconId));
    OfferScreenshot(study_, L"study-home");

    ASSERT_NO_FATAL_FAILURE(Click(L"首页"));
    EXPECT_TRUE(WaitForSize({465, 90})) << SizeOf(study_);
    EXPECT_TRUE(WaitForRequests(Home(), 2)) << ServiceLog();
    EXPECT_EQ(PlaceOf(study_), ShowPlace());
}

struct PageCase {
    const wchar_t* button;
    const char* address;  // the session follows
    Size size;
    const wchar_t* shot;
};

TEST_F(StudyE2eTest, ToolBarPagesSizeTheWindowAndOpenTheirAddresses) {
    ASSERT_NO_FATAL_FAILURE(StartStudying());
    const Place place = PlaceOf(study_);
    const PageCase cases[] = {
        {L"计划", "/en/pln/pln.php?wb=1&sid=", {700, 90}, L"study-plan"},
        {L"历史", "/en/hs/hs.php?wb=1&sid=", {720, 90}, L"study-history"},
        {L"设置", "/en/user/uchg.php?sid=", {540, 520}, L"study-settings"},
        {L"计划", "/en/pln/pln.php?wb=1&sid=", {700, 90}, nullptr},  // settings' height undone
        {L"首页", "/en/fstpg/rls.html?wb=1&sid=", {465, 90}, nullptr},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(Utf8(c.button));
        const std::string address = c.address + sid_;
        const size_t before = RequestsFor(address);
        ASSERT_NO_FATAL_FAILURE(Click(c.button));
        EXPECT_TRUE(WaitForSize(c.size)) << SizeOf(study_);
        EXPECT_TRUE(WaitForRequests(address, before + 1)) << ServiceLog();
        EXPECT_EQ(PlaceOf(study_), place);  // only the size changes
        EXPECT_TRUE(IsWindowVisible(study_));
        // No page sends the command that hides it; the resized window may still
        // be repainting when the size has arrived.
        EXPECT_TRUE(WaitUntil([&] { return LoadingLabelShows(); }, kWaitMs));
        if (c.shot != nullptr) OfferScreenshot(study_, c.shot);
    }
    EXPECT_TRUE(vocara_->Running());
}

enum class HideBy { HideButton, CloseBox, CloseMessage };

struct HideCase {
    const char* name;
    HideBy how;
    bool opensHome;  // the close request opens the home page in the background
};

TEST_F(StudyE2eTest, HidingKeepsTheProgramAndTheTrayIconAndALeftPressBringsTheHomePageBack) {
    ASSERT_NO_FATAL_FAILURE(StartStudying());
    const HideCase cases[] = {
        {"隐藏", HideBy::HideButton, false},
        {"close box", HideBy::CloseBox, true},
        {"WM_CLOSE", HideBy::CloseMessage, true},
    };
    for (const HideCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(Click(L"计划"));
        ASSERT_TRUE(WaitForSize({700, 90}));
        const size_t homes = RequestsFor(Home());

        switch (c.how) {
        case HideBy::HideButton: ASSERT_NO_FATAL_FAILURE(Click(L"隐藏")); break;
        case HideBy::CloseBox: PostMessageW(study_, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case HideBy::CloseMessage: PostMessageW(study_, WM_CLOSE, 0, 0); break;
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(study_); }, kWaitMs));
        if (c.opensHome) {
            EXPECT_TRUE(WaitForRequests(Home(), homes + 1)) << ServiceLog();
        } else {
            ASSERT_TRUE(WaitForIdle(study_));
            EXPECT_EQ(RequestsFor(Home()), homes);
        }
        EXPECT_EQ(SizeOf(study_), (Size{700, 90}));  // hiding changes no size
        EXPECT_TRUE(vocara_->Running());
        EXPECT_TRUE(IsWindow(study_));
        EXPECT_TRUE(TrayIconExists(study_, kTrayIconId));

        // Shown again by the show step: its place, the home page and its size.
        const size_t homesHidden = RequestsFor(Home());
        Tray(WM_LBUTTONDOWN);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(study_) != FALSE; }, kWaitMs));
        EXPECT_TRUE(WaitForSize({465, 90})) << SizeOf(study_);
        EXPECT_EQ(PlaceOf(study_), ShowPlace());
        EXPECT_TRUE(WaitForRequests(Home(), homesHidden + 1)) << ServiceLog();
    }
}

TEST_F(StudyE2eTest, ALeftPressOnTheTrayIconCentresTheVisibleWindowWithoutOpeningAPage) {
    ASSERT_NO_FATAL_FAILURE(StartStudying());
    // An odd width puts the centre on a half pixel.
    const PageCase cases[] = {
        {L"首页", "/en/fstpg/rls.html?wb=1&sid=", {465, 90}, nullptr},
        {L"设置", "/en/user/uchg.php?sid=", {540, 520}, nullptr},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(Utf8(c.button));
        const std::string address = c.address + sid_;
        const size_t before = RequestsFor(address);
        ASSERT_NO_FATAL_FAILURE(Click(c.button));
        ASSERT_TRUE(WaitForSize(c.size));
        ASSERT_TRUE(WaitForRequests(address, before + 1));
        const std::string log = ServiceLog();
        const Size size = c.size;
        Tray(WM_LBUTTONDOWN);
        EXPECT_TRUE(WaitUntil([&] { return PlaceOf(study_) == CentredPlace(size); }, kWaitMs))
            << PlaceOf(study_) << " for " << size;
        ASSERT_TRUE(WaitForIdle(study_));
        EXPECT_EQ(SizeOf(study_), size);
        EXPECT_EQ(ServiceLog(), log);
        EXPECT_TRUE(IsWindowVisible(study_));
    }
}

TEST_F(StudyE2eTest, ASecondStartWhileTheWindowIsHiddenTellsSoAndLeavesItHidden) {
    ASSERT_NO_FATAL_FAILURE(StartStudying());
    ASSERT_NO_FATAL_FAILURE(Click(L"隐藏"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(study_); }, kWaitMs));

    Sandbox secondFolder;
    VocaraProcess second(secondFolder);
    EXPECT_EQ(second.WaitForExit(kWaitMs), 0u);
    const HWND box = vocara_->WaitForBox(L"信息");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::BoxText(box), L"程序\" Vocara \"已经运行了。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kWaitMs));
    ASSERT_TRUE(WaitForIdle(study_));
    // Brought to the front, the program still shows neither window until the
    // tray is used (a quarter-hour reminder may show meanwhile: it is no
    // business of this).
    EXPECT_FALSE(IsWindowVisible(study_));
    const HWND login = vocara_->FindTopWindow(L"Vocara", L"", false);
    ASSERT_NE(login, nullptr);
    EXPECT_FALSE(IsWindowVisible(login));
    EXPECT_TRUE(TrayIconExists(study_, kTrayIconId));
}

// The desktop asks to end the session: answered like a close request.
TEST_F(StudyE2eTest, TheQueryToEndTheSessionIsRefusedAndHidesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(StartStudying());
    DWORD_PTR answer = 1;
    ASSERT_NE(SendMessageTimeoutW(study_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kWaitMs, &answer), 0);
    EXPECT_EQ(answer, 0u);
    EXPECT_FALSE(IsWindowVisible(study_));
    EXPECT_TRUE(WaitForRequests(Home(), 2)) << ServiceLog();
    EXPECT_TRUE(vocara_->Running());
}

TEST_F(StudyE2eTest, OnlyARightPressOnTheTrayIconOpensTheMenuAndItsExitEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(StartStudying());
    const Place place = PlaceOf(study_);
    for (UINT ignored : {UINT(WM_RBUTTONUP), UINT(WM_RBUTTONDBLCLK), UINT(WM_LBUTTONDBLCLK), UINT(WM_MOUSEMOVE)}) {
        Tray(ignored);
    }
    ASSERT_TRUE(WaitForIdle(study_));
    EXPECT_EQ(Menu(), nullptr);
    EXPECT_EQ(PlaceOf(study_), place);

    // The menu opens where the cursor is.
    const POINT cursor{300, 400};
    ASSERT_TRUE(e2e::MoveMouseTo(cursor));
    Tray(WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = Menu()) != nullptr; }, kWaitMs));
    const RECT menuRect = OuterRect(menu);
    EXPECT_EQ(menuRect.left, cursor.x);
    EXPECT_EQ(menuRect.top, cursor.y);
    OfferScreenshot(menu, L"study-tray-menu");

    // One item shows ("h" is hidden): its middle is the middle of the menu.
    ClickAt(CentreOf(menuRect));
    EXPECT_EQ(vocara_->WaitForExit(kWaitMs), 0u);
}

} // namespace
