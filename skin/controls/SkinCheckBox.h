#pragma once
// Check boxes drawn from the skin's check-box strip (4 frames: clear,
// ticked, clear disabled, ticked disabled or mixed; or 12 frames with the
// hot and pressed looks). A toolkit check box is drawn whole; a bare window
// keeps the system's caption and gets only the mark drawn over its own.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinCheckBox : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinCheckBox(ui::Component* owner) : TSkinControl(owner) {}

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    // The strip frame (1-based) the box shows now for a strip of `count` frames.
    int FrameIndex(int count) const;

private:
    uint32_t FCheckMemory = 0;
    uint8_t FParentBackground = 0;
};

} // namespace skin
