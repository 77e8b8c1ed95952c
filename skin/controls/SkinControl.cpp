#include "skin/controls/SkinControl.h"

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "ui/WinControl.h"

#include <exception>
#include <utility>

namespace skin {
const ui::ClassInfo TSkinControl::kClass{"TSkinControl", &ui::Component::kClass};

TSkinControl::TSkinControl(ui::Component* owner) : ui::Component(owner) {}

TSkinControl::~TSkinControl() {
    // Reverse order of attaching: the handler, then the window procedure.
    FHandlerHook.Remove();
    FWndProcLayer.Remove();
    if (FForm != nullptr) {
        FForm->UnregisterControlPainter(this);
    }
}

void TSkinControl::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    AttachControl(form, skinData, ownBackground, canvas, true);
}

void TSkinControl::AttachControl(ControlPainterHost* form, TSkinData* skinData, bool ownBackground,
                                 ui::Canvas* canvas, bool takeMessages) {
    auto* control = dynamic_cast<ui::Control*>(Owner());
    if (FAttached || control == nullptr) {
        return;
    }
    HWND handle = nullptr;
    if (auto* windowed = dynamic_cast<ui::WinControl*>(control)) {
        handle = windowed->Handle();  // may throw: nothing is changed yet
    }
    FOwnBackground = ownBackground ? 1 : 0;
    FSkinData = skinData;
    FForm = form;
    FSkinCanvas = canvas;
    FControl = control;
    controlAlive_ = control;
    FHandle = handle;
    FUnicode = handle != nullptr && IsWindowUnicode(handle) ? 1 : 0;

    if (takeMessages) {
        FHandlerHook.Install(*control, [this](ui::Message& message) { Dispatch(message); });
    }
    if (form != nullptr) {
        form->RegisterControlPainter(this);
    }
    if (FOwnBackground) {
        const auto parentBackground = control->GetPropertyText("ParentBackground");
        const bool keepsParent = skinData != nullptr && skinData->Options.Contains(xoParentBackGround);
        if (parentBackground && ui::TextToBool(*parentBackground) && !keepsParent) {
            control->SetPropertyText("ParentBackground", "False");
            FParentBackgroundWasOn = 1;
            FMode = 1;
        }
        FSavedColor = control->GetColor();
        savedParentColor_ = control->parentColor;
        control->SetColor(FormColour());
    }
    control->Invalidate();
    FAttached = 1;
    FState = PainterState::Running;
}

void TSkinControl::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    if (FAttached) {
        return;
    }
    FSkinData = skinData;
    FSkinCanvas = canvas;
    FForm = form;
    FHandle = window;
    FEnabled = 1;
    FMode = 0;
    if (form != nullptr) {
        form->RegisterControlPainter(this);
    }
    FUnicode = IsWindowUnicode(window) ? 1 : 0;
    FText = WindowText(window);
    FWndProcLayer.Install<TSkinControl, &TSkinControl::BareWindowMessage>(window, ui::SubclassKind::ControlPainter,
                                                                          this);
    InvalidateRect(window, nullptr, TRUE);
    FAttached = 1;
    FState = PainterState::Running;
}

LRESULT TSkinControl::BareWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    ui::Message message{msg, wParam, lParam, 0};
    Dispatch(message);
    return message.result;
}

void TSkinControl::Dispatch(ui::Message& message) {
    FHandled = 0;
    if (message.msg == SKM_ENABLE) {
        FActive = message.wParam > 0 ? 1 : 0;
        ActiveChanged();
        if (FActive) {
            Repaint();
        }
        return;
    }
    if (!FActive) {
        PassOn(message);
        return;
    }
    // The control's handler may free the painter (its form closing).
    const std::shared_ptr<ui::Component*> alive = LifetimeCell();
    if (BeforeMessage(message) && *alive != nullptr) {
        PassOn(message);
        if (*alive != nullptr) {
            AfterMessage(message);
        }
    }
}

void TSkinControl::PassOn(ui::Message& message) {
    if (FControl != nullptr) {
        FHandlerHook.CallNext(message);
    } else if (FHandle != nullptr) {
        // Also after the layer left the chain at WM_NCDESTROY.
        message.result = ui::WindowSubclass::CallNext(FHandle, message.msg, message.wParam, message.lParam);
    }
}

void TSkinControl::PassOnThenPress(ui::Message& message) {
    const std::shared_ptr<ui::Component*> alive = LifetimeCell();
    PassOn(message);
    if (*alive != nullptr) {
        FMouseState |= 2;
        PaintWindow(nullptr);
    }
}

bool TSkinControl::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_NCDESTROY: {
        FState = PainterState::Gone;
        // The window's own procedure may free this painter as its window ends.
        const std::shared_ptr<ui::Component*> alive = LifetimeCell();
        PassOn(message);
        if (*alive != nullptr && FActive) {
            Detach();
        }
        return false;
    }
    case SKM_QUERY:
        message.result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case ui::CM_ENABLEDCHANGED:
        Repaint();
        break;
    case WM_PAINT:
        try {
            PaintWindow(reinterpret_cast<HDC>(message.wParam));
        } catch (const std::exception&) {
            // A painting failure leaves the control as the system drew it.
        }
        break;
    case SKM_ENABLE:
        FActive = message.wParam > 0 ? 1 : 0;
        break;
    default:
        break;
    }
}

void TSkinControl::DrawTo(HDC, const RECT&) {}

std::wstring TSkinControl::WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

bool TSkinControl::PublishedIs(const ui::Control* control, std::string_view property, std::string_view value) {
    if (control == nullptr) {
        return false;
    }
    const auto text = control->GetPropertyText(property);
    return text && ui::SameAscii(*text, value);
}

void TSkinControl::Repaint() {
    if (FPaintTarget != nullptr) {
        FPaintTarget->Invalidate();
        return;
    }
    if (FHandle != nullptr && FState != PainterState::Gone) {
        InvalidateRect(FHandle, nullptr, TRUE);
        UpdateWindow(FHandle);
    }
}

void TSkinControl::RepaintLater() {
    if (FPaintTarget != nullptr) {
        FPaintTarget->Invalidate();
    } else if (FHandle != nullptr && FState != PainterState::Gone) {
        InvalidateRect(FHandle, nullptr, TRUE);
    }
}

void TSkinControl::Detach() {
    // Once, even when SKM_ENABLE switched the painter off before: the colours
    // must come back all the same.
    if (detached_) {
        return;
    }
    detached_ = true;
    FActive = 0;
    ui::Control* control = controlAlive_.get();
    if (FState == PainterState::Gone || control == nullptr || !FOwnBackground) {
        return;
    }
    if (FParentBackgroundWasOn) {
        control->SetPropertyText("ParentBackground", "True");
        FParentBackgroundWasOn = 0;
    }
    control->SetColor(FSavedColor);
    control->parentColor = savedParentColor_;
}

void TSkinControl::SkinChanged() {
    lastElementFrame_ = ElementFrame{};
    if (FOwnBackground && controlAlive_) {
        FControl->SetColor(FormColour());
    }
    RepaintLater();
}

ui::Color TSkinControl::FormColour() const {
    if (FSkinData == nullptr) {
        return FControl != nullptr ? FControl->GetColor() : ui::clBtnFace;
    }
    return FSkinData->Colours[scButtonFace];
}

} // namespace skin
