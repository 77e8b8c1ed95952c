#pragma once
// Counting this thread's windows, children included, for tests that check
// nothing is left behind.

#include <windows.h>

namespace testsupport {

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
