// The menu bar's drop-downs under real menu loops: opened by the keyboard,
// moved between by the arrow keys, closed every way, and the message-filter
// hook gone each time.

#include "tests/skin/forms/MenuFixture.h"

#include "skin/forms/WinSkinForm.h"
#include "tests/support/GdiObjects.h"
#include "ui/Form.h"
#include "ui/Menus.h"

#include <algorithm>

namespace {

using namespace menutest;

void KeyMenu(HWND window, wchar_t key) { SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(key)); }

bool Commanded(const MenuLog& log, WPARAM command) {
    return std::ranges::find(log.commands, command) != log.commands.end();
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(), [](HWND, LPARAM param) -> BOOL { return ++*reinterpret_cast<int*>(param), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class MenuKeyboard : public ::testing::Test {
protected:
    std::unique_ptr<skintest::SkinUnderTest> skin = LoadMenuSkin();
    std::unique_ptr<MenuWindow> w = std::make_unique<MenuWindow>(*skin->data);

    void ExpectLoopEnded() {
        EXPECT_TRUE(testsupport::PumpUntil([] { return VisibleMenuWindows().empty(); }));
        EXPECT_FALSE(skin::MenuLoopHookInstalled());
        if (IsWindow(w->Handle())) {
            EXPECT_FALSE(w->Painter().InMenuLoop());
        }
    }
};

TEST_F(MenuKeyboard, AltLetterOpensTheDropDownWithThatAccelerator) {
    const struct {
        wchar_t key;
        HMENU menu;
    } cases[] = {{L'f', w->menus.file}, {L'E', w->menus.edit}, {L'v', w->menus.view}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, char(c.key)));
        bool hooked = false;
        MenuScript script({WaitOpen(c.menu), Do([&] { hooked = skin::MenuLoopHookInstalled(); }), Key(VK_ESCAPE),
                           WaitClosed()});
        KeyMenu(w->Handle(), c.key);
        EXPECT_TRUE(script.Run());
        EXPECT_TRUE(hooked);
        ExpectLoopEnded();
    }
}

TEST_F(MenuKeyboard, AltLetterWithoutAnItemOpensNothing) {
    MenuScript script({WaitOpen(w->menus.file)}, 1000);
    KeyMenu(w->Handle(), L'q');
    testsupport::PumpPostedMessages();
    EXPECT_FALSE(script.Done());
    ExpectLoopEnded();
}

TEST_F(MenuKeyboard, AltAloneAndF10OpenTheFirstItem) {
    {
        SCOPED_TRACE("Alt");
        MenuScript script({WaitOpen(w->menus.file), Key(VK_ESCAPE), WaitClosed()});
        KeyMenu(w->Handle(), 0);
        EXPECT_TRUE(script.Run());
        ExpectLoopEnded();
    }
    {
        SCOPED_TRACE("F10");
        MenuScript script({WaitOpen(w->menus.file), Key(VK_ESCAPE), WaitClosed()});
        SetFocus(w->Handle());
        const LPARAM scan = LPARAM(MapVirtualKeyW(VK_F10, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(w->Handle(), WM_SYSKEYDOWN, VK_F10, scan | 1);
        PostMessageW(w->Handle(), WM_SYSKEYUP, VK_F10, scan | 1 | (LPARAM(3) << 30));
        EXPECT_TRUE(script.Run());
        ExpectLoopEnded();
    }
}

TEST_F(MenuKeyboard, ArrowKeysMoveToTheNeighbouringDropDowns) {
    const struct {
        const char* name;
        wchar_t open;
        HMENU from;
        WORD key;
        HMENU to;
    } cases[] = {
        {"right from File to Edit", L'f', w->menus.file, VK_RIGHT, w->menus.edit},
        {"left from File wraps to View", L'f', w->menus.file, VK_LEFT, w->menus.view},
        {"right from View wraps to File", L'v', w->menus.view, VK_RIGHT, w->menus.file},
        {"left from View to Help, which has no drop-down", L'v', w->menus.view, VK_LEFT, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w->log.commands.clear();
        std::vector<std::function<bool()>> steps{WaitOpen(c.from), Key(c.key)};
        if (c.to != nullptr) {
            steps.push_back(WaitOpen(c.to));
            steps.push_back(Key(VK_ESCAPE));
        }
        steps.push_back(WaitClosed());
        MenuScript script(std::move(steps));
        KeyMenu(w->Handle(), c.open);
        EXPECT_TRUE(script.Run());
        if (c.to == nullptr) {
            // Help's own command comes instead.
            EXPECT_TRUE(testsupport::PumpUntil([&] { return Commanded(w->log, 4301); }));
        }
        ExpectLoopEnded();
    }
}

TEST_F(MenuKeyboard, RightToLeftSwapsTheArrowKeys) {
    w.reset();
    w = std::make_unique<MenuWindow>(*skin->data, 420, WS_EX_LEFTSCROLLBAR);
    MenuScript script({WaitOpen(w->menus.file), Key(VK_LEFT), WaitOpen(w->menus.edit), Key(VK_ESCAPE),
                       WaitClosed()});
    KeyMenu(w->Handle(), L'f');
    EXPECT_TRUE(script.Run());
    ExpectLoopEnded();
}

TEST_F(MenuKeyboard, TheHookIsGoneAfterEveryWayADropDownEnds) {
    const struct {
        const char* name;
        std::function<std::vector<std::function<bool()>>(MenuWindow&)> ending;
    } cases[] = {
        {"choice", [](MenuWindow&) { return std::vector<std::function<bool()>>{Key(VK_RETURN)}; }},
        {"escape", [](MenuWindow&) { return std::vector<std::function<bool()>>{Key(VK_ESCAPE)}; }},
        {"end of menu", [](MenuWindow&) { return std::vector<std::function<bool()>>{Do([] { EndMenu(); })}; }},
        {"alt", [](MenuWindow&) {
             return std::vector<std::function<bool()>>{Do([] {
                 const std::vector<HWND> windows = VisibleMenuWindows();
                 const HWND target = windows.empty() ? GetFocus() : windows.front();
                 const LPARAM scan = LPARAM(MapVirtualKeyW(VK_MENU, MAPVK_VK_TO_VSC)) << 16;
                 PostMessageW(target, WM_SYSKEYDOWN, VK_MENU, scan | 1);
                 PostMessageW(target, WM_SYSKEYUP, VK_MENU, scan | 1 | (LPARAM(3) << 30));
             })};
         }},
        {"click outside", [](MenuWindow&) {
             return std::vector<std::function<bool()>>{Do([] {
                 const std::vector<HWND> windows = VisibleMenuWindows();
                 if (!windows.empty()) {
                     // Far from the menu, as the loop sees a click elsewhere.
                     PostMessageW(windows.front(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-300, -300));
                     PostMessageW(windows.front(), WM_LBUTTONUP, 0, MAKELPARAM(-300, -300));
                 }
             })};
         }},
        {"window destroyed", [](MenuWindow& window) {
             return std::vector<std::function<bool()>>{Do([&window] { DestroyWindow(window.Handle()); })};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!IsWindow(w->Handle())) {
            w = std::make_unique<MenuWindow>(*skin->data);
        }
        std::vector<std::function<bool()>> steps{WaitOpen(w->menus.file)};
        for (auto& step : c.ending(*w)) {
            steps.push_back(std::move(step));
        }
        steps.push_back(WaitClosed());
        MenuScript script(std::move(steps));
        KeyMenu(w->Handle(), L'f');
        EXPECT_TRUE(script.Run());
        EXPECT_FALSE(script.TimedOut());
        ExpectLoopEnded();
    }
    EXPECT_FALSE(IsWindow(w->Handle()));
}

TEST_F(MenuKeyboard, ChoosingAnItemSendsItsCommand) {
    MenuScript script({WaitOpen(w->menus.file), Key(VK_RETURN), WaitClosed()});
    KeyMenu(w->Handle(), L'f');
    EXPECT_TRUE(script.Run());
    // The first item is selected on opening.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Commanded(w->log, 4101); }));
    ExpectLoopEnded();
}

TEST_F(MenuKeyboard, ManyOpeningsLeaveNoObjectsBehind) {
    auto cycle = [&] {
        MenuScript script({WaitOpen(w->menus.file), Do([] { EndMenu(); }), WaitClosed()});
        KeyMenu(w->Handle(), L'f');
        script.Run();
    };
    for (int i = 0; i < 20; ++i) {
        cycle();  // caches of the window system and the fonts settle first
    }
    const int gdiBefore = testsupport::LiveGdiObjects();
    const int windowsBefore = ThreadWindows();
    for (int i = 0; i < 500; ++i) {
        cycle();
    }
    ExpectLoopEnded();
    EXPECT_LE(testsupport::LiveGdiObjects(), gdiBefore + 2);
    EXPECT_EQ(ThreadWindows(), windowsBefore);
}

} // namespace

namespace {

using namespace menutest;

TEST_F(MenuKeyboard, OpenMenuAtOpensTheItemUnderAScreenPoint) {
    RECT window{};
    GetWindowRect(w->Handle(), &window);
    const RECT& edit = w->Item(1).FBounds;
    const POINT point{window.left + edit.left + 2, window.top + edit.top + 2};
    MenuScript script({WaitOpen(w->menus.edit), Key(VK_ESCAPE), WaitClosed()});
    EXPECT_EQ(SendMessageW(w->Handle(), skin::SKM_OPENMENUAT, 0, MAKELPARAM(point.x, point.y)), 0);
    EXPECT_TRUE(script.Run());
    ExpectLoopEnded();
}

// Alt+letter through the toolkit: the form's dialog character asks for the
// item's drop-down with a posted button-down on it, only with Alt alone held.
TEST(MenuDialogChar, AltLetterRequestsTheItemOfAToolkitForm) {
    auto skin = LoadMenuSkin();
    MenuForm f;
    ui::Form& form = f.form;
    skin::TWinSkinForm& painter = f.Skin(*skin->data);
    ASSERT_NE(painter.MenuBar(), nullptr);

    BYTE keys[256]{};
    GetKeyboardState(keys);
    const BYTE savedAlt = keys[VK_MENU];
    const struct {
        const char* name;
        bool alt;
        wchar_t key;
        bool requested;
    } cases[] = {{"alt f", true, L'f', true}, {"f alone", false, L'f', false}, {"alt q", true, L'q', false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        keys[VK_MENU] = c.alt ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG drained{};
        while (PeekMessageW(&drained, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {
        }
        const LRESULT result = form.Perform(ui::CM_DIALOGCHAR, c.key, 0);
        MSG posted{};
        const bool found = PeekMessageW(&posted, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != 0;
        EXPECT_EQ(found, c.requested);
        EXPECT_EQ(result != 0, c.requested);
        if (found) {
            RECT window{};
            GetWindowRect(form.Handle(), &window);
            const RECT& bounds = painter.MenuBar()->Items()[0]->FBounds;
            EXPECT_EQ(short(LOWORD(posted.lParam)), window.left + bounds.left + 1);
            EXPECT_EQ(short(HIWORD(posted.lParam)), window.top + bounds.top + 1);
        }
    }
    keys[VK_MENU] = savedAlt;
    SetKeyboardState(keys);
}

} // namespace
