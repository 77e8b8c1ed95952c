#pragma once
// The service stand-in (tests/service/) that scripts/test runs on the build's
// server address: its control requests and its request log.

#include <string>

namespace e2e {

// Answers a control request such as "/__test/reset".
std::string Service(const std::string& pathAndQuery);
// The request lines and headers the stand-in logged since the last reset.
std::string ServiceLog();
// How many requests since the last reset had exactly this request line
// ("GET " + pathAndQuery + " HTTP/1.1").
size_t RequestsFor(const std::string& pathAndQuery);
// The answer to the captcha the stand-in issued last.
std::wstring CurrentAnswer();

size_t Count(const std::string& text, const std::string& part);
std::wstring Widen(const std::string& ascii);

} // namespace e2e
