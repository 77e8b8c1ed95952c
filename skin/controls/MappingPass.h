#pragma once
// One run of the control mapping for one form painter: the skin data's gates,
// the trace, and the one place where painters are made through the factory,
// given their variant and attached.

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/MappingTrace.h"
#include "skin/data/SkinProperties.h"
#include "ui/Color.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace ui {
class Component;
class Control;
class WinControl;
} // namespace ui

namespace skin {

class TSkinControl;
class TSkinData;

class MappingPass {
public:
    MappingPass(ControlPainterHost& host, const MappingTrace& trace);

    ControlPainterHost& Host() const { return host_; }
    TSkinData* Skin() const { return skin_; }
    // The skin data lets this kind of control be skinned.
    bool Gate(TSkinControlType type) const;
    // The skin has a tab picture (the tab rules need one).
    bool HasTabs() const;
    intptr_t DisableTag() const;
    // The skin's ButtonFace, which controls take while skinned.
    ui::Color FormColour() const;

    // A rule matched that asks for no painter.
    void Matched(RuleSet set, int rule, const ui::Component* control, HWND window, std::string_view kind = {});
    // Makes a painter of the request for the control (owned by it) and
    // attaches it. Null when the control has a painter here already or the
    // factory has none of the kind: the control keeps its look.
    TSkinControl* PaintControl(ui::Control& control, RuleSet set, int rule, const PainterRequest& request,
                               std::string_view kind = {});
    // Makes a painter for a bare window (the form painter owns it) and
    // attaches it to the window.
    TSkinControl* PaintWindow(HWND window, int rule, PainterKind kind);

    // The rules, by their files.
    void SkinControl(ui::Control& control, ui::Control* owner);                     // ControlMapping.cpp
    void MapChildren(ui::WinControl& container);                                    // ControlMapping.cpp
    // The components of a form or frame that are controls.
    void MapComponents(ui::Component& container, ui::Control* owner);                // ControlMapping.cpp
    void RunTable(ui::Control& control, ui::Control* owner);                          // ControlTable.cpp
    bool MapSkin3rd(ui::Control& control);                                            // Skin3rdMapping.cpp
    void MapRawWindow(HWND window);                                                   // RawWindowRules.cpp
    void MapRawChildren(HWND window);                                                 // RawWindowRules.cpp

private:
    void Report(MappingStep step) const;

    ControlPainterHost& host_;
    TSkinData* skin_;
    const MappingTrace& trace_;
};

// The control's class name in upper case (the rules compare it so).
std::string UpperClassName(const ui::Component& component);
std::string LowerText(std::string_view text);
// The style of a windowed control's window; 0 without a window.
DWORD WindowStyleOf(const ui::Control& control);
// A windowed control whose window has a horizontal or vertical scroll bar.
bool HasScrollBarStyle(const ui::Control& control);

} // namespace skin
