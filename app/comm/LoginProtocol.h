#pragma once
// The login request and the reading of its reply.

#include "app/LoginState.h"
#include "app/comm/XmlDocument.h"

#include <optional>
#include <string>
#include <string_view>

namespace app::comm {

inline constexpr std::string_view kCaptchaPath = "/qzuser/yz.php";

// Leading and trailing blanks and control characters (every code up to 32) removed.
std::string TrimText(std::string_view text);
std::wstring TrimText(std::wstring_view text);

// "/en/user/rl.php?em=" email "&p=" password "&z=" True|False "&yz=" trimmed
// captcha, all inserted verbatim (8-bit texts, no percent-encoding).
std::string LoginAddress(std::string_view email, std::string_view password, bool remember,
                         std::string_view captcha);

enum class LoginCode { WrongCaptcha, WrongPassword, UnknownUser, Success, Unknown };

// The message box of a failure code: caption and text. Empty for Success and Unknown.
struct LoginMessage {
    const wchar_t* caption;
    const wchar_t* text;
};
std::optional<LoginMessage> MessageFor(LoginCode code);

// Parses the 8-bit reply body and reads its trimmed result code. Throws
// Failure (ReplyUnreadable) when there is no con or no result.
LoginCode ReadLoginCode(const XmlDocument& reply);
XmlDocument ParseReply(std::string_view body);

// The success steps: uid, pwd, sid, un, em (trimmed, 8-bit) and ifreg into
// state in that order, then the serialised reply written to savedFile.
// Throws Failure at the first step that fails (ReplyIncomplete for a missing
// element, ReplyUnreadable for an ifreg that is no number, CannotSaveLogin);
// fields stored before it keep their new values.
void StoreLoginSuccess(const XmlDocument& reply, Tuserinfo& state, const std::wstring& savedFile);

} // namespace app::comm
