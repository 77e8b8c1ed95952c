#include "app/LoginState.h"
#include "app/LoginWindow.h"
#include "app/comm/SavedLogin.h"
#include "skin/data/CodePage.h"
#include "ui/Application.h"
#include "ui/Timer.h"

#include "tests/support/OleTestEnvironment.h"
#include "tests/support/Pump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using testsupport::PumpPostedMessages;
using testsupport::PumpUntil;

namespace {

// Nothing listens here: requests fail at once, as with no network.
constexpr wchar_t kUnreachableServer[] = L"http://127.0.0.1:1";

// A fresh login window with an empty login state, pointed at no server.
class LoginWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app::UserInfo() = {};
        form.emplace(nullptr, kUnreachableServer);
    }
    void TearDown() override {
        form.reset();
        ui::App().OnException = nullptr;
        app::UserInfo() = {};
    }

    void ShowAndFocus(ui::WinControl& control) {
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
        control.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return control.Focused(); }));
    }

    std::optional<app::Tfmlg> form;
};

// A folder of its own under the temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path_ = std::filesystem::path(base) / (L"vocara-login-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                               std::to_wstring(GetTickCount64()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::wstring WithSeparator() const { return path_.wstring() + L"\\"; }

private:
    std::filesystem::path path_;
};

struct ControlRow {
    const char* name;
    RECT bounds;  // left, top, width, height
    const wchar_t* text;
    const wchar_t* face;
    int fontHeight;
    int tabOrder;
};

TEST_F(LoginWindowTest, ControlsSitWhereTheTableSaysWithTheirTextsFontsAndTabOrder) {
    const ControlRow rows[] = {
        {"Image3", {0, 0, 400, 120}, nullptr, nullptr, 0, -1},
        {"StaticText1", {28, 138, 39, 18}, L"Email", L"宋体", 14, -1},
        {"StaticText2", {7, 175, 60, 18}, L"登录密码", L"宋体", 14, -1},
        {"edem", {86, 134, 201, 22}, L"", L"新宋体", 14, 2},
        {"edpw", {86, 171, 201, 20}, L"", L"新宋体", 12, 3},
        {"autochkbox", {294, 132, 106, 29}, L"记住密码", L"宋体", 14, 4},
        {"Button4", {294, 170, 70, 25}, L"忘记密码", L"宋体", 14, 9},
        {"btjpg", {5, 213, 70, 25}, L"更换图片", L"宋体", 14, 6},
        {"Image1", {86, 213, 49, 26}, nullptr, nullptr, 0, -1},
        {"edyz", {146, 213, 58, 22}, L"", L"新宋体", 14, 5},
        {"btcfm", {211, 213, 70, 25}, L"登录", L"宋体", 14, 7},
        {"Button3", {294, 213, 70, 25}, L"注册用户", L"宋体", 14, 8},
    };
    form->HandleNeeded();
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* control = dynamic_cast<ui::Control*>(form->FindComponent(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Parent(), &form->panreg);
        EXPECT_EQ(control->Left(), row.bounds.left);
        EXPECT_EQ(control->Top(), row.bounds.top);
        EXPECT_EQ(control->Width(), row.bounds.right);
        EXPECT_EQ(control->Height(), row.bounds.bottom);
        if (row.text != nullptr) {
            EXPECT_EQ(control->Caption(), row.text);
        }
        if (row.face != nullptr) {
            EXPECT_EQ(control->GetFont().name, row.face);
            EXPECT_EQ(control->GetFont().height, row.fontHeight);
        }
        if (auto* windowed = dynamic_cast<ui::WinControl*>(control); windowed != nullptr && windowed->HandleAllocated()) {
            RECT onScreen{};
            GetWindowRect(windowed->HandleIfAllocated(), &onScreen);
            MapWindowPoints(nullptr, form->panreg.Handle(), reinterpret_cast<POINT*>(&onScreen), 2);
            EXPECT_EQ(onScreen.left, row.bounds.left);
            EXPECT_EQ(onScreen.top, row.bounds.top);
        }
        if (row.tabOrder >= 0) {
            EXPECT_EQ(static_cast<ui::WinControl*>(control)->TabOrder(), row.tabOrder);
        }
    }

    // The focusable controls in the order Tab visits them.
    std::vector<ui::WinControl*> order;
    form->GetTabOrderList(order);
    std::vector<std::string> tabbing;
    for (ui::WinControl* control : order) {
        if (control->tabStop) tabbing.push_back(control->name);
    }
    EXPECT_EQ(tabbing, (std::vector<std::string>{"edem", "edpw", "autochkbox", "edyz", "btjpg", "btcfm", "Button3",
                                                 "Button4"}));
    EXPECT_EQ(SendMessageW(form->edpw.Handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
    // The banner comes from the resources, at its natural size.
    EXPECT_EQ(form->Image3.Picture().Width(), 400);
    EXPECT_EQ(form->Image3.Picture().Height(), 120);
}

TEST_F(LoginWindowTest, WindowIsADialogOfTheDesignSizeAndPositionUnderTheSingleInstanceClass) {
    const HWND window = form->Handle();
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "Vocara");
    EXPECT_EQ(form->Caption(), L"Vocara登录");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 267);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 491);
    EXPECT_EQ(outer.top, 344);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    // The panel has no bevel and fills the client area.
    EXPECT_EQ(form->panreg.BevelOuter(), ui::Bevel::None);
    EXPECT_EQ(form->panreg.Width(), 400);
    EXPECT_EQ(form->panreg.Height(), 267);
    EXPECT_EQ(form->CompletionFlag(), 0);
}

TEST_F(LoginWindowTest, EmailFieldHasTheFocusWhenTheWindowOpens) {
    form->Show();
    EXPECT_TRUE(PumpUntil([&] { return form->edem.Focused(); }));
}

TEST_F(LoginWindowTest, LeavingTheEmailFieldTrimsBlanksAndControlCharacters) {
    const struct {
        const wchar_t* typed;
        const wchar_t* kept;
    } cases[] = {
        {L"  user@vocara.test\t", L"user@vocara.test"},
        {L"\r\n a b@c.cn \x01", L"a b@c.cn"},
        {L"   ", L""},
        {L"plain@x.cn", L"plain@x.cn"},
    };
    ShowAndFocus(form->edem);
    for (const auto& c : cases) {
        form->edem.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return form->edem.Focused(); }));
        SendMessageW(form->edem.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        form->edyz.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return form->edyz.Focused(); }));
        EXPECT_EQ(form->edem.Text(), c.kept) << "typed: " << ui::WideToUtf8(c.typed);
    }
}

TEST_F(LoginWindowTest, PasswordFieldIsEmptiedOnEntryAndHoldsTheDigestAfterwards) {
    const struct {
        const wchar_t* typed;
        const wchar_t* kept;
    } cases[] = {
        {L"abc", L"900150983cd24fb0d6963f7d28e17f72"},
        // Untrimmed text is hashed, in the system code page (936 here).
        {L" pw ", L"fb2e39e3717f21ab7e420b76f06d5e3a"},
        {L"密码 x", L"399751b3ad31cbd97a85496443219a13"},
        {L"  \t ", L""},
        {L"", L""},
    };
    ShowAndFocus(form->edem);
    for (const auto& c : cases) {
        form->edpw.SetText(L"restored-digest");
        form->edpw.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return form->edpw.Focused(); }));
        EXPECT_EQ(form->edpw.Text(), L"");
        SendMessageW(form->edpw.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        form->edem.SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return form->edem.Focused(); }));
        EXPECT_EQ(form->edpw.Text(), c.kept) << "typed: " << ui::WideToUtf8(c.typed);
    }
}

TEST_F(LoginWindowTest, TabbingIntoThePasswordFieldEmptiesARestoredDigest) {
    form->edem.SetText(L"demo@vocara.test");
    form->edpw.SetText(L"d48951bb5391fa00abf477531eb1c4e0");
    ShowAndFocus(form->edem);
    PostMessageW(form->edem.Handle(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(PumpUntil([&] { return form->edpw.Focused(); }));
    EXPECT_EQ(form->edpw.Text(), L"");
    EXPECT_EQ(form->edem.Text(), L"demo@vocara.test");
}

// Enter in the captcha field runs the login; with no server the request
// fails into the error box and the panel stays disabled.
TEST_F(LoginWindowTest, EnterInTheCaptchaFieldLogsInAndNowhereElse) {
    std::vector<std::wstring> errors;
    ui::App().OnException = [&](const std::wstring& text) { errors.push_back(text); };
    ShowAndFocus(form->edem);
    for (ui::Edit* field : {&form->edem, &form->edpw}) {
        SendMessageW(field->Handle(), WM_CHAR, L'\r', 1);
        ASSERT_TRUE(PumpPostedMessages());
        EXPECT_TRUE(errors.empty()) << field->name;
        EXPECT_TRUE(form->panreg.Enabled()) << field->name;
    }
    ShowAndFocus(form->edyz);
    SendMessageW(form->edyz.Handle(), WM_CHAR, L'\r', 1);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(form->panreg.Enabled());
    EXPECT_FALSE(IsWindowEnabled(form->panreg.Handle()));
    EXPECT_EQ(form->CompletionFlag(), 0);
}

// Once a login has disabled the panel, nothing reaches the server again: not
// an Enter typed ahead into the captcha field, not a click queued for the
// button while the request blocked. Each request here fails into the error box.
TEST_F(LoginWindowTest, NoSecondLoginStartsWhileThePanelIsDisabled) {
    std::vector<std::wstring> errors;
    ui::App().OnException = [&](const std::wstring& text) { errors.push_back(text); };
    ShowAndFocus(form->edyz);
    SendMessageW(form->edyz.Handle(), WM_CHAR, L'\r', 1);
    ASSERT_EQ(errors.size(), 1u);
    ASSERT_FALSE(form->panreg.Enabled());

    SendMessageW(form->edyz.Handle(), WM_CHAR, L'\r', 1);
    SendMessageW(form->btcfm.Handle(), BM_CLICK, 0, 0);
    form->btcfmClick(form->btcfm);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(form->panreg.Enabled());
    EXPECT_EQ(form->CompletionFlag(), 0);
}

TEST_F(LoginWindowTest, FinishMessageBeforeAnyLoginEndsTheModalLoopWithOkOnce) {
    PostMessageW(form->Handle(), app::kLoginDoneMessage, 0, 0);
    EXPECT_EQ(form->ShowModal(), ui::mrOk);
    EXPECT_EQ(form->CompletionFlag(), 1);
    EXPECT_FALSE(form->btcfm.Enabled());
    EXPECT_TRUE(app::UserInfo().sid.empty());
    EXPECT_TRUE(app::UserInfo().em.empty());

    // A second finish changes nothing: the button enabled again as a marker
    // stays so, and the hidden window is not shown.
    form->btcfm.SetEnabled(true);
    PostMessageW(form->Handle(), app::kLoginDoneMessage, 0, 0);
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_TRUE(form->btcfm.Enabled());
    EXPECT_EQ(form->CompletionFlag(), 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

// Whether a message box shows an icon: a static control of the icon kind.
bool HasIconControl(HWND box) {
    bool found = false;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            if (lstrcmpiW(className, L"Static") == 0 && (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                *reinterpret_cast<bool*>(data) = true;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(LoginWindowTest, RestoreRequestShowsTheSystemModalInformationBoxOwnedByTheLoginWindow) {
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    struct Seen {
        std::wstring text;
        HWND owner = nullptr;
        LONG_PTR exStyle = 0;
        bool icon = false;
    } seen;
    auto& watcher = ui::App().Create<ui::Timer>();
    watcher.SetInterval(30);
    watcher.OnTimer = [&](ui::Timer& timer) {
        HWND box = FindWindowW(L"#32770", L"信息");
        if (box == nullptr) return;
        timer.SetEnabled(false);
        wchar_t buffer[128] = {};
        GetDlgItemTextW(box, 0xFFFF, buffer, 128);
        seen.text = buffer;
        seen.owner = GetWindow(box, GW_OWNER);
        seen.exStyle = GetWindowLongPtrW(box, GWL_EXSTYLE);
        seen.icon = HasIconControl(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    PostMessageA(form->Handle(), app::kRestoreRequestMessage, 0, 0);
    PumpUntil([&] { return !seen.text.empty(); }, 5000);
    // The box closed and handed the activation back to the window.
    PumpUntil([&] { return FindWindowW(L"#32770", L"信息") == nullptr && GetForegroundWindow() == form->Handle(); },
              5000);
    delete &watcher;
    EXPECT_EQ(seen.text, L"程序\" Vocara \"已经运行了。");
    EXPECT_EQ(seen.owner, form->Handle());
    EXPECT_TRUE(seen.exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(seen.icon);
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
}

// The saved login file is read back at start; each case writes a real file
// into a folder of its own, or leaves it out.
struct SavedFileCase {
    const char* name;
    std::optional<std::wstring> reply;  // saved with savezip; none: no file
    const char* rawBytes;               // written as is instead, when set
    const wchar_t* email;               // field afterwards
    const wchar_t* password;            // field afterwards
    bool ticked;
    app::Tuserinfo state;               // login state afterwards
};

app::Tuserinfo State(std::string em, std::string pwd, std::string uid, int32_t remember) {
    app::Tuserinfo state;
    state.em = std::move(em);
    state.pwd = std::move(pwd);
    state.uid = std::move(uid);
    state.remember = remember;
    return state;
}

std::wstring Reply(const std::wstring& z, bool withPwd = true) {
    return L"<con><result>1</result><uid>77</uid>" + std::wstring(withPwd ? L"<pwd>0123abcd</pwd>" : L"") +
           L"<sid>s1</sid><un>张三</un><em>张三@vocara.test</em><ifreg>0</ifreg>" +
           (z.empty() ? L"" : L"<z>" + z + L"</z>") + L"</con>";
}

TEST_F(LoginWindowTest, SavedLoginFileRestoresWhatItMayAndNothingElse) {
    const std::string email = skin::WideToAnsi(L"张三@vocara.test");
    // What an earlier run left in the state: a failing file must clear em,
    // pwd and the flag but keep uid; a missing file touches nothing.
    const app::Tuserinfo leftover = State("old@x.cn", "old-digest", "old-uid", 1);
    const SavedFileCase cases[] = {
        {"no file", std::nullopt, nullptr, L"", L"", false, leftover},
        {"remembered", Reply(L"True"), nullptr, L"张三@vocara.test", L"0123abcd", true,
         State(email, "0123abcd", "77", 1)},
        // Only "True" restores the password; the state's pwd is not touched.
        {"not remembered", Reply(L"False"), nullptr, L"张三@vocara.test", L"", false,
         State(email, "old-digest", "77", 0)},
        {"lower-case true", Reply(L"true"), nullptr, L"张三@vocara.test", L"", false,
         State(email, "old-digest", "77", 0)},
        {"upper-case TRUE", Reply(L"TRUE"), nullptr, L"张三@vocara.test", L"", false,
         State(email, "old-digest", "77", 0)},
        // Fails at pwd: the e-mail already shown stays, the state forgets it.
        {"True without pwd", Reply(L"True", false), nullptr, L"张三@vocara.test", L"", false, State("", "", "77", 0)},
        {"no z", Reply(L""), nullptr, L"张三@vocara.test", L"", false, State("", "", "77", 0)},
        {"not zlib", std::nullopt, "this is not a zlib stream", L"", L"", false, State("", "", "old-uid", 0)},
        {"empty file", std::nullopt, "", L"", L"", false, State("", "", "old-uid", 0)},
        {"a code as content", L"-1", nullptr, L"", L"", false, State("", "", "old-uid", 0)},
    };
    for (const SavedFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::filesystem::path file = folder.Path() / "qz.dat";
        if (c.reply) {
            app::comm::savezip(skin::WideToAnsi(*c.reply), file);
        } else if (c.rawBytes != nullptr) {
            std::ofstream(file, std::ios::binary) << c.rawBytes;
        }
        app::Tfmlg window(nullptr, kUnreachableServer);
        app::UserInfo() = leftover;
        app::SetExecutableDirectory(folder.WithSeparator());
        window.initrl();
        EXPECT_EQ(window.edem.Text(), c.email);
        EXPECT_EQ(window.edpw.Text(), c.password);
        EXPECT_EQ(window.autochkbox.Checked(), c.ticked);
        EXPECT_EQ(app::UserInfo().em, c.state.em);
        EXPECT_EQ(app::UserInfo().pwd, c.state.pwd);
        EXPECT_EQ(app::UserInfo().uid, c.state.uid);
        EXPECT_EQ(app::UserInfo().remember, c.state.remember);
    }
}

TEST_F(LoginWindowTest, UnreadableSavedFileRestoresNothing) {
    TempFolder folder;
    // A folder where the file should be: it exists but cannot be read.
    std::filesystem::create_directories(folder.Path() / "qz.dat");
    app::UserInfo() = State("old@x.cn", "old-digest", "old-uid", 1);
    app::SetExecutableDirectory(folder.WithSeparator());
    form->initrl();
    EXPECT_EQ(form->edem.Text(), L"");
    EXPECT_EQ(app::UserInfo().em, "");
    EXPECT_EQ(app::UserInfo().pwd, "");
    EXPECT_EQ(app::UserInfo().uid, "old-uid");
    EXPECT_EQ(app::UserInfo().remember, 0);
}

} // namespace
