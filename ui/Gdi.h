#pragma once
// Owning wrappers for GDI and user handles, hooks and global atoms: one
// move-only type per kind, so a handle is released exactly once, on every
// path.

#include <windows.h>

#include <utility>

namespace ui {

// Owns a handle of type H and releases it with Traits::Close.
template <class H, class Traits>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(H handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    H get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    H release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(H handle = nullptr) noexcept {
        if (handle_ != nullptr && handle_ != handle) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ object) noexcept { DeleteObject(object); }
};
struct MemoryDcTraits {
    static void Close(HDC dc) noexcept { DeleteDC(dc); }
};
struct IconTraits {
    static void Close(HICON icon) noexcept { DestroyIcon(icon); }
};
struct MenuTraits {
    static void Close(HMENU menu) noexcept { DestroyMenu(menu); }
};

struct HookTraits {
    static void Close(HHOOK hook) noexcept { UnhookWindowsHookEx(hook); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;

// A global atom of ours, deleted again when it goes: the global atom table
// belongs to the whole logon session and outlives the process.
class UniqueGlobalAtom {
public:
    UniqueGlobalAtom() noexcept = default;
    explicit UniqueGlobalAtom(const wchar_t* name) noexcept : atom_(GlobalAddAtomW(name)) {}
    UniqueGlobalAtom(UniqueGlobalAtom&& other) noexcept : atom_(std::exchange(other.atom_, ATOM(0))) {}
    UniqueGlobalAtom& operator=(UniqueGlobalAtom&& other) noexcept {
        if (this != &other) {
            reset();
            atom_ = std::exchange(other.atom_, ATOM(0));
        }
        return *this;
    }
    UniqueGlobalAtom(const UniqueGlobalAtom&) = delete;
    UniqueGlobalAtom& operator=(const UniqueGlobalAtom&) = delete;
    ~UniqueGlobalAtom() { reset(); }

    ATOM get() const noexcept { return atom_; }
    void reset() noexcept {
        if (atom_ != 0) {
            GlobalDeleteAtom(std::exchange(atom_, ATOM(0)));
        }
    }

private:
    ATOM atom_ = 0;
};

// A window's device context from GetDC or GetWindowDC, released on scope exit.
class WindowDc {
public:
    enum class Area { Client, Window };
    explicit WindowDc(HWND window, Area area = Area::Client) noexcept
        : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC get() const noexcept { return dc_; }
    const RECT& Area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
    ~SelectObjectScope() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC / RestoreDC around code that changes a borrowed DC's state.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState() {
        if (saved_ != 0) {
            RestoreDC(dc_, saved_);
        }
    }

private:
    HDC dc_;
    int saved_;
};

} // namespace ui
