#include "ui/Edit.h"

namespace ui {
namespace {

const PropertyInfo kEditProperties[] = {
    {"ReadOnly", [](const Component& c) { return BoolToText(static_cast<const Edit&>(c).ReadOnly()); },
     [](Component& c, std::string_view v) { static_cast<Edit&>(c).SetReadOnly(TextToBool(v)); }},
};

} // namespace

const ClassInfo Edit::kCustomEditClass{"TCustomEdit", &WinControl::kClass};
const ClassInfo Edit::kClass{"TEdit", &kCustomEditClass, kEditProperties};

Edit::Edit(Component* owner) : WinControl(owner) {
    tabStop = true;
    color_ = clWindow;
}

void Edit::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"EDIT";
    params.style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_) {
        params.style |= ES_READONLY;
    }
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

void Edit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
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
