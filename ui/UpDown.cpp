#include "ui/UpDown.h"

#include "ui/Edit.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

namespace ui {
namespace {

const PropertyInfo kUpDownProperties[] = {
    {"Position", [](const Component& c) { return IntToText(static_cast<const UpDown&>(c).Position()); },
     [](Component& c, std::string_view v) { static_cast<UpDown&>(c).SetPosition(int(TextToInt(v))); }},
    {"Min", [](const Component& c) { return IntToText(static_cast<const UpDown&>(c).Min()); },
     [](Component& c, std::string_view v) {
         auto& upDown = static_cast<UpDown&>(c);
         upDown.SetRange(int(TextToInt(v)), upDown.Max());
     }},
    {"Max", [](const Component& c) { return IntToText(static_cast<const UpDown&>(c).Max()); },
     [](Component& c, std::string_view v) {
         auto& upDown = static_cast<UpDown&>(c);
         upDown.SetRange(upDown.Min(), int(TextToInt(v)));
     }},
    {"Orientation",
     [](const Component& c) {
         return std::string(static_cast<const UpDown&>(c).Orientation() == UpDownOrientation::Horizontal ? "udHorizontal"
                                                                                                       : "udVertical");
     },
     [](Component& c, std::string_view v) {
         if (SameAscii(v, "udHorizontal")) {
             static_cast<UpDown&>(c).SetOrientation(UpDownOrientation::Horizontal);
         } else if (SameAscii(v, "udVertical")) {
             static_cast<UpDown&>(c).SetOrientation(UpDownOrientation::Vertical);
         } else {
             throw PropertyError("not an up-down orientation");
         }
     }},
};

const ClassInfo kCustomUpDown{"TCustomUpDown", &WinControl::kClass, kUpDownProperties};

void EnsureUpDownClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

} // namespace

const ClassInfo UpDown::kClass{"TUpDown", &kCustomUpDown};

UpDown::UpDown(Component* owner) : WinControl(owner) {}

void UpDown::CreateParams(WindowCreateParams& params) {
    EnsureUpDownClass();
    WinControl::CreateParams(params);
    params.baseClass = UPDOWN_CLASSW;
    params.style |= UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    if (associate_) {
        params.style |= UDS_ALIGNRIGHT;
    }
    if (orientation_ == UpDownOrientation::Horizontal) {
        params.style |= UDS_HORZ;
    }
}

void UpDown::HandleCreated() {
    WinControl::HandleCreated();
    HWND window = HandleIfAllocated();
    SendMessageW(window, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessageW(window, UDM_SETPOS32, 0, LPARAM(position_));
    ApplyBuddy();
}

void UpDown::ApplyBuddy() {
    HWND window = HandleIfAllocated();
    if (window == nullptr || !associate_) {
        return;
    }
    SendMessageW(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageW(window, UDM_SETPOS32, 0, LPARAM(position_));
}

int UpDown::Position() const {
    if (HWND window = HandleIfAllocated()) {
        return int(SendMessageW(window, UDM_GETPOS32, 0, 0));
    }
    return position_;
}

void UpDown::SetPosition(int position) {
    position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, UDM_SETPOS32, 0, LPARAM(position_));
    }
}

void UpDown::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    if (HWND window = HandleIfAllocated()) {
        SendMessageW(window, UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    }
    SetPosition(Position());
}

void UpDown::WndProc(Message& message) {
    // The system's up-down tells its parent of every step, reflected here;
    // SB_ENDSCROLL follows without a change.
    if ((message.msg == CN_VSCROLL || message.msg == CN_HSCROLL) && LOWORD(message.wParam) == SB_THUMBPOSITION) {
        const int now = Position();
        const bool moved = now != position_;
        position_ = now;
        if (moved && OnChange && !Destroying()) {
            OnChange(*this);
        }
        message.result = 0;
        return;
    }
    WinControl::WndProc(message);
}

void UpDown::SetAssociate(Edit* edit) {
    associate_ = edit;
    ApplyBuddy();
}

void UpDown::SetOrientation(UpDownOrientation orientation) {
    if (orientation == orientation_) {
        return;
    }
    orientation_ = orientation;
    if (HandleAllocated()) {
        const int position = Position();
        DestroyHandle();
        position_ = position;
        HandleNeeded();
    }
}

} // namespace ui
