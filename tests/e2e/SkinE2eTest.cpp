// The real Vocara.exe draws its windows with the default skin: the login
// window's frame, shape, title and caption button, the boxes it shows, and the
// study window after a login. Checked by probing the screen.

#include "tests/e2e/Desktop.h"
#include "tests/e2e/ServiceStandIn.h"
#include "tests/e2e/RemoteToolbar.h"
#include "tests/e2e/VocaraProcess.h"
#include "ui/Bitmap.h"
#include "ui/Gdi.h"
#include "tests/support/CaptionText.h"
#include "skin/controls/SkinMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace {

using e2e::LoginWindow;
using e2e::OuterRect;
using e2e::Sandbox;
using e2e::Service;
using e2e::VocaraProcess;
using e2e::WaitUntil;

// The default skin's frame: a 30-pixel caption, 4-pixel sides and bottom,
// top corners rounded with a radius of 8.
constexpr int kCaption = 30;
constexpr int kBorder = 4;
// Colours of the active frame (res/skin/make_skin.py).
constexpr ui::Color kFrameOutline = 0x998A7D;  // #7D8A99
constexpr ui::Color kFrameFill = 0xECE8E4;     // #E4E8EC
constexpr ui::Color kCaptionOutline = 0x8F5724;  // #24578F
constexpr ui::Color kTitleText = 0xFFFFFF;

int Red(ui::Color c) { return int(c & 0xFF); }
int Blue(ui::Color c) { return int((c >> 16) & 0xFF); }

// The active caption's blue.
bool IsCaptionBlue(ui::Color c) { return Blue(c) > Red(c) + 60 && Blue(c) > 150; }
// A hot close button's warm red.
bool IsCloseRed(ui::Color c) { return Red(c) > Blue(c) + 60 && Red(c) > 150; }

// What the screen shows of a window and a margin of desktop around it;
// At() takes window coordinates.
struct WindowShot {
    static constexpr int kMargin = 6;

    // repaint: have the window repaint itself first; without, the screen
    // is read as it is (a repaint would end a button's mouse-over look).
    explicit WindowShot(HWND window, bool repaint = true) : outer(OuterRect(window)) {
        RECT area = outer;
        InflateRect(&area, kMargin, kMargin);
        if (repaint) {
            shot = e2e::ScreenShot(window, area);
            return;
        }
        shot = ui::Bitmap(area.right - area.left, area.bottom - area.top);
        const HDC screen = GetDC(nullptr);
        BitBlt(shot.GetCanvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    int Width() const { return outer.right - outer.left; }
    int Height() const { return outer.bottom - outer.top; }
    ui::Color At(int x, int y) const { return shot.PixelAt(x + kMargin, y + kMargin); }
    // Pixels in [left, right) x [top, bottom) for which test holds.
    template <class Test>
    int Count(int left, int top, int right, int bottom, Test test) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                count += test(At(x, y)) ? 1 : 0;
            }
        }
        return count;
    }

    RECT outer;
    ui::Bitmap shot;
};

// Waits until the window shows the active skinned caption.
bool WaitForSkinnedCaption(HWND window, DWORD timeoutMs = 30000) {
    return WaitUntil(
        [window] {
            const WindowShot shot(window);
            return IsCaptionBlue(shot.At(shot.Width() / 2, kCaption / 2));
        },
        timeoutMs);
}

// The width the title takes in the system caption font, which the form
// painter draws it with.
// Every pixel of the frame's sides and bottom that the skin draws plainly;
// with overDesktop, the cut corners show the desktop.
void ExpectSkinnedFrame(const WindowShot& shot, bool overDesktop) {
    const int w = shot.Width();
    const int h = shot.Height();
    const struct {
        const char* piece;
        int x, y;
        ui::Color colour;
    } probes[] = {
        {"left outline", 0, h / 2, kFrameOutline},   {"left fill", 1, h / 2, kFrameFill},
        {"right fill", w - 2, h / 2, kFrameFill},    {"right outline", w - 1, h / 2, kFrameOutline},
        {"bottom fill", w / 2, h - 2, kFrameFill},   {"bottom outline", w / 2, h - 1, kFrameOutline},
        {"caption top", w / 2, 0, kCaptionOutline},
    };
    for (const auto& p : probes) {
        EXPECT_EQ(shot.At(p.x, p.y), p.colour) << p.piece << std::hex << " " << shot.At(p.x, p.y);
    }
    EXPECT_TRUE(IsCaptionBlue(shot.At(w / 2, kCaption / 2)));
    if (!overDesktop) {
        return;
    }
    const ui::Color desktop = shot.At(-WindowShot::kMargin + 1, -WindowShot::kMargin + 1);
    for (const POINT corner : {POINT{0, 0}, POINT{1, 1}, POINT{w - 1, 0}, POINT{w - 2, 1}}) {
        EXPECT_EQ(shot.At(corner.x, corner.y), desktop) << corner.x << "," << corner.y;
    }
}

// The window's shape (read from the other process) leaves the top corners out.
void ExpectCutCorners(HWND window, const WindowShot& shot) {
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window, region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.get(), shot.Width() - 1, 0));
    EXPECT_TRUE(PtInRegion(region.get(), shot.Width() / 2, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 0, shot.Height() - 1));
    EXPECT_TRUE(PtInRegion(region.get(), shot.Width() - 1, shot.Height() - 1));
}

// Logs in and waits for the study window with its skinned caption; none
// when either does not come.
HWND SkinnedStudyWindow(const VocaraProcess& vocara) {
    if (!e2e::LogIn(vocara, L"demo@vocara.test", L"vocara123")) {
        return nullptr;
    }
    HWND study = nullptr;
    if (!WaitUntil([&] { return (study = vocara.FindTopWindow(L"Tfmmain", L"", true)) != nullptr; }, 30000)) {
        return nullptr;
    }
    return WaitForSkinnedCaption(study) ? study : nullptr;
}

class SkinE2eTest : public ::testing::Test {
protected:
    void SetUp() override { Service("/__test/reset"); }
    void TearDown() override { Service("/__test/reset"); }
};

TEST_F(SkinE2eTest, TheLoginWindowWearsTheSkinAroundAnUnchangedClientArea) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const HWND window = vocara.WaitForLoginWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForSkinnedCaption(window));

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 267);
    const WindowShot shot(window);
    EXPECT_EQ(shot.Width(), 400 + 2 * kBorder);
    EXPECT_EQ(shot.Height(), 267 + kCaption + kBorder);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x - shot.outer.left, kBorder);
    EXPECT_EQ(origin.y - shot.outer.top, kCaption);
    ExpectSkinnedFrame(shot, true);
    ExpectCutCorners(window, shot);

    // The title "Vocara登录" in white, as wide as its glyphs are in the
    // caption font: text turned into question marks or boxes would not be.
    const std::wstring title = L"Vocara登录";
    const int expected = testsupport::CaptionTextWidth(title);
    ASSERT_NE(expected, testsupport::CaptionTextWidth(L"Vocara??"));
    int first = -1;
    int last = -1;
    const int buttonsLeft = shot.Width() - kBorder - 40;
    for (int x = kBorder; x < buttonsLeft; ++x) {
        if (shot.Count(x, 3, x + 1, kCaption - 3, [](ui::Color c) { return c == kTitleText; }) > 0) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    ASSERT_GE(first, 0) << "no title pixels";
    EXPECT_NEAR(last - first + 1, expected, 3);
    // The two Chinese characters are dense strokes at the title's end.
    const int latinWidth = testsupport::CaptionTextWidth(L"Vocara");
    EXPECT_GT(shot.Count(first + latinWidth, 3, last + 1, kCaption - 3, [](ui::Color c) { return c == kTitleText; }),
              40);

    // The one caption button (close): a white glyph on the caption, lit red
    // while the mouse rests on it, and a click closes the window and ends
    // the program.
    const auto white = [](ui::Color c) { return c == kTitleText; };
    EXPECT_GT(shot.Count(buttonsLeft, 3, shot.Width() - kBorder, kCaption - 3, white), 8);
    int glyphLeft = shot.Width();
    int glyphRight = 0;
    for (int x = buttonsLeft; x < shot.Width() - kBorder; ++x) {
        if (shot.Count(x, 3, x + 1, kCaption - 3, white) > 0) {
            glyphLeft = std::min(glyphLeft, x);
            glyphRight = x;
        }
    }
    const POINT button{shot.outer.left + (glyphLeft + glyphRight) / 2, shot.outer.top + kCaption / 2};
    ASSERT_TRUE(e2e::MoveMouseTo(button));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const WindowShot hot(window, false);
            return hot.Count(glyphLeft - 4, 4, glyphRight + 4, kCaption - 4, IsCloseRed) > 20;
        },
        30000));
    e2e::OfferScreenshot(window, L"skinned-login");
    e2e::ClickAt(button);
    EXPECT_EQ(vocara.WaitForExit(30000), 0u);
}

// The borders of the default skin's push-button cells: rest, pressed,
// hot, focused or default (res/skin/make_skin.py).
bool IsSkinButtonBorder(ui::Color c) {
    return c == 0xB2A8A0 || c == 0xB56D2F || c == 0xD19B6D;  // #A0A8B2, #2F6DB5, #6D9BD1
}

// Switches the painters of every control of the window on or off, as the
// skin data's Active does, and has the controls repaint.
void SwitchControlPainters(HWND window, bool on) {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM on) {
            SendMessageW(child, skin::SKM_ENABLE, WPARAM(on), 0);
            return TRUE;
        },
        on ? 1 : 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The login window's push buttons and check box come from the skin; with
// the control painters switched off the same controls show the system's look,
// and switched on again the skin's.
TEST_F(SkinE2eTest, TheLoginWindowsControlsAreDrawnFromTheSkin) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const HWND window = vocara.WaitForLoginWindow();
    ASSERT_NE(window, nullptr);
    const LoginWindow login(window);
    ASSERT_TRUE(login.Complete());
    ASSERT_TRUE(WaitForSkinnedCaption(window));

    // The top edge of each push button, in the middle: a skin border.
    const auto topEdge = [](HWND button) {
        const WindowShot shot(button);
        return shot.At(shot.Width() / 2, 0);
    };
    for (const HWND button : {login.btcfm, login.btjpg}) {
        EXPECT_TRUE(WaitUntil([&] { return IsSkinButtonBorder(topEdge(button)); }, 30000))
            << std::hex << topEdge(button);
    }
    e2e::OfferScreenshot(window, L"login-controls-skinned");

    SwitchControlPainters(window, false);
    for (const HWND button : {login.btcfm, login.btjpg}) {
        EXPECT_TRUE(WaitUntil([&] { return !IsSkinButtonBorder(topEdge(button)); }, 30000))
            << std::hex << topEdge(button);
    }
    e2e::OfferScreenshot(window, L"login-controls-native");

    SwitchControlPainters(window, true);
    EXPECT_TRUE(WaitUntil([&] { return IsSkinButtonBorder(topEdge(login.btcfm)); }, 30000));
}

TEST_F(SkinE2eTest, AFailedLoginsBoxIsSkinned) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    login.Fill(L"demo@vocara.test", L"wrong", e2e::CurrentAnswer());
    PostMessageW(login.btcfm, BM_CLICK, 0, 0);
    const HWND box = vocara.WaitForBox(L"密码错误");
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(WaitForSkinnedCaption(box));
    const WindowShot shot(box);
    // The box sits over the login window: only its shape tells the corners.
    ExpectSkinnedFrame(shot, false);
    ExpectCutCorners(box, shot);
    // The box's own text and button are still there inside the frame.
    EXPECT_EQ(e2e::BoxText(box), L"密码错误,请重新输入");
    // Its button is a skinned push button too: the skin's border along its top.
    const HWND ok = e2e::FindChild(box, {L"Button"});
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const WindowShot button(ok);
            return IsSkinButtonBorder(button.At(button.Width() / 2, 0));
        },
        30000));
    e2e::OfferScreenshot(box, L"skinned-box");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 30000));
}

TEST_F(SkinE2eTest, TheStudyWindowIsSkinnedAfterTheLogin) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const HWND study = SkinnedStudyWindow(vocara);
    ASSERT_NE(study, nullptr);
    const WindowShot shot(study);
    ExpectSkinnedFrame(shot, true);
    ExpectCutCorners(study, shot);
    e2e::OfferScreenshot(study, L"skinned-study");
}

// The study window's tool bar buttons sit on the push-button strip's cells:
// nothing at rest, the hot cell under the mouse, the pressed cell while the
// button is held (res/skin/make_skin.py).
TEST_F(SkinE2eTest, TheStudyToolBarsButtonsShowTheSkinsHotAndPressedCells) {
    constexpr ui::Color kHotBorder = 0xD19B6D;      // #6D9BD1
    constexpr ui::Color kPressedBorder = 0xB56D2F;  // #2F6DB5
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const HWND study = SkinnedStudyWindow(vocara);
    ASSERT_NE(study, nullptr);
    const HWND toolbar = e2e::FindChild(study, {L"TToolBar", L"ToolbarWindow32"});
    ASSERT_NE(toolbar, nullptr);
    const std::optional<RECT> button = e2e::RemoteToolbar(toolbar).ButtonRect(L"历史");
    ASSERT_TRUE(button.has_value());
    // The painter draws the cell one pixel inside the button: its top border.
    const POINT edge{(button->left + button->right) / 2, button->top + 1};
    const auto edgeColour = [&] {
        ui::Color colour = 0;
        const HDC screen = GetDC(nullptr);
        colour = GetPixel(screen, edge.x, edge.y);
        ReleaseDC(nullptr, screen);
        return colour;
    };
    const ui::Color atRest = edgeColour();
    EXPECT_NE(atRest, kHotBorder);
    EXPECT_NE(atRest, kPressedBorder);

    const POINT centre = e2e::CentreOf(*button);
    ASSERT_TRUE(e2e::MoveMouseTo(centre));
    EXPECT_TRUE(WaitUntil([&] { return edgeColour() == kHotBorder; }, 30000)) << std::hex << edgeColour();
    e2e::OfferScreenshot(study, L"study-toolbar-hot");

    // Held down, then let go away from the button, so no page opens.
    e2e::PressMouseAt(centre);
    EXPECT_TRUE(WaitUntil([&] { return edgeColour() == kPressedBorder; }, 30000)) << std::hex << edgeColour();
    e2e::OfferScreenshot(study, L"study-toolbar-pressed");
    const RECT outer = OuterRect(study);
    const POINT away{(outer.left + outer.right) / 2, outer.bottom + 40};
    e2e::ReleaseMouseAt(away);
    EXPECT_TRUE(WaitUntil([&] { return edgeColour() == atRest; }, 30000)) << std::hex << edgeColour();
}

// The default skin's popup face: a 1-pixel border around white
// (res/skin/make_skin.py), and the selected item's accent fill.
constexpr ui::Color kMenuBorder = 0xB2A8A0;  // #A0A8B2
constexpr ui::Color kMenuFace = 0xFFFFFF;
bool IsSelectedBlue(ui::Color c) { return Blue(c) > Red(c) + 80 && Blue(c) > 150; }

// The one popup menu of the program on screen.
HWND WaitForPopupMenu(const VocaraProcess& vocara) {
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = vocara.FindTopWindow(L"#32768", L"", true)) != nullptr; }, 30000);
    return menu;
}

// The popup's face and its item under the mouse, as the skin draws them;
// the system's own popup has a raised grey edge instead.
void ExpectSkinnedPopup(HWND menu, POINT itemPoint) {
    int nudge = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            // Moves that the menu's loop sees: a cursor already resting there
            // when the menu opened selects nothing.
            nudge ^= 1;
            e2e::MoveMouseTo(POINT{itemPoint.x + nudge, itemPoint.y});
            const WindowShot shot(menu, false);
            const RECT r = OuterRect(menu);
            return IsSelectedBlue(shot.At(itemPoint.x - r.left, itemPoint.y - r.top));
        },
        30000));
    const WindowShot shot(menu, false);
    const int h = shot.Height();
    const int w = shot.Width();
    EXPECT_EQ(shot.At(0, h / 2), kMenuBorder) << std::hex << shot.At(0, h / 2);
    EXPECT_EQ(shot.At(w - 1, h / 2), kMenuBorder) << std::hex << shot.At(w - 1, h / 2);
    EXPECT_EQ(shot.At(w / 2, 0), kMenuBorder) << std::hex << shot.At(w / 2, 0);
    EXPECT_EQ(shot.At(1, 1), kMenuFace) << std::hex << shot.At(1, 1);
    EXPECT_EQ(shot.At(w - 2, h - 2), kMenuFace) << std::hex << shot.At(w - 2, h - 2);
}

TEST_F(SkinE2eTest, TheSystemMenuAndTheTrayMenuWearTheSkin) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const HWND study = SkinnedStudyWindow(vocara);
    ASSERT_NE(study, nullptr);

    // The system menu, from a right click on the caption.
    const RECT outer = OuterRect(study);
    e2e::RightClickAt(POINT{(outer.left + outer.right) / 2, outer.top + kCaption / 2});
    HWND menu = WaitForPopupMenu(vocara);
    ASSERT_NE(menu, nullptr);
    {
        const RECT r = OuterRect(menu);
        // The second item ("移动", enabled; the first, restore, is greyed for
        // a normal window): below the border and a first item at least 20 high.
        SCOPED_TRACE("system menu");
        ExpectSkinnedPopup(menu, POINT{(r.left + r.right) / 2, r.top + 3 + 30});
        e2e::OfferScreenshot(menu, L"skinned-system-menu");
    }
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 30000));

    // The tray menu, from the tray icon's right button.
    ASSERT_TRUE(e2e::MoveMouseTo(POINT{40, 40}));
    PostMessageW(study, WM_USER + 1, 1, WM_RBUTTONDOWN);
    menu = WaitForPopupMenu(vocara);
    ASSERT_NE(menu, nullptr);
    const RECT r = OuterRect(menu);
    {
        SCOPED_TRACE("tray menu");
        ExpectSkinnedPopup(menu, e2e::CentreOf(r));
    }
    e2e::OfferScreenshot(menu, L"skinned-tray-menu");
    // "退出系统" still ends the program.
    e2e::ClickAt(e2e::CentreOf(r));
    EXPECT_EQ(vocara.WaitForExit(30000), 0u);
}

} // namespace
