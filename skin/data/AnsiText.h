#pragma once
// Helpers for the 8-bit texts of skin files. Those texts are in the system code
// page, which for our users is 936 (GBK): a byte 0x81..0xFE starts a two-byte
// character whose second byte may look like an ASCII letter, "\" or "]". The
// helpers step over such pairs so that neither case folding nor a delimiter
// search ever touches half a character. Section and key names in skins are
// ASCII, so folding ASCII letters is all the case-insensitivity they need.
// Portable: no Windows header.

#include <cstddef>
#include <string>
#include <string_view>

namespace skin::ansi {

// Characters up to the blank are what lines and values are trimmed of.
constexpr bool IsBlank(char c) noexcept { return static_cast<unsigned char>(c) <= 32; }

constexpr bool IsLeadByte(char c) noexcept {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

// Bytes taken by the character starting at s[i]; a lead byte at the very end stands alone.
constexpr size_t CharLength(std::string_view s, size_t i) noexcept {
    return IsLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
}

constexpr char FoldAscii(char c) noexcept { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Lowers every byte A to Z, trail bytes of two-byte characters included: entry
// names are lowered this way on both sides of every comparison.
inline std::string LowerAscii(std::string text) {
    for (char& c : text) {
        c = FoldAscii(c);
    }
    return text;
}

constexpr std::string_view Trim(std::string_view s) noexcept {
    size_t first = 0;
    while (first < s.size() && IsBlank(s[first])) {
        ++first;
    }
    size_t last = s.size();
    while (last > first && IsBlank(s[last - 1])) {
        --last;
    }
    return s.substr(first, last - first);
}

// Equal apart from the case of ASCII letters; two-byte characters must match exactly.
constexpr bool SameText(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size();) {
        const size_t n = CharLength(a, i);
        if (n != CharLength(b, i)) {
            return false;
        }
        if (n == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += n;
    }
    return true;
}

// The text with the ASCII letters of its single-byte characters lowered: two
// texts are SameText exactly when these are equal, so it can key an index.
inline std::string FoldText(std::string_view s) {
    std::string folded(s);
    for (size_t i = 0; i < folded.size(); i += CharLength(s, i)) {
        if (CharLength(s, i) == 1) {
            folded[i] = FoldAscii(folded[i]);
        }
    }
    return folded;
}

// Position of the last single-byte character of s that is one of delimiters, or npos.
constexpr size_t LastDelimiter(std::string_view s, std::string_view delimiters) noexcept {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (CharLength(s, i) == 1 && delimiters.find(s[i]) != std::string_view::npos) {
            found = i;
        }
    }
    return found;
}

// True when the last character of s is the single byte c (not the tail of a two-byte character).
constexpr bool EndsWithChar(std::string_view s, char c) noexcept {
    return !s.empty() && LastDelimiter(s, std::string_view(&c, 1)) == s.size() - 1;
}

} // namespace skin::ansi
