#include "skin/controls/SkinDateTime.h"

#include "skin/controls/ArrowGlyph.h"
#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/Gdi.h"

#include <commctrl.h>

#include <windowsx.h>

#include <optional>

namespace skin {
namespace {

constexpr wchar_t kArrowButtonClass[] = L"VocaraSkinArrowButton";

void RegisterArrowButtonClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kArrowButtonClass;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    (void)registered;
}

// Left edge of the arrow button in the picker's client area.
int ArrowLeft(HWND picker, int pickerWidth, int arrowWidth) {
    const bool leftButton = (GetWindowLongPtrW(picker, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    return leftButton ? 2 : pickerWidth - arrowWidth - 4;
}

int WindowHeight(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

} // namespace

// ---------------------------------------------------------------- TArrowButton

TArrowButton::TArrowButton(TSkinDateTime& painter, HWND picker)
    : FArrowWidth(GetSystemMetrics(SM_CXHSCROLL)), FPainter(painter), FPickerWindow(picker) {
    RegisterArrowButtonClass(StaticWndProc);
    RECT pickerRect{};
    GetWindowRect(picker, &pickerRect);
    const int width = pickerRect.right - pickerRect.left;
    // The handle arrives at WM_NCCREATE, through the creation parameter.
    CreateWindowExW(0, kArrowButtonClass, L"", WS_CHILD | WS_VISIBLE, ArrowLeft(picker, width, FArrowWidth), 0,
                    FArrowWidth, (pickerRect.bottom - pickerRect.top) - 4, picker, nullptr, GetModuleHandleW(nullptr),
                    this);
}

TArrowButton::~TArrowButton() {
    if (FHandle != nullptr) {
        const HWND window = FHandle;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        FHandle = nullptr;
        DestroyWindow(window);
    }
}

void TArrowButton::Place(int pickerWidth) {
    if (FHandle == nullptr) {
        return;
    }
    SetWindowPos(FHandle, nullptr, ArrowLeft(FPickerWindow, pickerWidth, FArrowWidth), 0, FArrowWidth,
                 WindowHeight(FPickerWindow) - 4, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TArrowButton::Repaint() const {
    if (FHandle != nullptr) {
        InvalidateRect(FHandle, nullptr, FALSE);
    }
}

LRESULT CALLBACK TArrowButton::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<TArrowButton*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->FHandle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TArrowButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return self->MessageHandler(msg, wParam, lParam);
}

void TArrowButton::SetHot(bool hot) {
    if (!IsWindowEnabled(FPickerWindow) || Hot() == hot) {
        return;
    }
    FHot = hot ? 1 : 0;
    Repaint();
}

LRESULT TArrowButton::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
    case WM_MOUSEMOVE: {
        SetHot(true);
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
        return 0;
    }
    case WM_MOUSELEAVE:
        SetHot(false);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The picker opens its calendar for a click on its own button, which
        // lies under this one.
        RECT own{};
        GetWindowRect(FHandle, &own);
        POINT topLeft{own.left, own.top};
        ScreenToClient(FPickerWindow, &topLeft);
        const LPARAM point = MAKELPARAM(GET_X_LPARAM(lParam) + topLeft.x, GET_Y_LPARAM(lParam) + topLeft.y);
        PostMessageW(FPickerWindow, WM_LBUTTONDOWN, wParam, point);
        PostMessageW(FPickerWindow, WM_LBUTTONUP, wParam, point);
        Repaint();
        return 0;
    }
    case WM_LBUTTONUP: {
        // The picker takes the focus, unless its calendar is open: the
        // calendar has it then, and the picker would close it on taking it.
        const auto calendar = reinterpret_cast<HWND>(SendMessageW(FPickerWindow, DTM_GETMONTHCAL, 0, 0));
        if (calendar == nullptr || !IsWindowVisible(calendar)) {
            SetFocus(FPickerWindow);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_NCDESTROY:
        // The picker went first and took this window with it.
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        FHandle = nullptr;
        return 0;
    default:
        return DefWindowProcW(FHandle, msg, wParam, lParam);
    }
}

void TArrowButton::Paint(HDC given) {
    std::optional<ui::PaintDc> paint;
    if (given == nullptr) {
        paint.emplace(FHandle);
    }
    const HDC dc = given != nullptr ? given : paint->get();
    if (dc == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(FHandle, &client);
    const RECT box{0, 0, client.right, WindowHeight(FPickerWindow) - 4};
    FPainter.DrawArrowFace(dc, box, Hot());
}

// ---------------------------------------------------------------- TSkinDateTime

const ui::ClassInfo TSkinDateTime::kClass{"TSkinDateTime", &TSkinControl::kClass};

TSkinDateTime::TSkinDateTime(ui::Component* owner) : TSkinControl(owner) {}

TSkinDateTime::~TSkinDateTime() = default;

void TSkinDateTime::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    if (Attached()) {
        return;
    }
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    if (!Attached() || FHandle == nullptr) {
        return;
    }
    FArrowButton = std::make_unique<TArrowButton>(*this, FHandle);
    SetWindowLongPtrW(FHandle, GWL_STYLE, GetWindowLongPtrW(FHandle, GWL_STYLE) | WS_CLIPCHILDREN);
}

void TSkinDateTime::Detach() {
    // The picker's own button shows again.
    if (State() != PainterState::Gone) {
        FArrowButton.reset();
    }
    TSkinControl::Detach();
}

void TSkinDateTime::AfterMessage(ui::Message& message) {
    if (message.msg == WM_SIZE && FArrowButton != nullptr) {
        RECT rect{};
        GetWindowRect(FHandle, &rect);
        FArrowButton->Place(rect.right - rect.left);
        FArrowButton->Repaint();
    }
    TSkinControl::AfterMessage(message);
}

void TSkinDateTime::DrawTo(HDC dc, const RECT& rect) {
    if (FArrowButton != nullptr) {
        FArrowButton->Place(rect.right - rect.left);
    }
    RECT client{};
    GetClientRect(FHandle, &client);
    if (client.right == rect.right - rect.left || client.bottom == rect.bottom - rect.top) {
        return;
    }
    const ui::Color border = FSkinData != nullptr ? FSkinData->Colours[scButtonShadow] : ui::clBtnShadow;
    const ui::UniqueBrush borderBrush(CreateSolidBrush(ui::ColorToRgb(border)));
    FrameRect(dc, &rect, borderBrush.get());
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void TSkinDateTime::DrawArrowFace(HDC dc, const RECT& box, bool hot) const {
    FillFormColour(dc, box);
    if (FSkinData != nullptr) {
        FSkinData->EnsureComboLooks();
    }
    const TDataSkinObject* arrow = FSkinData != nullptr ? FSkinData->ComboxArrow.get() : nullptr;
    if (arrow != nullptr && !arrow->Empty()) {
        DrawStateFrame(dc, box, arrow->Bitmap, false, arrow->FrameCount(), hot ? 4 : 1);
        return;
    }
    // A skin without combo pictures: an outlined button with the arrow glyph,
    // in the skin's colours, so the picker still shows where it opens.
    const ui::Color edge =
        FSkinData != nullptr ? FSkinData->Colours[scButtonDkShadow] : ui::Color(GetSysColor(COLOR_3DDKSHADOW));
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRgb(edge)));
    const ui::SelectObjectScope selectPen(dc, pen.get());
    const ui::SelectObjectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    DrawArrowGlyph(dc, (box.left + box.right) / 2, (box.top + box.bottom) / 2 - 2, ArrowDirection::Down);
}

} // namespace skin
