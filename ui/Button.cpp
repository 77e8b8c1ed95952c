#include "ui/Button.h"

#include "ui/Form.h"

namespace ui {
namespace {

const ClassInfo kButtonControl{"TButtonControl", &WinControl::kClass};
const ClassInfo kCustomCheckBox{"TCustomCheckBox", &kButtonControl};

} // namespace

const ClassInfo Button::kClass{"TButton", &kButtonControl};
const ClassInfo CheckBox::kClass{"TCheckBox", &kCustomCheckBox};

Button::Button(Component* owner) : WinControl(owner) { tabStop = true; }

void Button::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"BUTTON";
    params.style |= isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void Button::Click() {
    if (modalResult != mrNone) {
        if (Form* form = ParentForm()) {
            form->SetModalResult(modalResult);
        }
    }
    WinControl::Click();
}

void Button::WndProc(Message& message) {
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        Click();
        return;
    }
    WinControl::WndProc(message);
}

CheckBox::CheckBox(Component* owner) : WinControl(owner) {
    tabStop = true;
    parentColor = true;
}

void CheckBox::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"BUTTON";
    params.style |= BS_AUTOCHECKBOX;
}

bool CheckBox::Checked() const {
    if (HWND window = HandleIfAllocated()) {
        return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return checked_;
}

void CheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void CheckBox::WndProc(Message& message) {
    if (message.msg == WM_CREATE) {
        DefaultHandler(message);
        SendMessageW(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        checked_ = SendMessageW(HandleIfAllocated(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        Click();
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
