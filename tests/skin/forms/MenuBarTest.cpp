// The skinned menu bar: its items laid out in the band below the caption,
// the band painted from the skin, the frame grown by the band, and the menu
// given back on detach.

#include "tests/skin/forms/MenuFixture.h"

#include "skin/forms/WinSkinForm.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Screen.h"

namespace {

using namespace menutest;
using formtest::RgbOf;
using formtest::WindowPixel;

int CaptionWidth(const std::wstring& caption) {
    const ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const ui::SelectObjectScope font(dc.get(), ui::Screen::MenuFontHandle());
    RECT box{0, 0, 0, 0};
    DrawTextW(dc.get(), caption.c_str(), int(caption.size()), &box, DT_CALCRECT | DT_NOCLIP);
    return box.right - box.left;
}

TEST(MenuBar, TakesTheWindowsMenuOver) {
    auto skin = LoadMenuSkin();
    MenuWindow w(*skin->data);
    EXPECT_EQ(GetMenu(w.Handle()), nullptr);
    ASSERT_NE(w.Painter().MenuBar(), nullptr);
    EXPECT_EQ(w.Bar().MenuHandle(), w.menus.bar);
    EXPECT_EQ(w.Painter().MenuBarHeight(), GetSystemMetrics(SM_CYMENU));
    ASSERT_EQ(w.Bar().Items().size(), 4u);
    EXPECT_EQ(w.Item(0).FCaption, L"&File");
    EXPECT_EQ(w.Item(0).FSubMenu, w.menus.file);
    EXPECT_EQ(w.Item(2).FCaption, L"&Help");
    EXPECT_EQ(w.Item(2).FSubMenu, nullptr);
    EXPECT_EQ(w.Item(2).FCommand, 4301u);
    EXPECT_EQ(w.Item(3).FSubMenu, w.menus.view);
}

TEST(MenuBar, LayoutCases) {
    const struct {
        const char* name;
        MenuSkinOptions skin;
        DWORD exStyle;
        int start;
    } cases[] = {
        {"no MenuBar object", {.menuBar = false}, 0, 6},
        {"TileLeftMenu 1", {.menuBar = true, .tileLeftMenu = 1}, 0, 5},
        {"band narrower than the offset", {.menuBar = true, .tileLeftMenu = 900}, 0, 12},
        {"right to left", {.menuBar = false}, WS_EX_LEFTSCROLLBAR, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto skin = LoadMenuSkin(c.skin);
        MenuWindow w(*skin->data, 420, c.exStyle);
        ASSERT_NE(w.Painter().MenuBar(), nullptr);
        w.Bar().LayoutItems();
        const int bandLeft = w.Painter().BorderLeft();
        const int bandRight = formtest::OuterSize(w.Handle()).cx - w.Painter().BorderRight();
        const int top = w.Painter().CaptionHeight();
        const int bottom = top + w.Painter().MenuBarHeight() - 1;
        const int fileWidth = CaptionWidth(L"&File") + 10;
        const int editWidth = CaptionWidth(L"&Edit") + 10;
        const RECT& file = w.Item(0).FBounds;
        const RECT& edit = w.Item(1).FBounds;
        EXPECT_EQ(file.right - file.left, fileWidth);
        EXPECT_EQ(edit.right - edit.left, editWidth);
        EXPECT_EQ(file.top, top);
        EXPECT_EQ(file.bottom, bottom);
        if (c.exStyle == 0) {
            EXPECT_EQ(file.left, bandLeft + c.start);
            EXPECT_EQ(edit.left, file.right);
        } else {
            EXPECT_EQ(file.right, bandRight - c.start);
            EXPECT_EQ(edit.right, file.left);
        }
        // The frame paint lays the items out the same way.
        const RECT laidOut = file;
        formtest::Settle(w.Handle());
        EXPECT_TRUE(EqualRect(&laidOut, &w.Item(0).FBounds));
    }
}

TEST(MenuBar, InvisibleItemsTakeNoRoom) {
    auto skin = LoadMenuSkin();
    MenuWindow w(*skin->data);
    w.Item(1).FVisible = 0;
    w.Bar().LayoutItems();
    EXPECT_TRUE(IsRectEmpty(&w.Item(1).FBounds));
    EXPECT_EQ(w.Item(2).FBounds.left, w.Item(0).FBounds.right);
    POINT inEdit{w.Item(0).FBounds.right + 2, w.Item(0).FBounds.top + 2};
    EXPECT_EQ(w.Bar().ItemAt(inEdit), &w.Item(2));
}

TEST(MenuBar, BandIsPaintedFromTheSkin) {
    {
        auto skin = LoadMenuSkin({.menuBar = false});
        MenuWindow w(*skin->data);
        const RECT& last = w.Item(3).FBounds;
        // Beyond the last item: the Menubar colour.
        EXPECT_EQ(WindowPixel(w.Handle(), last.right + 20, last.top + 3), RGB(77, 78, 79));
    }
    {
        auto skin = LoadMenuSkin({.menuBar = true});
        MenuWindow w(*skin->data);
        const RECT& last = w.Item(3).FBounds;
        EXPECT_EQ(WindowPixel(w.Handle(), last.right + 20, last.top + 3), RgbOf(kBarActive));
        // The bare band is kept for the items' repaints.
        EXPECT_EQ(w.Bar().BarBitmap().Width(), formtest::OuterSize(w.Handle()).cx - w.Painter().BorderLeft() -
                                                   w.Painter().BorderRight());
        EXPECT_EQ(ui::ColorToRgb(w.Bar().BarBitmap().PixelAt(2, 2)), RgbOf(kBarActive));
    }
}

TEST(MenuBar, DisabledItemIsFramedWhenHotButDoesNotOpen) {
    auto skin = LoadMenuSkin();
    MenuWindow w(*skin->data);
    // Grey the Edit item and let the bar read the menu again.
    SetMenu(w.Handle(), w.menus.bar);
    EnableMenuItem(w.menus.bar, 1, MF_BYPOSITION | MF_GRAYED);
    SendMessageW(w.Handle(), ui::CM_MENUCHANGED, 0, 0);
    EXPECT_EQ(GetMenu(w.Handle()), nullptr);
    ASSERT_EQ(w.Item(1).FItemEnabled, 0);
    formtest::Settle(w.Handle());

    const RECT edit = w.Item(1).FBounds;
    RECT window{};
    GetWindowRect(w.Handle(), &window);
    const POINT screen{window.left + (edit.left + edit.right) / 2, window.top + (edit.top + edit.bottom) / 2};
    MenuScript script({WaitOpen(w.menus.edit)}, 1500);
    SendMessageW(w.Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(screen.x, screen.y));
    testsupport::PumpPostedMessages();
    EXPECT_FALSE(script.Done());  // never opened
    EXPECT_TRUE(VisibleMenuWindows().empty());
    EXPECT_FALSE(skin::MenuLoopHookInstalled());
    EXPECT_EQ(w.Item(1).FMouseState, skin::MouseState::Pressed);
    EXPECT_EQ(WindowPixel(w.Handle(), edit.left, (edit.top + edit.bottom) / 2), RgbOf(kBarHilight));
    EXPECT_EQ(WindowPixel(w.Handle(), edit.right - 1, edit.top), RgbOf(kBarHilight));
}

TEST(MenuBar, FormGrowsByTheBandAndGetsItsMenuBackOnDetach) {
    auto skin = LoadMenuSkin();
    MenuForm f;
    ui::Form& form = f.form;
    ui::MainMenu& menu = f.menu;
    const HMENU native = menu.Handle();
    ASSERT_EQ(GetMenu(form.Handle()), native);
    const RECT clientBefore = formtest::ClientRectOf(form.Handle());
    const SIZE outerBefore = formtest::OuterSize(form.Handle());

    skin::TWinSkinForm& painter = f.Skin(*skin->data);

    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    const RECT client = formtest::ClientRectOf(form.Handle());
    EXPECT_EQ(client.right, clientBefore.right);
    EXPECT_EQ(client.bottom, clientBefore.bottom);
    const SIZE outer = formtest::OuterSize(form.Handle());
    EXPECT_EQ(outer.cy, client.bottom + painter.CaptionHeight() + painter.BorderBottom() + painter.MenuBarHeight());
    EXPECT_EQ(formtest::ClientOffset(form.Handle()).y, painter.CaptionHeight() + painter.MenuBarHeight());
    ASSERT_NE(painter.MenuBar(), nullptr);
    ASSERT_EQ(painter.MenuBar()->Items().size(), 2u);
    EXPECT_EQ(painter.MenuBar()->Items()[0]->FItem, &f.file);
    EXPECT_EQ(painter.MenuBar()->Items()[0]->FSubMenu, f.file.Handle());
    EXPECT_EQ(painter.MenuBar()->Items()[1]->FItemEnabled, 0);

    // A change of the toolkit menu is taken over again, not put back on the window.
    f.edit.SetEnabled(true);
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    EXPECT_EQ(painter.MenuBar()->Items()[1]->FItemEnabled, 1);

    painter.Detach();
    EXPECT_EQ(GetMenu(form.Handle()), native);
    EXPECT_EQ(painter.MenuBar(), nullptr);
    const SIZE outerAfter = formtest::OuterSize(form.Handle());
    EXPECT_EQ(outerAfter.cx, outerBefore.cx);
    EXPECT_EQ(outerAfter.cy, outerBefore.cy);
    EXPECT_EQ(formtest::ClientRectOf(form.Handle()).bottom, clientBefore.bottom);
}

} // namespace
