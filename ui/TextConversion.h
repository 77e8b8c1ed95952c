#pragma once
// Conversions between 8-bit texts of a given code page and wide texts.

#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

// MultiByteToWideChar over the whole text; empty when the text is empty or
// (with MB_ERR_INVALID_CHARS in flags) not valid in that code page.
std::wstring MultiByteToWide(UINT codePage, std::string_view text, DWORD flags = 0);
// WideCharToMultiByte over the whole text, with the code page's default character.
std::string WideToMultiByte(UINT codePage, std::wstring_view text);

} // namespace ui
