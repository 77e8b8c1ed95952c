#include "app/study/NavigationToken.h"

#include "ui/TextConversion.h"

#include <windows.h>

namespace app {

std::string NavigationToken(const std::wstring& url) {
    const std::string text = ui::WideToMultiByte(CP_ACP, url);
    const std::string::size_type slash = text.rfind('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

bool TokenBeginsWith(const std::string& token, const char (&word)[3]) {
    return token.size() >= 2 && token[0] == word[0] && token[1] == word[1];
}

} // namespace app
