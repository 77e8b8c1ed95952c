#include "ui/HintWindow.h"

namespace ui {
namespace {

constexpr int kPadding = 2;  // between the border and the text
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

} // namespace

const ClassInfo HintWindow::kClass{"THintWindow", &WinControl::kClass};

HintWindow::HintWindow(Component* owner) : WinControl(owner) {
    visible_ = false;
    color_ = clInfoBk;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    SetFont(Font::FromLogFont(metrics.lfStatusFont, clInfoText));
}

void HintWindow::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.style = WS_POPUP | WS_BORDER;
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.classStyle = CS_SAVEBITS | CS_DROPSHADOW;
    params.parent = nullptr;
}

RECT HintWindow::CalcHintRect(int maxWidth, const std::wstring& text) {
    RECT rect{0, 0, maxWidth, 0};
    WindowDc screen(nullptr);
    Canvas canvas(screen.get());
    canvas.font = GetFont();
    canvas.DrawText(text, rect, kTextFormat | DT_CALCRECT);
    rect.right += 2 * kPadding + 4;
    rect.bottom += 2 * kPadding + 2;
    return rect;
}

void HintWindow::ActivateHint(const RECT& rect, const std::wstring& text) {
    SetCaption(text);
    SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    visible_ = true;
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, Width(), Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void HintWindow::ReleaseHint() {
    visible_ = false;
    if (HandleAllocated()) {
        ShowWindow(HandleIfAllocated(), SW_HIDE);
    }
}

void HintWindow::WndProc(Message& message) {
    switch (message.msg) {
    case WM_NCHITTEST:
        message.result = HTTRANSPARENT;
        return;
    case WM_PAINT: {
        PaintDc dc(HandleIfAllocated());
        RECT area = ClientRect();
        InflateRect(&area, -kPadding, -kPadding);
        Canvas canvas(dc.get());
        canvas.font = GetFont();
        canvas.brushClear = true;
        canvas.DrawText(Caption(), area, kTextFormat);
        return;
    }
    default:
        WinControl::WndProc(message);
    }
}

} // namespace ui
