#include "skin/controls/SkinSpeedButton.h"

#include "skin/data/SkinData.h"
#include "ui/SpeedButton.h"

namespace skin {
namespace {

// Toolkit notifications a window-less control gets that need no repaint here.
constexpr UINT kControlListChanged = 0xB021;

} // namespace

const ui::ClassInfo TSkinSpeedButton::kClass{"TSkinSpeedButton", &TSkinBitButton::kClass};

TSkinSpeedButton::TSkinSpeedButton(ui::Component* owner) : TSkinBitButton(owner) {}

// The base gives the control's handler back.
TSkinSpeedButton::~TSkinSpeedButton() = default;

void TSkinSpeedButton::Attach(ControlPainterHost* form, TSkinData* skinData, bool, ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, false, canvas);
    FPaintTarget = FControl;
    FParentBackground = WantsParentBackground() ? 1 : 0;
}

bool TSkinSpeedButton::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_PAINT: {
        auto* graphic = dynamic_cast<ui::GraphicControl*>(FControl);
        if (message.wParam != 0 && graphic != nullptr) {
            ui::Canvas& canvas = graphic->GetCanvas();
            const HDC previous = canvas.Handle();
            canvas.SetHandle(reinterpret_cast<HDC>(message.wParam));
            DrawTo(canvas.Handle(), RECT{0, 0, FControl->Width(), FControl->Height()});
            canvas.SetHandle(previous);
        }
        message.result = 1;
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        PassOnThenPress(message);
        return false;
    case WM_LBUTTONUP:
        return true;
    default:
        return TSkinButton::BeforeMessage(message);
    }
}

void TSkinSpeedButton::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_ENABLE:
    case ui::CM_FOCUSCHANGED:
    case ui::CM_ENABLEDCHANGED:
        break;
    case WM_NCDESTROY:
    case kControlListChanged:
        FHandlerHook.Remove();
        break;
    case WM_LBUTTONUP:
        FMouseState &= ~2;
        PaintWindow(nullptr);
        break;
    case ui::CM_MOUSEENTER:
        FMouseState |= 1;
        PaintWindow(nullptr);
        break;
    case ui::CM_MOUSELEAVE:
        FMouseState &= ~3;
        if (FControl != nullptr && FControl->Visible()) {
            PaintWindow(nullptr);
        }
        break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
        break;  // the enter and leave notifications stand for these
    default:
        TSkinButton::AfterMessage(message);
        break;
    }
}

void TSkinSpeedButton::PaintWindow(HDC) {
    // The canvas has a DC only while the parent paints; outside of that the
    // parent is asked to paint the control now.
    if (FPaintTarget != nullptr) {
        FPaintTarget->Repaint();
    }
}

void TSkinSpeedButton::DrawTo(HDC dc, const RECT& rect) {
    if (FPainting || FControl == nullptr) {
        return;
    }
    FPainting = 1;
    struct Guard {
        uint8_t& flag;
        ~Guard() { flag = 0; }
    } guard{FPainting};
    const TDataSkinButton* element = ButtonElement();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (element == nullptr || !FControl->Visible() || width < 1 || height < 1) {
        return;
    }
    const bool down = PublishedIs(FControl, "Down", "true");
    FEnabled = FControl->Enabled() ? 1 : 0;
    FFocused = 0;
    int frame = (FMouseState & 2) ? 2 : (FMouseState & 1) ? 4 : 1;
    if (down) {
        frame = 2;
    } else if (!FEnabled) {
        frame = 3;
    }
    const int cell = down ? 4 : frame == 2 ? 3 : frame == 3 ? 2 : 1;
    FText = FControl->Caption();
    HDC buffer = BeginBuffer(rect);
    if (frame == 2 || frame == 4 || !PublishedIs(FControl, "Flat", "true")) {
        DrawSkinElement(buffer, RECT{0, 0, width, height}, element->FrameCount(), frame, *element);
    }
    SelectTextLook(buffer, frame, false);
    DrawGlyphAndCaption(buffer, width, height, cell, !FEnabled);
    EndBuffer(dc, rect);
}

} // namespace skin
