#include "skin/data/SystemRoutines.h"

#include "ui/Gdi.h"

namespace skin {

namespace {

// The user32 functions that older systems lack, looked up once. The module
// is loaded (not just found) so the addresses stay valid until shutdown,
// when the reference is released.
class OptionalUser32 {
public:
    using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
    using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    using GetComboBoxInfoFn = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
    using DisableGhostingFn = void(WINAPI*)();

    OptionalUser32() : module_(LoadLibraryW(L"user32.dll")) {
        if (module_ != nullptr) {
            getScrollBarInfo = Find<GetScrollBarInfoFn>("GetScrollBarInfo");
            trackMouseEvent = Find<TrackMouseEventFn>("TrackMouseEvent");
            getComboBoxInfo = Find<GetComboBoxInfoFn>("GetComboBoxInfo");
            disableGhosting = Find<DisableGhostingFn>("DisableProcessWindowsGhosting");
        }
    }
    OptionalUser32(const OptionalUser32&) = delete;
    OptionalUser32& operator=(const OptionalUser32&) = delete;
    ~OptionalUser32() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    GetScrollBarInfoFn getScrollBarInfo = nullptr;
    TrackMouseEventFn trackMouseEvent = nullptr;
    GetComboBoxInfoFn getComboBoxInfo = nullptr;
    DisableGhostingFn disableGhosting = nullptr;

private:
    template <class Fn>
    Fn Find(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    HMODULE module_;
};

const OptionalUser32& User32() {
    static const OptionalUser32 functions;
    return functions;
}

} // namespace

void PaintControlTo(const ControlPaintSource& source, HDC dc) {
    if (source.control == nullptr || dc == nullptr) {
        return;
    }
    const ui::SavedDcState saved(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - source.offset.x, origin.y - source.offset.y, nullptr);
    // IntersectClipRect takes logical coordinates: the control's own client
    // rectangle, which now lands at its place in the target.
    RECT client{};
    GetClientRect(source.control, &client);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);

    const auto dcParam = reinterpret_cast<WPARAM>(dc);
    SendMessageW(source.control, WM_ERASEBKGND, dcParam, 0);
    const LPARAM paintFlags = source.paintMessage == WM_PRINTCLIENT ? PRF_CLIENT : 0;
    SendMessageW(source.control, source.paintMessage, dcParam, paintFlags);
}

int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format) {
    if (dc == nullptr) {
        return 0;
    }
    // DrawTextW writes the shortened text back with DT_MODIFYSTRING; the
    // view is read-only.
    return DrawTextW(dc, text.data(), int(text.size()), &rect, format & ~UINT(DT_MODIFYSTRING));
}

bool GetScrollBarInfoIfPresent(HWND window, LONG objectId, SCROLLBARINFO& info) {
    const auto function = User32().getScrollBarInfo;
    info.cbSize = sizeof info;
    return function != nullptr && function(window, objectId, &info) != FALSE;
}

bool GetComboBoxInfoIfPresent(HWND window, COMBOBOXINFO& info) {
    const auto function = User32().getComboBoxInfo;
    info.cbSize = sizeof info;
    return function != nullptr && function(window, &info) != FALSE;
}

void TrackMouseLeave(HWND window) {
    const auto function = User32().trackMouseEvent;
    if (function == nullptr) {
        return;
    }
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    function(&request);
}

bool DisableGhostingIfPresent() {
    const auto function = User32().disableGhosting;
    if (function == nullptr) {
        return false;
    }
    function();
    return true;
}

} // namespace skin
