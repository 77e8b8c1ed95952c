#include "skin/forms/CaptionButtons.h"

#include "skin/forms/WinSkinForm.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/data/StripDrawing.h"
#include "skin/forms/WinSkinMenu.h"
#include "ui/Application.h"

#include <algorithm>
#include <iterator>

namespace skin {
namespace {

constexpr int kHintBelowCursor = 24;
constexpr unsigned kDefaultHoverInterval = 250;

struct HintRule {
    int32_t action;
    const wchar_t* text;
};
constexpr HintRule kHints[] = {
    {0, L"Close"},    {9, L"Close"},    {62, L"Close"},    {1, L"Maximize"}, {22, L"Maximize"},
    {2, L"Minimize"}, {7, L"Minimize"}, {23, L"Minimize"}, {60, L"Minimize"}, {8, L"Restore"},
    {61, L"Restore"},
};

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

CaptionButtons::CaptionButtons(TWinSkinForm& form) : form_(form) {
    hoverTimer_.SetEnabled(false);
    hoverTimer_.SetInterval(kDefaultHoverInterval);
    hoverTimer_.OnTimer = [this](ui::Timer&) { HoverTick(); };
}

// Each object's destructor asks whether it is the hot one: answer while
// every member still lives.
CaptionButtons::~CaptionButtons() { Clear(); }

// --- the objects -------------------------------------------------------------

void CaptionButtons::Load(TSkinData& skinData) {
    Clear();
    for (const auto& buttonData : skinData.CaptionButtons) {
        auto button = std::make_unique<TWinSysButton>(form_, *buttonData);
        button->FEnabled = 1;
        objects_.push_back(std::move(button));
    }
    for (const auto& buttonData : skinData.CaptionButtons) {
        if (IsWindowIconAction(buttonData->Action)) {
            LoadIconBitmap();
            if (buttonData->Bitmap.Empty()) {
                buttonData->Bitmap = iconBitmap_;
            }
            if (skinData.AppIconBitmap().Empty()) {
                skinData.AppIconBitmap() = iconBitmap_;
            }
            buttonData->Frame = 1;
        }
    }
}

void CaptionButtons::Clear() {
    hot_ = nullptr;
    objects_.clear();
}

TNCObject& CaptionButtons::Add(std::unique_ptr<TNCObject> object) {
    objects_.push_back(std::move(object));
    return *objects_.back();
}

bool CaptionButtons::Owns(const TNCObject* object) const {
    return std::any_of(objects_.begin(), objects_.end(),
                       [object](const std::unique_ptr<TNCObject>& b) { return b.get() == object; }) ||
           (form_.FMenuBar != nullptr && form_.FMenuBar->Owns(object));
}

// --- the visibility rule -----------------------------------------------------

void CaptionButtons::ApplyVisibility(TWinSysButton& button) const {
    const TWinSkinForm& f = form_;
    const TDataSkinSysButton& data = button.FData;
    bool maximisedChild = false;
    if (f.FMdiKind == MdiKind::Parent && f.FMenuBar != nullptr && f.FMdiClient != nullptr) {
        BOOL childMaximised = FALSE;
        const auto child = HWND(SendMessageW(f.FMdiClient, WM_MDIGETACTIVE, 0, LPARAM(&childMaximised)));
        maximisedChild = child != nullptr && childMaximised != FALSE;
    }
    const WindowFacts facts{
        .maximised = f.FWindowState == WindowState::Maximised,
        .active = f.FActive != 0,
        .maximiseBox = (f.FBorderIcons & biMaximizeBox) != 0,
        .minimiseBox = (f.FBorderIcons & biMinimizeBox) != 0,
        .helpBox = (f.FBorderIcons & biHelpBox) != 0,
        .systemMenu = (f.FBorderIcons & biSystemMenuBox) != 0,
        .mdiParentWithMaximisedChildAndMenuBar = maximisedChild,
        .plainDialog = f.FFrameKind == FrameKind::Dialog && f.FFitCaption == 0,
    };

    bool visible = false;
    if (const ConditionRule* rule = FindCondition(data.Visibility)) {
        visible = rule->visibility(facts);
    } else if (data.Visibility >= kFirstAlwaysCode && data.Visibility <= kLastAlwaysCode) {
        visible = true;
    } else if (data.Visibility >= kFirstAskedCode && data.Visibility <= kLastAskedCode) {
        visible = f.FHandle != nullptr &&
                  SendMessageW(f.FHandle, SKM_BUTTONVISIBLE, WPARAM(data.Visibility), LPARAM(data.Action)) > 0;
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
        visible = visible && f.FFrameKind != FrameKind::Dialog;
        break;
    default:
        break;
    }
    button.FVisible = visible ? 1 : 0;
}

// --- layout and hit test -----------------------------------------------------

TNCObject* CaptionButtons::At(POINT p) const {
    for (const auto& object : objects_) {
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

void CaptionButtons::Layout() {
    const TWinSkinForm& f = form_;
    RECT window{};
    if (f.FHandle != nullptr) {
        GetWindowRect(f.FHandle, &window);
    }
    const int windowWidth = window.right - window.left;
    const int menuBarLeftMargin = f.FSkinData != nullptr && f.FSkinData->MenuBar ? f.FSkinData->MenuBar->Margins.left : 0;

    for (const auto& object : objects_) {
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
            at = {f.FTitleRect.left - w - x, y};
            break;
        case 3:
        case 9:
            at = {f.FTitleRect.right + x, y};
            break;
        case 100:
            at = {windowWidth - x - f.FBorderRight - menuBarLeftMargin, f.FCaptionHeight + (f.FMenuBarHeight - h) / 2};
            break;
        default:
            break;
        }
        button.FBounds = RECT{at.x, at.y, at.x + w, at.y + h};
    }
}

// --- drawing -----------------------------------------------------------------

void CaptionButtons::Draw(HDC dc) {
    const TWinSkinForm& f = form_;
    for (const auto& object : objects_) {
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
        const int cell = cells < 4 || (f.FActive != 0 && button.FEnabled != 0) ? 1 : 4;
        DrawStateFrame(dc, button.FBounds, data.Bitmap, true, cells, cell);
    }
}

void CaptionButtons::DrawWindowIcon(HDC dc, const RECT& bounds) {
    const TWinSkinForm& f = form_;
    const HWND application = ui::App().Handle();
    HICON icon = nullptr;
    if (application != nullptr) {
        icon = HICON(SendMessageW(application, WM_GETICON, ICON_SMALL, 0));
        if (icon == nullptr) {
            icon = HICON(SendMessageW(application, WM_GETICON, ICON_BIG, 0));
        }
    }
    iconHandle_ = icon;
    if (icon != nullptr) {
        const int size = iconSize_ > 0 ? iconSize_ : GetSystemMetrics(SM_CXSMICON);
        // An icon made at run time has no resource to copy from: scale it instead.
        ui::UniqueIcon copy(HICON(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE)));
        if (!copy) {
            copy.reset(HICON(CopyImage(icon, IMAGE_ICON, size, size, 0)));
        }
        if (copy) {
            // The icon sits beside the title text wherever the button is.
            const int titleHeight = f.FTitleTextRect.bottom - f.FTitleTextRect.top;
            const int y = f.FTitleTextRect.top + titleHeight / 2 - size / 2;
            DrawIconEx(dc, 8, y, copy.get(), size, size, 0, nullptr, DI_NORMAL);
        }
        return;
    }
    if (!iconBitmap_.Empty()) {
        DrawTransparent(dc, bounds, iconBitmap_, kKeyColour);
    }
}

int32_t CaptionButtons::RightButtonsWidth() {
    int32_t width = 0;
    for (const auto& object : objects_) {
        if (!object->IsCaptionButton()) {
            continue;
        }
        // The window's state now, not that of the last layout: the title is
        // measured before a paint lays the buttons out.
        auto& button = static_cast<TWinSysButton&>(*object);
        ApplyVisibility(button);
        if (button.FVisible == 0) {
            continue;
        }
        const TDataSkinSysButton& data = button.FData;
        if (data.Align == 1 && !data.Empty()) {
            // Clamped as the layout clamps it: a damaged skin's value must
            // not overflow the title's sums.
            width = std::max(width, ClampSkinCoordinate(data.Xcoord));
        }
    }
    return width;
}

void CaptionButtons::LoadIconBitmap() {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    iconBitmap_.SetSize(width, height);
    iconBitmap_.Fill(kKeyColour);
    iconSize_ = width;
    const HWND window = form_.FHandle;
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    }
    iconHandle_ = icon;
    if (icon == nullptr || iconBitmap_.Empty()) {
        return;
    }
    const ui::UniqueIcon copy(
        static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE)));
    DrawIconEx(iconBitmap_.GetCanvas().Handle(), 0, 0, copy ? copy.get() : icon, width, height, 0, nullptr,
               DI_NORMAL);
}

// --- hover and hints ---------------------------------------------------------

std::wstring CaptionButtons::HintText(int32_t action) {
    for (const HintRule& rule : kHints) {
        if (rule.action == action) {
            return rule.text;
        }
    }
    return {};
}

void CaptionButtons::StopHover() {
    hoverTimer_.SetEnabled(false);
    // A hint shown for this (active) window's button would have no timer
    // left to take it down.
    if (form_.FActive != 0) {
        ResetHint();
    }
}

void CaptionButtons::HoverTick() {
    TSkinData* skinData = form_.FSkinData;
    if (form_.FMenuLoop != 0 || form_.FHandle == nullptr) {
        return;
    }
    if (hot_ == nullptr) {
        // A full frame paint forgets the hot button without a MouseLeave; its
        // hint would otherwise stay on screen.
        if (skinData != nullptr && skinData->HintShowing()) {
            ResetHint();
        }
        return;
    }
    POINT cursor{};
    if (!GetCursorPos(&cursor)) {
        return;
    }
    const POINT p = form_.ToFrameCoordinates(cursor.x, cursor.y);
    TNCObject* hot = hot_;
    if (!PtInRect(&hot->FBounds, p)) {
        // The object may have been freed with the buttons of an older skin.
        if (Owns(hot)) {
            hot->MouseLeave();
        }
        hot_ = nullptr;
        ResetHint();
        return;
    }
    if (!hot->IsCaptionButton() || skinData == nullptr) {
        return;
    }
    const unsigned interval = hoverTimer_.Interval() > 0 ? hoverTimer_.Interval() : kDefaultHoverInterval;
    skinData->hintTime += interval;
    const int64_t pause = int64_t(ui::App().hintPause);
    const int64_t hidePause = int64_t(ui::App().hintHidePause);
    const int64_t rested = skinData->hintTime;
    if (rested >= 2 * pause) {
        if (rested < 2 * pause + hidePause) {
            ShowHint();
        } else {
            HideHint();
        }
    }
}

void CaptionButtons::ShowHint() {
    TSkinData* skinData = form_.FSkinData;
    if (hot_ == nullptr || !hot_->IsCaptionButton() || skinData == nullptr) {
        return;
    }
    RECT window{};
    GetWindowRect(form_.FHandle, &window);
    const std::wstring text = HintText(static_cast<TWinSysButton&>(*hot_).FData.Action);
    if (text.empty()) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const int x = hot_->FBounds.left + window.left;
    const int y = cursor.y + kHintBelowCursor;
    skinData->ShowCaptionHint(RECT{x, y, x, y}, text);
}

void CaptionButtons::HideHint() {
    if (form_.FSkinData != nullptr) {
        form_.FSkinData->HideCaptionHint();
    }
}

void CaptionButtons::ResetHint() {
    if (form_.FSkinData != nullptr) {
        form_.FSkinData->hintTime = 0;
    }
    HideHint();
}

// --- the objects' mouse states -----------------------------------------------

TNCObject::~TNCObject() {
    CaptionButtons& buttons = FOwner.FCaptionButtons;
    if (buttons.Hot() == this) {
        buttons.SetHot(nullptr);
    }
}

void TNCObject::BecomeHot(MouseState mouseState) {
    CaptionButtons& buttons = FOwner.FCaptionButtons;
    if (buttons.Hot() != nullptr && buttons.Hot() != this) {
        buttons.Hot()->MouseLeave();
    }
    if (FVisible != 0) {
        buttons.SetHot(this);
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
    if (FOwner.FCaptionButtons.Hot() != this) {
        BecomeHot(MouseState::Hot);
    }
}

void TNCObject::MouseLeave() {
    if (FVisible != 0) {
        if (FOwner.FCaptionButtons.Hot() == this) {
            FOwner.FCaptionButtons.SetHot(nullptr);
        }
        FMouseState = MouseState::Normal;
        Paint();
    }
    FOwner.FCaptionButtons.ResetHint();
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
        form.FCaptionButtons.DrawWindowIcon(dc.get(), FBounds);
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
