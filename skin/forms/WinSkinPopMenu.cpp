#include "skin/forms/WinSkinPopMenu.h"

#include "skin/controls/SkinManage.h"
#include "skin/controls/SkinMessages.h"
#include "skin/controls/WindowSubclass.h"

namespace skin {
namespace {

const WindowSubclass& Layer(WNDPROC procedure) {
    static const WindowSubclass layer(L"VocaraSkinPopMenu", procedure);
    return layer;
}

} // namespace

TWinSkinPopMenu::TWinSkinPopMenu() = default;

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData& skinData, HMENU menu) {
    if (FWndProcThunk) {
        return;
    }
    FHandle = window;
    FSkinData = &skinData;
    FMenu = menu;
    FOldWndProc = Layer(WindowProcedure).Install(window, this);
    FWndProcThunk = FOldWndProc != nullptr;
}

void TWinSkinPopMenu::Detach() {
    if (FWndProcThunk) {
        Layer(WindowProcedure).Remove(FHandle);
        FWndProcThunk = false;
    }
    FBackground.Clear();
}

LRESULT CALLBACK TWinSkinPopMenu::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* painter = static_cast<TWinSkinPopMenu*>(Layer(WindowProcedure).Owner(window));
    if (painter == nullptr) {
        return Layer(WindowProcedure).Forward(window, msg, wParam, lParam);
    }
    return painter->HandleMessage(msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SKM_QUERY) {
        return 1;
    }
    const TSkinManage* manager = SkinManage();
    if (manager == nullptr || !manager->Active()) {
        return CallPrevious(msg, wParam, lParam);
    }
    if (msg == WM_DESTROY) {
        // The previous procedure is called through the layer: Detach may
        // have given the window back already.
        const HWND window = FHandle;
        const WNDPROC previous = FOldWndProc;
        Detach();
        return WindowSubclass::CallProcedure(previous, window, msg, wParam, lParam);
    }
    return CallPrevious(msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return WindowSubclass::CallProcedure(FOldWndProc, FHandle, msg, wParam, lParam);
}

} // namespace skin
