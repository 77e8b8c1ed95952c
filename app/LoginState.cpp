#include "app/LoginState.h"

#include <windows.h>

#include <vector>

namespace app {

Tuserinfo& UserInfo() {
    static Tuserinfo info;
    return info;
}

namespace {
std::wstring& StoredDirectory() {
    static std::wstring directory;
    return directory;
}
} // namespace

const std::wstring& ExecutableDirectory() { return StoredDirectory(); }

void SetExecutableDirectory(std::wstring directory) { StoredDirectory() = std::move(directory); }

std::wstring ModuleDirectory() {
    // Paths may exceed MAX_PATH; grow until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            return path.substr(0, path.find_last_of(L"\\/") + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace app
