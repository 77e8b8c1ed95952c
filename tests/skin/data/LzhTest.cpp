#include "skin/data/Lzh.h"

#include <gtest/gtest.h>

#include "tests/support/ByteText.h"

#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "tools/skinpack/LzhEncoder.h"

// One-shot allocation failure: the next operator new in this thread throws.
// Replacing the global allocation functions is the only way to reach the
// decoder's out-of-memory path without giving it a test hook.
namespace {
thread_local bool tFailNextAllocation = false;
}

// None of these is inlined, so the compiler does not see malloc() paired with
// operator delete or operator new paired with free().
[[gnu::noinline]] void* operator new(std::size_t size) {
    if (tFailNextAllocation) {
        tFailNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using testsupport::Bytes;
using testsupport::Text;
using namespace skin;

// "1011..." to bytes, most significant bit first, zero padded.
Bytes BitsToBytes(const std::string& bits) {
    Bytes out((bits.size() + 7) / 8, 0);
    for (size_t i = 0; i < bits.size(); ++i) {
        if (bits[i] == '1') {
            out[i / 8] |= uint8_t(0x80 >> (i % 8));
        }
    }
    return out;
}

struct DecodeResult {
    Bytes Output;
    size_t Writes = 0;
    size_t ReadsPastEnd = 0;
};

DecodeResult Decode(TLZH& lzh, const Bytes& stream, uint32_t size) {
    DecodeResult result;
    size_t next = 0;
    lzh.Decode(
        size,
        [&](uint8_t& byte) -> size_t {
            if (next == stream.size()) {
                ++result.ReadsPastEnd;
                return 0;
            }
            byte = stream[next++];
            return 1;
        },
        [&](uint8_t byte) {
            result.Output.push_back(byte);
            ++result.Writes;
        });
    return result;
}

// Through the byte callbacks, and checked against the whole-buffer decode the
// skin reader uses: both must give the same bytes for every stream.
DecodeResult Decode(const Bytes& stream, uint32_t size) {
    TLZH lzh;
    DecodeResult result = Decode(lzh, stream, size);
    Bytes whole(size, 0xEE);
    lzh.Decode(stream, whole);
    EXPECT_EQ(whole, result.Output) << "whole-buffer decode differs";
    return result;
}

// Codes in a fresh tree follow from its shape: slot s has parent 314 + s/2,
// the bit of a slot is its place in its pair (s & 1), and symbol s sits in
// slot s. So 'A' (65) climbs 65, 346, 487, 557, 592, 610, 619, 623, 625 to the
// root: read root first, 111001101. After 'A' is counted it trades slots with
// symbol 313 (the last count-1 leaf): its next code is the path from 313,
// 11000101. Match length 3 is symbol 256: 10001100; length 5 is 258:
// 10001110. Position p: upper 6 bits as the leading bits of the first d_code
// byte for them (0 -> 000, 1 -> 0010, 63 -> 11111111), then the lower 6 bits.
// The decoder's first write goes to ring position 4036, so a match at
// position p starts reading at 4036 - p - 1.
struct GoldenCase {
    const char* Name;
    const char* Bits;
    uint32_t Size;
    std::string Expected;
};

const GoldenCase kGoldenCases[] = {
    {"first literal", "111001101", 1, "A"},
    {"repeated literal after swap", "111001101" "11000101", 2, "AA"},
    {"overlapping match at distance 1", "111001101" "10001100" "000" "000000", 4, "AAAA"},
    {"match into the spaces", "111001101" "10001110" "0010" "100100", 6, "A     "},
    {"match as the very first symbol", "10001100" "0010" "100100", 3, "   "},
    {"position with an 8-bit upper code", "10001100" "11111111" "110001", 3, std::string(3, '\0')},
    {"no input at all reads zero bits", "", 1, "t"},
};

TEST(LzhDecode, HandDerivedStreamsDecodeToKnownText) {
    for (const GoldenCase& c : kGoldenCases) {
        SCOPED_TRACE(c.Name);
        const DecodeResult result = Decode(BitsToBytes(c.Bits), c.Size);
        EXPECT_EQ(result.Output, Text(c.Expected));
    }
}

TEST(LzhDecode, PositionTablesFollowTheDocumentedRuns) {
    const auto& t = lzh::kPositionTables;
    // (first byte value, last byte value, code length, first upper, values per upper)
    const struct { int from, to, len, upper, span; } runs[] = {
        {0, 31, 3, 0, 32},     {32, 79, 4, 1, 16},    {80, 143, 5, 4, 8},
        {144, 191, 6, 12, 4},  {192, 239, 7, 24, 2},  {240, 255, 8, 48, 1},
    };
    for (const auto& run : runs) {
        for (int i = run.from; i <= run.to; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(t.d_len[i], run.len);
            EXPECT_EQ(t.d_code[i], run.upper + (i - run.from) / run.span);
        }
    }
}

TEST(LzhDecode, ZeroSizeTouchesNeitherInputNorOutput) {
    TLZH lzh;
    bool called = false;
    lzh.Decode(
        0, [&](uint8_t&) -> size_t { called = true; return 0; }, [&](uint8_t) { called = true; });
    EXPECT_FALSE(called);
}

// A match of 5 (symbol 258) at position 0 where only 2 bytes remain.
TEST(LzhDecode, FinalMatchStopsAtSize) {
    const Bytes stream = BitsToBytes("10001110" "000" "000000");
    for (uint32_t size : {1u, 2u, 4u}) {
        SCOPED_TRACE(size);
        const DecodeResult result = Decode(stream, size);
        EXPECT_EQ(result.Writes, size);
        EXPECT_EQ(result.Output, Bytes(size, ' '));
    }
}

TEST(LzhDecode, InputEndingEarlyReadsAsZeroBytes) {
    std::mt19937 rng(7);
    Bytes input;
    for (int i = 0; i < 20000; ++i) {
        input.push_back(uint8_t("skin frame bitmap "[rng() % 18]));
    }
    const Bytes full = skinpack::LzhEncode(input);
    const Bytes cut(full.begin(), full.begin() + full.size() / 2);
    Bytes padded = cut;
    padded.resize(full.size() + 64, 0);

    const DecodeResult fromCut = Decode(cut, uint32_t(input.size()));
    const DecodeResult fromPadded = Decode(padded, uint32_t(input.size()));
    ASSERT_EQ(fromCut.Output.size(), input.size());
    EXPECT_GT(fromCut.ReadsPastEnd, 0u);
    EXPECT_EQ(fromCut.Output, fromPadded.Output);
    // The first half still decodes as it was.
    EXPECT_TRUE(std::equal(input.begin(), input.begin() + 1000, fromCut.Output.begin()));
}

// Ring positions 4036..4095 are read here (a match at position 4081 starts at
// 4050) before anything was written to them: they hold zeros, also when the
// same decoder has just filled them in an earlier run.
TEST(LzhDecode, UnwrittenRingTailReadsAsZerosOnEveryRun) {
    const Bytes readsTail = BitsToBytes("10001100" "11111111" "110001");
    TLZH lzh;
    EXPECT_EQ(Decode(lzh, readsTail, 3).Output, Bytes(3, 0));

    const Bytes text = Text(std::string(200, 'Q'));
    ASSERT_EQ(Decode(lzh, skinpack::LzhEncode(text), uint32_t(text.size())).Output, text);
    EXPECT_EQ(Decode(lzh, readsTail, 3).Output, Bytes(3, 0));
}

TEST(LzhDecode, TableAllocationFailureRaisesElzhException) {
    TLZH lzh;
    const Bytes stream = BitsToBytes("111001101");
    tFailNextAllocation = true;
    try {
        Decode(lzh, stream, 1);
        ADD_FAILURE() << "no exception";
    } catch (const ElzhException& e) {
        EXPECT_STREQ(e.what(), "LZH : Cannot get memory for dictionary tables");
    }
    tFailNextAllocation = false;
    // The decoder is still usable afterwards.
    EXPECT_EQ(Decode(lzh, stream, 1).Output, Text("A"));
}

// The tree shared by decoder and encoder: a fault in it would round-trip
// unnoticed, so it is checked against its own invariants. Leaves' counts are
// followed in a model that halves them (rounding up) at each rebuild.
void ExpectValidTree(const LzhHuffmanTree& tree, const std::vector<unsigned>& expectedLeafCounts) {
    using namespace lzh;
    std::vector<int> seen(N_CHAR, 0);
    ASSERT_EQ(tree.freq[T], 0xFFFF);
    for (int i = 0; i < T; ++i) {
        SCOPED_TRACE(i);
        if (i + 1 < T) {
            ASSERT_LE(tree.freq[i], tree.freq[i + 1]) << "counts out of order";
        }
        if (i != R) {
            const int parent = tree.prnt[i];
            ASSERT_GE(parent, 0);
            ASSERT_LT(parent, T);
            ASSERT_EQ(tree.son[parent], i & ~1) << "parent does not point back";
        }
        const int child = tree.son[i];
        if (child >= T) {
            const int symbol = child - T;
            ASSERT_LT(symbol, N_CHAR);
            ++seen[symbol];
            ASSERT_EQ(tree.prnt[child], i) << "leaf link";
            ASSERT_EQ(tree.freq[i], expectedLeafCounts[symbol]) << "symbol " << symbol;
        } else {
            ASSERT_GE(child, 0);
            ASSERT_EQ(child % 2, 0);
            ASSERT_EQ(tree.freq[i], tree.freq[child] + tree.freq[child + 1]) << "inner count";
        }
    }
    for (int s = 0; s < N_CHAR; ++s) {
        ASSERT_EQ(seen[s], 1) << "symbol " << s << " leaves";
    }
}

TEST(LzhHuffmanTree, StaysValidThroughManyRebuilds) {
    using namespace lzh;
    auto tree = std::make_unique<LzhHuffmanTree>();
    tree->Start();
    std::vector<unsigned> model(N_CHAR, 1);
    ExpectValidTree(*tree, model);

    // Skewed like real data: a few symbols very common, the rest rare.
    std::mt19937 rng(42);
    std::geometric_distribution<int> skewed(0.05);
    int rebuilds = 0;
    for (int n = 1; n <= 400000; ++n) {
        const int symbol = std::min(skewed(rng), N_CHAR - 1);
        if (tree->freq[R] == MAX_FREQ) {
            ++rebuilds;
            for (unsigned& count : model) {
                count = (count + 1) / 2;
            }
        }
        tree->Update(symbol);
        ++model[symbol];
        if (n % 5000 == 0) {
            ASSERT_NO_FATAL_FAILURE(ExpectValidTree(*tree, model)) << "after " << n << " updates";
        }
    }
    EXPECT_GE(rebuilds, 10);
}

struct RoundTripCase {
    const char* Name;
    Bytes Input;
};

Bytes RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out(size);
    for (uint8_t& b : out) {
        b = uint8_t(rng());
    }
    return out;
}

// A megabyte like a large skin: text, flat and graded pixel rows, noise.
Bytes MixedMegabyte() {
    std::mt19937 rng(3);
    Bytes out;
    while (out.size() < (1u << 20)) {
        switch (rng() % 4) {
        case 0:
            for (int i = 0; i < 3000; ++i) {
                out.push_back(uint8_t("[Form]\r\nBorder=frame.bmp\r\nColor=12632256\r\n"[rng() % 40]));
            }
            break;
        case 1:
            out.insert(out.end(), 6000, uint8_t(rng()));
            break;
        case 2:
            for (int i = 0; i < 3000; ++i) {
                out.push_back(uint8_t(i / 12));
            }
            break;
        default: {
            const Bytes noise = RandomBytes(2000, rng());
            out.insert(out.end(), noise.begin(), noise.end());
        }
        }
    }
    out.resize(1u << 20);
    return out;
}

TEST(LzhRoundTrip, DecoderRestoresWhatTheEncoderPacked) {
    const RoundTripCase cases[] = {
        {"empty", {}},
        {"one byte", {0xA5}},
        {"long run", Bytes(100000, 'x')},
        {"run of spaces", Bytes(5000, ' ')},
        {"text", Text("[Buttons]\r\nNormal=buttons.bmp\r\nFrame=4\r\nMargins=3,3,3,3\r\n[Title]\r\nFont=Tahoma\r\n")},
        {"random bytes", RandomBytes(70000, 11)},
        {"every length and distance", [] {
             Bytes b;
             for (int len = 1; len <= 70; ++len) {
                 for (int k = 0; k < len; ++k) {
                     b.push_back(uint8_t(len * 7 + k));
                 }
                 const Bytes last(b.end() - len, b.end());
                 b.insert(b.end(), last.begin(), last.end());
             }
             return b;
         }()},
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.Name);
        skinpack::LzhEncodeStats stats;
        const Bytes stream = skinpack::LzhEncode(c.Input, &stats);
        const DecodeResult result = Decode(stream, uint32_t(c.Input.size()));
        EXPECT_EQ(result.Output, c.Input);
    }
}

TEST(LzhRoundTrip, MegabyteRebuildsTheTreeManyTimes) {
    const Bytes input = MixedMegabyte();
    skinpack::LzhEncodeStats stats;
    const Bytes stream = skinpack::LzhEncode(input, &stats);
    // The first rebuild comes after about 32 K symbols, later ones every 16 K
    // or so: this is more than a dozen.
    EXPECT_GT(stats.Symbols(), 8u * 32768);
    EXPECT_EQ(Decode(stream, uint32_t(input.size())).Output, input);
}

} // namespace
