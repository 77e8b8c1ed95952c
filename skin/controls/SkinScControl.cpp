#include "skin/controls/SkinScControl.h"

#include "skin/controls/SkinScrollbar.h"
#include "ui/WinControl.h"

namespace skin {
namespace {

bool IsScrollBarWindow(HWND window) {
    wchar_t name[32]{};
    GetClassNameW(window, name, 31);
    if (lstrcmpiW(name, L"ScrollBar") == 0) {
        return true;
    }
    // A toolkit superclass keeps the system's procedure: it answers the
    // scroll-bar control's own messages.
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE;
    return (GetWindowLongW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) == 0 &&
           GetScrollInfo(window, SB_CTL, &info) != FALSE;
}

} // namespace

const ui::ClassInfo TSkinScControl::kClass{"TSkinScControl", &TSkinControl::kClass};

void TSkinScControl::SetUpControl(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                                  ui::Canvas* canvas) {
    auto* windowed = dynamic_cast<ui::WinControl*>(&control);
    if (Attached() || windowed == nullptr || Owner() != &control) {
        return;
    }
    HWND window = windowed->Handle();  // may throw: nothing is changed yet
    AttachControl(form, skinData, false, canvas, true);
    const bool barControl = IsScrollBarWindow(window);
    for (TWScrollbar::Kind kind : barControl ? std::vector{TWScrollbar::kControlBar}
                                             : std::vector{TWScrollbar::kHorizontalBar, TWScrollbar::kVerticalBar}) {
        auto bar = std::make_unique<TWScrollbar>();
        bar->BindControl(*this, *windowed, kind);
        bar->SetEnabled(control.Enabled());
        if (!control.Visible()) {
            bar->HideBar();
        }
        FBars.push_back(std::move(bar));
    }
}

TWScrollbar* TSkinScControl::Bar(TWScrollbar::Kind kind) const {
    for (const auto& bar : FBars) {
        if (bar->BarKind() == kind) {
            return bar.get();
        }
    }
    return nullptr;
}

void TSkinScControl::PlaceAll() {
    for (const auto& bar : FBars) {
        bar->Place(FHandle);
    }
}

void TSkinScControl::RedrawAll() {
    for (const auto& bar : FBars) {
        bar->Redraw();
    }
}

void TSkinScControl::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        PlaceAll();
        break;
    case WM_NCPAINT:
        if (auto* windowed = dynamic_cast<ui::WinControl*>(FControl); windowed != nullptr && windowed->HandleAllocated()) {
            FHandle = windowed->HandleIfAllocated();
        }
        PlaceAll();
        break;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case ui::CN_VSCROLL:
    case ui::CN_HSCROLL:
    case WM_MOUSEWHEEL:
        RedrawAll();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The panel's own bars.
        ShowScrollCode(message, Bar(TWScrollbar::kHorizontalBar), Bar(TWScrollbar::kVerticalBar));
        break;
    case ui::CM_VISIBLECHANGED:
        for (const auto& bar : FBars) {
            if (message.wParam != 0) {
                bar->Place(FHandle);
            } else {
                bar->HideBar();
            }
        }
        break;
    case ui::CM_ENABLEDCHANGED:
        for (const auto& bar : FBars) {
            bar->SetEnabled(FControl != nullptr && FControl->Enabled());
        }
        TSkinControl::AfterMessage(message);
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScControl::DrawTo(HDC dc, const RECT&) {
    if (TWScrollbar* bar = Bar(TWScrollbar::kControlBar)) {
        bar->Redraw();
        return;
    }
    RefreshBars(dc, FHandle, FWindowRect, Bar(TWScrollbar::kHorizontalBar), Bar(TWScrollbar::kVerticalBar),
                FormColour());
}

void TSkinScControl::Detach() {
    TSkinControl::Detach();
    FBars.clear();
}

} // namespace skin
