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

namespace {

// A white memory DC the tool-bar handlers draw on through the bar's canvas.
struct WhiteSurface {
    WhiteSurface(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~WhiteSurface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    WhiteSurface(const WhiteSurface&) = delete;
    WhiteSurface& operator=(const WhiteSurface&) = delete;
    bool White(int x, int y) const { return GetPixel(dc, x, y) == RGB(255, 255, 255); }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

TEST_F(ManagerFixture, ToolBarsDrawTheSkinsButtonFramesAndBackground) {
    ui::Form& form = NewForm();
    auto& bar = form.Create<ui::ToolBar>();
    bar.SetParent(&form);
    auto& button = form.Create<ui::ToolButton>();
    button.SetParent(&bar);
    form.Show();
    skin::TWinSkinForm* painter = manager->FindFormPainter(form.Handle());
    ASSERT_NE(painter, nullptr);
    testsupport::PumpUntil([&] { return painter->State() == skin::PainterState::Running; });
    ASSERT_NE(data->Buttons, nullptr);

    const RECT b = button.BoundsRect();
    ASSERT_GT(b.right - b.left, 4);
    const int cx = (b.left + b.right) / 2;
    const int cy = (b.top + b.bottom) / 2;
    const auto drawButton = [&](ui::CustomDrawState state) {
        WhiteSurface surface(b.right + 4, b.bottom + 4);
        bar.GetCanvas().SetHandle(surface.dc);
        bool defaultDraw = true;
        painter->ToolbarCustomDrawButton(bar, button, state, defaultDraw);
        bar.GetCanvas().SetHandle(nullptr);
        // Drawn inside the bounds shrunk by one pixel; the edge stays.
        EXPECT_TRUE(surface.White(b.left, b.top));
        return !surface.White(cx, cy);
    };
    EXPECT_TRUE(drawButton(ui::cdsHot));
    EXPECT_TRUE(drawButton(ui::cdsSelected));
    EXPECT_TRUE(drawButton(ui::cdsDefault));
    EXPECT_FALSE(drawButton(ui::cdsDefault | ui::cdsDisabled));
    EXPECT_FALSE(drawButton(0));
    data->Options.Include(skin::xoToolbarButton);
    EXPECT_FALSE(drawButton(ui::cdsHot));

    // The bar's background only when the options ask for it.
    const auto drawBar = [&] {
        WhiteSurface surface(40, 20);
        bar.GetCanvas().SetHandle(surface.dc);
        bool defaultDraw = true;
        painter->ToolbarCustomDraw(bar, RECT{0, 0, 40, 20}, defaultDraw);
        bar.GetCanvas().SetHandle(nullptr);
        return !surface.White(20, 10);
    };
    EXPECT_FALSE(drawBar());
    data->Options.Exclude(skin::xoToolbarBK);
    EXPECT_TRUE(drawBar());
}

} // namespace
