// The non-client mouse: caption buttons react to the mouse and run their
// actions on release, and the system commands keep the painter's idea of the
// window state.
#include "skin/forms/WinSkinForm.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FormPainterHost.h"
#include "skin/forms/WinSkinMenu.h"
#include "ui/Application.h"
#include "ui/Timer.h"

#include <algorithm>

namespace skin {
namespace {

// What a caption button's Action does.
enum class ActionKind { Close, Maximise, Minimise, SystemMenu, ContextHelp, MdiMinimise, MdiRestore, MdiClose, User };

struct ActionRule {
    int32_t action;
    ActionKind kind;
};
constexpr ActionRule kActions[] = {
    {0, ActionKind::Close},        {1, ActionKind::Maximise},     {22, ActionKind::Maximise},
    {2, ActionKind::Minimise},     {23, ActionKind::Minimise},    {3, ActionKind::SystemMenu},
    {11, ActionKind::SystemMenu},  {12, ActionKind::SystemMenu},  {4, ActionKind::ContextHelp},
    {7, ActionKind::MdiMinimise},  {60, ActionKind::MdiMinimise}, {8, ActionKind::MdiRestore},
    {61, ActionKind::MdiRestore},  {9, ActionKind::MdiClose},     {62, ActionKind::MdiClose},
};

ActionKind KindOf(int32_t action) {
    for (const ActionRule& rule : kActions) {
        if (rule.action == action) {
            return rule.kind;
        }
    }
    return ActionKind::User;
}

POINT PointOf(LPARAM lParam) { return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}; }

} // namespace

// --- mouse messages ----------------------------------------------------------

bool TWinSkinForm::NcMouse(UINT msg, WPARAM& wParam, LPARAM lParam) {
    const POINT p = ToFrameCoordinates(lParam);
    TNCObject* object = FCaptionButtons.At(p);
    TMenuBtn* menuItem = nullptr;
    if (object == nullptr && FMenuBar != nullptr) {
        menuItem = FMenuBar->ItemAt(p);
        object = menuItem;
    }

    switch (msg) {
    case WM_NCMOUSEMOVE:
        if (FActive == 0) {
            return true;  // an inactive window's caption does not light up
        }
        if (object != nullptr) {
            object->MouseEnter();
            return true;
        }
        if (TNCObject* hot = FCaptionButtons.Hot()) {
            hot->MouseLeave();
            FCaptionButtons.SetHot(nullptr);
        }
        return false;

    case WM_NCLBUTTONDOWN:
        FCaptionButtons.HideHint();
        if (object != nullptr) {
            if (FActive == 0) {
                SetForegroundWindow(FHandle);
            }
            object->MouseDown();
            if (menuItem != nullptr && FMenuLoop == 0) {
                FCaptionButtons.SetHot(menuItem);
                OpenMenuItem(menuItem);
            }
            return true;
        }
        // A maximised window is not moved by its caption.
        if (FWindowState == WindowState::Maximised && FActive != 0 && wParam == HTCAPTION) {
            wParam = HTMENU;
        }
        return false;

    case WM_NCLBUTTONUP:
        FCaptionButtons.HideHint();
        if (object == nullptr) {
            return false;
        }
        // Only the button pressed here acts: one that merely lit up while the
        // mouse moved over it with the button held is hot, not pressed.
        if (object->IsCaptionButton() && object == FCaptionButtons.Hot() && object->FMouseState == MouseState::Pressed) {
            object->MouseUp();
            RunAction(static_cast<TWinSysButton&>(*object), PointOf(lParam));
        }
        return true;

    case WM_NCLBUTTONDBLCLK:
        if (object != nullptr && object->IsCaptionButton()) {
            if (IsWindowIconAction(static_cast<TWinSysButton&>(*object).FData.Action)) {
                FCaptionButtons.StopHover();
                PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return true;
        }
        if (FWindowState == WindowState::Maximised || FWindowState == WindowState::Minimised) {
            RestoreWindow();
            return true;
        }
        if ((FBorderIcons & biMaximizeBox) != 0) {
            MaximiseToggle();
            return true;
        }
        return false;

    case WM_NCRBUTTONDOWN:
        FCaptionButtons.HideHint();
        if (wParam == HTCAPTION && FMdiKind != MdiKind::Child) {
            FSystemMenuPopup.Show(PointOf(lParam));
            return true;
        }
        return false;

    default:
        return false;
    }
}

// --- actions -----------------------------------------------------------------

void TWinSkinForm::RunAction(TWinSysButton& button, POINT screenPoint) {
    const int32_t action = button.FData.Action;
    switch (KindOf(action)) {
    case ActionKind::Close: {
        // Only when the window's system menu still offers closing.
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        if (FSystemMenu != nullptr && GetMenuItemInfoW(FSystemMenu, SC_CLOSE, FALSE, &info)) {
            FCaptionButtons.StopHover();
            PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    }
    case ActionKind::Maximise:
        if (button.FEnabled != 0) {
            MaximiseToggle();
        }
        break;
    case ActionKind::Minimise:
        if (button.FEnabled != 0) {
            MinimiseToggle();
        }
        break;
    case ActionKind::SystemMenu:
        FSystemMenuPopup.Show(POINT{screenPoint.x + 1, screenPoint.y + 1});
        break;
    case ActionKind::ContextHelp:
        PostMessageW(FHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        break;
    case ActionKind::MdiMinimise:
        MdiChildCommand(SC_MINIMIZE);
        break;
    case ActionKind::MdiRestore:
        MdiChildCommand(SC_RESTORE);
        break;
    case ActionKind::MdiClose:
        MdiChildCommand(SC_CLOSE);
        break;
    case ActionKind::User:
        PostMessageW(FHandle, SKM_USERBUTTON, WPARAM(action), 0);
        break;
    }
}

void TWinSkinForm::MaximiseToggle() {
    if (FWindowState == WindowState::Maximised) {
        RestoreWindow();
    } else {
        if (FMdiKind == MdiKind::Child) {
            if (FormPainterHost* host = PainterHost()) {
                host->SetMdiCaptionMode(true);
            }
        }
        FWindowState = WindowState::Maximised;
        PostMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
    FCaptionButtons.SetHot(nullptr);
}

void TWinSkinForm::RestoreWindow() {
    FWindowState = WindowState::Normal;
    PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::MinimiseToggle() {
    if (FWindowState == WindowState::Minimised) {
        RestoreWindow();
        return;
    }
    FWindowState = WindowState::Minimised;
    // The system's own minimised caption needs its system menu style back.
    GiveBackSystemMenuStyle();
    PostMessageW(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::MdiChildCommand(WPARAM command) {
    if (FMdiKind != MdiKind::Parent || FMdiClient == nullptr) {
        return;
    }
    const auto child = HWND(SendMessageW(FMdiClient, WM_MDIGETACTIVE, 0, 0));
    if (child != nullptr) {
        SendMessageW(child, WM_SYSCOMMAND, command, 0);
    }
}

void TWinSkinForm::TrackSystemCommand(WPARAM command) {
    switch (command) {
    case SC_MINIMIZE:
        FWindowState = WindowState::Minimised;
        break;
    case SC_MAXIMIZE:
        FWindowState = WindowState::Maximised;
        break;
    case SC_RESTORE:
        FWindowState = WindowState::Normal;
        if (FMdiKind == MdiKind::Child) {
            FormPainterHost* host = PainterHost();
            if (host != nullptr && host->MdiCaptionMode()) {
                host->SetMdiCaptionMode(false);
            }
        }
        break;
    default:
        break;
    }
}

} // namespace skin
