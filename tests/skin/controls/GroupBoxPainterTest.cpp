// The group-box painter read back by pixel: where the caption cuts into the
// frame's top line (left to right and right-aligned), the rounded frame in
// the skin's border colour, the window-less children drawn with the box, and
// a bare group-box window whose native frame is painted over.

#include "tests/skin/controls/ButtonPainterFixture.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"

#include <string>

namespace {

using buttontest::kFace;
using buttontest::Snapshot;

constexpr ui::Color kBorder = 0x2040C0;
constexpr ui::Color kInk = 0xA01010;
constexpr int kWidth = 200;
constexpr int kHeight = 90;

struct GroupBoxPainterTest : buttontest::FormFixture {
    GroupBoxPainterTest() { skin->Colours[skin::scButtonShadow] = kBorder; }

    ui::GroupBox& NewBox(const std::wstring& caption) {
        auto& box = form.Create<ui::GroupBox>();
        box.SetParent(&form);
        box.SetBounds(20, 20, kWidth, kHeight);
        box.SetCaption(caption);
        ui::Font font = box.GetFont();
        font.color = kInk;
        box.SetFont(font);
        return box;
    }

    // Width and height of the caption in the box's font.
    static SIZE CaptionExtent(const ui::GroupBox& box) {
        ui::Bitmap probe(1, 1);
        ui::Canvas& canvas = probe.GetCanvas();
        canvas.font = box.GetFont();
        (canvas.SelectFont)();
        const std::wstring text = box.Caption();
        SIZE size{};
        GetTextExtentPoint32W(canvas.Handle(), text.c_str(), int(text.size()), &size);
        SIZE zero{};
        GetTextExtentPoint32A(canvas.Handle(), "0", 1, &zero);
        return SIZE{size.cx, zero.cy};
    }

    // The first and last column of the frame's top line, between the rounded
    // corners, that the line does not cover.
    static std::pair<int, int> GapInTopLine(const ui::Bitmap& shot, int line) {
        int first = -1;
        int last = -1;
        for (int x = 5; x < shot.Width() - 5; ++x) {
            if (shot.PixelAt(x, line) != kBorder) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return {first, last};
    }
};

TEST_F(GroupBoxPainterTest, CaptionCutsTheTopLineEightPixelsFromItsSide) {
    const struct {
        const char* name;
        bool rightAligned;
    } cases[] = {{"left to right", false}, {"right-aligned", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& box = NewBox(L"登录选项");
        if (c.rightAligned) {
            const HWND window = box.Handle();
            SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_RIGHT);
        }
        Paint(box, skin::PainterKind::GroupBox);
        const ui::Bitmap shot = Snapshot(box.Handle());
        const SIZE caption = CaptionExtent(box);
        const int line = caption.cy / 2 - 1;
        // The frame: its top line (beside the caption), sides and bottom.
        const int freeColumn = c.rightAligned ? 10 : kWidth - 10;
        EXPECT_EQ(shot.PixelAt(freeColumn, line), kBorder);
        EXPECT_EQ(shot.PixelAt(1, kHeight / 2), kBorder);
        EXPECT_EQ(shot.PixelAt(kWidth - 2, kHeight / 2), kBorder);
        EXPECT_EQ(shot.PixelAt(kWidth / 2, kHeight - 2), kBorder);
        // Outside the frame and inside it: the form colour.
        EXPECT_EQ(shot.PixelAt(0, kHeight / 2), kFace);
        EXPECT_EQ(shot.PixelAt(kWidth / 2, kHeight - 1), kFace);
        EXPECT_EQ(shot.PixelAt(kWidth / 2, kHeight / 2 + 10), kFace);
        // Rounded: the corner pixel of the frame's rectangle stays face.
        EXPECT_EQ(shot.PixelAt(1, kHeight - 2), kFace);

        const auto [first, last] = GapInTopLine(shot, line);
        if (c.rightAligned) {
            EXPECT_EQ(last, kWidth - 8 - 1);
            EXPECT_EQ(first, kWidth - 8 - caption.cx);
        } else {
            EXPECT_EQ(first, 8);
            EXPECT_EQ(last, 8 + caption.cx - 1);
        }
        // The caption is written in the font's colour.
        bool inked = false;
        for (int x = first; x <= last && !inked; ++x) {
            for (int y = 0; y < caption.cy && !inked; ++y) {
                inked = shot.PixelAt(x, y) == kInk;
            }
        }
        EXPECT_TRUE(inked);
        delete &box;
    }
}

TEST_F(GroupBoxPainterTest, WindowlessChildrenAreDrawnWithTheBox) {
    auto& box = NewBox(L"头像");
    auto& image = form.Create<ui::Image>();
    ui::Bitmap picture(12, 12);
    constexpr ui::Color kPicture = 0x10C0A0;
    picture.Fill(kPicture);
    image.SetPicture(std::move(picture));
    image.SetParent(&box);
    image.SetBounds(30, 40, 12, 12);
    Paint(box, skin::PainterKind::GroupBox);
    const ui::Bitmap shot = Snapshot(box.Handle());
    EXPECT_EQ(shot.PixelAt(35, 45), kPicture);
    EXPECT_EQ(shot.PixelAt(50, 45), kFace);
}

TEST_F(GroupBoxPainterTest, BareGroupBoxWindowHasItsNativeFramePaintedOver) {
    const HWND window = CreateWindowExW(0, L"BUTTON", L"选项", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 20, 20, kWidth,
                                        kHeight, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    skin::TSkinControl* painter = skin::CreatePainter(skin::PainterKind::GroupBox, nullptr);
    painter->AttachWindow(window, skin.get(), nullptr, nullptr);
    EXPECT_EQ(painter->FMode, 0);

    // The system draws its frame first; the painter covers it after.
    const ui::Bitmap shot = Snapshot(window);
    EXPECT_EQ(shot.PixelAt(0, kHeight / 2), kFace);
    EXPECT_EQ(shot.PixelAt(1, kHeight / 2), kBorder);
    EXPECT_EQ(shot.PixelAt(kWidth - 1, kHeight / 2), kFace);
    EXPECT_EQ(shot.PixelAt(kWidth - 2, kHeight / 2), kBorder);
    EXPECT_EQ(shot.PixelAt(kWidth / 2, kHeight - 1), kFace);
    EXPECT_EQ(shot.PixelAt(kWidth / 2, kHeight - 2), kBorder);
    DestroyWindow(window);
    delete painter;
}

} // namespace
