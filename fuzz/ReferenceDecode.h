#pragma once
// The reference decoder over a whole skin file, for the skin reader target.
// Built without coverage tracing: it is the target's yardstick, not under test.

#include <cstdint>
#include <span>
#include <vector>

namespace fuzzing {

// The package the reference decoder gives for a skin file (4-byte size, then
// the stream); empty for a file shorter than its size field.
std::vector<uint8_t> ReferenceDecode(std::span<const uint8_t> file);

} // namespace fuzzing
