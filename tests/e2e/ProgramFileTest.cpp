// What the built Vocara.exe tells about itself in its file properties: the
// version resource, read back as the shell and the task manager read it.

#include "tests/e2e/VocaraProcess.h"

#include "res/VersionInfo.h"
#include "ui/Component.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

using e2e::Sandbox;

class ProgramFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(sandbox_.Program().c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource (error " << GetLastError() << ")";
        info_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(sandbox_.Program().c_str(), 0, size, info_.data()));
    }

    // The block at path and its length in the block's units; nullptr when missing.
    const void* Query(const std::wstring& path, UINT& length) const {
        void* value = nullptr;
        length = 0;
        return VerQueryValueW(info_.data(), path.c_str(), &value, &length) ? value : nullptr;
    }

    Sandbox sandbox_;
    std::vector<BYTE> info_;
};

TEST_F(ProgramFileTest, TheFixedPartCarriesTheBuildsVersionForAnApplication) {
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(VOCARA_VERSION_MINOR, VOCARA_VERSION_MAJOR);
    const DWORD low = MAKELONG(VOCARA_VERSION_TWEAK, VOCARA_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug, pre-release or patched flag";
}

TEST_F(ProgramFileTest, TheTextsNameTheProgramAndItsMakerInChinese) {
    UINT length = 0;
    const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", length));
    ASSERT_NE(translation, nullptr);
    ASSERT_GE(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0804) << "Simplified Chinese";
    EXPECT_EQ(translation[1], 1200) << "UTF-16";

    wchar_t table[32] = {};
    std::swprintf(table, std::size(table), L"\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
    const std::wstring version = ui::Utf8ToWide(VOCARA_VERSION_TEXT);
    const struct {
        const wchar_t* name;
        std::wstring text;
    } cases[] = {
        {L"ProductName", L"Vocara"},
        {L"FileDescription", L"Vocara 学习客户端"},
        {L"CompanyName", L"Vocara 学习软件工作室"},
        {L"LegalCopyright", L"版权所有 © 2026 Vocara 学习软件工作室"},
        {L"OriginalFilename", L"Vocara.exe"},
        {L"InternalName", L"Vocara"},
        {L"FileVersion", version},
        {L"ProductVersion", version},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ui::WideToUtf8(c.name));
        const auto* text = static_cast<const wchar_t*>(Query(table + std::wstring(c.name), length));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(std::wstring(text), c.text);
    }
}

} // namespace
