#pragma once
// Pictures stored in the program's resources.

#include "ui/Bitmap.h"

#include <optional>

namespace app {

// The JPEG stored as RCDATA under id in the running executable, decoded; nothing
// when the resource is missing or does not decode.
std::optional<ui::Bitmap> LoadJpegResource(int id);

} // namespace app
