#include "app/comm/LoginProtocol.h"

#include "app/comm/Failure.h"
#include "app/comm/SavedLogin.h"
#include "TempFolder.h"
#include "skin/data/CodePage.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace app::comm;
using app::Tuserinfo;
using testsupport::TempFolder;

// The failure f throws; none when it throws nothing.
template <class F>
std::optional<Failure> FailureOf(F f) {
    try {
        f();
    } catch (const Failure& failure) {
        return failure;
    }
    return std::nullopt;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(LoginProtocol, TrimRemovesBlanksAndControlCharactersAtBothEndsOnly) {
    const struct {
        std::string text, trimmed;
    } narrow[] = {
        {"", ""},
        {" \t\r\n", ""},
        {std::string("\0 a b \x1F\x01", 7), "a b"},
        {"\x7F" "x\x7F", "\x7F" "x\x7F"},   // DEL is above 32
        // GBK bytes are above 0x80: compared as signed chars they would look like blanks.
        {" \xD0\xC5\xCF\xA2\r\n", "\xD0\xC5\xCF\xA2"},
        {"\xA1\xA1", "\xA1\xA1"},           // the full-width blank of GBK stays
    };
    for (const auto& c : narrow) {
        EXPECT_EQ(TrimText(c.text), c.trimmed) << '"' << c.text << '"';
    }
    const struct {
        std::wstring text, trimmed;
    } wide[] = {
        {L"\n 信息 \t", L"信息"},
        {L"\u3000x\u00A0", L"\u3000x\u00A0"},
        {L"\x1F", L""},
    };
    for (const auto& c : wide) {
        EXPECT_EQ(TrimText(c.text), c.trimmed);
    }
}

TEST(LoginProtocol, LoginAddressInsertsEveryValueVerbatim) {
    const struct {
        std::string email, password;
        bool remember;
        std::string captcha, address;
    } cases[] = {
        {"demo@vocara.test", "d48951bb5391fa00abf477531eb1c4e0", true, "7K3P",
         "/en/user/rl.php?em=demo@vocara.test&p=d48951bb5391fa00abf477531eb1c4e0&z=True&yz=7K3P"},
        {"a+b&c=d@x.test", "%41 b", false, " ab12\r\n",
         "/en/user/rl.php?em=a+b&c=d@x.test&p=%41 b&z=False&yz=ab12"},
        {"", "", false, "", "/en/user/rl.php?em=&p=&z=False&yz="},
        {"\xC0\xEE@x.test", "p", true, "\xB0\xA1 ", "/en/user/rl.php?em=\xC0\xEE@x.test&p=p&z=True&yz=\xB0\xA1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoginAddress(c.email, c.password, c.remember, c.captcha), c.address);
    }
}

std::string Reply(const std::string& result) {
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?><con><result>" + result + "</result></con>";
}

TEST(LoginProtocol, ResultIsTrimmedAndComparedExactly) {
    const struct {
        std::string result;
        LoginCode code;
    } cases[] = {
        {"-1", LoginCode::WrongCaptcha}, {"0", LoginCode::WrongPassword}, {"-2", LoginCode::UnknownUser},
        {"1", LoginCode::Success},       {" 1 ", LoginCode::Success},     {"\r\n\t-2\n", LoginCode::UnknownUser},
        {"2", LoginCode::Unknown},       {"ok", LoginCode::Unknown},      {"", LoginCode::Unknown},
        {"01", LoginCode::Unknown},      {"+1", LoginCode::Unknown},      {"-0", LoginCode::Unknown},
        {"1 1", LoginCode::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadLoginCode(ParseReply(Reply(c.result))), c.code) << '"' << c.result << '"';
    }
}

TEST(LoginProtocol, RepliesWithoutConOrResultAreErrors) {
    const char* bodies[] = {
        "<?xml version=\"1.0\"?><reply><result>1</result></reply>",
        "<con><uid>1</uid></con>",
        "not xml at all",
        "",
        "<con><result>1</result>",  // unclosed: the parse fails and leaves no elements
        // A reply from the network gets no document type: no entity expansion.
        "<!DOCTYPE con [<!ENTITY a \"1\">]><con><result>&a;</result></con>",
    };
    for (const char* body : bodies) {
        const std::optional<Failure> failure = FailureOf([&] { ReadLoginCode(ParseReply(body)); });
        ASSERT_TRUE(failure.has_value()) << body;
        EXPECT_EQ(failure->Kind(), FailureKind::ReplyUnreadable) << body;
        EXPECT_EQ(FirstLine(failure->what()), "服务器的回复无法读取") << body;
        EXPECT_NE(std::string(failure->what()).find("\n\n无法读取回复中的元素 con/result"), std::string::npos)
            << failure->what();
    }
}

TEST(LoginProtocol, ReplyIsReadInTheSystemCodePageWhateverItsDeclarationSays) {
    for (const char* declaration : {
             "<?xml version=\"1.0\" encoding=\"gb2312\"?>",
             "<?xml version='1.0' encoding = 'GB2312' standalone='yes'?>",
             "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
             "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>",
             "<?xml version=\"1.0\"?>",
             "",
         }) {
        const std::string body = std::string(declaration) + "<con><result>1</result><un>\xC0\xEE\xC3\xF7</un></con>";
        EXPECT_EQ(ParseReply(body).ChildText(L"con", L"un"), L"李明") << declaration;
    }
}

TEST(LoginProtocol, OnlyTheThreeFailureCodesHaveMessages) {
    const struct {
        LoginCode code;
        const wchar_t* caption;
        const wchar_t* text;
    } cases[] = {
        {LoginCode::WrongCaptcha, L"验证码错误", L"验证码错误,请重新输入"},
        {LoginCode::WrongPassword, L"密码错误", L"密码错误,请重新输入"},
        {LoginCode::UnknownUser, L"用户错误", L"没有此用户,请重新输入"},
    };
    for (const auto& c : cases) {
        const auto message = MessageFor(c.code);
        ASSERT_TRUE(message.has_value());
        EXPECT_STREQ(message->caption, c.caption);
        EXPECT_STREQ(message->text, c.text);
    }
    EXPECT_FALSE(MessageFor(LoginCode::Success).has_value());
    EXPECT_FALSE(MessageFor(LoginCode::Unknown).has_value());
}

std::string SuccessReply(const std::string& ifreg, const std::string& skip = "") {
    const std::pair<std::string, std::string> fields[] = {
        {"result", "\n 1 \n"}, {"uid", " 1001 "}, {"pwd", "d48951bb5391fa00abf477531eb1c4e0"},
        {"sid", "   a0d6fde6"}, {"un", "\xC0\xEE\xC3\xF7"}, {"em", "demo@vocara.test\t"},
        {"ifreg", ifreg},        {"z", "True"},
    };
    std::string body = "<?xml version=\"1.0\" encoding=\"gb2312\"?><con>";
    for (const auto& [name, text] : fields) {
        if (name != skip) {
            body += "<" + name + ">" + text + "</" + name + ">";
        }
    }
    return body + "</con>";
}

TEST(LoginProtocol, SuccessStoresTrimmedFieldsAndSavesTheUntrimmedReply) {
    TempFolder folder;
    const std::wstring file = (folder / "qz.dat").wstring();
    Tuserinfo state;
    state.remember = 1;
    StoreLoginSuccess(ParseReply(SuccessReply(" -5 ")), state, file);

    EXPECT_EQ(state.uid, "1001");
    EXPECT_EQ(state.pwd, "d48951bb5391fa00abf477531eb1c4e0");
    EXPECT_EQ(state.sid, "a0d6fde6");
    EXPECT_EQ(state.un, "\xC0\xEE\xC3\xF7");
    EXPECT_EQ(state.em, "demo@vocara.test");
    EXPECT_EQ(state.ifreg, -5);
    EXPECT_EQ(state.remember, 1) << "not the success path's business";

    // The saved file holds the document as the parser wrote it, in the
    // system code page, blanks and all.
    const std::string saved = loadzip(file);
    EXPECT_NE(saved.find("<sid>   a0d6fde6</sid>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<un>\xC0\xEE\xC3\xF7</un>"), std::string::npos) << saved;
    EXPECT_EQ(ParseReply(saved).ChildText(L"con", L"z"), L"True");
}

TEST(LoginProtocol, IfregMustBeA32BitDecimalInteger) {
    const struct {
        std::string text;
        int32_t value;
    } good[] = {{"0", 0}, {"1", 1}, {"\n-7 ", -7}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}};
    for (const auto& c : good) {
        TempFolder folder;
        Tuserinfo state;
        StoreLoginSuccess(ParseReply(SuccessReply(c.text)), state, (folder / "qz.dat").wstring());
        EXPECT_EQ(state.ifreg, c.value) << c.text;
    }
    for (const std::string bad : {"", "2147483648", "-2147483649", "1.5", "abc", "0x10", "+1", "1 2", "\xD2\xBB"}) {
        TempFolder folder;
        const auto file = folder / "qz.dat";
        Tuserinfo state;
        state.ifreg = 42;
        const std::optional<Failure> failure =
            FailureOf([&] { StoreLoginSuccess(ParseReply(SuccessReply(bad)), state, file.wstring()); });
        ASSERT_TRUE(failure.has_value()) << bad;
        EXPECT_EQ(failure->Kind(), FailureKind::ReplyUnreadable);
        EXPECT_NE(std::string(failure->what()).find("元素 ifreg 不是 32 位整数"), std::string::npos)
            << failure->what();
        EXPECT_EQ(state.ifreg, 42);
        EXPECT_EQ(state.em, "demo@vocara.test") << "fields before ifreg keep their new values";
        EXPECT_FALSE(std::filesystem::exists(file)) << "nothing is written";
    }
}

TEST(LoginProtocol, MissingElementStopsAtItsStepAndWritesNothing) {
    TempFolder folder;
    const auto file = folder / "qz.dat";
    Tuserinfo state;
    state.un = "old name";
    state.em = "old@x.test";
    const std::optional<Failure> failure =
        FailureOf([&] { StoreLoginSuccess(ParseReply(SuccessReply("1", "un")), state, file.wstring()); });
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Kind(), FailureKind::ReplyIncomplete);
    EXPECT_EQ(std::string(failure->what()), "服务器的回复不完整\n\n无法读取回复中的元素 con/un")
        << failure->what();
    EXPECT_EQ(state.uid, "1001");
    EXPECT_EQ(state.sid, "a0d6fde6");
    EXPECT_EQ(state.un, "old name");
    EXPECT_EQ(state.em, "old@x.test");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(LoginProtocol, SaveFailureAfterTheFieldsIsReported) {
    TempFolder folder;
    Tuserinfo state;
    const std::optional<Failure> failure = FailureOf(
        [&] { StoreLoginSuccess(ParseReply(SuccessReply("1")), state, (folder / "no" / "qz.dat").wstring()); });
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Kind(), FailureKind::CannotSaveLogin);
    EXPECT_EQ(FirstLine(failure->what()), "无法保存登录信息");
    EXPECT_NE(std::string(failure->what()).find("qz.dat"), std::string::npos) << failure->what();
    EXPECT_EQ(state.ifreg, 1);
    EXPECT_EQ(state.sid, "a0d6fde6");
}

} // namespace

namespace {

TEST(XmlDocument, AFailedLoadLeavesNoElementsEvenAfterAGoodOne) {
    XmlDocument document;
    document.LoadXml(L"<con><result>1</result></con>");
    EXPECT_EQ(document.ChildText(L"con", L"result"), L"1");
    for (const wchar_t* bad : {L"<con><result>", L"<!DOCTYPE con><con><result>1</result></con>"}) {
        document.LoadXml(bad);
        EXPECT_THROW(document.ChildText(L"con", L"result"), ui::Error);
    }
    // The serialised text of a loaded reply reads back the same.
    document.LoadXml(L"<con><result> 1 </result><sid>  s</sid></con>");
    XmlDocument copy;
    copy.LoadXml(document.Xml());
    EXPECT_EQ(copy.ChildText(L"con", L"sid"), document.ChildText(L"con", L"sid"));
}

} // namespace
