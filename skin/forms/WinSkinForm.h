#pragma once
// The form painter: takes over the non-client area of one top-level window.
// It replaces the frame, caption and caption buttons with pictures of the
// active skin, shapes the window after the transparent parts of the frame,
// keeps the client area the size the application asked for, and routes
// caption-button clicks to their actions. It sees every message of its window
// before the window's own procedure does.
//
// The implementation is split by concern:
//   WinSkinForm.cpp            life cycle, attach and detach, the window procedure
//   FramePainting.cpp          frame metrics, NC size / hit test / paint
//   FrameShape.*               the window shape, once per size
//   CaptionButtons.*           the caption buttons: visibility, layout, drawing, hover and hints
//   CaptionMouse.cpp           non-client mouse handling and the buttons' actions
//   SystemMenu.*               the skinned system-menu popup
//   WinSkinMenu.*              the skinned menu bar and its items
//   MenuLoop.*                 opening its drop-downs, the menu loop, keyboard access
//   MenuHooks.cpp              owner drawing of the form's menus and the bar's drop-downs
//   ControlPainterRegistry.*   the control painters it owns
//   ToolbarDrawing.cpp         the look of tool bars on the window
//   MdiClientLayer.*           the layer on an MDI parent's client window

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/PainterState.h"
#include "skin/forms/CaptionButtons.h"
#include "skin/forms/ControlPainterRegistry.h"
#include "skin/forms/FrameShape.h"
#include "skin/forms/MdiClientLayer.h"
#include "skin/forms/NCObject.h"
#include "skin/forms/SystemMenu.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Component.h"
#include "ui/Gdi.h"
#include "ui/HandlerHook.h"
#include "ui/Messages.h"
#include "ui/ToolBar.h"
#include "ui/WindowSubclass.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ui {
class Form;
} // namespace ui

namespace skin {

class TSkinData;
class TSkinControl;
class TWinSkinMenu;
class TMenuBtn;

enum class FrameKind : uint8_t { Sizeable = 0, Fixed = 1, Captionless = 2, Dialog = 3 };
enum class MdiKind : uint8_t { None = 0, Parent = 1, Child = 2 };
enum class WindowState : uint8_t { Normal = 0, Maximised = 1, Minimised = 2 };
// FBorderIcons bits
enum : uint8_t {
    biMaximizeBox = 1,
    biMinimizeBox = 2,
    biHelpBox = 4,
    biSystemMenuBox = 8,
    biKeepSysMenuStyle = 16,  // leave the WS_SYSMENU style bit alone
};
class TWinSkinForm : public ui::Component, public ControlPainterHost {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    // owner: the toolkit form painted, or none for a bare window.
    explicit TWinSkinForm(ui::Component* owner);
    ~TWinSkinForm() override;

    // --- what the manager uses, in the order of a painter's life ---
    // Set by the manager right after construction: the window, the module
    // that made the painter, and the class name handed to the skin events.
    void SetWindow(HWND window, HMODULE module = nullptr, std::wstring eventName = {});
    HWND Handle() const { return FHandle; }
    HMODULE Module() const { return FModule; }
    const std::wstring& EventName() const { return FEventName; }

    void AttachToForm(TSkinData& skinData, ui::Form& form);
    void AttachToWindow(TSkinData& skinData);
    // Gives the window back in its pre-skin shape.
    void Detach();
    // Lets go of the window without restoring its size (WM_NCDESTROY, module unload).
    void Release();
    void LoadFrameMetrics();
    void Reskin();
    // ControlPainterHost
    bool RegisterControlPainter(TSkinControl* painter) override;
    void UnregisterControlPainter(TSkinControl* painter) override;
    HWND FormHandle() const override { return FHandle; }
    TSkinData* SkinData() const override { return FSkinData; }
    ui::Canvas& ControlCanvas() override { return FControlCanvas; }
    void ToolbarCustomDraw(ui::ToolBar& toolBar, const RECT& rect, bool& defaultDraw) override;
    void ToolbarCustomDrawButton(ui::ToolBar& toolBar, ui::ToolButton& button, ui::CustomDrawState state,
                                 bool& defaultDraw) override;
    // The item and every item below it draw and measure skinned.
    void HookMenuItem(ui::MenuItem& item) override;
    // The form's popup menus (not those tagged with the skin's DisableTag)
    // owner-drawn with the skinned drawing, or given back (on false).
    void HookFormMenus(bool on) override;
    // The form's main menus: their items below the top level.
    void HookMainMenus(bool on);
    // The hooked events' handlers.
    void DrawHookedItem(ui::MenuItem& item, ui::Canvas& canvas, const RECT& rect, bool selected);
    void MainMeasure(ui::MenuItem& item, ui::Canvas& canvas, int& width, int& height);
    // Removes and frees every registered control painter that is gone.
    void DropDeadControlPainters() override;
    bool PaintsControl(const ui::Control& control) const override;
    bool PaintsWindow(HWND window) const override;
    ui::Component& EventSender() override { return *this; }
    void TakeOverToolbarDrawing(ui::ToolBar& toolBar) override;
    void RepaintFrame(HDC dc = nullptr);
    void UpdateRegion();
    void DropRegion();

    PainterState State() const { return FState; }
    void SetState(PainterState state) { FState = state; }
    ui::Form* FormControl() const { return FFormControl; }
    skin::MdiKind MdiKind() const { return FMdiKind; }
    skin::WindowState WindowState() const { return FWindowState; }
    void SetWindowState(skin::WindowState state) { FWindowState = state; }
    uint8_t FrameSkinned() const { return FFrameSkinned; }
    std::vector<TSkinControl*> ControlPainters() const;

    // Frame sizes, for tests and the manager.
    int32_t BorderLeft() const { return FBorderLeft; }
    int32_t BorderRight() const { return FBorderRight; }
    int32_t CaptionHeight() const { return FCaptionHeight; }
    int32_t BorderBottom() const { return FBorderBottom; }
    int32_t MenuBarHeight() const { return FMenuBarHeight; }
    skin::CaptionButtons& Buttons() { return FCaptionButtons; }
    const skin::CaptionButtons& Buttons() const { return FCaptionButtons; }
    skin::SystemMenu& SystemMenuPopup() { return FSystemMenuPopup; }
    // The skinned menu bar, or none (no menu, an MDI child, frame not skinned).
    TWinSkinMenu* MenuBar() const { return FMenuBar.get(); }
    HMENU OpenSubMenu() const { return FOpenSubMenu; }
    bool InMenuLoop() const { return FMenuLoop != 0; }

    // --- the menu bar's drop-downs (MenuLoop.cpp) ---
    // Opens the item's drop-down and returns when it has closed; false for
    // no item, an item without drop-down, or while another is open.
    bool OpenMenuItem(TMenuBtn* item);
    // Posts the button-down that opens the item's drop-down.
    void RequestMenuItem(TMenuBtn& item);
    // The first visible, enabled item with this accelerator character.
    TMenuBtn* AcceleratorItem(wchar_t key) const;
    // The menu loop's notifications.
    void MenuLoopEnded();
    void MenuSelected(WPARAM wParam, LPARAM lParam);
    bool IsActive() const { return FActive != 0; }

    // --- frame coordinates ---
    // A screen point (signed 16-bit halves of a message's lParam) relative
    // to the window's top-left corner.
    POINT ToFrameCoordinates(int screenX, int screenY) const;
    POINT ToFrameCoordinates(LPARAM screenPoint) const;

    // The window procedure's entry points.
    LRESULT WindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    friend class TNCObject;
    friend class TWinSysButton;
    friend class CaptionButtons;
    friend class SystemMenu;
    friend class FrameShape;
    friend class TWinSkinMenu;
    friend class TMenuBtn;
    // Tests read and set the fields through a probe of their own.
    friend struct FormPainterProbe;

    // --- life cycle (WinSkinForm.cpp) ---
    // The window procedures with nothing thrown into the window system.
    LRESULT GuardedWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam);
    void CommonAttach(TSkinData& skinData);
    void ReadStyles();
    void FindMdiClient();
    // SKM_RESETSCROLLBAR: the scroll-bar painter of a window that was made
    // anew gives way to a new one.
    void ResetScrollBarPainter(HWND window);
    // Stage 1 of the window procedure: true when the message ended there.
    bool FirstStage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Stage 2: true when it handled the message.
    bool SecondStage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT ThirdStage(UINT msg, WPARAM wParam, LPARAM lParam);
    void CallFormHandler(ui::Message& message);
    void Announce();
    bool WentDuringAnnouncement() const;
    void FrameChanged();
    bool IsMdiChild() const { return FMdiKind == MdiKind::Child; }
    void Setup();
    void FitWindow(bool keepClient);
    void FormMessageHandler(ui::Message& message);
    void SizeHandler(WPARAM sizeType, LRESULT& result, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Activation(WPARAM wParam, LPARAM lParam);
    void LightDetach();
    void FreeControlPainters();
    // Clears the tool-bar events this painter set (ToolbarDrawing.cpp).
    void GiveBackToolbarDrawing();
    // Puts WS_SYSMENU back when the window had a system menu (unless the
    // style bit is left alone).
    void GiveBackSystemMenuStyle();
    void ReadWindowPlacementState();
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window text as UTF-16 (W for Unicode windows, else WM_GETTEXT into
    // 1000 bytes of the system code page).
    std::wstring ReadWindowText() const;

    // --- frame painting (FramePainting.cpp) ---
    LRESULT NcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT NcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT NcPaint(WPARAM wParam, LPARAM lParam);
    // piece 1 left, 2 right, 3 top, 4 bottom: the piece's look (active or
    // inactive frame) built at the target size; empty for an empty target.
    ui::Bitmap BuildBorderPiece(int piece, int width, int height) const;
    void PaintBorderPiece(HDC dc, int piece, const RECT& target);
    // The caption band composed in FCaptionBitmap and copied in one piece;
    // left and right are the side pieces already built for this paint (their
    // caption parts show in the band's corners).
    void PaintCaption(HDC dc, int width, int height, const ui::Bitmap& left, const ui::Bitmap& right);
    void PaintTitleText(HDC dc, const RECT& captionArea);

    // --- caption mouse (CaptionMouse.cpp) ---
    // WM_NCMOUSEMOVE .. WM_NCRBUTTONDOWN: true when handled (result 0); a
    // handler may change wParam before the message is passed on.
    bool NcMouse(UINT msg, WPARAM& wParam, LPARAM lParam);
    void RunAction(TWinSysButton& button, POINT screenPoint);
    void MaximiseToggle();
    void MinimiseToggle();
    void RestoreWindow();
    void MdiChildCommand(WPARAM command);
    // WM_SYSCOMMAND: window-state tracking before the message passes on.
    void TrackSystemCommand(WPARAM command);

    // --- menus (WinSkinMenu.*, MenuLoop.cpp, MenuHooks.cpp) ---
    // Makes the menu bar painter and lets it take the window's menu.
    void TakeOverWindowMenu();
    // The window's menu changed (CM_MENUCHANGED): the bar takes the new one.
    void WindowMenuChanged();
    // Frees the menu bar painter; on detach the window gets its menu back.
    void DropMenuBar(bool giveMenuBack);
    // Detach: the form's menus draw as the toolkit draws them again.
    void UnhookFormMenus();
    // SC_KEYMENU: true when the keyboard opened (or swallowed) a menu.
    bool MenuSystemCommand(WPARAM wParam, LPARAM lParam);
    // CM_DIALOGCHAR: Alt+letter of a menu-bar item.
    void MenuDialogChar(ui::Message& message);
    // SKM_OPENMENUAT: the menu-bar item under a screen point.
    void OpenMenuAt(LPARAM screenPoint);
    bool OwnsMenuNotification(UINT controlType) const;
    LRESULT MeasureMenuItem(WPARAM wParam, LPARAM lParam);
    LRESULT DrawMenuItem(WPARAM wParam, LPARAM lParam);

    // --- fields, in the order of the form painter's record ---
    ui::HandlerHook FFormHook;          // in front of the toolkit form's WindowProc
    ui::WindowSubclass FWndProcLayer;   // in front of the window's procedure
    MdiClientLayer FMdiClientLayer{*this};  // on an MDI parent's client window
    ui::UniqueFont FCaptionFont;
    std::wstring FCaptionPrefix = L"  ";
    std::wstring FCaptionSuffix = L" ";
    std::wstring FClassName;
    uint8_t FFrameSkinned = 0;
    RECT FClientRect{};
    int32_t FCaptionTextWidth = 0;
    HWND FOwnerWindow = nullptr;
    RECT FTitleTextRect{};
    std::wstring FCaptionText;
    int32_t FBorderLeft = 0;
    int32_t FCaptionHeight = 0;
    int32_t FBorderRight = 0;
    int32_t FBorderBottom = 0;
    RECT FWindowRect{};
    RECT FTitleRect{};
    RECT FFrameDelta{};
    int32_t FMenuBarHeight = 0;
    uint8_t FMenuLoop = 0;
    uint8_t FRightToLeft = 0;
    uint8_t FUnicodeWindow = 0;
    uint8_t FFitCaption = 0;
    uint8_t FChildStyle = 0;
    SystemMenu FSystemMenuPopup{*this};  // FLastIconClick, FDoubleClickTime and the popup
    HWND FMdiClient = nullptr;
    HMENU FWindowMenu = nullptr;
    HMENU FSystemMenu = nullptr;
    HMENU FOpenSubMenu = nullptr;
    ui::Color FSavedColor = 0;
    DWORD FStyle = 0;
    ui::Form* FFormControl = nullptr;
    ui::Canvas FWindowCanvas;
    ui::Canvas FControlCanvas;
    TSkinData* FSkinData = nullptr;
    std::unique_ptr<TWinSkinMenu> FMenuBar;
    // FButtons, FButtonCount, FHotObject, FRightButtonsWidth, the hover
    // timer and the window icon
    CaptionButtons FCaptionButtons{*this};
    ui::Bitmap FCaptionBitmap;
    ControlPainterRegistry FControlPainters;
    // The tool bars whose custom-draw events point here, and which of them.
    struct ToolbarTakeover {
        ui::Ref<ui::ToolBar> toolBar;
        bool button = false;
        bool bar = false;
    };
    std::vector<ToolbarTakeover> FToolbars;
    int32_t FWindowWidth = 0;
    int32_t FWindowHeight = 0;
    FrameShape FShape{*this};  // FRegion, FRegionSet and the size it was built for
    uint8_t FActive = 1;
    skin::MdiKind FMdiKind = MdiKind::None;
    skin::FrameKind FFrameKind = FrameKind::Fixed;
    uint8_t FBorderIcons = 0;
    skin::WindowState FWindowState = WindowState::Normal;
    PainterState FState = PainterState::Created;
    HWND FHandle = nullptr;
    HMODULE FModule = nullptr;
    std::wstring FEventName;
};

} // namespace skin
