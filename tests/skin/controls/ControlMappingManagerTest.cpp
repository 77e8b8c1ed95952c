// The program's windows are mapped by the rules: the manager carries the
// control mapping from the start, and a form painter's set-up runs it.

#include "skin/controls/ControlMapping.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/controls/ManagerFixture.h"
#include "tests/skin/controls/MappingFixture.h"
#include "ui/Button.h"

#include <gtest/gtest.h>

namespace {

using managertest::ManagerFixture;

TEST_F(ManagerFixture, ASkinnedFormsControlsAreMappedByTheRules) {
    auto* mapping = dynamic_cast<skin::ControlMapping*>(manager->Mapper());
    ASSERT_NE(mapping, nullptr);
    mappingtest::Recorder recorder;
    mapping->SetTrace(recorder.Trace());

    ui::Form& form = NewForm();
    auto& button = form.Create<ui::Button>();
    button.SetParent(&form);
    auto& bar = form.Create<ui::ToolBar>();
    bar.SetParent(&form);
    auto& ownDrawing = form.Create<ui::ToolBar>();
    ownDrawing.SetParent(&form);
    int ownCalls = 0;
    ownDrawing.OnCustomDraw = [&ownCalls](ui::ToolBar&, const RECT&, bool&) { ++ownCalls; };
    form.Show();
    ASSERT_NE(manager->FindFormPainter(form.Handle()), nullptr);
    testsupport::PumpUntil([&] { return recorder.PainterOf(&bar).has_value(); });

    ASSERT_FALSE(recorder.For(&button).empty());
    EXPECT_EQ(mappingtest::Describe(recorder.For(&button).front()), "Table 38 TSkinButton");
    EXPECT_EQ(mappingtest::Describe(recorder.For(&bar).front()), "Table 21 TSkinBox");
    // The tool bars draw from the skin through the form painter; a handler
    // of the program's own stays where it is.
    EXPECT_TRUE(bar.Flat());
    EXPECT_TRUE(bar.OnCustomDraw);
    EXPECT_TRUE(bar.OnCustomDrawButton);
    EXPECT_TRUE(ownDrawing.OnCustomDrawButton);
    const int callsBefore = ownCalls;
    bool defaultDraw = true;
    ownDrawing.OnCustomDraw(ownDrawing, RECT{}, defaultDraw);
    EXPECT_EQ(ownCalls, callsBefore + 1);

    // Unskinned, the form painter takes back what it set, and only that.
    data->SetActive(false);
    managertest::RunCommands(*data);
    EXPECT_EQ(manager->FindFormPainter(form.Handle()), nullptr);
    EXPECT_FALSE(bar.OnCustomDraw);
    EXPECT_FALSE(bar.OnCustomDrawButton);
    EXPECT_FALSE(ownDrawing.OnCustomDrawButton);
    ASSERT_TRUE(ownDrawing.OnCustomDraw);
    mapping->SetTrace({});
}

} // namespace
