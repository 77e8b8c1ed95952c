// Times the start of a window program until its window is on the screen,
// painted: for Vocara.exe the login window skinned (it answers the skin
// engine's query, and its caption shows the default skin's caption colour),
// for BareWindow.exe its client colour at the client's centre. Vocara.exe's
// wait for the network (the captcha request) is left out. Ends each copy it
// started. Usage below wmain.

#include "Measure.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "ui/StartupTrace.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
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

// Whether the program's window is on the screen, painted. Vocara.exe is
// asked whether it is skinned only once its caption shows the colour: a
// message every poll would keep the program busy while it starts, and under
// the trace it would wait for a program stopped at a debug event.
bool Painted(DWORD process, bool vocara, COLORREF captionColour, bool askSkinned = true) {
    Target target{process, vocara ? L"Vocara登录" : L"BareWindow"};
    EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&target));
    if (target.found == nullptr) {
        return false;
    }
    RECT window{};
    GetWindowRect(target.found, &window);
    if (vocara) {
        if (!Near(ScreenPixel((window.left + window.right) / 2, window.top + 10), captionColour)) {
            return false;
        }
        DWORD_PTR answer = 0;
        return !askSkinned ||
               (SendMessageTimeoutW(target.found, skin::SKM_QUERY, 0, 0, SMTO_ABORTIFHUNG, 200, &answer) && answer == 1);
    }
    RECT client{};
    GetClientRect(target.found, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(target.found, &centre);
    return Near(ScreenPixel(centre.x, centre.y), RGB(30, 144, 255));
}

// Starts the program with the given creation flags; start is when it was asked for.
bool StartProgram(const std::wstring& exe, DWORD flags, PROCESS_INFORMATION& info, LARGE_INTEGER& start) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                        &info)) {
        std::fprintf(stderr, "cannot start the program (%lu)\n", GetLastError());
        return false;
    }
    return true;
}

// The time Vocara.exe spent waiting on the network (the captcha request) while
// it started, in milliseconds, as its hidden application window answers.
double StartupWait(DWORD process) {
    HWND application = nullptr;
    while ((application = FindWindowExW(nullptr, application, L"TApplication", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(application, &owner);
        if (owner == process) {
            break;
        }
    }
    DWORD_PTR microseconds = 0;
    if (application == nullptr || !SendMessageTimeoutW(application, ui::StartupWaitQuery(), 0, 0, SMTO_ABORTIFHUNG,
                                                       1000, &microseconds)) {
        return -1;
    }
    return double(microseconds) / 1000.0;
}

struct Start {
    double painted = -1;  // ms from CreateProcess to the painted window
    double wait = 0;      // ms of it spent waiting on the network
};

// One start, or painted -1 after 20 s.
Start StartOnce(const std::wstring& exe, bool vocara, COLORREF captionColour) {
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start;
    Start result;
    if (!StartProgram(exe, 0, info, start)) {
        return result;
    }
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (GetTickCount64() < deadline) {
        if (Painted(info.dwProcessId, vocara, captionColour)) {
            LARGE_INTEGER end;
            QueryPerformanceCounter(&end);
            result.painted = bench::TicksTo(bench::TimeUnit::Milliseconds, end.QuadPart - start.QuadPart);
            result.wait = vocara ? StartupWait(info.dwProcessId) : 0;
            break;
        }
        Sleep(1);
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Starts the program once as its debugger and prints, in milliseconds since
// CreateProcess, every DLL it loads, every line it sends to the debugger
// output (Vocara.exe marks its start-up steps that way) and when its window
// is painted. Being debugged slows the program: the times show where the
// start goes, not how long it takes.
void TraceOnce(const std::wstring& exe, bool vocara, COLORREF captionColour) {
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start;
    if (!StartProgram(exe, DEBUG_ONLY_THIS_PROCESS, info, start)) {
        return;
    }
    const auto now = [&start] {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return bench::TicksTo(bench::TimeUnit::Milliseconds, t.QuadPart - start.QuadPart);
    };
    const ULONGLONG deadline = GetTickCount64() + 20000;
    bool running = true;
    bool shown = false;
    while (running && GetTickCount64() < deadline) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, 1)) {
            if (shown && Painted(info.dwProcessId, vocara, captionColour, false)) {
                std::printf("%9.1f ms  window painted\n", now());
                running = false;
            }
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case LOAD_DLL_DEBUG_EVENT: {
            wchar_t path[MAX_PATH] = L"?";
            if (event.u.LoadDll.hFile != nullptr) {
                GetFinalPathNameByHandleW(event.u.LoadDll.hFile, path, MAX_PATH, 0);
                CloseHandle(event.u.LoadDll.hFile);
            }
            const wchar_t* name = wcsrchr(path, L'\\');
            std::printf("%9.1f ms  load %ls\n", now(), name ? name + 1 : path);
            break;
        }
        case OUTPUT_DEBUG_STRING_EVENT: {
            char text[256] = {};
            const SIZE_T length = std::min<SIZE_T>(event.u.DebugString.nDebugStringLength, sizeof(text) - 1);
            SIZE_T read = 0;
            if (!event.u.DebugString.fUnicode &&
                ReadProcessMemory(info.hProcess, event.u.DebugString.lpDebugStringData, text, length, &read)) {
                text[read] = '\0';
                std::printf("%9.1f ms  step %s\n", now(), text);
                shown = shown || std::string(text).find("showing the login window") != std::string::npos;
            }
            break;
        }
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        case CREATE_PROCESS_DEBUG_EVENT:
            // The bare program marks no steps: its window is looked for from the start.
            shown = !vocara;
            if (event.u.CreateProcessInfo.hFile != nullptr) {
                CloseHandle(event.u.CreateProcessInfo.hFile);
            }
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            running = false;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    TerminateProcess(info.hProcess, 0);
    DebugActiveProcessStop(info.dwProcessId);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

} // namespace

// startup_probe <bare.exe> <vocara.exe> [pairs]: starts the two programs in
// turn, bare then Vocara, pairs times, so that a change of load on the
// machine touches both alike; prints both medians and the median of the
// ratios of each pair. startup_probe --trace <vocara.exe>: one traced start.
int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"--trace") {
        const std::wstring exe = argv[2];
        TraceOnce(exe, exe.find(L"Vocara") != std::wstring::npos, DefaultCaptionColour());
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe <bare.exe> <vocara.exe> [pairs] | --trace <vocara.exe>\n");
        return 2;
    }
    const std::wstring bare = argv[1];
    const std::wstring vocara = argv[2];
    const int pairs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 15;
    const COLORREF caption = DefaultCaptionColour();
    std::vector<double> bareTimes, vocaraTimes, waits, ratios;
    for (int i = 0; i < pairs; ++i) {
        const Start b = StartOnce(bare, false, caption);
        Sleep(300);
        const Start v = StartOnce(vocara, true, caption);
        Sleep(300);
        if (b.painted < 0 || v.painted < 0) {
            std::printf("%s: no painted window within 20 s\n", b.painted < 0 ? "BareWindow.exe" : "Vocara.exe");
            return 1;
        }
        if (v.wait < 0) {
            std::printf("Vocara.exe: no answer about its wait for the network\n");
            return 1;
        }
        bareTimes.push_back(b.painted);
        vocaraTimes.push_back(v.painted - v.wait);
        waits.push_back(v.wait);
        ratios.push_back((v.painted - v.wait) / b.painted);
    }
    std::printf("start to painted window, BareWindow.exe  %3d runs  median %8.1f ms  min %8.1f ms\n", pairs,
                Median(bareTimes), *std::min_element(bareTimes.begin(), bareTimes.end()));
    std::printf("start to painted window, Vocara.exe      %3d runs  median %8.1f ms  min %8.1f ms  (awaited #%02X%02X%02X)\n",
                pairs, Median(vocaraTimes), *std::min_element(vocaraTimes.begin(), vocaraTimes.end()),
                GetRValue(caption), GetGValue(caption), GetBValue(caption));
    std::printf("  left out of Vocara.exe's: the captcha request  median %8.1f ms  max %8.1f ms\n", Median(waits),
                *std::max_element(waits.begin(), waits.end()));
    std::printf("%-44s %8.2f\n", "ratio of the medians Vocara / bare", Median(vocaraTimes) / Median(bareTimes));
    std::printf("%-44s %8.2f\n", "median of the pairwise ratios Vocara / bare", Median(ratios));
    return 0;
}
