#pragma once
// The saved login file codec: one zlib stream (level 1, window bits 15) of the
// 8-bit reply text. Portable: no Windows header; the one message box goes
// through a callback.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace app::comm {

inline constexpr const char* kSavedLoginName = "qz.dat";
inline constexpr std::string_view kCannotOpen = "-1";
inline constexpr std::string_view kCorruptStream = "-2";

// Writes text compressed to path. The old file is replaced only once the new
// stream is completely written and flushed; on failure it stays untouched and
// Failure (CannotSaveLogin, naming the file) is thrown.
void savezip(std::string_view text, const std::filesystem::path& path);

// caption and text of a reading error other than the two codes, both UTF-8.
using ErrorBoxFn = std::function<void(const std::string& text, const std::string& caption)>;

// The whole decompressed content, "-1" when the file cannot be opened, "-2"
// when the decompressor reports an error; a stream that ends early yields
// what was decoded. Any other reading error goes to errorBox (caption
// "解压文件错误！", the text of a CannotReadLogin failure) and yields an empty
// text.
std::string loadzip(const std::filesystem::path& path, const ErrorBoxFn& errorBox = {});

// loadzip's decoding of a file already open for reading; name is how errors
// call it (UTF-8). Gives the content or "-2"; read errors go to errorBox.
std::string loadzip(std::FILE* file, const std::string& name, const ErrorBoxFn& errorBox = {});

} // namespace app::comm
