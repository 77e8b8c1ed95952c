#pragma once
// Group boxes: a rounded frame in the skin's border colour with the caption
// cut into its top line. A toolkit group box is drawn whole (mode 1), its
// window-less children included; a bare window keeps the system's picture
// and gets its native frame painted over.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinGroupBox : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinGroupBox(ui::Component* owner) : TSkinControl(owner) {}

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

private:
    // Frame and caption into dc, whose font is selected already.
    void DrawFrameAndCaption(HDC dc, const RECT& rect, ui::Color textColour) const;
};

} // namespace skin
