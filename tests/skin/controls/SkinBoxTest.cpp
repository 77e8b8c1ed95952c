// The container painters: a toolkit panel that only takes the form colour
// (its own message handler stays), a bare dialog area and its static
// children on the form colour, and a size grip drawn as form colour.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Form.h"
#include "ui/Panel.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr ui::Color kFormColour = 0x3070B0;

// A panel that answers SKM_QUERY itself, so the test sees whether a painter
// sits in front of its handler (a painter answers 1).
class QuietPanel : public ui::Panel {
public:
    using Panel::Panel;

protected:
    void WndProc(ui::Message& message) override {
        if (message.msg == skin::SKM_QUERY) {
            message.result = 7;
            return;
        }
        Panel::WndProc(message);
    }
};

struct BoxPanelFixture : ::testing::Test {
    BoxPanelFixture() {
        skinData.Colours[skin::scButtonFace] = kFormColour;
        form.SetBounds(100, 100, 300, 200);
        panel.SetParent(&form);
        panel.SetBounds(10, 10, 100, 50);
        panel.SetColor(0x00AA00);
        form.Handle();
    }
    ~BoxPanelFixture() override { delete &form; }

    skin::TSkinControl* MakeBox() {
        skin::TSkinControl* painter = skin::CreatePainter(skin::PainterKind::Box, &panel);
        EXPECT_NE(painter, nullptr);
        return painter;
    }

    skin::TSkinData skinData{nullptr};
    ui::Form& form = ui::App().Create<ui::Form>();
    QuietPanel& panel = form.Create<QuietPanel>();
};

TEST_F(BoxPanelFixture, BoxWithOwnBackgroundTakesTheFormColourAndLeavesTheHandler) {
    skin::TSkinControl* box = MakeBox();
    EXPECT_EQ(box->ClassName(), "TSkinBox");
    box->Attach(nullptr, &skinData, true, nullptr);
    EXPECT_EQ(panel.GetColor(), kFormColour);
    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "False");
    EXPECT_EQ(box->State(), skin::PainterState::Running);
    // The panel's own handler still answers.
    EXPECT_EQ(SendMessageW(panel.Handle(), skin::SKM_QUERY, 0, 0), 7);

    box->Detach();
    EXPECT_EQ(panel.GetColor(), ui::Color(0x00AA00));
    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "True");
    EXPECT_EQ(box->State(), skin::PainterState::Detached);
}

TEST_F(BoxPanelFixture, BoxWithoutOwnBackgroundChangesNothing) {
    // A tool bar's box: the look comes from the form painter's drawing.
    skin::TSkinControl* box = MakeBox();
    box->Attach(nullptr, &skinData, false, nullptr);
    EXPECT_EQ(panel.GetColor(), ui::Color(0x00AA00));
    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "True");
    delete box;
    EXPECT_EQ(SendMessageW(panel.Handle(), skin::SKM_QUERY, 0, 0), 7);
}

// A bare dialog area with a static text child, as a nested dialog has.
struct DialogAreaFixture : ::testing::Test {
    DialogAreaFixture() {
        skinData.Colours[skin::scButtonFace] = kFormColour;
        skinData.ButtonFaceBrush.reset(CreateSolidBrush(ui::ColorToRgb(kFormColour)));
        window = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 50, 50, 160, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        label = CreateWindowExW(0, L"STATIC", L"说明", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    ~DialogAreaFixture() override {
        painter.reset();
        DestroyWindow(window);
    }

    skin::TSkinData skinData{nullptr};
    HWND window = nullptr;
    HWND label = nullptr;
    std::unique_ptr<skin::TSkinControl> painter;
};

TEST_F(DialogAreaFixture, DialogAreaErasesToTheFormColourAndGivesStaticsItsBrush) {
    const LRESULT nativeBrush = SendMessageW(window, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(label));
    painter.reset(skin::CreatePainter(skin::PainterKind::BoxH, nullptr));
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->ClassName(), "TSkinBoxH");
    painter->AttachWindow(window, &skinData, nullptr, nullptr);

    ui::Bitmap picture(160, 100);
    picture.Fill(0xFFFFFF);
    EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture.GetCanvas().Handle()), 0), 0);
    GdiFlush();
    EXPECT_EQ(picture.PixelAt(0, 0), kFormColour);
    EXPECT_EQ(picture.PixelAt(159, 99), kFormColour);

    const HDC dc = GetDC(label);
    const LRESULT brush = SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    ReleaseDC(label, dc);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(skinData.ButtonFaceBrush.get()));
    EXPECT_NE(brush, nativeBrush);

    // Switched off, the dialog answers as it did.
    SendMessageW(window, skin::SKM_ENABLE, 0, 0);
    EXPECT_EQ(SendMessageW(window, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(label)), nativeBrush);
}

TEST(SkinSizer, DrawsTheFormColour) {
    skin::TSkinData skinData{nullptr};
    skinData.Colours[skin::scButtonFace] = kFormColour;
    const HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_POPUP | SBS_SIZEGRIP, 0, 0, 16, 16, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    std::unique_ptr<skin::TSkinControl> painter(skin::CreatePainter(skin::PainterKind::Sizer, nullptr));
    ASSERT_NE(painter, nullptr);
    painter->AttachWindow(grip, &skinData, nullptr, nullptr);
    ui::Bitmap picture(16, 16);
    picture.Fill(0xFFFFFF);
    painter->DrawTo(picture.GetCanvas().Handle(), RECT{0, 0, 16, 16});
    GdiFlush();
    EXPECT_EQ(picture.PixelAt(0, 0), kFormColour);
    EXPECT_EQ(picture.PixelAt(15, 15), kFormColour);
    painter.reset();
    DestroyWindow(grip);
}

} // namespace
