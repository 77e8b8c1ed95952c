#include "skin/data/QuickIni.h"

#include "skin/data/AnsiText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace skin {
namespace {

TQuickIni Load(std::string_view text) {
    const MemoryStream stream(text);
    TQuickIni ini;
    ini.LoadFromStream(&stream);
    return ini;
}

std::vector<std::string> Sections(const TQuickIni& ini) {
    std::vector<std::string> list;
    ini.ReadSections(&list);
    return list;
}

// "信息" and "按钮" in code page 936.
const std::string kInfo = "\xD0\xC5\xCF\xA2";
const std::string kButton = "\xB0\xB4\xC5\xA5";

// Headers are found through an index keyed by FoldText: two texts must get
// the same key exactly when SameText calls them equal, two-byte characters
// (whose trail bytes may look like letters) included.
TEST(QuickIniTest, FoldedTextsAreEqualExactlyForSameText) {
    const struct {
        std::string a, b;
        bool same;
    } cases[] = {
        {"[Colours]", "[COLOURS]", true},
        {"[Colours]", "[Colour]", false},
        {"\x81\x41", "\x81\x61", false},          // a trail byte is not a letter
        {"\x81\x41x", "\x81\x41X", true},         // the letter after it is
        {"a\x81", "A\x81", true},                  // a lead byte at the end stands alone
        {"Z" + kInfo + "q", "z" + kInfo + "Q", true},
        {kInfo, kButton, false},
        {"\xD0" "A", "\xD0" "a", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a + " / " + c.b);
        EXPECT_EQ(ansi::SameText(c.a, c.b), c.same);
        EXPECT_EQ(ansi::FoldText(c.a) == ansi::FoldText(c.b), c.same);
    }
}

TEST(QuickIniTest, FindSectionComparesWholeHeaderIgnoringCase) {
    // Dropped lines (blank, comment) do not count towards positions.
    const TQuickIni ini = Load(
        "; comment\n"
        "\n"
        "orphan=1\n"
        "[colours]\n"
        "a=1\n"
        "[ Colours ]\n"
        "[BUTTONS]\n"
        "[Buttons]\n"
        "[]\n");
    struct Case {
        const char* name;
        int expected;
    };
    const Case cases[] = {
        {"Colours", 1},  {"COLOURS", 1}, {"colours", 1},  {" Colours ", 3},
        {"Buttons", 4},  {"buttons", 4}, {"", 6},         {"Colour", -1},
        {"Coloursx", -1}, {"orphan=1", -1}, {"[colours]", -1}, {"Personality", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.FindSection(c.name), c.expected) << '"' << c.name << '"';
    }
}

TEST(QuickIniTest, FindSectionLeavesTwoByteCharactersAlone) {
    // 0x81 0x41 and 0x81 0x61 are two different characters whose second bytes look like "A" and "a".
    const TQuickIni ini = Load("[" + kInfo + "]\n[\x81\x41]\n[x\x81]\n");
    EXPECT_EQ(ini.FindSection(kInfo), 0);
    EXPECT_EQ(ini.FindSection("\x81\x41"), 1);
    EXPECT_EQ(ini.FindSection("\x81\x61"), -1);
    // "[x" followed by a character whose second byte is "]" is not a header.
    EXPECT_EQ(ini.FindSection("x"), -1);
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{kInfo, "\x81\x41"}));
}

struct ReadCase {
    const char* section;
    const char* key;
    const char* expected;
};

TEST(QuickIniTest, ReadStringTakesFirstOccurrenceInFirstSection) {
    const TQuickIni ini = Load(
        "Image=before.bmp\n"
        "[Buttons]\n"
        "Bitmap=first.bmp\n"
        "Tile=\n"
        "Tile=1\n"
        "  RightWidth   =   4 5  \n"
        "Trans\n"
        "Trans=2\n"
        "; Image=x.bmp\n"
        ";Style=3\n"
        "#Frame=4\n"
        "Colour=1 2 3 ; not a comment\n"
        "Expr=a=b=c\n"
        "=orphan\n"
        "Bitmap=second.bmp\n"
        "[Progress]\n"
        "LeftWidth=9\n"
        "[Buttons]\n"
        "Bitmap=other.bmp\n"
        "TopHeight=3\n");
    const ReadCase cases[] = {
        {"Buttons", "Bitmap", "first.bmp"},
        {"BUTTONS", "bitmap", "first.bmp"},
        // An empty value decides: the later line is never reached.
        {"Buttons", "Tile", "dflt"},
        // Keys and values are trimmed; keys compare without case.
        {"Buttons", "rightwidth", "4 5"},
        {"Buttons", "RIGHTWIDTH", "4 5"},
        // A line without "=" neither matches nor stops the scan.
        {"Buttons", "Trans", "2"},
        // Only ";" at the start of a line makes a comment.
        {"Buttons", "Image", "dflt"},
        {"Buttons", "Style", "dflt"},
        {"Buttons", "#Frame", "4"},
        {"Buttons", "Colour", "1 2 3 ; not a comment"},
        // The value starts after the first "=".
        {"Buttons", "Expr", "a=b=c"},
        // The scan ends at the next header; the second [Buttons] is never read.
        {"Buttons", "LeftWidth", "dflt"},
        {"Buttons", "TopHeight", "dflt"},
        {"Progress", "LeftWidth", "9"},
        // Lines before the first header belong to no section.
        {"", "Image", "dflt"},
        {"Missing", "Bitmap", "dflt"},
        {"Buttons", "", "dflt"},
        {"Buttons", "Missing", "dflt"},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ini.ReadString(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
    }
}

TEST(QuickIniTest, ReadIntegerUsesIntegerSyntax) {
    const TQuickIni ini = Load(
        "[Buttons]\n"
        "Tile=\n"
        "Tile=1\n"
        "Hex=0x1F\n"
        "Dollar=$1F\n"
        "Bare=0x\n"
        "Unit=12px\n"
        "Negative=-1\n"
        "Padded=   42   \n"
        "Huge=99999999999\n");
    struct Case {
        const char* key;
        int32_t expected;
    };
    const Case cases[] = {
        {"Tile", 5},  {"Hex", 31},      {"Dollar", 31}, {"Bare", 5},   {"Unit", 5},
        {"Negative", -1}, {"Padded", 42}, {"Huge", 5},  {"Missing", 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadInteger("Buttons", c.key, 5), c.expected) << c.key;
    }
}

TEST(QuickIniTest, LineEndsAreCrLfOrCrLfPairs) {
    const std::string texts[] = {
        "[A]\nx=1\ny=2\n[B]\nx=3",
        "[A]\rx=1\ry=2\r[B]\rx=3\r",
        "[A]\r\nx=1\r\ny=2\r\n[B]\r\nx=3\r\n",
        "[A]\r\n\rx=1\n\r\ny=2\n\n\r\r[B]\rx=3",
        "\r\n\n[A]\n\rx=1\r\r\ny=2\r\n\r\n[B]\n\nx=3\n\r",
    };
    for (const std::string& text : texts) {
        const TQuickIni ini = Load(text);
        EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
        EXPECT_EQ(ini.ReadString("A", "y", ""), "2");
        EXPECT_EQ(ini.ReadString("B", "x", ""), "3");
        EXPECT_EQ(ini.FindSection("B"), 3);
    }
}

TEST(QuickIniTest, TrimsControlCharactersButKeepsHighBytes) {
    // "　" (A1 A1) is a full-width blank in code page 936: a character, not a blank to trim.
    const TQuickIni ini = Load("\t\x01[A]\x1F \n\x7Fk\x02=\x03v\x1F\x20\n w=\xA1\xA1v\xA1\xA1\n");
    EXPECT_EQ(ini.FindSection("A"), 0);
    EXPECT_EQ(ini.ReadString("A", "w", ""), "\xA1\xA1v\xA1\xA1");
    // 0x7F is above the blank: it stays part of the key.
    EXPECT_EQ(ini.ReadString("A", "\x7Fk", ""), "v");
    EXPECT_EQ(ini.ReadString("A", "k", "none"), "none");
}

TEST(QuickIniTest, NulByteEndsText) {
    const TQuickIni ini = Load(std::string("[A]\nx=1\ny=2\0\n[B]\nz=3\n", 20));
    EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
    EXPECT_EQ(ini.ReadString("A", "y", ""), "2");
    EXPECT_EQ(ini.FindSection("B"), -1);
    EXPECT_EQ(Sections(ini), std::vector<std::string>{"A"});

    const TQuickIni cut = Load(std::string("[A]\nx=1\0" "23\n", 11));
    EXPECT_EQ(cut.ReadString("A", "x", ""), "1");
}

TEST(QuickIniTest, ReadsFromStreamPositionWithoutMovingIt) {
    const std::string skipped = "[Z]\nz=1\n";
    MemoryStream stream(skipped + "[A]\na=2\n");
    stream.SetPosition(skipped.size());
    TQuickIni ini;
    ini.LoadFromStream(&stream);
    EXPECT_EQ(ini.FindSection("Z"), -1);
    EXPECT_EQ(ini.ReadString("A", "a", ""), "2");
    EXPECT_EQ(stream.Position(), skipped.size());

    // Starting in the middle of a line: the rest of it is a line of its own.
    stream.SetPosition(1);
    ini.LoadFromStream(&stream);
    EXPECT_EQ(Sections(ini), std::vector<std::string>{"A"});

    stream.SetPosition(stream.Size() + 10);
    ini.LoadFromStream(&stream);
    EXPECT_EQ(ini.FindSection("A"), -1);
    EXPECT_TRUE(Sections(ini).empty());
}

TEST(QuickIniTest, LoadReplacesContentAndNullStreamKeepsIt) {
    TQuickIni ini = Load("[A]\na=1\n");
    ini.LoadFromStream(nullptr);
    EXPECT_EQ(ini.ReadString("A", "a", ""), "1");

    const MemoryStream other("[B]\nb=2\n");
    ini.LoadFromStream(&other);
    EXPECT_EQ(ini.FindSection("A"), -1);
    EXPECT_EQ(ini.ReadString("A", "a", "gone"), "gone");
    EXPECT_EQ(ini.ReadString("B", "b", ""), "2");

    const MemoryStream empty;
    ini.LoadFromStream(&empty);
    EXPECT_EQ(ini.ReadString("B", "b", "gone"), "gone");
    EXPECT_TRUE(Sections(ini).empty());
}

TEST(QuickIniTest, EmptyReaderAnswersDefaults) {
    const TQuickIni ini;
    EXPECT_EQ(ini.FindSection("A"), -1);
    EXPECT_EQ(ini.ReadString("A", "a", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("A", "a", -3), -3);
    EXPECT_TRUE(Sections(ini).empty());
}

TEST(QuickIniTest, ReadSectionsListsTrimmedNamesInFileOrder) {
    const TQuickIni ini = Load(
        "x=1\n"
        "[Buttons]\n"
        "[ Colours ]\n"
        "[Buttons]\n"
        "[\t]\n"
        "[ButtonClose]\n"
        "[not a header\n"
        "not a header]\n"
        "[a]b]\n");
    std::vector<std::string> list = {"stale"};
    ini.ReadSections(&list);
    EXPECT_EQ(list, (std::vector<std::string>{"Buttons", "Colours", "Buttons", "", "ButtonClose", "a]b"}));
}

TEST(QuickIniTest, ReadSectionsWithoutListFails) {
    const TQuickIni ini = Load("[A]\n");
    try {
        ini.ReadSections(nullptr);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "The parameter Strings is unassigned!");
    }
}

TEST(QuickIniTest, CodePageTextPassesThroughUnchanged) {
    const TQuickIni ini = Load(
        "[TitlebarSkin]\r\n"
        "SkinName=" + kInfo + " Blue\r\n" +
        kButton + "=" + kInfo + "\r\n"
        "[" + kButton + "]\r\n"
        "Caption=" + kButton + kInfo + "\r\n");
    EXPECT_EQ(ini.ReadString("TitlebarSkin", "SkinName", ""), kInfo + " Blue");
    EXPECT_EQ(ini.ReadString("TitlebarSkin", kButton, ""), kInfo);
    EXPECT_EQ(ini.ReadString(kButton, "caption", ""), kButton + kInfo);
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"TitlebarSkin", kButton}));
}

} // namespace
} // namespace skin
