#include "ui/Canvas.h"

#include "ui/Bitmap.h"

namespace ui {

namespace {

// A memory DC that holds the bitmap for one blit, unless the bitmap already
// lives in its own canvas DC (a bitmap can be selected into one DC only).
class BitmapSource {
public:
    BitmapSource(HDC existing, HBITMAP bitmap) noexcept
        : temporary_(existing == nullptr ? CreateCompatibleDC(nullptr) : nullptr),
          dc_(existing != nullptr ? existing : temporary_.get()),
          selection_(temporary_.get(), temporary_ ? bitmap : nullptr) {}
    HDC get() const noexcept { return dc_; }

private:
    UniqueMemoryDc temporary_;
    HDC dc_;
    SelectObjectScope selection_;  // destroyed before temporary_ is deleted
};

// The colour is applied when drawing, so it needs no new GDI font.
bool SameGdiFont(const Font& a, const Font& b) {
    return a.name == b.name && a.height == b.height && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline;
}

} // namespace

Canvas::~Canvas() {
    RestoreSelections();
}

void Canvas::SetHandle(HDC dc) {
    if (dc != dc_) {
        RestoreSelections();
        dc_ = dc;
    }
}

HFONT Canvas::RequireFont() {
    if (!fontHandle_ || !SameGdiFont(font, fontMade_)) {
        UniqueFont made = font.Create();
        // Put the new font in before the old one is deleted, so the DC never
        // holds a deleted font.
        if (previousFont_ != nullptr && dc_ != nullptr) {
            SelectObject(dc_, made.get());
        }
        fontHandle_ = std::move(made);
        fontMade_ = font;
    }
    return fontHandle_.get();
}

void Canvas::SelectFont() {
    if (dc_ == nullptr) {
        return;
    }
    HGDIOBJ previous = SelectObject(dc_, RequireFont());
    if (previousFont_ == nullptr) {
        previousFont_ = previous;
    }
}

void Canvas::RestoreSelections() {
    if (dc_ != nullptr && previousFont_ != nullptr) {
        SelectObject(dc_, previousFont_);
    }
    previousFont_ = nullptr;
}

void Canvas::FillRect(const RECT& rect) {
    if (dc_ == nullptr || brushClear) {
        return;
    }
    UniqueBrush brush(CreateSolidBrush(ColorToRgb(brushColor)));
    ::FillRect(dc_, &rect, brush.get());
}

void Canvas::FrameRect(const RECT& rect) {
    if (dc_ == nullptr || brushClear) {
        return;
    }
    UniqueBrush brush(CreateSolidBrush(ColorToRgb(brushColor)));
    ::FrameRect(dc_, &rect, brush.get());
}

void Canvas::MoveTo(int x, int y) {
    if (dc_ != nullptr) {
        MoveToEx(dc_, x, y, nullptr);
    }
}

void Canvas::LineTo(int x, int y) {
    if (dc_ == nullptr) {
        return;
    }
    UniquePen pen(CreatePen(PS_SOLID, 1, ColorToRgb(penColor)));
    SelectObjectScope selection(dc_, pen.get());
    ::LineTo(dc_, x, y);
}

void Canvas::PrepareText() {
    SelectFont();
    SetTextColor(dc_, ColorToRgb(font.color));
    if (brushClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRgb(brushColor));
    }
}

void Canvas::TextOut(int x, int y, std::wstring_view text) {
    if (dc_ == nullptr) {
        return;
    }
    PrepareText();
    ::TextOutW(dc_, x, y, text.data(), int(text.size()));
}

SIZE Canvas::TextExtent(std::wstring_view text) {
    SIZE size{};
    if (dc_ != nullptr) {
        SelectFont();
        GetTextExtentPoint32W(dc_, text.data(), int(text.size()), &size);
    }
    return size;
}

int Canvas::DrawText(std::wstring_view text, RECT& rect, UINT format) {
    if (dc_ == nullptr) {
        return 0;
    }
    PrepareText();
    // The text is read-only here, so DrawTextW must not write the ellipsis back.
    return ::DrawTextW(dc_, text.data(), int(text.size()), &rect, format & ~UINT(DT_MODIFYSTRING));
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void Canvas::StretchDraw(const RECT& rect, const Bitmap& bitmap) {
    if (dc_ == nullptr || bitmap.Empty()) {
        return;
    }
    const BitmapSource source(bitmap.dc_.get(), bitmap.Handle());
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (bitmap.transparent) {
        TransparentBlt(dc_, rect.left, rect.top, width, height, source.get(), 0, 0, bitmap.Width(),
                       bitmap.Height(), ColorToRgb(bitmap.transparentColor));
    } else if (width == bitmap.Width() && height == bitmap.Height()) {
        BitBlt(dc_, rect.left, rect.top, width, height, source.get(), 0, 0, SRCCOPY);
    } else {
        const int previousMode = SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, rect.left, rect.top, width, height, source.get(), 0, 0, bitmap.Width(), bitmap.Height(),
                   SRCCOPY);
        SetStretchBltMode(dc_, previousMode);
    }
}

void Canvas::CopyRect(const RECT& destination, HDC source, const RECT& sourceRect) {
    if (dc_ == nullptr || source == nullptr) {
        return;
    }
    const int previousMode = SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, destination.left, destination.top, destination.right - destination.left,
               destination.bottom - destination.top, source, sourceRect.left, sourceRect.top,
               sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, SRCCOPY);
    SetStretchBltMode(dc_, previousMode);
}

} // namespace ui
