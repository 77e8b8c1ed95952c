#pragma once
// The control mapping: when a form painter sets itself up, each control of
// its window gets at most one control painter, chosen by an ordered list of
// rules (the disable tag, the application's OnSkinControl event, the skin
// data's foreign-class lines, the class table), and the child windows of a
// bare dialog get theirs by the window class and button style.
//
//   ControlMapping.*   the entry points, SkinControl's steps, MapChildren
//   MappingPass.*      one run for one form painter: gates, making and attaching painters
//   ControlTable.*     the class table, one row per rule, and the class families
//   Skin3rdMapping.*   the skin data's foreign-class lines
//   RawWindowRules.*   the rules for bare windows

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/MappingTrace.h"

#include <utility>

namespace ui {
class Control;
class WinControl;
} // namespace ui

namespace skin {

class ControlMapping : public ControlMapper {
public:
    void MapForm(ControlPainterHost& host, ui::Form& form) override;
    void MapWindow(ControlPainterHost& host, HWND window) override;
    void MapChildWindow(ControlPainterHost& host, HWND child) override;

    // The rules for one toolkit control; owner is the form or the container
    // whose children are being mapped, or none.
    void SkinControl(ControlPainterHost& host, ui::Control& control, ui::Control* owner);
    // SkinControl of each direct child of the container.
    void MapChildren(ControlPainterHost& host, ui::WinControl& container);
    // The bare-window rules for one child window.
    void MapRawWindow(ControlPainterHost& host, HWND window);

    // Every decision is reported here while set (tests, the skin gallery).
    void SetTrace(MappingTrace trace) { trace_ = std::move(trace); }
    const MappingTrace& Trace() const { return trace_; }

private:
    MappingTrace trace_;
};

} // namespace skin
