#include "app/comm/JpegImage.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using app::comm::DecodeJpeg;

// One of the stand-in's captchas: dark letters on a light background.
std::string Captcha() {
    const std::string bytes = testsupport::ReadBytes(std::filesystem::path(VOCARA_CAPTCHA_DIR) / "captcha1.jpg");
    EXPECT_GT(bytes.size(), 100u) << "fixture " VOCARA_CAPTCHA_DIR "/captcha1.jpg";
    return bytes;
}

int Red(ui::Color c) { return c & 0xFF; }
int Blue(ui::Color c) { return (c >> 16) & 0xFF; }

// Offset of the frame header's height field (after the SOF0 marker and length, precision).
size_t FrameSizeOffset(const std::string& jpeg) {
    const size_t marker = jpeg.find("\xFF\xC0");
    EXPECT_NE(marker, std::string::npos);
    return marker + 5;
}

TEST(JpegImage, DecodesToA24BitBitmapOfNaturalSize) {
    const auto bitmap = DecodeJpeg(Captcha());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->Width(), 49);
    EXPECT_EQ(bitmap->Height(), 26);
    EXPECT_EQ(bitmap->Format(), ui::PixelFormat::Bit24);

    // The corner is the light background (#f4f1e8); the letters are dark blue.
    const ui::Color corner = bitmap->PixelAt(1, 1);
    EXPECT_GT(Red(corner), 0xE0);
    EXPECT_GT(Blue(corner), 0xD8);
    int dark = 0;
    for (int y = 0; y < bitmap->Height(); ++y) {
        for (int x = 0; x < bitmap->Width(); ++x) {
            const ui::Color c = bitmap->PixelAt(x, y);
            // Blue clearly above red: the colours are not swapped.
            if (Red(c) < 0x60 && Blue(c) > Red(c) + 0x20) {
                ++dark;
            }
        }
    }
    EXPECT_GT(dark, 40);
}

TEST(JpegImage, RefusesWhatIsNotADecodableJpeg) {
    const std::string jpeg = Captcha();
    std::string huge = jpeg;
    const size_t size = FrameSizeOffset(huge);
    huge[size] = '\x23';  // height 9000
    huge[size + 1] = '\x28';
    std::string zeroWidth = jpeg;
    zeroWidth[FrameSizeOffset(zeroWidth) + 2] = 0;
    zeroWidth[FrameSizeOffset(zeroWidth) + 3] = 0;

    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"html", "<html>no picture today</html>"},
        {"start marker only", "\xFF\xD8"},
        {"header cut off", jpeg.substr(0, 60)},
        {"taller than 8192", huge},
        {"zero width", zeroWidth},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(DecodeJpeg(c.bytes).has_value()) << c.name;
    }
}

TEST(JpegImage, AStreamCutInItsDataStillGivesAPictureOfFullSize) {
    const std::string jpeg = Captcha();
    const auto bitmap = DecodeJpeg(jpeg.substr(0, jpeg.size() - 200));
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->Width(), 49);
    EXPECT_EQ(bitmap->Height(), 26);
}

} // namespace
