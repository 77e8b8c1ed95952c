#include "skin/data/SkinObjects.h"

#include "skin/data/SkinGeneratedObjects.h"

#include <initializer_list>
#include <utility>

namespace skin {

TDataSkinObject::TDataSkinObject(std::string name) : Name(std::move(name)) {}

std::array<ui::Color, kColourTableSize> DefaultColourTable() {
    using ui::SystemColor;
    std::array<ui::Color, kColourTableSize> table{};
    table[scWindowText] = SystemColor(COLOR_WINDOWTEXT);
    table[scTitleTextActive] = SystemColor(COLOR_CAPTIONTEXT);
    table[scTitleTextNoActive] = SystemColor(COLOR_INACTIVECAPTIONTEXT);
    table[scButtonFace] = SystemColor(COLOR_BTNFACE);
    table[scButtonText] = SystemColor(COLOR_BTNTEXT);
    table[scButtonHilight] = SystemColor(COLOR_BTNHIGHLIGHT);
    table[scButtonlight] = SystemColor(COLOR_BTNHIGHLIGHT);
    table[scButtonShadow] = SystemColor(COLOR_BTNSHADOW);
    table[scButtonDkShadow] = SystemColor(COLOR_3DDKSHADOW);
    table[scHilightText] = SystemColor(COLOR_HIGHLIGHTTEXT);
    table[scHilight] = SystemColor(COLOR_HIGHLIGHT);
    table[scMenubar] = SystemColor(COLOR_BTNFACE);
    table[scMenuBarText] = SystemColor(COLOR_MENUTEXT);
    table[scMenuText] = SystemColor(COLOR_MENUTEXT);
    table[scMenu] = SystemColor(COLOR_MENU);
    table[scCaption] = SystemColor(COLOR_BTNFACE);
    table[scScrollbar] = SystemColor(COLOR_SCROLLBAR);
    return table;
}

SkinObjectSet::SkinObjectSet()
    : Colours(DefaultColourTable()),
      Buttons(std::make_unique<TDataSkinButton>("Buttons")),
      Title(std::make_unique<TDataSkinTitle>("Title")),
      LeftBorder(std::make_unique<TDataSkinBorder>("Left")),
      RightBorder(std::make_unique<TDataSkinBorder>("Right")),
      TopBorder(std::make_unique<TDataSkinBorder>("Top")),
      BottomBorder(std::make_unique<TDataSkinBorder>("Bottom")) {
    CustomColours.fill(ui::clWhite);
}

SkinObjectSet::SkinObjectSet(SkinObjectSet&&) noexcept = default;
SkinObjectSet& SkinObjectSet::operator=(SkinObjectSet&&) noexcept = default;
SkinObjectSet::~SkinObjectSet() = default;

ui::Color SkinObjectSet::CaptionColour() const {
    if (TopBorder && !TopBorder->Empty()) {
        const ui::Bitmap& picture = TopBorder->Bitmap;
        return picture.PixelAt(picture.Width() / 3, picture.Height() / TopBorder->FrameCount() / 3);
    }
    return Colours[scButtonFace];
}

void SkinObjectSet::EnsureComboLooks() {
    if (!ComboLooksPending) {
        return;
    }
    ComboLooksPending = false;
    BuildSunkenCombo(*this);
    BuildComboArrow(*this);
}

std::vector<TDataSkinObject*> SkinObjectSet::AllObjects() {
    std::vector<TDataSkinObject*> all;
    for (TDataSkinObject* object : std::initializer_list<TDataSkinObject*>{
             Buttons.get(), Title.get(), LeftBorder.get(), RightBorder.get(), TopBorder.get(), BottomBorder.get(),
             Progress.get(), ProgressChunk.get(), MenuBar.get(), GroupBoxEdge.get(), GroupBox.get(), Tabs.get(),
             StatusBarEdges.get(), TabPane.get(), ToolBars.get(), ComboButton.get(), SunkEdge.get(),
             ExtraImages.get(), Headerbar.get(), MenuItem.get(), MenuBackground.get(), Scrollbar.get(),
             HorzScroll.get(), VertScroll.get(), HorzScrollThumb.get(), VertScrollThumb.get(),
             TrackbarThumbHorz.get(), TrackbarThumbVert.get(), TrackbarThumbLeft.get(), TrackbarThumbRight.get(),
             TrackbarThumbUp.get(), TrackbarThumbDown.get(), UpDownHorz.get(), UpDownVert.get(), Track.get(),
             TrackVert.get(), Toolbar.get(), ComboxArrow.get()}) {
        if (object != nullptr) {
            all.push_back(object);
        }
    }
    for (const auto& button : CaptionButtons) {
        all.push_back(button.get());
    }
    return all;
}

std::vector<const TDataSkinObject*> SkinObjectSet::AllObjects() const {
    const std::vector<TDataSkinObject*> all = const_cast<SkinObjectSet*>(this)->AllObjects();
    return {all.begin(), all.end()};
}

} // namespace skin
