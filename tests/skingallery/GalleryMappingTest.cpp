// The gallery's controls are skinned exactly where the control mapping gives
// them a painter, and stay the same to assistive technology with the skin on
// and off.

#include "tests/skingallery/GalleryFixture.h"
#include "tests/support/AccessibleReading.h"
#include "tests/support/OleTestEnvironment.h"

#include <commctrl.h>

#include <cstdio>
#include <optional>

namespace {

using gallerytest::GalleryFixture;
using testsupport::PumpUntil;

std::string NameOf(const ui::Component& control) {
    return control.name.empty() ? "(" + std::string(control.Class().name) + ")" : control.name;
}

// "Table 38 TSkinButton made" for each step that asked for a painter.
std::string PainterSteps(const mappingtest::Recorder& recorder, const ui::Component& control) {
    std::string text;
    for (const skin::MappingStep& step : recorder.For(&control)) {
        if (step.painter) {
            text += (text.empty() ? "" : "; ") + mappingtest::Describe(step) + (step.made ? " made" : " not built yet");
        }
    }
    return text.empty() ? "no painter" : text;
}

TEST_F(GalleryFixture, EveryControlAnswersTheSkinQueryAsTheMappingDecided) {
    ASSERT_NE(mapping, nullptr);
    ASSERT_TRUE(skinned);
    int painted = 0;
    for (ui::WinControl* control : WindowedControls()) {
        const std::string name = NameOf(*control);
        SCOPED_TRACE(name);
        const LRESULT answer = Query(*control);
        EXPECT_EQ(answer, ExpectedQueryAnswer(*control)) << PainterSteps(recorder, *control);
        EXPECT_EQ(FormPainterPaints(*control), MadePainter(*control).has_value());
        painted += answer == 1 ? 1 : 0;
        std::printf("[gallery] %-24s %-14s SKM_QUERY %d  %s\n", name.c_str(), std::string(control->Class().name).c_str(),
                    int(answer), PainterSteps(recorder, *control).c_str());
    }
    // The painters the engine has: these kinds must be among the skinned.
    for (const char* name : {"ButtonNormal", "ButtonDisabled", "BitBtnOk", "DropDownButton1", "CheckChecked",
                             "CheckDisabledGrayed", "RadioChecked", "RadioDisabledChecked", "EditNormal",
                             "EditPassword", "EditReadOnly"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Query(Control(name)), 1);
    }
    EXPECT_GE(painted, 20);
    // The common controls: each gets the painter its rule names and answers
    // the query; the static text alone has no rule.
    using skin::PainterKind;
    const struct {
        const char* name;
        std::optional<PainterKind> painter;
    } common[] = {
        {"RadioGroup1", PainterKind::GroupBox},
        {"Memo1", PainterKind::Scrollbar},
        {"ListBox1", PainterKind::Scrollbar},
        {"ComboDropDown", PainterKind::ComBox},
        {"ComboDropDownList", PainterKind::ComBox},
        {"ComboSimple", PainterKind::ComBox},
        {"ComboBoxEx1", PainterKind::ComBox},
        {"UpDown1", PainterKind::UpDown},
        {"UpDownHorizontal", PainterKind::UpDown},
        {"DateTimePicker1", PainterKind::DateTime},
        {"ScrollBarHorizontal", PainterKind::ScControl},
        {"ScrollBarVertical", PainterKind::ScControl},
        {"ScrollBox1", PainterKind::ScControl},
        {"ScrollBoxEdit", PainterKind::Edit},
        {"ListView1", PainterKind::ListView},
        {"TabTop", PainterKind::Tab},
        {"TabBottom", PainterKind::Tab},
        {"TabLeft", PainterKind::Tab},
        {"TabRight", PainterKind::Tab},
        {"PageControl1", PainterKind::Tab},
        {"TabSet1", PainterKind::Tab31},
        {"HeaderControl1", PainterKind::Header},
        {"ProgressHorizontal", PainterKind::Progress},
        {"ProgressVertical", PainterKind::Progress},
        {"TrackBar1", PainterKind::TrackBar},
        {"TrackBarVertical", PainterKind::TrackBar},
        {"StatusBar1", PainterKind::StatusBar},
        {"MediaPlayer1", PainterKind::MediaPlayer},
        {"StaticText1", std::nullopt},
    };
    for (const auto& row : common) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MadePainter(Control(row.name)), row.painter);
        EXPECT_EQ(Query(Control(row.name)), row.painter ? 1 : 0);
    }
    // Children the painters reach through their parents: the radio group's
    // buttons, the page control's sheets, the list view's header.
    for (const char* parent : {"RadioGroup1", "PageControl1"}) {
        SCOPED_TRACE(parent);
        ASSERT_FALSE(Control(parent).Controls().empty());
        for (ui::Control* child : Control(parent).Controls()) {
            EXPECT_EQ(Query(dynamic_cast<ui::WinControl&>(*child)), 1);
        }
    }
    const HWND header = FindWindowExW(Control("ListView1").Handle(), nullptr, WC_HEADERW, nullptr);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageW(header, skin::SKM_QUERY, 0, 0), 1);
    // The panels and the tool bar take the form colour through box painters.
    for (const char* name : {"PanelRaised", "ToolBar1"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(MadePainter(Control(name)), std::optional(skin::PainterKind::Box));
    }
    // The form itself is skinned, and its speed buttons (no windows of their
    // own) were given painters too.
    EXPECT_EQ(SendMessageW(form->Handle(), skin::SKM_QUERY, 0, 0), 1);
    for (const char* name : {"SpeedLeft", "SpeedMiddle", "SpeedFlat", "SpeedDisabled"}) {
        SCOPED_TRACE(name);
        const auto request = recorder.PainterOf(form->FindComponent(name));
        ASSERT_TRUE(request.has_value());
        EXPECT_EQ(request->kind, skin::PainterKind::SpeedButton);
    }
    gallerytest::OfferScreenshot(form->Handle(), L"gallery-default-skin");
}

TEST_F(GalleryFixture, SkinnedControlsReadTheSameToAssistiveTechnologyWithTheSkinOff) {
    ASSERT_TRUE(skinned);
    testsupport::AccessibleReading probe;
    if (const HRESULT answer = testsupport::ReadAccessible(Control("ButtonNormal").Handle(), probe);
        answer == E_NOINTERFACE) {
        // Wine's accessibility layer has no client object for these windows; Windows has.
        GTEST_SKIP() << "AccessibleObjectFromWindow answers E_NOINTERFACE";
    }
    struct Reading {
        ui::WinControl* control;
        testsupport::AccessibleReading skinned;
    };
    std::vector<Reading> readings;
    for (ui::WinControl* control : WindowedControls()) {
        if (Query(*control) != 1) {
            continue;
        }
        Reading reading{control, {}};
        ASSERT_EQ(testsupport::ReadAccessible(control->Handle(), reading.skinned), S_OK) << NameOf(*control);
        readings.push_back(reading);
    }
    ASSERT_FALSE(readings.empty());

    ASSERT_TRUE(SwitchAndWait([this] { form->SetSkinEnabled(false); }));
    for (const Reading& reading : readings) {
        SCOPED_TRACE(NameOf(*reading.control));
        ASSERT_EQ(Query(*reading.control), 0);
        testsupport::AccessibleReading unskinned;
        ASSERT_EQ(testsupport::ReadAccessible(reading.control->Handle(), unskinned), S_OK);
        EXPECT_EQ(reading.skinned.name, unskinned.name);
        EXPECT_EQ(reading.skinned.role, unskinned.role);
        EXPECT_EQ(reading.skinned.state, unskinned.state);
    }
}

TEST_F(GalleryFixture, SkinningOffAndOnAgainGivesTheSameControlsTheirPainters) {
    ASSERT_TRUE(skinned);
    std::vector<ui::WinControl*> controls = WindowedControls();
    std::vector<LRESULT> before;
    for (ui::WinControl* control : controls) {
        before.push_back(Query(*control));
    }

    ASSERT_TRUE(SwitchAndWait([this] { form->SetSkinEnabled(false); }));
    EXPECT_FALSE(form->SkinEnabledItem().Checked());
    EXPECT_FALSE(form->PopupSkinEnabledItem().Checked());
    EXPECT_NE(form->Caption().find(L"皮肤已关闭"), std::wstring::npos);
    EXPECT_EQ(SendMessageW(form->Handle(), skin::SKM_QUERY, 0, 0), 0);
    for (ui::WinControl* control : controls) {
        SCOPED_TRACE(NameOf(*control));
        EXPECT_EQ(Query(*control), 0);
    }

    ASSERT_TRUE(SwitchAndWait([this] { form->SetSkinEnabled(true); }));
    ASSERT_TRUE(PumpUntil([&] { return Query(Control("ButtonNormal")) == 1; }, 15000));
    testsupport::PumpPostedMessages();
    EXPECT_TRUE(form->SkinEnabledItem().Checked());
    EXPECT_EQ(form->Caption(), L"皮肤画廊 - 默认皮肤");
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(NameOf(*controls[i]));
        EXPECT_EQ(Query(*controls[i]), before[i]);
    }
}

} // namespace
