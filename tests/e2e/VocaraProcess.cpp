#include "tests/e2e/VocaraProcess.h"

#include "tests/e2e/Desktop.h"
#include "tests/e2e/ServiceStandIn.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {
namespace {

std::filesystem::path ThisModuleFolder() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    return std::filesystem::path(std::wstring(buffer.data(), n)).parent_path();
}

// The built program: tests/ and bin/ are siblings in the build tree.
std::filesystem::path BuiltProgram() { return ThisModuleFolder().parent_path() / L"bin" / L"Vocara.exe"; }

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

} // namespace

Sandbox::Sandbox() {
    static int serial = 0;
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    folder_ = std::filesystem::path(base) / (L"vocara-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                             std::to_wstring(++serial));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(BuiltProgram(), Program());
}

Sandbox::~Sandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string Sandbox::SavedReply() const {
    std::ifstream in(SavedLogin(), std::ios::binary);
    const std::string stream((std::istreambuf_iterator<char>(in)), {});
    std::string out(1 << 16, '\0');
    uLongf size = uLongf(out.size());
    if (stream.empty() || uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                     reinterpret_cast<const Bytef*>(stream.data()), uLong(stream.size())) != Z_OK) {
        return "";
    }
    out.resize(size);
    return out;
}

VocaraProcess::VocaraProcess(const Sandbox& sandbox) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Right after a copy of the program was ended, Wine now and then refuses
    // a new process for a moment: try again a few times before giving up.
    DWORD error = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::wstring commandLine = L"\"" + sandbox.Program().wstring() + L"\"";
        if (CreateProcessW(sandbox.Program().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           sandbox.Folder().c_str(), &startup, &info_)) {
            return;
        }
        error = GetLastError();
        Sleep(200);
    }
    throw std::runtime_error("Vocara.exe did not start (error " + std::to_string(error) + ")");
}

VocaraProcess::~VocaraProcess() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::optional<DWORD> VocaraProcess::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool VocaraProcess::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

HWND VocaraProcess::FindTopWindow(std::wstring_view className, std::wstring_view caption, bool visibleOnly) const {
    struct Search {
        DWORD pid;
        std::wstring_view className;
        std::wstring_view caption;
        bool visibleOnly;
        HWND found;
    } search{Id(), className, caption, visibleOnly, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != s.pid || (!s.className.empty() && ClassOf(window) != s.className) ||
                (s.visibleOnly && !IsWindowVisible(window))) {
                return TRUE;
            }
            if (!s.caption.empty() && TextOf(window) != s.caption) {
                return TRUE;
            }
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VocaraProcess::WaitForLoginWindow(DWORD timeoutMs) const {
    // Shown is not yet laid out: on a busy machine the window can be on the
    // screen before its controls have reached their places, and they can
    // still move once. Complete over a quarter of a second counts as settled.
    constexpr ULONGLONG kSettled = 250;
    HWND found = nullptr;
    ULONGLONG completeSince = 0;
    WaitUntil([&] {
        found = FindTopWindow(L"Vocara", L"", true);
        if (found == nullptr || !LoginWindow(found).Complete()) {
            completeSince = 0;
            return false;
        }
        const ULONGLONG now = GetTickCount64();
        completeSince = completeSince == 0 ? now : completeSince;
        return now - completeSince >= kSettled;
    }, timeoutMs);
    return found;
}

HWND VocaraProcess::WaitForBox(std::wstring_view caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(L"#32770", caption, true)) != nullptr; }, timeoutMs);
    return found;
}

HWND VocaraProcess::WaitForWindow(std::wstring_view caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(L"", caption, true)) != nullptr; }, timeoutMs);
    return found;
}

HWND VocaraProcess::WaitForStudyWindow(DWORD timeoutMs) const { return WaitForWindow(L"Vocara1.4", timeoutMs); }

bool VocaraProcess::ExitThroughTrayMenu() const {
    const HWND study = WaitForStudyWindow();
    // Away from the study window, so the menu cannot open over it.
    if (study == nullptr || !MoveMouseTo(POINT{40, 40})) {
        return false;
    }
    PostMessageW(study, WM_USER + 1, 1, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = FindTopWindow(L"#32768", L"", true)) != nullptr; }, 30000)) {
        return false;
    }
    ClickAt(CentreOf(OuterRect(menu)));
    return true;
}

LoginWindow::LoginWindow(HWND window)
    : handle(window),
      edem(ChildAt(window, 86, 134)),
      edpw(ChildAt(window, 86, 171)),
      edyz(ChildAt(window, 146, 213)),
      autochkbox(ChildAt(window, 294, 132)),
      btcfm(ChildAt(window, 211, 213)),
      btjpg(ChildAt(window, 5, 213)),
      Button3(ChildAt(window, 294, 213)),
      Button4(ChildAt(window, 294, 170)),
      panel(edem != nullptr ? GetParent(edem) : nullptr) {}

void LoginWindow::Fill(const std::wstring& email, const std::wstring& password, const std::wstring& captcha) const {
    SetText(edem, email);
    ASSERT_TRUE(FocusTo(edpw));
    SetText(edpw, password);
    ASSERT_TRUE(FocusTo(edyz));
    SetText(edyz, captcha);
}

bool LogIn(const VocaraProcess& vocara, const std::wstring& email, const std::wstring& password) {
    const LoginWindow login(vocara.WaitForLoginWindow());
    if (!login.Complete()) {
        return false;
    }
    login.Fill(email, password, CurrentAnswer());
    if (::testing::Test::HasFatalFailure()) {
        return false;
    }
    PostMessageW(login.btcfm, BM_CLICK, 0, 0);
    return true;
}

std::string ElementText(const std::string& xml, const std::string& element) {
    const std::string open = "<" + element + ">";
    const size_t begin = xml.find(open);
    const size_t end = xml.find("</" + element + ">", begin);
    if (begin == std::string::npos || end == std::string::npos) {
        return "";
    }
    return xml.substr(begin + open.size(), end - begin - open.size());
}

RECT OuterRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

HWND FindChild(HWND window, std::initializer_list<std::wstring_view> classNames, std::wstring_view text) {
    struct Search {
        std::initializer_list<std::wstring_view> classNames;
        std::wstring_view text;
        HWND found;
    } search{classNames, text, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            const std::wstring name = ClassOf(child);
            bool classMatches = s.classNames.size() == 0;
            for (std::wstring_view wanted : s.classNames) {
                classMatches = classMatches || wanted.empty() || name == wanted;
            }
            if (classMatches && (s.text.empty() || TextOf(child) == s.text)) {
                s.found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildAt(HWND window, int left, int top) {
    struct Search {
        HWND top;
        POINT at;
        HWND found;
    } search{window, {left, top}, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            RECT bounds{};
            GetWindowRect(child, &bounds);
            POINT corner{bounds.left, bounds.top};
            ScreenToClient(s.top, &corner);
            // The panel fills the client area: skip it, it starts at 0, 0 too.
            if (corner.x == s.at.x && corner.y == s.at.y && GetWindow(child, GW_CHILD) == nullptr) {
                s.found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 5000, &copied);
    return std::wstring(buffer, copied);
}

void SetText(HWND window, std::wstring_view text) {
    const std::wstring copy(text);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()), SMTO_NORMAL, 5000, &ignored);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

bool FocusTo(HWND window) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, target, TRUE);
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    SetFocus(window);
    AttachThreadInput(self, target, FALSE);
    return WaitUntil([&] { return FocusOf(window) == window; }, 10000);
}

std::wstring BoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text != nullptr ? TextOf(text) : std::wstring();
}

bool WaitForIdle(HWND window, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

} // namespace e2e
