// The default skin as the program embeds it: the RCDATA resource "DEFAULTSKIN"
// read back through the skin reader and the description reader.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "skin/data/IniValues.h"
#include "skin/data/MemoryStream.h"
#include "skin/data/QuickIni.h"
#include "skin/data/RegionFromBitmap.h"
#include "skin/data/SkinReader.h"
#include "skin/data/StripDrawing.h"
#include "ui/Bitmap.h"

namespace {

using skin::MemoryStream;

constexpr uint32_t kKeyColour = 0xFF00FF; // as 0xRRGGBB

struct Skin {
    skin::TSkinReader Reader;
    skin::TQuickIni Ini;
    bool Opened = false;
    std::string IniName;
};

const Skin& DefaultSkin() {
    static const Skin loaded = [] {
        Skin s;
        const HRSRC info = FindResourceW(nullptr, L"DEFAULTSKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
        const HGLOBAL handle = info ? LoadResource(nullptr, info) : nullptr;
        const auto* bytes = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
        if (bytes == nullptr) {
            return s;
        }
        MemoryStream file(std::span<const uint8_t>(bytes, SizeofResource(nullptr, info)));
        s.Opened = s.Reader.Open(file);
        MemoryStream description;
        s.Reader.FindEntry(".ini", description, s.IniName);
        s.Ini.LoadFromStream(&description);
        return s;
    }();
    return loaded;
}

// A 24-bit Windows BMP file, checked field by field as the system would load it.
struct Bmp {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rows; // top row first, blue-green-red
    uint32_t Pixel(int x, int y) const { // 0xRRGGBB
        const uint8_t* p = &Rows[(size_t(y) * Width + x) * 3];
        return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
};

uint32_t Le(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = v << 8 | p[i];
    }
    return v;
}

std::optional<Bmp> ParseBmp(const MemoryStream& entry, std::string& why) {
    const uint8_t* d = entry.Data();
    const size_t size = entry.Size();
    if (size < 54 || d[0] != 'B' || d[1] != 'M') {
        why = "not a BMP file";
        return std::nullopt;
    }
    const uint32_t fileSize = Le(d + 2, 4), offBits = Le(d + 10, 4), headerSize = Le(d + 14, 4);
    const int32_t width = int32_t(Le(d + 18, 4)), height = int32_t(Le(d + 22, 4));
    const uint32_t planes = Le(d + 26, 2), bits = Le(d + 28, 2), compression = Le(d + 30, 4);
    if (fileSize != size || headerSize < 40 || offBits < 14 + headerSize || planes != 1) {
        why = "damaged BMP headers";
        return std::nullopt;
    }
    if (bits != 24 || compression != 0) {
        why = "not 24 bits per pixel uncompressed";
        return std::nullopt;
    }
    const int rows = height < 0 ? -height : height;
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    if (width <= 0 || rows == 0 || offBits + stride * rows > size) {
        why = "pixel rows missing";
        return std::nullopt;
    }
    Bmp bmp;
    bmp.Width = width;
    bmp.Height = rows;
    for (int y = 0; y < rows; ++y) {
        const int stored = height > 0 ? rows - 1 - y : y; // bottom-up unless the height is negative
        const uint8_t* row = d + offBits + stride * stored;
        bmp.Rows.insert(bmp.Rows.end(), row, row + size_t(width) * 3);
    }
    return bmp;
}

std::optional<Bmp> LoadBitmap(const std::string& section, const std::string& key, std::string& why) {
    const Skin& skin = DefaultSkin();
    const std::string entryName = skin::BitmapEntryName(skin.Ini.ReadString(section, key, ""));
    if (entryName.empty()) {
        why = "no .bmp named";
        return std::nullopt;
    }
    MemoryStream entry;
    skin.Reader.GetEntry(entryName, entry);
    if (entry.Size() == 0) {
        why = entryName + " is not in the package";
        return std::nullopt;
    }
    return ParseBmp(entry, why);
}

// Where a painter takes a strip's frame count and margins from. A margin is a
// key of the section, or a fixed number where the painter fixes it.
struct Margin {
    const char* Key = nullptr;
    int Fixed = 0;
};
struct StripUse {
    const char* Section;
    const char* ImageKey;
    int Frames;              // the count the loader or painter sets; 0: read FrameKey
    const char* FrameKey;    // with FrameDefault when absent
    int FrameDefault;
    bool Vertical;           // cells stacked
    std::array<Margin, 4> Margins; // left, top, right, bottom of one cell
};

constexpr std::array<Margin, 4> kNoMargins{};
constexpr std::array<Margin, 4> kGeneric{{{"LeftWidth"}, {"TopHeight"}, {"RightWidth"}, {"BottomHeight"}}};

const StripUse kStrips[] = {
    {"Personality", "Left", 0, "LeftFrame", 1, false, {{{}, {"LeftTopHeight"}, {}, {"LeftBotHeight"}}}},
    {"Personality", "Right", 0, "RightFrame", 1, false, {{{}, {"RightTopHeight"}, {}, {"RightBotHeight"}}}},
    {"Personality", "Top", 0, "TopFrame", 1, true, {{{"TopTopHeight"}, {}, {"TopBotHeight"}, {}}}},
    {"Personality", "Bottom", 0, "BottomFrame", 1, true, {{{"BottomTopHeight"}, {}, {"BottomBotHeight"}, {}}}},
    {"Personality", "TextBack", 2, nullptr, 0, true, {{{"TXTBackleft"}, {}, {"TXTBackRight"}, {}}}},
    {"Personality", "menuBar", 2, nullptr, 0, true, {{{"TileLeftMenu"}, {}, {"TileRightMenu"}, {}}}},
    {"Button0", "ButtonImage", 0, "frame", 0, false, kNoMargins},
    {"Button1", "ButtonImage", 0, "frame", 0, false, kNoMargins},
    {"Button2", "ButtonImage", 0, "frame", 0, false, kNoMargins},
    {"Button3", "ButtonImage", 0, "frame", 0, false, kNoMargins},
    {"Button4", "ButtonImage", 0, "frame", 0, false, kNoMargins},
    {"MDICONTROLS", "Image", 12, nullptr, 0, false, kNoMargins},
    {"Buttons", "Bitmap", 5, nullptr, 0, false, kGeneric},
    {"Buttons", "CheckButton", 0, "CheckButtonFrame", 0, false, kNoMargins},
    {"Buttons", "RadioButton", 0, "RadioButtonFrame", 0, false, kNoMargins},
    {"Progress", "Bitmap", 2, nullptr, 0, false, kGeneric},
    {"Progress.Chunk", "Image", 0, "Frame", 0, false, kGeneric},
    {"GroupBoxEdge", "Image", 2, nullptr, 0, false, kGeneric},
    {"GroupBox", "Image", 1, nullptr, 0, false, kGeneric},
    {"Tabs", "Image", 5, nullptr, 0, false, kGeneric},
    {"Tabs", "Border", 1, nullptr, 0, false, {{{nullptr, 4}, {nullptr, 5}, {nullptr, 4}, {nullptr, 4}}}},
    {"Tab.Pane", "Image", 1, nullptr, 0, false, kGeneric},
    {"StatusBarEdges", "Image", 3, nullptr, 0, false, kGeneric},
    {"ToolBars", "Image", 5, nullptr, 0, false, kGeneric},
    {"ComboButton", "Image", 4, nullptr, 0, false, kGeneric},
    {"SunkEdge", "Image", 4, nullptr, 0, false, kGeneric},
    {"ExtraImages", "Image", 5, nullptr, 0, false, kNoMargins},
    {"Headerbar", "Image", 0, "Frame", 5, false, kGeneric},
    {"MenuItem", "Image", 5, nullptr, 0, false, kGeneric},
    {"MenuBackground", "Image", 1, nullptr, 0, false, kGeneric},
    {"Scrollbar", "Image", 23, nullptr, 0, false, kNoMargins},
    {"HorzScroll", "Image", 4, nullptr, 0, false, kGeneric},
    {"VertScroll", "Image", 4, nullptr, 0, false, kGeneric},
    {"HorzScrollThumb", "Image", 0, "FrameCount", 3, false, kGeneric},
    {"VertScrollThumb", "Image", 0, "FrameCount", 3, false, kGeneric},
    {"Trackbar.ThumbHorz", "Image", 5, nullptr, 0, false, kNoMargins},
    {"Trackbar.ThumbVert", "Image", 5, nullptr, 0, false, kNoMargins},
    {"Trackbar.ThumbLeft", "Image", 5, nullptr, 0, false, kNoMargins},
    {"Trackbar.ThumbRight", "Image", 5, nullptr, 0, false, kNoMargins},
    {"Trackbar.ThumbUp", "Image", 5, nullptr, 0, false, kNoMargins},
    {"Trackbar.ThumbDown", "Image", 5, nullptr, 0, false, kNoMargins},
    {"Track", "Image", 0, "Frame", 0, false, kGeneric},
    {"TRACKVERT", "Image", 0, "Frame", 0, false, kGeneric},
    {"UpDown.Horz", "Image", 8, nullptr, 0, false, kGeneric},
    {"UpDown.Horz", "GlyphImage", 8, nullptr, 0, false, kNoMargins},
    {"UpDown.Vert", "Image", 8, nullptr, 0, false, kGeneric},
    {"UpDown.Vert", "GlyphImage", 8, nullptr, 0, false, kNoMargins},
};

int FrameCount(const StripUse& use) {
    return use.Frames != 0 ? use.Frames : DefaultSkin().Ini.ReadInteger(use.Section, use.FrameKey, use.FrameDefault);
}

int MarginValue(const StripUse& use, int side) {
    const Margin& m = use.Margins[side];
    return m.Key ? DefaultSkin().Ini.ReadInteger(use.Section, m.Key, 0) : m.Fixed;
}

TEST(DefaultSkin, OpensAsAVersion70000PackageWithOneDescription) {
    const Skin& skin = DefaultSkin();
    ASSERT_TRUE(skin.Opened) << "the DEFAULTSKIN resource is missing or does not open";
    EXPECT_EQ(skin.Reader.Version(), 70000u);
    EXPECT_FALSE(skin.IniName.empty());
    int descriptions = 0;
    for (const std::string& name : skin.Reader.Names()) {
        const bool ini = name.ends_with(".ini");
        descriptions += ini;
        EXPECT_TRUE(ini || name.ends_with(".bmp")) << name;
    }
    EXPECT_EQ(descriptions, 1);
}

// One strip a painter draws: present, a sound 24-bit BMP, cut into whole
// cells by its frame count, each cell larger than its fixed margins.
void CheckStrip(const StripUse& use) {
    ASSERT_GE(DefaultSkin().Ini.FindSection(use.Section), 0) << "section missing";
    std::string why;
    const std::optional<Bmp> bmp = LoadBitmap(use.Section, use.ImageKey, why);
    ASSERT_TRUE(bmp) << why;
    const int frames = FrameCount(use);
    ASSERT_GT(frames, 0);
    const int length = use.Vertical ? bmp->Height : bmp->Width;
    EXPECT_EQ(length % frames, 0) << length << " pixels in " << frames << " cells";
    const int cellWidth = use.Vertical ? bmp->Width : bmp->Width / frames;
    const int cellHeight = use.Vertical ? bmp->Height / frames : bmp->Height;
    EXPECT_LT(MarginValue(use, 0) + MarginValue(use, 2), cellWidth);
    EXPECT_LT(MarginValue(use, 1) + MarginValue(use, 3), cellHeight);
}

TEST(DefaultSkin, EveryStripIsA24BitBmpOfWholeCellsLargerThanItsMargins) {
    ASSERT_TRUE(DefaultSkin().Opened);
    for (const StripUse& use : kStrips) {
        SCOPED_TRACE(std::string(use.Section) + "/" + use.ImageKey);
        CheckStrip(use);
    }
}

// No leftovers: each bitmap in the package is one that the description names.
TEST(DefaultSkin, PackageHoldsOnlyBitmapsTheDescriptionNames) {
    ASSERT_TRUE(DefaultSkin().Opened);
    std::set<std::string> named;
    for (const StripUse& use : kStrips) {
        named.insert(skin::BitmapEntryName(DefaultSkin().Ini.ReadString(use.Section, use.ImageKey, "")));
    }
    for (const std::string& name : DefaultSkin().Reader.Names()) {
        if (name.ends_with(".bmp")) {
            EXPECT_TRUE(named.count(name)) << name << " is packed but never named";
        }
    }
}

TEST(DefaultSkin, DescriptionGivesEveryColourOfTheTable) {
    const char* keys[] = {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText",
                          "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText",
                          "Hilight", "Menubar", "MenuBarText", "Menu", "MenuText", "Scrollbar"};
    for (const char* key : keys) {
        const std::string text = DefaultSkin().Ini.ReadString("Colours", key, "");
        EXPECT_FALSE(text.empty()) << key;
        EXPECT_EQ(text.find_first_not_of("0123456789 "), std::string::npos) << key << "=" << text;
    }
    for (const char* key : {"ActiveText", "InActiveText"}) {
        for (const char* channel : {"R", "G", "B"}) {
            const int value = DefaultSkin().Ini.ReadInteger("Personality", std::string(key) + channel, -1);
            EXPECT_TRUE(value >= 0 && value <= 255) << key << channel;
        }
    }
}

// Caption buttons as the loader picks them: sections named BUTTON* except the
// element sections; the skin has exactly five.
std::vector<std::string> CaptionButtonSections() {
    std::vector<std::string> sections;
    DefaultSkin().Ini.ReadSections(&sections);
    std::vector<std::string> buttons;
    for (const std::string& name : sections) {
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        const bool element = upper == "BUTTONS" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX" || upper == "BUTTON";
        if (upper.starts_with("BUTTON") && !element) {
            buttons.push_back(name);
        }
    }
    return buttons;
}

TEST(DefaultSkin, FiveCaptionButtonsFitInsideTheCaption) {
    ASSERT_TRUE(DefaultSkin().Opened);
    const skin::TQuickIni& ini = DefaultSkin().Ini;
    std::string why;
    const auto top = LoadBitmap("Personality", "Top", why);
    const auto right = LoadBitmap("Personality", "Right", why);
    ASSERT_TRUE(top && right) << why;
    const int captionHeight = top->Height / ini.ReadInteger("Personality", "TopFrame", 1);
    const int rightBorder = right->Width / ini.ReadInteger("Personality", "RightFrame", 1);

    const std::vector<std::string> buttons = CaptionButtonSections();
    ASSERT_EQ(buttons.size(), 5u);
    std::multiset<int> actions;
    int rightmostTextEnd = ini.ReadInteger("Personality", "TextRightClip", 0);
    for (const std::string& section : buttons) {
        SCOPED_TRACE(section);
        const int action = ini.ReadInteger(section, "Action", 0);
        actions.insert(action);
        const auto picture = LoadBitmap(section, "ButtonImage", why);
        ASSERT_TRUE(picture) << why;
        const int width = picture->Width / ini.ReadInteger(section, "frame", 0);
        const int y = ini.ReadInteger(section, "Ycoord", 0);
        EXPECT_GE(y, 0);
        EXPECT_LE(y + picture->Height, captionHeight);
        if (ini.ReadInteger(section, "Align", 0) == 1) { // x = window width - Xcoord
            const int xcoord = ini.ReadInteger(section, "Xcoord", 0);
            EXPECT_GE(xcoord - width, rightBorder) << "overlaps the right border";
            EXPECT_LE(xcoord, rightmostTextEnd) << "the title text would run under it";
        }
        if (action == 3) { // the window icon: one cell, the painter forces the count to 1
            EXPECT_EQ(ini.ReadInteger(section, "frame", 0), 1);
        }
    }
    EXPECT_EQ(actions, (std::multiset<int>{0, 1, 1, 2, 3})); // close, maximise, restore, minimise, icon
}

bool IsKey(const Bmp& bmp, int x, int y) {
    return bmp.Pixel(x, y) == kKeyColour;
}

// The window region is cut from the key colour: the top corners must be key
// colour at the very corner, opaque further in, and the curve must end within
// the top piece's fixed ends or the stretched middle would carry it along.
TEST(DefaultSkin, TopCornersAreRoundedInTheKeyColour) {
    ASSERT_TRUE(DefaultSkin().Opened);
    const skin::TQuickIni& ini = DefaultSkin().Ini;
    std::string why;
    const auto top = LoadBitmap("Personality", "Top", why);
    const auto left = LoadBitmap("Personality", "Left", why);
    const auto right = LoadBitmap("Personality", "Right", why);
    ASSERT_TRUE(top && left && right) << why;
    const int frames = ini.ReadInteger("Personality", "TopFrame", 1);
    const int caption = top->Height / frames;
    const int leftEnd = ini.ReadInteger("Personality", "TopTopHeight", 0);
    const int rightEnd = ini.ReadInteger("Personality", "TopBotHeight", 0);
    const int sideWidth = left->Width / ini.ReadInteger("Personality", "LeftFrame", 1);
    ASSERT_EQ(ini.ReadInteger("Personality", "LeftFrame", 1), 2);
    ASSERT_EQ(ini.ReadInteger("Personality", "RightFrame", 1), 2);
    for (int frame = 0; frame < frames; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame + 1));
        const int y0 = frame * caption;
        EXPECT_TRUE(IsKey(*left, frame * sideWidth, 0));
        EXPECT_TRUE(IsKey(*right, (frame + 1) * sideWidth - 1, 0));
        EXPECT_TRUE(IsKey(*top, 0, y0));
        EXPECT_TRUE(IsKey(*top, top->Width - 1, y0));
        EXPECT_FALSE(IsKey(*top, leftEnd, y0)) << "the curve runs into the stretched middle";
        EXPECT_FALSE(IsKey(*top, top->Width - 1 - rightEnd, y0));
        for (int y = caption / 2; y < left->Height; ++y) {
            ASSERT_FALSE(IsKey(*left, frame * sideWidth, y)) << "left edge open at y " << y;
            ASSERT_FALSE(IsKey(*right, (frame + 1) * sideWidth - 1, y)) << "right edge open at y " << y;
        }
        for (int x = 0; x < top->Width; ++x) {
            ASSERT_FALSE(IsKey(*top, x, y0 + caption - 1)) << "caption bottom open at x " << x;
        }
    }
}

ui::Bitmap ToBitmap(const Bmp& bmp) {
    ui::Bitmap bitmap(bmp.Width, bmp.Height, ui::PixelFormat::Bit24);
    for (int y = 0; y < bmp.Height; ++y) {
        std::memcpy(bitmap.ScanLine(y), &bmp.Rows[size_t(y) * bmp.Width * 3], size_t(bmp.Width) * 3);
    }
    return bitmap;
}

// One frame piece drawn at a window's size and cut to a region, as the frame
// painter shapes a window: left, right, top and bottom piece.
struct Piece {
    const char* Key;
    bool Vertical; // top and bottom pieces stack their looks
};

ui::UniqueRegion PieceRegion(const Piece& piece, const RECT& place, int look) {
    const skin::TQuickIni& ini = DefaultSkin().Ini;
    const std::string key = piece.Key;
    std::string why;
    const auto bmp = LoadBitmap("Personality", key, why);
    if (!bmp) {
        ADD_FAILURE() << key << ": " << why;
        return ui::UniqueRegion(CreateRectRgn(0, 0, 0, 0));
    }
    const int fixedStart = ini.ReadInteger("Personality", key + "TopHeight", 0);
    const int fixedEnd = ini.ReadInteger("Personality", key + "BotHeight", 0);
    const RECT margins = piece.Vertical ? RECT{fixedStart, 0, fixedEnd, 0} : RECT{0, fixedStart, 0, fixedEnd};
    const RECT size{0, 0, place.right - place.left, place.bottom - place.top};
    const bool tile = ini.ReadInteger("Personality", key + "Stretch", 1) != 1;
    const ui::Bitmap drawn = skin::BuildNineGrid(size, ToBitmap(*bmp), margins, piece.Vertical, tile,
                                                 ini.ReadInteger("Personality", key + "Frame", 1), look);
    return skin::CreateRegionFromBitmap(drawn, place.left, place.top, 1, 1, 1);
}

// The shape a 400 x 300 window takes: rounded at the top in both looks, square
// at the bottom, whole everywhere else. Built with the engine's own nine-grid
// and region routines, so a curve that the stretching would smear or a hole
// in a piece shows here.
TEST(DefaultSkin, WindowShapeHasRoundedTopAndSquareBottomCorners) {
    ASSERT_TRUE(DefaultSkin().Opened);
    const skin::TQuickIni& ini = DefaultSkin().Ini;
    std::string why;
    const auto top = LoadBitmap("Personality", "Top", why);
    const auto left = LoadBitmap("Personality", "Left", why);
    const auto right = LoadBitmap("Personality", "Right", why);
    const auto bottom = LoadBitmap("Personality", "Bottom", why);
    ASSERT_TRUE(top && left && right && bottom) << why;
    const int caption = top->Height / ini.ReadInteger("Personality", "TopFrame", 1);
    const int bl = left->Width / ini.ReadInteger("Personality", "LeftFrame", 1);
    const int br = right->Width / ini.ReadInteger("Personality", "RightFrame", 1);
    const int bb = bottom->Height / ini.ReadInteger("Personality", "BottomFrame", 1);
    constexpr int W = 400, H = 300;

    for (int look = 1; look <= 2; ++look) {
        SCOPED_TRACE(look == 1 ? "active" : "inactive");
        ui::UniqueRegion shape(CreateRectRgn(bl, caption, W - br, H - bb));
        const std::pair<Piece, RECT> parts[] = {
            {{"Left", false}, {0, 0, bl, H}},
            {{"Right", false}, {W - br, 0, W, H}},
            {{"Top", true}, {bl, 0, W - br, caption}},
            {{"Bottom", true}, {bl, H - bb, W - br, H}},
        };
        for (const auto& [piece, place] : parts) {
            ui::UniqueRegion part = PieceRegion(piece, place, look);
            CombineRgn(shape.get(), shape.get(), part.get(), RGN_OR);
        }
        const auto inside = [&](int x, int y) { return PtInRegion(shape.get(), x, y) != FALSE; };
        EXPECT_FALSE(inside(0, 0));
        EXPECT_FALSE(inside(W - 1, 0));
        EXPECT_FALSE(inside(bl, 0)) << "the curve should reach into the top piece";
        EXPECT_TRUE(inside(W / 2, 0));
        EXPECT_TRUE(inside(0, caption));
        EXPECT_TRUE(inside(0, H - 1));
        EXPECT_TRUE(inside(W - 1, H - 1));
        for (int x = 0; x < W / 2; ++x) {
            ASSERT_EQ(inside(x, 0), inside(W - 1 - x, 0)) << "corners differ at x " << x;
        }
        for (int y = 1; y < H; y += 7) {
            for (int x = bl; x < W - br; x += 5) {
                ASSERT_TRUE(inside(x, y)) << "hole at " << x << "," << y;
            }
        }
    }
}

} // namespace
