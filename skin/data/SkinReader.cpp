#include "skin/data/SkinReader.h"

#include <utility>

#include "skin/data/AnsiText.h"
#include "skin/data/Lzh.h"

namespace skin {

namespace {

constexpr uint32_t kHeaderSize = 16;

// One name per line; a line ends at CR, LF or CR LF, and a last line without
// an end still counts.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

} // namespace

TSkinReader::TSkinReader(ShowMessageFn showMessage) : FShowMessage(std::move(showMessage)) {}

std::optional<uint32_t> TSkinReader::SkippedBlockSize(uint32_t version) noexcept {
    static constexpr std::pair<uint32_t, uint32_t> kBlocks[] = {
        {20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69},
    };
    for (const auto& [known, size] : kBlocks) {
        if (known == version) {
            return size;
        }
    }
    return std::nullopt;
}

bool TSkinReader::Decompress(MemoryStream& source, MemoryStream& target) {
    target.Clear();
    const std::span<const uint8_t> file = source.Bytes();
    if (file.size() < 4) {
        return false;
    }
    const uint32_t size = uint32_t(file[0]) | uint32_t(file[1]) << 8 | uint32_t(file[2]) << 16 | uint32_t(file[3]) << 24;
    const std::span<const uint8_t> stream = file.subspan(4);
    if (size > kMaxPackageSize || size > kMaxBytesPerInputByte * (uint64_t(stream.size()) + 2)) {
        return false;
    }

    target.SetSize(size);
    TLZH decoder;
    decoder.Decode(stream, std::span<uint8_t>(target.Data(), size));
    target.SetPosition(0);
    return true;
}

bool TSkinReader::Open(MemoryStream& skinFile) {
    MemoryStream package;
    if (!Decompress(skinFile, package)) {
        return false;
    }

    Header header;
    if (!package.ReadUInt32(header.Version) || !package.ReadUInt32(header.NameLength) ||
        !package.ReadUInt32(header.Reserved1) || !package.ReadUInt32(header.Reserved2)) {
        return false;
    }
    const std::optional<uint32_t> skipped = SkippedBlockSize(header.Version);
    if (!skipped) {
        if (FShowMessage) {
            FShowMessage(kOlderSkinText);
        }
        return false;
    }

    const uint64_t namesAt = uint64_t(kHeaderSize) + *skipped;
    const uint64_t namesEnd = namesAt + header.NameLength;
    if (namesEnd > package.Size()) {
        return false;
    }
    const auto* bytes = package.Data();
    std::vector<std::string> names =
        SplitLines(ansi::LowerAscii(std::string(reinterpret_cast<const char*>(bytes) + namesAt, header.NameLength)));
    if (names.size() > kMaxEntries) {
        return false;
    }

    const uint64_t dataAt = namesEnd + 4 * uint64_t(names.size());
    if (dataAt > package.Size()) {
        return false;
    }
    std::array<uint32_t, kMaxEntries> sizes{};
    package.SetPosition(size_t(namesEnd));
    for (size_t i = 0; i < names.size(); ++i) {
        package.ReadUInt32(sizes[i]);
    }

    // Everything checked: only now replace what the reader held. The entries
    // stay where they were decoded: a copy would cost as much again in fresh
    // pages as the decoding wrote.
    FPackage = std::move(package);
    FDataAt = size_t(dataAt);
    FCount = names.size();
    FNames = std::move(names);
    FSizes = sizes;
    FHeader = header;
    return true;
}

std::optional<std::pair<size_t, size_t>> TSkinReader::EntrySpan(size_t index) const noexcept {
    // 64-bit sums: up to 1001 sizes of up to 4 GiB each.
    uint64_t offset = 0;
    for (size_t i = 0; i < index; ++i) {
        offset += FSizes[i];
    }
    const uint64_t end = offset + FSizes[index];
    if (end > FPackage.Size() - FDataAt) {
        return std::nullopt;
    }
    return std::pair<size_t, size_t>(FDataAt + size_t(offset), size_t(FSizes[index]));
}

void TSkinReader::CopyEntry(size_t index, MemoryStream& target) const {
    if (const auto span = EntrySpan(index)) {
        target.Write(FPackage.Data() + span->first, span->second);
        target.SetPosition(0);
    }
}

void TSkinReader::GetEntry(const std::string& name, MemoryStream& target) const {
    target.Clear();
    const std::string wanted = ansi::LowerAscii(name);
    for (size_t i = 0; i < FCount; ++i) {
        if (FNames[i] == wanted) {
            CopyEntry(i, target);
            return;
        }
    }
}

void TSkinReader::FindEntry(const std::string& part, MemoryStream& target, std::string& foundName) const {
    target.Clear();
    for (size_t i = 0; i < FCount; ++i) {
        if (FNames[i].find(part) != std::string::npos) {
            CopyEntry(i, target);
            foundName = FNames[i];
            return;
        }
    }
}

} // namespace skin
