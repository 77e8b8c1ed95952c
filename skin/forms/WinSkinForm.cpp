// Scaffold: replaced by the form painter's life cycle and window procedure.
#include "skin/forms/WinSkinForm.h"

#include "skin/controls/SkinControl.h"
#include "ui/Menus.h"
#include "ui/Timer.h"

namespace skin {

const ui::ClassInfo TWinSkinForm::kClass{"TWinSkinForm", &ui::Component::kClass};

TWinSkinForm::TWinSkinForm(ui::Component* owner) : ui::Component(owner) {}
TWinSkinForm::~TWinSkinForm() = default;
void TWinSkinForm::AttachToForm(TSkinData& data, ui::Form&) { CommonAttach(data); }
void TWinSkinForm::AttachToWindow(TSkinData& data) { CommonAttach(data); }
void TWinSkinForm::CommonAttach(TSkinData& data) { FSkinData = &data; }
void TWinSkinForm::Detach() {}
void TWinSkinForm::Release() {}
void TWinSkinForm::ClearButtons() { FButtons.clear(); }
void TWinSkinForm::Reskin() {}
bool TWinSkinForm::RegisterControlPainter(TSkinControl* painter) {
    for (TSkinControl* p : FControlPainters) {
        if (p == painter) return true;
    }
    FControlPainters.push_back(painter);
    return false;
}
void TWinSkinForm::UnregisterControlPainter(TSkinControl* painter) {
    for (auto it = FControlPainters.rbegin(); it != FControlPainters.rend(); ++it) {
        if (*it == painter) {
            FControlPainters.erase(std::next(it).base());
            return;
        }
    }
}
void TWinSkinForm::DropDeadControlPainters() {}
void TWinSkinForm::Setup() {}
void TWinSkinForm::FitWindow(bool) {}
void TWinSkinForm::FormMessageHandler(ui::Message&) {}
void TWinSkinForm::SizeHandler(WPARAM, LRESULT&, UINT, WPARAM, LPARAM) {}
LRESULT TWinSkinForm::Activation(WPARAM, LPARAM) { return 1; }
void TWinSkinForm::LightDetach() {}
void TWinSkinForm::FreeControlPainters() {}
void TWinSkinForm::RestoreWindowProcedure() {}
void TWinSkinForm::GiveBackSystemMenuStyle() {}
void TWinSkinForm::ReadWindowPlacementState() {}
LRESULT TWinSkinForm::CallPrevious(UINT msg, WPARAM w, LPARAM l) {
    return FOldWndProc ? CallWindowProcW(FOldWndProc, FHandle, msg, w, l) : DefWindowProcW(FHandle, msg, w, l);
}
std::wstring TWinSkinForm::ReadWindowText() const { return {}; }
LRESULT TWinSkinForm::WindowProcedure(UINT msg, WPARAM w, LPARAM l) { return CallPrevious(msg, w, l); }
LRESULT TWinSkinForm::MdiClientProcedure(UINT, WPARAM, LPARAM) { return 0; }

} // namespace skin
