#include "ui/TabControl.h"

#include "ui/CommonControls.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace ui {
namespace {

constexpr std::array<std::pair<TabPosition, std::string_view>, 4> kPositionNames{{
    {TabPosition::Top, "tpTop"},
    {TabPosition::Bottom, "tpBottom"},
    {TabPosition::Left, "tpLeft"},
    {TabPosition::Right, "tpRight"},
}};

constexpr std::array<std::pair<TabStyle, std::string_view>, 3> kStyleNames{{
    {TabStyle::Tabs, "tsTabs"},
    {TabStyle::Buttons, "tsButtons"},
    {TabStyle::FlatButtons, "tsFlatButtons"},
}};

template <class Enum, size_t N>
std::string NameOf(const std::array<std::pair<Enum, std::string_view>, N>& names, Enum value) {
    for (const auto& [entry, name] : names) {
        if (entry == value) {
            return std::string(name);
        }
    }
    return std::string(names[0].second);
}

template <class Enum, size_t N>
Enum ValueOf(const std::array<std::pair<Enum, std::string_view>, N>& names, std::string_view text) {
    for (const auto& [entry, name] : names) {
        if (SameAscii(name, text)) {
            return entry;
        }
    }
    throw PropertyError("not a value of this property: " + std::string(text));
}

const PropertyInfo kTabControlProperties[] = {
    {"TabPosition",
     [](const Component& c) { return NameOf(kPositionNames, static_cast<const TabControl&>(c).GetTabPosition()); },
     [](Component& c, std::string_view v) {
         static_cast<TabControl&>(c).SetTabPosition(ValueOf(kPositionNames, v));
     }},
    {"Style", [](const Component& c) { return NameOf(kStyleNames, static_cast<const TabControl&>(c).Style()); },
     [](Component& c, std::string_view v) { static_cast<TabControl&>(c).SetStyle(ValueOf(kStyleNames, v)); }},
    {"TabIndex", [](const Component& c) { return IntToText(static_cast<const TabControl&>(c).TabIndex()); },
     [](Component& c, std::string_view v) { static_cast<TabControl&>(c).SetTabIndex(int(TextToInt(v))); }},
};

} // namespace

extern const ClassInfo kCustomTabControl;
const ClassInfo kCustomTabControl{"TCustomTabControl", &WinControl::kClass, kTabControlProperties};
const ClassInfo TabControl::kClass{"TTabControl", &kCustomTabControl};

TabControl::TabControl(Component* owner) : WinControl(owner) {
    tabStop = true;
    bounds_ = RECT{0, 0, 289, 193};
}

void TabControl::CreateParams(WindowCreateParams& params) {
    EnsureCommonControls(ICC_TAB_CLASSES);
    WinControl::CreateParams(params);
    params.baseClass = WC_TABCONTROLW;
    switch (position_) {
    case TabPosition::Bottom: params.style |= TCS_BOTTOM; break;
    // Side tabs only come in several rows.
    case TabPosition::Left: params.style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case TabPosition::Right: params.style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    default: break;
    }
    if (style_ == TabStyle::Buttons) params.style |= TCS_BUTTONS;
    if (style_ == TabStyle::FlatButtons) params.style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TabControl::HandleCreated() {
    WinControl::HandleCreated();
    const HWND window = HandleIfAllocated();
    for (int i = 0; i < TabCount(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = tabs_[size_t(i)].data();
        SendMessageW(window, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    if (tabIndex_ >= 0) {
        SendMessageW(window, TCM_SETCURSEL, WPARAM(tabIndex_), 0);
    }
}

void TabControl::AddTab(const std::wstring& text) {
    tabs_.push_back(text);
    if (HandleAllocated()) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = tabs_.back().data();
        SendMessageW(HandleIfAllocated(), TCM_INSERTITEMW, WPARAM(TabCount() - 1), reinterpret_cast<LPARAM>(&item));
    }
    if (tabIndex_ < 0) {
        SetTabIndex(0);
    }
}

void TabControl::SetTabText(int index, const std::wstring& text) {
    if (index < 0 || index >= TabCount()) {
        return;
    }
    tabs_[size_t(index)] = text;
    if (HandleAllocated()) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = tabs_[size_t(index)].data();
        SendMessageW(HandleIfAllocated(), TCM_SETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    }
}

void TabControl::DeleteTab(int index) {
    if (index < 0 || index >= TabCount()) {
        return;
    }
    const int selected = TabIndex();
    tabs_.erase(tabs_.begin() + index);
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), TCM_DELETEITEM, WPARAM(index), 0);
    }
    // The selection stays on its tab, or moves to a neighbour of the one gone.
    int next = selected;
    if (selected > index || selected >= TabCount()) {
        next = selected - 1;
    }
    if (next < 0 && TabCount() > 0) {
        next = 0;
    }
    tabIndex_ = -1;
    SetTabIndex(next);
}

void TabControl::ClearTabs() {
    tabs_.clear();
    tabIndex_ = -1;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), TCM_DELETEALLITEMS, 0, 0);
    }
    SelectionChanged();
}

int TabControl::TabIndex() const {
    if (HandleAllocated()) {
        return int(SendMessageW(HandleIfAllocated(), TCM_GETCURSEL, 0, 0));
    }
    return tabIndex_;
}

void TabControl::SetTabIndex(int index) {
    if (index < -1 || index >= TabCount()) {
        return;
    }
    tabIndex_ = index;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), TCM_SETCURSEL, WPARAM(index), 0);
    }
    SelectionChanged();
}

void TabControl::SetTabPosition(TabPosition position) {
    position_ = position;
    ApplyStyle();
}

void TabControl::SetStyle(TabStyle style) {
    style_ = style;
    ApplyStyle();
}

void TabControl::ApplyStyle() {
    if (!HandleAllocated()) {
        return;
    }
    WindowCreateParams params;
    CreateParams(params);
    constexpr DWORD kOurs = TCS_BOTTOM | TCS_VERTICAL | TCS_MULTILINE | TCS_BUTTONS | TCS_FLATBUTTONS;
    const HWND window = HandleIfAllocated();
    const DWORD style = DWORD(GetWindowLongPtrW(window, GWL_STYLE));
    SetWindowLongPtrW(window, GWL_STYLE, LONG_PTR((style & ~kOurs) | (params.style & kOurs)));
    // The native control lays its tabs out again on a size change.
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SendMessageW(window, WM_SIZE, 0, MAKELPARAM(Width(), Height()));
    SelectionChanged();
    Invalidate();
}

RECT TabControl::DisplayRect() {
    RECT rect = ClientRect();
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    }
    return rect;
}

void TabControl::WndProc(Message& message) {
    // Only a real notification header (the skin engine's own message of
    // this number carries a small number).
    if (message.msg == CN_NOTIFY && message.lParam > 0xFFFF) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
        if (header->code == UINT(TCN_SELCHANGE)) {
            tabIndex_ = TabIndex();
            SelectionChanged();
            if (OnChange && !Destroying()) {
                OnChange(*this);
            }
        }
        message.result = 0;
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
