// The real Vocara.exe against the service stand-in that scripts/test runs on
// the build's server address. Each test starts copies in folders of their own.

#include "tests/e2e/VocaraProcess.h"

#include "tests/e2e/Desktop.h"
#include "tests/e2e/ServiceStandIn.h"
#include "ui/Bitmap.h"
#include "ui/Component.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using e2e::BoxText;
using e2e::Count;
using e2e::CurrentAnswer;
using e2e::FocusOf;
using e2e::FocusTo;
using e2e::LoginWindow;
using e2e::Sandbox;
using e2e::Service;
using e2e::SetText;
using e2e::TextOf;
using e2e::VocaraProcess;
using e2e::WaitForIdle;
using e2e::WaitUntil;
using e2e::Widen;

constexpr char kDemoEmail[] = "demo@vocara.test";
constexpr char kDemoDigest[] = "d48951bb5391fa00abf477531eb1c4e0";  // vocara123

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Inflate(const std::string& stream) {
    std::string out(1 << 16, '\0');
    uLongf size = uLongf(out.size());
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(stream.data()),
                   uLong(stream.size())) != Z_OK) {
        return "inflate failed";
    }
    out.resize(size);
    return out;
}

std::string Deflate(const std::string& text) {
    std::string out(compressBound(uLong(text.size())), '\0');
    uLongf size = uLongf(out.size());
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
              uLong(text.size()), 1);
    out.resize(size);
    return out;
}

// What the screen shows of a window's client area.
ui::Bitmap ClientShot(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    ui::Bitmap shot(client.right, client.bottom);
    const HDC screen = GetDC(nullptr);
    BitBlt(shot.GetCanvas().Handle(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return shot;
}

// The captcha image's place in the login window's client area.
constexpr RECT kCaptchaArea{86, 213, 86 + 49, 213 + 26};

size_t ColoursIn(const ui::Bitmap& shot, RECT area) {
    std::vector<ui::Color> seen;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const ui::Color colour = shot.PixelAt(x, y);
            if (std::find(seen.begin(), seen.end(), colour) == seen.end()) seen.push_back(colour);
        }
    }
    return seen.size();
}

class LoginE2eTest : public ::testing::Test {
protected:
    void SetUp() override { Service("/__test/reset"); }
    void TearDown() override { Service("/__test/reset"); }
};

TEST_F(LoginE2eTest, FirstCaptchaIsFetchedBeforeTheWindowShowsAndClosingEndsTheProgram) {
    Service("/__test/scenario?name=slowcaptcha");
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    // The captcha is held back for 5 s: while it is, there is no window yet.
    ASSERT_TRUE(WaitUntil([] { return Service("/__test/log").find("GET /qzuser/yz.php ") != std::string::npos; },
                          30000));
    EXPECT_EQ(vocara.FindTopWindow(L"Vocara", L"", true), nullptr);
    const HWND window = vocara.WaitForLoginWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), L"Vocara登录");
    EXPECT_EQ(Count(Service("/__test/log"), "GET /qzuser/yz.php "), 1u);
    const LoginWindow login(window);
    ASSERT_TRUE(login.Complete());
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == login.edem; }, 30000));
    // On screen: the captcha's letters (many colours) where the captcha
    // image sits, the blue end of the banner at the left.
    std::optional<ui::Bitmap> painted;
    EXPECT_TRUE(WaitUntil([&] {
        painted = ClientShot(window);
        return ColoursIn(*painted, kCaptchaArea) > 8;
    }, 30000));
    const ui::Bitmap& shot = *painted;
    const ui::Color banner = shot.PixelAt(8, 60);
    EXPECT_GT(int((banner >> 16) & 0xFF), int(banner & 0xFF) + 60) << std::hex << banner;
    EXPECT_EQ(ColoursIn(shot, RECT{86, 250, 86 + 49, 250 + 10}), 1u);  // plain panel below it
    // The hidden owner window carries the title and no taskbar button.
    const HWND owner = vocara.FindTopWindow(L"TApplication", L"Vocara", false);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    EXPECT_TRUE(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    // Closing without a login ends the program; nothing is saved.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(vocara.WaitForExit(30000), 0u);
    EXPECT_FALSE(std::filesystem::exists(sandbox.SavedLogin()));
}

struct FailureCase {
    const char* name;
    std::wstring email;
    std::wstring password;
    bool rightCaptcha;
    const wchar_t* caption;
    const wchar_t* text;
    bool emailKept;
    bool passwordKept;
    HWND LoginWindow::*focus;  // nullptr: the focus is not moved to a field
};

TEST_F(LoginE2eTest, FailureRepliesShowTheirBoxAndResetTheWindow) {
    const FailureCase cases[] = {
        {"wrong captcha", Widen(kDemoEmail), L"vocara123", false, L"验证码错误", L"验证码错误,请重新输入", true, true,
         &LoginWindow::edyz},
        {"wrong password", Widen(kDemoEmail), L"wrong", true, L"密码错误", L"密码错误,请重新输入", true, false,
         &LoginWindow::edpw},
        {"unknown user", L"nobody@vocara.test", L"vocara123", true, L"用户错误", L"没有此用户,请重新输入", false,
         false, nullptr},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Service("/__test/reset");
        Sandbox sandbox;
        VocaraProcess vocara(sandbox);
        const LoginWindow login(vocara.WaitForLoginWindow());
        ASSERT_TRUE(login.Complete());
        login.Fill(c.email, c.password, c.rightCaptcha ? CurrentAnswer() : L"wrong");
        const std::wstring digest = TextOf(login.edpw);
        EXPECT_EQ(digest.size(), 32u);
        PostMessageW(login.btcfm, BM_CLICK, 0, 0);

        const HWND box = vocara.WaitForBox(c.caption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(BoxText(box), c.text);
        EXPECT_EQ(GetWindow(box, GW_OWNER), login.handle);
        EXPECT_FALSE(IsWindowEnabled(login.panel));  // disabled while the box is up
        PostMessageW(box, WM_COMMAND, IDOK, 0);

        // The reset ends with a new captcha.
        ASSERT_TRUE(WaitUntil([] { return Count(Service("/__test/log"), "GET /qzuser/yz.php ") == 2; }, 30000));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(login.panel) != FALSE; }, 30000));
        EXPECT_EQ(TextOf(login.edyz), L"");
        EXPECT_EQ(TextOf(login.edem), c.emailKept ? c.email : L"");
        EXPECT_EQ(TextOf(login.edpw), c.passwordKept ? digest : L"");
        if (c.focus != nullptr) {
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(login.handle) == login.*c.focus; }, 30000));
        } else {
            ASSERT_TRUE(WaitForIdle(login.handle));
            const HWND focus = FocusOf(login.handle);
            EXPECT_NE(focus, login.edem);
            EXPECT_NE(focus, login.edpw);
        }
        EXPECT_TRUE(vocara.Running());
        EXPECT_FALSE(std::filesystem::exists(sandbox.SavedLogin()));
    }
}

TEST_F(LoginE2eTest, GoodLoginSavesTheReplyEndsWithZeroAndTheNextStartRestoresIt) {
    Sandbox sandbox;
    {
        VocaraProcess vocara(sandbox);
        const LoginWindow login(vocara.WaitForLoginWindow());
        ASSERT_TRUE(login.Complete());
        login.Fill(L"  demo@vocara.test ", L"vocara123", L" " + CurrentAnswer() + L" ");
        PostMessageW(login.autochkbox, BM_CLICK, 0, 0);
        // Enter in the captcha field logs in.
        PostMessageW(login.edyz, WM_CHAR, L'\r', 1);
        ASSERT_TRUE(vocara.ExitThroughTrayMenu());
        EXPECT_EQ(vocara.WaitForExit(30000), 0u);
    }
    const std::string saved = ReadFile(sandbox.SavedLogin());
    ASSERT_GE(saved.size(), 2u);
    EXPECT_EQ(uint8_t(saved[0]), 0x78);
    EXPECT_EQ(uint8_t(saved[1]), 0x01);
    const std::string reply = Inflate(saved);
    for (const char* part : {"<con", "<result>1</result>", "<uid>1001</uid>", "<em>demo@vocara.test</em>",
                             "<z>True</z>", "<sid>"}) {
        EXPECT_NE(reply.find(part), std::string::npos) << part << " in " << reply;
    }
    EXPECT_NE(reply.find(kDemoDigest), std::string::npos);
    // The login went out with the trimmed e-mail and captcha and the digest.
    const std::string log = Service("/__test/log");
    EXPECT_NE(log.find(std::string("em=") + kDemoEmail + "&p=" + kDemoDigest + "&z=True&yz="), std::string::npos)
        << log;

    VocaraProcess again(sandbox);
    const LoginWindow login(again.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    EXPECT_EQ(TextOf(login.edem), Widen(kDemoEmail));
    EXPECT_EQ(TextOf(login.edpw), Widen(kDemoDigest));
    EXPECT_EQ(SendMessageW(login.autochkbox, BM_GETCHECK, 0, 0), BST_CHECKED);
    PostMessageW(login.handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(30000), 0u);
}

// A result with blanks and line breaks around "1" is a success; the saved
// file keeps the reply's texts as they came, the session's leading blanks too.
TEST_F(LoginE2eTest, SpacedSuccessReplyStillLogsInAndIsSavedUntrimmed) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    login.Fill(Widen(kDemoEmail), L"vocara123", CurrentAnswer());
    Service("/__test/scenario?name=spaced");
    PostMessageW(login.btcfm, BM_CLICK, 0, 0);
    ASSERT_TRUE(vocara.ExitThroughTrayMenu());
    EXPECT_EQ(vocara.WaitForExit(30000), 0u);
    const std::string reply = Inflate(ReadFile(sandbox.SavedLogin()));
    const size_t sid = reply.find("<sid>");
    ASSERT_NE(sid, std::string::npos) << reply;
    EXPECT_EQ(reply.compare(sid + 5, 3, "   "), 0) << reply;
    EXPECT_NE(reply.find("<z>False</z>"), std::string::npos) << reply;
}

TEST_F(LoginE2eTest, SecondStartHandsOverToTheRunningCopyAndEndsAtOnce) {
    Sandbox first;
    Sandbox second;
    VocaraProcess running(first);
    const HWND window = running.WaitForLoginWindow();
    ASSERT_NE(window, nullptr);
    Service("/__test/reset");

    VocaraProcess another(second);
    EXPECT_EQ(another.WaitForExit(30000), 0u);
    EXPECT_FALSE(std::filesystem::exists(second.SavedLogin()));
    // The second start asked the service for nothing.
    EXPECT_EQ(Service("/__test/log"), "");

    const HWND box = running.WaitForBox(L"信息");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"程序\" Vocara \"已经运行了。");
    EXPECT_EQ(GetWindow(box, GW_OWNER), window);
    EXPECT_TRUE(GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 30000));
    EXPECT_TRUE(running.Running());
}

TEST_F(LoginE2eTest, TheWireCarriesTheThreeHeadersTheCookieAndTheQueryVerbatim) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    // The password field keeps the focus up to the click: leaving it for the
    // button digests the password before the request is built.
    SetText(login.edem, L"a+b&c@x.cn");
    SetText(login.edyz, L"9Z9Z");
    ASSERT_TRUE(FocusTo(login.edpw));
    SetText(login.edpw, L"vocara123");
    PostMessageW(login.btcfm, BM_CLICK, 0, 0);
    const HWND box = vocara.WaitForBox(L"验证码错误");  // the captcha was wrong
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    const std::string log = Service("/__test/log");
    const std::string requestLine = std::string("GET /en/user/rl.php?em=a+b&c@x.cn&p=") + kDemoDigest +
                                    "&z=False&yz=9Z9Z HTTP/1.1\n";
    const size_t login_at = log.find(requestLine);
    ASSERT_NE(login_at, std::string::npos) << requestLine << " in " << log;
    const std::string request = log.substr(login_at, log.find("\n\n", login_at) + 1 - login_at);
    for (const char* header : {"\nAccept: text/html, */*\n", "\nContent-Type: text/html\n",
                               "\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\n", "\nCookie: PHPSESSID="}) {
        EXPECT_EQ(Count(request, header), 1u) << header << " in " << request;
    }
    // The cookie is the one the captcha reply set: the stand-in found the
    // session (a request without it would also be "-1", so check the log
    // holds no second session's captcha before the login).
    EXPECT_EQ(Count(log.substr(0, login_at), "GET /qzuser/yz.php "), 1u);
    // Every request on a connection of its own.
    const std::string connections = Service("/__test/connections");
    std::vector<std::string> serials;
    for (size_t at = 0; at < connections.size();) {
        const size_t end = connections.find('\n', at);
        serials.push_back(connections.substr(at, end - at));
        at = end == std::string::npos ? connections.size() : end + 1;
    }
    std::sort(serials.begin(), serials.end());
    EXPECT_EQ(std::adjacent_find(serials.begin(), serials.end()), serials.end()) << connections;
}

// The first line of an error box: the plain words.
std::wstring PlainWords(HWND box) {
    const std::wstring text = BoxText(box);
    return text.substr(0, text.find(L'\n'));
}

// What support reads under the plain words: the login address, without the
// query that carries the password digest.
void ExpectLoginAddressWithoutQuery(HWND box) {
    const std::wstring text = BoxText(box);
    EXPECT_NE(text.find(L"\n\n地址: " + std::wstring(VOCARA_SERVER_BASE) + L"/en/user/rl.php"), std::wstring::npos)
        << ui::WideToUtf8(text);
    EXPECT_EQ(text.find(L'?'), std::wstring::npos) << ui::WideToUtf8(text);
}

struct UnexpectedReplyCase {
    const char* scenario;
    const wchar_t* plainWords;  // of the framework's error box (caption "Vocara"); nullptr: no box
};

TEST_F(LoginE2eTest, UnexpectedRepliesLeaveThePanelDisabledAndSaveNothing) {
    const UnexpectedReplyCase cases[] = {
        {"oddcode", nullptr},  // result "2": no message at all
        {"nocon", L"服务器的回复无法读取"},
        {"error500", L"服务器返回了错误 (状态 500)"},
        {"redirect", L"服务器把请求转到了别的地址 (状态 302)"},  // not followed
        {"huge", L"服务器的回复过大"},
    };
    for (const UnexpectedReplyCase& c : cases) {
        SCOPED_TRACE(c.scenario);
        Service("/__test/reset");
        Sandbox sandbox;
        VocaraProcess vocara(sandbox);
        const LoginWindow login(vocara.WaitForLoginWindow());
        ASSERT_TRUE(login.Complete());
        login.Fill(Widen(kDemoEmail), L"vocara123", CurrentAnswer());
        Service(std::string("/__test/scenario?name=") + c.scenario);
        PostMessageW(login.btcfm, BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([] { return Service("/__test/log").find("GET /en/user/rl.php") != std::string::npos; },
                              30000));
        if (c.plainWords != nullptr) {
            const HWND box = vocara.WaitForBox(L"Vocara");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(PlainWords(box), c.plainWords) << ui::WideToUtf8(BoxText(box));
            if (std::string_view(c.scenario) != "nocon") {  // the reply came: its address is no news
                ExpectLoginAddressWithoutQuery(box);
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 30000));
        }
        // Once the copy is back in a message loop it has shown all it would show.
        ASSERT_TRUE(WaitForIdle(login.handle));
        EXPECT_EQ(vocara.FindTopWindow(L"#32770", L"", true), nullptr);
        EXPECT_FALSE(IsWindowEnabled(login.panel));
        EXPECT_TRUE(vocara.Running());
        EXPECT_FALSE(std::filesystem::exists(sandbox.SavedLogin()));
        EXPECT_EQ(Service("/__test/log").find("moved.php"), std::string::npos);
    }
}

TEST_F(LoginE2eTest, HungServerEndsInTheErrorBoxAndThePanelStaysDisabled) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    login.Fill(Widen(kDemoEmail), L"vocara123", CurrentAnswer());
    Service("/__test/scenario?name=hang");
    PostMessageW(login.btcfm, BM_CLICK, 0, 0);

    const HWND box = vocara.WaitForBox(L"Vocara", 50000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(PlainWords(box), L"服务器没有在规定时间内响应") << ui::WideToUtf8(BoxText(box));
    ExpectLoginAddressWithoutQuery(box);
    // Named after its source: a socket code is no WinHTTP code.
    const std::wstring text = BoxText(box);
    EXPECT_TRUE(text.find(L"WinHTTP 错误 12002") != std::wstring::npos ||
                text.find(L"Winsock 错误 10060") != std::wstring::npos)
        << ui::WideToUtf8(text);
    e2e::OfferScreenshot(box, L"login-error-timeout");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return vocara.FindTopWindow(L"#32770", L"Vocara", true) == nullptr; }, 30000));
    EXPECT_FALSE(IsWindowEnabled(login.panel));
    EXPECT_TRUE(IsWindowEnabled(login.btcfm));  // only the panel; the window did not finish
    EXPECT_TRUE(vocara.Running());
    EXPECT_FALSE(std::filesystem::exists(sandbox.SavedLogin()));
}

// A captcha that cannot be had (a body that is no JPEG, a server error) is
// not reported: no box, the old picture stays. The server hands out a
// different picture each time, so a good fetch afterwards shows a change.
TEST_F(LoginE2eTest, CaptchaFailuresAreSilentAndKeepTheOldPicture) {
    Sandbox sandbox;
    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    // Paints the captcha's place now and gives what the screen shows there.
    const auto captchaOnScreen = [&] {
        RedrawWindow(login.panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const ui::Bitmap shot = ClientShot(login.handle);
        std::vector<ui::Color> pixels;
        for (int y = kCaptchaArea.top; y < kCaptchaArea.bottom; ++y) {
            for (int x = kCaptchaArea.left; x < kCaptchaArea.right; ++x) pixels.push_back(shot.PixelAt(x, y));
        }
        return pixels;
    };
    std::vector<ui::Color> first;
    ASSERT_TRUE(WaitUntil([&] {
        first = captchaOnScreen();
        return std::set<ui::Color>(first.begin(), first.end()).size() > 8;
    }, 30000));

    size_t fetches = 1;
    for (const char* scenario : {"badcaptcha", "error500"}) {
        SCOPED_TRACE(scenario);
        Service(std::string("/__test/scenario?name=") + scenario);
        PostMessageW(login.btjpg, BM_CLICK, 0, 0);
        ++fetches;
        ASSERT_TRUE(WaitUntil([&] { return Count(Service("/__test/log"), "GET /qzuser/yz.php ") == fetches; },
                              30000));
        ASSERT_TRUE(WaitForIdle(login.handle));
        EXPECT_EQ(vocara.FindTopWindow(L"#32770", L"", true), nullptr);
        EXPECT_TRUE(captchaOnScreen() == first);
        EXPECT_TRUE(IsWindowEnabled(login.panel));
    }

    Service("/__test/scenario?name=normal");
    PostMessageW(login.btjpg, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return captchaOnScreen() != first; }, 30000));
    EXPECT_TRUE(vocara.Running());
}

// A login whose reply cannot be saved (another program holds the file open,
// sharing it for reading only) ends in the error box: the window does not
// finish, and the older file stays as it was.
TEST_F(LoginE2eTest, AReplyThatCannotBeSavedIsReportedAndTheOldFileStays) {
    Sandbox sandbox;
    const std::string old = Deflate("<con><uid>7</uid><em>old@vocara.test</em><z>False</z></con>");
    std::ofstream(sandbox.SavedLogin(), std::ios::binary) << old;
    struct Held {
        HANDLE file;
        ~Held() { CloseHandle(file); }  // before the sandbox goes
    } held{CreateFileW(sandbox.SavedLogin().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr)};
    ASSERT_NE(held.file, INVALID_HANDLE_VALUE);

    VocaraProcess vocara(sandbox);
    const LoginWindow login(vocara.WaitForLoginWindow());
    ASSERT_TRUE(login.Complete());
    EXPECT_EQ(TextOf(login.edem), L"old@vocara.test");
    login.Fill(Widen(kDemoEmail), L"vocara123", CurrentAnswer());
    PostMessageW(login.btcfm, BM_CLICK, 0, 0);

    const HWND box = vocara.WaitForBox(L"Vocara");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(PlainWords(box), L"无法保存登录信息") << ui::WideToUtf8(BoxText(box));
    EXPECT_NE(BoxText(box).find(L"qz.dat"), std::wstring::npos) << ui::WideToUtf8(BoxText(box));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 30000));
    ASSERT_TRUE(WaitForIdle(login.handle));
    EXPECT_TRUE(vocara.Running());
    EXPECT_TRUE(IsWindowVisible(login.handle));
    EXPECT_FALSE(IsWindowEnabled(login.panel));
    EXPECT_TRUE(IsWindowEnabled(login.btcfm));  // not finished
    EXPECT_EQ(ReadFile(sandbox.SavedLogin()), old);
}

} // namespace
