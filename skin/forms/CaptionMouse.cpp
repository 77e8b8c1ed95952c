// The non-client mouse: caption buttons react to the mouse, run their
// actions on release, show a hint after the mouse rests, and the system
// commands keep the painter's idea of the window state.
#include "skin/forms/WinSkinForm.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FormPainterHost.h"
#include "ui/Application.h"
#include "ui/Timer.h"

#include <algorithm>

namespace skin {
namespace {

constexpr int kHintBelowCursor = 24;
constexpr unsigned kDefaultHoverInterval = 250;

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

struct HintRule {
    int32_t action;
    const wchar_t* text;
};
constexpr HintRule kHints[] = {
    {0, L"Close"},    {9, L"Close"},    {62, L"Close"},    {1, L"Maximize"}, {22, L"Maximize"},
    {2, L"Minimize"}, {7, L"Minimize"}, {23, L"Minimize"}, {60, L"Minimize"}, {8, L"Restore"},
    {61, L"Restore"},
};

POINT PointOf(LPARAM lParam) { return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}; }

} // namespace

std::wstring TWinSkinForm::HintText(int32_t action) {
    for (const HintRule& rule : kHints) {
        if (rule.action == action) {
            return rule.text;
        }
    }
    return {};
}

// --- mouse messages ----------------------------------------------------------

bool TWinSkinForm::NcMouse(UINT msg, WPARAM& wParam, LPARAM lParam) {
    const POINT p = ToFrameCoordinates(lParam);
    // The skinned menu bar's items would be looked up here when no button is
    // under the point; there is no menu bar painter yet.
    TNCObject* object = ButtonAt(p);

    switch (msg) {
    case WM_NCMOUSEMOVE:
        if (FActive == 0) {
            return true;  // an inactive window's caption does not light up
        }
        if (object != nullptr) {
            object->MouseEnter();
            return true;
        }
        if (FHotObject != nullptr) {
            FHotObject->MouseLeave();
            FHotObject = nullptr;
        }
        return false;

    case WM_NCLBUTTONDOWN:
        HideHint();
        if (object != nullptr) {
            if (FActive == 0) {
                SetForegroundWindow(FHandle);
            }
            object->MouseDown();
            return true;
        }
        // A maximised window is not moved by its caption.
        if (FWindowState == WindowState::Maximised && FActive != 0 && wParam == HTCAPTION) {
            wParam = HTMENU;
        }
        return false;

    case WM_NCLBUTTONUP:
        HideHint();
        if (object == nullptr) {
            return false;
        }
        // Only the button pressed here acts: one that merely lit up while the
        // mouse moved over it with the button held is hot, not pressed.
        if (object->IsCaptionButton() && object == FHotObject && object->FMouseState == MouseState::Pressed) {
            object->MouseUp();
            RunAction(static_cast<TWinSysButton&>(*object), PointOf(lParam));
        }
        return true;

    case WM_NCLBUTTONDBLCLK:
        if (object != nullptr && object->IsCaptionButton()) {
            if (IsWindowIconAction(static_cast<TWinSysButton&>(*object).FData.Action)) {
                if (FTimer != nullptr) {
                    FTimer->SetEnabled(false);
                }
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
        HideHint();
        if (wParam == HTCAPTION && FMdiKind != MdiKind::Child) {
            ShowSystemMenu(PointOf(lParam));
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
            if (FTimer != nullptr) {
                FTimer->SetEnabled(false);
            }
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
        ShowSystemMenu(POINT{screenPoint.x + 1, screenPoint.y + 1});
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
    FHotObject = nullptr;
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

// --- hover and hints ---------------------------------------------------------

void TWinSkinForm::HoverTimerTick() {
    if (FMenuLoop != 0 || FHandle == nullptr) {
        return;
    }
    if (FHotObject == nullptr) {
        // A full frame paint forgets the hot button without a MouseLeave; its
        // hint would otherwise stay on screen.
        if (FSkinData != nullptr && FSkinData->HintShowing()) {
            ResetHint();
        }
        return;
    }
    POINT cursor{};
    if (!GetCursorPos(&cursor)) {
        return;
    }
    const POINT p = ToFrameCoordinates(cursor.x, cursor.y);
    TNCObject* hot = FHotObject;
    if (!PtInRect(&hot->FBounds, p)) {
        // The object may have been freed with the buttons of an older skin.
        const bool live = std::any_of(FButtons.begin(), FButtons.end(),
                                      [hot](const std::unique_ptr<TNCObject>& b) { return b.get() == hot; });
        if (live) {
            hot->MouseLeave();
        }
        FHotObject = nullptr;
        ResetHint();
        return;
    }
    if (!hot->IsCaptionButton() || FSkinData == nullptr) {
        return;
    }
    const unsigned interval = FTimer != nullptr && FTimer->Interval() > 0 ? FTimer->Interval() : kDefaultHoverInterval;
    FSkinData->hintTime += interval;
    const int64_t pause = int64_t(ui::App().hintPause);
    const int64_t hidePause = int64_t(ui::App().hintHidePause);
    const int64_t rested = FSkinData->hintTime;
    if (rested >= 2 * pause) {
        if (rested < 2 * pause + hidePause) {
            ShowHint();
        } else {
            HideHint();
        }
    }
}

void TWinSkinForm::ShowHint() {
    if (FHotObject == nullptr || !FHotObject->IsCaptionButton() || FSkinData == nullptr) {
        return;
    }
    GetWindowRect(FHandle, &FWindowRect);
    const std::wstring text = HintText(static_cast<TWinSysButton&>(*FHotObject).FData.Action);
    if (text.empty()) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const int x = FHotObject->FBounds.left + FWindowRect.left;
    const int y = cursor.y + kHintBelowCursor;
    FSkinData->ShowCaptionHint(RECT{x, y, x, y}, text);
}

void TWinSkinForm::HideHint() {
    if (FSkinData != nullptr) {
        FSkinData->HideCaptionHint();
    }
}

void TWinSkinForm::ResetHint() {
    if (FSkinData != nullptr) {
        FSkinData->hintTime = 0;
    }
    HideHint();
}

} // namespace skin
