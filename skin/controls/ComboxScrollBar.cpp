#include "skin/controls/ComboxScrollBar.h"

#include "skin/controls/ScrollBarDrawing.h"
#include "skin/data/SkinData.h"

#include <windowsx.h>

#include <memory>

namespace skin {
namespace {

constexpr LONG kObjectVScroll = -5;  // OBJID_VSCROLL
constexpr UINT kThemedFrameDraw = 0x1AE;

} // namespace

const ui::ClassInfo TComboxScrollBar::kClass{"TComboxScrollBar", &TSkinControl::kClass};

void TComboxScrollBar::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    FArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    TSkinControl::AttachWindow(window, skinData, form, canvas);
}

bool TComboxScrollBar::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_NCPAINT:
        return true;
    case WM_NCMOUSEMOVE:
        // The system would draw its own hot bar over the skin's.
        return message.wParam != HTHSCROLL && message.wParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN:
        if (message.wParam == HTVSCROLL &&
            DragThumb(POINT{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)})) {
            message.result = 0;
            return false;
        }
        return true;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TComboxScrollBar::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case kThemedFrameDraw:
        PaintWindow(nullptr);
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TComboxScrollBar::DrawTo(HDC dc, const RECT&) {
    SCROLLBARINFO info{};
    if (FSkinData == nullptr || !ReadScrollBarInfo(FHandle, kObjectVScroll, info) ||
        (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0) {
        return;
    }
    RECT bar = info.rcScrollBar;
    OffsetRect(&bar, -FWindowRect.left, -FWindowRect.top);
    FLength = bar.bottom - bar.top;
    FThumbStart = info.xyThumbTop;
    FThumbEnd = info.xyThumbBottom;

    ScrollBarLook look;
    look.width = bar.right - bar.left;
    look.height = FLength;
    look.vertical = true;
    look.enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    look.hoverPart = FHoverPart;
    look.pressing = FPressing != 0;
    look.thumb = ThumbSpan{FThumbStart, FThumbEnd};
    look.arrowSize = FArrowSize;
    look.background = FormColour();
    const ui::Bitmap buffer = ComposeScrollBar(*FSkinData, look);
    if (buffer.Empty()) {
        return;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, bar.left, bar.top, buffer.Width(), buffer.Height(),
               const_cast<ui::Bitmap&>(buffer).GetCanvas().Handle(), 0, 0, buffer.Width(), buffer.Height(), SRCCOPY);
}

bool TComboxScrollBar::DragThumb(POINT screen) {
    SCROLLBARINFO bar{};
    if (!ReadScrollBarInfo(FHandle, kObjectVScroll, bar)) {
        return false;
    }
    const int along = screen.y - bar.rcScrollBar.top;

    if (along < bar.xyThumbTop || along >= bar.xyThumbBottom) {
        return false;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(FHandle, SB_VERT, &info)) {
        return false;
    }
    const HWND list = FHandle;
    // The painter may go with the list (a closed form) inside the loop.
    const std::shared_ptr<ui::Component*> alive = LifetimeCell();
    SetCapture(list);
    // The points the messages carry, not the cursor now: input queued
    // behind the press has moved the cursor on already.
    FPressCursor = screen;
    FPressThumb = bar.xyThumbTop;
    FHoverPart = kPartThumb;
    FPressing = 1;
    const int startOffset = bar.xyThumbTop - FArrowSize;
    const int track = (bar.rcScrollBar.bottom - bar.rcScrollBar.top) - 2 * FArrowSize;
    const int thumb = bar.xyThumbBottom - bar.xyThumbTop;
    int last = info.nPos;
    int pos = info.nPos;
    bool done = false;
    while (!done && IsWindow(list) && *alive != nullptr) {
        MSG msg{};
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (GetCapture() != list) {
                break;  // someone else took the mouse: no button-up will come
            }
            WaitMessage();
            continue;
        }
        switch (msg.message) {
        case WM_NCMOUSEMOVE:
        case WM_MOUSEMOVE: {
            DispatchMessageW(&msg);
            pos = ListThumbPosition(startOffset + (msg.pt.y - FPressCursor.y), track, thumb, info);
            if (pos != last) {
                last = pos;
                SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
            }
            break;
        }
        case WM_NCLBUTTONUP:
        case WM_LBUTTONUP:
            SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
            PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
            done = true;
            break;
        case WM_QUIT:
            PostQuitMessage(int(msg.wParam));
            done = true;
            break;
        default:
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            break;
        }
    }
    if (*alive == nullptr) {
        return true;
    }
    FPressing = 0;
    FHoverPart = kPartNone;
    if (GetCapture() == list) {
        ReleaseCapture();
    }
    PaintWindow(nullptr);
    return true;
}

} // namespace skin
