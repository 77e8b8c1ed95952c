#include "ui/DropDownButton.h"

#include "ui/Menus.h"

namespace ui {
namespace {

const PropertyInfo kDropDownButtonProperties[] = {
    GlyphIntProperty<DropDownButton, &ButtonGlyph::margin>("Margin"),
    GlyphIntProperty<DropDownButton, &ButtonGlyph::spacing>("Spacing"),
};

} // namespace

const ClassInfo DropDownButton::kClass{"TDropDownButton", &Button::kClass, kDropDownButtonProperties};

DropDownButton::DropDownButton(Component* owner) : Button(owner) {}

PopupMenu* DropDownButton::DropDownMenu() const { return static_cast<PopupMenu*>(menu_.get()); }

void DropDownButton::SetDropDownMenu(PopupMenu* menu) { menu_ = menu; }

void DropDownButton::Click() {
    Button::Click();
    if (PopupMenu* menu = DropDownMenu(); menu != nullptr && !Destroying()) {
        const POINT below = ClientToScreen(POINT{0, Height()});
        menu->Popup(below.x, below.y);
    }
}

} // namespace ui
