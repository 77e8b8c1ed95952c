#include "ui/WinControl.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

namespace ui {
namespace {

// Every windowed control alive, so a window property that merely looks like
// ours never yields a pointer we did not make.
std::unordered_set<const WinControl*>& LiveControls() {
    static std::unordered_set<const WinControl*> live;
    return live;
}

// The control whose CreateWindowEx is running: its first messages arrive
// before CreateWindowEx returns the handle.
thread_local WinControl* t_creating = nullptr;

// Our window classes and the procedure each one superclasses.
std::unordered_map<std::wstring, WNDPROC>& ClassBaseProcs() {
    static std::unordered_map<std::wstring, WNDPROC> procs;
    return procs;
}

WNDPROC BaseProcOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    const auto found = ClassBaseProcs().find(name);
    return found != ClassBaseProcs().end() ? found->second : DefWindowProcW;
}

// Deleted again at process end, when the last window is gone.
ATOM PropertyAtom() {
    static const UniqueGlobalAtom atom(WinControl::ControlPropertyName().c_str());
    return atom.get();
}

UINT NextChildId() {
    static UINT id = 100;
    return ++id;
}

} // namespace

const ClassInfo WinControl::kClass{"TWinControl", &Control::kClass};

const std::wstring& WinControl::ControlPropertyName() {
    static const std::wstring name = [] {
        wchar_t text[64] = {};
        swprintf(text, 64, L"ControlOfs%.8llX%.8lX",
                 static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
                 static_cast<unsigned long>(GetCurrentThreadId()));
        return std::wstring(text);
    }();
    return name;
}

WinControl* WinControl::FromHandle(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    auto* control = static_cast<WinControl*>(GetPropW(window, MAKEINTATOM(PropertyAtom())));
    if (control == nullptr || !LiveControls().contains(control) || control->handle_ != window) {
        return nullptr;
    }
    return control;
}

WinControl::WinControl(Component* owner) : Control(owner) { LiveControls().insert(this); }

WinControl::~WinControl() {
    MarkDestroying();
    while (!controls_.empty()) {
        delete controls_.back();
    }
    // Leave the parent while this is still a WinControl: it keeps windowed
    // children in its tab order too.
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
    DestroyHandle();
    LiveControls().erase(this);
}

void WinControl::RecreateWnd() {
    if (handle_ != nullptr) {
        Perform(CM_RECREATEWND, 0, 0);
    }
}

HWND WinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void WinControl::CreateParams(WindowCreateParams& params) {
    params.className = std::wstring(ClassName().begin(), ClassName().end());
    params.caption = caption_;
    params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) params.style |= WS_VISIBLE;
    if (!enabled_) params.style |= WS_DISABLED;
    if (tabStop) params.style |= WS_TABSTOP;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.parent = parent_ != nullptr ? parent_->Handle() : nullptr;
}

void WinControl::HandleNeeded() {
    if (handle_ != nullptr) {
        return;
    }
    if (parent_ != nullptr) {
        parent_->HandleNeeded();  // makes this control's window too
        if (handle_ != nullptr) {
            return;
        }
    }
    WindowCreateParams params;
    CreateParams(params);

    auto& procs = ClassBaseProcs();
    if (!procs.contains(params.className)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        WNDPROC base = DefWindowProcW;
        if (!params.baseClass.empty()) {
            if (!GetClassInfoExW(nullptr, params.baseClass.c_str(), &windowClass)) {
                throw Error(L"No window class " + params.baseClass);
            }
            base = windowClass.lpfnWndProc;
            windowClass.style &= ~UINT(CS_GLOBALCLASS);
        } else {
            windowClass.style = params.classStyle;
            windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        }
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = StaticWndProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = params.className.c_str();
        if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw Error(L"Cannot register the window class " + params.className);
        }
        procs.emplace(params.className, base);
    }
    defaultProc_ = procs.at(params.className);

    const bool child = (params.style & WS_CHILD) != 0;
    t_creating = this;
    HWND window = CreateWindowExW(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style,
                                  params.x, params.y, params.width, params.height, params.parent,
                                  child ? reinterpret_cast<HMENU>(UINT_PTR(NextChildId())) : nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    t_creating = nullptr;
    if (window == nullptr) {
        handle_ = nullptr;
        throw Error(L"Cannot create a window of class " + params.className);
    }
    if (handle_ == nullptr) {
        AttachHandle(window);
    }
    HandleCreated();
}

void WinControl::AttachHandle(HWND window) {
    handle_ = window;
    SetPropW(window, MAKEINTATOM(PropertyAtom()), this);
}

void WinControl::HandleCreated() {
    if (!fontHandle_) {
        fontHandle_ = font_.Create();
    }
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.get()), FALSE);
    EnsureChildHandles();
    AlignControls();
}

void WinControl::EnsureChildHandles() {
    for (Control* control : controls_) {
        if (auto* child = dynamic_cast<WinControl*>(control)) {
            child->HandleNeeded();
        }
    }
}

void WinControl::DestroyHandle() {
    if (handle_ != nullptr) {
        caption_ = Caption();  // what the user typed outlives the window
        DestroyWindow(handle_);  // WM_NCDESTROY clears handle_
        if (handle_ != nullptr) {
            HandleGone();
        }
    }
}

void WinControl::HandleGone() {
    if (handle_ != nullptr) {
        RemovePropW(handle_, MAKEINTATOM(PropertyAtom()));
        handle_ = nullptr;
    }
}

LRESULT CALLBACK WinControl::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    WinControl* control = FromHandle(window);
    if (control == nullptr && t_creating != nullptr) {
        control = std::exchange(t_creating, nullptr);
        control->AttachHandle(window);
    }
    if (control == nullptr) {
        return CallWindowProcW(BaseProcOf(window), window, msg, wParam, lParam);
    }
    // The handler may free the control (or its form); the cell tells.
    const std::shared_ptr<Component*> alive = control->LifetimeCell();
    Message message{msg, wParam, lParam, 0};
    try {
        if (control->WindowProc) {
            control->WindowProc(message);
        } else {
            control->WndProc(message);
        }
    } catch (...) {
        App().HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY) {
        if (*alive != nullptr) {
            control->HandleGone();
        } else {
            RemovePropW(window, MAKEINTATOM(PropertyAtom()));
        }
    }
    return message.result;
}

void WinControl::DefaultHandler(Message& message) {
    if (handle_ == nullptr) {
        message.result = 0;
        return;
    }
    message.result = CallWindowProcW(defaultProc_ != nullptr ? defaultProc_ : DefWindowProcW, handle_, message.msg,
                                     message.wParam, message.lParam);
}

bool WinControl::ReflectToChild(Message& message) {
    HWND child = nullptr;
    switch (message.msg) {
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(message.lParam);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<const NMHDR*>(message.lParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
        child = draw->CtlType == ODT_MENU ? nullptr : draw->hwndItem;
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:  // from a scroll-bar control: lParam is its window
        child = reinterpret_cast<HWND>(message.lParam);
        break;
    default:
        return false;
    }
    if (child == nullptr) {
        return false;
    }
    WinControl* target = FromHandle(child);
    if (target == nullptr || target == this) {
        return false;
    }
    message.result = target->Perform(CN_BASE + message.msg, message.wParam, message.lParam);
    return true;
}

Control* WinControl::GraphicChildAt(POINT point) const {
    // Topmost first: later children are drawn over earlier ones.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* control = *it;
        if (dynamic_cast<GraphicControl*>(control) != nullptr && control->Visible()) {
            const RECT bounds = control->BoundsRect();
            if (PtInRect(&bounds, point)) {
                return control;
            }
        }
    }
    return nullptr;
}

void WinControl::WndProc(Message& message) {
    const bool ownClass = defaultProc_ == DefWindowProcW;
    switch (message.msg) {
    case WM_SETFOCUS:
        DefaultHandler(message);
        if (Form* form = ParentForm(); form != nullptr && form != this) {
            form->FocusChanged(this);
        }
        return;
    case WM_CHAR: {
        auto key = static_cast<wchar_t>(message.wParam);
        if (OnKeyPress && !destroying_) {
            OnKeyPress(*this, key);
        }
        if (key == 0) {
            return;
        }
        message.wParam = key;
        break;
    }
    case WM_KEYDOWN: {
        auto key = static_cast<WORD>(message.wParam);
        if (OnKeyDown && !destroying_) {
            OnKeyDown(*this, key, KeyboardShiftState());
        }
        if (key == 0) {
            return;
        }
        message.wParam = key;
        break;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (ReflectToChild(message)) {
            return;
        }
        break;
    case CM_RECREATEWND:
        if (handle_ != nullptr) {
            DestroyHandle();
            HandleNeeded();
        }
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
        AnswerControlColor(message);
        return;
    case WM_GETFONT:
        if (ownClass) {
            // The system classes keep their font; our own windows answer too.
            message.result = reinterpret_cast<LRESULT>(fontHandle_.get());
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (ownClass) {
            RECT client{};
            GetClientRect(handle_, &client);
            FillRect(reinterpret_cast<HDC>(message.wParam), &client, BackgroundBrush());
            message.result = 1;
            return;
        }
        break;
    case WM_PAINT:
        if (ownClass) {
            PaintDc dc(handle_);
            PaintGraphicChildren(dc.get());
            return;
        }
        DefaultHandler(message);
        if (std::ranges::any_of(controls_, [](Control* c) { return dynamic_cast<GraphicControl*>(c) != nullptr; })) {
            WindowDc dc(handle_);
            PaintGraphicChildren(dc.get());
        }
        return;
    case WM_PRINTCLIENT: {
        const auto dc = reinterpret_cast<HDC>(message.wParam);
        if (ownClass) {
            RECT client{};
            GetClientRect(handle_, &client);
            FillRect(dc, &client, BackgroundBrush());
        } else {
            DefaultHandler(message);
        }
        PaintGraphicChildren(dc);
        return;
    }
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(message.lParam);
        RECT bounds = bounds_;
        if (!(position->flags & SWP_NOMOVE)) {
            OffsetRect(&bounds, position->x - bounds.left, position->y - bounds.top);
        }
        if (!(position->flags & SWP_NOSIZE)) {
            bounds.right = bounds.left + position->cx;
            bounds.bottom = bounds.top + position->cy;
        }
        UpdateBounds(bounds);
        DefaultHandler(message);
        return;
    }
    case WM_SIZE:
        DefaultHandler(message);
        AlignControls();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE: {
        const POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        Control* graphic = GraphicChildAt(point);
        if (message.msg == WM_MOUSEMOVE) {
            HoverGraphicChild(graphic);
        }
        if (graphic != nullptr) {
            // The graphic child handles its own surface: not this control's.
            graphic->Perform(message.msg, message.wParam,
                             MAKELPARAM(point.x - graphic->Left(), point.y - graphic->Top()));
            DefaultHandler(message);
            return;
        }
        if (ownClass) {
            if (message.msg == WM_LBUTTONDOWN) {
                SetCapture(handle_);
            } else if (message.msg == WM_LBUTTONUP && GetCapture() == handle_) {
                ReleaseCapture();
            }
        }
        MouseMessage(message, ownClass);
        DefaultHandler(message);
        return;
    }
    case WM_MOUSELEAVE:
        HoverGraphicChild(nullptr);
        break;
    default:
        break;
    }
    DefaultHandler(message);
}

void WinControl::HoverGraphicChild(Control* graphic) {
    Control* previous = hoveredGraphic_.get();
    if (graphic == previous) {
        return;
    }
    hoveredGraphic_ = graphic;
    if (previous != nullptr && !previous->Destroying()) {
        previous->Perform(CM_MOUSELEAVE, 0, 0);
    }
    if (graphic != nullptr) {
        // The window reports the mouse leaving it, so the child hears of it
        // even when the mouse leaves through the window's edge.
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
        graphic->Perform(CM_MOUSEENTER, 0, 0);
    }
}

HBRUSH WinControl::BackgroundBrush() {
    if (!brush_ || brushColor_ != color_) {
        brush_.reset(CreateSolidBrush(ColorToRgb(color_)));
        brushColor_ = color_;
    }
    return brush_.get();
}

void WinControl::AnswerControlColor(Message& message) {
    const auto dc = reinterpret_cast<HDC>(message.wParam);
    SetTextColor(dc, ColorToRgb(font_.color));
    SetBkColor(dc, ColorToRgb(color_));
    message.result = reinterpret_cast<LRESULT>(BackgroundBrush());
}

void WinControl::PaintGraphicChildren(HDC dc) {
    for (Control* control : controls_) {
        auto* graphic = dynamic_cast<GraphicControl*>(control);
        if (graphic == nullptr || !graphic->Visible()) {
            continue;
        }
        const RECT bounds = graphic->BoundsRect();
        if (!RectVisible(dc, &bounds)) {
            continue;
        }
        SavedDcState saved(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
        graphic->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void WinControl::InsertControl(Control* control) {
    controls_.push_back(control);
    control->ParentFontChanged(font_);
    control->ParentColorChanged(color_);
    if (auto* child = dynamic_cast<WinControl*>(control)) {
        tabList_.push_back(child);
        if (handle_ != nullptr) {
            child->HandleNeeded();
        }
    } else {
        control->Invalidate();
    }
    if (control->GetAlign() != Align::None) {
        AlignControls();
    }
    ControlsChanged();
}

void WinControl::RemoveControl(Control* control) {
    std::erase(controls_, control);
    if (auto* child = dynamic_cast<WinControl*>(control)) {
        std::erase(tabList_, child);
        child->DestroyHandle();
    } else if (handle_ != nullptr) {
        const RECT bounds = control->BoundsRect();
        InvalidateRect(handle_, &bounds, TRUE);
    }
    control->parent_ = nullptr;
    if (!destroying_) {
        if (control->GetAlign() != Align::None) {
            AlignControls();
        }
        ControlsChanged();
    }
}

int WinControl::TabOrder() const {
    if (parent_ == nullptr) {
        return -1;
    }
    const auto& list = parent_->tabList_;
    const auto found = std::ranges::find(list, this);
    return found == list.end() ? -1 : int(found - list.begin());
}

void WinControl::SetTabOrder(int order) {
    if (parent_ == nullptr) {
        return;
    }
    auto& list = parent_->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

void WinControl::GetTabOrderList(std::vector<WinControl*>& list) const {
    for (WinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

bool WinControl::Focused() const { return handle_ != nullptr && GetFocus() == handle_; }

bool WinControl::CanFocus() const {
    for (const Control* control = this; control != nullptr; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled()) {
            return false;
        }
    }
    return true;
}

void WinControl::SetFocus() {
    Form* form = ParentForm();
    if (form != nullptr && form != this && !form->Active()) {
        // Takes effect when the form is activated.
        form->SetActiveControl(this);
        return;
    }
    ::SetFocus(Handle());
}

void WinControl::Invalidate() {
    if (handle_ != nullptr) {
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

void WinControl::Repaint() {
    if (handle_ != nullptr) {
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

RECT WinControl::ClientRect() const {
    RECT client{0, 0, Width(), Height()};
    if (handle_ != nullptr) {
        GetClientRect(handle_, &client);
    }
    return client;
}

std::wstring WinControl::Caption() const {
    if (handle_ == nullptr) {
        return caption_;
    }
    std::wstring text(size_t(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(handle_, text.data(), int(text.size()))));
    return text;
}

void WinControl::ApplyBounds() {
    if (handle_ != nullptr) {
        SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void WinControl::BoundsChanged(const RECT&) { ApplyBounds(); }

void WinControl::VisibleChanged() {
    if (handle_ != nullptr) {
        ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
    }
}

void WinControl::EnabledChanged() {
    if (handle_ != nullptr) {
        EnableWindow(handle_, enabled_ ? TRUE : FALSE);
    }
}

void WinControl::CaptionChanged() {
    if (handle_ != nullptr) {
        SetWindowTextW(handle_, caption_.c_str());
    }
}

void WinControl::ColorChanged() {
    Invalidate();
    for (Control* control : controls_) {
        control->ParentColorChanged(color_);
    }
}

void WinControl::FontChanged() {
    fontHandle_ = font_.Create();
    if (handle_ != nullptr) {
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.get()), TRUE);
    }
    for (Control* control : controls_) {
        control->ParentFontChanged(font_);
    }
}

void WinControl::AlignControls() {
    if (aligning_) {
        return;
    }
    aligning_ = true;
    RECT area = ClientRect();
    auto place = [](Control* control, const RECT& r) {
        control->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    };
    for (Align kind : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        for (Control* control : controls_) {
            if (control->GetAlign() != kind || !control->Visible()) {
                continue;
            }
            const int w = control->Width();
            const int h = control->Height();
            switch (kind) {
            case Align::Top:
                place(control, RECT{area.left, area.top, area.right, area.top + h});
                area.top += h;
                break;
            case Align::Bottom:
                place(control, RECT{area.left, area.bottom - h, area.right, area.bottom});
                area.bottom -= h;
                break;
            case Align::Left:
                place(control, RECT{area.left, area.top, area.left + w, area.bottom});
                area.left += w;
                break;
            case Align::Right:
                place(control, RECT{area.right - w, area.top, area.right, area.bottom});
                area.right -= w;
                break;
            case Align::Client:
                place(control, area);
                break;
            case Align::None:
                break;
            }
        }
    }
    aligning_ = false;
}

} // namespace ui
