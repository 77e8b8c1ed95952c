#include "skin/controls/SkinScrollbarH.h"

#include "skin/controls/SkinScrollbar.h"

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
    case WM_VSCROLL:
        ShowScrollCode(message, FHorzBar.get(), FVertBar.get());
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
    RefreshBars(dc, FHandle, FWindowRect, FHorzBar.get(), FVertBar.get(), FormColour());
}

void TSkinScrollbarH::Detach() {
    TSkinControl::Detach();
    FHorzBar.reset();
    FVertBar.reset();
}

} // namespace skin
