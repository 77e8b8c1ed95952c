#include "skin/data/KeyedCopy.h"

#include "ui/Gdi.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace skin {

namespace {

int Width(const RECT& rect) {
    return rect.right - rect.left;
}

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

bool IsKey(const uint8_t* pixel, COLORREF key) {
    return pixel[0] == GetBValue(key) && pixel[1] == GetGValue(key) && pixel[2] == GetRValue(key);
}

// A monochrome mask of the part `area` of `bitmap` (which must lie inside
// it): bit 1 (white) where the pixel is `key`.
ui::UniqueBitmap BuildMask(const ui::Bitmap& bitmap, const RECT& area, ui::Color key) {
    const int width = Width(area);
    const int height = Height(area);
    if (width <= 0 || height <= 0) {
        return {};
    }
    const COLORREF rgb = ui::ColorToRgb(key);
    const int step = bitmap.BytesPerPixel();
    const int maskStride = (width + 15) / 16 * 2;  // CreateBitmap wants rows in whole WORDs
    std::vector<uint8_t> bits(size_t(maskStride) * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* pixel = bitmap.ScanLine(area.top + y) + size_t(area.left) * step;
        uint8_t* row = bits.data() + size_t(y) * maskStride;
        for (int x = 0; x < width; ++x, pixel += step) {
            if (IsKey(pixel, rgb)) {
                row[x >> 3] |= uint8_t(0x80 >> (x & 7));
            }
        }
    }
    return ui::UniqueBitmap(CreateBitmap(width, height, 1, 1, bits.data()));
}

// Where MaskBlt is not supported (some printer and metafile DCs), the same
// result by three blits: D ^ S, AND the mask (key white, rest black), ^ S.
void DrawMaskedByXor(HDC dc, int x, int y, int width, int height, HDC source, int sx, int sy, HBITMAP mask) {
    const ui::UniqueMemoryDc maskDc(CreateCompatibleDC(dc));
    if (!maskDc) {
        return;
    }
    const ui::SelectObjectScope selection(maskDc.get(), mask);
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, width, height, source, sx, sy, SRCINVERT);
    BitBlt(dc, x, y, width, height, maskDc.get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, source, sx, sy, SRCINVERT);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
}

// Destination kept under white mask bits, source copied under black ones.
constexpr DWORD kKeepUnderKey = MAKEROP4(0x00AA0029, SRCCOPY);

void MaskedCopy(HDC dc, int x, int y, int width, int height, HDC source, int sx, int sy, HBITMAP mask) {
    if (!MaskBlt(dc, x, y, width, height, source, sx, sy, mask, 0, 0, kKeepUnderKey)) {
        DrawMaskedByXor(dc, x, y, width, height, source, sx, sy, mask);
    }
}

// The pixels of a DC's target when they can be written directly: a memory
// DC drawing on a 24- or 32-bit DIB section with the plain mapping (text
// mode, no transform, no mirroring) and no clip region or a rectangular one.
struct DirectTarget {
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    int bytesPerPixel = 0;
    bool bottomUp = false;
    RECT clip{};  // device coordinates, inside the bitmap
    POINT origin{};  // device position of the logical origin

    uint8_t* Row(int y) const { return bits + size_t(bottomUp ? height - 1 - y : y) * size_t(stride); }
};

// Whether the DIB selected into `dc` keeps its top row first in memory. The
// header does not tell (the height's sign is dropped), so one pixel is set
// through GDI at device (0, 0), unclipped, and the memory looked at; the
// bytes are put back. Empty when GDI could not set the pixel.
std::optional<bool> RowsRunTopDown(HDC dc, const DirectTarget& target) {
    uint8_t* const top = target.bits;
    uint8_t* const bottom = target.bits + size_t(target.height - 1) * size_t(target.stride);
    uint8_t savedTop[4];
    uint8_t savedBottom[4];
    GdiFlush();
    std::memcpy(savedTop, top, size_t(target.bytesPerPixel));
    std::memcpy(savedBottom, bottom, size_t(target.bytesPerPixel));
    // Unlike the top pixel in red and the bottom one in green, so whichever
    // of them GDI writes changes.
    const COLORREF probe = RGB(top[2] ^ 0x80, bottom[1] ^ 0x80, 0);
    {
        const ui::SavedDcState saved(dc);
        SelectClipRgn(dc, nullptr);
        SetViewportOrgEx(dc, 0, 0, nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetPixelV(dc, 0, 0, probe);
    }
    GdiFlush();
    const bool topChanged = std::memcmp(savedTop, top, size_t(target.bytesPerPixel)) != 0;
    const bool bottomChanged = std::memcmp(savedBottom, bottom, size_t(target.bytesPerPixel)) != 0;
    std::memcpy(top, savedTop, size_t(target.bytesPerPixel));
    std::memcpy(bottom, savedBottom, size_t(target.bytesPerPixel));
    if (topChanged == bottomChanged && target.height > 1) {
        return std::nullopt;
    }
    return topChanged;
}

bool FindDirectTarget(HDC dc, DirectTarget& target) {
    if (GetObjectType(dc) != OBJ_MEMDC || GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE ||
        GetLayout(dc) != 0) {
        return false;
    }
    DIBSECTION dib{};
    const auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof dib, &dib) != int(sizeof dib) || dib.dsBm.bmBits == nullptr ||
        dib.dsBmih.biCompression != BI_RGB || (dib.dsBmih.biBitCount != 24 && dib.dsBmih.biBitCount != 32)) {
        return false;
    }
    target.bits = static_cast<uint8_t*>(dib.dsBm.bmBits);
    target.width = dib.dsBm.bmWidth;
    target.height = dib.dsBm.bmHeight;
    target.stride = dib.dsBm.bmWidthBytes;
    target.bytesPerPixel = dib.dsBmih.biBitCount / 8;
    target.clip = RECT{0, 0, target.width, target.height};

    const ui::UniqueRegion clip(CreateRectRgn(0, 0, 0, 0));
    const int hasClip = clip ? GetClipRgn(dc, clip.get()) : -1;
    if (hasClip < 0) {
        return false;
    }
    if (hasClip == 1) {
        RECT box{};
        if (GetRgnBox(clip.get(), &box) != SIMPLEREGION) {
            return false;  // several rectangles (or none): GDI knows best
        }
        IntersectRect(&target.clip, &target.clip, &box);
    }
    POINT origin{0, 0};
    if (!LPtoDP(dc, &origin, 1)) {
        return false;
    }
    target.origin = origin;
    const std::optional<bool> topDown = RowsRunTopDown(dc, target);
    if (!topDown) {
        return false;
    }
    target.bottomUp = !*topDown;
    return true;
}

// Copies the non-key pixels of `area` of `bitmap` to the logical point
// (x, y) of the target, cut by its clip rectangle.
void CopyKeyedPixels(const DirectTarget& target, int x, int y, const ui::Bitmap& bitmap, const RECT& area,
                     COLORREF key) {
    // Far outside any bitmap is as good as just outside it; no overflow.
    constexpr int64_t kFar = int64_t(1) << 28;
    RECT to{};
    to.left = LONG(std::clamp(int64_t(target.origin.x) + x, -kFar, kFar));
    to.top = LONG(std::clamp(int64_t(target.origin.y) + y, -kFar, kFar));
    to.right = to.left + Width(area);
    to.bottom = to.top + Height(area);
    RECT visible{};
    if (!IntersectRect(&visible, &to, &target.clip)) {
        return;
    }
    const int step = bitmap.BytesPerPixel();
    const int targetStep = target.bytesPerPixel;
    GdiFlush();
    for (int dy = visible.top; dy < visible.bottom; ++dy) {
        const uint8_t* source =
            bitmap.ScanLine(area.top + dy - to.top) + size_t(area.left + visible.left - to.left) * step;
        uint8_t* pixel = target.Row(dy) + size_t(visible.left) * targetStep;
        for (int dx = visible.left; dx < visible.right; ++dx, source += step, pixel += targetStep) {
            if (!IsKey(source, key)) {
                pixel[0] = source[0];
                pixel[1] = source[1];
                pixel[2] = source[2];
                if (targetStep == 4) {
                    pixel[3] = step == 4 ? source[3] : 0;  // as a GDI copy from 24 bits leaves it
                }
            }
        }
    }
}

} // namespace

HDC SourceDc(const ui::Bitmap& bitmap) {
    return const_cast<ui::Bitmap&>(bitmap).GetCanvas().Handle();
}

void CopyKeyed(HDC dc, int x, int y, const ui::Bitmap& bitmap, const RECT& area, ui::Color key) {
    const int width = Width(area);
    const int height = Height(area);
    if (width <= 0 || height <= 0 || bitmap.Empty()) {
        return;
    }
    // Painters compose in off-screen DIBs; there a keyed copy is a pass over
    // the rows, many times cheaper than MaskBlt (which Wine emulates slowly).
    DirectTarget target;
    if (FindDirectTarget(dc, target)) {
        CopyKeyedPixels(target, x, y, bitmap, area, ui::ColorToRgb(key));
        return;
    }
    const ui::UniqueBitmap mask = BuildMask(bitmap, area, key);
    if (mask) {
        MaskedCopy(dc, x, y, width, height, SourceDc(bitmap), area.left, area.top, mask.get());
    }
}

} // namespace skin
