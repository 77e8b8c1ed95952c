// Where a bit button's picture comes from besides its glyph: a published
// picture property named by the mapping ("PngImage"), drawn with its own
// transparency, and the control's image list with its disabled image.

#include "tests/skin/controls/ButtonPainterFixture.h"
#include "tests/support/PngWriter.h"
#include "ui/BitBtn.h"
#include "ui/png/PngImageList.h"

#include <string>

namespace {

using buttontest::Snapshot;

// A button of another make that keeps its glyph in a published picture.
class PngBitBtn : public ui::Button {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using ui::Button::Button;

    ui::Bitmap pngImage;
};

const ui::PropertyInfo kPngBitBtnProperties[] = {
    {"PngImage", [](const ui::Component&) { return std::string(); },
     [](ui::Component&, std::string_view) { throw ui::PropertyError("a picture is not set by text"); }, nullptr,
     [](const ui::Component& c) -> const ui::Bitmap* {
         const auto& button = static_cast<const PngBitBtn&>(c);
         return button.pngImage.Empty() ? nullptr : &button.pngImage;
     }},
};
const ui::ClassInfo PngBitBtn::kClass{"TPngBitBtn", &ui::Button::kClass, kPngBitBtnProperties};

constexpr ui::Color kPicture = 0x2080E0;
constexpr ui::Color kKey = 0x00FF00;
// A 100 x 30 button without caption centres a 16 x 16 picture here.
constexpr POINT kGlyphAt{42, 7};

// Left half the picture's colour, right half transparent: by alpha in 32
// bits, by the key colour in 24.
ui::Bitmap HalfPicture(ui::PixelFormat format) {
    ui::Bitmap picture(16, 16, format);
    picture.Fill(kPicture);
    for (int y = 0; y < 16; ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 8; x < 16; ++x) {
            uint8_t* pixel = row + x * picture.BytesPerPixel();
            if (format == ui::PixelFormat::Bit32) {
                pixel[0] = pixel[1] = pixel[2] = pixel[3] = 0;  // premultiplied: nothing
            } else {
                pixel[0] = 0x00;
                pixel[1] = 0xFF;
                pixel[2] = 0x00;
            }
        }
    }
    picture.transparent = format == ui::PixelFormat::Bit24;
    picture.transparentColor = kKey;
    return picture;
}

struct GlyphSourceTest : buttontest::FormFixture {
    template <class T>
    T& NewButton() {
        auto& button = form.Create<T>();
        button.SetParent(&form);
        button.SetBounds(20, 20, 100, 30);
        return button;
    }
};

TEST_F(GlyphSourceTest, NamedPicturePropertyGivesTheGlyphWithItsOwnTransparency) {
    const struct {
        const char* name;
        ui::PixelFormat format;
    } cases[] = {{"alpha", ui::PixelFormat::Bit32}, {"key colour", ui::PixelFormat::Bit24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& button = NewButton<PngBitBtn>();
        button.pngImage = HalfPicture(c.format);
        skin::TSkinControl& painter = Paint(button, skin::PainterKind::BitButton);
        // As the mapping names it for the "pngbitbtn" kind.
        ASSERT_TRUE(painter.SetPropertyText("GlyphProperty", "PngImage"));
        EXPECT_EQ(painter.GetPropertyText("GlyphProperty"), "PngImage");

        ui::Bitmap shot = Snapshot(button.Handle());
        const ui::Color frame = shot.PixelAt(5, 5);
        EXPECT_EQ(shot.PixelAt(kGlyphAt.x + 3, kGlyphAt.y + 8), kPicture);
        EXPECT_EQ(shot.PixelAt(kGlyphAt.x + 12, kGlyphAt.y + 8), frame);

        // No picture in the property: nothing drawn, and the layout has no glyph.
        button.pngImage.Clear();
        shot = Snapshot(button.Handle());
        EXPECT_EQ(shot.PixelAt(kGlyphAt.x + 3, kGlyphAt.y + 8), frame);
        delete &button;
    }
}

TEST_F(GlyphSourceTest, ImageListGivesTheGlyphAndTheDisabledIndexWhileDisabled) {
    auto& list = form.Create<ui::PngImageList>();
    list.name = "ToolIcons";
    ASSERT_EQ(list.AddPng(testsupport::RgbaPng(16, 16, [](int, int) { return testsupport::Rgba{255, 0, 0, 255}; })), 0);
    ASSERT_EQ(list.AddPng(testsupport::RgbaPng(16, 16, [](int, int) { return testsupport::Rgba{0, 0, 255, 255}; })), 1);
    auto& button = NewButton<ui::BitBtn>();
    EXPECT_THROW(button.SetPropertyText("Images", "NoSuchList"), ui::PropertyError);
    ASSERT_TRUE(button.SetPropertyText("Images", "ToolIcons"));
    EXPECT_EQ(button.GetPropertyComponent("Images"), &list);
    ASSERT_TRUE(button.SetPropertyText("ImageIndex", "0"));
    Paint(button, skin::PainterKind::BitButton);

    // What the list draws of an image over a colour, enabled or not.
    const auto listed = [&list](ui::Color under, int index, bool enabled) {
        ui::Bitmap expected(16, 16);
        expected.Fill(under);
        list.Draw(expected.GetCanvas().Handle(), 0, 0, index, enabled);
        return expected.PixelAt(8, 8);
    };
    const POINT probe{kGlyphAt.x + 8, kGlyphAt.y + 8};
    ui::Bitmap shot = Snapshot(button.Handle());
    EXPECT_EQ(shot.PixelAt(probe.x, probe.y), ui::Color(0x0000FF));

    button.SetEnabled(false);
    shot = Snapshot(button.Handle());
    const ui::Color disabledFrame = shot.PixelAt(5, 5);
    EXPECT_EQ(disabledFrame, buttontest::CellColour(3));
    EXPECT_EQ(shot.PixelAt(probe.x, probe.y), listed(disabledFrame, 0, false));
    ASSERT_TRUE(button.SetPropertyText("DisabledIndex", "1"));
    shot = Snapshot(button.Handle());
    EXPECT_EQ(shot.PixelAt(probe.x, probe.y), listed(disabledFrame, 1, false));
    EXPECT_NE(listed(disabledFrame, 0, false), listed(disabledFrame, 1, false));

    // Index -1: no picture at all.
    button.SetEnabled(true);
    ASSERT_TRUE(button.SetPropertyText("ImageIndex", "-1"));
    shot = Snapshot(button.Handle());
    EXPECT_EQ(shot.PixelAt(probe.x, probe.y), shot.PixelAt(5, 5));
}

} // namespace
