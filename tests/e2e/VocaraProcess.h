#pragma once
// Drives a real Vocara.exe from the outside: a copy in a folder of its own,
// its windows found by class and process, texts read and written with window
// messages, focus read through the thread's GUI state.

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace e2e {

// A fresh temporary folder holding a copy of the built Vocara.exe; removed
// (with its qz.dat) when it goes.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path Program() const { return folder_ / L"Vocara.exe"; }
    std::filesystem::path SavedLogin() const { return folder_ / L"qz.dat"; }
    // The saved login reply, inflated; empty when there is none.
    std::string SavedReply() const;

private:
    std::filesystem::path folder_;
};

// One started copy; terminated when it goes, if it still runs.
class VocaraProcess {
public:
    explicit VocaraProcess(const Sandbox& sandbox);
    ~VocaraProcess();
    VocaraProcess(const VocaraProcess&) = delete;
    VocaraProcess& operator=(const VocaraProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // The exit code once the process has ended within timeoutMs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    bool Running() const;

    // The visible login window (class "Vocara") of this process, once its
    // controls are all in their places.
    HWND WaitForLoginWindow(DWORD timeoutMs = 60000) const;
    // A message box (dialog class) of this process with this caption.
    HWND WaitForBox(std::wstring_view caption, DWORD timeoutMs = 30000) const;
    // A visible top-level window of this process with this caption, any class.
    HWND WaitForWindow(std::wstring_view caption, DWORD timeoutMs = 30000) const;
    // The visible study window ("Vocara1.4").
    HWND WaitForStudyWindow(DWORD timeoutMs = 60000) const;
    // Ends the program as its user does: the tray menu (opened as the
    // notification area does, at the cursor) and a click on "退出系统", its
    // one visible item. False when the window or the menu did not come.
    bool ExitThroughTrayMenu() const;
    // An empty className or caption matches any.
    HWND FindTopWindow(std::wstring_view className, std::wstring_view caption, bool visibleOnly) const;

private:
    PROCESS_INFORMATION info_{};
};

// The login window's controls, found by where they sit.
struct LoginWindow {
    explicit LoginWindow(HWND window);

    bool Complete() const { return edem && edpw && edyz && autochkbox && btcfm && btjpg && panel; }

    // Types into the fields the way a user does: the password goes in
    // while its field has the focus, and leaving the field digests it.
    void Fill(const std::wstring& email, const std::wstring& password, const std::wstring& captcha) const;

    HWND handle, edem, edpw, edyz, autochkbox, btcfm, btjpg, Button3, Button4, panel;
};

// Logs in through the login window with the stand-in's current captcha and
// clicks "登录"; false when the window or its fields are not there.
bool LogIn(const VocaraProcess& vocara, const std::wstring& email, const std::wstring& password);

// The text of element in an XML text ("" when it is missing).
std::string ElementText(const std::string& xml, const std::string& element);

// A window's outer rectangle on the screen.
RECT OuterRect(HWND window);
// The first child window, at any depth, of one of these classes (or "" for any) with this text ("" for any).
HWND FindChild(HWND window, std::initializer_list<std::wstring_view> classNames, std::wstring_view text = L"");

// The child of window whose top-left corner sits at (left, top) of window's
// client area, searched through every level.
HWND ChildAt(HWND window, int left, int top);
std::wstring TextOf(HWND window);
void SetText(HWND window, std::wstring_view text);
// The window with the keyboard focus in window's thread.
HWND FocusOf(HWND window);
// Moves the keyboard focus of another process's thread to window.
bool FocusTo(HWND window);
// The message text of a message box.
std::wstring BoxText(HWND box);
// Waits until window's thread takes a sent message, that is, until it is back
// in a message loop (its own, a modal one or a message box's): whatever it
// did before, a box it showed included, has then happened.
bool WaitForIdle(HWND window, DWORD timeoutMs = 30000);

// Pumps nothing: waits until done() holds or timeoutMs passed; answers done().
template <class Condition>
bool WaitUntil(Condition done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > deadline) {
            return done();
        }
        Sleep(20);
    }
    return true;
}

} // namespace e2e
