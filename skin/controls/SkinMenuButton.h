#pragma once
// Drop-down buttons: the push button's behaviour, the glyph at the left and
// a small arrow after the caption. Focus shows as the hot frame; being the
// default button does not count.

#include "skin/controls/SkinButton.h"

namespace skin {

class TSkinMenuButton : public TSkinButton {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinMenuButton(ui::Component* owner) : TSkinButton(owner) {}

    void DrawTo(HDC dc, const RECT& rect) override;
};

} // namespace skin
