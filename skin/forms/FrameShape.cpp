#include "skin/forms/FrameShape.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FramePieces.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {
namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

} // namespace

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

    const TSkinData& data = *f.FSkinData;
    const int32_t borderLeft = f.FBorderLeft;
    const int32_t borderRight = f.FBorderRight;
    const int32_t captionHeight = f.FCaptionHeight;
    const int32_t borderBottom = f.FBorderBottom;
    const bool anyTransparent = data.LeftBorder->Trans != 0 || data.RightBorder->Trans != 0 ||
                                data.TopBorder->Trans != 0 || data.BottomBorder->Trans != 0;
    ui::UniqueRegion region;
    if (!anyTransparent) {
        region.reset(CreateRectRgn(0, 0, width, height));
    } else {
        region.reset(CreateRectRgn(borderLeft, captionHeight, width - borderRight, height - borderBottom));
        if (f.FFrameKind != FrameKind::Captionless && region) {
            const ui::UniqueRegion left =
                f.FramePartRegion(kLeftPiece, RECT{0, 0, borderLeft, height}, data.LeftBorder->Trans == 1 && height > 1);
            const ui::UniqueRegion right = f.FramePartRegion(
                kRightPiece, RECT{width - borderRight, 0, width, height}, data.RightBorder->Trans == 1 && height > 1);
            const ui::UniqueRegion bottom =
                f.FramePartRegion(kBottomPiece, RECT{borderLeft, height - borderBottom, width - borderRight, height},
                                data.BottomBorder->Trans == 1 && borderBottom >= 2);
            const RECT topPart{borderLeft, 0, width - borderRight, captionHeight};
            const ui::UniqueRegion top =
                f.FramePartRegion(kTopPiece, topPart,
                                data.TopBorder->Trans == 1 && captionHeight > 1 && Width(topPart) > 0);
            if (left && right && bottom && top) {
                CombineRgn(left.get(), left.get(), right.get(), RGN_OR);
                CombineRgn(top.get(), top.get(), bottom.get(), RGN_OR);
                CombineRgn(left.get(), left.get(), top.get(), RGN_OR);
                CombineRgn(region.get(), region.get(), left.get(), RGN_OR);
            }
        }
    }
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
