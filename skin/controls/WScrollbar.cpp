#include "skin/controls/WScrollbar.h"

#include "skin/controls/ScrollBarDrawing.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "ui/Gdi.h"
#include "ui/WinControl.h"

#include <windowsx.h>

#include <exception>

namespace skin {
namespace {

constexpr LONG kObjectVScroll = -5;  // OBJID_VSCROLL
constexpr LONG kObjectHScroll = -6;  // OBJID_HSCROLL
constexpr LONG kObjectClient = -4;   // OBJID_CLIENT: a scroll-bar control

// The class's own procedure is the overlay's: until a window has its object
// (GWLP_USERDATA), the procedure hands every message to DefWindowProcW.
void RegisterOverlayClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = TWScrollbar::WindowClassName();
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
}

RECT ScreenToClientRect(HWND window, const RECT& screen) {
    POINT corners[2] = {{screen.left, screen.top}, {screen.right, screen.bottom}};
    MapWindowPoints(nullptr, window, corners, 2);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

bool IsOverlay(HWND window) {
    wchar_t name[32]{};
    GetClassNameW(window, name, 31);
    return lstrcmpW(name, TWScrollbar::WindowClassName()) == 0;
}

// Whether overlay lies above target with nothing but overlays between them.
// A control with both bars has two overlays and only one of them can be
// directly above it: asking each for that place would have them take it
// from one another for ever, every move repainting the control.
bool InOverlaysAbove(HWND target, HWND overlay) {
    for (HWND above = GetWindow(target, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
        if (above == overlay) {
            return true;
        }
        if (!IsOverlay(above)) {
            return false;
        }
    }
    return false;
}

} // namespace

const wchar_t* TWScrollbar::WindowClassName() { return L"TWScrollbar"; }

TWScrollbar::~TWScrollbar() {
    if (FWindow != nullptr && IsWindow(FWindow)) {
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
    }
}

void TWScrollbar::BindControl(TSkinControl& owner, ui::WinControl& control, Kind kind) {
    FTargetControl = &control;
    BindWindow(owner, control.Handle(), kind);
}

void TWScrollbar::BindWindow(TSkinControl& owner, HWND window, Kind kind) {
    FOwner = &owner;
    FTarget = window;
    FKind = kind;
    FOrientation = kind == kHorizontalBar ? 0 : 1;
    if (kind == kControlBar && FTargetControl != nullptr) {
        const auto published = FTargetControl->GetPropertyText("Kind");
        FOrientation = published && ui::SameAscii(*published, "sbHorizontal") ? 0 : 1;
    } else if (kind == kControlBar) {
        FOrientation = (GetWindowLongW(window, GWL_STYLE) & SBS_VERT) != 0 ? 1 : 0;
    }
    FArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    MakeWindow(GetParent(window));
    Place(window);
}

void TWScrollbar::MakeWindow(HWND parent) {
    if (FWindow != nullptr || parent == nullptr) {
        return;
    }
    RegisterOverlayClass(&TWScrollbar::WindowProc);
    FWindow = CreateWindowExW(WS_EX_TOOLWINDOW, WindowClassName(), L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                              parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (FWindow != nullptr) {
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

int TWScrollbar::Length(const RECT& rect) const {
    return FOrientation == 1 ? rect.bottom - rect.top : rect.right - rect.left;
}

bool TWScrollbar::ReadBar(BarState& bar) {
    if (FTarget == nullptr || !IsWindow(FTarget)) {
        return false;
    }
    if (FKind != kControlBar) {
        SCROLLBARINFO info{};
        if (!ReadScrollBarInfo(FTarget, FKind == kVerticalBar ? kObjectVScroll : kObjectHScroll, info)) {
            return false;
        }
        bar.screen = info.rcScrollBar;
        bar.thumb = ThumbSpan{info.xyThumbTop, info.xyThumbBottom};
        bar.state = info.rgstate[0];
        return true;
    }
    if (!GetWindowRect(FTarget, &bar.screen)) {
        return false;
    }
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_ALL;
    if (!GetScrollInfo(FTarget, SB_CTL, &scroll)) {
        return false;
    }
    bar.thumb = ControlThumb(scroll, Length(bar.screen), FArrowSize);
    SCROLLBARINFO info{};
    if (ReadScrollBarInfo(FTarget, kObjectClient, info)) {
        bar.state = info.rgstate[0] & ~DWORD(STATE_SYSTEM_INVISIBLE);
    } else {
        bar.state = IsWindowEnabled(FTarget) ? 0 : STATE_SYSTEM_UNAVAILABLE;
    }
    return true;
}

void TWScrollbar::Place(HWND window) {
    if (window != nullptr) {
        FTarget = window;
    }
    BarState bar;
    if (FWindow == nullptr || !ReadBar(bar)) {
        FShown = 0;
        return;
    }
    if ((GetWindowLongW(FTarget, GWL_STYLE) & WS_VISIBLE) == 0 || (bar.state & STATE_SYSTEM_INVISIBLE) != 0 ||
        IsRectEmpty(&bar.screen)) {
        HideBar();
        return;
    }
    FBarRect = ScreenToClientRect(FTarget, bar.screen);
    FLength = Length(bar.screen);
    FOrigin = POINT{bar.screen.left, bar.screen.top};
    FThumb = bar.thumb;

    const RECT place = ScreenToClientRect(GetParent(FWindow), bar.screen);
    RECT now{};
    GetWindowRect(FWindow, &now);
    now = ScreenToClientRect(GetParent(FWindow), now);
    // Above the control in z-order, so the control's own bar stays under it.
    HWND above = GetWindow(FTarget, GW_HWNDPREV);
    const bool ordered = InOverlaysAbove(FTarget, FWindow);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (ordered) {
        flags |= SWP_NOZORDER;
    }
    if (!ordered || !EqualRect(&now, &place) || !IsWindowVisible(FWindow) || FShown == 0) {
        SetWindowPos(FWindow, above != nullptr ? above : HWND_TOP, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, flags);
        InvalidateRect(FWindow, nullptr, FALSE);
    }
    FShown = 1;
}

void TWScrollbar::HideBar() {
    if (FWindow != nullptr && IsWindowVisible(FWindow)) {
        ShowWindow(FWindow, SW_HIDE);
    }
    FShown = 0;
}

int TWScrollbar::HitTest(POINT point) const {
    const int v = FOrientation == 1 ? point.y : point.x;
    return ScrollHitTest(v, FArrowSize, FLength, FThumb);
}

void TWScrollbar::ShowScrolling(int part) {
    FHoverPart = part;
    Redraw();
}

void TWScrollbar::Redraw() {
    if (FWindow != nullptr && FShown != 0) {
        RedrawWindow(FWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void TWScrollbar::SetEnabled(bool enabled) {
    if (FWindow != nullptr) {
        EnableWindow(FWindow, enabled ? TRUE : FALSE);
    }
}

void TWScrollbar::PaintTo(HDC dc) {
    TSkinData* skin = FOwner != nullptr ? FOwner->SkinData() : nullptr;
    BarState bar;
    if (skin == nullptr || skin->Scrollbar == nullptr || skin->Scrollbar->Empty() || !ReadBar(bar) ||
        (bar.state & STATE_SYSTEM_INVISIBLE) != 0) {
        return;
    }
    RECT client{};
    GetClientRect(FWindow, &client);
    const int width = bar.screen.right - bar.screen.left;
    const int height = bar.screen.bottom - bar.screen.top;
    if (width < 0 || height < 0 || width > client.right || height > client.bottom) {
        return;
    }
    FLength = Length(bar.screen);
    FThumb = bar.thumb;
    if (FPressing != 0 && FHoverPart == kPartThumb && FKind != kControlBar) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const int delta = FOrientation == 1 ? cursor.y - FPressCursor.y : cursor.x - FPressCursor.x;
        FThumb = DragThumb(FPressThumb, delta, FArrowSize, FLength, bar.thumb);
    }

    ScrollBarLook look;
    look.width = width;
    look.height = height;
    look.vertical = FOrientation == 1;
    look.enabled = (bar.state & STATE_SYSTEM_UNAVAILABLE) == 0;
    look.hoverPart = FHoverPart;
    look.pressing = FPressing != 0;
    look.thumb = FThumb;
    look.arrowSize = FArrowSize;
    look.thicknessOnly = FKind == kControlBar;
    look.background = skin->Colours[scButtonFace];
    if (FTargetControl != nullptr && FTargetControl->Parent() != nullptr) {
        look.background = FTargetControl->Parent()->GetColor();
    }
    const ui::Bitmap buffer = ComposeScrollBar(*skin, look);
    if (buffer.Empty()) {
        return;
    }
    HDC source = const_cast<ui::Bitmap&>(buffer).GetCanvas().Handle();
    if (FKind == kControlBar) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, buffer.Width(), buffer.Height(), SRCCOPY);
    } else {
        BitBlt(dc, 0, 0, buffer.Width(), buffer.Height(), source, 0, 0, SRCCOPY);
    }
}

LRESULT CALLBACK TWScrollbar::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* overlay = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (overlay == nullptr) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return overlay->Message(msg, wParam, lParam);
}

LRESULT TWScrollbar::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const ui::PaintDc paint(FWindow);
        if (paint.get() != nullptr) {
            try {
                PaintTo(paint.get());
            } catch (const std::exception&) {
                // A buffer that cannot be made leaves the last picture.
            }
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        MouseMove(point);
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        if (FPressing == 0) {
            FHoverPart = kPartNone;
            Redraw();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(point);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(point);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(FWindow, msg, wParam, lParam);
    }
}

void TWScrollbar::MouseMove(POINT point) {
    const int part = HitTest(point);
    if (part != FHoverPart) {
        FHoverPart = part;
        Redraw();
    }
    if (!tracking_) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = FWindow;
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
}

void TWScrollbar::ButtonDown(POINT point) {
    // Where the press was, not where input queued behind it put the cursor.
    FPressCursor = point;
    ClientToScreen(FWindow, &FPressCursor);
    BarState bar;
    if (ReadBar(bar)) {
        FThumb = bar.thumb;
        FPressThumb = bar.thumb.start;
    }
    FHoverPart = HitTest(point);
    if (FKind != kControlBar) {
        point.x += FOrigin.x;
        point.y += FOrigin.y;
    }
    FPressing = 1;
    Redraw();
    ReleaseCapture();
    HWND target = FTarget;
    // The overlay may go while the system tracks (the form closing).
    const HWND self = FWindow;
    const LPARAM at = MAKELPARAM(point.x, point.y);
    switch (FKind) {
    case kVerticalBar:
        SendMessageW(target, WM_NCLBUTTONDOWN, HTVSCROLL, at);
        break;
    case kHorizontalBar:
        SendMessageW(target, WM_NCLBUTTONDOWN, HTHSCROLL, at);
        break;
    case kControlBar:
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        break;
    }
    if (!IsWindow(self) || GetWindowLongPtrW(self, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(this)) {
        return;
    }
    FPressing = 0;
    ReleaseCapture();
    // Tracking ended: the part under the cursor now, not the last scroll code.
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(FWindow, &cursor);
    RECT client{};
    GetClientRect(FWindow, &client);
    FHoverPart = PtInRect(&client, cursor) ? HitTest(cursor) : kPartNone;
    Redraw();
}

void TWScrollbar::ButtonUp(POINT point) {
    FPressing = 0;
    ReleaseCapture();
    if (FKind != kControlBar) {
        point.x += FOrigin.x;
        point.y += FOrigin.y;
    }
    const LPARAM at = MAKELPARAM(point.x, point.y);
    switch (FKind) {
    case kVerticalBar:
        PostMessageW(FTarget, WM_NCLBUTTONUP, HTVSCROLL, at);
        break;
    case kHorizontalBar:
        PostMessageW(FTarget, WM_NCLBUTTONUP, HTHSCROLL, at);
        break;
    case kControlBar:
        PostMessageW(FTarget, WM_LBUTTONUP, MK_LBUTTON, at);
        break;
    }
    Redraw();
}

} // namespace skin
