#pragma once
// Real mouse input for window tests: SendInput at screen points, waiting
// until the cursor has arrived.

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

} // namespace testsupport
