#include "ui/ListView.h"

#include <commctrl.h>

namespace ui {
namespace {

void EnsureListViewClass() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

const PropertyInfo kListViewProperties[] = {
    {"ViewStyle", [](const Component&) { return std::string("vsReport"); },
     [](Component&, std::string_view value) {
         if (!SameAscii(value, "vsReport")) {
             throw PropertyError("only the report view is offered: " + std::string(value));
         }
     }},
    BorderStyleProperty<ListView>(),
};

const ClassInfo kCustomListView{"TCustomListView", &WinControl::kClass};

} // namespace

const ClassInfo ListView::kClass{"TListView", &kCustomListView, kListViewProperties};

ListView::ListView(Component* owner) : WinControl(owner) {
    tabStop = true;
    color_ = clWindow;
}

void ListView::CreateParams(WindowCreateParams& params) {
    EnsureListViewClass();
    WinControl::CreateParams(params);
    params.baseClass = WC_LISTVIEWW;
    params.style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    params.exStyle |= BorderExStyle(border_);
}

void ListView::HandleCreated() {
    WinControl::HandleCreated();
    SendMessageW(HandleIfAllocated(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < int(columns_.size()); ++i) {
        InsertColumn(i);
    }
    for (int i = 0; i < int(rows_.size()); ++i) {
        InsertRow(i);
    }
}

void ListView::InsertColumn(int index) {
    Column& column = columns_[size_t(index)];
    LVCOLUMNW entry{};
    entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    entry.pszText = column.caption.data();
    entry.cx = column.width;
    entry.iSubItem = index;
    SendMessageW(HandleIfAllocated(), LVM_INSERTCOLUMNW, WPARAM(index), reinterpret_cast<LPARAM>(&entry));
}

void ListView::InsertRow(int index) {
    HWND window = HandleIfAllocated();
    std::vector<std::wstring>& cells = rows_[size_t(index)];
    for (int column = 0; column < int(cells.size()); ++column) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.iSubItem = column;
        item.pszText = cells[size_t(column)].data();
        SendMessageW(window, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, WPARAM(index),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void ListView::AddColumn(const std::wstring& caption, int width) {
    columns_.push_back(Column{caption, width});
    if (HandleAllocated()) {
        InsertColumn(int(columns_.size()) - 1);
    }
}

void ListView::AddItem(const std::vector<std::wstring>& cells) {
    rows_.push_back(cells.empty() ? std::vector<std::wstring>{L""} : cells);
    if (HandleAllocated()) {
        InsertRow(int(rows_.size()) - 1);
    }
}

void ListView::Clear() {
    rows_.clear();
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), LVM_DELETEALLITEMS, 0, 0);
    }
}

std::wstring ListView::Cell(int row, int column) const {
    if (row < 0 || row >= int(rows_.size()) || column < 0 || column >= int(rows_[size_t(row)].size())) {
        return {};
    }
    return rows_[size_t(row)][size_t(column)];
}

int ListView::ItemIndex() const {
    if (!HandleAllocated()) {
        return -1;
    }
    return int(SendMessageW(HandleIfAllocated(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void ListView::SetItemIndex(int index) {
    if (!HandleAllocated()) {
        return;
    }
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(HandleIfAllocated(), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&clear));
    if (index >= 0 && index < ItemCount()) {
        LVITEMW select{};
        select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        select.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(HandleIfAllocated(), LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&select));
        SendMessageW(HandleIfAllocated(), LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
    }
}

HWND ListView::Header() const {
    return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(HandleIfAllocated(), LVM_GETHEADER, 0, 0))
                             : nullptr;
}

void ListView::SetBorderStyle(ControlBorder border) {
    if (border != border_) {
        border_ = border;
        RecreateWnd();
    }
}

void ListView::WndProc(Message& message) {
    if (message.msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
        if (header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(message.lParam);
            if ((change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_SELECTED) != 0 &&
                (change->uOldState & LVIS_SELECTED) == 0 && OnChange && !Destroying()) {
                OnChange(*this);
            }
        }
        message.result = 0;  // the list's own defaults stand
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
