#pragma once
// The login state: what the service returned at login, kept for the whole run,
// and the folder the program runs from.

#include <cstdint>
#include <string>

namespace app {

// Texts are 8-bit in the system code page, as the wire and the saved login
// file carry them. Empty (all texts empty, integers 0) at process start.
struct Tuserinfo {
    std::string em;
    std::string un;
    std::string sid;
    std::string pwd;
    std::string uid;
    int32_t remember = 0; // 1 when the saved login file said the password is remembered
    int32_t ifreg = 0;
};

// The one login state of the process.
Tuserinfo& UserInfo();

// The program file's folder, ending with the path separator. Empty until the
// login window sets it at its creation; never changes after that.
const std::wstring& ExecutableDirectory();
void SetExecutableDirectory(std::wstring directory);

// The folder of the running executable, with the trailing separator.
std::wstring ModuleDirectory();

} // namespace app
