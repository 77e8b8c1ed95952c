#include "ui/SpeedButton.h"

#include "ui/WinControl.h"

namespace ui {
namespace {

const PropertyInfo kSpeedButtonProperties[] = {
    BoolFieldProperty<SpeedButton, &SpeedButton::flat>("Flat"),
    {"Down", [](const Component& c) { return BoolToText(static_cast<const SpeedButton&>(c).Down()); },
     [](Component& c, std::string_view v) { static_cast<SpeedButton&>(c).SetDown(TextToBool(v)); }},
    {"GroupIndex", [](const Component& c) { return IntToText(static_cast<const SpeedButton&>(c).groupIndex); },
     [](Component& c, std::string_view v) { static_cast<SpeedButton&>(c).groupIndex = int(TextToInt(v)); }},
    BoolFieldProperty<SpeedButton, &SpeedButton::allowAllUp>("AllowAllUp"),
    GlyphIntProperty<SpeedButton, &ButtonGlyph::numGlyphs>("NumGlyphs"),
    GlyphLayoutProperty<SpeedButton>(),
    GlyphIntProperty<SpeedButton, &ButtonGlyph::margin>("Margin"),
    GlyphIntProperty<SpeedButton, &ButtonGlyph::spacing>("Spacing"),
};

} // namespace

const ClassInfo SpeedButton::kClass{"TSpeedButton", &GraphicControl::kClass, kSpeedButtonProperties};

SpeedButton::SpeedButton(Component* owner) : GraphicControl(owner) {}

void SpeedButton::SetDown(bool down) {
    if (down == down_) {
        return;
    }
    down_ = down;
    if (down && groupIndex != 0 && parent_ != nullptr) {
        for (Control* sibling : parent_->Controls()) {
            auto* other = dynamic_cast<SpeedButton*>(sibling);
            if (other != nullptr && other != this && other->groupIndex == groupIndex) {
                other->SetDown(false);
            }
        }
    }
    Invalidate();
}

void SpeedButton::Click() {
    if (groupIndex != 0) {
        SetDown(!down_ || !allowAllUp);
    }
    GraphicControl::Click();
}

void SpeedButton::WndProc(Message& message) {
    switch (message.msg) {
    case CM_MOUSEENTER:
        hot_ = true;
        Invalidate();
        break;
    case CM_MOUSELEAVE:
        hot_ = false;
        pressed_ = false;
        Invalidate();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (enabled_) {
            pressed_ = true;
            Invalidate();
        }
        break;
    case WM_LBUTTONUP:
        pressed_ = false;
        Invalidate();
        if (!enabled_) {
            mousePressed_ = false;  // a disabled button does not click
        }
        break;
    default:
        break;
    }
    GraphicControl::WndProc(message);
}

void SpeedButton::Paint(Canvas& canvas) {
    RECT rect{0, 0, Width(), Height()};
    canvas.FillRect(rect);
    const HDC dc = canvas.Handle();
    const bool sunken = down_ || pressed_;
    if (sunken) {
        DrawEdge(dc, &rect, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    } else if (!flat || hot_) {
        DrawEdge(dc, &rect, flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    const int shift = sunken ? 1 : 0;
    int textLeft = rect.left;
    if (!glyphs.glyph.Empty()) {
        const int cells = glyphs.numGlyphs < 1 ? 1 : glyphs.numGlyphs;
        const int cellWidth = glyphs.glyph.Width() / cells;
        const int y = (Height() - glyphs.glyph.Height()) / 2 + shift;
        const int x = rect.left + 2 + shift;
        Bitmap cell(cellWidth, glyphs.glyph.Height());
        BitBlt(cell.GetCanvas().Handle(), 0, 0, cellWidth, cell.Height(),
               const_cast<Bitmap&>(glyphs.glyph).GetCanvas().Handle(), 0, 0, SRCCOPY);
        cell.transparent = true;
        cell.transparentColor = cell.PixelAt(0, cell.Height() - 1);
        canvas.Draw(x, y, cell);
        textLeft = x + cellWidth;
    }
    RECT text{textLeft + shift, rect.top + shift, rect.right + shift, rect.bottom + shift};
    canvas.brushClear = true;
    canvas.font.color = enabled_ ? canvas.font.color : clGrayText;
    canvas.DrawText(caption_, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace ui
