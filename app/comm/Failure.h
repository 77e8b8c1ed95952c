#pragma once
// Every error text the program shows, in one table: plain words a user
// understands first, then the technical detail a support person needs.
// Portable: no Windows header (the saved login file's codec uses it too).

#include <stdexcept>
#include <string>
#include <string_view>

namespace app::comm {

enum class FailureKind {
    CannotConnect,       // nobody answers at the server's address
    ServerNotFound,      // the server's name resolves to nothing
    Timeout,             // connected, but no reply in time
    ConnectionBroken,    // the connection ended in the middle
    SecureConnection,    // the TLS handshake or certificate failed
    Communication,       // any other failure on the way
    ServerError,         // an HTTP status other than 2xx and 3xx
    Redirected,          // a 3xx status: the client never follows it
    ReplyTooLarge,       // more than any reply of ours
    ReplyUnreadable,     // not the reply we expect (no con, no result, bad number)
    ReplyIncomplete,     // a success reply without one of its fields
    CannotSaveLogin,     // qz.dat cannot be written
    CannotReadLogin,     // qz.dat cannot be read back
    BadServerAddress,    // the built-in address is not http(s)://host[:port]
    NetworkUnavailable,  // the HTTP library does not start
    PasswordDigest,      // the system's MD5 does not work
    PageCannotOpen,      // the browser refuses an address
    PageScriptFailed,    // the page's script call failed
};

// The plain words of kind (UTF-8), with " (状态 N)" after them when status
// is not 0.
std::string FailurePlainText(FailureKind kind, int status = 0);

// The whole text of an error box: the plain words, and after an empty line
// the detail when there is one (UTF-8).
std::string FailureText(FailureKind kind, std::string_view detail, int status = 0);

// An error told in our words. what() is FailureText, UTF-8, which is how the
// framework's error box reads a standard exception.
class Failure : public std::runtime_error {
public:
    Failure(FailureKind kind, std::string_view detail, int status = 0);
    FailureKind Kind() const { return kind_; }

private:
    FailureKind kind_;
};

// Inside a catch block: a Failure goes on as it is; any other exception
// becomes a Failure of kind, with detail and the original text under it.
[[noreturn]] void RethrowAsFailure(FailureKind kind, std::string_view detail);

// An address as errors show it: without the query and fragment, which may
// carry the password digest or the session.
std::string AddressWithoutQuery(std::string_view address);

} // namespace app::comm
