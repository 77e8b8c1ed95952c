#include "ui/png/PngDecoder.h"

#include <png.h>

#include <cstring>
#include <new>

namespace ui {

namespace {

struct MemoryReader {
    std::span<const uint8_t> data;
    size_t offset = 0;
};

// libpng reports every failure through these; nothing in them owns resources,
// because png_error leaves them by longjmp.
void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->data.size() - reader->offset) {
        png_error(png, "unexpected end of data");
    }
    std::memcpy(out, reader->data.data() + reader->offset, length);
    reader->offset += length;
}

[[noreturn]] void FailQuietly(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

class ReadStructs {
public:
    ReadStructs() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, IgnoreWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
    }
    ReadStructs(const ReadStructs&) = delete;
    ReadStructs& operator=(const ReadStructs&) = delete;
    ~ReadStructs() {
        if (png_ != nullptr) {
            png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
        }
    }
    bool Valid() const { return png_ != nullptr && info_ != nullptr; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Whatever the stored format, ask libpng for 8-bit R, G, B, A.
void RequestRgba8(png_structp png, png_infop info) {
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool hasTransparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (hasTransparencyChunk) {
        png_set_tRNS_to_alpha(png);
    }
    if (bitDepth == 16) {
        png_set_scale_16(png);
    }
    if ((colorType & PNG_COLOR_MASK_COLOR) == 0) {
        png_set_gray_to_rgb(png);
    }
    if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTransparencyChunk) {
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// The only frame that calls setjmp. Everything with a destructor lives in the
// caller, so a longjmp out of libpng skips no C++ cleanup; after a longjmp this
// frame reads none of its own locals.
bool Read(const ReadStructs& structs, MemoryReader& reader, RgbaImage& image, std::vector<png_bytep>& rows) {
    png_structp png = structs.Png();
    png_infop info = structs.Info();
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_set_user_limits(png, kMaxPngDimension, kMaxPngDimension);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || width > png_uint_32(kMaxPngDimension) || height > png_uint_32(kMaxPngDimension)) {
        return false;
    }
    RequestRgba8(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4) {
        return false;
    }
    image.width = int(width);
    image.height = int(height);
    image.pixels.resize(size_t(width) * size_t(height) * 4);  // bad_alloc leaves through the caller
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = image.pixels.data() + size_t(y) * size_t(width) * 4;
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

std::optional<RgbaImage> DecodePng(std::span<const uint8_t> bytes) {
    constexpr size_t kSignatureSize = 8;
    if (bytes.size() < kSignatureSize || png_sig_cmp(bytes.data(), 0, kSignatureSize) != 0) {
        return std::nullopt;
    }
    try {
        const ReadStructs structs;
        if (!structs.Valid()) {
            return std::nullopt;
        }
        MemoryReader reader{bytes};
        RgbaImage image;
        std::vector<png_bytep> rows;
        if (!Read(structs, reader, image, rows)) {
            return std::nullopt;
        }
        return image;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace ui
