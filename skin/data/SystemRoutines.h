#pragma once
// Text and system helpers of the painters: making a control paint into
// another DC, wide-text drawing, and the user32 functions that a system may
// lack (looked up once, on first use).

#include <windows.h>

#include <string_view>

namespace skin {

// What PaintControlTo needs of a control painter.
struct ControlPaintSource {
    // The window that paints; nothing happens without one.
    HWND control = nullptr;
    // The control's offset in the target: the control's client point that
    // lands at the DC's (0, 0). The control is clipped to its own client
    // area placed accordingly.
    POINT offset{};
    // WM_PRINTCLIENT suits the system classes and the toolkit's controls;
    // windows whose painters take the DC of WM_PAINT's wParam want WM_PAINT.
    UINT paintMessage = WM_PRINTCLIENT;
};

// Makes the control erase (WM_ERASEBKGND) and paint its client area into
// `dc`, leaving the DC's state (origin, clipping) as it was. The messages
// are sent, so an exception in the control's handlers stays inside its
// window procedure (the toolkit reports it there) and never reaches here.
void PaintControlTo(const ControlPaintSource& source, HDC dc);

// DrawTextW with the text and its length; returns the text height, and with
// DT_CALCRECT updates `rect`. The text is never written back.
int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format);

// GetScrollBarInfo when user32 has it, else false. Sets info.cbSize.
bool GetScrollBarInfoIfPresent(HWND window, LONG objectId, SCROLLBARINFO& info);

// GetComboBoxInfo when user32 has it, else false. Sets info.cbSize.
bool GetComboBoxInfoIfPresent(HWND window, COMBOBOXINFO& info);

// Asks for one WM_MOUSELEAVE for `window` when user32 has TrackMouseEvent.
void TrackMouseLeave(HWND window);

// DisableProcessWindowsGhosting when user32 has it; true when it was called.
bool DisableGhostingIfPresent();

} // namespace skin
