#pragma once
// Reads and sets the form painter's private fields, and those of its caption
// buttons and system menu, for the form painter's own tests (each of them
// declares this struct its friend).

#include "skin/forms/WinSkinForm.h"
#include "ui/Menus.h"
#include "ui/Timer.h"

#include <memory>

namespace skin {

struct FormPainterProbe {
    TWinSkinForm& p;

    // --- the painter ---
    HWND& Handle() { return p.FHandle; }
    TSkinData*& SkinData() { return p.FSkinData; }
    uint8_t& BorderIcons() { return p.FBorderIcons; }
    skin::WindowState& WindowState() { return p.FWindowState; }
    uint8_t& Active() { return p.FActive; }
    skin::FrameKind& FrameKind() { return p.FFrameKind; }
    uint8_t& FitCaption() { return p.FFitCaption; }
    skin::MdiKind& MdiKind() { return p.FMdiKind; }
    uint8_t& MenuLoop() { return p.FMenuLoop; }
    RECT& TitleRect() { return p.FTitleRect; }
    RECT& TitleTextRect() { return p.FTitleTextRect; }
    int32_t& BorderLeft() { return p.FBorderLeft; }
    int32_t& BorderRight() { return p.FBorderRight; }
    int32_t& CaptionHeight() { return p.FCaptionHeight; }
    int32_t& MenuBarHeight() { return p.FMenuBarHeight; }
    HMENU& SystemMenu() { return p.FSystemMenu; }
    HFONT CaptionFont() const { return p.FCaptionFont.get(); }
    HBITMAP CaptionBitmap() const { return p.FCaptionBitmap.Handle(); }
    HRGN Region() const { return p.FShape.Region(); }
    bool RegionSet() const { return p.FShape.Set(); }
    bool Subclassed() const { return p.FWndProcLayer.Installed(); }
    bool ClientSubclassed() const { return p.FMdiClientLayer.Installed(); }
    HWND MdiClient() const { return p.FMdiClient; }
    void SetActive(bool active) { p.FActive = active ? 1 : 0; }
    void SetWindowState(skin::WindowState state) { p.FWindowState = state; }
    void SetFrameSkinned(bool on) { p.FFrameSkinned = on ? 1 : 0; }
    void PaintTitle(HDC dc, const RECT& caption) { p.PaintTitleText(dc, caption); }
    bool NcMouse(UINT msg, WPARAM& wParam, LPARAM lParam) { return p.NcMouse(msg, wParam, lParam); }
    bool NcMouse(UINT msg, WPARAM wParam, POINT screen) {
        return p.NcMouse(msg, wParam, MAKELPARAM(screen.x, screen.y));
    }
    void TrackSystemCommand(WPARAM command) { p.TrackSystemCommand(command); }

    // --- the caption buttons ---
    int32_t& IconSize() { return p.FCaptionButtons.iconSize_; }
    HICON IconHandle() const { return p.FCaptionButtons.iconHandle_; }
    ui::Bitmap& IconBitmap() { return p.FCaptionButtons.iconBitmap_; }
    TNCObject*& HotObject() { return p.FCaptionButtons.hot_; }
    bool TimerEnabled() const { return p.FCaptionButtons.Hovering(); }
    void HoverTick() { p.FCaptionButtons.HoverTick(); }
    TWinSysButton& AddButton(TDataSkinSysButton& data) {
        return static_cast<TWinSysButton&>(p.FCaptionButtons.Add(std::make_unique<TWinSysButton>(p, data)));
    }

    // --- the system menu ---
    UINT& DoubleClickTime() { return p.FSystemMenuPopup.doubleClickTime_; }
    DWORD& LastIconClick() { return p.FSystemMenuPopup.lastIconClick_; }
    ui::PopupMenu* SystemMenuPopup() const { return p.FSystemMenuPopup.Popup(); }
};

} // namespace skin
