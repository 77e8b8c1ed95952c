#pragma once
// The painter of the scrolling-panel rule: a scroll-bar control gets one
// overlay over the whole control, redrawn as its range or position changes;
// a panel with bars of its own gets an overlay over each of them.

#include "skin/controls/ControlSetUp.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"

#include <memory>
#include <vector>

namespace skin {

class TSkinScControl : public TSkinControl, public ControlSetUp {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    void SetUpControl(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                      ui::Canvas* canvas) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;
    void Detach() override;

    // The scroll-bar control's overlay, or the panel's bar of that kind; none
    // when absent.
    TWScrollbar* Bar(TWScrollbar::Kind kind = TWScrollbar::kControlBar) const;

private:
    void PlaceAll();
    void RedrawAll();

    std::vector<std::unique_ptr<TWScrollbar>> FBars;
};

} // namespace skin
