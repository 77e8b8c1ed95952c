// The HTTP client against the service stand-in (tests/service/server.py),
// which scripts/test starts at the build's server address.
#include "app/comm/HttpClient.h"

#include "app/comm/Failure.h"
#include "app/comm/LoginProtocol.h"
#include "app/comm/Md5.h"
#include "skin/data/CodePage.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using app::comm::Failure;
using app::comm::FailureKind;
using app::comm::HttpClient;
using app::comm::SystemErrorName;
using app::comm::LoginAddress;
using app::comm::LoginCode;

const std::wstring kBase = skin::AnsiToWide(VOCARA_SERVER_BASE);

using Request = std::vector<std::string>;  // the request line, then the header lines

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool Has(const Request& request, const std::string& line) {
    return std::find(request.begin(), request.end(), line) != request.end();
}

int CountHeader(const Request& request, const std::string& name) {
    int n = 0;
    for (size_t i = 1; i < request.size(); ++i) {
        if (request[i].compare(0, name.size() + 1, name + ":") == 0) {
            ++n;
        }
    }
    return n;
}

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        try {
            Control("reset");
        } catch (const std::exception& e) {
            FAIL() << "The service stand-in does not answer at " VOCARA_SERVER_BASE
                      " (scripts/test starts it: python3 tests/service/server.py --port N): "
                   << e.what();
        }
    }
    void TearDown() override {
        try {
            Control("reset");  // also lets go of a request the stand-in still holds
        } catch (const std::exception&) {
            // SetUp has said why already.
        }
    }

    // Control requests go through a client of their own; the stand-in does not log them.
    std::string Control(const std::string& command) {
        HttpClient control(kBase);
        control.SetTimeouts(2000, 5000);
        return control.Get("/__test/" + command);
    }

    std::vector<Request> Log() {
        std::vector<Request> requests(1);
        for (const std::string& line : Lines(Control("log"))) {
            if (line.empty()) {
                requests.emplace_back();
            } else {
                requests.back().push_back(line);
            }
        }
        requests.pop_back();
        return requests;
    }

    // Captcha, then a login with its answer, on one client; the reply's code.
    LoginCode Login(HttpClient& client, const std::string& email, const std::string& password) {
        client.Get(std::string(app::comm::kCaptchaPath));
        const std::string address = LoginAddress(email, app::comm::md5hex(password), true, Control("answer"));
        return app::comm::ReadLoginCode(app::comm::ParseReply(client.Get(address)));
    }
};

TEST_F(HttpClientTest, SendsExactlyTheThreeHeadersAndAJpegComesBack) {
    HttpClient client(kBase);
    const std::string body = client.Get("/qzuser/yz.php");
    ASSERT_GE(body.size(), 3u);
    EXPECT_EQ(body.substr(0, 3), "\xFF\xD8\xFF");

    const auto log = Log();
    ASSERT_EQ(log.size(), 1u);
    const Request& request = log[0];
    EXPECT_EQ(request[0], "GET /qzuser/yz.php HTTP/1.1");
    EXPECT_TRUE(Has(request, "Accept: text/html, */*"));
    EXPECT_TRUE(Has(request, "Content-Type: text/html"));
    EXPECT_TRUE(Has(request, "User-Agent: Mozilla/3.0 (compatible; Indy Library)"));
    for (const char* name : {"Accept", "Content-Type", "User-Agent", "Host"}) {
        EXPECT_EQ(CountHeader(request, name), 1) << name;
    }
    EXPECT_EQ(CountHeader(request, "Cookie"), 0);
}

TEST_F(HttpClientTest, TheCaptchaCookieGoesBackWithTheLoginOfTheSameClientOnly) {
    HttpClient client(kBase);
    EXPECT_EQ(Login(client, "demo@vocara.test", "vocara123"), LoginCode::Success);

    const auto log = Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(CountHeader(log[0], "Cookie"), 0);
    ASSERT_EQ(CountHeader(log[1], "Cookie"), 1);
    bool session = false;
    for (const std::string& line : log[1]) {
        session = session || line.rfind("Cookie: PHPSESSID=", 0) == 0;
    }
    EXPECT_TRUE(session);

    // Another client has no session: the same answer is a wrong captcha there.
    HttpClient other(kBase);
    const std::string address =
        LoginAddress("demo@vocara.test", app::comm::md5hex("vocara123"), false, Control("answer"));
    EXPECT_EQ(app::comm::ReadLoginCode(app::comm::ParseReply(other.Get(address))), LoginCode::WrongCaptcha);
}

TEST_F(HttpClientTest, TheServiceAnswersEachCodeOverTheWire) {
    const struct {
        const char* email;
        std::wstring password;
        LoginCode code;
    } cases[] = {
        {"demo@vocara.test", L"vocara123", LoginCode::Success},
        {"demo@vocara.test", L"wrong", LoginCode::WrongPassword},
        {"nobody@vocara.test", L"vocara123", LoginCode::UnknownUser},
        // The digest of a Chinese password is taken over its code page 936 bytes.
        {"chen@vocara.test", L"学习2026", LoginCode::Success},
    };
    for (const auto& c : cases) {
        HttpClient client(kBase);
        EXPECT_EQ(Login(client, c.email, skin::WideToAnsi(c.password)), c.code) << c.email;
    }
}

TEST_F(HttpClientTest, EveryRequestComesOnANewConnection) {
    HttpClient client(kBase);
    client.Get("/qzuser/yz.php");
    client.Get("/qzuser/yz.php");
    client.Disconnect();
    client.Get("/en/user/rl.php?em=&p=&z=False&yz=");
    const auto serials = Lines(Control("connections"));
    ASSERT_EQ(serials.size(), 3u);
    EXPECT_EQ(std::set<std::string>(serials.begin(), serials.end()).size(), 3u);
}

TEST_F(HttpClientTest, PathAndQueryGoOutByteForByte) {
    HttpClient client(kBase);
    const struct {
        std::string sent, wire;
    } cases[] = {
        {"/en/user/rl.php?em=a+b&c@x.test&p=%41%2B&z=False&yz=ab",
         "/en/user/rl.php?em=a+b&c@x.test&p=%41%2B&z=False&yz=ab"},
        {"/en/user/rl.php?em=x@y&p=a'b\"c<d>|{}&z=True&yz=", "/en/user/rl.php?em=x@y&p=a'b\"c<d>|{}&z=True&yz="},
        // WinHTTP cannot send bytes above 127 raw: they go as %XX of the code page 936 byte.
        {"/en/user/rl.php?em=\xC0\xEE\xC3\xF7@x.test&p=1&z=True&yz=\xB0\xA1",
         "/en/user/rl.php?em=%C0%EE%C3%F7@x.test&p=1&z=True&yz=%B0%A1"},
        // Raw, these would end the request line or add a header of the user's making.
        {"/en/user/rl.php?em=a b\tc&p=x\r\nX-Injected: 1&z=\x7F", "/en/user/rl.php?em=a%20b%09c&p=x%0D%0AX-Injected:%201&z=%7F"},
    };
    for (const auto& c : cases) {
        client.Get(c.sent);
    }
    const auto log = Log();
    ASSERT_EQ(log.size(), std::size(cases));
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i][0], "GET " + cases[i].wire + " HTTP/1.1");
        EXPECT_EQ(CountHeader(log[i], "X-Injected"), 0);
    }
}

struct FailureCase {
    const char* name;
    const char* scenario;      // of the stand-in; nullptr: no server at the address
    const char* pathAndQuery;
    FailureKind kind;
    const char* plainWords;    // the first line of the text
    std::vector<const char*> codeNames;  // one of them names the system's code (none: no code)
};

// Each failure in the words of its kind, then the address without its query
// (which carries the password digest), then the code as its source names it.
TEST_F(HttpClientTest, FailuresAreToldInPlainWordsWithTheAddressAndTheCode) {
    const FailureCase cases[] = {
        {"redirect", "redirect", "/en/user/rl.php?em=demo@vocara.test&p=x&z=False&yz=x", FailureKind::Redirected,
         "服务器把请求转到了别的地址 (状态 302)", {}},
        {"server error", "error500", "/qzuser/yz.php", FailureKind::ServerError, "服务器返回了错误 (状态 500)", {}},
        {"oversized reply", "huge", "/en/user/rl.php?em=a&p=b&z=False&yz=c", FailureKind::ReplyTooLarge,
         "服务器的回复过大", {"16 MiB"}},
        {"no answer", "hang", "/en/user/rl.php?em=a&p=b&z=False&yz=c", FailureKind::Timeout,
         "服务器没有在规定时间内响应", {"WinHTTP 错误 12002", "Winsock 错误 10060"}},
        {"no server", nullptr, "/qzuser/yz.php?x=1", FailureKind::CannotConnect, "无法连接服务器",
         {"WinHTTP 错误 12029", "Winsock 错误 10061"}},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Control("reset");
        if (c.scenario != nullptr) {
            Control(std::string("scenario?name=") + c.scenario);
        }
        const std::wstring base = c.scenario != nullptr ? kBase : L"http://127.0.0.1:1";
        HttpClient client(base);
        client.SetTimeouts(2000, 2000);
        try {
            client.Get(c.pathAndQuery);
            ADD_FAILURE() << "no error";
            continue;
        } catch (const Failure& e) {
            const std::string text = e.what();
            EXPECT_EQ(e.Kind(), c.kind);
            EXPECT_EQ(text.substr(0, text.find('\n')), c.plainWords) << text;
            const std::string path = c.pathAndQuery;
            const std::string address = ui::WideToUtf8(base) + path.substr(0, path.find('?'));
            EXPECT_NE(text.find("\n\n地址: " + address), std::string::npos) << text;
            EXPECT_EQ(text.find('?'), std::string::npos) << "the query carries the digest: " << text;
            if (!c.codeNames.empty()) {
                EXPECT_TRUE(std::ranges::any_of(c.codeNames, [&](const char* name) {
                    return text.find(name) != std::string::npos;
                })) << text;
            }
        }
    }
    for (const Request& request : Log()) {
        EXPECT_EQ(request[0].find("moved"), std::string::npos) << "a redirect was followed: " << request[0];
    }
    // The client is usable after an error.
    Control("reset");
    HttpClient client(kBase);
    EXPECT_FALSE(client.Get("/qzuser/yz.php").empty());
}

TEST(HttpClientErrors, ACodeIsNamedAfterItsSource) {
    const std::pair<unsigned long, const char*> cases[] = {
        {12002, "WinHTTP 错误 12002"}, {12029, "WinHTTP 错误 12029"}, {12175, "WinHTTP 错误 12175"},
        {10060, "Winsock 错误 10060"}, {10061, "Winsock 错误 10061"}, {11001, "Winsock 错误 11001"},
        {5, "系统错误 5"},              {12000, "系统错误 12000"},      {87, "系统错误 87"},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(SystemErrorName(code), name);
    }
}

TEST_F(HttpClientTest, HttpsAddressesSpeakTls) {
    // The stand-in speaks plain HTTP, so a client that really starts TLS fails.
    std::wstring secure = kBase;
    secure.replace(0, secure.find(L"://"), L"https");
    HttpClient client(secure);
    client.SetTimeouts(2000, 2000);
    EXPECT_THROW(client.Get("/qzuser/yz.php"), Failure);
}

TEST(HttpClientAddress, OnlySchemeHostAndPortAreAccepted) {
    for (const wchar_t* address : {L"", L"127.0.0.1:8642", L"ftp://127.0.0.1", L"http://", L"http://host/path",
                                   L"http://host:80?x=1", L"http://host:notaport", L"http://host:", L"http://host:0",
                                   L"http://host:65536", L"http://user@host", L"http://[::1", L"http://:80"}) {
        EXPECT_THROW(HttpClient{address}, Failure) << skin::WideToAnsi(address);
    }
    for (const wchar_t* address : {L"http://127.0.0.1", L"http://127.0.0.1:8642", L"https://service.test:8443",
                                   L"http://service.test/", L"HTTP://[::1]:8642", L"http://[::1]"}) {
        EXPECT_NO_THROW(HttpClient{address}) << skin::WideToAnsi(address);
    }
}

} // namespace
