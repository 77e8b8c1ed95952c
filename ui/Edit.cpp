#include "ui/Edit.h"

namespace ui {
const ClassInfo Edit::kCustomEditClass{"TCustomEdit", &WinControl::kClass};
const ClassInfo Edit::kClass{"TEdit", &kCustomEditClass};

Edit::Edit(Component* owner) : WinControl(owner) {
    tabStop = true;
    color_ = clWindow;
}

void Edit::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"EDIT";
    params.style |= ES_AUTOHSCROLL | ES_LEFT;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void Edit::HandleCreated() {
    WinControl::HandleCreated();
    if (passwordChar_ != 0) {
        SendMessageW(HandleIfAllocated(), EM_SETPASSWORDCHAR, passwordChar_, 0);
    }
}

void Edit::SetPasswordChar(wchar_t character) {
    passwordChar_ = character;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), EM_SETPASSWORDCHAR, character, 0);
        Invalidate();
    }
}

void Edit::WndProc(Message& message) {
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == EN_CHANGE) {
        if (OnChange && !Destroying()) {
            OnChange(*this);
        }
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
