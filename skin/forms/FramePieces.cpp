#include "skin/forms/FramePieces.h"

#include "skin/data/SkinData.h"

namespace skin {

namespace {

const TDataSkinBorder* PieceOf(const TSkinData& data, int piece) {
    switch (piece) {
    case kLeftPiece:
        return data.LeftBorder.get();
    case kRightPiece:
        return data.RightBorder.get();
    case kTopPiece:
        return data.TopBorder.get();
    case kBottomPiece:
        return data.BottomBorder.get();
    default:
        return nullptr;
    }
}

// How a piece is drawn in a look: the strip, its cells and the one shown.
struct PieceLook {
    const TDataSkinBorder* object = nullptr;
    bool vertical = false;  // the top and bottom pieces stack their frames
    int frames = 1;
    int index = 1;
};

std::optional<PieceLook> LookOf(const TSkinData& data, int piece, bool active, int width, int height) {
    const TDataSkinBorder* object = PieceOf(data, piece);
    if (object == nullptr || width <= 0 || height <= 0 || object->Empty()) {
        return std::nullopt;
    }
    const int frames = object->FrameCount();
    return PieceLook{object, piece == kTopPiece || piece == kBottomPiece, frames, (active || frames == 1) ? 1 : 2};
}

} // namespace

ui::Bitmap BuildBorderPicture(const TSkinData& data, int piece, bool active, int width, int height) {
    const std::optional<PieceLook> look = LookOf(data, piece, active, width, height);
    if (!look) {
        return {};
    }
    const TDataSkinBorder& o = *look->object;
    return BuildNineGrid(RECT{0, 0, width, height}, o.Bitmap, o.Margins, look->vertical, o.Tile != 1, look->frames,
                         look->index);
}

std::optional<std::vector<RECT>> BorderKeyRects(const TSkinData& data, int piece, bool active, int width, int height,
                                                const KeyColourRange& key) {
    const std::optional<PieceLook> look = LookOf(data, piece, active, width, height);
    if (!look) {
        return std::nullopt;
    }
    const TDataSkinBorder& o = *look->object;
    return NineGridKeyRects(width, height, o.Bitmap, o.Margins, look->vertical, o.Tile != 1, look->frames,
                            look->index, key);
}

} // namespace skin
