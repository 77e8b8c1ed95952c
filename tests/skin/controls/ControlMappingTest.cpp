// The rules for toolkit controls: which rule matches each control and which
// painter it is asked for. The assertions read the mapping's trace, so they
// hold whether or not the engine has the painter of that kind yet.

#include "skin/controls/ControlMapping.h"

#include "skin/controls/SkinMessages.h"
#include "tests/skin/controls/MappingFixture.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using mappingtest::Describe;
using mappingtest::ForeignControl;
using mappingtest::ForeignGraphic;
using mappingtest::kForeignBase;
using mappingtest::MappingFixture;
using skin::AttachWay;

template <class T>
T& Child(ui::Form& form, ui::WinControl& parent) {
    T& control = form.Create<T>();
    control.SetBounds(10, 10, 80, 24);
    control.SetParent(&parent);
    return control;
}

std::string FirstStep(const mappingtest::Recorder& recorder, const ui::Component* control) {
    const auto steps = recorder.For(control);
    return steps.empty() ? std::string("no step") : Describe(steps.front());
}

// ---------------------------------------------------------------- this program's controls

TEST_F(MappingFixture, EachToolkitControlOfAFormGetsItsRuleAndPainter) {
    auto& button = Child<ui::Button>(form, form);
    auto& check = Child<ui::CheckBox>(form, form);
    auto& edit = Child<ui::Edit>(form, form);
    auto& panel = Child<ui::Panel>(form, form);
    auto& inner = Child<ui::Button>(form, panel);
    auto& group = Child<ui::GroupBox>(form, form);
    auto& inGroup = Child<ui::CheckBox>(form, group);
    auto& label = Child<ui::Label>(form, form);
    auto& image = Child<ui::Image>(form, form);
    auto& text = Child<ui::StaticText>(form, form);
    auto& bar = Child<ui::ToolBar>(form, form);
    auto& item = form.Create<ui::MenuItem>();
    auto& withMenu = form.Create<ui::ToolButton>();
    withMenu.SetParent(&bar);
    withMenu.SetMenuItem(&item);
    auto& plain = form.Create<ui::ToolButton>();
    plain.SetParent(&bar);

    mapping.MapForm(host, form);

    const struct {
        const ui::Component* control;
        const char* step;
        bool ownBackground;
    } cases[] = {
        {&button, "Table 38 TSkinButton", false},
        {&check, "Table 10 TSkinCheckBox", false},
        {&edit, "Table 39 TSkinEdit", false},
        {&panel, "Table 32 TSkinBox", true},
        {&inner, "Table 38 TSkinButton", false},
        {&group, "Table 19 TSkinGroupBox", false},
        {&inGroup, "Table 10 TSkinCheckBox", false},
        {&label, "Table 40", false},
        {&image, "Table 40", false},
        {&text, "Table 40", false},
        {&bar, "Table 21 TSkinBox", false},
        {&withMenu, "Table 2", false},
        {&plain, "Table 2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control->ClassName()) + " " + c.step);
        EXPECT_EQ(FirstStep(recorder, c.control), c.step);
        if (const auto painter = recorder.PainterOf(c.control)) {
            EXPECT_EQ(painter->ownBackground, c.ownBackground);
            EXPECT_EQ(painter->way, AttachWay::Attach);
            EXPECT_EQ(painter->mode, 0);
        }
    }

    // A panel's children are mapped before the panel is given its painter.
    const auto& steps = recorder.steps;
    const auto indexOf = [&steps](const ui::Component* control, bool painter) {
        for (size_t i = 0; i < steps.size(); ++i) {
            if (steps[i].control == control && steps[i].painter.has_value() == painter) {
                return i;
            }
        }
        return steps.size();
    };
    EXPECT_LT(indexOf(&inner, true), indexOf(&panel, true));
    EXPECT_LT(indexOf(&inGroup, true), indexOf(&group, true));

    // The tool bar: flat, its drawing handed to the form painter; the tool
    // button's menu item goes to the menu skinning, the plain one has none.
    EXPECT_TRUE(bar.Flat());
    ASSERT_FALSE(host.toolBars.empty());
    EXPECT_EQ(host.toolBars.front(), &bar);
    EXPECT_EQ(host.menuItems, std::vector<ui::MenuItem*>{&item});
    // The form: its dead painters dropped first, its popup menus hooked.
    EXPECT_EQ(host.deadDropped, 1);
    EXPECT_EQ(host.popupMenuHooks, std::vector<bool>{true});
}

// The toolkit's own radio group: its buttons are the group's, not the form's
// components, so only the group's rule reaches them.
TEST_F(MappingFixture, RadioGroupButtonsGetRadioPaintersThenTheGroupItsFrame) {
    auto& group = Child<ui::RadioGroup>(form, form);
    group.SetBounds(10, 10, 200, 100);
    group.SetItems({L"视频", L"测验"});

    mapping.MapForm(host, form);

    EXPECT_EQ(FirstStep(recorder, &group), "Table 14 TSkinGroupBox");
    const auto groupPainter = recorder.PainterOf(&group);
    ASSERT_TRUE(groupPainter.has_value());
    EXPECT_TRUE(groupPainter->ownBackground);
    size_t groupStep = recorder.steps.size();
    for (size_t i = 0; i < recorder.steps.size(); ++i) {
        if (recorder.steps[i].control == &group && recorder.steps[i].painter) {
            groupStep = i;
            EXPECT_TRUE(recorder.steps[i].made);
        }
    }
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const ui::RadioButton* button = group.ItemButton(i);
        EXPECT_EQ(FirstStep(recorder, button), "Table 14 TSkinRadioButton");
        EXPECT_TRUE(host.PaintsControl(*group.ItemButton(i)));
        const auto steps = recorder.For(button);
        ASSERT_FALSE(steps.empty());
        for (size_t at = 0; at < recorder.steps.size(); ++at) {
            if (recorder.steps[at].control == button && recorder.steps[at].painter) {
                EXPECT_LT(at, groupStep);
            }
        }
    }
    EXPECT_TRUE(host.PaintsControl(group));
}

TEST_F(MappingFixture, DisableTagOnARadioGroupLeavesItsButtonsNative) {
    auto& group = Child<ui::RadioGroup>(form, form);
    group.SetItems({L"视频", L"测验"});
    group.tag = 99;

    mapping.MapForm(host, form);

    EXPECT_EQ(Describe(recorder.For(&group)), std::vector<std::string>{"Control 1"});
    EXPECT_FALSE(host.PaintsControl(group));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        ui::RadioButton& button = *group.ItemButton(i);
        EXPECT_EQ(button.tag, 99);
        // The form's tab-order pass skips tagged controls: no step at all.
        EXPECT_TRUE(recorder.For(&button).empty());
        EXPECT_FALSE(host.PaintsControl(button));
    }
}

TEST_F(MappingFixture, ToolBarMenuItemsGoToTheMenuSkinning) {
    auto& bar = Child<ui::ToolBar>(form, form);
    auto& menu = form.Create<ui::MainMenu>();
    auto& first = form.Create<ui::MenuItem>();
    auto& second = form.Create<ui::MenuItem>();
    menu.Items().Add(&first);
    menu.Items().Add(&second);
    bar.SetMenu(&menu);

    mapping.SkinControl(host, bar, &form);

    EXPECT_EQ(FirstStep(recorder, &bar), "Table 21 TSkinBox");
    EXPECT_EQ(host.menuItems, (std::vector<ui::MenuItem*>{&first, &second}));
}

TEST_F(MappingFixture, WithoutPopupMenuSkinningTheFormsMenusAreLeftAlone) {
    skinData.SkinControls.Exclude(skin::xcPopupMenu);
    mapping.MapForm(host, form);
    EXPECT_TRUE(host.popupMenuHooks.empty());
}

// ---------------------------------------------------------------- foreign classes

const ui::ClassInfo kCustomTabControl{"TCustomTabControl", &kForeignBase};
const ui::ClassInfo kTabControl{"TTabControl", &kCustomTabControl};
const ui::ClassInfo kPageControl{"TPageControl", &kCustomTabControl};
const ui::ClassInfo kCustomCoolBar{"TCustomCoolBar", &kForeignBase};
const ui::ClassInfo kCoolBar{"TCoolBar", &kCustomCoolBar};
const ui::ClassInfo kTabSet{"TTabSet", &kForeignBase};
const ui::ClassInfo kTabSheet{"TTabSheet", &kForeignBase};
const ui::ClassInfo kTabbedNotebook{"TTabbedNotebook", &kForeignBase};
const ui::ClassInfo kMvcPanel{"TMvcPanel", &kForeignBase};
const ui::ClassInfo kNotebookTabs{"TTabbedNotebookTabs", &kForeignBase};
const ui::ClassInfo kCustomHeader{"TCustomHeaderControl", &kForeignBase};
const ui::ClassInfo kHeader{"THeaderControl", &kCustomHeader};
const ui::ClassInfo kTrackBar{"TTrackBar", &kForeignBase};
const ui::ClassInfo kUpDown{"TUpDown", &kForeignBase};
const ui::ClassInfo kSpinButton{"TSpinButton", &kForeignBase};
const ui::ClassInfo kMediaPlayer{"TMediaPlayer", &kForeignBase};
const ui::ClassInfo kCustomGroupBox{"TCustomGroupBox", &kForeignBase};
const ui::ClassInfo kCustomRadioGroup{"TCustomRadioGroup", &kCustomGroupBox};
const ui::ClassInfo kRadioGroup{"TRadioGroup", &kCustomRadioGroup};
const ui::ClassInfo kGroupBox{"TGroupBox", &kCustomGroupBox};
const ui::ClassInfo kNavigator{"TDBNavigator", &kForeignBase};
const ui::ClassInfo kRzCheckBox{"TRzCheckBox", &kForeignBase};
const ui::ClassInfo kRzRadioButton{"TRzRadioButton", &kForeignBase};
const ui::ClassInfo kCxCheckBox{"TcxCheckBox", &kForeignBase};
const ui::ClassInfo kRadioButton{"TRadioButton", &kForeignBase};
const ui::ClassInfo kCustomStatusBar{"TCustomStatusBar", &kForeignBase};
const ui::ClassInfo kStatusBar{"TStatusBar", &kCustomStatusBar};
const ui::ClassInfo kProgressBar{"TProgressBar", &kForeignBase};
const ui::ClassInfo kScrollBox{"TScrollBox", &kForeignBase};
const ui::ClassInfo kTntComboBox{"TTntComboBox", &kForeignBase};
const ui::ClassInfo kCustomComboBox{"TCustomComboBox", &kForeignBase};
const ui::ClassInfo kComboBox{"TComboBox", &kCustomComboBox};
const ui::ClassInfo kCustomDateTime{"TCustomDateTimePicker", &kForeignBase};
const ui::ClassInfo kDateTime{"TDateTimePicker", &kCustomDateTime};
const ui::ClassInfo kRichEdit{"TRichEdit", &kForeignBase};
const ui::ClassInfo kWwRichEdit{"TwwDBRichEdit", &kForeignBase};
const ui::ClassInfo kButtonAncestor{"TButton", &kForeignBase};
const ui::ClassInfo kBitBtn{"TBitBtn", &kButtonAncestor};
const ui::ClassInfo kDxGrid{"TdxDBGrid", &kForeignBase};
const ui::ClassInfo kCustomListView{"TCustomListView", &kForeignBase};
const ui::ClassInfo kListView{"TListView", &kCustomListView};
const ui::ClassInfo kCustomListBox{"TCustomListBox", &kForeignBase};
const ui::ClassInfo kListBox{"TListBox", &kCustomListBox};
const ui::ClassInfo kCustomTreeView{"TCustomTreeView", &kForeignBase};
const ui::ClassInfo kTreeView{"TTreeView", &kCustomTreeView};
const ui::ClassInfo kCustomGrid{"TCustomGrid", &kForeignBase};
const ui::ClassInfo kGrid{"TStringGrid", &kCustomGrid};
const ui::ClassInfo kScroller{"TScrollingThing", &kForeignBase};
const ui::ClassInfo kCustomFrame{"TCustomFrame", &kForeignBase};
const ui::ClassInfo kFrame{"TFrame", &kCustomFrame};
const ui::ClassInfo kCustomFormAncestor{"TCustomForm", &kForeignBase};
const ui::ClassInfo kEmbeddedForm{"TEmbeddedForm", &kCustomFormAncestor};
const ui::ClassInfo kDcEdit{"TDCEdit", &kForeignBase};
const ui::ClassInfo kDcDbEdit{"TDCDBEdit", &kForeignBase};
const ui::ClassInfo kComboBoxEh{"TDBComboBoxEh", &kForeignBase};
const ui::ClassInfo kDesignerPage{"TfrDesignerPage", &kForeignBase};
const ui::ClassInfo kSpeedButton{"TSpeedButton", &ui::GraphicControl::kClass};

struct ForeignCase {
    const ui::ClassInfo* info;
    DWORD style;
    const char* property;  // "Style", "NumButtons" ...; null for none
    const char* value;
    const char* step;      // the first step for the control
    int32_t mode = 0;
    bool ownBackground = false;
    AttachWay way = AttachWay::Attach;
    int32_t imageKind = 0;
};

TEST_F(MappingFixture, ForeignClassesMatchTheirRowsInOrder) {
    const ForeignCase cases[] = {
        {&kTabControl, 0, nullptr, nullptr, "Table 1 TSkinTab", 2},
        {&kPageControl, 0, "Style", "tsTabs", "Table 1 TSkinTab"},
        {&kPageControl, 0, "Style", "tsButtons", "Table 1 TSkinTabBtn"},
        {&kCoolBar, 0, nullptr, nullptr, "Table 3"},
        {&kTabSet, 0, nullptr, nullptr, "Table 4 TSkinTab31"},
        {&kTabSheet, 0, nullptr, nullptr, "Table 5 TSkinTabSheet"},
        {&kTabbedNotebook, 0, nullptr, nullptr, "Table 6 TSkinTab"},
        {&kMvcPanel, 0, nullptr, nullptr, "Table 7"},
        {&kNotebookTabs, 0, "Style", "tsTabs", "Table 8 TSkinTab"},
        {&kNotebookTabs, 0, "Style", "tsButtons", "Table 8 TSkinTabBtn"},
        {&kHeader, 0, nullptr, nullptr, "Table 9 TSkinHeader"},
        {&kTrackBar, 0, nullptr, nullptr, "Table 11 TSkinTrackBar"},
        {&kUpDown, 0, nullptr, nullptr, "Table 12 TSkinUpDown"},
        {&kSpinButton, 0, nullptr, nullptr, "Table 12 TSkinUpDown"},
        {&kMediaPlayer, 0, nullptr, nullptr, "Table 13 TSkinMP"},
        {&kRadioGroup, 0, nullptr, nullptr, "Table 14 TSkinGroupBox", 0, true},
        {&kNavigator, 0, nullptr, nullptr, "Table 15 TSkinBox", 0, true},
        {&kRzCheckBox, 0, nullptr, nullptr, "Table 16 TSkinObjImage", 0, true, AttachWay::Attach, 1},
        {&kRzRadioButton, 0, nullptr, nullptr, "Table 17 TSkinObjImage", 0, true, AttachWay::Attach, 2},
        {&kCxCheckBox, 0, nullptr, nullptr, "Table 18 TSkinObjImage", 0, true, AttachWay::Attach, 3},
        {&kGroupBox, 0, nullptr, nullptr, "Table 19 TSkinGroupBox"},
        {&kRadioButton, 0, nullptr, nullptr, "Table 20 TSkinRadioButton"},
        {&kStatusBar, 0, nullptr, nullptr, "Table 22 TSkinStatusBar"},
        {&kProgressBar, 0, nullptr, nullptr, "Table 23 TSkinProgress"},
        {&kScrollBox, 0, nullptr, nullptr, "Table 24 TSkinScControl", 0, false, AttachWay::OwnSetUp},
        {&kTntComboBox, 0, nullptr, nullptr, "Table 25 TSkinComBox"},
        {&kComboBox, 0, nullptr, nullptr, "Table 26 TSkinComBox"},
        {&kDateTime, 0, nullptr, nullptr, "Table 27 TSkinDateTime"},
        {&kDateTime, DTS_UPDOWN, nullptr, nullptr, "Table 27 TSkinEdit"},
        {&kDateTime, DTS_SHOWNONE, nullptr, nullptr, "Table 27 TSkinEdit"},
        {&kRichEdit, 0, nullptr, nullptr, "Table 28 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kWwRichEdit, 0, nullptr, nullptr, "Table 29 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kBitBtn, 0, nullptr, nullptr, "Table 30 TSkinBitButton"},
        {&kDxGrid, 0, nullptr, nullptr, "Table 33 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kListView, 0, nullptr, nullptr, "Table 34 TSkinListView", 0, false, AttachWay::AttachScrollBars},
        {&kListBox, 0, nullptr, nullptr, "Table 35 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kTreeView, 0, nullptr, nullptr, "Table 36 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kGrid, 0, nullptr, nullptr, "Table 37 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kScroller, WS_VSCROLL, nullptr, nullptr, "Table 37 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kScroller, WS_HSCROLL, nullptr, nullptr, "Table 37 TSkinScrollbar", 0, false, AttachWay::AttachScrollBars},
        {&kScroller, 0, nullptr, nullptr, "Table 40"},
        {&kButtonAncestor, 0, nullptr, nullptr, "Table 38 TSkinButton"},
        {&kEmbeddedForm, 0, nullptr, nullptr, "Table 40 TSkinBox", 0, true},
        {&kDcEdit, 0, "NumButtons", "1", "Table 41 TSkinComBox"},
        {&kDcDbEdit, 0, "NumButtons", "0", "Table 41 TSkinEdit", 0, false, AttachWay::AttachWindow},
        {&kDcEdit, 0, "NumButtons", "2", "Table 41"},
        {&kDcEdit, 0, "NumButtons", "many", "Table 41"},
        {&kComboBoxEh, 0, nullptr, nullptr, "Control 6"},
        {&kDesignerPage, 0, nullptr, nullptr, "Control 6"},
    };
    for (const ForeignCase& c : cases) {
        SCOPED_TRACE(std::string(c.info->name) + " " + c.step);
        ForeignControl& control = Foreign(*c.info, c.style);
        if (c.property != nullptr) {
            control.published[c.property] = c.value;
        }
        mapping.SkinControl(host, control, &form);
        const auto steps = recorder.For(&control);
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(Describe(steps[0]), c.step);
        if (steps[0].painter) {
            EXPECT_EQ(steps[0].painter->mode, c.mode);
            EXPECT_EQ(steps[0].painter->ownBackground, c.ownBackground);
            EXPECT_EQ(steps[0].painter->way, c.way);
            EXPECT_EQ(steps[0].painter->imageKind, c.imageKind);
        }
    }
}

TEST_F(MappingFixture, ASpeedButtonHasNoWindowAndSetsItselfUp) {
    auto& button = *new ForeignGraphic(&form, kSpeedButton);
    button.SetParent(&form);
    mapping.SkinControl(host, button, &form);
    ASSERT_TRUE(recorder.PainterOf(&button));
    EXPECT_EQ(FirstStep(recorder, &button), "Table 31 TSkinSpeedButton");
    EXPECT_EQ(recorder.PainterOf(&button)->way, AttachWay::OwnSetUp);
}

// A rule whose gate is off does not match; the next rule is tried.
TEST_F(MappingFixture, AClosedGateHandsTheControlToTheNextRule) {
    const struct {
        skin::TSkinControlType closed;
        const ui::ClassInfo* info;
        DWORD style;
        const char* step;
    } cases[] = {
        {skin::xcButton, &kButtonAncestor, 0, "Table 40"},
        {skin::xcBitBtn, &kBitBtn, 0, "Table 30"},  // the rules stop: not the push-button row
        {skin::xcScrollbar, &kScroller, WS_VSCROLL, "Table 40"},
        {skin::xcRadioButton, &kRadioGroup, 0, "Table 19 TSkinGroupBox"},
        {skin::xcTab, &kTabSet, 0, "Table 40"},
        {skin::xcCombo, &kComboBox, 0, "Table 40"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.info->name) + " " + c.step);
        skinData.SkinControls = skin::kDefaultSkinControls;
        skinData.SkinControls.Exclude(c.closed);
        ForeignControl& control = Foreign(*c.info, c.style);
        mapping.SkinControl(host, control, &form);
        EXPECT_EQ(FirstStep(recorder, &control), c.step);
    }

    // The tab rows also need the skin's tab picture.
    skinData.SkinControls = skin::kDefaultSkinControls;
    skinData.Tabs.reset();
    ForeignControl& tabs = Foreign(kTabSet);
    mapping.SkinControl(host, tabs, &form);
    EXPECT_EQ(FirstStep(recorder, &tabs), "Table 40");

    // A check box without its gate gets nothing, and a tool button without
    // menu skinning hands its menu item to no one.
    skinData.SkinControls.Exclude(skin::xcCheckBox);
    skinData.SkinControls.Exclude(skin::xcMainMenu);
    auto& check = Child<ui::CheckBox>(form, form);
    auto& bar = Child<ui::ToolBar>(form, form);
    auto& item = form.Create<ui::MenuItem>();
    auto& toolButton = form.Create<ui::ToolButton>();
    toolButton.SetParent(&bar);
    toolButton.SetMenuItem(&item);
    mapping.SkinControl(host, check, &form);
    mapping.SkinControl(host, toolButton, &form);
    EXPECT_EQ(FirstStep(recorder, &check), "Table 40");
    EXPECT_EQ(FirstStep(recorder, &toolButton), "Table 40");
    EXPECT_TRUE(host.menuItems.empty());
}

TEST_F(MappingFixture, GroupsAndContainersMapTheirChildren) {
    // A radio group: each button, then the group with the form colour.
    ForeignControl& group = Foreign(kRadioGroup);
    ForeignControl& first = Foreign(kRadioButton, 0, &group);
    ForeignControl& second = Foreign(kRadioButton, 0, &group);
    mapping.SkinControl(host, group, &form);
    EXPECT_EQ(mappingtest::Describe(recorder.steps),
              (std::vector<std::string>{"Table 14 TSkinRadioButton", "Table 14 TSkinRadioButton",
                                        "Table 14 TSkinGroupBox"}));
    EXPECT_EQ(recorder.steps[0].control, &first);
    EXPECT_EQ(recorder.steps[1].control, &second);

    // A group box and a navigator: children before and after the container.
    recorder.steps.clear();
    ForeignControl& box = Foreign(kGroupBox);
    ui::Button& inBox = Child<ui::Button>(form, box);
    mapping.SkinControl(host, box, &form);
    ForeignControl& navigator = Foreign(kNavigator);
    ui::Button& inNavigator = Child<ui::Button>(form, navigator);
    mapping.SkinControl(host, navigator, &form);
    ASSERT_EQ(recorder.steps.size(), 4u);
    EXPECT_EQ(recorder.steps[0].control, &inBox);
    EXPECT_EQ(Describe(recorder.steps[1]), "Table 19 TSkinGroupBox");
    EXPECT_EQ(Describe(recorder.steps[2]), "Table 15 TSkinBox");
    EXPECT_EQ(recorder.steps[3].control, &inNavigator);

    // A cool bar's bands take the form colour; a container class maps its children.
    skinData.Colours[skin::scButtonFace] = RGB(1, 2, 3);
    ForeignControl& coolBar = Foreign(kCoolBar);
    ui::Panel& band = Child<ui::Panel>(form, coolBar);
    mapping.SkinControl(host, coolBar, &form);
    EXPECT_EQ(band.GetColor(), RGB(1, 2, 3));
    ForeignControl& mvc = Foreign(kMvcPanel);
    ui::Edit& inMvc = Child<ui::Edit>(form, mvc);
    mapping.SkinControl(host, mvc, &form);
    EXPECT_EQ(FirstStep(recorder, &inMvc), "Table 39 TSkinEdit");
}

TEST_F(MappingFixture, FramesAndEmbeddedFormsMapTheirComponents) {
    ForeignControl& frame = Foreign(kFrame);
    auto& inFrame = *new ui::Button(&frame);
    inFrame.SetParent(&frame);
    ForeignControl& embedded = Foreign(kEmbeddedForm);
    auto& inForm = *new ui::CheckBox(&embedded);
    inForm.SetParent(&embedded);

    mapping.SkinControl(host, frame, &form);
    mapping.SkinControl(host, embedded, &form);

    EXPECT_EQ(FirstStep(recorder, &frame), "Table 40");
    EXPECT_EQ(FirstStep(recorder, &inFrame), "Table 38 TSkinButton");
    EXPECT_EQ(FirstStep(recorder, &embedded), "Table 40 TSkinBox");
    EXPECT_EQ(FirstStep(recorder, &inForm), "Table 10 TSkinCheckBox");
}

// ---------------------------------------------------------------- the steps before the table

TEST_F(MappingFixture, TheDisableTagKeepsAControlAndATaggedGroupsButtonsNative) {
    auto& button = Child<ui::Button>(form, form);
    button.tag = 99;
    ForeignControl& group = Foreign(kRadioGroup);
    ForeignControl& first = Foreign(kRadioButton, 0, &group);
    ForeignControl& second = Foreign(kRadioButton, 0, &group);
    group.tag = 99;
    ForeignControl& box = Foreign(kGroupBox);  // not a radio or check group
    ForeignControl& inBox = Foreign(kRadioButton, 0, &box);
    box.tag = 99;

    mapping.MapForm(host, form);

    EXPECT_EQ(Describe(recorder.For(&button)), std::vector<std::string>{"Control 1"});
    EXPECT_EQ(Describe(recorder.For(&group)), std::vector<std::string>{"Control 1"});
    EXPECT_EQ(first.tag, 99);
    EXPECT_EQ(second.tag, 99);
    EXPECT_EQ(Describe(recorder.For(&first)), std::vector<std::string>{"Control 1"});
    EXPECT_EQ(Describe(recorder.For(&second)), std::vector<std::string>{"Control 1"});
    // Only the groups pass the tag on.
    EXPECT_EQ(inBox.tag, 0);
    EXPECT_EQ(FirstStep(recorder, &inBox), "Table 20 TSkinRadioButton");

    // The tag is the skin data's.
    recorder.steps.clear();
    skinData.DisableTag = 7;
    button.tag = 7;
    mapping.SkinControl(host, button, &form);
    EXPECT_EQ(FirstStep(recorder, &button), "Control 1");
}

TEST_F(MappingFixture, OnSkinControlCanSupplyThePainterOrHandleTheControl) {
    auto& button = Child<ui::Button>(form, form);
    auto& panel = Child<ui::Panel>(form, form);
    auto& inPanel = Child<ui::Edit>(form, panel);
    auto& other = Child<ui::Button>(form, form);
    ui::Component handled(nullptr);
    struct Call {
        ui::Component* sender;
        ui::Control* form;
        ui::Control* control;
        std::string className;
    };
    std::vector<Call> calls;
    skinData.OnSkinControl = [&](ui::Component& sender, skin::TSkinData& data, ui::Control* owner,
                                 ui::Control* control, const std::string& className, ui::Component*& result) {
        EXPECT_EQ(&data, &skinData);
        calls.push_back({&sender, owner, control, className});
        if (control == &button || control == &panel) {
            result = new skin::TSkinControl(control);
        } else if (control == &other) {
            result = &handled;
        }
    };

    mapping.SkinControl(host, button, &form);
    mapping.SkinControl(host, panel, &form);
    mapping.SkinControl(host, other, &form);

    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].sender, &host.sender);
    EXPECT_EQ(calls[0].form, &form);
    EXPECT_EQ(calls[0].control, &button);
    EXPECT_EQ(calls[0].className, "TBUTTON");
    // The painter given is attached and registered; the rules stop.
    EXPECT_EQ(Describe(recorder.For(&button)), std::vector<std::string>{"Control 4"});
    EXPECT_TRUE(host.PaintsControl(button));
    EXPECT_TRUE(host.PaintsControl(panel));
    // The button's, the panel's, and the painter the edit in the panel got.
    ASSERT_EQ(host.registry.Painters().size(), 3u);
    EXPECT_TRUE(host.registry.Painters()[0]->Attached());
    // A panel given a painter has its children mapped (through the event too).
    EXPECT_EQ(FirstStep(recorder, &inPanel), "Table 39 TSkinEdit");
    EXPECT_EQ(calls[2].control, &inPanel);
    EXPECT_EQ(calls[2].form, &panel);
    // Anything else that is not empty: handled, nothing painted.
    EXPECT_EQ(Describe(recorder.For(&other)), std::vector<std::string>{"Control 4"});
    EXPECT_FALSE(host.PaintsControl(other));

    // Mapped again, the painted button is skipped before the event is asked.
    const size_t before = calls.size();
    recorder.steps.clear();
    mapping.SkinControl(host, button, &form);
    EXPECT_EQ(Describe(recorder.For(&button)), std::vector<std::string>{"Control 2"});
    EXPECT_EQ(calls.size(), before);
}

TEST_F(MappingFixture, ControlsWithoutParentOrSkinnedElsewhereAreLeftAlone) {
    auto& orphan = form.Create<ui::Button>();
    const ui::ClassInfo& info = kButtonAncestor;
    ForeignControl& skinnedElsewhere = Foreign(info);
    // Another module's painter answers the query.
    skinnedElsewhere.WindowProc = [&skinnedElsewhere](ui::Message& message) {
        if (message.msg == skin::SKM_QUERY) {
            message.result = 1;
            return;
        }
        skinnedElsewhere.DefaultWindowProc(message);
    };
    mapping.SkinControl(host, orphan, &form);
    mapping.SkinControl(host, skinnedElsewhere, &form);
    EXPECT_EQ(Describe(recorder.For(&orphan)), std::vector<std::string>{"Control 2"});
    EXPECT_EQ(Describe(recorder.For(&skinnedElsewhere)), std::vector<std::string>{"Control 2"});
}

TEST_F(MappingFixture, AControlGetsItsWindowDuringMappingOrIsSkipped) {
    ui::Form later(nullptr);  // no window yet
    later.SetBounds(60, 60, 200, 120);
    auto& button = later.Create<ui::Button>();
    button.SetParent(&later);
    ASSERT_FALSE(button.HandleAllocated());

    mapping.SkinControl(host, button, &later);
    EXPECT_TRUE(button.HandleAllocated());
    EXPECT_EQ(FirstStep(recorder, &button), "Table 38 TSkinButton");

    // Its window class cannot be had: the control keeps no window and no painter.
    ui::Form other(nullptr);
    other.SetBounds(80, 80, 200, 120);
    auto& broken = *new ForeignControl(&other, kButtonAncestor);
    broken.failCreation = true;
    broken.SetParent(&other);
    mapping.SkinControl(host, broken, &other);
    EXPECT_FALSE(broken.HandleAllocated());
    EXPECT_EQ(Describe(recorder.For(&broken)), std::vector<std::string>{"Control 3"});
}

TEST_F(MappingFixture, WithoutSkinDataNothingIsMapped) {
    struct NoSkinHost : mappingtest::TestHost {
        using TestHost::TestHost;
        skin::TSkinData* SkinData() const override { return nullptr; }
    } bare(skinData, form.Handle());
    auto& button = Child<ui::Button>(form, form);
    mapping.MapForm(bare, form);
    mapping.MapWindow(bare, form.Handle());
    EXPECT_TRUE(recorder.steps.empty());
    EXPECT_EQ(bare.deadDropped, 0);
    (void)button;
}

} // namespace
