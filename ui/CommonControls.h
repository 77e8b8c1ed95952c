#pragma once
// Registers the common-controls window classes a control is made of, once
// per class group.

#include <windows.h>

namespace ui {

// icc: ICC_* flags of INITCOMMONCONTROLSEX.
void EnsureCommonControls(DWORD icc);

} // namespace ui
