#pragma once
// A tool bar of another process, read the way its own process would: the
// tool bar messages that fill a structure need a buffer in that process.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Memory in another process for the replies of such messages; freed when it goes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    // Copies the buffer's first size bytes out; false when that fails.
    bool Read(void* into, size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

class RemoteToolbar {
public:
    explicit RemoteToolbar(HWND bar) : bar_(bar) {}

    struct Button {
        std::wstring caption;
        RECT screen;  // where it is on the screen now
    };
    // The buttons from left to right, separators left out.
    std::vector<Button> Buttons() const;
    std::optional<RECT> ButtonRect(const std::wstring& caption) const;
    bool ListLayout() const { return (GetWindowLongPtrW(bar_, GWL_STYLE) & TBSTYLE_LIST) != 0; }

private:
    HWND bar_;
};

} // namespace e2e
