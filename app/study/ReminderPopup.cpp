#include "app/study/ReminderPopup.h"

#include "app/WindowReferences.h"
#include "app/study/StudyWindow.h"

#include <windows.h>

namespace app {
namespace {

constexpr wchar_t kDesignCaption[] = L"显示";
constexpr int kClientWidth = 196;
constexpr int kClientHeight = 73;
constexpr unsigned kTickInterval = 500;
constexpr intptr_t kLastFlashingTick = 10;
constexpr intptr_t kLastTick = 100;

const ui::Font kPopupFont{.name = L"新宋体", .height = 19};

struct ControlLayout {
    const char* name;
    ui::WinControl* control;
    int left, top, width, height;
    const wchar_t* text;
};

} // namespace

Tfms::Tfms(ui::Component* owner) : Form(owner) {
    BuildControls();
    OnCreate = [this](ui::Form& sender) { FormCreate(sender); };
    DoCreate();
}

void Tfms::BuildControls() {
    name = "fms";
    borderStyle = ui::BorderStyle::ToolWindow;
    borderIcons = ui::biSystemMenu;
    SetCaption(kDesignCaption);
    SetBounds(0, 0, kClientWidth, kClientHeight);
    SetClientSize(kClientWidth, kClientHeight);

    const ControlLayout layout[] = {
        {"StaticText1", &StaticText1, 0, 0, 196, 23, L"您有未完成任务!"},
        {"Button1", &Button1, 16, 44, 75, 25, L"详细"},
        {"Button2", &Button2, 104, 44, 75, 25, L"关闭"},
    };
    for (const ControlLayout& row : layout) {
        row.control->name = row.name;
        row.control->SetParent(this);
        row.control->SetBounds(row.left, row.top, row.width, row.height);
        row.control->SetCaption(row.text);
        row.control->SetFont(kPopupFont);
    }
    Button1.tabStop = true;
    Button2.tabStop = true;

    Timer1.name = "Timer1";
    Timer1.SetInterval(kTickInterval);
    Timer1.OnTimer = [this](ui::Timer& sender) { Timer1Timer(sender); };
    OnClick = [this](ui::Control& sender) { FormClick(sender); };
    Button1.OnClick = [this](ui::Control& sender) { Button1Click(sender); };
    Button2.OnClick = [this](ui::Control& sender) { Button2Click(sender); };
    OnClose = [this](ui::Form& sender, ui::CloseAction& action) { FormClose(sender, action); };
}

void Tfms::CreateParams(ui::WindowCreateParams& params) {
    Form::CreateParams(params);
    params.className = L"Tfms";
    // An owned pop-up window, as notices are. The skin clips the title of a
    // pop-up window at the caption buttons it really shows (the close box
    // alone here) instead of the room an overlapped window keeps for three,
    // so "Vocara提示" fits the narrow caption whole.
    params.style |= WS_POPUP;
}

void Tfms::FormCreate(ui::Form&) {
    Timer1.tag = 0;
    const HWND window = Handle();
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_TOPMOST);
}

void Tfms::Timer1Timer(ui::Timer&) {
    ++Timer1.tag;
    if (Timer1.tag <= kLastFlashingTick) {
        FlashWindow(Handle(), TRUE);
    } else if (Timer1.tag > kLastTick) {
        Button2Click(*this);
    }
}

void Tfms::FormClick(ui::Control&) { Timer1.SetEnabled(false); }

void Tfms::Button1Click(ui::Control&) {
    Dismiss();
    if (Tfmmain* study = fmmain().get()) {
        study->Show();
    }
}

void Tfms::Button2Click(ui::Control&) { Dismiss(); }

void Tfms::FormClose(ui::Form&, ui::CloseAction& action) {
    action = ui::CloseAction::None;
    Dismiss();
}

void Tfms::PinBottomRight(int right, int bottom) {
    pinned_ = true;
    pin_ = POINT{right, bottom};
    pinnedSize_ = SIZE{Width(), Height()};
    SetTop(bottom - Height());
    SetLeft(right - Width());
}

void Tfms::FollowPin() {
    if (!pinned_ || (Width() == pinnedSize_.cx && Height() == pinnedSize_.cy)) {
        return;
    }
    pinnedSize_ = SIZE{Width(), Height()};
    SetBounds(pin_.x - Width(), pin_.y - Height(), Width(), Height());
}

void Tfms::WndProc(ui::Message& message) {
    Form::WndProc(message);
    if (message.msg == WM_WINDOWPOSCHANGED) {
        FollowPin();
    }
}

void Tfms::Dismiss() {
    if (fms().get() == this) {
        fms().reset();
    }
    // A released popup must neither flash nor close a second time before it
    // is freed.
    Timer1.SetEnabled(false);
    Hide();
    Release();
}

} // namespace app
