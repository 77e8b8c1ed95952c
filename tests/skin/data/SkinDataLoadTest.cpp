// Loading skins packed in the test: the data objects, margins, frame counts,
// caption buttons, colour tables and generated objects a description implies.

#include "skin/data/SkinData.h"

#include <gtest/gtest.h>

#include "skin/data/SkinReader.h"
#include "tests/skin/data/SkinDataFixtures.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using skin::TDataSkinObject;
using skin::TSkinData;
using skintest::Bytes;
using skintest::Rgb;
using skintest::SkinUnderTest;

const Bytes kPicture = skintest::SolidBmp(20, 10, {90, 90, 90});

std::unique_ptr<SkinUnderTest> LoadSkin(const std::string& description,
                                        const std::map<std::string, Bytes>& pictures = {{"p.bmp", kPicture}}) {
    auto skin = std::make_unique<SkinUnderTest>();
    EXPECT_TRUE(skin->Load(skintest::SkinFile(description, pictures))) << description;
    EXPECT_FALSE((*skin)->NotLoaded());
    return skin;
}

RECT Rect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

using Member = std::function<const TDataSkinObject*(const TSkinData&)>;
#define MEMBER(name) [](const TSkinData& d) -> const TDataSkinObject* { return d.name.get(); }

TEST(SkinDataLoad, FrameCountsFollowEachElementsRule) {
    const struct {
        const char* description;
        Member member;
        int32_t frames;
    } cases[] = {
        {"[Headerbar]\nImage=p.bmp\nFrame=4", MEMBER(Headerbar), 4},
        {"[Headerbar]\nImage=p.bmp", MEMBER(Headerbar), 5},
        {"[MenuItem]\nImage=p.bmp\nFrame=2", MEMBER(MenuItem), 5},
        {"[Progress]\nBitmap=p.bmp\nStyle=1", MEMBER(Progress), 1},
        {"[Progress]\nBitmap=p.bmp", MEMBER(Progress), 2},
        {"[Progress.Chunk]\nImage=p.bmp\nFrame=3", MEMBER(ProgressChunk), 3},
        {"[Scrollbar]\nImage=p.bmp\nFrame=2", MEMBER(Scrollbar), 23},
        {"[HorzScroll]\nImage=p.bmp", MEMBER(HorzScroll), 4},
        {"[VertScrollThumb]\nImage=p.bmp\nFrameCount=7\nFrame=2", MEMBER(VertScrollThumb), 7},
        {"[HorzScrollThumb]\nImage=p.bmp", MEMBER(HorzScrollThumb), 3},
        {"[Tabs]\nImage=p.bmp\nFrame=9", MEMBER(Tabs), 5},
        {"[UpDown.Vert]\nImage=p.bmp", MEMBER(UpDownVert), 8},
        {"[GroupBox]\nImage=p.bmp", MEMBER(GroupBox), 1},
        {"[GroupBoxEdge]\nImage=p.bmp", MEMBER(GroupBoxEdge), 2},
        {"[StatusBarEdges]\nImage=p.bmp", MEMBER(StatusBarEdges), 3},
        {"[Tab.Pane]\nImage=p.bmp\nFrame=3", MEMBER(TabPane), 1},
        {"[ToolBars]\nImage=p.bmp", MEMBER(ToolBars), 5},
        {"[ComboButton]\nImage=p.bmp", MEMBER(ComboButton), 4},
        {"[ExtraImages]\nImage=p.bmp", MEMBER(ExtraImages), 5},
        {"[MenuBackground]\nImage=p.bmp", MEMBER(MenuBackground), 1},
        {"[Trackbar.ThumbDown]\nImage=p.bmp", MEMBER(TrackbarThumbDown), 5},
        {"[Personality]\nmenuBar=p.bmp", MEMBER(MenuBar), 2},
        {"[Track]\nImage=p.bmp\nFrame=3", MEMBER(Track), 3},
        {"", MEMBER(Buttons), 5},
        {"", MEMBER(Title), 2},
        {"[Personality]\nTopFrame=3", MEMBER(TopBorder), 3},
        // Counts a painter divides by are never below 1, whatever the skin says.
        {"[Progress.Chunk]\nImage=p.bmp", MEMBER(ProgressChunk), 1},
        {"[Track]\nImage=p.bmp\nFrame=-2", MEMBER(Track), 1},
        {"[HorzScrollThumb]\nImage=p.bmp\nFrameCount=0", MEMBER(HorzScrollThumb), 1},
        {"[Personality]\nLeftFrame=0", MEMBER(LeftBorder), 1},
        {"[Headerbar]\nImage=p.bmp\nFrame=-5", MEMBER(Headerbar), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        auto skin = LoadSkin(c.description);
        const TDataSkinObject* object = c.member(*skin->data);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->Frame, c.frames);
    }
}

TEST(SkinDataLoad, ElementsWithoutAnImageKeyAreAbsent) {
    auto skin = LoadSkin("[Headerbar]\nImage=\nFrame=4\n[MenuItem]\nStyle=1\n[Progress]\nImage=p.bmp\n"
                         "[Tabs]\nImage=missing.bmp\n");
    skin->data->EnsureComboLooks();
    const TSkinData& d = *skin->data;
    EXPECT_EQ(d.Headerbar, nullptr);  // an empty value is no image
    EXPECT_EQ(d.MenuItem, nullptr);
    EXPECT_EQ(d.Progress, nullptr);   // its image key is Bitmap
    ASSERT_NE(d.Tabs, nullptr);       // a name the package lacks: present, empty
    EXPECT_TRUE(d.Tabs->Empty());
    for (const TDataSkinObject* absent : std::initializer_list<const TDataSkinObject*>{d.ProgressChunk.get(), d.MenuBar.get(), d.GroupBoxEdge.get(), d.StatusBarEdges.get(),
                               d.TabPane.get(), d.ToolBars.get(), d.ComboButton.get(), d.SunkEdge.get(),
                               d.ExtraImages.get(), d.MenuBackground.get(), d.Scrollbar.get(), d.HorzScroll.get(),
                               d.VertScroll.get(), d.HorzScrollThumb.get(), d.VertScrollThumb.get(),
                               d.TrackbarThumbHorz.get(), d.TrackbarThumbUp.get(), d.UpDownHorz.get()}) {
        EXPECT_EQ(absent, nullptr);
    }
    EXPECT_EQ(d.GroupBox, nullptr);
    for (const TDataSkinObject* present : std::initializer_list<const TDataSkinObject*>{d.Buttons.get(), d.Title.get(),
                                d.LeftBorder.get(), d.RightBorder.get(), d.TopBorder.get(), d.BottomBorder.get(),
                                d.Track.get(), d.TrackVert.get(), d.Toolbar.get(), d.ComboxArrow.get()}) {
        EXPECT_NE(present, nullptr);
    }
}

// Without [Track] and [TRACKVERT] the program's own channel pictures serve.
TEST(SkinDataLoad, TrackPicturesAreBuiltInWhenTheSkinHasNone) {
    auto skin = LoadSkin("[TRACKVERT]\nImage=p.bmp\nLeftWidth=1\n");
    const TSkinData& d = *skin->data;
    ASSERT_NE(d.Track, nullptr);
    EXPECT_EQ(d.Track->Name, "Track");
    EXPECT_EQ(d.Track->Bitmap.Width(), 16);
    EXPECT_EQ(d.Track->Bitmap.Height(), 8);
    EXPECT_TRUE(SameRect(d.Track->Margins, Rect(3, 3, 3, 3)));
    EXPECT_EQ(d.Track->Tile, 0);
    EXPECT_EQ(d.Track->Frame, 1);
    ASSERT_NE(d.TrackVert, nullptr);  // the skin's own
    EXPECT_EQ(d.TrackVert->Bitmap.Width(), 20);
    EXPECT_EQ(d.TrackVert->Margins.left, 1);
}

TEST(SkinDataLoad, LoaderKindsReadTheirKeys) {
    auto skin = LoadSkin(
        "[ProgressChunk]\n"
        "[Progress.Chunk]\nImage=p.bmp\nStyle=3\nLeftWidth=1\nTopHeight=2\nRightWidth=3\nBottomHeight=4\n"
        "Trans=1\nTile=5\nNormalColour=$FF\nPressedColour=7\nMouseOverColour2=1 2 3\n"
        "[Progress]\nBitmap=p.bmp\nTile=5\nLeftWidth=6\nNormalColour=5\n"
        "[Personality]\nmenuBar=p.bmp\nTileMenu=7\nTileLeftMenu=11\n"
        "[Tabs]\nImage=p.bmp\nBorder=b.bmp\n"
        "[UpDown.Horz]\nImage=p.bmp\n"
        "[GroupBox]\nImage=p.bmp\nBackgroundAlignment=2\nBackgroundLeftShift=3\nBackgroundRightShift=4\nFrame=9\n"
        "[Colours]\nButtonText=9 8 7\n",
        {{"p.bmp", kPicture}, {"b.bmp", skintest::SolidBmp(3, 5, {1, 1, 1})}});
    const TSkinData& d = *skin->data;
    const ui::Color buttonText = 9 | 8 << 8 | 7 << 16;

    const TDataSkinObject& chunk = *d.ProgressChunk;
    EXPECT_EQ(chunk.Name, "Progress.Chunk");
    EXPECT_EQ(chunk.Style, 3);
    EXPECT_TRUE(SameRect(chunk.Margins, Rect(1, 2, 3, 4)));
    EXPECT_EQ(chunk.Trans, 1);
    EXPECT_EQ(chunk.Tile, 0);  // above 1 means no tiling
    EXPECT_EQ(chunk.NormalColour, 255);
    EXPECT_EQ(chunk.MouseOverColour, -1);
    EXPECT_EQ(chunk.PressedColour, 7);
    EXPECT_EQ(chunk.NormalColour2, buttonText);
    EXPECT_EQ(chunk.MouseOverColour2, 1 | 2 << 8 | 3 << 16);
    EXPECT_EQ(chunk.Bitmap.Width(), 20);

    EXPECT_EQ(d.Progress->Tile, 1);  // the progress kind keeps 1 instead
    EXPECT_EQ(d.Progress->Margins.left, 6);
    EXPECT_EQ(d.Progress->NormalColour, -1);  // and reads no colours

    EXPECT_EQ(d.MenuBar->Name, "Personality");
    EXPECT_EQ(d.MenuBar->Tile, 1);
    EXPECT_TRUE(SameRect(d.MenuBar->Margins, Rect(11, 0, 1, 0)));

    EXPECT_EQ(d.Tabs->Bitmap2.Width(), 3);
    EXPECT_TRUE(d.UpDownHorz->Bitmap2.Empty());

    EXPECT_EQ(d.GroupBox->BackgroundAlignment, 2);
    EXPECT_EQ(d.GroupBox->BackgroundLeftShift, 3);
    EXPECT_EQ(d.GroupBox->BackgroundRightShift, 4);
    EXPECT_EQ(d.GroupBox->Frame, 1);
}

TEST(SkinDataLoad, TabPaneMarginsAreCappedAtFour) {
    auto skin = LoadSkin("[Tab.Pane]\nImage=p.bmp\nLeftWidth=9\nTopHeight=4\nRightWidth=2\nBottomHeight=40\n");
    EXPECT_TRUE(SameRect(skin->data->TabPane->Margins, Rect(4, 4, 2, 4)));
}

TEST(SkinDataLoad, BitmapKeysNameLowerCaseBmpEntriesAfterAnyPath) {
    const struct {
        const char* value;
        bool found;
    } cases[] = {
        {"Buttons.BMP", false},  // the extension is compared exactly
        {"skins\\Buttons.bmp", true},
        {"c:Buttons.bmp", true},
        {"BUTTONS.bmp", true},
        {"Buttons", false},
        {"other.bmp", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        auto skin = LoadSkin(std::string("[Buttons]\nBitmap=") + c.value, {{"buttons.bmp", kPicture}});
        EXPECT_EQ(!skin->data->Buttons->Bitmap.Empty(), c.found);
    }
}

// A damaged picture is an empty bitmap; the rest of the skin loads.
TEST(SkinDataLoad, DamagedPictureEntriesGiveEmptyBitmaps) {
    const Bytes cut(kPicture.begin(), kPicture.end() - 10);
    const Bytes notBmp = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
    auto skin = LoadSkin("[Headerbar]\nImage=cut.bmp\n[MenuItem]\nImage=gif.bmp\n[ToolBars]\nImage=p.bmp\n",
                         {{"cut.bmp", cut}, {"gif.bmp", notBmp}, {"p.bmp", kPicture}});
    const TSkinData& d = *skin->data;
    ASSERT_NE(d.Headerbar, nullptr);
    EXPECT_TRUE(d.Headerbar->Empty());
    ASSERT_NE(d.MenuItem, nullptr);
    EXPECT_TRUE(d.MenuItem->Empty());
    EXPECT_FALSE(d.ToolBars->Empty());
}

TEST(SkinDataLoad, FrameBordersReadTheirPersonalityKeys) {
    auto skin = LoadSkin("[Personality]\nLeft=p.bmp\nLeftFrame=2\nLeftTopHeight=5\nLeftBotHeight=6\nLeftStretch=3\n"
                         "LeftTrans=0\nTop=p.bmp\nTopTopHeight=7\nTopBotHeight=8\nTopStretch=0\n");
    const TSkinData& d = *skin->data;
    EXPECT_EQ(d.LeftBorder->Name, "Left");
    EXPECT_EQ(d.LeftBorder->Frame, 2);
    EXPECT_TRUE(SameRect(d.LeftBorder->Margins, Rect(0, 5, 0, 6)));
    EXPECT_EQ(d.LeftBorder->Tile, 1);
    EXPECT_EQ(d.LeftBorder->Trans, 0);
    EXPECT_TRUE(SameRect(d.TopBorder->Margins, Rect(7, 0, 8, 0)));  // along the strip
    EXPECT_EQ(d.TopBorder->Tile, 0);
    EXPECT_EQ(d.TopBorder->Trans, 1);
    EXPECT_EQ(d.TopBorder->Frame, 1);
    EXPECT_TRUE(d.RightBorder->Empty());
    EXPECT_EQ(d.RightBorder->Frame, 1);
}

// The caption colour is the pixel a third across and a third down the top
// border's first frame; a frame count of 0 counts as 1.
TEST(SkinDataLoad, CaptionColourProbesTheTopBordersFirstFrame) {
    // 30 x 20: (10, 6) and (10, 3) are the two probes, each its own colour.
    const Bytes top = skintest::Bmp24(30, 20, [](int x, int y) {
        if (x == 10 && y == 6) return Rgb{1, 2, 3};
        if (x == 10 && y == 3) return Rgb{4, 5, 6};
        return Rgb{200, 200, 200};
    });
    const struct {
        const char* frame;
        Rgb expected;
    } cases[] = {{"", {1, 2, 3}}, {"TopFrame=1", {1, 2, 3}}, {"TopFrame=0", {1, 2, 3}}, {"TopFrame=2", {4, 5, 6}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        auto skin = LoadSkin(std::string("[Personality]\nTop=top.bmp\n") + c.frame, {{"top.bmp", top}});
        EXPECT_EQ(skin->data->CaptionColour(), skintest::ColorOf(c.expected));
        EXPECT_EQ(skin->data->Colours[skin::scCaption], skintest::ColorOf(c.expected));
    }
    auto plain = LoadSkin("[Colours]\nButtonFace=7 8 9\n");
    EXPECT_EQ(plain->data->Colours[skin::scCaption], 7 | 8 << 8 | 9 << 16);
}

TEST(SkinDataLoad, ColourTableTakesTheSkinsColoursAndFlagsThem) {
    auto skin = LoadSkin("[Colours]\nButtonFace=10 20 30\nWindowText=1,2,3\nHilight=300 0 0\nScrollbar=\n"
                         "TitleTextNoActive=4 5 6\n");
    const TSkinData& d = *skin->data;
    const ui::Color face = 10 | 20 << 8 | 30 << 16;
    EXPECT_EQ(d.Colours[skin::scButtonFace], face);
    EXPECT_TRUE(d.ColourGiven[skin::scButtonFace]);
    EXPECT_EQ(d.Colours[skin::scWindowText], 1 | 2 << 8 | 3 << 16);
    EXPECT_EQ(d.Colours[skin::scHilight], 44);  // only the lowest 8 bits count
    EXPECT_EQ(d.Colours[skin::scTitleTextNoActive], 4 | 5 << 8 | 6 << 16);
    // Absent or empty: the default, flag cleared.
    EXPECT_EQ(d.Colours[skin::scScrollbar], ui::SystemColor(COLOR_SCROLLBAR));
    EXPECT_FALSE(d.ColourGiven[skin::scScrollbar]);
    EXPECT_EQ(d.Colours[skin::scButtonlight], ui::SystemColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.Colours[skin::scButtonHilight], ui::SystemColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.Colours[skin::scButtonDkShadow], ui::SystemColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(d.Colours[skin::scMenu], ui::SystemColor(COLOR_MENU));
    // Menubar follows the skin's ButtonFace, not a system colour.
    EXPECT_EQ(d.Colours[skin::scMenubar], face);
    EXPECT_FALSE(d.ColourGiven[skin::scMenubar]);
    // The brush is of the ButtonFace colour.
    LOGBRUSH brush{};
    ASSERT_NE(GetObjectW(d.ButtonFaceBrush.get(), sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbColor, COLORREF(face));

    auto given = LoadSkin("[Colours]\nButtonFace=10 20 30\nMenubar=5 5 5\n");
    EXPECT_EQ(given->data->Colours[skin::scMenubar], 5 | 5 << 8 | 5 << 16);
    EXPECT_TRUE(given->data->ColourGiven[skin::scMenubar]);
}

TEST(SkinDataLoad, SectionAndCustomColours) {
    auto skin = LoadSkin("[Colour1]\ncolor=1 2 3\n[COLOURS]\nButtonFace=1 1 1\n[colourX]\nother=1\n"
                         "[Colour9]\ncolor=7 7 7\n[Customcolors]\nColor3=5 6 7\nColor10=1 1 1\n");
    const TSkinData& d = *skin->data;
    EXPECT_EQ(d.SectionColours,
              (std::vector<ui::Color>{1 | 2 << 8 | 3 << 16, ui::SystemColor(COLOR_WINDOWTEXT), 7 | 7 << 8 | 7 << 16}));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(d.CustomColours[size_t(i)], i == 3 ? (5 | 6 << 8 | 7 << 16) : ui::clWhite) << i;
    }
}

TEST(SkinDataLoad, ButtonsObject) {
    auto skin = LoadSkin("[Buttons]\nBitmap=p.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\nLeftWidth=3\n"
                         "RightWidth=4\nTopHeight=5\nBottomHeight=6\nTrans=1\nTile=2\nNormalColour=12\n"
                         "NormalColour2=1 1 1\nPressedColour2=\nCheckButtonFrame=3\n",
                         {{"p.bmp", kPicture},
                          {"check.bmp", skintest::SolidBmp(39, 13, {0, 0, 0})},
                          {"radio.bmp", skintest::SolidBmp(96, 16, {0, 0, 0})}});
    const skin::TDataSkinButton& b = *skin->data->Buttons;
    EXPECT_EQ(b.Name, "Buttons");
    EXPECT_TRUE(SameRect(b.Margins, Rect(3, 5, 4, 6)));
    EXPECT_EQ(b.Trans, 1);
    EXPECT_EQ(b.Tile, 0);
    EXPECT_EQ(b.NormalColour, 12);
    EXPECT_TRUE(b.HasNormalColour2);
    EXPECT_FALSE(b.HasMouseOverColour2);
    EXPECT_FALSE(b.HasPressedColour2);
    EXPECT_EQ(b.NormalColour2, 1 | 1 << 8 | 1 << 16);
    EXPECT_EQ(b.PressedColour2, ui::SystemColor(COLOR_BTNTEXT));
    EXPECT_EQ(b.CheckButtonFrame, 3);
    EXPECT_EQ(b.RadioButtonFrame, 6);  // 96 / 16
}

// A check or radio strip without a count: 13-pixel cells below 16 pixels
// high, 16-pixel cells otherwise, at least 4.
TEST(SkinDataLoad, CheckAndRadioFrameCountsFromTheirWidth) {
    const struct {
        int width, height, frames;
    } cases[] = {{65, 13, 5}, {96, 16, 6}, {39, 13, 4}, {20, 20, 4}, {0, 0, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        std::map<std::string, Bytes> pictures;
        if (c.width > 0) {
            pictures["radio.bmp"] = skintest::SolidBmp(c.width, c.height, {0, 0, 0});
        }
        auto skin = LoadSkin("[Buttons]\nRadioButton=radio.bmp\nCheckButton=radio.bmp\n", pictures);
        EXPECT_EQ(skin->data->Buttons->RadioButtonFrame, c.frames);
        EXPECT_EQ(skin->data->Buttons->CheckButtonFrame, c.frames);
    }
}

TEST(SkinDataLoad, TitleObject) {
    auto skin = LoadSkin("[Personality]\nTextBack=p.bmp\nTextShift=3\nTextShiftVert=4\nTextRightClip=5\n"
                         "TextAlignment=1\nTextbackground=2\nTXTBackleft=6\nTXTBackRight=7\n"
                         "ActiveTextR=256\nActiveTextG=2\nActiveTextB=259\nInActiveTextR=1\nInActiveTextG=-1\n"
                         "InActiveTextB=1\n[Fonts]\nFontHeight=17\n");
    const skin::TDataSkinTitle& t = *skin->data->Title;
    EXPECT_EQ(t.Name, "Title");
    EXPECT_EQ(t.Bitmap.Width(), 20);
    EXPECT_TRUE(SameRect(t.Margins, Rect(3, 4, 5, 0)));
    EXPECT_EQ(t.TextAlignment, 1);
    EXPECT_EQ(t.Textbackground, 2);
    EXPECT_EQ(t.TXTBackleft, 6);
    EXPECT_EQ(t.TXTBackRight, 7);
    EXPECT_EQ(t.FontHeight, 17);
    EXPECT_EQ(t.ActiveText, 0 | 2 << 8 | 3 << 16);  // each part modulo 256
    EXPECT_EQ(t.InActiveText, skin::TDataSkinTitle::kNoColour);  // a negative part

    auto plain = LoadSkin("");
    EXPECT_EQ(plain->data->Title->FontHeight, 14);
    EXPECT_EQ(plain->data->Title->ActiveText, skin::TDataSkinTitle::kNoColour);
}

// One skin holding every caption-button rule.
TEST(SkinDataLoad, CaptionButtonsFromButtonSections) {
    const std::map<std::string, Bytes> pictures = {
        {"b75.bmp", skintest::SolidBmp(75, 25, {1, 1, 1})},   // ratio 3.0
        {"b150.bmp", skintest::SolidBmp(150, 25, {2, 2, 2})},  // ratio 6.0
        {"b95.bmp", skintest::SolidBmp(95, 25, {3, 3, 3})},    // ratio exactly 3.8
    };
    auto skin = LoadSkin("[Button0]\nAction=0\nButtonImage=b75.bmp\nAlign=2\n"
                         "[BUTTONS]\nAction=0\n[Button.Radio]\n[Button.CheckBox]\n[Button]\n[Buttons]\n"
                         "[Button1]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=5\nButtonImage=b150.bmp\n"
                         "[Button2]\nAction=4\nXcoord=1\nYcoord=1\nframe=2\nButtonImage=b75.bmp\nCombineOp=3\n"
                         "[Button3]\nAction=-1\nVisibility=0\nButtonImage=b75.bmp\n"
                         "[Button4]\nAction=-1\nButtonImage=b75.bmp\n"
                         "[Button5]\nAction=3\nButtonImage=b75.bmp\n"
                         "[Button6]\nAction=11\nframe=1\nButtonImage=b75.bmp\n"
                         "[buttonx]\nButtonImage=b95.bmp\nVisibility1=4\n"
                         "[Button7]\nframe=-1\n",
                         pictures);
    const auto& buttons = skin->data->CaptionButtons;
    const struct {
        const char* name;
        int32_t action, frame, x, y, visibility1, combineOp;
        bool picture;
    } expected[] = {
        {"BUTTON0", 0, 3, 0, 0, 0, -1, true},
        {"BUTTON1", 1, 6, 40, 5, 0, -1, true},
        {"BUTTON2", 4, 2, 40, 5, 0, 3, true},    // takes the remembered place
        {"BUTTON3", -1, 6, 0, 0, -1, -1, true},  // a negative action has 6 frames
        {"BUTTON5", 3, 3, 0, 0, 0, -1, false},   // draws the window icon instead
        {"BUTTON6", 11, 1, 0, 0, 0, -1, true},   // with a frame count it keeps its picture
        {"BUTTONX", 0, 3, 0, 0, 4, -1, true},
        {"BUTTON7", 0, 1, 0, 0, 0, -1, false},
        {"MDICONTROLS", 7, 4, 0, 0, 100, -1, false},
        {"MDICONTROLS", 8, 4, 0, 0, 100, -1, false},
        {"MDICONTROLS", 9, 4, 0, 0, 100, -1, false},
    };
    ASSERT_EQ(buttons.size(), std::size(expected));
    for (size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(i);
        const skin::TDataSkinSysButton& b = *buttons[i];
        EXPECT_EQ(b.Name, expected[i].name);
        EXPECT_EQ(b.Action, expected[i].action);
        EXPECT_EQ(b.Frame, expected[i].frame);
        EXPECT_EQ(b.Xcoord, expected[i].x);
        EXPECT_EQ(b.Ycoord, expected[i].y);
        EXPECT_EQ(b.Visibility1, expected[i].visibility1);
        EXPECT_EQ(b.CombineOp, expected[i].combineOp);
        EXPECT_EQ(!b.Bitmap.Empty(), expected[i].picture);
    }
    EXPECT_EQ(buttons[0]->Align, 2);
    EXPECT_EQ(buttons[8]->Align, 100);
    EXPECT_EQ(buttons[8]->Visibility, 100);
}

TEST(SkinDataLoad, OneLoadDecodesNoMorePixelsThanItsBudget) {
    // The largest picture a skin may hold, named by more sections than the
    // budget has room for: the first ones get it, the rest stay empty.
    constexpr int kSide = 2048;
    const int64_t fits = TSkinData::kMaxPixelsPerLoad / (int64_t(kSide) * kSide);
    std::string description;
    for (int64_t i = 0; i < fits + 2; ++i) {
        description += "[Button" + std::to_string(i) + "]\nAction=0\nframe=1\nButtonImage=big.bmp\n";
    }
    auto skin = LoadSkin(description, {{"big.bmp", skintest::SolidBmp(kSide, kSide, {30, 60, 90})}});
    const auto& buttons = skin->data->CaptionButtons;
    ASSERT_EQ(buttons.size(), size_t(fits + 2 + 3));
    for (int64_t i = 0; i < fits + 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(buttons[size_t(i)]->Bitmap.Width(), i < fits ? kSide : 0);
    }
}

// With nothing remembered yet a button of action 4 keeps its own place.
TEST(SkinDataLoad, ActionFourBeforeAnyRememberedPlaceKeepsItsOwn) {
    auto skin = LoadSkin("[Button0]\nAction=4\nXcoord=9\nYcoord=8\n[Button1]\nAction=1\nVisibility=2\nXcoord=1\n");
    EXPECT_EQ(skin->data->CaptionButtons[0]->Xcoord, 9);
    EXPECT_EQ(skin->data->CaptionButtons[0]->Ycoord, 8);
}

// The MDI image holds three buttons of four cells each (cell = width div 12).
TEST(SkinDataLoad, MdiButtonsAreCutFromTheMdiImage) {
    const Bytes mdi = skintest::Bmp24(50, 10, [](int x, int) { return Rgb{uint8_t(x * 5), 0, 0}; });
    auto skin = LoadSkin("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", mdi}});
    const auto& buttons = skin->data->CaptionButtons;
    ASSERT_EQ(buttons.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const ui::Bitmap& picture = buttons[size_t(i)]->Bitmap;
        EXPECT_EQ(picture.Width(), 16);
        EXPECT_EQ(picture.Height(), 10);
        EXPECT_EQ(picture.PixelAt(0, 0), 16 * i * 5);
        EXPECT_EQ(picture.PixelAt(15, 9), (16 * i + 15) * 5);
        EXPECT_EQ(buttons[size_t(i)]->Xcoord, 8 * (3 - i));
    }
}

// Bitmap2 of the combo button is its strip mirrored cell by cell: the cells
// keep their order, so frame n still shows state n.
TEST(SkinDataLoad, ComboButtonMirrorKeepsTheCellOrder) {
    auto skin = LoadSkin("[ComboButton]\nImage=combo.bmp\n[Colours]\nButtonFace=1 2 3\n",
                         {{"combo.bmp", skintest::CellStrip(5, 4, 4)}});
    const skin::TDataSkinBorder& combo = *skin->data->ComboButton;
    ASSERT_EQ(combo.Bitmap2.Width(), 20);
    for (int cell = 0; cell < 4; ++cell) {
        SCOPED_TRACE(cell);
        const auto grey = uint8_t(10 * (cell + 1));
        EXPECT_EQ(combo.Bitmap2.PixelAt(cell * 5, 0), skintest::ColorOf({grey, grey, grey}));
        EXPECT_EQ(combo.Bitmap2.PixelAt(cell * 5 + 4, 0), ui::clRed);  // the left column went right
        EXPECT_EQ(combo.Bitmap.PixelAt(cell * 5, 0), ui::clRed);      // the original is untouched
    }
    // Without a sunken edge the arrow is the button with the key colour
    // replaced by the face colour.
    skin->data->EnsureComboLooks();
    const TDataSkinObject& arrow = *skin->data->ComboxArrow;
    EXPECT_EQ(arrow.Name, "ComboxArrow");
    EXPECT_EQ(arrow.Frame, 4);
    EXPECT_EQ(arrow.Bitmap.Width(), 20);
    EXPECT_EQ(arrow.Bitmap.PixelAt(1, 0), skintest::ColorOf({10, 10, 10}));
}

TEST(SkinDataLoad, ComboArrowTakesTheFaceColourForTheKey) {
    const Bytes combo = skintest::Bmp24(8, 4, [](int x, int) { return x < 4 ? skintest::kMagenta : Rgb{9, 9, 9}; });
    auto skin = LoadSkin("[ComboButton]\nImage=combo.bmp\n[Colours]\nButtonFace=1 2 3\n", {{"combo.bmp", combo}});
    skin->data->EnsureComboLooks();
    const ui::Bitmap& arrow = skin->data->ComboxArrow->Bitmap;
    EXPECT_EQ(arrow.PixelAt(0, 0), 1 | 2 << 8 | 3 << 16);
    EXPECT_EQ(arrow.PixelAt(5, 3), skintest::ColorOf({9, 9, 9}));
}

// With a sunken edge the combo box pieces are generated: one 50 x 21 cell
// per state, field in the middle keyed out, the button on the right (and on
// the left in the sunken edge's mirrored copy).
TEST(SkinDataLoad, SunkenComboStripsAreBuiltFromSunkEdgeAndComboButton) {
    auto skin = LoadSkin("[SunkEdge]\nImage=sunk.bmp\nTopHeight=2\nBottomHeight=3\n"
                         "[ComboButton]\nImage=combo.bmp\n",
                         {{"sunk.bmp", skintest::CellStrip(10, 21, 4)},
                          {"combo.bmp", skintest::SolidBmp(40, 21, {0, 0, 200})}});
    // A load leaves them for the first combo box that is painted.
    EXPECT_TRUE(skin->data->ComboLooksPending);
    EXPECT_EQ(skin->data->ComboButton->Bitmap.Width(), 40);
    EXPECT_EQ(skin->data->ComboxArrow, nullptr);
    skin->data->EnsureComboLooks();
    EXPECT_FALSE(skin->data->ComboLooksPending);
    const TSkinData& d = *skin->data;
    const int w = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const skin::TDataSkinBorder& combo = *d.ComboButton;
    EXPECT_EQ(combo.Style, 2);
    EXPECT_TRUE(SameRect(combo.Margins, Rect(2, 2, w + 2, 3)));
    ASSERT_EQ(combo.Bitmap.Width(), 200);
    ASSERT_EQ(combo.Bitmap.Height(), 21);
    const TDataSkinObject& sunk = *d.SunkEdge;
    ASSERT_EQ(sunk.Bitmap.Width(), 200);
    EXPECT_EQ(sunk.Margins.left, w + 2);
    EXPECT_EQ(sunk.Margins.right, 2);
    EXPECT_EQ(sunk.Margins.top, 2);
    for (int b = 0; b < 4; ++b) {
        SCOPED_TRACE(b);
        const int x0 = b * 50;
        const auto grey = uint8_t(10 * (b + 1));
        EXPECT_EQ(combo.Bitmap.PixelAt(x0 + 20, 0), skintest::ColorOf({grey, grey, grey}));
        EXPECT_EQ(combo.Bitmap.PixelAt(x0 + 10, 10), skin::kKeyColour);         // the field
        EXPECT_EQ(combo.Bitmap.PixelAt(x0 + 49 - w / 2, 10), 200 << 16);        // the button
        EXPECT_EQ(sunk.Bitmap.PixelAt(x0 + 29, 0), skintest::ColorOf({grey, grey, grey}));
        EXPECT_EQ(sunk.Bitmap.PixelAt(x0 + 39, 10), skin::kKeyColour);
        EXPECT_EQ(sunk.Bitmap.PixelAt(x0 + w / 2, 10), 200 << 16);
    }
    const TDataSkinObject& arrow = *d.ComboxArrow;
    EXPECT_EQ(arrow.Bitmap.Width(), 68);
    EXPECT_EQ(arrow.Bitmap.Height(), 17);
    EXPECT_EQ(arrow.Frame, 4);
    EXPECT_EQ(arrow.Bitmap.PixelAt(16, 8), 200 << 16);  // from the button area
}

// The tool bar gradient runs from the face colour lightened to a tone of the
// caption colour: grey darkened for dull captions, lightened for saturated ones.
TEST(SkinDataLoad, ToolbarGradientFollowsTheCaptionColour) {
    const struct {
        const char* name;
        std::map<std::string, Bytes> pictures;
        Rgb top, bottom;
    } cases[] = {
        {"dull caption", {}, {247, 247, 247}, {189, 189, 189}},
        {"saturated caption", {{"top.bmp", skintest::SolidBmp(30, 20, {0, 0, 255})}}, {247, 247, 247}, {140, 140, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto skin = LoadSkin("[Colours]\nButtonFace=200 200 200\n[Personality]\nTop=top.bmp\n", c.pictures);
        const TDataSkinObject& toolbar = *skin->data->Toolbar;
        EXPECT_EQ(toolbar.Name, "Toolbar");
        EXPECT_EQ(toolbar.Frame, 1);
        ASSERT_EQ(toolbar.Bitmap.Width(), 10);
        ASSERT_EQ(toolbar.Bitmap.Height(), 40);
        EXPECT_EQ(toolbar.Bitmap.PixelAt(5, 0), skintest::ColorOf(c.top));
        const ui::Color last = toolbar.Bitmap.PixelAt(5, 39);
        for (int shift : {0, 8, 16}) {
            const int expected = shift == 0 ? c.bottom.r : shift == 8 ? c.bottom.g : c.bottom.b;
            EXPECT_NEAR((last >> shift) & 0xFF, expected, 1) << shift;
        }
    }
}

// An unknown package version is refused with the reader's message and the
// previous skin stays.
TEST(SkinDataLoad, UnknownPackageVersionKeepsThePreviousSkin) {
    auto skin = LoadSkin("[Headerbar]\nImage=p.bmp\n");
    skinpack::RawPackage raw;
    raw.Version = 10000;
    raw.NameText = "skin.ini\r\n";
    raw.Sizes = {0};
    EXPECT_FALSE(skin->Load(skinpack::MakeSkinFile(skinpack::BuildRawPackage(raw))));
    EXPECT_TRUE((*skin)->NotLoaded());
    ASSERT_EQ(skin->messages.size(), 1u);
    EXPECT_EQ(skin->messages[0], skin::TSkinReader::kOlderSkinText);
    EXPECT_NE((*skin)->Headerbar, nullptr);
}

} // namespace
