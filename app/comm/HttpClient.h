#pragma once
// The login window's HTTP client: plain GET over HTTP/1.1 on WinHTTP, three
// fixed request headers, cookies kept for the life of the client, redirects
// never followed, a new connection for every request, bounded time-outs.

#include <memory>
#include <string>
#include <string_view>

namespace app::comm {

// A system error code as support reads it: "WinHTTP 错误 12002" for WinHTTP's
// own codes, "Winsock 错误 10060" for the socket codes some WinHTTP builds
// pass on, "系统错误 N" for the rest (UTF-8).
std::string SystemErrorName(unsigned long code);

class HttpClient {
public:
    static constexpr int kDefaultConnectTimeoutMs = 15000;
    static constexpr int kDefaultReceiveTimeoutMs = 30000;

    // baseAddress: "http://host[:port]" or "https://host[:port]", no path.
    // Throws Failure when it cannot be parsed or WinHTTP cannot start.
    explicit HttpClient(std::wstring_view baseAddress);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GET of pathAndQuery (8-bit, system code page, sent byte for byte with
    // no percent-encoding; only bytes WinHTTP cannot put on the request line
    // as they are (above 127) or that would break it (blanks, control
    // characters) go as %XX of the same byte) and the whole body as bytes.
    // Throws Failure on any failure: no connection, time-out, a status other
    // than 2xx (a 3xx included); its detail names the address without the
    // query and the system's error code.
    std::string Get(std::string_view pathAndQuery);

    // Closes any connection kept from an earlier request; cookies stay.
    void Disconnect();

    void SetTimeouts(int connectMs, int receiveMs);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace app::comm
