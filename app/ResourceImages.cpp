#include "app/ResourceImages.h"

#include "app/comm/JpegImage.h"
#include "ui/ResourceBytes.h"

#include <windows.h>

#include <string_view>

namespace app {

std::optional<ui::Bitmap> LoadJpegResource(int id) {
    const auto bytes = ui::ResourceBytes(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!bytes) {
        return std::nullopt;
    }
    return comm::DecodeJpeg(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

} // namespace app
