#include "skin/data/NineGridKeyPixels.h"

#include "skin/data/KeyedCopy.h"

#include <algorithm>
#include <tuple>

namespace skin {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool Drawn(const NineGridPart& part) {
    return Width(part.to) > 0 && Height(part.to) > 0 && Width(part.from) > 0 && Height(part.from) > 0;
}

bool InsideOf(const RECT& r, const ui::Bitmap& bitmap) {
    return r.left >= 0 && r.top >= 0 && r.right <= bitmap.Width() && r.bottom <= bitmap.Height();
}

// The key-colour runs of every row of `bitmap`, moved by (dx, dy).
void ScanKeyRuns(const ui::Bitmap& bitmap, int dx, int dy, const KeyColourRange& key, std::vector<RECT>& out) {
    const int step = bitmap.BytesPerPixel();
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        int x = 0;
        while (x < width) {
            while (x < width && !key.Contains(row + size_t(x) * step)) {
                ++x;
            }
            const int start = x;
            while (x < width && key.Contains(row + size_t(x) * step)) {
                ++x;
            }
            if (x > start) {
                out.push_back(RECT{start + dx, y + dy, x + dx, y + dy + 1});
            }
        }
    }
}

// Which pixels of one part of the strip are key colour.
class PartMask {
public:
    PartMask(const ui::Bitmap& strip, const RECT& from, const KeyColourRange& key)
        : width_(Width(from)), height_(Height(from)), keys_(size_t(width_) * size_t(height_)) {
        const int step = strip.BytesPerPixel();
        for (int y = 0; y < height_; ++y) {
            const uint8_t* row = strip.ScanLine(from.top + y) + size_t(from.left) * step;
            for (int x = 0; x < width_; ++x) {
                const bool isKey = key.Contains(row + size_t(x) * step);
                keys_[Index(x, y)] = isKey;
                count_ += isKey ? 1 : 0;
            }
        }
    }

    bool None() const { return count_ == 0; }
    bool All() const { return count_ == keys_.size(); }
    bool At(int x, int y) const { return keys_[Index(x, y)] != 0; }

    // Each row all key or all not: a stretch across leaves the rows as they are.
    bool RowsUniform() const {
        for (int y = 0; y < height_; ++y) {
            for (int x = 1; x < width_; ++x) {
                if (At(x, y) != At(0, y)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Each column all key or all not: a stretch down leaves the columns as they are.
    bool ColumnsUniform() const {
        for (int y = 1; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (At(x, y) != At(x, 0)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Calls f(y, x0, x1) for each run of key pixels [x0, x1) in row y.
    template <class F>
    void ForEachRun(F&& f) const {
        for (int y = 0; y < height_; ++y) {
            RunsOfRow(y, [&](int x0, int x1) { f(y, x0, x1); });
        }
    }

    template <class F>
    void RunsOfRow(int y, F&& f) const {
        int x = 0;
        while (x < width_) {
            while (x < width_ && !At(x, y)) {
                ++x;
            }
            const int start = x;
            while (x < width_ && At(x, y)) {
                ++x;
            }
            if (x > start) {
                f(start, x);
            }
        }
    }

    int Columns() const { return width_; }
    int Rows() const { return height_; }

private:
    size_t Index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }

    int width_;
    int height_;
    std::vector<uint8_t> keys_;
    size_t count_ = 0;
};

// The part stretched by GDI on its own, then scanned: for key pixels that
// change along the stretch, whose place depends on GDI's choice of pixels.
void ScanStretchedPart(const ui::Bitmap& strip, const NineGridPart& part, const KeyColourRange& key,
                       std::vector<RECT>& out) {
    ui::Bitmap scratch(Width(part.to), Height(part.to));
    const HDC dc = scratch.GetCanvas().Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, Width(part.to), Height(part.to), SourceDc(strip), part.from.left, part.from.top,
               Width(part.from), Height(part.from), SRCCOPY);
    GdiFlush();
    ScanKeyRuns(scratch, part.to.left, part.to.top, key, out);
}

// Tiles repeat the mask from to's top-left. Their overrun past `to` is not
// counted: whenever the centre is tiled, the parts drawn after it cover it.
void TileKeys(const PartMask& mask, const RECT& to, std::vector<RECT>& out) {
    mask.ForEachRun([&](int y, int x0, int x1) {
        for (int top = to.top + y; top < to.bottom; top += mask.Rows()) {
            for (int left = to.left; left + x0 < to.right; left += mask.Columns()) {
                out.push_back(RECT{left + x0, top, std::min<int>(left + x1, to.right), top + 1});
            }
        }
    });
}

void PartKeys(const ui::Bitmap& strip, const NineGridPart& part, const KeyColourRange& key, std::vector<RECT>& out) {
    const PartMask mask(strip, part.from, key);
    if (mask.None()) {
        return;
    }
    const RECT& to = part.to;
    const bool sameWidth = Width(to) == mask.Columns();
    const bool sameHeight = Height(to) == mask.Rows();
    if (part.tiled) {
        TileKeys(mask, to, out);
    } else if (sameWidth && sameHeight) {
        mask.ForEachRun([&](int y, int x0, int x1) {
            out.push_back(RECT{to.left + x0, to.top + y, to.left + x1, to.top + y + 1});
        });
    } else if (mask.All()) {
        out.push_back(to);
    } else if (sameWidth && mask.ColumnsUniform()) {
        mask.RunsOfRow(0, [&](int x0, int x1) { out.push_back(RECT{to.left + x0, to.top, to.left + x1, to.bottom}); });
    } else if (sameHeight && mask.RowsUniform()) {
        for (int y = 0; y < mask.Rows(); ++y) {
            if (mask.At(0, y)) {
                out.push_back(RECT{to.left, to.top + y, to.right, to.top + y + 1});
            }
        }
    } else {
        ScanStretchedPart(strip, part, key, out);
    }
}

// Joins rectangles stacked on the same columns: a cut along a whole edge
// becomes one rectangle instead of one per row.
void JoinStacked(std::vector<RECT>& rects) {
    std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) {
        return std::tie(a.left, a.right, a.top) < std::tie(b.left, b.right, b.top);
    });
    size_t kept = 0;
    for (const RECT& r : rects) {
        if (kept > 0) {
            RECT& last = rects[kept - 1];
            if (last.left == r.left && last.right == r.right && last.bottom == r.top) {
                last.bottom = r.bottom;
                continue;
            }
        }
        rects[kept++] = r;
    }
    rects.resize(kept);
}

} // namespace

std::optional<std::vector<RECT>> NineGridKeyRects(int width, int height, const ui::Bitmap& strip,
                                                  const RECT& margins, bool vertical, bool tile, int count, int index,
                                                  const KeyColourRange& key) {
    const NineGridPlan plan = PlanNineGrid(width, height, CellOfStrip(strip, vertical, count, index), margins, tile);
    if (plan.count == 0) {
        return std::nullopt;
    }
    std::vector<RECT> keys;
    const auto parts = std::span(plan.parts).first(size_t(plan.count));
    const bool readable = std::all_of(parts.begin(), parts.end(), [&](const NineGridPart& part) {
        return !Drawn(part) || InsideOf(part.from, strip);
    });
    if (!readable) {
        const ui::Bitmap picture =
            BuildNineGrid(RECT{0, 0, width, height}, strip, margins, vertical, tile, count, index);
        ScanKeyRuns(picture, 0, 0, key, keys);
    } else {
        for (const NineGridPart& part : parts) {
            if (Drawn(part)) {
                PartKeys(strip, part, key, keys);
            }
        }
    }
    JoinStacked(keys);
    return keys;
}

} // namespace skin
