// The window-creation hook of the skin manager: new popup menus, MDI children
// and size grips are caught as they are created, popup painters released as
// their windows go, and every activated window is offered a form painter.

#include "skin/manager/SkinManage.h"

#include "skin/forms/WinSkinForm.h"

#include <exception>

namespace skin {
namespace {

// The one manager that owns the thread's hook; set while the hook is in.
TSkinManage* g_hookOwner = nullptr;
HHOOK g_hook = nullptr;
// Set at the manager's end: from then on the hook only passes calls on.
bool g_finalising = false;

bool SameClass(const std::wstring& a, const wchar_t* b) {
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

} // namespace

void TSkinManage::InstallHook() {
    if (hook_ || g_hook != nullptr) {
        return;
    }
    hook_.reset(SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId()));
    if (hook_) {
        g_hook = hook_.get();
        g_hookOwner = this;
        g_finalising = false;
    }
}

void TSkinManage::RemoveHook() {
    if (hook_) {
        if (g_hook == hook_.get()) {
            g_hook = nullptr;
            g_hookOwner = nullptr;
        }
        hook_.reset();
    }
    g_finalising = true;
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = g_hookOwner;
    if (g_finalising || manager == nullptr || code < 0) {
        return CallNextHookEx(g_hook, code, wParam, lParam);
    }
    const auto window = reinterpret_cast<HWND>(wParam);
    // A hook must not let an exception through the system's frames.
    try {
        switch (code) {
        case HCBT_CREATEWND: {
            // The hook is an A hook; only the fields without text are read.
            const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
            if (create != nullptr && create->lpcs != nullptr) {
                manager->WindowCreated(window, DWORD(create->lpcs->style), create->lpcs->dwExStyle,
                                       create->lpcs->hwndParent);
            }
            break;
        }
        case HCBT_DESTROYWND:
            manager->ReleasePopupMenu(window);
            break;
        case HCBT_ACTIVATE:
            if (manager->state_ == ManagerState::Waiting) {
                manager->state_ = ManagerState::Running;
            }
            manager->SkinWindow(window);
            break;
        default:
            break;
        }
    } catch (const std::exception&) {
        // The window stays as the system made it.
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void TSkinManage::WindowCreated(HWND window, DWORD style, DWORD exStyle, HWND parent) {
    // The structure's class name may be an atom, and A or W: ask the window.
    const std::wstring className = ClassNameOf(window);
    if (SameClass(className, L"ScrollBar") && (style & SBS_SIZEGRIP) != 0 && mapper_ != nullptr) {
        if (TWinSkinForm* painter = FindFormPainter(parent)) {
            mapper_->MapChildWindow(*painter, window);
        }
    }
    if ((style & WS_CHILD) == 0 && className == L"#32768" && parentManager_ == nullptr) {
        SkinPopupMenu(window);
    }
    if ((exStyle & WS_EX_MDICHILD) != 0) {
        SkinWindow(window);
    }
}

} // namespace skin
