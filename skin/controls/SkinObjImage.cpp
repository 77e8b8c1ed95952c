#include "skin/controls/SkinObjImage.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"

#include <vector>

namespace skin {
namespace {

const ui::PropertyInfo kObjImageProperties[] = {
    {"ImageKind", [](const ui::Component& c) { return ui::IntToText(static_cast<const TSkinObjImage&>(c).ImageKind()); },
     [](ui::Component& c, std::string_view v) {
         const int64_t kind = ui::TextToInt(v);
         if (kind < 1 || kind > 3) {
             throw ui::PropertyError("not an image kind: " + std::string(v));
         }
         static_cast<TSkinObjImage&>(c).SetImageKind(int32_t(kind));
     }},
};

// The skin's cells (1 clear, 2 checked, 3 disabled clear, 4 disabled
// checked or grey) a kind's strip takes, in its order.
std::vector<int> CellsOfKind(int32_t kind) {
    switch (kind) {
    case 2: return {1, 2, 3, 4};
    case 3: return {1, 2, 4};
    default: return {1, 2, 4, 3, 4};
    }
}

} // namespace

const ui::ClassInfo TSkinObjImage::kClass{"TSkinObjImage", &TSkinControl::kClass, kObjImageProperties};

void TSkinObjImage::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    AttachControl(form, skinData, ownBackground, canvas, false);
    BuildStrip();
}

void TSkinObjImage::SkinChanged() {
    BuildStrip();
    TSkinControl::SkinChanged();
}

void TSkinObjImage::BuildStrip() {
    FStrip.Clear();
    FCells = 0;
    if (FSkinData == nullptr || FSkinData->Buttons == nullptr) {
        return;
    }
    const TDataSkinButton& buttons = *FSkinData->Buttons;
    const bool radio = FKind == 2;
    const ui::Bitmap& source = radio ? buttons.RadioBitmap : buttons.CheckBitmap;
    const int count = radio ? buttons.RadioButtonFrame : buttons.CheckButtonFrame;
    if (source.Empty() || count < 1) {
        return;
    }
    const int cellWidth = source.Width() / count;
    const int cellHeight = source.Height();
    if (cellWidth <= 0) {
        return;
    }
    const std::vector<int> cells = CellsOfKind(FKind);
    FStrip.SetSize(cellWidth * int(cells.size()), cellHeight);
    HDC target = FStrip.GetCanvas().Handle();
    for (size_t i = 0; i < cells.size(); ++i) {
        // A skin with fewer cells repeats its last one.
        const int cell = cells[i] <= count ? cells[i] : count;
        const RECT place{int(i) * cellWidth, 0, int(i + 1) * cellWidth, cellHeight};
        DrawStateFrame(target, place, source, false, count, cell);
    }
    FCells = int(cells.size());
    if (auto* taker = dynamic_cast<MarkGlyphTarget*>(FControl)) {
        taker->TakeMarkGlyphs(FStrip, FCells);
    }
}

} // namespace skin
