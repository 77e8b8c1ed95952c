#pragma once
// A page of a page control drawn as plain form colour with its window-less
// children, so it sits on the skinned pane; under a skin without tab
// pictures the page draws itself, as its pane does.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinTabSheet : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    bool BeforeMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

private:
    bool HasTabsElement() const;
};

} // namespace skin
