#pragma once
// The bytes of a resource of a module, for pictures and skins stored as data.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

namespace ui {

// The resource's bytes, owned by the module (nothing to free), or nothing
// when it is missing or empty.
std::optional<std::span<const uint8_t>> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type);

} // namespace ui
