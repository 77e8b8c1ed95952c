// Native stand-in for the system code page conversions, as the program's
// users have it (code page 936, GBK), through iconv. Like the Windows calls
// without flags it never fails: an undecodable byte becomes U+FFFD and an
// unmappable character "?". Windows' exact choice of replacements for broken
// sequences is left to the tests that run under Wine.

#include "skin/data/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace skin {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {
        if (FHandle == iconv_t(-1)) {
            throw std::runtime_error("iconv has no GBK");
        }
    }
    ~Converter() { iconv_close(FHandle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; answers false at a sequence it cannot.
    bool Step(const char*& in, size_t& inLeft, std::string& out) {
        char buffer[256];
        char* next = buffer;
        size_t room = sizeof buffer;
        const size_t result = iconv(FHandle, const_cast<char**>(&in), &inLeft, &next, &room);
        out.append(buffer, size_t(next - buffer));
        if (result == size_t(-1) && errno != E2BIG) {
            iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
            return false;
        }
        return true;
    }

private:
    iconv_t FHandle;
};

} // namespace

std::wstring AnsiToWide(std::string_view text) {
    static Converter converter("WCHAR_T", "GBK");
    std::string raw;
    const char* in = text.data();
    size_t left = text.size();
    while (left != 0) {
        if (!converter.Step(in, left, raw)) {
            const wchar_t replacement = 0xFFFD;
            raw.append(reinterpret_cast<const char*>(&replacement), sizeof replacement);
            ++in;
            --left;
        }
    }
    return std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
}

std::string WideToAnsi(std::wstring_view text) {
    static Converter converter("GBK", "WCHAR_T");
    std::string out;
    const char* in = reinterpret_cast<const char*>(text.data());
    size_t left = text.size() * sizeof(wchar_t);
    while (left != 0) {
        if (!converter.Step(in, left, out)) {
            out.push_back('?');
            in += sizeof(wchar_t);
            left -= sizeof(wchar_t);
        }
    }
    return out;
}

} // namespace skin
