#pragma once
// Window tests of the skinned menus: a test skin whose menu pictures are
// solid distinct colours (so a pixel tells which cell was drawn), a window
// with a real menu bar, and a driver that acts from a timer while a menu's
// modal loop runs.

#include "skin/forms/MenuLoop.h"
#include "skin/forms/WinSkinMenu.h"
#include "tests/skin/forms/FrameSkinFixture.h"
#include "tests/support/Pump.h"
#include "ui/Form.h"
#include "ui/Menus.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace menutest {

using formtest::Rgb;

// The five cells of the MenuItem strip: normal, separator, disabled,
// selected, selected and disabled.
inline constexpr Rgb kItemCells[5] = {{0, 128, 255}, {255, 128, 0}, {128, 0, 128}, {0, 200, 100}, {90, 90, 90}};
inline constexpr Rgb kMenuFace{250, 220, 120};
inline constexpr Rgb kBarActive{60, 160, 60};
inline constexpr Rgb kBarInactive{30, 80, 30};
inline constexpr Rgb kMenuColour{200, 210, 220};
inline constexpr Rgb kMenuText{10, 20, 30};
inline constexpr Rgb kShadow{140, 141, 142};
inline constexpr Rgb kHilightText{250, 250, 5};
inline constexpr Rgb kBarHilight{255, 0, 0};
inline constexpr int kCellWidth = 24;
inline constexpr int kCellHeight = 20;

struct MenuSkinOptions {
    bool menuItem = true;
    bool menuBackground = true;
    bool menuBar = false;
    int tileLeftMenu = 1;
    int itemMargin = 0;  // MenuItem LeftWidth
};

inline formtest::FrameSkinPieces MenuSkinPieces(const MenuSkinOptions& o = {}) {
    formtest::FrameSkinPieces pieces;
    pieces.colours = "Menu=200 210 220\nMenuText=10 20 30\nButtonShadow=140 141 142\nHilightText=250 250 5\n"
                     "Hilight=1 2 3\nMenubar=77 78 79\nMenuBarText=5 6 7\nButtonHilight=255 0 0\n";
    if (o.menuItem) {
        pieces.pictures["menuitem.bmp"] = skintest::Bmp24(kCellWidth * 5, kCellHeight, [](int x, int) {
            return kItemCells[std::min(x / kCellWidth, 4)];
        });
        pieces.sections += "[MenuItem]\nImage=menuitem.bmp\nFrame=5\nLeftWidth=" + std::to_string(o.itemMargin) +
                           "\nTrans=0\nTile=0\n";
    }
    if (o.menuBackground) {
        pieces.pictures["menubg.bmp"] = skintest::Bmp24(16, 16, [](int, int) { return kMenuFace; });
        pieces.sections += "[MenuBackground]\nImage=menubg.bmp\nFrame=1\nLeftWidth=3\nRightWidth=3\n"
                           "TopHeight=3\nBottomHeight=3\n";
    }
    if (o.menuBar) {
        pieces.pictures["menubar.bmp"] =
            skintest::Bmp24(40, 40, [](int, int y) { return y < 20 ? kBarActive : kBarInactive; });
        pieces.personality += "menuBar=menubar.bmp\nTileMenu=0\nTileLeftMenu=" + std::to_string(o.tileLeftMenu) +
                              "\nTileRightMenu=1\n";
    }
    return pieces;
}

inline std::unique_ptr<skintest::SkinUnderTest> LoadMenuSkin(const MenuSkinOptions& o = {}) {
    return formtest::LoadFrameSkin(MenuSkinPieces(o));
}

// A native menu bar: "&File" (Open, a separator, Quit), "&Edit" (Copy,
// Paste greyed), "&Help" without drop-down, and "&View" (Zoom).
struct NativeMenuBar {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU edit = CreatePopupMenu();
    HMENU view = CreatePopupMenu();
    NativeMenuBar() {
        AppendMenuW(file, MF_STRING, 4101, L"&Open");
        AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(file, MF_STRING, 4102, L"&Quit");
        AppendMenuW(edit, MF_STRING, 4201, L"&Copy");
        AppendMenuW(edit, MF_STRING | MF_GRAYED, 4202, L"&Paste");
        AppendMenuW(view, MF_STRING, 4401, L"&Zoom");
        AppendMenuW(bar, MF_POPUP, UINT_PTR(file), L"&File");
        AppendMenuW(bar, MF_POPUP, UINT_PTR(edit), L"&Edit");
        AppendMenuW(bar, MF_STRING, 4301, L"&Help");
        AppendMenuW(bar, MF_POPUP, UINT_PTR(view), L"&View");
    }
    // The bar with its drop-downs, unless a window destroyed it.
    ~NativeMenuBar() {
        if (IsMenu(bar)) {
            DestroyMenu(bar);
        }
    }
    NativeMenuBar(const NativeMenuBar&) = delete;
    NativeMenuBar& operator=(const NativeMenuBar&) = delete;
};

// What a bare test window saw of its menus.
struct MenuLog {
    std::vector<WPARAM> commands;
    std::vector<std::pair<WPARAM, LPARAM>> selects;
};
inline MenuLog* g_log = nullptr;

inline LRESULT CALLBACK RecordingProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_log != nullptr) {
        if (msg == WM_COMMAND) {
            g_log->commands.push_back(wParam);
        } else if (msg == WM_MENUSELECT) {
            g_log->selects.emplace_back(wParam, lParam);
        }
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

inline const wchar_t* RecordingWindowClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecordingProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.lpszClassName = L"VocaraMenuTestWindow";
        RegisterClassExW(&wc);
        return L"VocaraMenuTestWindow";
    }();
    return name;
}

// A skinned bare window with the native menu bar, recording its menu messages.
struct MenuWindow {
    NativeMenuBar menus;
    MenuLog log;
    formtest::BareWindow window;
    explicit MenuWindow(skin::TSkinData& data, int width = 420, DWORD exStyle = 0) {
        g_log = &log;
        const HWND handle = CreateWindowExW(exStyle, RecordingWindowClass(), L"Menus", WS_OVERLAPPEDWINDOW, 80, 80,
                                            width, 260, nullptr, menus.bar, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(handle, SW_SHOWNORMAL);
        SetForegroundWindow(handle);
        window.handle = handle;
        window.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
        window.painter->SetWindow(handle);
        window.painter->AttachToWindow(data);
        formtest::RunSetup(handle);
        formtest::Settle(handle);
    }
    ~MenuWindow() { g_log = nullptr; }
    HWND Handle() const { return window.handle; }
    skin::TWinSkinForm& Painter() const { return *window.painter; }
    skin::TWinSkinMenu& Bar() const { return *window.painter->MenuBar(); }
    skin::TMenuBtn& Item(int index) const { return *Bar().Items()[size_t(index)]; }
};

// A shown toolkit form with a main menu "&File" (Open) and "&Edit"
// (disabled), its client 300 x 200, not yet skinned.
struct MenuForm {
    ui::Form form{nullptr};
    ui::MainMenu& menu = form.Create<ui::MainMenu>();
    ui::MenuItem& file = form.Create<ui::MenuItem>();
    ui::MenuItem& open = form.Create<ui::MenuItem>();
    ui::MenuItem& edit = form.Create<ui::MenuItem>();
    MenuForm() {
        file.SetCaption(L"&File");
        open.SetCaption(L"&Open");
        file.Add(&open);
        edit.SetCaption(L"&Edit");
        edit.SetEnabled(false);
        menu.Items().Add(&file);
        menu.Items().Add(&edit);
        form.SetMenu(&menu);
        form.SetBounds(60, 60, 200, 150);
        form.SetClientSize(300, 200);
        form.Show();
    }
    // Attaches a painter, as the manager would, and runs its set-up.
    skin::TWinSkinForm& Skin(skin::TSkinData& data) {
        auto& painter = form.Create<skin::TWinSkinForm>();
        painter.SetWindow(form.Handle());
        painter.AttachToForm(data, form);
        formtest::RunSetup(form.Handle());
        formtest::Settle(form.Handle());
        return painter;
    }
};

// The visible popup-menu windows of this thread, topmost first.
inline std::vector<HWND> VisibleMenuWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, int(std::size(name)));
            if (std::wcscmp(name, L"#32768") == 0 && IsWindowVisible(window)) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The menu shown in the only visible popup window, or none.
inline HMENU OpenMenu() {
    const std::vector<HWND> windows = VisibleMenuWindows();
    if (windows.size() != 1) {
        return nullptr;
    }
    return reinterpret_cast<HMENU>(SendMessageW(windows.front(), MN_GETHMENU, 0, 0));
}

inline void PostKey(HWND window, WORD key) {
    const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scan | 1);
    PostMessageW(window, WM_KEYUP, key, scan | 1 | (LPARAM(3) << 30));
}

// A script of steps run from a thread timer, which the menus' modal loops
// dispatch: each step is tried every few milliseconds until it answers
// true, then the next one. Whatever is still open after the deadline is
// closed, so a failing test cannot hang.
class MenuScript {
public:
    explicit MenuScript(std::vector<std::function<bool()>> steps, ULONGLONG deadlineMs = 8000)
        : steps_(std::move(steps)), deadline_(GetTickCount64() + deadlineMs) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 15, &Tick);
    }
    MenuScript(const MenuScript&) = delete;
    MenuScript& operator=(const MenuScript&) = delete;
    ~MenuScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Done() const { return next_ >= steps_.size(); }
    size_t StepsDone() const { return next_; }
    bool TimedOut() const { return timedOut_; }
    // Pumps until every step ran (or the deadline passed).
    bool Run() {
        testsupport::PumpUntil([this] { return Done() || timedOut_; }, 15000);
        return Done();
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuScript* script = current_;
        if (script == nullptr || script->busy_) {
            return;
        }
        script->busy_ = true;
        if (GetTickCount64() > script->deadline_) {
            script->timedOut_ = true;
            EndMenu();
        } else {
            while (!script->Done() && script->steps_[script->next_]()) {
                ++script->next_;
            }
        }
        script->busy_ = false;
    }
    static inline MenuScript* current_ = nullptr;
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    ULONGLONG deadline_;
    UINT_PTR timer_ = 0;
    bool busy_ = false;
    bool timedOut_ = false;
};

// Steps.
inline std::function<bool()> WaitOpen(HMENU menu) {
    return [menu] { return OpenMenu() == menu; };
}
inline std::function<bool()> WaitClosed() {
    return [] { return VisibleMenuWindows().empty(); };
}
inline std::function<bool()> Key(WORD key) {
    return [key] {
        const std::vector<HWND> windows = VisibleMenuWindows();
        PostKey(windows.empty() ? GetFocus() : windows.front(), key);
        return true;
    };
}
inline std::function<bool()> Do(std::function<void()> action) {
    return [action = std::move(action)] {
        action();
        return true;
    };
}

} // namespace menutest
