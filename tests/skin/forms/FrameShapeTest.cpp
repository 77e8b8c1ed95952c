// The window shape built from the frame pieces' key pixels alone must be the
// very region the whole pieces drawn and scanned give (the reference kept
// with the benchmark), for skins with rounded corners, cut edges, holes and
// damaged margins, at tiny, odd and large sizes, in both looks.

#include "skin/forms/FrameShape.h"

#include <gtest/gtest.h>

#include "bench/windows/ReferenceFrameShape.h"
#include "tests/skin/forms/FrameSkinFixture.h"

#include <string>
#include <vector>

namespace {

using formtest::FrameSkinPieces;

struct RegionData {
    RECT bound{};
    std::vector<RECT> rects;
};

RegionData DataOf(HRGN region) {
    RegionData result;
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER)) {
        ADD_FAILURE() << "GetRegionData gave no size";
        return result;
    }
    std::vector<uint8_t> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (GetRegionData(region, size, data) == 0) {
        ADD_FAILURE() << "GetRegionData failed";
        return result;
    }
    result.bound = data->rdh.rcBound;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    result.rects.assign(rects, rects + data->rdh.nCount);
    return result;
}

std::string Describe(const std::vector<RECT>& rects) {
    std::string text;
    for (const RECT& r : rects) {
        text += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                std::to_string(r.bottom) + ") ";
    }
    return text;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!EqualRect(&a[i], &b[i])) {
            return false;
        }
    }
    return true;
}

// The outline a painter has for this skin at this size (LoadFrameMetrics).
skin::FrameOutline SkinOutline(const skin::TSkinData& data, int width, int height, bool active) {
    skin::FrameOutline o;
    o.width = width;
    o.height = height;
    o.borderLeft = data.LeftBorder->Bitmap.Width() / data.LeftBorder->FrameCount();
    o.borderRight = data.RightBorder->Bitmap.Width() / data.RightBorder->FrameCount();
    o.captionHeight = data.TopBorder->Bitmap.Height() / data.TopBorder->FrameCount();
    o.borderBottom = data.BottomBorder->Bitmap.Height() / data.BottomBorder->FrameCount();
    o.active = active;
    return o;
}

// Compares the shape with the reference; true when the shape is not the
// plain window rectangle (so the case cut something).
bool ExpectSameShape(const skin::TSkinData& data, const skin::FrameOutline& outline) {
    SCOPED_TRACE(std::to_string(outline.width) + " x " + std::to_string(outline.height) +
                 (outline.active ? ", active" : ", inactive"));
    const ui::UniqueRegion built = skin::BuildFrameShape(data, outline);
    const ui::UniqueRegion scanned = reference::ScannedFrameShape(data, outline);
    if (!built || !scanned) {
        ADD_FAILURE() << "no region";
        return false;
    }
    const ui::UniqueRegion difference(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(difference.get(), built.get(), scanned.get(), RGN_XOR), NULLREGION);
    const RegionData a = DataOf(built.get());
    const RegionData b = DataOf(scanned.get());
    EXPECT_TRUE(EqualRect(&a.bound, &b.bound));
    EXPECT_TRUE(SameRects(a.rects, b.rects)) << "built:   " << Describe(a.rects) << "\nscanned: " << Describe(b.rects);
    const ui::UniqueRegion whole(CreateRectRgn(0, 0, outline.width, outline.height));
    return EqualRgn(scanned.get(), whole.get()) == 0;
}

// Tiny sizes (below the corners and the frame itself), sizes where the
// fixed ends just fit or just do not, odd ones and a large one.
constexpr SIZE kSizes[] = {{1, 1},   {2, 2},    {3, 5},    {7, 4},    {8, 30},   {9, 31},    {12, 34},
                           {13, 35}, {37, 23},  {101, 67}, {143, 59}, {150, 99}, {333, 211}, {800, 600}};

void ExpectSameShapes(const skin::TSkinData& data) {
    int shaped = 0;
    for (const SIZE size : kSizes) {
        for (const bool active : {true, false}) {
            shaped += ExpectSameShape(data, SkinOutline(data, size.cx, size.cy, active)) ? 1 : 0;
        }
    }
    EXPECT_GT(shaped, 0) << "no case cut anything out of the window";
}

FrameSkinPieces AllTransparent() {
    FrameSkinPieces spec;
    spec.trans[0] = spec.trans[1] = spec.trans[2] = spec.trans[3] = 1;
    return spec;
}

TEST(FrameShape, DefaultSkinMatchesTheScannedFrame) {
    skin::TSkinData data(nullptr);
    data.showMessage = [](const std::string&) {};
    ASSERT_TRUE(data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    ASSERT_FALSE(data.NotLoaded());
    ExpectSameShapes(data);
}

TEST(FrameShape, TestSkinsMatchTheScannedFrame) {
    struct Case {
        const char* name;
        FrameSkinPieces spec;
    };
    std::vector<Case> cases;

    FrameSkinPieces corners = AllTransparent();
    corners.cornerCut = 3;
    corners.bottomCut = 2;
    cases.push_back({"rounded corners", corners});

    // Each piece cut along its whole outer edge; the left and bottom pieces
    // stretched, the right and top ones tiled.
    FrameSkinPieces edges = AllTransparent();
    edges.moreCuts[0] = [](int x, int, int, int) { return x == 0; };
    edges.moreCuts[1] = [](int x, int, int w, int) { return x == w - 1; };
    edges.moreCuts[2] = [](int, int y, int, int) { return y == 0; };
    edges.moreCuts[3] = [](int, int y, int, int h) { return y == h - 1; };
    edges.stretch[1] = edges.stretch[2] = 0;
    edges.ends[0][0] = edges.ends[0][1] = edges.ends[1][0] = 6;
    edges.ends[1][1] = 3;
    edges.ends[2][0] = edges.ends[2][1] = 5;
    edges.ends[3][0] = edges.ends[3][1] = 4;
    cases.push_back({"cut along whole edges", edges});

    // Key pixels inside the pieces: in stretched middles (where they move
    // with the stretch), in tiled middles and in the fixed ends.
    FrameSkinPieces holes = AllTransparent();
    holes.cornerCut = 2;
    holes.moreCuts[0] = [](int x, int y, int, int) { return (x == 1 && y == 40) || (x == 2 && y >= 41 && y <= 43); };
    holes.moreCuts[1] = [](int x, int y, int, int) { return (x == 1 && y == 2) || (x == 2 && y == 50); };
    holes.moreCuts[2] = [](int x, int y, int, int) { return (x == 30 && y == 10) || (x >= 31 && x <= 33 && y == 12); };
    holes.moreCuts[3] = [](int x, int y, int, int) { return x == 20 && y == 2; };
    holes.stretch[1] = holes.stretch[3] = 0;
    holes.ends[0][0] = holes.ends[1][0] = 10;
    holes.ends[0][1] = holes.ends[1][1] = 10;
    holes.ends[2][0] = holes.ends[2][1] = 12;
    cases.push_back({"holes", holes});

    // A tiled middle one pixel high, cut at its left end: one rectangle of
    // the cut per tile.
    FrameSkinPieces tiles = AllTransparent();
    tiles.moreCuts[0] = [](int x, int y, int, int) { return x == 0 && y % 2 == 1; };
    tiles.stretch[0] = 0;
    tiles.ends[0][0] = 49;
    tiles.ends[0][1] = 50;
    cases.push_back({"one-pixel tiles", tiles});

    // Damaged ends: longer than the side pieces' cells (reaching past the
    // picture) and wider together than the top piece's cell.
    FrameSkinPieces damaged = AllTransparent();
    damaged.cornerCut = 3;
    damaged.ends[0][0] = 150;
    damaged.ends[0][1] = 3;
    damaged.ends[2][0] = 100;
    damaged.ends[2][1] = 80;
    cases.push_back({"ends past the picture", damaged});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto skin = formtest::LoadFrameSkin(c.spec);
        ExpectSameShapes(*skin->data);
    }
}

TEST(FrameShape, OpaqueAndCaptionlessFramesKeepTheirRectangles) {
    auto opaque = formtest::LoadFrameSkin();
    EXPECT_FALSE(ExpectSameShape(*opaque->data, SkinOutline(*opaque->data, 101, 67, true)));
    FrameSkinPieces corners = AllTransparent();
    corners.cornerCut = 3;
    auto cut = formtest::LoadFrameSkin(corners);
    skin::FrameOutline captionless = SkinOutline(*cut->data, 101, 67, true);
    captionless.captionless = true;
    captionless.borderLeft = captionless.borderRight = captionless.captionHeight = captionless.borderBottom = 0;
    EXPECT_FALSE(ExpectSameShape(*cut->data, captionless));
}

// The painter hands the window the shape for its size and look.
TEST(FrameShape, TheWindowGetsTheShapeForItsSize) {
    skin::TSkinData data(nullptr);
    data.showMessage = [](const std::string&) {};
    ASSERT_TRUE(data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    formtest::BareWindow window = formtest::MakeBareWindow(&data, 333, 211);
    SetWindowPos(window.handle, nullptr, 0, 0, 421, 257, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE outer = formtest::OuterSize(window.handle);
    ASSERT_EQ(outer.cx, 421);
    const ui::UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(window.handle, shape.get()), COMPLEXREGION);
    const skin::FrameOutline outline = skin::FrameShape::OutlineOf(*window.painter, outer.cx, outer.cy);
    EXPECT_EQ(outline.captionHeight, 30);  // the outline is the painter's own
    const ui::UniqueRegion scanned = reference::ScannedFrameShape(data, outline);
    EXPECT_TRUE(EqualRgn(shape.get(), scanned.get()));
}

} // namespace
