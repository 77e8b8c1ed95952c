// Reads the input as the body of a login reply the way the login window does:
// code-page text to wide text, parsed as XML, the trimmed result code, and on
// success the trimmed fields, ifreg as a number and the saved login file.
// The XML parser here is a small native one of the same shape (see
// fuzz/native); MSXML's own parse and serialisation are left to the tests under
// Wine. Traps on answers the rules never give.

#include "app/LoginState.h"
#include "app/comm/Failure.h"
#include "app/comm/LoginProtocol.h"
#include "app/comm/SavedLogin.h"
#include "skin/data/CodePage.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

// Replies are a few hundred bytes; longer inputs only make each run slower.
constexpr size_t kMaxInputBytes = 4096;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

void CheckTrimmed(std::string_view original, const std::string& trimmed) {
    Check(trimmed.empty() || (!IsBlank(trimmed.front()) && !IsBlank(trimmed.back())));
    Check(original.find(trimmed) != std::string_view::npos);
}

const std::filesystem::path& SavedFile() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("fuzz-login-reply-" + std::to_string(getpid()) + ".dat");
    return path;
}

void CheckSuccess(const app::comm::XmlDocument& reply) {
    app::Tuserinfo state;
    try {
        app::comm::StoreLoginSuccess(reply, state, SavedFile().wstring());
    } catch (const app::comm::Failure&) {
        return; // a missing field or an ifreg that is no number: the error box
    }
    for (const std::string* field : {&state.uid, &state.pwd, &state.sid, &state.un, &state.em}) {
        Check(field->empty() || (!IsBlank(field->front()) && !IsBlank(field->back())));
    }
    const std::string ifreg = app::comm::TrimText(skin::WideToAnsi(reply.ChildText(L"con", L"ifreg")));
    Check(std::to_string(state.ifreg) == ifreg || ifreg.starts_with('0') || ifreg.starts_with("-0"));
    // The saved file holds the serialised reply.
    Check(app::comm::loadzip(SavedFile()) == skin::WideToAnsi(reply.Xml()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInputBytes) {
        return 0;
    }
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    CheckTrimmed(body, app::comm::TrimText(body));

    const app::comm::XmlDocument reply = app::comm::ParseReply(body);
    app::comm::LoginCode code;
    try {
        code = app::comm::ReadLoginCode(reply);
    } catch (const app::comm::Failure&) {
        return 0; // no con or no result: the error box
    }
    const std::wstring result = app::comm::TrimText(reply.ChildText(L"con", L"result"));
    const bool known = result == L"-1" || result == L"0" || result == L"-2" || result == L"1";
    Check(known == (code != app::comm::LoginCode::Unknown));
    Check(app::comm::MessageFor(code).has_value() == (known && result != L"1"));
    if (code == app::comm::LoginCode::Success) {
        CheckSuccess(reply);
    }
    return 0;
}
