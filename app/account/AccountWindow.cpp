#include "app/account/AccountWindow.h"

#include "app/LoginWindow.h"
#include "app/WindowReferences.h"
#include "app/study/NavigationToken.h"
#include "skin/data/CodePage.h"

#include <cwchar>
#include <iterator>
#include <string_view>

namespace app {
namespace {

// Posted by the deactivation handler to itself: focus set while the
// activation is still moving away is undone when the move completes.
constexpr UINT kTakeActivationBack = WM_USER + 0x301;
// While a message box is up the window waits for it to go, then takes the
// activation back from whatever the box handed it to.
constexpr UINT_PTR kAfterMessageBoxTimer = 0x301;
constexpr UINT kAfterMessageBoxInterval = 200;

constexpr int kDesignLeft = 690;
constexpr int kDesignTop = 477;
constexpr int kDesignClientWidth = 272;
constexpr int kDesignClientHeight = 28;

constexpr wchar_t kLoadingText[] = L"正在载入...";
constexpr wchar_t kLoadingFace[] = L"新宋体";
constexpr int kLoadingFontHeight = 19;
constexpr int kLoadingHeight = 23;

// While a page loads only the loading label shows.
constexpr int kLoadingWidth = 540;
constexpr int kLoadingOuterHeight = 50;

// The two pages: the caption that names each, its address after the server
// base, and the size once it has loaded.
struct AccountPage {
    const wchar_t* caption;
    const char* path;
    int width;
    int height;
};
constexpr AccountPage kSignUp{L"注册页面", "/en/user/rg.html?b=1", 540, 490};
constexpr AccountPage kRecovery{L"找回密码", "/en/user/rpwd.html?b=1", 500, 290};
constexpr AccountPage kPages[] = {kSignUp, kRecovery};

// The page commands, first match applies.
enum class Test { Equals, BeginsWith };
struct Command {
    Test test;
    std::string_view word;
    void (Tfrmrg::*steps)(const std::string& token);
    bool cancel;
};

bool Matches(const Command& command, const std::string& token) {
    return command.test == Test::Equals ? token == command.word : token.starts_with(command.word);
}

// The e-mail of a "suc" command: what follows the fourth character, whatever
// that is, unchanged. A double-byte fourth character is skipped whole, so no
// half character leads the e-mail.
std::string EmailOfSignUp(const std::string& token) {
    constexpr size_t kFourth = 3;
    if (token.size() <= kFourth) {
        return {};
    }
    const size_t width = IsDBCSLeadByteEx(CP_ACP, BYTE(token[kFourth])) ? 2 : 1;
    return token.size() > kFourth + width ? token.substr(kFourth + width) : std::string();
}

// Addresses are built as 8-bit text and converted for the browser.
std::wstring PageAddress(const char* path) {
    return skin::AnsiToWide(skin::WideToAnsi(VOCARA_SERVER_BASE) + path);
}

bool IsMessageBox(HWND window) {
    constexpr wchar_t kDialogClass[] = L"#32770";
    wchar_t name[std::size(kDialogClass) + 1] = {};
    return GetClassNameW(window, name, int(std::size(name))) > 0 && std::wcscmp(name, kDialogClass) == 0;
}

Tfrmrg& AccountWindow() {
    if (!frmrg()) {
        frmrg() = &ui::App().Create<Tfrmrg>();
    }
    return *frmrg();
}

} // namespace

const ui::ClassInfo Tfrmrg::kClass{"Tfrmrg", &ui::Form::kClass};

Tfrmrg::Tfrmrg(ui::Component* owner) : Form(owner) {
    BuildControls();
    OnShow = [this](ui::Form& sender) { FormShow(sender); };
    OnClose = [this](ui::Form& sender, ui::CloseAction& action) { FormClose(sender, action); };
    WebBrowser1.OnBeforeNavigate2 = [this](WebBrowser& sender, const std::wstring& url, bool& cancel) {
        WebBrowser1BeforeNavigate2(sender, url, cancel);
    };
    ApplicationEvents1.OnMessage = [this](MSG& message, bool& handled) { ApplicationEvents1Message(message, handled); };
    DoCreate();
}

Tfrmrg::~Tfrmrg() = default;

void Tfrmrg::BuildControls() {
    name = "frmrg";
    borderStyle = ui::BorderStyle::ToolWindow;
    borderIcons = ui::biSystemMenu;
    SetBounds(kDesignLeft, kDesignTop, kDesignClientWidth, kDesignClientHeight);
    SetClientSize(kDesignClientWidth, kDesignClientHeight);

    StaticText1.name = "StaticText1";
    StaticText1.SetParent(this);
    StaticText1.SetAlign(ui::Align::Top);
    StaticText1.SetHeight(kLoadingHeight);
    StaticText1.SetCaption(kLoadingText);
    ui::Font font;
    font.name = kLoadingFace;
    font.height = kLoadingFontHeight;
    font.color = ui::clRed;
    StaticText1.SetFont(font);

    WebBrowser1.name = "WebBrowser1";
    WebBrowser1.SetParent(this);
    WebBrowser1.SetAlign(ui::Align::Client);

    ApplicationEvents1.name = "ApplicationEvents1";
}

void Tfrmrg::FormShow(ui::Form&) {
    OnDeactivate = [this](ui::Form& sender) { FormDeactivate(sender); };
}

void Tfrmrg::FormDeactivate(ui::Form&) {
    if (HandleAllocated()) {
        PostMessageW(HandleIfAllocated(), kTakeActivationBack, 0, 0);
    }
}

void Tfrmrg::TakeActivationBack() {
    // Closed meanwhile (the handler is gone with the close) or hidden: let go.
    const HWND active = GetActiveWindow();
    if (!OnDeactivate || !IsWindowVisible(HandleIfAllocated()) || active == HandleIfAllocated()) {
        return;
    }
    // Only the program's own windows are kept behind it. Another application
    // keeps what the user gave it (taking it back would start a fight), and a
    // message box (the login window's or any other) stays on top to be read.
    if (active == nullptr) {
        return;
    }
    if (IsMessageBox(active)) {
        SetTimer(HandleIfAllocated(), kAfterMessageBoxTimer, kAfterMessageBoxInterval, nullptr);
        return;
    }
    SetFocus();
}

void Tfrmrg::WndProc(ui::Message& message) {
    if (message.msg == kTakeActivationBack) {
        TakeActivationBack();
        return;
    }
    if (message.msg == WM_TIMER && message.wParam == kAfterMessageBoxTimer) {
        KillTimer(HandleIfAllocated(), kAfterMessageBoxTimer);
        TakeActivationBack();
        return;
    }
    Form::WndProc(message);
}

void Tfrmrg::FormClose(ui::Form&, ui::CloseAction& action) {
    OnDeactivate = nullptr;
    action = ui::CloseAction::Free;  // Release: freed after the current message
    if (frmrg().get() == this) {
        frmrg().reset();
    }
}

void Tfrmrg::ApplicationEvents1Message(MSG& message, bool& handled) {
    DropBrowserRightButton(message, WebBrowser1.HandleIfAllocated(), handled);
}

void Tfrmrg::WebBrowser1BeforeNavigate2(WebBrowser&, const std::wstring& url, bool& cancel) {
    static constexpr Command kCommands[] = {
        {Test::Equals, "fi", &Tfrmrg::PageLoaded, true},
        {Test::Equals, "end", &Tfrmrg::Finished, false},
        {Test::BeginsWith, "suc", &Tfrmrg::SignedUp, false},
    };
    const std::string token = NavigationToken(url);
    for (const Command& command : kCommands) {
        if (Matches(command, token)) {
            (this->*command.steps)(token);
            if (command.cancel) {
                cancel = true;
            }
            return;
        }
    }
}

void Tfrmrg::PageLoaded(const std::string&) {
    StaticText1.Hide();
    for (const AccountPage& page : kPages) {
        if (Caption() == page.caption) {
            SetWidth(page.width);
            SetHeight(page.height);
            return;
        }
    }
}

void Tfrmrg::Finished(const std::string&) { CloseWindow(); }

void Tfrmrg::SignedUp(const std::string& token) {
    CloseWindow();
    // The login window may be gone, or busy with its panel disabled: the
    // e-mail is handed over only to a window that is there.
    Tfmlg* login = fmlg().get();
    if (login == nullptr || login->Destroying()) {
        return;
    }
    login->edem.SetText(skin::AnsiToWide(EmailOfSignUp(token)));
    login->edpw.SetText(L"");
    login->edyz.SetText(L"");
    login->getyz(login->Image1);
}

void Tfrmrg::CloseWindow() {
    OnDeactivate = nullptr;
    Close();
}

void OpenSignUpPage() {
    Tfrmrg& window = AccountWindow();
    window.SetCaption(kSignUp.caption);
    window.Show();
    OpenPage(window.WebBrowser1, PageAddress(kSignUp.path));
    window.SetWidth(kLoadingWidth);
    window.SetHeight(kLoadingOuterHeight);
}

void OpenRecoveryPage() {
    // The recovery page shows the window before naming it.
    Tfrmrg& window = AccountWindow();
    window.Show();
    window.SetCaption(kRecovery.caption);
    OpenPage(window.WebBrowser1, PageAddress(kRecovery.path));
    window.SetWidth(kLoadingWidth);
    window.SetHeight(kLoadingOuterHeight);
}

} // namespace app
