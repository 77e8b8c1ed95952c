#pragma once
// One subclassing layer over bare windows, without executable thunks: the
// layer's window procedure finds its object through a window property named
// for the layer, and a second property keeps the procedure it replaced.
// Removing the layer restores that procedure when the layer is still on top;
// when another layer was put over it meanwhile, the layer's procedure stays
// in the chain and only forwards, so the layer above keeps working.

#include <windows.h>

#include <string>

namespace skin {

class WindowSubclass {
public:
    // name: the layer's property name; procedure: the layer's window procedure.
    WindowSubclass(const wchar_t* name, WNDPROC procedure);
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // Puts the procedure in front of the window's own, with owner found by
    // Owner(); answers the procedure replaced (none when it failed).
    WNDPROC Install(HWND window, void* owner) const;
    // The object of this layer on the window, or none.
    void* Owner(HWND window) const;
    // The procedure this layer replaced on the window.
    WNDPROC Previous(HWND window) const;
    // Takes the layer off the window (see above).
    void Remove(HWND window) const;
    // What the layer's procedure does without an owner: hands the message to
    // the replaced procedure (and forgets the window at WM_NCDESTROY).
    LRESULT Forward(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) const;
    // CallWindowProc W or A as the window is.
    static LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    std::wstring ownerName_;
    std::wstring previousName_;
    WNDPROC procedure_;
};

} // namespace skin
