#include "skin/controls/SkinBox.h"

#include "skin/data/SkinData.h"

namespace skin {

const ui::ClassInfo TSkinBox::kClass{"TSkinBox", &TSkinControl::kClass};
const ui::ClassInfo TSkinBoxH::kClass{"TSkinBoxH", &TSkinControl::kClass};
const ui::ClassInfo TSkinSizer::kClass{"TSkinSizer", &TSkinControl::kClass};

// --- TSkinBox ------------------------------------------------------------------

void TSkinBox::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    AttachControl(form, skinData, ownBackground, canvas, false);
}

void TSkinBox::AfterMessage(ui::Message&) {}

void TSkinBox::Detach() {
    TSkinControl::Detach();
    if (FState != PainterState::Gone) {
        FState = PainterState::Detached;
    }
}

// --- TSkinBoxH -----------------------------------------------------------------

bool TSkinBoxH::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_ERASEBKGND: {
        RECT window{};
        GetWindowRect(FHandle, &window);
        OffsetRect(&window, -window.left, -window.top);
        FillFormColour(reinterpret_cast<HDC>(message.wParam), window);
        message.result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        PassOn(message);
        if (FSkinData != nullptr && FSkinData->ButtonFaceBrush) {
            message.result = reinterpret_cast<LRESULT>(FSkinData->ButtonFaceBrush.get());
        }
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

// --- TSkinSizer ----------------------------------------------------------------

void TSkinSizer::DrawTo(HDC dc, const RECT& rect) { FillFormColour(dc, rect); }

} // namespace skin
