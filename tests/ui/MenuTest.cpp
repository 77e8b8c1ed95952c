// Menus against real native menus under Wine: the native entries mirror the
// items, commands find their items and stop finding them once the items are
// gone, and popups really track, measure, draw and choose.

#include "ui/Menus.h"

#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Screen.h"
#include "ui/png/PngImageList.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cwchar>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace ui;

MenuItem& AddItem(MenuItem& parent, const std::wstring& caption, Component* owner) {
    auto* item = new MenuItem(owner);
    item->SetCaption(caption);
    parent.Add(item);
    return *item;
}

struct NativeEntry {
    UINT id = 0;
    UINT type = 0;
    UINT state = 0;
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;
    std::wstring text;
};

std::vector<NativeEntry> NativeEntries(HMENU menu) {
    std::vector<NativeEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = UINT(std::size(text));
        EXPECT_TRUE(GetMenuItemInfoW(menu, UINT(i), TRUE, &info));
        entries.push_back({info.wID, info.fType, info.fState, info.hSubMenu, info.dwItemData, text});
    }
    return entries;
}

std::vector<UINT> NativeIds(HMENU menu) {
    std::vector<UINT> ids;
    for (const NativeEntry& entry : NativeEntries(menu)) {
        ids.push_back(entry.id);
    }
    return ids;
}

// Every native entry below a menu, depth first.
void CollectEntries(HMENU menu, std::vector<NativeEntry>& all) {
    for (const NativeEntry& entry : NativeEntries(menu)) {
        all.push_back(entry);
        if (entry.submenu != nullptr) {
            CollectEntries(entry.submenu, all);
        }
    }
}

HWND VisibleMenuWindow(int skip = 0) {
    struct Search {
        int skip;
        HWND found;
    } search{skip, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto& state = *reinterpret_cast<Search*>(param);
            wchar_t name[16] = {};
            GetClassNameW(window, name, int(std::size(name)));
            if (std::wcscmp(name, L"#32768") == 0 && IsWindowVisible(window) && state.skip-- == 0) {
                state.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int VisibleMenuWindowCount() {
    int count = 0;
    while (VisibleMenuWindow(count) != nullptr) {
        ++count;
    }
    return count;
}

void PostKey(HWND window, WORD key) {
    const LPARAM scan = LPARAM(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scan | 1);
    PostMessageW(window, WM_KEYUP, key, scan | 1 | (LPARAM(3) << 30));
}

// Popup blocks in the menu's modal loop, so a test acts from a timer that
// the loop dispatches: `step` runs every few milliseconds until it answers
// true. A menu still open after five seconds is closed, so a failing test
// cannot hang.
class MenuDriver {
public:
    explicit MenuDriver(std::function<bool()> step) : step_(std::move(step)), start_(GetTickCount64()) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &Tick);
    }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;
    ~MenuDriver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

    bool Done() const { return done_; }
    bool TimedOut() const { return timedOut_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuDriver* self = current_;
        if (self == nullptr || self->done_) {
            return;
        }
        if (self->step_()) {
            self->done_ = true;
        } else if (GetTickCount64() - self->start_ > 5000) {
            self->timedOut_ = true;
            self->done_ = true;
            EndMenu();
        }
    }

    static inline MenuDriver* current_ = nullptr;
    std::function<bool()> step_;
    ULONGLONG start_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
    bool timedOut_ = false;
};

class MenuTest : public ::testing::Test {
protected:
    Component owner{nullptr};  // owns the menus and items of a test
};

TEST_F(MenuTest, ClassIdentityAndCaptionProperty) {
    struct Case {
        const Component* component;
        const char* className;
        bool isMenu;
    };
    auto& item = *new MenuItem(&owner);
    const Case cases[] = {
        {&item, "TMenuItem", false},
        {new MainMenu(&owner), "TMainMenu", true},
        {new PopupMenu(&owner), "TPopupMenu", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.component->ClassName(), c.className);
        EXPECT_TRUE(c.component->InheritsFrom("TComponent")) << c.className;
        EXPECT_EQ(c.component->InheritsFrom("tmenu"), c.isMenu) << c.className;
    }

    ASSERT_TRUE(item.SetPropertyText("caption", "退出系统"));
    EXPECT_EQ(item.Caption(), L"退出系统");
    item.SetCaption(L"&Open…");
    EXPECT_EQ(item.GetPropertyText("Caption"), "&Open…");
    EXPECT_FALSE(item.HasProperty("Checked"));
}

TEST_F(MenuTest, NativeMenuHoldsTheVisibleItemsWithTheirState) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& hidden = AddItem(menu.Items(), L"h", &owner);
    hidden.SetVisible(false);
    MenuItem& exit = AddItem(menu.Items(), L"退出系统", &owner);
    MenuItem& disabled = AddItem(menu.Items(), L"Print", &owner);
    disabled.SetEnabled(false);
    MenuItem& line = AddItem(menu.Items(), L"-", &owner);
    MenuItem& save = AddItem(menu.Items(), L"&Save", &owner);
    save.SetChecked(true);
    save.SetDefault(true);
    save.SetShortCut(MakeShortCut('S', ssCtrl));

    const HMENU handle = menu.Handle();
    const std::vector<NativeEntry> entries = NativeEntries(handle);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{exit.Command(), disabled.Command(), line.Command(), save.Command()}));
    EXPECT_EQ(GetMenuState(handle, hidden.Command(), MF_BYCOMMAND), UINT(-1));

    EXPECT_EQ(entries[0].text, L"退出系统");
    EXPECT_EQ(entries[0].state & (MFS_GRAYED | MFS_CHECKED), 0u);
    EXPECT_EQ(GetMenuState(handle, disabled.Command(), MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
    EXPECT_TRUE(entries[2].type & MFT_SEPARATOR);
    EXPECT_EQ(entries[3].text, L"&Save\tCtrl+S");
    EXPECT_TRUE(entries[3].state & MFS_CHECKED);
    EXPECT_TRUE(entries[3].state & MFS_DEFAULT);
    for (const NativeEntry& entry : entries) {
        EXPECT_EQ(entry.type & MFT_OWNERDRAW, 0u);
        EXPECT_EQ(entry.submenu, nullptr);
    }
}

TEST_F(MenuTest, ChangesAfterTheNativeMenuExistsReachIt) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& first = AddItem(menu.Items(), L"First", &owner);
    MenuItem& second = AddItem(menu.Items(), L"Second", &owner);
    const HMENU handle = menu.Handle();

    first.SetVisible(false);
    EXPECT_EQ(NativeIds(handle), std::vector<UINT>{second.Command()});
    first.SetVisible(true);
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{first.Command(), second.Command()}));

    second.SetEnabled(false);
    EXPECT_TRUE(GetMenuState(handle, second.Command(), MF_BYCOMMAND) & MF_GRAYED);
    second.SetEnabled(true);
    EXPECT_FALSE(GetMenuState(handle, second.Command(), MF_BYCOMMAND) & MF_GRAYED);

    first.SetChecked(true);
    EXPECT_TRUE(GetMenuState(handle, first.Command(), MF_BYCOMMAND) & MF_CHECKED);

    first.SetCaption(L"信息");
    first.SetShortCut(MakeShortCut(VK_F5, 0));
    EXPECT_EQ(NativeEntries(handle)[0].text, L"信息\tF5");

    first.SetCaption(L"-");
    EXPECT_TRUE(NativeEntries(handle)[0].type & MFT_SEPARATOR);
}

TEST_F(MenuTest, CommandsAreUniqueOutsideTheSystemRange) {
    std::set<WORD> commands;
    for (int i = 0; i < 300; ++i) {
        const WORD command = (new MenuItem(&owner))->Command();
        EXPECT_NE(command, 0);
        EXPECT_LT(command, 0xF000);
        commands.insert(command);
    }
    EXPECT_EQ(commands.size(), 300u);
}

TEST_F(MenuTest, ALiveItemKeepsItsCommandWhileThePoolWrapsAround) {
    MenuItem live(nullptr);
    // More than the whole pool: the counter comes round past the live item.
    for (int i = 0; i < 0xF000 + 100; ++i) {
        MenuItem passing(nullptr);
        ASSERT_NE(passing.Command(), live.Command());
        ASSERT_NE(passing.Command(), 0);
        ASSERT_LT(passing.Command(), 0xF000);
    }
}

TEST_F(MenuTest, DispatchedCommandsClickTheirItem) {
    PopupMenu& menu = *new PopupMenu(&owner);
    PopupMenu& other = *new PopupMenu(&owner);
    MenuItem& open = AddItem(menu.Items(), L"Open", &owner);
    MenuItem& disabled = AddItem(menu.Items(), L"Disabled", &owner);
    disabled.SetEnabled(false);
    MenuItem& detached = *new MenuItem(&owner);
    std::vector<MenuItem*> clicked;
    for (MenuItem* item : {&open, &disabled, &detached}) {
        item->OnClick = [&](MenuItem& sender) { clicked.push_back(&sender); };
    }

    EXPECT_TRUE(DispatchMenuCommand(open.Command()));
    EXPECT_EQ(clicked, std::vector<MenuItem*>{&open});
    // A disabled item is found but does nothing; a detached one is in no menu.
    EXPECT_TRUE(DispatchMenuCommand(disabled.Command()));
    EXPECT_FALSE(DispatchMenuCommand(detached.Command()));
    EXPECT_FALSE(DispatchMenuCommand(menu.Items().Command()));
    EXPECT_FALSE(DispatchMenuCommand(0));
    EXPECT_EQ(clicked.size(), 1u);

    EXPECT_EQ(menu.FindItem(open.Command(), FindKind::Command), &open);
    EXPECT_EQ(other.FindItem(open.Command(), FindKind::Command), nullptr);
    EXPECT_EQ(menu.FindItem(detached.Command(), FindKind::Command), nullptr);
}

TEST_F(MenuTest, AnItemThatFreesItselfFromOnClick) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& once = AddItem(menu.Items(), L"Once", &owner);
    const WORD command = once.Command();
    once.OnClick = [](MenuItem& sender) { delete &sender; };
    EXPECT_TRUE(DispatchMenuCommand(command));
    EXPECT_EQ(menu.Items().Count(), 0);
    EXPECT_FALSE(DispatchMenuCommand(command));
}

TEST_F(MenuTest, RemovedAndFreedItemsLeaveTheNativeMenuAndLookup) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& a = AddItem(menu.Items(), L"A", &owner);
    MenuItem* b = &AddItem(menu.Items(), L"B", &owner);
    MenuItem& c = AddItem(menu.Items(), L"C", &owner);
    MenuItem& sub = AddItem(menu.Items(), L"Sub", &owner);
    MenuItem& deep = AddItem(sub, L"Deep", &owner);
    const HMENU handle = menu.Handle();

    const WORD bCommand = b->Command();
    delete b;
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{a.Command(), c.Command(), sub.Command()}));
    EXPECT_FALSE(DispatchMenuCommand(bCommand));
    EXPECT_EQ(menu.FindItem(bCommand, FindKind::Command), nullptr);

    menu.Items().Remove(&c);
    EXPECT_EQ(c.Parent(), nullptr);
    EXPECT_EQ(c.GetParentMenu(), nullptr);
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{a.Command(), sub.Command()}));
    EXPECT_FALSE(DispatchMenuCommand(c.Command()));
    menu.Items().Insert(0, &c);
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{c.Command(), a.Command(), sub.Command()}));
    EXPECT_TRUE(DispatchMenuCommand(c.Command()));

    // Freeing a parent frees what hangs below it.
    const WORD deepCommand = deep.Command();
    const HMENU subHandle = sub.Handle();
    Ref<MenuItem> deepRef(&deep);
    delete &sub;
    EXPECT_FALSE(deepRef);
    EXPECT_FALSE(DispatchMenuCommand(deepCommand));
    EXPECT_FALSE(IsMenu(subHandle));
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{c.Command(), a.Command()}));
}

TEST_F(MenuTest, FreeingAMenuFreesItsItemsWhoeverOwnsThem) {
    auto* menu = new PopupMenu(&owner);
    MenuItem& file = AddItem(menu->Items(), L"File", &owner);
    MenuItem& recent = AddItem(file, L"Recent", &owner);
    const WORD recentCommand = recent.Command();
    Ref<MenuItem> fileRef(&file);
    Ref<MenuItem> recentRef(&recent);
    const HMENU rootHandle = menu->Handle();
    const HMENU fileHandle = file.Handle();
    delete menu;
    EXPECT_FALSE(fileRef);
    EXPECT_FALSE(recentRef);
    EXPECT_FALSE(IsMenu(rootHandle));
    EXPECT_FALSE(IsMenu(fileHandle));
    EXPECT_FALSE(DispatchMenuCommand(recentCommand));
    EXPECT_EQ(owner.ComponentCount(), 0);

    // An owner freeing its items and menus in reverse order of creation:
    // items made before the menu outlive it, items made after go first.
    auto* scope = new Component(nullptr);
    auto* early = new MenuItem(scope);
    auto* popup = new PopupMenu(scope);
    popup->Items().Add(early);
    AddItem(popup->Items(), L"Late", scope);
    popup->Handle();
    Ref<MenuItem> earlyRef(early);
    delete scope;
    EXPECT_FALSE(earlyRef);
}

TEST_F(MenuTest, SubmenusGetTheirOwnHandleAndAreFoundByIt) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& file = AddItem(menu.Items(), L"File", &owner);
    MenuItem& recent = AddItem(file, L"Recent", &owner);
    MenuItem& doc = AddItem(recent, L"a.txt", &owner);
    MenuItem& edit = AddItem(menu.Items(), L"Edit", &owner);
    const HMENU handle = menu.Handle();

    ASSERT_NE(file.HandleIfAllocated(), nullptr);
    EXPECT_EQ(GetSubMenu(handle, 0), file.Handle());
    EXPECT_EQ(GetSubMenu(file.Handle(), 0), recent.Handle());
    EXPECT_EQ(GetMenuItemID(recent.Handle(), 0), doc.Command());
    EXPECT_EQ(GetSubMenu(handle, 1), nullptr);

    EXPECT_EQ(menu.FindItem(reinterpret_cast<UINT_PTR>(recent.Handle()), FindKind::Handle), &recent);
    EXPECT_EQ(menu.FindItem(reinterpret_cast<UINT_PTR>(handle), FindKind::Handle), &menu.Items());
    EXPECT_EQ(menu.FindItem(doc.Command(), FindKind::Command), &doc);
    EXPECT_EQ(doc.GetParentMenu(), &menu);

    // An entry gains a submenu with its first sub-item and loses it with the last.
    MenuItem& undo = AddItem(edit, L"Undo", &owner);
    EXPECT_EQ(GetSubMenu(handle, 1), edit.Handle());
    EXPECT_EQ(GetMenuItemID(edit.Handle(), 0), undo.Command());
    edit.Remove(&undo);
    EXPECT_EQ(GetSubMenu(handle, 1), nullptr);
    EXPECT_EQ(GetMenuItemID(handle, 1), edit.Command());
}

TEST_F(MenuTest, OwnerDrawMarksEveryNativeItem) {
    PopupMenu& menu = *new PopupMenu(&owner);
    AddItem(menu.Items(), L"Open", &owner);
    AddItem(menu.Items(), L"-", &owner);
    MenuItem& file = AddItem(menu.Items(), L"File", &owner);
    AddItem(file, L"Close", &owner);
    MenuItem& late = AddItem(menu.Items(), L"Late", &owner);
    menu.Handle();

    menu.SetOwnerDraw(true);
    late.SetVisible(false);
    late.SetVisible(true);
    AddItem(file, L"Added later", &owner);
    std::vector<NativeEntry> all;
    CollectEntries(menu.Handle(), all);
    ASSERT_EQ(all.size(), 6u);
    for (const NativeEntry& entry : all) {
        EXPECT_TRUE(entry.type & MFT_OWNERDRAW) << WideToUtf8(entry.text);
    }

    menu.SetOwnerDraw(false);
    all.clear();
    CollectEntries(menu.Handle(), all);
    ASSERT_EQ(all.size(), 6u);
    for (const NativeEntry& entry : all) {
        EXPECT_EQ(entry.type & MFT_OWNERDRAW, 0u);
    }
    EXPECT_EQ(all[0].text, L"Open");
    EXPECT_TRUE(all[1].type & MFT_SEPARATOR);

    // A submenu moved into an owner-drawn menu follows that menu.
    PopupMenu& drawn = *new PopupMenu(&owner);
    drawn.SetOwnerDraw(true);
    drawn.Handle();
    menu.Items().Remove(&file);
    drawn.Items().Add(&file);
    all.clear();
    CollectEntries(drawn.Handle(), all);
    ASSERT_EQ(all.size(), 3u);
    for (const NativeEntry& entry : all) {
        EXPECT_TRUE(entry.type & MFT_OWNERDRAW);
    }
}

// A notification as the system sends it for the native entry at `position`.
MEASUREITEMSTRUCT MeasureOf(HMENU menu, int position) {
    const NativeEntry entry = NativeEntries(menu).at(size_t(position));
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = entry.id;
    measure.itemData = entry.data;
    return measure;
}

TEST_F(MenuTest, MeasureDispatchUsesTheEventOrTheDefaultSize) {
    PopupMenu& menu = *new PopupMenu(&owner);
    menu.SetOwnerDraw(true);
    MenuItem& custom = AddItem(menu.Items(), L"Open", &owner);
    AddItem(menu.Items(), L"Open", &owner);
    AddItem(menu.Items(), L"Open the recent documents", &owner);
    MenuItem& withShortCut = AddItem(menu.Items(), L"Open", &owner);
    withShortCut.SetShortCut(MakeShortCut('O', ssCtrl));
    AddItem(menu.Items(), L"-", &owner);
    int seededWidth = -1;
    int seededHeight = -1;
    MenuItem* sender = nullptr;
    custom.OnMeasureItem = [&](MenuItem& item, Canvas& canvas, int& width, int& height) {
        sender = &item;
        EXPECT_NE(canvas.Handle(), nullptr);
        seededWidth = width;
        seededHeight = height;
        width = 123;
        height = 45;
    };
    const HMENU handle = menu.Handle();

    MEASUREITEMSTRUCT measures[5];
    for (int i = 0; i < 5; ++i) {
        measures[i] = MeasureOf(handle, i);
        ASSERT_TRUE(DispatchMenuMeasureItem(measures[i])) << i;
    }
    EXPECT_EQ(sender, &custom);
    EXPECT_EQ(measures[0].itemWidth, 123u);
    EXPECT_EQ(measures[0].itemHeight, 45u);
    // The event starts from what the toolkit would answer without it.
    EXPECT_EQ(seededWidth, int(measures[1].itemWidth));
    EXPECT_EQ(seededHeight, int(measures[1].itemHeight));

    EXPECT_GE(measures[1].itemWidth, 16u + 20u);  // glyph area and some text
    EXPECT_GE(measures[1].itemHeight, 16u);
    EXPECT_GT(measures[2].itemWidth, measures[1].itemWidth);
    EXPECT_GT(measures[3].itemWidth, measures[1].itemWidth);
    EXPECT_EQ(measures[4].itemHeight, 8u);
}

TEST_F(MenuTest, DispatchIgnoresOtherControlsAndGoneItems) {
    PopupMenu& menu = *new PopupMenu(&owner);
    menu.SetOwnerDraw(true);
    MenuItem* item = &AddItem(menu.Items(), L"Gone soon", &owner);
    int measured = 0;
    item->OnMeasureItem = [&](MenuItem&, Canvas&, int&, int&) { ++measured; };
    MEASUREITEMSTRUCT measure = MeasureOf(menu.Handle(), 0);

    MEASUREITEMSTRUCT button = measure;
    button.CtlType = ODT_BUTTON;
    EXPECT_FALSE(DispatchMenuMeasureItem(button));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.itemID = measure.itemID;
    draw.itemData = measure.itemData;
    EXPECT_FALSE(DispatchMenuDrawItem(draw));

    // Without our data the command identifies the item.
    MEASUREITEMSTRUCT byCommand = measure;
    byCommand.itemData = 0;
    EXPECT_TRUE(DispatchMenuMeasureItem(byCommand));
    // Data that some other menu put there is not ours.
    MEASUREITEMSTRUCT foreign = measure;
    foreign.itemData = 0x1234;
    EXPECT_FALSE(DispatchMenuMeasureItem(foreign));
    EXPECT_EQ(measured, 1);

    delete item;
    EXPECT_FALSE(DispatchMenuMeasureItem(measure));
    measure.itemData = 0;
    EXPECT_FALSE(DispatchMenuMeasureItem(measure));
}

// A bitmap to draw menu items on, with pixel probes.
class DrawSurface {
public:
    DrawSurface(int width, int height) : bitmap_(width, height) {}

    HDC dc() { return bitmap_.GetCanvas().Handle(); }
    COLORREF Pixel(int x, int y) const { return COLORREF(bitmap_.PixelAt(x, y)); }
    // How many pixels of the box differ from the colour.
    int CountOtherThan(const RECT& box, COLORREF color) const {
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                count += Pixel(x, y) != color ? 1 : 0;
            }
        }
        return count;
    }

private:
    Bitmap bitmap_;
};

DRAWITEMSTRUCT DrawOf(HMENU menu, int position, HDC dc, const RECT& rect, bool selected) {
    const NativeEntry entry = NativeEntries(menu).at(size_t(position));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = entry.id;
    draw.itemData = entry.data;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = selected ? ODS_SELECTED : 0;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = rect;
    return draw;
}

TEST_F(MenuTest, DrawDispatchUsesTheEventOrTheDefaultDrawing) {
    PopupMenu& menu = *new PopupMenu(&owner);
    menu.SetOwnerDraw(true);
    MenuItem& custom = AddItem(menu.Items(), L"Custom", &owner);
    AddItem(menu.Items(), L"Plain", &owner);
    MenuItem& checked = AddItem(menu.Items(), L"Checked", &owner);
    checked.SetChecked(true);
    const HMENU handle = menu.Handle();
    DrawSurface surface(200, 24);
    const RECT rect{0, 0, 200, 24};

    RECT seenRect{};
    bool seenSelected = false;
    custom.OnDrawItem = [&](MenuItem& sender, Canvas& canvas, const RECT& r, bool selected) {
        EXPECT_EQ(&sender, &custom);
        EXPECT_EQ(canvas.Handle(), surface.dc());
        EXPECT_EQ(canvas.font, Screen::MenuFont());
        seenRect = r;
        seenSelected = selected;
    };
    const RECT given{2, 3, 150, 21};
    ASSERT_TRUE(DispatchMenuDrawItem(DrawOf(handle, 0, surface.dc(), given, true)));
    EXPECT_TRUE(EqualRect(&seenRect, &given));
    EXPECT_TRUE(seenSelected);

    // The default drawing: the menu's colours, highlighted when selected,
    // a caption, and a check mark in the glyph area when checked.
    const COLORREF menuColor = GetSysColor(COLOR_MENU);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_NE(menuColor, highlight);
    const RECT glyph{2, 4, 18, 20};
    const RECT text{26, 0, 180, 24};
    struct Case {
        int position;
        bool selected;
        COLORREF background;
        bool glyphDrawn;
    };
    for (const Case& c : {Case{1, false, menuColor, false}, Case{1, true, highlight, false},
                          Case{2, false, menuColor, true}}) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << " selected " << c.selected);
        ASSERT_TRUE(DispatchMenuDrawItem(DrawOf(handle, c.position, surface.dc(), rect, c.selected)));
        EXPECT_EQ(surface.Pixel(0, 0), c.background);
        EXPECT_EQ(surface.Pixel(199, 23), c.background);
        EXPECT_GT(surface.CountOtherThan(text, c.background), 10);
        EXPECT_EQ(surface.CountOtherThan(glyph, c.background) > 0, c.glyphDrawn);
    }
}

// A 16 x 16 PNG of one opaque colour.
std::vector<uint8_t> SolidPng(uint8_t red, uint8_t green, uint8_t blue) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 16;
    image.height = 16;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16 * 16; ++i) {
        pixels.insert(pixels.end(), {red, green, blue, 255});
    }
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr));
    std::vector<uint8_t> bytes(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr));
    return bytes;
}

TEST_F(MenuTest, DefaultDrawingShowsTheItemsImage) {
    PngImageList& images = *new PngImageList(&owner);
    ASSERT_EQ(images.AddPng(SolidPng(255, 0, 0)), 0);
    PopupMenu& menu = *new PopupMenu(&owner);
    menu.SetOwnerDraw(true);
    menu.SetImages(&images);
    EXPECT_EQ(menu.Images(), &images);
    MenuItem& item = AddItem(menu.Items(), L"Red", &owner);
    const HMENU handle = menu.Handle();
    DrawSurface surface(200, 24);
    const RECT rect{0, 0, 200, 24};
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF menuColor = GetSysColor(COLOR_MENU);

    struct Case {
        int index;
        bool enabled;
        bool checked;
        bool red;     // the glyph area shows the image as it is
        bool framed;  // a sunken edge just outside the glyph area
    };
    const Case cases[] = {
        {0, true, false, true, false},
        {0, true, true, true, true},
        {0, false, false, false, false},  // greyed
        {1, true, false, false, false},   // past the end of the list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index << " enabled " << c.enabled << " checked " << c.checked);
        item.SetImageIndex(c.index);
        item.SetEnabled(c.enabled);
        item.SetChecked(c.checked);
        ASSERT_TRUE(DispatchMenuDrawItem(DrawOf(handle, 0, surface.dc(), rect, false)));
        EXPECT_EQ(surface.Pixel(10, 12) == red, c.red);
        EXPECT_EQ(surface.Pixel(1, 12) != menuColor, c.framed);
    }
    item.SetImageIndex(-1);
    item.SetEnabled(true);
    item.SetChecked(false);
    ASSERT_TRUE(DispatchMenuDrawItem(DrawOf(handle, 0, surface.dc(), rect, false)));
    EXPECT_EQ(surface.CountOtherThan(RECT{2, 4, 18, 20}, menuColor), 0);
}

TEST_F(MenuTest, DefaultDrawingOfASeparatorIsALineAcrossTheMiddle) {
    PopupMenu& menu = *new PopupMenu(&owner);
    menu.SetOwnerDraw(true);
    AddItem(menu.Items(), L"-", &owner);
    DrawSurface surface(100, 8);
    ASSERT_TRUE(DispatchMenuDrawItem(DrawOf(menu.Handle(), 0, surface.dc(), RECT{0, 0, 100, 8}, false)));
    const COLORREF menuColor = GetSysColor(COLOR_MENU);
    EXPECT_EQ(surface.CountOtherThan(RECT{0, 0, 100, 2}, menuColor), 0);
    EXPECT_GT(surface.CountOtherThan(RECT{10, 2, 90, 6}, menuColor), 50);
    EXPECT_EQ(surface.CountOtherThan(RECT{0, 6, 100, 8}, menuColor), 0);
}

TEST_F(MenuTest, ShownOwnerDrawPopupIsMeasuredAndDrawn) {
    PopupMenu& menu = *new PopupMenu(&owner);
    menu.SetOwnerDraw(true);
    MenuItem& first = AddItem(menu.Items(), L"First", &owner);
    MenuItem& line = AddItem(menu.Items(), L"-", &owner);
    MenuItem& last = AddItem(menu.Items(), L"Last", &owner);
    std::set<MenuItem*> measured;
    std::set<MenuItem*> drawn;
    bool firstDrawnSelected = false;
    for (MenuItem* item : {&first, &line, &last}) {
        item->OnMeasureItem = [&](MenuItem& sender, Canvas&, int& width, int& height) {
            measured.insert(&sender);
            width = 120;
            height = sender.IsLine() ? 6 : 22;
        };
        item->OnDrawItem = [&](MenuItem& sender, Canvas& canvas, const RECT& rect, bool selected) {
            drawn.insert(&sender);
            firstDrawnSelected |= &sender == &first && selected;
            EXPECT_GE(rect.right - rect.left, 120);
            canvas.brushColor = selected ? clRed : clWhite;
            canvas.FillRect(rect);
        };
    }

    bool keySent = false;
    MenuDriver driver([&] {
        const HWND window = VisibleMenuWindow();
        if (window == nullptr || drawn.size() < 3) {
            return false;
        }
        if (!keySent) {
            PostKey(window, VK_DOWN);
            keySent = true;
            return false;
        }
        if (!firstDrawnSelected) {
            return false;
        }
        EndMenu();
        return true;
    });
    menu.Popup(100, 100);

    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(measured, (std::set<MenuItem*>{&first, &line, &last}));
    EXPECT_EQ(drawn, (std::set<MenuItem*>{&first, &line, &last}));
    EXPECT_TRUE(firstDrawnSelected);
    EXPECT_EQ(VisibleMenuWindow(), nullptr);
}

TEST_F(MenuTest, ChoosingAnItemRunsItsClickBeforePopupReturns) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& hidden = AddItem(menu.Items(), L"h", &owner);
    hidden.SetVisible(false);
    MenuItem& exit = AddItem(menu.Items(), L"退出系统", &owner);
    int hiddenClicks = 0;
    int exitClicks = 0;
    int popups = 0;
    bool menuOpenAtPopupEvent = true;
    hidden.OnClick = [&](MenuItem&) { ++hiddenClicks; };
    exit.OnClick = [&](MenuItem& sender) {
        EXPECT_EQ(&sender, &exit);
        ++exitClicks;
    };
    menu.OnPopup = [&](PopupMenu& sender) {
        EXPECT_EQ(&sender, &menu);
        ++popups;
        menuOpenAtPopupEvent = VisibleMenuWindow() != nullptr;
    };

    // The hidden first item is not in the menu: one step down is the exit.
    MenuDriver driver([&] {
        const HWND window = VisibleMenuWindow();
        if (window == nullptr) {
            return false;
        }
        PostKey(window, VK_DOWN);
        PostKey(window, VK_RETURN);
        return true;
    });
    menu.Popup(50, 50);

    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(menuOpenAtPopupEvent);
    EXPECT_EQ(exitClicks, 1);
    EXPECT_EQ(hiddenClicks, 0);
}

// A quit request made by the chosen item must reach the message loop, even
// where the system hands it out to the popup's own collecting of the command.
TEST_F(MenuTest, AQuitAskedByTheChosenItemStaysForTheLoop) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& quit = AddItem(menu.Items(), L"Quit", &owner);
    quit.OnClick = [](MenuItem&) { PostQuitMessage(7); };
    MenuDriver driver([&] {
        const HWND window = VisibleMenuWindow();
        if (window == nullptr) {
            return false;
        }
        PostKey(window, VK_DOWN);
        PostKey(window, VK_RETURN);
        return true;
    });
    menu.Popup(50, 50);
    ASSERT_FALSE(driver.TimedOut());

    // Everything posted before it goes first; the quit is taken out again.
    std::optional<WPARAM> quitCode;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitCode = message.wParam;
        } else {
            DispatchMessageW(&message);
        }
    }
    ASSERT_TRUE(quitCode.has_value());
    EXPECT_EQ(*quitCode, 7u);
}

TEST_F(MenuTest, OpeningASubmenuLetsItsItemFillIt) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& recent = AddItem(menu.Items(), L"Recent", &owner);
    AddItem(recent, L"(none)", &owner);
    int fills = 0;
    recent.OnClick = [&](MenuItem& sender) {
        ++fills;
        AddItem(sender, L"a.txt", &owner);
    };
    int submenuEntries = -1;
    bool opened = false;
    MenuDriver driver([&] {
        const HWND window = VisibleMenuWindow();
        if (window == nullptr) {
            return false;
        }
        if (!opened) {
            PostKey(window, VK_DOWN);
            PostKey(window, VK_RIGHT);
            opened = true;
            return false;
        }
        if (VisibleMenuWindowCount() < 2) {
            return false;
        }
        submenuEntries = GetMenuItemCount(recent.Handle());
        EndMenu();
        return true;
    });
    menu.Popup(60, 60);

    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(submenuEntries, 2);
    EXPECT_EQ(recent.Count(), 2);
}

TEST_F(MenuTest, AnExceptionFromAChosenItemGoesToTheApplication) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& failing = AddItem(menu.Items(), L"Fail", &owner);
    failing.OnClick = [](MenuItem&) { throw Error(L"menu handler failed"); };
    std::wstring reported;
    App().OnException = [&](const std::wstring& text) { reported = text; };

    MenuDriver driver([&] {
        const HWND window = VisibleMenuWindow();
        if (window == nullptr) {
            return false;
        }
        PostKey(window, VK_DOWN);
        PostKey(window, VK_RETURN);
        return true;
    });
    EXPECT_NO_THROW(menu.Popup(70, 70));
    App().OnException = nullptr;

    EXPECT_FALSE(driver.TimedOut());
    EXPECT_NE(reported.find(L"menu handler failed"), std::wstring::npos);
}

TEST_F(MenuTest, MainMenuIsTheFormsMenuBar) {
    Form& form = *new Form(&owner);
    MainMenu& menu = *new MainMenu(&form);
    MenuItem& file = AddItem(menu.Items(), L"&File", &form);
    MenuItem& exit = AddItem(file, L"E&xit", &form);
    int clicks = 0;
    exit.OnClick = [&](MenuItem&) { ++clicks; };
    int changes = 0;
    const MessageHandler previous = form.WindowProc;
    form.WindowProc = [&](Message& message) {
        changes += message.msg == CM_MENUCHANGED ? 1 : 0;
        previous(message);
    };

    form.SetMenu(&menu);
    const HWND window = form.Handle();
    EXPECT_EQ(GetMenu(window), menu.Handle());
    EXPECT_EQ(GetSubMenu(GetMenu(window), 0), file.Handle());

    SendMessageW(window, WM_COMMAND, MAKEWPARAM(exit.Command(), 0), 0);
    EXPECT_EQ(clicks, 1);

    int before = changes;
    AddItem(menu.Items(), L"&Edit", &form);
    EXPECT_GT(changes, before);
    EXPECT_EQ(GetMenu(window), menu.Handle());
    EXPECT_EQ(GetMenuItemCount(GetMenu(window)), 2);
    before = changes;
    exit.SetCaption(L"&Quit");
    EXPECT_GT(changes, before);
    EXPECT_EQ(NativeEntries(file.Handle()).at(0).text, L"&Quit");

    // A menu that is not the form's does not disturb it.
    MainMenu& spare = *new MainMenu(&form);
    const int beforeSpare = changes;
    spare.Handle();
    AddItem(spare.Items(), L"Spare", &form);
    EXPECT_EQ(changes, beforeSpare);

    delete &menu;
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
    form.WindowProc = previous;
}

TEST_F(MenuTest, FreeingAFormFreesTheMenuItShows) {
    auto* form = new Form(&owner);
    auto* menu = new MainMenu(form);
    MenuItem& file = AddItem(menu->Items(), L"&File", form);
    MenuItem& exit = AddItem(file, L"E&xit", form);
    const WORD exitCommand = exit.Command();
    Ref<MenuItem> exitRef(&exit);
    form->SetMenu(menu);
    const HWND window = form->Handle();
    const HMENU bar = menu->Handle();
    const HMENU drop = file.Handle();
    ASSERT_EQ(GetMenu(window), bar);

    delete form;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(exitRef);
    EXPECT_FALSE(DispatchMenuCommand(exitCommand));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(drop));
}

TEST_F(MenuTest, InsertingKeepsTheTreeATree) {
    PopupMenu& menu = *new PopupMenu(&owner);
    PopupMenu& other = *new PopupMenu(&owner);
    MenuItem& a = AddItem(menu.Items(), L"A", &owner);
    MenuItem& b = AddItem(a, L"B", &owner);
    EXPECT_THROW(other.Items().Add(&a), std::invalid_argument);  // already has a parent
    EXPECT_THROW(b.Add(&a), std::invalid_argument);              // would hang below itself
    EXPECT_THROW(a.Add(&a), std::invalid_argument);
    EXPECT_THROW(a.Add(&other.Items()), std::invalid_argument);  // another menu's root
    EXPECT_THROW(a.Insert(5, new MenuItem(&owner)), std::out_of_range);
    EXPECT_THROW(menu.Items().Remove(&b), std::invalid_argument);
    EXPECT_THROW(a.Items(1), std::out_of_range);
    EXPECT_EQ(&a.Items(0), &b);
}

TEST_F(MenuTest, OrderFindAndIndex) {
    PopupMenu& menu = *new PopupMenu(&owner);
    MenuItem& root = menu.Items();
    MenuItem& open = AddItem(root, L"&Open", &owner);
    MenuItem& save = AddItem(root, L"Save && Close", &owner);
    MenuItem& exit = AddItem(root, L"E&xit", &owner);
    const HMENU handle = menu.Handle();

    EXPECT_EQ(root.Find(L"open"), &open);
    EXPECT_EQ(root.Find(L"EXIT"), &exit);
    EXPECT_EQ(root.Find(L"save && close"), &save);
    EXPECT_EQ(root.Find(L"&Open"), &open);
    EXPECT_EQ(root.Find(L"Close"), nullptr);
    EXPECT_EQ(root.IndexOf(&exit), 2);
    EXPECT_EQ(root.IndexOf(&menu.Items()), -1);

    exit.SetMenuIndex(0);
    EXPECT_EQ(exit.MenuIndex(), 0);
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{exit.Command(), open.Command(), save.Command()}));
    open.SetMenuIndex(99);
    EXPECT_EQ(NativeIds(handle), (std::vector<UINT>{exit.Command(), save.Command(), open.Command()}));
    EXPECT_EQ((new MenuItem(&owner))->MenuIndex(), -1);
}

TEST(ShortCutText, NamesModifiersAndKeys) {
    struct Case {
        WORD shortCut;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L""},
        {MakeShortCut('S', ssCtrl), L"Ctrl+S"},
        {MakeShortCut(VK_F5, 0), L"F5"},
        {MakeShortCut(VK_F12, ssShift), L"Shift+F12"},
        {MakeShortCut(VK_DELETE, ssShift), L"Shift+Del"},
        {MakeShortCut(VK_RETURN, ssCtrl | ssAlt), L"Ctrl+Alt+Enter"},
        {MakeShortCut('7', ssShift | ssCtrl | ssAlt), L"Shift+Ctrl+Alt+7"},
        {MakeShortCut(VK_NUMPAD3, 0), L"Num 3"},
        {MakeShortCut(VK_PRIOR, 0), L"PgUp"},
        {MakeShortCut(VK_LWIN, ssCtrl), L""},  // a key without a name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToText(c.shortCut), c.text) << std::hex << c.shortCut;
    }
    EXPECT_EQ(MakeShortCut('A', ssCtrl | ssDouble | ssLeft), WORD('A' | scCtrl));
}

TEST(ShortCutText, AcceleratorMarks) {
    struct Case {
        wchar_t key;
        const wchar_t* caption;
        bool accel;
    };
    const Case cases[] = {
        {L'f', L"&File", true},    {L'F', L"&file", true},  {L'i', L"&File", false},
        {L'x', L"E&xit", true},    {L'c', L"A && c", false}, {L'c', L"A && &c", true},
        {L'a', L"Trailing&", false}, {L'信', L"&信息", true}, {L'f', L"File", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsAccel(c.key, c.caption), c.accel) << WideToUtf8(c.caption);
    }
}

} // namespace
