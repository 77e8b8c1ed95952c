#pragma once
// A panel with scroll bars of its own: the children are laid out on an area
// as large as they need, and the bars move that area inside the panel.

#include "ui/BorderStyle.h"
#include "ui/WinControl.h"

namespace ui {

class ScrollBox : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ScrollBox(Component* owner);

    // How far the area is scrolled, in pixels.
    POINT ScrollOffset() const { return offset_; }
    void ScrollTo(int x, int y);
    // The size the children need, from their right and bottom edges.
    SIZE ContentSize() const;
    // Sets the bars again after the children moved or grew.
    void UpdateScrollBars();

    ControlBorder BorderStyle() const { return border_; }
    void SetBorderStyle(ControlBorder border);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;
    void ControlsChanged() override;

private:
    void Scroll(int bar, WORD code);

    POINT offset_{};
    bool updating_ = false;
    ControlBorder border_ = ControlBorder::Single;
};

} // namespace ui
