#include "ui/TextConversion.h"

namespace ui {

std::wstring MultiByteToWide(UINT codePage, std::string_view text, DWORD flags) {
    if (text.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

std::string WideToMultiByte(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return {};
    }
    std::string narrow(size_t(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

} // namespace ui
