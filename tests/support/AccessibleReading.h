#pragma once
// What an accessibility client reads of a window: its client object's name,
// role and state (AccessibleObjectFromWindow). Link oleacc.

#include "ui/ComTypes.h"

#include <oleacc.h>
#include <windows.h>

#include <string>

namespace testsupport {

// Name, role and state as an accessibility client reads them.
struct AccessibleReading {
    std::wstring name;
    long role = -1;
    long state = -1;
    bool operator==(const AccessibleReading&) const = default;
};

// S_OK with the reading, or why there is none.
inline HRESULT ReadAccessible(HWND window, AccessibleReading& out) {
    IAccessible* accessible = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_IAccessible,
                                                     reinterpret_cast<void**>(&accessible));
    if (FAILED(found) || accessible == nullptr) {
        return FAILED(found) ? found : E_POINTER;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    ui::UniqueBstr name;
    VARIANT role{};
    VARIANT state{};
    HRESULT read = accessible->get_accRole(self, &role);
    if (SUCCEEDED(read)) {
        read = accessible->get_accState(self, &state);
    }
    accessible->get_accName(self, name.put());
    accessible->Release();
    if (FAILED(read) || role.vt != VT_I4 || state.vt != VT_I4) {
        return FAILED(read) ? read : E_UNEXPECTED;
    }
    out = AccessibleReading{name.str(), role.lVal, state.lVal};
    return S_OK;
}

} // namespace testsupport
