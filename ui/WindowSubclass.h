#pragma once
// The one way the program puts a procedure in front of a window's own: the
// system's subclass chain (SetWindowSubclass and its family). A layer can be
// removed in any order without cutting off the layers above it, ANSI and
// Unicode windows are called with the right functions by the system, and
// nothing of ours (no property, no atom) is left on the window.
//
// Each kind of layer has an id of its own, so a window carries at most one
// layer of each kind; a second Install of the same kind is refused.

#include <windows.h>

#include <cstdint>

namespace ui {

enum class SubclassKind : UINT_PTR {
    FormPainter = 1,
    MdiClient = 2,
    ControlPainter = 3,
    PopupMenuPainter = 4,
    ComboEditPainter = 5,  // a skinned combo box's edit child
    // Tests and further layers of the engine start here.
    User = 0x100,
};

class WindowSubclass {
public:
    // The layer's message handler; it passes a message on with CallNext.
    using Handler = LRESULT (*)(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    WindowSubclass() noexcept = default;
    ~WindowSubclass() { Remove(); }
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // Puts handler(owner, ...) in front of the window's procedure. Answers
    // false when the window is gone, belongs to another thread or already
    // carries a layer of this kind.
    bool Install(HWND window, SubclassKind kind, void* owner, Handler handler) noexcept;

    // The same for a member function of the owner.
    template <class T, LRESULT (T::*Member)(UINT, WPARAM, LPARAM)>
    bool Install(HWND window, SubclassKind kind, T* owner) noexcept {
        return Install(window, kind, owner, [](void* object, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            return (static_cast<T*>(object)->*Member)(msg, wParam, lParam);
        });
    }

    // Takes the layer out of the chain wherever it sits in it; safe from
    // inside the layer's own message and when not installed. Under a
    // procedure someone set over the chain by hand, the layer stays behind
    // and only forwards, so that procedure is never cut off.
    void Remove() noexcept;

    bool Installed() const noexcept { return window_ != nullptr; }
    HWND Window() const noexcept { return window_; }

    // Hands a message to the next layer down, finally the window's own procedure.
    static LRESULT CallNext(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // Whether the window carries a layer of this kind.
    static bool Has(HWND window, SubclassKind kind) noexcept;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR reference);

    HWND window_ = nullptr;
    SubclassKind kind_ = SubclassKind::User;
    void* owner_ = nullptr;
    Handler handler_ = nullptr;
};

// Calls a saved window procedure with the W or A function, as the window is.
LRESULT CallWindowProcedure(WNDPROC procedure, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

} // namespace ui
