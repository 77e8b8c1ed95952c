#include "ui/HeaderControl.h"

#include "ui/CommonControls.h"

#include <commctrl.h>

namespace ui {
namespace {

const ClassInfo kCustomHeaderControl{"TCustomHeaderControl", &WinControl::kClass};

int FormatOf(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right: return HDF_RIGHT;
    case Alignment::Center: return HDF_CENTER;
    default: return HDF_LEFT;
    }
}

} // namespace

const ClassInfo HeaderControl::kClass{"THeaderControl", &kCustomHeaderControl};

HeaderControl::HeaderControl(Component* owner) : WinControl(owner) {
    bounds_ = RECT{0, 0, 200, 17};
    align_ = Align::Top;
}

void HeaderControl::CreateParams(WindowCreateParams& params) {
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    WinControl::CreateParams(params);
    params.baseClass = WC_HEADERW;
    params.style |= HDS_BUTTONS | HDS_HORZ | HDS_HOTTRACK;
}

void HeaderControl::HandleCreated() {
    WinControl::HandleCreated();
    for (int i = 0; i < SectionCount(); ++i) {
        InsertNative(i);
    }
}

void HeaderControl::InsertNative(int index) {
    HeaderSection& section = sections_[size_t(index)];
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = section.text.data();
    item.cxy = section.width;
    item.fmt = HDF_STRING | FormatOf(section.alignment);
    SendMessageW(HandleIfAllocated(), HDM_INSERTITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

void HeaderControl::AddSection(const HeaderSection& section) {
    sections_.push_back(section);
    if (HandleAllocated()) {
        InsertNative(SectionCount() - 1);
    }
}

void HeaderControl::ClearSections() {
    sections_.clear();
    if (HandleAllocated()) {
        while (SendMessageW(HandleIfAllocated(), HDM_DELETEITEM, 0, 0)) {
        }
    }
}

void HeaderControl::WndProc(Message& message) {
    if (message.msg == CN_NOTIFY && message.lParam > 0xFFFF) {
        const auto* header = reinterpret_cast<const NMHEADERW*>(message.lParam);
        if (header->hdr.code == UINT(HDN_ITEMCLICKW) && OnSectionClick && !Destroying()) {
            OnSectionClick(*this, header->iItem);
        }
        message.result = 0;
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
