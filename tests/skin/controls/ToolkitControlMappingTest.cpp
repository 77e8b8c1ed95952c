// The toolkit's tab, page, header, bar and media controls through the control
// mapping: each gets the rule and the painter its class names, and the
// painter is really attached. A panel takes the form colour while skinned
// and its own colour back once skinning is switched off (read by pixel).

#include "skin/controls/ControlMapping.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinMessages.h"
#include "tests/skin/controls/ButtonPainterFixture.h"
#include "tests/skin/controls/MappingFixture.h"
#include "ui/HeaderControl.h"
#include "ui/MediaPlayer.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"
#include "ui/StatusBar.h"
#include "ui/TabSet.h"
#include "ui/TrackBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using mappingtest::Describe;
using mappingtest::MappingFixture;

template <class T>
T& Child(ui::Form& form, ui::WinControl& parent, int top = 10) {
    T& control = form.Create<T>();
    control.SetAlign(ui::Align::None);
    control.SetBounds(10, top, 120, 40);
    control.SetParent(&parent);
    return control;
}

TEST_F(MappingFixture, TabBarAndMediaControlsGetTheirPainters) {
    auto& tabs = Child<ui::TabControl>(form, form);
    tabs.AddTab(L"甲");
    auto& pages = Child<ui::PageControl>(form, form, 60);
    auto& sheet = form.Create<ui::TabSheet>();
    sheet.SetPageControl(&pages);
    auto& buttonPages = Child<ui::PageControl>(form, form, 110);
    buttonPages.SetStyle(ui::TabStyle::Buttons);
    auto& tabSet = Child<ui::TabSet>(form, form, 160);
    auto& header = Child<ui::HeaderControl>(form, form, 200);
    auto& status = Child<ui::StatusBar>(form, form, 240);
    auto& progress = Child<ui::ProgressBar>(form, form, 280);
    auto& track = Child<ui::TrackBar>(form, form, 300);
    auto& player = Child<ui::MediaPlayer>(form, form, 340);

    mapping.MapForm(host, form);

    const struct {
        const ui::Control* control;
        const char* step;
        int mode;
    } cases[] = {
        {&tabs, "Table 1 TSkinTab", 2},
        {&pages, "Table 1 TSkinTab", 0},
        {&sheet, "Table 5 TSkinTabSheet", 0},
        {&buttonPages, "Table 1 TSkinTabBtn", 0},
        {&tabSet, "Table 4 TSkinTab31", 0},
        {&header, "Table 9 TSkinHeader", 0},
        {&status, "Table 22 TSkinStatusBar", 0},
        {&progress, "Table 23 TSkinProgress", 0},
        {&track, "Table 11 TSkinTrackBar", 0},
        {&player, "Table 13 TSkinMP", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control->ClassName()) + " " + c.step);
        const auto steps = recorder.For(c.control);
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(Describe(steps.front()), c.step);
        ASSERT_TRUE(steps.front().painter.has_value());
        EXPECT_EQ(steps.front().painter->mode, c.mode);
        // The factory made the painter and it sits in front of the control.
        EXPECT_TRUE(host.PaintsControl(*c.control));
        auto* windowed = dynamic_cast<const ui::WinControl*>(c.control);
        ASSERT_NE(windowed, nullptr);
        EXPECT_EQ(SendMessageW(windowed->HandleIfAllocated(), skin::SKM_QUERY, 0, 0), 1);
    }

    // The media player's button panel lies over it and is passed over by the
    // mapping (the disable tag).
    skin::TSkinMP* playerPainter = nullptr;
    for (skin::TSkinControl* painter : host.registry.Painters()) {
        if (painter->Control() == &player) {
            playerPainter = dynamic_cast<skin::TSkinMP*>(painter);
        }
    }
    ASSERT_NE(playerPainter, nullptr);
    ASSERT_NE(playerPainter->Panel(), nullptr);
    EXPECT_EQ(playerPainter->Panel()->BoundsRect().left, player.Left());
    EXPECT_EQ(playerPainter->Panel()->BoundsRect().top, player.Top());
    EXPECT_EQ(playerPainter->Panel()->tag, skinData.DisableTag);
    const size_t stepsBefore = recorder.steps.size();
    mapping.SkinControl(host, *playerPainter->Panel(), &form);
    for (size_t i = stepsBefore; i < recorder.steps.size(); ++i) {
        EXPECT_FALSE(recorder.steps[i].painter.has_value());
    }
}

TEST_F(MappingFixture, PanelTakesTheFormColourAndGetsItsOwnBackWhenSkinningStops) {
    constexpr ui::Color kOwn = 0x00AA00;
    constexpr ui::Color kFormColour = 0x3070B0;
    skinData.Colours[skin::scButtonFace] = kFormColour;
    auto& panel = Child<ui::Panel>(form, form);
    panel.SetBevelOuter(ui::Bevel::None);
    panel.SetColor(kOwn);
    mapping.MapForm(host, form);

    EXPECT_EQ(buttontest::ClientSnapshot(panel.Handle()).PixelAt(20, 20), kFormColour);
    host.registry.FreeAll(true);
    EXPECT_EQ(buttontest::ClientSnapshot(panel.Handle()).PixelAt(20, 20), kOwn);
    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "True");
}

} // namespace
