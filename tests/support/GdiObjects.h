#pragma once
// Counting the process's live GDI objects, for tests that check nothing leaks.

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

} // namespace testsupport
