#include "tools/skinpack/PackageWriter.h"

#include "skin/data/SkinReader.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

namespace skinpack {

namespace {

void PutUInt32(std::vector<uint8_t>& out, uint32_t value) {
    out.insert(out.end(), {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}

} // namespace

std::vector<uint8_t> BuildPackage(uint32_t version, const std::vector<PackageEntry>& entries) {
    const std::optional<uint32_t> skipped = skin::TSkinReader::SkippedBlockSize(version);
    if (!skipped) {
        throw std::invalid_argument("unknown skin package version " + std::to_string(version));
    }
    if (entries.size() > skin::TSkinReader::kMaxEntries) {
        throw std::invalid_argument("a skin package holds at most 1001 entries");
    }
    RawPackage raw;
    raw.Version = version;
    raw.Skipped.assign(*skipped, 0);
    for (const PackageEntry& entry : entries) {
        if (entry.Name.find_first_of("\r\n") != std::string::npos) {
            throw std::invalid_argument("entry name with a line break: " + entry.Name);
        }
        if (entry.Data.size() > UINT32_MAX) {
            throw std::invalid_argument("entry larger than 4 GiB: " + entry.Name);
        }
        raw.NameText += entry.Name + "\r\n";
        raw.Sizes.push_back(uint32_t(entry.Data.size()));
        raw.Data.insert(raw.Data.end(), entry.Data.begin(), entry.Data.end());
    }
    return BuildRawPackage(raw);
}

std::vector<uint8_t> BuildRawPackage(const RawPackage& raw) {
    std::vector<uint8_t> out;
    out.reserve(16 + raw.Skipped.size() + raw.NameText.size() + 4 * raw.Sizes.size() + raw.Data.size());
    PutUInt32(out, raw.Version);
    PutUInt32(out, raw.NameLength.value_or(uint32_t(raw.NameText.size())));
    PutUInt32(out, raw.Reserved1);
    PutUInt32(out, raw.Reserved2);
    out.insert(out.end(), raw.Skipped.begin(), raw.Skipped.end());
    out.insert(out.end(), raw.NameText.begin(), raw.NameText.end());
    for (const uint32_t size : raw.Sizes) {
        PutUInt32(out, size);
    }
    out.insert(out.end(), raw.Data.begin(), raw.Data.end());
    return out;
}

} // namespace skinpack
