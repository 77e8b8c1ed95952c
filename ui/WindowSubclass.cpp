#include "ui/WindowSubclass.h"

#include <commctrl.h>

#include <utility>

namespace ui {

namespace {

LONG_PTR CurrentProcedure(HWND window) noexcept {
    return IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

// The system's chain procedure, learnt when it first puts itself in front of
// a window.
LONG_PTR g_chainProcedure = 0;

} // namespace

bool WindowSubclass::Install(HWND window, SubclassKind kind, void* owner, Handler handler) noexcept {
    if (Installed() || handler == nullptr || !IsWindow(window) ||
        GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() || Has(window, kind)) {
        return false;
    }
    kind_ = kind;
    owner_ = owner;
    handler_ = handler;
    const LONG_PTR before = CurrentProcedure(window);
    if (!SetWindowSubclass(window, Procedure, UINT_PTR(kind), reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    if (const LONG_PTR after = CurrentProcedure(window); after != before) {
        g_chainProcedure = after;
    }
    window_ = window;
    return true;
}

void WindowSubclass::Remove() noexcept {
    const HWND window = std::exchange(window_, nullptr);
    if (window == nullptr) {
        return;
    }
    if (g_chainProcedure != 0 && CurrentProcedure(window) != g_chainProcedure) {
        // Someone replaced the procedure over the chain. Some versions of the
        // system put the original procedure back when the chain's last layer
        // goes, cutting that someone off: the layer stays in the chain with
        // no owner and only forwards until the window ends.
        SetWindowSubclass(window, Procedure, UINT_PTR(kind_), 0);
        return;
    }
    RemoveWindowSubclass(window, Procedure, UINT_PTR(kind_));
}

LRESULT WindowSubclass::CallNext(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return DefSubclassProc(window, msg, wParam, lParam);
}

namespace {

using GetWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);

// The toolchain's import library lacks GetWindowSubclass; the system's
// library exports it by name (and by ordinal 411 in older versions).
GetWindowSubclassFunction FindGetWindowSubclass() noexcept {
    const HMODULE library = GetModuleHandleW(L"comctl32.dll");
    if (library == nullptr) {
        return nullptr;
    }
    FARPROC found = GetProcAddress(library, "GetWindowSubclass");
    if (found == nullptr) {
        found = GetProcAddress(library, MAKEINTRESOURCEA(411));
    }
    return reinterpret_cast<GetWindowSubclassFunction>(reinterpret_cast<void*>(found));
}

} // namespace

bool WindowSubclass::Has(HWND window, SubclassKind kind) noexcept {
    static const GetWindowSubclassFunction getWindowSubclass = FindGetWindowSubclass();
    DWORD_PTR reference = 0;
    // A layer left behind without an owner does not count: installing over
    // it brings it back to life.
    return getWindowSubclass != nullptr && getWindowSubclass(window, Procedure, UINT_PTR(kind), &reference) != FALSE &&
           reference != 0;
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR reference) {
    auto* self = reinterpret_cast<WindowSubclass*>(reference);
    if (self == nullptr) {
        // A layer left behind under someone else's procedure (see Remove).
        if (msg == WM_NCDESTROY) {
            RemoveWindowSubclass(window, Procedure, id);
        }
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    // Read before the call: the handler may free the layer's owner, and the
    // layer with it.
    void* const owner = self->owner_;
    const Handler handler = self->handler_;
    if (msg == WM_NCDESTROY) {
        // The window's last message: the layer leaves the chain first (the
        // system's own pattern), the handler may still pass the message on.
        self->Remove();
    }
    return handler(owner, window, msg, wParam, lParam);
}

LRESULT CallWindowProcedure(WNDPROC procedure, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (procedure == nullptr) {
        return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                       : DefWindowProcA(window, msg, wParam, lParam);
    }
    return IsWindowUnicode(window) ? CallWindowProcW(procedure, window, msg, wParam, lParam)
                                   : CallWindowProcA(procedure, window, msg, wParam, lParam);
}

} // namespace ui
