#include "ui/ListBox.h"

namespace ui {
namespace {

const PropertyInfo kListBoxProperties[] = {
    {"ItemIndex", [](const Component& c) { return IntToText(static_cast<const ListBox&>(c).ItemIndex()); },
     [](Component& c, std::string_view value) { static_cast<ListBox&>(c).SetItemIndex(int(TextToInt(value))); }},
    {"Sorted", [](const Component& c) { return BoolToText(static_cast<const ListBox&>(c).Sorted()); },
     [](Component& c, std::string_view value) { static_cast<ListBox&>(c).SetSorted(TextToBool(value)); }},
    BorderStyleProperty<ListBox>(),
};

const ClassInfo kCustomListBox{"TCustomListBox", &WinControl::kClass};

} // namespace

const ClassInfo ListBox::kClass{"TListBox", &kCustomListBox, kListBoxProperties};

ListBox::ListBox(Component* owner) : WinControl(owner) {
    tabStop = true;
    color_ = clWindow;
}

void ListBox::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"LISTBOX";
    params.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (sorted_) {
        params.style |= LBS_SORT;
    }
    params.exStyle |= BorderExStyle(border_);
}

void ListBox::HandleCreated() {
    WinControl::HandleCreated();
    FillWindow();
}

void ListBox::FillWindow() {
    HWND window = HandleIfAllocated();
    SendMessageW(window, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items_) {
        SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(window, LB_SETCURSEL, WPARAM(itemIndex_), 0);
}

std::vector<std::wstring> ListBox::Items() const {
    if (!HandleAllocated()) {
        return items_;
    }
    std::vector<std::wstring> shown;
    HWND window = HandleIfAllocated();
    const int count = int(SendMessageW(window, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = int(SendMessageW(window, LB_GETTEXTLEN, WPARAM(i), 0));
        std::wstring text(size_t(length < 0 ? 0 : length) + 1, L'\0');
        SendMessageW(window, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(size_t(length < 0 ? 0 : length));
        shown.push_back(std::move(text));
    }
    return shown;
}

void ListBox::AddItem(const std::wstring& text) {
    items_.push_back(text);
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void ListBox::SetItems(const std::vector<std::wstring>& items) {
    items_ = items;
    itemIndex_ = -1;
    if (HandleAllocated()) {
        FillWindow();
    }
}

void ListBox::Clear() { SetItems({}); }

int ListBox::ItemIndex() const {
    if (!HandleAllocated()) {
        return itemIndex_;
    }
    const LRESULT selected = SendMessageW(HandleIfAllocated(), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : int(selected);
}

void ListBox::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) {
        index = -1;  // out of range selects nothing
    }
    itemIndex_ = index;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), LB_SETCURSEL, WPARAM(index), 0);
    }
}

void ListBox::SetSorted(bool sorted) {
    if (sorted != sorted_) {
        itemIndex_ = -1;
        sorted_ = sorted;
        RecreateWnd();
    }
}

void ListBox::SetBorderStyle(ControlBorder border) {
    if (border != border_) {
        itemIndex_ = ItemIndex();
        border_ = border;
        RecreateWnd();
    }
}

void ListBox::WndProc(Message& message) {
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == LBN_SELCHANGE) {
        itemIndex_ = ItemIndex();
        if (OnClick && !Destroying()) {
            OnClick(*this);
        }
        if (OnChange && !Destroying()) {
            OnChange(*this);
        }
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
