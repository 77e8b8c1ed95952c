// Opening the drop-downs of a skinned menu bar, the menu loop that moves
// between them, and the keyboard's way to them (Alt, F10, Alt+letter, the
// toolkit's dialog characters).
#include "skin/forms/MenuLoop.h"

#include "skin/data/SkinData.h"
#include "skin/forms/FormPainterHost.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinMenu.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Menus.h"

namespace skin {
namespace {

constexpr UINT kDropDownFlags = TPM_RIGHTBUTTON | TPM_NONOTIFY;
constexpr UINT kItemTypeMask = MIIM_FTYPE | MIIM_SUBMENU;

// Every entry of the drop-down and of its submenus becomes owner-drawn.
void MakeOwnerDrawn(HMENU menu, int depth = 0) {
    if (menu == nullptr || depth > 16) {
        return;
    }
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = kItemTypeMask;
        if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &info)) {
            continue;
        }
        if ((info.fType & MFT_OWNERDRAW) == 0) {
            MENUITEMINFOW change{};
            change.cbSize = sizeof(change);
            change.fMask = MIIM_FTYPE;
            change.fType = info.fType | MFT_OWNERDRAW;
            SetMenuItemInfoW(menu, UINT(position), TRUE, &change);
        }
        MakeOwnerDrawn(info.hSubMenu, depth + 1);
    }
}

// The menu-bar item the keys or the mouse asked for: the one to open
// instead of the open one, or none.
TMenuBtn* ChosenItem(MenuLoopState& loop, TWinSkinForm& form, const MSG& message) {
    TWinSkinMenu* bar = form.MenuBar();
    if (bar == nullptr || bar->Items().empty()) {
        return nullptr;
    }
    const auto& items = bar->Items();
    const int count = int(items.size());
    ui::MenuItem* current = loop.current.get();
    switch (message.message) {
    case WM_KEYDOWN:
        switch (message.wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
            loop.switching = false;
            return nullptr;
        case VK_LEFT: {
            if (current != nullptr) {
                const ui::MenuItem* parent = current->Parent();
                const HMENU parentMenu = parent != nullptr ? parent->HandleIfAllocated() : nullptr;
                // The key closes a nested submenu as usual.
                if (parentMenu != form.OpenSubMenu() && current->HandleIfAllocated() != form.OpenSubMenu()) {
                    return nullptr;
                }
            }
            const int index = loop.openIndex - 1;
            return items[size_t(index < 0 ? count - 1 : index)].get();
        }
        case VK_RIGHT: {
            // The key opens the current item's submenu.
            if (current != nullptr && current->Count() > 0) {
                return nullptr;
            }
            const int index = loop.openIndex + 1;
            return items[size_t(index >= count ? 0 : index)].get();
        }
        default:
            return nullptr;
        }
    case WM_MOUSEMOVE: {
        if (message.pt.x == loop.lastMouse.x && message.pt.y == loop.lastMouse.y) {
            return nullptr;
        }
        loop.lastMouse = message.pt;
        return bar->ItemAt(form.ToFrameCoordinates(message.pt.x, message.pt.y));
    }
    default:
        return nullptr;
    }
}

LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    MenuLoopState& loop = TheMenuLoop();
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (message != nullptr && (message->message == WM_KEYDOWN || message->message == WM_KEYUP)) {
        const ui::MenuItem* current = loop.current.get();
        const ui::Menu* menu = current != nullptr ? current->GetParentMenu() : nullptr;
        const TWinSkinForm* form = loop.form.get();
        const TWinSkinMenu* bar = form != nullptr ? form->MenuBar() : nullptr;
        // A mirrored bar: the key towards the next item points the other way.
        if ((menu != nullptr && menu->IsRightToLeft()) || (bar != nullptr && bar->RightToLeft())) {
            if (message->wParam == VK_LEFT) {
                message->wParam = VK_RIGHT;
            } else if (message->wParam == VK_RIGHT) {
                message->wParam = VK_LEFT;
            }
        }
    }
    const LRESULT next = CallNextHookEx(loop.hook.get(), code, wParam, lParam);
    if (next != 0 || code != MSGF_MENU || message == nullptr) {
        return next;
    }
    TWinSkinForm* form = loop.form.get();
    if (form == nullptr) {
        return 0;
    }
    try {
        if (!loop.firstKey) {
            loop.firstKey = true;
            // The drop-down opens with its first item selected.
            PostMessageW(message->hwnd, WM_KEYDOWN, VK_DOWN, 0);
        }
        if (message->message == WM_SYSKEYDOWN && message->wParam == VK_MENU) {
            form->MenuLoopEnded();
            return 0;
        }
        TMenuBtn* chosen = ChosenItem(loop, *form, *message);
        if (chosen == nullptr || chosen->FIndex == loop.openIndex) {
            return 0;
        }
        loop.switching = true;
        // The drop-down closes first; the posted button-down then opens the
        // chosen one once TrackPopupMenu has returned.
        EndMenu();
        form->RequestMenuItem(*chosen);
        return message->message == WM_KEYDOWN ? 1 : 0;
    } catch (...) {
        return 0;  // nothing may leave a hook
    }
}

} // namespace

MenuLoopState& TheMenuLoop() {
    static MenuLoopState state;
    return state;
}

bool MenuLoopHookInstalled() { return static_cast<bool>(TheMenuLoop().hook); }

MenuLoopScope::MenuLoopScope(TWinSkinForm& form, int openIndex) {
    MenuLoopState& loop = TheMenuLoop();
    loop.form = ui::Ref<TWinSkinForm>(&form);
    loop.openIndex = openIndex;
    loop.switching = false;
    loop.firstKey = false;
    GetCursorPos(&loop.lastMouse);
    if (!loop.hook) {
        loop.hook.reset(SetWindowsHookExW(WH_MSGFILTER, &MessageFilter, nullptr, GetCurrentThreadId()));
    }
}

MenuLoopScope::~MenuLoopScope() {
    MenuLoopState& loop = TheMenuLoop();
    loop.hook.reset();
    loop.current.reset();
    loop.openIndex = -1;
    loop.firstKey = false;
}

// ---------------------------------------------------------------- the form painter's side

bool TWinSkinForm::OpenMenuItem(TMenuBtn* item) {
    // One drop-down at a time: a request that arrives while one is tracked
    // is dropped (a neighbour is opened by a request posted after the end).
    if (item == nullptr || MenuLoopHookInstalled()) {
        return false;
    }
    PostMessageW(FHandle, WM_COMMAND, WPARAM(item->FCommand), 0);
    if (item->FSubMenu == nullptr || !IsMenu(item->FSubMenu)) {
        return false;
    }
    GetWindowRect(FHandle, &FWindowRect);
    MakeOwnerDrawn(item->FSubMenu);
    FMenuLoop = 1;
    const int x = (FRightToLeft ? item->FBounds.right : item->FBounds.left) + FWindowRect.left;
    const int y = item->FBounds.bottom + FWindowRect.top;
    if (FormPainterHost* host = PainterHost()) {
        host->SetPopupMode(PopupMode::MenuBarDropDown);
    }
    FOpenSubMenu = item->FSubMenu;
    const ui::Ref<TWinSkinForm> alive(this);
    {
        const MenuLoopScope loop(*this, item->FIndex);
        if (item->FItemEnabled != 0) {
            TrackPopupMenu(item->FSubMenu, kDropDownFlags | (FRightToLeft ? TPM_RIGHTALIGN : 0u), x, y, 0, FHandle,
                           nullptr);
        }
    }
    // The window, and this painter with it, may have gone meanwhile.
    if (alive.get() != nullptr) {
        FMenuLoop = 0;
    }
    return true;
}

void TWinSkinForm::RequestMenuItem(TMenuBtn& item) {
    GetWindowRect(FHandle, &FWindowRect);
    const int x = item.FBounds.left + FWindowRect.left + 1;
    const int y = item.FBounds.top + FWindowRect.top + 1;
    PostMessageW(FHandle, WM_NCLBUTTONDOWN, 1, MAKELPARAM(WORD(x), WORD(y)));
}

TMenuBtn* TWinSkinForm::AcceleratorItem(wchar_t key) const {
    if (FMenuBar == nullptr) {
        return nullptr;
    }
    for (const auto& item : FMenuBar->Items()) {
        if (item->FVisible != 0 && item->FItemEnabled != 0 && ui::IsAccel(key, item->FCaption)) {
            return item.get();
        }
    }
    return nullptr;
}

void TWinSkinForm::MenuLoopEnded() { FMenuLoop = 0; }

void TWinSkinForm::MenuSelected(WPARAM wParam, LPARAM lParam) {
    MenuLoopState& loop = TheMenuLoop();
    if (loop.form.get() != this) {
        return;
    }
    const auto menu = reinterpret_cast<HMENU>(lParam);
    if (HIWORD(wParam) == 0xFFFF && menu == nullptr) {
        if (!loop.switching) {
            FMenuLoop = 0;
        }
        return;
    }
    loop.switching = false;
    ui::MainMenu* own = FMenuBar != nullptr ? FMenuBar->Menu() : nullptr;
    if (own == nullptr) {
        loop.current.reset();
        return;
    }
    ui::MenuItem* item = nullptr;
    if ((HIWORD(wParam) & MF_POPUP) != 0) {
        const HMENU submenu = menu != nullptr ? GetSubMenu(menu, LOWORD(wParam)) : nullptr;
        item = submenu != nullptr ? own->FindItem(UINT_PTR(submenu), ui::FindKind::Handle) : nullptr;
    } else {
        item = own->FindItem(LOWORD(wParam), ui::FindKind::Command);
    }
    loop.current = ui::Ref<ui::MenuItem>(item);
}

bool TWinSkinForm::MenuSystemCommand(WPARAM wParam, LPARAM lParam) {
    if (FMenuLoop != 0 || (wParam & 0xFFF0) != SC_KEYMENU) {
        return false;
    }
    const auto key = wchar_t(LOWORD(lParam));
    if (key == L' ') {
        POINT origin{0, 0};
        ClientToScreen(FHandle, &origin);
        FSystemMenuPopup.Show(origin);
        return false;  // the message goes on
    }
    if (key == L'-' || GetCapture() != nullptr) {
        return false;
    }
    const bool hasBar = FMenuBar != nullptr && !FMenuBar->Items().empty();
    TMenuBtn* item = (key != 0 || !hasBar) ? AcceleratorItem(key) : FMenuBar->Items().front().get();
    if (key != 0 && item == nullptr) {
        return false;
    }
    OpenMenuItem(item);
    return true;
}

void TWinSkinForm::MenuDialogChar(ui::Message& message) {
    CallFormHandler(message);
    if (message.result != 0) {
        return;
    }
    const ui::ShiftState shift = ui::KeyboardShiftState() & (ui::ssShift | ui::ssCtrl | ui::ssAlt);
    if (TMenuBtn* item = AcceleratorItem(wchar_t(message.wParam)); item != nullptr && shift == ui::ssAlt) {
        RequestMenuItem(*item);
        message.result = 1;
        return;
    }
    ui::Form* mainForm = ui::App().MainForm();
    if (FFormControl != nullptr && !IsMdiChild() && mainForm != nullptr && mainForm != FFormControl &&
        !FFormControl->Modal()) {
        if (mainForm->Perform(ui::CM_DIALOGCHAR, message.wParam, message.lParam) != 0) {
            message.result = 1;
            return;
        }
    }
    message.result = 0;
}

void TWinSkinForm::OpenMenuAt(LPARAM screenPoint) {
    const POINT p = ToFrameCoordinates(screenPoint);
    if (FCaptionButtons.At(p) != nullptr || FMenuBar == nullptr) {
        return;
    }
    OpenMenuItem(FMenuBar->ItemAt(p));
}

} // namespace skin
