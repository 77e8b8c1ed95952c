#include "tests/e2e/Desktop.h"

#include "tests/e2e/VocaraProcess.h"

#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace e2e {

void ClickAt(POINT screen) {
    // Absolute positions run from 0 to 65535 across the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = LONG((screen.x * 65535LL + width / 2) / (width - 1));
        input.mi.dy = LONG((screen.y * 65535LL + height / 2) / (height - 1));
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
}

POINT CentreOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

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
