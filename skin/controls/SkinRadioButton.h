#pragma once
// Radio buttons drawn from the skin's radio strip (4 frames: clear, chosen,
// clear disabled, chosen disabled; or 8 frames with hot and pressed looks),
// in the manner of the check box painter.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinRadioButton : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinRadioButton(ui::Component* owner) : TSkinControl(owner) {}

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    int FrameIndex(int count) const;

private:
    uint8_t FParentBackground = 0;
};

} // namespace skin
