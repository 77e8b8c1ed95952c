#include "ui/ResourceBytes.h"

namespace ui {

std::optional<std::span<const uint8_t>> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    if (name == nullptr || type == nullptr) {
        return std::nullopt;
    }
    const HRSRC found = FindResourceW(module, name, type);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = bytes != nullptr ? SizeofResource(module, found) : 0;
    if (size == 0) {
        return std::nullopt;
    }
    return std::span(static_cast<const uint8_t*>(bytes), size);
}

} // namespace ui
