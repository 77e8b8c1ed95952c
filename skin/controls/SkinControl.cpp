// Scaffold: replaced by the control painter base.
#include "skin/controls/SkinControl.h"

#include "skin/forms/WinSkinForm.h"

namespace skin {

const ui::ClassInfo TSkinControl::kClass{"TSkinControl", &ui::Component::kClass};

TSkinControl::TSkinControl(ui::Component* owner) : ui::Component(owner) {}
TSkinControl::~TSkinControl() {
    if (FForm != nullptr) FForm->UnregisterControlPainter(this);
}
void TSkinControl::Attach(TWinSkinForm*, TSkinData*, bool, ui::Canvas*) {}
void TSkinControl::AttachWindow(HWND, TSkinData*, TWinSkinForm*, ui::Canvas*) {}
void TSkinControl::Detach() { FActive = 0; }
bool TSkinControl::BeforeMessage(ui::Message&) { return true; }
void TSkinControl::AfterMessage(ui::Message&) {}
void TSkinControl::PaintWindow(HDC) {}
void TSkinControl::DrawTo(HDC, const RECT&) {}
void TSkinControl::SkinChanged() {}
void TSkinControl::Repaint() {}
void TSkinControl::Dispatch(ui::Message&) {}
void TSkinControl::PassOn(ui::Message&) {}
LRESULT CALLBACK TSkinControl::BareWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, m, wp, lp);
}

} // namespace skin
