#pragma once
// A control painter that attaches to its control by a set-up of its own
// instead of Attach: the window-less speed button, the scrolling panel, and
// the scroll-bar painters (their AttachScrollBars). The control mapping uses
// it when the painter offers it, and Attach otherwise.

namespace ui {
class Canvas;
class Control;
} // namespace ui

namespace skin {

class ControlPainterHost;
class TSkinData;

class ControlSetUp {
public:
    virtual void SetUpControl(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                              ui::Canvas* canvas) = 0;

protected:
    ~ControlSetUp() = default;
};

} // namespace skin
