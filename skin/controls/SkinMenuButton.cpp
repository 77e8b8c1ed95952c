#include "skin/controls/SkinMenuButton.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/DropDownButton.h"

namespace skin {
namespace {

constexpr int kArrowWidth = 8;
constexpr int kArrowHeight = 3;

// The first cell of the glyph (all of it when it has one cell).
ui::Bitmap FirstGlyphCell(const ui::ButtonGlyph& glyphs) {
    const int cells = glyphs.numGlyphs < 1 ? 1 : glyphs.numGlyphs;
    const StripCell place = CellOfStrip(glyphs.glyph, false, cells, 1);
    ui::Bitmap cell;
    if (!place.Empty()) {
        cell.SetSize(place.width, place.height);
        BitBlt(cell.GetCanvas().Handle(), 0, 0, place.width, place.height,
               const_cast<ui::Bitmap&>(glyphs.glyph).GetCanvas().Handle(), place.x, place.y, SRCCOPY);
    }
    return cell;
}

void DrawArrow(HDC dc, int x, int y, ui::Color colour) {
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRgb(colour)));
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRgb(colour)));
    const ui::SelectObjectScope selectPen(dc, pen.get());
    const ui::SelectObjectScope selectBrush(dc, brush.get());
    const POINT corners[] = {{x, y + 2}, {x - 3, y - 1}, {x + 3, y - 1}};
    Polygon(dc, corners, 3);
}

} // namespace

const ui::ClassInfo TSkinMenuButton::kClass{"TSkinMenuButton", &TSkinButton::kClass};

void TSkinMenuButton::DrawTo(HDC dc, const RECT& rect) {
    const TDataSkinButton* element = ButtonElement();
    if (element == nullptr) {
        return;
    }
    ReadFocusEnabledDefault();
    ReadText();
    int frame = (FMouseState & 2) ? 2 : (FFocused || (FMouseState & 1)) ? 4 : 1;
    if (!FEnabled) {
        frame = 3;
    }
    HDC buffer = BeginBuffer(rect);
    const int W = rect.right - rect.left;
    const int H = rect.bottom - rect.top;
    DrawSkinElement(buffer, RECT{0, 0, W, H}, element->FrameCount(), frame, *element);
    SelectTextLook(buffer, frame, true);

    ui::Bitmap glyph;
    int m = -1;
    int s = 4;
    if (auto* button = dynamic_cast<ui::DropDownButton*>(FControl)) {
        glyph = FirstGlyphCell(button->glyphs);
        m = button->glyphs.margin;
        s = button->glyphs.spacing;
    }
    const int gw = glyph.Width();
    const int gh = glyph.Height();
    int tw = 0;
    int th = 0;
    if (!FText.empty()) {
        RECT measure{2, 2, W - gw - kArrowWidth - 2, H - 2};
        DrawControlText(buffer, FText, measure, DT_CALCRECT | DT_WORDBREAK);
        tw = measure.right - measure.left;
        th = measure.bottom - measure.top;
    }
    if (m == -1) {
        if (s == -1) {
            m = (W - (gw + tw + kArrowWidth)) / 4;
            s = m;
        } else {
            m = (W - (gw + tw + 2 * s + kArrowWidth)) / 2;
        }
    } else if (s == -1) {
        s = ((W + kArrowWidth - 2 * m - gw) - tw) / 2;
    }
    if (!glyph.Empty()) {
        const int gy = (H - gh) / 2;
        DrawTransparent(buffer, RECT{m, gy, m + gw, gy + gh}, glyph, glyph.PixelAt(0, gh - 1));
    }
    RECT text{m + gw + s, (H - th + 1) / 2, 0, 0};
    text.right = text.left + tw;
    text.bottom = text.top + th;
    if (!FText.empty()) {
        DrawControlText(buffer, FText, text, TextFlags(DT_WORDBREAK));
    }
    DrawArrow(buffer, text.left + 2 * s + tw, (H - kArrowHeight) / 2,
              FEnabled ? ui::clWindowText : ui::clBtnShadow);
    if (FFocused && !FText.empty() && !FSkinData->Options.Contains(xoNoFocusRect)) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(buffer, &text);
    }
    EndBuffer(dc, rect);
}

} // namespace skin
