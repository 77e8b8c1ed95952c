#pragma once
// The window shape as it was built before it looked only at key pixels:
// every frame piece drawn whole at its size and scanned for its opaque
// pixels. Kept for the benchmark and as the reference the shape tests
// compare the product's shape with.

#include "skin/data/RegionFromBitmap.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FramePieces.h"
#include "skin/forms/FrameShape.h"

namespace reference {

inline ui::UniqueRegion ScannedPiece(const skin::TSkinData& data, int piece, bool active, const RECT& part,
                                     bool fromPicture) {
    if (fromPicture) {
        const ui::Bitmap image =
            skin::BuildBorderPicture(data, piece, active, part.right - part.left, part.bottom - part.top);
        if (!image.Empty()) {
            ui::UniqueRegion shaped =
                skin::CreateRegionFromBitmap(image, part.left, part.top, 1, 1, 1, skin::kKeyColour);
            if (shaped) {
                return shaped;
            }
        }
    }
    return ui::UniqueRegion(CreateRectRgn(part.left, part.top, part.right, part.bottom));
}

inline ui::UniqueRegion ScannedFrameShape(const skin::TSkinData& data, const skin::FrameOutline& o) {
    const int width = o.width;
    const int height = o.height;
    const bool anyTransparent = data.LeftBorder->Trans != 0 || data.RightBorder->Trans != 0 ||
                                data.TopBorder->Trans != 0 || data.BottomBorder->Trans != 0;
    if (!anyTransparent) {
        return ui::UniqueRegion(CreateRectRgn(0, 0, width, height));
    }
    ui::UniqueRegion region(
        CreateRectRgn(o.borderLeft, o.captionHeight, width - o.borderRight, height - o.borderBottom));
    if (o.captionless || !region) {
        return region;
    }
    const ui::UniqueRegion left = ScannedPiece(data, skin::kLeftPiece, o.active, RECT{0, 0, o.borderLeft, height},
                                               data.LeftBorder->Trans == 1 && height > 1);
    const ui::UniqueRegion right =
        ScannedPiece(data, skin::kRightPiece, o.active, RECT{width - o.borderRight, 0, width, height},
                     data.RightBorder->Trans == 1 && height > 1);
    const ui::UniqueRegion bottom =
        ScannedPiece(data, skin::kBottomPiece, o.active,
                     RECT{o.borderLeft, height - o.borderBottom, width - o.borderRight, height},
                     data.BottomBorder->Trans == 1 && o.borderBottom >= 2);
    const RECT topPart{o.borderLeft, 0, width - o.borderRight, o.captionHeight};
    const ui::UniqueRegion top =
        ScannedPiece(data, skin::kTopPiece, o.active, topPart,
                     data.TopBorder->Trans == 1 && o.captionHeight > 1 && topPart.right > topPart.left);
    if (left && right && bottom && top) {
        CombineRgn(left.get(), left.get(), right.get(), RGN_OR);
        CombineRgn(top.get(), top.get(), bottom.get(), RGN_OR);
        CombineRgn(left.get(), left.get(), top.get(), RGN_OR);
        CombineRgn(region.get(), region.get(), left.get(), RGN_OR);
    }
    return region;
}

} // namespace reference
