// The skin data's foreign-class lines: the first line that begins with the
// class name and "=" decides, painted or not, and the class table is not
// tried for that control.

#include "skin/controls/ControlMapping.h"

#include "tests/skin/controls/MappingFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using mappingtest::Describe;
using mappingtest::ForeignControl;
using mappingtest::kForeignBase;
using mappingtest::MappingFixture;
using skin::AttachWay;

const ui::ClassInfo kButtonAncestor{"TButton", &kForeignBase};
const ui::ClassInfo kFancyButton{"TFancyButton", &kButtonAncestor};
const ui::ClassInfo kPngBitBtn{"TPngBitBtn", &kForeignBase};
const ui::ClassInfo kPngBitBtnPlus{"TPngBitBtnPlus", &kForeignBase};
const ui::ClassInfo kPngSpeedButton{"TPngSpeedButton", &kForeignBase};
const ui::ClassInfo kRzButton{"TRzButton", &kForeignBase};
const ui::ClassInfo kRzBitBtn{"TRzBitbtn", &kForeignBase};
const ui::ClassInfo kCxButton{"TcxButton", &kForeignBase};
const ui::ClassInfo kLmdEdit{"TLmdEdit", &kForeignBase};
const ui::ClassInfo kComboEx{"TComboboxex", &kForeignBase};
const ui::ClassInfo kRzGroup{"TRzGroup", &kForeignBase};
const ui::ClassInfo kCxGroupBox{"TcxGroupBox", &kForeignBase};
const ui::ClassInfo kFancy{"TFancy", &kForeignBase};
const ui::ClassInfo kScrollBox{"TScrollBox", &kForeignBase};
const ui::ClassInfo kPlain{"TPlainChild", &kForeignBase};
const ui::ClassInfo kRzRadioGroup{"TRzRadioGroup", &kForeignBase};
const ui::ClassInfo kUpperRzGroup{"TRZGROUP", &kForeignBase};
const ui::ClassInfo kRzCheckGroup{"TRzCheckGroup", &kForeignBase};
const ui::ClassInfo kRadioButton{"TRadioButton", &kForeignBase};

struct Case {
    std::vector<std::string> lines;  // empty: the default lines
    const ui::ClassInfo* info;
    DWORD style;
    const char* property;
    const char* value;
    std::vector<skin::TSkinControlType> closed;
    const char* step;  // the one step the control gets
};

TEST_F(MappingFixture, AForeignClassLineDecidesAloneWhateverItsKind) {
    const Case cases[] = {
        // The program's default lines.
        {{}, &kPngBitBtn, 0, nullptr, nullptr, {}, "Skin3rd pngbitbtn TSkinBitButton"},
        {{}, &kPngSpeedButton, 0, nullptr, nullptr, {}, "Skin3rd pngspeedbutton TSkinSpeedButton"},
        {{}, &kRzButton, 0, nullptr, nullptr, {}, "Skin3rd button TSkinButton"},
        {{}, &kComboEx, 0, nullptr, nullptr, {}, "Skin3rd combobox TSkinComBox"},
        {{}, &kRzGroup, 0, nullptr, nullptr, {}, "Skin3rd panel TSkinBox"},
        {{}, &kCxGroupBox, 0, nullptr, nullptr, {}, "Skin3rd groupbox TSkinGroupBox"},
        {{}, &kCxButton, 0, "Kind", "cxbkStandard", {}, "Skin3rd bitbtn TSkinBitButton"},
        {{}, &kCxButton, 0, "Kind", "cxbkDropDownButton", {}, "Skin3rd bitbtn TSkinMenuButton"},
        {{}, &kRzBitBtn, 0, "Kind", "cxbkDropDownButton", {}, "Skin3rd bitbtn TSkinBitButton"},
        // Compared without case; an edit is painted only with a border.
        {{}, &kLmdEdit, WS_BORDER, nullptr, nullptr, {}, "Skin3rd edit TSkinEdit"},
        {{}, &kLmdEdit, 0, nullptr, nullptr, {}, "Skin3rd edit"},
        // A class whose name merely begins with a key has no line.
        {{}, &kPngBitBtnPlus, 0, nullptr, nullptr, {}, "Table 40"},
        // "nil", a closed gate and an unknown kind: handled, not painted,
        // and the push-button row is not tried.
        {{"TFancyButton=nil"}, &kFancyButton, 0, nullptr, nullptr, {}, "Skin3rd nil"},
        {{"TFancyButton=button"}, &kFancyButton, 0, nullptr, nullptr, {skin::xcButton}, "Skin3rd button"},
        {{"TFancyButton=sparkle"}, &kFancyButton, 0, nullptr, nullptr, {}, "Skin3rd sparkle"},
        {{"TFancy=tab"}, &kFancy, 0, nullptr, nullptr, {skin::xcTab}, "Skin3rd tab"},
        // The first line that matches wins; the key includes the "=".
        {{"TFancyButton=button", "TFancy=nil", "TFancy=checkbox"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd nil"},
        {{"tfancy = button", "TFANCY=Progress"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd progress TSkinProgress"},
        // Each kind's painter.
        {{"TFancy=comboboxex"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd comboboxex TSkinComBox"},
        {{"TFancy=radiobutton"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd radiobutton TSkinRadioButton"},
        {{"TFancy=trackbar"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd trackbar TSkinTrackBar"},
        {{"TFancy=datetimepicker"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd datetimepicker TSkinDateTime"},
        {{"TFancy=mediaplayer"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd mediaplayer TSkinMP"},
        {{"TFancy=menubtn"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd menubtn TSkinMenuButton"},
        {{"TFancy=speedbutton"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd speedbutton TSkinSpeedButton"},
        {{"TFancy=tab"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd tab TSkinTab"},
        {{"TFancy=checkbox"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd checkbox TSkinCheckBox"},
        {{"TFancy=singlescrollbar"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd singlescrollbar TSkinScrollbar"},
        {{"TFancy=advpagecontrol"}, &kFancy, 0, nullptr, nullptr, {}, "Skin3rd advpagecontrol TSkinAdvPage"},
        // Gates of their own: a track bar is a button kind, a speed button its own.
        {{"TFancy=trackbar"}, &kFancy, 0, nullptr, nullptr, {skin::xcButton}, "Skin3rd trackbar"},
        {{"TFancy=speedbutton"}, &kFancy, 0, nullptr, nullptr, {skin::xcSpeedButton}, "Skin3rd speedbutton"},
        {{"TFancy=groupbox"}, &kFancy, 0, nullptr, nullptr, {skin::xcGroupBox}, "Skin3rd groupbox"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.info->name) + " " + c.step);
        recorder.steps.clear();
        skinData.SetSkin3rd(c.lines.empty() ? std::vector<std::string>(skin::DefaultSkin3rd().begin(),
                                                                        skin::DefaultSkin3rd().end())
                                            : c.lines);
        skinData.SkinControls = skin::kDefaultSkinControls;
        for (skin::TSkinControlType closed : c.closed) {
            skinData.SkinControls.Exclude(closed);
        }
        ForeignControl& control = Foreign(*c.info, c.style);
        if (c.property != nullptr) {
            control.published[c.property] = c.value;
        }
        mapping.SkinControl(host, control, &form);
        EXPECT_EQ(Describe(recorder.For(&control)), std::vector<std::string>{c.step});
    }
}

TEST_F(MappingFixture, ForeignKindsCarryTheirVariants) {
    skinData.SetSkin3rd({"TPngBitBtn=pngbitbtn", "TFancy=singlescrollbar", "TRzGroup=panel",
                         "TFancyButton=advpagecontrol", "TComboboxex=comboboxex", "TLmdEdit=trackbar"});
    ForeignControl& png = Foreign(kPngBitBtn);
    ForeignControl& single = Foreign(kFancy);
    ForeignControl& panel = Foreign(kRzGroup);
    ForeignControl& page = Foreign(kFancyButton);
    ForeignControl& combo = Foreign(kComboEx);
    ForeignControl& track = Foreign(kLmdEdit);
    for (ForeignControl* control : {&png, &single, &panel, &page, &combo, &track}) {
        mapping.SkinControl(host, *control, &form);
    }
    EXPECT_EQ(recorder.PainterOf(&png)->glyphProperty, "PngImage");
    EXPECT_EQ(recorder.PainterOf(&single)->mode, 1);
    EXPECT_EQ(recorder.PainterOf(&single)->way, AttachWay::AttachScrollBars);
    EXPECT_TRUE(recorder.PainterOf(&panel)->ownBackground);
    EXPECT_EQ(panel.published["Transparent"], "True");
    EXPECT_EQ(recorder.PainterOf(&page)->mode, 4);
    EXPECT_TRUE(recorder.PainterOf(&page)->ownBackground);
    EXPECT_TRUE(recorder.PainterOf(&combo)->extendedCombo);
    EXPECT_EQ(track.published["Transparent"], "True");
}

TEST_F(MappingFixture, AKindTextIsCutAtFiftyCharacters) {
    skinData.SetSkin3rd({"TFancy=" + std::string(60, 'x')});
    ForeignControl& control = Foreign(kFancy);
    mapping.SkinControl(host, control, &form);
    ASSERT_EQ(recorder.For(&control).size(), 1u);
    EXPECT_EQ(recorder.For(&control)[0].kind, std::string(50, 'x'));
}

TEST_F(MappingFixture, ContainerKindsMapTheirChildren) {
    skinData.SetSkin3rd({"TFancy=scrollbar", "TFancyButton=embedscrollbar", "TRzGroup=container"});
    ForeignControl& scrolled = Foreign(kFancy);
    ForeignControl& inScrolled = Foreign(kRzButton, 0, &scrolled);
    ForeignControl& embedding = Foreign(kFancyButton);
    ForeignControl& scrollBox = Foreign(kScrollBox, 0, &embedding);
    ForeignControl& withBar = Foreign(kPlain, WS_VSCROLL, &embedding);
    ForeignControl& plain = Foreign(kPlain, 0, &embedding);
    ForeignControl& container = Foreign(kRzGroup);
    ForeignControl& inContainer = Foreign(kRzButton, 0, &container);

    mapping.SkinControl(host, scrolled, &form);
    mapping.SkinControl(host, embedding, &form);
    mapping.SkinControl(host, container, &form);

    // Scrolled: its painter, then its children through all the rules.
    EXPECT_EQ(Describe(recorder.For(&scrolled)), std::vector<std::string>{"Skin3rd scrollbar TSkinScrollbar"});
    EXPECT_EQ(Describe(recorder.For(&inScrolled)), std::vector<std::string>{"Table 40"});
    // Embedded scroll bars: only the scrolling children, by the kind's line.
    EXPECT_EQ(Describe(recorder.For(&embedding)), std::vector<std::string>{"Skin3rd embedscrollbar"});
    EXPECT_EQ(Describe(recorder.For(&scrollBox)), std::vector<std::string>{"Skin3rd embedscrollbar TSkinScControl"});
    EXPECT_EQ(recorder.PainterOf(&scrollBox)->way, AttachWay::OwnSetUp);
    EXPECT_EQ(Describe(recorder.For(&withBar)), std::vector<std::string>{"Skin3rd embedscrollbar TSkinScrollbar"});
    EXPECT_TRUE(recorder.For(&plain).empty());
    EXPECT_EQ(Describe(recorder.For(&container)), std::vector<std::string>{"Skin3rd container"});
    EXPECT_EQ(Describe(recorder.For(&inContainer)), std::vector<std::string>{"Table 40"});
}

TEST_F(MappingFixture, RadioAndCheckGroupsByTheirGates) {
    const struct {
        const ui::ClassInfo* info;
        std::vector<skin::TSkinControlType> closed;
        const char* child;  // each child's step, or null for none
        const char* group;  // the group's step
        bool imageFamily;
    } cases[] = {
        // The image family is told by "TRZ" in the class name's own case.
        {&kRzRadioGroup, {}, "Skin3rd radiogroup TSkinRadioButton", "Skin3rd radiogroup TSkinGroupBox", false},
        {&kUpperRzGroup, {}, "Skin3rd radiogroup TSkinObjImage", "Skin3rd radiogroup TSkinGroupBox", true},
        {&kRzRadioGroup, {skin::xcRadioButton}, nullptr, "Skin3rd radiogroup TSkinGroupBox", false},
        {&kRzRadioGroup, {skin::xcGroupBox}, nullptr, "Skin3rd radiogroup", false},
        {&kRzCheckGroup, {}, "Skin3rd checkgroup TSkinCheckBox", "Skin3rd checkgroup TSkinGroupBox", false},
        {&kRzCheckGroup, {skin::xcPanel}, nullptr, "Skin3rd checkgroup", false},
        {&kRzCheckGroup, {skin::xcRadioButton}, nullptr, "Skin3rd checkgroup TSkinGroupBox", false},
        {&kRzCheckGroup, {skin::xcGroupBox}, "Skin3rd checkgroup TSkinCheckBox", "Skin3rd checkgroup", false},
    };
    skinData.SetSkin3rd({"TRzRadioGroup=Radiogroup", "TRZGROUP=radiogroup", "TRzCheckGroup=CheckGroup"});
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.info->name) + " " + c.group);
        recorder.steps.clear();
        skinData.SkinControls = skin::kDefaultSkinControls;
        for (skin::TSkinControlType closed : c.closed) {
            skinData.SkinControls.Exclude(closed);
        }
        ForeignControl& group = Foreign(*c.info);
        ForeignControl& first = Foreign(kRadioButton, 0, &group);
        ForeignControl& second = Foreign(kRadioButton, 0, &group);
        mapping.SkinControl(host, group, &form);
        const std::vector<std::string> childSteps =
            c.child != nullptr ? std::vector<std::string>{c.child} : std::vector<std::string>{};
        EXPECT_EQ(Describe(recorder.For(&first)), childSteps);
        EXPECT_EQ(Describe(recorder.For(&second)), childSteps);
        EXPECT_EQ(Describe(recorder.For(&group)), std::vector<std::string>{c.group});
        if (c.imageFamily) {
            const auto painter = recorder.PainterOf(&first);
            ASSERT_TRUE(painter);
            EXPECT_EQ(painter->imageKind, 2);
            EXPECT_TRUE(painter->ownBackground);
        }
    }
}

// A foreign class whose "Transparent" takes no Boolean.
const ui::PropertyInfo kRefusingTransparent[] = {
    {"Transparent", [](const ui::Component&) { return std::string("0"); },
     [](ui::Component&, std::string_view) { throw ui::PropertyError("not a Boolean property"); }}};
const ui::ClassInfo kStubbornPanel{"TStubbornPanel", &kForeignBase, kRefusingTransparent};

TEST_F(MappingFixture, AControlThatRefusesAPropertyEndsOnlyItsOwnMapping) {
    ForeignControl& stubborn = Foreign(kStubbornPanel);
    ForeignControl& next = Foreign(kRzButton);
    skinData.SetSkin3rd({"TStubbornPanel=panel", "TRzButton=button"});

    EXPECT_NO_THROW(mapping.MapForm(host, form));

    EXPECT_FALSE(recorder.PainterOf(&stubborn));
    EXPECT_FALSE(host.PaintsControl(stubborn));
    ASSERT_FALSE(recorder.For(&next).empty());
    EXPECT_EQ(Describe(recorder.For(&next).front()), "Skin3rd button TSkinButton");
}

} // namespace
