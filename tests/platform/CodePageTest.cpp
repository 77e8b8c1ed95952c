// The program's 8-bit texts (wire, saved file, skin files) are in the system code
// page; our users run code page 936, and so do the tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring FromCodePage(UINT codePage, const std::string& bytes) {
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), wide.data(), n);
    return wide;
}

std::string ToCodePage(UINT codePage, const std::wstring& wide) {
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, usedDefaultOut);
    std::string bytes(size_t(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), bytes.data(), n, nullptr, usedDefaultOut);
    EXPECT_FALSE(usedDefault) << "a character has no form in code page " << codePage;
    return bytes;
}

TEST(CodePage, SystemCodePageIsChinese) {
    EXPECT_EQ(GetACP(), 936u);
}

struct ChineseText {
    const char* utf8;
    std::vector<uint8_t> gbk;
};

TEST(CodePage, ChineseTextRoundTripsThroughSystemCodePage) {
    const ChineseText cases[] = {
        {"信息", {0xD0, 0xC5, 0xCF, 0xA2}},
        {"Vocara登录", {'V', 'o', 'c', 'a', 'r', 'a', 0xB5, 0xC7, 0xC2, 0xBC}},
        {"记住密码", {0xBC, 0xC7, 0xD7, 0xA1, 0xC3, 0xDC, 0xC2, 0xEB}},
        {"解压文件错误！", {0xBD, 0xE2, 0xD1, 0xB9, 0xCE, 0xC4, 0xBC, 0xFE, 0xB4, 0xED, 0xCE, 0xF3, 0xA3, 0xA1}},
    };
    for (const ChineseText& c : cases) {
        SCOPED_TRACE(c.utf8);
        const std::wstring wide = FromCodePage(CP_UTF8, c.utf8);
        const std::string ansi = ToCodePage(CP_ACP, wide);
        EXPECT_EQ(std::vector<uint8_t>(ansi.begin(), ansi.end()), c.gbk);
        EXPECT_EQ(FromCodePage(CP_ACP, ansi), wide);
        EXPECT_EQ(ToCodePage(CP_UTF8, FromCodePage(CP_ACP, ansi)), std::string(c.utf8));
    }
}

} // namespace
