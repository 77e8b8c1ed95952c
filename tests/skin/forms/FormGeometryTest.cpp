// Frame sizes from the skin, the outer size a skinned window gets and gives
// back, the non-client size answer and the caption-width fit of dialogs.

#include "skin/forms/WinSkinForm.h"

#include <gtest/gtest.h>

#include "tests/skin/forms/FormPainterProbe.h"
#include "tests/skin/forms/FrameSkinFixture.h"

#include <string>

namespace {

using formtest::ClientOffset;
using formtest::ClientRectOf;
using formtest::FrameSkinPieces;
using formtest::OuterSize;

TEST(FormGeometry, FrameSizesComeFromPieceSizesAndFrameCounts) {
    struct Case {
        const char* name;
        FrameSkinPieces spec;
        DWORD style;
        int left, right, caption, bottom;
    };
    FrameSkinPieces singleFrames;
    singleFrames.sideFrames = 1;
    singleFrames.topFrames = 1;
    singleFrames.bottomFrames = 1;
    FrameSkinPieces odd;
    odd.sideWidth = 9;  // 4.5 per frame: rounded down
    odd.topHeight = 61;
    odd.bottomHeight = 3;
    const Case cases[] = {
        {"two frames each", FrameSkinPieces{}, WS_OVERLAPPEDWINDOW, 4, 4, 29, 5},
        {"one frame each", singleFrames, WS_OVERLAPPEDWINDOW, 8, 8, 58, 10},
        {"odd sizes", odd, WS_OVERLAPPEDWINDOW, 4, 4, 30, 1},
        {"captionless window", FrameSkinPieces{}, WS_POPUP | WS_THICKFRAME, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto skin = formtest::LoadFrameSkin(c.spec);
        formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240, c.style, false);
        EXPECT_EQ(window.painter->BorderLeft(), c.left);
        EXPECT_EQ(window.painter->BorderRight(), c.right);
        EXPECT_EQ(window.painter->CaptionHeight(), c.caption);
        EXPECT_EQ(window.painter->BorderBottom(), c.bottom);
        EXPECT_EQ(window.painter->MenuBarHeight(), 0);
    }
}

// The icon button (Action 3 or 11) takes the window's icon picture when its
// own is empty, and so does the skin's application icon when the load left
// none (only a main-form skin builds one); an existing one is kept.
TEST(FormGeometry, IconButtonLendsTheWindowIconToEmptyPictures) {
    for (const bool appIconBefore : {false, true}) {
        SCOPED_TRACE(appIconBefore ? "application icon already there" : "no application icon");
        FrameSkinPieces spec;
        spec.sections = "[Button0]\nAction=3\nAlign=0\nXcoord=4\nYcoord=4\nVisibility=0\nframe=3\n";
        auto skin = formtest::LoadFrameSkin(spec);
        skin->data->AppIconBitmap() = appIconBefore ? ui::Bitmap(5, 7) : ui::Bitmap();
        const HBITMAP before = skin->data->AppIconBitmap().Handle();
        // The icon button is the skin's first; the MDI child buttons follow it.
        ASSERT_FALSE(skin->data->CaptionButtons.empty());
        ASSERT_EQ(skin->data->CaptionButtons[0]->Action, 3);
        ASSERT_TRUE(skin->data->CaptionButtons[0]->Bitmap.Empty());

        formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get());
        const int size = GetSystemMetrics(SM_CXSMICON);
        const skin::TDataSkinSysButton& button = *skin->data->CaptionButtons[0];
        EXPECT_EQ(button.Bitmap.Width(), size);
        EXPECT_EQ(button.Frame, 1);
        const ui::Bitmap& appIcon = skin->data->AppIconBitmap();
        if (appIconBefore) {
            EXPECT_EQ(appIcon.Handle(), before);
            EXPECT_EQ(appIcon.Width(), 5);
        } else {
            ASSERT_FALSE(appIcon.Empty());
            EXPECT_EQ(appIcon.Width(), size);
            EXPECT_EQ(appIcon.Height(), GetSystemMetrics(SM_CYSMICON));
            // A copy of the painter's icon picture (no icon: the key colour).
            EXPECT_NE(appIcon.Handle(), skin::FormPainterProbe{*window.painter}.IconBitmap().Handle());
            EXPECT_EQ(appIcon.PixelAt(size / 2, size / 2), ui::clFuchsia);
        }
    }
}

TEST(FormGeometry, ToolkitFormKeepsItsClientAreaAndGetsItsSizeBackOnDetach) {
    auto skin = formtest::LoadFrameSkin();
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin->data, 300, 200, false);
    const SIZE before = OuterSize(f.Handle());
    formtest::RunSetup(f.Handle());

    EXPECT_EQ(f.painter->State(), skin::PainterState::Running);
    const SIZE skinned = OuterSize(f.Handle());
    EXPECT_EQ(skinned.cx, 308);
    EXPECT_EQ(skinned.cy, 234);
    const RECT client = ClientRectOf(f.Handle());
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    const POINT offset = ClientOffset(f.Handle());
    EXPECT_EQ(offset.x, 4);
    EXPECT_EQ(offset.y, 29);
    EXPECT_EQ(f.form->ClientWidth(), 300);
    EXPECT_EQ(f.form->ClientHeight(), 200);

    f.painter->Detach();
    const SIZE after = OuterSize(f.Handle());
    EXPECT_EQ(after.cx, before.cx);
    EXPECT_EQ(after.cy, before.cy);
    EXPECT_EQ(ClientRectOf(f.Handle()).right, 300);
    EXPECT_EQ(ClientRectOf(f.Handle()).bottom, 200);
}

TEST(FormGeometry, DefaultSkinOnARealForm) {
    skintest::SkinUnderTest skin;
    ASSERT_TRUE(skin->ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    ASSERT_FALSE(skin->NotLoaded());
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin.data, 400, 267, true, ui::BorderStyle::Dialog);

    EXPECT_EQ(f.painter->CaptionHeight(), 30);
    EXPECT_EQ(f.painter->BorderLeft(), 4);
    EXPECT_EQ(f.painter->BorderRight(), 4);
    EXPECT_EQ(f.painter->BorderBottom(), 4);
    EXPECT_EQ(f.painter->Buttons().Objects().size(), skin->CaptionButtons.size());
    const SIZE outer = OuterSize(f.Handle());
    EXPECT_EQ(outer.cx, 408);
    EXPECT_EQ(outer.cy, 301);
    EXPECT_EQ(ClientRectOf(f.Handle()).right, 400);
    EXPECT_EQ(ClientRectOf(f.Handle()).bottom, 267);
    // The skin's rounded corners shape the window.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(f.Handle(), region), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 200, 15));
    DeleteObject(region);
}

TEST(FormGeometry, NonClientSizeAnswer) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240);
    const HWND h = window.handle;

    // wParam 0: the rectangle as the previous procedure (here the system's) computed it, answer 0.
    RECT asked{100, 100, 420, 340};
    RECT expected = asked;
    DefWindowProcW(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&expected));
    EXPECT_EQ(SendMessageW(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&asked)), 0);
    EXPECT_TRUE(EqualRect(&asked, &expected));

    // wParam 1: the skin's frame around the new window position.
    WINDOWPOS position{h, nullptr, 10, 20, 200, 100, 0};
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = RECT{10, 20, 210, 120};
    params.rgrc[1] = params.rgrc[0];
    params.rgrc[2] = params.rgrc[0];
    params.lppos = &position;
    EXPECT_EQ(SendMessageW(h, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), WVR_VALIDRECTS);
    const RECT client{14, 49, 206, 115};
    EXPECT_TRUE(EqualRect(&params.rgrc[0], &client));
    EXPECT_TRUE(EqualRect(&params.rgrc[1], &client));

    // Smaller than its frame: an empty client area, not a negative one.
    position.cx = 5;
    position.cy = 10;
    SendMessageW(h, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    EXPECT_GE(params.rgrc[0].right, params.rgrc[0].left);
    EXPECT_GE(params.rgrc[0].bottom, params.rgrc[0].top);
}

// A system dialog whose caption is wider than its client area is widened to
// fit it, and its children move right by half the difference.
TEST(FormGeometry, DialogIsWidenedToItsCaption) {
    FrameSkinPieces spec;
    spec.personality = "TextShift=30\nTextRightClip=50\n";
    auto skin = formtest::LoadFrameSkin(spec);
    const std::wstring caption = L"A rather long caption for a narrow dialog box";
    formtest::BareWindow dialog =
        formtest::MakeBareWindow(nullptr, 120, 100, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, false,
                                 nullptr, L"#32770", caption.c_str());
    ASSERT_NE(dialog.handle, nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 10, 12, 30, 20, dialog.handle, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    const int clientWidth = ClientRectOf(dialog.handle).right;
    const int clientHeight = ClientRectOf(dialog.handle).bottom;

    dialog.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
    dialog.painter->SetWindow(dialog.handle);
    dialog.painter->AttachToWindow(*skin->data);
    formtest::RunSetup(dialog.handle);

    skin::FormPainterProbe probe{*dialog.painter};
    EXPECT_EQ(probe.FrameKind(), skin::FrameKind::Dialog);
    SIZE text{};
    {
        HDC dc = GetWindowDC(dialog.handle);
        HGDIOBJ old = SelectObject(dc, probe.CaptionFont());
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &text);
        SelectObject(dc, old);
        ReleaseDC(dialog.handle, dc);
    }
    const int needed = 30 + text.cx + 50;
    ASSERT_GT(needed, clientWidth + 8);
    EXPECT_EQ(OuterSize(dialog.handle).cx, needed);
    EXPECT_EQ(OuterSize(dialog.handle).cy, clientHeight + 29 + 5);

    RECT moved{};
    GetWindowRect(child, &moved);
    POINT topLeft{moved.left, moved.top};
    ScreenToClient(dialog.handle, &topLeft);
    EXPECT_EQ(topLeft.x, 10 + (needed - (clientWidth + 8)) / 2);
    EXPECT_EQ(topLeft.y, 12);
}

} // namespace
