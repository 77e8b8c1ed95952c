#include "ui/png/PngImageList.h"

#include "ui/png/PngDecoder.h"
#include "ui/ResourceBytes.h"

#include <algorithm>
#include <cstring>

namespace ui {

namespace {

const ClassInfo kCustomImageListClass{"TCustomImageList", &Component::kClass};

constexpr int kBytesPerPixel = 4;

uint8_t Premultiply(uint8_t value, uint8_t alpha) {
    return uint8_t((value * alpha + 127) / 255);
}

uint8_t Unpremultiply(uint8_t value, uint8_t alpha) {
    return alpha == 0 ? 0 : uint8_t(std::min(255, (value * 255 + alpha / 2) / alpha));
}

// Luminance with weights summing to 256; linear, so it may be taken of
// premultiplied colours directly.
uint8_t Grey(const uint8_t* bgr) {
    return uint8_t((bgr[0] * 29 + bgr[1] * 150 + bgr[2] * 77 + 128) >> 8);
}

// One pixel in the enabled look (premultiplied BGRA) and in the disabled look:
// grey at half the opacity.
void StorePixel(const uint8_t* rgba, uint8_t* enabled, uint8_t* disabled) {
    const uint8_t alpha = rgba[3];
    enabled[0] = Premultiply(rgba[2], alpha);
    enabled[1] = Premultiply(rgba[1], alpha);
    enabled[2] = Premultiply(rgba[0], alpha);
    enabled[3] = alpha;
    const uint8_t grey = uint8_t((Grey(enabled) + 1) / 2);
    disabled[0] = disabled[1] = disabled[2] = grey;
    disabled[3] = uint8_t((alpha + 1) / 2);
}

// A strip one image wider, holding the old images on the left.
Bitmap Widened(const Bitmap& strip, int width, int height) {
    Bitmap wider(strip.Width() + width, height, PixelFormat::Bit32);
    const size_t oldBytes = size_t(strip.Width()) * kBytesPerPixel;
    if (oldBytes != 0) {
        for (int y = 0; y < height; ++y) {
            std::memcpy(wider.ScanLine(y), strip.ScanLine(y), oldBytes);
        }
    }
    return wider;
}

// Image lists take 32-bit images with straight alpha.
Bitmap Unpremultiplied(const Bitmap& strip) {
    Bitmap straight(strip);
    for (int y = 0; y < straight.Height(); ++y) {
        uint8_t* pixel = straight.ScanLine(y);
        for (int x = 0; x < straight.Width(); ++x, pixel += kBytesPerPixel) {
            for (int channel = 0; channel < 3; ++channel) {
                pixel[channel] = Unpremultiply(pixel[channel], pixel[3]);
            }
        }
    }
    return straight;
}

} // namespace

const ClassInfo PngImageList::kClass{"TPngImageList", &kCustomImageListClass};

PngImageList::PngImageList(Component* owner, int width, int height)
    : Component(owner), width_(std::max(width, 1)), height_(std::max(height, 1)) {}

int PngImageList::AddPng(std::span<const uint8_t> bytes) {
    const std::optional<RgbaImage> image = DecodePng(bytes);
    if (!image || image->width != width_ || image->height != height_) {
        return -1;
    }
    Bitmap strip = Widened(strip_, width_, height_);
    Bitmap disabledStrip = Widened(disabledStrip_, width_, height_);
    const int index = count_;
    const size_t offset = size_t(index) * size_t(width_) * kBytesPerPixel;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* source = image->Row(y);
        uint8_t* enabled = strip.ScanLine(y) + offset;
        uint8_t* disabled = disabledStrip.ScanLine(y) + offset;
        for (int x = 0; x < width_; ++x) {
            StorePixel(source, enabled, disabled);
            source += kBytesPerPixel;
            enabled += kBytesPerPixel;
            disabled += kBytesPerPixel;
        }
    }
    strip_ = std::move(strip);
    disabledStrip_ = std::move(disabledStrip);
    ++count_;
    list_.reset();
    tallList_.reset();
    return index;
}

int PngImageList::AddPngResource(HMODULE module, const wchar_t* name, const wchar_t* type) {
    const auto bytes = ResourceBytes(module, name, type);
    return bytes ? AddPng(*bytes) : -1;
}

void PngImageList::Clear() {
    count_ = 0;
    strip_.Clear();
    disabledStrip_.Clear();
    list_.reset();
    tallList_.reset();
}

void PngImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
    if (dc == nullptr || index < 0 || index >= count_) {
        return;
    }
    const Bitmap& source = enabled ? strip_ : disabledStrip_;
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) {
        return;
    }
    const SelectObjectScope selection(memory.get(), source.Handle());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width_, height_, memory.get(), index * width_, 0, width_, height_, blend);
}

HIMAGELIST PngImageList::Handle() const {
    if (!list_) {
        list_.reset(ImageList_Create(width_, height_, ILC_COLOR32, count_, 4));
        if (list_ && count_ > 0) {
            const Bitmap straight = Unpremultiplied(strip_);
            ImageList_Add(list_.get(), straight.Handle(), nullptr);
        }
    }
    return list_.get();
}

HIMAGELIST PngImageList::Handle(int cellHeight) const {
    if (cellHeight <= height_) {
        return Handle();
    }
    if (!tallList_ || tallHeight_ != cellHeight) {
        tallHeight_ = cellHeight;
        tallList_.reset(ImageList_Create(width_, cellHeight, ILC_COLOR32, count_, 4));
        if (tallList_ && count_ > 0) {
            // Rows above and below stay fully transparent.
            const Bitmap straight = Unpremultiplied(strip_);
            Bitmap tall(straight.Width(), cellHeight, PixelFormat::Bit32);
            const int top = (cellHeight - height_) / 2;
            const size_t rowBytes = size_t(straight.Width()) * kBytesPerPixel;
            for (int y = 0; y < height_; ++y) {
                std::memcpy(tall.ScanLine(top + y), straight.ScanLine(y), rowBytes);
            }
            ImageList_Add(tallList_.get(), tall.Handle(), nullptr);
        }
    }
    return tallList_.get();
}

} // namespace ui
