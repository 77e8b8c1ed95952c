#include "skin/data/SkinBmpDecoder.h"

#include <gtest/gtest.h>

#include "tests/skin/data/SkinDataFixtures.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using skintest::BmpFile;
using skintest::Bytes;
using skintest::Rgb;

using Picture = std::vector<std::vector<Rgb>>;  // rows from the top

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0},
    kMagenta{255, 0, 255}, kYellow{255, 255, 0}, kCyan{0, 255, 255};

// Four by two, every pixel different: shows row order and channel order.
const Picture kEight = {{kRed, kGreen, kBlue, kWhite}, {kBlack, kMagenta, kYellow, kCyan}};
const std::vector<Rgb> kPalette = {kRed, kGreen, kBlue, kWhite, kBlack, kMagenta, kYellow, kCyan};

// Rows of `bytesPerRow` bytes padded to 4, bottom row first unless topDown.
Bytes Rows(const std::vector<Bytes>& rowsFromTop, bool topDown = false) {
    Bytes out;
    for (size_t i = 0; i < rowsFromTop.size(); ++i) {
        Bytes row = rowsFromTop[topDown ? i : rowsFromTop.size() - 1 - i];
        row.resize((row.size() + 3) & ~size_t(3));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes Row24(const std::vector<Rgb>& row) {
    Bytes b;
    for (const Rgb& c : row) {
        b.insert(b.end(), {c.b, c.g, c.r});
    }
    return b;
}

struct DecodeCase {
    std::string name;
    Bytes file;
    Picture expected;
};

std::vector<DecodeCase> DecodeCases() {
    std::vector<DecodeCase> cases;
    cases.push_back({"24-bit bottom-up", BmpFile(4, 2, 24, 0, {}, Rows({Row24(kEight[0]), Row24(kEight[1])})), kEight});
    cases.push_back(
        {"24-bit top-down", BmpFile(4, -2, 24, 0, {}, Rows({Row24(kEight[0]), Row24(kEight[1])}, true)), kEight});
    cases.push_back({"8-bit palette", BmpFile(4, 2, 8, 0, kPalette, Rows({{0, 1, 2, 3}, {4, 5, 6, 7}})), kEight});
    cases.push_back({"4-bit palette", BmpFile(4, 2, 4, 0, kPalette, Rows({{0x01, 0x23}, {0x45, 0x67}})), kEight});
    cases.push_back({"1-bit palette", BmpFile(4, 2, 1, 0, {kBlack, kWhite}, Rows({{0b1010'0000}, {0b0101'0000}})),
                     {{kWhite, kBlack, kWhite, kBlack}, {kBlack, kWhite, kBlack, kWhite}}});
    {
        // 5-5-5: pure channels survive the widening exactly.
        auto p = [](int r, int g, int b) {
            const uint16_t v = uint16_t(r << 10 | g << 5 | b);
            return Bytes{uint8_t(v), uint8_t(v >> 8)};
        };
        Bytes top, bottom;
        for (const Bytes& px : {p(31, 0, 0), p(0, 31, 0), p(0, 0, 31), p(31, 31, 31)}) {
            top.insert(top.end(), px.begin(), px.end());
        }
        for (const Bytes& px : {p(0, 0, 0), p(31, 0, 31), p(31, 31, 0), p(0, 31, 31)}) {
            bottom.insert(bottom.end(), px.begin(), px.end());
        }
        cases.push_back({"16-bit 5-5-5", BmpFile(4, 2, 16, 0, {}, Rows({top, bottom})), kEight});
    }
    {
        auto row32 = [](const std::vector<Rgb>& row) {
            Bytes b;
            for (const Rgb& c : row) {
                b.insert(b.end(), {c.b, c.g, c.r, 0x7F});
            }
            return b;
        };
        cases.push_back({"32-bit", BmpFile(4, 2, 32, 0, {}, Rows({row32(kEight[0]), row32(kEight[1])})), kEight});
        // Bit fields with red in the lowest byte: the masks decide, not the usual order.
        auto rowFields = [](const std::vector<Rgb>& row) {
            Bytes b;
            for (const Rgb& c : row) {
                b.insert(b.end(), {c.r, c.g, c.b, 0});
            }
            return b;
        };
        cases.push_back({"32-bit bit fields", BmpFile(4, 2, 32, 3, {}, Rows({rowFields(kEight[0]), rowFields(kEight[1])}),
                                                      {0x000000FF, 0x0000FF00, 0x00FF0000}),
                         kEight});
    }
    // Run-length: the bottom row as a literal of 3 (padded) and a run of 1;
    // the top row as a delta over two pixels (they stay palette entry 0) and
    // a run of 2.
    cases.push_back({"8-bit run-length",
                     BmpFile(4, 2, 8, 1, kPalette,
                             {0, 3, 4, 5, 6, 0, 1, 7, 0, 0,  // literal 4,5,6; run 7; end of line
                              0, 2, 2, 0, 2, 7, 0, 1}),      // delta (2, 0); run 7,7; end of picture
                     {{kRed, kRed, kCyan, kCyan}, {kBlack, kMagenta, kYellow, kCyan}}});
    cases.push_back({"4-bit run-length",
                     BmpFile(4, 2, 4, 2, kPalette, {4, 0x45, 0, 0, 4, 0x01, 0, 1}),
                     {{kRed, kGreen, kRed, kGreen}, {kBlack, kMagenta, kBlack, kMagenta}}});
    return cases;
}

TEST(SkinBmpDecoder, DecodesEachEncodingToTheSamePixels) {
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.name);
        ui::Bitmap bitmap;
        ASSERT_TRUE(skin::DecodeBmp(c.file, bitmap));
        ASSERT_EQ(bitmap.Width(), int(c.expected[0].size()));
        ASSERT_EQ(bitmap.Height(), int(c.expected.size()));
        EXPECT_EQ(bitmap.Format(), ui::PixelFormat::Bit24);
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                EXPECT_EQ(bitmap.PixelAt(x, y), skintest::ColorOf(c.expected[size_t(y)][size_t(x)]))
                    << "at " << x << "," << y;
            }
        }
    }
}

// Every damaged file gives an empty bitmap, also over a bitmap that held a picture.
TEST(SkinBmpDecoder, DamagedFilesGiveAnEmptyBitmap) {
    const Bytes good = BmpFile(4, 2, 24, 0, {}, Rows({Row24(kEight[0]), Row24(kEight[1])}));
    auto with = [&good](size_t at, uint32_t value, int width = 4) {
        Bytes b = good;
        if (width == 2) {
            skintest::PutU16(b, at, value);
        } else {
            skintest::PutU32(b, at, value);
        }
        return b;
    };
    const Bytes paletted = BmpFile(4, 2, 8, 0, kPalette, Bytes(8, 0));
    const Bytes fields = BmpFile(4, 2, 32, 3, {}, Bytes(32, 0), {0xFF, 0xFF00, 0xFF0000});
    const struct {
        std::string name;
        Bytes file;
    } cases[] = {
        {"no bytes", {}},
        {"file header only", Bytes(good.begin(), good.begin() + 14)},
        {"not BM", [&] { Bytes b = good; b[0] = 'X'; return b; }()},
        {"pixels cut by one byte", Bytes(good.begin(), good.end() - 1)},
        {"header cut inside", Bytes(good.begin(), good.begin() + 40)},
        {"pixel offset past the end", with(10, 5000)},
        {"info header too long for the file", with(14, 4000)},
        {"unknown header size", with(14, 20)},
        {"width 0", with(18, 0)},
        {"negative width", with(18, uint32_t(-4))},
        {"height 0", with(22, 0)},
        {"two planes", with(26, 2, 2)},
        {"7 bits per pixel", with(28, 7, 2)},
        {"compression 4", with(30, 4)},
        {"run-length on 24 bits", with(30, 1)},
        {"huge claim", [&] { Bytes b = with(18, 100000); skintest::PutU32(b, 22, 100000); return b; }()},
        {"palette cut short", Bytes(paletted.begin(), paletted.begin() + 70)},
        {"8-bit pixels missing", BmpFile(4, 2, 8, 0, kPalette, {0, 1, 2, 3})},
        {"run-length without an end", BmpFile(4, 2, 8, 1, kPalette, {2, 4, 0, 0, 2, 4})},
        {"run-length literal past the end", BmpFile(4, 2, 8, 1, kPalette, {0, 8, 1, 2})},
        {"run-length top-down", BmpFile(4, -2, 8, 1, kPalette, {0, 1})},
        {"bit field masks cut off", Bytes(fields.begin(), fields.begin() + 60)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::Bitmap bitmap(3, 3);
        EXPECT_FALSE(skin::DecodeBmp(c.file, bitmap));
        EXPECT_TRUE(bitmap.Empty());
    }
}

} // namespace

namespace {

// Deltas that carry the column past the largest int: a hostile file must not
// bring a later run round to a negative column (a write before the row).
TEST(SkinBmpDecoder, RunLengthDeltasFarPastTheRowEndDropTheirPixels) {
    constexpr size_t kDeltas = (size_t(INT32_MAX) / 255) + 100;
    Bytes stream;
    stream.reserve(kDeltas * 4 + 8);
    for (size_t i = 0; i < kDeltas; ++i) {
        stream.insert(stream.end(), {0, 2, 255, 0});  // move 255 columns right, no row down
    }
    stream.insert(stream.end(), {4, 5, 0, 0, 4, 6, 0, 1});  // four magenta (dropped); a row of yellow; end
    ui::Bitmap bitmap;
    ASSERT_TRUE(skin::DecodeBmp(BmpFile(4, 2, 8, 1, kPalette, stream), bitmap));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(bitmap.PixelAt(x, 1), skintest::ColorOf(kRed)) << "bottom row at " << x;
        EXPECT_EQ(bitmap.PixelAt(x, 0), skintest::ColorOf(kYellow)) << "top row at " << x;
    }
}

} // namespace
