#pragma once
// The program's default skin, loaded from this program's resources into a
// skin data component for the benchmarks.

#include "skin/data/SkinData.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace bench {

// False (and a line saying so) when the skin did not load.
inline bool LoadDefaultSkin(skin::TSkinData& data) {
    data.showMessage = [](const std::string&) {};
    if (!data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN") || data.NotLoaded()) {
        std::printf("the default skin did not load\n");
        return false;
    }
    return true;
}

} // namespace bench
