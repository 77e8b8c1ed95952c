#pragma once
// The vertical bar of a combo box's drop-down list, drawn straight into the
// list's window frame. The list is a pop-up that owns the mouse while it is
// open, so the thumb is dragged by a message loop of the painter's own; the
// arrows and the track stay the system's to scroll.

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TComboxScrollBar : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    bool Dragging() const { return FPressing != 0; }

private:
    // Drags the thumb when the press (screen point) is on it; answers
    // whether it did.
    bool DragThumb(POINT screen);

    int32_t FArrowSize = 0;
    int32_t FLength = 0;
    int32_t FHoverPart = kPartNone;
    int32_t FThumbStart = 0;
    int32_t FThumbEnd = 0;
    POINT FPressCursor{};
    int32_t FPressThumb = 0;
    uint8_t FPressing = 0;
    uint8_t FOrientation = 1;
};

} // namespace skin
