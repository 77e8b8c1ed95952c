#include "app/comm/SavedLogin.h"

#include "app/comm/Failure.h"
#include "app/comm/FilePlatform.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <system_error>

namespace app::comm {

namespace {

constexpr int kLevel = 1;          // fastest: the file starts 0x78 0x01
constexpr int kWindowBits = 15;    // 32 KiB window, zlib header and trailer
constexpr int kMemLevel = 8;       // zlib's default
constexpr size_t kChunk = 16384;
// A login reply is a few hundred bytes; this only stops a crafted file from
// inflating without end.
constexpr size_t kMaxContent = 16u << 20;
constexpr const char* kReadErrorCaption = "解压文件错误！";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemText(int error) { return std::generic_category().message(error); }

std::filesystem::path TemporaryNameFor(const std::filesystem::path& path) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    return temporary;
}

// Compresses text into file; the error's text, empty when all went well.
std::string Compress(std::string_view text, std::FILE* file) {
    z_stream stream{};
    if (deflateInit2(&stream, kLevel, Z_DEFLATED, kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK) {
        return "压缩程序无法启动";
    }
    const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, deflateEnd);
    unsigned char out[kChunk];
    size_t offset = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (stream.avail_in == 0) {
            const size_t n = std::min(text.size() - offset, kChunk);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data() + offset));
            stream.avail_in = uInt(n);
            offset += n;
        }
        const int flush = offset == text.size() ? Z_FINISH : Z_NO_FLUSH;
        stream.next_out = out;
        stream.avail_out = sizeof out;
        status = deflate(&stream, flush);
        if (status == Z_STREAM_ERROR) {
            return "压缩失败";
        }
        const size_t produced = sizeof out - stream.avail_out;
        if (std::fwrite(out, 1, produced, file) != produced) {
            return SystemText(errno);
        }
    }
    return {};
}

} // namespace

void savezip(std::string_view text, const std::filesystem::path& path) {
    const std::filesystem::path temporary = TemporaryNameFor(path);
    UniqueFile file(file_platform::Open(temporary, "wb"));
    if (!file) {
        throw Failure(FailureKind::CannotSaveLogin,
                      "无法创建文件 " + file_platform::Utf8Name(temporary) + ": " + SystemText(errno));
    }
    std::string error = Compress(text, file.get());
    if (error.empty() && !file_platform::FlushToDisk(file.get())) {
        error = SystemText(errno);
    }
    if (std::fclose(file.release()) != 0 && error.empty()) {
        error = SystemText(errno);
    }
    std::error_code ignored;
    if (!error.empty()) {
        std::filesystem::remove(temporary, ignored);
        throw Failure(FailureKind::CannotSaveLogin, "无法写入文件 " + file_platform::Utf8Name(temporary) + ": " + error);
    }
    try {
        file_platform::ReplaceWith(temporary, path);
    } catch (const std::exception& replace) {
        std::filesystem::remove(temporary, ignored);
        throw Failure(FailureKind::CannotSaveLogin, replace.what());
    }
}

std::string loadzip(const std::filesystem::path& path, const ErrorBoxFn& errorBox) {
    const UniqueFile file(file_platform::Open(path, "rb"));
    if (!file) {
        return std::string(kCannotOpen);
    }
    return loadzip(file.get(), file_platform::Utf8Name(path), errorBox);
}

std::string loadzip(std::FILE* file, const std::string& name, const ErrorBoxFn& errorBox) {
    const auto otherError = [&](const std::string& text) {
        if (errorBox) {
            errorBox(FailureText(FailureKind::CannotReadLogin, text), kReadErrorCaption);
        }
        return std::string();
    };

    z_stream stream{};
    if (inflateInit2(&stream, kWindowBits) != Z_OK) {
        return otherError("解压程序无法启动");
    }
    const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);

    std::string content;
    unsigned char in[kChunk];
    unsigned char out[kChunk];
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (stream.avail_in == 0) {
            errno = 0;
            const size_t n = std::fread(in, 1, sizeof in, file);
            if (n == 0) {
                // Some C runtimes report a failed read as neither error nor end of file.
                if (std::ferror(file) || !std::feof(file)) {
                    const int error = errno;
                    return otherError("无法读取文件 " + name + ": " +
                                      (error != 0 ? SystemText(error) : std::string("读取失败")));
                }
                break;  // the stream ends early: keep what was decoded
            }
            stream.next_in = in;
            stream.avail_in = uInt(n);
        }
        do {
            stream.next_out = out;
            stream.avail_out = sizeof out;
            status = inflate(&stream, Z_NO_FLUSH);
            switch (status) {
            case Z_NEED_DICT:
            case Z_DATA_ERROR:
            case Z_STREAM_ERROR:
                return std::string(kCorruptStream);
            case Z_MEM_ERROR:
                return otherError("读取 " + name + " 时内存不足");
            default:
                break;
            }
            content.append(reinterpret_cast<const char*>(out), sizeof out - stream.avail_out);
            if (content.size() > kMaxContent) {
                return otherError(name + " 解压后超过 " + std::to_string(kMaxContent >> 20) + " MiB");
            }
        } while (stream.avail_out == 0 && status != Z_STREAM_END);
    }
    return content;
}

} // namespace app::comm
