// Feeds arbitrary bytes to the skin reader as a skin file, then reads back
// every entry it indexed, by exact name and by part of the name.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "skin/data/SkinReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    skin::MemoryStream file(std::span<const uint8_t>(data, size));
    std::string message;
    skin::TSkinReader reader([&message](const std::string& text) { message = text; });
    if (!reader.Open(file)) {
        return 0;
    }
    skin::MemoryStream target;
    std::string found;
    for (const std::string& name : reader.Names()) {
        reader.GetEntry(name, target);
        reader.FindEntry(name, target, found);
        if (found != name && found.find(name) == std::string::npos) {
            __builtin_trap(); // FindEntry answered a name that does not contain the part
        }
    }
    reader.FindEntry(".ini", target, found);
    return 0;
}
