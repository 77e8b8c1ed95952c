#pragma once
// The skin engine's private window messages. Their numbers are fixed: other
// skinned modules of the process send and answer the same ones.

#include <windows.h>

namespace skin {

constexpr UINT SKM_RESKIN = 0x3401;         // through a form's handler: re-apply the skin
constexpr UINT SKM_NCREPAINT = 0x3502;      // repaint the whole frame now
constexpr UINT SKM_SETUP = 0x3503;          // posted after a form painter is made (0, 1000)
constexpr UINT SKM_ENABLE = 0x3506;         // to a skinned control: wParam > 0 switches its painter on
constexpr UINT SKM_TABCLOSE = 0x3507;       // to the form: a tab's close box (wParam the tab window, lParam the tab); 0 frees its page
constexpr UINT SKM_USERBUTTON = 0x3514;     // a caption button with an action of its own; wParam = Action
constexpr UINT SKM_BUTTONVISIBLE = 0x3515;  // is the caption button (Visibility wParam, Action lParam) visible?
constexpr UINT SKM_MDIREDRAW = 0x3516;      // to an MDI client: redraw the parent with frame and children
constexpr UINT SKM_RESETSCROLLBAR = 0x3517; // wParam a control: replace its scroll-bar painter
constexpr UINT SKM_OPENMENUAT = 0x3518;     // lParam a screen point: open the menu-bar item there
constexpr UINT SKM_QUERY = 0x3523;          // is the window skinned? A skinned one answers 1
constexpr UINT SKM_PAINTCONTENT = 0xBC4A;   // to a skinned edit, lParam kSkinMagic: its text painted into wParam
constexpr UINT SKM_PAINTFRAME = 0xBC4B;     // through a form's handler, lParam kSkinMagic: paint the frame into wParam
constexpr UINT SKM_PING = 0xBC4D;           // through a form's handler: kSkinMagic when lParam is kSkinMagic
constexpr UINT SKM_SKINNED = 0xBC4E;        // end of set-up (0, kSkinMagic), and after each SKM_QUERY

constexpr LPARAM kSkinMagic = 0x41A2;
constexpr LPARAM kSetupMagic = 1000;

} // namespace skin
