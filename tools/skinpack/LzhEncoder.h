#pragma once
// LZH encoder for skin files: the exact counterpart of skin::TLZH. Longest
// matches are found with a binary search tree over the 4096-byte ring; literals
// and match lengths go through the same adaptive Huffman tree as the decoder's,
// positions through the fixed code the decoder's d_code/d_len tables read.
// Part of the packer tool, not of the program.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skinpack {

struct LzhEncodeStats {
    uint64_t Literals = 0;
    uint64_t Matches = 0;
    uint64_t Symbols() const noexcept { return Literals + Matches; }
};

// The compressed bit stream alone, most significant bit first, the last
// partial byte padded with zero bits.
std::vector<uint8_t> LzhEncode(std::span<const uint8_t> input, LzhEncodeStats* stats = nullptr);

// A whole skin file: the input size as 4 little-endian bytes, then the stream.
std::vector<uint8_t> MakeSkinFile(std::span<const uint8_t> package, LzhEncodeStats* stats = nullptr);

} // namespace skinpack
