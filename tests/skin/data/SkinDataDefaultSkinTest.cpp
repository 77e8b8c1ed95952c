// The default skin embedded in the program loads into a complete set of data
// objects, with the colour table its own description gives.

#include "skin/data/SkinData.h"

#include <gtest/gtest.h>

#include "skin/data/IniValues.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinReader.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using skin::TSkinData;

std::unique_ptr<TSkinData> LoadDefaultSkin() {
    auto data = std::make_unique<TSkinData>(nullptr);
    data->showMessage = [](const std::string& text) { ADD_FAILURE() << text; };
    EXPECT_TRUE(data->ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    return data;
}

// The description as the reader gives it, to compare the component against.
skin::TQuickIni DescriptionOf(const TSkinData& data) {
    skin::MemoryStream file(data.SkinFileBytes().Bytes());
    skin::TSkinReader reader;
    EXPECT_TRUE(reader.Open(file));
    skin::MemoryStream text;
    std::string name;
    reader.FindEntry(".ini", text, name);
    skin::TQuickIni ini;
    ini.LoadFromStream(&text);
    return ini;
}

TEST(SkinDataDefaultSkin, LoadsEveryElement) {
    auto data = LoadDefaultSkin();
    ASSERT_FALSE(data->NotLoaded());
    EXPECT_EQ(data->SkinName, "Vocara Light");
    for (const skin::TDataSkinObject* object : data->AllObjects()) {
        SCOPED_TRACE(object->Name);
        const bool iconButton = dynamic_cast<const skin::TDataSkinSysButton*>(object) != nullptr &&
                                static_cast<const skin::TDataSkinSysButton*>(object)->Action == 3;
        if (!iconButton) {
            EXPECT_FALSE(object->Empty());
        }
        EXPECT_GE(object->Frame, 1);
    }
    // Every element the painters draw from a picture is in the skin.
    for (const skin::TDataSkinObject* object :
         std::initializer_list<const skin::TDataSkinObject*>{
             data->Progress.get(), data->ProgressChunk.get(), data->MenuBar.get(), data->GroupBoxEdge.get(),
             data->GroupBox.get(), data->Tabs.get(), data->StatusBarEdges.get(), data->TabPane.get(),
             data->ToolBars.get(), data->ComboButton.get(), data->SunkEdge.get(), data->ExtraImages.get(),
             data->Headerbar.get(), data->MenuItem.get(), data->MenuBackground.get(), data->Scrollbar.get(),
             data->HorzScroll.get(), data->VertScroll.get(), data->HorzScrollThumb.get(),
             data->VertScrollThumb.get(), data->TrackbarThumbHorz.get(), data->TrackbarThumbVert.get(),
             data->TrackbarThumbLeft.get(), data->TrackbarThumbRight.get(), data->TrackbarThumbUp.get(),
             data->TrackbarThumbDown.get(), data->UpDownHorz.get(), data->UpDownVert.get()}) {
        EXPECT_NE(object, nullptr);
    }
    EXPECT_EQ(data->TopBorder->Frame, 2);
    EXPECT_EQ(data->Buttons->Frame, 5);
    // The sunken combo strips wait for the first painter that asks for them.
    EXPECT_NE(data->ComboButton->Style, 2);
    EXPECT_EQ(data->ComboxArrow, nullptr);
    data->EnsureComboLooks();
    EXPECT_EQ(data->ComboButton->Style, 2);
    EXPECT_EQ(data->ComboButton->Bitmap.Width(), 50 * data->SunkEdge->Frame);
}

TEST(SkinDataDefaultSkin, PicturesCostAGdiObjectOnlyOnceDrawn) {
    auto data = LoadDefaultSkin();
    // Every picture read from the package, cut from one or made by the load
    // (the tool-bar gradient) waits in memory.
    std::vector<std::string> withObject;
    for (const skin::TDataSkinObject* object : data->AllObjects()) {
        if (object->Bitmap.HasGdiObject()) {
            withObject.push_back(object->Name);
        }
    }
    EXPECT_EQ(withObject, std::vector<std::string>{});
    ASSERT_NE(data->Toolbar, nullptr);
    EXPECT_FALSE(data->Toolbar->Bitmap.Empty());
    ASSERT_FALSE(data->CaptionButtons.empty());
    EXPECT_FALSE(data->CaptionButtons.back()->Bitmap.HasGdiObject()) << "an MDI button cut from its image";

    // Drawn, a picture gets its object and shows the pixels it held.
    const ui::Bitmap& top = data->TopBorder->Bitmap;
    ASSERT_FALSE(top.Empty());
    std::vector<ui::Color> before;
    for (int x = 0; x < top.Width(); ++x) {
        before.push_back(top.PixelAt(x, top.Height() / 2));
    }
    ui::Bitmap target(top.Width(), top.Height());
    target.GetCanvas().Draw(0, 0, top);
    EXPECT_TRUE(top.HasGdiObject());
    for (int x = 0; x < top.Width(); ++x) {
        ASSERT_EQ(target.PixelAt(x, top.Height() / 2), before[size_t(x)]) << "at " << x;
        ASSERT_EQ(top.PixelAt(x, top.Height() / 2), before[size_t(x)]) << "at " << x;
    }
}

TEST(SkinDataDefaultSkin, FiveCaptionButtonsAndTheThreeMdiButtons) {
    auto data = LoadDefaultSkin();
    const auto& buttons = data->CaptionButtons;
    const std::vector<std::string> names = {"BUTTON0", "BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4",
                                            "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"};
    ASSERT_EQ(buttons.size(), names.size());
    const skin::TQuickIni ini = DescriptionOf(*data);
    for (size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(buttons[i]->Name, names[i]);
        if (i < 5) {
            const std::string section = "Button" + std::to_string(i);
            EXPECT_EQ(buttons[i]->Action, ini.ReadInteger(section, "Action", 0));
            EXPECT_EQ(buttons[i]->Xcoord, ini.ReadInteger(section, "Xcoord", 0));
            EXPECT_EQ(buttons[i]->Frame, ini.ReadInteger(section, "frame", 0));
        } else {
            EXPECT_EQ(buttons[i]->Action, int32_t(i + 2));  // 7, 8, 9
            EXPECT_EQ(buttons[i]->Visibility, 100);
            EXPECT_EQ(buttons[i]->Frame, 4);
            EXPECT_FALSE(buttons[i]->Empty());  // cut from the MDI image
        }
    }
}

TEST(SkinDataDefaultSkin, ColourTableIsTheDescriptions) {
    auto data = LoadDefaultSkin();
    const skin::TQuickIni ini = DescriptionOf(*data);
    const struct {
        const char* key;
        int index;
    } keys[] = {{"WindowText", skin::scWindowText},       {"TitleTextActive", skin::scTitleTextActive},
                {"TitleTextNoActive", skin::scTitleTextNoActive}, {"ButtonFace", skin::scButtonFace},
                {"ButtonText", skin::scButtonText},       {"ButtonHilight", skin::scButtonHilight},
                {"Buttonlight", skin::scButtonlight},     {"ButtonShadow", skin::scButtonShadow},
                {"ButtonDkShadow", skin::scButtonDkShadow}, {"HilightText", skin::scHilightText},
                {"Hilight", skin::scHilight},             {"Menubar", skin::scMenubar},
                {"MenuBarText", skin::scMenuBarText},     {"MenuText", skin::scMenuText},
                {"Menu", skin::scMenu},                   {"Scrollbar", skin::scScrollbar}};
    int given = 0;
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        const std::string text = ini.ReadString("Colours", k.key, "");
        if (text.empty()) {
            EXPECT_FALSE(data->ColourGiven[size_t(k.index)]);
            continue;
        }
        ++given;
        EXPECT_TRUE(data->ColourGiven[size_t(k.index)]);
        EXPECT_EQ(data->Colours[size_t(k.index)], skin::ParseColour(text, -1));
        EXPECT_GE(data->Colours[size_t(k.index)], 0);  // a real colour, not a system one
    }
    EXPECT_GT(given, 10);
    EXPECT_EQ(data->Colours[skin::scCaption], data->CaptionColour());
    EXPECT_NE(data->Colours[skin::scCaption], data->Colours[skin::scButtonFace]);  // from the top border
}

} // namespace
