#include "ui/GroupBox.h"

namespace ui {
const ClassInfo GroupBox::kCustomClass{"TCustomGroupBox", &WinControl::kClass};
const ClassInfo GroupBox::kClass{"TGroupBox", &kCustomClass};

GroupBox::GroupBox(Component* owner) : WinControl(owner) { parentColor = true; }

void GroupBox::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"BUTTON";
    // Children clip themselves out of the frame's painting.
    params.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
}

void GroupBox::WndProc(Message& message) {
    // The system's group box answers HTTRANSPARENT, which would send every
    // click on the box's own area to the window behind it.
    if (message.msg == WM_NCHITTEST) {
        message.result = HTCLIENT;
        return;
    }
    // The system's group box draws only its frame and caption and erases
    // nothing; the parent clips its children out, so the rest of the box is
    // ours to fill, in the colour the box takes from its parent.
    if (message.msg == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(HandleIfAllocated(), &client);
        FillRect(reinterpret_cast<HDC>(message.wParam), &client, BackgroundBrush());
        message.result = 1;
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
