// Scaffold: replaced by the skinned system-menu popup.
#include "skin/forms/WinSkinForm.h"

namespace skin {

void TWinSkinForm::ShowSystemMenu(POINT) {}

} // namespace skin
