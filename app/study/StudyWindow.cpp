#include "app/study/StudyWindow.h"

#include "app/LoginState.h"
#include "app/WindowReferences.h"
#include "app/study/Clock.h"
#include "app/study/NavigationCommands.h"
#include "app/study/NavigationToken.h"
#include "app/study/ReminderPopup.h"
#include "res/ResourceIds.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/CodePage.h"
#include "ui/Screen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cwchar>
#include <utility>

namespace app {
namespace {

constexpr wchar_t kCaption[] = L"Vocara1.4";
constexpr int kDesignClientWidth = 598;
constexpr int kDesignClientHeight = 94;
constexpr int kToolButtonSize = 39;
constexpr int kSeparatorWidth = 8;
constexpr int kLoadingLabelHeight = 23;
constexpr wchar_t kLoadingText[] = L"正在调入,请稍等...";
constexpr wchar_t kReminderCaption[] = L"Vocara提示";
constexpr wchar_t kTrayTip[] = L"Vocara";
constexpr unsigned kClockInterval = 1000;
// The application's owner window on every activation: tool window, topmost.
constexpr LONG_PTR kOwnerExStyle = 136;
constexpr std::array<std::wstring_view, 4> kReminderMinutes{L"00", L"30", L"15", L"45"};

std::wstring TwoDigits(int value) {
    wchar_t text[16] = {};
    std::swprintf(text, std::size(text), L"%02d", value);
    return text;
}

// Floating point halves go to the even neighbour (the default rounding mode).
int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

// What the reminder keeps clear of at the bottom of the screen: the task
// bar's height and 10 pixels. A task bar standing on the left or right edge
// is as tall as the screen and would push the reminder off its top: then only
// the 10 pixels.
int ReminderGap(const RECT& taskbar) {
    const int width = taskbar.right - taskbar.left;
    const int height = taskbar.bottom - taskbar.top;
    return (height > width ? 0 : height) + 10;
}

// Keeps a flag set for the length of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    ~FlagScope() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace

RECT QueryShellTaskbar() {
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &data) == 0) {
        return RECT{0, 0, 0, 0};
    }
    return data.rc;
}

Tfmmain::Tfmmain(ui::Component* owner, std::wstring_view serverBase) : Form(owner), serverBase_(serverBase) {
    BuildControls();
    ConnectEvents();
    OnCreate = [this](ui::Form& sender) { FormCreate(sender); };
    DoCreate();
}

Tfmmain::~Tfmmain() {
    // No clock tick may reach a window on its way out.
    StopClock();
    UnInstallIcon();
}

void Tfmmain::BuildControls() {
    name = "fmmain";
    borderStyle = ui::BorderStyle::Sizeable;
    borderIcons = ui::biSystemMenu;
    SetCaption(kCaption);
    SetClientSize(kDesignClientWidth, kDesignClientHeight);

    BuildToolBar();

    st1.name = "st1";
    st1.SetParent(this);
    st1.SetHeight(kLoadingLabelHeight);
    st1.SetAlign(ui::Align::Top);
    st1.SetCaption(kLoadingText);
    st1.SetFont(ui::Font{.name = L"新宋体", .height = 19, .color = ui::clGreen});

    wb.name = "wb";
    wb.SetParent(this);
    wb.SetAlign(ui::Align::Client);

    PopupMenu1.name = "PopupMenu1";
    h1.name = "h1";
    h1.SetCaption(L"h");
    h1.SetVisible(false);
    N1.name = "N1";
    N1.SetCaption(L"退出系统");
    PopupMenu1.Items().Add(&h1);
    PopupMenu1.Items().Add(&N1);

    Timer1.name = "Timer1";
    Timer1.SetInterval(kClockInterval);
    Timer1.tag = 0;
    ApplicationEvents1.name = "ApplicationEvents1";
}

void Tfmmain::BuildToolBar() {
    ToolBar1.name = "ToolBar1";
    ToolBar1.SetParent(this);
    ToolBar1.SetAlign(ui::Align::Top);
    ToolBar1.SetHeight(kToolButtonSize + 2);
    ToolBar1.SetFlat(true);
    ToolBar1.SetColor(ui::clBtnHighlight);
    ToolBar1.SetFont(ui::Font{.name = L"宋体", .height = 16});
    ToolBar1.SetShowCaptions(true);
    ToolBar1.SetButtonSize(kToolButtonSize, kToolButtonSize);
    LoadToolBarImages();
    ToolBar1.SetImages(&ImageList1);

    struct ButtonRow {
        const char* name;
        ui::ToolButton* button;
        const wchar_t* caption;
        int imageIndex;
        void (Tfmmain::*handler)(ui::Control&);
    };
    const ButtonRow buttons[] = {
        {"tbfst", &tbfst, L"首页", 6, &Tfmmain::tbfstClick},
        {"ToolButton3", &ToolButton3, L"计划", 5, &Tfmmain::ToolButton3Click},
        {"ToolButton1", &ToolButton1, L"历史", 0, &Tfmmain::ToolButton1Click},
        {"ToolButton2", &ToolButton2, L"设置", 1, &Tfmmain::ToolButton2Click},
        {"ToolButton4", &ToolButton4, L"隐藏", 3, &Tfmmain::ToolButton4Click},
    };
    for (const ButtonRow& row : buttons) {
        row.button->name = row.name;
        row.button->SetCaption(row.caption);
        row.button->SetImageIndex(row.imageIndex);
        row.button->OnClick = [this, handler = row.handler](ui::Control& sender) { (this->*handler)(sender); };
        row.button->SetParent(&ToolBar1);
    }
    ToolButton5.name = "ToolButton5";
    ToolButton5.SetStyle(ui::ToolButtonStyle::Separator);
    ToolButton5.SetWidth(kSeparatorWidth);
    ToolButton5.SetParent(&ToolBar1);

    struct ClockRow {
        const char* name;
        ui::Label* label;
        const wchar_t* text;
        int width;
    };
    const ClockRow clock[] = {
        {"sth", &sth, L"00", 20},
        {"stf", &stf, L":", 12},
        {"stm", &stm, L"00", 20},
    };
    for (const ClockRow& row : clock) {
        row.label->name = row.name;
        row.label->SetCaption(row.text);
        row.label->SetBounds(0, 0, row.width, kToolButtonSize);
        row.label->SetParent(&ToolBar1);
    }
}

// The icons by image index; a list that misses one would shift the others
// onto the wrong buttons, so it is then left empty (captions only).
void Tfmmain::LoadToolBarImages() {
    ImageList1.name = "ImageList1";
    const HMODULE module = GetModuleHandleW(nullptr);
    for (int index = 0; index < IDR_TOOLBAR_COUNT; ++index) {
        if (ImageList1.AddPngResource(module, MAKEINTRESOURCEW(IDR_TOOLBAR_FIRST + index)) != index) {
            ImageList1.Clear();
            return;
        }
    }
}

void Tfmmain::ConnectEvents() {
    OnShow = [this](ui::Form& sender) { FormShow(sender); };
    OnActivate = [this](ui::Form& sender) { FormActivate(sender); };
    OnCloseQuery = [this](ui::Form& sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnCanResize = [this](ui::Form& sender, int& w, int& h, bool& resize) { FormCanResize(sender, w, h, resize); };
    OnMouseDown = [this](ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y) {
        FormMouseDown(sender, button, shift, x, y);
    };
    OnMouseMove = [this](ui::Control& sender, ui::ShiftState shift, int x, int y) {
        FormMouseMove(sender, shift, x, y);
    };
    OnMouseUp = [this](ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y) {
        FormMouseUp(sender, button, shift, x, y);
    };
    wb.OnBeforeNavigate2 = [this](WebBrowser& sender, const std::wstring& url, bool& cancel) {
        wbBeforeNavigate2(sender, url, cancel);
    };
    Timer1.OnTimer = [this](ui::Timer& sender) { Timer1Timer(sender); };
    h1.OnClick = [this](ui::MenuItem& sender) { h1Click(sender); };
    N1.OnClick = [this](ui::MenuItem& sender) { N1Click(sender); };
    ApplicationEvents1.OnMessage = [this](MSG& message, bool& handled) {
        ApplicationEvents1Message(message, handled);
    };
}

void Tfmmain::CreateParams(ui::WindowCreateParams& params) {
    Form::CreateParams(params);
    params.className = L"Tfmmain";
}

void Tfmmain::FormCreate(ui::Form&) {
    pageMode_ = 0;
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    ClearMemory();
    InstallIcon();
}

// --- pages ---------------------------------------------------------------------

void Tfmmain::RunSteps(const PageSteps& steps) { RunPageSteps(*this, steps); }

void Tfmmain::SetOuterWidth(int width) {
    pageWidth_ = width;
    SetWidth(width);
}

void Tfmmain::SetOuterHeight(int height) {
    pageHeight_ = height;
    SetHeight(height);
}

// The skin fits its frame to the window once, when its set-up message comes,
// and keeps the client area while it does; the first show has set the outer
// size before that. The page sizes are outer sizes, so the last one asked for
// is set again once the frame is there.
void Tfmmain::KeepOuterSizeThroughSkinSetUp() {
    if (std::exchange(skinSetUp_, true)) {
        return;
    }
    SetBounds(Left(), Top(), pageWidth_ > 0 ? pageWidth_ : Width(), pageHeight_ > 0 ? pageHeight_ : Height());
}

void Tfmmain::OpenAddress(const std::string& pathAndQuery) {
    OpenPage(wb, serverBase_ + skin::AnsiToWide(pathAndQuery));
}

std::string Tfmmain::SessionId() const { return UserInfo().sid; }

void Tfmmain::tbfstClick(ui::Control&) { RunSteps(kHomePageSteps); }
void Tfmmain::ToolButton3Click(ui::Control&) { RunSteps(kPlanPageSteps); }
void Tfmmain::ToolButton1Click(ui::Control&) { RunSteps(kHistoryPageSteps); }
void Tfmmain::ToolButton2Click(ui::Control&) { RunSteps(kSettingsPageSteps); }

void Tfmmain::ToolButton4Click(ui::Control&) {
    Hide();
    ifshow(0);
}

// The replaced page mode is kept apart from the clock's blink phase, so the
// colon goes on blinking whatever mode the window was hidden from.
void Tfmmain::ifshow(int show) {
    if (show == 0) {
        pageModeBeforeHide_ = std::exchange(pageMode_, -1);
    }
}

void Tfmmain::wbBeforeNavigate2(WebBrowser&, const std::wstring& url, bool& cancel) {
    if (RunNavigationCommand(*this, NavigationToken(url))) {
        cancel = true;
    }
}

// --- window events ---------------------------------------------------------------

void Tfmmain::FormShow(ui::Form&) {
    const int top = int(std::trunc(ui::Screen::Height() / 2.0 - 150));
    const int left = int(std::trunc(ui::Screen::Width() / 2.0 - 200));
    SetBounds(left, top, Width(), Height());
    RunSteps(kHomePageSteps);
    DismissReminder();
}

void Tfmmain::FormActivate(ui::Form&) {
    SetWindowLongPtrW(ui::App().Handle(), GWL_EXSTYLE, kOwnerExStyle);
    ToolBar1.SetList(true);
}

// The window never closes: it goes to the tray with the home page loading.
void Tfmmain::FormCloseQuery(ui::Form&, bool& canClose) {
    RunSteps(kHomeAddressOnly);
    Hide();
    canClose = false;
    ifshow(0);
}

void Tfmmain::FormCanResize(ui::Form&, int&, int&, bool&) {}

void Tfmmain::DismissReminder() {
    if (Tfms* popup = fms().get()) {
        popup->Dismiss();
    }
}

// --- clock and reminder ------------------------------------------------------------

void Tfmmain::Timer1Timer(ui::Timer&) {
    if (Timer1.tag == 0) {
        Timer1.tag = 1;
        stf.SetCaption(L" ");
    } else if (Timer1.tag == 1) {
        Timer1.tag = 0;
        stf.SetCaption(L":");
    }
    refreshtm();
}

void Tfmmain::refreshtm() {
    const std::wstring hour = TwoDigits(CurrentClock().Hour());
    const std::wstring minute = TwoDigits(CurrentClock().Minute());
    if (sth.Caption() != hour) {
        sth.SetCaption(hour);
    }
    if (stm.Caption() == minute) {
        return;
    }
    stm.SetCaption(minute);
    if (pageMode_ == 1 && !scriptErrorOpen_) {
        try {
            RunPageScript(wb, L"sbody()", L"javascript");
        } catch (...) {
            // The error box of the failed call; the rest of the tick, the
            // reminder included, is skipped.
            const FlagScope open(scriptErrorOpen_);
            ui::App().HandleException(std::current_exception());
            return;
        }
    }
    if (std::ranges::find(kReminderMinutes, minute) != kReminderMinutes.end()) {
        sfms();
    }
}

void Tfmmain::sfms() {
    const RECT taskbar = QueryTaskbar ? QueryTaskbar() : RECT{0, 0, 0, 0};
    const int gap = ReminderGap(taskbar);
    Tfms* popup = fms().get();
    if (popup == nullptr) {
        popup = &ui::App().Create<Tfms>();
        fms() = popup;
    }
    popup->Show();
    popup->SetCaption(kReminderCaption);
    popup->PinBottomRight(ui::Screen::Width(), ui::Screen::Height() - gap);
}

void Tfmmain::StopClock() { Timer1.SetEnabled(false); }

// --- tray ----------------------------------------------------------------------------

void Tfmmain::InstallIcon() {
    trayIcon_ = NOTIFYICONDATAW{};
    trayIcon_.cbSize = NOTIFYICONDATAW_V1_SIZE;
    trayIcon_.hWnd = Handle();
    trayIcon_.uID = kTrayIconId;
    trayIcon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon_.uCallbackMessage = kTrayIconMessage;
    trayIcon_.hIcon = ui::App().Icon();
    std::wcsncpy(trayIcon_.szTip, kTrayTip, 63);
    Shell_NotifyIconW(NIM_ADD, &trayIcon_);
}

void Tfmmain::UnInstallIcon() {
    if (trayIcon_.hWnd != nullptr) {
        Shell_NotifyIconW(NIM_DELETE, &trayIcon_);
        trayIcon_.hWnd = nullptr;
    }
}

void Tfmmain::WMBarIcon(LPARAM mouseMessage) {
    POINT cursor{};
    GetCursorPos(&cursor);
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        BringToFront();
        SetLeft(RoundHalfEven(ui::Screen::Width() / 2.0 - Width() / 2.0));
        SetTop(RoundHalfEven(ui::Screen::Height() / 2.0 - Height() / 2.0));
        Show();
        SetForegroundWindow(Handle());
        break;
    case WM_RBUTTONDOWN:
        PopupMenu1.Popup(cursor.x, cursor.y);
        break;
    default:
        break;
    }
}

void Tfmmain::ClearMemory() {
    SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1));
    ui::App().ProcessMessages();
}

void Tfmmain::N1Click(ui::MenuItem&) { ui::App().Terminate(); }
void Tfmmain::h1Click(ui::MenuItem&) { sfms(); }

void Tfmmain::ApplicationEvents1Message(MSG& message, bool& handled) {
    DropBrowserRightButton(message, wb.HandleIfAllocated(), handled);
}

// --- drag on the window's own surface ---------------------------------------------------

void Tfmmain::FormMouseDown(ui::Control&, ui::MouseButton, ui::ShiftState, int x, int y) {
    dragX_ = x;
    dragY_ = y;
}

void Tfmmain::FormMouseMove(ui::Control&, ui::ShiftState shift, int x, int y) {
    if (shift != ui::ssLeft) {
        return;
    }
    SetLeft(Left() + (x - dragX_));
    SetTop(Top() + (y - dragY_));
}

void Tfmmain::FormMouseUp(ui::Control&, ui::MouseButton, ui::ShiftState, int, int) {
    if (dragX_ == 0 && dragY_ == 0) {
        return;
    }
    SetTop(2);
    dragX_ = 0;
    dragY_ = 0;
}

void Tfmmain::WndProc(ui::Message& message) {
    if (message.msg == kTrayIconMessage) {
        WMBarIcon(message.lParam);
        message.result = 0;
        return;
    }
    if (message.msg == skin::SKM_SKINNED && message.lParam == skin::kSkinMagic) {
        Form::WndProc(message);
        KeepOuterSizeThroughSkinSetUp();
        return;
    }
    if (taskbarCreatedMessage_ != 0 && message.msg == taskbarCreatedMessage_) {
        // A new shell (after explorer restarted) has an empty tray.
        InstallIcon();
    }
    Form::WndProc(message);
}

} // namespace app
