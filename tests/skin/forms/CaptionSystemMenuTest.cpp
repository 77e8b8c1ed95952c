// The skinned system menu: built from the window's system menu, opened by a
// right click on the caption, and a second right click within the
// double-click time closing the window.

#include "tests/skin/forms/CaptionFixture.h"

#include "ui/Menus.h"

#include <map>

namespace {

using captiontest::ButtonData;
using captiontest::CaptionFixture;
using namespace skin;

// Closes the menu being tracked from a timer of the menu's own loop.
class MenuCloser {
public:
    explicit MenuCloser(UINT delayMs = 150) { id_ = SetTimer(nullptr, 0, delayMs, &Tick); }
    ~MenuCloser() { KillTimer(nullptr, id_); }
    static inline int ticks = 0;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ++ticks;
        EndMenu();
    }
    UINT_PTR id_ = 0;
};

class CaptionSystemMenu : public CaptionFixture {
protected:
    // Opens the system menu by a right click on the caption, closing it again
    // from a timer.
    bool RightClickCaption(POINT at = {150, 10}) {
        MenuCloser closer;
        return probe.NcMouse(WM_NCRBUTTONDOWN, HTCAPTION, at);
    }
    std::map<UINT, ui::MenuItem*> ItemsById() {
        std::map<UINT, ui::MenuItem*> items;
        ui::PopupMenu* popup = probe.SystemMenuPopup();
        for (int i = 0; popup != nullptr && i < popup->Items().Count(); ++i) {
            items[UINT(popup->Items().Items(i).tag)] = &popup->Items().Items(i);
        }
        return items;
    }
};

TEST_F(CaptionSystemMenu, MirrorsTheWindowsSystemMenu) {
    probe.BorderIcons() = biMinimizeBox | biSystemMenuBox;  // no maximise box
    ASSERT_TRUE(RightClickCaption());
    ui::PopupMenu* popup = probe.SystemMenuPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->tag, 33333);
    EXPECT_TRUE(popup->OwnerDraw());

    const HMENU system = probe.SystemMenu();
    ASSERT_EQ(popup->Items().Count(), GetMenuItemCount(system));
    for (int i = 0; i < popup->Items().Count(); ++i) {
        wchar_t text[80]{};
        GetMenuStringW(system, UINT(i), text, 80, MF_BYPOSITION);
        const ui::MenuItem& item = popup->Items().Items(i);
        EXPECT_EQ(UINT(item.tag), GetMenuItemID(system, i) == UINT(-1) ? 0u : GetMenuItemID(system, i));
        EXPECT_EQ(item.Caption(), text[0] != 0 ? std::wstring(text) : std::wstring(L"-"));
    }

    auto items = ItemsById();
    const struct {
        UINT id;
        bool enabled;
        int image;
    } expected[] = {
        {SC_RESTORE, false, 0}, {SC_MOVE, true, -1},  {SC_SIZE, true, -1},
        {SC_MINIMIZE, true, 2}, {SC_MAXIMIZE, false, 1}, {SC_CLOSE, true, 3},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        ASSERT_EQ(items.count(e.id), 1u);
        EXPECT_EQ(items[e.id]->Enabled(), e.enabled);
        EXPECT_EQ(items[e.id]->ImageIndex(), e.image);
    }
}

TEST_F(CaptionSystemMenu, ItemsFollowTheWindowState) {
    const struct {
        WindowState state;
        std::map<UINT, bool> enabled;
    } cases[] = {
        {WindowState::Maximised, {{SC_RESTORE, true}, {SC_MOVE, false}, {SC_SIZE, false}, {SC_MAXIMIZE, false}, {SC_MINIMIZE, true}}},
        {WindowState::Minimised, {{SC_RESTORE, true}, {SC_MOVE, true}, {SC_MINIMIZE, false}, {SC_MAXIMIZE, true}}},
        {WindowState::Normal, {{SC_RESTORE, false}, {SC_MINIMIZE, true}, {SC_MAXIMIZE, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.state));
        probe.WindowState() = c.state;
        probe.LastIconClick() = GetTickCount() - 10 * probe.DoubleClickTime();
        ASSERT_TRUE(RightClickCaption());
        auto items = ItemsById();
        for (const auto& [id, enabled] : c.enabled) {
            ASSERT_EQ(items.count(id), 1u) << id;
            EXPECT_EQ(items[id]->Enabled(), enabled) << id;
        }
    }
}

TEST_F(CaptionSystemMenu, GrayedAndCheckedStatesCarryOver) {
    HMENU own = CreatePopupMenu();
    AppendMenuW(own, MF_STRING | MF_GRAYED, 0x1001, L"Grayed");
    AppendMenuW(own, MF_STRING | MF_DISABLED, 0x1002, L"Only disabled");
    AppendMenuW(own, MF_STRING | MF_CHECKED, 0x1003, L"Checked");
    AppendMenuW(own, MF_STRING | MF_GRAYED | MF_DISABLED, 0x1004, L"Both");
    AppendMenuW(own, MF_STRING, 0x1005, L"Plain");
    AppendMenuW(own, MF_SEPARATOR, 0, nullptr);
    probe.SystemMenu() = own;
    ASSERT_TRUE(RightClickCaption());
    auto items = ItemsById();
    // The system grays its own items with either bit alone.
    EXPECT_FALSE(items[0x1001]->Enabled());
    EXPECT_FALSE(items[0x1002]->Enabled());
    EXPECT_FALSE(items[0x1004]->Enabled());
    EXPECT_TRUE(items[0x1005]->Enabled());
    EXPECT_TRUE(items[0x1003]->Checked());
    EXPECT_FALSE(items[0x1005]->Checked());
    EXPECT_TRUE(items[0]->IsLine());
    probe.SystemMenu() = nullptr;
    DestroyMenu(own);
}

TEST_F(CaptionSystemMenu, ClickingAnItemPostsItsCommand) {
    ASSERT_TRUE(RightClickCaption());
    auto items = ItemsById();
    ASSERT_EQ(items.count(SC_MINIMIZE), 1u);
    items[SC_MINIMIZE]->Click();
    MSG m{};
    ASSERT_TRUE(window.TakePosted(WM_SYSCOMMAND, m));
    EXPECT_EQ(m.wParam, WPARAM(SC_MINIMIZE));
}

TEST_F(CaptionSystemMenu, MeasureAddsRoomForTheGlyphColumn) {
    ASSERT_TRUE(RightClickCaption());
    auto items = ItemsById();
    ui::MenuItem& move = *items[SC_MOVE];
    ui::PopupMenu plainMenu(nullptr);
    auto* plain = new ui::MenuItem(&plainMenu);
    plain->SetCaption(move.Caption());
    plainMenu.Items().Add(plain);

    const ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ui::Canvas canvas(dc.get());
    int plainWidth = 0, plainHeight = 0, width = 0, height = 0;
    plain->MeasureItem(canvas, plainWidth, plainHeight);
    move.MeasureItem(canvas, width, height);
    const int glyphRoom = skinData->MenuGlyphs() != nullptr ? 12 : 35;
    EXPECT_EQ(width, plainWidth + glyphRoom);

    skinData->MenuItem = std::make_unique<TDataSkinObject>("MenuItem");
    skinData->MenuItem->Margins.left = 7;
    width = height = 0;
    move.MeasureItem(canvas, width, height);
    EXPECT_EQ(width, plainWidth + glyphRoom + 7);
}

TEST_F(CaptionSystemMenu, ItemsDrawWithTheSkinsMenuColoursAndGlyphs) {
    skinData->Colours[scMenu] = 0x203040;
    skinData->Colours[scHilight] = 0x804020;
    ASSERT_TRUE(RightClickCaption());
    auto items = ItemsById();
    ui::Bitmap picture(200, 22);
    const RECT rect{0, 0, 200, 22};
    items[SC_MOVE]->DrawItem(picture.GetCanvas(), rect, false);
    EXPECT_EQ(picture.PixelAt(198, 1), ui::Color(0x203040));
    items[SC_MOVE]->DrawItem(picture.GetCanvas(), rect, true);
    EXPECT_EQ(picture.PixelAt(198, 1), ui::Color(0x804020));

    ASSERT_NE(skinData->MenuGlyphs(), nullptr);
    // The close item shows a glyph in its glyph column; the move item none.
    picture.Fill(ui::clWhite);
    items[SC_MOVE]->DrawItem(picture.GetCanvas(), rect, false);
    auto glyphPixels = [&picture] {
        int differing = 0;
        for (int y = 3; y < 19; ++y) {
            for (int x = 3; x < 19; ++x) {
                differing += picture.PixelAt(x, y) != ui::Color(0x203040) ? 1 : 0;
            }
        }
        return differing;
    };
    EXPECT_EQ(glyphPixels(), 0);
    items[SC_CLOSE]->DrawItem(picture.GetCanvas(), rect, false);
    EXPECT_GT(glyphPixels(), 10);
}

TEST_F(CaptionSystemMenu, SecondRightClickWithinTheDoubleClickTimeClosesTheWindow) {
    TWinSysButton& close = Add(ButtonData(0, 1, 40, 4));
    Layout();
    probe.NcMouse(WM_NCMOUSEMOVE, HTCAPTION, Centre(close.FBounds));
    ASSERT_NE(painter->Buttons().Hot(), nullptr);
    probe.DoubleClickTime() = 5000;  // a slow machine must not turn this into two openings
    const int ticksBefore = MenuCloser::ticks;
    ASSERT_TRUE(RightClickCaption());
    EXPECT_GT(MenuCloser::ticks, ticksBefore);  // the first click opened the menu
    window.TakeAllPosted();
    ASSERT_TRUE(probe.NcMouse(WM_NCRBUTTONDOWN, HTCAPTION, POINT{150, 10}));
    MSG m{};
    EXPECT_TRUE(window.TakePosted(WM_CLOSE, m));
}

TEST_F(CaptionSystemMenu, SecondRightClickWithoutAHotButtonDoesNothing) {
    probe.DoubleClickTime() = 5000;
    ASSERT_TRUE(RightClickCaption());
    window.TakeAllPosted();
    const int ticksBefore = MenuCloser::ticks;
    ASSERT_TRUE(probe.NcMouse(WM_NCRBUTTONDOWN, HTCAPTION, POINT{150, 10}));
    EXPECT_EQ(MenuCloser::ticks, ticksBefore);  // no second menu opened
    MSG m{};
    EXPECT_FALSE(window.TakePosted(WM_CLOSE, m));
}

// The popup takes the foreground for its own window while it is open.
TEST_F(CaptionSystemMenu, WindowIsForegroundAgainAfterItsMenuCloses) {
    SetForegroundWindow(window.get());
    ASSERT_EQ(GetForegroundWindow(), window.get());
    ASSERT_TRUE(RightClickCaption());
    EXPECT_EQ(GetForegroundWindow(), window.get());
}

TEST_F(CaptionSystemMenu, OnlyTheCaptionOfAWindowThatIsNoMdiChildOpensIt) {
    EXPECT_FALSE(probe.NcMouse(WM_NCRBUTTONDOWN, HTLEFT, POINT{150, 10}));
    probe.MdiKind() = MdiKind::Child;
    EXPECT_FALSE(probe.NcMouse(WM_NCRBUTTONDOWN, HTCAPTION, POINT{150, 10}));
    EXPECT_EQ(probe.SystemMenuPopup(), nullptr);
}

TEST_F(CaptionSystemMenu, IconButtonOpensItAtTheClickPoint) {
    TWinSysButton& icon = Add(ButtonData(12, 0, 2, 2, 1));
    Layout();
    {
        MenuCloser closer;
        probe.NcMouse(WM_NCLBUTTONDOWN, HTCAPTION, Centre(icon.FBounds));
        probe.NcMouse(WM_NCLBUTTONUP, HTCAPTION, Centre(icon.FBounds));
    }
    EXPECT_NE(probe.SystemMenuPopup(), nullptr);
}

} // namespace
