#pragma once
// Reads and sets the form painter's private fields for the form painter's
// own tests (the painter declares this struct its friend).

#include "skin/forms/WinSkinForm.h"
#include "ui/Timer.h"

namespace skin {

struct FormPainterProbe {
    TWinSkinForm& p;

    RECT TitleRect() const { return p.FTitleRect; }
    RECT TitleTextRect() const { return p.FTitleTextRect; }
    HFONT CaptionFont() const { return p.FCaptionFont.get(); }
    HBITMAP CaptionBitmap() const { return p.FCaptionBitmap.Handle(); }
    HBITMAP IconBitmap() const { return p.FIconBitmap.Handle(); }
    skin::FrameKind FrameKind() const { return p.FFrameKind; }
    uint8_t BorderIcons() const { return p.FBorderIcons; }
    bool TimerEnabled() const { return p.FTimer->Enabled(); }
    HRGN Region() const { return p.FShape.Region(); }
    bool RegionSet() const { return p.FShape.Set(); }
    bool Subclassed() const { return p.FWndProcLayer.Installed(); }
    bool ClientSubclassed() const { return p.FMdiClientLayer.Installed(); }
    HWND MdiClient() const { return p.FMdiClient; }
    void SetActive(bool active) { p.FActive = active ? 1 : 0; }
    void SetWindowState(skin::WindowState state) { p.FWindowState = state; }
    void SetFrameSkinned(bool on) { p.FFrameSkinned = on ? 1 : 0; }
    void PaintTitle(HDC dc, const RECT& caption) { p.PaintTitleText(dc, caption); }
};

} // namespace skin
