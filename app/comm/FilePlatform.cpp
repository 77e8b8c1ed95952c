#include "app/comm/FilePlatform.h"

#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace app::comm::file_platform {

std::FILE* Open(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::string Utf8Name(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

void ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
    // std::filesystem::rename does not replace an existing file with every
    // MinGW runtime; MoveFileExW says exactly what we mean.
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        throw std::runtime_error("无法替换文件 " + Utf8Name(to) + " (系统错误 " + std::to_string(error) + ")");
    }
#else
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        throw std::runtime_error("无法替换文件 " + Utf8Name(to) + ": " + error.message());
    }
#endif
}

} // namespace app::comm::file_platform
