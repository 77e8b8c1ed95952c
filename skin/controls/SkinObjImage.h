#pragma once
// Check and radio pictures for foreign check boxes and radio buttons that
// draw themselves from a glyph strip: the painter cuts the skin's check or
// radio cells into the order such a control expects and hands the strip
// over. It paints nothing itself.

#include "skin/controls/SkinControl.h"

namespace skin {

// What a foreign control offers to take the strip: cells of equal width
// side by side, in the order the painter's kind names.
class MarkGlyphTarget {
public:
    virtual void TakeMarkGlyphs(const ui::Bitmap& strip, int cells) = 0;

protected:
    ~MarkGlyphTarget() = default;
};

class TSkinObjImage : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    // 1: a check box of the first family (clear, checked, grey, disabled
    // clear, disabled checked); 2: a radio button (clear, checked, disabled
    // clear, disabled checked); 3: the third family's check box (clear,
    // checked, grey).
    int32_t ImageKind() const { return FKind; }
    void SetImageKind(int32_t kind) { FKind = kind; }
    const ui::Bitmap& Strip() const { return FStrip; }
    int StripCells() const { return FCells; }

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void SkinChanged() override;

private:
    void BuildStrip();

    int32_t FKind = 1;
    ui::Bitmap FStrip;
    int FCells = 0;
};

} // namespace skin
