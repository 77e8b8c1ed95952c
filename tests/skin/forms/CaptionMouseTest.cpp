// Caption buttons and the mouse: what a click, a double click and a right
// click do, the window-state tracking of system commands, the hover hint.

#include "tests/skin/forms/CaptionFixture.h"

#include "skin/controls/SkinMessages.h"
#include "tests/support/Pump.h"

#include <string>

namespace {

using captiontest::ButtonData;
using captiontest::CaptionFixture;
using namespace skin;

class CaptionMouse : public CaptionFixture {
protected:
    // Press and release over the given points.
    void Click(POINT down, POINT up) {
        probe.NcMouse(WM_NCLBUTTONDOWN, HTCAPTION, down);
        probe.NcMouse(WM_NCLBUTTONUP, HTCAPTION, up);
    }
    void Click(const TWinSysButton& button) { Click(Centre(button.FBounds), Centre(button.FBounds)); }

    // The posted messages as "message wParam" lines.
    std::vector<std::string> Posted() {
        std::vector<std::string> lines;
        for (const MSG& m : window.TakeAllPosted()) {
            lines.push_back(std::to_string(m.message) + " " + std::to_string(m.wParam));
        }
        return lines;
    }
    static std::string Line(UINT msg, WPARAM w) { return std::to_string(msg) + " " + std::to_string(w); }
    // Moves the cursor onto the button (it becomes hot) and lets the hover
    // timer tick the given number of times.
    void RestOn(const TWinSysButton& button, int ticks) {
        const POINT inside = Centre(button.FBounds);
        ASSERT_TRUE(SetCursorPos(inside.x, inside.y));
        probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, inside);
        for (int tick = 0; tick < ticks; ++tick) {
            probe.HoverTick();
        }
    }
};

using Lines = std::vector<std::string>;

TEST_F(CaptionMouse, ReleasingThePressedButtonRunsItsAction) {
    const struct {
        const char* what;
        int32_t action;
        WindowState state;
        Lines posted;
        WindowState stateAfter;
    } cases[] = {
        {"close", 0, WindowState::Normal, {Line(WM_SYSCOMMAND, SC_CLOSE)}, WindowState::Normal},
        {"maximise", 1, WindowState::Normal, {Line(WM_SYSCOMMAND, SC_MAXIMIZE)}, WindowState::Maximised},
        {"maximise (22) of a maximised window restores", 22, WindowState::Maximised, {Line(WM_SYSCOMMAND, SC_RESTORE)},
         WindowState::Normal},
        {"minimise", 2, WindowState::Normal, {Line(WM_SYSCOMMAND, SC_MINIMIZE)}, WindowState::Minimised},
        {"minimise (23) of a minimised window restores", 23, WindowState::Minimised, {Line(WM_SYSCOMMAND, SC_RESTORE)},
         WindowState::Normal},
        {"context help", 4, WindowState::Normal, {Line(WM_SYSCOMMAND, SC_CONTEXTHELP)}, WindowState::Normal},
        {"user button 15", 15, WindowState::Normal, {Line(SKM_USERBUTTON, 15)}, WindowState::Normal},
        {"user button 5", 5, WindowState::Normal, {Line(SKM_USERBUTTON, 5)}, WindowState::Normal},
        {"MDI child command of a window that is no MDI parent", 9, WindowState::Normal, {}, WindowState::Normal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClearButtons();
        probe.WindowState() = c.state;
        auto data = ButtonData(c.action, 0, 10, 2);
        data->Visibility = 201;
        TWinSysButton& button = Add(std::move(data));
        Layout();
        Click(button);
        EXPECT_EQ(Posted(), c.posted);
        EXPECT_EQ(probe.WindowState(), c.stateAfter);
    }
}

TEST_F(CaptionMouse, UserButtonPostsItsActionWithLParamZero) {
    TWinSysButton& button = Add(ButtonData(15, 0, 10, 2));
    Layout();
    Click(button);
    MSG m{};
    ASSERT_TRUE(window.TakePosted(SKM_USERBUTTON, m));
    EXPECT_EQ(m.wParam, WPARAM(15));
    EXPECT_EQ(m.lParam, LPARAM(0));
}

TEST_F(CaptionMouse, CloseNeedsTheSystemMenusCloseCommand) {
    TWinSysButton& close = Add(ButtonData(0, 0, 10, 2));
    Layout();
    probe.SystemMenu() = CreatePopupMenu();  // a system menu without "Close"
    Click(close);
    EXPECT_EQ(Posted(), Lines{});
    DestroyMenu(probe.SystemMenu());
    probe.SystemMenu() = nullptr;
    Click(close);
    EXPECT_EQ(Posted(), Lines{});
}

TEST_F(CaptionMouse, DisabledBoxesIgnoreClicks) {
    probe.BorderIcons() = biSystemMenuBox;
    TWinSysButton& maximise = Add(ButtonData(1, 0, 10, 2));
    TWinSysButton& minimise = Add(ButtonData(2, 0, 40, 2));
    Layout();
    ASSERT_NE(maximise.FVisible, 0);
    Click(maximise);
    Click(minimise);
    EXPECT_EQ(Posted(), Lines{});
    EXPECT_EQ(probe.WindowState(), WindowState::Normal);
}

TEST_F(CaptionMouse, ReleaseOverAnotherButtonRunsNothing) {
    TWinSysButton& close = Add(ButtonData(0, 0, 10, 2));
    TWinSysButton& user = Add(ButtonData(15, 0, 40, 2));
    Layout();
    Click(Centre(close.FBounds), Centre(user.FBounds));
    EXPECT_EQ(Posted(), Lines{});
    // Dragging over the other button lights it up, but it was never pressed.
    probe.NcMouse(WM_NCLBUTTONDOWN, HTCAPTION, Centre(close.FBounds));
    probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, Centre(user.FBounds));
    EXPECT_EQ(painter->Buttons().Hot(), &user);
    EXPECT_EQ(close.FMouseState, MouseState::Normal);
    probe.NcMouse(WM_NCLBUTTONUP, HTCAPTION, Centre(user.FBounds));
    EXPECT_EQ(Posted(), Lines{});
    // Released outside every button: passed on, nothing run.
    probe.NcMouse(WM_NCLBUTTONDOWN, HTCAPTION, Centre(close.FBounds));
    EXPECT_FALSE(probe.NcMouse(WM_NCLBUTTONUP, HTCAPTION, POINT{200, 10}));
    EXPECT_EQ(Posted(), Lines{});
}

TEST_F(CaptionMouse, MessagesAreHandledOnlyOverAButton) {
    TWinSysButton& button = Add(ButtonData(15, 0, 10, 2));
    Layout();
    const POINT on = Centre(button.FBounds);
    const POINT off{200, 10};
    EXPECT_TRUE(probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, on));
    EXPECT_EQ(painter->Buttons().Hot(), &button);
    EXPECT_FALSE(probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, off));
    EXPECT_EQ(painter->Buttons().Hot(), nullptr);
    EXPECT_EQ(button.FMouseState, MouseState::Normal);
    EXPECT_TRUE(probe.NcMouse(WM_NCLBUTTONDOWN, HTCAPTION, on));
    EXPECT_TRUE(probe.NcMouse(WM_NCLBUTTONUP, HTCAPTION, on));
    EXPECT_FALSE(probe.NcMouse(WM_NCLBUTTONDOWN, HTCAPTION, off));
    EXPECT_FALSE(probe.NcMouse(WM_NCLBUTTONUP, HTCAPTION, off));
    EXPECT_FALSE(probe.NcMouse(WM_NCRBUTTONDOWN, HTLEFT, off));
    // An inactive window drops mouse moves and lights nothing.
    probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, off);
    ASSERT_EQ(painter->Buttons().Hot(), nullptr);
    probe.Active() = 0;
    EXPECT_TRUE(probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, on));
    EXPECT_EQ(painter->Buttons().Hot(), nullptr);
    EXPECT_EQ(button.FMouseState, MouseState::Normal);
    EXPECT_TRUE(probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, off));
}

TEST_F(CaptionMouse, MaximisedActiveWindowIsNotMovedByItsCaption) {
    const struct {
        WindowState state;
        uint8_t active;
        WPARAM hit, expected;
    } cases[] = {
        {WindowState::Maximised, 1, HTCAPTION, HTMENU},
        {WindowState::Maximised, 0, HTCAPTION, HTCAPTION},
        {WindowState::Normal, 1, HTCAPTION, HTCAPTION},
        {WindowState::Maximised, 1, HTLEFT, HTLEFT},
    };
    for (const auto& c : cases) {
        probe.WindowState() = c.state;
        probe.Active() = c.active;
        WPARAM hit = c.hit;
        EXPECT_FALSE(probe.NcMouse(WM_NCLBUTTONDOWN, hit, MAKELPARAM(200, 10)));
        EXPECT_EQ(hit, c.expected);
    }
}

TEST_F(CaptionMouse, DoubleClickRules) {
    const struct {
        const char* what;
        int32_t buttonAction;  // -100: the empty caption
        uint8_t icons;
        WindowState state;
        bool handled;
        Lines posted;
        WindowState stateAfter;
    } cases[] = {
        {"icon button closes", 3, biSystemMenuBox, WindowState::Normal, true, {Line(WM_SYSCOMMAND, SC_CLOSE)}, WindowState::Normal},
        {"icon button 11 closes", 11, biSystemMenuBox, WindowState::Normal, true, {Line(WM_SYSCOMMAND, SC_CLOSE)}, WindowState::Normal},
        {"other button: dropped", 15, biSystemMenuBox, WindowState::Normal, true, {}, WindowState::Normal},
        {"empty caption maximises", -100, biMaximizeBox | biSystemMenuBox, WindowState::Normal, true,
         {Line(WM_SYSCOMMAND, SC_MAXIMIZE)}, WindowState::Maximised},
        {"empty caption of a maximised window restores", -100, biMaximizeBox | biSystemMenuBox, WindowState::Maximised, true,
         {Line(WM_SYSCOMMAND, SC_RESTORE)}, WindowState::Normal},
        {"empty caption of a minimised window restores", -100, biSystemMenuBox, WindowState::Minimised, true,
         {Line(WM_SYSCOMMAND, SC_RESTORE)}, WindowState::Normal},
        {"no maximise box: passed on", -100, biSystemMenuBox, WindowState::Normal, false, {}, WindowState::Normal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClearButtons();
        probe.BorderIcons() = c.icons;
        probe.WindowState() = c.state;
        POINT at{200, 10};
        if (c.buttonAction != -100) {
            TWinSysButton& button = Add(ButtonData(c.buttonAction, 0, 10, 2, 1));
            Layout();
            at = Centre(button.FBounds);
        }
        EXPECT_EQ(probe.NcMouse(WM_NCLBUTTONDBLCLK, HTCAPTION, at), c.handled);
        EXPECT_EQ(Posted(), c.posted);
        EXPECT_EQ(probe.WindowState(), c.stateAfter);
    }
}

TEST_F(CaptionMouse, SystemCommandsTrackTheWindowState) {
    const struct {
        WPARAM command;
        WindowState before, after;
    } cases[] = {
        {SC_MINIMIZE, WindowState::Normal, WindowState::Minimised}, {SC_MAXIMIZE, WindowState::Normal, WindowState::Maximised},
        {SC_RESTORE, WindowState::Maximised, WindowState::Normal},  {SC_MAXIMIZE | 2, WindowState::Normal, WindowState::Normal},  // compared whole
        {SC_CLOSE, WindowState::Maximised, WindowState::Maximised},
    };
    for (const auto& c : cases) {
        probe.WindowState() = c.before;
        probe.TrackSystemCommand(c.command);
        EXPECT_EQ(probe.WindowState(), c.after) << c.command;
    }
}

TEST_F(CaptionMouse, HintTextTable) {
    const struct {
        int32_t action;
        const wchar_t* text;
    } cases[] = {
        {0, L"Close"},    {9, L"Close"},    {62, L"Close"},    {1, L"Maximize"}, {22, L"Maximize"},
        {2, L"Minimize"}, {7, L"Minimize"}, {23, L"Minimize"}, {60, L"Minimize"}, {8, L"Restore"},
        {61, L"Restore"}, {3, L""},         {4, L""},          {15, L""},        {-1, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptionButtons::HintText(c.action), c.text) << c.action;
    }
}

// The visible top-level window of this thread showing `text`, or none.
HWND FindVisibleWindowWithText(const wchar_t* text) {
    struct Search {
        const wchar_t* text;
        HWND found;
    } search{text, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t buffer[64]{};
            GetWindowTextW(window, buffer, 64);
            if (IsWindowVisible(window) && std::wstring(buffer) == s.text) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

TEST_F(CaptionMouse, HintShowsAfterOneSecondAndGoesAfterThreeAndAHalf) {
    ASSERT_EQ(ui::App().hintPause, 500);
    ASSERT_EQ(ui::App().hintHidePause, 2500);
    TWinSysButton& close = Add(ButtonData(0, 1, 40, 4));
    Layout();
    const POINT inside = Centre(close.FBounds);
    ASSERT_TRUE(SetCursorPos(inside.x, inside.y));
    probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, inside);
    ASSERT_EQ(painter->Buttons().Hot(), &close);

    int shownAt = 0, hiddenAt = 0;
    for (int tick = 1; tick <= 16; ++tick) {
        probe.HoverTick();
        const bool showing = skinData->HintShowing();
        if (showing && shownAt == 0) {
            shownAt = tick * 250;
            const HWND hint = FindVisibleWindowWithText(L"Close");
            ASSERT_NE(hint, nullptr);
            RECT r{};
            GetWindowRect(hint, &r);
            EXPECT_EQ(r.left, close.FBounds.left);  // the window sits at the screen's origin
            EXPECT_EQ(r.top, inside.y + 24);
        }
        if (!showing && shownAt != 0 && hiddenAt == 0) {
            hiddenAt = tick * 250;
        }
    }
    EXPECT_EQ(shownAt, 1000);
    EXPECT_EQ(hiddenAt, 3500);
    EXPECT_EQ(FindVisibleWindowWithText(L"Close"), nullptr);
}

TEST_F(CaptionMouse, CursorLeavingTheHotButtonResetsIt) {
    TWinSysButton& close = Add(ButtonData(0, 1, 40, 4));
    Layout();
    RestOn(close, 5);
    ASSERT_TRUE(skinData->HintShowing());
    ASSERT_TRUE(SetCursorPos(10, 40));
    probe.HoverTick();
    EXPECT_EQ(painter->Buttons().Hot(), nullptr);
    EXPECT_EQ(close.FMouseState, MouseState::Normal);
    EXPECT_FALSE(skinData->HintShowing());
    EXPECT_EQ(skinData->hintTime, 0u);
}

TEST_F(CaptionMouse, ButtonsWithoutHintTextShowNoneAndMenuLoopsStopTheCount) {
    TWinSysButton& user = Add(ButtonData(15, 0, 10, 4));
    Layout();
    RestOn(user, 6);
    EXPECT_FALSE(skinData->HintShowing());
    EXPECT_EQ(skinData->hintTime, 1500u);
    probe.MenuLoop() = 1;
    probe.HoverTick();
    EXPECT_EQ(skinData->hintTime, 1500u);
}

// A full frame paint forgets the hot button without telling it.
TEST_F(CaptionMouse, HintOfAForgottenHotButtonGoesAtTheNextTick) {
    TWinSysButton& close = Add(ButtonData(0, 1, 40, 4));
    Layout();
    RestOn(close, 4);
    ASSERT_TRUE(skinData->HintShowing());
    probe.HotObject() = nullptr;
    probe.HoverTick();
    EXPECT_FALSE(skinData->HintShowing());
    EXPECT_EQ(skinData->hintTime, 0u);
}

TEST_F(CaptionMouse, PressingHidesTheHint) {
    TWinSysButton& close = Add(ButtonData(0, 1, 40, 4));
    Layout();
    RestOn(close, 4);
    ASSERT_TRUE(skinData->HintShowing());
    probe.NcMouse(WM_NCLBUTTONDOWN, HTCAPTION, Centre(close.FBounds));
    EXPECT_FALSE(skinData->HintShowing());
}

} // namespace
