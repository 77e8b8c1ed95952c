#include "skin/data/Lzh.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace skin {

using namespace lzh;

void LzhHuffmanTree::Start() noexcept {
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
    freq[T] = 0xFFFF; // never a count: ends the last block
    prnt[R] = 0;
    IndexBlocks();
}

void LzhHuffmanTree::IndexBlocks() noexcept {
    for (int i = 0; i < T; ++i) {
        lastOfCount[freq[i]] = int16_t(i);
    }
}

void LzhHuffmanTree::Reconstruct() noexcept {
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
    IndexBlocks();
}

void TLZH::SpanBytes::Refill(uint64_t& buffer, unsigned& count) noexcept {
    unsigned take = (64 - count) / 8; // whole bytes that fit: 1..8
    if (End - Next >= 8) {
        uint64_t word = 0;
        for (int k = 0; k < 8; ++k) {
            word = word << 8 | Next[k]; // one big-endian load for the compiler
        }
        buffer |= word >> (8 * (8 - take)) << (64 - count - 8 * take);
        Next += take;
        count += 8 * take;
        return;
    }
    for (; take != 0; --take) {
        const uint8_t byte = Next != End ? *Next++ : 0;
        buffer |= uint64_t(byte) << (56 - count);
        count += 8;
    }
}

// A match copies from distance bytes back in what was decoded so far. Before
// the target's start lies the ring as it starts: spaces, and zeros in the N - F
// positions the first bytes are written to, which a match reaches from the
// first N bytes only.
void TLZH::TargetOutput::Copy(unsigned distance, uint32_t length) noexcept {
    const ptrdiff_t written = Next - Begin;
    if (ptrdiff_t(distance) > written) {
        for (uint32_t k = 0; k < length; ++k) {
            const ptrdiff_t from = written + ptrdiff_t(k) - ptrdiff_t(distance);
            Next[k] = from >= 0 ? Begin[from] : from >= -ptrdiff_t(FirstWritePosition) ? uint8_t(' ') : uint8_t(0);
        }
    } else if (distance >= length) {
        std::memcpy(Next, Next - distance, length);
    } else {
        // Overlapping: each byte may be one this match just wrote.
        const uint8_t* from = Next - distance;
        for (uint32_t k = 0; k < length; ++k) {
            Next[k] = from[k];
        }
    }
    Next += length;
}

void TLZH::Decode(std::span<const uint8_t> stream, std::span<uint8_t> target) {
    BitInput<SpanBytes> bits(SpanBytes{stream.data(), stream.data() + stream.size()});
    TargetOutput output{target.data(), target.data()};
    Run(uint32_t(target.size()), bits, output);
}

void TLZH::AllocateTables() {
    try {
        // Start fills what a decode reads; the 64 KB block table needs no zeros.
        FTables = std::make_unique_for_overwrite<LzhHuffmanTree>();
    } catch (const std::bad_alloc&) {
        throw ElzhException(kAllocationFailedText);
    }
}

void TLZH::FreeTables() noexcept {
    FTables.reset();
}

void TLZH::ResetRing() noexcept {
    std::fill(FText.begin(), FText.begin() + FirstWritePosition, uint8_t(' '));
    std::fill(FText.begin() + FirstWritePosition, FText.end(), uint8_t(0));
}

} // namespace skin
