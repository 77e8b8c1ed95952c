#pragma once
// Bytes and text back and forth, for tests that build packages and read entries.

#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/MemoryStream.h"

namespace testsupport {

using Bytes = std::vector<uint8_t>;

inline Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

inline std::string AsText(const skin::MemoryStream& stream) {
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

} // namespace testsupport
