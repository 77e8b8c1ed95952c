#include "ui/Memo.h"

#include "ui/Edit.h"

#include <array>

namespace ui {
namespace {

constexpr std::array<std::string_view, 4> kScrollStyles{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

const PropertyInfo kMemoProperties[] = {
    {"ScrollBars", [](const Component& c) { return std::string(kScrollStyles[size_t(static_cast<const Memo&>(c).ScrollBars())]); },
     [](Component& c, std::string_view value) {
         for (size_t i = 0; i < kScrollStyles.size(); ++i) {
             if (SameAscii(value, kScrollStyles[i])) {
                 static_cast<Memo&>(c).SetScrollBars(ScrollStyle(i));
                 return;
             }
         }
         throw PropertyError("not a scroll-bar style: " + std::string(value));
     }},
    BorderStyleProperty<Memo>(),
};

const ClassInfo kCustomMemo{"TCustomMemo", &Edit::kCustomEditClass};

} // namespace

const ClassInfo Memo::kClass{"TMemo", &kCustomMemo, kMemoProperties};

Memo::Memo(Component* owner) : WinControl(owner) {
    tabStop = true;
    color_ = clWindow;
}

void Memo::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"EDIT";
    params.style |= ES_MULTILINE | ES_WANTRETURN | ES_LEFT | ES_AUTOVSCROLL;
    if (scrollBars_ == ScrollStyle::Vertical || scrollBars_ == ScrollStyle::Both) {
        params.style |= WS_VSCROLL;
    }
    if (scrollBars_ == ScrollStyle::Horizontal || scrollBars_ == ScrollStyle::Both) {
        params.style |= WS_HSCROLL | ES_AUTOHSCROLL;
    }
    params.exStyle |= BorderExStyle(border_);
}

int Memo::LineCount() const {
    if (!HandleAllocated()) {
        return 1;
    }
    return int(SendMessageW(HandleIfAllocated(), EM_GETLINECOUNT, 0, 0));
}

void Memo::SetScrollBars(ScrollStyle bars) {
    if (bars != scrollBars_) {
        scrollBars_ = bars;
        RecreateWnd();
    }
}

void Memo::SetBorderStyle(ControlBorder border) {
    if (border != border_) {
        border_ = border;
        RecreateWnd();
    }
}

void Memo::WndProc(Message& message) {
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == EN_CHANGE) {
        if (OnChange && !Destroying()) {
            OnChange(*this);
        }
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
