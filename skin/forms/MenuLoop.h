#pragma once
// The menu loop of a skinned menu bar: while a drop-down of the bar is
// tracked, a message-filter hook of the thread watches the menu's messages
// so that the arrow keys and the mouse can move to the neighbouring
// drop-downs. One drop-down is tracked at a time in a process.

#include "ui/Component.h"
#include "ui/Gdi.h"

#include <windows.h>

namespace ui {
class MenuItem;
}

namespace skin {

class TWinSkinForm;

// The process's menu-loop state.
struct MenuLoopState {
    ui::Ref<TWinSkinForm> form;       // whose drop-down is open
    int openIndex = -1;               // the open menu-bar item
    ui::Ref<ui::MenuItem> current;    // the toolkit item last selected
    bool switching = false;           // a neighbouring item was requested
    bool firstKey = false;            // the first filtered message was seen
    POINT lastMouse{};
    ui::UniqueHook hook;
};
MenuLoopState& TheMenuLoop();

// Starts the loop for its lifetime: installs the hook (unless one is
// installed) and clears the flags; the end removes the hook and forgets the
// open item, on every way out.
class MenuLoopScope {
public:
    MenuLoopScope(TWinSkinForm& form, int openIndex);
    ~MenuLoopScope();
    MenuLoopScope(const MenuLoopScope&) = delete;
    MenuLoopScope& operator=(const MenuLoopScope&) = delete;
};

// Whether the message-filter hook is installed now.
bool MenuLoopHookInstalled();

} // namespace skin
