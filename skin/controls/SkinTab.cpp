#include "skin/controls/SkinTab.h"

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/PageControl.h"

#include <functional>
#include <utility>

namespace skin {
namespace {

constexpr intptr_t kClosablePagesTag = 7777;
constexpr int kMaxTabText = 80;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

// A rectangle of the tab strip S (client coordinates) in the work bitmap,
// which holds S lying as a top row; and back.
RECT StripToWork(const RECT& r, const RECT& strip, TabPosition position) {
    RECT s = r;
    OffsetRect(&s, -strip.left, -strip.top);
    switch (position) {
    case TabPosition::Left: {
        // The work bitmap turned left becomes S: work (x, y) lands at (y, W - 1 - x).
        const int workWidth = Height(strip);
        return RECT{workWidth - s.bottom, s.left, workWidth - s.top, s.right};
    }
    case TabPosition::Right: {
        // Turned right: work (x, y) lands at (H - 1 - y, x).
        const int workHeight = Width(strip);
        return RECT{s.top, workHeight - s.right, s.bottom, workHeight - s.left};
    }
    default:
        return s;
    }
}

RECT WorkToStrip(const RECT& w, const RECT& strip, TabPosition position) {
    RECT s = w;
    switch (position) {
    case TabPosition::Left: {
        const int workWidth = Height(strip);
        s = RECT{w.top, workWidth - w.right, w.bottom, workWidth - w.left};
        break;
    }
    case TabPosition::Right: {
        const int workHeight = Width(strip);
        s = RECT{workHeight - w.bottom, w.left, workHeight - w.top, w.right};
        break;
    }
    default:
        break;
    }
    OffsetRect(&s, strip.left, strip.top);
    return s;
}

void DrawCloseBox(HDC dc, const RECT& box, ui::Color colour) {
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRgb(colour)));
    const ui::SelectObjectScope selectPen(dc, pen.get());
    const ui::SelectObjectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    MoveToEx(dc, box.left, box.top, nullptr);
    LineTo(dc, box.right, box.bottom);
    MoveToEx(dc, box.right - 1, box.top, nullptr);
    LineTo(dc, box.left - 1, box.bottom);
}

} // namespace

const ui::ClassInfo TSkinTab::kClass{"TSkinTab", &TSkinControl::kClass};
const ui::ClassInfo TSkinTab31::kClass{"TSkinTab31", &TSkinTab::kClass};
const ui::ClassInfo TSkinTabBtn::kClass{"TSkinTabBtn", &TSkinTab::kClass};
const ui::ClassInfo TSkinAdvPage::kClass{"TSkinAdvPage", &TSkinTab::kClass};

TSkinTab::TSkinTab(ui::Component* owner) : TSkinControl(owner) {}

TSkinTab::~TSkinTab() {
    if (ownsUpDown_) {
        delete FUpDown;
    }
}

void TSkinTab::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    if (!FAttached) {
        return;
    }
    FCloseButton = FControl != nullptr && FControl->tag == kClosablePagesTag &&
                           dynamic_cast<ui::PageControl*>(FControl) != nullptr
                       ? 1
                       : 0;
    AfterAttach();
}

void TSkinTab::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    AfterAttach();
}

void TSkinTab::AfterAttach() {
    FEnabled = (WindowStyle() & WS_DISABLED) == 0 ? 1 : 0;
    PrepareImages();
    AttachUpDown();
    Repaint();
}

void TSkinTab::AttachUpDown() {
    if (FHandle == nullptr || FUpDown != nullptr) {
        return;
    }
    const HWND arrows = FindWindowExW(FHandle, nullptr, UPDOWN_CLASSW, nullptr);
    if (arrows == nullptr) {
        return;
    }
    // Another painter of the engine, reached only through the factory: none
    // yet leaves the arrows native.
    FUpDown = CreatePainter(PainterKind::UpDown, nullptr);
    if (FUpDown == nullptr) {
        return;
    }
    // A form painter frees the painters registered with it; without one,
    // this painter does.
    ownsUpDown_ = FForm == nullptr;
    if (HorizontalArrows()) {
        FUpDown->SetPropertyText("HorizontalMode", "1");
    }
    FUpDown->AttachWindow(arrows, FSkinData, FForm, FSkinCanvas);
}

void TSkinTab::PrepareImages() {
    const DWORD style = WindowStyle();
    if ((style & TCS_VERTICAL) != 0) {
        FTabPosition = (style & TCS_RIGHT) != 0 ? TabPosition::Right : TabPosition::Left;
    } else {
        FTabPosition = (style & TCS_BOTTOM) != 0 ? TabPosition::Bottom : TabPosition::Top;
    }
    FTabImage.Clear();
    FPaneImage.Clear();
    if (FSkinData == nullptr || FSkinData->Tabs == nullptr) {
        return;
    }
    const TDataSkinBorder& tabs = *FSkinData->Tabs;
    if (!tabs.Bitmap.Empty()) {
        FTabImage = tabs.Bitmap;
        FTabImage.SetFormat(ui::PixelFormat::Bit24);
    }
    if (tabs.Style == 0) {
        FPaneImage = tabs.Bitmap2;
    } else if (FSkinData->TabPane != nullptr) {
        FPaneImage = FSkinData->TabPane->Bitmap;
    }
    if (!FPaneImage.Empty()) {
        FPaneImage.SetFormat(ui::PixelFormat::Bit24);
    }
    switch (FTabPosition) {
    case TabPosition::Bottom:
        FlipBitmap(FTabImage);
        FlipBitmap(FPaneImage);
        break;
    case TabPosition::Left:
        RotateLeft(FPaneImage);
        break;
    case TabPosition::Right:
        RotateRight(FPaneImage);
        break;
    default:
        break;
    }
}

void TSkinTab::SkinChanged() {
    PrepareImages();
    TSkinControl::SkinChanged();
}

HWND TSkinTab::FormWindow() const {
    if (FForm != nullptr && FForm->FormHandle() != nullptr) {
        return FForm->FormHandle();
    }
    return FHandle != nullptr ? GetAncestor(FHandle, GA_ROOT) : nullptr;
}

bool TSkinTab::ClickCloseBox(POINT point) {
    for (int index = 0; index < int(FCloseRects.size()); ++index) {
        if (!PtInRect(&FCloseRects[size_t(index)], point)) {
            continue;
        }
        const HWND window = FHandle;
        const LRESULT answer = SendMessageW(FormWindow(), SKM_TABCLOSE, reinterpret_cast<WPARAM>(window), index);
        if (answer == 0) {
            if (auto* pages = dynamic_cast<ui::PageControl*>(FControl); pages != nullptr && IsWindow(window)) {
                pages->FreePage(index);
            }
        }
        return true;
    }
    return false;
}

bool TSkinTab::HasTabsElement() const { return FSkinData != nullptr && FSkinData->Tabs != nullptr; }

bool TSkinTab::BeforeMessage(ui::Message& message) {
    if (!HasTabsElement()) {
        return TSkinControl::BeforeMessage(message);
    }
    if (message.msg == WM_LBUTTONDOWN && FCloseButton) {
        const POINT point{short(LOWORD(message.lParam)), short(HIWORD(message.lParam))};
        const std::shared_ptr<ui::Component*> alive = LifetimeCell();
        if (ClickCloseBox(point)) {
            if (*alive != nullptr) {
                Repaint();
            }
            return false;
        }
    }
    return PaintAllBeforeMessage(message);
}

void TSkinTab::ReadItem(int index, std::wstring& text, int& image) const {
    image = -1;
    text.clear();
    if (FUnicode) {
        wchar_t buffer[kMaxTabText + 1] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = buffer;
        item.cchTextMax = kMaxTabText;
        if (SendMessageW(FHandle, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item))) {
            text = buffer;
            image = item.iImage;
        }
        return;
    }
    char buffer[kMaxTabText + 1] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = buffer;
    item.cchTextMax = kMaxTabText;
    if (SendMessageA(FHandle, TCM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item))) {
        text = AnsiToWide(buffer);
        image = item.iImage;
    }
}

void TSkinTab::ForEachTab(HDC dc, UINT currentQuery, const std::function<void(const TabToDraw&)>& draw) {
    FTabRects.clear();
    const ui::SelectObjectScope selectFont(dc, WindowFont());
    SetBkMode(dc, TRANSPARENT);
    const auto count = int(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const auto current = int(SendMessageW(FHandle, currentQuery, 0, 0));
    for (int i = 0; i < count; ++i) {
        TabToDraw tab;
        if (!SendMessageW(FHandle, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&tab.rect))) {
            continue;
        }
        FTabRects.push_back(tab.rect);
        tab.index = i;
        tab.current = i == current;
        ReadItem(i, tab.text, tab.image);
        draw(tab);
    }
}

void TSkinTab::DrawLabel(HDC dc, const TabToDraw& tab, const RECT& rect) const {
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
    const bool enabled = (WindowStyle() & WS_DISABLED) == 0;
    LabelWithImage(dc, rect, 1, tab.text, tab.image, images, enabled, TextFlags(0));
}

void TSkinTab::DrawTo(HDC dc, const RECT& rect) {
    if (FHandle == nullptr || !HasTabsElement() || Width(rect) <= 0 || Height(rect) <= 0) {
        return;
    }
    ui::Bitmap buffer(Width(rect), Height(rect));
    HDC target = buffer.GetCanvas().Handle();
    const RECT whole{0, 0, Width(rect), Height(rect)};
    FillControlColour(target, whole);
    DrawTabs(target, whole);
    // The row's scroll arrows paint themselves.
    const ui::SavedDcState saved(dc);
    RECT arrows{};
    const HWND arrowWindow = FindWindowExW(FHandle, nullptr, UPDOWN_CLASSW, nullptr);
    if (arrowWindow != nullptr && IsWindowVisible(arrowWindow) && GetWindowRect(arrowWindow, &arrows)) {
        MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&arrows), 2);
        ExcludeClipRect(dc, rect.left + arrows.left, rect.top + arrows.top, rect.left + arrows.right,
                        rect.top + arrows.bottom);
    }
    BitBlt(dc, rect.left, rect.top, Width(rect), Height(rect), target, 0, 0, SRCCOPY);
    if (FMode == 2) {
        if (auto* windowed = dynamic_cast<ui::WinControl*>(FControl)) {
            windowed->PaintGraphicChildren(dc);
        }
    }
}

void TSkinTab::DrawTabs(HDC dc, const RECT& rect) {
    RECT page = rect;
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, 4, 4);
    RECT strip = rect;
    switch (FTabPosition) {
    case TabPosition::Top:
        page.top += 1;
        strip.bottom = page.top;
        break;
    case TabPosition::Bottom:
        page.bottom -= 1;
        strip.top = page.bottom;
        break;
    case TabPosition::Left:
        page.left += 1;
        strip.right = page.left;
        break;
    case TabPosition::Right:
        page.right -= 1;
        strip.left = page.right;
        break;
    }
    FCloseRects.clear();
    const TDataSkinBorder* tabs = FSkinData != nullptr ? FSkinData->Tabs.get() : nullptr;
    const bool side = FTabPosition == TabPosition::Left || FTabPosition == TabPosition::Right;
    if (tabs != nullptr && !FTabImage.Empty() && Width(strip) > 0 && Height(strip) > 0) {
        const int workWidth = side ? Height(strip) : Width(strip);
        const int workHeight = side ? Width(strip) : Height(strip);
        if (FWork.Width() != workWidth || FWork.Height() != workHeight) {
            FWork.SetSize(workWidth, workHeight);
        }
        HDC work = FWork.GetCanvas().Handle();
        FillControlColour(work, RECT{0, 0, workWidth, workHeight});
        ForEachTab(work, TCM_GETCURFOCUS, [&](const TabToDraw& tab) {
            RECT item = tab.rect;
            if (FTabPosition == TabPosition::Top) {
                OffsetRect(&item, 0, 1);
            } else if (FTabPosition == TabPosition::Bottom) {
                OffsetRect(&item, 0, -1);
            }
            const RECT lying = StripToWork(item, strip, FTabPosition);
            const int frame = tab.current ? 2 : 1;
            DrawSkinFrame(work, lying, FTabImage, false, tabs->Tile != 0, tabs->Trans != 0, tabs->FrameCount(), frame,
                          tabs->Margins);
            const ui::Color colour = frame == 2 ? tabs->MouseOverColour2 : tabs->NormalColour2;
            if (FCloseButton) {
                const RECT box{lying.right - 8, lying.top + 2, lying.right - 2, lying.top + 8};
                DrawCloseBox(work, box, colour);
                FCloseRects.push_back(WorkToStrip(box, strip, FTabPosition));
            }
            SetTextColor(work, ui::ColorToRgb(colour));
            DrawLabel(work, tab, lying);
        });
        if (side) {
            // The row was drawn lying as on top: turned, its outer edge faces away from the pane.
            ui::Bitmap turned = FWork;
            if (FTabPosition == TabPosition::Left) {
                RotateLeft(turned);
            } else {
                RotateRight(turned);
            }
            BitBlt(dc, strip.left, strip.top, Width(strip), Height(strip), turned.GetCanvas().Handle(), 0, 0, SRCCOPY);
        } else {
            BitBlt(dc, strip.left, strip.top, Width(strip), Height(strip), work, 0, 0, SRCCOPY);
        }
    }
    if (tabs != nullptr && !FPaneImage.Empty()) {
        RECT margins{4, 5, 4, 4};
        if (tabs->Style != 0 && FSkinData->TabPane != nullptr) {
            margins = FSkinData->TabPane->Margins;
        }
        DrawSkinFrame(dc, page, FPaneImage, false, false, true, 1, 1, margins);
    }
}

void TSkinTab::LabelWithImage(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                              HIMAGELIST images, bool enabled, UINT textFlags) {
    int imageWidth = 0;
    int imageHeight = 0;
    if (imageIndex != -1 && images != nullptr) {
        ImageList_GetIconSize(images, &imageWidth, &imageHeight);
        if (imageWidth >= Width(rect)) {
            imageWidth = 0;
        }
    }
    const bool withImage = imageWidth > 0;
    RECT measured = rect;
    measured.right += imageWidth + 2;
    DrawTextWide(dc, text, measured, DT_END_ELLIPSIS | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
    const int textWidth = Width(measured);
    const int textHeight = Height(measured);
    int x = 3;
    if (alignment == 1) {
        x = (Width(rect) - textWidth - imageWidth) / 2;
    } else if (alignment == 2) {
        x = Width(rect) - textWidth - imageWidth - 2;
    }
    if (x < 2) {
        x = 1;
    }
    if (withImage) {
        ImageList_Draw(images, imageIndex, dc, rect.left + x, rect.top + (Height(rect) - imageWidth) / 2,
                       ILD_TRANSPARENT);
    }
    const ui::SavedDcState saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SetBkMode(dc, TRANSPARENT);
    if (!enabled) {
        SetTextColor(dc, ui::ColorToRgb(ui::clBtnShadow));
    }
    RECT place{rect.left + x + imageWidth, rect.top + (Height(rect) - textHeight) / 2, rect.right,
               rect.top + (Height(rect) - textHeight) / 2 + textHeight};
    DrawTextWide(dc, text, place, DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK | textFlags);
}

// --- TSkinTab31 ----------------------------------------------------------------

void TSkinTab31::PrepareImages() {
    TSkinTab::PrepareImages();
    // A tab set's tabs hang below its bar, whatever its style says.
    if (FTabPosition != TabPosition::Bottom) {
        FlipBitmap(FTabImage);
        FTabPosition = TabPosition::Bottom;
    }
}

// --- TSkinTabBtn ---------------------------------------------------------------

void TSkinTabBtn::DrawTabs(HDC dc, const RECT& /*rect*/) {
    FCloseRects.clear();
    const TDataSkinButton* buttons = FSkinData != nullptr ? FSkinData->Buttons.get() : nullptr;
    ForEachTab(dc, TCM_GETCURSEL, [&](const TabToDraw& tab) {
        // Cells of the button picture: 1 normal, 3 pressed.
        const int frame = tab.current ? 3 : 1;
        RECT item = tab.rect;
        ui::Color colour = ui::clBtnText;
        if (buttons != nullptr && !buttons->Empty()) {
            DrawSkinElement(dc, item, buttons->FrameCount(), frame, *buttons);
            colour = frame == 3 ? buttons->PressedColour2 : buttons->NormalColour2;
        } else {
            DrawEdge(dc, &item, frame == 3 ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        }
        SetTextColor(dc, ui::ColorToRgb(colour));
        DrawLabel(dc, tab, tab.rect);
    });
}

} // namespace skin
