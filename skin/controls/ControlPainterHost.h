#pragma once
// What a control painter and the control mapping ask of the form painter
// whose window holds the control: registration, and the skin and canvas the
// form lends. The form painter implements it; control painters never
// include the form painter.

#include <windows.h>

namespace ui {
class Canvas;
class Form;
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

protected:
    ~ControlPainterHost() = default;
};

// How a form painter's set-up gives the controls their painters. The mapping
// of controls to painters is a layer of its own; until one is installed, no
// control gets a painter.
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
