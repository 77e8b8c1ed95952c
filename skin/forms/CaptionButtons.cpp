// Caption buttons: which are shown (the visibility rule), where they sit,
// and how they look in the full caption paint and on mouse events.
#include "skin/forms/WinSkinForm.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/data/StripDrawing.h"
#include "ui/Application.h"

#include <algorithm>
#include <iterator>

namespace skin {
namespace {

// What the visibility conditions ask of the window, read once per button.
struct WindowFacts {
    bool maximised;
    bool active;
    bool maximiseBox;
    bool minimiseBox;
    bool helpBox;
    bool systemMenu;
    bool mdiParentWithMaximisedChildAndMenuBar;
    bool plainDialog;  // dialog frame, not a system dialog or message box
};

using Condition = bool (*)(const WindowFacts&);

bool Always(const WindowFacts&) { return true; }
bool Never(const WindowFacts&) { return false; }
bool Maximised(const WindowFacts& f) { return f.maximised; }
bool NotMaximised(const WindowFacts& f) { return !f.maximised; }
bool Active(const WindowFacts& f) { return f.active; }
bool Inactive(const WindowFacts& f) { return !f.active; }
bool AnyBox(const WindowFacts& f) { return f.minimiseBox || f.maximiseBox; }
bool AnyBoxAndSystemMenu(const WindowFacts& f) { return AnyBox(f) && f.systemMenu; }
bool NoMaximiseBox(const WindowFacts& f) { return !f.maximiseBox; }
bool NoMinimiseBox(const WindowFacts& f) { return !f.minimiseBox; }
bool HelpBoxOnly(const WindowFacts& f) { return f.helpBox && !AnyBox(f); }
bool HelpBox(const WindowFacts& f) { return f.helpBox; }
bool MdiMaximisedChild(const WindowFacts& f) { return f.mdiParentWithMaximisedChildAndMenuBar; }
bool PlainDialog(const WindowFacts& f) { return f.plainDialog; }

// The condition codes with a fixed meaning; `visibility1` null means "the
// result of the Visibility condition".
struct ConditionRule {
    int32_t code;
    Condition visibility;
    Condition visibility1;
};
constexpr ConditionRule kConditions[] = {
    {0, Always, Always},
    {1, Maximised, Maximised},
    {2, NotMaximised, NotMaximised},
    {3, Active, Active},
    {4, Inactive, Inactive},
    {5, Never, Never},
    {6, AnyBoxAndSystemMenu, AnyBox},
    {7, NoMaximiseBox, NoMaximiseBox},
    {8, AnyBoxAndSystemMenu, AnyBox},
    {9, NoMinimiseBox, NoMinimiseBox},
    {10, HelpBoxOnly, HelpBox},
    {100, MdiMaximisedChild, nullptr},
    {200, PlainDialog, PlainDialog},
    // -1 has no defined meaning: such a button stays hidden.
    {-1, Never, Never},
};
constexpr int32_t kFirstAlwaysCode = 201;
constexpr int32_t kLastAlwaysCode = 999;
constexpr int32_t kFirstAskedCode = 1000;
constexpr int32_t kLastAskedCode = 2000;

const ConditionRule* FindCondition(int32_t code) {
    for (const ConditionRule& rule : kConditions) {
        if (rule.code == code) {
            return &rule;
        }
    }
    return nullptr;
}

} // namespace

// --- the visibility rule -----------------------------------------------------

void TWinSkinForm::ApplyVisibility(TWinSysButton& button) {
    const TDataSkinSysButton& data = button.FData;
    bool maximisedChild = false;
    if (FMdiKind == MdiKind::Parent && FMenuBar != nullptr && FMdiClient != nullptr) {
        BOOL childMaximised = FALSE;
        const auto child = HWND(SendMessageW(FMdiClient, WM_MDIGETACTIVE, 0, LPARAM(&childMaximised)));
        maximisedChild = child != nullptr && childMaximised != FALSE;
    }
    const WindowFacts facts{
        .maximised = FWindowState == WindowState::Maximised,
        .active = FActive != 0,
        .maximiseBox = (FBorderIcons & biMaximizeBox) != 0,
        .minimiseBox = (FBorderIcons & biMinimizeBox) != 0,
        .helpBox = (FBorderIcons & biHelpBox) != 0,
        .systemMenu = (FBorderIcons & biSystemMenuBox) != 0,
        .mdiParentWithMaximisedChildAndMenuBar = maximisedChild,
        .plainDialog = FFrameKind == FrameKind::Dialog && FFitCaption == 0,
    };

    bool visible = false;
    if (const ConditionRule* rule = FindCondition(data.Visibility)) {
        visible = rule->visibility(facts);
    } else if (data.Visibility >= kFirstAlwaysCode && data.Visibility <= kLastAlwaysCode) {
        visible = true;
    } else if (data.Visibility >= kFirstAskedCode && data.Visibility <= kLastAskedCode) {
        visible = FHandle != nullptr &&
                  SendMessageW(FHandle, SKM_BUTTONVISIBLE, WPARAM(data.Visibility), LPARAM(data.Action)) > 0;
    }

    if (const ConditionRule* rule = FindCondition(data.Visibility1)) {
        if (rule->visibility1 != nullptr) {
            visible = visible && rule->visibility1(facts);
        }
    } else if (!(data.Visibility1 >= kFirstAlwaysCode && data.Visibility1 <= kLastAskedCode)) {
        visible = false;  // 201 to 2000 always hold as the second condition
    }

    switch (data.Action) {
    case 0:
        visible = visible && facts.systemMenu;
        break;
    case 1:
        button.FEnabled = facts.maximiseBox && facts.systemMenu;
        break;
    case 2:
        button.FEnabled = facts.minimiseBox && facts.systemMenu;
        break;
    case 3:
    case 11:
    case 12:
        visible = visible && FFrameKind != FrameKind::Dialog;
        break;
    default:
        break;
    }
    button.FVisible = visible ? 1 : 0;
}

// --- layout and hit test -----------------------------------------------------

TNCObject* TWinSkinForm::ButtonAt(POINT p) const {
    for (const auto& object : FButtons) {
        if (object->FVisible == 0 || !PtInRect(&object->FBounds, p)) {
            continue;
        }
        if (object->IsCaptionButton() && static_cast<const TWinSysButton&>(*object).FData.Action < 0) {
            continue;  // a decoration: drawn, never hit
        }
        return object.get();
    }
    return nullptr;
}

void TWinSkinForm::LayoutButtons() {
    RECT window{};
    if (FHandle != nullptr) {
        GetWindowRect(FHandle, &window);
    }
    const int windowWidth = window.right - window.left;
    const int menuBarLeftMargin = FSkinData != nullptr && FSkinData->MenuBar ? FSkinData->MenuBar->Margins.left : 0;

    for (const auto& object : FButtons) {
        if (!object->IsCaptionButton()) {
            continue;
        }
        auto& button = static_cast<TWinSysButton&>(*object);
        ApplyVisibility(button);
        const TDataSkinSysButton& data = button.FData;
        if (button.FVisible == 0 || data.Empty()) {
            continue;  // keeps its previous bounds
        }
        const int w = data.Bitmap.Width() / data.FrameCount();
        const int h = data.Bitmap.Height();
        const int x = ClampSkinCoordinate(data.Xcoord);
        const int y = ClampSkinCoordinate(data.Ycoord);
        POINT at{0, 0};
        switch (data.Align) {
        case 0:
            at = {x, y};
            break;
        case 1:
            at = {windowWidth - x, y};
            break;
        case 2:
        case 8:
            at = {FTitleRect.left - w - x, y};
            break;
        case 3:
        case 9:
            at = {FTitleRect.right + x, y};
            break;
        case 100:
            at = {windowWidth - x - FBorderRight - menuBarLeftMargin, FCaptionHeight + (FMenuBarHeight - h) / 2};
            break;
        default:
            break;
        }
        button.FBounds = RECT{at.x, at.y, at.x + w, at.y + h};
    }
}

// --- drawing -----------------------------------------------------------------

void TWinSkinForm::DrawButtons(HDC dc) {
    for (const auto& object : FButtons) {
        if (!object->IsCaptionButton()) {
            continue;
        }
        auto& button = static_cast<TWinSysButton&>(*object);
        ApplyVisibility(button);
        const TDataSkinSysButton& data = button.FData;
        if (button.FVisible == 0 || data.Empty() || data.Visibility == 100) {
            continue;
        }
        if (IsWindowIconAction(data.Action)) {
            DrawWindowIcon(dc, button.FBounds);
            continue;
        }
        const int cells = data.FrameCount();
        const int cell = cells < 4 || (FActive != 0 && button.FEnabled != 0) ? 1 : 4;
        DrawStateFrame(dc, button.FBounds, data.Bitmap, true, cells, cell);
    }
}

void TWinSkinForm::DrawWindowIcon(HDC dc, const RECT& bounds) {
    const HWND application = ui::App().Handle();
    HICON icon = nullptr;
    if (application != nullptr) {
        icon = HICON(SendMessageW(application, WM_GETICON, ICON_SMALL, 0));
        if (icon == nullptr) {
            icon = HICON(SendMessageW(application, WM_GETICON, ICON_BIG, 0));
        }
    }
    FIconHandle = icon;
    if (icon != nullptr) {
        const int size = FIconSize > 0 ? FIconSize : GetSystemMetrics(SM_CXSMICON);
        // An icon made at run time has no resource to copy from: scale it instead.
        ui::UniqueIcon copy(HICON(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE)));
        if (!copy) {
            copy.reset(HICON(CopyImage(icon, IMAGE_ICON, size, size, 0)));
        }
        if (copy) {
            // The icon sits beside the title text wherever the button is.
            const int titleHeight = FTitleTextRect.bottom - FTitleTextRect.top;
            const int y = FTitleTextRect.top + titleHeight / 2 - size / 2;
            DrawIconEx(dc, 8, y, copy.get(), size, size, 0, nullptr, DI_NORMAL);
        }
        return;
    }
    if (!FIconBitmap.Empty()) {
        DrawTransparent(dc, bounds, FIconBitmap, kKeyColour);
    }
}

// --- the objects' mouse states -----------------------------------------------

TNCObject::~TNCObject() {
    if (FOwner.FHotObject == this) {
        FOwner.FHotObject = nullptr;
    }
}

void TNCObject::BecomeHot(MouseState mouseState) {
    if (FOwner.FHotObject != nullptr && FOwner.FHotObject != this) {
        FOwner.FHotObject->MouseLeave();
    }
    if (FVisible != 0) {
        FOwner.FHotObject = this;
        FMouseState = mouseState;
        Paint();
    }
}

void TNCObject::MouseDown() { BecomeHot(MouseState::Pressed); }

void TNCObject::MouseUp() {
    if (FVisible != 0) {
        FMouseState = MouseState::Hot;
        Paint();
    }
}

void TNCObject::MouseEnter() {
    if (FOwner.FHotObject != this) {
        BecomeHot(MouseState::Hot);
    }
}

void TNCObject::MouseLeave() {
    if (FVisible != 0) {
        if (FOwner.FHotObject == this) {
            FOwner.FHotObject = nullptr;
        }
        FMouseState = MouseState::Normal;
        Paint();
    }
    FOwner.ResetHint();
}

void TWinSysButton::Paint() {
    TWinSkinForm& form = FOwner;
    if (form.FHandle == nullptr || FData.Empty()) {
        return;
    }
    const int cells = FData.FrameCount();
    int cell = std::clamp(int(FMouseState), int(MouseState::Normal), int(MouseState::Hot));
    if (FEnabled == 0) {
        cell = cells >= 4 ? 4 : 1;
    } else if (FData.Visibility == 100 && cell == int(MouseState::Hot)) {
        cell = 4;
    }
    // A strip without the state's cell shows its normal look rather than
    // leaving the previous state's look on screen.
    if (cell > cells) {
        cell = 1;
    }
    const ui::WindowDc dc(form.FHandle, ui::WindowDc::Area::Window);
    if (dc.get() == nullptr) {
        return;
    }
    if (IsWindowIconAction(FData.Action)) {
        form.DrawWindowIcon(dc.get(), FBounds);
        return;
    }
    // The cells are drawn transparent: over the caption as the last full
    // paint composed it, not over the previous state's look, or a hot or
    // pressed background would stay behind once the button is normal again.
    const int width = FBounds.right - FBounds.left;
    const int height = FBounds.bottom - FBounds.top;
    ui::Bitmap& caption = form.FCaptionBitmap;
    const bool onCaption = FBounds.left >= 0 && FBounds.top >= 0 && FBounds.right <= caption.Width() &&
                           FBounds.bottom <= caption.Height();
    if (!onCaption || width <= 0 || height <= 0) {
        DrawStateFrame(dc.get(), FBounds, FData.Bitmap, true, cells, cell);
        return;
    }
    ui::Bitmap look(width, height);
    HDC lookDc = look.GetCanvas().Handle();
    BitBlt(lookDc, 0, 0, width, height, caption.GetCanvas().Handle(), FBounds.left, FBounds.top, SRCCOPY);
    DrawStateFrame(lookDc, RECT{0, 0, width, height}, FData.Bitmap, true, cells, cell);
    GdiFlush();
    BitBlt(dc.get(), FBounds.left, FBounds.top, width, height, lookDc, 0, 0, SRCCOPY);
}

} // namespace skin
