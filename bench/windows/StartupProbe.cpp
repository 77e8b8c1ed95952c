// Times the start of a window program until its window is on the screen,
// painted: for Vocara.exe the login window skinned (it answers the skin
// engine's query, and its caption shows the default skin's caption colour),
// for BareWindow.exe its client colour at the client's centre. Starts the
// program `runs` times and ends each copy it started.
//
//   startup_probe <exe> vocara|bare [runs]

#include "Measure.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Target {
    DWORD process = 0;
    const wchar_t* title = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM data) {
    auto* target = reinterpret_cast<Target*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (process == target->process && IsWindowVisible(window) && std::wstring(title) == target->title) {
        target->found = window;
        return FALSE;
    }
    return TRUE;
}

bool Near(COLORREF a, COLORREF b) {
    const auto close = [](int x, int y) { return std::abs(x - y) <= 8; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

COLORREF DefaultCaptionColour() {
    skin::TSkinData data(nullptr);
    data.showMessage = [](const std::string&) {};
    data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN");
    return ui::ColorToRgb(data.CaptionColour());
}

// Milliseconds from CreateProcess to the painted window, or -1 after 20 s.
double StartOnce(const std::wstring& exe, bool vocara, COLORREF captionColour) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        std::fprintf(stderr, "cannot start the program (%lu)\n", GetLastError());
        return -1;
    }
    Target target{info.dwProcessId, vocara ? L"Vocara登录" : L"BareWindow"};
    double elapsed = -1;
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (GetTickCount64() < deadline) {
        target.found = nullptr;
        EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&target));
        bool ready = false;
        if (target.found != nullptr) {
            RECT window{};
            GetWindowRect(target.found, &window);
            if (vocara) {
                DWORD_PTR answer = 0;
                ready = SendMessageTimeoutW(target.found, skin::SKM_QUERY, 0, 0, SMTO_ABORTIFHUNG, 200, &answer) &&
                        answer == 1 &&
                        Near(ScreenPixel((window.left + window.right) / 2, window.top + 10), captionColour);
            } else {
                RECT client{};
                GetClientRect(target.found, &client);
                POINT centre{client.right / 2, client.bottom / 2};
                ClientToScreen(target.found, &centre);
                ready = Near(ScreenPixel(centre.x, centre.y), RGB(30, 144, 255));
            }
        }
        if (ready) {
            LARGE_INTEGER end;
            QueryPerformanceCounter(&end);
            elapsed = bench::TicksTo(bench::TimeUnit::Milliseconds, end.QuadPart - start.QuadPart);
            break;
        }
        Sleep(1);
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe <exe> vocara|bare [runs]\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const bool vocara = std::wstring(argv[2]) == L"vocara";
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
    const COLORREF caption = DefaultCaptionColour();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = StartOnce(exe, vocara, caption);
        if (ms < 0) {
            std::printf("%s: no painted window within 20 s\n", vocara ? "Vocara.exe" : "BareWindow.exe");
            return 1;
        }
        times.push_back(ms);
        Sleep(300);
    }
    std::sort(times.begin(), times.end());
    const COLORREF awaited = vocara ? caption : RGB(30, 144, 255);
    std::printf("start to painted window, %-14s %3d runs  median %8.1f ms  min %8.1f ms  (awaited #%02X%02X%02X)\n",
                vocara ? "Vocara.exe" : "BareWindow.exe", runs, times[times.size() / 2], times.front(),
                GetRValue(awaited), GetGValue(awaited), GetBValue(awaited));
    return 0;
}
