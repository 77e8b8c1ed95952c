#include "ui/Button.h"

#include "ui/Form.h"

namespace ui {
namespace {

const PropertyInfo kButtonProperties[] = {BoolFieldProperty<Button, &Button::isDefault>("Default")};

constexpr std::string_view kCheckStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};

const PropertyInfo kCheckBoxProperties[] = {
    {"State",
     [](const Component& c) {
         return std::string(kCheckStateNames[int(static_cast<const CheckBox&>(c).State())]);
     },
     [](Component& c, std::string_view v) {
         for (int i = 0; i < 3; ++i) {
             if (SameAscii(v, kCheckStateNames[i])) {
                 static_cast<CheckBox&>(c).SetState(CheckBoxState(i));
                 return;
             }
         }
         throw PropertyError("not a check box state");
     }},
    {"Checked", [](const Component& c) { return BoolToText(static_cast<const CheckBox&>(c).Checked()); },
     [](Component& c, std::string_view v) { static_cast<CheckBox&>(c).SetChecked(TextToBool(v)); }},
};

const PropertyInfo kRadioButtonProperties[] = {
    {"Checked", [](const Component& c) { return BoolToText(static_cast<const RadioButton&>(c).Checked()); },
     [](Component& c, std::string_view v) { static_cast<RadioButton&>(c).SetChecked(TextToBool(v)); }},
};

const ClassInfo kButtonControl{"TButtonControl", &WinControl::kClass};
const ClassInfo kCustomCheckBox{"TCustomCheckBox", &kButtonControl, kCheckBoxProperties};

WPARAM CheckMessageValue(CheckBoxState state) {
    switch (state) {
    case CheckBoxState::Checked: return BST_CHECKED;
    case CheckBoxState::Grayed: return BST_INDETERMINATE;
    case CheckBoxState::Unchecked: break;
    }
    return BST_UNCHECKED;
}

CheckBoxState StateOfCheckMessage(LRESULT check) {
    if (check == BST_CHECKED) {
        return CheckBoxState::Checked;
    }
    return check == BST_INDETERMINATE ? CheckBoxState::Grayed : CheckBoxState::Unchecked;
}

} // namespace

const ClassInfo Button::kClass{"TButton", &kButtonControl, kButtonProperties};
const ClassInfo CheckBox::kClass{"TCheckBox", &kCustomCheckBox};
const ClassInfo RadioButton::kClass{"TRadioButton", &kButtonControl, kRadioButtonProperties};

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
    params.style |= allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

bool CheckBox::Checked() const { return State() == CheckBoxState::Checked; }

void CheckBox::SetChecked(bool checked) { SetState(checked ? CheckBoxState::Checked : CheckBoxState::Unchecked); }

void CheckBox::SetAllowGrayed(bool allow) {
    allowGrayed_ = allow;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, BM_SETSTYLE, allow ? BS_AUTO3STATE : BS_AUTOCHECKBOX, TRUE);
    }
}

CheckBoxState CheckBox::State() const {
    if (HWND window = HandleIfAllocated()) {
        return StateOfCheckMessage(SendMessageW(window, BM_GETCHECK, 0, 0));
    }
    return state_;
}

void CheckBox::SetState(CheckBoxState state) {
    if (state == CheckBoxState::Grayed && !allowGrayed_) {
        state = CheckBoxState::Unchecked;
    }
    state_ = state;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, BM_SETCHECK, CheckMessageValue(state), 0);
    }
}

void CheckBox::WndProc(Message& message) {
    if (message.msg == WM_CREATE) {
        DefaultHandler(message);
        SendMessageW(HandleIfAllocated(), BM_SETCHECK, CheckMessageValue(state_), 0);
        return;
    }
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        state_ = State();
        Click();
        return;
    }
    WinControl::WndProc(message);
}

RadioButton::RadioButton(Component* owner) : WinControl(owner) {
    tabStop = true;
    parentColor = true;
}

void RadioButton::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"BUTTON";
    params.style |= BS_RADIOBUTTON;
}

bool RadioButton::Checked() const {
    if (HWND window = HandleIfAllocated()) {
        return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return checked_;
}

void RadioButton::SetChecked(bool checked) {
    checked_ = checked;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (!checked || Parent() == nullptr) {
        return;
    }
    // The buttons of one parent form one group.
    for (Control* sibling : Parent()->Controls()) {
        auto* radio = dynamic_cast<RadioButton*>(sibling);
        if (radio != nullptr && radio != this && radio->Checked()) {
            radio->SetChecked(false);
        }
    }
}

void RadioButton::WndProc(Message& message) {
    if (message.msg == WM_CREATE) {
        DefaultHandler(message);
        SendMessageW(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        SetChecked(true);
        Click();
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
