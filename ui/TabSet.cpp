#include "ui/TabSet.h"

#include <commctrl.h>

namespace ui {
namespace {

const ClassInfo kCustomTabSet{"TCustomTabSet", &WinControl::kClass};

} // namespace

const ClassInfo TabSet::kClass{"TTabSet", &kCustomTabSet};

TabSet::TabSet(Component* owner) : TabControl(owner) {
    bounds_ = RECT{0, 0, 185, 21};
    SetTabPosition(TabPosition::Bottom);
}

void TabSet::CreateParams(WindowCreateParams& params) {
    TabControl::CreateParams(params);
    // One row; the native scroll arrows take what does not fit.
    params.style |= TCS_BOTTOM;
    params.style &= ~DWORD(TCS_MULTILINE | TCS_VERTICAL);
}

} // namespace ui
