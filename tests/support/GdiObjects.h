#pragma once
// Counting the process's live GDI objects and this thread's windows, for
// tests that check nothing leaks.

#include <windows.h>

#include <cstdint>

namespace testsupport {

// Windows counts them for us; Wine answers 0 there, but its GetObjectType
// accepts a bare table index (no generation in the high word), so the table
// can be walked.
inline int LiveGdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) {
        return int(counted);
    }
    int live = 0;
    for (uintptr_t index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
            ++live;
        }
    }
    return live;
}

// Windows of this thread, children included.
inline int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            ++*reinterpret_cast<int*>(counter);
            EnumChildWindows(
                window, [](HWND, LPARAM inner) { return ++*reinterpret_cast<int*>(inner), TRUE; }, counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace testsupport
