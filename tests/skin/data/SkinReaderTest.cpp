#include "skin/data/SkinReader.h"

#include <gtest/gtest.h>

#include "tests/support/ByteText.h"

#include <string>
#include <vector>

#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/PackageWriter.h"

namespace {

using testsupport::AsText;
using testsupport::Bytes;
using testsupport::Text;
using skin::MemoryStream;
using skin::TSkinReader;
using skinpack::RawPackage;

MemoryStream SkinFileOf(const Bytes& package) {
    return MemoryStream(skinpack::MakeSkinFile(package));
}

// A reader that records the messages it would show.
struct Fixture {
    std::vector<std::string> Messages;
    TSkinReader Reader{[this](const std::string& text) { Messages.push_back(text); }};

    bool Open(const Bytes& package) {
        MemoryStream file = SkinFileOf(package);
        return Reader.Open(file);
    }
    std::string Get(const std::string& name) const {
        MemoryStream target;
        Reader.GetEntry(name, target);
        EXPECT_EQ(target.Position(), 0u);
        return AsText(target);
    }
};

// Entries "a.bmp" = "AAA" and "b.ini" = "[x]" with the given version and a
// skipped block of skippedSize bytes that would not parse as anything useful.
Bytes TwoEntryPackage(uint32_t version, size_t skippedSize) {
    RawPackage raw;
    raw.Version = version;
    raw.Skipped.assign(skippedSize, 0xEE);
    raw.NameText = "a.bmp\r\nb.ini\r\n";
    raw.Sizes = {3, 3};
    raw.Data = Text("AAA[x]");
    return skinpack::BuildRawPackage(raw);
}

TEST(SkinReaderOpen, SkipsTheBlockOfEachVersion) {
    const struct { uint32_t Version; size_t Skipped; } versions[] = {
        {20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69},
    };
    for (const auto& v : versions) {
        SCOPED_TRACE(v.Version);
        Fixture f;
        ASSERT_TRUE(f.Open(TwoEntryPackage(v.Version, v.Skipped)));
        EXPECT_EQ(f.Reader.Version(), v.Version);
        EXPECT_EQ(f.Reader.Names(), (std::vector<std::string>{"a.bmp", "b.ini"}));
        EXPECT_EQ(f.Get("a.bmp"), "AAA");
        EXPECT_EQ(f.Get("b.ini"), "[x]");
        EXPECT_TRUE(f.Messages.empty());
    }
}

// Written out byte by byte, independent of the package writer: version 20000
// has no skipped block, so the name text starts right after the header.
TEST(SkinReaderOpen, Version20000NamesStartAtOffset16) {
    const Bytes package = {
        0x20, 0x4E, 0, 0,  // 20000
        7, 0, 0, 0,        // L
        0xAA, 0xBB, 0xCC, 0xDD, 1, 2, 3, 4, // reserved
        'L', 'o', 'G', 'o', '.', 'B', 'm',  // offset 16: the names, last line without an end
        2, 0, 0, 0,        // its size
        'h', 'i',
    };
    Fixture f;
    ASSERT_TRUE(f.Open(package));
    EXPECT_EQ(f.Reader.Names(), std::vector<std::string>{"logo.bm"});
    EXPECT_EQ(f.Get("logo.bm"), "hi");
    EXPECT_EQ(f.Reader.PackageHeader().NameLength, 7u);
    EXPECT_EQ(f.Reader.PackageHeader().Reserved1, 0xDDCCBBAAu);
    EXPECT_EQ(f.Reader.PackageHeader().Reserved2, 0x04030201u);
}

TEST(SkinReaderOpen, SplitsNamesAtCrLfOrCrLf) {
    const struct { const char* Name; std::string Text; std::vector<std::string> Names; } cases[] = {
        {"CR LF after each", "a.bmp\r\nb.ini\r\n", {"a.bmp", "b.ini"}},
        {"LF, last without end", "a.bmp\nb.ini", {"a.bmp", "b.ini"}},
        {"CR alone", "a.bmp\rb.ini\r", {"a.bmp", "b.ini"}},
        {"LF CR is two ends", "a.bmp\n\rb.ini", {"a.bmp", "", "b.ini"}},
        {"empty line counts", "a.bmp\r\n\r\nb.ini\r\n", {"a.bmp", "", "b.ini"}},
        {"no text, no entries", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        RawPackage raw;
        raw.Skipped.assign(69, 0);
        raw.NameText = c.Text;
        raw.Sizes.assign(c.Names.size(), 1);
        raw.Data.assign(c.Names.size(), 'z');
        Fixture f;
        ASSERT_TRUE(f.Open(skinpack::BuildRawPackage(raw)));
        EXPECT_EQ(f.Reader.Names(), c.Names);
        EXPECT_EQ(f.Reader.Count(), c.Names.size());
    }
}

// Entries of different sizes, one of them empty, found by summing the sizes before them.
TEST(SkinReaderEntries, GetEntryFindsEachEntryByLowerCaseName) {
    Fixture f;
    ASSERT_TRUE(f.Open(skinpack::BuildPackage(70000, {
        {"Buttons.BMP", Text("BM-buttons")},
        {"empty.bmp", {}},
        {"\xC6\xA4\xB7\xF4.Ini", Text("[Form]")},
        {"frame.bmp", Text("BM-frame")},
    })));
    // Only A to Z are lower-cased: the code-page bytes stay as they are.
    EXPECT_EQ(f.Reader.Names(), (std::vector<std::string>{"buttons.bmp", "empty.bmp", "\xC6\xA4\xB7\xF4.ini", "frame.bmp"}));
    EXPECT_EQ(f.Get("Buttons.BMP"), "BM-buttons");
    EXPECT_EQ(f.Get("buttons.bmp"), "BM-buttons");
    EXPECT_EQ(f.Get("FRAME.bmp"), "BM-frame");
    EXPECT_EQ(f.Get("\xC6\xA4\xB7\xF4.INI"), "[Form]");
    EXPECT_EQ(f.Get("empty.bmp"), "");

    MemoryStream target(Text("old content"));
    target.SetPosition(4);
    f.Reader.GetEntry("missing.bmp", target);
    EXPECT_EQ(target.Size(), 0u);
    EXPECT_EQ(target.Position(), 0u);
}

TEST(SkinReaderEntries, FindEntryMatchesPartAsGivenInPackageOrder) {
    Fixture f;
    ASSERT_TRUE(f.Open(skinpack::BuildPackage(70000, {
        {"frame.bmp", Text("F")},
        {"Skin.INI", Text("first ini")},
        {"other.ini", Text("second ini")},
    })));
    const struct { const char* Part; const char* Found; const char* Content; } cases[] = {
        {".ini", "skin.ini", "first ini"},
        {".INI", "unchanged", ""},  // Part is not lower-cased
        {"her", "other.ini", "second ini"},
        {"rame", "frame.bmp", "F"},
        {".png", "unchanged", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Part);
        MemoryStream target(Text("old"));
        std::string found = "unchanged";
        f.Reader.FindEntry(c.Part, target, found);
        EXPECT_EQ(found, c.Found);
        EXPECT_EQ(AsText(target), c.Content);
        EXPECT_EQ(target.Position(), 0u);
    }
}

TEST(SkinReaderOpen, UnknownVersionShowsTheMessageAndLoadsNothing) {
    for (uint32_t version : {10000u, 80000u, 0u, 20001u}) {
        SCOPED_TRACE(version);
        Fixture f;
        EXPECT_FALSE(f.Open(TwoEntryPackage(version, 69)));
        ASSERT_EQ(f.Messages.size(), 1u);
        EXPECT_EQ(f.Messages[0], std::string("This is Older Skin File\x0DPlease update to new version !"));
        EXPECT_EQ(f.Reader.Count(), 0u);
        EXPECT_EQ(f.Get("a.bmp"), "");
    }
    TSkinReader silent; // no callback: nothing shown, nothing breaks
    MemoryStream file = SkinFileOf(TwoEntryPackage(80000, 0));
    EXPECT_FALSE(silent.Open(file));
}

// Sizes adding up to more than the entry data: entries that fit read as they
// are, the rest read empty. The sums are 64-bit: in 32 bits the third entry's
// offset, 0xFFFFFFFF + 1, would wrap to 0 and read "ab".
TEST(SkinReaderEntries, EntriesBeyondTheDataReadEmpty) {
    const struct { const char* Name; std::vector<uint32_t> Sizes; std::vector<std::string> Expected; } cases[] = {
        {"second too long", {3, 10, 2}, {"abc", "", ""}},
        {"last one byte over", {3, 6}, {"abc", ""}},
        {"exactly all", {3, 5}, {"abc", "defgh"}},
        {"wrapping sum", {0xFFFFFFFF, 1, 2}, {"", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        RawPackage raw;
        raw.Skipped.assign(69, 0);
        for (size_t i = 0; i < c.Sizes.size(); ++i) {
            raw.NameText += "e" + std::to_string(i) + "\r\n";
        }
        raw.Sizes = c.Sizes;
        raw.Data = Text("abcdefgh");
        Fixture f;
        ASSERT_TRUE(f.Open(skinpack::BuildRawPackage(raw)));
        for (size_t i = 0; i < c.Expected.size(); ++i) {
            EXPECT_EQ(f.Get("e" + std::to_string(i)), c.Expected[i]) << "entry " << i;
        }
        MemoryStream target;
        std::string found;
        f.Reader.FindEntry("e1", target, found);
        EXPECT_EQ(found, "e1");
        EXPECT_EQ(AsText(target), c.Expected[1]);
    }
}

RawPackage NamedEntries(size_t count) {
    RawPackage raw;
    raw.Skipped.assign(69, 0);
    for (size_t i = 0; i < count; ++i) {
        raw.NameText += "n" + std::to_string(i) + "\r\n";
        raw.Sizes.push_back(1);
        raw.Data.push_back(uint8_t('0' + i % 10));
    }
    return raw;
}

TEST(SkinReaderOpen, TakesAtMost1001Entries) {
    Fixture full;
    ASSERT_TRUE(full.Open(skinpack::BuildRawPackage(NamedEntries(1001))));
    EXPECT_EQ(full.Reader.Count(), 1001u);
    EXPECT_EQ(full.Get("n1000"), "0");

    Fixture over;
    EXPECT_FALSE(over.Open(skinpack::BuildRawPackage(NamedEntries(1002))));
    EXPECT_EQ(over.Reader.Count(), 0u);
}

TEST(SkinReaderOpen, RefusesPackagesCutShort) {
    const Bytes good = TwoEntryPackage(70000, 69);
    RawPackage longName = NamedEntries(2);
    longName.NameLength = uint32_t(longName.NameText.size() + 4 * 2 + 2 + 1); // one past the end
    RawPackage hugeName = NamedEntries(2);
    hugeName.NameLength = 0xFFFFFFFF;
    RawPackage shortSizes = NamedEntries(2);
    shortSizes.Sizes = {1}; // the table needs 8 bytes, 4 are left
    shortSizes.Data.clear();
    RawPackage bareHeader;
    bareHeader.Version = 20000;
    RawPackage sizesToEnd = NamedEntries(2);
    sizesToEnd.Data.clear(); // sizes end exactly at the end: valid, both entries empty

    const struct { const char* Name; Bytes Package; bool Opens; } cases[] = {
        {"empty", {}, false},
        {"15 bytes", Bytes(good.begin(), good.begin() + 15), false},
        {"header only", Bytes(good.begin(), good.begin() + 16), false}, // the skipped block is missing
        {"names past the end", skinpack::BuildRawPackage(longName), false},
        {"L of 4 GiB", skinpack::BuildRawPackage(hugeName), false},
        {"size table past the end", skinpack::BuildRawPackage(shortSizes), false},
        {"size table up to the end", skinpack::BuildRawPackage(sizesToEnd), true},
        {"bare version-20000 header", skinpack::BuildRawPackage(bareHeader), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Fixture f;
        EXPECT_EQ(f.Open(c.Package), c.Opens);
        EXPECT_TRUE(f.Messages.empty());
    }
}

TEST(SkinReaderOpen, FailureKeepsWhatWasLoadedBefore) {
    Fixture f;
    ASSERT_TRUE(f.Open(TwoEntryPackage(50000, 48)));

    MemoryStream hugeClaim(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3});
    const Bytes failures[] = {
        TwoEntryPackage(80000, 48),
        skinpack::BuildRawPackage(NamedEntries(1002)),
        Bytes(10, 0),
    };
    for (const Bytes& package : failures) {
        EXPECT_FALSE(f.Open(package));
    }
    EXPECT_FALSE(f.Reader.Open(hugeClaim));

    EXPECT_EQ(f.Reader.Version(), 50000u);
    EXPECT_EQ(f.Reader.Names(), (std::vector<std::string>{"a.bmp", "b.ini"}));
    EXPECT_EQ(f.Get("b.ini"), "[x]");
}

TEST(SkinReaderDecompress, WritesExactlyTheClaimedPackageFromStart) {
    const Bytes package = TwoEntryPackage(70000, 69);
    MemoryStream file = SkinFileOf(package);
    file.SetPosition(file.Size()); // where the caller left it does not matter
    MemoryStream target(Text("leftover bytes that must go"));
    ASSERT_TRUE(TSkinReader::Decompress(file, target));
    EXPECT_EQ(Bytes(target.Bytes().begin(), target.Bytes().end()), package);
    EXPECT_EQ(target.Position(), 0u);
}

// A claim is refused, before anything is allocated, when it is over 64 MiB or
// over 64 bytes per compressed byte (plus two bytes of slack).
TEST(SkinReaderDecompress, RefusesSizeClaimsTheInputCannotMeet) {
    auto fileClaiming = [](uint32_t claim, size_t streamBytes) {
        Bytes file = {uint8_t(claim), uint8_t(claim >> 8), uint8_t(claim >> 16), uint8_t(claim >> 24)};
        file.resize(4 + streamBytes, 0);
        return MemoryStream(file);
    };
    const struct { const char* Name; uint32_t Claim; size_t StreamBytes; bool Accepted; } cases[] = {
        {"4 GiB from a 20-byte file", 0xFFFFFFFF, 16, false},
        {"at the per-byte bound", 64 * (16 + 2), 16, true},
        {"one past the per-byte bound", 64 * (16 + 2) + 1, 16, false},
        {"nothing but the size", 128, 0, true},
        {"over 64 MiB with input to spare", 64u * 1024 * 1024 + 1, 2u * 1024 * 1024, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        MemoryStream file = fileClaiming(c.Claim, c.StreamBytes);
        MemoryStream target(Text("old"));
        EXPECT_EQ(TSkinReader::Decompress(file, target), c.Accepted);
        EXPECT_EQ(target.Size(), c.Accepted ? c.Claim : 0u);
    }

    for (size_t size : {0u, 3u}) {
        MemoryStream tooShort(Bytes(size, 0));
        MemoryStream target;
        EXPECT_FALSE(TSkinReader::Decompress(tooShort, target)) << size << " bytes";
        TSkinReader reader;
        EXPECT_FALSE(reader.Open(tooShort)) << size << " bytes";
    }
}

} // namespace
