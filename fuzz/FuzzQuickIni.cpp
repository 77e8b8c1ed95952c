// Loads the input as a skin description and reads it the way the skin data
// loader does: every section, the catalogue's keys, as text, integer, colour
// and bitmap name. Traps on answers the reader must never give.

#include "skin/data/IniValues.h"
#include "skin/data/MemoryStream.h"
#include "skin/data/QuickIni.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kKeys[] = {
    "SkinName", "Left", "Right", "Top", "Bottom", "LeftTopHeight", "LeftBotHeight", "RightTopHeight",
    "RightBotHeight", "TopTopHeight", "TopBotHeight", "BottomTopHeight", "BottomBotHeight", "LeftFrame",
    "RightFrame", "TopFrame", "BottomFrame", "LeftStretch", "TopTrans", "TextBack", "TextShift", "TextShiftVert",
    "TextRightClip", "TextAlignment", "Textbackground", "TXTBackleft", "TXTBackRight", "ActiveTextR",
    "InActiveTextB", "menuBar", "TileMenu", "TileLeftMenu", "TileRightMenu", "FontHeight", "WindowText",
    "ButtonFace", "Scrollbar", "Hilight", "Menubar", "ButtonText", "TitleTextActive", "Color0", "Color9",
    "Image", "Bitmap", "CheckButton", "RadioButton", "LeftWidth", "RightWidth", "TopHeight", "BottomHeight",
    "Trans", "Tile", "Style", "Frame", "RadioButtonFrame", "CheckButtonFrame", "NormalColour",
    "MouseOverColour", "PressedColour", "NormalColour2", "MouseOverColour2", "PressedColour2", "FrameCount",
    "Action", "Visibility", "Visibility1", "Align", "Xcoord", "Ycoord", "frame", "CombineOp", "ButtonImage",
    "color", "Border", "GlyphImage", "****", "BackgroundAlignment", "BackgroundLeftShift",
    "BackgroundRightShift", "", "=", "[Buttons]",
};

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void ReadEverything(const skin::TQuickIni& ini) {
    std::vector<std::string> sections;
    ini.ReadSections(&sections);
    sections.push_back("Buttons");
    sections.push_back("");
    for (const std::string& section : sections) {
        const int line = ini.FindSection(section);
        Check(line >= -1);
        for (const std::string_view key : kKeys) {
            const std::string text = ini.ReadString(section, key, "\x01");
            Check(!text.empty());
            Check(text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
            if (line < 0) {
                Check(text == "\x01");
            }
            const std::string value = ini.ReadString(section, key, "");
            const int32_t number = ini.ReadInteger(section, key, -7);
            Check(value.empty() ? number == -7 : number == skin::ParseInteger(value, -7));
            const int32_t colour = skin::ParseColour(value, -1);
            Check(value.empty() ? colour == -1 : (colour >= 0 && colour <= 0xFFFFFF));
            const std::string name = skin::BitmapEntryName(value);
            Check(name.empty() || (name.size() >= 4 && name.ends_with(".bmp") && value.ends_with(name)));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    skin::MemoryStream stream(std::span<const uint8_t>(data, size));
    skin::TQuickIni ini;
    ini.LoadFromStream(&stream);
    ReadEverything(ini);

    // Again from a position inside the text, as when a description follows other data.
    if (size != 0) {
        stream.SetPosition(data[0] % (size + 1));
        ini.LoadFromStream(&stream);
        Check(stream.Position() == data[0] % (size + 1));
        ReadEverything(ini);
    }
    return 0;
}
