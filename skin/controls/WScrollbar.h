#pragma once
// The scroll-bar overlay: a small borderless child window laid exactly over
// one native scroll bar (a control's own bar, or a whole scroll-bar
// control). It paints the skin's arrows, track and thumb, and hands every
// press to the control as the click the native bar expects, so the system's
// own tracking scrolls and sends the usual WM_VSCROLL/WM_HSCROLL.

#include "skin/controls/ScrollBarGeometry.h"

#include <windows.h>

#include <cstdint>

namespace ui {
class WinControl;
}

namespace skin {

class TSkinControl;

class TWScrollbar {
public:
    enum Kind : uint8_t {
        kHorizontalBar = 0,  // the control's own horizontal bar
        kVerticalBar = 1,    // the control's own vertical bar
        kControlBar = 2,     // a scroll-bar control, covered whole
    };

    TWScrollbar() = default;
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // Set up over the control's (or bare window's) bar, then Place. The
    // owner lends its skin data.
    void BindControl(TSkinControl& owner, ui::WinControl& control, Kind kind);
    void BindWindow(TSkinControl& owner, HWND window, Kind kind);

    // Lays the overlay over the bar of `window`, or hides it when the window
    // or its bar is not shown.
    void Place(HWND window);
    void HideBar();
    // The part at a point of the overlay.
    int HitTest(POINT point) const;
    // The part being scrolled (the owner's WM_VSCROLL/WM_HSCROLL), redrawn now.
    void ShowScrolling(int part);
    // Redrawn now when shown.
    void Redraw();
    void SetEnabled(bool enabled);

    // The overlay's picture as its WM_PAINT draws it, into dc at (0, 0).
    void PaintTo(HDC dc);

    HWND Window() const { return FWindow; }
    bool Shown() const { return FShown != 0; }
    bool Pressing() const { return FPressing != 0; }
    int HoverPart() const { return FHoverPart; }
    // The bar in the control's client coordinates.
    const RECT& BarRect() const { return FBarRect; }
    Kind BarKind() const { return FKind; }

    static const wchar_t* WindowClassName();

private:
    struct BarState {
        RECT screen{};  // the bar in screen coordinates
        ThumbSpan thumb;
        DWORD state = 0;
    };
    bool ReadBar(BarState& bar);
    int Length(const RECT& rect) const;
    void MakeWindow(HWND parent);
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);
    void ButtonDown(POINT point);
    void ButtonUp(POINT point);
    void MouseMove(POINT point);

    int32_t FLength = 0;
    ThumbSpan FThumb;
    POINT FOrigin{};
    POINT FPressCursor{};
    int32_t FPressThumb = 0;
    uint8_t FPressing = 0;
    uint8_t FOrientation = 1;
    int32_t FHoverPart = kPartNone;
    int32_t FArrowSize = 0;
    HWND FTarget = nullptr;
    ui::WinControl* FTargetControl = nullptr;
    TSkinControl* FOwner = nullptr;
    Kind FKind = kVerticalBar;
    RECT FBarRect{};
    uint8_t FShown = 0;
    HWND FWindow = nullptr;
    bool tracking_ = false;  // a TME_LEAVE request is out
};

} // namespace skin
