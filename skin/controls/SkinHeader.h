#pragma once
// A header control (a toolkit header or a list view's header window) whose
// items are drawn from the skin's Headerbar element, the item under the
// mouse in its hot frame.

#include "skin/controls/SkinControl.h"

#include <vector>

namespace skin {

class TSkinHeader : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    // The item the mouse is over, -1 for none.
    int HotItem() const { return FHotItem; }

private:
    // The items' rectangles, narrowed by 3 pixels on each side, so the
    // dividers between them belong to no item.
    void ReadItemRects();
    void DrawItem(HDC dc, int index, const RECT& rect, bool hot, bool enabled);
    bool HasHeaderbar() const;

    std::vector<RECT> FItemRects;
    int32_t FHotItem = -1;
};

} // namespace skin
