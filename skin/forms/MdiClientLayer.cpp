#include "skin/forms/MdiClientLayer.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FormPainterHost.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinMenu.h"

namespace skin {

void MdiClientLayer::Install(HWND client, bool menuUpdate) {
    client_ = client;
    savedMenuUpdate_ = menuUpdate ? 1 : 0;
    layer_.Install<MdiClientLayer, &MdiClientLayer::GuardedProcedure>(client, ui::SubclassKind::MdiClient, this);
}

LRESULT MdiClientLayer::GuardedProcedure(UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Procedure(msg, wParam, lParam);
    } catch (...) {
        // Nothing of the skin may throw into the window system.
        return 0;
    }
}

LRESULT MdiClientLayer::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ui::WindowSubclass::CallNext(client_, msg, wParam, lParam);
}

LRESULT MdiClientLayer::Procedure(UINT msg, WPARAM wParam, LPARAM lParam) {
    FormPainterHost* host = PainterHost();
    TSkinData* skinData = form_.SkinData();
    const bool frameSkinned = form_.FrameSkinned() != 0;
    switch (msg) {
    case WM_NCDESTROY:
        // The client's layer has left the chain already.
        return CallPrevious(msg, wParam, lParam);
    case WM_NCCALCSIZE:
        if (frameSkinned && skinData != nullptr && !skinData->Options.Contains(xoMDIScrollbar)) {
            const auto style = DWORD(GetWindowLongW(client_, GWL_STYLE));
            SetWindowLongW(client_, GWL_STYLE, LONG(style & ~DWORD(WS_HSCROLL | WS_VSCROLL)));
        }
        return CallPrevious(msg, wParam, lParam);
    case WM_MDICREATE:
        if (skinData != nullptr) {
            skinData->MenuUpdate = false;
        }
        return CallPrevious(msg, wParam, lParam);
    case WM_MDIDESTROY: {
        const LRESULT result = CallPrevious(msg, wParam, lParam);
        if (frameSkinned && host != nullptr) {
            BOOL maximised = FALSE;
            const auto active = reinterpret_cast<HWND>(
                SendMessageW(client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
            host->SetMdiCaptionMode(active != nullptr && maximised);
            // The last child gone: the frame's own menu is back on the bar.
            if (TWinSkinMenu* bar = form_.MenuBar(); bar != nullptr && active == nullptr && skinData != nullptr) {
                skinData->MenuUpdate = savedMenuUpdate_ != 0;
                bar->TakeOverMenu();
                bar->LayoutItems();
                form_.RepaintFrame(nullptr);
            }
        }
        return result;
    }
    case WM_MDISETMENU: {
        const LRESULT result = CallPrevious(msg, wParam, lParam);
        if (frameSkinned) {
            // The client put the new menu on the frame: the bar takes it.
            if (TWinSkinMenu* bar = form_.MenuBar(); bar != nullptr && wParam != 0) {
                bar->SetMenuHandle(GetMenu(form_.Handle()));
                bar->TakeOverMdiMenu();
                form_.RepaintFrame(nullptr);
            }
            SetMenu(form_.Handle(), nullptr);
        }
        return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (frameSkinned && host != nullptr && host->MdiCaptionMode()) {
            host->SetMdiCaptionMode(false);
        }
        return CallPrevious(msg, wParam, lParam);
    case SKM_MDIREDRAW:
        RedrawWindow(form_.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return 0;
    default:
        return CallPrevious(msg, wParam, lParam);
    }
}

} // namespace skin
