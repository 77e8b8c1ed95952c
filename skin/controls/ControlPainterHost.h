#pragma once
// What a control painter and the control mapping ask of the form painter
// whose window holds the control: registration, and the skin and canvas the
// form lends. The form painter implements it; control painters never
// include the form painter.

#include "ui/ToolBar.h"

#include <windows.h>

namespace ui {
class Canvas;
class Component;
class Control;
class Form;
class MenuItem;
} // namespace ui

namespace skin {

class TSkinControl;
class TSkinData;

class ControlPainterHost {
public:
    // Appends unless present; answers whether it was present already. The
    // host frees its registered painters when it lets go of its window.
    virtual bool RegisterControlPainter(TSkinControl* painter) = 0;
    // Forgets the painter (the last entry for it) without freeing it.
    virtual void UnregisterControlPainter(TSkinControl* painter) = 0;
    virtual HWND FormHandle() const = 0;
    virtual TSkinData* SkinData() const = 0;
    // The canvas lent to control painters.
    virtual ui::Canvas& ControlCanvas() = 0;

    // A tool bar's look comes from the form painter: TakeOverToolbarDrawing
    // points the bar's custom-draw events at these. The bar's background
    // picture over its client rectangle, and a button's cell of the skin's
    // button strip.
    virtual void ToolbarCustomDraw(ui::ToolBar& toolBar, const RECT& rect, bool& defaultDraw) = 0;
    virtual void ToolbarCustomDrawButton(ui::ToolBar& toolBar, ui::ToolButton& button, ui::CustomDrawState state,
                                         bool& defaultDraw) = 0;
    // Menus on the form wear the skin: one item and all below it (a tool
    // button's menu item, a tool bar's menu), or the form's popup menus.
    virtual void HookMenuItem(ui::MenuItem& item) = 0;
    virtual void HookFormMenus(bool on) = 0;

    // Frees the registered painters whose window is gone.
    virtual void DropDeadControlPainters() = 0;
    // Whether a registered painter paints the control, or the bare window.
    virtual bool PaintsControl(const ui::Control& control) const = 0;
    virtual bool PaintsWindow(HWND window) const = 0;
    // The sender the skin data's OnSkinControl event is given.
    virtual ui::Component& EventSender() = 0;
    // Points the tool bar's unassigned custom-draw events at the skin's tool
    // bar drawing, and clears them again when the host lets go.
    virtual void TakeOverToolbarDrawing(ui::ToolBar& toolBar) = 0;

protected:
    ~ControlPainterHost() = default;
};

// How a form painter's set-up gives the controls their painters. The mapping
// of controls to painters is a layer of its own (ControlMapping); without
// one, no control gets a painter.
class ControlMapper {
public:
    virtual ~ControlMapper() = default;
    // The controls of a toolkit form.
    virtual void MapForm(ControlPainterHost& host, ui::Form& form) = 0;
    // The child windows of a bare window.
    virtual void MapWindow(ControlPainterHost& host, HWND window) = 0;
    // One child window created later (a size grip), by the raw-window rules.
    virtual void MapChildWindow(ControlPainterHost& host, HWND child) = 0;
};

} // namespace skin
