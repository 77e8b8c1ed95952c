#pragma once
// A window message as the toolkit hands it around, and the toolkit's own
// message numbers (notifications to controls and messages reflected from a
// parent to the child they concern).

#include <windows.h>

#include <functional>

namespace ui {

struct Message {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
};

// The replaceable per-control message handler.
using MessageHandler = std::function<void(Message&)>;

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
// To a window-less control when the mouse comes over it and when it leaves.
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
// To a control whose window was just made anew (a style that needs a new window).
constexpr UINT CM_RECREATEWND = CM_BASE + 51;

// A parent reflects WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and WM_DRAWITEM to the
// child control they concern as CN_BASE + the message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

// Shift state of mouse and keyboard events.
using ShiftState = unsigned;
constexpr ShiftState ssShift = 1;
constexpr ShiftState ssAlt = 2;
constexpr ShiftState ssCtrl = 4;
constexpr ShiftState ssLeft = 8;
constexpr ShiftState ssRight = 16;
constexpr ShiftState ssMiddle = 32;
constexpr ShiftState ssDouble = 64;

enum class MouseButton { Left, Right, Middle };

// The shift state of a mouse message's key flags, plus Alt read now.
ShiftState MouseShiftState(WPARAM keyFlags);
// The shift state of the keyboard now.
ShiftState KeyboardShiftState();

} // namespace ui
