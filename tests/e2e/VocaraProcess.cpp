#include "tests/e2e/VocaraProcess.h"

#include <stdexcept>
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

VocaraProcess::VocaraProcess(const Sandbox& sandbox) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + sandbox.Program().wstring() + L"\"";
    if (!CreateProcessW(sandbox.Program().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        sandbox.Folder().c_str(), &startup, &info_)) {
        throw std::runtime_error("Vocara.exe did not start");
    }
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
            if (pid != s.pid || ClassOf(window) != s.className || (s.visibleOnly && !IsWindowVisible(window))) {
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
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(L"Vocara", L"", true)) != nullptr; }, timeoutMs);
    return found;
}

HWND VocaraProcess::WaitForBox(std::wstring_view caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(L"#32770", caption, true)) != nullptr; }, timeoutMs);
    return found;
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
