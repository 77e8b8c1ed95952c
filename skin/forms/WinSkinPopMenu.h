#pragma once
// The painter of one popup-menu window ("#32768"). The manager attaches one
// when such a window is created and frees it when the window is destroyed.
// With a skin that has a MenuBackground picture it paints the popup's whole
// face from that picture (no system border), and keeps the face so that the
// owner-drawn items can take their background from it.

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
    // The face as last painted (empty without a MenuBackground picture).
    const ui::Bitmap& Background() const { return FBackground; }

    // --- the attached painters of the thread, oldest first ---
    // The newest painter that has not learnt its menu yet learns this one.
    static void LearnMenu(HMENU menu);
    // The newest painter showing this menu, or none.
    static TWinSkinPopMenu* ShowingMenu(HMENU menu);

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;
    // A skin is loaded and has a MenuBackground picture.
    bool HasFacePicture() const;
    // FBackground := the MenuBackground picture at the window's size.
    void BuildFace();
    LRESULT FacePaint(WPARAM wParam, LPARAM lParam);
    LRESULT PrintPaint(WPARAM wParam, LPARAM lParam);
    // After the popup's own paint: the face over its border ring, which some
    // systems draw in the client area.
    void PaintBorderRing();

    ui::WindowSubclass FWndProcLayer;
    HWND FHandle = nullptr;
    TSkinData* FSkinData = nullptr;
    ui::Bitmap FBackground;
    HMENU FMenu = nullptr;
};

} // namespace skin
