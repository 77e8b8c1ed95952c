#pragma once
// The LZH decoder as it was before the block-leader tree and the word-wide bit
// buffer: a linear scan for the node to swap with and a 16-bit buffer refilled
// a byte at a time. Kept (header only) as the reference the benchmark times
// the decoder against and the skin reader's fuzz target checks its output
// against, byte for byte.

#include "skin/data/Lzh.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>
#include <type_traits>

namespace reference {

using namespace skin::lzh;
namespace lzh = skin::lzh;

// The adaptive Huffman tree. Nodes are slots 0..T-1; siblings sit in pairs
// (2m, 2m+1), son[] holds the first slot of a node's pair or symbol + T for a
// leaf, prnt[] the parent slot of a slot (and, at symbol + T, the leaf slot of
// a symbol). A copy of the tree as it was, so that the reference does not
// follow changes to the program's tree.
struct ReferenceTree {
    uint16_t freq[lzh::T + 1];
    int16_t prnt[lzh::T + lzh::N_CHAR];
    int16_t son[lzh::T];

    // Every symbol count 1, leaves paired bottom-up.
    inline void Start() noexcept;

    // Counts one more occurrence of symbol c and restores the order of counts
    // by moving the node up past the nodes it now outweighs.
    inline void Update(int c) noexcept;

    // Halves all leaf counts and builds the inner nodes anew; runs when the
    // root count reaches MAX_FREQ.
    inline void Reconstruct() noexcept;
};

inline void ReferenceTree::Update(int c) noexcept {
    using namespace lzh;
    if (freq[R] == MAX_FREQ) {
        Reconstruct();
    }
    c = prnt[c + T];
    do {
        const unsigned k = ++freq[c];
        if (k > freq[c + 1]) {
            // freq[T] is 0xFFFF, so the scan stops inside the table.
            int l = c + 1;
            while (k > freq[l + 1]) {
                ++l;
            }
            freq[c] = freq[l];
            freq[l] = uint16_t(k);

            const int i = son[c];
            prnt[i] = int16_t(l);
            if (i < T) {
                prnt[i + 1] = int16_t(l);
            }
            const int j = son[l];
            son[l] = int16_t(i);
            prnt[j] = int16_t(c);
            if (j < T) {
                prnt[j + 1] = int16_t(c);
            }
            son[c] = int16_t(j);
            c = l;
        }
        c = prnt[c];
    } while (c != 0);
}

class ReferenceLzh {
public:
    ReferenceLzh() = default;
    ReferenceLzh(const ReferenceLzh&) = delete;
    ReferenceLzh& operator=(const ReferenceLzh&) = delete;

    // Produces exactly Size bytes through writeByte. readByte(uint8_t&) delivers
    // the next input byte and answers how many it delivered (0 or 1); once the
    // input is exhausted the bit stream reads as zeros.
    template <class ReadByte, class WriteByte>
    void Decode(uint32_t Size, ReadByte&& readByte, WriteByte&& writeByte);

private:
    // Bits are taken most significant first through a 16-bit buffer refilled a
    // byte at a time whenever it holds 8 bits or fewer.
    template <class ReadByte>
    class BitInput {
    public:
        explicit BitInput(ReadByte& readByte) noexcept : FReadByte(readByte) {}

        unsigned GetBit() {
            Refill();
            const unsigned bit = FBitBuffer >> 15;
            FBitBuffer = uint16_t(FBitBuffer << 1);
            --FBitCount;
            return bit;
        }
        unsigned GetByte() {
            Refill();
            const unsigned byte = FBitBuffer >> 8;
            FBitBuffer = uint16_t(FBitBuffer << 8);
            FBitCount = uint8_t(FBitCount - 8);
            return byte;
        }

    private:
        void Refill() {
            while (FBitCount <= 8) {
                uint8_t byte = 0;
                if (FReadByte(byte) == 0) {
                    byte = 0;
                }
                FBitBuffer = uint16_t(FBitBuffer | unsigned(byte) << (8 - FBitCount));
                FBitCount = uint8_t(FBitCount + 8);
            }
        }

        ReadByte& FReadByte;
        uint16_t FBitBuffer = 0;
        uint8_t FBitCount = 0;
    };

    template <class Bits>
    int DecodeChar(Bits& bits);
    template <class Bits>
    unsigned DecodePosition(Bits& bits);

    void AllocateTables() { FTables = std::make_unique<ReferenceTree>(); }
    void FreeTables() noexcept { FTables.reset(); }
    // Positions 0..N-F-1 hold spaces; the rest, which a well-formed stream
    // writes before reading, start as zeros so that a malformed one reads the
    // same bytes on every run.
    void ResetRing() noexcept {
        std::fill(FText.begin(), FText.begin() + lzh::FirstWritePosition, uint8_t(' '));
        std::fill(FText.begin() + lzh::FirstWritePosition, FText.end(), uint8_t(0));
    }

    std::array<uint8_t, lzh::RingSize> FText{};
    std::unique_ptr<ReferenceTree> FTables;
};

template <class Bits>
int ReferenceLzh::DecodeChar(Bits& bits) {
    using namespace lzh;
    ReferenceTree& tree = *FTables;
    int c = tree.son[R];
    while (c < T) {
        c = tree.son[c + int(bits.GetBit())];
    }
    c -= T;
    tree.Update(c);
    return c;
}

template <class Bits>
unsigned ReferenceLzh::DecodePosition(Bits& bits) {
    unsigned i = bits.GetByte();
    const unsigned upper = unsigned(lzh::kPositionTables.d_code[i]) << 6;
    for (unsigned j = lzh::kPositionTables.d_len[i] - 2u; j != 0; --j) {
        i = ((i << 1) + bits.GetBit()) & 0xFFFF;
    }
    return upper | (i & 0x3F);
}

template <class ReadByte, class WriteByte>
void ReferenceLzh::Decode(uint32_t Size, ReadByte&& readByte, WriteByte&& writeByte) {
    using namespace lzh;
    AllocateTables();
    struct Release {
        ReferenceLzh& self;
        ~Release() { self.FreeTables(); }
    } release{*this};

    FTables->Start();
    ResetRing();
    BitInput<std::remove_reference_t<ReadByte>> bits(readByte);
    uint8_t* const text = FText.data();
    unsigned r = FirstWritePosition;
    uint32_t count = 0;
    while (count < Size) {
        const int c = DecodeChar(bits);
        if (c < 256) {
            const uint8_t byte = uint8_t(c);
            writeByte(byte);
            text[r] = byte;
            r = (r + 1) & (N - 1);
            ++count;
        } else {
            const unsigned i = (r - DecodePosition(bits) - 1) & (N - 1);
            // A match running past Size stops there: nothing beyond Size is written.
            const uint32_t length = std::min<uint32_t>(uint32_t(c - 255 + THRESHOLD), Size - count);
            for (uint32_t k = 0; k < length; ++k) {
                const uint8_t byte = text[(i + k) & (N - 1)];
                writeByte(byte);
                text[r] = byte;
                r = (r + 1) & (N - 1);
            }
            count += length;
        }
    }
}

inline void ReferenceTree::Start() noexcept {
    for (int i = 0; i < N_CHAR; ++i) {
        freq[i] = 1;
        son[i] = int16_t(i + T);
        prnt[i + T] = int16_t(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq[j] = uint16_t(freq[i] + freq[i + 1]);
        son[j] = int16_t(i);
        prnt[i] = prnt[i + 1] = int16_t(j);
    }
    freq[T] = 0xFFFF; // sentinel for the scan in Update
    prnt[R] = 0;
}

inline void ReferenceTree::Reconstruct() noexcept {
    // Gather the leaves at the bottom, counts halved (rounded up so none drops to 0).
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son[i] >= T) {
            freq[j] = uint16_t((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    // Pair them up again, keeping counts in ascending order. The moves go one
    // element at a time: these are 16-bit arrays, and a byte count computed
    // for another element width shifts only part of them.
    for (int i = 0, j = N_CHAR; j < T; i += 2, ++j) {
        const unsigned f = unsigned(freq[i]) + freq[i + 1];
        int k = j - 1;
        while (f < freq[k]) {
            --k;
        }
        ++k;
        std::copy_backward(freq + k, freq + j, freq + j + 1);
        std::copy_backward(son + k, son + j, son + j + 1);
        freq[k] = uint16_t(f);
        son[k] = int16_t(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = son[i];
        if (k >= T) {
            prnt[k] = int16_t(i);
        } else {
            prnt[k] = prnt[k + 1] = int16_t(i);
        }
    }
}

// A whole skin file (4-byte size, then the stream) through the byte callbacks
// the reader used to give the decoder; empty for a file shorter than its size.
inline std::vector<uint8_t> DecodeSkinFile(std::span<const uint8_t> file) {
    std::vector<uint8_t> package;
    if (file.size() < 4) {
        return package;
    }
    const uint32_t size = uint32_t(file[0]) | uint32_t(file[1]) << 8 | uint32_t(file[2]) << 16 | uint32_t(file[3]) << 24;
    package.reserve(size);
    const uint8_t* in = file.data() + 4;
    const uint8_t* const inEnd = file.data() + file.size();
    ReferenceLzh().Decode(
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

} // namespace reference
