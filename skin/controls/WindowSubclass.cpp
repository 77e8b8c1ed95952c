#include "skin/controls/WindowSubclass.h"

namespace skin {
namespace {

LONG_PTR WindowProcedureOf(HWND window) {
    return IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR SetWindowProcedure(HWND window, WNDPROC procedure) {
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return IsWindowUnicode(window) ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                   : SetWindowLongPtrA(window, GWLP_WNDPROC, value);
}

} // namespace

WindowSubclass::WindowSubclass(const wchar_t* name, WNDPROC procedure)
    : ownerName_(name), previousName_(std::wstring(name) + L"Previous"), procedure_(procedure) {}

WNDPROC WindowSubclass::Install(HWND window, void* owner) const {
    if (!IsWindow(window) || !SetPropW(window, ownerName_.c_str(), owner)) {
        return nullptr;
    }
    const auto previous = reinterpret_cast<WNDPROC>(WindowProcedureOf(window));
    SetPropW(window, previousName_.c_str(), reinterpret_cast<HANDLE>(previous));
    SetLastError(0);
    if (SetWindowProcedure(window, procedure_) == 0 && GetLastError() != 0) {
        RemovePropW(window, ownerName_.c_str());
        RemovePropW(window, previousName_.c_str());
        return nullptr;
    }
    return previous;
}

void* WindowSubclass::Owner(HWND window) const { return GetPropW(window, ownerName_.c_str()); }

WNDPROC WindowSubclass::Previous(HWND window) const {
    return reinterpret_cast<WNDPROC>(GetPropW(window, previousName_.c_str()));
}

void WindowSubclass::Remove(HWND window) const {
    if (!IsWindow(window)) {
        return;
    }
    RemovePropW(window, ownerName_.c_str());
    const WNDPROC previous = Previous(window);
    if (previous != nullptr && WindowProcedureOf(window) == reinterpret_cast<LONG_PTR>(procedure_)) {
        SetWindowProcedure(window, previous);
        RemovePropW(window, previousName_.c_str());
    }
}

LRESULT WindowSubclass::Forward(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) const {
    const WNDPROC previous = Previous(window);
    if (msg == WM_NCDESTROY) {
        RemovePropW(window, previousName_.c_str());
    }
    if (previous == nullptr) {
        return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                       : DefWindowProcA(window, msg, wParam, lParam);
    }
    return CallProcedure(previous, window, msg, wParam, lParam);
}

LRESULT WindowSubclass::CallProcedure(WNDPROC procedure, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? CallWindowProcW(procedure, window, msg, wParam, lParam)
                                   : CallWindowProcA(procedure, window, msg, wParam, lParam);
}

} // namespace skin
