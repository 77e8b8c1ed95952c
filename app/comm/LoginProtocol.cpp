#include "app/comm/LoginProtocol.h"

#include "app/comm/Failure.h"
#include "app/comm/SavedLogin.h"
#include "skin/data/CodePage.h"
#include "ui/Component.h"

#include <charconv>
#include <string>

namespace app::comm {

namespace {

constexpr const wchar_t* kReplyRoot = L"con";

template <typename Char>
std::basic_string<Char> Trim(std::basic_string_view<Char> text) {
    // Compared unsigned: the bytes of a GBK character are above 0x80, not blanks.
    using Unsigned = std::make_unsigned_t<Char>;
    const auto isBlank = [](Char c) { return Unsigned(c) <= 32; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return std::basic_string<Char>(text.substr(first, last - first));
}

struct CodeText {
    const wchar_t* text;
    LoginCode code;
};
// In the order the codes are compared.
constexpr CodeText kCodes[] = {
    {L"-1", LoginCode::WrongCaptcha},
    {L"0", LoginCode::WrongPassword},
    {L"-2", LoginCode::UnknownUser},
    {L"1", LoginCode::Success},
};

struct CodeMessage {
    LoginCode code;
    LoginMessage message;
};
constexpr CodeMessage kMessages[] = {
    {LoginCode::WrongCaptcha, {L"验证码错误", L"验证码错误,请重新输入"}},
    {LoginCode::WrongPassword, {L"密码错误", L"密码错误,请重新输入"}},
    {LoginCode::UnknownUser, {L"用户错误", L"没有此用户,请重新输入"}},
};

struct StoredField {
    const wchar_t* element;
    std::string Tuserinfo::*field;
};
// In the order they are stored.
constexpr StoredField kSuccessFields[] = {
    {L"uid", &Tuserinfo::uid}, {L"pwd", &Tuserinfo::pwd}, {L"sid", &Tuserinfo::sid},
    {L"un", &Tuserinfo::un},   {L"em", &Tuserinfo::em},
};

// The element's text; a reply without it is a failure of kind, naming the
// element for support (what the parser said adds nothing to that).
std::wstring ElementText(const XmlDocument& reply, const wchar_t* element, FailureKind kind) {
    try {
        return reply.ChildText(kReplyRoot, element);
    } catch (...) {
        throw Failure(kind, "无法读取回复中的元素 " + ui::WideToUtf8(kReplyRoot) + "/" + ui::WideToUtf8(element));
    }
}

std::string TrimmedField(const XmlDocument& reply, const wchar_t* element) {
    return skin::WideToAnsi(TrimText(ElementText(reply, element, FailureKind::ReplyIncomplete)));
}

int32_t ParseInt32(const std::string& text, const wchar_t* element) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc() || stop != end) {
        throw Failure(FailureKind::ReplyUnreadable, "回复中的元素 " + ui::WideToUtf8(element) +
                                                        " 不是 32 位整数: \"" + ui::WideToUtf8(skin::AnsiToWide(text)) + "\"");
    }
    return value;
}

} // namespace

std::string TrimText(std::string_view text) { return Trim(text); }
std::wstring TrimText(std::wstring_view text) { return Trim(text); }

std::string LoginAddress(std::string_view email, std::string_view password, bool remember,
                         std::string_view captcha) {
    std::string address = "/en/user/rl.php?em=";
    address.append(email);
    address.append("&p=");
    address.append(password);
    address.append("&z=");
    address.append(remember ? "True" : "False");
    address.append("&yz=");
    address.append(TrimText(captcha));
    return address;
}

std::optional<LoginMessage> MessageFor(LoginCode code) {
    for (const CodeMessage& entry : kMessages) {
        if (entry.code == code) {
            return entry.message;
        }
    }
    return std::nullopt;
}

XmlDocument ParseReply(std::string_view body) {
    try {
        XmlDocument reply;
        reply.LoadXml(skin::AnsiToWide(body));
        return reply;
    } catch (...) {
        RethrowAsFailure(FailureKind::ReplyUnreadable, "XML 解析器无法读取回复");
    }
}

LoginCode ReadLoginCode(const XmlDocument& reply) {
    const std::wstring result = TrimText(ElementText(reply, L"result", FailureKind::ReplyUnreadable));
    for (const CodeText& entry : kCodes) {
        if (result == entry.text) {
            return entry.code;
        }
    }
    return LoginCode::Unknown;
}

void StoreLoginSuccess(const XmlDocument& reply, Tuserinfo& state, const std::wstring& savedFile) {
    for (const StoredField& entry : kSuccessFields) {
        state.*entry.field = TrimmedField(reply, entry.element);
    }
    state.ifreg = ParseInt32(TrimmedField(reply, L"ifreg"), L"ifreg");
    std::wstring xml;
    try {
        xml = reply.Xml();
    } catch (...) {
        RethrowAsFailure(FailureKind::CannotSaveLogin, "XML 解析器无法写出回复");
    }
    savezip(skin::WideToAnsi(xml), std::filesystem::path(savedFile));
}

} // namespace app::comm
