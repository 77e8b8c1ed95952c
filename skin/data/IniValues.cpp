#include "skin/data/IniValues.h"

#include "skin/data/AnsiText.h"

#include <array>
#include <limits>

namespace skin {
namespace {

int HexDigitValue(char c) noexcept {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<int32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (const char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0) {
            return std::nullopt;
        }
        value = value << 4 | uint64_t(d);
        if (value > std::numeric_limits<uint32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // One past the largest magnitude: the magnitude of the smallest int32.
    constexpr uint64_t limit = uint64_t(std::numeric_limits<int32_t>::max()) + 1;
    uint64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + uint64_t(c - '0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    if (negative) {
        return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
    }
    if (magnitude == limit) {
        return std::nullopt;
    }
    return static_cast<int32_t>(magnitude);
}

} // namespace

std::optional<int32_t> TryParseInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return ParseHex(text.substr(2));
    }
    if (!text.empty() && text[0] == '$') {
        return ParseHex(text.substr(1));
    }
    return ParseDecimal(text);
}

int32_t ParseInteger(std::string_view text, int32_t defaultValue) {
    return TryParseInteger(text).value_or(defaultValue);
}

int32_t ParseColour(std::string_view text, int32_t defaultValue) {
    if (text.empty()) {
        return defaultValue;
    }
    std::array<uint32_t, 3> rgb{};
    size_t ended = 0; // numbers ended by a separator so far
    bool inNumber = false;
    uint32_t number = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            // Only the lowest 8 bits count, so keep just those: no run of digits can overflow.
            number = (number * 10 + uint32_t(c - '0')) & 0xFF;
            inNumber = true;
        } else if (inNumber) {
            if (ended < rgb.size()) {
                rgb[ended] = number;
            }
            ++ended;
            inNumber = false;
            number = 0;
        }
    }
    if (inNumber && ended == 2) {
        rgb[2] = number;
    }
    return static_cast<int32_t>(rgb[0] | rgb[1] << 8 | rgb[2] << 16);
}

std::string BitmapEntryName(std::string_view value) {
    const size_t pathEnd = ansi::LastDelimiter(value, "\\:");
    const std::string_view name = pathEnd == std::string_view::npos ? value : value.substr(pathEnd + 1);
    const size_t dot = ansi::LastDelimiter(name, ".");
    if (dot == std::string_view::npos || name.substr(dot) != ".bmp") {
        return {};
    }
    return std::string(name);
}

} // namespace skin
