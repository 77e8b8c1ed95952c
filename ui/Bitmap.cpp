#include "ui/Bitmap.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace ui {

namespace {

// Larger pictures are a fault in the caller, not something to try to allocate.
constexpr int64_t kMaxPixelBytes = int64_t(1) << 30;

int StrideFor(int width, PixelFormat format) {
    return int((int64_t(width) * int(format) + 31) / 32 * 4);
}

// The header GetDIBits and CreateDIBSection read, with room for the colour
// table that some drivers write even for true-colour formats.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

DibInfo TopDownInfo(int width, int height, PixelFormat format) {
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(format);
    info.header.biCompression = BI_RGB;
    return info;
}

struct DibSection {
    UniqueBitmap handle;
    uint8_t* bits = nullptr;
};

void CheckPixelBytes(int width, int height, PixelFormat format) {
    if (int64_t(StrideFor(width, format)) * height > kMaxPixelBytes || int64_t(width) * 4 > kMaxPixelBytes) {
        throw std::bad_alloc();
    }
}

DibSection CreateDib(int width, int height, PixelFormat format) {
    CheckPixelBytes(width, height, format);
    const DibInfo info = TopDownInfo(width, height, format);
    void* bits = nullptr;
    UniqueBitmap handle(
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!handle || bits == nullptr) {
        throw std::bad_alloc();
    }
    return {std::move(handle), static_cast<uint8_t*>(bits)};
}

void ConvertRow(const uint8_t* source, PixelFormat sourceFormat, uint8_t* target, PixelFormat targetFormat,
                int width) {
    const int sourceStep = int(sourceFormat) / 8;
    const int targetStep = int(targetFormat) / 8;
    for (int x = 0; x < width; ++x, source += sourceStep, target += targetStep) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
        if (targetStep == 4) {
            target[3] = sourceStep == 4 ? source[3] : 0xFF;
        }
    }
}

} // namespace

Bitmap::Bitmap(int width, int height, PixelFormat format) {
    Allocate(width, height, format);
}

Bitmap Bitmap::InMemory(int width, int height, PixelFormat format) {
    Bitmap picture;
    picture.AllocateInMemory(width, height, format);
    return picture;
}

Bitmap::Bitmap(const Bitmap& other) : transparent(other.transparent), transparentColor(other.transparentColor) {
    CopyPixelsFrom(other);
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        CopyPixelsFrom(other);
        transparent = other.transparent;
        transparentColor = other.transparentColor;
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : transparent(other.transparent),
      transparentColor(other.transparentColor),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0)),
      format_(other.format_),
      bits_(std::exchange(other.bits_, nullptr)),
      memory_(std::move(other.memory_)),
      bitmap_(std::move(other.bitmap_)),
      dc_(std::move(other.dc_)),
      dcPrevious_(std::exchange(other.dcPrevious_, nullptr)),
      canvas_(std::move(other.canvas_)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        // Our own DC goes first, so our bitmap is deselected before it is freed.
        ReleaseCanvas();
        transparent = other.transparent;
        transparentColor = other.transparentColor;
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        format_ = other.format_;
        bits_ = std::exchange(other.bits_, nullptr);
        memory_ = std::move(other.memory_);
        bitmap_ = std::move(other.bitmap_);
        dc_ = std::move(other.dc_);
        dcPrevious_ = std::exchange(other.dcPrevious_, nullptr);
        canvas_ = std::move(other.canvas_);
    }
    return *this;
}

Bitmap::~Bitmap() {
    ReleaseCanvas();
}

void Bitmap::Allocate(int width, int height, PixelFormat format) {
    if (width <= 0 || height <= 0) {
        Adopt(UniqueBitmap(), nullptr, 0, 0, format);
        return;
    }
    DibSection dib = CreateDib(width, height, format);
    Adopt(std::move(dib.handle), dib.bits, width, height, format);
}

void Bitmap::AllocateInMemory(int width, int height, PixelFormat format) {
    if (width <= 0 || height <= 0) {
        Allocate(0, 0, format);
        return;
    }
    CheckPixelBytes(width, height, format);
    auto memory = std::make_unique<uint8_t[]>(size_t(StrideFor(width, format)) * size_t(height));  // black
    // Lets go of any DIB section, deselecting it from the canvas DC first.
    Adopt(UniqueBitmap(), nullptr, 0, 0, format);
    memory_ = std::move(memory);
    bits_ = memory_.get();
    width_ = width;
    height_ = height;
    stride_ = StrideFor(width, format);
}

void Bitmap::AllocateLikeThis(int width, int height, PixelFormat format) {
    if (memory_) {
        AllocateInMemory(width, height, format);
    } else {
        Allocate(width, height, format);
    }
}

void Bitmap::MakeGdiObject() const {
    if (!memory_) {
        return;
    }
    try {
        DibSection dib = CreateDib(width_, height_, format_);
        std::memcpy(dib.bits, memory_.get(), size_t(stride_) * size_t(height_));
        bitmap_ = std::move(dib.handle);
        bits_ = dib.bits;
        memory_.reset();
    } catch (const std::bad_alloc&) {
        // Without a DIB section the picture stays in memory and draws nothing.
    }
}

HBITMAP Bitmap::Handle() const {
    MakeGdiObject();
    return bitmap_.get();
}

void Bitmap::Adopt(UniqueBitmap bitmap, uint8_t* bits, int width, int height, PixelFormat format) {
    if (dc_) {
        if (bitmap) {
            // Selecting the new bitmap deselects the old one; the DC's own
            // stock bitmap is remembered only the first time.
            HGDIOBJ previous = SelectObject(dc_.get(), bitmap.get());
            if (dcPrevious_ == nullptr) {
                dcPrevious_ = previous;
            }
        } else if (dcPrevious_ != nullptr) {
            SelectObject(dc_.get(), dcPrevious_);
            dcPrevious_ = nullptr;
        }
    }
    const bool present = bool(bitmap);
    memory_.reset();
    bitmap_ = std::move(bitmap);
    bits_ = present ? bits : nullptr;
    width_ = present ? width : 0;
    height_ = present ? height : 0;
    stride_ = present ? StrideFor(width, format) : 0;
    format_ = format;
}

void Bitmap::CopyPixelsFrom(const Bitmap& other) {
    const bool sameShape =
        bits_ != nullptr && width_ == other.width_ && height_ == other.height_ && format_ == other.format_;
    if (!sameShape) {
        // A copy of a picture in memory stays in memory, unless this one is
        // already drawn on through its canvas.
        if (other.memory_ && !dc_) {
            AllocateInMemory(other.width_, other.height_, other.format_);
        } else {
            Allocate(other.width_, other.height_, other.format_);
        }
    }
    if (bits_ != nullptr) {
        if (bitmap_ || other.bitmap_) {
            GdiFlush();
        }
        std::memcpy(bits_, other.bits_, size_t(stride_) * size_t(height_));
    }
}

void Bitmap::ReleaseCanvas() {
    canvas_.reset();  // puts the DC's font back
    if (dc_ && dcPrevious_ != nullptr) {
        SelectObject(dc_.get(), dcPrevious_);
    }
    dcPrevious_ = nullptr;
    dc_.reset();
}

void Bitmap::SetSize(int width, int height) {
    if (bits_ != nullptr && width == width_ && height == height_) {
        if (bitmap_) {
            GdiFlush();
        }
        std::memset(bits_, 0, size_t(stride_) * size_t(height_));
        return;
    }
    AllocateLikeThis(width, height, format_);
}

void Bitmap::SetFormat(PixelFormat format) {
    if (format == format_) {
        return;
    }
    if (Empty()) {
        format_ = format;
        return;
    }
    if (memory_) {
        Bitmap converted = InMemory(width_, height_, format);
        for (int y = 0; y < height_; ++y) {
            ConvertRow(bits_ + size_t(y) * stride_, format_, converted.bits_ + size_t(y) * converted.stride_, format,
                       width_);
        }
        memory_ = std::move(converted.memory_);
        bits_ = memory_.get();
        stride_ = converted.stride_;
        format_ = format;
        return;
    }
    DibSection dib = CreateDib(width_, height_, format);
    const int targetStride = StrideFor(width_, format);
    GdiFlush();
    for (int y = 0; y < height_; ++y) {
        ConvertRow(bits_ + size_t(y) * stride_, format_, dib.bits + size_t(y) * targetStride, format, width_);
    }
    Adopt(std::move(dib.handle), dib.bits, width_, height_, format);
}

void Bitmap::Clear() {
    Allocate(0, 0, format_);
}

uint8_t* Bitmap::ScanLine(int row) {
    if (row < 0 || row >= height_) {
        return nullptr;
    }
    if (bitmap_) {
        GdiFlush();
    }
    return bits_ + size_t(row) * size_t(stride_);
}

const uint8_t* Bitmap::ScanLine(int row) const {
    return const_cast<Bitmap*>(this)->ScanLine(row);
}

Color Bitmap::PixelAt(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) {
        return clNone;
    }
    const uint8_t* pixel = ScanLine(y) + size_t(x) * BytesPerPixel();
    return Color(pixel[2] | (pixel[1] << 8) | (pixel[0] << 16));
}

void Bitmap::Fill(Color color) {
    if (Empty()) {
        return;
    }
    const COLORREF rgb = ColorToRgb(color);
    uint8_t* first = ScanLine(0);
    const int step = BytesPerPixel();
    for (int x = 0; x < width_; ++x) {
        uint8_t* pixel = first + size_t(x) * step;
        pixel[0] = GetBValue(rgb);
        pixel[1] = GetGValue(rgb);
        pixel[2] = GetRValue(rgb);
        if (step == 4) {
            pixel[3] = 0xFF;
        }
    }
    for (int y = 1; y < height_; ++y) {
        std::memcpy(bits_ + size_t(y) * stride_, first, size_t(stride_));
    }
}

Canvas& Bitmap::GetCanvas() {
    if (!canvas_) {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        if (!dc) {
            throw std::bad_alloc();
        }
        auto canvas = std::make_unique<Canvas>(dc.get());
        MakeGdiObject();
        dc_ = std::move(dc);
        if (bitmap_) {
            dcPrevious_ = SelectObject(dc_.get(), bitmap_.get());
        }
        canvas_ = std::move(canvas);
    }
    return *canvas_;
}

void Bitmap::AssignFromHandle(HBITMAP source, PixelFormat format) {
    BITMAP description{};
    if (source == nullptr || GetObjectW(source, sizeof description, &description) == 0 ||
        description.bmWidth <= 0 || description.bmHeight == 0) {
        Allocate(0, 0, format);
        return;
    }
    const int width = description.bmWidth;
    const int height = std::abs(description.bmHeight);
    DibSection dib = CreateDib(width, height, format);
    DibInfo info = TopDownInfo(width, height, format);
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    GdiFlush();
    // On failure the picture stays black at the source's size.
    GetDIBits(dc.get(), source, 0, UINT(height), dib.bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    Adopt(std::move(dib.handle), dib.bits, width, height, format);
}

} // namespace ui
