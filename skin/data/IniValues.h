#pragma once
// The value syntaxes of the skin description: integers, colour texts and
// bitmap entry names. Texts are 8-bit in the system code page.
// Portable: no Windows header.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skin {

// An optional sign and decimal digits, or "$" and hexadecimal digits; a leading
// "0x"/"0X" counts as "$" when more follows it. No blanks are allowed.
// Decimal values must fit a signed 32-bit integer. Hexadecimal values name a
// bit pattern of up to 32 bits ("$FFFFFFFF" is -1), leading zeros aside.
// Anything else, overflow included, is not a number.
std::optional<int32_t> TryParseInteger(std::string_view text);
int32_t ParseInteger(std::string_view text, int32_t defaultValue);

// "239 235 231" style colours: runs of '0'..'9' are numbers, anything else ends
// one. The first three numbers are red, green and blue (only their lowest
// 8 bits count); a number that ends the text counts only in third place.
// Numbers after the third are ignored. Only an empty text yields defaultValue;
// a text without numbers is black.
int32_t ParseColour(std::string_view text, int32_t defaultValue);

// The package entry a bitmap key names: the part after the last "\" or ":",
// provided its extension is exactly ".bmp"; empty otherwise.
std::string BitmapEntryName(std::string_view value);

} // namespace skin
