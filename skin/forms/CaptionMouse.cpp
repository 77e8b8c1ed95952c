// Scaffold: replaced by the non-client mouse handling, actions, hover and hints.
#include "skin/forms/WinSkinForm.h"

namespace skin {

bool TWinSkinForm::NcMouse(UINT, WPARAM&, LPARAM) { return false; }
void TWinSkinForm::RunAction(TWinSysButton&, POINT) {}
void TWinSkinForm::MaximiseToggle() {}
void TWinSkinForm::MinimiseToggle() {}
void TWinSkinForm::RestoreWindow() {}
void TWinSkinForm::MdiChildCommand(WPARAM) {}
void TWinSkinForm::TrackSystemCommand(WPARAM) {}
void TWinSkinForm::HoverTimerTick() {}
void TWinSkinForm::ShowHint() {}
void TWinSkinForm::HideHint() {}
void TWinSkinForm::ResetHint() {}
std::wstring TWinSkinForm::HintText(int32_t) { return {}; }

} // namespace skin
