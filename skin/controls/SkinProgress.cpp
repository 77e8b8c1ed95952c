#include "skin/controls/SkinProgress.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"

#include <commctrl.h>

namespace skin {

const ui::ClassInfo TSkinProgress::kClass{"TSkinProgress", &TSkinControl::kClass};

bool TSkinProgress::HasProgressElement() const {
    return FSkinData != nullptr && FSkinData->Progress != nullptr && !FSkinData->Progress->Empty();
}

bool TSkinProgress::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_PAINT:
        if (!HasProgressElement()) {
            return true;
        }
        PaintHandler(message);
        return false;
    case WM_ERASEBKGND:
        message.result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinProgress::DrawTo(HDC dc, const RECT& rect) {
    if (!HasProgressElement() || FHandle == nullptr) {
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    const bool chunks = FSkinData->Progress->Style == 1;
    if (chunks) {
        if (FSkinData->ProgressChunk == nullptr || FSkinData->ProgressChunk->Empty()) {
            return;
        }
        ui::Bitmap buffer(width, height);
        DrawChunks(buffer.GetCanvas().Handle(), width, height);
        BitBlt(dc, rect.left, rect.top, width, height, buffer.GetCanvas().Handle(), 0, 0, SRCCOPY);
        return;
    }
    // A vertical bar is drawn lying down, then turned left: its start (x = 0)
    // ends at the bottom.
    const bool vertical = (WindowStyle() & PBS_VERTICAL) != 0;
    ui::Bitmap buffer(vertical ? height : width, vertical ? width : height);
    DrawFramed(buffer.GetCanvas().Handle(), buffer.Width(), buffer.Height());
    if (vertical) {
        RotateLeft(buffer);
    }
    BitBlt(dc, rect.left, rect.top, width, height, buffer.GetCanvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawFramed(HDC dc, int width, int height) const {
    const TDataSkinBorder& element = *FSkinData->Progress;
    const RECT whole{0, 0, width, height};
    FillFormColour(dc, whole);
    DrawSkinFrame(dc, whole, element.Bitmap, false, element.Tile != 0, true, 2, 1, element.Margins);
    const auto pos = int(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
    const auto high = int(SendMessageW(FHandle, PBM_GETRANGE, 0, 0));
    const auto low = int(SendMessageW(FHandle, PBM_GETRANGE, 1, 0));
    if (high <= 0 || pos <= 0 || high == low) {
        return;
    }
    const int filled = MulDiv(width, pos - low, high - low);
    if (filled > 0) {
        DrawSkinFrame(dc, RECT{0, 0, filled < width ? filled : width, height}, element.Bitmap, false,
                      element.Tile != 0, true, 2, 2, element.Margins);
    }
}

void TSkinProgress::DrawChunks(HDC dc, int width, int height) const {
    const TDataSkinBorder& element = *FSkinData->Progress;
    const TDataSkinObject& chunk = *FSkinData->ProgressChunk;
    const RECT whole{0, 0, width, height};
    FillFormColour(dc, whole);
    DrawSkinFrame(dc, whole, element.Bitmap, false, element.Tile != 0, true, 1, 1, element.Margins);
    const auto pos = int(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
    const auto max = int(SendMessageW(FHandle, PBM_GETRANGE, 0, 0));
    if (pos <= 0 || max <= 0) {
        return;
    }
    int filled = MulDiv(width, pos, max);
    if (filled > width) {
        filled = width;
    }
    if (filled <= 0) {
        return;
    }
    const int chunkWidth = chunk.Bitmap.Width();
    const int chunkHeight = chunk.Bitmap.Height();
    const int top = (height - chunkHeight) / 2;
    if (chunk.Tile == 1 && chunkWidth > 0) {
        ui::Bitmap strip(filled, chunkHeight);
        HDC stripDc = strip.GetCanvas().Handle();
        const int copies = filled / chunkWidth + 1;
        for (int i = 0; i < copies; ++i) {
            BitBlt(stripDc, i * chunkWidth, 0, chunkWidth, chunkHeight,
                   const_cast<ui::Bitmap&>(chunk.Bitmap).GetCanvas().Handle(), 0, 0, SRCCOPY);
        }
        const int left = chunk.Margins.left + 2;
        DrawTransparent(dc, RECT{left, top, left + filled, top + chunkHeight}, strip);
        return;
    }
    StretchWithEnds(dc, RECT{2, 2, 2 + filled, 2 + height - 4}, chunk.Bitmap, false, 1, 1, chunk.Margins);
}

} // namespace skin
