#include "tests/e2e/ServiceStandIn.h"

#include "app/comm/HttpClient.h"

namespace e2e {

std::string Service(const std::string& pathAndQuery) {
    app::comm::HttpClient client(VOCARA_SERVER_BASE);
    return client.Get(pathAndQuery);
}

std::string ServiceLog() { return Service("/__test/log"); }

size_t RequestsFor(const std::string& pathAndQuery) {
    // Each entry starts a line: the log's first line or one after a newline.
    return Count("\n" + ServiceLog(), "\nGET " + pathAndQuery + " HTTP/1.1\n");
}

std::wstring CurrentAnswer() { return Widen(Service("/__test/answer")); }

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

} // namespace e2e
