#pragma once
// How a menu item looks on a skinned window: the skin's MenuItem strip over
// the popup's face (the skinned drawing), or the skin's menu colours alone
// when the skin has no MenuItem picture (the plain drawing); and the widths
// the skinned items measure. Used by the owner-draw events the form painter
// hooks onto toolkit menus, by the skinned system menu and by the drop-downs
// of a skinned menu bar.

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace ui {
class Canvas;
class MenuItem;
class PngImageList;
} // namespace ui

namespace skin {

class TSkinData;

// The pictures an item's ImageIndex counts in: the menu's image list, or
// for the system menu the skin's own glyph list.
struct MenuGlyphs {
    const ui::PngImageList* images = nullptr;
    HIMAGELIST list = nullptr;

    static MenuGlyphs OfMenu(const ui::MenuItem& item);
    bool Present() const { return images != nullptr || list != nullptr; }
    SIZE Size() const;
    int Width() const { return Size().cx; }
    int Height() const { return Size().cy; }
    int Count() const;
    void Draw(HDC dc, int x, int y, int index, bool enabled) const;
};

// What an item shows, whether it comes from a toolkit item or straight from
// a native menu (a bare item).
struct MenuItemLook {
    std::wstring caption;   // "-" for a separator; a tab starts the shortcut text
    std::wstring shortCut;  // the shortcut's text, drawn right-aligned
    bool enabled = true;
    bool checked = false;
    bool isDefault = false;
    int imageIndex = -1;
    bool rightToLeft = false;
    HMENU parentMenu = nullptr;  // the native menu the item is shown in

    static MenuItemLook Of(ui::MenuItem& item);
    bool IsLine() const { return caption == L"-"; }
};

// The skinned drawing into canvas at rect (the plain drawing when the skin
// has no MenuItem object). skinData may be none: system colours then.
void DrawSkinnedMenuItem(const TSkinData* skinData, const MenuItemLook& look, const MenuGlyphs& glyphs,
                         ui::Canvas& canvas, const RECT& rect, bool selected);
void DrawPlainMenuItem(const TSkinData* skinData, const MenuItemLook& look, const MenuGlyphs& glyphs,
                       ui::Canvas& canvas, const RECT& rect, bool selected);

// The room the skinned look adds to the toolkit's measured width.
// Items of hooked main menus and menu-bar drop-downs.
int MainMeasureExtra(const TSkinData* skinData, bool hasImages);
// Items of hooked popup menus and of the skinned system menu.
int PopupMeasureExtra(const TSkinData* skinData, bool hasImages);

// The measure of a drop-down item known only by its text: text width in the
// menu font + 26 (+ MenuItem margin), height + 4, or 8 for a separator.
SIZE MeasureMenuText(const TSkinData* skinData, HDC dc, const std::wstring& text);

} // namespace skin
