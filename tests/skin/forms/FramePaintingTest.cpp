// Painting the skinned frame: which piece and which look lands where, the
// minimised caption strip, and where the title text goes.

#include "skin/forms/WinSkinForm.h"

#include <gtest/gtest.h>

#include "tests/skin/forms/FormPainterProbe.h"
#include "tests/skin/forms/FrameSkinFixture.h"

#include <string>

namespace {

using formtest::FrameSkinPieces;
using skintest::ColorOf;

struct Painted {
    ui::Bitmap image;
    ui::Color At(int x, int y) const { return image.PixelAt(x, y); }
};

// The whole frame painted into a bitmap of the window's size.
Painted PaintFrame(skin::TWinSkinForm& painter, HWND window) {
    const SIZE outer = formtest::OuterSize(window);
    Painted painted{ui::Bitmap(outer.cx, outer.cy)};
    painted.image.Fill(ui::clBlack);
    painter.RepaintFrame(painted.image.GetCanvas().Handle());
    return painted;
}

TEST(FramePainting, ActiveAndInactiveLooks) {
    FrameSkinPieces spec;
    spec.bottomFrames = 1;  // a single frame serves both looks
    auto skin = formtest::LoadFrameSkin(spec);
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    skin::FormPainterProbe probe{*window.painter};
    const SIZE outer = formtest::OuterSize(window.handle);
    const int bottomHeight = window.painter->BorderBottom();
    ASSERT_EQ(bottomHeight, 10);

    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        probe.SetActive(active);
        const Painted p = PaintFrame(*window.painter, window.handle);
        const int look = active ? 0 : 1;
        EXPECT_EQ(p.At(1, 120), ColorOf(formtest::kLeftColours[look]));
        EXPECT_EQ(p.At(outer.cx - 2, 120), ColorOf(formtest::kRightColours[look]));
        EXPECT_EQ(p.At(250, 2), ColorOf(formtest::kTopColours[look]));
        EXPECT_EQ(p.At(150, outer.cy - 2), ColorOf(formtest::kBottomColours[0]));
        // The caption band's corners are the side pieces' caption parts.
        EXPECT_EQ(p.At(1, 10), ColorOf(formtest::kLeftColours[look]));
        EXPECT_EQ(p.At(outer.cx - 2, 10), ColorOf(formtest::kRightColours[look]));
        // The client area is not painted.
        EXPECT_EQ(p.At(150, 120), ui::clBlack);
    }
}

TEST(FramePainting, MinimisedWindowPaintsACaptionStrip) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    skin::FormPainterProbe probe{*window.painter};
    probe.SetActive(true);
    probe.SetWindowState(skin::WindowState::Minimised);
    const SIZE outer = formtest::OuterSize(window.handle);
    const int caption = window.painter->CaptionHeight();

    const Painted p = PaintFrame(*window.painter, window.handle);
    const ui::Color face = ColorOf(formtest::kButtonFace);
    // The top piece over the whole width, corners included, and nothing of the sides or bottom.
    EXPECT_EQ(p.At(1, 5), ColorOf(formtest::kTopColours[0]));
    EXPECT_EQ(p.At(outer.cx - 2, 5), ColorOf(formtest::kTopColours[0]));
    EXPECT_EQ(p.At(1, caption + 5), face);
    EXPECT_EQ(p.At(outer.cx - 2, caption + 5), face);
    EXPECT_EQ(p.At(150, outer.cy - 2), face);
}

// The caption text: prefix and suffix around the window text, the alignment
// rules, the dialog's left shift and the right clip.
TEST(FramePainting, TitlePlacement) {
    struct Case {
        const char* name;
        std::string personality;
        DWORD style;
        const wchar_t* className;
        // the expected offset of the title from the caption's left, from the
        // caption width cw and the title width tw
        int (*dx)(int cw, int tw);
        bool dialog;
    };
    const Case cases[] = {
        {"left with shift", "TextShift=10\nTextRightClip=20\nTextAlignment=0\n", WS_OVERLAPPEDWINDOW, nullptr,
         [](int, int) { return 10; }, false},
        {"centred", "TextShift=10\nTextRightClip=20\nTextAlignment=1\n", WS_OVERLAPPEDWINDOW, nullptr,
         [](int cw, int tw) { return (cw - tw) / 2; }, false},
        {"right before the clip", "TextShift=10\nTextRightClip=20\nTextAlignment=2\n", WS_OVERLAPPEDWINDOW, nullptr,
         [](int cw, int tw) { return cw - 20 - tw; }, false},
        {"unknown alignment", "TextShift=10\nTextAlignment=7\n", WS_OVERLAPPEDWINDOW, nullptr,
         [](int, int) { return 0; }, false},
        {"dialog shifted left", "TextShift=30\nTextAlignment=0\n", WS_POPUP | WS_CAPTION | DS_MODALFRAME, L"#32770",
         [](int, int) { return 30; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameSkinPieces spec;
        spec.personality = c.personality;
        auto skin = formtest::LoadFrameSkin(spec);
        formtest::BareWindow window =
            formtest::MakeBareWindow(skin->data.get(), 400, 200, c.style, true, nullptr, c.className, L"Abc");
        skin::FormPainterProbe probe{*window.painter};
        const Painted p = PaintFrame(*window.painter, window.handle);
        (void)p;

        SIZE framed{};
        {
            HDC dc = GetDC(window.handle);
            HGDIOBJ old = SelectObject(dc, probe.CaptionFont());
            GetTextExtentPoint32W(dc, L"  Abc ", 6, &framed);
            SelectObject(dc, old);
            ReleaseDC(window.handle, dc);
        }
        const int captionLeft = window.painter->BorderLeft();
        const int cw = formtest::OuterSize(window.handle).cx - captionLeft - window.painter->BorderRight();
        const RECT title = probe.TitleRect();
        const int dx = c.dx(cw, framed.cx);
        // Two spaces, the text, one space; a dialog's title starts 16 pixels further left.
        EXPECT_EQ(title.right - captionLeft, dx + framed.cx);
        EXPECT_EQ(title.left - captionLeft, dx - (c.dialog ? 16 : 0));
    }
}

TEST(FramePainting, LongTitleIsClippedBeforeTheRightClip) {
    FrameSkinPieces spec;
    spec.personality = "TextShift=10\nTextRightClip=40\n";
    auto skin = formtest::LoadFrameSkin(spec);
    const std::wstring longText(200, L'W');
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 300, 200, WS_OVERLAPPEDWINDOW, true,
                                                           nullptr, nullptr, longText.c_str());
    skin::FormPainterProbe probe{*window.painter};
    PaintFrame(*window.painter, window.handle);
    const int captionRight = formtest::OuterSize(window.handle).cx - window.painter->BorderRight();
    EXPECT_EQ(probe.TitleRect().right, captionRight - 40);
    EXPECT_EQ(probe.TitleTextRect().right, captionRight - 40);
}

// A popup's title stops 5 pixels before the widest right-aligned button
// shown. The title is measured before the buttons are laid out, so the first
// paint after an activation change must already use the new visibility.
TEST(FramePainting, PopupTitleClipFollowsTheButtonsShownNow) {
    const struct {
        const char* name;
        int visibility;  // of a right-aligned button at Xcoord 60
        int clipActive;  // buttons' width once active (after an inactive paint)
        int clipInactive;
    } cases[] = {
        {"shown only while active", 3, 60, 40},
        {"shown only while inactive", 4, 40, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrameSkinPieces spec;
        spec.captionButtons = true;  // close at Xcoord 20, minimise at 40, always shown
        spec.sections = "[Button2]\nButtonImage=min.bmp\nAction=15\nAlign=1\nXcoord=60\nYcoord=4\nVisibility=" +
                        std::to_string(c.visibility) + "\nframe=4\n";
        auto skin = formtest::LoadFrameSkin(spec);
        const std::wstring longText(200, L'W');
        formtest::BareWindow window =
            formtest::MakeBareWindow(skin->data.get(), 400, 200, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                     true, nullptr, nullptr, longText.c_str());
        skin::FormPainterProbe probe{*window.painter};
        const int captionRight = formtest::OuterSize(window.handle).cx - window.painter->BorderRight();

        probe.SetActive(false);
        PaintFrame(*window.painter, window.handle);
        EXPECT_EQ(probe.TitleRect().right, captionRight - c.clipInactive - 5);
        probe.SetActive(true);
        PaintFrame(*window.painter, window.handle);
        EXPECT_EQ(probe.TitleRect().right, captionRight - c.clipActive - 5);
        probe.SetActive(false);
        PaintFrame(*window.painter, window.handle);
        EXPECT_EQ(probe.TitleRect().right, captionRight - c.clipInactive - 5);
    }
}

TEST(FramePainting, VerticalTextShiftCountsHalf) {
    int baseTop = 0;
    const struct {
        int shift;
        int moved;
    } cases[] = {{0, 0}, {2, 1}, {3, 1}, {4, 2}, {-2, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shift);
        FrameSkinPieces spec;
        spec.personality = "TextShiftVert=" + std::to_string(c.shift) + "\n";
        auto skin = formtest::LoadFrameSkin(spec);
        formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
        skin::FormPainterProbe probe{*window.painter};
        PaintFrame(*window.painter, window.handle);
        if (c.shift == 0) {
            baseTop = probe.TitleTextRect().top;
            EXPECT_GT(baseTop, 0);  // centred in the 29-pixel caption
        }
        EXPECT_EQ(probe.TitleTextRect().top - baseTop, c.moved);
    }
}

TEST(FramePainting, NothingIsPaintedBeforeSetupOrForCaptionlessWindows) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow early = formtest::MakeBareWindow(skin->data.get(), 320, 240, WS_OVERLAPPEDWINDOW, false);
    EXPECT_EQ(PaintFrame(*early.painter, early.handle).At(1, 120), ui::clBlack);

    formtest::BareWindow captionless = formtest::MakeBareWindow(skin->data.get(), 320, 240, WS_POPUP | WS_BORDER);
    EXPECT_EQ(PaintFrame(*captionless.painter, captionless.handle).At(0, 0), ui::clBlack);
}

} // namespace

namespace {

// Text-coloured (near white) pixels in a part of the caption band on the screen.
int TitlePixels(HWND window, int fromX, int toX, int captionHeight) {
    const RECT r = formtest::WindowRectOf(window);
    ui::Bitmap band(toX - fromX, captionHeight);
    HDC screen = GetDC(nullptr);
    BitBlt(band.GetCanvas().Handle(), 0, 0, band.Width(), band.Height(), screen, r.left + fromX, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    int count = 0;
    for (int y = 2; y < captionHeight - 2; ++y) {
        for (int x = 0; x < band.Width(); ++x) {
            const ui::Color c = band.PixelAt(x, y);
            count += (c & 0xFF) > 200 && (c >> 8 & 0xFF) > 200 && (c >> 16 & 0xFF) > 200 ? 1 : 0;
        }
    }
    return count;
}

TEST(FramePainting, NewWindowTextReachesTheSkinnedCaption) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240, WS_OVERLAPPEDWINDOW, true,
                                                           nullptr, nullptr, L"A");
    formtest::Settle(window.handle);
    const int caption = window.painter->CaptionHeight();
    ASSERT_EQ(TitlePixels(window.handle, 60, 160, caption), 0);
    SetWindowTextW(window.handle, L"A much longer window text");
    testsupport::PumpUntil([&] { return TitlePixels(window.handle, 60, 160, caption) > 20; });
    EXPECT_GT(TitlePixels(window.handle, 60, 160, caption), 20);
}

} // namespace
