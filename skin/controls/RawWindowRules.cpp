// The rules for bare child windows (the controls of a dialog box, a size
// grip made later): chosen by the window class and, for buttons, the style.
// Every painter made here belongs to the form painter.

#include "skin/controls/MappingPass.h"
#include "skin/data/SkinData.h"
#include "ui/WinControl.h"

#include <string>
#include <vector>

namespace skin {
namespace {

constexpr int kMaxClassName = 100;

std::string LowerClassName(HWND window) {
    char name[kMaxClassName + 1] = {};
    const int length = GetClassNameA(window, name, kMaxClassName + 1);
    return LowerText(std::string_view(name, size_t(length > 0 ? length : 0)));
}

bool Has(DWORD style, DWORD bits) { return (style & bits) == bits; }

std::vector<HWND> ChildWindows(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetTopWindow(window); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

} // namespace

void MappingPass::MapRawChildren(HWND window) {
    for (HWND child : ChildWindows(window)) {
        if ((GetWindowLongW(child, GWL_STYLE) & WS_CHILD) != 0) {
            MapRawWindow(child);
        }
    }
}

void MappingPass::MapRawWindow(HWND window) {
    if (window == nullptr || !IsWindow(window) || Host().PaintsWindow(window)) {
        Matched(RuleSet::RawWindow, 0, nullptr, window);
        return;
    }
    const std::string name = LowerClassName(window);
    const auto style = DWORD(GetWindowLongW(window, GWL_STYLE));

    // 1. Buttons by style; an owner-drawn one matches no rule.
    if (name == "button" && !Has(style, 0xB)) {
        const auto paintIf = [&](TSkinControlType gate, PainterKind kind) {
            if (Gate(gate)) {
                PaintWindow(window, 1, kind);
            } else {
                Matched(RuleSet::RawWindow, 1, nullptr, window);
            }
        };
        if (Has(style, 7) || (style & 0x80) != 0) {
            Matched(RuleSet::RawWindow, 1, nullptr, window);
        } else if (Has(style, 3) || (style & 2) != 0 || Has(style, 5)) {
            paintIf(xcCheckBox, PainterKind::CheckBox);
        } else if (Has(style, 9) || (style & 4) != 0) {
            paintIf(xcRadioButton, PainterKind::RadioButton);
        } else {
            paintIf(xcButton, PainterKind::Button);
        }
        return;
    }
    // 2. Combo boxes, except the simple ones (their list is always shown).
    if (name == "combobox" && Gate(xcCombo)) {
        if ((style & 3) != CBS_SIMPLE) {
            PaintWindow(window, 2, PainterKind::ComBox);
        } else {
            Matched(RuleSet::RawWindow, 2, nullptr, window);
        }
        return;
    }
    // 3. The extended combo box: its inner combo box.
    if (name == "comboboxex32" && Gate(xcCombo)) {
        if (HWND inner = GetWindow(window, GW_CHILD)) {
            PaintWindow(inner, 3, PainterKind::ComBox);
        } else {
            Matched(RuleSet::RawWindow, 3, nullptr, window);
        }
        return;
    }
    // 4. A scroll bar here is a size grip.
    if (name == "scrollbar" && (style & 0x10000) == 0) {
        PaintWindow(window, 4, PainterKind::Sizer);
        return;
    }
    // 5. Tree views draw themselves.
    if (name == "systreeview32") {
        Matched(RuleSet::RawWindow, 5, nullptr, window);
        return;
    }
    // 6. A dialog inside the dialog: its own controls, then its background.
    if (name == "#32770" && (style & 0x10000) == 0) {
        Matched(RuleSet::RawWindow, 6, nullptr, window);
        MapRawChildren(window);
        PaintWindow(window, 6, PainterKind::BoxH);
        return;
    }
    // 7. Panels of the toolkit kind inside a bare window.
    if (name == "tpanel" || name == "ttntpanel.unicodeclass" || name == "ttntsilentpaintpanel.unicodeclass") {
        Matched(RuleSet::RawWindow, 7, nullptr, window);
        MapRawChildren(window);
        if (ui::WinControl* control = ui::WinControl::FromHandle(window)) {
            control->SetColor(FormColour());
        }
        return;
    }
    // 8. Toolkit controls met as bare windows.
    if (name == "tcheckbox" && Gate(xcCheckBox)) {
        PaintWindow(window, 8, PainterKind::CheckBox);
        return;
    }
    if (name == "tcombobox" && Gate(xcCombo)) {
        PaintWindow(window, 8, PainterKind::ComBox);
        return;
    }
    if (name == "tbutton" && Gate(xcButton)) {
        PaintWindow(window, 8, PainterKind::Button);
        return;
    }
    if (name == "tprogressbar") {
        PaintWindow(window, 8, PainterKind::Progress);
        return;
    }
    if (name == "tsilentpaintpanel") {
        Matched(RuleSet::RawWindow, 8, nullptr, window);
        if (ui::WinControl* control = ui::WinControl::FromHandle(window)) {
            control->SetColor(FormColour());
        }
        return;
    }
    // 9. Tab controls, unless they draw their own tabs.
    if (name == "systabcontrol32" && Gate(xcTab) && (style & 0x2000) == 0) {
        PaintWindow(window, 9, PainterKind::Tab);
        return;
    }
    // 10. Tool bars and edits.
    if (name == "toolbarwindow32") {
        PaintWindow(window, 10, PainterKind::BoxH);
    } else if (name == "edit" && Gate(xcEdit)) {
        PaintWindow(window, 10, PainterKind::Edit);
    }
}

} // namespace skin
