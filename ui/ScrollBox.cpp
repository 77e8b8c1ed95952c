#include "ui/ScrollBox.h"

#include <algorithm>

namespace ui {
namespace {

const PropertyInfo kScrollBoxProperties[] = {BorderStyleProperty<ScrollBox>()};
const ClassInfo kScrollingWinControl{"TScrollingWinControl", &WinControl::kClass};

// One wheel notch or arrow click moves this many pixels.
constexpr int kLineStep = 16;

} // namespace

const ClassInfo ScrollBox::kClass{"TScrollBox", &kScrollingWinControl, kScrollBoxProperties};

ScrollBox::ScrollBox(Component* owner) : WinControl(owner) { color_ = clBtnFace; }

void ScrollBox::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    // Both bars at creation; the first update hides those not needed.
    params.style |= WS_HSCROLL | WS_VSCROLL;
    params.exStyle |= BorderExStyle(border_);
}

void ScrollBox::HandleCreated() {
    WinControl::HandleCreated();
    UpdateScrollBars();
}

SIZE ScrollBox::ContentSize() const {
    SIZE size{0, 0};
    for (const Control* child : Controls()) {
        if (!child->Visible()) {
            continue;
        }
        const RECT bounds = child->BoundsRect();
        size.cx = std::max<LONG>(size.cx, bounds.right + offset_.x);
        size.cy = std::max<LONG>(size.cy, bounds.bottom + offset_.y);
    }
    return size;
}

void ScrollBox::UpdateScrollBars() {
    // Showing a bar resizes the client area, which asks for this again.
    if (!HandleAllocated() || updating_) {
        return;
    }
    updating_ = true;
    HWND window = HandleIfAllocated();
    const SIZE content = ContentSize();
    // Twice: a bar that appears narrows the room for the other.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        GetClientRect(window, &client);
        const struct {
            int bar;
            LONG content;
            LONG room;
        } bars[] = {{SB_HORZ, content.cx, client.right}, {SB_VERT, content.cy, client.bottom}};
        for (const auto& entry : bars) {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMin = 0;
            info.nMax = entry.content > entry.room ? int(entry.content) - 1 : 0;
            info.nPage = entry.content > entry.room ? UINT(entry.room) : 0;
            info.nPos = entry.bar == SB_HORZ ? offset_.x : offset_.y;
            SetScrollInfo(window, entry.bar, &info, TRUE);
            ShowScrollBar(window, entry.bar, entry.content > entry.room);
        }
    }
    updating_ = false;
    // A shrunken area scrolls back so no gap shows past its end.
    RECT client{};
    GetClientRect(window, &client);
    ScrollTo(std::min<int>(offset_.x, std::max<int>(0, content.cx - client.right)),
             std::min<int>(offset_.y, std::max<int>(0, content.cy - client.bottom)));
}

void ScrollBox::ScrollTo(int x, int y) {
    x = std::max(x, 0);
    y = std::max(y, 0);
    if (!HandleAllocated() || (x == offset_.x && y == offset_.y)) {
        return;
    }
    HWND window = HandleIfAllocated();
    const int dx = offset_.x - x;
    const int dy = offset_.y - y;
    offset_ = POINT{x, y};
    ScrollWindowEx(window, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SetScrollPos(window, SB_HORZ, x, TRUE);
    SetScrollPos(window, SB_VERT, y, TRUE);
}

void ScrollBox::Scroll(int bar, WORD code) {
    HWND window = HandleIfAllocated();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(window, bar, &info)) {
        return;
    }
    int target = info.nPos;
    const int page = std::max<int>(int(info.nPage), 1);
    switch (code) {
    case SB_LINEUP: target -= kLineStep; break;
    case SB_LINEDOWN: target += kLineStep; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_TOP: target = info.nMin; break;
    case SB_BOTTOM: target = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: target = info.nTrackPos; break;
    default: return;
    }
    target = std::clamp(target, info.nMin, std::max(info.nMin, info.nMax - page + 1));
    if (bar == SB_HORZ) {
        ScrollTo(target, offset_.y);
    } else {
        ScrollTo(offset_.x, target);
    }
}

void ScrollBox::SetBorderStyle(ControlBorder border) {
    if (border != border_) {
        border_ = border;
        offset_ = POINT{};
        RecreateWnd();
    }
}

void ScrollBox::ControlsChanged() { UpdateScrollBars(); }

void ScrollBox::WndProc(Message& message) {
    switch (message.msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (message.lParam == 0) {  // the box's own bars
            Scroll(message.msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.wParam));
            message.result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL: {
        const int notches = GET_WHEEL_DELTA_WPARAM(message.wParam) / WHEEL_DELTA;
        for (int i = 0; i < std::abs(notches); ++i) {
            Scroll(SB_VERT, notches > 0 ? SB_LINEUP : SB_LINEDOWN);
        }
        message.result = 0;
        return;
    }
    case WM_SIZE:
        WinControl::WndProc(message);
        UpdateScrollBars();
        return;
    default:
        break;
    }
    WinControl::WndProc(message);
}

} // namespace ui
