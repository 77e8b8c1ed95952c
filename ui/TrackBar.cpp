#include "ui/TrackBar.h"

#include "ui/CommonControls.h"

#include <commctrl.h>

namespace ui {
namespace {

const PropertyInfo kTrackBarProperties[] = {
    {"Min", [](const Component& c) { return IntToText(static_cast<const TrackBar&>(c).Min()); },
     [](Component& c, std::string_view v) {
         auto& bar = static_cast<TrackBar&>(c);
         bar.SetRange(int(TextToInt(v)), bar.Max());
     }},
    {"Max", [](const Component& c) { return IntToText(static_cast<const TrackBar&>(c).Max()); },
     [](Component& c, std::string_view v) {
         auto& bar = static_cast<TrackBar&>(c);
         bar.SetRange(bar.Min(), int(TextToInt(v)));
     }},
    {"Position", [](const Component& c) { return IntToText(static_cast<const TrackBar&>(c).Position()); },
     [](Component& c, std::string_view v) { static_cast<TrackBar&>(c).SetPosition(int(TextToInt(v))); }},
};

} // namespace

const ClassInfo TrackBar::kClass{"TTrackBar", &WinControl::kClass, kTrackBarProperties};

TrackBar::TrackBar(Component* owner) : WinControl(owner) {
    tabStop = true;
    bounds_ = RECT{0, 0, 150, 45};
}

void TrackBar::CreateParams(WindowCreateParams& params) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    WinControl::CreateParams(params);
    params.baseClass = TRACKBAR_CLASSW;
    params.style |= TBS_AUTOTICKS | (orientation_ == BarOrientation::Vertical ? TBS_VERT : TBS_HORZ);
}

void TrackBar::HandleCreated() {
    WinControl::HandleCreated();
    SendMessageW(HandleIfAllocated(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(HandleIfAllocated(), TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(HandleIfAllocated(), TBM_SETPOS, TRUE, position_);
}

void TrackBar::SetRange(int min, int max) {
    if (max < min) {
        max = min;
    }
    min_ = min;
    max_ = max;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), TBM_SETRANGEMIN, FALSE, min_);
        SendMessageW(HandleIfAllocated(), TBM_SETRANGEMAX, TRUE, max_);
    }
    SetPosition(Position());
}

int TrackBar::Position() const {
    if (HandleAllocated()) {
        return int(SendMessageW(HandleIfAllocated(), TBM_GETPOS, 0, 0));
    }
    return position_;
}

void TrackBar::SetPosition(int position) {
    if (position < min_) position = min_;
    if (position > max_) position = max_;
    position_ = position;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), TBM_SETPOS, TRUE, position_);
    }
}

void TrackBar::SetOrientation(BarOrientation orientation) {
    orientation_ = orientation;
    if (HandleAllocated()) {
        const HWND window = HandleIfAllocated();
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE) & ~LONG_PTR(TBS_VERT);
        SetWindowLongPtrW(window, GWL_STYLE, orientation == BarOrientation::Vertical ? (style | TBS_VERT) : style);
        Invalidate();
    }
}

} // namespace ui
