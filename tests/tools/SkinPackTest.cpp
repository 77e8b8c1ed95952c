#include <gtest/gtest.h>

#include "tests/support/ByteText.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/PackageWriter.h"
#include "tools/skinpack/SkinPackCommand.h"

namespace {

using testsupport::AsText;
using testsupport::Bytes;
using testsupport::Text;
using skin::MemoryStream;
using skin::TSkinReader;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

TEST(PackageWriter, LaysOutHeaderSkippedBlockNamesSizesAndData) {
    const std::vector<skinpack::PackageEntry> entries = {{"a.bmp", Text("xyz")}, {"b", Text("")}, {"c.ini", Text("[s]\r\n")}};
    const Bytes names = Text("a.bmp\r\nb\r\nc.ini\r\n");
    const Bytes sizesAndData = Concat({{3, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0}, Text("xyz[s]\r\n")});

    EXPECT_EQ(skinpack::BuildPackage(20000, entries),
              Concat({{0x20, 0x4E, 0, 0, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, names, sizesAndData}));
    EXPECT_EQ(skinpack::BuildPackage(60000, entries),
              Concat({{0x60, 0xEA, 0, 0, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Bytes(117, 0), names, sizesAndData}));
}

TEST(PackageWriter, RawPackageWritesFieldsAsGiven) {
    skinpack::RawPackage raw;
    raw.Version = 0x01020304;
    raw.NameLength = 0xFFFFFFF0;
    raw.Reserved1 = 7;
    raw.Reserved2 = 8;
    raw.Skipped = {0xEE};
    raw.NameText = "x";
    raw.Sizes = {99};
    raw.Data = {1, 2};
    EXPECT_EQ(skinpack::BuildRawPackage(raw),
              (Bytes{4, 3, 2, 1, 0xF0, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0, 8, 0, 0, 0, 0xEE, 'x', 99, 0, 0, 0, 1, 2}));
}

TEST(PackageWriter, RejectsWhatNoReaderCouldTake) {
    EXPECT_THROW(skinpack::BuildPackage(10000, {}), std::invalid_argument);
    EXPECT_THROW(skinpack::BuildPackage(80000, {}), std::invalid_argument);
    EXPECT_THROW(skinpack::BuildPackage(70000, {{"two\r\nlines", {}}}), std::invalid_argument);
    EXPECT_THROW(skinpack::BuildPackage(70000, {{"line\n", {}}}), std::invalid_argument);
    EXPECT_THROW(skinpack::BuildPackage(70000, std::vector<skinpack::PackageEntry>(1002, {"x", {}})), std::invalid_argument);
    EXPECT_NO_THROW(skinpack::BuildPackage(70000, std::vector<skinpack::PackageEntry>(1001, {"x", {}})));
}

// A 24-bit BMP strip as skins carry them: a gradient and a magenta key area.
Bytes BitmapStrip(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t size = uint32_t(54 + stride * height);
    Bytes bmp = {'B', 'M', uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), 0, 0, 0, 0, 0, 54, 0, 0, 0,
                 40, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), 0, 0, uint8_t(height), uint8_t(height >> 8), 0, 0,
                 1, 0, 24, 0};
    bmp.resize(54, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < stride; ++x) {
            const bool key = x / 3 < 4;
            bmp.push_back(key ? ((x % 3) == 1 ? 0 : 0xFF) : uint8_t(0x60 + y * 2 + (x % 3) * 16));
        }
    }
    return bmp;
}

TEST(SkinPack, EveryVersionReadsBackThroughTheReader) {
    const std::vector<skinpack::PackageEntry> entries = {
        {"Frame.bmp", BitmapStrip(40, 24)},
        {"buttons.bmp", BitmapStrip(75, 21)},
        {"skin.ini", Text("[Form]\r\nBorder=frame.bmp\r\n[Button]\r\nBitmap=buttons.bmp\r\nFrame=5\r\n")},
    };
    for (uint32_t version : {20000u, 30000u, 40000u, 50000u, 60000u, 70000u}) {
        SCOPED_TRACE(version);
        MemoryStream file(skinpack::MakeSkinFile(skinpack::BuildPackage(version, entries)));
        TSkinReader reader;
        ASSERT_TRUE(reader.Open(file));
        EXPECT_EQ(reader.Version(), version);
        for (const auto& entry : entries) {
            MemoryStream target;
            reader.GetEntry(entry.Name, target);
            EXPECT_EQ(Bytes(target.Bytes().begin(), target.Bytes().end()), entry.Data) << entry.Name;
        }
    }
}

TEST(LzhEncoder, SkinFileIsSizeThenStream) {
    const Bytes package = Text(std::string(300, 'k') + "tail");
    const Bytes file = skinpack::MakeSkinFile(package);
    const Bytes stream = skinpack::LzhEncode(package);
    ASSERT_EQ(file.size(), 4 + stream.size());
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{0x30, 0x01, 0, 0}));
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), file.begin() + 4));
    EXPECT_TRUE(skinpack::LzhEncode({}).empty());
}

// What the encoder sends as literals and as matches: matches are 3 to 60
// bytes, may overlap what they produce, and may copy from the spaces the ring
// starts with.
TEST(LzhEncoder, ChoosesLiteralsAndMatchesByLength) {
    const struct { const char* Name; std::string Input; uint64_t Literals, Matches; } cases[] = {
        {"two-byte repeat stays literal", "abXab", 5, 0},
        {"three-byte repeat is a match", "abcXabc", 4, 1},
        {"run of 60001: one literal, matches of 60", "x" + std::string(60000, 'x'), 1, 1000},
        {"leading spaces come from the ring", std::string(120, ' ') + "x", 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        skinpack::LzhEncodeStats stats;
        const Bytes stream = skinpack::LzhEncode(Text(c.Input), &stats);
        EXPECT_EQ(stats.Literals, c.Literals);
        EXPECT_EQ(stats.Matches, c.Matches);

        MemoryStream file(skinpack::MakeSkinFile(Text(c.Input)));
        MemoryStream package;
        ASSERT_TRUE(TSkinReader::Decompress(file, package));
        EXPECT_EQ(AsText(package), c.Input);
    }
}

class SkinPackCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        FDir = std::filesystem::temp_directory_path() / ("skinpack-test-" + std::to_string(seed()));
        std::filesystem::create_directories(FDir / "art");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(FDir, ignored);
    }

    std::string WriteFile(const std::string& relative, const std::string& content) {
        const std::filesystem::path path = FDir / relative;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
    std::string PathOf(const std::string& relative) const { return (FDir / relative).string(); }

    int Run(const std::vector<std::string>& args) {
        FErrors.str("");
        return skinpack::RunSkinPack(args, FErrors);
    }

    std::filesystem::path FDir;
    std::ostringstream FErrors;
};

TEST_F(SkinPackCommand, PacksFilesUnderTheirBaseNames) {
    const std::string bmp = WriteFile("art/Frame.BMP", "BM\x00\x01\xFF" + std::string(500, '\x7F'));
    const std::string ini = WriteFile("skin.ini", "[Form]\r\n");
    const std::string out = PathOf("default.skn");

    ASSERT_EQ(Run({out, bmp, ini}), 0) << FErrors.str();
    std::ifstream in(out, std::ios::binary);
    MemoryStream file(Bytes(std::istreambuf_iterator<char>(in), {}));
    TSkinReader reader;
    ASSERT_TRUE(reader.Open(file));
    EXPECT_EQ(reader.Version(), 70000u);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"frame.bmp", "skin.ini"}));
    MemoryStream target;
    reader.GetEntry("frame.bmp", target);
    EXPECT_EQ(AsText(target), "BM\x00\x01\xFF" + std::string(500, '\x7F'));

    ASSERT_EQ(Run({"--version", "30000", out, ini}), 0) << FErrors.str();
    std::ifstream again(out, std::ios::binary);
    MemoryStream second(Bytes(std::istreambuf_iterator<char>(again), {}));
    ASSERT_TRUE(reader.Open(second));
    EXPECT_EQ(reader.Version(), 30000u);
    EXPECT_EQ(reader.Count(), 1u);
}

TEST_F(SkinPackCommand, RefusesBadArguments) {
    const std::string ini = WriteFile("skin.ini", "[Form]\r\n");
    const std::string other = WriteFile("art/SKIN.INI", "[Other]\r\n");
    const std::string out = PathOf("out.skn");
    const struct { const char* Name; std::vector<std::string> Args; int Code; } cases[] = {
        {"nothing", {}, 2},
        {"no input files", {out}, 2},
        {"version without value", {"--version"}, 2},
        {"unknown version", {"--version", "80000", out, ini}, 2},
        {"version not a number", {"--version", "7e4", out, ini}, 2},
        {"names differing only in case", {out, ini, other}, 2},
        {"missing input", {out, PathOf("none.bmp")}, 1},
        {"unwritable output", {PathOf("no/such/dir/out.skn"), ini}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Run(c.Args), c.Code);
        EXPECT_FALSE(FErrors.str().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
