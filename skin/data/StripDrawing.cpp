#include "skin/data/StripDrawing.h"

#include "skin/data/KeyedCopy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace skin {

namespace {

// Extents of rectangles from untrusted data, without overflow: anything
// past kMaxExtent is more than any bitmap holds, so it behaves the same.
constexpr int kMaxExtent = 1 << 28;

int Extent(LONG from, LONG to) {
    return int(std::clamp<int64_t>(int64_t(to) - int64_t(from), -kMaxExtent, kMaxExtent));
}

int Width(const RECT& rect) {
    return Extent(rect.left, rect.right);
}

int Height(const RECT& rect) {
    return Extent(rect.top, rect.bottom);
}

// Skin files can hold any margin; a negative one means none.
int Margin(LONG value) {
    return int(std::clamp<LONG>(value, 0, kMaxExtent));
}

// Restores the stretch mode of a borrowed DC.
class StretchModeScope {
public:
    StretchModeScope(HDC dc, int mode) noexcept : dc_(dc), previous_(SetStretchBltMode(dc, mode)) {}
    StretchModeScope(const StretchModeScope&) = delete;
    StretchModeScope& operator=(const StretchModeScope&) = delete;
    ~StretchModeScope() {
        if (previous_ != 0) {
            SetStretchBltMode(dc_, previous_);
        }
    }

private:
    HDC dc_;
    int previous_;
};

// One stretch copy; pieces without area (from margins larger than their
// cell) are skipped rather than drawn mirrored by negative extents.
void StretchPiece(HDC target, const RECT& to, HDC source, const RECT& from) {
    if (Width(to) <= 0 || Height(to) <= 0 || Width(from) <= 0 || Height(from) <= 0) {
        return;
    }
    StretchBlt(target, to.left, to.top, Width(to), Height(to), source, from.left, from.top, Width(from),
               Height(from), SRCCOPY);
}

RECT CellRect(const StripCell& cell, int left, int top, int right, int bottom) {
    return RECT{cell.x + left, cell.y + top, cell.x + right, cell.y + bottom};
}

// Copies the part `area` of `bitmap` to (x, y), keyed or opaque.
void CopyPart(HDC dc, int x, int y, const ui::Bitmap& bitmap, const RECT& area, bool transparent, ui::Color key) {
    const int width = Width(area);
    const int height = Height(area);
    if (width <= 0 || height <= 0) {
        return;
    }
    if (!transparent) {
        BitBlt(dc, x, y, width, height, SourceDc(bitmap), area.left, area.top, SRCCOPY);
        return;
    }
    CopyKeyed(dc, x, y, bitmap, area, key);
}

void CopyWhole(HDC dc, const RECT& rect, const ui::Bitmap& bitmap, bool transparent) {
    if (transparent) {
        DrawTransparent(dc, rect, bitmap, kKeyColour);
    } else if (!bitmap.Empty()) {
        BitBlt(dc, rect.left, rect.top, bitmap.Width(), bitmap.Height(), SourceDc(bitmap), 0, 0, SRCCOPY);
    }
}

// Repeats columns start .. start + period - 1 of every row up to the right
// edge, the last copy cut by it.
void RepeatColumns(ui::Bitmap& bitmap, int start, int period) {
    const int step = bitmap.BytesPerPixel();
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = start + period; x < bitmap.Width(); x += period) {
            const int count = std::min(period, bitmap.Width() - x);
            std::memcpy(row + size_t(x) * step, row + size_t(start) * step, size_t(count) * step);
        }
    }
}

// TileBitmap for the nine-grid's own result: the first tile by GDI, the
// rest copied row by row inside the picture (no scratch bitmap). Tiles run
// past `dest` to the picture's edge, as TileBitmap's would.
void TileInto(ui::Bitmap& target, const RECT& dest, HDC source, const RECT& from) {
    const int w = Width(from);
    const int h = Height(from);
    if (w <= 0 || h <= 0 || Width(dest) <= 0 || Height(dest) <= 0) {
        return;
    }
    BitBlt(target.GetCanvas().Handle(), dest.left, dest.top, w, h, source, from.left, from.top, SRCCOPY);
    const int columns = (Width(dest) + w - 1) / w;
    const int rows = (Height(dest) + h - 1) / h;
    const int right = std::min<int>(target.Width(), dest.left + columns * w);
    const int bottom = std::min<int>(target.Height(), dest.top + rows * h);
    const int step = target.BytesPerPixel();
    const size_t start = size_t(dest.left) * step;
    for (int y = dest.top; y < std::min<int>(dest.top + h, bottom); ++y) {
        uint8_t* row = target.ScanLine(y);
        for (int x = dest.left + w; x < right; x += w) {
            std::memcpy(row + size_t(x) * step, row + start, size_t(std::min(w, right - x)) * step);
        }
    }
    for (int y = dest.top + h; y < bottom; ++y) {
        std::memcpy(target.ScanLine(y) + start, target.ScanLine(dest.top + (y - dest.top) % h) + start,
                    size_t(right - dest.left) * step);
    }
}

// The tiles of one direction that reach the clip box [clipFrom, clipTo):
// `count` tiles of `size` starting at `start`, out of those laid from `from`
// over `extent` pixels (the last one whole).
struct TileSpan {
    int start = 0;
    int count = 0;
};

TileSpan VisibleTiles(LONG from, int extent, int size, LONG clipFrom, LONG clipTo) {
    const int64_t all = (int64_t(extent) + size - 1) / size;
    const int64_t first = std::clamp<int64_t>((int64_t(clipFrom) - from) / size, 0, all);
    const int64_t last = std::clamp<int64_t>((int64_t(clipTo) - from + size - 1) / size, 0, all);
    return TileSpan{int(from + first * size), int(last - first)};
}

} // namespace

StripCell CellOfStrip(const ui::Bitmap& strip, bool vertical, int count, int index) {
    if (strip.Empty() || count <= 0 || index < 1 || index > count) {
        return {};
    }
    StripCell cell;
    if (vertical) {
        cell.width = strip.Width();
        cell.height = strip.Height() / count;
        cell.y = (index - 1) * cell.height;
    } else {
        cell.width = strip.Width() / count;
        cell.height = strip.Height();
        cell.x = (index - 1) * cell.width;
    }
    return cell.Empty() ? StripCell{} : cell;
}

NineGridPlan PlanNineGrid(int width, int height, const StripCell& cell, const RECT& margins, bool tile) {
    NineGridPlan plan;
    const int W = width;
    const int H = height;
    if (W <= 0 || H <= 0 || cell.Empty()) {
        return plan;
    }
    int L = Margin(margins.left), T = Margin(margins.top), R = Margin(margins.right), B = Margin(margins.bottom);
    if (W < L + R) {
        L = R = 0;
    }
    if (H < T + B) {
        T = B = 0;
    }
    const int w = cell.width;
    const int h = cell.height;
    auto add = [&plan](RECT to, RECT from, bool tiled = false) {
        plan.parts[size_t(plan.count++)] = NineGridPart{to, from, tiled};
    };

    if (L > 0 && T > 0) {
        add({0, 0, L, T}, CellRect(cell, 0, 0, L, T));
    }
    if (L > 0 && B > 0) {
        add({0, H - B, L, H}, CellRect(cell, 0, h - B, L, h));
    }
    if (R > 0 && T > 0) {
        add({W - R, 0, W, T}, CellRect(cell, w - R, 0, w, T));
    }
    if (L > 0) {
        add({0, T, L, H - B}, CellRect(cell, 0, T, L, h - B));
    }
    if (T > 0) {
        add({L, 0, W - R, T}, CellRect(cell, L, 0, w - R, T));
    }
    add({L, T, W - R, H - B}, CellRect(cell, L, T, w - R, h - B), tile);
    if (R > 0 && B > 0) {
        add({W - R, H - B, W, H}, CellRect(cell, w - R, h - B, w, h));
    }
    if (R > 0) {
        add({W - R, T, W, H - B}, CellRect(cell, w - R, T, w, h - B));
    }
    if (B > 0) {
        add({L, H - B, W - R, H}, CellRect(cell, L, h - B, w - R, h));
    }
    return plan;
}

ui::Bitmap BuildNineGrid(const RECT& rect, const ui::Bitmap& strip, const RECT& margins, bool vertical, bool tile,
                         int count, int index) {
    const int W = Width(rect);
    const int H = Height(rect);
    const NineGridPlan plan = PlanNineGrid(W, H, CellOfStrip(strip, vertical, count, index), margins, tile);
    if (plan.count == 0) {
        return {};
    }
    ui::Bitmap result(W, H);
    const HDC target = result.GetCanvas().Handle();
    const HDC source = SourceDc(strip);
    const StretchModeScope mode(target, COLORONCOLOR);
    for (int i = 0; i < plan.count; ++i) {
        const NineGridPart& part = plan.parts[size_t(i)];
        if (part.tiled) {
            TileInto(result, part.to, source, part.from);
        } else {
            StretchPiece(target, part.to, source, part.from);
        }
    }
    return result;
}

void DrawSkinFrame(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool vertical, bool tile, bool transparent,
                   int count, int index, const RECT& margins) {
    const ui::Bitmap frame = BuildNineGrid(rect, strip, margins, vertical, tile, count, index);
    CopyWhole(dc, rect, frame, transparent);
}

void DrawThreePart(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool vertical, bool transparent, int count,
                   int index, const RECT& margins) {
    const int W = Width(rect);
    const int H = Height(rect);
    const StripCell cell = CellOfStrip(strip, vertical, count, index);
    if (W <= 0 || H <= 0 || cell.Empty()) {
        return;
    }
    const int L = Margin(margins.left);
    const int R = Margin(margins.right);
    const int w = cell.width;
    const int h = cell.height;

    ui::Bitmap scratch(W, H);
    const HDC target = scratch.GetCanvas().Handle();
    const HDC source = SourceDc(strip);
    const StretchModeScope mode(target, COLORONCOLOR);
    StretchPiece(target, {0, 0, L, H}, source, CellRect(cell, 0, 0, L, h));
    // A cell no wider than its two ends has no middle to repeat: ends only.
    const int middle = w - L - R;
    if (middle > 0 && L < W - R) {
        StretchPiece(target, {L, 0, L + middle, H}, source, CellRect(cell, L, 0, L + middle, h));
        RepeatColumns(scratch, L, middle);
    }
    StretchPiece(target, {W - R, 0, W, H}, source, CellRect(cell, w - R, 0, w, h));
    CopyWhole(dc, rect, scratch, transparent);
}

void DrawStateFrame(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool transparent, int count, int index) {
    const int W = Width(rect);
    const int H = Height(rect);
    const StripCell cell = CellOfStrip(strip, false, count, index);
    if (W <= 0 || H <= 0 || cell.Empty()) {
        return;
    }
    const RECT from = CellRect(cell, 0, 0, cell.width, cell.height);
    if (!transparent) {
        const StretchModeScope mode(dc, COLORONCOLOR);
        StretchPiece(dc, rect, SourceDc(strip), from);
        return;
    }
    ui::Bitmap scratch(W, H);
    {
        const HDC target = scratch.GetCanvas().Handle();
        const StretchModeScope mode(target, COLORONCOLOR);
        StretchPiece(target, {0, 0, W, H}, SourceDc(strip), from);
    }
    DrawTransparent(dc, rect, scratch, kKeyColour);
}

void DrawCentredFrame(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool transparent, int count, int index) {
    if (Width(rect) < 0 || Height(rect) < 0) {
        return;
    }
    const StripCell cell = CellOfStrip(strip, false, count, index);
    if (cell.Empty()) {
        return;
    }
    // Integer division truncates toward zero, so a larger cell is centred too.
    const int x = rect.left + (Width(rect) - cell.width) / 2;
    const int y = rect.top + (Height(rect) - cell.height) / 2;
    CopyPart(dc, x, y, strip, CellRect(cell, 0, 0, cell.width, cell.height), transparent, kKeyColour);
}

void StretchWithEnds(HDC dc, const RECT& rect, const ui::Bitmap& strip, bool vertical, int count, int index,
                     const RECT& ends) {
    const int W = Width(rect);
    const int H = Height(rect);
    const StripCell cell = CellOfStrip(strip, vertical, count, index);
    if (W <= 0 || H <= 0 || cell.Empty()) {
        return;
    }
    const int w = cell.width;
    const int h = cell.height;
    const HDC source = SourceDc(strip);
    const StretchModeScope mode(dc, COLORONCOLOR);
    if (w > W) {
        StretchPiece(dc, rect, source, CellRect(cell, 0, 0, w, h));
        return;
    }
    const int e1 = Margin(ends.left);
    const int e2 = Margin(ends.right);
    StretchPiece(dc, {rect.left, rect.top, rect.left + e1, rect.bottom}, source, CellRect(cell, 0, 0, e1, h));
    StretchPiece(dc, {rect.left + e1, rect.top, rect.right - e2, rect.bottom}, source,
                 CellRect(cell, e1, 0, w - e2, h));
    StretchPiece(dc, {rect.right - e2, rect.top, rect.right, rect.bottom}, source, CellRect(cell, w - e2, 0, w, h));
}

void TileBitmap(HDC dc, const RECT& dest, const ui::Bitmap& bitmap, const RECT& source) {
    if (Width(source) <= 0 || Height(source) <= 0 || Width(dest) <= 0 || Height(dest) <= 0 || bitmap.Empty()) {
        return;
    }
    RECT clip{};
    if (GetClipBox(dc, &clip) <= NULLREGION) {
        return;  // nothing visible, or no DC
    }
    // Only pixels of the picture are repeated: a source reaching past it is
    // cut to it rather than tiled with undefined pixels.
    const RECT picture{0, 0, bitmap.Width(), bitmap.Height()};
    RECT part{};
    if (!IntersectRect(&part, &source, &picture)) {
        return;
    }
    const int w = Width(part);
    const int h = Height(part);
    // Only the tiles that reach the DC's clip box are laid out: a large
    // destination (a long scrolled panel) costs the visible part, not a
    // scratch bitmap of its whole size.
    const TileSpan across = VisibleTiles(dest.left, Width(dest), w, clip.left, clip.right);
    const TileSpan down = VisibleTiles(dest.top, Height(dest), h, clip.top, clip.bottom);
    if (across.count <= 0 || down.count <= 0) {
        return;
    }
    // The tiles are laid out in a scratch bitmap by copying rows, then drawn
    // in one blit: a one-pixel tile over a large area costs one blit, not one
    // per tile. Whole tiles, so the last ones run past dest as drawn singly.
    ui::Bitmap tiles(across.count * w, down.count * h);
    BitBlt(tiles.GetCanvas().Handle(), 0, 0, w, h, SourceDc(bitmap), part.left, part.top, SRCCOPY);
    const int step = tiles.BytesPerPixel();
    for (int y = 0; y < h; ++y) {
        uint8_t* row = tiles.ScanLine(y);
        for (int x = w; x < tiles.Width(); x += w) {
            std::memcpy(row + size_t(x) * step, row, size_t(w) * step);
        }
    }
    for (int y = h; y < tiles.Height(); ++y) {
        std::memcpy(tiles.ScanLine(y), tiles.ScanLine(y % h), size_t(tiles.Stride()));
    }
    BitBlt(dc, across.start, down.start, tiles.Width(), tiles.Height(), tiles.GetCanvas().Handle(), 0, 0, SRCCOPY);
}

void DrawTransparent(HDC dc, const RECT& rect, const ui::Bitmap& bitmap, ui::Color key) {
    if (Width(rect) < 0 || Height(rect) < 0 || bitmap.Empty()) {
        return;
    }
    // The bitmap is meant to have the rectangle's size; never read past it.
    const RECT area{0, 0, std::min(Width(rect), bitmap.Width()), std::min(Height(rect), bitmap.Height())};
    CopyPart(dc, rect.left, rect.top, bitmap, area, true, key);
}

} // namespace skin
