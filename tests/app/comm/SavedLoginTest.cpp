#include "app/comm/SavedLogin.h"

#include "TempFolder.h"
#include "app/comm/Failure.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using app::comm::loadzip;
using app::comm::savezip;
using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

// Letters that do not compress well, so a stream cut in half still holds
// decodable blocks and a text decodes across several read chunks.
std::string PseudoRandomText(size_t size) {
    std::string text;
    uint32_t state = 12345;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text.push_back(char('a' + (state >> 16) % 26));
    }
    return text;
}

const std::string kReply =
    "<?xml version=\"1.0\"?>\r\n<con><result>1</result><uid>1001</uid><un>\xC0\xEE\xC3\xF7</un>"
    "<sid>   abc</sid><z>True</z></con>";

struct BoxCall {
    std::string text;
    std::string caption;
};

TEST(SavedLogin, RoundTripsTextsAsOneZlibStreamOfLevelOne) {
    TempFolder folder;
    const auto file = folder / "qz.dat";
    const std::string texts[] = {"", kReply, std::string("a\0b", 3), PseudoRandomText(200000)};
    for (const std::string& text : texts) {
        savezip(text, file);
        const std::string bytes = ReadBytes(file);
        ASSERT_GE(bytes.size(), 6u);
        EXPECT_EQ(uint8_t(bytes[0]), 0x78);
        EXPECT_EQ(uint8_t(bytes[1]), 0x01);
        // Exactly one stream and nothing after it: zlib's one-shot decoder
        // takes the whole file and gives the text back.
        std::vector<Bytef> plain(text.size() + 1);
        uLongf plainSize = uLongf(plain.size());
        ASSERT_EQ(uncompress(plain.data(), &plainSize, reinterpret_cast<const Bytef*>(bytes.data()), uLong(bytes.size())),
                  Z_OK);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(plain.data()), plainSize), text);
        EXPECT_EQ(loadzip(file), text);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "qz.dat.tmp"));
}

TEST(SavedLogin, SavingAgainReplacesTheWholeOldFile) {
    TempFolder folder;
    const auto file = folder / "qz.dat";
    savezip(PseudoRandomText(50000), file);
    savezip("short", file);
    EXPECT_EQ(loadzip(file), "short");
}

// The file's bytes for the read cases: a valid stream of text, then altered.
struct ReadCase {
    const char* name;
    std::string (*bytes)(const std::string& stream);
    const char* expected;  // nullptr: a non-empty proper prefix of the text
};

const ReadCase kReadCases[] = {
    {"empty file", [](const std::string&) { return std::string(); }, ""},
    {"wrong header", [](const std::string& s) { return "ab" + s.substr(2); }, "-2"},
    {"header asks for a dictionary", [](const std::string&) { return std::string("\x78\xBB\x00\x00\x00\x01", 6); }, "-2"},
    // First block header 0b111: last block, reserved type.
    {"corrupt deflate data", [](const std::string& s) { return s.substr(0, 2) + '\xFF' + s.substr(3); }, "-2"},
    {"wrong checksum",
     [](const std::string& s) { return s.substr(0, s.size() - 1) + char(s.back() ^ 0x55); }, "-2"},
    {"only the header", [](const std::string& s) { return s.substr(0, 2); }, ""},
    {"cut in the middle", [](const std::string& s) { return s.substr(0, s.size() / 2); }, nullptr},
    {"trailer missing", [](const std::string& s) { return s.substr(0, s.size() - 4); }, "FULL"},
};

TEST(SavedLogin, LoadReportsCodesForBadStreamsAndKeepsWhatAnEarlyEndDecoded) {
    TempFolder folder;
    const std::string text = PseudoRandomText(60000);
    savezip(text, folder / "source.dat");
    const std::string stream = ReadBytes(folder / "source.dat");

    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        const auto file = folder / "qz.dat";
        WriteBytes(file, c.bytes(stream));
        std::vector<BoxCall> boxes;
        const std::string result =
            loadzip(file, [&](const std::string& t, const std::string& cap) { boxes.push_back({t, cap}); });
        EXPECT_TRUE(boxes.empty());
        if (c.expected == nullptr) {
            EXPECT_FALSE(result.empty());
            EXPECT_LT(result.size(), text.size());
            EXPECT_EQ(result, text.substr(0, result.size()));
        } else if (std::string(c.expected) == "FULL") {
            EXPECT_EQ(result, text);
        } else {
            EXPECT_EQ(result, c.expected);
        }
    }
}

TEST(SavedLogin, LoadGivesMinusOneWhenTheFileCannotBeOpened) {
    TempFolder folder;
    EXPECT_EQ(loadzip(folder / "qz.dat"), "-1");
    std::filesystem::create_directory(folder / "folder.dat");
    EXPECT_EQ(loadzip(folder / "folder.dat"), "-1");
}

TEST(SavedLogin, ReadErrorGoesToTheBoxAndGivesAnEmptyText) {
    TempFolder folder;
    const auto file = folder / "qz.dat";
    savezip(kReply, file);
    // A stream open for writing only: every read fails.
    std::FILE* writeOnly = _wfopen(file.c_str(), L"ab");
    ASSERT_NE(writeOnly, nullptr);
    std::vector<BoxCall> boxes;
    const std::string result =
        loadzip(writeOnly, "qz.dat", [&](const std::string& t, const std::string& cap) { boxes.push_back({t, cap}); });
    std::fclose(writeOnly);

    EXPECT_EQ(result, "");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "解压文件错误！");
    EXPECT_EQ(boxes[0].text.rfind("无法读取保存的登录信息\n\n无法读取文件 qz.dat: ", 0), 0u) << boxes[0].text;
}

// A small file that inflates without end (17 MiB of one letter) is a
// reading error, not a reason to take all memory.
TEST(SavedLogin, AFileInflatingBeyondAnyReplyGoesToTheBoxAndGivesAnEmptyText) {
    TempFolder folder;
    const auto file = folder / "qz.dat";
    savezip(std::string(17u << 20, 'a'), file);
    ASSERT_LT(std::filesystem::file_size(file), 1u << 20);
    std::vector<BoxCall> boxes;
    const std::string result =
        loadzip(file, [&](const std::string& t, const std::string& cap) { boxes.push_back({t, cap}); });
    EXPECT_EQ(result, "");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "解压文件错误！");
}

TEST(SavedLogin, FailedSaveLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    const auto file = folder / "qz.dat";
    savezip(kReply, file);
    const std::string before = ReadBytes(file);

    // The temporary's name is taken by a folder: nothing can be written.
    std::filesystem::create_directory(folder / "qz.dat.tmp");
    EXPECT_THROW(savezip("newer reply", file), app::comm::Failure);
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "qz.dat.tmp")) << "not ours to remove";
    std::filesystem::remove(folder / "qz.dat.tmp");

    // The target is a folder with content: the stream is written but cannot
    // replace it; the temporary goes.
    const auto blocked = folder / "blocked.dat";
    std::filesystem::create_directories(blocked / "inside");
    EXPECT_THROW(savezip("newer reply", blocked), app::comm::Failure);
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    EXPECT_FALSE(std::filesystem::exists(folder / "blocked.dat.tmp"));

    EXPECT_THROW(savezip("newer reply", folder / "missing" / "qz.dat"), app::comm::Failure);
    EXPECT_EQ(loadzip(file), kReply);
}

TEST(SavedLogin, ErrorTextsAreUtf8AndNameTheFile) {
    TempFolder folder;
    const auto missing = folder / L"没有" / "qz.dat";
    try {
        savezip("x", missing);
        FAIL() << "no error";
    } catch (const app::comm::Failure& error) {
        EXPECT_EQ(error.Kind(), app::comm::FailureKind::CannotSaveLogin);
        EXPECT_EQ(std::string(error.what()).rfind("无法保存登录信息\n\n无法创建文件 ", 0), 0u) << error.what();
        EXPECT_NE(std::string(error.what()).find("没有"), std::string::npos) << error.what();
    }
}

} // namespace
