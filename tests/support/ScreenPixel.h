#pragma once
// What the screen shows at a point of a window, for tests that read back what
// was painted where a person would see it.

#include <windows.h>

namespace testsupport {

// The colour on the screen at a point in window coordinates.
inline COLORREF ScreenPixel(HWND window, POINT at) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, rect.left + at.x, rect.top + at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

} // namespace testsupport
