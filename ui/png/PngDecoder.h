#pragma once
// Decoding PNG files held in memory into 8-bit RGBA pixels.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ui {

// Rows top-down, 4 bytes per pixel in the order R, G, B, A; the alpha is
// straight (colours are not multiplied by it).
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    const uint8_t* Row(int y) const { return pixels.data() + size_t(y) * size_t(width) * 4; }
};

// Pictures wider or taller than this are refused as damaged or hostile.
inline constexpr int kMaxPngDimension = 16384;

// Any colour type and bit depth is accepted (palette, grey, transparency
// chunk, 16 bits, interlacing). Anything that is not a complete, valid PNG
// gives nullopt.
std::optional<RgbaImage> DecodePng(std::span<const uint8_t> bytes);

} // namespace ui
