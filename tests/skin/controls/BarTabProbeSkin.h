#pragma once
// A probe skin for the bar, header and tab painters: every element a strip
// of solid-colour cells without margins, so the cell a painter chose is read
// back from one pixel. Each element has colours of its own.

#include "skin/data/SkinData.h"
#include "tests/support/SolidStrip.h"

#include <memory>
#include <vector>

namespace bartest {

constexpr ui::Color kFace = 0x508030;

// Cell `cell` (1-based) of element `element`; no two are equal, none is the
// key colour, black, white or the face.
constexpr ui::Color ElementCell(int element, int cell) {
    return ui::Color(((20 + 30 * element) & 0xFF) | ((60 + 25 * cell) & 0xFF) << 8 | ((200 - 9 * element - 3 * cell) & 0xFF) << 16);
}

enum Element : int { kProgress = 1, kHeader, kEdges, kExtra, kTabs, kPane, kTrack, kThumb, kButtons };

inline std::vector<ui::Color> Cells(int element, int count) {
    std::vector<ui::Color> colours;
    for (int cell = 1; cell <= count; ++cell) {
        colours.push_back(ElementCell(element, cell));
    }
    return colours;
}

template <class T>
std::unique_ptr<T> Strip(int element, int count, int w = 12, int h = 12) {
    auto object = std::make_unique<T>();
    testsupport::FillStrip(object->Bitmap, w, h, Cells(element, count));
    object->Frame = count;
    return object;
}

inline std::unique_ptr<skin::TSkinData> ProbeSkin() {
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->Colours[skin::scButtonFace] = kFace;
    data->Colours[skin::scButtonShadow] = 0x404040;
    data->Buttons = Strip<skin::TDataSkinButton>(kButtons, 5, 24, 24);
    data->Progress = Strip<skin::TDataSkinBorder>(kProgress, 2);
    data->Headerbar = Strip<skin::TDataSkinObject>(kHeader, 2);
    data->Headerbar->NormalColour2 = ui::clBlack;
    data->Headerbar->MouseOverColour2 = ui::clBlack;
    data->StatusBarEdges = Strip<skin::TDataSkinObject>(kEdges, 3);
    data->StatusBarEdges->NormalColour2 = ui::clBlack;
    data->ExtraImages = Strip<skin::TDataSkinObject>(kExtra, 5, 8, 8);
    data->Tabs = Strip<skin::TDataSkinBorder>(kTabs, 2, 16, 16);
    testsupport::FillStrip(data->Tabs->Bitmap2, 16, 16, Cells(kPane, 1));
    data->Track = Strip<skin::TDataSkinObject>(kTrack, 1, 12, 4);
    data->TrackbarThumbHorz = Strip<skin::TDataSkinObject>(kThumb, 5, 10, 20);
    return data;
}

} // namespace bartest
