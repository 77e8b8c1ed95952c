#pragma once
// The skins of the gallery: the built-in default skin, skin files read live
// into the window's skin data (SkinFile, then ApplySkin), and skinning off
// and on. A file is tried on a scratch component first, so one that cannot
// be read leaves the skin on the screen as it was.

#include "skin/data/SkinData.h"

#include <windows.h>

#include <string>

namespace gallery {

class GallerySkins {
public:
    // resources: the module holding the DEFAULTSKIN resource.
    GallerySkins(skin::TSkinData& data, HMODULE resources) : data_(data), resources_(resources) {}

    // Loads the built-in skin; while the component is still streaming this
    // only loads it, afterwards it is applied to the skinned windows too.
    bool UseDefault();
    // Reads the file and, when it is a usable skin, makes it the skin of the
    // gallery. Otherwise answers false with the reason, in Chinese, in
    // reason, and changes nothing.
    bool UseFile(const std::wstring& path, std::wstring& reason);

    bool Enabled() const { return data_.Active(); }
    // Posts the manager's command; the windows follow a moment later.
    void SetEnabled(bool enabled) { data_.SetActive(enabled); }

    // "默认皮肤", or the file name of the skin file in use.
    const std::wstring& CurrentName() const { return currentName_; }

private:
    skin::TSkinData& data_;
    HMODULE resources_;
    std::wstring currentName_;
};

// Why a skin file cannot be used, or empty when it can: the file is read and
// loaded into a component of its own.
std::wstring CheckSkinFile(const std::wstring& path);

} // namespace gallery
