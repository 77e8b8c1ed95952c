#pragma once
// The skinned system menu of one form painter: a popup menu rebuilt from the
// window's system menu at each opening, owner-drawn with the skin's colours
// and glyphs. A second click on the icon within the double-click time closes
// the window instead.

#include "ui/Component.h"

#include <windows.h>

namespace ui {
class PopupMenu;
}

namespace skin {

class TWinSkinForm;

class SystemMenu {
public:
    explicit SystemMenu(TWinSkinForm& form);
    ~SystemMenu();
    SystemMenu(const SystemMenu&) = delete;
    SystemMenu& operator=(const SystemMenu&) = delete;

    // Opens the menu at a screen point and returns once it has closed.
    void Show(POINT screenPoint);
    // Frees the last popup (the skin or the window is going).
    void Drop();
    ui::PopupMenu* Popup() const;

private:
    friend struct FormPainterProbe;

    // Frees the previous popup and builds one from the window's system menu.
    void Build();

    TWinSkinForm& form_;
    ui::OwnedComponent<ui::PopupMenu> popup_;
    DWORD lastIconClick_ = 0;
    UINT doubleClickTime_ = 0;
};

} // namespace skin
