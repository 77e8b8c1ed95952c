#include "skin/data/ModalMessage.h"

#include "skin/data/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/PackageWriter.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// What the box showed, read back while it runs its modal loop.
struct SeenBox {
    bool found = false;
    std::wstring caption;
    std::wstring text;
};

SeenBox g_seen;

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    g_seen.caption = buffer;
    GetDlgItemTextW(window, 0xFFFF, buffer, 256);  // the message box's text control
    g_seen.text = buffer;
    g_seen.found = true;
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK LookForBox(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!g_seen.found) {
        EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0);
    }
    if (g_seen.found) {
        KillTimer(nullptr, timer);
    }
}

template <class Show>
SeenBox WatchBox(Show&& show) {
    g_seen = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForBox);
    show();
    KillTimer(nullptr, timer);
    return g_seen;
}

SeenBox ShowAndClose(const std::string& text) {
    return WatchBox([&] { skin::ShowModalMessage(text); });
}

TEST(ModalMessage, ShowsTheTextWithTheProgramTitleUntilOk) {
    const SeenBox seen = ShowAndClose("This is Older Skin File\rPlease update to new version !");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, L"skin_data_tests");
    EXPECT_EQ(seen.text.substr(0, 23), L"This is Older Skin File");
    EXPECT_NE(seen.text.find(L"Please update to new version !"), std::wstring::npos);
}

TEST(ModalMessage, ConvertsSystemCodePageText) {
    const SeenBox seen = ShowAndClose("\xD0\xC5\xCF\xA2");  // 信息 in code page 936
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, L"\u4FE1\u606F");
}

TEST(ModalMessage, SkinReaderShowsTheOlderSkinBoxThroughIt) {
    skinpack::RawPackage raw;
    raw.Version = 10000;
    raw.NameText = "a.ini\r\n";
    raw.Sizes = {1};
    raw.Data = {'x'};
    skin::MemoryStream file(skinpack::MakeSkinFile(skinpack::BuildRawPackage(raw)));
    skin::TSkinReader reader(skin::ShowModalMessage);
    bool opened = true;
    const SeenBox seen = WatchBox([&] { opened = reader.Open(file); });
    EXPECT_FALSE(opened);
    ASSERT_TRUE(seen.found);
    EXPECT_NE(seen.text.find(L"Please update to new version !"), std::wstring::npos);
}

} // namespace
