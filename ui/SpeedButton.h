#pragma once
// A button without a window of its own, drawn by its parent: a tool button
// that may stay down, alone or as one of a group, and may be flat (no frame
// until the mouse is over it).

#include "ui/ButtonGlyph.h"
#include "ui/Control.h"

namespace ui {

class SpeedButton : public GraphicControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit SpeedButton(Component* owner);

    // Published as "Down". Setting it in a group lifts the group's other button.
    bool Down() const { return down_; }
    void SetDown(bool down);

    ButtonGlyph glyphs;
    // Published as "Flat", "GroupIndex" and "AllowAllUp".
    bool flat = false;
    // Buttons of one parent with the same non-zero index: at most one is down.
    int groupIndex = 0;
    // A down button of a group goes up when clicked again.
    bool allowAllUp = false;

    void Click() override;
    void Paint(Canvas& canvas) override;

protected:
    void WndProc(Message& message) override;

private:
    bool down_ = false;
    bool hot_ = false;
    bool pressed_ = false;
};

} // namespace ui
