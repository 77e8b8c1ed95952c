#include "skin/forms/SystemMenu.h"

#include "skin/forms/WinSkinForm.h"

#include "skin/data/SkinData.h"
#include "skin/forms/FormPainterHost.h"
#include "skin/forms/MenuItemDrawing.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {
namespace {

constexpr intptr_t kSystemMenuTag = 33333;
constexpr UINT kItemInfoMask = MIIM_STATE | MIIM_ID | MIIM_STRING;  // 0x43
constexpr UINT kItemTextLength = 80;
// Either bit: the system disables its own items with MF_GRAYED alone.
constexpr UINT kGrayedOrDisabled = MF_GRAYED | MF_DISABLED;

// Glyph indexes of the skin data's menu glyph list.
enum : int { kGlyphRestore = 0, kGlyphMaximize = 1, kGlyphMinimize = 2, kGlyphClose = 3, kNoGlyph = -1 };

struct MenuFacts {
    WindowState windowState;
    bool maximiseBox;
    bool minimiseBox;
};

struct SystemItemRule {
    UINT id;
    int image;
    bool (*enabled)(const MenuFacts&);
};
constexpr SystemItemRule kSystemItems[] = {
    {SC_SIZE, kNoGlyph, [](const MenuFacts& f) { return f.windowState != WindowState::Maximised; }},
    {SC_MOVE, kNoGlyph, [](const MenuFacts& f) { return f.windowState != WindowState::Maximised; }},
    {SC_MINIMIZE, kGlyphMinimize, [](const MenuFacts& f) { return f.windowState != WindowState::Minimised && f.minimiseBox; }},
    {SC_MAXIMIZE, kGlyphMaximize, [](const MenuFacts& f) { return f.windowState != WindowState::Maximised && f.maximiseBox; }},
    {SC_CLOSE, kGlyphClose, [](const MenuFacts&) { return true; }},
    {SC_RESTORE, kGlyphRestore, [](const MenuFacts& f) { return f.windowState != WindowState::Normal; }},
};

const SystemItemRule* FindItemRule(UINT id) {
    for (const SystemItemRule& rule : kSystemItems) {
        if (rule.id == id) {
            return &rule;
        }
    }
    return nullptr;
}

// The painter whose system menu is being tracked: a second opening while
// one is open must not free the popup under the first.
TWinSkinForm* g_tracking = nullptr;

// The system menu's ImageIndex counts in the skin's own glyph list.
MenuGlyphs SystemGlyphs(const TSkinData* skinData) {
    return MenuGlyphs{nullptr, skinData != nullptr ? skinData->MenuGlyphs() : nullptr};
}

// The popup takes the foreground for its own hidden window, which leaves the
// window inactive once its system menu closes. Give it back, unless the user
// closed the menu by going to another visible window.
void GiveBackForeground(HWND window, bool wasForeground) {
    if (!wasForeground || !IsWindow(window)) {
        return;
    }
    const HWND now = GetForegroundWindow();
    if (now != window && (now == nullptr || !IsWindowVisible(now))) {
        SetForegroundWindow(window);
    }
}

} // namespace

SystemMenu::SystemMenu(TWinSkinForm& form) : form_(form), doubleClickTime_(GetDoubleClickTime()) {}

SystemMenu::~SystemMenu() = default;

void SystemMenu::Drop() { popup_.reset(); }

ui::PopupMenu* SystemMenu::Popup() const { return popup_.get(); }

void SystemMenu::Show(POINT screenPoint) {
    // A painter made by another module's manager leaves its menu to that module.
    if (const FormPainterHost* host = PainterHost(); host != nullptr && host->ModuleInstance() != nullptr) {
        return;
    }
    if (g_tracking != nullptr) {
        return;
    }
    const DWORD now = GetTickCount();
    if (now - lastIconClick_ > doubleClickTime_) {
        if (FormPainterHost* host = PainterHost()) {
            host->SetPopupMode(PopupMode::SystemMenu);
        }
        lastIconClick_ = now;
        Build();
        const HWND window = form_.FHandle;
        const bool wasForeground = GetForegroundWindow() == window;
        {
            struct TrackingScope {
                explicit TrackingScope(TWinSkinForm* painter) { g_tracking = painter; }
                ~TrackingScope() { g_tracking = nullptr; }
            } tracking(&form_);
            // Popup returns when the menu closes; the window, and this
            // painter with it, may be gone by then.
            popup_->Popup(screenPoint.x, screenPoint.y);
        }
        GiveBackForeground(window, wasForeground);
        return;
    }
    // A second click within the double-click time closes the window.
    if (form_.FCaptionButtons.Hot() != nullptr) {
        form_.FCaptionButtons.StopHover();
        PostMessageW(form_.FHandle, WM_CLOSE, 0, 0);
    }
}

void SystemMenu::Build() {
    popup_.reset();
    auto& popup = form_.Create<ui::PopupMenu>();
    popup_.reset(&popup);
    popup.tag = kSystemMenuTag;
    popup.SetOwnerDraw(true);

    const MenuFacts facts{form_.FWindowState, (form_.FBorderIcons & biMaximizeBox) != 0,
                          (form_.FBorderIcons & biMinimizeBox) != 0};
    const HMENU systemMenu = form_.FSystemMenu;
    const int count = systemMenu != nullptr ? GetMenuItemCount(systemMenu) : 0;
    for (int position = 0; position < count; ++position) {
        wchar_t text[kItemTextLength + 1]{};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = kItemInfoMask;
        info.dwTypeData = text;
        info.cch = kItemTextLength;
        if (!GetMenuItemInfoW(systemMenu, UINT(position), TRUE, &info)) {
            continue;
        }
        auto& item = popup.Create<ui::MenuItem>();
        item.SetCaption(text[0] != L'\0' ? std::wstring(text) : std::wstring(L"-"));
        item.tag = intptr_t(info.wID);
        bool enabled = true;
        int image = kNoGlyph;
        if (const SystemItemRule* rule = FindItemRule(info.wID)) {
            enabled = rule->enabled(facts);
            image = rule->image;
        }
        if ((info.fState & kGrayedOrDisabled) != 0) {
            enabled = false;
        }
        item.SetEnabled(enabled);
        item.SetChecked((info.fState & MFS_CHECKED) != 0);
        item.SetImageIndex(image);
        TWinSkinForm& form = form_;
        item.OnClick = [&form](ui::MenuItem& sender) {
            PostMessageW(form.FHandle, WM_SYSCOMMAND, WPARAM(sender.tag), 0);
        };
        item.OnDrawItem = [&form](ui::MenuItem& sender, ui::Canvas& canvas, const RECT& rect, bool selected) {
            const TSkinData* skinData = form.FSkinData;
            DrawSkinnedMenuItem(skinData, MenuItemLook::Of(sender), SystemGlyphs(skinData), canvas, rect, selected);
        };
        item.OnMeasureItem = [&form](ui::MenuItem&, ui::Canvas&, int& width, int&) {
            const TSkinData* skinData = form.FSkinData;
            width += PopupMeasureExtra(skinData, SystemGlyphs(skinData).Present());
        };
        popup.Items().Add(&item);
    }
}

} // namespace skin
