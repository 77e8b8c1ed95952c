#include "fuzz/ReferenceDecode.h"

#include "bench/ReferenceLzh.h"

namespace fuzzing {

std::vector<uint8_t> ReferenceDecode(std::span<const uint8_t> file) { return reference::DecodeSkinFile(file); }

} // namespace fuzzing
