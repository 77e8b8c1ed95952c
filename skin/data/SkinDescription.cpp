#include "skin/data/SkinDescription.h"

#include "skin/data/AnsiText.h"
#include "skin/data/IniValues.h"
#include "skin/data/SkinGeneratedObjects.h"
#include "skin/data/SkinResources.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <variant>

namespace skin {
namespace {

using GenericSlot = std::unique_ptr<TDataSkinObject> SkinObjectSet::*;
using BorderSlot = std::unique_ptr<TDataSkinBorder> SkinObjectSet::*;
using BoxSlot = std::unique_ptr<TDataSkinBoxLabel> SkinObjectSet::*;
using ElementSlot = std::variant<GenericSlot, BorderSlot, BoxSlot>;

enum class Loader { Generic, Bordered, Progress, GroupBox, MenuBar };

// How an element's frame count is settled once everything is read.
enum class FrameRule {
    Fixed,          // always Frames
    AsRead,         // the Frame key as read
    FiveWhenZero,   // as read, 5 when the key gave 0
    ByStyle,        // 1 when Style is non-zero, else 2
    FrameCountKey,  // the section's FrameCount key, default 3
};

struct ElementRow {
    std::string_view section;
    ElementSlot slot;
    Loader loader;
    FrameRule rule;
    int32_t frames = 0;
    std::string_view secondKey = {};  // bordered kind: the key of Bitmap2
};

// The element objects in loading order.
const ElementRow kElements[] = {
    {"Progress", &SkinObjectSet::Progress, Loader::Progress, FrameRule::ByStyle},
    {"Progress.Chunk", &SkinObjectSet::ProgressChunk, Loader::Generic, FrameRule::AsRead},
    {"Personality", &SkinObjectSet::MenuBar, Loader::MenuBar, FrameRule::Fixed, 2},
    {"GroupBoxEdge", &SkinObjectSet::GroupBoxEdge, Loader::Generic, FrameRule::Fixed, 2},
    {"GroupBox", &SkinObjectSet::GroupBox, Loader::GroupBox, FrameRule::Fixed, 1},
    {"Tabs", &SkinObjectSet::Tabs, Loader::Bordered, FrameRule::Fixed, 5, "Border"},
    {"StatusBarEdges", &SkinObjectSet::StatusBarEdges, Loader::Generic, FrameRule::Fixed, 3},
    {"Tab.Pane", &SkinObjectSet::TabPane, Loader::Generic, FrameRule::Fixed, 1},
    {"ToolBars", &SkinObjectSet::ToolBars, Loader::Generic, FrameRule::Fixed, 5},
    // Skins never use this second key: Bitmap2 is made by mirroring.
    {"ComboButton", &SkinObjectSet::ComboButton, Loader::Bordered, FrameRule::Fixed, 4, "****"},
    {"SunkEdge", &SkinObjectSet::SunkEdge, Loader::Generic, FrameRule::Fixed, 4},
    {"ExtraImages", &SkinObjectSet::ExtraImages, Loader::Generic, FrameRule::Fixed, 5},
    {"Headerbar", &SkinObjectSet::Headerbar, Loader::Generic, FrameRule::FiveWhenZero},
    {"MenuItem", &SkinObjectSet::MenuItem, Loader::Generic, FrameRule::Fixed, 5},
    {"MenuBackground", &SkinObjectSet::MenuBackground, Loader::Generic, FrameRule::Fixed, 1},
    {"Scrollbar", &SkinObjectSet::Scrollbar, Loader::Generic, FrameRule::Fixed, 23},
    {"HorzScroll", &SkinObjectSet::HorzScroll, Loader::Generic, FrameRule::Fixed, 4},
    {"VertScroll", &SkinObjectSet::VertScroll, Loader::Generic, FrameRule::Fixed, 4},
    {"HorzScrollThumb", &SkinObjectSet::HorzScrollThumb, Loader::Generic, FrameRule::FrameCountKey},
    {"VertScrollThumb", &SkinObjectSet::VertScrollThumb, Loader::Generic, FrameRule::FrameCountKey},
    {"Trackbar.ThumbHorz", &SkinObjectSet::TrackbarThumbHorz, Loader::Generic, FrameRule::Fixed, 5},
    {"Trackbar.ThumbVert", &SkinObjectSet::TrackbarThumbVert, Loader::Generic, FrameRule::Fixed, 5},
    {"Trackbar.ThumbLeft", &SkinObjectSet::TrackbarThumbLeft, Loader::Generic, FrameRule::Fixed, 5},
    {"Trackbar.ThumbRight", &SkinObjectSet::TrackbarThumbRight, Loader::Generic, FrameRule::Fixed, 5},
    {"Trackbar.ThumbUp", &SkinObjectSet::TrackbarThumbUp, Loader::Generic, FrameRule::Fixed, 5},
    {"Trackbar.ThumbDown", &SkinObjectSet::TrackbarThumbDown, Loader::Generic, FrameRule::Fixed, 5},
    {"UpDown.Horz", &SkinObjectSet::UpDownHorz, Loader::Bordered, FrameRule::Fixed, 8, "GlyphImage"},
    {"UpDown.Vert", &SkinObjectSet::UpDownVert, Loader::Bordered, FrameRule::Fixed, 8, "GlyphImage"},
    {"Track", &SkinObjectSet::Track, Loader::Generic, FrameRule::AsRead},
    {"TRACKVERT", &SkinObjectSet::TrackVert, Loader::Generic, FrameRule::AsRead},
};

TDataSkinObject* ObjectAt(SkinObjectSet& set, const ElementSlot& slot) {
    return std::visit([&set](auto member) -> TDataSkinObject* { return (set.*member).get(); }, slot);
}

struct ColourKey {
    std::string_view key;
    int index;
};

// In reading order: Menubar comes after ButtonFace, whose new value is its default.
constexpr ColourKey kColourKeys[] = {
    {"WindowText", scWindowText},     {"ButtonFace", scButtonFace},       {"Scrollbar", scScrollbar},
    {"HilightText", scHilightText},   {"Hilight", scHilight},             {"Menubar", scMenubar},
    {"Menu", scMenu},                 {"MenuText", scMenuText},           {"ButtonText", scButtonText},
    {"ButtonHilight", scButtonHilight}, {"Buttonlight", scButtonlight},   {"ButtonShadow", scButtonShadow},
    {"ButtonDkShadow", scButtonDkShadow}, {"MenuBarText", scMenuBarText}, {"TitleTextActive", scTitleTextActive},
    {"TitleTextNoActive", scTitleTextNoActive},
};

struct BorderRow {
    std::string_view name;
    BorderSlot slot;
    bool alongHeight;  // left and right: the fixed ends are at the top and bottom
};

constexpr BorderRow kBorders[] = {
    {"Left", &SkinObjectSet::LeftBorder, true},
    {"Right", &SkinObjectSet::RightBorder, true},
    {"Top", &SkinObjectSet::TopBorder, false},
    {"Bottom", &SkinObjectSet::BottomBorder, false},
};

constexpr int32_t kMdiButtonMarker = 100;

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = char(c - 'a' + 'A');
        }
    }
    return result;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

class DescriptionReader {
public:
    DescriptionReader(const TQuickIni& ini, const SkinBitmapLoader& loadBitmap, SkinObjectSet& set)
        : ini_(ini), loadBitmap_(loadBitmap), set_(set) {}

    void Read() {
        ini_.ReadSections(&sections_);
        set_.SkinName = Text("TitlebarSkin", "SkinName");
        ReadBorders();
        ReadColours();
        ReadCaptionButtons();
        ReadButtons();
        ReadTitle();
        ReadElements();
        SettleFrameCounts();
        set_.ComboLooksPending = true;
        BuildToolbarBackground(set_);
        set_.Colours[scCaption] = set_.CaptionColour();
        set_.ButtonFaceBrush.reset(CreateSolidBrush(ui::ColorToRgb(set_.Colours[scButtonFace])));
    }

private:
    std::string Text(std::string_view section, std::string_view key) const {
        return ini_.ReadString(section, key, "");
    }
    int32_t Int(std::string_view section, std::string_view key, int32_t defaultValue) const {
        return ini_.ReadInteger(section, key, defaultValue);
    }
    ui::Color Colour(std::string_view section, std::string_view key, ui::Color defaultValue) const {
        return ParseColour(Text(section, key), defaultValue);
    }
    void LoadBitmap(ui::Bitmap& bitmap, std::string_view section, std::string_view key) const {
        loadBitmap_(bitmap, Text(section, key));
    }
    ui::Color ButtonText() const { return set_.Colours[scButtonText]; }

    void ReadBorders() {
        for (const BorderRow& row : kBorders) {
            const std::string name(row.name);
            auto border = std::make_unique<TDataSkinBorder>(name);
            LoadBitmap(border->Bitmap, "Personality", name);
            border->Frame = Int("Personality", name + "Frame", 1);
            border->Tile = std::min(Int("Personality", name + "Stretch", 1), 1);
            border->Trans = Int("Personality", name + "Trans", 1);
            const int32_t first = Int("Personality", name + "TopHeight", 0);
            const int32_t second = Int("Personality", name + "BotHeight", 0);
            border->Margins = row.alongHeight ? RECT{0, first, 0, second} : RECT{first, 0, second, 0};
            set_.*row.slot = std::move(border);
        }
    }

    void ReadColours() {
        for (const ColourKey& entry : kColourKeys) {
            // Menubar's default is the ButtonFace value just read.
            const ui::Color fallback = entry.index == scMenubar ? set_.Colours[scButtonFace] : set_.Colours[entry.index];
            const std::string text = Text("Colours", entry.key);
            set_.ColourGiven[entry.index] = !text.empty();
            set_.Colours[entry.index] = ParseColour(text, fallback);
        }
        set_.SectionColours.clear();
        for (const std::string& section : sections_) {
            const std::string upper = Upper(section);
            if (StartsWith(upper, "COLOUR") && upper != "COLOURS") {
                set_.SectionColours.push_back(Colour(section, "color", ui::SystemColor(COLOR_WINDOWTEXT)));
            }
        }
        for (size_t i = 0; i < set_.CustomColours.size(); ++i) {
            set_.CustomColours[i] = Colour("Customcolors", "Color" + std::to_string(i), ui::clWhite);
        }
    }

    static bool IsCaptionButtonName(const std::string& upper) {
        static constexpr std::string_view kExcluded[] = {"BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX", "BUTTON"};
        return StartsWith(upper, "BUTTON") && std::ranges::find(kExcluded, upper) == std::end(kExcluded);
    }

    void ReadCaptionButtons() {
        std::vector<std::string> kept;
        for (const std::string& section : sections_) {
            if (!IsCaptionButtonName(Upper(section))) {
                continue;
            }
            // A hidden, action-less button does not count.
            if (Int(section, "Action", 0) == -1 && Int(section, "Visibility", -1) != 0) {
                continue;
            }
            kept.push_back(section);
        }

        set_.CaptionButtons.clear();
        std::optional<POINT> rememberedPosition;
        for (const std::string& section : kept) {
            auto button = std::make_unique<TDataSkinSysButton>(Upper(section));
            button->Action = Int(section, "Action", 0);
            button->Align = Int(section, "Align", 0);
            button->Xcoord = Int(section, "Xcoord", 0);
            button->Ycoord = Int(section, "Ycoord", 0);
            button->Visibility = Int(section, "Visibility", 0);
            button->Visibility1 = Int(section, "Visibility1", button->Action == -1 ? -1 : 0);
            if (button->Action == 1 && button->Visibility == 2) {
                rememberedPosition = POINT{button->Xcoord, button->Ycoord};
            } else if (button->Action == 4 && rememberedPosition) {
                // Before any such button there is nothing to take: it keeps its own place.
                button->Xcoord = rememberedPosition->x;
                button->Ycoord = rememberedPosition->y;
            }
            button->CombineOp = Int(section, "CombineOp", -1);
            button->Frame = Int(section, "frame", 0);
            LoadBitmap(button->Bitmap, section, "ButtonImage");
            if (button->Frame == 0) {
                button->Frame = 6;
                if (!button->Bitmap.Empty()) {
                    const double ratio = double(button->Bitmap.Width()) / double(button->Bitmap.Height());
                    button->Frame = ratio <= 3.8 && button->Action >= 0 ? 3 : 6;
                }
                if (button->Action == 3 || button->Action == 11) {
                    button->Bitmap.Clear();  // these draw the window icon
                }
            }
            set_.CaptionButtons.push_back(std::move(button));
        }

        for (int32_t action : {7, 8, 9}) {
            auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
            button->Action = action;
            button->Align = button->Visibility = button->Visibility1 = kMdiButtonMarker;
            button->Frame = 4;
            set_.CaptionButtons.push_back(std::move(button));
        }
        CutMdiButtons();
    }

    // The MDI image holds the three buttons side by side, 4 cells of width div 12 each.
    void CutMdiButtons() {
        ui::Bitmap image;
        LoadBitmap(image, "MDICONTROLS", "Image");
        if (image.Empty()) {
            return;
        }
        const int cell = image.Width() / 12;
        const size_t first = set_.CaptionButtons.size() - 3;
        for (int i = 0; i < 3; ++i) {
            TDataSkinSysButton& button = *set_.CaptionButtons[first + size_t(i)];
            button.Bitmap = CopyColumns(image, 4 * cell * i, 4 * cell);
            button.Xcoord = (cell + 4) * (3 - i);
        }
    }

    static ui::Bitmap CopyColumns(ui::Bitmap& source, int left, int width) {
        ui::Bitmap part = ui::Bitmap::InMemory(width, source.Height(), ui::PixelFormat::Bit24);
        if (part.Empty()) {
            return part;
        }
        source.SetFormat(ui::PixelFormat::Bit24);
        for (int y = 0; y < source.Height(); ++y) {
            std::copy_n(source.ScanLine(y) + size_t(left) * 3, size_t(width) * 3, part.ScanLine(y));
        }
        return part;
    }

    void ReadStateColours(TDataSkinObject& object, std::string_view section) const {
        object.NormalColour = Int(section, "NormalColour", -1);
        object.MouseOverColour = Int(section, "MouseOverColour", -1);
        object.PressedColour = Int(section, "PressedColour", -1);
        object.NormalColour2 = Colour(section, "NormalColour2", ButtonText());
        object.MouseOverColour2 = Colour(section, "MouseOverColour2", ButtonText());
        object.PressedColour2 = Colour(section, "PressedColour2", ButtonText());
    }

    void ReadMargins(TDataSkinObject& object, std::string_view section) const {
        object.Margins = RECT{Int(section, "LeftWidth", 0), Int(section, "TopHeight", 0),
                              Int(section, "RightWidth", 0), Int(section, "BottomHeight", 0)};
    }

    void ReadButtons() {
        auto buttons = std::make_unique<TDataSkinButton>("Buttons");
        constexpr std::string_view s = "Buttons";
        ReadMargins(*buttons, s);
        buttons->Trans = Int(s, "Trans", 0);
        LoadBitmap(buttons->Bitmap, s, "Bitmap");
        const int32_t tile = Int(s, "Tile", 0);
        buttons->Tile = tile > 1 ? 0 : tile;
        LoadBitmap(buttons->CheckBitmap, s, "CheckButton");
        LoadBitmap(buttons->RadioBitmap, s, "RadioButton");
        ReadStateColours(*buttons, s);
        buttons->RadioButtonFrame = Int(s, "RadioButtonFrame", 0);
        buttons->CheckButtonFrame = Int(s, "CheckButtonFrame", 0);
        buttons->HasNormalColour2 = !Text(s, "NormalColour2").empty();
        buttons->HasMouseOverColour2 = !Text(s, "MouseOverColour2").empty();
        buttons->HasPressedColour2 = !Text(s, "PressedColour2").empty();
        set_.Buttons = std::move(buttons);
    }

    // A colour given as three integer keys, each taken modulo 256; none unless all three are given.
    std::optional<ui::Color> ColourFromParts(std::string_view key) const {
        const std::string name(key);
        const int32_t r = Int("Personality", name + "R", -1);
        const int32_t g = Int("Personality", name + "G", -1);
        const int32_t b = Int("Personality", name + "B", -1);
        if (r < 0 || g < 0 || b < 0) {
            return std::nullopt;
        }
        return ui::Color((r % 256) | (g % 256) << 8 | (b % 256) << 16);
    }

    void ReadTitle() {
        auto title = std::make_unique<TDataSkinTitle>("Title");
        constexpr std::string_view p = "Personality";
        LoadBitmap(title->Bitmap, p, "TextBack");
        title->Margins = RECT{Int(p, "TextShift", 0), Int(p, "TextShiftVert", 0), Int(p, "TextRightClip", 0), 0};
        title->TextAlignment = Int(p, "TextAlignment", 0);
        title->Textbackground = Int(p, "Textbackground", 0);
        title->TXTBackleft = Int(p, "TXTBackleft", 0);
        title->TXTBackRight = Int(p, "TXTBackRight", 0);
        title->FontHeight = Int("Fonts", "FontHeight", 14);
        title->ActiveText = ColourFromParts("ActiveText").value_or(TDataSkinTitle::kNoColour);
        title->InActiveText = ColourFromParts("InActiveText").value_or(TDataSkinTitle::kNoColour);
        set_.Title = std::move(title);
    }

    template <class T>
    std::unique_ptr<T> LoadElement(const ElementRow& row) const {
        const std::string_view s = row.section;
        const std::string imageKey = row.loader == Loader::Progress  ? "Bitmap"
                                     : row.loader == Loader::MenuBar ? "menuBar"
                                                                     : "Image";
        const std::string image = Text(s, imageKey);
        if (image.empty()) {
            return nullptr;
        }
        auto object = std::make_unique<T>(std::string(s));
        loadBitmap_(object->Bitmap, image);
        if (row.loader == Loader::MenuBar) {
            const int32_t tile = Int(s, "TileMenu", 1);
            object->Tile = tile > 1 ? 1 : tile;
            object->Margins = RECT{Int(s, "TileLeftMenu", 1), 0, Int(s, "TileRightMenu", 1), 0};
            return object;
        }
        object->Style = Int(s, "Style", 0);
        ReadMargins(*object, s);
        object->Trans = Int(s, "Trans", 0);
        const int32_t tile = Int(s, "Tile", 0);
        if (row.loader == Loader::Progress) {
            object->Tile = tile > 1 ? 1 : tile;
            return object;
        }
        object->Tile = tile > 1 ? 0 : tile;
        ReadStateColours(*object, s);
        if (row.loader == Loader::Generic) {
            object->Frame = Int(s, "Frame", 0);
        }
        if constexpr (std::is_same_v<T, TDataSkinBorder>) {
            if (!row.secondKey.empty()) {
                const std::string second = Text(s, row.secondKey);
                if (!second.empty()) {
                    loadBitmap_(object->Bitmap2, second);
                }
            }
        }
        if constexpr (std::is_same_v<T, TDataSkinBoxLabel>) {
            object->BackgroundAlignment = Int(s, "BackgroundAlignment", 0);
            object->BackgroundLeftShift = Int(s, "BackgroundLeftShift", 0);
            object->BackgroundRightShift = Int(s, "BackgroundRightShift", 0);
        }
        return object;
    }

    void ReadElements() {
        for (const ElementRow& row : kElements) {
            std::visit(
                [&](auto member) {
                    using Object = typename std::remove_reference_t<decltype(set_.*member)>::element_type;
                    set_.*member = LoadElement<Object>(row);
                },
                row.slot);
            AfterElement(row);
        }
    }

    void AfterElement(const ElementRow& row) {
        if (row.slot == ElementSlot(&SkinObjectSet::TabPane) && set_.TabPane) {
            RECT& m = set_.TabPane->Margins;
            m = RECT{std::min<LONG>(m.left, 4), std::min<LONG>(m.top, 4), std::min<LONG>(m.right, 4),
                     std::min<LONG>(m.bottom, 4)};
        } else if (row.slot == ElementSlot(&SkinObjectSet::SunkEdge) && set_.ComboButton &&
                   !set_.ComboButton->Empty()) {
            // For combo boxes with the scroll bar on the left. The skin's strip
            // has 4 cells (the count it is given once everything is read).
            set_.ComboButton->Bitmap2 = set_.ComboButton->Bitmap;
            MirrorCells(set_.ComboButton->Bitmap2, 4);
        } else if (row.slot == ElementSlot(&SkinObjectSet::Track)) {
            EnsureBuiltIn(set_.Track, "Track", kTrackResource);
        } else if (row.slot == ElementSlot(&SkinObjectSet::TrackVert)) {
            EnsureBuiltIn(set_.TrackVert, "TRACKVERT", kTrackVertResource);
        }
    }

    static void EnsureBuiltIn(std::unique_ptr<TDataSkinObject>& slot, const char* name, const wchar_t* resource) {
        if (slot) {
            return;
        }
        slot = std::make_unique<TDataSkinObject>(name);
        LoadBuiltInBitmap(resource, slot->Bitmap);
        slot->Margins = RECT{3, 3, 3, 3};
        slot->Tile = 0;
        slot->Frame = 1;
    }

    void SettleFrameCounts() {
        set_.Buttons->Frame = 5;
        set_.Title->Frame = 2;
        for (const ElementRow& row : kElements) {
            TDataSkinObject* object = ObjectAt(set_, row.slot);
            if (object == nullptr) {
                continue;
            }
            switch (row.rule) {
            case FrameRule::Fixed:
                object->Frame = row.frames;
                break;
            case FrameRule::AsRead:
                break;
            case FrameRule::FiveWhenZero:
                if (object->Frame == 0) {
                    object->Frame = 5;
                }
                break;
            case FrameRule::ByStyle:
                object->Frame = object->Style != 0 ? 1 : 2;
                break;
            case FrameRule::FrameCountKey:
                object->Frame = Int(row.section, "FrameCount", 3);
                break;
            }
        }
        TDataSkinButton& buttons = *set_.Buttons;
        buttons.RadioButtonFrame = StripFrames(buttons.RadioButtonFrame, buttons.RadioBitmap);
        buttons.CheckButtonFrame = StripFrames(buttons.CheckButtonFrame, buttons.CheckBitmap);

        // Painters divide by these: whatever the skin says, at least one cell.
        for (TDataSkinObject* object : set_.AllObjects()) {
            object->Frame = std::max(object->Frame, 1);
        }
        buttons.RadioButtonFrame = std::max(buttons.RadioButtonFrame, 1);
        buttons.CheckButtonFrame = std::max(buttons.CheckButtonFrame, 1);
    }

    // A check or radio strip without a count: cells of 13 pixels for small
    // pictures, 16 otherwise, at least 4.
    static int32_t StripFrames(int32_t given, const ui::Bitmap& strip) {
        if (given != 0) {
            return given;
        }
        const int cell = strip.Height() < 16 ? 13 : 16;
        return std::max(strip.Width() / cell, 4);
    }

    const TQuickIni& ini_;
    const SkinBitmapLoader& loadBitmap_;
    SkinObjectSet& set_;
    std::vector<std::string> sections_;
};

} // namespace

void ReadSkinDescription(const TQuickIni& ini, const SkinBitmapLoader& loadBitmap, SkinObjectSet& set) {
    DescriptionReader(ini, loadBitmap, set).Read();
}

} // namespace skin
