// Scaffold: replaced by the caption-button layout, drawing and visibility.
#include "skin/forms/WinSkinForm.h"

namespace skin {

TNCObject* TWinSkinForm::ButtonAt(POINT) const { return nullptr; }
void TWinSkinForm::ApplyVisibility(TWinSysButton&) {}
void TWinSkinForm::LayoutButtons() {}
void TWinSkinForm::DrawButtons(HDC) {}
void TWinSkinForm::DrawWindowIcon(HDC, const RECT&) {}

void TNCObject::MouseDown() {}
void TNCObject::MouseUp() {}
void TNCObject::MouseEnter() {}
void TNCObject::MouseLeave() {}
void TWinSysButton::Paint() {}

} // namespace skin
