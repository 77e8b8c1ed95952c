// The tray icon and its mouse reactions, the tray menu, dragging the window
// by its own surface, and the program's end through the menu.

#include "tests/app/study/StudyWindowFixture.h"

#include "app/Startup.h"
#include "tests/support/GdiObjects.h"

#include <shellapi.h>

#include <cmath>

using namespace study_tests;
using testsupport::PumpUntil;

namespace {

// Whether the shell holds the study window's icon: changing an icon that is
// not there fails.
bool TrayHasIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = app::kTrayIconId;
    data.uFlags = NIF_TIP;
    wcscpy(data.szTip, L"Vocara");
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void RemoveTrayIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = app::kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

LRESULT TrayMouse(app::Tfmmain& window, UINT mouseMessage) {
    return SendMessageW(window.Handle(), app::kTrayIconMessage, app::kTrayIconId, mouseMessage);
}

class TrayTest : public StudyWindowTest {};

TEST_F(TrayTest, IconIsAddedAtCreationAndRemovedAtDestruction) {
    const HWND handle = window->Handle();
    EXPECT_TRUE(TrayHasIcon(handle));
    window.reset();
    EXPECT_FALSE(TrayHasIcon(handle));
}

TEST_F(TrayTest, IconComesBackWhenTheTaskbarIsCreatedAgain) {
    RemoveTrayIcon(window->Handle());
    ASSERT_FALSE(TrayHasIcon(window->Handle()));
    SendMessageW(window->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayHasIcon(window->Handle()));
}

TEST_F(TrayTest, LeftPressShowsTheHiddenWindowWithTheHomePage) {
    window->ToolButton3Click(window->ToolButton3);
    window->ToolButton4.Click();
    browser->Reset();

    TrayMouse(*window, WM_LBUTTONDOWN);

    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->Left(), GetSystemMetrics(SM_CXSCREEN) / 2 - 200);
    EXPECT_EQ(window->Top(), GetSystemMetrics(SM_CYSCREEN) / 2 - 150);
    EXPECT_EQ(window->PageMode(), 0);
    EXPECT_EQ(browser->opened, std::vector<std::wstring>{HomeUrl()});
}

// Halves go to the even neighbour.
TEST_F(TrayTest, LeftPressCentresTheVisibleWindow) {
    window->Show();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    auto centred = [](int screen, int size) {
        const double exact = screen / 2.0 - size / 2.0;
        const double down = std::floor(exact);
        if (exact - down != 0.5) {
            return int(std::lround(exact));
        }
        return int(down) % 2 == 0 ? int(down) : int(down) + 1;
    };
    for (const auto& [width, height] : {std::pair{465, 90}, std::pair{467, 91}, std::pair{700, 450}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        window->SetBounds(3, 4, width, height);
        browser->Reset();

        TrayMouse(*window, WM_LBUTTONDOWN);

        EXPECT_EQ(window->Left(), centred(screenWidth, width));
        EXPECT_EQ(window->Top(), centred(screenHeight, height));
        EXPECT_EQ(window->Width(), width);
        EXPECT_TRUE(browser->opened.empty());
    }
    // The screen here is even-sized: a 465 wide window lands on 408 of 407.5.
    if (screenWidth == 1280) {
        window->SetBounds(0, 0, 465, 90);
        TrayMouse(*window, WM_LBUTTONDOWN);
        EXPECT_EQ(window->Left(), 408);
    }
}

// Where the open menu was seen, before it was closed again.
RECT g_menuSeenAt{};

void CALLBACK RecordAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) {
        return;
    }
    KillTimer(nullptr, id);
    GetWindowRect(menu, &g_menuSeenAt);
    EndMenu();
}

TEST_F(TrayTest, RightPressOpensTheMenuAtTheCursor) {
    int popups = 0;
    window->PopupMenu1.OnPopup = [&](ui::PopupMenu&) { ++popups; };
    ASSERT_TRUE(SetCursorPos(300, 200));
    g_menuSeenAt = RECT{};
    // The menu tracks in a modal loop of its own: close it from a timer.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, RecordAndCloseMenu);

    TrayMouse(*window, WM_RBUTTONDOWN);
    KillTimer(nullptr, timer);

    EXPECT_EQ(popups, 1);
    EXPECT_EQ(g_menuSeenAt.left, 300);
    EXPECT_EQ(g_menuSeenAt.top, 200);
}

TEST_F(TrayTest, OtherMouseMessagesDoNothing) {
    window->ToolButton4.Click();
    int popups = 0;
    window->PopupMenu1.OnPopup = [&](ui::PopupMenu&) { ++popups; };
    for (const UINT message : {WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}) {
        TrayMouse(*window, message);
    }
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(popups, 0);
}

void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Chooses the menu's first visible item with real keys once the menu is open,
// one key per tick so that the selection has its own turn of the menu's loop.
void CALLBACK ChooseFirstMenuItem(HWND, UINT, UINT_PTR id, DWORD) {
    static int keysSent = 0;
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) {
        return;
    }
    if (keysSent++ == 0) {
        PressKey(VK_DOWN);
        return;
    }
    PressKey(VK_RETURN);
    keysSent = 0;
    KillTimer(nullptr, id);
}

// Whether the application was asked to end: the queue is emptied (a quit
// request comes after the messages already posted), the quit taken out so the
// shared application goes on for the other tests.
bool QuitRequested() {
    bool quit = false;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
        } else {
            DispatchMessageW(&message);
        }
    }
    return quit;
}

TEST_F(TrayTest, ExitChosenFromTheOpenMenuEndsTheApplication) {
    ASSERT_FALSE(QuitRequested());
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ChooseFirstMenuItem);
    TrayMouse(*window, WM_RBUTTONDOWN);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(QuitRequested());
}

TEST_F(TrayTest, MenuShowsOnlyTheExitItem) {
    const HMENU menu = window->PopupMenu1.Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    wchar_t text[32] = {};
    GetMenuStringW(menu, 0, text, int(std::size(text)), MF_BYPOSITION);
    EXPECT_STREQ(text, L"退出系统");
    EXPECT_EQ(window->h1.Caption(), L"h");
    EXPECT_FALSE(window->h1.Visible());
}

TEST_F(TrayTest, ExitAsksTheApplicationToEnd) {
    ASSERT_FALSE(QuitRequested());
    ASSERT_TRUE(ui::DispatchMenuCommand(window->N1.Command()));
    EXPECT_TRUE(QuitRequested());
}

// --- dragging by the window's own surface ---------------------------------------

struct DragCase {
    const char* name;
    POINT press;
    UINT pressMessage;
    POINT move;
    WPARAM moveKeys;  // MK_* flags of the move
    int dx, dy;       // where the move takes the window
    bool jumpsToTop;  // the release sets Top 2
};

// Points below the tool bar and the loading label.
const DragCase kDrags[] = {
    {"left drag", {30, 100}, WM_LBUTTONDOWN, {45, 90}, MK_LBUTTON, 15, -10, true},
    {"press and release without moving", {30, 100}, WM_LBUTTONDOWN, {30, 100}, 0, 0, 0, true},
    {"press at the client origin", {0, 0}, WM_LBUTTONDOWN, {7, 90}, MK_LBUTTON, 7, 90, false},
    {"right button", {30, 100}, WM_RBUTTONDOWN, {45, 120}, MK_RBUTTON, 0, 0, true},
    {"left with Ctrl", {30, 100}, WM_LBUTTONDOWN, {45, 120}, MK_LBUTTON | MK_CONTROL, 0, 0, true},
    {"left with Shift", {30, 100}, WM_LBUTTONDOWN, {45, 120}, MK_LBUTTON | MK_SHIFT, 0, 0, true},
    {"left and right", {30, 100}, WM_LBUTTONDOWN, {45, 120}, MK_LBUTTON | MK_RBUTTON, 0, 0, true},
};

TEST_F(TrayTest, DragRules) {
    window->Show();
    // The window's own surface: the browser moved out of the way.
    window->wb.Hide();
    for (const DragCase& c : kDrags) {
        SCOPED_TRACE(c.name);
        window->SetBounds(200, 300, 465, 200);
        const HWND handle = window->Handle();
        const UINT release = c.pressMessage == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP;

        SendMessageW(handle, c.pressMessage, c.pressMessage == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON,
                     MAKELPARAM(c.press.x, c.press.y));
        SendMessageW(handle, WM_MOUSEMOVE, c.moveKeys, MAKELPARAM(c.move.x, c.move.y));
        EXPECT_EQ(window->Left(), 200 + c.dx);
        EXPECT_EQ(window->Top(), 300 + c.dy);
        SendMessageW(handle, release, 0, MAKELPARAM(c.move.x, c.move.y));

        EXPECT_EQ(window->Left(), 200 + c.dx);
        EXPECT_EQ(window->Top(), c.jumpsToTop ? 2 : 300 + c.dy);
        RECT outer{};
        GetWindowRect(handle, &outer);
        EXPECT_EQ(outer.top, window->Top());
    }
    // After a release the origin is (0, 0) again: a lone release does nothing.
    window->SetBounds(200, 300, 465, 200);
    SendMessageW(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 100));
    EXPECT_EQ(window->Top(), 300);
}

// --- the program's end ----------------------------------------------------------

// A study window's whole life, reminder included, leaves no GDI object and
// no window behind: the tool-bar icons, fonts, brushes and the popup go with
// their owners.
TEST(StudyWindowLifetime, NothingIsLeftAfterTheWindowsGo) {
    testing_support::ScriptedBrowserScope scope;
    SteppingClock clock;
    app::SetClock(&clock);
    auto lifetime = [&] {
        auto study = std::make_unique<app::Tfmmain>(nullptr, kBase);
        app::fmmain() = study.get();
        study->Show();
        study->ToolButton3Click(study->ToolButton3);
        clock.Set(10, 15);
        study->Timer1Timer(study->Timer1);
        app::Tfms* popup = app::fms().get();
        EXPECT_NE(popup, nullptr);
        const HWND popupHandle = popup != nullptr ? popup->Handle() : nullptr;
        if (popup != nullptr) {
            popup->Timer1Timer(popup->Timer1);
            SendMessageW(popup->Button1.Handle(), BM_CLICK, 0, 0);
        }
        const HWND handle = study->Handle();
        study.reset();
        ui::App().ProcessMessages();
        EXPECT_FALSE(IsWindow(handle));
        EXPECT_FALSE(IsWindow(popupHandle));
        EXPECT_FALSE(app::fms());
    };
    lifetime();  // the first run makes what lives for the process (classes, stock fonts)
    const int objects = testsupport::LiveGdiObjects();
    for (int i = 0; i < 3; ++i) {
        lifetime();
    }
    EXPECT_EQ(testsupport::LiveGdiObjects(), objects);
    app::SetClock(nullptr);
}

TEST(StudyWindowProgramEnd, ExitEndsTheLoopAndTheWindowsGo) {
    testing_support::ScriptedBrowserScope scope;
    SteppingClock clock;
    app::SetClock(&clock);
    app::CreateStudyWindow();
    app::Tfmmain* study = app::fmmain().get();
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(ui::App().MainForm(), study);
    const HWND handle = study->Handle();
    EXPECT_TRUE(TrayHasIcon(handle));

    // The user picks "退出系统" once the loop runs.
    static app::Tfmmain* target = nullptr;
    target = study;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        target->N1.Click();
    });
    app::RunMessageLoop();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(IsWindowVisible(handle));  // the loop showed it

    // A quarter hour falls due while the program winds down: no reminder.
    clock.Set(10, 15);
    // A timer started now with a longer interval than the clock's fires
    // after the clock's next tick would have come.
    testsupport::PumpUntilLaterTimer(study->Timer1.Interval() + 300, [] { return app::fms().get() != nullptr; });
    EXPECT_FALSE(study->Timer1.Enabled());
    EXPECT_FALSE(app::fms());

    ui::Application::DestroyInstance();
    EXPECT_FALSE(app::fmmain());
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(TrayHasIcon(handle));
    app::SetClock(nullptr);
}

} // namespace
