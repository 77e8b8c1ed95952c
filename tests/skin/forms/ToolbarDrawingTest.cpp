// Tool bars on a skinned form: the bar's background is the skin's tool-bar
// picture, and a button's state picks its cell of the skin's button strip.
// The test skin's strip has one solid colour per cell, so a pixel tells which
// cell was drawn; the tool-bar picture is one colour of its own.

#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/forms/CaptionProbe.h"
#include "tests/skin/forms/FrameSkinFixture.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/ToolBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using ui::Color;

constexpr Color kBarColour = 0x30A010;  // the tool-bar picture
constexpr Color kBackground = 0xFFFFFF;
// Cells 1 to 5 of the button strip.
const std::vector<Color> kCells{0x0000C0, 0x00C000, 0xC00000, 0x00C0C0, 0xC000C0};
constexpr Color kNormalText = 0x102030;
constexpr Color kHotText = 0xFF0000;  // pure blue: no cell nor the bar has much blue
constexpr Color kPressedText = 0x708090;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

class ToolbarDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        skin::TSkinData& data = *skin->data;
        data.Toolbar = std::make_unique<skin::TDataSkinObject>("Toolbar");
        data.Toolbar->Bitmap.SetSize(8, 8);
        data.Toolbar->Bitmap.Fill(kBarColour);
        data.Buttons = std::make_unique<skin::TDataSkinButton>("Buttons");
        captiontest::FillStrip(data.Buttons->Bitmap, 12, 12, kCells);
        data.Buttons->Frame = 5;
        data.Buttons->NormalColour2 = kNormalText;
        data.Buttons->MouseOverColour2 = kHotText;
        data.Buttons->PressedColour2 = kPressedText;
        data.Buttons->HasNormalColour2 = data.Buttons->HasMouseOverColour2 = data.Buttons->HasPressedColour2 = true;

        form = formtest::MakeSkinnedForm(data, 320, 120);
        bar = &form.form->Create<ui::ToolBar>();
        bar->SetParent(form.form.get());
        bar->SetAlign(ui::Align::Top);
        bar->SetHeight(44);
        bar->SetFlat(true);
        bar->SetButtonSize(48, 40);
        bar->SetShowCaptions(true);
        for (const wchar_t* caption : {L"学习", L"退出"}) {
            auto& button = form.form->Create<ui::ToolButton>();
            button.SetCaption(caption);
            button.SetParent(bar);
            buttons.push_back(&button);
        }
        skin::TWinSkinForm* painter = form.painter;
        bar->OnCustomDraw = [painter](ui::ToolBar& sender, const RECT& rect, bool& defaultDraw) {
            painter->ToolbarCustomDraw(sender, rect, defaultDraw);
        };
        bar->OnCustomDrawButton = [painter](ui::ToolBar& sender, ui::ToolButton& button, ui::CustomDrawState state,
                                            bool& defaultDraw) {
            painter->ToolbarCustomDrawButton(sender, button, state, defaultDraw);
        };
        ui::App().ProcessMessages();
    }

    void TearDown() override {
        form.form.reset();
        ui::App().ProcessMessages();
    }

    HWND BarWindow() { return bar->Handle(); }

    ui::Bitmap Capture() {
        InvalidateRect(BarWindow(), nullptr, TRUE);
        UpdateWindow(BarWindow());
        ui::App().ProcessMessages();
        RECT client{};
        GetClientRect(BarWindow(), &client);
        ui::Bitmap shot(client.right, client.bottom);
        const HDC screen = GetDC(BarWindow());
        BitBlt(shot.GetCanvas().Handle(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(BarWindow(), screen);
        return shot;
    }

    // The button's handler run on a white picture of the bar, as the tool bar
    // runs it: what it drew, and the text colour it left on the canvas.
    struct Drawn {
        Color corner;  // just inside the button's bounds shrunk by 1
        Color text;
    };
    Drawn DrawButton(ui::ToolButton& button, ui::CustomDrawState state) {
        RECT client{};
        GetClientRect(BarWindow(), &client);
        ui::Bitmap picture(client.right, client.bottom);
        picture.Fill(kBackground);
        ui::Canvas& canvas = bar->GetCanvas();
        canvas.SetHandle(picture.GetCanvas().Handle());
        canvas.font = bar->GetFont();
        bool defaultDraw = true;
        form.painter->ToolbarCustomDrawButton(*bar, button, state, defaultDraw);
        const Color text = canvas.font.color;
        canvas.SetHandle(nullptr);
        EXPECT_TRUE(defaultDraw);  // the tool bar still draws image and caption
        GdiFlush();
        const RECT r = button.BoundsRect();
        return Drawn{picture.PixelAt(r.left + 2, r.top + 2), text};
    }

    std::unique_ptr<skintest::SkinUnderTest> skin = formtest::LoadFrameSkin();
    formtest::SkinnedForm form;
    ui::ToolBar* bar = nullptr;
    std::vector<ui::ToolButton*> buttons;
};

TEST_F(ToolbarDrawing, ButtonStatePicksTheCellAndTheCaptionColour) {
    const Color plain = bar->GetFont().color;
    const struct {
        ui::CustomDrawState state;
        Color corner;
        Color text;
    } cases[] = {
        {0, kBackground, plain},  // no state bit at all: nothing drawn
        {ui::cdsDefault, kCells[0], kNormalText},
        {ui::cdsDefault | ui::cdsGrayed, kBackground, plain},
        {ui::cdsDefault | ui::cdsDisabled, kBackground, plain},
        {ui::cdsHot, kCells[3], kHotText},
        {ui::cdsFocused, kCells[3], kHotText},
        {ui::cdsSelected, kCells[1], kPressedText},
        {ui::cdsSelected | ui::cdsHot, kCells[1], kPressedText},
        {ui::cdsChecked, kBackground, plain},
    };
    for (const auto& c : cases) {
        const Drawn drawn = DrawButton(*buttons[0], c.state);
        EXPECT_EQ(drawn.corner, c.corner) << "state " << c.state;
        EXPECT_EQ(drawn.text, c.text) << "state " << c.state;
    }
}

TEST_F(ToolbarDrawing, ColoursTheSkinDoesNotGiveLeaveTheCaptionAlone) {
    skin->data->Buttons->HasMouseOverColour2 = false;
    const Drawn drawn = DrawButton(*buttons[0], ui::cdsHot);
    EXPECT_EQ(drawn.corner, kCells[3]);
    EXPECT_EQ(drawn.text, bar->GetFont().color);
}

TEST_F(ToolbarDrawing, NothingIsDrawnWhenTheSkinOrThePainterSaysNo) {
    skin->data->Options.Include(skin::xoToolbarButton);
    EXPECT_EQ(DrawButton(*buttons[0], ui::cdsHot).corner, kBackground);
    skin->data->Options.Exclude(skin::xoToolbarButton);

    form.painter->SetState(skin::PainterState::Reskinning);
    EXPECT_EQ(DrawButton(*buttons[0], ui::cdsHot).corner, kBackground);
    form.painter->SetState(skin::PainterState::Running);

    skin->data->Buttons->Bitmap = ui::Bitmap();
    EXPECT_EQ(DrawButton(*buttons[0], ui::cdsHot).corner, kBackground);
}

TEST_F(ToolbarDrawing, BarShowsThePictureAndTheHotButtonItsCell) {
    skin->data->Options.Exclude(skin::xoToolbarBK);  // on in the skin data's defaults
    const POINT over{buttons[1]->BoundsRect().left + 5, buttons[1]->BoundsRect().top + 5};
    SendMessageW(BarWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    const ui::Bitmap shot = Capture();
    RECT client{};
    GetClientRect(BarWindow(), &client);
    // Right of the buttons only the picture shows.
    EXPECT_EQ(shot.PixelAt(client.right - 3, client.bottom - 3), kBarColour);
    // The button at rest is left to the picture; the hot one sits on cell 4
    // with its caption in the skin's hot colour.
    const RECT rest = buttons[0]->BoundsRect();
    const RECT hot = buttons[1]->BoundsRect();
    EXPECT_EQ(shot.PixelAt(rest.left + 2, rest.top + 2), kBarColour);
    EXPECT_EQ(shot.PixelAt(hot.left + 2, hot.top + 2), kCells[3]);
    // The caption is smoothed into the cell: count its strongly blue pixels.
    int hotText = 0;
    for (int y = hot.top; y < hot.bottom; ++y) {
        for (int x = hot.left; x < hot.right; ++x) {
            const COLORREF c = ui::ColorToRgb(shot.PixelAt(x, y));
            hotText += GetBValue(c) >= 0x80 && GetRValue(c) < 0x60 ? 1 : 0;
        }
    }
    EXPECT_GT(hotText, 10) << "caption pixels in the hot colour";
    EXPECT_LT(hotText, Width(hot) * Height(hot) / 2);
}

TEST_F(ToolbarDrawing, SkinOptionKeepsTheBarsOwnBackground) {
    RECT client{};
    GetClientRect(BarWindow(), &client);
    skin->data->Options.Exclude(skin::xoToolbarBK);
    EXPECT_EQ(Capture().PixelAt(client.right - 3, client.bottom - 3), kBarColour);
    skin->data->Options.Include(skin::xoToolbarBK);
    EXPECT_EQ(Capture().PixelAt(client.right - 3, client.bottom - 3), ui::ColorToRgb(bar->GetColor()));
}

} // namespace
