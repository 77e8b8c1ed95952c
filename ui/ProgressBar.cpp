#include "ui/ProgressBar.h"

#include "ui/CommonControls.h"

#include <commctrl.h>

namespace ui {
namespace {

const PropertyInfo kProgressBarProperties[] = {
    {"Min", [](const Component& c) { return IntToText(static_cast<const ProgressBar&>(c).Min()); },
     [](Component& c, std::string_view v) { static_cast<ProgressBar&>(c).SetMin(int(TextToInt(v))); }},
    {"Max", [](const Component& c) { return IntToText(static_cast<const ProgressBar&>(c).Max()); },
     [](Component& c, std::string_view v) { static_cast<ProgressBar&>(c).SetMax(int(TextToInt(v))); }},
    {"Position", [](const Component& c) { return IntToText(static_cast<const ProgressBar&>(c).Position()); },
     [](Component& c, std::string_view v) { static_cast<ProgressBar&>(c).SetPosition(int(TextToInt(v))); }},
    {"Orientation",
     [](const Component& c) {
         return std::string(static_cast<const ProgressBar&>(c).Orientation() == BarOrientation::Vertical
                                ? "pbVertical"
                                : "pbHorizontal");
     },
     [](Component& c, std::string_view v) {
         if (!SameAscii(v, "pbVertical") && !SameAscii(v, "pbHorizontal")) {
             throw PropertyError("not an orientation: " + std::string(v));
         }
         static_cast<ProgressBar&>(c).SetOrientation(SameAscii(v, "pbVertical") ? BarOrientation::Vertical
                                                                                : BarOrientation::Horizontal);
     }},
};

} // namespace

const ClassInfo ProgressBar::kClass{"TProgressBar", &WinControl::kClass, kProgressBarProperties};

ProgressBar::ProgressBar(Component* owner) : WinControl(owner) { bounds_ = RECT{0, 0, 150, 16}; }

void ProgressBar::CreateParams(WindowCreateParams& params) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    WinControl::CreateParams(params);
    params.baseClass = PROGRESS_CLASSW;
    if (orientation_ == BarOrientation::Vertical) {
        params.style |= PBS_VERTICAL;
    }
}

void ProgressBar::HandleCreated() {
    WinControl::HandleCreated();
    SendMessageW(HandleIfAllocated(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessageW(HandleIfAllocated(), PBM_SETPOS, WPARAM(position_), 0);
}

void ProgressBar::SetRange(int min, int max) {
    if (max < min) {
        max = min;
    }
    min_ = min;
    max_ = max;
    if (position_ < min_) position_ = min_;
    if (position_ > max_) position_ = max_;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
        SendMessageW(HandleIfAllocated(), PBM_SETPOS, WPARAM(position_), 0);
        Invalidate();
    }
}

void ProgressBar::SetPosition(int position) {
    if (position < min_) position = min_;
    if (position > max_) position = max_;
    position_ = position;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), PBM_SETPOS, WPARAM(position_), 0);
        Invalidate();
    }
}

void ProgressBar::SetOrientation(BarOrientation orientation) {
    orientation_ = orientation;
    if (HandleAllocated()) {
        const HWND window = HandleIfAllocated();
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        SetWindowLongPtrW(window, GWL_STYLE,
                          orientation == BarOrientation::Vertical ? (style | PBS_VERTICAL)
                                                                  : (style & ~LONG_PTR(PBS_VERTICAL)));
        Invalidate();
    }
}

} // namespace ui
