// Caption buttons on real skinned windows: the messages go through the form
// painter's window procedure, the looks are read back from the screen.

#include "skin/forms/WinSkinForm.h"

#include <gtest/gtest.h>

#include "skin/controls/SkinMessages.h"
#include "tests/skin/forms/FrameSkinFixture.h"
#include "tests/support/Pump.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using formtest::FrameSkinPieces;
using namespace skin;

// The cells of the fixture's button strips: grey 10, 20, 30, 40 (and a red
// first column).
COLORREF CellGrey(int cell) { return RGB(10 * cell, 10 * cell, 10 * cell); }

// A user button (Action 15) left of the fixture's minimise button.
constexpr const char* kUserButton =
    "[Button2]\nButtonImage=min.bmp\nAction=15\nAlign=1\nXcoord=60\nYcoord=4\nVisibility=0\nframe=4\n";

class CaptionWindow : public ::testing::Test {
protected:
    void SetUp() override {
        FrameSkinPieces spec;
        spec.captionButtons = true;
        spec.sections = kUserButton;
        skin = formtest::LoadFrameSkin(spec);
        form = formtest::MakeSkinnedForm(*skin->data, 300, 200);
        SetForegroundWindow(form.Handle());
        formtest::Settle(form.Handle());
        Drain();
    }
    void TearDown() override {
        Drain();
        form.form.reset();
    }

    HWND Handle() const { return form.Handle(); }
    // A button's centre in screen coordinates; the buttons of the fixture
    // are right aligned, 16 x 14, Ycoord 4.
    POINT ButtonCentre(int xcoord) const {
        const RECT r = formtest::WindowRectOf(Handle());
        return POINT{r.right - xcoord + 8, r.top + 4 + 7};
    }
    POINT EmptyCaption() const {
        const RECT r = formtest::WindowRectOf(Handle());
        return POINT{r.left + 120, r.top + 12};
    }
    LRESULT Send(UINT msg, WPARAM hit, POINT screen) {
        return SendMessageW(Handle(), msg, hit, MAKELPARAM(screen.x, screen.y));
    }
    // Takes the first posted message of this kind from the queue.
    bool TakePosted(UINT msg, MSG& out) { return PeekMessageW(&out, Handle(), msg, msg, PM_REMOVE) != FALSE; }
    void Drain() {
        MSG m;
        while (PeekMessageW(&m, Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE) ||
               PeekMessageW(&m, Handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE) ||
               PeekMessageW(&m, Handle(), SKM_USERBUTTON, SKM_USERBUTTON, PM_REMOVE)) {
        }
    }
    // The pixel at a screen point as the window's DC holds it (the screen
    // itself may lag behind until the window system flushes).
    COLORREF ScreenAt(POINT p) const {
        const RECT r = formtest::WindowRectOf(Handle());
        const ui::WindowDc dc(Handle(), ui::WindowDc::Area::Window);
        return GetPixel(dc.get(), p.x - r.left, p.y - r.top);
    }
    // The buttons the skin describes (the three MDI child buttons follow them).
    size_t CaptionButtonCount() const {
        size_t count = 0;
        for (const auto& object : form.painter->Buttons().Objects()) {
            count += static_cast<const TWinSysButton&>(*object).FData.Visibility != 100 ? 1 : 0;
        }
        return count;
    }

    std::unique_ptr<skintest::SkinUnderTest> skin;
    formtest::SkinnedForm form;
};

TEST_F(CaptionWindow, ButtonsSitOnTheCaptionInTheirNormalLook) {
    ASSERT_EQ(CaptionButtonCount(), 3u);
    const RECT r = formtest::WindowRectOf(Handle());
    const RECT& close = form.painter->Buttons().Objects()[0]->FBounds;
    EXPECT_EQ(close.left, (r.right - r.left) - 20);
    EXPECT_EQ(close.top, 4);
    EXPECT_EQ(close.right - close.left, 16);
    EXPECT_EQ(close.bottom - close.top, 14);
    for (const int x : {20, 40, 60}) {
        EXPECT_EQ(ScreenAt(ButtonCentre(x)), CellGrey(1)) << x;
    }
}

TEST_F(CaptionWindow, HotPressedAndInactiveLooksReachTheScreen) {
    const POINT close = ButtonCentre(20);
    EXPECT_EQ(Send(WM_NCMOUSEMOVE, HTCAPTION, close), 0);
    EXPECT_EQ(ScreenAt(close), CellGrey(3));
    Send(WM_NCLBUTTONDOWN, HTCAPTION, close);
    EXPECT_EQ(ScreenAt(close), CellGrey(2));
    // Moving off the buttons gives the normal look back.
    Send(WM_NCMOUSEMOVE, HTCAPTION, EmptyCaption());
    EXPECT_EQ(ScreenAt(close), CellGrey(1));
    EXPECT_EQ(form.painter->Buttons().Hot(), nullptr);
    SendMessageW(Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(ScreenAt(close), CellGrey(4));
    SendMessageW(Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(ScreenAt(close), CellGrey(1));
}

TEST_F(CaptionWindow, ClicksRunTheReleasedButtonsAction) {
    const struct {
        int xcoord;
        UINT msg;
        WPARAM wParam;
    } cases[] = {
        {20, WM_SYSCOMMAND, SC_CLOSE},
        {40, WM_SYSCOMMAND, SC_MINIMIZE},
        {60, SKM_USERBUTTON, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xcoord);
        const POINT at = ButtonCentre(c.xcoord);
        EXPECT_EQ(Send(WM_NCLBUTTONDOWN, HTCAPTION, at), 0);
        EXPECT_EQ(Send(WM_NCLBUTTONUP, HTCAPTION, at), 0);
        MSG m{};
        ASSERT_TRUE(TakePosted(c.msg, m));
        EXPECT_EQ(m.wParam, c.wParam);
        Drain();
        form.painter->SetWindowState(WindowState::Normal);
    }
    // Pressed on close, released on the user button: nothing runs.
    Send(WM_NCLBUTTONDOWN, HTCAPTION, ButtonCentre(20));
    Send(WM_NCMOUSEMOVE, HTCAPTION, ButtonCentre(60));
    Send(WM_NCLBUTTONUP, HTCAPTION, ButtonCentre(60));
    MSG m{};
    EXPECT_FALSE(TakePosted(WM_SYSCOMMAND, m));
    EXPECT_FALSE(TakePosted(SKM_USERBUTTON, m));
}

TEST_F(CaptionWindow, DoubleClickOnTheEmptyCaptionMaximisesAndRestores) {
    ASSERT_FALSE(IsZoomed(Handle()));
    EXPECT_EQ(Send(WM_NCLBUTTONDBLCLK, HTCAPTION, EmptyCaption()), 0);
    ASSERT_TRUE(testsupport::PumpUntil([this] { return IsZoomed(Handle()) != FALSE; }));
    EXPECT_EQ(form.painter->WindowState(), WindowState::Maximised);
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, EmptyCaption());
    ASSERT_TRUE(testsupport::PumpUntil([this] { return IsZoomed(Handle()) == FALSE; }));
    EXPECT_EQ(form.painter->WindowState(), WindowState::Normal);
}

// A double-click time long enough that a slow machine cannot turn two quick
// clicks into two openings; the painter reads it when it is made. Not saved
// to the prefix's settings.
class LongDoubleClickTime {
public:
    LongDoubleClickTime() : saved_(GetDoubleClickTime()) { SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, 5000, nullptr, 0); }
    ~LongDoubleClickTime() { SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, saved_, nullptr, 0); }

private:
    UINT saved_;
};

TEST(CaptionWindowMenu, TwoRightClicksOnTheCaptionWithAHotButtonClose) {
    FrameSkinPieces spec;
    spec.captionButtons = true;
    auto skin = formtest::LoadFrameSkin(spec);
    const LongDoubleClickTime longTime;
    formtest::SkinnedForm form = formtest::MakeSkinnedForm(*skin->data, 300, 200);
    SetForegroundWindow(form.Handle());
    formtest::Settle(form.Handle());
    const RECT r = formtest::WindowRectOf(form.Handle());
    const POINT caption{r.left + 120, r.top + 12};
    auto send = [&form](UINT msg, POINT p) { return SendMessageW(form.Handle(), msg, HTCAPTION, MAKELPARAM(p.x, p.y)); };
    auto takeClose = [&form] {
        MSG m;
        return PeekMessageW(&m, form.Handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    };

    send(WM_NCMOUSEMOVE, POINT{r.right - 20 + 8, r.top + 11});
    ASSERT_NE(form.painter->Buttons().Hot(), nullptr);
    static int menuTicks = 0;
    menuTicks = 0;
    const UINT_PTR closer = SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR, DWORD) {
        ++menuTicks;
        EndMenu();
    });
    EXPECT_EQ(send(WM_NCRBUTTONDOWN, caption), 0);  // returns when the menu closed
    KillTimer(nullptr, closer);
    EXPECT_GT(menuTicks, 0);  // the menu was open
    EXPECT_FALSE(takeClose());
    // The window is active again once its menu closed, so the mouse lights
    // a button up as before.
    testsupport::PumpUntil([&] { return GetForegroundWindow() == form.Handle() && form.painter->IsActive(); });
    EXPECT_EQ(GetForegroundWindow(), form.Handle());
    EXPECT_TRUE(form.painter->IsActive());
    send(WM_NCMOUSEMOVE, POINT{r.right - 20 + 8, r.top + 11});
    ASSERT_NE(form.painter->Buttons().Hot(), nullptr);
    send(WM_NCRBUTTONDOWN, caption);
    EXPECT_TRUE(takeClose());
    form.form.reset();
}

TEST_F(CaptionWindow, RestingOnAButtonShowsItsHint) {
    const POINT close = ButtonCentre(20);
    ASSERT_TRUE(SetCursorPos(close.x, close.y));
    Send(WM_NCMOUSEMOVE, HTCAPTION, close);
    // The painter's own 250 ms timer counts; 1000 ms with the default pauses.
    EXPECT_TRUE(testsupport::PumpUntil([this] { return skin->data->HintShowing(); }, 5000));
    EXPECT_TRUE(testsupport::PumpUntil([this] { return !skin->data->HintShowing(); }, 8000));
    SetCursorPos(600, 600);
}

// The hover timer stops with the activation; the hint must not stay up on
// its own, a topmost window over whatever is active now.
TEST_F(CaptionWindow, DeactivationTakesAShowingHintDown) {
    const POINT close = ButtonCentre(20);
    ASSERT_TRUE(SetCursorPos(close.x, close.y));
    Send(WM_NCMOUSEMOVE, HTCAPTION, close);
    ASSERT_TRUE(testsupport::PumpUntil([this] { return skin->data->HintShowing(); }, 5000));
    SendMessageW(Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(skin->data->HintShowing());
    EXPECT_EQ(skin->data->hintTime, 0u);
    EXPECT_FALSE(form.painter->IsActive());
    SetCursorPos(600, 600);
}

// Letting go of the window stops the hover timer: a showing hint goes too.
TEST(CaptionWindowHint, LettingGoTakesAShowingHintDown) {
    const struct {
        const char* name;
        void (*letGo)(formtest::SkinnedForm& form);
    } cases[] = {
        {"skin switched off", [](formtest::SkinnedForm& f) { f.painter->Detach(); }},
        {"window destroyed", [](formtest::SkinnedForm& f) { f.form.reset(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrameSkinPieces spec;
        spec.captionButtons = true;
        auto skin = formtest::LoadFrameSkin(spec);
        formtest::SkinnedForm form = formtest::MakeSkinnedForm(*skin->data, 300, 200);
        SetForegroundWindow(form.Handle());
        formtest::Settle(form.Handle());
        const RECT r = formtest::WindowRectOf(form.Handle());
        const POINT close{r.right - 20 + 8, r.top + 4 + 7};
        ASSERT_TRUE(SetCursorPos(close.x, close.y));
        SendMessageW(form.Handle(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(close.x, close.y));
        ASSERT_TRUE(testsupport::PumpUntil([&skin] { return skin->data->HintShowing(); }, 5000));
        c.letGo(form);
        EXPECT_FALSE(skin->data->HintShowing());
        SetCursorPos(600, 600);
        form.form.reset();
    }
}

// The default skin's five buttons on a sizeable form: maximise or restore
// by the window state, the icon button at the left.
TEST(CaptionDefaultSkin, MaximiseAndRestoreTakeTurns) {
    auto data = std::make_unique<TSkinData>(nullptr);
    data->showMessage = [](const std::string& text) { ADD_FAILURE() << text; };
    ASSERT_TRUE(data->ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    formtest::SkinnedForm form = formtest::MakeSkinnedForm(*data, 400, 300);
    formtest::Settle(form.Handle());
    auto visibleActions = [&form] {
        std::string actions;
        for (const auto& object : form.painter->Buttons().Objects()) {
            const auto& button = static_cast<const TWinSysButton&>(*object);
            if (button.FVisible != 0) {
                actions += std::to_string(button.FData.Action);
            }
        }
        return actions;
    };
    ASSERT_EQ(form.painter->Buttons().Objects().size(), 5u + 3u);  // and the three MDI child buttons
    EXPECT_EQ(visibleActions(), "0123");  // close, maximise, minimise, icon
    const int width = formtest::OuterSize(form.Handle()).cx;
    EXPECT_EQ(form.painter->Buttons().Objects()[0]->FBounds.left, width - 37);

    ShowWindow(form.Handle(), SW_MAXIMIZE);
    formtest::Settle(form.Handle());
    EXPECT_EQ(visibleActions(), "0123");  // close, restore, minimise, icon
    EXPECT_EQ(form.painter->Buttons().Objects()[1]->FVisible, 0);
    EXPECT_NE(form.painter->Buttons().Objects()[2]->FVisible, 0);
    form.form.reset();
}

} // namespace

namespace {

// CAPTION_SHOT_HOLD_MS keeps each look up that long for a screenshot.
DWORD ShotHold() {
    const char* hold = std::getenv("CAPTION_SHOT_HOLD_MS");
    return hold != nullptr ? DWORD(std::strtoul(hold, nullptr, 10)) : 0;
}

// The default skin's buttons change their look with the mouse, and its
// system menu opens on the caption.
TEST(CaptionDefaultSkin, LooksOnTheScreen) {
    auto data = std::make_unique<TSkinData>(nullptr);
    data->showMessage = [](const std::string& text) { ADD_FAILURE() << text; };
    ASSERT_TRUE(data->ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    formtest::SkinnedForm form = formtest::MakeSkinnedForm(*data, 420, 160, true, ui::BorderStyle::Sizeable,
                                                           L"Vocara 标题按钮");
    SetWindowPos(form.Handle(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(form.Handle());
    formtest::Settle(form.Handle());
    const DWORD hold = ShotHold();
    const RECT r = formtest::WindowRectOf(form.Handle());
    // A point of the button's background, beside its glyph.
    auto centre = [&form, &r](size_t index) {
        const RECT& b = form.painter->Buttons().Objects()[index]->FBounds;
        return POINT{r.left + b.left + 3, r.top + b.top + 3};
    };
    auto send = [&form](UINT msg, POINT p) { SendMessageW(form.Handle(), msg, HTCAPTION, MAKELPARAM(p.x, p.y)); };
    auto pixel = [&form, &r](POINT p) {
        const ui::WindowDc dc(form.Handle(), ui::WindowDc::Area::Window);
        return GetPixel(dc.get(), p.x - r.left, p.y - r.top);
    };
    const POINT close = centre(0);
    const POINT maximise = centre(1);
    const COLORREF closeNormal = pixel(close);
    const COLORREF maximiseNormal = pixel(maximise);
    testsupport::HoldOnScreen(hold);

    SetCursorPos(close.x, close.y);
    send(WM_NCMOUSEMOVE, close);
    EXPECT_NE(pixel(close), closeNormal);
    testsupport::HoldOnScreen(hold);

    SetCursorPos(maximise.x, maximise.y);
    send(WM_NCMOUSEMOVE, maximise);
    const COLORREF maximiseHot = pixel(maximise);
    send(WM_NCLBUTTONDOWN, maximise);
    EXPECT_NE(pixel(maximise), maximiseHot);
    EXPECT_NE(pixel(maximise), maximiseNormal);
    EXPECT_EQ(pixel(close), closeNormal);
    testsupport::HoldOnScreen(hold);
    const POINT caption{r.left + 200, r.top + 15};
    send(WM_NCMOUSEMOVE, caption);
    send(WM_NCLBUTTONUP, caption);
    EXPECT_EQ(pixel(maximise), maximiseNormal);

    static int menuTicks = 0;
    menuTicks = 0;
    const UINT_PTR closer =
        SetTimer(nullptr, 0, std::max<DWORD>(hold, 150), [](HWND, UINT, UINT_PTR, DWORD) { ++menuTicks, EndMenu(); });
    send(WM_NCRBUTTONDOWN, caption);
    KillTimer(nullptr, closer);
    EXPECT_GT(menuTicks, 0);
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, form.Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    form.form.reset();
}

} // namespace
