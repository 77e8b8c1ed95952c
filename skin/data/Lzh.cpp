#include "skin/data/Lzh.h"

#include <algorithm>
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
    freq[T] = 0xFFFF; // sentinel for the scan in Update
    prnt[R] = 0;
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
}

void TLZH::AllocateTables() {
    try {
        FTables = std::make_unique<LzhHuffmanTree>();
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
