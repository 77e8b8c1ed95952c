// Damaged skins: a few hundred mutated copies of one skin load without a
// crash or a hang, leave every frame count usable, and free every GDI object
// they made.

#include "skin/data/SkinData.h"

#include <gtest/gtest.h>

#include "tests/skin/data/SkinDataFixtures.h"

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using skintest::Bytes;
using skintest::Rgb;

const char* const kDescription =
    "[TitlebarSkin]\nSkinName=Fuzz\n"
    "[Personality]\nLeft=side.bmp\nRight=side.bmp\nTop=top.bmp\nBottom=top.bmp\nTopFrame=2\nBottomFrame=2\n"
    "LeftFrame=2\nRightFrame=2\nTopTopHeight=6\nTopBotHeight=6\nTextBack=strip.bmp\nmenuBar=top.bmp\n"
    "ActiveTextR=255\nActiveTextG=255\nActiveTextB=255\n"
    "[Colours]\nButtonFace=240 240 240\nMenubar=230 230 230\nButtonText=20 20 20\n"
    "[Colour1]\ncolor=1 2 3\n[Customcolors]\nColor0=9 9 9\n"
    "[Buttons]\nBitmap=strip.bmp\nCheckButton=strip.bmp\nRadioButton=strip.bmp\nLeftWidth=3\nRightWidth=3\n"
    "[Button0]\nAction=0\nButtonImage=caption.bmp\n[Button1]\nAction=1\nVisibility=2\nButtonImage=caption.bmp\n"
    "[Button2]\nAction=4\nButtonImage=caption.bmp\n[Button3]\nAction=3\n"
    "[MDICONTROLS]\nImage=strip.bmp\n"
    "[ComboButton]\nImage=strip.bmp\n[SunkEdge]\nImage=strip.bmp\nTopHeight=2\nBottomHeight=2\n"
    "[ExtraImages]\nImage=strip.bmp\n[Headerbar]\nImage=strip.bmp\n[MenuItem]\nImage=strip.bmp\n"
    "[Scrollbar]\nImage=strip.bmp\n[HorzScrollThumb]\nImage=strip.bmp\nFrameCount=3\n"
    "[Tabs]\nImage=strip.bmp\nBorder=side.bmp\n[Tab.Pane]\nImage=strip.bmp\nLeftWidth=6\n"
    "[Progress]\nBitmap=strip.bmp\n[UpDown.Horz]\nImage=strip.bmp\nGlyphImage=strip.bmp\n"
    "[GroupBox]\nImage=strip.bmp\n[Track]\nImage=strip.bmp\n";

std::map<std::string, Bytes> Pictures() {
    return {
        {"side.bmp", skintest::CellStrip(4, 30, 2)},
        {"top.bmp", skintest::Bmp24(40, 40, [](int x, int y) { return Rgb{uint8_t(x * 6), uint8_t(y * 6), 200}; })},
        {"strip.bmp", skintest::CellStrip(12, 20, 8)},
        {"caption.bmp", skintest::SolidBmp(60, 20, {200, 50, 50})},
    };
}

std::vector<skinpack::PackageEntry> Entries(const std::string& description) {
    std::vector<skinpack::PackageEntry> entries;
    for (const auto& [name, data] : Pictures()) {
        entries.push_back({name, data});
    }
    entries.push_back({"skin.ini", Bytes(description.begin(), description.end())});
    return entries;
}

// One mutated skin file per call, from a fixed sequence.
class Mutator {
public:
    Bytes Next() {
        const int kind = int(random_() % 7);
        switch (kind) {
        case 0:  // bytes of the package flipped
            return skinpack::MakeSkinFile(Flip(package_, 1 + random_() % 8));
        case 1:  // the package cut short
            return skinpack::MakeSkinFile(Cut(package_));
        case 2:  // bytes of the compressed file flipped (the size claim included)
            return Flip(file_, 1 + random_() % 4);
        case 3:  // the compressed file cut short
            return Cut(file_);
        case 4:  // a section's lines removed from the description
            return skinpack::MakeSkinFile(skinpack::BuildPackage(70000, Entries(DropLines(kDescription))));
        case 5: {  // the package's version word damaged
            Bytes package = package_;
            package[random_() % 4] ^= uint8_t(1 + random_() % 255);
            return skinpack::MakeSkinFile(package);
        }
        default: {  // a picture's header damaged
            std::vector<skinpack::PackageEntry> entries = Entries(kDescription);
            Bytes& picture = entries[random_() % (entries.size() - 1)].Data;
            for (int i = 0; i < 3; ++i) {
                picture[random_() % 54] = uint8_t(random_());
            }
            return skinpack::MakeSkinFile(skinpack::BuildPackage(70000, entries));
        }
        }
    }

    const Bytes& Intact() const { return file_; }

private:
    Bytes Flip(Bytes bytes, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            bytes[random_() % bytes.size()] ^= uint8_t(1u << (random_() % 8));
        }
        return bytes;
    }
    Bytes Cut(const Bytes& bytes) { return Bytes(bytes.begin(), bytes.begin() + long(random_() % bytes.size())); }
    std::string DropLines(std::string text) {
        const size_t start = text.find('[', random_() % text.size());
        if (start == std::string::npos) {
            return text;
        }
        const size_t end = text.find('[', start + 1);
        text.erase(start, end == std::string::npos ? std::string::npos : end - start);
        return text;
    }

    std::mt19937 random_{20261210};
    Bytes package_ = skinpack::BuildPackage(70000, Entries(kDescription));
    Bytes file_ = skinpack::MakeSkinFile(package_);
};

std::vector<HGDIOBJ> GdiObjectsOf(const skin::TSkinData& data) {
    std::vector<HGDIOBJ> handles;
    auto add = [&handles](const ui::Bitmap& bitmap) {
        if (bitmap.Handle() != nullptr) {
            handles.push_back(bitmap.Handle());
        }
    };
    for (const skin::TDataSkinObject* object : data.AllObjects()) {
        add(object->Bitmap);
        if (auto* border = dynamic_cast<const skin::TDataSkinBorder*>(object)) {
            add(border->Bitmap2);
        }
        if (auto* buttons = dynamic_cast<const skin::TDataSkinButton*>(object)) {
            add(buttons->CheckBitmap);
            add(buttons->RadioBitmap);
        }
    }
    if (data.ButtonFaceBrush) {
        handles.push_back(data.ButtonFaceBrush.get());
    }
    return handles;
}

// Whatever loaded, painters may divide by every frame count.
void ExpectUsableFrameCounts(const skin::TSkinData& data) {
    for (const skin::TDataSkinObject* object : data.AllObjects()) {
        EXPECT_GE(object->Frame, 1) << object->Name;
    }
    EXPECT_GE(data.Buttons->RadioButtonFrame, 1);
    EXPECT_GE(data.Buttons->CheckButtonFrame, 1);
}

TEST(SkinDataRobustness, MutatedSkinsLoadSafelyAndFreeTheirObjects) {
    Mutator mutator;
    {
        skintest::SkinUnderTest intact;
        ASSERT_TRUE(intact.Load(mutator.Intact()));
        EXPECT_EQ(intact->SkinName, "Fuzz");
        EXPECT_EQ(intact->CaptionButtons.size(), 7u);
        ExpectUsableFrameCounts(*intact.data);
    }
    int loaded = 0;
    int refused = 0;
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const Bytes file = mutator.Next();
        std::vector<HGDIOBJ> handles;
        {
            skintest::SkinUnderTest skin;
            if (skin.Load(file)) {
                ++loaded;
                // The combo looks are composed later, from the same damaged pieces.
                skin.data->EnsureComboLooks();
                ExpectUsableFrameCounts(*skin.data);
            } else {
                ++refused;
                EXPECT_TRUE(skin->NotLoaded());
            }
            handles = GdiObjectsOf(*skin.data);
            for (HGDIOBJ h : handles) {
                ASSERT_NE(GetObjectType(h), 0u);
            }
        }
        for (HGDIOBJ h : handles) {
            EXPECT_EQ(GetObjectType(h), 0u) << "a GDI object outlived its skin";
        }
    }
    // Both paths were exercised.
    EXPECT_GT(loaded, 50);
    EXPECT_GT(refused, 20);
    std::printf("%d of the mutated skins loaded, %d were refused\n", loaded, refused);
}

} // namespace
