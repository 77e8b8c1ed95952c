#include "skin/data/CodePage.h"

#include "ui/TextConversion.h"

namespace skin {

std::wstring AnsiToWide(std::string_view text) { return ui::MultiByteToWide(CP_ACP, text); }

std::string WideToAnsi(std::wstring_view text) { return ui::WideToMultiByte(CP_ACP, text); }

} // namespace skin
