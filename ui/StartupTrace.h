#pragma once
// Marks a step of the program's start for a debugger: bench/startup-windows
// trace starts Vocara.exe under its probe and prints when each step came.
// The toolkit and the skin engine mark theirs too (a modal form made and
// shown, a form painter attached and set up). Without a debugger it costs
// one check.

#include <windows.h>

namespace ui {

inline void MarkStartupStep(const char* step) {
    if (IsDebuggerPresent()) {
        OutputDebugStringA(step);
    }
}

} // namespace ui
