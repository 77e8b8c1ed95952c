// The window shape: transparent parts of the frame pieces are cut out of the
// window, once per window size; and what a skinned window looks like on the
// screen.

#include "skin/forms/WinSkinForm.h"

#include <gtest/gtest.h>

#include "tests/skin/forms/FormPainterProbe.h"
#include "tests/skin/forms/FrameSkinFixture.h"
#include "tests/support/Pump.h"

#include <cstdlib>

namespace {

using formtest::FrameSkinPieces;

// The window's region, or none.
struct WindowRegion {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    int kind = ERROR;
    explicit WindowRegion(HWND window) { kind = GetWindowRgn(window, region); }
    ~WindowRegion() { DeleteObject(region); }
    WindowRegion(const WindowRegion&) = delete;
    WindowRegion& operator=(const WindowRegion&) = delete;
    bool Has() const { return kind == SIMPLEREGION || kind == COMPLEXREGION; }
    bool Contains(int x, int y) const { return PtInRegion(region, x, y) != 0; }
};

FrameSkinPieces CutCorners() {
    FrameSkinPieces spec;
    spec.trans[0] = spec.trans[1] = spec.trans[2] = spec.trans[3] = 1;
    spec.cornerCut = 3;
    return spec;
}

void Resize(HWND window, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST(FormRegion, TransparentCornersAreCut) {
    auto skin = formtest::LoadFrameSkin(CutCorners());
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    const SIZE outer = formtest::OuterSize(window.handle);
    const WindowRegion shape(window.handle);
    ASSERT_EQ(shape.kind, COMPLEXREGION);
    const struct {
        int x, y;
        bool inside;
    } points[] = {
        {0, 0, false},
        {2, 2, false},
        {outer.cx - 1, 0, false},
        {outer.cx - 3, 2, false},
        {3, 3, true},
        {0, 3, true},
        {outer.cx / 2, 0, true},  // the top piece has no transparent pixels
        {0, outer.cy - 1, true},
        {outer.cx / 2, outer.cy / 2, true},
    };
    for (const auto& p : points) {
        EXPECT_EQ(shape.Contains(p.x, p.y), p.inside) << p.x << "," << p.y;
    }
    skin::FormPainterProbe probe{*window.painter};
    EXPECT_TRUE(probe.RegionSet());
}

TEST(FormRegion, OpaqueSkinGivesTheWholeRectangle) {
    auto skin = formtest::LoadFrameSkin();  // no piece transparent
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    const SIZE outer = formtest::OuterSize(window.handle);
    const WindowRegion shape(window.handle);
    ASSERT_EQ(shape.kind, SIMPLEREGION);
    RECT box{};
    GetRgnBox(shape.region, &box);
    const RECT whole{0, 0, outer.cx, outer.cy};
    EXPECT_TRUE(EqualRect(&box, &whole));
}

TEST(FormRegion, OnlyATransparentBottomStillShapes) {
    FrameSkinPieces spec;
    spec.trans[3] = 1;
    spec.bottomCut = 2;
    auto skin = formtest::LoadFrameSkin(spec);
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    const SIZE outer = formtest::OuterSize(window.handle);
    const int left = window.painter->BorderLeft();
    const WindowRegion shape(window.handle);
    ASSERT_EQ(shape.kind, COMPLEXREGION);
    EXPECT_FALSE(shape.Contains(left, outer.cy - 1));       // the bottom piece's cut end
    EXPECT_TRUE(shape.Contains(left + 2, outer.cy - 1));
    EXPECT_TRUE(shape.Contains(left - 1, outer.cy - 1));    // the opaque left piece
    EXPECT_TRUE(shape.Contains(0, 0));
}

TEST(FormRegion, BuiltOncePerSizeAndLeftAloneWhenMinimised) {
    auto skin = formtest::LoadFrameSkin(CutCorners());
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    const HWND h = window.handle;
    ASSERT_TRUE(WindowRegion(h).Has());

    // Taken away behind the painter's back: a WM_SIZE at the same size does
    // not build it again.
    SetWindowRgn(h, nullptr, FALSE);
    const SIZE outer = formtest::OuterSize(h);
    SendMessageW(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(outer.cx, outer.cy));
    EXPECT_FALSE(WindowRegion(h).Has());

    // A new size builds it for that size.
    Resize(h, 400, 300);
    {
        const WindowRegion shape(h);
        ASSERT_TRUE(shape.Has());
        EXPECT_FALSE(shape.Contains(399, 0));
        EXPECT_TRUE(shape.Contains(399, 5));
    }

    // Minimised: the region stays as it was.
    SetWindowRgn(h, nullptr, FALSE);
    SendMessageW(h, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(window.painter->WindowState(), skin::WindowState::Minimised);
    EXPECT_FALSE(WindowRegion(h).Has());

    // Maximised and restored windows get it for their new size.
    ShowWindow(h, SW_MAXIMIZE);
    EXPECT_EQ(window.painter->WindowState(), skin::WindowState::Maximised);
    EXPECT_TRUE(WindowRegion(h).Has());
    SetWindowRgn(h, nullptr, FALSE);
    ShowWindow(h, SW_RESTORE);
    EXPECT_EQ(window.painter->WindowState(), skin::WindowState::Normal);
    EXPECT_TRUE(WindowRegion(h).Has());
}

TEST(FormRegion, DropRegionForgetsIt) {
    auto skin = formtest::LoadFrameSkin(CutCorners());
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    window.painter->DropRegion();
    EXPECT_FALSE(WindowRegion(window.handle).Has());
    skin::FormPainterProbe probe{*window.painter};
    EXPECT_FALSE(probe.RegionSet());
    // Forgotten, so the same size builds it again.
    window.painter->UpdateRegion();
    EXPECT_TRUE(WindowRegion(window.handle).Has());
}

// A skinned toolkit form and a skinned system dialog on the screen: the
// pieces where they belong, the cut corners showing what lies beneath.
// FORM_SHOT_HOLD_MS keeps them up for a screenshot.
TEST(FormRegion, SkinnedWindowsOnTheScreen) {
    FrameSkinPieces spec = CutCorners();
    spec.captionButtons = true;
    spec.personality = "TextShift=8\n";
    auto skin = formtest::LoadFrameSkin(spec);

    formtest::BareWindow backdrop = formtest::MakeBareWindow(nullptr, 900, 500, WS_POPUP);
    SetWindowPos(backdrop.handle, HWND_BOTTOM, 0, 0, 900, 500, SWP_NOACTIVATE);
    HDC backdropDc = GetDC(backdrop.handle);
    const RECT all{0, 0, 900, 500};
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(backdropDc, &all, black);

    formtest::SkinnedForm form = formtest::MakeSkinnedForm(*skin->data, 300, 200, true, ui::BorderStyle::Sizeable,
                                                           L"Skinned form 窗口");
    SetWindowPos(form.Handle(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    formtest::BareWindow dialog = formtest::MakeBareWindow(nullptr, 260, 160, WS_POPUP | WS_CAPTION | WS_SYSMENU |
                                                                               DS_MODALFRAME, false, nullptr,
                                                           L"#32770", L"系统对话框 #32770");
    SetWindowPos(dialog.handle, HWND_TOP, 420, 60, 0, 0, SWP_NOSIZE);
    dialog.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
    dialog.painter->SetWindow(dialog.handle);
    dialog.painter->AttachToWindow(*skin->data);
    formtest::RunSetup(dialog.handle);
    SetForegroundWindow(form.Handle());
    FillRect(backdropDc, &all, black);
    ReleaseDC(backdrop.handle, backdropDc);
    DeleteObject(black);
    formtest::Settle(form.Handle());
    formtest::Settle(dialog.handle);

    for (HWND h : {form.Handle(), dialog.handle}) {
        const SIZE outer = formtest::OuterSize(h);
        const bool active = GetForegroundWindow() == h;
        const int look = active ? 0 : 1;
        SCOPED_TRACE(active ? "active window" : "inactive window");
        EXPECT_EQ(formtest::WindowPixel(h, 1, 100), formtest::RgbOf(formtest::kLeftColours[look]));
        EXPECT_EQ(formtest::WindowPixel(h, outer.cx - 2, 100), formtest::RgbOf(formtest::kRightColours[look]));
        EXPECT_EQ(formtest::WindowPixel(h, outer.cx / 2, outer.cy - 2),
                  formtest::RgbOf(formtest::kBottomColours[look]));
        EXPECT_EQ(formtest::WindowPixel(h, 0, 0), RGB(0, 0, 0));  // the backdrop through the cut corner
        EXPECT_EQ(formtest::WindowPixel(h, outer.cx - 1, 0), RGB(0, 0, 0));
    }
    if (const char* hold = std::getenv("FORM_SHOT_HOLD_MS")) {
        testsupport::HoldOnScreen(DWORD(std::atoi(hold)));
    }
}

} // namespace
