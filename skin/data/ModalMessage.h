#pragma once
// The modal message box behind the skin readers' message callback.

#include <string>

namespace skin {

// Shows text (8-bit, system code page, as skin files carry it) in a modal box
// with an OK button, owned by the active window and captioned with the
// program's name.
void ShowModalMessage(const std::string& text);

} // namespace skin
