#pragma once
// The LZH decoder of skin files: LZSS over a 4096-byte ring with an adaptive
// Huffman code for literals and match lengths (the LZHUF scheme). Portable: no
// Windows header.
//
// Decode is a template over its byte callbacks so that the per-byte calls
// inline; the work is bit by bit anyway, and an indirect call per byte would
// cost as much as the decoding itself.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <type_traits>

namespace skin {

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace lzh {

inline constexpr int N = 4096;                        // ring buffer size
inline constexpr int F = 60;                          // longest match
inline constexpr int THRESHOLD = 2;                   // shorter matches are sent as literals
inline constexpr int N_CHAR = 256 - THRESHOLD + F;    // 256 literals and 58 match lengths
inline constexpr int T = N_CHAR * 2 - 1;              // nodes of the Huffman tree
inline constexpr int R = T - 1;                       // its root
inline constexpr unsigned MAX_FREQ = 0x8000;          // root count at which the tree is rebuilt
inline constexpr int RingSize = N + F - 1;            // the tail mirrors the head for the encoder's compares
inline constexpr int FirstWritePosition = N - F;      // positions before it start as spaces

// Position decoding, indexed by the first 8 bits of a position code: how many
// bits the upper-6-bit code takes (d_len) and the upper 6 bits it stands for
// (d_code). Built from the run lengths of the code rather than typed out.
struct PositionTables {
    std::array<uint8_t, 256> d_code{};
    std::array<uint8_t, 256> d_len{};
};

consteval PositionTables MakePositionTables() {
    PositionTables tables;
    // (code length, how many upper values share it, first-byte values per upper value)
    constexpr struct { uint8_t len, uppers, span; } groups[] = {
        {3, 1, 32}, {4, 3, 16}, {5, 8, 8}, {6, 12, 4}, {7, 24, 2}, {8, 16, 1},
    };
    int index = 0;
    int upper = 0;
    for (const auto& g : groups) {
        for (int u = 0; u < g.uppers; ++u, ++upper) {
            for (int k = 0; k < g.span; ++k, ++index) {
                tables.d_code[index] = uint8_t(upper);
                tables.d_len[index] = g.len;
            }
        }
    }
    return tables;
}

inline constexpr PositionTables kPositionTables = MakePositionTables();
static_assert(kPositionTables.d_code[255] == 63 && kPositionTables.d_len[255] == 8);
static_assert(kPositionTables.d_code[0x20] == 1 && kPositionTables.d_len[0x20] == 4);

} // namespace lzh

// The adaptive Huffman tree. Nodes are slots 0..T-1; siblings sit in pairs
// (2m, 2m+1), son[] holds the first slot of a node's pair or symbol + T for a
// leaf, prnt[] the parent slot of a slot (and, at symbol + T, the leaf slot of
// a symbol). The encoder of the packer uses the same tree, so both sides
// follow one update rule.
struct LzhHuffmanTree {
    uint16_t freq[lzh::T + 1];
    int16_t prnt[lzh::T + lzh::N_CHAR];
    int16_t son[lzh::T];

    // Every symbol count 1, leaves paired bottom-up.
    void Start() noexcept;

    // Counts one more occurrence of symbol c and restores the order of counts
    // by moving the node up past the nodes it now outweighs.
    inline void Update(int c) noexcept;

    // Halves all leaf counts and builds the inner nodes anew; runs when the
    // root count reaches MAX_FREQ.
    void Reconstruct() noexcept;
};

inline void LzhHuffmanTree::Update(int c) noexcept {
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

class TLZH {
public:
    static constexpr const char* kAllocationFailedText = "LZH : Cannot get memory for dictionary tables";

    TLZH() = default;
    TLZH(const TLZH&) = delete;
    TLZH& operator=(const TLZH&) = delete;

    // Produces exactly Size bytes through writeByte. readByte(uint8_t&) delivers
    // the next input byte and answers how many it delivered (0 or 1); once the
    // input is exhausted the bit stream reads as zeros. Throws ElzhException
    // when the tables cannot be allocated.
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

    void AllocateTables();
    void FreeTables() noexcept;
    // Positions 0..N-F-1 hold spaces; the rest, which a well-formed stream
    // writes before reading, start as zeros so that a malformed one reads the
    // same bytes on every run.
    void ResetRing() noexcept;

    std::array<uint8_t, lzh::RingSize> FText{};
    std::unique_ptr<LzhHuffmanTree> FTables;
};

template <class Bits>
int TLZH::DecodeChar(Bits& bits) {
    using namespace lzh;
    LzhHuffmanTree& tree = *FTables;
    int c = tree.son[R];
    while (c < T) {
        c = tree.son[c + int(bits.GetBit())];
    }
    c -= T;
    tree.Update(c);
    return c;
}

template <class Bits>
unsigned TLZH::DecodePosition(Bits& bits) {
    unsigned i = bits.GetByte();
    const unsigned upper = unsigned(lzh::kPositionTables.d_code[i]) << 6;
    for (unsigned j = lzh::kPositionTables.d_len[i] - 2u; j != 0; --j) {
        i = ((i << 1) + bits.GetBit()) & 0xFFFF;
    }
    return upper | (i & 0x3F);
}

template <class ReadByte, class WriteByte>
void TLZH::Decode(uint32_t Size, ReadByte&& readByte, WriteByte&& writeByte) {
    using namespace lzh;
    AllocateTables();
    struct Release {
        TLZH& self;
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

} // namespace skin
