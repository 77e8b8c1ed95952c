#include "skin/forms/FrameShape.h"

#include "skin/data/RegionFromBitmap.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FramePieces.h"
#include "skin/forms/WinSkinForm.h"

#include <vector>

namespace skin {
namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

ui::UniqueRegion PlainRectangle(const RECT& r) {
    return ui::UniqueRegion(CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

// `part` less the key pixels (in the part's coordinates); null when GDI fails.
ui::UniqueRegion CutOut(const RECT& part, std::vector<RECT> keys) {
    ui::UniqueRegion shaped = PlainRectangle(part);
    if (!shaped || keys.empty()) {
        return shaped;
    }
    for (RECT& key : keys) {
        OffsetRect(&key, part.left, part.top);
    }
    const ui::UniqueRegion cut = RegionFromRects(keys);
    if (!cut || CombineRgn(shaped.get(), shaped.get(), cut.get(), RGN_DIFF) == ERROR) {
        return {};
    }
    return shaped;
}

// One frame piece over `part`: the part less the key-colour pixels of the
// piece drawn there, or the plain rectangle.
ui::UniqueRegion PieceShape(const TSkinData& data, int piece, bool active, const RECT& part, bool fromPicture) {
    if (fromPicture) {
        if (const auto keys = BorderKeyRects(data, piece, active, Width(part), Height(part), ShapeKeyRange())) {
            if (ui::UniqueRegion shaped = CutOut(part, *keys)) {
                return shaped;
            }
        }
    }
    return PlainRectangle(part);
}

} // namespace

ui::UniqueRegion BuildFrameShape(const TSkinData& data, const FrameOutline& o) {
    const int32_t width = o.width;
    const int32_t height = o.height;
    const bool anyTransparent = data.LeftBorder->Trans != 0 || data.RightBorder->Trans != 0 ||
                                data.TopBorder->Trans != 0 || data.BottomBorder->Trans != 0;
    if (!anyTransparent) {
        return PlainRectangle(RECT{0, 0, width, height});
    }
    ui::UniqueRegion region =
        PlainRectangle(RECT{o.borderLeft, o.captionHeight, width - o.borderRight, height - o.borderBottom});
    if (o.captionless || !region) {
        return region;
    }
    const ui::UniqueRegion left = PieceShape(data, kLeftPiece, o.active, RECT{0, 0, o.borderLeft, height},
                                             data.LeftBorder->Trans == 1 && height > 1);
    const ui::UniqueRegion right =
        PieceShape(data, kRightPiece, o.active, RECT{width - o.borderRight, 0, width, height},
                   data.RightBorder->Trans == 1 && height > 1);
    const ui::UniqueRegion bottom =
        PieceShape(data, kBottomPiece, o.active,
                   RECT{o.borderLeft, height - o.borderBottom, width - o.borderRight, height},
                   data.BottomBorder->Trans == 1 && o.borderBottom >= 2);
    const RECT topPart{o.borderLeft, 0, width - o.borderRight, o.captionHeight};
    const ui::UniqueRegion top = PieceShape(data, kTopPiece, o.active, topPart,
                                            data.TopBorder->Trans == 1 && o.captionHeight > 1 && Width(topPart) > 0);
    if (left && right && bottom && top) {
        CombineRgn(left.get(), left.get(), right.get(), RGN_OR);
        CombineRgn(top.get(), top.get(), bottom.get(), RGN_OR);
        CombineRgn(left.get(), left.get(), top.get(), RGN_OR);
        CombineRgn(region.get(), region.get(), left.get(), RGN_OR);
    }
    return region;
}

FrameOutline FrameShape::OutlineOf(const TWinSkinForm& form, int32_t width, int32_t height) {
    return FrameOutline{width,
                        height,
                        form.FBorderLeft,
                        form.FBorderRight,
                        form.FCaptionHeight,
                        form.FBorderBottom,
                        form.FFrameKind == FrameKind::Captionless,
                        form.FActive != 0};
}

void FrameShape::Update() {
    const TWinSkinForm& f = form_;
    if (f.FState == PainterState::Gone || !f.FFrameSkinned || f.FSkinData == nullptr) {
        return;
    }
    RECT window{};
    GetWindowRect(f.FHandle, &window);
    const int width = Width(window);
    const int height = Height(window);
    if (width <= 0 || height <= 0 || (f.IsMdiChild() && f.FWindowState != WindowState::Normal)) {
        return;
    }
    if (width == width_ && height == height_ && !f.IsMdiChild() && f.FState != PainterState::Reskinning) {
        return;  // built for this size already
    }
    region_ = nullptr;
    set_ = 0;
    // Remembered for opaque skins too: setting the same rectangle again
    // would only redraw the window.
    width_ = width;
    height_ = height;

    ui::UniqueRegion region = BuildFrameShape(*f.FSkinData, OutlineOf(f, width, height));
    if (!region) {
        return;
    }
    HRGN handed = region.release();
    if (SetWindowRgn(f.FHandle, handed, TRUE) == 0) {
        DeleteObject(handed);
        width_ = height_ = 0;
        return;
    }
    // The window system owns it now.
    region_ = handed;
    set_ = 1;
}

void FrameShape::Drop() {
    SetWindowRgn(form_.FHandle, nullptr, form_.IsMdiChild() ? TRUE : FALSE);
    Forget();
}

void FrameShape::Forget() {
    region_ = nullptr;
    set_ = 0;
    width_ = height_ = 0;
}
} // namespace skin
