#pragma once
// The data objects a loaded skin turns into: one bitmap strip with margins,
// frame count and state colours per skinned element, and the set of all of
// them with the colour tables that painters read.

#include "skin/data/StripDrawing.h"  // kKeyColour
#include "ui/Bitmap.h"
#include "ui/Color.h"
#include "ui/Gdi.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name = {});
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;
    // The bitmaps are owned by value: destroying never fails and needs no check
    // of the memory behind them.
    virtual ~TDataSkinObject() = default;

    // Left, Top, Right, Bottom: the fixed, unstretched borders of each cell.
    RECT Margins{0, 0, 0, 0};
    ui::Bitmap Bitmap;
    int32_t Trans = 0;
    int32_t Tile = 0;
    std::string Name;
    // Cells in Bitmap. Every count read from a skin is stored as at least 1,
    // so painters may divide by it.
    int32_t Frame = 1;
    int32_t Style = 0;
    int32_t NormalColour = -1;
    int32_t MouseOverColour = -1;
    int32_t PressedColour = -1;
    ui::Color NormalColour2 = ui::clBtnText;
    ui::Color MouseOverColour2 = ui::clBtnText;
    ui::Color PressedColour2 = ui::clBtnText;

    // The frame count painters divide by: Frame, but never below 1 even for
    // an object filled by hand.
    int32_t FrameCount() const noexcept { return Frame < 1 ? 1 : Frame; }
    bool Empty() const noexcept { return Bitmap.Empty(); }
};

class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    // A second image: frame overlay, tab border, up-down glyphs, mirrored combo button.
    ui::Bitmap Bitmap2;
};

class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    ui::Bitmap CheckBitmap;
    ui::Bitmap RadioBitmap;
    int32_t RadioButtonFrame = 1;
    int32_t CheckButtonFrame = 1;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// The caption: Margins holds the text offsets (TextShift, TextShiftVert,
// TextRightClip, 0) and Bitmap the TextBack image.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    static constexpr ui::Color kNoColour = 0x1FFFFFFF;

    int32_t TextAlignment = 0;
    int32_t Textbackground = 0;
    int32_t FontHeight = 14;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    ui::Color ActiveText = kNoColour;
    ui::Color InActiveText = kNoColour;
};

class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t Xcoord = 0;
    int32_t Ycoord = 0;
    int32_t CombineOp = -1;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

// Indexes of the colour table.
enum SkinColourIndex : int {
    scWindowText = 0,
    scTitleTextActive = 1,
    scTitleTextNoActive = 2,
    scButtonFace = 3,
    scButtonText = 4,
    scButtonHilight = 5,
    scButtonlight = 6,
    scButtonShadow = 7,
    scButtonDkShadow = 8,
    scHilightText = 11,
    scHilight = 12,
    scMenubar = 13,
    scMenuBarText = 14,
    scMenuText = 15,
    scMenu = 16,
    scCaption = 17,
    scScrollbar = 18,
};
constexpr int kColourTableSize = 19;

// Everything one load of a skin produces. A load builds a fresh set and
// takes it over only when it completed, so a damaged skin never leaves a
// half-built set behind.
struct SkinObjectSet {
    SkinObjectSet();
    SkinObjectSet(SkinObjectSet&&) noexcept;
    SkinObjectSet& operator=(SkinObjectSet&&) noexcept;
    ~SkinObjectSet();

    std::string SkinName;

    // Indexed by SkinColourIndex; a flag tells whether the skin gave the colour.
    std::array<ui::Color, kColourTableSize> Colours{};
    std::array<bool, kColourTableSize> ColourGiven{};
    // One colour per COLOUR* section, in file order.
    std::vector<ui::Color> SectionColours;
    std::array<ui::Color, 10> CustomColours{};
    // A solid brush of Colours[scButtonFace], remade after every load.
    ui::UniqueBrush ButtonFaceBrush;

    // Always present.
    std::unique_ptr<TDataSkinButton> Buttons;
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinBorder> LeftBorder;
    std::unique_ptr<TDataSkinBorder> RightBorder;
    std::unique_ptr<TDataSkinBorder> TopBorder;
    std::unique_ptr<TDataSkinBorder> BottomBorder;
    std::vector<std::unique_ptr<TDataSkinSysButton>> CaptionButtons;

    // Absent (null) when the skin does not give them.
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz;
    std::unique_ptr<TDataSkinObject> TrackbarThumbVert;
    std::unique_ptr<TDataSkinObject> TrackbarThumbLeft;
    std::unique_ptr<TDataSkinObject> TrackbarThumbRight;
    std::unique_ptr<TDataSkinObject> TrackbarThumbUp;
    std::unique_ptr<TDataSkinObject> TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;

    // Present after every load (built in or generated when the skin lacks them).
    std::unique_ptr<TDataSkinObject> Track;
    std::unique_ptr<TDataSkinObject> TrackVert;
    std::unique_ptr<TDataSkinObject> Toolbar;
    // Present once EnsureComboLooks has run.
    std::unique_ptr<TDataSkinObject> ComboxArrow;

    // Composes the combo box looks on first use: ComboButton and SunkEdge
    // become the field-and-button strips and ComboxArrow the arrow cells.
    // Most windows hold no combo box, and composing them is the dearest step
    // of a load, so a load only marks them pending. Code that reads
    // ComboButton, SunkEdge or ComboxArrow calls this first.
    void EnsureComboLooks();
    bool ComboLooksPending = false;

    // The colour the caption shows: a pixel of the top border's active frame,
    // or the ButtonFace colour without a top border picture.
    ui::Color CaptionColour() const;

    // Every data object present, caption buttons last, for code that walks them all.
    std::vector<TDataSkinObject*> AllObjects();
    std::vector<const TDataSkinObject*> AllObjects() const;
};

// The colour table before any skin is read: the system colour of each index.
std::array<ui::Color, kColourTableSize> DefaultColourTable();

} // namespace skin
