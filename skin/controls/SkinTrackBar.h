#pragma once
// A track bar whose channel and thumb come from the skin, drawn when the
// control's custom-draw notification asks for them; the tick marks stay
// the control's own.

#include "skin/controls/SkinControl.h"

#include <commctrl.h>

namespace skin {

class TSkinTrackBar : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    bool BeforeMessage(ui::Message& message) override;
    void SkinChanged() override;

private:
    // The answer to one custom-draw notification; false leaves it to the
    // control (the caller's default).
    bool CustomDraw(const NMCUSTOMDRAW& draw, LRESULT& result);
    void DrawChannel(HDC dc);
    void DrawThumb(HDC dc);
};

} // namespace skin
