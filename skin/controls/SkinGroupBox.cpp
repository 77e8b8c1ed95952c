#include "skin/controls/SkinGroupBox.h"

#include "skin/data/SkinData.h"
#include "ui/WinControl.h"

namespace skin {

const ui::ClassInfo TSkinGroupBox::kClass{"TSkinGroupBox", &TSkinControl::kClass};

void TSkinGroupBox::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    FMode = FControl != nullptr ? 1 : 0;
}

bool TSkinGroupBox::BeforeMessage(ui::Message& message) {
    if (!TSkinControl::BeforeMessage(message)) {
        return false;
    }
    if (message.msg == WM_PAINT && FMode == 1) {
        PaintHandler(message);
        return false;
    }
    return true;
}

void TSkinGroupBox::DrawTo(HDC dc, const RECT& rect) {
    FText = FHandle != nullptr ? WindowText(FHandle) : std::wstring();
    if (FText.empty() && FControl != nullptr) {
        FText = FControl->Caption();
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (FMode != 1 || FControl == nullptr) {
        // Over the system's own picture, in the window's font.
        const ui::SavedDcState saved(dc);
        auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
        SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        const ui::Color text = FSkinData != nullptr ? FSkinData->Colours[scButtonText] : ui::clBtnText;
        DrawFrameAndCaption(dc, rect, text);
        return;
    }
    ui::Bitmap buffer(width, height);
    ui::Canvas& canvas = buffer.GetCanvas();
    const RECT whole{0, 0, width, height};
    FillFormColour(canvas.Handle(), whole);
    canvas.font = FControl->GetFont();
    (canvas.SelectFont)();
    DrawFrameAndCaption(canvas.Handle(), whole, canvas.font.color);
    if (auto* container = dynamic_cast<ui::WinControl*>(FControl)) {
        container->PaintGraphicChildren(canvas.Handle());
    }
    BitBlt(dc, rect.left, rect.top, width, height, canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkinGroupBox::DrawFrameAndCaption(HDC dc, const RECT& rect, ui::Color textColour) const {
    // The frame's top line runs through the middle of the caption's first line.
    SIZE zero{};
    GetTextExtentPoint32A(dc, "0", 1, &zero);
    const int top = rect.top + zero.cy / 2 - 1;
    const ui::Color face = FormColour();
    if (FMode == 0) {
        // The native frame is two pixels wide: face colour over both.
        const ui::UniqueBrush faceBrush(CreateSolidBrush(ui::ColorToRgb(face)));
        RECT frame{rect.left, top, rect.right, rect.bottom};
        FrameRect(dc, &frame, faceBrush.get());
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, faceBrush.get());
    }
    const ui::Color border = FSkinData != nullptr ? FSkinData->Colours[scButtonShadow] : ui::clBtnShadow;
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRgb(border)));
    {
        const ui::SelectObjectScope selectPen(dc, pen.get());
        const ui::SelectObjectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, rect.left + 1, top, rect.right - 1, rect.bottom - 1, 5, 5);
    }
    if (FText.empty()) {
        return;
    }
    SetTextColor(dc, ui::ColorToRgb(textColour));
    SetBkColor(dc, ui::ColorToRgb(face));
    SetBkMode(dc, OPAQUE);
    const bool rightAligned = FHandle != nullptr && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    if (rightAligned) {
        RECT caption{rect.left, rect.top, rect.right - 8, rect.bottom};
        DrawControlText(dc, FText, caption, TextFlags(DT_RIGHT | DT_EXPANDTABS));
    } else {
        RECT caption{rect.left + 8, rect.top, rect.right, rect.bottom};
        DrawControlText(dc, FText, caption, DT_EXPANDTABS);
    }
}

} // namespace skin
