#pragma once
// Builds skin packages (the bytes a skin file decompresses to): header,
// the version's skipped block, the entry-name text, the entry sizes and the
// entries. Also writes packages with any fields at all, for tests of readers
// facing damaged input.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skinpack {

struct PackageEntry {
    std::string Name;
    std::vector<uint8_t> Data;
};

// A well-formed package: one name per line, each followed by CR LF, the
// skipped block zero-filled. Throws std::invalid_argument for an unknown
// version, a name holding CR or LF, or more entries than a reader takes.
std::vector<uint8_t> BuildPackage(uint32_t version, const std::vector<PackageEntry>& entries);

// Every field as given, nothing checked: L is nameText's length unless
// NameLength says otherwise, and Sizes need not match Data.
struct RawPackage {
    uint32_t Version = 70000;
    std::optional<uint32_t> NameLength;
    uint32_t Reserved1 = 0;
    uint32_t Reserved2 = 0;
    std::vector<uint8_t> Skipped;
    std::string NameText;
    std::vector<uint32_t> Sizes;
    std::vector<uint8_t> Data;
};

std::vector<uint8_t> BuildRawPackage(const RawPackage& raw);

} // namespace skinpack
