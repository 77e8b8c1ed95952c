#pragma once
// Decodes the Windows BMP files a skin package carries into 24-bit bitmaps.
// Entries come from untrusted skin files, so every size and offset is checked
// against the bytes at hand before a pixel is read.

#include "ui/Bitmap.h"

#include <cstdint>
#include <span>

namespace skin {

// Largest picture a skin bitmap may claim (a skin's biggest strips are a few
// hundred pixels wide); larger claims are damaged headers, not pictures.
constexpr int64_t kMaxSkinBitmapPixels = int64_t(4) * 1024 * 1024;

// Fills target with the picture as 24 bits per pixel. Accepts the core and
// the info headers (and their later, longer forms), 1, 4, 8, 16, 24 and
// 32 bits per pixel, uncompressed, run-length encoded (8 and 4 bits) and bit
// fields, bottom-up and top-down. Anything else, and every truncated or
// inconsistent file, leaves target empty and answers false.
bool DecodeBmp(std::span<const uint8_t> file, ui::Bitmap& target);

} // namespace skin
