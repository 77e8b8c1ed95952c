#pragma once
// Drawing on a device context with a current font, brush and pen, in the
// manner every painter and owner-draw event uses.

#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Gdi.h"

#include <string_view>

namespace ui {

class Bitmap;

class Canvas {
public:
    Canvas() = default;
    explicit Canvas(HDC dc) : dc_(dc) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    // The DC is borrowed: the canvas never releases it.
    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc);

    Font font;
    Color brushColor = clWhite;
    bool brushClear = false;  // text, fills and frames leave the background alone
    Color penColor = clBlack;

    // Both paint with brushColor.
    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

    void TextOut(int x, int y, std::wstring_view text);
    SIZE TextExtent(std::wstring_view text);
    int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
    int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }
    // DrawTextW with the canvas font; rect is updated for DT_CALCRECT.
    int DrawText(std::wstring_view text, RECT& rect, UINT format);

    // Draws at natural size; a transparent bitmap keys out its colour.
    void Draw(int x, int y, const Bitmap& bitmap);
    void StretchDraw(const RECT& rect, const Bitmap& bitmap);
    void CopyRect(const RECT& destination, HDC source, const RECT& sourceRect);

    // Selects the canvas font into the DC (for callers drawing with raw GDI).
    void SelectFont();

private:
    HFONT RequireFont();
    void RestoreSelections();
    void PrepareText();

    HDC dc_ = nullptr;
    UniqueFont fontHandle_;
    Font fontMade_;
    HGDIOBJ previousFont_ = nullptr;
};

} // namespace ui
