#pragma once
// Marks a step of the program's start for a debugger: bench/startup-windows
// trace starts Vocara.exe under its probe and prints when each step came.
// The toolkit and the skin engine mark theirs too (a modal form made and
// shown, a form painter attached and set up). Without a debugger it costs
// one check.
//
// A step that waits on the network (the captcha request) is timed apart:
// the benchmark leaves it out of its figure and asks the hidden application
// window for it with StartupWaitQuery().

#include <windows.h>

namespace ui {

inline void MarkStartupStep(const char* step) {
    if (IsDebuggerPresent()) {
        OutputDebugStringA(step);
    }
}

// The time spent so far in StartupWait scopes, in performance-counter ticks.
inline LONGLONG& StartupWaitTicks() {
    static LONGLONG ticks = 0;
    return ticks;
}

// Answered by the hidden application window with the start-up's wait, in
// microseconds.
inline UINT StartupWaitQuery() {
    static const UINT message = RegisterWindowMessageW(L"Vocara.StartupWaitMicroseconds");
    return message;
}

inline LONGLONG StartupWaitMicroseconds() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return StartupWaitTicks() * 1000000 / frequency.QuadPart;
}

// Adds the time from its making to its end to the start-up's wait.
class StartupWait {
public:
    StartupWait() { QueryPerformanceCounter(&start_); }
    ~StartupWait() {
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        StartupWaitTicks() += end.QuadPart - start_.QuadPart;
    }
    StartupWait(const StartupWait&) = delete;
    StartupWait& operator=(const StartupWait&) = delete;

private:
    LARGE_INTEGER start_;
};

} // namespace ui
