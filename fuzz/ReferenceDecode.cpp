#include "fuzz/ReferenceDecode.h"

#include "bench/ReferenceLzh.h"

namespace fuzzing {

std::vector<uint8_t> ReferenceDecode(std::span<const uint8_t> file) {
    std::vector<uint8_t> package;
    if (file.size() < 4) {
        return package;
    }
    const uint32_t size = uint32_t(file[0]) | uint32_t(file[1]) << 8 | uint32_t(file[2]) << 16 | uint32_t(file[3]) << 24;
    package.reserve(size);
    const uint8_t* in = file.data() + 4;
    const uint8_t* const inEnd = file.data() + file.size();
    reference::ReferenceLzh().Decode(
        size,
        [&in, inEnd](uint8_t& byte) -> size_t {
            if (in == inEnd) {
                return 0;
            }
            byte = *in++;
            return 1;
        },
        [&package](uint8_t byte) { package.push_back(byte); });
    return package;
}

} // namespace fuzzing
