#pragma once
// The command word a page sends by navigating: the text after the last "/"
// of the address, query and fragment included, in the system code page.

#include <string>

namespace app {

// An address without "/" is its own token; one ending in "/" gives "".
std::string NavigationToken(const std::wstring& url);

// Whether token begins with the two-letter word (a shorter token never does).
bool TokenBeginsWith(const std::string& token, const char (&word)[3]);

} // namespace app
