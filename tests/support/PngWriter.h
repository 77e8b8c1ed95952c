#pragma once
// Test PNG files written with libpng: any colour type and bit depth, with
// palettes, transparency chunks and interlacing.

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace testsupport {

using Bytes = std::vector<uint8_t>;
using Rgba = std::array<uint8_t, 4>;

// Rows are packed as libpng stores them (16-bit samples big-endian).
struct PngRecipe {
    int width = 1;
    int height = 1;
    int colorType = PNG_COLOR_TYPE_RGBA;
    int bitDepth = 8;
    Bytes rows;
    std::vector<png_color> palette;
    Bytes paletteAlpha;                      // tRNS of a palette image
    std::optional<png_color_16> keyColour;   // tRNS of a grey or RGB image
    bool interlaced = false;
};

inline PngRecipe Recipe(int width, int height, int colorType, int bitDepth, Bytes rows) {
    PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.colorType = colorType;
    recipe.bitDepth = bitDepth;
    recipe.rows = std::move(rows);
    return recipe;
}

inline void AppendToVector(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline void FlushNothing(png_structp) {}

inline int Channels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGBA: return 4;
    default: return 1;
    }
}

// The frame that calls setjmp owns nothing with a destructor.
inline bool WritePng(const PngRecipe& recipe, png_structp png, png_infop info, std::vector<png_bytep>& rowPointers,
              Bytes& out) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, &out, AppendToVector, FlushNothing);
    png_set_IHDR(png, info, png_uint_32(recipe.width), png_uint_32(recipe.height), recipe.bitDepth, recipe.colorType,
                 recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!recipe.palette.empty()) {
        png_set_PLTE(png, info, recipe.palette.data(), int(recipe.palette.size()));
    }
    if (!recipe.paletteAlpha.empty()) {
        png_set_tRNS(png, info, recipe.paletteAlpha.data(), int(recipe.paletteAlpha.size()), nullptr);
    }
    if (recipe.keyColour) {
        png_set_tRNS(png, info, nullptr, 0, &*recipe.keyColour);
    }
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    return true;
}

inline Bytes EncodePng(const PngRecipe& recipe) {
    const size_t rowBytes = (size_t(recipe.width) * Channels(recipe.colorType) * recipe.bitDepth + 7) / 8;
    if (recipe.rows.size() != rowBytes * recipe.height) {
        ADD_FAILURE() << "rows hold " << recipe.rows.size() << " bytes, expected " << rowBytes * recipe.height;
        return {};
    }
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < recipe.height; ++y) {
        rowPointers.push_back(const_cast<png_bytep>(recipe.rows.data() + rowBytes * y));
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes out;
    const bool written = WritePng(recipe, png, info, rowPointers, out);
    png_destroy_write_struct(&png, &info);
    if (!written) {
        ADD_FAILURE() << "libpng could not write the test image";
        return {};
    }
    return out;
}

inline Bytes RgbaPng(int width, int height, const std::function<Rgba(int, int)>& pixel) {
    PngRecipe recipe = Recipe(width, height, PNG_COLOR_TYPE_RGBA, 8, {});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            recipe.rows.insert(recipe.rows.end(), p.begin(), p.end());
        }
    }
    return EncodePng(recipe);
}

} // namespace testsupport
