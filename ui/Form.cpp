#include "ui/Form.h"

#include "ui/Application.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/StartupTrace.h"

#include <vector>

namespace ui {
namespace {

const ClassInfo kScrollingWinControl{"TScrollingWinControl", &WinControl::kClass};

const PropertyInfo kCustomFormProperties[] = {BoolFieldProperty<Form, &Form::autoScroll>("AutoScroll")};

const ClassInfo kCustomForm{"TCustomForm", &kScrollingWinControl, kCustomFormProperties};

// The enabled, visible top-level windows of this thread other than the modal
// form: they are disabled while it runs and enabled again afterwards.
std::vector<HWND> DisableThreadWindows(HWND modal) {
    struct Search {
        HWND modal;
        std::vector<HWND> disabled;
    } search{modal, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (window != s.modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
                s.disabled.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.disabled) {
        EnableWindow(window, FALSE);
    }
    return search.disabled;
}

void EnableWindows(const std::vector<HWND>& windows) {
    for (HWND window : windows) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
}

} // namespace

const ClassInfo Form::kClass{"TForm", &kCustomForm};

Form::Form(Component* owner) : WinControl(owner) {
    visible_ = false;
    Screen::AddForm(this);
}

Form::~Form() {
    MarkDestroying();
    if (App().MainForm() == this) {
        App().SetMainForm(nullptr);
    }
    // Children first, while the form is still a form, then the window.
    while (!controls_.empty()) {
        delete controls_.back();
    }
    // The menu bar belongs to its MainMenu: the window must not take it along.
    if (HandleAllocated()) {
        ::SetMenu(HandleIfAllocated(), nullptr);
    }
    DestroyHandle();
    Screen::RemoveForm(this);
}

void Form::DoCreate() {
    if (OnCreate && !destroying_) {
        OnCreate(*this);
    }
}

MainMenu* Form::Menu() const { return static_cast<MainMenu*>(menu_.get()); }

void Form::SetMenu(MainMenu* menu) {
    menu_ = menu;
    if (HandleAllocated()) {
        ::SetMenu(HandleIfAllocated(), menu != nullptr ? menu->Handle() : nullptr);
        DrawMenuBar(HandleIfAllocated());
    }
}

void Form::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.exStyle = 0;
    switch (borderStyle) {
    case BorderStyle::None:
        params.style |= WS_POPUP;
        break;
    case BorderStyle::Sizeable:
        params.style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case BorderStyle::Dialog:
        params.style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        params.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case BorderStyle::ToolWindow:
        params.style |= WS_CAPTION;
        params.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case BorderStyle::SizeToolWindow:
        params.style |= WS_CAPTION | WS_THICKFRAME;
        params.exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle != BorderStyle::None && (borderIcons & biSystemMenu)) {
        params.style |= WS_SYSMENU;
        // Dialog and tool-window frames carry no minimise or maximise box.
        if (borderStyle == BorderStyle::Sizeable) {
            if (borderIcons & biMinimize) params.style |= WS_MINIMIZEBOX;
            if (borderIcons & biMaximize) params.style |= WS_MAXIMIZEBOX;
        }
    }
    if (!enabled_) params.style |= WS_DISABLED;
    if (formStyle == FormStyle::StayOnTop) params.exStyle |= WS_EX_TOPMOST;
    params.parent = App().Handle();  // the owner: no taskbar button of its own
}

void Form::HandleCreated() {
    WinControl::HandleCreated();
    if (MainMenu* menu = Menu()) {
        ::SetMenu(HandleIfAllocated(), menu->Handle());
    }
    if (HICON icon = App().Icon()) {
        SendMessageW(HandleIfAllocated(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(HandleIfAllocated(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    // The window may have adjusted the size it was given; keep what it has.
    RECT window{};
    GetWindowRect(HandleIfAllocated(), &window);
    UpdateBounds(window);
}

// The frame around the client area for the form's styles, while there is no
// window to measure.
static RECT FrameInsets(const WindowCreateParams& params, bool hasMenu) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.style, hasMenu ? TRUE : FALSE, params.exStyle);
    return frame;
}

RECT Form::ClientRect() const {
    if (HandleAllocated()) {
        return WinControl::ClientRect();
    }
    WindowCreateParams params;
    const_cast<Form*>(this)->CreateParams(params);
    const RECT frame = FrameInsets(params, Menu() != nullptr);
    return RECT{0, 0, Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top)};
}

void Form::SetClientSize(int width, int height) {
    const RECT client = ClientRect();
    const int frameWidth = Width() - (client.right - client.left);
    const int frameHeight = Height() - (client.bottom - client.top);
    SetBounds(Left(), Top(), width + frameWidth, height + frameHeight);
}

void Form::SetVisible(bool visible) {
    if (visible) {
        HandleNeeded();
        visible_ = true;
        if (!IsWindowVisible(HandleIfAllocated())) {
            if (OnShow && !destroying_) {
                OnShow(*this);
            }
            ShowWindow(HandleIfAllocated(), SW_SHOWNORMAL);
        }
        return;
    }
    visible_ = false;
    if (HandleAllocated() && IsWindowVisible(HandleIfAllocated())) {
        if (OnHide && !destroying_) {
            OnHide(*this);
        }
        ShowWindow(HandleIfAllocated(), SW_HIDE);
    }
}

void Form::VisibleChanged() {}

int Form::ShowModal() {
    if (modal_ || (HandleAllocated() && IsWindowVisible(HandleIfAllocated()))) {
        throw Error(L"Cannot make a visible window modal");
    }
    if (GetCapture() != nullptr) {
        SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
    }
    ReleaseCapture();
    HandleNeeded();
    MarkStartupStep("modal form made");
    const HWND previousActive = GetActiveWindow();
    const std::shared_ptr<Component*> alive = LifetimeCell();
    modal_ = true;
    modalResult_ = mrNone;
    const std::vector<HWND> disabled = DisableThreadWindows(HandleIfAllocated());
    try {
        Show();
        MarkStartupStep("modal form shown");
        SetForegroundWindow(HandleIfAllocated());
        while (*alive != nullptr && modalResult_ == mrNone) {
            App().HandleMessage();
            if (*alive == nullptr) {
                break;
            }
            if (App().Terminated()) {
                modalResult_ = mrCancel;
            } else if (modalResult_ != mrNone) {
                CloseModal();
            }
        }
    } catch (...) {
        EnableWindows(disabled);
        if (*alive != nullptr) {
            modal_ = false;
            Hide();
        }
        throw;
    }
    EnableWindows(disabled);
    if (*alive == nullptr) {
        return mrCancel;
    }
    Hide();
    if (previousActive != nullptr && IsWindow(previousActive) && IsWindowVisible(previousActive)) {
        SetActiveWindow(previousActive);
    }
    modal_ = false;
    return modalResult_;
}

void Form::CloseModal() {
    CloseAction action = CloseAction::None;
    if (CloseQuery()) {
        action = CloseAction::Hide;
        if (OnClose && !destroying_) {
            OnClose(*this, action);
        }
    }
    if (action == CloseAction::None) {
        modalResult_ = mrNone;
    } else if (action == CloseAction::Free) {
        Release();
    }
}

bool Form::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery && !destroying_) {
        OnCloseQuery(*this, canClose);
    }
    return canClose;
}

void Form::Close() {
    if (modal_) {
        if (modalResult_ == mrNone) {
            modalResult_ = mrCancel;
        }
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    CloseAction action = CloseAction::Hide;
    if (OnClose && !destroying_) {
        OnClose(*this, action);
    }
    if (action == CloseAction::None) {
        return;
    }
    if (App().MainForm() == this) {
        App().Terminate();
    } else if (action == CloseAction::Hide) {
        Hide();
    } else if (action == CloseAction::Minimize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Release();
    }
}

void Form::Release() { App().ReleaseLater(this); }

void Form::SetActiveControl(WinControl* control) {
    if (Active() && control != nullptr && control->CanFocus()) {
        ::SetFocus(control->Handle());  // WM_SETFOCUS reports the change
        return;
    }
    activeControl_ = control;
}

void Form::FocusChanged(WinControl* control) {
    WinControl* previous = activeControl_.get();
    if (control == previous) {
        return;
    }
    activeControl_ = control;
    if (previous != nullptr && previous->OnExit && !previous->Destroying()) {
        previous->OnExit(*previous);
    }
    if (control->OnEnter && !control->Destroying()) {
        control->OnEnter(*control);
    }
}

void Form::SelectNext(WinControl* current, bool forward) {
    std::vector<WinControl*> list;
    GetTabOrderList(list);
    const int count = int(list.size());
    if (count == 0) {
        return;
    }
    int index = -1;
    for (int i = 0; i < count; ++i) {
        if (list[size_t(i)] == current) {
            index = i;
        }
    }
    if (index < 0) {
        index = forward ? count - 1 : 0;
    }
    for (int step = 1; step <= count; ++step) {
        const int next = ((index + (forward ? step : -step)) % count + count) % count;
        WinControl* candidate = list[size_t(next)];
        if (candidate->tabStop && candidate->CanFocus()) {
            candidate->SetFocus();
            return;
        }
    }
}

void Form::BringToFront() {
    if (HandleAllocated()) {
        SetWindowPos(HandleIfAllocated(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void Form::ActivationChanged(bool active) {
    active_ = active;
    if (destroying_) {
        return;
    }
    if (active && OnActivate) {
        OnActivate(*this);
    } else if (!active && OnDeactivate) {
        OnDeactivate(*this);
    }
}

bool Form::CanResize(WINDOWPOS& position) {
    if (!OnCanResize || destroying_ || (position.flags & SWP_NOSIZE)) {
        return true;
    }
    int width = position.cx;
    int height = position.cy;
    bool resize = true;
    OnCanResize(*this, width, height, resize);
    if (!resize) {
        position.flags |= SWP_NOSIZE;
        return false;
    }
    position.cx = width;
    position.cy = height;
    return true;
}

void Form::WndProc(Message& message) {
    switch (message.msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_QUERYENDSESSION:
        message.result = CloseQuery() ? TRUE : FALSE;
        return;
    case WM_ACTIVATE: {
        const bool active = LOWORD(message.wParam) != WA_INACTIVE;
        const bool minimized = HIWORD(message.wParam) != 0;
        WinControl* target = nullptr;
        if (active && !minimized) {
            target = activeControl_.get();
            if (target == nullptr || !target->CanFocus() || target->ParentForm() != this) {
                std::vector<WinControl*> list;
                GetTabOrderList(list);
                target = nullptr;
                for (WinControl* candidate : list) {
                    if (candidate->tabStop && candidate->CanFocus()) {
                        target = candidate;
                        break;
                    }
                }
            }
        }
        if (target != nullptr) {
            ::SetFocus(target->Handle());
        } else {
            DefaultHandler(message);
        }
        ActivationChanged(active);
        return;
    }
    case WM_WINDOWPOSCHANGING:
        CanResize(*reinterpret_cast<WINDOWPOS*>(message.lParam));
        DefaultHandler(message);
        return;
    case WM_COMMAND:
        if (message.lParam == 0 && HIWORD(message.wParam) == 0 && DispatchMenuCommand(LOWORD(message.wParam))) {
            return;
        }
        break;
    case WM_INITMENUPOPUP:
        DispatchMenuPopup(reinterpret_cast<HMENU>(message.wParam));
        break;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.lParam);
        if (measure->CtlType == ODT_MENU && DispatchMenuMeasureItem(*measure)) {
            message.result = TRUE;
            return;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
        if (draw->CtlType == ODT_MENU && DispatchMenuDrawItem(*draw)) {
            message.result = TRUE;
            return;
        }
        break;
    }
    case CM_MENUCHANGED:
        if (HandleAllocated()) {
            MainMenu* menu = Menu();
            ::SetMenu(HandleIfAllocated(), menu != nullptr ? menu->Handle() : nullptr);
            DrawMenuBar(HandleIfAllocated());
        }
        return;
    default:
        break;
    }
    WinControl::WndProc(message);
}

} // namespace ui
