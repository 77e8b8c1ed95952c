#pragma once
// The skinned menu bar of one form painter: the window's menu is taken away
// from the system and drawn in a band below the caption, one item object per
// top-level entry. The items react to the mouse like caption buttons; the
// painter opens their drop-downs (MenuLoop.cpp). On detach the window gets
// its menu back.

#include "skin/forms/NCObject.h"
#include "ui/Bitmap.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ui {
class MainMenu;
class MenuItem;
} // namespace ui

namespace skin {

class TSkinData;
class TWinSkinForm;

class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm& owner, TSkinData& skinData) : TNCObject(owner), FSkinData(&skinData) {}

    // Hover, press and release: the item over the band's bare background.
    void Paint() override;

    ui::MenuItem* FItem = nullptr;
    TSkinData* FSkinData;
    int32_t FIndex = 0;
    std::wstring FCaption;  // with "&" accelerator marks
    uint8_t FItemEnabled = 1;
    HMENU FSubMenu = nullptr;
    uint32_t FCommand = 0;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TWinSkinForm& form, TSkinData& skinData);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // The toolkit form's menu, or none for a bare window.
    void SetMenu(ui::MainMenu* menu) { FMenu = menu; }
    ui::MainMenu* Menu() const { return FMenu; }
    // A new window menu to take over (the window's menu changed).
    void SetMenuHandle(HMENU menu) { FMenuHandle = menu; }
    HMENU MenuHandle() const { return FMenuHandle; }

    // Builds the items from the window's menu and removes the menu from the
    // window. The MDI variant looks toolkit items up only for entries
    // without text (the system's own child-window entries have none) and
    // lays the items out.
    void TakeOverMenu();
    void TakeOverMdiMenu();
    // The band (frame coordinates) and where each item sits in it.
    void LayoutItems();
    // The band into dc at rect (frame coordinates).
    void PaintBar(HDC dc, const RECT& rect);
    // The first item with a caption whose bounds hold p (frame coordinates).
    TMenuBtn* ItemAt(POINT p) const;

    const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return FItems; }
    int32_t ItemCount() const { return FItemCount; }
    const RECT& BarRect() const { return FBarRect; }
    const ui::Bitmap& BarBitmap() const { return FBarBitmap; }
    bool RightToLeft() const;
    // Whether the object is one of this bar's items.
    bool Owns(const TNCObject* object) const;

private:
    friend class TMenuBtn;
    // The start offset of the first item from the band's edge.
    int StartOffset(int bandWidth) const;
    // The width of an item: caption width + 10, 0 for an empty caption.
    int ItemWidth(HDC dc, const TMenuBtn& item) const;
    void ReadItems(bool lookUpEveryItem);

    std::vector<std::unique_ptr<TMenuBtn>> FItems;
    ui::MainMenu* FMenu = nullptr;
    RECT FBarRect{};
    TSkinData* FSkinData;
    TWinSkinForm& FForm;
    ui::Bitmap FBarBitmap;
    int32_t FItemCount = 0;
    HMENU FMenuHandle = nullptr;
};

// Draws a menu-bar caption centred in box, "&" marks underlined.
void DrawMenuBarCaption(HDC dc, const std::wstring& caption, const RECT& box, COLORREF colour);

} // namespace skin
