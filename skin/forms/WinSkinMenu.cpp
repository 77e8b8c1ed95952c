#include "skin/forms/WinSkinMenu.h"

#include "skin/data/SkinData.h"
#include "skin/data/StripDrawing.h"
#include "skin/data/SystemRoutines.h"
#include "skin/forms/FormPainterHost.h"
#include "skin/forms/WinSkinForm.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Screen.h"

#include <algorithm>

namespace skin {
namespace {

constexpr int kDefaultStart = 6;
constexpr int kNarrowBandStart = 12;
constexpr int kItemPadding = 10;
constexpr UINT kItemTextLength = 80;
constexpr UINT kMeasureCaption = DT_CENTER | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT kDrawCaption = DT_CENTER | DT_EXPANDTABS | DT_SINGLELINE;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool HasMenuBarPicture(const TSkinData& data) { return data.MenuBar && !data.MenuBar->Empty(); }

COLORREF CaptionColour(const TSkinData& data, bool enabled) {
    return ui::ColorToRgb(data.Colours[enabled ? scMenuBarText : scButtonShadow]);
}

} // namespace

void DrawMenuBarCaption(HDC dc, const std::wstring& caption, const RECT& box, COLORREF colour) {
    RECT measured = box;
    DrawTextWide(dc, caption, measured, kMeasureCaption);
    RECT shown{box.left + (Width(box) - Width(measured)) / 2, box.top + (Height(box) - Height(measured)) / 2, 0, 0};
    shown.right = shown.left + Width(measured);
    shown.bottom = shown.top + Height(measured);
    SetTextColor(dc, colour);
    DrawTextWide(dc, caption, shown, kDrawCaption);
}

// ---------------------------------------------------------------- TMenuBtn

void TMenuBtn::Paint() {
    TWinSkinForm& form = FOwner;
    TWinSkinMenu* bar = form.FMenuBar.get();
    if (form.FHandle == nullptr || bar == nullptr || FSkinData == nullptr || FVisible == 0) {
        return;
    }
    const ui::WindowDc dc(form.FHandle, ui::WindowDc::Area::Window);
    if (dc.get() == nullptr) {
        return;
    }
    const RECT& band = bar->FBarRect;
    if (!bar->FBarBitmap.Empty()) {
        BitBlt(dc.get(), FBounds.left, band.top, Width(FBounds), Height(band),
               const_cast<ui::Bitmap&>(bar->FBarBitmap).GetCanvas().Handle(), FBounds.left - band.left, 0, SRCCOPY);
    }
    if (FMouseState == MouseState::Pressed || FMouseState == MouseState::Hot) {
        const ui::UniqueBrush frame(CreateSolidBrush(ui::ColorToRgb(FSkinData->Colours[scButtonHilight])));
        FrameRect(dc.get(), &FBounds, frame.get());
    }
    const ui::SelectObjectScope font(dc.get(), ui::Screen::MenuFontHandle());
    const int previousMode = SetBkMode(dc.get(), TRANSPARENT);
    DrawMenuBarCaption(dc.get(), FCaption, FBounds, CaptionColour(*FSkinData, FItemEnabled != 0));
    SetBkMode(dc.get(), previousMode);
}

// ---------------------------------------------------------------- TWinSkinMenu

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form, TSkinData& skinData) : FSkinData(&skinData), FForm(form) {}

TWinSkinMenu::~TWinSkinMenu() = default;

bool TWinSkinMenu::RightToLeft() const { return FForm.FRightToLeft != 0 || (FMenu != nullptr && FMenu->IsRightToLeft()); }

bool TWinSkinMenu::Owns(const TNCObject* object) const {
    return std::ranges::any_of(FItems, [object](const auto& item) { return item.get() == object; });
}

void TWinSkinMenu::TakeOverMenu() { ReadItems(true); }

void TWinSkinMenu::TakeOverMdiMenu() {
    ReadItems(false);
    LayoutItems();
}

void TWinSkinMenu::ReadItems(bool lookUpEveryItem) {
    const HWND window = FForm.FHandle;
    if (const HMENU current = GetMenu(window); current != nullptr) {
        FMenuHandle = current;
    }
    if (FMenuHandle == nullptr || !IsMenu(FMenuHandle)) {
        return;
    }
    if (FForm.FFormControl != nullptr) {
        FMenu = FForm.FFormControl->Menu();
        if (FMenu == nullptr) {
            return;
        }
    }
    FItems.clear();
    const int count = GetMenuItemCount(FMenuHandle);
    FItemCount = std::max(count, 0);
    for (int position = 0; position < count; ++position) {
        wchar_t text[kItemTextLength + 1]{};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kItemTextLength;
        if (!GetMenuItemInfoW(FMenuHandle, UINT(position), TRUE, &info)) {
            info = MENUITEMINFOW{};
        }
        auto item = std::make_unique<TMenuBtn>(FForm, *FSkinData);
        item->FIndex = position;
        item->FSubMenu = info.hSubMenu;
        item->FItemEnabled = (info.fState & (MF_GRAYED | MF_DISABLED)) == 0 ? 1 : 0;
        item->FVisible = 1;
        item->FCommand = info.wID;
        item->FCaption = (info.fType & MFT_OWNERDRAW) != 0 ? std::wstring() : std::wstring(text);
        const bool lookUp = lookUpEveryItem || item->FCaption.empty();
        ui::MenuItem* own = FMenu != nullptr && lookUp ? FMenu->FindItem(info.wID, ui::FindKind::Command) : nullptr;
        if (own != nullptr) {
            item->FCaption = own->Caption();
            item->FItemEnabled = own->Enabled() ? 1 : 0;
            item->FItem = own;
            item->FCommand = own->Command();
            item->FSubMenu = own->Count() > 0 ? own->Handle() : nullptr;
        }
        FItems.push_back(std::move(item));
    }
    ::SetMenu(window, nullptr);
}

int TWinSkinMenu::StartOffset(int bandWidth) const {
    int start = kDefaultStart;
    if (FSkinData != nullptr && HasMenuBarPicture(*FSkinData)) {
        const RECT& margins = FSkinData->MenuBar->Margins;
        start = RightToLeft() ? margins.right + 8 : margins.left + 4;
        if (bandWidth < start) {
            start = kNarrowBandStart;
        }
    }
    return start;
}

int TWinSkinMenu::ItemWidth(HDC dc, const TMenuBtn& item) const {
    if (item.FCaption.empty()) {
        return 0;
    }
    RECT box{0, 0, 0, 0};
    DrawTextWide(dc, item.FCaption, box, DT_CALCRECT | DT_NOCLIP);
    return Width(box) + kItemPadding;
}

void TWinSkinMenu::LayoutItems() {
    RECT window{};
    GetWindowRect(FForm.FHandle, &window);
    const int windowWidth = FForm.FWindowWidth > 0 ? FForm.FWindowWidth : Width(window);
    const RECT band{FForm.FBorderLeft, FForm.FCaptionHeight, windowWidth - FForm.FBorderRight,
                    FForm.FCaptionHeight + FForm.FMenuBarHeight};
    if (Width(band) <= 0 || Height(band) <= 0) {
        return;
    }
    int offset = StartOffset(Width(band));
    const ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const ui::SelectObjectScope font(dc.get(), ui::Screen::MenuFontHandle());
    const bool rightToLeft = RightToLeft();
    int x = Width(band) - offset;
    for (const auto& item : FItems) {
        if (item->FVisible == 0) {
            item->FBounds = RECT{};
            continue;
        }
        const int width = ItemWidth(dc.get(), *item);
        if (rightToLeft) {
            item->FBounds = RECT{band.left + x - width, band.top, band.left + x, band.bottom - 1};
            x -= width;
        } else {
            item->FBounds = RECT{band.left + offset, band.top, band.left + offset + width, band.bottom - 1};
            offset += width;
        }
    }
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& rect) {
    const int width = Width(rect);
    const int height = Height(rect);
    if (width <= 0 || height <= 0 || FSkinData == nullptr) {
        return;
    }
    ui::Bitmap work(width, height);
    HDC workDc = work.GetCanvas().Handle();
    const RECT local{0, 0, width, height};
    int offset = kDefaultStart;
    if (HasMenuBarPicture(*FSkinData)) {
        const TDataSkinObject& picture = *FSkinData->MenuBar;
        const int frame = FForm.FActive != 0 ? 1 : 2;
        if (picture.Tile == 1) {
            DrawSkinFrame(workDc, local, picture.Bitmap, true, false, false, 2, frame, picture.Margins);
        } else {
            DrawThreePart(workDc, local, picture.Bitmap, true, false, 2, frame, picture.Margins);
        }
        offset = StartOffset(width);
    } else {
        work.Fill(FSkinData->Colours[scMenubar]);
    }
    GdiFlush();
    FBarRect = rect;
    FBarBitmap = work;

    const ui::SelectObjectScope font(workDc, ui::Screen::MenuFontHandle());
    SetBkMode(workDc, TRANSPARENT);
    const bool rightToLeft = RightToLeft();
    int right = width - offset;
    const TWinSkinForm& form = FForm;
    bool maximisedChild = false;
    if (form.FMdiKind == MdiKind::Parent && form.FMdiClient != nullptr) {
        BOOL childMaximised = FALSE;
        const auto child = HWND(SendMessageW(form.FMdiClient, WM_MDIGETACTIVE, 0, LPARAM(&childMaximised)));
        maximisedChild = child != nullptr && childMaximised != FALSE;
    }
    // Buttons of a maximised MDI child sit in the band.
    std::vector<const TWinSysButton*> bandButtons;
    if (maximisedChild) {
        for (const auto& object : form.FCaptionButtons.Objects()) {
            const auto* button = dynamic_cast<const TWinSysButton*>(object.get());
            if (button != nullptr && button->FData.Visibility == 100 && !button->FData.Empty()) {
                bandButtons.push_back(button);
            }
        }
        if (rightToLeft) {
            for (const TWinSysButton* button : bandButtons) {
                right = std::min(right, int(button->FBounds.left - form.FBorderLeft) - 5);
            }
        }
    }
    for (const auto& item : FItems) {
        if (item->FVisible == 0) {
            item->FBounds = RECT{};
            continue;
        }
        const int itemWidth = ItemWidth(workDc, *item);
        RECT box{};
        if (rightToLeft) {
            box = RECT{right - itemWidth, 0, right, height - 1};
            right -= itemWidth;
        } else {
            box = RECT{offset, 0, offset + itemWidth, height - 1};
            offset += itemWidth;
        }
        DrawMenuBarCaption(workDc, item->FCaption, box, CaptionColour(*FSkinData, item->FItemEnabled != 0));
        OffsetRect(&box, rect.left, rect.top);
        item->FBounds = box;
    }
    for (const TWinSysButton* button : bandButtons) {
        RECT bounds = button->FBounds;
        OffsetRect(&bounds, -form.FBorderLeft, -form.FCaptionHeight);
        DrawStateFrame(workDc, bounds, button->FData.Bitmap, true, button->FData.FrameCount(), 1);
    }
    if (maximisedChild) {
        if (FormPainterHost* host = PainterHost(); host != nullptr && !host->MdiCaptionMode()) {
            host->SetMdiCaptionMode(true);
        }
    }
    GdiFlush();
    BitBlt(dc, rect.left, rect.top, width, height, workDc, 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT p) const {
    for (const auto& item : FItems) {
        if (!item->FCaption.empty() && PtInRect(&item->FBounds, p)) {
            return item.get();
        }
    }
    return nullptr;
}

} // namespace skin
