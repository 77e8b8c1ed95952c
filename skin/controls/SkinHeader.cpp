#include "skin/controls/SkinHeader.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"

#include <commctrl.h>

#include <string>

namespace skin {

const ui::ClassInfo TSkinHeader::kClass{"TSkinHeader", &TSkinControl::kClass};

void TSkinHeader::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    FHotItem = -1;
}

void TSkinHeader::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    FHotItem = -1;
}

bool TSkinHeader::HasHeaderbar() const {
    return FSkinData != nullptr && FSkinData->Headerbar != nullptr && !FSkinData->Headerbar->Empty();
}

bool TSkinHeader::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_PAINT:
        PaintHandler(message);
        return false;
    case WM_ERASEBKGND:
        if (HasHeaderbar()) {
            message.result = 1;
            return false;
        }
        return true;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinHeader::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_MOUSEMOVE: {
        const POINT point{short(LOWORD(message.lParam)), short(HIWORD(message.lParam))};
        ReadItemRects();
        for (int i = 0; i < int(FItemRects.size()); ++i) {
            if (PtInRect(&FItemRects[size_t(i)], point) && i != FHotItem) {
                FHotItem = i;
                Repaint();
                break;
            }
        }
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_MOUSELEAVE:
        FHotItem = -1;
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinHeader::ReadItemRects() {
    FItemRects.clear();
    if (FHandle == nullptr) {
        return;
    }
    const auto count = int(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT item{};
        SendMessageW(FHandle, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        InflateRect(&item, -3, 0);
        FItemRects.push_back(item);
    }
}

void TSkinHeader::DrawTo(HDC dc, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (FHandle == nullptr || width <= 0 || height <= 0) {
        return;
    }
    ui::Bitmap buffer(width, height);
    HDC target = buffer.GetCanvas().Handle();
    FillFormColour(target, RECT{0, 0, width, height});
    const ui::SelectObjectScope selectFont(target, WindowFont());
    SetBkMode(target, TRANSPARENT);
    const bool enabled = IsWindowEnabled(FHandle) != FALSE;

    ReadItemRects();
    const auto count = int(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        SendMessageW(FHandle, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        DrawItem(target, i, item, i == FHotItem, enabled);
        right = item.right > right ? item.right : right;
    }
    if (right < width) {
        const RECT rest{right, 0, width, height};
        if (HasHeaderbar()) {
            DrawSkinElement(target, rest, FSkinData->Headerbar->FrameCount(), 1, *FSkinData->Headerbar);
        } else {
            RECT edge = rest;
            DrawEdge(target, &edge, EDGE_RAISED, BF_RECT);
        }
    }
    BitBlt(dc, rect.left, rect.top, width, height, target, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawItem(HDC dc, int index, const RECT& rect, bool hot, bool enabled) {
    if (HasHeaderbar()) {
        const TDataSkinObject& bar = *FSkinData->Headerbar;
        DrawSkinElement(dc, rect, bar.FrameCount(), hot ? 2 : 1, bar);
    } else {
        RECT edge = rect;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }

    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = int(std::size(text) - 1);
    SendMessageW(FHandle, HDM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));

    RECT area = rect;
    InflateRect(&area, -4, 0);
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, HDM_GETIMAGELIST, 0, 0));
    if (images != nullptr && (item.fmt & HDF_IMAGE) != 0 && item.iImage >= 0) {
        int imageWidth = 0;
        int imageHeight = 0;
        ImageList_GetIconSize(images, &imageWidth, &imageHeight);
        if (imageWidth < area.right - area.left) {
            ImageList_Draw(images, item.iImage, dc, area.left, area.top + (area.bottom - area.top - imageHeight) / 2,
                           ILD_TRANSPARENT);
            area.left += imageWidth + 2;
        }
    }
    UINT alignment = DT_LEFT;
    switch (item.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: alignment = DT_RIGHT; break;
    case HDF_CENTER: alignment = DT_CENTER; break;
    default: break;
    }
    ui::Color colour = ui::clBtnText;
    if (HasHeaderbar()) {
        colour = hot ? FSkinData->Headerbar->MouseOverColour2 : FSkinData->Headerbar->NormalColour2;
    }
    if (!enabled) {
        colour = ui::clBtnShadow;
    }
    SetTextColor(dc, ui::ColorToRgb(colour));
    DrawControlText(dc, text, area, TextFlags(alignment | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS));
}

} // namespace skin
