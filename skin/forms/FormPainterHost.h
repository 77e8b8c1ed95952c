#pragma once
// What a form painter asks of the manager that made it. The manager sits
// above the form painters and implements this; the painters reach it through
// the process's skin manager link, so they never include the manager.

#include <windows.h>

#include <cstdint>

namespace ui {
class Form;
} // namespace ui

namespace skin {

class ControlMapper;

// Which kind of popup menu is being opened.
enum class PopupMode : uint8_t { Context = 0, MenuBarDropDown = 1, SystemMenu = 2 };

class FormPainterHost {
public:
    // Skinning of new windows is switched on.
    virtual bool Active() const = 0;
    // A painter attached: the manager counts as started.
    virtual void PainterAttached() = 0;
    // The module whose painters these are; none for the process's own manager.
    virtual HMODULE ModuleInstance() const = 0;
    // A painter is going: the manager forgets its window.
    virtual void RemoveFormPainter(HWND window) = 0;

    virtual void SetPopupMode(PopupMode mode) = 0;
    // How a painter's set-up gives the controls their painters; none until
    // a mapping is installed.
    virtual ControlMapper* Mapper() const = 0;

    virtual HWND MdiClient() const = 0;
    virtual void MdiParentFound(HWND client, ui::Form* parentForm) = 0;
    virtual bool MdiCaptionMode() const = 0;
    virtual void SetMdiCaptionMode(bool on) = 0;

protected:
    ~FormPainterHost() = default;
};

// The host of the process's form painters, or none (no manager, or one of
// another kind).
FormPainterHost* PainterHost() noexcept;

} // namespace skin
