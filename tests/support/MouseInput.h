#pragma once
// Real mouse and keyboard input through SendInput, for tests that drive
// controls the way a person does; mouse moves wait until the cursor has arrived.

#include "tests/support/Pump.h"

#include <windows.h>

namespace testsupport {

inline INPUT MouseInput(POINT screen, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((screen.x * 65535LL + width / 2) / (width - 1));
    input.mi.dy = LONG((screen.y * 65535LL + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

inline void SendMouse(POINT screen, DWORD flags) {
    INPUT input = MouseInput(screen, flags);
    SendInput(1, &input, sizeof(INPUT));
}

// A press and release at one point, in one batch.
inline void ClickAt(POINT screen) {
    INPUT inputs[2] = {MouseInput(screen, MOUSEEVENTF_LEFTDOWN), MouseInput(screen, MOUSEEVENTF_LEFTUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

// Moves the cursor and waits until the system has it there.
inline bool MoveMouseTo(POINT screen) {
    SendMouse(screen, 0);
    return PumpUntil([&] {
        POINT now{};
        return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    });
}

inline POINT ScreenCentre(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

inline void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

} // namespace testsupport
