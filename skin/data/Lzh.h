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
#include <span>
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
//
// Counts ascend over the slots, so the slots of one count form a block, and
// the node an update swaps with is the last slot of its block. lastOfCount[f]
// names that slot for every count f present in the tree, which makes finding
// it O(1) instead of a scan across the block (a scan that ran across hundreds
// of count-1 leaves early in a stream and after each rebuild). Counts never
// pass MAX_FREQ: the root reaching it rebuilds the tree first. Entries of
// counts no slot holds are stale and never read.
struct LzhHuffmanTree {
    uint16_t freq[lzh::T + 1];
    int16_t prnt[lzh::T + lzh::N_CHAR];
    int16_t son[lzh::T];
    // One more entry than counts: the slot a step writes to instead of
    // branching when the block of f + 1 keeps its last.
    static constexpr unsigned kSpareCount = lzh::MAX_FREQ + 1;
    int16_t lastOfCount[kSpareCount + 1];

    // Every symbol count 1, leaves paired bottom-up.
    void Start() noexcept;

    // Counts one more occurrence of symbol c and restores the order of counts
    // by moving the node up past the nodes it now outweighs. Runs once per
    // symbol: it belongs inside the decoding loop. path, when given, holds
    // the depth nodes from the root down to the leaf's parent, as the decoder
    // walked them: while no node has moved, the next parent is read from it
    // instead of waiting for prnt[].
    [[gnu::always_inline]] inline void Update(int c, const int16_t* path = nullptr, int depth = 0) noexcept;

    // Halves all leaf counts and builds the inner nodes anew; runs when the
    // root count reaches MAX_FREQ (once in thousands of symbols).
    [[gnu::noinline]] void Reconstruct() noexcept;

private:
    void IndexBlocks() noexcept;
};

inline void LzhHuffmanTree::Update(int c, const int16_t* path, int depth) noexcept {
    using namespace lzh;
    if (freq[R] == MAX_FREQ) {
        Reconstruct();
        depth = 0; // the walked path is gone with the old tree
    }
    c = prnt[c + T];
    do {
        const unsigned f = freq[c];
        int l = c;
        unsigned after = freq[c + 1];
        if (after == f) {
            // c trades places with the last node of its block, so counts stay
            // in order once that slot's count grows. Most steps up the tree
            // need no trade: they never wait for the block table.
            l = lastOfCount[f];
            after = freq[l + 1];
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
            depth = 0; // l's parents are not the walked ones
        }
        freq[l] = uint16_t(f + 1);
        // The block of f now ends one slot earlier (or is gone: then the entry
        // is stale); the slot joins the block of f + 1 as its last unless that
        // block goes on after it. freq[T] is 0xFFFF, never a count.
        lastOfCount[f] = int16_t(l - 1);
        lastOfCount[after != f + 1 ? f + 1 : kSpareCount] = int16_t(l);
        c = depth > 0 ? path[--depth] : prnt[l];
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

    // The same bytes, from a whole stream into a whole target (its size is the
    // size to produce): input taken by words, matches copied inside the target
    // instead of through the ring a byte at a time.
    void Decode(std::span<const uint8_t> stream, std::span<uint8_t> target);

private:
    // Bits are taken most significant first from a 64-bit buffer that its
    // source refills only when it runs short: one test per bit instead of a
    // refill per bit. Bits past the end of the input are zeros.
    template <class Source>
    class BitInput {
    public:
        explicit BitInput(Source source) noexcept : FSource(source) {}

        unsigned GetBit() {
            if (FBitCount == 0) {
                FSource.Refill(FBitBuffer, FBitCount);
            }
            const unsigned bit = unsigned(FBitBuffer >> 63);
            FBitBuffer <<= 1;
            --FBitCount;
            return bit;
        }
        // The next count bits (1..16) as a number.
        unsigned GetBits(unsigned count) {
            if (FBitCount < count) {
                FSource.Refill(FBitBuffer, FBitCount);
            }
            const unsigned bits = unsigned(FBitBuffer >> (64 - count));
            FBitBuffer <<= count;
            FBitCount -= count;
            return bits;
        }

    private:
        Source FSource;
        uint64_t FBitBuffer = 0;
        unsigned FBitCount = 0;
    };

    // Refills a bit buffer (count bits held, the rest zero) to at least 57 bits.
    template <class ReadByte>
    struct CallbackBytes {
        ReadByte& Read;
        void Refill(uint64_t& buffer, unsigned& count) {
            while (count <= 56) {
                uint8_t byte = 0;
                if (Read(byte) == 0) {
                    byte = 0;
                }
                buffer |= uint64_t(byte) << (56 - count);
                count += 8;
            }
        }
    };
    struct SpanBytes {
        const uint8_t* Next;
        const uint8_t* End;
        void Refill(uint64_t& buffer, unsigned& count) noexcept;
    };

    // Where decoded bytes go. The ring keeps the last N bytes for matches and
    // hands every byte to the caller; the target is itself the history.
    template <class WriteByte>
    struct RingOutput {
        uint8_t* Text;
        WriteByte& Write;
        unsigned R = lzh::FirstWritePosition;
        void Put(uint8_t byte) {
            Write(byte);
            Text[R] = byte;
            R = (R + 1) & (lzh::N - 1);
        }
        // distance: 1..N bytes back from the next byte.
        void Copy(unsigned distance, uint32_t length) {
            const unsigned from = R - distance;
            for (uint32_t k = 0; k < length; ++k) {
                Put(Text[(from + k) & (lzh::N - 1)]);
            }
        }
    };
    struct TargetOutput {
        uint8_t* Begin;
        uint8_t* Next;
        void Put(uint8_t byte) noexcept { *Next++ = byte; }
        void Copy(unsigned distance, uint32_t length) noexcept;
    };

    template <class Bits>
    int DecodeChar(Bits& bits);
    template <class Bits>
    unsigned DecodePosition(Bits& bits);
    template <class Bits, class Output>
    void Run(uint32_t size, Bits& bits, Output& output);

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
    // A path is never longer than the leaves are many.
    int16_t path[N_CHAR];
    int depth = 0;
    int node = R;
    int c = tree.son[R];
    while (c < T) {
        path[depth++] = int16_t(node);
        node = c + int(bits.GetBit());
        c = tree.son[node];
    }
    c -= T;
    tree.Update(c, path, depth);
    return c;
}

// The first byte gives the upper 6 bits and how many more bits follow; the
// last 6 bits read are the lower 6.
template <class Bits>
unsigned TLZH::DecodePosition(Bits& bits) {
    const unsigned first = bits.GetBits(8);
    const unsigned upper = unsigned(lzh::kPositionTables.d_code[first]) << 6;
    const unsigned more = lzh::kPositionTables.d_len[first] - 2u;
    const unsigned code = (first << more) | bits.GetBits(more);
    return upper | (code & 0x3F);
}

template <class Bits, class Output>
void TLZH::Run(uint32_t size, Bits& bits, Output& output) {
    using namespace lzh;
    AllocateTables();
    struct Release {
        TLZH& self;
        ~Release() { self.FreeTables(); }
    } release{*this};

    FTables->Start();
    uint32_t count = 0;
    while (count < size) {
        const int c = DecodeChar(bits);
        if (c < 256) {
            output.Put(uint8_t(c));
            ++count;
        } else {
            const unsigned distance = DecodePosition(bits) + 1;
            // A match running past the size stops there: nothing beyond it is written.
            const uint32_t length = std::min<uint32_t>(uint32_t(c - 255 + THRESHOLD), size - count);
            output.Copy(distance, length);
            count += length;
        }
    }
}

template <class ReadByte, class WriteByte>
void TLZH::Decode(uint32_t Size, ReadByte&& readByte, WriteByte&& writeByte) {
    using Read = std::remove_reference_t<ReadByte>;
    BitInput<CallbackBytes<Read>> bits(CallbackBytes<Read>{readByte});
    ResetRing();
    RingOutput<std::remove_reference_t<WriteByte>> output{FText.data(), writeByte};
    Run(Size, bits, output);
}

} // namespace skin
