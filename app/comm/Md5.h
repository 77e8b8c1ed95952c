#pragma once
// The password digest.

#include <string>
#include <string_view>

namespace app::comm {

// MD5 (CNG) of the 8-bit text as 32 lowercase hexadecimal digits. Throws
// Failure (PasswordDigest) when the provider fails.
std::string md5hex(std::string_view text);

} // namespace app::comm
