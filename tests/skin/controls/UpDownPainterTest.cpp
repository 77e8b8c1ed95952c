// The up-down painter over real up-down controls: each half's cell by state
// under a real press, the plain boxes and arrow glyphs without the skin's
// strips, an up-down inside an edit keeping off the edit's border, and the
// arrows still stepping the value.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"
#include "tests/skin/controls/EditControlsFixture.h"
#include "tests/support/MouseInput.h"
#include "ui/Edit.h"
#include "ui/UpDown.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

using buttontest::kFace;
using buttontest::Snapshot;
using editcontrolstest::ProbeColour;
using editcontrolstest::ProbeElement;
using testsupport::MoveMouseTo;
using testsupport::PumpUntil;

struct UpDownTest : editcontrolstest::EditControlsFixture {
    UpDownTest() { MoveMouseTo(POINT{5, 5}); }
    ui::UpDown& AddUpDown(ui::UpDownOrientation orientation, int width, int height) {
        auto& upDown = form.Create<ui::UpDown>();
        upDown.SetOrientation(orientation);
        upDown.SetParent(&form);
        upDown.SetBounds(200, 20, width, height);
        upDown.SetRange(0, 10);
        upDown.SetPosition(5);
        return upDown;
    }
    // A point of the window at (x, y) of it, on the screen.
    static POINT At(HWND window, int x, int y) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return POINT{rect.left + x, rect.top + y};
    }
};

struct PressCase {
    const char* name;
    ui::UpDownOrientation orientation;
    int width, height;
    POINT first, second;  // a point in each half
    ProbeElement element;
    int firstCell, secondPressedCell;
};

TEST_F(UpDownTest, PressingOneHalfShowsThePressedCellOnlyThere) {
    const PressCase cases[] = {
        {"vertical, lower half", ui::UpDownOrientation::Vertical, 20, 40, {10, 8}, {10, 30},
         editcontrolstest::kUpDownVert, 1, 6},
        {"horizontal, right half", ui::UpDownOrientation::Horizontal, 40, 20, {8, 10}, {30, 10},
         editcontrolstest::kUpDownHorz, 1, 6},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto& upDown = AddUpDown(c.orientation, c.width, c.height);
        Paint(upDown, skin::PainterKind::UpDown);
        const auto cells = [&] {
            const ui::Bitmap shot = Snapshot(upDown.Handle());
            return std::pair{shot.PixelAt(c.first.x, c.first.y), shot.PixelAt(c.second.x, c.second.y)};
        };
        EXPECT_EQ(cells(), std::pair(ProbeColour(c.element, c.firstCell), ProbeColour(c.element, c.secondPressedCell - 1)));
        const POINT press = At(upDown.Handle(), c.second.x, c.second.y);
        ASSERT_TRUE(MoveMouseTo(press));
        testsupport::SendMouse(press, MOUSEEVENTF_LEFTDOWN);
        EXPECT_TRUE(PumpUntil([&] { return cells().second == ProbeColour(c.element, c.secondPressedCell); }));
        EXPECT_EQ(cells().first, ProbeColour(c.element, c.firstCell));
        testsupport::SendMouse(press, MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return cells().second == ProbeColour(c.element, c.secondPressedCell - 1); }));
        ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));
        delete &upDown;
    }
}

TEST_F(UpDownTest, DisabledHalvesShowTheDisabledCells) {
    auto& upDown = AddUpDown(ui::UpDownOrientation::Vertical, 20, 40);
    Paint(upDown, skin::PainterKind::UpDown);
    upDown.SetEnabled(false);
    const ui::Bitmap shot = Snapshot(upDown.Handle());
    EXPECT_EQ(shot.PixelAt(10, 8), ProbeColour(editcontrolstest::kUpDownVert, 3));
    EXPECT_EQ(shot.PixelAt(10, 30), ProbeColour(editcontrolstest::kUpDownVert, 7));
}

TEST_F(UpDownTest, ArrowsStepTheAssociatedNumberByOne) {
    auto& edit = form.Create<ui::Edit>();
    edit.SetParent(&form);
    edit.SetBounds(20, 60, 100, 24);
    auto& upDown = AddUpDown(ui::UpDownOrientation::Vertical, 18, 24);
    upDown.SetAssociate(&edit);
    int changes = 0;
    upDown.OnChange = [&changes](ui::Control&) { ++changes; };
    Paint(upDown, skin::PainterKind::UpDown);
    EXPECT_EQ(edit.Text(), L"5");
    RECT rect{};
    GetWindowRect(upDown.Handle(), &rect);
    const int x = (rect.right - rect.left) / 2;
    const POINT up = At(upDown.Handle(), x, 3);
    const POINT down = At(upDown.Handle(), x, rect.bottom - rect.top - 3);

    ASSERT_TRUE(MoveMouseTo(up));
    testsupport::ClickAt(up);
    EXPECT_TRUE(PumpUntil([&] { return upDown.Position() == 6; }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(upDown.Position(), 6);
    EXPECT_EQ(edit.Text(), L"6");
    ASSERT_TRUE(MoveMouseTo(down));
    testsupport::ClickAt(down);
    testsupport::ClickAt(down);
    EXPECT_TRUE(PumpUntil([&] { return upDown.Position() == 4; }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(edit.Text(), L"4");
    EXPECT_EQ(changes, 3) << "the skinned arrows tell each step once";
}

TEST_F(UpDownTest, WithoutTheSkinsStripsPlainBoxesCarryArrowGlyphs) {
    skin->UpDownVert.reset();
    skin->Colours[skin::scButtonShadow] = 0x707070;
    auto& upDown = AddUpDown(ui::UpDownOrientation::Vertical, 21, 40);
    Paint(upDown, skin::PainterKind::UpDown);
    const ui::Bitmap shot = Snapshot(upDown.Handle());
    // Each half: a box in the dark shadow pen filled with the face.
    EXPECT_EQ(shot.PixelAt(0, 0), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(20, 19), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(2, 2), kFace);
    EXPECT_EQ(shot.PixelAt(0, 20), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(2, 22), kFace);
    // The up glyph's tip two pixels above the upper half's centre, its
    // diagonals widening below it; the down glyph's tip at the bottom.
    const int x = 10;
    const int upY = 20 / 2 - 2;
    EXPECT_EQ(shot.PixelAt(x, upY), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(x + 2, upY + 2), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(x - 2, upY + 2), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(x + 2, upY), kFace);
    const int downY = 20 + 20 / 2 - 2;
    EXPECT_EQ(shot.PixelAt(x, downY + 3), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(x + 2, downY), ui::clBlack);
    EXPECT_EQ(shot.PixelAt(x + 2, downY + 3), kFace);
}

TEST_F(UpDownTest, UpDownInsideAnEditKeepsOffTheEditsBorder) {
    skin->SkinControls.Include(skin::xcSpin);
    auto& edit = form.Create<ui::Edit>();
    edit.SetParent(&form);
    edit.SetBounds(20, 100, 140, 26);
    RECT client{};
    GetClientRect(edit.Handle(), &client);
    // Over the right end of the edit's client area: 2 pixels from its top,
    // bottom and right edges, inside the 3-pixel ring.
    const int width = 16;
    const HWND upDown = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - width, 0, width,
                                        client.bottom, edit.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(upDown, nullptr);
    auto& painter = static_cast<skin::TSkinEdit&>(Paint(edit, skin::PainterKind::Edit));
    const ui::Bitmap shot = editcontrolstest::ScreenShot(edit.Handle());
    ASSERT_NE(painter.UpDownPainter(), nullptr) << "found at the first paint";
    EXPECT_EQ(painter.UpDownPainter()->Handle(), upDown);
    EXPECT_EQ(painter.UpDownPainter()->GetPropertyText("Embedded"), "True");

    const int w = shot.Width();
    const int h = shot.Height();
    const int x = w - 8;  // across the up-down
    for (const auto& [point, colour] : {std::pair{POINT{x, 0}, editcontrolstest::kBorder},
                                        std::pair{POINT{x, 1}, ui::clWhite}, std::pair{POINT{x, 2}, ui::clWhite},
                                        std::pair{POINT{x, h - 1}, editcontrolstest::kBorder},
                                        std::pair{POINT{x, h - 3}, ui::clWhite},
                                        std::pair{POINT{w - 1, h / 2}, editcontrolstest::kBorder},
                                        std::pair{POINT{w - 3, h / 2}, ui::clWhite}}) {
        EXPECT_EQ(shot.PixelAt(point.x, point.y), colour) << point.x << "," << point.y;
    }
    // The halves start 3 pixels in.
    EXPECT_EQ(shot.PixelAt(x, 3), ProbeColour(editcontrolstest::kUpDownVert, 1));
    EXPECT_EQ(shot.PixelAt(x, h - 4), ProbeColour(editcontrolstest::kUpDownVert, 5));
    EXPECT_EQ(shot.PixelAt(w - 4, h / 2 - 3), ProbeColour(editcontrolstest::kUpDownVert, 1));
}

} // namespace
