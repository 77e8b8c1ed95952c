#include "ui/CommonControls.h"

#include <commctrl.h>

namespace ui {

void EnsureCommonControls(DWORD icc) {
    static DWORD registered = 0;
    if ((registered & icc) == icc) {
        return;
    }
    INITCOMMONCONTROLSEX init{sizeof(init), icc};
    if (InitCommonControlsEx(&init)) {
        registered |= icc;
    }
}

} // namespace ui
