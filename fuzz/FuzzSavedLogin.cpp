// Reads the input as a saved login file. The reader must never crash, must
// give the content of every complete stream, and must give back what the
// writer's settings compress.

#include "app/comm/SavedLogin.h"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Load(const uint8_t* data, size_t size) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
    if (!file || std::fwrite(data, 1, size, file.get()) != size) {
        std::abort();
    }
    std::rewind(file.get());
    bool boxed = false;
    std::string result = app::comm::loadzip(file.get(), "fuzz", [&](const std::string&, const std::string&) {
        boxed = true;
    });
    if (boxed && !result.empty()) {
        std::abort();  // after the box the result is empty
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string loaded = Load(data, size);

    // A complete stream decodes to what zlib's one-shot decoder gives.
    std::vector<Bytef> plain(1 << 16);
    uLongf plainSize = uLongf(plain.size());
    if (uncompress(plain.data(), &plainSize, data, uLong(size)) == Z_OK &&
        loaded != std::string(reinterpret_cast<const char*>(plain.data()), plainSize)) {
        std::abort();
    }

    // The input as a text: level 1, window 15 in, the same text out.
    std::vector<Bytef> packed(compressBound(uLong(size)));
    uLongf packedSize = uLongf(packed.size());
    if (compress2(packed.data(), &packedSize, data, uLong(size), 1) != Z_OK || packed[0] != 0x78 || packed[1] != 0x01 ||
        Load(packed.data(), packedSize) != std::string(reinterpret_cast<const char*>(data), size)) {
        std::abort();
    }
    return 0;
}
