#pragma once
// The few file operations the saved login file needs that differ between
// Windows and the native (fuzzing) build. No Windows header here.

#include <cstdio>
#include <filesystem>
#include <string>

namespace app::comm::file_platform {

// fopen with a path in the platform's own character type; nullptr on failure.
std::FILE* Open(const std::filesystem::path& path, const char* mode);

// Pushes what the C library and the system hold for the file to the disk.
bool FlushToDisk(std::FILE* file);

// The path as UTF-8 text, for error messages.
std::string Utf8Name(const std::filesystem::path& path);

// Moves from onto to, replacing an existing file in one step. Throws
// std::runtime_error (UTF-8 text) when it cannot.
void ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace app::comm::file_platform
