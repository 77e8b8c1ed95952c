#include "skin/forms/MenuItemDrawing.h"

#include "skin/data/SkinData.h"
#include "skin/data/StripDrawing.h"
#include "skin/data/SystemRoutines.h"
#include "skin/forms/WinSkinPopMenu.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/png/PngImageList.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {
namespace {

constexpr int kItemCells = 5;
constexpr int kSelectedCell = 4;
constexpr int kNormalCell = 1;
constexpr int kSeparatorCell = 2;
// The popup's face includes the window's 3-pixel border; item rectangles
// are relative to the inside of it.
constexpr int kPopupBorder = 3;
constexpr int kDefaultGlyph = 16;
constexpr int kShortCutRightGap = 11;
// The system check-mark bitmap (OBM_CHECK, an OEM resource).
constexpr WORD kCheckMarkBitmap = 32760;

constexpr UINT kMeasureText = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT kDrawText = DT_EXPANDTABS | DT_SINGLELINE;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

COLORREF TableColour(const TSkinData* skinData, SkinColourIndex index, int systemColour) {
    return skinData != nullptr ? ui::ColorToRgb(skinData->Colours[index]) : GetSysColor(systemColour);
}

const TDataSkinObject* ItemObject(const TSkinData* skinData) {
    return skinData != nullptr && skinData->MenuItem && !skinData->MenuItem->Empty() ? skinData->MenuItem.get()
                                                                                     : nullptr;
}

int ItemMargin(const TSkinData* skinData) {
    return skinData != nullptr && skinData->MenuItem ? int(skinData->MenuItem->Margins.left) : 0;
}

// The toolkit's checked-glyph background: button face and highlight pixels
// alternating.
ui::UniqueBrush PatternBrush() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    ui::Bitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const COLORREF c = ((x + y) & 1) != 0 ? light : face;
            uint8_t* p = pattern.ScanLine(y) + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return ui::UniqueBrush(CreatePatternBrush(pattern.Handle()));
}

// The system check mark, its set pixels in `colour`, centred at (x, y).
void DrawCheckMark(HDC dc, int centreX, int centreY, COLORREF colour) {
    const ui::UniqueBitmap mark(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckMarkBitmap)));
    BITMAP info{};
    if (!mark || GetObjectW(mark.get(), sizeof(info), &info) == 0) {
        return;
    }
    const ui::UniqueMemoryDc source(CreateCompatibleDC(dc));
    const ui::SelectObjectScope select(source.get(), mark.get());
    const int x = centreX - info.bmWidth / 2;
    const int y = centreY - info.bmHeight / 2;
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    // The mark's pixels are 0: first blacken them, then paint them in colour.
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCAND);
    SetTextColor(dc, colour);
    SetBkColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCPAINT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

COLORREF TextColour(const TSkinData* skinData, const MenuItemLook& look, bool selected) {
    if (look.enabled) {
        return selected ? TableColour(skinData, scHilightText, COLOR_HIGHLIGHTTEXT)
                        : TableColour(skinData, scMenuText, COLOR_MENUTEXT);
    }
    const COLORREF shadow = TableColour(skinData, scButtonShadow, COLOR_BTNSHADOW);
    return shadow != TableColour(skinData, scMenuText, COLOR_MENUTEXT) ? shadow : GetSysColor(COLOR_BTNSHADOW);
}

// An empty text or a lone "&" measures as a space.
std::wstring MeasurableText(const std::wstring& text) {
    return text.empty() || text == L"&" ? text + L" " : text;
}

// Splits "caption\tshortcut" as the system's own items carry it.
void SplitCaption(const MenuItemLook& look, std::wstring& caption, std::wstring& shortCut) {
    const size_t tab = look.caption.find(L'\t');
    caption = look.caption.substr(0, tab);
    shortCut = look.shortCut;
    if (tab != std::wstring::npos && shortCut.empty()) {
        shortCut = look.caption.substr(tab + 1);
    }
}

// Glyph box, check mark or image, caption and shortcut, within r of dc.
void DrawItemContent(const TSkinData* skinData, const MenuItemLook& look, const MenuGlyphs& glyphs, HDC dc,
                     const RECT& r, bool selected) {
    const ui::SavedDcState saved(dc);
    int g = glyphs.Present() ? glyphs.Width() : kDefaultGlyph;
    if (look.checked) {
        g = std::max(g, kDefaultGlyph);
    }
    const int margin = ItemObject(skinData) != nullptr ? ItemMargin(skinData) : 0;
    RECT glyph{r.left + 1 + margin, r.top + 1, r.left + 1 + margin + g, r.top + 1 + g};
    if (look.IsLine()) {
        glyph.right = glyph.left;
    }
    // Right to left: the same layout mirrored inside r.
    auto mirror = [&r, &look](RECT box) {
        if (look.rightToLeft) {
            const int left = r.left + (r.right - box.right);
            box.right = left + (box.right - box.left);
            box.left = left;
        }
        return box;
    };

    const bool hasImage = glyphs.Present() && look.imageIndex >= 0 && look.imageIndex < glyphs.Count();
    if (hasImage && !look.IsLine()) {
        RECT box = glyph;
        if (look.checked) {
            box.top = r.top + (Height(r) - kDefaultGlyph) / 2;
            box.bottom = box.top + kDefaultGlyph;
            box = mirror(box);
            const ui::UniqueBrush pattern = PatternBrush();
            FillRect(dc, &box, pattern.get());
            DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
        } else {
            box.top = r.top + (Height(r) - glyphs.Height()) / 2;
            box = mirror(box);
        }
        glyphs.Draw(dc, box.left, box.top, look.imageIndex, look.enabled);
    } else if (look.checked && !look.IsLine()) {
        const RECT box = mirror(glyph);
        DrawCheckMark(dc, (box.left + box.right) / 2 + 1, (r.top + r.bottom) / 2 + 1, GetSysColor(COLOR_BTNTEXT));
    }

    std::wstring caption;
    std::wstring shortCut;
    SplitCaption(look, caption, shortCut);
    RECT textBox{glyph.right + 3, r.top, r.right - 1, r.bottom};
    HFONT font = ui::Screen::MenuFontHandle();
    ui::UniqueFont bold;
    if (look.isDefault) {
        ui::Font boldFont = ui::Screen::MenuFont();
        boldFont.bold = true;
        bold = boldFont.Create();
        font = bold.get();
    }
    const ui::SelectObjectScope selectFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (caption == L"-") {
        RECT line = mirror(textBox);
        OffsetRect(&line, 0, 4);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    SetTextColor(dc, TextColour(skinData, look, selected));
    RECT measured{0, 0, Width(textBox), 0};
    DrawTextWide(dc, MeasurableText(caption), measured, kMeasureText);
    RECT text{textBox.left, r.top + (Height(r) - Height(measured)) / 2, textBox.right, 0};
    text.bottom = text.top + Height(measured);
    const UINT align = look.rightToLeft ? (DT_RIGHT | DT_RTLREADING) : DT_LEFT;
    RECT shown = mirror(text);
    DrawTextWide(dc, caption, shown, kDrawText | align);
    if (!shortCut.empty()) {
        RECT box{textBox.left + Width(measured), text.top, r.right - kShortCutRightGap, text.bottom};
        box = mirror(box);
        DrawTextWide(dc, shortCut, box, kDrawText | (look.rightToLeft ? DT_LEFT : DT_RIGHT));
    }
}

// Cell 2 of the MenuItem strip as a three-part bar over r of dc, its key
// colour left out; rows from the bottom of a cell taller than r.
void DrawSeparatorPicture(HDC dc, const RECT& r, const TDataSkinObject& object) {
    const StripCell cell = CellOfStrip(object.Bitmap, false, kItemCells, kSeparatorCell);
    const int width = Width(r);
    const int height = Height(r);
    if (cell.Empty() || width <= 0 || height <= 0) {
        return;
    }
    const int rows = std::min(cell.height, height);
    const int top = cell.y + cell.height - rows;
    const int left = std::clamp(int(object.Margins.left), 0, cell.width);
    const int right = std::clamp(int(object.Margins.right), 0, cell.width - left);
    ui::Bitmap bar(width, height);
    bar.Fill(kKeyColour);
    HDC target = bar.GetCanvas().Handle();
    HDC source = const_cast<ui::Bitmap&>(object.Bitmap).GetCanvas().Handle();
    SetStretchBltMode(target, COLORONCOLOR);
    const int ends = std::min(left + right, width);
    const int leftShown = std::min(left, ends);
    const int rightShown = ends - leftShown;
    StretchBlt(target, 0, 0, leftShown, height, source, cell.x, top, leftShown, rows, SRCCOPY);
    StretchBlt(target, width - rightShown, 0, rightShown, height, source, cell.x + cell.width - rightShown, top,
               rightShown, rows, SRCCOPY);
    const int middle = cell.width - left - right;
    if (middle > 0 && width - ends > 0) {
        StretchBlt(target, leftShown, 0, width - ends, height, source, cell.x + left, top, middle, rows, SRCCOPY);
    }
    GdiFlush();
    DrawTransparent(dc, r, bar);
}

// The popup's face under r, or the Menu colour.
void FillItemBackground(const TSkinData* skinData, HMENU parentMenu, ui::Bitmap& scratch, const RECT& r) {
    const TWinSkinPopMenu* painter = parentMenu != nullptr ? TWinSkinPopMenu::ShowingMenu(parentMenu) : nullptr;
    if (painter != nullptr && !painter->Background().Empty()) {
        ui::Bitmap& face = const_cast<ui::Bitmap&>(painter->Background());
        scratch.Fill(ui::Color(TableColour(skinData, scMenu, COLOR_MENU)));
        BitBlt(scratch.GetCanvas().Handle(), 0, 0, Width(r), Height(r), face.GetCanvas().Handle(),
               r.left + kPopupBorder, r.top + kPopupBorder, SRCCOPY);
        return;
    }
    scratch.Fill(ui::Color(TableColour(skinData, scMenu, COLOR_MENU)));
}

// An item composed on a scratch bitmap of rect's size, then copied to the
// canvas in one piece.
template <class Compose>
void ComposeAndCopy(ui::Canvas& canvas, const RECT& rect, Compose compose) {
    const int width = Width(rect);
    const int height = Height(rect);
    const HDC dc = canvas.Handle();
    if (width <= 0 || height <= 0 || dc == nullptr) {
        return;
    }
    ui::Bitmap scratch(width, height);
    compose(scratch, RECT{0, 0, width, height});
    GdiFlush();
    BitBlt(dc, rect.left, rect.top, width, height, scratch.GetCanvas().Handle(), 0, 0, SRCCOPY);
}

} // namespace

// ---------------------------------------------------------------- glyphs and looks

MenuGlyphs MenuGlyphs::OfMenu(const ui::MenuItem& item) {
    const ui::Menu* menu = item.GetParentMenu();
    return MenuGlyphs{menu != nullptr ? menu->Images() : nullptr, nullptr};
}

SIZE MenuGlyphs::Size() const {
    if (images != nullptr) {
        return SIZE{images->Width(), images->Height()};
    }
    int width = 0;
    int height = 0;
    return list != nullptr && ImageList_GetIconSize(list, &width, &height) ? SIZE{width, height} : SIZE{0, 0};
}

int MenuGlyphs::Count() const {
    if (images != nullptr) {
        return images->Count();
    }
    return list != nullptr ? ImageList_GetImageCount(list) : 0;
}

void MenuGlyphs::Draw(HDC dc, int x, int y, int index, bool enabled) const {
    if (images != nullptr) {
        images->Draw(dc, x, y, index, enabled);
    } else if (list != nullptr) {
        ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT | (enabled ? 0u : UINT(ILD_BLEND50)));
    }
}

MenuItemLook MenuItemLook::Of(ui::MenuItem& item) {
    MenuItemLook look;
    look.caption = item.Caption();
    look.shortCut = ui::ShortCutToText(item.ShortCut());
    look.enabled = item.Enabled();
    look.checked = item.Checked();
    look.isDefault = item.Default();
    look.imageIndex = item.ImageIndex();
    const ui::Menu* menu = item.GetParentMenu();
    look.rightToLeft = menu != nullptr && menu->IsRightToLeft();
    if (ui::MenuItem* parent = item.Parent()) {
        look.parentMenu = parent->HandleIfAllocated();
    }
    return look;
}

// ---------------------------------------------------------------- drawing

void DrawSkinnedMenuItem(const TSkinData* skinData, const MenuItemLook& look, const MenuGlyphs& glyphs,
                         ui::Canvas& canvas, const RECT& rect, bool selected) {
    const TDataSkinObject* object = ItemObject(skinData);
    if (object == nullptr) {
        DrawPlainMenuItem(skinData, look, glyphs, canvas, rect, selected);
        return;
    }
    if (look.parentMenu != nullptr) {
        TWinSkinPopMenu::LearnMenu(look.parentMenu);
    }
    ComposeAndCopy(canvas, rect, [&](ui::Bitmap& scratch, const RECT& local) {
        FillItemBackground(skinData, look.parentMenu, scratch, rect);
        HDC scratchDc = scratch.GetCanvas().Handle();
        if (!look.IsLine()) {
            DrawSkinFrame(scratchDc, local, object->Bitmap, false, object->Tile == 1, object->Trans == 1, kItemCells,
                          selected ? kSelectedCell : kNormalCell, object->Margins);
            DrawItemContent(skinData, look, glyphs, scratchDc, local, selected);
        } else {
            DrawSeparatorPicture(scratchDc, local, *object);
        }
    });
}

void DrawPlainMenuItem(const TSkinData* skinData, const MenuItemLook& look, const MenuGlyphs& glyphs,
                       ui::Canvas& canvas, const RECT& rect, bool selected) {
    ComposeAndCopy(canvas, rect, [&](ui::Bitmap& scratch, const RECT& local) {
        scratch.Fill(ui::Color(selected ? TableColour(skinData, scHilight, COLOR_HIGHLIGHT)
                                        : TableColour(skinData, scMenu, COLOR_MENU)));
        DrawItemContent(skinData, look, glyphs, scratch.GetCanvas().Handle(), local, selected);
    });
}

// ---------------------------------------------------------------- measuring

int MainMeasureExtra(const TSkinData* skinData, bool hasImages) {
    return ItemMargin(skinData) + 10 + (hasImages ? 0 : 25);
}

int PopupMeasureExtra(const TSkinData* skinData, bool hasImages) {
    return ItemMargin(skinData) + (hasImages ? 12 : 35);
}

SIZE MeasureMenuText(const TSkinData* skinData, HDC dc, const std::wstring& text) {
    if (text.empty()) {
        return SIZE{26 + ItemMargin(skinData), 8};
    }
    const ui::SelectObjectScope font(dc, ui::Screen::MenuFontHandle());
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    return SIZE{extent.cx + 26 + ItemMargin(skinData), extent.cy + 4};
}

} // namespace skin
