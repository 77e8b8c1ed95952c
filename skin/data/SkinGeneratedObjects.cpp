#include "skin/data/SkinGeneratedObjects.h"

#include "skin/data/ImageRoutines.h"

#include <algorithm>

namespace skin {
namespace {

constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
constexpr int kArrowSize = 17;

// Copies width x height pixels from (sx, sy) of source to (dx, dy) of target,
// both 24-bit, skipping whatever falls outside either picture.
void CopyPixels(const ui::Bitmap& source, int sx, int sy, ui::Bitmap& target, int dx, int dy, int width,
                int height) {
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = source.ScanLine(sy + row);
        uint8_t* to = target.ScanLine(dy + row);
        if (from == nullptr || to == nullptr) {
            continue;
        }
        for (int column = 0; column < width; ++column) {
            const int x = sx + column;
            const int tx = dx + column;
            if (x < 0 || x >= source.Width() || tx < 0 || tx >= target.Width()) {
                continue;
            }
            std::copy_n(from + size_t(x) * 3, 3, to + size_t(tx) * 3);
        }
    }
}

} // namespace

void MirrorCells(ui::Bitmap& strip, int count) {
    if (strip.Empty()) {
        return;
    }
    strip.SetFormat(ui::PixelFormat::Bit24);
    const int cells = std::max(count, 1);
    const int cellWidth = strip.Width() / cells;
    if (cellWidth <= 0) {
        return;
    }
    // In place, row by row: no picture per cell.
    for (int y = 0; y < strip.Height(); ++y) {
        uint8_t* row = strip.ScanLine(y);
        for (int i = 0; i < cells; ++i) {
            uint8_t* left = row + size_t(i) * size_t(cellWidth) * 3;
            uint8_t* right = left + size_t(cellWidth - 1) * 3;
            for (; left < right; left += 3, right -= 3) {
                std::swap_ranges(left, left + 3, right);
            }
        }
    }
}

void BuildSunkenCombo(SkinObjectSet& set) {
    if (!set.SunkEdge || !set.ComboButton) {
        return;
    }
    TDataSkinObject& edge = *set.SunkEdge;
    TDataSkinBorder& button = *set.ComboButton;
    const int n = edge.FrameCount();
    const int w = GetSystemMetrics(SM_CXHSCROLL) + 2;

    ui::Bitmap strip(kComboCellWidth * n, kComboCellHeight, ui::PixelFormat::Bit24);
    strip.Fill(kKeyColour);
    ui::Bitmap scratch(kComboCellWidth, kComboCellHeight, ui::PixelFormat::Bit24);
    const RECT cell{0, 0, kComboCellWidth, kComboCellHeight};
    const RECT buttonArea{kComboCellWidth - w, 0, kComboCellWidth, kComboCellHeight};
    const RECT field{2, 2, kComboCellWidth - 1 - w, kComboCellHeight - 3};
    for (int b = 1; b <= n; ++b) {
        scratch.Fill(kKeyColour);
        HDC dc = scratch.GetCanvas().Handle();
        DrawSkinFrame(dc, cell, edge.Bitmap, false, false, edge.Trans != 0, n, b, edge.Margins);
        DrawSkinFrame(dc, buttonArea, button.Bitmap, false, false, true, button.FrameCount(), b, button.Margins);
        if (set.ExtraImages) {
            DrawCentredFrame(dc, buttonArea, set.ExtraImages->Bitmap, true, set.ExtraImages->FrameCount(), b);
        }
        scratch.GetCanvas().brushColor = kKeyColour;
        scratch.GetCanvas().FillRect(field);
        CopyPixels(scratch, 0, 0, strip, (b - 1) * kComboCellWidth, 0, kComboCellWidth, kComboCellHeight);
    }

    button.Style = 2;
    button.Margins = RECT{2, edge.Margins.top, w + 2, edge.Margins.bottom};
    button.Bitmap = strip;
    MirrorCells(strip, n);
    edge.Bitmap = std::move(strip);
    edge.Margins.left = w + 2;
    edge.Margins.right = 2;
}

void BuildComboArrow(SkinObjectSet& set) {
    if (!set.ComboxArrow) {
        set.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    }
    TDataSkinObject& arrow = *set.ComboxArrow;
    if (!set.ComboButton) {
        return;
    }
    const TDataSkinBorder& button = *set.ComboButton;
    if (!set.SunkEdge) {
        arrow.Bitmap = button.Bitmap;
        ReplaceKeyColour(arrow.Bitmap, set.Colours[scButtonFace]);
        arrow.Frame = button.FrameCount();
    } else if (button.Style == 2) {
        const int n = set.SunkEdge->FrameCount();
        const int cw = button.Bitmap.Width() / n;
        ui::Bitmap source = button.Bitmap;
        source.SetFormat(ui::PixelFormat::Bit24);
        ui::Bitmap cells = ui::Bitmap::InMemory(kArrowSize * n, kArrowSize, ui::PixelFormat::Bit24);
        for (int i = 0; i < n; ++i) {
            CopyPixels(source, (i + 1) * cw - 19, 2, cells, i * kArrowSize, 0, kArrowSize, kArrowSize);
        }
        arrow.Bitmap = std::move(cells);
        arrow.Frame = n;
    }
}

void BuildToolbarBackground(SkinObjectSet& set) {
    const ui::Color caption = set.CaptionColour();
    ui::Color end = BlendColours(0x808080, caption, 150);
    const ui::Color start = BlendColours(set.Colours[scButtonFace], ui::clWhite, 150);
    const int saturation = ColourSaturation(caption);
    if (saturation > 110) {
        end = BlendColours(caption, ui::clWhite, (225 - saturation) * 25 / 140 + 50);
    }
    if (!set.Toolbar) {
        set.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    }
    // In memory: a skin load draws nothing, and 40 brush fills on a fresh
    // DIB section cost more than the rest of the description together.
    set.Toolbar->Bitmap = GradientPicture(10, 40, start, true, end);
    set.Toolbar->Frame = 1;
}

} // namespace skin
