// Popup-menu windows get a popup painter while the kind of menu being opened
// is one the skin data skins.

#include "skin/manager/SkinManage.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinPopMenu.h"

#include <algorithm>

namespace skin {
namespace {

bool PopupModeSkinned(PopupMode mode, const TSkinData& data) {
    switch (mode) {
    case PopupMode::Context:
        return data.SkinControls.Contains(xcPopupMenu);
    case PopupMode::MenuBarDropDown:
        return data.SkinControls.Contains(xcMainMenu) || data.SkinControls.Contains(xcMenuItem);
    case PopupMode::SystemMenu:
        return data.SkinControls.Contains(xcSystemMenu);
    }
    return false;
}

} // namespace

void TSkinManage::SkinPopupMenu(HWND window) {
    if (!active_ || SendMessageA(window, SKM_QUERY, 0, 0) == 1 || IsPopupMenuSkinned(window)) {
        return;
    }
    TSkinData* data = ChooseSkinData(window);
    if (data == nullptr || data->NotLoaded() || !PopupModeSkinned(popupMode_, *data)) {
        return;
    }
    auto painter = std::make_unique<TWinSkinPopMenu>();
    painter->Attach(window, *data, nullptr);
    popupPainters_.push_back(std::move(painter));
}

bool TSkinManage::ReleasePopupMenu(HWND window) {
    const auto found = std::ranges::find_if(popupPainters_, [window](const auto& p) { return p->Handle() == window; });
    if (found == popupPainters_.end()) {
        return false;
    }
    const std::unique_ptr<TWinSkinPopMenu> painter = std::move(*found);
    popupPainters_.erase(found);
    painter->Detach();
    if (popupPainters_.empty()) {
        popupMode_ = PopupMode::Context;
    }
    return true;
}

bool TSkinManage::IsPopupMenuSkinned(HWND window) const {
    return std::ranges::any_of(popupPainters_, [window](const auto& p) { return p->Handle() == window; });
}

void TSkinManage::FreePopupPainters() { popupPainters_.clear(); }

} // namespace skin
