#include "ui/Messages.h"

namespace ui {

ShiftState MouseShiftState(WPARAM keyFlags) {
    ShiftState shift = 0;
    if (keyFlags & MK_SHIFT) shift |= ssShift;
    if (keyFlags & MK_CONTROL) shift |= ssCtrl;
    if (keyFlags & MK_LBUTTON) shift |= ssLeft;
    if (keyFlags & MK_RBUTTON) shift |= ssRight;
    if (keyFlags & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

ShiftState KeyboardShiftState() {
    ShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) shift |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) shift |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) shift |= ssMiddle;
    return shift;
}

} // namespace ui
