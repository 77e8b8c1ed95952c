#include "ui/ScrollBar.h"

#include <algorithm>

namespace ui {
namespace {

template <int (ScrollBar::*get)() const, void (ScrollBar::*set)(int)>
PropertyInfo IntProperty(std::string_view name) {
    return {name, [](const Component& c) { return IntToText((static_cast<const ScrollBar&>(c).*get)()); },
            [](Component& c, std::string_view value) { (static_cast<ScrollBar&>(c).*set)(int(TextToInt(value))); }};
}

const PropertyInfo kScrollBarProperties[] = {
    {"Kind",
     [](const Component& c) {
         return std::string(static_cast<const ScrollBar&>(c).Kind() == ScrollBarKind::Horizontal ? "sbHorizontal"
                                                                                                 : "sbVertical");
     },
     [](Component& c, std::string_view value) {
         if (SameAscii(value, "sbHorizontal")) {
             static_cast<ScrollBar&>(c).SetKind(ScrollBarKind::Horizontal);
         } else if (SameAscii(value, "sbVertical")) {
             static_cast<ScrollBar&>(c).SetKind(ScrollBarKind::Vertical);
         } else {
             throw PropertyError("not a scroll-bar kind: " + std::string(value));
         }
     }},
    IntProperty<&ScrollBar::Min, &ScrollBar::SetMin>("Min"),
    IntProperty<&ScrollBar::Max, &ScrollBar::SetMax>("Max"),
    IntProperty<&ScrollBar::Position, &ScrollBar::SetPosition>("Position"),
    IntProperty<&ScrollBar::PageSize, &ScrollBar::SetPageSize>("PageSize"),
};

} // namespace

const ClassInfo ScrollBar::kClass{"TScrollBar", &WinControl::kClass, kScrollBarProperties};

ScrollBar::ScrollBar(Component* owner) : WinControl(owner) { tabStop = true; }

void ScrollBar::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"SCROLLBAR";
    params.style |= kind_ == ScrollBarKind::Vertical ? SBS_VERT : SBS_HORZ;
}

void ScrollBar::HandleCreated() {
    WinControl::HandleCreated();
    PushToWindow();
}

void ScrollBar::SetKind(ScrollBarKind kind) {
    if (kind == kind_) {
        return;
    }
    kind_ = kind;
    RecreateWnd();
}

int ScrollBar::LastPosition() const { return std::max(min_, max_ - std::max(pageSize_ - 1, 0)); }

void ScrollBar::SetPageSize(int page) {
    pageSize_ = std::clamp(page, 0, max_ - min_ + 1);
    SetParams(position_, min_, max_);
}

void ScrollBar::SetParams(int position, int min, int max) {
    max = std::max(max, min);
    min_ = min;
    max_ = max;
    pageSize_ = std::min(pageSize_, max_ - min_ + 1);
    const int clamped = std::clamp(position, min_, LastPosition());
    const bool moved = clamped != position_;
    position_ = clamped;
    PushToWindow();
    if (moved && OnChange && !Destroying()) {
        OnChange(*this);
    }
}

void ScrollBar::PushToWindow() {
    if (!HandleAllocated()) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = min_;
    info.nMax = max_;
    info.nPage = UINT(pageSize_);
    info.nPos = position_;
    SetScrollInfo(HandleIfAllocated(), SB_CTL, &info, TRUE);
}

void ScrollBar::Scroll(WORD code) {
    const int page = std::max(largeChange, 1);
    int target = position_;
    switch (code) {
    case SB_LINEUP: target -= smallChange; break;
    case SB_LINEDOWN: target += smallChange; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_TOP: target = min_; break;
    case SB_BOTTOM: target = max_; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(HandleIfAllocated(), SB_CTL, &info)) {
            target = info.nTrackPos;
        }
        break;
    }
    default:
        return;
    }
    SetPosition(target);
}

void ScrollBar::WndProc(Message& message) {
    if (message.msg == CN_HSCROLL || message.msg == CN_VSCROLL) {
        Scroll(LOWORD(message.wParam));
        message.result = 0;
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
