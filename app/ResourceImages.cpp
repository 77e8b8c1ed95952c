#include "app/ResourceImages.h"

#include "app/comm/JpegImage.h"

#include <windows.h>

#include <string_view>

namespace app {

std::optional<ui::Bitmap> LoadJpegResource(int id) {
    // Resource memory belongs to the module: nothing to free.
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (found == nullptr) {
        return std::nullopt;
    }
    const HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    return comm::DecodeJpeg(std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found)));
}

} // namespace app
