#include "tools/skinpack/LzhEncoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "skin/data/Lzh.h"

namespace skinpack {

namespace {

using namespace skin::lzh;

// The position code is the inverse of the decoder's tables: the upper 6 bits u
// are sent as the leading p_len[u] bits of the first byte value p_code[u] that
// d_code maps to u; the lower 6 bits follow as they are.
struct PositionCode {
    std::array<uint8_t, 64> p_len{};
    std::array<uint8_t, 64> p_code{};
};

constexpr PositionCode MakePositionCode() {
    PositionCode code;
    for (int i = 255; i >= 0; --i) { // downwards, so the first byte value of each run wins
        const uint8_t upper = kPositionTables.d_code[i];
        code.p_code[upper] = uint8_t(i);
        code.p_len[upper] = kPositionTables.d_len[i];
    }
    return code;
}

constexpr PositionCode kPositionCode = MakePositionCode();

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : FOut(out) {}

    // Sends the low count bits of value, most significant first.
    void Put(uint32_t value, int count) {
        while (count > 0) {
            const int take = std::min(count, 8 - FUsed);
            const uint32_t bits = (value >> (count - take)) & ((1u << take) - 1);
            FByte = uint8_t(FByte | bits << (8 - FUsed - take));
            FUsed += take;
            count -= take;
            if (FUsed == 8) {
                FOut.push_back(FByte);
                FByte = 0;
                FUsed = 0;
            }
        }
    }
    void Flush() {
        if (FUsed != 0) {
            FOut.push_back(FByte);
            FByte = 0;
            FUsed = 0;
        }
    }

private:
    std::vector<uint8_t>& FOut;
    uint8_t FByte = 0;
    int FUsed = 0;
};

class Encoder {
public:
    Encoder(std::vector<uint8_t>& out, LzhEncodeStats& stats) : FBits(out), FStats(stats) {}

    void Run(std::span<const uint8_t> input);

private:
    static constexpr int NIL = N; // "no node" in the search tree

    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);
    void TakePlaceOf(int p, int q);
    void EncodeChar(int c);
    void EncodePosition(unsigned position);

    uint8_t FText[RingSize]{};
    // Binary search trees of the ring positions, one per first byte: roots at
    // rson[N + 1 + byte], children in lson/rson, parents in dad.
    int FLson[N + 1]{};
    int FRson[N + 257]{};
    int FDad[N + 1]{};
    int FMatchPosition = 0;
    int FMatchLength = 0;
    skin::LzhHuffmanTree FTree; // Run starts it
    BitWriter FBits;
    LzhEncodeStats& FStats;
};

void Encoder::InitTree() {
    for (int i = N + 1; i <= N + 256; ++i) {
        FRson[i] = NIL;
    }
    for (int i = 0; i < N; ++i) {
        FDad[i] = NIL;
    }
}

// Inserts the string at r into its tree and leaves the longest match found on
// the way in FMatchLength/FMatchPosition (nearest position on equal lengths).
// A full-length match replaces the old node, which keeps the trees small.
void Encoder::InsertNode(int r) {
    const uint8_t* key = &FText[r];
    int cmp = 1;
    int p = N + 1 + key[0];
    FRson[r] = FLson[r] = NIL;
    FMatchLength = 0;
    for (;;) {
        if (cmp >= 0) {
            if (FRson[p] != NIL) {
                p = FRson[p];
            } else {
                FRson[p] = r;
                FDad[r] = p;
                return;
            }
        } else {
            if (FLson[p] != NIL) {
                p = FLson[p];
            } else {
                FLson[p] = r;
                FDad[r] = p;
                return;
            }
        }
        int i = 1;
        for (; i < F; ++i) {
            cmp = int(key[i]) - int(FText[p + i]);
            if (cmp != 0) {
                break;
            }
        }
        if (i > THRESHOLD) {
            const int position = ((r - p) & (N - 1)) - 1;
            if (i > FMatchLength) {
                FMatchPosition = position;
                FMatchLength = i;
                if (FMatchLength >= F) {
                    break;
                }
            } else if (i == FMatchLength && position < FMatchPosition) {
                FMatchPosition = position;
            }
        }
    }
    FDad[r] = FDad[p];
    FLson[r] = FLson[p];
    FRson[r] = FRson[p];
    FDad[FLson[p]] = r;
    FDad[FRson[p]] = r;
    TakePlaceOf(p, r);
}

void Encoder::DeleteNode(int p) {
    if (FDad[p] == NIL) {
        return;
    }
    int q;
    if (FRson[p] == NIL) {
        q = FLson[p];
    } else if (FLson[p] == NIL) {
        q = FRson[p];
    } else {
        q = FLson[p];
        if (FRson[q] != NIL) {
            do {
                q = FRson[q];
            } while (FRson[q] != NIL);
            FRson[FDad[q]] = FLson[q];
            FDad[FLson[q]] = FDad[q];
            FLson[q] = FLson[p];
            FDad[FLson[p]] = q;
        }
        FRson[q] = FRson[p];
        FDad[FRson[p]] = q;
    }
    FDad[q] = FDad[p];
    TakePlaceOf(p, q);
}

// Hangs node q where p hung under p's parent and unlinks p from the tree.
void Encoder::TakePlaceOf(int p, int q) {
    if (FRson[FDad[p]] == p) {
        FRson[FDad[p]] = q;
    } else {
        FLson[FDad[p]] = q;
    }
    FDad[p] = NIL;
}

// A symbol's code is the path from the root to its leaf: at each slot the bit
// is the slot's place in its sibling pair. Collected leaf first, sent root
// first. The path can be longer than 16 bits, so it is kept in full.
void Encoder::EncodeChar(int c) {
    std::array<uint8_t, T> path;
    int length = 0;
    int k = FTree.prnt[c + T];
    do {
        path[length++] = uint8_t(k & 1);
        k = FTree.prnt[k];
    } while (k != R);
    while (length > 0) {
        FBits.Put(path[--length], 1);
    }
    FTree.Update(c);
}

void Encoder::EncodePosition(unsigned position) {
    const unsigned upper = position >> 6;
    const int len = kPositionCode.p_len[upper];
    FBits.Put(kPositionCode.p_code[upper] >> (8 - len), len);
    FBits.Put(position & 0x3F, 6);
}

void Encoder::Run(std::span<const uint8_t> input) {
    size_t next = 0;
    FTree.Start();
    InitTree();
    int s = 0;
    int r = N - F;
    for (int i = 0; i < r; ++i) {
        FText[i] = ' ';
    }
    int len = 0;
    while (len < F && next < input.size()) {
        FText[r + len++] = input[next++];
    }
    if (len == 0) {
        return;
    }
    for (int i = 1; i <= F; ++i) {
        InsertNode(r - i);
    }
    InsertNode(r);
    do {
        if (FMatchLength > len) {
            FMatchLength = len;
        }
        if (FMatchLength <= THRESHOLD) {
            FMatchLength = 1;
            EncodeChar(FText[r]);
            ++FStats.Literals;
        } else {
            EncodeChar(255 - THRESHOLD + FMatchLength);
            EncodePosition(unsigned(FMatchPosition));
            ++FStats.Matches;
        }
        const int lastMatchLength = FMatchLength;
        int i = 0;
        for (; i < lastMatchLength && next < input.size(); ++i) {
            const uint8_t c = input[next++];
            DeleteNode(s);
            FText[s] = c;
            if (s < F - 1) {
                FText[s + N] = c; // mirror, so compares near the end need no wrap
            }
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            InsertNode(r);
        }
        while (i++ < lastMatchLength) {
            DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len != 0) {
                InsertNode(r);
            }
        }
    } while (len > 0);
    FBits.Flush();
}

} // namespace

std::vector<uint8_t> LzhEncode(std::span<const uint8_t> input, LzhEncodeStats* stats) {
    std::vector<uint8_t> out;
    out.reserve(input.size() / 2 + 16);
    LzhEncodeStats local;
    if (stats != nullptr) {
        *stats = {};
    }
    auto encoder = std::make_unique<Encoder>(out, stats ? *stats : local);
    encoder->Run(input);
    return out;
}

std::vector<uint8_t> MakeSkinFile(std::span<const uint8_t> package, LzhEncodeStats* stats) {
    if (package.size() > UINT32_MAX) {
        throw std::length_error("skin package larger than 4 GiB");
    }
    const uint32_t size = uint32_t(package.size());
    std::vector<uint8_t> file = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)};
    const std::vector<uint8_t> stream = LzhEncode(package, stats);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

} // namespace skinpack
