// skinpack [--version N] <output.skn> <file>...: packs files into a skin file.
// A build-time tool; runs on the build host.

#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/SkinPackCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return skinpack::RunSkinPack(args, std::cerr);
}
