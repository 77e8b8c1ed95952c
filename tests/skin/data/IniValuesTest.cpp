#include "skin/data/IniValues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace skin {
namespace {

constexpr int32_t kDefault = 7;
// A system colour (window text) as skins use for defaults: negative on purpose.
constexpr int32_t kSystemColour = static_cast<int32_t>(0xFF000008u);

struct IntegerCase {
    const char* text;
    std::optional<int32_t> expected; // nullopt: not a number
};

TEST(IniValuesTest, IntegerSyntax) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"42", 42},
        {"00012", 12},
        {"+5", 5},
        {"-5", -5},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$1F", 31},
        {"$ff", 255},
        {"0x0", 0},
        {"$0000000000FF", 255}, // leading zeros do not count towards the 32 bits
        {"2147483647", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"$7FFFFFFF", std::numeric_limits<int32_t>::max()},
        {"$80000000", std::numeric_limits<int32_t>::min()},
        {"$FFFFFFFF", -1},
        {"0xFFFFFFFE", -2},
        // Not numbers: the default.
        {"", std::nullopt},
        {"0x", std::nullopt},
        {"0X", std::nullopt},
        {"$", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"12px", std::nullopt},
        {"px12", std::nullopt},
        {"1.5", std::nullopt},
        {"1 2", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"--5", std::nullopt},
        {"-$1F", std::nullopt},
        {"-0x1F", std::nullopt},
        {"0x-1", std::nullopt},
        {"0x$1F", std::nullopt},
        {"$1G", std::nullopt},
        {"0x1F ", std::nullopt},
        {"1e3", std::nullopt},
        // Too large for 32 bits: the default, never a wrapped value.
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"4294967295", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"$100000000", std::nullopt},
        {"0x1FFFFFFFFFFFFFFFF", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(TryParseInteger(c.text), c.expected) << '"' << c.text << '"';
        EXPECT_EQ(ParseInteger(c.text, kDefault), c.expected.value_or(kDefault)) << '"' << c.text << '"';
    }
}

int32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return static_cast<int32_t>(r | g << 8 | b << 16); }

struct ColourCase {
    std::string text;
    int32_t expected;
};

TEST(IniValuesTest, ColourText) {
    const ColourCase cases[] = {
        {"255,0,0", Rgb(255, 0, 0)},
        {"0,255,0", Rgb(0, 255, 0)},
        {"0 0 255", Rgb(0, 0, 255)},
        {"239 235 231", Rgb(239, 235, 231)},
        {"1 2 3 ", Rgb(1, 2, 3)},
        // Runs of separators count once; leading ones end nothing.
        {"  1 ,, 2;\t3", Rgb(1, 2, 3)},
        {",1,2,3,", Rgb(1, 2, 3)},
        // A number that ends the text counts only in third place.
        {"10 20", Rgb(10, 0, 0)},
        {"10 20 ", Rgb(10, 20, 0)},
        {"5", Rgb(0, 0, 0)},
        {"5 ", Rgb(5, 0, 0)},
        // Lowest 8 bits of each number.
        {"300 0 0", Rgb(44, 0, 0)},
        {"256 257 258", Rgb(0, 1, 2)},
        {"99999999999999999999 0 0", Rgb(255, 0, 0)}, // 10^20 - 1 is 255 modulo 256
        {"0 0 123456789012345678901234567890", Rgb(0, 0, 210)},
        // Signs and letters are separators.
        {"-1 -2 -3", Rgb(1, 2, 3)},
        {"r1g2b3", Rgb(1, 2, 3)},
        // Beyond the third number nothing changes.
        {"1 2 3 4", Rgb(1, 2, 3)},
        {"1 2 3 4 5 6 ", Rgb(1, 2, 3)},
        // A text without numbers is black, not the default.
        {"abc", Rgb(0, 0, 0)},
        {" ", Rgb(0, 0, 0)},
        // Bytes of two-byte characters are separators too.
        {"1\xA3\xAC" "2\xA3\xAC" "3", Rgb(1, 2, 3)},
        {"", kSystemColour},
    };
    for (const ColourCase& c : cases) {
        EXPECT_EQ(ParseColour(c.text, kSystemColour), c.expected) << '"' << c.text << '"';
    }
}

struct BitmapNameCase {
    std::string value;
    std::string expected;
};

TEST(IniValuesTest, BitmapEntryName) {
    const BitmapNameCase cases[] = {
        {"Buttons.bmp", "Buttons.bmp"},
        {"skins\\Buttons.bmp", "Buttons.bmp"},
        {"c:Buttons.bmp", "Buttons.bmp"},
        {"c:\\skins\\blue\\frame.bmp", "frame.bmp"},
        {"a:b\\c.bmp", "c.bmp"},
        {"a\\b:c.bmp", "c.bmp"},
        {"x.txt.bmp", "x.txt.bmp"},
        {".bmp", ".bmp"},
        {"skins/Buttons.bmp", "skins/Buttons.bmp"}, // "/" is not a path separator here
        // Not a bitmap name: empty.
        {"", ""},
        {"Buttons.BMP", ""},
        {"Buttons.Bmp", ""},
        {"Buttons", ""},
        {"bmp", ""},
        {"Buttonsbmp", ""},
        {"x.bmp.txt", ""},
        {"x.bmp ", ""},
        {"dir.bmp\\x", ""},
        {"dir.bmp\\", ""},
        {"c:", ""},
        // Two-byte characters pass through; a second byte that looks like "\" is not a separator.
        {"\xC6\xA4\xB7\xF4\\\xB0\xB4\xC5\xA5.bmp", "\xB0\xB4\xC5\xA5.bmp"},
        {"\x81\\.bmp", "\x81\\.bmp"},
        {"dir\\\x81\\.bmp", "\x81\\.bmp"},
    };
    for (const BitmapNameCase& c : cases) {
        EXPECT_EQ(BitmapEntryName(c.value), c.expected) << '"' << c.value << '"';
    }
}

} // namespace
} // namespace skin
