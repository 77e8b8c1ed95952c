#include "skin/data/SkinBmpDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

namespace skin {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

uint16_t U16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t U32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

struct Rgb {
    uint8_t b = 0, g = 0, r = 0;
};

// One colour channel packed in a 16- or 32-bit pixel.
struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit ChannelMask(uint32_t m = 0) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    uint8_t Extract(uint32_t pixel) const {
        if (max == 0) {
            return 0;
        }
        return uint8_t(uint64_t((pixel & mask) >> shift) * 255u / max);
    }
};

struct Header {
    int32_t width = 0;
    int32_t height = 0;  // rows, always positive here
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t pixelOffset = 0;
    std::vector<Rgb> palette;
    ChannelMask red, green, blue;
};

std::optional<Header> ReadHeader(std::span<const uint8_t> file) {
    if (file.size() < kFileHeaderSize + kCoreHeaderSize || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    Header h;
    h.pixelOffset = U32(file, 10);
    const uint32_t infoSize = U32(file, kFileHeaderSize);
    const size_t info = kFileHeaderSize;
    if (infoSize < kCoreHeaderSize || infoSize > file.size() - info) {
        return std::nullopt;
    }
    uint32_t paletteCount = 0;
    size_t paletteEntry = 4;
    int64_t height = 0;
    if (infoSize == kCoreHeaderSize) {
        h.width = U16(file, info + 4);
        height = U16(file, info + 6);
        if (U16(file, info + 8) != 1) {
            return std::nullopt;
        }
        h.bitCount = U16(file, info + 10);
        paletteEntry = 3;
    } else if (infoSize >= kInfoHeaderSize) {
        h.width = int32_t(U32(file, info + 4));
        height = int32_t(U32(file, info + 8));
        if (U16(file, info + 12) != 1) {
            return std::nullopt;
        }
        h.bitCount = U16(file, info + 14);
        h.compression = U32(file, info + 16);
        paletteCount = U32(file, info + 32);
    } else {
        return std::nullopt;
    }
    h.topDown = height < 0;
    if (height < 0) {
        height = -height;
    }
    if (h.width <= 0 || height <= 0 || height > INT32_MAX || int64_t(h.width) * height > kMaxSkinBitmapPixels) {
        return std::nullopt;
    }
    h.height = int32_t(height);

    switch (h.bitCount) {
    case 1: case 4: case 8:
        if (h.compression != kRgb && !(h.compression == kRle8 && h.bitCount == 8) &&
            !(h.compression == kRle4 && h.bitCount == 4)) {
            return std::nullopt;
        }
        break;
    case 16: case 32:
        if (h.compression != kRgb && h.compression != kBitFields) {
            return std::nullopt;
        }
        break;
    case 24:
        if (h.compression != kRgb) {
            return std::nullopt;
        }
        break;
    default:
        return std::nullopt;
    }
    if (h.topDown && (h.compression == kRle8 || h.compression == kRle4)) {
        return std::nullopt;  // run-length pictures are bottom-up by definition
    }

    size_t tableAt = info + infoSize;
    if (h.compression == kBitFields) {
        // The masks follow a 40-byte header; longer headers hold them inside.
        const size_t masksAt = info + kInfoHeaderSize;
        if (masksAt + 12 > file.size()) {
            return std::nullopt;
        }
        h.red = ChannelMask(U32(file, masksAt));
        h.green = ChannelMask(U32(file, masksAt + 4));
        h.blue = ChannelMask(U32(file, masksAt + 8));
        if (infoSize == kInfoHeaderSize) {
            tableAt += 12;
        }
    } else if (h.bitCount == 16) {
        h.red = ChannelMask(0x7C00);
        h.green = ChannelMask(0x03E0);
        h.blue = ChannelMask(0x001F);
    } else if (h.bitCount == 32) {
        h.red = ChannelMask(0x00FF0000);
        h.green = ChannelMask(0x0000FF00);
        h.blue = ChannelMask(0x000000FF);
    }

    if (h.bitCount <= 8) {
        const uint32_t full = 1u << h.bitCount;
        const uint32_t count = paletteCount == 0 || paletteCount > full ? full : paletteCount;
        if (tableAt > file.size() || (file.size() - tableAt) / paletteEntry < count) {
            return std::nullopt;
        }
        h.palette.resize(full);  // indexes past a short table read black
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = tableAt + i * paletteEntry;
            h.palette[i] = Rgb{file[at], file[at + 1], file[at + 2]};
        }
    }
    if (h.pixelOffset >= file.size()) {
        return std::nullopt;
    }
    return h;
}

// Writes one pixel into the 24-bit target row.
// Rows of a fresh picture by arithmetic: ScanLine flushes GDI on every call,
// which under Wine costs a round trip per row and was most of a skin load.
class Rows {
public:
    explicit Rows(ui::Bitmap& picture) : FFirst(picture.ScanLine(0)), FStride(size_t(picture.Stride())) {}
    uint8_t* operator[](int row) const { return FFirst + size_t(row) * FStride; }

private:
    uint8_t* FFirst;
    size_t FStride;
};

inline void Put(uint8_t* row, int x, Rgb c) {
    uint8_t* p = row + size_t(x) * 3;
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
}

int64_t SourceStride(const Header& h) { return (int64_t(h.width) * h.bitCount + 31) / 32 * 4; }

// Whether the pixel bytes cover every row (the last row need not be padded
// to its full stride).
bool HoldsEveryRow(const Header& h, std::span<const uint8_t> pixels) {
    const int64_t lastRow = (int64_t(h.width) * h.bitCount + 7) / 8;
    return int64_t(pixels.size()) >= SourceStride(h) * (h.height - 1) + lastRow;
}

void DecodeUncompressed(const Header& h, std::span<const uint8_t> pixels, ui::Bitmap& target) {
    const int64_t stride = SourceStride(h);
    const Rows rows(target);
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* source = pixels.data() + stride * y;
        uint8_t* row = rows[h.topDown ? y : h.height - 1 - y];
        if (h.bitCount == 24) {
            // The picture's own layout (B, G, R): the row as it is. Nearly
            // every skin bitmap is 24-bit.
            std::memcpy(row, source, size_t(h.width) * 3);
            continue;
        }
        for (int x = 0; x < h.width; ++x) {
            switch (h.bitCount) {
            case 1:
                Put(row, x, h.palette[(source[x >> 3] >> (7 - (x & 7))) & 1]);
                break;
            case 4:
                Put(row, x, h.palette[(source[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]);
                break;
            case 8:
                Put(row, x, h.palette[source[x]]);
                break;
            case 16: {
                const uint32_t v = uint32_t(source[2 * x] | source[2 * x + 1] << 8);
                Put(row, x, Rgb{h.blue.Extract(v), h.green.Extract(v), h.red.Extract(v)});
                break;
            }
            case 24:
                Put(row, x, Rgb{source[3 * x], source[3 * x + 1], source[3 * x + 2]});
                break;
            case 32: {
                const uint32_t v = U32(std::span<const uint8_t>(source + 4 * x, 4), 0);
                Put(row, x, Rgb{h.blue.Extract(v), h.green.Extract(v), h.red.Extract(v)});
                break;
            }
            }
        }
    }
}

// Run-length pictures: pixels not reached by any run stay palette entry 0, as
// the system draws them. A stream that ends before its end-of-picture mark is
// truncated.
bool DecodeRunLength(const Header& h, std::span<const uint8_t> data, ui::Bitmap& target) {
    const bool four = h.compression == kRle4;
    auto indexAt = [four](uint8_t byte, int i) { return four ? ((i & 1) ? byte & 0x0F : byte >> 4) : byte; };
    const Rows rows(target);
    for (int y = 0; y < h.height; ++y) {
        uint8_t* row = rows[y];
        for (int x = 0; x < h.width; ++x) {
            Put(row, x, h.palette[0]);
        }
    }
    size_t at = 0;
    int x = 0;
    int y = 0;  // counted from the bottom
    // Pixels past the end of a row are dropped; x stops at the row's end, so
    // no number of runs or deltas can carry it round to a negative column.
    auto put = [&](uint8_t index) {
        if (x >= h.width) {
            return;
        }
        if (y < h.height) {
            Put(rows[h.height - 1 - y], x, h.palette[index]);
        }
        ++x;
    };
    while (at + 2 <= data.size()) {
        const uint8_t count = data[at];
        const uint8_t value = data[at + 1];
        at += 2;
        if (count != 0) {
            for (int i = 0; i < count; ++i) {
                put(uint8_t(indexAt(value, i)));
            }
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1:  // end of picture
            return true;
        case 2:  // delta
            if (at + 2 > data.size()) {
                return false;
            }
            x = std::min(x + int(data[at]), h.width);
            y += data[at + 1];
            at += 2;
            break;
        default: {  // a literal run of value pixels, padded to 16 bits
            const size_t bytes = four ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t(1);
            if (padded > data.size() - at) {
                return false;
            }
            for (int i = 0; i < value; ++i) {
                put(uint8_t(indexAt(data[at + (four ? i / 2 : i)], i)));
            }
            at += padded;
            break;
        }
        }
        if (y >= h.height) {
            return true;  // nothing further can land inside the picture
        }
    }
    return false;
}

} // namespace

bool DecodeBmp(std::span<const uint8_t> file, ui::Bitmap& target) {
    try {
        const std::optional<Header> header = ReadHeader(file);
        if (!header) {
            target.Clear();
            return false;
        }
        const std::span<const uint8_t> pixels = file.subspan(header->pixelOffset);
        const bool runLength = header->compression == kRle8 || header->compression == kRle4;
        // A truncated file is refused before a picture is allocated for it.
        if (!runLength && !HoldsEveryRow(*header, pixels)) {
            target.Clear();
            return false;
        }
        // Kept in memory: a skin picture costs a DIB section only once drawn.
        ui::Bitmap picture = ui::Bitmap::InMemory(header->width, header->height, ui::PixelFormat::Bit24);
        bool complete = true;
        if (runLength) {
            complete = DecodeRunLength(*header, pixels, picture);
        } else {
            DecodeUncompressed(*header, pixels, picture);
        }
        if (!complete) {
            target.Clear();
            return false;
        }
        target = std::move(picture);
        return true;
    } catch (const std::bad_alloc&) {
        target.Clear();
        return false;
    }
}

} // namespace skin
