// Feeds arbitrary bytes to the skin reader, then reads back every entry it
// indexed, by exact name and by part of the name. The first byte picks how the
// rest is used: as a whole skin file (exercising the decoder on garbage), or as
// a package that the packer compresses first (reaching the package parser with
// a valid stream, and checking that decoding gives back exactly what was packed).
// Every decode is also checked byte for byte against the reference decoder
// the program's decoder replaced.
//
// Garbage may claim up to 64 output bytes per input byte, and past its end the
// stream reads as zero bits that decode to long matches: the decoder would
// spend most runs producing megabytes of the same bytes. Inputs are capped,
// and so are the claims the reader would accept: 40,000 bytes still take a
// garbage stream past the first rebuild of the tree (after about 32,450
// symbols, one byte or more each), the last path a longer output reaches.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz/ReferenceDecode.h"
#include "skin/data/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

constexpr size_t kMaxInputBytes = 8192;
constexpr uint32_t kMaxDecodedClaim = 40000;

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

uint32_t SizeClaim(std::span<const uint8_t> file) {
    return uint32_t(file[0]) | uint32_t(file[1]) << 8 | uint32_t(file[2]) << 16 | uint32_t(file[3]) << 24;
}

// The reader's decode of a skin file must equal the reference decoder's.
void CheckAgainstReference(skin::MemoryStream& file) {
    skin::MemoryStream package;
    if (!skin::TSkinReader::Decompress(file, package)) {
        return;
    }
    const std::vector<uint8_t> expected = fuzzing::ReferenceDecode(file.Bytes());
    Check(package.Size() == expected.size() &&
          std::equal(expected.begin(), expected.end(), package.Bytes().begin()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > kMaxInputBytes) {
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
        CheckAgainstReference(file);
    } else {
        // Claims the reader refuses stay in: refusing them is a path too.
        if (rest.size() >= 4 && SizeClaim(rest) > kMaxDecodedClaim &&
            SizeClaim(rest) <= skin::TSkinReader::kMaxBytesPerInputByte * (rest.size() - 4 + 2)) {
            return 0;
        }
        file.Write(rest.data(), rest.size());
        CheckAgainstReference(file);
    }

    std::string message;
    skin::TSkinReader reader([&message](const std::string& text) { message = text; });
    if (reader.Open(file)) {
        Check(message.empty());
        ReadEveryEntry(reader);
    }
    return 0;
}
