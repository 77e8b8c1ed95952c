#include "skin/forms/SystemMenu.h"

#include "skin/forms/WinSkinForm.h"

#include "skin/data/SkinData.h"
#include "skin/forms/FormPainterHost.h"
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
// The measure adds room for the glyph column: less when glyphs are drawn.
constexpr int kExtraWidthWithGlyphs = 12;
constexpr int kExtraWidthWithoutGlyphs = 35;

constexpr int kGlyphLeft = 3;
constexpr int kGlyphSize = 16;
constexpr int kTextLeft = kGlyphLeft + kGlyphSize + 6;
constexpr int kTextRightMargin = 8;

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

// Plain owner drawing with the skin's menu colours until menus are skinned.
void DrawSystemMenuItem(const TSkinData* skinData, const ui::MenuItem& item, ui::Canvas& canvas, const RECT& rect,
                        bool selected) {
    const HDC dc = canvas.Handle();
    const ui::SavedDcState saved(dc);
    auto colour = [skinData](SkinColourIndex index, ui::Color fallback) {
        return ui::ColorToRgb(skinData != nullptr ? skinData->Colours[index] : fallback);
    };
    const bool lit = selected && item.Enabled() && !item.IsLine();
    const ui::UniqueBrush back(CreateSolidBrush(lit ? colour(scHilight, ui::clHighlight) : colour(scMenu, ui::clMenu)));
    FillRect(dc, &rect, back.get());
    if (item.IsLine()) {
        RECT line = rect;
        line.left += kGlyphLeft;
        line.right -= kGlyphLeft;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }

    const HIMAGELIST glyphs = skinData != nullptr ? skinData->MenuGlyphs() : nullptr;
    const int glyphTop = rect.top + (rect.bottom - rect.top - kGlyphSize) / 2;
    const RECT glyphBox{rect.left + kGlyphLeft, glyphTop, rect.left + kGlyphLeft + kGlyphSize, glyphTop + kGlyphSize};
    const int index = item.ImageIndex();
    if (glyphs != nullptr && index >= 0 && index < ImageList_GetImageCount(glyphs)) {
        ImageList_Draw(glyphs, index, dc, glyphBox.left, glyphBox.top,
                       ILD_TRANSPARENT | (item.Enabled() ? 0u : UINT(ILD_BLEND50)));
    } else if (item.Checked()) {
        RECT mark = glyphBox;
        DrawFrameControl(dc, &mark, DFC_MENU, DFCS_MENUCHECK);
    }

    const COLORREF text = !item.Enabled() ? GetSysColor(COLOR_GRAYTEXT)
                          : lit           ? colour(scHilightText, ui::clHighlightText)
                                          : colour(scMenuText, ui::clMenuText);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    const ui::SelectObjectScope font(dc, ui::Screen::MenuFontHandle());
    // The system's items carry their shortcut after a tab.
    const std::wstring& caption = item.Caption();
    const size_t tab = caption.find(L'\t');
    const std::wstring label = caption.substr(0, tab);
    RECT box{rect.left + kTextLeft, rect.top, rect.right - kTextRightMargin, rect.bottom};
    DrawTextW(dc, label.c_str(), int(label.size()), &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (tab != std::wstring::npos) {
        const std::wstring shortCut = caption.substr(tab + 1);
        DrawTextW(dc, shortCut.c_str(), int(shortCut.size()), &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
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
            DrawSystemMenuItem(form.FSkinData, sender, canvas, rect, selected);
        };
        item.OnMeasureItem = [&form](ui::MenuItem& sender, ui::Canvas&, int& width, int&) {
            if (sender.IsLine()) {
                return;
            }
            const TSkinData* skinData = form.FSkinData;
            if (skinData != nullptr && skinData->MenuItem) {
                width += skinData->MenuItem->Margins.left;
            }
            const bool glyphs = skinData != nullptr && skinData->MenuGlyphs() != nullptr;
            width += glyphs ? kExtraWidthWithGlyphs : kExtraWidthWithoutGlyphs;
        };
        popup.Items().Add(&item);
    }
}

} // namespace skin
