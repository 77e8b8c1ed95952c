// SkinGallery.exe itself: started with a skin file on its command line it
// shows its window in that skin; started with one it cannot read it says so
// and shows the built-in skin.

#include "tests/e2e/VocaraProcess.h"
#include "tests/skingallery/GalleryFixture.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

using e2e::WaitUntil;
using gallerytest::WindowText;

// SkinGallery.exe beside the program, in the build's bin folder.
std::filesystem::path GalleryProgram() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path().parent_path() / L"bin" / L"SkinGallery.exe";
}

// One started gallery; ended when it goes, if it still runs.
class GalleryProcess {
public:
    explicit GalleryProcess(const std::wstring& argument) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + GalleryProgram().wstring() + L"\" \"" + argument + L"\"";
        started_ = CreateProcessW(GalleryProgram().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &info_) != FALSE;
    }
    ~GalleryProcess() {
        if (!started_) {
            return;
        }
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    GalleryProcess(const GalleryProcess&) = delete;
    GalleryProcess& operator=(const GalleryProcess&) = delete;

    bool Started() const { return started_; }

    // A visible top-level window of the process of this class whose caption
    // begins with the text.
    HWND WaitForWindow(const wchar_t* className, const std::wstring& captionStart, DWORD timeoutMs = 60000) const {
        struct Search {
            DWORD pid;
            const wchar_t* className;
            const std::wstring& caption;
            HWND found;
        } search{info_.dwProcessId, className, captionStart, nullptr};
        WaitUntil(
            [&] {
                EnumWindows(
                    [](HWND window, LPARAM data) -> BOOL {
                        auto& s = *reinterpret_cast<Search*>(data);
                        DWORD pid = 0;
                        GetWindowThreadProcessId(window, &pid);
                        wchar_t name[64] = {};
                        GetClassNameW(window, name, 64);
                        if (pid == s.pid && IsWindowVisible(window) && std::wstring_view(name) == s.className &&
                            WindowText(window).starts_with(s.caption)) {
                            s.found = window;
                            return FALSE;
                        }
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&search));
                return search.found != nullptr;
            },
            timeoutMs);
        return search.found;
    }

    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const {
        if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// The child button of the gallery window with this caption, at any depth.
HWND FindButton(HWND window, const wchar_t* caption) {
    struct Search {
        const wchar_t* caption;
        HWND found;
    } search{caption, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (WindowText(child) == s.caption) {
                s.found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct GalleryProgramTest : ::testing::Test {
    gallerytest::TempFolder folder;
};

TEST_F(GalleryProgramTest, StartsInTheSkinFileNamedOnItsCommandLine) {
    ASSERT_TRUE(std::filesystem::exists(GalleryProgram())) << GalleryProgram().string();
    const std::wstring skinFile = folder.Write(L"teal.skn", gallerytest::SolidSkinFile(gallerytest::kTealSkin));
    GalleryProcess gallery(skinFile);
    ASSERT_TRUE(gallery.Started());
    const HWND window = gallery.WaitForWindow(L"TGalleryForm", L"皮肤画廊 - teal.skn");
    ASSERT_NE(window, nullptr);
    const HWND button = FindButton(window, L"普通按钮");
    ASSERT_NE(button, nullptr);
    // The window and its push button get their painters once the first skin command has run.
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(window, skin::SKM_QUERY, 0, 0) == 1; }, 30000));
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(button, skin::SKM_QUERY, 0, 0) == 1; }, 30000));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return gallerytest::ScreenPixel(button, POINT{3, 3}) == gallerytest::Rgbref(gallerytest::kTealSkin.button);
        },
        30000));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(gallery.WaitForExit(30000), std::optional<DWORD>(0));
}

TEST_F(GalleryProgramTest, SaysSoWhenTheSkinFileCannotBeReadAndShowsTheDefaultSkin) {
    ASSERT_TRUE(std::filesystem::exists(GalleryProgram()));
    const std::wstring skinFile = folder.Write(L"broken.skn", skintest::Bytes{'b', 'r', 'o', 'k', 'e', 'n'});
    GalleryProcess gallery(skinFile);
    ASSERT_TRUE(gallery.Started());
    const HWND box = gallery.WaitForWindow(L"#32770", L"皮肤画廊");
    ASSERT_NE(box, nullptr);
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        text += WindowText(child) + L"\n";
    }
    EXPECT_NE(text.find(L"无法读取皮肤文件"), std::wstring::npos);
    EXPECT_NE(text.find(L"broken.skn"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    const HWND window = gallery.WaitForWindow(L"TGalleryForm", L"皮肤画廊 - 默认皮肤");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(window, skin::SKM_QUERY, 0, 0) == 1; }, 30000));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(gallery.WaitForExit(30000), std::optional<DWORD>(0));
}

} // namespace
