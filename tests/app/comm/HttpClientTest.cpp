// The HTTP client against the service stand-in (tests/service/server.py),
// which scripts/test starts at the build's server address.
#include "app/comm/HttpClient.h"

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

using app::comm::HttpClient;
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
        } catch (const ui::Error& e) {
            FAIL() << "The service stand-in does not answer at " VOCARA_SERVER_BASE
                      " (scripts/test starts it: python3 tests/service/server.py --port N): "
                   << e.what();
        }
    }
    void TearDown() override {
        try {
            Control("reset");  // also lets go of a request the stand-in still holds
        } catch (const ui::Error&) {
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

TEST_F(HttpClientTest, ARedirectIsAnErrorAndIsNotFollowed) {
    Control("scenario?name=redirect");
    HttpClient client(kBase);
    try {
        client.Get("/en/user/rl.php?em=demo@vocara.test&p=x&z=False&yz=x");
        FAIL() << "no error";
    } catch (const ui::Error& e) {
        EXPECT_NE(e.Text().find(L"302"), std::wstring::npos) << e.what();
        EXPECT_NE(e.Text().find(kBase + L"/en/user/rl.php"), std::wstring::npos) << e.what();
        EXPECT_EQ(e.Text().find(L"em=demo"), std::wstring::npos) << "the query carries the digest: " << e.what();
    }
    for (const Request& request : Log()) {
        EXPECT_EQ(request[0].find("moved"), std::string::npos) << request[0];
    }
}

TEST_F(HttpClientTest, ServerErrorStatusIsAnError) {
    Control("scenario?name=error500");
    HttpClient client(kBase);
    try {
        client.Get("/qzuser/yz.php");
        FAIL() << "no error";
    } catch (const ui::Error& e) {
        EXPECT_NE(e.Text().find(L"500"), std::wstring::npos) << e.what();
    }
    // The client is usable after an error.
    Control("scenario?name=normal");
    EXPECT_FALSE(client.Get("/qzuser/yz.php").empty());
}

// A reply far bigger than any login reply is refused rather than held in memory.
TEST_F(HttpClientTest, AnOversizedReplyIsAnError) {
    Control("scenario?name=huge");
    HttpClient client(kBase);
    try {
        client.Get("/en/user/rl.php?em=a&p=b&z=False&yz=c");
        FAIL() << "no error";
    } catch (const ui::Error& e) {
        EXPECT_NE(e.Text().find(L"larger than"), std::wstring::npos) << e.what();
    }
    Control("scenario?name=normal");
    EXPECT_FALSE(client.Get("/qzuser/yz.php").empty());
}

TEST_F(HttpClientTest, AServerThatNeverAnswersEndsInAnError) {
    Control("scenario?name=hang");
    HttpClient client(kBase);
    client.SetTimeouts(1000, 2000);
    try {
        client.Get("/en/user/rl.php?em=a&p=b&z=False&yz=c");
        FAIL() << "no error";
    } catch (const ui::Error& e) {
        EXPECT_NE(e.Text().find(L"in time"), std::wstring::npos) << e.what();
    }
}

TEST_F(HttpClientTest, NoServerAtTheAddressIsAnErrorNamingIt) {
    HttpClient client(L"http://127.0.0.1:1");
    client.SetTimeouts(2000, 2000);
    try {
        client.Get("/qzuser/yz.php");
        FAIL() << "no error";
    } catch (const ui::Error& e) {
        EXPECT_NE(e.Text().find(L"http://127.0.0.1:1/qzuser/yz.php"), std::wstring::npos) << e.what();
    }
}

TEST_F(HttpClientTest, HttpsAddressesSpeakTls) {
    // The stand-in speaks plain HTTP, so a client that really starts TLS fails.
    std::wstring secure = kBase;
    secure.replace(0, secure.find(L"://"), L"https");
    HttpClient client(secure);
    client.SetTimeouts(2000, 2000);
    EXPECT_THROW(client.Get("/qzuser/yz.php"), ui::Error);
}

TEST(HttpClientAddress, OnlySchemeHostAndPortAreAccepted) {
    for (const wchar_t* address : {L"", L"127.0.0.1:8642", L"ftp://127.0.0.1", L"http://", L"http://host/path",
                                   L"http://host:80?x=1", L"http://host:notaport", L"http://host:", L"http://host:0",
                                   L"http://host:65536", L"http://user@host", L"http://[::1", L"http://:80"}) {
        EXPECT_THROW(HttpClient{address}, ui::Error) << skin::WideToAnsi(address);
    }
    for (const wchar_t* address : {L"http://127.0.0.1", L"http://127.0.0.1:8642", L"https://service.test:8443",
                                   L"http://service.test/", L"HTTP://[::1]:8642", L"http://[::1]"}) {
        EXPECT_NO_THROW(HttpClient{address}) << skin::WideToAnsi(address);
    }
}

} // namespace
