#include "skin/controls/SkinTrackBar.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"

namespace skin {
namespace {

// The notification a toolkit parent hands back to the control it concerns.
constexpr UINT kReflectedNotify = ui::CN_NOTIFY;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

} // namespace

const ui::ClassInfo TSkinTrackBar::kClass{"TSkinTrackBar", &TSkinControl::kClass};

bool TSkinTrackBar::BeforeMessage(ui::Message& message) {
    // The end-of-set-up signal shares the reflected notification's number;
    // its lParam is no notification header.
    const bool notify = message.msg == WM_NOTIFY || (message.msg == kReflectedNotify && message.lParam != kSkinMagic);
    if (!notify || message.lParam == 0) {
        return TSkinControl::BeforeMessage(message);
    }
    const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
    if (header->code != UINT(NM_CUSTOMDRAW) || (FHandle != nullptr && header->hwndFrom != FHandle)) {
        return true;
    }
    LRESULT result = 0;
    if (!CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.lParam), result)) {
        return true;
    }
    message.result = result;
    return false;
}

bool TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw, LRESULT& result) {
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    case CDDS_ITEMPREPAINT:
        switch (draw.dwItemSpec) {
        case TBCD_TICS:
            result = CDRF_DODEFAULT;
            return true;
        case TBCD_THUMB:
            DrawThumb(draw.hdc);
            result = CDRF_SKIPDEFAULT;
            return true;
        case TBCD_CHANNEL:
            DrawChannel(draw.hdc);
            result = CDRF_SKIPDEFAULT;
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

void TSkinTrackBar::DrawChannel(HDC dc) {
    if (FSkinData == nullptr || FHandle == nullptr) {
        return;
    }
    RECT channel{};
    SendMessageW(FHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const bool vertical = (WindowStyle() & TBS_VERT) != 0;
    if (vertical && FSkinData->TrackVert != nullptr && !FSkinData->TrackVert->Empty()) {
        // The control reports a vertical bar's channel lying down.
        if (Width(channel) > Height(channel)) {
            channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
        }
        const TDataSkinObject& element = *FSkinData->TrackVert;
        RECT part = channel;
        const int imageWidth = element.Bitmap.Width();
        if (imageWidth < Width(channel)) {
            part.left = channel.left + (Width(channel) - imageWidth) / 2;
            part.right = part.left + imageWidth;
        }
        const RECT caps{0, element.Margins.top, 0, element.Margins.bottom};
        DrawSkinFrame(dc, part, element.Bitmap, false, false, true, 1, 1, caps);
        return;
    }
    if (FSkinData->Track == nullptr || FSkinData->Track->Empty()) {
        return;
    }
    const TDataSkinObject& element = *FSkinData->Track;
    // Lying centred on the channel, whether the control's channel is thinner
    // or thicker than the image.
    const int imageHeight = element.Bitmap.Height();
    RECT part = channel;
    part.top = channel.top + Height(channel) / 2 - imageHeight / 2;
    part.bottom = part.top + imageHeight;
    const RECT caps{element.Margins.left, 0, element.Margins.right, 0};
    DrawSkinFrame(dc, part, element.Bitmap, false, false, true, 1, 1, caps);
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    if (FHandle == nullptr) {
        return;
    }
    RECT thumb{};
    SendMessageW(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const TDataSkinObject* element = nullptr;
    if (FSkinData != nullptr) {
        const bool vertical = (WindowStyle() & TBS_VERT) != 0;
        if (vertical && FSkinData->TrackbarThumbVert != nullptr && !FSkinData->TrackbarThumbVert->Empty()) {
            element = FSkinData->TrackbarThumbVert.get();
        } else if (FSkinData->TrackbarThumbHorz != nullptr && !FSkinData->TrackbarThumbHorz->Empty()) {
            element = FSkinData->TrackbarThumbHorz.get();
        }
    }
    if (element != nullptr) {
        DrawStateFrame(dc, thumb, element->Bitmap, true, 5, 2);
        return;
    }
    const ui::Color border = FSkinData != nullptr ? FSkinData->Colours[scButtonShadow] : ui::clBtnShadow;
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRgb(border)));
    const ui::SelectObjectScope selectPen(dc, pen.get());
    const ui::SelectObjectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

void TSkinTrackBar::SkinChanged() {
    TSkinControl::SkinChanged();
    // Focus there and back makes the control draw itself anew.
    if (FHandle != nullptr && IsWindowVisible(FHandle)) {
        const HWND previous = GetFocus();
        SetFocus(FHandle);
        if (previous != nullptr && previous != FHandle) {
            SetFocus(previous);
        }
    }
}

} // namespace skin
