#include "skin/controls/SkinCheckBox.h"

#include "skin/data/AnsiText.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"

namespace skin {
namespace {

// Message numbers of the toolkit: focus left the control, and a data-aware
// control's value changed.
constexpr UINT kFocusLeft = 0xB01B;
constexpr UINT kDataChanged = 0xB0D0;

const TDataSkinButton* CheckElement(const TSkinData* skinData) {
    if (skinData == nullptr || skinData->Buttons == nullptr || skinData->Buttons->CheckBitmap.Empty()) {
        return nullptr;
    }
    return skinData->Buttons.get();
}

} // namespace

const ui::ClassInfo TSkinCheckBox::kClass{"TSkinCheckBox", &TSkinControl::kClass};

void TSkinCheckBox::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    FCheckMemory = 0;
    FMode = FControl != nullptr && CheckElement(skinData) != nullptr ? 1 : 0;
    FParentBackground = WantsParentBackground() ? 1 : 0;
}

void TSkinCheckBox::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    FCheckMemory = 0;
    FParentBackground = WantsParentBackground() ? 1 : 0;
}

bool TSkinCheckBox::BeforeMessage(ui::Message& message) {
    return MarkControlBeforeMessage(message, FParentBackground != 0);
}

void TSkinCheckBox::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case BM_SETCHECK:
        FCheckMemory = uint32_t(message.wParam) + 1;
        Repaint();
        break;
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

int TSkinCheckBox::FrameIndex(int count) const {
    const LRESULT state = FHandle != nullptr ? SendMessageW(FHandle, BM_GETSTATE, 0, 0) : 0;
    int index = (state & BST_CHECKED) != 0 ? 2 : 1;
    if (FControl != nullptr) {
        if (const auto published = FControl->GetPropertyText("State")) {
            const std::string value = ansi::LowerAscii(*published);
            if (value.find("uncheck") != std::string::npos) {
                index = 1;
            } else if (value.find("check") != std::string::npos) {
                index = 2;
            } else if (value.find("gray") != std::string::npos) {
                index = 4;
            }
        } else if (FControl->HasProperty("Checked")) {
            // Left open by the rules: a clear box shows its clear frame.
            index = PublishedIs(FControl, "Checked", "true") ? 2 : 1;
        }
        if (FControl->HasProperty("DataField") && FCheckMemory != 0) {
            index = FCheckMemory == 3 ? 4 : int(FCheckMemory);
        }
        if (FControl->HasProperty("DataBinding")) {
            index = 1;
        }
    }
    const bool disabled = (WindowStyle() & WS_DISABLED) != 0;
    if (disabled) {
        index += 2;
    }
    const bool indeterminate = (state & BST_INDETERMINATE) != 0;
    if (indeterminate) {
        index = 4;
    }
    if (count == 12) {
        if (indeterminate) {
            return disabled ? 12 : 9;
        }
        switch (index) {
        case 2: return 5;
        case 3: return 4;
        case 4: return 8;
        default: break;
        }
    }
    return index;
}

void TSkinCheckBox::DrawTo(HDC dc, const RECT& rect) {
    const TDataSkinButton* element = CheckElement(FSkinData);
    if (element == nullptr) {
        FMode = 0;
        return;
    }
    const int count = element->CheckButtonFrame < 1 ? 1 : element->CheckButtonFrame;
    DrawMarkControl(dc, rect, MarkLook{element->CheckBitmap, count, FrameIndex(count), 0, FParentBackground != 0});
}

} // namespace skin
