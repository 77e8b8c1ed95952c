#include "ui/ComboBox.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace ui {
namespace {

constexpr std::array<std::string_view, 3> kStyleNames{"csDropDown", "csDropDownList", "csSimple"};

const PropertyInfo kComboProperties[] = {
    {"Style", [](const Component& c) { return std::string(kStyleNames[size_t(static_cast<const CustomCombo&>(c).Style())]); },
     [](Component& c, std::string_view v) {
         for (size_t i = 0; i < kStyleNames.size(); ++i) {
             if (SameAscii(v, kStyleNames[i])) {
                 static_cast<CustomCombo&>(c).SetStyle(ComboStyle(i));
                 return;
             }
         }
         throw PropertyError("not a combo box style");
     }},
    {"ItemIndex", [](const Component& c) { return IntToText(static_cast<const CustomCombo&>(c).ItemIndex()); },
     [](Component& c, std::string_view v) { static_cast<CustomCombo&>(c).SetItemIndex(int(TextToInt(v))); }},
    {"Text", [](const Component& c) { return WideToUtf8(static_cast<const CustomCombo&>(c).Text()); },
     [](Component& c, std::string_view v) { static_cast<CustomCombo&>(c).SetText(Utf8ToWide(v)); }},
};

const ClassInfo kCustomCombo{"TCustomCombo", &WinControl::kClass, kComboProperties};
const ClassInfo kCustomComboBox{"TCustomComboBox", &kCustomCombo};
const ClassInfo kCustomComboBoxEx{"TCustomComboBoxEx", &kCustomCombo};

DWORD StyleBits(ComboStyle style) {
    switch (style) {
    case ComboStyle::DropDownList: return CBS_DROPDOWNLIST;
    case ComboStyle::Simple: return CBS_SIMPLE;
    case ComboStyle::DropDown: break;
    }
    return CBS_DROPDOWN;
}

} // namespace

const ClassInfo ComboBox::kClass{"TComboBox", &kCustomComboBox};
const ClassInfo ComboBoxEx::kClass{"TComboBoxEx", &kCustomComboBoxEx};

CustomCombo::CustomCombo(Component* owner) : WinControl(owner) {
    tabStop = true;
    color_ = clWindow;
}

void CustomCombo::SetStyle(ComboStyle style) {
    if (style == style_) {
        return;
    }
    style_ = style;
    if (HandleAllocated()) {
        const int index = ItemIndex();
        DestroyHandle();
        itemIndex_ = index;
        HandleNeeded();
    }
}

void CustomCombo::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.style |= StyleBits(style_) | CBS_AUTOHSCROLL | WS_VSCROLL;
    params.height += DropDownRoom();
}

int CustomCombo::DropDownRoom() const {
    if (style_ == ComboStyle::Simple) {
        return 0;
    }
    constexpr int kItemHeightBeforeWindow = 16;
    HWND window = HandleIfAllocated();
    const int itemHeight = window != nullptr ? int(SendMessageW(window, CB_GETITEMHEIGHT, 0, 0)) : 0;
    return std::max(dropDownCount, 1) * (itemHeight > 0 ? itemHeight : kItemHeightBeforeWindow) + 2;
}

void CustomCombo::BoundsChanged(const RECT&) {
    if (HWND window = HandleIfAllocated()) {
        SetWindowPos(window, nullptr, Left(), Top(), Width(), Height() + DropDownRoom(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CustomCombo::HandleCreated() {
    WinControl::HandleCreated();
    BoundsChanged(BoundsRect());  // the list's room by the real item height
    for (const std::wstring& item : items_) {
        AddNativeItem(item);
    }
    if (itemIndex_ >= 0) {
        SendMessageW(HandleIfAllocated(), CB_SETCURSEL, WPARAM(itemIndex_), 0);
    }
}

void CustomCombo::AddItem(const std::wstring& text) {
    items_.push_back(text);
    if (HandleAllocated()) {
        AddNativeItem(text);
    }
}

void CustomCombo::ClearItems() {
    items_.clear();
    itemIndex_ = -1;
    notifiedIndex_ = -1;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, CB_RESETCONTENT, 0, 0);
    }
}

int CustomCombo::ItemIndex() const {
    if (HWND window = HandleIfAllocated()) {
        return int(SendMessageW(window, CB_GETCURSEL, 0, 0));
    }
    return itemIndex_;
}

void CustomCombo::SetItemIndex(int index) {
    if (index < -1 || index >= int(items_.size())) {
        index = -1;
    }
    itemIndex_ = index;
    notifiedIndex_ = index;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, CB_SETCURSEL, WPARAM(index), 0);
    }
}

void CustomCombo::FireChange() {
    if (OnChange && !Destroying()) {
        OnChange(*this);
    }
}

void CustomCombo::WndProc(Message& message) {
    if (message.msg == CN_COMMAND) {
        switch (HIWORD(message.wParam)) {
        case CBN_SELCHANGE:
            if (const int index = ItemIndex(); index != notifiedIndex_) {
                notifiedIndex_ = index;
                FireChange();
            }
            return;
        case CBN_EDITCHANGE:
            notifiedIndex_ = ItemIndex();
            FireChange();
            return;
        default:
            break;
        }
    }
    if (message.msg == WM_NCDESTROY) {
        itemIndex_ = ItemIndex();
    }
    WinControl::WndProc(message);
}

void ComboBox::CreateParams(WindowCreateParams& params) {
    CustomCombo::CreateParams(params);
    params.baseClass = L"COMBOBOX";
}

void ComboBox::AddNativeItem(const std::wstring& text) {
    SendMessageW(HandleIfAllocated(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBoxEx::CreateParams(WindowCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_USEREX_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
    CustomCombo::CreateParams(params);
    params.baseClass = WC_COMBOBOXEXW;
}

void ComboBoxEx::AddNativeItem(const std::wstring& text) {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = -1;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(HandleIfAllocated(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

HWND ComboBoxEx::ComboHandle() const {
    HWND window = HandleIfAllocated();
    return window != nullptr ? reinterpret_cast<HWND>(SendMessageW(window, CBEM_GETCOMBOCONTROL, 0, 0)) : nullptr;
}

} // namespace ui
