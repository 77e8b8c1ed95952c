#pragma once
// Up-down (spin) buttons drawn whole by the painter: two halves from the
// skin's up-down strips, or plain boxes with an arrow glyph. Clicks still
// reach the native control, which changes its value and tells its buddy.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown : public TSkinControl {
public:
    // Publishes "Embedded" and "HorizontalMode", the variants an edit and
    // the tab painters give it before attaching.
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinUpDown(ui::Component* owner) : TSkinControl(owner) {}

    bool BeforeMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    // The up-down lives inside an edit: it keeps off the edit's border.
    uint8_t FEmbedded = 0;
    // 1 lays the halves out side by side whatever the style says.
    int32_t FHorizontalMode = 0;

private:
    // The part of rect the halves take: inside an edit, 3 pixels off each
    // of the edit's top, bottom and right edges.
    RECT DrawingArea(const RECT& rect) const;
};

} // namespace skin
