#pragma once
// The scroll bars of a bare window (a simple combo box's list): the same
// overlays as a control's, the window reached through a layer of its
// window procedure.

#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"

#include <memory>

namespace skin {

class TSkinScrollbarH : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;
    void Detach() override;

    TWScrollbar* HorzBar() const { return FHorzBar.get(); }
    TWScrollbar* VertBar() const { return FVertBar.get(); }

private:
    void PlaceBoth();

    std::unique_ptr<TWScrollbar> FHorzBar;
    std::unique_ptr<TWScrollbar> FVertBar;
};

} // namespace skin
