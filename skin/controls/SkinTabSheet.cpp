#include "skin/controls/SkinTabSheet.h"

#include "skin/data/SkinData.h"
#include "ui/WinControl.h"

namespace skin {

const ui::ClassInfo TSkinTabSheet::kClass{"TSkinTabSheet", &TSkinControl::kClass};

bool TSkinTabSheet::HasTabsElement() const { return FSkinData != nullptr && FSkinData->Tabs != nullptr; }

bool TSkinTabSheet::BeforeMessage(ui::Message& message) {
    if (!TSkinControl::BeforeMessage(message)) {
        return false;
    }
    if (!HasTabsElement()) {
        return true;
    }
    switch (message.msg) {
    case WM_PAINT:
    case WM_PRINT:
        if (FMode != 0) {
            return true;
        }
        PaintHandler(message);
        return false;
    case WM_ERASEBKGND:
        if (FMode != 0) {
            return true;
        }
        if (FHandle != nullptr) {
            RECT client{};
            GetClientRect(FHandle, &client);
            FillFormColour(reinterpret_cast<HDC>(message.wParam), client);
        }
        message.result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinTabSheet::DrawTo(HDC dc, const RECT& rect) {
    if (!HasTabsElement()) {
        return;
    }
    FillFormColour(dc, rect);
    if (auto* sheet = dynamic_cast<ui::WinControl*>(FControl)) {
        sheet->PaintGraphicChildren(dc);
    }
}

} // namespace skin
