#include "skin/controls/ControlMapping.h"

#include "skin/controls/MappingPass.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/WinControl.h"

#include <array>
#include <exception>
#include <string_view>
#include <vector>

namespace skin {
namespace {

// Classes whose look their own code draws over any painter.
constexpr std::array<std::string_view, 3> kNeverSkinned{"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"};

bool AnswersSkinned(ui::Control& control) {
    if (auto* windowed = dynamic_cast<ui::WinControl*>(&control); windowed != nullptr && windowed->HandleAllocated()) {
        return SendMessageW(windowed->HandleIfAllocated(), SKM_QUERY, 0, 0) == 1;
    }
    return control.Perform(SKM_QUERY) == 1;
}

// Taken before the rules run: the rules may add components (painters, the
// application's own objects) and free none of these.
std::vector<ui::Ref<ui::Control>> ControlsOf(const std::vector<ui::Component*>& components) {
    std::vector<ui::Ref<ui::Control>> controls;
    for (ui::Component* component : components) {
        if (auto* control = dynamic_cast<ui::Control*>(component)) {
            controls.emplace_back(control);
        }
    }
    return controls;
}

} // namespace

void ControlMapping::MapForm(ControlPainterHost& host, ui::Form& form) {
    MappingPass pass(host, trace_);
    if (pass.Skin() == nullptr) {
        return;
    }
    host.DropDeadControlPainters();
    pass.MapComponents(form, &form);
    if (pass.Gate(xcPopupMenu)) {
        host.HookFormMenus(true);
    }
    std::vector<ui::WinControl*> tabOrder;
    form.GetTabOrderList(tabOrder);
    std::vector<ui::Ref<ui::Control>> inTabOrder(tabOrder.begin(), tabOrder.end());
    for (const ui::Ref<ui::Control>& entry : inTabOrder) {
        auto* control = static_cast<ui::WinControl*>(entry.get());
        if (control == nullptr || !control->HandleAllocated() || control->tag == pass.DisableTag() ||
            SendMessageW(control->HandleIfAllocated(), SKM_QUERY, 0, 0) == 1) {
            continue;
        }
        pass.SkinControl(*control, &form);
    }
}

void ControlMapping::MapWindow(ControlPainterHost& host, HWND window) {
    MappingPass pass(host, trace_);
    if (pass.Skin() != nullptr) {
        pass.MapRawChildren(window);
    }
}

void ControlMapping::MapChildWindow(ControlPainterHost& host, HWND child) { MapRawWindow(host, child); }

void ControlMapping::SkinControl(ControlPainterHost& host, ui::Control& control, ui::Control* owner) {
    MappingPass pass(host, trace_);
    if (pass.Skin() != nullptr) {
        pass.SkinControl(control, owner);
    }
}

void ControlMapping::MapChildren(ControlPainterHost& host, ui::WinControl& container) {
    MappingPass pass(host, trace_);
    if (pass.Skin() != nullptr) {
        pass.MapChildren(container);
    }
}

void ControlMapping::MapRawWindow(ControlPainterHost& host, HWND window) {
    MappingPass pass(host, trace_);
    if (pass.Skin() != nullptr) {
        pass.MapRawWindow(window);
    }
}

// ---------------------------------------------------------------- the steps

void MappingPass::SkinControl(ui::Control& control, ui::Control* owner) {
    // 1. The disable tag; a tagged radio or check group keeps its buttons native too.
    if (control.tag == DisableTag()) {
        Matched(RuleSet::Control, 1, &control, nullptr);
        const std::string lower = LowerText(control.ClassName());
        auto* windowed = dynamic_cast<ui::WinControl*>(&control);
        if (windowed != nullptr &&
            (lower.find("radiogroup") != std::string::npos || lower.find("checkgroup") != std::string::npos)) {
            for (ui::Control* child : windowed->Controls()) {
                child->tag = DisableTag();
            }
        }
        return;
    }
    // 2. Nothing to do: no parent, skinned by someone else, or painted here.
    if (control.Parent() == nullptr || AnswersSkinned(control) || Host().PaintsControl(control)) {
        Matched(RuleSet::Control, 2, &control, nullptr);
        return;
    }
    // 3. A windowed control gets its window now.
    if (auto* windowed = dynamic_cast<ui::WinControl*>(&control)) {
        try {
            windowed->HandleNeeded();
        } catch (const std::exception&) {
            // A window that cannot be made ends this control's mapping only.
        }
        if (!windowed->HandleAllocated()) {
            Matched(RuleSet::Control, 3, &control, nullptr);
            return;
        }
    }
    const std::string className = UpperClassName(control);
    // 4. The application's own choice.
    if (Skin()->OnSkinControl) {
        ui::Component* chosen = nullptr;
        try {
            Skin()->OnSkinControl(Host().EventSender(), *Skin(), owner, &control, className, chosen);
        } catch (const std::exception&) {
            chosen = nullptr;  // a failing handler chose nothing
        }
        if (chosen != nullptr) {
            Matched(RuleSet::Control, 4, &control, nullptr);
            if (auto* painter = dynamic_cast<TSkinControl*>(chosen)) {
                Host().RegisterControlPainter(painter);
                try {
                    painter->Attach(&Host(), Skin(), painter->OwnBackground(), &Host().ControlCanvas());
                } catch (const std::exception&) {
                    // The control's window could not be made: the painter stays unattached.
                }
                if (control.InheritsFrom("TCustomPanel")) {
                    if (auto* panel = dynamic_cast<ui::WinControl*>(&control)) {
                        MapChildren(*panel);
                    }
                }
            }
            return;
        }
    }
    try {
        // 5. The skin data's foreign-class lines.
        if (MapSkin3rd(control)) {
            return;
        }
        // 6. Classes that draw themselves.
        for (std::string_view name : kNeverSkinned) {
            if (className == name) {
                Matched(RuleSet::Control, 6, &control, nullptr);
                return;
            }
        }
        // 7. The class table.
        RunTable(control, owner);
    } catch (const std::exception&) {
        // A property that refused its value, a window that could not be made:
        // the mapping of this control ends, the others go on.
    }
}

void MappingPass::MapChildren(ui::WinControl& container) {
    for (const ui::Ref<ui::Control>& child : ControlsOf({container.Controls().begin(), container.Controls().end()})) {
        if (child) {
            SkinControl(*child, &container);
        }
    }
}

void MappingPass::MapComponents(ui::Component& container, ui::Control* owner) {
    for (const ui::Ref<ui::Control>& control : ControlsOf(container.Components())) {
        if (control) {
            SkinControl(*control, owner);
        }
    }
}

} // namespace skin
