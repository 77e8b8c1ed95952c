#include "skin/data/RegionFromBitmap.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace skin {

namespace {

// Rectangles are handed to the system in small batches: ExtCreateRegion
// adds them one at a time, each at a cost that grows with the region built
// so far (under Wine a dithered 320 x 240 mask took 135 ms in batches of
// 2,000 and 10 ms in batches of 64), and the batches are then ORed pairwise.
constexpr size_t kBatch = 64;

// Collects the rectangles of one batch and ORs them into the result.
class RegionBuilder {
public:
    void Add(int left, int top, int right, int bottom) {
        rects_.push_back(RECT{left, top, right, bottom});
        bounds_.left = std::min<LONG>(bounds_.left, left);
        bounds_.top = std::min<LONG>(bounds_.top, top);
        bounds_.right = std::max<LONG>(bounds_.right, right);
        bounds_.bottom = std::max<LONG>(bounds_.bottom, bottom);
        if (rects_.size() >= kBatch) {
            Flush();
        }
    }

    // False when GDI refused a region.
    bool Flush() {
        if (rects_.empty()) {
            return ok_;
        }
        const size_t rectBytes = rects_.size() * sizeof(RECT);
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rectBytes);
        RGNDATAHEADER header{};
        header.dwSize = sizeof(RGNDATAHEADER);
        header.iType = RDH_RECTANGLES;
        header.nCount = DWORD(rects_.size());
        header.nRgnSize = DWORD(rectBytes);
        header.rcBound = bounds_;
        std::memcpy(data.data(), &header, sizeof header);
        std::memcpy(data.data() + sizeof header, rects_.data(), rectBytes);
        ui::UniqueRegion batch(
            ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
        rects_.clear();
        bounds_ = kNoBounds;
        if (!batch) {
            ok_ = false;
            return ok_;
        }
        Merge(std::move(batch), 0);
        return ok_;
    }

    ui::UniqueRegion Finish() {
        if (!Flush()) {
            return {};
        }
        if (partial_.empty()) {
            return ui::UniqueRegion(CreateRectRgn(0, 0, 0, 0));
        }
        // The rest, smallest first.
        ui::UniqueRegion result = std::move(partial_.back().region);
        partial_.pop_back();
        while (!partial_.empty()) {
            if (CombineRgn(result.get(), result.get(), partial_.back().region.get(), RGN_OR) == ERROR) {
                return {};
            }
            partial_.pop_back();
        }
        return result;
    }

private:
    // Batches are ORed like the digits of a binary counter: two regions of
    // the same level (each the union of 2^level batches) make one of the
    // next. ORing every batch into one growing result would copy that
    // result once per batch, quadratic in the rectangle count; this way
    // each rectangle is copied about log2(batches) times.
    struct Partial {
        ui::UniqueRegion region;
        int level;
    };

    void Merge(ui::UniqueRegion region, int level) {
        while (!partial_.empty() && partial_.back().level == level) {
            if (CombineRgn(region.get(), partial_.back().region.get(), region.get(), RGN_OR) == ERROR) {
                ok_ = false;
                return;
            }
            partial_.pop_back();
            ++level;
        }
        partial_.push_back(Partial{std::move(region), level});
    }

    static constexpr RECT kNoBounds{LONG_MAX, LONG_MAX, 0, 0};
    std::vector<RECT> rects_;
    RECT bounds_ = kNoBounds;
    std::vector<Partial> partial_;
    bool ok_ = true;
};

} // namespace

KeyColourRange::KeyColourRange(ui::Color key, int blueTolerance, int greenTolerance, int redTolerance) {
    const COLORREF rgb = ui::ColorToRgb(key);
    auto range = [](int keyChannel, int tolerance) {
        return Channel{keyChannel, keyChannel + std::clamp(tolerance, -1, 255 - keyChannel)};
    };
    blue_ = range(GetBValue(rgb), blueTolerance);
    green_ = range(GetGValue(rgb), greenTolerance);
    red_ = range(GetRValue(rgb), redTolerance);
}

ui::UniqueRegion RegionFromRects(std::span<const RECT> rects) {
    RegionBuilder builder;
    for (const RECT& r : rects) {
        builder.Add(r.left, r.top, r.right, r.bottom);
    }
    return builder.Finish();
}

ui::UniqueRegion CreateRegionFromBitmap(const ui::Bitmap& bitmap, int dx, int dy, int blueTolerance,
                                        int greenTolerance, int redTolerance, ui::Color key) {
    const KeyColourRange range(key, blueTolerance, greenTolerance, redTolerance);
    const int step = bitmap.BytesPerPixel();
    const int width = bitmap.Width();

    RegionBuilder builder;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        auto transparent = [&](int x) { return range.Contains(row + size_t(x) * step); };
        int x = 0;
        while (x < width) {
            while (x < width && transparent(x)) {
                ++x;
            }
            const int runStart = x;
            while (x < width && !transparent(x)) {
                ++x;
            }
            if (x > runStart) {
                builder.Add(runStart + dx, y + dy, x + dx, y + dy + 1);
            }
        }
    }
    return builder.Finish();
}

} // namespace skin
