#pragma once
// Menus: a tree of items mirrored into native menus made on demand, a menu bar
// for forms and popup menus shown at a screen point. Items may be owner-drawn
// through their measure and draw events, which is how the skin engine paints
// every item.

#include "ui/Component.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Canvas;
class Form;
class Menu;
class PngImageList;

// A shortcut is a virtual key in the low byte plus modifier bits.
constexpr WORD scShift = 0x2000;
constexpr WORD scCtrl = 0x4000;
constexpr WORD scAlt = 0x8000;

constexpr WORD MakeShortCut(WORD key, ShiftState shift) {
    return WORD((key & 0xFF) | ((shift & ssShift) != 0 ? scShift : 0) | ((shift & ssCtrl) != 0 ? scCtrl : 0) |
                ((shift & ssAlt) != 0 ? scAlt : 0));
}
// "Ctrl+S", "Shift+Del", "F5"; empty for 0 or a key without a name.
std::wstring ShortCutToText(WORD shortCut);
// Whether the caption marks this character as its accelerator ("&" before
// it, case ignored; "&&" is a literal ampersand).
bool IsAccel(wchar_t key, std::wstring_view caption);

class MenuItem : public Component {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit MenuItem(Component* owner);
    // Leaves the parent (and its native menu) and frees the sub-items.
    ~MenuItem() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return caption_ == L"-"; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    WORD ShortCut() const { return shortCut_; }
    void SetShortCut(WORD shortCut);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

    // The id of this item's WM_COMMAND, unique among live items and never 0
    // or in the system-command range.
    WORD Command() const { return command_; }
    // The native menu holding this item's sub-items, made on first use.
    HMENU Handle();
    // The menu handle without making one.
    HMENU HandleIfAllocated() const { return handle_.get(); }

    int Count() const { return int(items_.size()); }
    MenuItem& Items(int index) const;  // throws std::out_of_range
    MenuItem* Parent() const { return parent_; }
    // Appends or inserts a sub-item. The item must not have a parent yet and
    // must not be this item or one above it (std::invalid_argument).
    void Add(MenuItem* item);
    void Insert(int index, MenuItem* item);
    // Takes a sub-item out without freeing it.
    void Remove(MenuItem* item);
    // The sub-item with this caption, "&" marks and case ignored.
    MenuItem* Find(std::wstring_view caption) const;
    int IndexOf(const MenuItem* item) const;
    int MenuIndex() const { return parent_ != nullptr ? parent_->IndexOf(this) : -1; }
    void SetMenuIndex(int index);

    // The menu whose tree holds this item, or none while it is detached.
    Menu* GetParentMenu() const;

    // Runs OnClick when the item is enabled. For an item with sub-items it
    // also runs just before the submenu opens, so a handler can fill it.
    virtual void Click();
    // OnMeasureItem when set, seeded with the default size; else the default.
    virtual void MeasureItem(Canvas& canvas, int& width, int& height);
    // OnDrawItem when set; else the default drawing.
    virtual void DrawItem(Canvas& canvas, const RECT& rect, bool selected);

    std::function<void(MenuItem& sender)> OnClick;
    std::function<void(MenuItem& sender, Canvas& canvas, const RECT& rect, bool selected)> OnDrawItem;
    std::function<void(MenuItem& sender, Canvas& canvas, int& width, int& height)> OnMeasureItem;

private:
    friend class Menu;
    void DefaultMeasure(Canvas& canvas, int& width, int& height) const;
    void DefaultDraw(Canvas& canvas, const RECT& rect, bool selected) const;
    bool OnMenuBar() const;

    void PropertyChanged();
    // Stores a new property value; a real change updates the native menu.
    template <class T>
    void Change(T& field, T value) {
        if (field != value) {
            field = std::move(value);
            PropertyChanged();
        }
    }
    void ChildrenChanged(bool hadSubmenu);
    void RebuildNative();
    void RebuildTree();
    void AppendNativeEntry(HMENU target, bool ownerDraw);
    void NotifyMenu();
    bool HasSubmenu() const { return !items_.empty(); }

    std::wstring caption_;
    bool visible_ = true;
    bool enabled_ = true;
    bool checked_ = false;
    bool default_ = false;
    WORD shortCut_ = 0;
    int imageIndex_ = -1;

    WORD command_ = 0;
    uint64_t serial_ = 0;  // the native item's data: never reused, unlike commands
    UniqueMenu handle_;
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;
    Menu* menu_ = nullptr;  // set on the root item of a menu only
};

enum class FindKind { Command, Handle };

// The common part of main and popup menus: a root item whose sub-items are
// the menu's entries.
class Menu : public Component {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    ~Menu() override;

    MenuItem& Items() const { return *items_; }
    HMENU Handle() const { return items_->Handle(); }

    bool OwnerDraw() const { return ownerDraw_; }
    // Every native item becomes owner-drawn (or a plain text item again).
    void SetOwnerDraw(bool ownerDraw);

    PngImageList* Images() const { return images_; }
    void SetImages(PngImageList* images);

    // The item anywhere in the tree with this command, or whose submenu has
    // this handle.
    MenuItem* FindItem(UINT_PTR value, FindKind kind) const;

    // A right-to-left menu mirrors its items (the skinned drawing reads it).
    bool IsRightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool rightToLeft) { rightToLeft_ = rightToLeft; }

protected:
    explicit Menu(Component* owner);
    // The native menu of the root item.
    virtual HMENU CreateNativeMenu() const = 0;
    // An item of the tree changed after the native menu was made.
    virtual void ItemsChanged() {}

private:
    friend class MenuItem;

    MenuItem* items_;
    bool ownerDraw_ = false;
    bool rightToLeft_ = false;
    PngImageList* images_ = nullptr;
};

// A form's menu bar. The form shows it through Form::SetMenu; every change to
// its items is announced to that form as CM_MENUCHANGED.
class MainMenu : public Menu {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit MainMenu(Component* owner);
    ~MainMenu() override;

protected:
    HMENU CreateNativeMenu() const override;
    void ItemsChanged() override;

private:
    Form* ShowingForm() const;
};

// A context menu shown at a screen point, owned by a hidden window of the
// thread that receives its notifications.
class PopupMenu : public Menu {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit PopupMenu(Component* owner);

    // Runs OnPopup, then tracks the menu until the user closes it; the chosen
    // item's Click runs before this returns.
    void Popup(int x, int y);

    std::function<void(PopupMenu& sender)> OnPopup;

protected:
    HMENU CreateNativeMenu() const override;
};

// What a form (and the popup window) does with the menu notifications of its
// window. Each answers false when no live item in a menu is concerned.
// Exceptions from event handlers pass through to the caller.
bool DispatchMenuCommand(WORD command);
// WM_MEASUREITEM and WM_DRAWITEM of ODT_MENU items.
bool DispatchMenuMeasureItem(MEASUREITEMSTRUCT& measure);
bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& draw);
// WM_INITMENUPOPUP: runs Click of the item whose submenu is about to open.
bool DispatchMenuPopup(HMENU submenu);

} // namespace ui
