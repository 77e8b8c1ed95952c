// The tool bar on a real window: native buttons made from the tool-button
// children, controls placed on separators after them, list layout, clicks from
// the native control, custom drawing and the background probed in the pixels
// the window shows, and the published properties.

#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Label.h"
#include "ui/ToolBar.h"
#include "ui/png/PngImageList.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <string>
#include <vector>

namespace {

using ui::App;
using ui::Color;
using ui::CustomDrawState;
using ui::Label;
using ui::ToolBar;
using ui::ToolButton;
using ui::ToolButtonStyle;

constexpr Color Rgb(int r, int g, int b) { return Color(r | (g << 8) | (b << 16)); }

// One colour per image, so a button's image is found by its colour.
constexpr std::array<Color, 5> kImageColors{Rgb(255, 0, 0), Rgb(0, 160, 0), Rgb(0, 0, 255), Rgb(200, 0, 200),
                                            Rgb(0, 160, 160)};
const std::array<std::wstring, 5> kCaptions{L"学习", L"刷新", L"设置", L"帮助", L"退出"};
constexpr std::array<int, 5> kImageOfButton{0, 1, 2, 3, 4};
constexpr std::array<int, 3> kClockWidths{20, 12, 20};
constexpr Color kWhite = Rgb(255, 255, 255);

std::vector<uint8_t> SolidPng(Color color) {
    std::vector<uint8_t> rgba(16 * 16 * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = uint8_t(color & 0xFF);
        rgba[i + 1] = uint8_t((color >> 8) & 0xFF);
        rgba[i + 2] = uint8_t((color >> 16) & 0xFF);
        rgba[i + 3] = 255;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 16;
    image.height = 16;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<uint8_t> bytes(size);
    png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr);
    bytes.resize(size);
    return bytes;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
bool Overlap(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b) != FALSE;
}

// The study window's tool bar: five captioned buttons with images, an 8-pixel
// separator and three clock labels, on a shown form.
class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        App().OnException = [](const std::wstring& text) { ADD_FAILURE() << ui::WideToUtf8(text); };
        form = new ui::Form(nullptr);
        form->SetBounds(40, 40, 640, 240);
        images = &form->Create<ui::PngImageList>();
        for (Color color : kImageColors) {
            ASSERT_GE(images->AddPng(SolidPng(color)), 0);
        }
        bar = &form->Create<ToolBar>();
        bar->SetParent(form);
        bar->SetAlign(ui::Align::Top);
        bar->SetHeight(60);
        bar->SetFlat(true);
        bar->SetColor(ui::clBtnHighlight);
        bar->SetButtonSize(39, 39);
        bar->SetShowCaptions(true);
        bar->SetImages(images);
        ui::Font font;
        font.name = L"宋体";
        font.height = 16;
        bar->SetFont(font);
        for (size_t i = 0; i < kCaptions.size(); ++i) {
            buttons.push_back(&AddButton(kCaptions[i], kImageOfButton[i]));
        }
        separator = &form->Create<ToolButton>();
        separator->SetStyle(ToolButtonStyle::Separator);
        separator->SetWidth(8);
        separator->SetParent(bar);
        for (int width : kClockWidths) {
            clock.push_back(&AddLabel(width));
        }
    }

    void TearDown() override {
        delete form;
        App().ProcessMessages();
        App().OnException = nullptr;
    }

    ToolButton& AddButton(const std::wstring& caption, int image) {
        auto& button = form->Create<ToolButton>();
        button.SetCaption(caption);
        button.SetImageIndex(image);
        button.SetParent(bar);
        return button;
    }

    Label& AddLabel(int width) {
        auto& label = form->Create<Label>();
        label.SetBounds(0, 0, width, 39);
        label.SetCaption(L"0");
        label.SetParent(bar);
        return label;
    }

    void Show() {
        form->Show();
        App().ProcessMessages();
    }

    HWND BarWindow() { return bar->Handle(); }
    int NativeCount() { return int(SendMessageW(BarWindow(), TB_BUTTONCOUNT, 0, 0)); }
    int IndexOfCommand(WORD id) { return int(SendMessageW(BarWindow(), TB_COMMANDTOINDEX, id, 0)); }

    TBBUTTON NativeButton(int index) {
        TBBUTTON native{};
        EXPECT_TRUE(SendMessageW(BarWindow(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&native)));
        return native;
    }
    RECT ItemRect(int index) {
        RECT rect{};
        EXPECT_TRUE(SendMessageW(BarWindow(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }
    RECT ButtonRect(const ToolButton& button) { return ItemRect(IndexOfCommand(button.CommandId())); }
    // A button's text as the native control holds it; empty when it has none.
    std::wstring NativeText(const ToolButton& button) {
        const LRESULT length = SendMessageW(BarWindow(), TB_GETBUTTONTEXTW, button.CommandId(), 0);
        if (length <= 0) {
            return {};
        }
        std::wstring text(size_t(length) + 1, L'\0');
        SendMessageW(BarWindow(), TB_GETBUTTONTEXTW, button.CommandId(), reinterpret_cast<LPARAM>(text.data()));
        text.resize(size_t(length));
        return text;
    }

    // Paints the bar now and copies what its window shows.
    ui::Bitmap Capture() {
        InvalidateRect(BarWindow(), nullptr, TRUE);
        UpdateWindow(BarWindow());
        App().ProcessMessages();
        RECT client{};
        GetClientRect(BarWindow(), &client);
        ui::Bitmap shot(client.right, client.bottom);
        HDC screen = GetDC(BarWindow());
        BitBlt(shot.GetCanvas().Handle(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(BarWindow(), screen);
        return shot;
    }
    static int CountColor(const ui::Bitmap& shot, const RECT& area, Color color) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += shot.PixelAt(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }
    // A whole 16 x 16 image shows in the button's rectangle.
    bool ImageShown(const ui::Bitmap& shot, const ToolButton& button) {
        const RECT rect = button.BoundsRect();
        return CountColor(shot, rect, kImageColors[size_t(button.ImageIndex())]) >= 16 * 16;
    }

    void ClickAt(POINT point) {
        const LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageW(BarWindow(), WM_MOUSEMOVE, 0, at);
        PostMessageW(BarWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(BarWindow(), WM_LBUTTONUP, 0, at);
        App().ProcessMessages();
    }
    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    ui::Form* form = nullptr;
    ui::PngImageList* images = nullptr;
    ToolBar* bar = nullptr;
    std::vector<ToolButton*> buttons;
    ToolButton* separator = nullptr;
    std::vector<Label*> clock;
};

// --- The native buttons ---------------------------------------------------------

TEST_F(ToolBarTest, MakesOneNativeItemPerChildInInsertionOrder) {
    // Everything was added before the window existed; it takes them all.
    EXPECT_FALSE(bar->HandleAllocated());
    Show();
    ASSERT_EQ(NativeCount(), 9);
    EXPECT_EQ(bar->ButtonCount(), 6);
    for (size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(i);
        const TBBUTTON native = NativeButton(int(i));
        EXPECT_EQ(native.idCommand, buttons[i]->CommandId());
        EXPECT_EQ(native.iBitmap, kImageOfButton[i]);
        EXPECT_FALSE(native.fsStyle & BTNS_SEP);
        EXPECT_EQ(NativeText(*buttons[i]), kCaptions[i]);
        EXPECT_EQ(bar->Buttons(int(i)), buttons[i]);
        EXPECT_EQ(buttons[i]->Index(), int(i));
    }
    const TBBUTTON native = NativeButton(5);
    EXPECT_TRUE(native.fsStyle & BTNS_SEP);
    EXPECT_EQ(Width(ItemRect(5)), 8);
    EXPECT_EQ(separator->Index(), 5);
    // The labels' placeholders.
    for (int i = 6; i < 9; ++i) {
        EXPECT_TRUE(NativeButton(i).fsStyle & BTNS_SEP) << i;
    }
    EXPECT_EQ(bar->Buttons(6), nullptr);
    EXPECT_EQ(bar->Buttons(-1), nullptr);
}

TEST_F(ToolBarTest, ButtonsTakeTheRequestedSizeAndTheirNativeRectangles) {
    Show();
    for (ToolButton* button : buttons) {
        const RECT native = ButtonRect(*button);
        EXPECT_TRUE(SameRect(native, button->BoundsRect()));
        // Captions below the images may make them taller, never smaller.
        EXPECT_EQ(Width(native), 39);
        EXPECT_GE(Height(native), 39);
    }
    bar->SetShowCaptions(false);
    const RECT plain = ButtonRect(*buttons[0]);
    EXPECT_EQ(Width(plain), 39);
    EXPECT_EQ(Height(plain), 39);
    EXPECT_EQ(NativeText(*buttons[0]), L"");

    bar->SetButtonSize(50, 44);
    const RECT larger = ButtonRect(*buttons[0]);
    EXPECT_EQ(Width(larger), 50);
    EXPECT_EQ(Height(larger), 44);
    EXPECT_EQ(ButtonRect(*buttons[1]).left, 50);
}

TEST_F(ToolBarTest, ClockLabelsFollowTheSeparatorInOrder) {
    Show();
    const RECT separatorRect = ItemRect(5);
    EXPECT_TRUE(SameRect(separatorRect, separator->BoundsRect()));
    int left = separatorRect.right;
    for (size_t i = 0; i < clock.size(); ++i) {
        SCOPED_TRACE(i);
        const RECT placeholder = ItemRect(int(6 + i));
        EXPECT_EQ(Width(placeholder), kClockWidths[i]);
        EXPECT_EQ(clock[i]->Left(), left);
        EXPECT_EQ(clock[i]->Left(), placeholder.left);
        EXPECT_EQ(clock[i]->Top(), placeholder.top);
        EXPECT_EQ(clock[i]->Width(), kClockWidths[i]);
        EXPECT_EQ(clock[i]->Height(), 39);
        for (ToolButton* button : buttons) {
            EXPECT_FALSE(Overlap(clock[i]->BoundsRect(), button->BoundsRect()));
        }
        left += kClockWidths[i];
    }
}

// The rows of `area` holding a pixel that `match` accepts: first and last.
template <class Match>
std::pair<int, int> RowsWith(const ui::Bitmap& shot, const RECT& area, Match match) {
    int first = -1;
    int last = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (match(shot.PixelAt(x, y))) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

TEST_F(ToolBarTest, ListLayoutCentresCaptionsOnTheLineOfTheirImages) {
    Show();
    bar->SetList(true);
    const ui::Bitmap shot = Capture();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const RECT rect = ButtonRect(*buttons[i]);
        const Color image = kImageColors[size_t(kImageOfButton[i])];
        const auto [imageTop, imageBottom] = RowsWith(shot, rect, [image](Color c) { return c == image; });
        // Caption ink: dark pixels right of the image.
        const RECT captionArea{rect.left + 22, rect.top, rect.right, rect.bottom};
        const auto [textTop, textBottom] = RowsWith(shot, captionArea, [](Color c) {
            return (c & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && ((c >> 16) & 0xFF) < 0x80;
        });
        ASSERT_GE(imageTop, 0) << i;
        ASSERT_GE(textTop, 0) << i;
        EXPECT_EQ(imageBottom - imageTop + 1, 16) << i;
        // Both middles on one line, to the pixel the glyphs' ink allows.
        EXPECT_NEAR(textTop + textBottom, imageTop + imageBottom, 3)
            << i << ": image rows " << imageTop << ".." << imageBottom << ", caption rows " << textTop << ".."
            << textBottom;
    }
    // Back below the images, the images sit at the top again.
    bar->SetList(false);
    const RECT below = ButtonRect(*buttons[0]);
    const ui::Bitmap again = Capture();
    const auto [top, bottom] = RowsWith(again, below, [](Color c) { return c == kImageColors[0]; });
    EXPECT_LT(top - below.top, 6);
    EXPECT_EQ(bottom - top + 1, 16);
}

TEST_F(ToolBarTest, ListLayoutPutsCaptionsBesideTheImages) {
    Show();
    const RECT below = ButtonRect(*buttons[0]);
    bar->SetList(true);
    EXPECT_TRUE(GetWindowLongPtrW(BarWindow(), GWL_STYLE) & TBSTYLE_LIST);
    EXPECT_TRUE(bar->List());
    const RECT beside = ButtonRect(*buttons[0]);
    EXPECT_GT(Width(beside), Height(beside));
    EXPECT_GT(Width(beside), Width(below));
    EXPECT_EQ(Height(beside), 39);
    EXPECT_EQ(NativeText(*buttons[0]), kCaptions[0]);

    // The image sits in the left part now, the caption to its right.
    const ui::Bitmap shot = Capture();
    const Color red = kImageColors[0];
    const RECT leftPart{beside.left, beside.top, beside.left + 24, beside.bottom};
    EXPECT_GE(CountColor(shot, leftPart, red), 16 * 16);

    // Everything after the buttons moved along.
    EXPECT_EQ(clock[0]->Left(), ItemRect(5).right);
    EXPECT_GT(clock[0]->Left(), 5 * Width(below) + 8);

    bar->SetList(false);
    EXPECT_FALSE(GetWindowLongPtrW(BarWindow(), GWL_STYLE) & TBSTYLE_LIST);
    const RECT again = ButtonRect(*buttons[0]);
    EXPECT_TRUE(SameRect(again, below));
}

TEST_F(ToolBarTest, ButtonPropertyChangesReachTheNativeButton) {
    Show();
    ToolButton& button = *buttons[2];
    button.SetCaption(L"复习记录");
    EXPECT_EQ(NativeText(button), L"复习记录");
    button.SetImageIndex(4);
    EXPECT_EQ(NativeButton(2).iBitmap, 4);
    button.SetImageIndex(-1);
    EXPECT_EQ(NativeButton(2).iBitmap, I_IMAGENONE);

    button.SetEnabled(false);
    EXPECT_FALSE(SendMessageW(BarWindow(), TB_ISBUTTONENABLED, button.CommandId(), 0));
    button.SetEnabled(true);
    EXPECT_TRUE(SendMessageW(BarWindow(), TB_ISBUTTONENABLED, button.CommandId(), 0));

    // A hidden button gives up its place to what follows it.
    const int clockLeft = clock[0]->Left();
    const int width = Width(ButtonRect(button));
    button.SetVisible(false);
    EXPECT_TRUE(SendMessageW(BarWindow(), TB_ISBUTTONHIDDEN, button.CommandId(), 0));
    EXPECT_EQ(clock[0]->Left(), clockLeft - width);
    EXPECT_EQ(ButtonRect(*buttons[3]).left, ButtonRect(*buttons[1]).right);
    button.SetVisible(true);
    EXPECT_FALSE(SendMessageW(BarWindow(), TB_ISBUTTONHIDDEN, button.CommandId(), 0));
    EXPECT_EQ(clock[0]->Left(), clockLeft);

    // A wider separator pushes the clock right.
    separator->SetWidth(20);
    EXPECT_EQ(Width(ItemRect(5)), 20);
    EXPECT_EQ(clock[0]->Left(), clockLeft + 12);

    // A button turned separator.
    buttons[4]->SetPropertyText("Style", "tbsSeparator");
    EXPECT_TRUE(NativeButton(4).fsStyle & BTNS_SEP);
    EXPECT_EQ(Width(ItemRect(4)), buttons[4]->Width());
}

TEST_F(ToolBarTest, ChildrenAddedOrRemovedLaterChangeTheNativeListAtOnce) {
    Show();
    // Buttons change the native list at once (checked before any message
    // reaches the window).
    ToolButton& late = AddButton(L"后加", 1);
    EXPECT_EQ(late.Left(), clock[2]->Left() + clock[2]->Width());
    ASSERT_EQ(NativeCount(), 10);
    EXPECT_EQ(IndexOfCommand(late.CommandId()), 9);
    EXPECT_EQ(NativeText(late), L"后加");

    // Removing a button closes the gap.
    const int clockLeft = clock[0]->Left();
    const int width = buttons[1]->Width();
    delete buttons[1];
    buttons.erase(buttons.begin() + 1);
    EXPECT_EQ(clock[0]->Left(), clockLeft - width);
    EXPECT_EQ(NativeCount(), 9);
    EXPECT_EQ(bar->ButtonCount(), 6);
    EXPECT_EQ(NativeText(*buttons[1]), kCaptions[2]);

    // A label added (or freed) later is taken in as the window handles its
    // next message.
    Label& extra = AddLabel(30);
    EXPECT_EQ(NativeCount(), 10);
    EXPECT_EQ(Width(ItemRect(9)), 30);
    EXPECT_EQ(extra.Left(), ItemRect(9).left);
    delete clock[1];
    clock.erase(clock.begin() + 1);
    EXPECT_EQ(NativeCount(), 9);
    EXPECT_EQ(clock[1]->Left(), clock[0]->Left() + kClockWidths[0]);

    // A button moved to another parent leaves the bar.
    late.SetParent(form);
    EXPECT_EQ(NativeCount(), 8);
    EXPECT_EQ(IndexOfCommand(late.CommandId()), -1);
}

// --- Clicks ----------------------------------------------------------------------

TEST_F(ToolBarTest, MouseClickOnAButtonRunsItsOnClickOnce) {
    Show();
    std::vector<ToolButton*> clicked;
    for (ToolButton* button : buttons) {
        button->OnClick = [&clicked](ui::Control& sender) { clicked.push_back(&static_cast<ToolButton&>(sender)); };
    }
    ClickAt(Centre(ButtonRect(*buttons[3])));
    EXPECT_EQ(clicked, std::vector<ToolButton*>{buttons[3]});

    clicked.clear();
    ClickAt(Centre(clock[1]->BoundsRect()));
    ClickAt(Centre(ItemRect(5)));
    EXPECT_TRUE(clicked.empty());

    buttons[0]->SetEnabled(false);
    ClickAt(Centre(ButtonRect(*buttons[0])));
    EXPECT_TRUE(clicked.empty());
}

TEST_F(ToolBarTest, CommandFromTheToolBarClicksTheButtonWithThatId) {
    Show();
    int clicks0 = 0;
    int clicks1 = 0;
    buttons[0]->OnClick = [&](ui::Control&) { ++clicks0; };
    buttons[1]->OnClick = [&](ui::Control&) { ++clicks1; };
    // As the native control reports it to its parent.
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(buttons[1]->CommandId(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(BarWindow()));
    EXPECT_EQ(clicks0, 0);
    EXPECT_EQ(clicks1, 1);
    // An id no button has is ignored.
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(BarWindow()));
    EXPECT_EQ(clicks0 + clicks1, 1);
}

TEST_F(ToolBarTest, MouseEventsReachAButtonOverItsRectangle) {
    Show();
    int downs = 0;
    int ups = 0;
    buttons[2]->OnMouseDown = [&](ui::Control&, ui::MouseButton, ui::ShiftState, int, int) { ++downs; };
    buttons[2]->OnMouseUp = [&](ui::Control&, ui::MouseButton, ui::ShiftState, int, int) { ++ups; };
    ClickAt(Centre(ButtonRect(*buttons[2])));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

// --- Drawing ---------------------------------------------------------------------

TEST_F(ToolBarTest, NativeDrawingShowsEachButtonsImageOnTheBarsColour) {
    Show();
    const ui::Bitmap shot = Capture();
    for (ToolButton* button : buttons) {
        EXPECT_TRUE(ImageShown(shot, *button)) << button->Index();
    }
    // Below the buttons and right of the clock only the background shows.
    RECT client{};
    GetClientRect(BarWindow(), &client);
    const RECT empty{clock[2]->BoundsRect().right + 4, 0, client.right, client.bottom};
    EXPECT_EQ(CountColor(shot, empty, kWhite), Width(empty) * Height(empty));
    EXPECT_EQ(shot.PixelAt(2, client.bottom - 2), kWhite);

    bar->SetColor(Rgb(255, 255, 0));
    const ui::Bitmap yellow = Capture();
    EXPECT_EQ(yellow.PixelAt(client.right - 3, client.bottom - 3), Rgb(255, 255, 0));
    EXPECT_EQ(yellow.PixelAt(2, client.bottom - 2), Rgb(255, 255, 0));
}

TEST_F(ToolBarTest, CustomDrawEventsSeeTheBarAndEachButton) {
    Show();
    std::vector<RECT> barRects;
    std::vector<std::pair<ToolButton*, CustomDrawState>> drawn;
    bar->OnCustomDraw = [&](ToolBar& sender, const RECT& rect, bool& defaultDraw) {
        EXPECT_EQ(&sender, bar);
        EXPECT_NE(sender.GetCanvas().Handle(), nullptr);
        barRects.push_back(rect);
        EXPECT_TRUE(defaultDraw);
    };
    bar->OnCustomDrawButton = [&](ToolBar& sender, ToolButton& button, CustomDrawState state, bool& defaultDraw) {
        EXPECT_EQ(&sender, bar);
        EXPECT_TRUE(defaultDraw);
        drawn.emplace_back(&button, state);
    };
    buttons[3]->SetEnabled(false);
    Capture();
    ASSERT_FALSE(barRects.empty());
    RECT client{};
    GetClientRect(BarWindow(), &client);
    EXPECT_TRUE(SameRect(barRects.back(), client));

    ASSERT_EQ(drawn.size(), buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(drawn[i].first, buttons[i]);
        const bool disabled = (drawn[i].second & ui::cdsDisabled) != 0;
        EXPECT_EQ(disabled, i == 3) << i;
    }
    EXPECT_EQ(bar->GetCanvas().Handle(), nullptr);  // only while an event runs
}

TEST_F(ToolBarTest, HotButtonIsDrawnWithTheHotState) {
    Show();
    std::vector<std::pair<ToolButton*, CustomDrawState>> drawn;
    bar->OnCustomDrawButton = [&](ToolBar&, ToolButton& button, CustomDrawState state, bool&) {
        drawn.emplace_back(&button, state);
    };
    const POINT over = Centre(ButtonRect(*buttons[1]));
    SendMessageW(BarWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    Capture();
    ASSERT_EQ(drawn.size(), buttons.size());
    for (const auto& [button, state] : drawn) {
        EXPECT_EQ((state & ui::cdsHot) != 0, button == buttons[1]) << button->Index();
    }
}

TEST_F(ToolBarTest, ButtonDrawnByTheProgramIsNotDrawnNatively) {
    Show();
    bar->OnCustomDrawButton = [&](ToolBar&, ToolButton& button, CustomDrawState, bool& defaultDraw) {
        defaultDraw = &button != buttons[1];
    };
    const ui::Bitmap shot = Capture();
    EXPECT_FALSE(ImageShown(shot, *buttons[1]));
    EXPECT_EQ(CountColor(shot, buttons[1]->BoundsRect(), kWhite), Width(buttons[1]->BoundsRect()) * Height(buttons[1]->BoundsRect()));
    EXPECT_TRUE(ImageShown(shot, *buttons[0]));
    EXPECT_TRUE(ImageShown(shot, *buttons[2]));
}

TEST_F(ToolBarTest, BarDrawnByTheProgramDrawsNoButtonNatively) {
    Show();
    int buttonEvents = 0;
    const Color green = Rgb(0, 255, 0);
    bar->OnCustomDraw = [&](ToolBar& sender, const RECT& rect, bool& defaultDraw) {
        sender.GetCanvas().brushColor = green;
        sender.GetCanvas().FillRect(rect);
        defaultDraw = false;
    };
    bar->OnCustomDrawButton = [&](ToolBar&, ToolButton&, CustomDrawState, bool&) { ++buttonEvents; };
    const ui::Bitmap shot = Capture();
    EXPECT_EQ(buttonEvents, 0);
    for (ToolButton* button : buttons) {
        const RECT rect = button->BoundsRect();
        EXPECT_EQ(CountColor(shot, rect, green), Width(rect) * Height(rect)) << button->Index();
    }
    // The clock labels are still painted over it.
    EXPECT_EQ(shot.PixelAt(clock[0]->Left() + 1, 1), kWhite);

    // Drawing natively again once the handler lets it.
    bar->OnCustomDraw = nullptr;
    EXPECT_TRUE(ImageShown(Capture(), *buttons[0]));
}

TEST_F(ToolBarTest, NothingNativeIsDrawnBehindControlsOnTheBar) {
    // Transparent, empty labels: whatever is behind them shows.
    for (Label* label : clock) {
        label->transparent = true;
        label->SetCaption(L"");
    }
    Show();
    const ui::Bitmap shot = Capture();
    for (int i = 6; i < 9; ++i) {
        const RECT placeholder = ItemRect(i);
        EXPECT_EQ(CountColor(shot, placeholder, kWhite), Width(placeholder) * Height(placeholder)) << i;
    }
    // A real separator still draws its line.
    const RECT line = ItemRect(5);
    EXPECT_LT(CountColor(shot, line, kWhite), Width(line) * Height(line));

    // A DC lent for printing comes back without the clipping.
    ui::Bitmap print(200, 60);
    HDC dc = print.GetCanvas().Handle();
    SendMessageW(BarWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, clip), 0);
    DeleteObject(clip);
}

// --- Properties and class identity -------------------------------------------------

TEST_F(ToolBarTest, FlatPropertyRoundTripsAndSetsTheStyle) {
    Show();
    EXPECT_EQ(bar->GetPropertyText("Flat"), "True");
    EXPECT_TRUE(GetWindowLongPtrW(BarWindow(), GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_TRUE(bar->SetPropertyText("Flat", "False"));
    EXPECT_FALSE(bar->Flat());
    EXPECT_EQ(bar->GetPropertyText("flat"), "False");
    EXPECT_FALSE(GetWindowLongPtrW(BarWindow(), GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_TRUE(bar->SetPropertyText("Flat", "true"));
    EXPECT_TRUE(GetWindowLongPtrW(BarWindow(), GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_THROW(bar->SetPropertyText("Flat", "yes"), ui::PropertyError);
    EXPECT_TRUE(bar->Flat());
    // The buttons survive the style change.
    EXPECT_EQ(NativeCount(), 9);
}

TEST(ToolBarWindow, StylesSetBeforeTheWindowAreCreatedWithIt) {
    auto* form = new ui::Form(nullptr);
    form->SetBounds(40, 40, 300, 100);
    auto& bar = form->Create<ToolBar>();
    bar.SetParent(form);
    bar.SetFlat(true);
    bar.SetList(true);
    const LONG_PTR style = GetWindowLongPtrW(bar.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & TBSTYLE_FLAT);
    EXPECT_TRUE(style & TBSTYLE_LIST);
    EXPECT_FALSE(style & TBSTYLE_TOOLTIPS);
    EXPECT_EQ(style & (CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN),
              LONG_PTR(CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN));
    EXPECT_EQ(SendMessageW(bar.Handle(), TB_BUTTONCOUNT, 0, 0), 0);
    delete form;
}

TEST(ToolButtonProperties, StyleTextMapsBothWays) {
    ToolButton button(nullptr);
    EXPECT_EQ(button.GetPropertyText("Style"), "tbsButton");
    EXPECT_TRUE(button.SetPropertyText("Style", "tbsSeparator"));
    EXPECT_EQ(button.Style(), ToolButtonStyle::Separator);
    EXPECT_EQ(button.GetPropertyText("Style"), "tbsSeparator");
    EXPECT_THROW(button.SetPropertyText("Style", "tbsCheck"), ui::PropertyError);
    EXPECT_EQ(button.Style(), ToolButtonStyle::Separator);
    EXPECT_EQ(button.Index(), -1);
}

TEST(ToolBarClasses, ChainsNameTheirAncestors) {
    ToolBar bar(nullptr);
    EXPECT_EQ(bar.ClassName(), "TToolBar");
    EXPECT_TRUE(bar.InheritsFrom("TToolWindow"));
    EXPECT_TRUE(bar.InheritsFrom("TWinControl"));
    ToolButton button(nullptr);
    EXPECT_EQ(button.ClassName(), "TToolButton");
    EXPECT_TRUE(button.InheritsFrom("TGraphicControl"));
    EXPECT_FALSE(button.InheritsFrom("TWinControl"));
}

} // namespace
