#include "app/comm/HttpClient.h"

#include "app/comm/Failure.h"
#include "ui/Component.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>
#include <string>

namespace app::comm {

namespace {

constexpr const wchar_t* kUserAgent = L"Mozilla/3.0 (compatible; Indy Library)";
constexpr const wchar_t* kRequestHeaders = L"Accept: text/html, */*\r\nContent-Type: text/html\r\n";
// A reply bigger than this is not one of ours.
constexpr size_t kMaxBody = 16u << 20;

struct InternetCloser {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using UniqueInternet = std::unique_ptr<void, InternetCloser>;

struct ErrorKind {
    DWORD code;
    FailureKind kind;
};
// WinHTTP's own codes (12000 and up) and the socket codes some WinHTTP
// builds pass on unchanged (10000 and up).
constexpr ErrorKind kErrorKinds[] = {
    {ERROR_WINHTTP_TIMEOUT, FailureKind::Timeout},
    {WSAETIMEDOUT, FailureKind::Timeout},
    {ERROR_WINHTTP_CANNOT_CONNECT, FailureKind::CannotConnect},
    {WSAECONNREFUSED, FailureKind::CannotConnect},
    {WSAENETUNREACH, FailureKind::CannotConnect},
    {WSAEHOSTUNREACH, FailureKind::CannotConnect},
    {ERROR_WINHTTP_NAME_NOT_RESOLVED, FailureKind::ServerNotFound},
    {WSAHOST_NOT_FOUND, FailureKind::ServerNotFound},
    {ERROR_WINHTTP_CONNECTION_ERROR, FailureKind::ConnectionBroken},
    {WSAECONNRESET, FailureKind::ConnectionBroken},
    {WSAECONNABORTED, FailureKind::ConnectionBroken},
    {ERROR_WINHTTP_INVALID_SERVER_RESPONSE, FailureKind::ReplyUnreadable},
    {ERROR_WINHTTP_SECURE_FAILURE, FailureKind::SecureConnection},
    {ERROR_WINHTTP_SECURE_CERT_DATE_INVALID, FailureKind::SecureConnection},
    {ERROR_WINHTTP_SECURE_CERT_CN_INVALID, FailureKind::SecureConnection},
    {ERROR_WINHTTP_SECURE_INVALID_CA, FailureKind::SecureConnection},
    {ERROR_WINHTTP_SECURE_CERT_REV_FAILED, FailureKind::SecureConnection},
    {ERROR_WINHTTP_SECURE_CHANNEL_ERROR, FailureKind::SecureConnection},
    {ERROR_WINHTTP_INVALID_URL, FailureKind::BadServerAddress},
    {ERROR_WINHTTP_UNRECOGNIZED_SCHEME, FailureKind::BadServerAddress},
};

FailureKind KindOf(DWORD code) {
    for (const ErrorKind& known : kErrorKinds) {
        if (known.code == code) {
            return known.kind;
        }
    }
    return FailureKind::Communication;
}

} // namespace

std::string SystemErrorName(unsigned long code) {
    const char* source = "系统错误";
    if (code > WINHTTP_ERROR_BASE && code < WINHTTP_ERROR_BASE + 1000) {
        source = "WinHTTP 错误";
    } else if (code >= WSABASEERR && code < WSABASEERR + 2000) {
        source = "Winsock 错误";
    }
    return std::string(source) + " " + std::to_string(code);
}

namespace {

// The request target as WinHTTP gets it. WinHTTP writes the request line in
// UTF-8 and escapes every character above 127, so bytes of the system code
// page cannot go out raw; they go as %XX of the same byte instead, which a
// server decoding its query reads as exactly those bytes. Blanks and control
// characters go the same way: raw, they would end the request line early or
// start a header of the user's making. Everything else, "%", "+" and "&"
// included, is passed on untouched.
std::wstring RequestTarget(std::string_view pathAndQuery) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring target;
    target.reserve(pathAndQuery.size());
    for (const char c : pathAndQuery) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F) {
            target.push_back(wchar_t(byte));
        } else {
            target.push_back(L'%');
            target.push_back(kHex[byte >> 4]);
            target.push_back(kHex[byte & 0x0F]);
        }
    }
    return target;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() &&
           CompareStringOrdinal(text.data(), int(prefix.size()), prefix.data(), int(prefix.size()), TRUE) == CSTR_EQUAL;
}

// "http://host[:port]" or "https://host[:port]", host possibly a bracketed
// IPv6 literal; nothing after the port.
bool ParseBaseAddress(std::wstring_view address, std::wstring& host, INTERNET_PORT& port, bool& secure) {
    constexpr std::wstring_view kHttp = L"http://";
    constexpr std::wstring_view kHttps = L"https://";
    secure = StartsWithNoCase(address, kHttps);
    if (!secure && !StartsWithNoCase(address, kHttp)) {
        return false;
    }
    std::wstring_view rest = address.substr(secure ? kHttps.size() : kHttp.size());
    if (rest.find_first_of(L"/?#@ \\") != std::wstring_view::npos) {
        return false;
    }
    size_t hostEnd = rest.find(L':');
    if (!rest.empty() && rest.front() == L'[') {
        const size_t close = rest.find(L']');
        if (close == std::wstring_view::npos) {
            return false;
        }
        hostEnd = close + 1 < rest.size() ? close + 1 : std::wstring_view::npos;
        if (hostEnd != std::wstring_view::npos && rest[hostEnd] != L':') {
            return false;
        }
    }
    host.assign(rest.substr(0, hostEnd));
    port = secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    if (hostEnd != std::wstring_view::npos) {
        const std::wstring_view digits = rest.substr(hostEnd + 1);
        if (digits.empty() || digits.size() > 5) {
            return false;
        }
        unsigned value = 0;
        for (const wchar_t c : digits) {
            if (c < L'0' || c > L'9') {
                return false;
            }
            value = value * 10 + unsigned(c - L'0');
        }
        if (value == 0 || value > 65535) {
            return false;
        }
        port = INTERNET_PORT(value);
    }
    return !host.empty() && host != L"[]";
}

} // namespace

struct HttpClient::Impl {
    std::wstring baseAddress;
    std::wstring host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    bool secure = false;
    int connectMs = kDefaultConnectTimeoutMs;
    int receiveMs = kDefaultReceiveTimeoutMs;
    UniqueInternet session;     // holds the cookies for the client's life
    UniqueInternet connection;  // one per request

    // "地址: " and the address without its query (the path never has one).
    std::string AddressLine(std::wstring_view path) const {
        return "地址: " + ui::WideToUtf8(baseAddress) + ui::WideToUtf8(path);
    }
    [[noreturn]] void Fail(std::wstring_view path, FailureKind kind, std::string_view more = {},
                           int status = 0) const {
        std::string detail = AddressLine(path);
        if (!more.empty()) {
            detail += "\n";
            detail.append(more);
        }
        throw Failure(kind, detail, status);
    }
    [[noreturn]] void FailLast(std::wstring_view path) const {
        const DWORD code = GetLastError();
        Fail(path, KindOf(code), SystemErrorName(code));
    }
};

HttpClient::HttpClient(std::wstring_view baseAddress) : impl_(std::make_unique<Impl>()) {
    impl_->baseAddress.assign(baseAddress);
    while (!impl_->baseAddress.empty() && impl_->baseAddress.back() == L'/') {
        impl_->baseAddress.pop_back();
    }

    if (!ParseBaseAddress(impl_->baseAddress, impl_->host, impl_->port, impl_->secure)) {
        throw Failure(FailureKind::BadServerAddress,
                      "地址: \"" + ui::WideToUtf8(baseAddress) + "\" (应为 http://主机[:端口] 或 https://主机[:端口])");
    }

    // No proxy: the client talks to the service directly.
    impl_->session.reset(WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                     WINHTTP_NO_PROXY_BYPASS, 0));
    if (!impl_->session) {
        throw Failure(FailureKind::NetworkUnavailable, SystemErrorName(GetLastError()));
    }
    SetTimeouts(impl_->connectMs, impl_->receiveMs);
}

HttpClient::~HttpClient() = default;

void HttpClient::SetTimeouts(int connectMs, int receiveMs) {
    impl_->connectMs = connectMs;
    impl_->receiveMs = receiveMs;
    // Name resolution counts as connecting; sending as receiving.
    if (!WinHttpSetTimeouts(impl_->session.get(), connectMs, connectMs, receiveMs, receiveMs)) {
        throw Failure(FailureKind::NetworkUnavailable, "设置超时: " + SystemErrorName(GetLastError()));
    }
}

void HttpClient::Disconnect() { impl_->connection.reset(); }

std::string HttpClient::Get(std::string_view pathAndQuery) {
    Impl& d = *impl_;
    const std::wstring path = RequestTarget(pathAndQuery);
    // Shown in errors without the query: it carries the password digest.
    const std::wstring shownPath = path.substr(0, path.find(L'?'));

    Disconnect();
    d.connection.reset(WinHttpConnect(d.session.get(), d.host.c_str(), d.port, 0));
    if (!d.connection) {
        d.FailLast(shownPath);
    }
    // The path goes out as given: no escaping of the path or the query.
    const UniqueInternet request(WinHttpOpenRequest(
        d.connection.get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
        WINHTTP_FLAG_ESCAPE_DISABLE | WINHTTP_FLAG_ESCAPE_DISABLE_QUERY | (d.secure ? WINHTTP_FLAG_SECURE : 0)));
    if (!request) {
        d.FailLast(shownPath);
    }
    // Redirects are never followed, and no connection outlives its request.
    DWORD features = WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_KEEP_ALIVE;
    if (!WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &features, sizeof features)) {
        d.FailLast(shownPath);
    }
    // The wait for the status line and headers has a time-out of its own.
    DWORD responseMs = DWORD(d.receiveMs);
    if (!WinHttpSetOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseMs, sizeof responseMs)) {
        d.FailLast(shownPath);
    }
    if (!WinHttpSendRequest(request.get(), kRequestHeaders, DWORD(-1), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr)) {
        d.FailLast(shownPath);
    }

    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        d.FailLast(shownPath);
    }
    if (status >= 300 && status <= 399) {
        d.Fail(shownPath, FailureKind::Redirected, {}, int(status));
    }
    if (status < 200 || status > 299) {
        d.Fail(shownPath, FailureKind::ServerError, {}, int(status));
    }

    std::string body;
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request.get(), &available)) {
            d.FailLast(shownPath);
        }
        if (available == 0) {
            break;
        }
        if (body.size() + available > kMaxBody) {
            d.Fail(shownPath, FailureKind::ReplyTooLarge, "回复超过 " + std::to_string(kMaxBody >> 20) + " MiB");
        }
        const size_t offset = body.size();
        body.resize(offset + available);
        DWORD read = 0;
        if (!WinHttpReadData(request.get(), body.data() + offset, available, &read)) {
            d.FailLast(shownPath);
        }
        body.resize(offset + read);
    }
    Disconnect();
    return body;
}

} // namespace app::comm
