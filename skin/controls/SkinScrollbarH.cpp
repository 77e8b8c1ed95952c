#include "skin/controls/SkinScrollbarH.h"

#include "skin/controls/SkinScrollbar.h"
#include "ui/Gdi.h"

namespace skin {

const ui::ClassInfo TSkinScrollbarH::kClass{"TSkinScrollbarH", &TSkinControl::kClass};

void TSkinScrollbarH::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    if (Attached() || window == nullptr) {
        return;
    }
    FHorzBar = std::make_unique<TWScrollbar>();
    FVertBar = std::make_unique<TWScrollbar>();
    FHorzBar->BindWindow(*this, window, TWScrollbar::kHorizontalBar);
    FVertBar->BindWindow(*this, window, TWScrollbar::kVerticalBar);
    TSkinControl::AttachWindow(window, skinData, form, canvas);
}

void TSkinScrollbarH::PlaceBoth() {
    for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
        if (bar != nullptr) {
            bar->Place(FHandle);
            bar->Redraw();
        }
    }
}

void TSkinScrollbarH::AfterMessage(ui::Message& message) {
    if (FHandle != nullptr && !IsWindowVisible(FHandle)) {
        for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
            if (bar != nullptr) {
                bar->HideBar();
            }
        }
    }
    switch (message.msg) {
    case WM_SIZE:
    case WM_NCPAINT:
    case WM_WINDOWPOSCHANGED:
        PlaceBoth();
        break;
    case WM_HSCROLL:
        if (FHorzBar != nullptr) {
            FHorzBar->ShowScrolling(LOWORD(message.wParam));
        }
        break;
    case WM_VSCROLL:
        if (FVertBar != nullptr) {
            FVertBar->ShowScrolling(LOWORD(message.wParam));
        }
        break;
    case WM_MOUSEWHEEL:
        PlaceBoth();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScrollbarH::DrawTo(HDC dc, const RECT&) {
    const DWORD style = WindowStyle();
    if (FVertBar != nullptr && !FVertBar->Shown() && (style & WS_VSCROLL) != 0) {
        FVertBar->Place(FHandle);
    }
    if (FHorzBar != nullptr && !FHorzBar->Shown() && (style & WS_HSCROLL) != 0) {
        FHorzBar->Place(FHandle);
    }
    for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
        if (bar != nullptr && bar->Shown()) {
            InvalidateRect(bar->Window(), nullptr, FALSE);
        }
    }
    const ui::UniqueBrush face(CreateSolidBrush(ui::ColorToRgb(FormColour())));
    FillBarCorner(dc, FHandle, FWindowRect, FHorzBar.get(), FVertBar.get(), face.get(), 0);
}

void TSkinScrollbarH::Detach() {
    TSkinControl::Detach();
    FHorzBar.reset();
    FVertBar.reset();
}

} // namespace skin
