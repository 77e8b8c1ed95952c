// The PNG decoder and the PNG image list: every PNG pixel format, damaged
// input, alpha blending probed in real GDI pixels, the comctl32 list made from
// the same images, resources, and GDI handles released.

#include "ui/Bitmap.h"
#include "ui/png/PngDecoder.h"
#include "ui/png/PngImageList.h"

#include "tests/support/PngWriter.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using ui::Bitmap;
using ui::Color;
using ui::PixelFormat;
using ui::PngImageList;

using testsupport::Bytes;
using testsupport::EncodePng;
using testsupport::PngRecipe;
using testsupport::Recipe;
using testsupport::Rgba;
using testsupport::RgbaPng;

constexpr Color Rgb(int r, int g, int b) {
    return Color(r | (g << 8) | (b << 16));
}
constexpr int Red(Color c) { return c & 0xFF; }
constexpr int Green(Color c) { return (c >> 8) & 0xFF; }
constexpr int Blue(Color c) { return (c >> 16) & 0xFF; }

// The icon the image-list tests draw: an opaque red pixel, a fully transparent
// one (with a colour that must not show), a half-transparent white one, and
// opaque blue elsewhere.
constexpr Rgba kOpaqueRed{255, 0, 0, 255};
constexpr Rgba kTransparentGreen{0, 255, 0, 0};
constexpr Rgba kHalfWhite{255, 255, 255, 128};
constexpr Rgba kOpaqueBlue{0, 0, 255, 255};

Bytes IconPng(int width = 16, int height = 16) {
    return RgbaPng(width, height, [](int x, int y) {
        if (y == 0 && x == 0) return kOpaqueRed;
        if (y == 0 && x == 1) return kTransparentGreen;
        if (y == 0 && x == 2) return kHalfWhite;
        return kOpaqueBlue;
    });
}

Bytes SolidPng(Rgba colour) {
    return RgbaPng(16, 16, [colour](int, int) { return colour; });
}

Rgba PixelOf(const ui::RgbaImage& image, int x, int y) {
    const uint8_t* p = image.Row(y) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

// --- Decoder ------------------------------------------------------------------------

struct DecodeCase {
    const char* name;
    PngRecipe recipe;
    std::vector<Rgba> expected;  // row by row
};

std::vector<DecodeCase> DecodeCases() {
    PngRecipe interlaced = Recipe(9, 9, PNG_COLOR_TYPE_RGBA, 8, {});
    interlaced.interlaced = true;
    std::vector<Rgba> interlacedPixels;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const Rgba p{uint8_t(x * 28), uint8_t(y * 28), uint8_t(x + y), uint8_t(255 - x * y)};
            interlaced.rows.insert(interlaced.rows.end(), p.begin(), p.end());
            interlacedPixels.push_back(p);
        }
    }
    PngRecipe rgbKeyed = Recipe(2, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 40, 50, 60});
    rgbKeyed.keyColour = png_color_16{0, 10, 20, 30, 0};
    PngRecipe palette = Recipe(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2});
    palette.palette = {{1, 2, 3}, {200, 100, 50}, {7, 8, 9}};
    palette.paletteAlpha = {0, 77};  // the third entry has none: opaque
    PngRecipe palette2Bit = Recipe(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {0b00011011});
    palette2Bit.palette = {{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 0, 0}};
    PngRecipe grey16Keyed = Recipe(2, 1, PNG_COLOR_TYPE_GRAY, 16, {0x12, 0x34, 0x80, 0x80});
    grey16Keyed.keyColour = png_color_16{0, 0, 0, 0, 0x1234};
    return {
        {"Rgba8", Recipe(2, 1, PNG_COLOR_TYPE_RGBA, 8, {255, 0, 0, 255, 0, 0, 255, 128}),
         {{255, 0, 0, 255}, {0, 0, 255, 128}}},
        {"Rgb8IsOpaque", Recipe(2, 1, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 40, 50, 60}),
         {{10, 20, 30, 255}, {40, 50, 60, 255}}},
        {"Rgb8WithKeyColour", rgbKeyed, {{10, 20, 30, 0}, {40, 50, 60, 255}}},
        {"PaletteWithTransparency", palette, {{1, 2, 3, 0}, {200, 100, 50, 77}, {7, 8, 9, 255}}},
        {"Palette2Bit", palette2Bit, {{0, 0, 0, 255}, {85, 85, 85, 255}, {170, 170, 170, 255}, {255, 0, 0, 255}}},
        {"Grey1Bit", Recipe(3, 1, PNG_COLOR_TYPE_GRAY, 1, {0b10100000}),
         {{255, 255, 255, 255}, {0, 0, 0, 255}, {255, 255, 255, 255}}},
        {"Grey16WithKey", grey16Keyed, {{0x12, 0x12, 0x12, 0}, {128, 128, 128, 255}}},
        {"GreyAlpha8", Recipe(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {100, 50}), {{100, 100, 100, 50}}},
        {"Rgba16", Recipe(1, 1, PNG_COLOR_TYPE_RGBA, 16, {0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80, 0x00, 0x00}),
         {{255, 0, 128, 0}}},
        {"Interlaced", interlaced, interlacedPixels},
    };
}

class PngDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(PngDecode, GivesStraightRgba8) {
    const DecodeCase& c = GetParam();
    const Bytes bytes = EncodePng(c.recipe);
    ASSERT_FALSE(bytes.empty());
    const std::optional<ui::RgbaImage> image = ui::DecodePng(bytes);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, c.recipe.width);
    ASSERT_EQ(image->height, c.recipe.height);
    ASSERT_EQ(image->pixels.size(), c.expected.size() * 4);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            EXPECT_EQ(PixelOf(*image, x, y), c.expected[size_t(y * image->width + x)]) << "at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PngDecode, testing::ValuesIn(DecodeCases()),
                         [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(PngDecoder, EveryTruncationFailsCleanly) {
    const Bytes whole = IconPng();
    ASSERT_TRUE(ui::DecodePng(whole).has_value());
    for (size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(ui::DecodePng(std::span(whole.data(), length)).has_value()) << "first " << length << " bytes";
    }
}

TEST(PngDecoder, DamagedDataFails) {
    const Bytes whole = IconPng();
    // The IHDR chunk's data starts at byte 16; flipping a byte breaks its CRC.
    Bytes badHeader = whole;
    badHeader[17] ^= 0x01;
    EXPECT_FALSE(ui::DecodePng(badHeader).has_value());

    // The signature followed by noise.
    Bytes noise(whole.begin(), whole.begin() + 8);
    std::srand(7);
    for (int i = 0; i < 300; ++i) {
        noise.push_back(uint8_t(std::rand()));
    }
    EXPECT_FALSE(ui::DecodePng(noise).has_value());

    // Every byte after the header corrupted in turn: no crash, and whatever
    // still decodes has the header's size.
    for (size_t i = 33; i < whole.size(); ++i) {
        Bytes damaged = whole;
        damaged[i] ^= 0x5A;
        const std::optional<ui::RgbaImage> image = ui::DecodePng(damaged);
        if (image) {
            EXPECT_EQ(image->width, 16) << i;
            EXPECT_EQ(image->pixels.size(), 16u * 16u * 4u) << i;
        }
    }

    const Bytes text{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '!'};
    EXPECT_FALSE(ui::DecodePng(text).has_value());
    EXPECT_FALSE(ui::DecodePng({}).has_value());
}

TEST(PngDecoder, RefusesPicturesBeyondTheSizeLimit) {
    const auto blackRows = [](int width, int height) {
        return EncodePng(Recipe(width, height, PNG_COLOR_TYPE_GRAY, 8, Bytes(size_t(width) * height, 0)));
    };
    EXPECT_TRUE(ui::DecodePng(blackRows(ui::kMaxPngDimension, 1)).has_value());
    EXPECT_FALSE(ui::DecodePng(blackRows(ui::kMaxPngDimension + 1, 1)).has_value());
    EXPECT_FALSE(ui::DecodePng(blackRows(1, ui::kMaxPngDimension + 1)).has_value());
}

// --- Image list -------------------------------------------------------------------

constexpr Color kBackground = Rgb(40, 80, 200);

Bitmap Background(Color colour = kBackground) {
    Bitmap bitmap(40, 30, PixelFormat::Bit24);
    bitmap.Fill(colour);
    return bitmap;
}

void ExpectNear(Color actual, int r, int g, int b, int tolerance = 3) {
    EXPECT_NEAR(Red(actual), r, tolerance);
    EXPECT_NEAR(Green(actual), g, tolerance);
    EXPECT_NEAR(Blue(actual), b, tolerance);
}

int Midway(int background, int colour, int alpha) {
    return background + (colour - background) * alpha / 255;
}

Bytes PixelBytes(const Bitmap& bitmap) {
    Bytes bytes;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        bytes.insert(bytes.end(), row, row + bitmap.Stride());
    }
    return bytes;
}

TEST(PngImageList, IsAnImageListComponent) {
    PngImageList list(nullptr);
    EXPECT_EQ(list.ClassName(), "TPngImageList");
    EXPECT_TRUE(list.InheritsFrom("TCustomImageList"));
    EXPECT_TRUE(list.InheritsFrom("TComponent"));
    EXPECT_FALSE(list.InheritsFrom("TControl"));
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    EXPECT_EQ(list.Count(), 0);
}

TEST(PngImageList, AddsOnlyPngsOfItsOwnSize) {
    PngImageList list(nullptr);
    EXPECT_EQ(list.AddPng(IconPng()), 0);
    EXPECT_EQ(list.AddPng(SolidPng(kOpaqueRed)), 1);

    const Bytes good = IconPng();
    const Bytes rejected[] = {
        IconPng(15, 16),
        IconPng(16, 15),
        IconPng(32, 32),
        Bytes(good.begin(), good.begin() + long(good.size()) / 2),
        Bytes(good.begin() + 8, good.end()),
        Bytes(200, 0xAB),
        Bytes(),
    };
    for (size_t i = 0; i < std::size(rejected); ++i) {
        EXPECT_EQ(list.AddPng(rejected[i]), -1) << "case " << i;
    }
    EXPECT_EQ(list.Count(), 2);

    PngImageList large(nullptr, 32, 24);
    EXPECT_EQ(large.AddPng(IconPng()), -1);
    EXPECT_EQ(large.AddPng(IconPng(32, 24)), 0);
    EXPECT_EQ(large.Width(), 32);
    EXPECT_EQ(large.Height(), 24);
}

TEST(PngImageList, DrawBlendsOverTheBackground) {
    PngImageList list(nullptr);
    ASSERT_EQ(list.AddPng(IconPng()), 0);
    Bitmap target = Background();
    list.Draw(target.GetCanvas().Handle(), 5, 7, 0);

    EXPECT_EQ(target.PixelAt(5, 7), Rgb(255, 0, 0));
    EXPECT_EQ(target.PixelAt(6, 7), kBackground) << "a fully transparent pixel leaves the background";
    ExpectNear(target.PixelAt(7, 7), Midway(40, 255, 128), Midway(80, 255, 128), Midway(200, 255, 128));
    // Exactly 16 x 16 at (5, 7): the last pixel is (20, 22).
    EXPECT_EQ(target.PixelAt(20, 22), Rgb(0, 0, 255));
    EXPECT_EQ(target.PixelAt(4, 7), kBackground);
    EXPECT_EQ(target.PixelAt(5, 6), kBackground);
    EXPECT_EQ(target.PixelAt(21, 22), kBackground);
    EXPECT_EQ(target.PixelAt(20, 23), kBackground);
}

TEST(PngImageList, EachIndexDrawsItsOwnImage) {
    PngImageList list(nullptr);
    ASSERT_EQ(list.AddPng(IconPng()), 0);
    ASSERT_EQ(list.AddPng(SolidPng({0, 255, 0, 255})), 1);
    ASSERT_EQ(list.AddPng(SolidPng({255, 255, 0, 128})), 2);

    Bitmap target = Background();
    const HDC dc = target.GetCanvas().Handle();
    list.Draw(dc, 0, 0, 1);
    EXPECT_EQ(target.PixelAt(0, 0), Rgb(0, 255, 0));
    EXPECT_EQ(target.PixelAt(15, 15), Rgb(0, 255, 0));
    list.Draw(dc, 20, 0, 2);
    ExpectNear(target.PixelAt(20, 0), Midway(40, 255, 128), Midway(80, 255, 128), Midway(200, 0, 128));
    // Adding images kept the first one intact.
    list.Draw(dc, 0, 0, 0);
    EXPECT_EQ(target.PixelAt(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(target.PixelAt(1, 0), Rgb(0, 255, 0)) << "transparent over the green drawn before";

    const Bytes before = PixelBytes(target);
    for (int index : {-1, 3, 1000}) {
        list.Draw(dc, 0, 0, index);
        list.Draw(dc, 0, 0, index, false);
    }
    list.Draw(nullptr, 0, 0, 0);
    EXPECT_EQ(PixelBytes(target), before) << "out-of-range indexes draw nothing";
}

TEST(PngImageList, DisabledIsGreyAndHalfTransparent) {
    PngImageList list(nullptr);
    ASSERT_EQ(list.AddPng(IconPng()), 0);

    Bitmap enabled = Background();
    list.Draw(enabled.GetCanvas().Handle(), 0, 0, 0, true);
    Bitmap disabled = Background();
    list.Draw(disabled.GetCanvas().Handle(), 0, 0, 0, false);
    EXPECT_NE(PixelBytes(enabled), PixelBytes(disabled));
    EXPECT_EQ(disabled.PixelAt(1, 0), kBackground) << "transparent stays transparent";

    // Over black and over white: a grey, and half the background shows through.
    Bitmap overBlack = Background(ui::clBlack);
    Bitmap overWhite = Background(ui::clWhite);
    list.Draw(overBlack.GetCanvas().Handle(), 0, 0, 0, false);
    list.Draw(overWhite.GetCanvas().Handle(), 0, 0, 0, false);
    for (int x : {0, 5}) {  // opaque red, opaque blue
        const Color dark = overBlack.PixelAt(x, 0);
        const Color light = overWhite.PixelAt(x, 0);
        EXPECT_EQ(Red(dark), Green(dark));
        EXPECT_EQ(Green(dark), Blue(dark));
        EXPECT_NEAR(Red(light) - Red(dark), 127, 3) << x;
    }
    EXPECT_NE(overBlack.PixelAt(0, 0), overBlack.PixelAt(5, 0)) << "red and blue keep their different greys";
}

TEST(PngImageList, HandleIsANativeListOfTheSameImages) {
    PngImageList list(nullptr);
    const HIMAGELIST empty = list.Handle();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(empty), 0);

    ASSERT_EQ(list.AddPng(SolidPng({0, 255, 0, 255})), 0);
    ASSERT_EQ(list.AddPng(IconPng()), 1);
    const HIMAGELIST handle = list.Handle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(list.Handle(), handle) << "made once until the list changes";
    EXPECT_EQ(ImageList_GetImageCount(handle), 2);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(handle, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    // Drawn by comctl32, the images blend the same way ours do.
    Bitmap target = Background();
    ASSERT_TRUE(ImageList_Draw(handle, 1, target.GetCanvas().Handle(), 5, 7, ILD_NORMAL));
    EXPECT_EQ(target.PixelAt(5, 7), Rgb(255, 0, 0));
    EXPECT_EQ(target.PixelAt(6, 7), kBackground);
    ExpectNear(target.PixelAt(7, 7), Midway(40, 255, 128), Midway(80, 255, 128), Midway(200, 255, 128));
    ASSERT_TRUE(ImageList_Draw(handle, 0, target.GetCanvas().Handle(), 5, 7, ILD_NORMAL));
    EXPECT_EQ(target.PixelAt(6, 7), Rgb(0, 255, 0));

    ASSERT_EQ(list.AddPng(IconPng()), 2);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 0);
    EXPECT_EQ(list.AddPng(IconPng()), 0) << "usable again after Clear";
}

TEST(PngImageList, TallHandleCentresEachImageInItsCell) {
    PngImageList list(nullptr);
    ASSERT_EQ(list.AddPng(SolidPng({0, 255, 0, 255})), 0);
    const HIMAGELIST natural = list.Handle();
    const HIMAGELIST tall = list.Handle(33);
    ASSERT_NE(tall, nullptr);
    EXPECT_NE(tall, natural);
    EXPECT_EQ(list.Handle(), natural) << "the natural list stays valid beside the tall one";
    EXPECT_EQ(list.Handle(33), tall) << "made once for its height";
    EXPECT_EQ(list.Handle(12), natural) << "a cell lower than the images is the natural list";
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(tall, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 33);

    // Rows 8 to 23 hold the image; above and below nothing is drawn.
    Bitmap target = Background();
    ASSERT_TRUE(ImageList_Draw(tall, 0, target.GetCanvas().Handle(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(target.PixelAt(3, 7), kBackground);
    EXPECT_EQ(target.PixelAt(3, 8), Rgb(0, 255, 0));
    EXPECT_EQ(target.PixelAt(3, 23), Rgb(0, 255, 0));
    EXPECT_EQ(target.PixelAt(3, 24), kBackground);

    ASSERT_EQ(list.AddPng(IconPng()), 1);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle(33)), 2) << "remade after the list changed";
}

// --- Resources ----------------------------------------------------------------------

struct ModuleDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

// A copy of this test program with PNG resources added, removed afterwards.
class ResourceFile {
public:
    ResourceFile() {
        wchar_t self[MAX_PATH];
        wchar_t folder[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"vocara_png_resources_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
        copied_ = CopyFileW(self, path_.c_str(), FALSE) != FALSE;
    }
    ~ResourceFile() {
        module_.reset();
        DeleteFileW(path_.c_str());
    }
    bool Add(const wchar_t* type, const wchar_t* name, const Bytes& data) {
        HANDLE update = BeginUpdateResourceW(path_.c_str(), FALSE);
        if (update == nullptr) {
            return false;
        }
        const bool added = UpdateResourceW(update, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                           const_cast<uint8_t*>(data.data()), DWORD(data.size())) != FALSE;
        return EndUpdateResourceW(update, !added) != FALSE && added;
    }
    HMODULE Load() {
        module_.reset(LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        return module_.get();
    }
    bool Copied() const { return copied_; }

private:
    std::wstring path_;
    bool copied_ = false;
    UniqueModule module_;
};

TEST(PngImageList, LoadsPngResources) {
    ResourceFile file;
    ASSERT_TRUE(file.Copied());
    ASSERT_TRUE(file.Add(L"PNG", L"TOOLICON", IconPng()));
    ASSERT_TRUE(file.Add(L"PNG", MAKEINTRESOURCEW(101), SolidPng({0, 255, 0, 255})));
    ASSERT_TRUE(file.Add(L"ICONS", L"OTHERTYPE", SolidPng(kOpaqueRed)));
    ASSERT_TRUE(file.Add(L"PNG", L"WRONGSIZE", IconPng(15, 16)));
    const HMODULE module = file.Load();
    ASSERT_NE(module, nullptr);

    PngImageList list(nullptr);
    EXPECT_EQ(list.AddPngResource(module, L"TOOLICON"), 0);
    EXPECT_EQ(list.AddPngResource(module, MAKEINTRESOURCEW(101)), 1);
    EXPECT_EQ(list.AddPngResource(module, L"OTHERTYPE", L"ICONS"), 2);
    EXPECT_EQ(list.AddPngResource(module, L"OTHERTYPE"), -1) << "not of type PNG";
    EXPECT_EQ(list.AddPngResource(module, L"WRONGSIZE"), -1);
    EXPECT_EQ(list.AddPngResource(module, L"MISSING"), -1);
    EXPECT_EQ(list.AddPngResource(GetModuleHandleW(nullptr), L"TOOLICON"), -1);
    EXPECT_EQ(list.AddPngResource(module, nullptr), -1);
    ASSERT_EQ(list.Count(), 3);

    Bitmap target = Background();
    list.Draw(target.GetCanvas().Handle(), 0, 0, 0);
    list.Draw(target.GetCanvas().Handle(), 16, 0, 1);
    list.Draw(target.GetCanvas().Handle(), 32 - 8, 20, 2);
    EXPECT_EQ(target.PixelAt(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(target.PixelAt(16, 0), Rgb(0, 255, 0));
    EXPECT_EQ(target.PixelAt(30, 25), Rgb(255, 0, 0));
}

// --- GDI handles ---------------------------------------------------------------------

// How many more GDI objects this process may create: a leak lowers it. Wine
// does not count GDI objects (GetGuiResources gives 0 there), so under Wine
// this stands in for the count, beside GetObjectType on the handles we can
// see being 0 once released.
int FreeGdiCapacity() {
    std::vector<ui::UniqueBitmap> probes;
    while (probes.size() < 200000) {
        ui::UniqueBitmap probe(CreateBitmap(1, 1, 1, 1, nullptr));
        if (!probe) {
            break;
        }
        probes.push_back(std::move(probe));
    }
    return int(probes.size());
}

void ExerciseEverything(std::vector<HGDIOBJ>& released) {
    Bitmap bitmap(17, 9, PixelFormat::Bit32);
    ui::Canvas& canvas = bitmap.GetCanvas();
    canvas.font.height = 13;
    canvas.TextOut(0, 0, L"abc");
    released.push_back(GetCurrentObject(canvas.Handle(), OBJ_FONT));
    canvas.font.bold = true;
    canvas.TextOut(0, 0, L"abc");
    released.push_back(GetCurrentObject(canvas.Handle(), OBJ_FONT));
    released.push_back(canvas.Handle());
    released.push_back(bitmap.Handle());
    bitmap.SetSize(5, 5);
    released.push_back(bitmap.Handle());
    bitmap.SetFormat(PixelFormat::Bit24);
    released.push_back(bitmap.Handle());
    Bitmap copy(bitmap);
    copy.GetCanvas().Draw(0, 0, bitmap);
    released.push_back(copy.Handle());
    copy.transparent = true;
    bitmap.GetCanvas().Draw(0, 0, copy);
    Bitmap moved(std::move(copy));
    moved = Bitmap(3, 3);
    moved.AssignFromHandle(bitmap.Handle());
    released.push_back(moved.Handle());

    PngImageList list(nullptr);
    list.AddPng(IconPng());
    list.AddPng(IconPng());
    list.Draw(canvas.Handle(), 0, 0, 1);
    list.Draw(canvas.Handle(), 0, 0, 0, false);
    ImageList_Draw(list.Handle(), 0, canvas.Handle(), 0, 0, ILD_NORMAL);
    list.AddPng(IconPng());
    (void)list.Handle();
}

TEST(GdiHandles, NothingLeaks) {
    const HANDLE process = GetCurrentProcess();
    std::vector<HGDIOBJ> released;
    ExerciseEverything(released);  // first-use allocations (stock objects, caches) happen here
    released.clear();

    const DWORD objectsBefore = GetGuiResources(process, GR_GDIOBJECTS);
    const int capacityBefore = objectsBefore == 0 ? FreeGdiCapacity() : 0;
    for (int i = 0; i < 200; ++i) {
        released.clear();  // only the last round's: older slots may be reused
        ExerciseEverything(released);
    }
    for (size_t i = 0; i < released.size(); ++i) {
        EXPECT_EQ(GetObjectType(released[i]), 0u) << "handle " << i << " is still alive";
    }
    const DWORD objectsAfter = GetGuiResources(process, GR_GDIOBJECTS);
    if (objectsBefore != 0) {
        EXPECT_EQ(objectsAfter, objectsBefore);
    } else {
        EXPECT_EQ(FreeGdiCapacity(), capacityBefore) << "GDI objects leaked";
    }
}

} // namespace
