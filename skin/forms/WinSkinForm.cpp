// The form painter's life cycle: construction, attach, set-up, fitting the
// window to the skin's frame, the window procedure in its three stages, the
// toolkit message handler, re-skin, detach and release.
#include "skin/forms/WinSkinForm.h"

#include "skin/controls/ControlSetUp.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/CodePage.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FormPainterHost.h"
#include "skin/forms/WinSkinMenu.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/StartupTrace.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <iterator>
#include <utility>
#include <vector>

namespace skin {

namespace {

// The show command of the window's placement as a window state.
WindowState PlacementState(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) {
        return WindowState::Normal;
    }
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return WindowState::Minimised;
    case SW_SHOWMAXIMIZED:
        return WindowState::Maximised;
    default:
        return WindowState::Normal;
    }
}

std::wstring WindowClassName(HWND window) {
    wchar_t name[101] = {};
    const int length = GetClassNameW(window, name, 101);
    return std::wstring(name, size_t(std::max(length, 0)));
}

// Windows 2000 alone (NT family, version 5.0) keeps the WS_SYSMENU bit of
// windows that show in the task bar.
bool KeepsSystemMenuOnTaskbarWindows() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version)) {
        return false;
    }
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5 &&
           version.dwMinorVersion == 0;
}

// The commands of the skinned system menu, which arrive as WM_COMMAND and are
// handed on as the system commands they are.
constexpr std::array<WORD, 8> kSystemMenuCommands{SC_SIZE,       SC_MOVE,       SC_MINIMIZE, SC_MAXIMIZE,
                                                  SC_NEXTWINDOW, SC_PREVWINDOW, SC_CLOSE,    SC_RESTORE};

constexpr UINT kFrameChangedFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

} // namespace

const ui::ClassInfo TWinSkinForm::kClass{"TWinSkinForm", &ui::Component::kClass};

TWinSkinForm::TWinSkinForm(ui::Component* owner) : ui::Component(owner) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        FCaptionFont.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
    }
}

TWinSkinForm::~TWinSkinForm() {
    // Freed without Release (a manager dropping it, a test): no message may
    // reach the freed painter, and the form keeps a working handler.
    FFormHook.Remove();
    FWndProcLayer.Remove();
    FMdiClientLayer.Remove();
    // Its items leave the caption buttons' hot object while those live.
    FMenuBar.reset();
    FCaptionButtons.Clear();
    FreeControlPainters();
    if (FormPainterHost* host = PainterHost()) {
        host->RemoveFormPainter(FHandle);
    }
}

void TWinSkinForm::SetWindow(HWND window, HMODULE module, std::wstring eventName) {
    FHandle = window;
    FModule = module;
    FEventName = std::move(eventName);
}

// ---------------------------------------------------------------- attach

void TWinSkinForm::AttachToForm(TSkinData& skinData, ui::Form& form) {
    if (FWndProcLayer.Installed()) {
        return;
    }
    FFormControl = &form;
    if (skinData.OnBeforeSkinForm) {
        skinData.OnBeforeSkinForm(skinData, FHandle, FEventName);
    }
    if (skinData.SkinControls.Contains(xcMenuItem)) {
        form.SetPropertyText("AutoScroll", "False");
    }
    CommonAttach(skinData);
    if (FFrameSkinned) {
        FFormHook.Install(form, [this](ui::Message& message) { FormMessageHandler(message); });
    }
    FSavedColor = form.GetColor();
    form.SetColor(skinData.Colours[scButtonFace]);
    if (skinData.SkinControls.Contains(xcMenuItem)) {
        HookMainMenus(true);
    }
}

void TWinSkinForm::AttachToWindow(TSkinData& skinData) { CommonAttach(skinData); }

void TWinSkinForm::ReadStyles() {
    const auto style = DWORD(GetWindowLongW(FHandle, GWL_STYLE));
    const auto exStyle = DWORD(GetWindowLongW(FHandle, GWL_EXSTYLE));
    FStyle = style;
    FRightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    FChildStyle = (style & WS_CHILD) != 0;
    FClassName = WindowClassName(FHandle);
    FOwnerWindow = GetWindow(FHandle, GW_OWNER);

    FBorderIcons = 0;
    if ((style & WS_SYSMENU) != 0 || FSystemMenu != nullptr) FBorderIcons |= biSystemMenuBox;
    if ((style & WS_MINIMIZEBOX) != 0) FBorderIcons |= biMinimizeBox;
    if ((style & WS_MAXIMIZEBOX) != 0) FBorderIcons |= biMaximizeBox;
    if ((exStyle & WS_EX_CONTEXTHELP) != 0) FBorderIcons |= biHelpBox;
}

void TWinSkinForm::FindMdiClient() {
    FMdiKind = MdiKind::None;
    for (HWND child = GetTopWindow(FHandle); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowClassName(child) == L"MDIClient") {
            FMdiKind = MdiKind::Parent;
            FMdiClient = child;
            if (FormPainterHost* host = PainterHost()) {
                host->MdiParentFound(child, FFormControl);
            }
            return;
        }
    }
}

void TWinSkinForm::CommonAttach(TSkinData& skinData) {
    if (FWndProcLayer.Installed() || !IsWindow(FHandle)) {
        return;
    }
    FormPainterHost* host = PainterHost();
    if (host != nullptr) {
        host->PainterAttached();
    }
    FSkinData = &skinData;
    FFrameSkinned = skinData.SkinControls.Contains(xcMainMenu);
    ReadStyles();
    ReadWindowPlacementState();
    FindMdiClient();

    const auto exStyle = DWORD(GetWindowLongW(FHandle, GWL_EXSTYLE));
    if ((exStyle & WS_EX_MDICHILD) != 0) {
        FMdiKind = MdiKind::Child;
        if (skinData.Options.Contains(xoMDIChildBorder)) {
            FFrameSkinned = 0;
        }
    }

    FFrameKind = FrameKind::Fixed;
    if ((FStyle & WS_CAPTION) != WS_CAPTION) {
        FFrameKind = FrameKind::Captionless;
    } else if ((FStyle & WS_THICKFRAME) != 0) {
        FFrameKind = FrameKind::Sizeable;
    } else if ((FStyle & DS_MODALFRAME) != 0) {
        FFrameKind = FrameKind::Dialog;
    }
    if ((exStyle & WS_EX_DLGMODALFRAME) != 0) {
        FFrameKind = FrameKind::Dialog;
    }

    if (KeepsSystemMenuOnTaskbarWindows() &&
        ((exStyle & WS_EX_APPWINDOW) != 0 || (FOwnerWindow == nullptr && !IsMdiChild()))) {
        FBorderIcons |= biKeepSysMenuStyle;
    }

    FUnicodeWindow = IsWindowUnicode(FHandle) ? 1 : 0;
    FFitCaption = 0;
    if (FClassName == L"#32770" || FClassName == L"TMessageForm") {
        FFrameKind = FrameKind::Dialog;
        FFitCaption = 1;
    }
    if ((GetVersion() & 0x80000000u) != 0) {
        skinData.SkinControls.Exclude(xcSystemMenu);
    }

    if (FMdiKind == MdiKind::Parent) {
        FMdiClientLayer.Install(FMdiClient, skinData.MenuUpdate);
    }

    FWndProcLayer.Install<TWinSkinForm, &TWinSkinForm::GuardedWindowProcedure>(FHandle, ui::SubclassKind::FormPainter,
                                                                              this);

    if (FFrameSkinned) {
        TakeOverWindowMenu();
        LoadFrameMetrics();
    } else {
        FState = PainterState::Running;
    }

    if (IsMdiChild()) {
        const int systemCaption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (systemCaption > FCaptionHeight) {
            FMenuBarHeight = systemCaption - FCaptionHeight;
        }
        if (FWindowState == WindowState::Maximised && host != nullptr && !host->MdiCaptionMode()) {
            host->SetMdiCaptionMode(true);
        }
    }
}

// ---------------------------------------------------------------- set-up

void TWinSkinForm::Setup() {
    FSystemMenu = GetSystemMenu(FHandle, FALSE);
    FCaptionButtons.LoadIconBitmap();
    GetClientRect(FHandle, &FClientRect);
    RECT window{};
    GetWindowRect(FHandle, &window);
    FFrameDelta = RECT{0, 0, (window.right - window.left) - FClientRect.right,
                       (window.bottom - window.top) - FClientRect.bottom};

    FormPainterHost* host = PainterHost();
    if (ControlMapper* mapper = host != nullptr ? host->Mapper() : nullptr) {
        if (FFormControl != nullptr) {
            mapper->MapForm(*this, *FFormControl);
        } else {
            mapper->MapWindow(*this, FHandle);
        }
    }
    ui::MarkStartupStep("form controls mapped");
    if (FSkinData != nullptr && FSkinData->SkinControls.Contains(xcPopupMenu)) {
        HookFormMenus(true);
    }

    if (FState == PainterState::Created) {
        if (IsMdiChild()) {
            if (FWindowState == WindowState::Maximised) {
                if (host != nullptr && host->MdiClient() != nullptr) {
                    PostMessageW(host->MdiClient(), SKM_MDIREDRAW, WPARAM(FHandle), 0);
                }
            } else if (FWindowState == WindowState::Normal) {
                FState = PainterState::Fitting;
                FitWindow(false);
                FState = PainterState::Running;
                UpdateRegion();
            }
        } else if (!FChildStyle && FFrameKind != FrameKind::Captionless && FWindowState != WindowState::Minimised) {
            FState = PainterState::Fitting;
            FitWindow(false);
            ui::MarkStartupStep("form fitted to the frame");
            FState = PainterState::Running;
            if (FWindowState == WindowState::Normal) {
                UpdateRegion();
            } else if (FWindowState == WindowState::Maximised) {
                FrameChanged();
            }
        }
    }
    ui::MarkStartupStep("form shaped");
    Announce();
    if (WentDuringAnnouncement()) {
        return;
    }
    FState = PainterState::Running;
    FCaptionButtons.StartHover();
}

bool TWinSkinForm::WentDuringAnnouncement() const {
    // The window (or the callback) may destroy the window when told it is
    // skinned: the painter must stay marked gone, with its timer stopped.
    return FState == PainterState::Destroying || FState == PainterState::Gone;
}

void TWinSkinForm::Announce() {
    SendMessageW(FHandle, SKM_SKINNED, 0, kSkinMagic);
    if (FSkinData != nullptr && FSkinData->OnAfterSkinForm) {
        FSkinData->OnAfterSkinForm(*FSkinData, FHandle, FEventName);
    }
}

void TWinSkinForm::FrameChanged() { SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChangedFlags); }

void TWinSkinForm::FitWindow(bool keepClient) {
    if (FWindowState == WindowState::Maximised) {
        FrameChanged();
        return;
    }
    RECT window{};
    GetWindowRect(FHandle, &window);
    if (FFitCaption || FState == PainterState::Reskinning) {
        GetClientRect(FHandle, &FClientRect);
    }
    int width = FClientRect.right + FBorderLeft + FBorderRight;
    int clientHeight = FClientRect.bottom;
    if (keepClient) {
        GetClientRect(FHandle, &FClientRect);
        clientHeight = FClientRect.bottom;
    } else if (FFormControl != nullptr) {
        width = FFormControl->ClientWidth() + FBorderLeft + FBorderRight;
        clientHeight = FFormControl->ClientHeight() - (IsMdiChild() ? 0 : FMenuBarHeight);
    }
    const int height = clientHeight + FCaptionHeight + FBorderBottom + FMenuBarHeight;

    if (FFitCaption && !keepClient && FSkinData != nullptr) {
        FCaptionText = ReadWindowText();
        {
            ui::WindowDc dc(FHandle, ui::WindowDc::Area::Window);
            ui::SelectObjectScope font(dc.get(), FCaptionFont.get());
            SIZE extent{};
            GetTextExtentPoint32W(dc.get(), FCaptionText.c_str(), int(FCaptionText.size()), &extent);
            FCaptionTextWidth = extent.cx;
        }
        const RECT& margins = FSkinData->Title->Margins;
        const int needed = margins.left + FCaptionTextWidth + margins.right;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            std::vector<HWND> children;
            for (HWND child = GetWindow(FHandle, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                children.push_back(child);
            }
            for (HWND child : children) {
                RECT bounds{};
                GetWindowRect(child, &bounds);
                POINT topLeft{bounds.left, bounds.top};
                ScreenToClient(FHandle, &topLeft);
                // The children keep their stacking order.
                SetWindowPos(child, nullptr, topLeft.x + shift, topLeft.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
            width = needed;
        }
    }
    // The erase waits for the paint that follows: done at once, it would
    // erase every child window that is waiting to be painted.
    SetWindowPos(FHandle, nullptr, window.left, window.top, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_DEFERERASE);
    // Pixels of the system's frame that now lie inside the client area are
    // not repainted by the resize alone.
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------- window procedure

LRESULT TWinSkinForm::GuardedWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return WindowProcedure(msg, wParam, lParam);
    } catch (...) {
        // Nothing of the skin may throw into the window system.
        return 0;
    }
}

LRESULT TWinSkinForm::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Also after the layer left the chain at WM_NCDESTROY.
    return ui::WindowSubclass::CallNext(FHandle, msg, wParam, lParam);
}

LRESULT TWinSkinForm::WindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (FirstStage(msg, wParam, lParam, result)) {
        return result;
    }
    if (!IsMdiChild() && (FStyle & WS_CHILD) != 0) {
        return CallPrevious(msg, wParam, lParam);
    }
    if (SecondStage(msg, wParam, lParam, result)) {
        return result;
    }
    if (FState == PainterState::Created || (IsMdiChild() && FWindowState == WindowState::Maximised)) {
        return CallPrevious(msg, wParam, lParam);
    }
    return ThirdStage(msg, wParam, lParam);
}

bool TWinSkinForm::FirstStage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const bool bareWindow = FFormControl == nullptr;
    const HBRUSH buttonFace = FSkinData != nullptr ? FSkinData->ButtonFaceBrush.get() : nullptr;
    switch (msg) {
    case WM_NCPAINT:
        if (FState == PainterState::Created) {
            result = 0;  // no frame before set-up
            return true;
        }
        break;
    case WM_ERASEBKGND:
        result = CallPrevious(msg, wParam, lParam);
        if (bareWindow && buttonFace != nullptr) {
            RECT client{};
            GetClientRect(FHandle, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, buttonFace);
            result = 1;
        }
        return true;
    case WM_NCDESTROY: {
        FState = PainterState::Destroying;
        Release();
        // The window's own procedure may free this painter as its window ends.
        const std::shared_ptr<ui::Component*> alive = LifetimeCell();
        result = CallPrevious(msg, wParam, lParam);
        if (*alive != nullptr) {
            FState = PainterState::Gone;
        }
        return true;
    }
    case WM_NCACTIVATE:
        if (FState == PainterState::Created && !IsMdiChild()) {
            result = 0;
            return true;
        }
        break;
    case 0xAE:  // the caption redraw of themed systems
        result = 0;
        return true;
    case WM_INITMENUPOPUP:
        if (FormPainterHost* host = PainterHost()) {
            host->SetPopupMode(reinterpret_cast<HMENU>(wParam) == FSystemMenu ? PopupMode::SystemMenu
                                                                               : PopupMode::MenuBarDropDown);
        }
        result = CallPrevious(msg, wParam, lParam);
        return true;
    case WM_CTLCOLORBTN:
        result = CallPrevious(msg, wParam, lParam);
        if (bareWindow) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        }
        return true;
    case WM_CTLCOLORSTATIC:
        result = CallPrevious(msg, wParam, lParam);
        if (bareWindow && buttonFace != nullptr) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            result = reinterpret_cast<LRESULT>(buttonFace);
        }
        return true;
    case SKM_SETUP:
        Setup();
        result = 0;
        return true;
    case SKM_RESETSCROLLBAR:
        ResetScrollBarPainter(reinterpret_cast<HWND>(wParam));
        result = 0;
        return true;
    case SKM_QUERY:
        result = 1;
        PostMessageW(FHandle, SKM_SKINNED, 0, kSkinMagic);
        return true;
    default:
        break;
    }
    if (!FFrameSkinned) {
        result = CallPrevious(msg, wParam, lParam);
        return true;
    }
    return false;
}

void TWinSkinForm::ResetScrollBarPainter(HWND window) {
    TSkinControl* old = nullptr;
    for (TSkinControl* painter : FControlPainters.Painters()) {
        if (painter->Handle() == window) {
            old = painter;
        }
    }
    if (old == nullptr) {
        return;
    }
    const ui::Ref<ui::Control> control(old->Control());
    const PainterKind kind = old->InheritsFrom("TSkinListView") ? PainterKind::ListView : PainterKind::Scrollbar;
    const int32_t mode = old->FMode;
    FControlPainters.Free(window);
    if (!control) {
        // A bare window: a new painter by the mapping's rules.
        FormPainterHost* host = PainterHost();
        if (ControlMapper* mapper = host != nullptr ? host->Mapper() : nullptr) {
            mapper->MapChildWindow(*this, window);
        }
        return;
    }
    // A toolkit control whose window was made anew: a painter of the same
    // class over the new window.
    TSkinControl* fresh = CreatePainter(kind, control.get());
    auto* setUp = dynamic_cast<ControlSetUp*>(fresh);
    if (setUp == nullptr) {
        delete fresh;
        return;
    }
    fresh->FMode = mode;
    try {
        setUp->SetUpControl(*control, FSkinData, this, &FControlCanvas);
    } catch (const std::exception&) {
        delete fresh;  // the control keeps its native bars
    }
}

bool TWinSkinForm::SecondStage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_SIZE:
        if (FState == PainterState::Created || (IsMdiChild() && FWindowState == WindowState::Maximised)) {
            SizeHandler(wParam, result, msg, wParam, lParam);
            return true;
        }
        return false;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
        FActive = LOBYTE(wParam);
        return false;
    case WM_GETMINMAXINFO:
        result = CallPrevious(msg, wParam, lParam);
        ReadWindowPlacementState();
        return true;
    case WM_WINDOWPOSCHANGED:
        ReadWindowPlacementState();
        result = CallPrevious(msg, wParam, lParam);
        return true;
    case WM_SETICON:
        result = CallPrevious(msg, wParam, lParam);
        FCaptionButtons.LoadIconBitmap();
        return true;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id < 0xFF00 && std::ranges::find(kSystemMenuCommands, id) != kSystemMenuCommands.end()) {
            PostMessageW(FHandle, WM_SYSCOMMAND, id, 0);
            result = 0;
        } else {
            result = CallPrevious(msg, wParam, lParam);
        }
        return true;
    }
    case WM_SYSCOMMAND:
        if (MenuSystemCommand(wParam, lParam)) {
            result = 1;
            return true;
        }
        TrackSystemCommand(wParam);
        result = CallPrevious(msg, wParam, lParam);
        return true;
    case WM_MENUSELECT:
        MenuSelected(wParam, lParam);
        return false;
    case SKM_OPENMENUAT:
        OpenMenuAt(lParam);
        result = 0;
        return true;
    case ui::CM_MENUCHANGED:
        if (FSkinData != nullptr) {
            FSkinData->framePaint = false;
        }
        result = CallPrevious(msg, wParam, lParam);
        if (FSkinData != nullptr) {
            FSkinData->framePaint = true;
        }
        WindowMenuChanged();
        return true;
    default:
        return false;
    }
}

LRESULT TWinSkinForm::ThirdStage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        LRESULT result = 0;
        SizeHandler(wParam, result, msg, wParam, lParam);
        return result;
    }
    case WM_NCCALCSIZE:
        return NcCalcSize(wParam, lParam);
    case WM_NCHITTEST:
        return NcHitTest(wParam, lParam);
    case WM_NCPAINT:
        return NcPaint(wParam, lParam);
    case WM_NCACTIVATE:
        return Activation(wParam, lParam);
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: {
        WPARAM passed = wParam;
        if (NcMouse(msg, passed, lParam)) {
            return 0;
        }
        return CallPrevious(msg, passed, lParam);
    }
    case SKM_NCREPAINT:
        RepaintFrame(nullptr);
        return 0;
    case WM_MEASUREITEM:
        return MeasureMenuItem(wParam, lParam);
    case WM_DRAWITEM:
        return DrawMenuItem(wParam, lParam);
    default:
        return CallPrevious(msg, wParam, lParam);
    }
}

void TWinSkinForm::SizeHandler(WPARAM sizeType, LRESULT& result, UINT msg, WPARAM wParam, LPARAM lParam) {
    result = CallPrevious(msg, wParam, lParam);
    switch (sizeType) {
    case SIZE_RESTORED:
        FWindowState = WindowState::Normal;
        break;
    case SIZE_MINIMIZED:
        FWindowState = WindowState::Minimised;
        break;
    case SIZE_MAXIMIZED:
        FWindowState = WindowState::Maximised;
        break;
    default:
        break;
    }
    if (FWindowState == WindowState::Minimised) {
        return;
    }
    if (IsMdiChild()) {
        const FormPainterHost* host = PainterHost();
        if ((host != nullptr && host->MdiCaptionMode()) || FWindowState != WindowState::Normal) {
            return;
        }
    }
    if (FState == PainterState::Running || FState == PainterState::Reskinning) {
        UpdateRegion();
    }
}

LRESULT TWinSkinForm::Activation(WPARAM wParam, LPARAM lParam) {
    FActive = wParam != 0 ? 1 : 0;
    if (wParam != 0) {
        FCaptionButtons.StartHover();
    } else {
        // The stopped timer would never take a showing hint (a topmost
        // window) down again.
        FCaptionButtons.StopHover();
        FCaptionButtons.ResetHint();
    }
    if (FMdiKind == MdiKind::Parent && FMdiClient != nullptr) {
        SendMessageW(FMdiClient, WM_NCACTIVATE, wParam, 0);
    } else if (IsMdiChild()) {
        CallPrevious(WM_NCACTIVATE, wParam, lParam);
    }
    if (!(IsMdiChild() && FWindowState == WindowState::Maximised)) {
        RepaintFrame(nullptr);
    }
    return 1;  // the activation change is always allowed
}

void TWinSkinForm::ReadWindowPlacementState() { FWindowState = PlacementState(FHandle); }

std::wstring TWinSkinForm::ReadWindowText() const {
    if (FUnicodeWindow) {
        const int length = GetWindowTextLengthW(FHandle);
        if (length <= 0) {
            return {};
        }
        std::wstring text(size_t(length) + 1, L'\0');
        const int copied = GetWindowTextW(FHandle, text.data(), length + 1);
        text.resize(size_t(std::max(copied, 0)));
        return text;
    }
    char buffer[1000] = {};
    const LRESULT copied = SendMessageA(FHandle, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
    const size_t length = std::min<size_t>(size_t(std::max<LRESULT>(copied, 0)), sizeof(buffer) - 1);
    return AnsiToWide(std::string_view(buffer, strnlen(buffer, length)));
}

// ---------------------------------------------------------------- toolkit message handler

void TWinSkinForm::CallFormHandler(ui::Message& message) { FFormHook.CallNext(message); }

void TWinSkinForm::FormMessageHandler(ui::Message& message) {
    switch (message.msg) {
    case WM_SETTEXT:
        CallFormHandler(message);
        if (IsWindowVisible(FHandle)) {
            const FormPainterHost* host = PainterHost();
            if (FWindowState == WindowState::Maximised && host != nullptr && host->MdiClient() != nullptr) {
                PostMessageW(host->MdiClient(), SKM_MDIREDRAW, WPARAM(FHandle), 0);
            }
            if (FWindowState == WindowState::Minimised) {
                RepaintFrame(nullptr);
            } else {
                FrameChanged();
            }
        }
        return;
    case SKM_RESKIN:
        Reskin();
        return;
    case SKM_PAINTFRAME:
        if (message.lParam == kSkinMagic) {
            if (message.wParam != 0) {
                RepaintFrame(reinterpret_cast<HDC>(message.wParam));
            }
            message.result = kSkinMagic;
        }
        return;
    case SKM_PING:
        message.result = message.lParam == kSkinMagic ? kSkinMagic : 1;
        return;
    case ui::CM_DIALOGCHAR:
        MenuDialogChar(message);
        return;
    case ui::CM_MENUCHANGED:
        // The toolkit puts its menu back on the window: the bar takes it.
        if (FSkinData != nullptr) {
            FSkinData->framePaint = false;
        }
        CallFormHandler(message);
        if (FSkinData != nullptr) {
            FSkinData->framePaint = true;
        }
        WindowMenuChanged();
        return;
    default:
        CallFormHandler(message);
        return;
    }
}

// ---------------------------------------------------------------- re-skin

void TWinSkinForm::Reskin() {
    if (FSkinData == nullptr) {
        return;
    }
    const ui::Color face = FSkinData->Colours[scButtonFace];
    if (FFormControl != nullptr) {
        FFormControl->SetColor(face);
        for (ui::Component* component : FFormControl->Components()) {
            if (auto* embedded = dynamic_cast<ui::Form*>(component)) {
                embedded->SetColor(face);
            }
        }
    }
    for (TSkinControl* painter : ControlPainters()) {
        painter->SkinChanged();
    }
    FState = PainterState::Reskinning;
    if (FFrameSkinned && FFormControl != nullptr) {
        if (FSkinData->SkinControls.Contains(xcPopupMenu)) {
            HookFormMenus(true);
        }
        FitWindow(true);
        // Growing by one pixel and shrinking back makes the system compute
        // the frame again. The erase waits for the paint, as in FitWindow.
        RECT window{};
        GetWindowRect(FHandle, &window);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        constexpr UINT kResize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE;
        SetWindowPos(FHandle, nullptr, 0, 0, width, height + 1, kResize);
        SetWindowPos(FHandle, nullptr, 0, 0, width, height, kResize);
    }
    Announce();
    if (WentDuringAnnouncement()) {
        return;
    }
    FState = PainterState::Running;
}

// ---------------------------------------------------------------- control painters

bool TWinSkinForm::RegisterControlPainter(TSkinControl* painter) { return FControlPainters.Register(painter); }

void TWinSkinForm::UnregisterControlPainter(TSkinControl* painter) { FControlPainters.Unregister(painter); }

std::vector<TSkinControl*> TWinSkinForm::ControlPainters() const { return FControlPainters.Painters(); }

void TWinSkinForm::FreeControlPainters() {
    GiveBackToolbarDrawing();
    FControlPainters.FreeAll(FState != PainterState::Destroying);
}

bool TWinSkinForm::PaintsControl(const ui::Control& control) const { return FControlPainters.HoldsControl(control); }

bool TWinSkinForm::PaintsWindow(HWND window) const { return FControlPainters.HoldsWindow(window); }

void TWinSkinForm::DropDeadControlPainters() { FControlPainters.DropDead(); }

// ---------------------------------------------------------------- detach and release

void TWinSkinForm::GiveBackSystemMenuStyle() {
    if ((FBorderIcons & biKeepSysMenuStyle) != 0) {
        return;
    }
    auto style = DWORD(GetWindowLongW(FHandle, GWL_STYLE));
    if (FSystemMenu != nullptr) {
        style |= WS_SYSMENU;
    }
    SetWindowLongW(FHandle, GWL_STYLE, LONG(style));
    FStyle = style;
}

void TWinSkinForm::Detach() {
    if (!FFrameSkinned) {
        LightDetach();
        return;
    }
    FSystemMenuPopup.Drop();
    FCaptionButtons.StopHover();
    if (!FWndProcLayer.Installed()) {
        return;
    }
    FFormHook.Remove();
    FWndProcLayer.Remove();
    FreeControlPainters();
    UnhookFormMenus();
    if (FFormControl != nullptr && FState != PainterState::Destroying) {
        FFormControl->SetColor(FSavedColor);
    }
    GiveBackSystemMenuStyle();
    DropMenuBar(true);
    FMdiClientLayer.Remove();

    RECT window{};
    GetWindowRect(FHandle, &window);
    POINT topLeft{window.left, window.top};
    if (IsMdiChild()) {
        ScreenToClient(GetParent(FHandle), &topLeft);
    }
    if (FState != PainterState::Destroying && (IsMdiChild() || (FStyle & WS_CHILD) == 0)) {
        const int width = (window.right - window.left) + FFrameDelta.right - FBorderLeft - FBorderRight;
        const int height = (window.bottom - window.top) + FFrameDelta.bottom - FCaptionHeight - FBorderBottom;
        SetWindowPos(FHandle, nullptr, topLeft.x, topLeft.y, width, height,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    SetWindowRgn(FHandle, nullptr, TRUE);
    FShape.Forget();
}

void TWinSkinForm::Release() {
    if (!FFrameSkinned) {
        LightDetach();
        return;
    }
    FSystemMenuPopup.Drop();
    FCaptionButtons.StopHover();
    FFormHook.Remove();
    FWndProcLayer.Remove();
    FreeControlPainters();
    DropMenuBar(false);
}

void TWinSkinForm::LightDetach() {
    FCaptionButtons.StopHover();
    FreeControlPainters();
    UnhookFormMenus();
    if (FFormControl != nullptr && FState != PainterState::Destroying) {
        FFormControl->SetColor(FSavedColor);
    }
    FWndProcLayer.Remove();
    FMdiClientLayer.Remove();
    if (FFormControl != nullptr && FState != PainterState::Destroying) {
        for (ui::Component* component : FFormControl->Components()) {
            if (auto* control = dynamic_cast<ui::Control*>(component)) {
                control->Invalidate();
            }
        }
    }
}

} // namespace skin

namespace skin {

// ---------------------------------------------------------------- the menu bar

void TWinSkinForm::TakeOverWindowMenu() {
    FWindowMenu = GetMenu(FHandle);
    if (FWindowMenu == nullptr || IsMdiChild() || FSkinData == nullptr) {
        return;
    }
    FMenuBar = std::make_unique<TWinSkinMenu>(*this, *FSkinData);
    FMenuBarHeight = GetSystemMetrics(SM_CYMENU);
    if (FFormControl != nullptr) {
        FMenuBar->SetMenu(FFormControl->Menu());
    }
    FMenuBar->TakeOverMenu();
    if (GetMenu(FHandle) != nullptr) {
        // Not taken over (a toolkit form whose menu is not a toolkit menu):
        // the system keeps drawing it, so no band is reserved.
        FMenuBar.reset();
        FMenuBarHeight = 0;
    }
}

void TWinSkinForm::WindowMenuChanged() {
    const HMENU menu = GetMenu(FHandle);
    if (menu == nullptr) {
        return;
    }
    if (FMenuBar == nullptr) {
        // A menu set after attach gets the band too.
        if (!IsMdiChild()) {
            TakeOverWindowMenu();
            FrameChanged();
        }
        SetMenu(FHandle, nullptr);
        return;
    }
    if (FSkinData != nullptr && FSkinData->MenuUpdate) {
        FMenuBar->SetMenuHandle(menu);
        FMenuBar->TakeOverMenu();
        FMenuBar->LayoutItems();
        RepaintFrame(nullptr);
    }
    SetMenu(FHandle, nullptr);
}

void TWinSkinForm::DropMenuBar(bool giveMenuBack) {
    if (FMenuBar == nullptr) {
        return;
    }
    if (giveMenuBack && FMenuBar->MenuHandle() != nullptr && IsWindow(FHandle) && IsMenu(FMenuBar->MenuHandle())) {
        SetMenu(FHandle, FMenuBar->MenuHandle());
    }
    FMenuBar.reset();
}

void TWinSkinForm::UnhookFormMenus() {
    if (FFormControl == nullptr || FSkinData == nullptr) {
        return;
    }
    HookFormMenus(false);
    if (FSkinData->SkinControls.Contains(xcMenuItem)) {
        HookMainMenus(false);
    }
}

} // namespace skin
