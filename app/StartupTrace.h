#pragma once
// Marks a step of the program's start for a debugger: bench/startup-windows
// trace starts Vocara.exe under its probe and prints when each step came.
// Without a debugger it costs one check.

#include <windows.h>

namespace app {

inline void MarkStartupStep(const char* step) {
    if (IsDebuggerPresent()) {
        OutputDebugStringA(step);
    }
}

} // namespace app
