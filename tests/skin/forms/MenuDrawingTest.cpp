// How skinned menu items and popup faces look, read back by pixel with a test
// skin whose menu pictures are solid distinct colours.

#include "tests/skin/forms/MenuFixture.h"

#include "skin/forms/MenuItemDrawing.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinPopMenu.h"
#include "skin/manager/SkinManage.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Menus.h"

#include <commctrl.h>

namespace {

using namespace menutest;
using formtest::RgbOf;
using skin::MenuGlyphs;
using skin::MenuItemLook;

constexpr int kWidth = 160;
constexpr int kHeight = 20;

COLORREF Pixel(const ui::Bitmap& bitmap, int x, int y) { return ui::ColorToRgb(bitmap.PixelAt(x, y)); }

int CountColour(const ui::Bitmap& bitmap, const RECT& area, COLORREF colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += Pixel(bitmap, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

MenuItemLook Look(std::wstring caption) {
    MenuItemLook look;
    look.caption = std::move(caption);
    return look;
}

ui::Bitmap Drawn(const skin::TSkinData* data, const MenuItemLook& look, bool selected, int height = kHeight,
                 const MenuGlyphs& glyphs = {}) {
    ui::Bitmap picture(kWidth, height);
    picture.Fill(ui::clWhite);
    skin::DrawSkinnedMenuItem(data, look, glyphs, picture.GetCanvas(), RECT{0, 0, kWidth, height}, selected);
    GdiFlush();
    return picture;
}

class MenuDrawing : public ::testing::Test {
protected:
    std::unique_ptr<skintest::SkinUnderTest> skin = LoadMenuSkin();
    const skin::TSkinData* data = skin->data.get();
};

TEST_F(MenuDrawing, SelectedAndNormalItemsTakeTheirCells) {
    const ui::Bitmap normal = Drawn(data, Look(L"Open"), false);
    const ui::Bitmap selected = Drawn(data, Look(L"Open"), true);
    EXPECT_EQ(Pixel(normal, kWidth - 3, 2), RgbOf(kItemCells[0]));
    EXPECT_EQ(Pixel(selected, kWidth - 3, 2), RgbOf(kItemCells[3]));
    EXPECT_EQ(Pixel(normal, 0, kHeight - 1), RgbOf(kItemCells[0]));
}

TEST_F(MenuDrawing, SeparatorIsCellTwoOverTheMenuColour) {
    const ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    EXPECT_EQ(skin::MeasureMenuText(data, dc.get(), L"").cy, 8);
    EXPECT_GT(skin::MeasureMenuText(data, dc.get(), L"Open").cy, 8);
    const ui::Bitmap separator = Drawn(data, Look(L"-"), false, 8);
    EXPECT_EQ(Pixel(separator, kWidth / 2, 4), RgbOf(kItemCells[1]));
    EXPECT_EQ(Pixel(separator, 0, 0), RgbOf(kItemCells[1]));
    EXPECT_EQ(Pixel(separator, kWidth - 1, 7), RgbOf(kItemCells[1]));
}

TEST_F(MenuDrawing, SeparatorWithTransparentCellShowsTheMenuColour) {
    auto pieces = MenuSkinPieces();
    // Cell 2 magenta above its bottom two rows.
    pieces.pictures["menuitem.bmp"] = skintest::Bmp24(kCellWidth * 5, kCellHeight, [](int x, int y) {
        const int cell = std::min(x / kCellWidth, 4);
        return cell == 1 && y < kCellHeight - 2 ? skintest::kMagenta : kItemCells[cell];
    });
    auto transparent = formtest::LoadFrameSkin(pieces);
    const ui::Bitmap separator = Drawn(transparent->data.get(), Look(L"-"), false, 8);
    // From the cell's bottom: rows 0..5 are key colour, rows 6..7 the cell.
    EXPECT_EQ(Pixel(separator, kWidth / 2, 2), RgbOf(kMenuColour));
    EXPECT_EQ(Pixel(separator, kWidth / 2, 7), RgbOf(kItemCells[1]));
}

TEST_F(MenuDrawing, CheckedItemWithoutImageShowsTheSystemCheckMark) {
    MenuItemLook look = Look(L"Open");
    const RECT glyphBox{1, 1, 17, 19};
    const COLORREF mark = GetSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(CountColour(Drawn(data, look, false), glyphBox, mark), 0);
    look.checked = true;
    EXPECT_GT(CountColour(Drawn(data, look, false), glyphBox, mark), 5);
}

TEST_F(MenuDrawing, CheckedItemWithImageSitsOnASunkenPatternedSquare) {
    const ui::UniqueImageList images(ImageList_Create(12, 12, ILC_COLOR24, 1, 1));
    ui::Bitmap red(12, 12);
    red.Fill(RGB(220, 0, 0));
    ImageList_Add(images.get(), red.Handle(), nullptr);
    const MenuGlyphs glyphs{nullptr, images.get()};
    MenuItemLook look = Look(L"Open");
    look.imageIndex = 0;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // The square (16 x 16, centred) beside the 12 x 12 image.
    const RECT beside{14, 4, 16, 16};
    const ui::Bitmap plain = Drawn(data, look, false, kHeight, glyphs);
    EXPECT_EQ(CountColour(plain, beside, face) + CountColour(plain, beside, light), 0);
    EXPECT_GT(CountColour(plain, RECT{1, 1, 14, 19}, RGB(220, 0, 0)), 100);
    look.checked = true;
    const ui::Bitmap checked = Drawn(data, look, false, kHeight, glyphs);
    EXPECT_GT(CountColour(checked, beside, face) + CountColour(checked, beside, light), 10);
    EXPECT_GT(CountColour(checked, RECT{1, 1, 14, 19}, RGB(220, 0, 0)), 100);
}

TEST_F(MenuDrawing, TextColourFollowsTheItemsState) {
    const RECT text{20, 0, kWidth, kHeight};
    MenuItemLook look = Look(L"MMMMWWWW");
    const ui::Bitmap enabled = Drawn(data, look, false);
    EXPECT_GT(CountColour(enabled, text, RgbOf(kMenuText)), 10);
    EXPECT_EQ(CountColour(enabled, text, RgbOf(kShadow)), 0);
    const ui::Bitmap selected = Drawn(data, look, true);
    EXPECT_GT(CountColour(selected, text, RgbOf(kHilightText)), 10);
    look.enabled = false;
    const ui::Bitmap disabled = Drawn(data, look, false);
    EXPECT_GT(CountColour(disabled, text, RgbOf(kShadow)), 10);
    EXPECT_EQ(CountColour(disabled, text, RgbOf(kMenuText)), 0);
    // A shadow colour equal to the text colour falls back to the system's.
    skin->data->Colours[skin::scButtonShadow] = skin->data->Colours[skin::scMenuText];
    const ui::Bitmap fallback = Drawn(data, look, false);
    EXPECT_GT(CountColour(fallback, text, GetSysColor(COLOR_BTNSHADOW)), 10);
}

TEST_F(MenuDrawing, WithoutAMenuItemPictureItemsDrawPlain) {
    auto plain = LoadMenuSkin({.menuItem = false});
    const ui::Bitmap normal = Drawn(plain->data.get(), Look(L"Open"), false);
    const ui::Bitmap selected = Drawn(plain->data.get(), Look(L"Open"), true);
    EXPECT_EQ(Pixel(normal, kWidth - 3, 2), RgbOf(kMenuColour));
    EXPECT_EQ(Pixel(selected, kWidth - 3, 2), RGB(1, 2, 3));
}

TEST_F(MenuDrawing, RightToLeftItemsAreMirrored) {
    MenuItemLook look = Look(L"Open");
    look.checked = true;
    const COLORREF mark = GetSysColor(COLOR_BTNTEXT);
    look.rightToLeft = true;
    const ui::Bitmap mirrored = Drawn(data, look, false);
    EXPECT_EQ(CountColour(mirrored, RECT{1, 1, 17, 19}, mark), 0);
    EXPECT_GT(CountColour(mirrored, RECT{kWidth - 17, 1, kWidth - 1, 19}, mark), 5);
}

// --- popup faces, on real popup menus ---------------------------------------

// A manager that is on (popup painters act only then), without a hook: the
// test attaches the popup painter itself.
struct ActiveManager {
    skin::TSkinManage* manager = nullptr;
    ActiveManager() {
        skin::DestroySkinManager();
        skin::InstallSkinManage();
        manager = dynamic_cast<skin::TSkinManage*>(skin::EnsureSkinManager());
        if (manager != nullptr) {
            manager->SetActive(true);
        }
    }
    ~ActiveManager() {
        skin::DestroySkinManager();
        skin::SetSkinManagerFactory({});
    }
    ActiveManager(const ActiveManager&) = delete;
    ActiveManager& operator=(const ActiveManager&) = delete;
};

struct FaceReading {
    COLORREF corner = 0;
    COLORREF item = 0;
    bool learnt = false;
    bool faceBuilt = false;
    COLORREF surfaceCorner = 0;
    int ticks = 0;
};

// Opens a two-item popup of a skinned form's hooked popup menu, attaches a
// popup painter to its window, repaints it and reads the screen.
FaceReading ReadPopupFace(skin::TSkinData& data) {
    ActiveManager active;
    EXPECT_NE(active.manager, nullptr);
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(data);
    auto& popup = f.form->Create<ui::PopupMenu>();
    auto& open = f.form->Create<ui::MenuItem>();
    open.SetCaption(L"Open");
    auto& quit = f.form->Create<ui::MenuItem>();
    quit.SetCaption(L"Quit");
    popup.Items().Add(&open);
    popup.Items().Add(&quit);
    f.painter->HookFormMenus(true);
    EXPECT_TRUE(popup.OwnerDraw());

    FaceReading reading;
    skin::TWinSkinPopMenu painter;
    HWND window = nullptr;
    MenuScript script({[&] {
                           const std::vector<HWND> windows = VisibleMenuWindows();
                           if (windows.empty()) {
                               return false;
                           }
                           window = windows.front();
                           painter.Attach(window, data, nullptr);
                           RedrawWindow(window, nullptr, nullptr,
                                        RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                           return true;
                       },
                       // A few ticks for the window system to put the paint on the screen.
                       [&ticks = reading.ticks] { return ++ticks >= 4; },
                       [&] {
                           GdiFlush();
                           {
                               const ui::WindowDc dc(window, ui::WindowDc::Area::Window);
                               reading.surfaceCorner = GetPixel(dc.get(), 1, 1);
                           }
                           RECT r{};
                           GetWindowRect(window, &r);
                           reading.corner = formtest::ScreenPixel(r.left + 1, r.top + 1);
                           reading.item = formtest::ScreenPixel(r.right - 8, r.top + 6);
                           reading.learnt = painter.Menu() == popup.Handle();
                           reading.faceBuilt = !painter.Background().Empty();
                           EndMenu();
                           return true;
                       }});
    popup.Popup(300, 300);
    EXPECT_TRUE(script.Run());
    return reading;
}

TEST(PopupFace, WithAMenuBackgroundTheWholeFaceComesFromThePicture) {
    auto skin = LoadMenuSkin();
    const FaceReading reading = ReadPopupFace(*skin->data);
    EXPECT_EQ(reading.surfaceCorner, RgbOf(kMenuFace));
    EXPECT_EQ(reading.corner, RgbOf(kMenuFace));
    EXPECT_EQ(reading.item, RgbOf(kItemCells[0]));
    EXPECT_TRUE(reading.learnt);
    EXPECT_TRUE(reading.faceBuilt);
}

TEST(PopupFace, WithoutAMenuBackgroundThePopupKeepsTheSystemLook) {
    auto skin = LoadMenuSkin({.menuBackground = false});
    const FaceReading reading = ReadPopupFace(*skin->data);
    EXPECT_NE(reading.corner, RgbOf(kMenuFace));
    EXPECT_FALSE(reading.faceBuilt);
    // The items are still skinned.
    EXPECT_EQ(reading.item, RgbOf(kItemCells[0]));
}

TEST(PopupFace, PrintPaintsTheFaceAndClipsTheSystemsPrintToTheInside) {
    auto skin = LoadMenuSkin();
    ActiveManager active;
    const HWND popup = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(popup, nullptr);
    skin::TWinSkinPopMenu painter;
    painter.Attach(popup, *skin->data, nullptr);
    ui::Bitmap printed(80, 60);
    printed.Fill(ui::clWhite);
    SendMessageW(popup, WM_PRINT, WPARAM(printed.GetCanvas().Handle()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    EXPECT_EQ(Pixel(printed, 1, 1), RgbOf(kMenuFace));
    EXPECT_EQ(Pixel(printed, 78, 58), RgbOf(kMenuFace));
    EXPECT_EQ(painter.Background().Width(), 80);
    DestroyWindow(popup);
    EXPECT_FALSE(painter.Attached());
    EXPECT_TRUE(painter.Background().Empty());
}

// --- hooks on the form's toolkit menus --------------------------------------

int MeasuredWidth(ui::MenuItem& item) {
    const ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ui::Canvas canvas(dc.get());
    int width = 0;
    int height = 0;
    item.MeasureItem(canvas, width, height);
    return width;
}

// The width the toolkit gives an unhooked popup item with this caption.
int ToolkitWidth(const std::wstring& caption) {
    ui::PopupMenu menu(nullptr);
    auto* item = new ui::MenuItem(&menu);
    item->SetCaption(caption);
    menu.Items().Add(item);
    return MeasuredWidth(*item);
}

TEST(MenuHooks, PopupMenusAreHookedExceptThoseWithTheDisableTag) {
    auto skin = LoadMenuSkin();
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin->data);
    auto& hooked = f.form->Create<ui::PopupMenu>();
    auto& item = f.form->Create<ui::MenuItem>();
    item.SetCaption(L"Open");
    auto& sub = f.form->Create<ui::MenuItem>();
    sub.SetCaption(L"Deeper");
    item.Add(&sub);
    hooked.Items().Add(&item);
    auto& kept = f.form->Create<ui::PopupMenu>();
    kept.tag = skin->data->DisableTag;
    auto& keptItem = f.form->Create<ui::MenuItem>();
    keptItem.SetCaption(L"Kept");
    kept.Items().Add(&keptItem);
    bool ownMeasure = false;
    keptItem.OnMeasureItem = [&ownMeasure](ui::MenuItem&, ui::Canvas&, int&, int&) { ownMeasure = true; };

    f.painter->HookFormMenus(true);
    EXPECT_TRUE(hooked.OwnerDraw());
    EXPECT_TRUE(item.OnDrawItem && item.OnMeasureItem);
    EXPECT_TRUE(sub.OnDrawItem && sub.OnMeasureItem);
    EXPECT_FALSE(kept.OwnerDraw());
    EXPECT_FALSE(keptItem.OnDrawItem);

    // The popup measure: the toolkit's width + 35 without an image list.
    EXPECT_EQ(MeasuredWidth(item), ToolkitWidth(L"Open") + 35);

    f.painter->Detach();
    EXPECT_FALSE(hooked.OwnerDraw());
    EXPECT_FALSE(item.OnDrawItem);
    EXPECT_FALSE(sub.OnMeasureItem);
}

TEST(MenuHooks, HookMenuItemTakesTheItemAndAllBelowWhateverTheyHad) {
    auto skin = LoadMenuSkin();
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin->data);
    auto& menu = f.form->Create<ui::PopupMenu>();
    auto& top = f.form->Create<ui::MenuItem>();
    top.SetCaption(L"Top");
    auto& below = f.form->Create<ui::MenuItem>();
    below.SetCaption(L"Below");
    top.Add(&below);
    menu.Items().Add(&top);
    bool ownDraw = false;
    below.OnDrawItem = [&ownDraw](ui::MenuItem&, ui::Canvas&, const RECT&, bool) { ownDraw = true; };
    f.painter->HookMenuItem(top);
    ui::Bitmap picture(kWidth, kHeight);
    below.DrawItem(picture.GetCanvas(), RECT{0, 0, kWidth, kHeight}, false);
    GdiFlush();
    EXPECT_FALSE(ownDraw);
    EXPECT_EQ(Pixel(picture, kWidth - 3, 2), RgbOf(kItemCells[0]));

    // The main measure: the toolkit's width + 10 + 25 without an image list.
    EXPECT_EQ(MeasuredWidth(below), ToolkitWidth(L"Below") + 35);

    // The painter gone, the items draw plainly instead of touching it.
    formtest::SkinnedForm other = formtest::MakeSkinnedForm(*skin->data);
    other.painter->HookMenuItem(top);
    delete other.painter;
    below.DrawItem(picture.GetCanvas(), RECT{0, 0, kWidth, kHeight}, false);
    GdiFlush();
    EXPECT_EQ(Pixel(picture, kWidth - 3, 2), GetSysColor(COLOR_MENU));
}

TEST(MenuHooks, DropDownItemsOfTheBarAreDrawnSkinned) {
    auto skin = LoadMenuSkin();
    MenuWindow w(*skin->data);
    // A bare item: measured from its text, drawn from the native menu.
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = 4101;
    MenuScript script({WaitOpen(w.menus.file), [&] {
                           // Measured while File's drop-down is the open one.
                           SendMessageW(w.Handle(), WM_MEASUREITEM, 0, LPARAM(&measure));
                           EndMenu();
                           return true;
                       }});
    SendMessageW(w.Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f');
    EXPECT_TRUE(script.Run());
    EXPECT_GT(measure.itemWidth, 26u);
    EXPECT_GT(measure.itemHeight, 8u);
    // The drop-down's entries became owner-drawn.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(w.menus.file, 0, TRUE, &info));
    EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);

    ui::Bitmap picture(kWidth, kHeight);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = 4101;
    draw.hwndItem = reinterpret_cast<HWND>(w.menus.file);
    draw.hDC = picture.GetCanvas().Handle();
    draw.rcItem = RECT{0, 0, kWidth, kHeight};
    draw.itemState = ODS_SELECTED;
    EXPECT_EQ(SendMessageW(w.Handle(), WM_DRAWITEM, 0, LPARAM(&draw)), TRUE);
    GdiFlush();
    EXPECT_EQ(Pixel(picture, kWidth - 3, 2), RgbOf(kItemCells[3]));
    // Not a menu: passed on.
    draw.CtlType = ODT_BUTTON;
    EXPECT_EQ(SendMessageW(w.Handle(), WM_DRAWITEM, 0, LPARAM(&draw)), FALSE);
}

} // namespace
