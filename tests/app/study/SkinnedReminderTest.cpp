// The reminder popup as the program shows it: with the default skin's frame
// around it, read back from the screen.

#include "tests/app/study/StudyWindowFixture.h"

#include "skin/manager/SkinManage.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/Bitmap.h"
#include "ui/Gdi.h"
#include "tests/support/CaptionText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using testsupport::PumpUntil;

// The default skin's frame: 4-pixel sides and bottom, a 30-pixel caption.
constexpr int kBorder = 4;
constexpr int kCaption = 30;

// The width of a text in the system caption font, which the skin draws the
// title with.
// The title is white when the popup is active and nearly white when not (it
// flashes); the caption under it is blue or grey.
bool IsTitleInk(ui::Color c) { return (c & 0xFF) >= 235 && ((c >> 8) & 0xFF) >= 235 && ((c >> 16) & 0xFF) >= 235; }

// The program's skin: the login window's kind of skin data component
// (main form, active, the default skin) makes the manager as it loads.
class SkinnedReminderTest : public study_tests::StudyWindowTest {
protected:
    void SetUp() override {
        skin::DestroySkinManager();
        skin::InstallSkinManage();
        skinData_ = std::make_unique<skin::TSkinData>(nullptr);
        skinData_->SkinFormtype = skin::TSkinFormType::sfMainform;
        ASSERT_TRUE(skinData_->ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
        skinData_->SetActive(true);
        skinData_->Loaded();
        StudyWindowTest::SetUp();
    }
    void TearDown() override {
        StudyWindowTest::TearDown();
        skinData_.reset();
        skin::DestroySkinManager();
    }

    std::unique_ptr<skin::TSkinData> skinData_;
};

TEST_F(SkinnedReminderTest, TheWholeTitleIsReadableOnTheNarrowCaption) {
    TickAt(10, 15);
    app::Tfms* popup = app::fms().get();
    ASSERT_NE(popup, nullptr);
    const HWND window = popup->Handle();
    // The skin's frame is around the client area once its set-up has come.
    ASSERT_TRUE(PumpUntil(
        [&] {
            RECT outer{}, client{};
            GetWindowRect(window, &outer);
            GetClientRect(window, &client);
            return client.right == 196 && client.bottom == 73 && outer.right - outer.left == 196 + 2 * kBorder &&
                   outer.bottom - outer.top == 73 + kCaption + kBorder;
        },
        10000));
    ASSERT_EQ(popup->Caption(), L"Vocara提示");
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::PumpPostedMessages();  // what the redraw posted, and the screen caught up

    RECT outer{};
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left;
    ui::Bitmap shot(width, kCaption);
    const HDC screen = GetDC(nullptr);
    BitBlt(shot.GetCanvas().Handle(), 0, 0, width, kCaption, screen, outer.left, outer.top, SRCCOPY);
    ReleaseDC(nullptr, screen);

    // The title's ink runs from its first to its last column, left of the
    // close box (the right-most 37 pixels).
    int first = -1;
    int last = -1;
    for (int x = kBorder; x < width - 37; ++x) {
        for (int y = 3; y < kCaption - 3; ++y) {
            if (IsTitleInk(shot.PixelAt(x, y))) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    ASSERT_GE(first, 0) << "no title on the caption";
    const int whole = testsupport::CaptionTextWidth(L"Vocara提示");
    // A title cut short ends in an ellipsis after "Vocar": far narrower.
    ASSERT_LT(testsupport::CaptionTextWidth(L"Vocar…"), whole - 8);
    EXPECT_NEAR(last - first + 1, whole, 3) << "title ink from " << first << " to " << last;
}

} // namespace
