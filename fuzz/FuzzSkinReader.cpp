// Feeds arbitrary bytes to the skin reader, then reads back every entry it
// indexed, by exact name and by part of the name. The first byte picks how the
// rest is used: as a whole skin file (exercising the decoder on garbage), or as
// a package that the packer compresses first (reaching the package parser with
// a valid stream, and checking that decoding gives back exactly what was packed).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void ReadEveryEntry(const skin::TSkinReader& reader) {
    skin::MemoryStream target;
    std::string found;
    for (const std::string& name : reader.Names()) {
        reader.GetEntry(name, target);
        Check(target.Position() == 0);
        reader.FindEntry(name, target, found);
        Check(found.find(name) != std::string::npos);
    }
    reader.FindEntry(".ini", target, found);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool packFirst = (data[0] & 1) != 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);

    skin::MemoryStream file;
    if (packFirst) {
        const std::vector<uint8_t> packed = skinpack::MakeSkinFile(rest);
        file.Write(packed.data(), packed.size());
        skin::MemoryStream package;
        Check(skin::TSkinReader::Decompress(file, package));
        Check(package.Size() == rest.size() &&
              std::equal(rest.begin(), rest.end(), package.Bytes().begin()));
    } else {
        file.Write(rest.data(), rest.size());
    }

    std::string message;
    skin::TSkinReader reader([&message](const std::string& text) { message = text; });
    if (reader.Open(file)) {
        Check(message.empty());
        ReadEveryEntry(reader);
    }
    return 0;
}
