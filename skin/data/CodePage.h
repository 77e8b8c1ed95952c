#pragma once
// Conversions between 8-bit texts in the system code page (skin files, the
// wire, the saved login file) and the wide texts everything shown uses.

#include <string>
#include <string_view>

namespace skin {

// MultiByteToWideChar with the system ANSI code page and no flags.
std::wstring AnsiToWide(std::string_view text);
// WideCharToMultiByte with the system ANSI code page; unmappable characters become "?".
std::string WideToAnsi(std::wstring_view text);

} // namespace skin
