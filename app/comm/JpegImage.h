#pragma once
// JPEG decoding (libjpeg) into a toolkit bitmap.

#include "ui/Bitmap.h"

#include <optional>
#include <string_view>

namespace app::comm {

// The decoded picture (24 bits per pixel, natural size), or nothing when bytes
// are not a decodable JPEG. Never throws for bad data.
std::optional<ui::Bitmap> DecodeJpeg(std::string_view bytes);

} // namespace app::comm
