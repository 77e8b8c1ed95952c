#pragma once
// The painter of one popup-menu window ("#32768"). The manager attaches one
// when such a window is created and frees it when the window is destroyed.
// It takes over the window procedure so that the window answers SKM_QUERY
// and lets go again before the window goes; painting the face is a later
// layer, so every other message passes on unchanged.

#include "ui/Bitmap.h"
#include "ui/WindowSubclass.h"

#include <windows.h>

namespace skin {

class TSkinData;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu();
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Subclasses the window; menu is the menu shown, or 0 until learnt.
    void Attach(HWND window, TSkinData& skinData, HMENU menu);
    // Takes the painter's layer off the window and empties the face.
    void Detach();

    HWND Handle() const { return FHandle; }
    TSkinData* SkinData() const { return FSkinData; }
    HMENU Menu() const { return FMenu; }
    void SetMenu(HMENU menu) { FMenu = menu; }
    bool Attached() const { return FWndProcLayer.Installed(); }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;

    ui::WindowSubclass FWndProcLayer;
    HWND FHandle = nullptr;
    TSkinData* FSkinData = nullptr;
    ui::Bitmap FBackground;
    HMENU FMenu = nullptr;
};

} // namespace skin
