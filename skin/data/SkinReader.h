#pragma once
// Reads a skin file: a 4-byte size and an LZH stream that decodes to a skin
// package (header, a version-dependent block, the entry-name text, the entry
// sizes and the entries' bytes), and hands out entries by name.
// Portable: no Windows header; the one message goes through a callback.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "skin/data/MemoryStream.h"

namespace skin {

class TSkinReader {
public:
    using ShowMessageFn = std::function<void(const std::string&)>;

    static constexpr size_t kMaxEntries = 1001;
    // Largest package a skin file may claim; the shipped skins are about 200 KB.
    static constexpr uint32_t kMaxPackageSize = 64u * 1024 * 1024;
    // A decoded symbol costs at least 1 bit and a 60-byte match at least 10, so
    // an input byte yields at most 48 output bytes; 64 leaves room for the
    // zeros read past the end of the stream.
    static constexpr uint64_t kMaxBytesPerInputByte = 64;
    static constexpr const char* kOlderSkinText = "This is Older Skin File\rPlease update to new version !";

    struct Header {
        uint32_t Version = 0;
        uint32_t NameLength = 0; // L, bytes of the entry-name text
        uint32_t Reserved1 = 0;
        uint32_t Reserved2 = 0;
    };

    // showMessage receives the message for a package of an unknown version;
    // without one nothing is shown.
    explicit TSkinReader(ShowMessageFn showMessage = {});

    // Decompresses the whole skin file and indexes its package. True when the
    // package is complete and of a known version. On false the reader keeps
    // what it held before, so a caller can go on using the previous skin.
    bool Open(MemoryStream& skinFile);

    // Copies the first entry named name (compared in lower case) into target,
    // positioned at 0; target is emptied first and stays empty without a match.
    void GetEntry(const std::string& name, MemoryStream& target) const;

    // Copies the first entry whose lower-case name contains part (compared as
    // given) and sets foundName; without a match target ends empty and
    // foundName keeps its value.
    void FindEntry(const std::string& part, MemoryStream& target, std::string& foundName) const;

    // Decodes the skin file in source (read from its start, whatever its
    // position) into target, which ends with exactly the claimed size and
    // position 0. False, with target empty, when source is shorter than the
    // 4-byte size or the size claim is more than kMaxPackageSize or more than
    // the compressed bytes can produce; nothing is allocated for a refused claim.
    static bool Decompress(MemoryStream& source, MemoryStream& target);

    // Bytes of the skipped block that follows the header, or none for an
    // unknown version.
    static std::optional<uint32_t> SkippedBlockSize(uint32_t version) noexcept;

    const std::vector<std::string>& Names() const noexcept { return FNames; }
    size_t Count() const noexcept { return FCount; }
    uint32_t Version() const noexcept { return FHeader.Version; }
    const Header& PackageHeader() const noexcept { return FHeader; }

private:
    // Where entry index's bytes lie in the package; none when they do not fit
    // inside its entry data (a package whose sizes add up to more than it holds).
    std::optional<std::pair<size_t, size_t>> EntrySpan(size_t index) const noexcept;
    void CopyEntry(size_t index, MemoryStream& target) const;

    std::vector<std::string> FNames;
    size_t FCount = 0;
    std::array<uint32_t, kMaxEntries> FSizes{};
    // The whole decoded package; the entry data starts at FDataAt.
    MemoryStream FPackage;
    size_t FDataAt = 0;
    Header FHeader;
    ShowMessageFn FShowMessage;
};

} // namespace skin
