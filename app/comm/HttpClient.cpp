#include "app/comm/HttpClient.h"

#include "ui/Application.h"

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

struct ErrorText {
    DWORD code;
    const wchar_t* text;
};
constexpr ErrorText kErrorTexts[] = {
    {ERROR_WINHTTP_TIMEOUT, L"the server did not answer in time"},
    {ERROR_WINHTTP_CANNOT_CONNECT, L"no connection to the server"},
    {ERROR_WINHTTP_NAME_NOT_RESOLVED, L"the server name cannot be resolved"},
    {ERROR_WINHTTP_CONNECTION_ERROR, L"the connection was broken"},
    {ERROR_WINHTTP_INVALID_SERVER_RESPONSE, L"the server's reply is not HTTP"},
    {ERROR_WINHTTP_SECURE_FAILURE, L"the secure connection failed"},
    {ERROR_WINHTTP_INVALID_URL, L"the address is not valid"},
    {ERROR_WINHTTP_UNRECOGNIZED_SCHEME, L"the address is not http:// or https://"},
    // Some WinHTTP builds pass the socket's own error on.
    {10060 /* WSAETIMEDOUT */, L"the server did not answer in time"},
    {10061 /* WSAECONNREFUSED */, L"no connection to the server"},
};

std::wstring DescribeError(DWORD code) {
    std::wstring text = L"WinHTTP error " + std::to_wstring(code);
    for (const ErrorText& known : kErrorTexts) {
        if (known.code == code) {
            return std::wstring(known.text) + L" (" + text + L")";
        }
    }
    return text;
}

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

    [[noreturn]] void Fail(std::wstring_view path, const std::wstring& why) const {
        throw ui::Error(L"GET " + baseAddress + std::wstring(path) + L" failed: " + why);
    }
    [[noreturn]] void FailLast(std::wstring_view path) const { Fail(path, DescribeError(GetLastError())); }
};

HttpClient::HttpClient(std::wstring_view baseAddress) : impl_(std::make_unique<Impl>()) {
    impl_->baseAddress.assign(baseAddress);
    while (!impl_->baseAddress.empty() && impl_->baseAddress.back() == L'/') {
        impl_->baseAddress.pop_back();
    }

    if (!ParseBaseAddress(impl_->baseAddress, impl_->host, impl_->port, impl_->secure)) {
        throw ui::Error(L"The server address \"" + std::wstring(baseAddress) +
                        L"\" is not http://host[:port] or https://host[:port]");
    }

    // No proxy: the client talks to the service directly.
    impl_->session.reset(WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                     WINHTTP_NO_PROXY_BYPASS, 0));
    if (!impl_->session) {
        throw ui::Error(L"WinHTTP cannot start: " + DescribeError(GetLastError()));
    }
    SetTimeouts(impl_->connectMs, impl_->receiveMs);
}

HttpClient::~HttpClient() = default;

void HttpClient::SetTimeouts(int connectMs, int receiveMs) {
    impl_->connectMs = connectMs;
    impl_->receiveMs = receiveMs;
    // Name resolution counts as connecting; sending as receiving.
    if (!WinHttpSetTimeouts(impl_->session.get(), connectMs, connectMs, receiveMs, receiveMs)) {
        throw ui::Error(L"WinHTTP cannot set its time-outs: " + DescribeError(GetLastError()));
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
    if (status < 200 || status > 299) {
        d.Fail(shownPath, L"the server answered with status " + std::to_wstring(status));
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
            d.Fail(shownPath, L"the reply is larger than " + std::to_wstring(kMaxBody >> 20) + L" MiB");
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
