#pragma once
// Speed buttons have no window: the painter takes the control's message
// handler, draws on the control's canvas while its parent paints it, and
// follows the mouse through the toolkit's enter and leave notifications.

#include "skin/controls/SkinBitButton.h"

namespace skin {

class TSkinSpeedButton : public TSkinBitButton {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinSpeedButton(ui::Component* owner);
    ~TSkinSpeedButton() override;

    // The set-up of a window-less control: its handler, the form's list, and
    // the control as the paint target.
    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void AfterMessage(ui::Message& message) override;
    void PaintWindow(HDC dc) override;
    void DrawTo(HDC dc, const RECT& rect) override;

private:
    uint8_t FPainting = 0;
};

} // namespace skin
