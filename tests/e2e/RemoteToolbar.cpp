#include "tests/e2e/RemoteToolbar.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(HWND window, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) {
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

RemoteBuffer::~RemoteBuffer() {
    if (address_ != nullptr) {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool RemoteBuffer::Read(void* into, size_t size) const {
    SIZE_T copied = 0;
    return Valid() && ReadProcessMemory(process_, address_, into, size, &copied) && copied == size;
}

std::vector<RemoteToolbar::Button> RemoteToolbar::Buttons() const {
    constexpr size_t kTextChars = 128;
    std::vector<Button> buttons;
    const RemoteBuffer buffer(bar_, sizeof(TBBUTTON) + sizeof(RECT) + kTextChars * sizeof(wchar_t));
    if (!buffer.Valid()) {
        return buttons;
    }
    const auto count = int(SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON native{};
        if (!SendMessageW(bar_, TB_GETBUTTON, i, buffer.Address()) || !buffer.Read(&native, sizeof native) ||
            (native.fsStyle & BTNS_SEP) != 0) {
            continue;
        }
        wchar_t text[kTextChars] = {};
        const LRESULT length = SendMessageW(bar_, TB_GETBUTTONTEXTW, native.idCommand, buffer.Address());
        if (length > 0 && length < LRESULT(kTextChars)) {
            buffer.Read(text, (length + 1) * sizeof(wchar_t));
        }
        RECT rect{};
        if (!SendMessageW(bar_, TB_GETITEMRECT, i, buffer.Address()) || !buffer.Read(&rect, sizeof rect)) {
            continue;
        }
        MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        buttons.push_back(Button{text, rect});
    }
    return buttons;
}

std::optional<RECT> RemoteToolbar::ButtonRect(const std::wstring& caption) const {
    for (const Button& button : Buttons()) {
        if (button.caption == caption) {
            return button.screen;
        }
    }
    return std::nullopt;
}

} // namespace e2e
