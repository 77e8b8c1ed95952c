// The date-time painter over real pickers: the arrow button laid over the
// picker's own, drawn from the skin and opening the calendar under a real
// click; the border ring; and a picker with up-down arrows stepping its
// date through the edit and up-down painters.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdit.h"
#include "tests/skin/controls/EditControlsFixture.h"
#include "tests/support/MouseInput.h"
#include "tests/support/GdiObjects.h"
#include "ui/DateTimePicker.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using editcontrolstest::kBorder;
using editcontrolstest::ProbeColour;
using testsupport::MoveMouseTo;
using testsupport::PumpUntil;

constexpr ui::Color kGlyph = 0x203040;

struct DateTimeTest : editcontrolstest::EditControlsFixture {
    DateTimeTest() { MoveMouseTo(POINT{5, 5}); }
    ui::DateTimePicker& AddPicker(ui::DateMode mode) {
        auto& picker = form.Create<ui::DateTimePicker>();
        picker.SetDateMode(mode);
        picker.SetParent(&form);
        picker.SetBounds(20, 20, 160, 26);
        SYSTEMTIME date{};
        date.wYear = 2024;
        date.wMonth = 3;
        date.wDay = 10;
        picker.SetDate(date);
        return picker;
    }
    skin::TSkinDateTime& PaintPicker(ui::DateTimePicker& picker) {
        return static_cast<skin::TSkinDateTime&>(Paint(picker, skin::PainterKind::DateTime));
    }
    HWND Calendar(ui::DateTimePicker& picker) {
        return reinterpret_cast<HWND>(SendMessageW(picker.Handle(), DTM_GETMONTHCAL, 0, 0));
    }
};

TEST_F(DateTimeTest, ArrowButtonCoversThePickersButtonInsideTheRing) {
    for (const bool rightToLeft : {false, true}) {
        SCOPED_TRACE(rightToLeft ? "right to left" : "left to right");
        auto& picker = AddPicker(ui::DateMode::ComboBox);
        if (rightToLeft) {
            SetWindowLongPtrW(picker.Handle(), GWL_EXSTYLE,
                              GetWindowLongPtrW(picker.Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
        }
        skin::TSkinDateTime& painter = PaintPicker(picker);
        ASSERT_NE(painter.ArrowButton(), nullptr);
        const HWND button = painter.ArrowButton()->Handle();
        EXPECT_EQ(GetParent(button), picker.Handle());
        EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & WS_TABSTOP, 0);
        EXPECT_NE(GetWindowLongPtrW(picker.Handle(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
        RECT placed{};
        GetWindowRect(button, &placed);
        MapWindowPoints(nullptr, picker.Handle(), reinterpret_cast<POINT*>(&placed), 2);
        const int arrow = GetSystemMetrics(SM_CXHSCROLL);
        EXPECT_EQ(placed.left, rightToLeft ? 2 : 160 - arrow - 4);
        EXPECT_EQ(placed.top, 0);
        EXPECT_EQ(placed.right - placed.left, arrow);
        EXPECT_EQ(placed.bottom - placed.top, 26 - 4);

        const ui::Bitmap shot = editcontrolstest::ScreenShot(picker.Handle());
        EXPECT_EQ(shot.PixelAt(0, 13), kBorder);
        EXPECT_EQ(shot.PixelAt(80, 25), kBorder);
        EXPECT_EQ(shot.PixelAt(1, 13), ui::clWhite);
        const int buttonX = (rightToLeft ? 2 : 160 - arrow - 4) + 2 + arrow / 2;
        EXPECT_EQ(shot.PixelAt(buttonX, 13), ProbeColour(editcontrolstest::kComboxArrow, 1));
        delete &picker;
    }
}

TEST_F(DateTimeTest, ArrowButtonTurnsHotAndOpensTheCalendar) {
    auto& picker = AddPicker(ui::DateMode::ComboBox);
    skin::TSkinDateTime& painter = PaintPicker(picker);
    const HWND button = painter.ArrowButton()->Handle();
    const POINT centre = testsupport::ScreenCentre(button);
    const auto face = [&] { return buttontest::Snapshot(button).PixelAt(3, 5); };
    EXPECT_EQ(face(), ProbeColour(editcontrolstest::kComboxArrow, 1));
    ASSERT_TRUE(MoveMouseTo(centre));
    EXPECT_TRUE(PumpUntil([&] { return painter.ArrowButton()->Hot(); }));
    EXPECT_EQ(face(), ProbeColour(editcontrolstest::kComboxArrow, 4));

    ASSERT_TRUE(MoveMouseTo(POINT{5, 5}));
    EXPECT_TRUE(PumpUntil([&] { return !painter.ArrowButton()->Hot(); }));
    EXPECT_EQ(face(), ProbeColour(editcontrolstest::kComboxArrow, 1));

    ASSERT_TRUE(MoveMouseTo(centre));
    testsupport::ClickAt(centre);
    EXPECT_TRUE(PumpUntil([&] {
        const HWND calendar = Calendar(picker);
        return calendar != nullptr && IsWindowVisible(calendar);
    })) << "the calendar drops down";
}

// A skin without combo pictures: an outlined button in the skin's colours
// with the arrow glyph inside, not an empty face.
TEST_F(DateTimeTest, WithoutComboPicturesTheArrowButtonIsOutlinedWithAGlyph) {
    skin->ComboxArrow.reset();
    skin->ComboButton.reset();
    skin->Colours[skin::scButtonDkShadow] = kGlyph;
    auto& picker = AddPicker(ui::DateMode::ComboBox);
    skin::TSkinDateTime& painter = PaintPicker(picker);
    const ui::Bitmap shot = buttontest::Snapshot(painter.ArrowButton()->Handle());
    const int width = shot.Width();
    const int height = 26 - 4;
    EXPECT_EQ(shot.PixelAt(0, 0), kGlyph);
    EXPECT_EQ(shot.PixelAt(width - 1, height / 2), kGlyph);
    EXPECT_EQ(shot.PixelAt(2, 2), skin->Colours[skin::scButtonFace]);
    int glyph = 0;
    for (int y = 2; y < height - 2; ++y) {
        for (int x = 2; x < width - 2; ++x) {
            glyph += shot.PixelAt(x, y) == kGlyph ? 1 : 0;
        }
    }
    EXPECT_GE(glyph, 4);
}

TEST_F(DateTimeTest, DetachTakesTheArrowButtonAway) {
    auto& picker = AddPicker(ui::DateMode::ComboBox);
    const int before = testsupport::ThreadWindows();
    skin::TSkinDateTime& painter = PaintPicker(picker);
    EXPECT_EQ(testsupport::ThreadWindows(), before + 1);
    painter.Detach();
    EXPECT_EQ(painter.ArrowButton(), nullptr);
    EXPECT_EQ(testsupport::ThreadWindows(), before);
}

TEST_F(DateTimeTest, UpDownArrowsOfAPickerStepItsDate) {
    skin->SkinControls.Include(skin::xcSpin);
    auto& picker = AddPicker(ui::DateMode::UpDown);
    auto& edit = static_cast<skin::TSkinEdit&>(Paint(picker, skin::PainterKind::Edit));
    editcontrolstest::ScreenShot(picker.Handle());
    ASSERT_NE(edit.UpDownPainter(), nullptr) << "the picker's up-down gets its painter at the first paint";
    const HWND upDown = edit.UpDownPainter()->Handle();
    RECT rect{};
    GetWindowRect(upDown, &rect);
    const POINT up{(rect.left + rect.right) / 2, rect.top + 4};
    int changes = 0;
    picker.OnChange = [&](ui::Control&) { ++changes; };
    const SYSTEMTIME before = picker.Date();
    // The user picks a field of the date first, then steps it.
    RECT field{};
    GetWindowRect(picker.Handle(), &field);
    const POINT first{field.left + 8, (field.top + field.bottom) / 2};
    ASSERT_TRUE(MoveMouseTo(first));
    testsupport::ClickAt(first);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == picker.Handle(); }));
    ASSERT_TRUE(MoveMouseTo(up));
    testsupport::ClickAt(up);
    ASSERT_TRUE(PumpUntil([&] { return changes > 0; }));
    testsupport::PumpPostedMessages();
    const SYSTEMTIME after = picker.Date();
    // One field moved one step up.
    const int steps = (after.wYear - before.wYear) + (after.wMonth - before.wMonth) + (after.wDay - before.wDay);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(changes, 1);
}

} // namespace
