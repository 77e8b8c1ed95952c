#pragma once
// Skin strips whose cells are solid colours, so the cell a painter chose can
// be read back from a single pixel.

#include "ui/Bitmap.h"
#include "ui/Color.h"

#include <windows.h>

#include <vector>

namespace testsupport {

// A strip of colours.size() cells of w x h, each a solid colour in order.
inline void FillStrip(ui::Bitmap& bitmap, int w, int h, const std::vector<ui::Color>& colours) {
    bitmap.SetSize(w * int(colours.size()), h);
    for (int c = 0; c < int(colours.size()); ++c) {
        const COLORREF rgb = ui::ColorToRgb(colours[size_t(c)]);
        for (int y = 0; y < h; ++y) {
            uint8_t* row = bitmap.ScanLine(y);
            for (int x = c * w; x < (c + 1) * w; ++x) {
                row[3 * x] = GetBValue(rgb);
                row[3 * x + 1] = GetGValue(rgb);
                row[3 * x + 2] = GetRValue(rgb);
            }
        }
    }
}

} // namespace testsupport
