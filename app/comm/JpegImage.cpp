#include "app/comm/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace app::comm {

namespace {

// Bigger pictures are refused before any pixel memory is taken.
constexpr JDIMENSION kMaxSide = 8192;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default would end the process.
void JumpOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void Silent(j_common_ptr, int) {}

// Decodes into pixels (rows of B, G, R, top-down). Only trivially destructible
// objects live in this frame, so the jump back from an error skips nothing;
// pixels belongs to the caller.
bool DecodeBgr(const std::string_view bytes, std::vector<uint8_t>& pixels, int& width, int& height) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOnError;
    errors.base.emit_message = Silent;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxSide ||
        info.image_height > kMaxSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    const size_t stride = size_t(width) * 3;
    pixels.resize(stride * size_t(height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

std::optional<ui::Bitmap> DecodeJpeg(std::string_view bytes) {
    if (bytes.empty()) {
        return std::nullopt;
    }
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
    if (!DecodeBgr(bytes, pixels, width, height)) {
        return std::nullopt;
    }
    ui::Bitmap bitmap(width, height, ui::PixelFormat::Bit24);
    const size_t stride = size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::memcpy(bitmap.ScanLine(y), pixels.data() + stride * size_t(y), stride);
    }
    return bitmap;
}

} // namespace app::comm
