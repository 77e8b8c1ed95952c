#include "skin/controls/SkinScrollbar.h"

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "ui/Gdi.h"
#include "ui/WinControl.h"

#include <commctrl.h>

#include <exception>

namespace skin {

const ui::ClassInfo TSkinScrollbar::kClass{"TSkinScrollbar", &TSkinControl::kClass};
const ui::ClassInfo TSkinListView::kClass{"TSkinListView", &TSkinScrollbar::kClass};

void RefreshBars(HDC dc, HWND window, const RECT& windowRect, TWScrollbar* horz, TWScrollbar* vert, ui::Color face) {
    const DWORD style = window != nullptr ? DWORD(GetWindowLongW(window, GWL_STYLE)) : 0;
    const struct {
        TWScrollbar* bar;
        DWORD styleBit;
    } bars[] = {{vert, WS_VSCROLL}, {horz, WS_HSCROLL}};
    for (const auto& entry : bars) {
        if (entry.bar == nullptr) {
            continue;
        }
        if (entry.bar->Shown()) {
            InvalidateRect(entry.bar->Window(), nullptr, FALSE);
        } else if ((style & entry.styleBit) != 0) {
            entry.bar->Place(window);
        }
    }
    if (horz == nullptr || vert == nullptr || !horz->Shown() || !vert->Shown()) {
        return;
    }
    // The bars are in client coordinates; the DC is the window's.
    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT corner{vert->BarRect().left, horz->BarRect().top, vert->BarRect().right, horz->BarRect().bottom};
    OffsetRect(&corner, client.x - windowRect.left, client.y - windowRect.top);
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRgb(face)));
    FillRect(dc, &corner, brush.get());
}

void ShowScrollCode(const ui::Message& message, TWScrollbar* horz, TWScrollbar* vert) {
    TWScrollbar* bar = message.msg == WM_HSCROLL ? horz : vert;
    if (bar != nullptr) {
        bar->ShowScrolling(LOWORD(message.wParam));
    }
}

void TSkinScrollbar::AttachScrollBars(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                                      ui::Canvas* canvas) {
    auto* windowed = dynamic_cast<ui::WinControl*>(&control);
    if (Attached() || windowed == nullptr || Owner() != &control) {
        return;
    }
    windowed->HandleNeeded();  // may throw: nothing is changed yet
    FSkinBorder = PublishedIs(&control, "BorderStyle", "bsNone") ? 0 : 1;
    if (control.InheritsFrom("TImageScrollBox") || FMode == 1) {
        FSkinBorder = 0;
    }
    FHorzBar = std::make_unique<TWScrollbar>();
    FVertBar = std::make_unique<TWScrollbar>();
    AttachControl(form, skinData, false, canvas, true);
    FHorzBar->BindControl(*this, *windowed, TWScrollbar::kHorizontalBar);
    FVertBar->BindControl(*this, *windowed, TWScrollbar::kVerticalBar);
    for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
        bar->SetEnabled(control.Enabled());
        if (!control.Visible()) {
            bar->HideBar();
        }
    }
    if (FSkinBorder) {
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TSkinScrollbar::DrawBorder(HDC windowDc) {
    if (windowDc == nullptr || FHandle == nullptr) {
        return;
    }
    try {
        RECT rect{};
        GetWindowRect(FHandle, &rect);
        OffsetRect(&rect, -rect.left, -rect.top);
        const ui::Color border = FSkinData != nullptr ? FSkinData->Colours[scButtonShadow] : ui::clBtnShadow;
        const ui::UniqueBrush outer(CreateSolidBrush(ui::ColorToRgb(border)));
        const ui::UniqueBrush inner(CreateSolidBrush(ui::ColorToRgb(FormColour())));
        FrameRect(windowDc, &rect, outer.get());
        InflateRect(&rect, -1, -1);
        FrameRect(windowDc, &rect, inner.get());
    } catch (const std::exception&) {
        // The system's border stays.
    }
}

bool TSkinScrollbar::BeforeMessage(ui::Message& message) {
    if (message.msg == WM_NCPAINT && FSkinBorder) {
        PassOn(message);
        const ui::WindowDc dc(FHandle, ui::WindowDc::Area::Window);
        DrawBorder(dc.get());
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        FSized = 1;
        for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
            if (bar != nullptr) {
                bar->Place(FHandle);
            }
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ShowScrollCode(message, FHorzBar.get(), FVertBar.get());
        break;
    case WM_MOUSEWHEEL:
        for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
            if (bar != nullptr) {
                bar->Redraw();
            }
        }
        break;
    case ui::CM_VISIBLECHANGED:
        for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
            if (bar == nullptr) {
                continue;
            }
            if (message.wParam != 0) {
                bar->Place(FHandle);
            } else {
                bar->HideBar();
            }
        }
        break;
    case ui::CM_ENABLEDCHANGED:
        for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
            if (bar != nullptr && FControl != nullptr) {
                bar->SetEnabled(FControl->Enabled());
            }
        }
        TSkinControl::AfterMessage(message);
        break;
    case ui::CM_RECREATEWND:
        // The control has a new window: the form painter makes a new
        // painter for it, this one goes with the old window.
        if (FControl != nullptr && FForm != nullptr) {
            PostMessageW(FForm->FormHandle(), SKM_RESETSCROLLBAR, reinterpret_cast<WPARAM>(FHandle), 0);
        }
        break;
    case SKM_PAINTFRAME:
        if (message.lParam == kSkinMagic) {
            if (message.wParam != 0) {
                DrawBorder(reinterpret_cast<HDC>(message.wParam));
            }
            message.result = kSkinMagic;
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScrollbar::DrawTo(HDC dc, const RECT&) {
    RefreshBars(dc, FHandle, FWindowRect, FHorzBar.get(), FVertBar.get(), FormColour());
}

void TSkinScrollbar::Detach() {
    TSkinControl::Detach();
    // Overlays are children of the control's parent: they go with the
    // painter, whether or not the control's window is still there.
    FHorzBar.reset();
    FVertBar.reset();
}

void TSkinListView::AttachScrollBars(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                                     ui::Canvas* canvas) {
    TSkinScrollbar::AttachScrollBars(control, skinData, form, canvas);
    if (!Attached() || FHandle == nullptr) {
        return;
    }
    auto header = reinterpret_cast<HWND>(SendMessageW(FHandle, LVM_GETHEADER, 0, 0));
    if (header == nullptr) {
        return;
    }
    FHeaderPainter = CreatePainter(PainterKind::Header, &control);
    if (FHeaderPainter != nullptr) {
        FHeaderPainter->AttachWindow(header, skinData, form, canvas);
    }
}

} // namespace skin
