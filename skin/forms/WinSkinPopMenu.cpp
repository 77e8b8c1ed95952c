#include "skin/forms/WinSkinPopMenu.h"

#include "skin/controls/SkinMessages.h"
#include "skin/forms/FormPainterHost.h"

namespace skin {

TWinSkinPopMenu::TWinSkinPopMenu() = default;

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData& skinData, HMENU menu) {
    if (Attached()) {
        return;
    }
    FHandle = window;
    FSkinData = &skinData;
    FMenu = menu;
    FWndProcLayer.Install<TWinSkinPopMenu, &TWinSkinPopMenu::HandleMessage>(window, ui::SubclassKind::PopupMenuPainter,
                                                                            this);
}

void TWinSkinPopMenu::Detach() {
    FWndProcLayer.Remove();
    FBackground.Clear();
}

LRESULT TWinSkinPopMenu::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SKM_QUERY) {
        return 1;
    }
    const FormPainterHost* host = PainterHost();
    if (host == nullptr || !host->Active()) {
        return CallPrevious(msg, wParam, lParam);
    }
    if (msg == WM_DESTROY) {
        // Passed on after letting go: the layer can leave the chain inside
        // its own message.
        Detach();
    }
    return CallPrevious(msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ui::WindowSubclass::CallNext(FHandle, msg, wParam, lParam);
}

} // namespace skin
