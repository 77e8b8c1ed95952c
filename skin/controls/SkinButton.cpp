#include "skin/controls/SkinButton.h"

#include "skin/data/AnsiText.h"
#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

namespace skin {
namespace {

constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER;
constexpr int kHugeControl = 0x8000;

std::wstring LowerClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    std::wstring lower(name);
    std::ranges::transform(lower, lower.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
    return lower;
}

} // namespace

const ui::ClassInfo TSkinButton::kClass{"TSkinButton", &TSkinControl::kClass};

TSkinButton::TSkinButton(ui::Component* owner) : TSkinControl(owner) {}

TSkinButton::~TSkinButton() = default;

void TSkinButton::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    const std::string className = FControl != nullptr ? ansi::LowerAscii(std::string(FControl->ClassName())) : "";
    FMode = className.starts_with("trz") || className.starts_with("tel") ? 1 : 0;
    FParentBackground = WantsParentBackground() ? 1 : 0;
}

void TSkinButton::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    FParentBackground = WantsParentBackground() ? 1 : 0;
}

bool TSkinButton::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_PAINT:
        PaintHandler(message);
        return false;
    case WM_ERASEBKGND:
        message.result = 1;
        return false;
    case WM_TIMER:
        KillTimer(FHandle, 1);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(message);
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinButton::MouseDown(const ui::Message& message) {
    if (GetFocus() != FHandle) {
        SetFocus(FHandle);
    }
    FMouseState |= 2;
    PaintWindow(nullptr);
    if (FMode != 0 || FControl == nullptr || !FControl->OnMouseDown || FControl->Destroying()) {
        return;
    }
    POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    if (FControl->Width() > kHugeControl || FControl->Height() > kHugeControl) {
        // lParam holds only 16 bits of each coordinate.
        GetCursorPos(&at);
        at = FControl->ScreenToClient(at);
    }
    const ui::ShiftState shift = ui::MouseShiftState(message.wParam) |
                                 (message.msg == WM_LBUTTONDBLCLK ? ui::ssDouble : 0);
    FControl->OnMouseDown(*FControl, ui::MouseButton::Left, shift, at.x, at.y);
}

void TSkinButton::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_SETTEXT:
        PaintWindow(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.wParam == VK_SPACE) {
            FMouseState = message.msg == WM_KEYDOWN ? FMouseState | 2 : FMouseState & ~2;
            Repaint();
        }
        break;
    case WM_MOUSEMOVE:
        if (IsWindowEnabled(FHandle) && (FMouseState & 1) == 0) {
            FMouseState |= 1;
            Repaint();
        }
        TrackMouseLeave(FHandle);
        break;
    case WM_LBUTTONUP:
        if (FMouseState & 2) {
            FMouseState &= ~2;
            Repaint();
            FireClick();
        }
        break;
    case WM_MOUSELEAVE:
        FMouseState &= ~3;
        Repaint();
        break;
    case ui::CM_DIALOGKEY:
    case ui::CM_FOCUSCHANGED:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinButton::FireClick() {
    if (FControl != nullptr) {
        // The notification the system button would have sent, so the
        // control's own click handling runs (and may free this painter).
        FControl->Perform(ui::CN_COMMAND, MAKEWPARAM(GetDlgCtrlID(FHandle), BN_CLICKED),
                          reinterpret_cast<LPARAM>(FHandle));
        return;
    }
    HWND parent = GetParent(FHandle);
    const WPARAM id = LowerClassName(FHandle) == L"tbutton" ? 0 : WPARAM(GetDlgCtrlID(FHandle));
    PostMessageW(parent, WM_COMMAND, id, reinterpret_cast<LPARAM>(FHandle));
}

const TDataSkinButton* TSkinButton::ButtonElement() const {
    if (FSkinData == nullptr || FSkinData->Buttons == nullptr || FSkinData->Buttons->Empty()) {
        return nullptr;
    }
    return FSkinData->Buttons.get();
}

bool TSkinButton::ReadFocusEnabledDefault() {
    FFocused = FHandle != nullptr && GetFocus() == FHandle ? 1 : 0;
    FEnabled = (WindowStyle() & WS_DISABLED) == 0 ? 1 : 0;
    return PublishedIs(FControl, "Default", "true");
}

void TSkinButton::ReadText() {
    if (FControl != nullptr) {
        FText = FControl->Caption();
        FMultiLine = PublishedIs(FControl, "MultiLine", "true") ? 1 : 0;
        return;
    }
    FText = WindowText(FHandle);
}

HDC TSkinButton::BeginBuffer(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (FBuffer.Width() != width || FBuffer.Height() != height) {
        FBuffer.SetSize(width, height);
    }
    HDC buffer = FBuffer.GetCanvas().Handle();
    const RECT whole{0, 0, width, height};
    if (FParentBackground) {
        PaintParentTo(buffer);
    } else {
        FillFormColour(buffer, whole);
    }
    return buffer;
}

void TSkinButton::EndBuffer(HDC dc, const RECT& rect) {
    HDC buffer = FBuffer.GetCanvas().Handle();
    if (fontBeforeWindowFont_ != nullptr) {
        SelectObject(buffer, fontBeforeWindowFont_);
        fontBeforeWindowFont_ = nullptr;
    }
    BitBlt(dc, rect.left, rect.top, FBuffer.Width(), FBuffer.Height(), buffer, 0, 0, SRCCOPY);
}

void TSkinButton::SelectTextLook(HDC dc, int frame, bool normalOnFirstFrameOnly) {
    const TDataSkinButton* element = ButtonElement();
    ui::Color colour = ui::clBtnText;
    if (FControl != nullptr) {
        ui::Canvas& canvas = FBuffer.GetCanvas();
        canvas.font = FControl->GetFont();
        (canvas.SelectFont)();
        colour = canvas.font.color;
    } else {
        auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
        if (font == nullptr) {
            font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        }
        fontBeforeWindowFont_ = SelectObject(dc, font);
        colour = FSkinData->Colours[scButtonText];
    }
    if (element != nullptr) {
        if (element->HasNormalColour2 && (!normalOnFirstFrameOnly || frame == 1)) {
            colour = element->NormalColour2;
        }
        if (frame == 4 && element->HasMouseOverColour2) {
            colour = element->MouseOverColour2;
        }
        if (frame == 2 && element->HasPressedColour2) {
            colour = element->PressedColour2;
        }
    }
    if (!FEnabled) {
        colour = ui::clBtnShadow;
    }
    SetTextColor(dc, ui::ColorToRgb(colour));
    SetBkMode(dc, TRANSPARENT);
}

int TSkinButton::PushFrame(bool isDefault) const {
    if (!FEnabled) {
        return 3;
    }
    if (FMouseState & 2) {
        return 2;
    }
    if (FMouseState & 1) {
        return 4;
    }
    return FFocused || isDefault ? 5 : 1;
}

void TSkinButton::DrawTo(HDC dc, const RECT& rect) {
    const TDataSkinButton* element = ButtonElement();
    if (element == nullptr) {
        return;
    }
    const int frame = PushFrame(ReadFocusEnabledDefault());
    ReadText();
    HDC buffer = BeginBuffer(rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    DrawSkinElement(buffer, RECT{0, 0, width, height}, element->FrameCount(), frame, *element);
    SelectTextLook(buffer, frame, false);

    FText = ReplaceFirst(FText, L"||", L"\r\n");
    RECT box{2, 2, width - 2, height - 2};
    DrawControlText(buffer, FText, box, kMeasureFlags);
    const int textWidth = box.right - box.left;
    const int textHeight = box.bottom - box.top;
    box = RECT{0, 0, textWidth, textHeight};
    OffsetRect(&box, (width - textWidth) / 2, (height - textHeight) / 2 - 1);
    DrawControlText(buffer, FText, box, TextFlags(DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK));
    if (FFocused && !FSkinData->Options.Contains(xoNoFocusRect)) {
        InflateRect(&box, 2, 2);
        DrawFocusRect(buffer, &box);
    }
    EndBuffer(dc, rect);
}

} // namespace skin
