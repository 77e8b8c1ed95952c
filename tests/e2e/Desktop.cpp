#include "tests/e2e/Desktop.h"

#include "tests/e2e/VocaraProcess.h"
#include "tests/support/MouseInput.h"
#include "ui/Canvas.h"

#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace e2e {

using testsupport::MouseInput;

void ClickAt(POINT screen) {
    INPUT inputs[3] = {MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                       MouseInput(screen, MOUSEEVENTF_LEFTUP)};
    SendInput(3, inputs, sizeof(INPUT));
}

void RightClickAt(POINT screen) {
    INPUT inputs[3] = {MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_RIGHTDOWN),
                       MouseInput(screen, MOUSEEVENTF_RIGHTUP)};
    SendInput(3, inputs, sizeof(INPUT));
}

void PressMouseAt(POINT screen) {
    INPUT inputs[2] = {MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTDOWN)};
    SendInput(2, inputs, sizeof(INPUT));
}

void ReleaseMouseAt(POINT screen) {
    INPUT inputs[2] = {MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

bool MoveMouseTo(POINT screen) {
    INPUT move = MouseInput(screen, 0);
    SendInput(1, &move, sizeof(INPUT));
    return WaitUntil([&] {
        POINT now{};
        return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    }, 10000);
}

POINT CentreOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

ui::Bitmap ScreenShot(HWND window, const RECT& screen) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    ui::Bitmap shot(width, height);
    const HDC desktop = GetDC(nullptr);
    BitBlt(shot.GetCanvas().Handle(), 0, 0, width, height, desktop, screen.left, screen.top, SRCCOPY);
    ReleaseDC(nullptr, desktop);
    return shot;
}

bool TrayIconExists(HWND window, UINT id) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
    probe.hWnd = window;
    probe.uID = id;
    probe.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

void OfferScreenshot(HWND window, std::wstring_view name) {
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"VOCARA_E2E_SHOTS", folder, MAX_PATH) == 0) {
        return;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::filesystem::path marker = std::filesystem::path(folder) / (std::wstring(name) + L".wait");
    std::ofstream(marker).put('\n');
    WaitUntil([&] { return !std::filesystem::exists(marker); }, 60000);
    std::error_code ignored;
    std::filesystem::remove(marker, ignored);
}

} // namespace e2e
