#include "skin/data/CodePage.h"

#include <windows.h>

namespace skin {

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

} // namespace skin
