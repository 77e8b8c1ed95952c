#pragma once
// A push button that opens a menu below itself when clicked.

#include "ui/Button.h"
#include "ui/ButtonGlyph.h"

namespace ui {

class PopupMenu;

class DropDownButton : public Button {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit DropDownButton(Component* owner);

    // Only the glyph's first cell and the margin and spacing count here.
    ButtonGlyph glyphs;

    PopupMenu* DropDownMenu() const;
    void SetDropDownMenu(PopupMenu* menu);

    void Click() override;

private:
    Ref<Component> menu_;
};

} // namespace ui
