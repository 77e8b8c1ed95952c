#pragma once
// Bit buttons: the push button's skin frame with the control's glyph beside
// the caption, placed by the control's Layout, Margin and Spacing.

#include "skin/controls/SkinButton.h"
#include "ui/ButtonGlyph.h"

#include <string>

namespace skin {

// Where glyph and caption go in a client area of W x H.
struct GlyphTextPlace {
    POINT glyph{};
    POINT text{};
    UINT textFlags = 0;  // without the reading-order flag
};
struct GlyphTextSizes {
    SIZE client{};
    SIZE glyph{};
    SIZE text{};
    int margin = -1;
    int spacing = 4;
    ui::ButtonLayout layout = ui::ButtonLayout::GlyphLeft;
    bool centred = false;  // the control's Alignment is centre
};
GlyphTextPlace CalcLayout(const GlyphTextSizes& sizes);

class TSkinBitButton : public TSkinButton {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinBitButton(ui::Component* owner) : TSkinButton(owner) {}

    void DrawTo(HDC dc, const RECT& rect) override;

    // The control's published picture property that gives the glyph
    // ("PngImage"), drawn as it is with its own transparency; empty: the
    // glyph or the image list. Published as "GlyphProperty".
    std::string FGlyphProperty;

protected:
    // The control's glyph and its placement, or none.
    const ui::ButtonGlyph* Glyphs() const;
    // Draws glyph cell `cell` (1-based; the first when the glyph has fewer)
    // and the caption into the buffer; disabled draws the greyed glyph of a
    // one-cell picture. Without a glyph, the named picture or the image of
    // the control's image list takes its place.
    void DrawGlyphAndCaption(HDC buffer, int width, int height, int cell, bool disabled);
};

} // namespace skin
