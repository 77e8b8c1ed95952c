#include "skin/data/ModalMessage.h"

#include "skin/data/CodePage.h"

#include <windows.h>

namespace skin {
namespace {

// The program's title is its executable's base name ("Vocara" for Vocara.exe).
std::wstring ProgramTitle() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring title(path, n);
    if (const size_t slash = title.find_last_of(L"\\/"); slash != std::wstring::npos) {
        title.erase(0, slash + 1);
    }
    if (const size_t dot = title.rfind(L'.'); dot != std::wstring::npos) {
        title.erase(dot);
    }
    return title;
}

} // namespace

void ShowModalMessage(const std::string& text) {
    const std::wstring wide = AnsiToWide(text);
    const std::wstring caption = ProgramTitle();
    MessageBoxW(GetActiveWindow(), wide.c_str(), caption.c_str(), MB_OK);
}

} // namespace skin
