// Caption buttons: which are visible and enabled for a window's style and
// state, where each anchor places them, and which cell of the strip shows.

#include "tests/skin/forms/CaptionFixture.h"

#include "skin/controls/SkinMessages.h"

#include <cstdint>
#include <string>

namespace {

using captiontest::ButtonData;
using captiontest::CaptionFixture;
using namespace skin;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

using CaptionLayout = CaptionFixture;

TEST_F(CaptionLayout, EachAnchorPlacesTheButton) {
    probe.TitleRect() = RECT{100, 2, 200, 20};
    probe.BorderRight() = 4;
    probe.CaptionHeight() = 30;
    probe.MenuBarHeight() = 20;
    const struct {
        int32_t align;
        RECT expected;  // for Xcoord 25, Ycoord 3 and an 18 x 18 cell
    } cases[] = {
        {0, {25, 3, 43, 21}},
        {1, {kWidth - 25, 3, kWidth - 7, 21}},
        {2, {100 - 18 - 25, 3, 100 - 25, 21}},
        {8, {100 - 18 - 25, 3, 100 - 25, 21}},
        {3, {225, 3, 243, 21}},
        {9, {225, 3, 243, 21}},
        // The menu bar band: right of the window less the border, centred in the band.
        {100, {kWidth - 25 - 4, 30 + 1, kWidth - 25 - 4 + 18, 30 + 1 + 18}},
        {5, {0, 0, 18, 18}},
        {-3, {0, 0, 18, 18}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        ClearButtons();
        auto data = ButtonData(/*action*/ 15, c.align, 25, 3);
        data->Visibility = 201;  // always, so Align 100 is laid out too
        TWinSysButton& button = Add(std::move(data));
        Layout();
        EXPECT_TRUE(SameRect(button.FBounds, c.expected))
            << button.FBounds.left << "," << button.FBounds.top << "," << button.FBounds.right << ","
            << button.FBounds.bottom;
    }
}

// Coordinates of a damaged skin at the ends of the 32-bit range still give
// a button of its cell size, never bounds that wrapped around.
TEST_F(CaptionLayout, ExtremeCoordinatesKeepTheCellSize) {
    probe.TitleRect() = RECT{100, 2, 200, 20};
    probe.CaptionHeight() = 30;
    probe.MenuBarHeight() = 20;
    constexpr int32_t kMax = INT32_MAX;
    constexpr int32_t kMin = INT32_MIN;
    for (const int32_t align : {0, 1, 2, 3, 100}) {
        for (const POINT at : {POINT{kMax, kMax}, POINT{kMin, kMin}, POINT{kMax, kMin}, POINT{kMin, 0}}) {
            SCOPED_TRACE(std::to_string(align) + " at " + std::to_string(at.x) + ", " + std::to_string(at.y));
            ClearButtons();
            TWinSysButton& button = Add(ButtonData(15, align, at.x, at.y));
            Layout();
            EXPECT_EQ(button.FBounds.right - button.FBounds.left, 18);
            EXPECT_GT(button.FBounds.right, button.FBounds.left);
            EXPECT_GT(button.FBounds.bottom, button.FBounds.top);
        }
    }
}

TEST_F(CaptionLayout, CloseButtonOfSixCellsSitsXcoordFromTheRightEdge) {
    auto data = ButtonData(0, 1, 25, 4, 6);
    ASSERT_EQ(data->Bitmap.Width(), 108);
    TWinSysButton& close = Add(std::move(data));
    Layout();
    EXPECT_TRUE(SameRect(close.FBounds, RECT{kWidth - 25, 4, kWidth - 25 + 18, 4 + 18}));
}

TEST_F(CaptionLayout, MenuBarAnchorSubtractsTheMenuBarLeftMargin) {
    skinData->MenuBar = std::make_unique<TDataSkinObject>("MenuBar");
    skinData->MenuBar->Margins.left = 6;
    probe.BorderRight() = 4;
    auto data = ButtonData(15, 100, 25, 0);
    data->Visibility = 201;
    TWinSysButton& button = Add(std::move(data));
    Layout();
    EXPECT_EQ(button.FBounds.left, kWidth - 25 - 4 - 6);
}

TEST_F(CaptionLayout, HiddenOrPicturelessButtonsKeepTheirBounds) {
    TWinSysButton& hidden = Add(ButtonData(15, 0, 40, 2));
    hidden.FData.Visibility = 5;
    hidden.FBounds = RECT{1, 2, 3, 4};
    auto blank = ButtonData(15, 0, 40, 2);
    blank->Bitmap.Clear();
    TWinSysButton& pictureless = Add(std::move(blank));
    pictureless.FBounds = RECT{5, 6, 7, 8};
    Layout();
    EXPECT_EQ(hidden.FVisible, 0);
    EXPECT_TRUE(SameRect(hidden.FBounds, RECT{1, 2, 3, 4}));
    EXPECT_TRUE(SameRect(pictureless.FBounds, RECT{5, 6, 7, 8}));
}

TEST_F(CaptionLayout, VisibilityFollowsStyleAndState) {
    constexpr uint8_t kMax = biMaximizeBox, kMin = biMinimizeBox, kHelp = biHelpBox, kSys = biSystemMenuBox;
    const struct {
        const char* what;
        int32_t visibility, visibility1, action;
        uint8_t icons;
        WindowState state;
        uint8_t active;
        FrameKind frameKind;
        uint8_t fitCaption;
        bool visible, enabled;
    } cases[] = {
        {"always", 0, 0, 15, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"maximised only, normal window", 1, 0, 15, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"maximised only, maximised", 1, 0, 15, kSys, WindowState::Maximised, 1, FrameKind::Sizeable, 0, true, true},
        {"restore in the maximise button's place", 1, 0, 1, kMax | kSys, WindowState::Maximised, 1, FrameKind::Sizeable, 0, true, true},
        {"maximise button (2, 6) while maximised", 2, 6, 1, kMax | kMin | kSys, WindowState::Maximised, 1, FrameKind::Sizeable, 0,
         false, true},
        {"maximise button (2, 6) without boxes", 2, 6, 1, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, false},
        {"maximise button (2, 6) normal", 2, 6, 1, kMax | kMin | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"active only, inactive window", 3, 0, 15, kSys, WindowState::Normal, 0, FrameKind::Sizeable, 0, false, true},
        {"inactive only, inactive window", 4, 4, 15, kSys, WindowState::Normal, 0, FrameKind::Sizeable, 0, true, true},
        {"never", 5, 0, 15, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"second condition never", 0, 5, 15, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"minimise (8) without system menu", 8, 0, 2, kMin, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, false},
        {"minimise (8) with system menu", 8, 0, 2, kMin | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"box condition 6 as second needs no system menu", 0, 6, 15, kMin, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"maximise without its box: visible, disabled", 0, 0, 1, kMin | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true,
         false},
        {"no maximise box (7)", 7, 7, 15, kMin | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"no maximise box (7), has one", 7, 0, 15, kMax | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"no minimise box (9)", 9, 9, 15, kMax | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"help box only (10)", 10, 10, 4, kHelp | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"help box beside boxes (10)", 10, 0, 4, kHelp | kMin | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"help as second with boxes (10)", 0, 10, 4, kHelp | kMin | kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"MDI band without a menu bar painter", 100, 100, 9, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"dialog frame", 200, 200, 15, kSys, WindowState::Normal, 1, FrameKind::Dialog, 0, true, true},
        {"dialog frame of a system dialog", 200, 0, 15, kSys, WindowState::Normal, 1, FrameKind::Dialog, 1, false, true},
        {"not a dialog frame", 200, 0, 15, kSys, WindowState::Normal, 1, FrameKind::Fixed, 0, false, true},
        {"201 to 999 always", 500, 999, 15, 0, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"second 1000 to 2000 always", 0, 2000, 15, 0, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"-1", -1, 0, 15, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"unknown code", 11, 0, 15, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"unknown second code", 0, 2001, 15, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"close without system menu", 0, 0, 0, kMax | kMin, WindowState::Normal, 1, FrameKind::Sizeable, 0, false, true},
        {"close with system menu", 0, 0, 0, kSys, WindowState::Normal, 1, FrameKind::Sizeable, 0, true, true},
        {"icon on a dialog frame", 0, 0, 3, kSys, WindowState::Normal, 1, FrameKind::Dialog, 0, false, true},
        {"icon 12 on a dialog frame", 0, 0, 12, kSys, WindowState::Normal, 1, FrameKind::Dialog, 0, false, true},
        {"icon on a fixed frame", 0, 0, 11, kSys, WindowState::Normal, 1, FrameKind::Fixed, 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClearButtons();
        probe.BorderIcons() = c.icons;
        probe.WindowState() = c.state;
        probe.Active() = c.active;
        probe.FrameKind() = c.frameKind;
        probe.FitCaption() = c.fitCaption;
        TWinSysButton& button = Add(ButtonData(c.action, 0, 0, 0));
        button.FData.Visibility = c.visibility;
        button.FData.Visibility1 = c.visibility1;
        painter->Buttons().ApplyVisibility(button);
        EXPECT_EQ(button.FVisible != 0, c.visible);
        EXPECT_EQ(button.FEnabled != 0, c.enabled);
    }
}

TEST_F(CaptionLayout, CodesFrom1000AskTheWindow) {
    std::vector<std::pair<WPARAM, LPARAM>> asked;
    LRESULT answer = 1;
    captiontest::g_buttonVisibleAnswer = [&](WPARAM w, LPARAM l) {
        asked.emplace_back(w, l);
        return answer;
    };
    TWinSysButton& button = Add(ButtonData(17, 0, 0, 0));
    button.FData.Visibility = 1500;
    for (const LRESULT reply : {LRESULT(1), LRESULT(0), LRESULT(-1), LRESULT(7)}) {
        answer = reply;
        painter->Buttons().ApplyVisibility(button);
        EXPECT_EQ(button.FVisible != 0, reply > 0) << reply;
    }
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].first, WPARAM(1500));
    EXPECT_EQ(asked[0].second, LPARAM(17));
}

// --- cells -------------------------------------------------------------------

using captiontest::kCell1;
using captiontest::kCell2;
using captiontest::kCell3;
using captiontest::kCell4;

TEST_F(CaptionLayout, FullPaintShowsCellOneOrFour) {
    const struct {
        const char* what;
        int cells;
        int32_t action;
        uint8_t icons;
        uint8_t active;
        ui::Color expected;
    } cases[] = {
        {"active and enabled", 4, 15, biSystemMenuBox, 1, kCell1},
        {"inactive", 4, 15, biSystemMenuBox, 0, kCell4},
        {"maximise without its box", 4, 1, biSystemMenuBox, 1, kCell4},
        {"inactive, three cells", 3, 15, biSystemMenuBox, 0, kCell1},
        {"disabled, three cells", 3, 1, biSystemMenuBox, 1, kCell1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClearButtons();
        probe.BorderIcons() = c.icons;
        probe.Active() = c.active;
        TWinSysButton& button = Add(ButtonData(c.action, 0, 10, 2, c.cells));
        Layout();
        ui::Bitmap band(kWidth, 30);
        band.Fill(ui::clWhite);
        painter->Buttons().Draw(band.GetCanvas().Handle());
        const POINT p = Centre(button.FBounds);
        EXPECT_EQ(band.PixelAt(p.x, p.y), c.expected);
    }
}

TEST_F(CaptionLayout, FullPaintKeepsKeyColourTransparentAndSkipsMenuBandButtons) {
    auto data = ButtonData(15, 0, 10, 2, 1);
    // The cell's left half is the key colour.
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 9; ++x) {
            uint8_t* px = data->Bitmap.ScanLine(y) + 3 * x;
            px[0] = 0xFF, px[1] = 0x00, px[2] = 0xFF;
        }
    }
    Add(std::move(data));
    auto band100 = ButtonData(15, 0, 50, 2, 1);
    band100->Visibility = 100;
    Add(std::move(band100));
    Layout();
    ui::Bitmap band(kWidth, 30);
    band.Fill(ui::clWhite);
    painter->Buttons().Draw(band.GetCanvas().Handle());
    EXPECT_EQ(band.PixelAt(12, 10), ui::clWhite);
    EXPECT_EQ(band.PixelAt(24, 10), kCell1);
    EXPECT_EQ(band.PixelAt(58, 10), ui::clWhite);
}

TEST_F(CaptionLayout, MouseStatesPaintTheirCellIntoTheWindow) {
    TWinSysButton& button = Add(ButtonData(15, 0, 10, 2));
    TWinSysButton& other = Add(ButtonData(16, 0, 40, 2));
    Layout();
    const POINT p = Centre(button.FBounds);
    button.MouseEnter();
    EXPECT_EQ(button.FMouseState, MouseState::Hot);
    EXPECT_EQ(ScreenColourAt(p), kCell3);
    button.MouseDown();
    EXPECT_EQ(button.FMouseState, MouseState::Pressed);
    EXPECT_EQ(ScreenColourAt(p), kCell2);
    button.MouseUp();
    EXPECT_EQ(button.FMouseState, MouseState::Hot);
    EXPECT_EQ(ScreenColourAt(p), kCell3);
    // Another button taking the mouse puts this one back to normal.
    other.MouseEnter();
    EXPECT_EQ(painter->Buttons().Hot(), &other);
    EXPECT_EQ(button.FMouseState, MouseState::Normal);
    EXPECT_EQ(ScreenColourAt(p), kCell1);
    other.MouseLeave();
    EXPECT_EQ(painter->Buttons().Hot(), nullptr);
}

TEST_F(CaptionLayout, DisabledAndMenuBandButtonsPaintCellFour) {
    probe.BorderIcons() = biSystemMenuBox;  // no maximise box
    TWinSysButton& maximise = Add(ButtonData(1, 0, 10, 2));
    auto mdi = ButtonData(8, 0, 40, 2);
    mdi->Visibility = 100;
    TWinSysButton& band = Add(std::move(mdi));
    TWinSysButton& threeCells = Add(ButtonData(1, 0, 70, 2, 3));
    Layout();
    ASSERT_EQ(maximise.FEnabled, 0);
    maximise.MouseEnter();
    EXPECT_EQ(ScreenColourAt(Centre(maximise.FBounds)), kCell4);
    band.FVisible = 1;  // as in an MDI parent with a maximised child
    band.FBounds = RECT{40, 2, 58, 20};
    band.MouseEnter();
    EXPECT_EQ(ScreenColourAt(Centre(band.FBounds)), kCell4);
    band.MouseDown();
    EXPECT_EQ(ScreenColourAt(Centre(band.FBounds)), kCell2);
    threeCells.MouseEnter();
    EXPECT_EQ(ScreenColourAt(Centre(threeCells.FBounds)), kCell1);
}

TEST_F(CaptionLayout, StripWithoutTheStatesCellShowsItsNormalLook) {
    TWinSysButton& button = Add(ButtonData(15, 0, 10, 2, 2));
    Layout();
    button.MouseDown();
    EXPECT_EQ(ScreenColourAt(Centre(button.FBounds)), kCell2);
    button.MouseUp();  // hot: the strip has no third cell
    EXPECT_EQ(ScreenColourAt(Centre(button.FBounds)), kCell1);
}

// --- the window icon ---------------------------------------------------------

// A solid icon of the given size and colour.
HICON SolidIcon(int size, COLORREF colour) {
    ui::Bitmap colourBits(size, size);
    colourBits.Fill(ui::Color(colour));
    const ui::UniqueBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask.get());
    PatBlt(dc, 0, 0, size, size, BLACKNESS);  // opaque everywhere
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask.get(), colourBits.Handle()};
    return CreateIconIndirect(&info);
}

TEST_F(CaptionLayout, IconButtonDrawsTheApplicationIconBesideTheTitle) {
    const ui::UniqueIcon icon(SolidIcon(32, RGB(0, 200, 0)));
    ui::App().SetIcon(icon.get());
    probe.TitleTextRect() = RECT{30, 4, 120, 24};
    TWinSysButton& button = Add(ButtonData(3, 0, 200, 2, 1));
    Layout();
    ui::Bitmap band(kWidth, 30);
    band.Fill(ui::clWhite);
    painter->Buttons().Draw(band.GetCanvas().Handle());
    ui::App().SetIcon(nullptr);
    EXPECT_EQ(probe.IconHandle(), icon.get());
    const int size = probe.IconSize();
    const int top = 4 + 10 - size / 2;
    EXPECT_EQ(band.PixelAt(8, top), ui::Color(RGB(0, 200, 0)));
    EXPECT_EQ(band.PixelAt(8 + size - 1, top + size - 1), ui::Color(RGB(0, 200, 0)));
    EXPECT_EQ(band.PixelAt(8 + size, top), ui::clWhite);
    EXPECT_EQ(band.PixelAt(7, top), ui::clWhite);
    // Not in the button's own bounds.
    EXPECT_EQ(band.PixelAt(Centre(button.FBounds).x, Centre(button.FBounds).y), ui::clWhite);
}

TEST_F(CaptionLayout, IconButtonWithoutAnIconDrawsTheIconBitmap) {
    ui::App().SetIcon(nullptr);
    ui::Bitmap& picture = probe.IconBitmap();
    picture.SetSize(16, 16);
    picture.Fill(ui::clFuchsia);
    for (int y = 4; y < 12; ++y) {
        for (int x = 4; x < 12; ++x) {
            uint8_t* px = picture.ScanLine(y) + 3 * x;
            px[0] = 0xC0, px[1] = 0, px[2] = 0;  // blue
        }
    }
    TWinSysButton& button = Add(ButtonData(11, 0, 200, 2, 1, 16, 16));
    Layout();
    ui::Bitmap band(kWidth, 30);
    band.Fill(ui::clWhite);
    painter->Buttons().Draw(band.GetCanvas().Handle());
    EXPECT_EQ(probe.IconHandle(), nullptr);
    EXPECT_EQ(band.PixelAt(button.FBounds.left + 8, button.FBounds.top + 8), ui::Color(0xC00000));
    EXPECT_EQ(band.PixelAt(button.FBounds.left + 1, button.FBounds.top + 1), ui::clWhite);
}

TEST_F(CaptionLayout, ButtonAtSkipsHiddenAndDecorativeButtons) {
    TWinSysButton& decoration = Add(ButtonData(-1, 0, 10, 2));
    TWinSysButton& hidden = Add(ButtonData(15, 0, 10, 2));
    hidden.FData.Visibility = 5;
    TWinSysButton& shown = Add(ButtonData(16, 0, 10, 2));
    TWinSysButton& later = Add(ButtonData(17, 0, 10, 2));
    Layout();
    ASSERT_NE(decoration.FVisible, 0);
    EXPECT_EQ(painter->Buttons().At(POINT{15, 10}), &shown);
    EXPECT_EQ(painter->Buttons().At(POINT{28, 20}), nullptr);  // right and bottom edges are outside
    EXPECT_EQ(painter->Buttons().At(POINT{100, 10}), nullptr);
    (void)later;
}

} // namespace
