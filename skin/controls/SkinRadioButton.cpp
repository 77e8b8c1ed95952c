#include "skin/controls/SkinRadioButton.h"

#include "skin/data/SkinData.h"
#include "ui/Control.h"

namespace skin {
namespace {

constexpr UINT kFocusLeft = 0xB01B;
constexpr UINT kDataChanged = 0xB0D0;

const TDataSkinButton* RadioElement(const TSkinData* skinData) {
    if (skinData == nullptr || skinData->Buttons == nullptr || skinData->Buttons->RadioBitmap.Empty()) {
        return nullptr;
    }
    return skinData->Buttons.get();
}

} // namespace

const ui::ClassInfo TSkinRadioButton::kClass{"TSkinRadioButton", &TSkinControl::kClass};

void TSkinRadioButton::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground,
                              ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    FMode = FControl != nullptr && RadioElement(skinData) != nullptr ? 1 : 0;
    FParentBackground = WantsParentBackground() ? 1 : 0;
}

void TSkinRadioButton::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form,
                                    ui::Canvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    FParentBackground = WantsParentBackground() ? 1 : 0;
}

bool TSkinRadioButton::BeforeMessage(ui::Message& message) {
    return MarkControlBeforeMessage(message, FParentBackground != 0);
}

void TSkinRadioButton::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case kFocusLeft:
    case kDataChanged:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

int TSkinRadioButton::FrameIndex(int count) const {
    int index = FHandle != nullptr && (SendMessageW(FHandle, BM_GETCHECK, 0, 0) & 1) != 0 ? 2 : 1;
    if (FControl != nullptr) {
        if (FControl->HasProperty("Checked")) {
            index = PublishedIs(FControl, "Checked", "true") ? 2 : 1;
        }
    }
    if ((WindowStyle() & WS_DISABLED) != 0) {
        index += 2;
    }
    if (count == 8) {
        switch (index) {
        case 2: return 5;
        case 3: return 4;
        case 4: return 8;
        default: break;
        }
    }
    return index;
}

void TSkinRadioButton::DrawTo(HDC dc, const RECT& rect) {
    const TDataSkinButton* element = RadioElement(FSkinData);
    if (element == nullptr) {
        FMode = 0;
        return;
    }
    const int count = element->RadioButtonFrame < 1 ? 1 : element->RadioButtonFrame;
    DrawMarkControl(dc, rect, MarkLook{element->RadioBitmap, count, FrameIndex(count), 1, FParentBackground != 0});
}

} // namespace skin
