#pragma once
// The skinpack command: skinpack [--version N] <output.skn> <file>...
// Packs the files, under their base names, into one skin file. Kept apart
// from main() so tests can run it.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace skinpack {

inline constexpr uint32_t kDefaultVersion = 70000;

// args excludes the program name. Answers the exit code: 0 done, 1 a file
// could not be read or written, 2 bad arguments. Messages go to err.
int RunSkinPack(const std::vector<std::string>& args, std::ostream& err);

} // namespace skinpack
