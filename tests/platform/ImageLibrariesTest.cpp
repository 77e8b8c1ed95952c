// The image libraries are built from source for MinGW by the setup script; these
// round trips show that the static builds link and decode correctly under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <csetjmp>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

struct JpegErrorJump {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1);
}

TEST(ImageLibraries, JpegRoundTripKeepsSizeAndColour) {
    constexpr int width = 24, height = 16;
    std::vector<uint8_t> rgb(width * height * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = 200; rgb[i + 1] = 40; rgb[i + 2] = 90;
    }

    unsigned char* encoded = nullptr;
    unsigned long encodedSize = 0;
    {
        jpeg_compress_struct c{};
        JpegErrorJump err{};
        c.err = jpeg_std_error(&err.base);
        err.base.error_exit = JpegFail;
        if (setjmp(err.jump)) {
            jpeg_destroy_compress(&c);
            FAIL() << "jpeg compression failed";
        }
        jpeg_create_compress(&c);
        jpeg_mem_dest(&c, &encoded, &encodedSize);
        c.image_width = width;
        c.image_height = height;
        c.input_components = 3;
        c.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 95, TRUE);
        jpeg_start_compress(&c, TRUE);
        while (c.next_scanline < c.image_height) {
            JSAMPROW row = &rgb[c.next_scanline * width * 3];
            jpeg_write_scanlines(&c, &row, 1);
        }
        jpeg_finish_compress(&c);
        jpeg_destroy_compress(&c);
    }
    ASSERT_GT(encodedSize, 100u);

    jpeg_decompress_struct d{};
    JpegErrorJump err{};
    d.err = jpeg_std_error(&err.base);
    err.base.error_exit = JpegFail;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&d);
        std::free(encoded);
        FAIL() << "jpeg decompression failed";
    }
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, encoded, encodedSize);
    ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    EXPECT_EQ(int(d.output_width), width);
    EXPECT_EQ(int(d.output_height), height);
    std::vector<uint8_t> line(d.output_width * 3);
    JSAMPROW row = line.data();
    jpeg_read_scanlines(&d, &row, 1);
    EXPECT_NEAR(line[0], 200, 4);
    EXPECT_NEAR(line[1], 40, 4);
    EXPECT_NEAR(line[2], 90, 4);
    jpeg_abort_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::free(encoded);
}

TEST(ImageLibraries, PngRoundTripIsExact) {
    constexpr int width = 3, height = 2;
    const uint8_t rgba[width * height * 4] = {
        255, 0, 0, 255,   0, 255, 0, 128,   0, 0, 255, 0,
        1, 2, 3, 4,       250, 251, 252, 253, 90, 80, 70, 60,
    };
    png_image out{};
    out.version = PNG_IMAGE_VERSION;
    out.width = width;
    out.height = height;
    out.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    ASSERT_TRUE(png_image_write_to_memory(&out, nullptr, &size, 0, rgba, 0, nullptr));
    std::vector<uint8_t> encoded(size);
    ASSERT_TRUE(png_image_write_to_memory(&out, encoded.data(), &size, 0, rgba, 0, nullptr));

    png_image in{};
    in.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&in, encoded.data(), size)) << in.message;
    EXPECT_EQ(in.width, png_uint_32(width));
    EXPECT_EQ(in.height, png_uint_32(height));
    in.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> decoded(PNG_IMAGE_SIZE(in));
    ASSERT_TRUE(png_image_finish_read(&in, nullptr, decoded.data(), 0, nullptr)) << in.message;
    EXPECT_EQ(decoded, std::vector<uint8_t>(std::begin(rgba), std::end(rgba)));
}

} // namespace
