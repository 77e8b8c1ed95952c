#pragma once
// A probe skin for the scroll-bar painters: every cell of the arrow strip,
// the tracks and the thumbs is a solid colour of its own, so which cell was
// drawn where is read back from single pixels. Cells are 16 x 16, the
// arrow size of the test systems.

#include "skin/data/SkinData.h"
#include "tests/support/SolidStrip.h"
#include "ui/Bitmap.h"
#include "ui/Gdi.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace scrolltest {

constexpr int kCell = 16;
constexpr ui::Color kFace = RGB(90, 100, 110);

constexpr ui::Color StripCell(int cell) { return ui::Color(RGB(8 * cell, 40, 200)); }
constexpr ui::Color TrackCell(int cell) { return ui::Color(RGB(240, 10 * cell, 20)); }
constexpr ui::Color ThumbCell(int cell) { return ui::Color(RGB(20, 240, 30 * cell)); }

inline std::vector<ui::Color> Cells(int count, ui::Color (*colour)(int)) {
    std::vector<ui::Color> colours;
    for (int cell = 1; cell <= count; ++cell) {
        colours.push_back(colour(cell));
    }
    return colours;
}

inline std::unique_ptr<skin::TDataSkinObject> Element(int count, ui::Color (*colour)(int)) {
    auto element = std::make_unique<skin::TDataSkinObject>();
    testsupport::FillStrip(element->Bitmap, kCell, kCell, Cells(count, colour));
    element->Frame = count;
    return element;
}

inline std::unique_ptr<skin::TSkinData> ProbeSkin() {
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->Colours[skin::scButtonFace] = kFace;
    data->Scrollbar = Element(23, StripCell);
    data->VertScroll = Element(4, TrackCell);
    data->HorzScroll = Element(4, TrackCell);
    data->VertScrollThumb = Element(3, ThumbCell);
    data->HorzScrollThumb = Element(3, ThumbCell);
    return data;
}

// What the window shows on the screen now.
inline ui::Bitmap ScreenShot(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    ui::Bitmap shot(rect.right - rect.left, rect.bottom - rect.top);
    const ui::WindowDc dc(window, ui::WindowDc::Area::Window);
    BitBlt(shot.GetCanvas().Handle(), 0, 0, shot.Width(), shot.Height(), dc.get(), 0, 0, SRCCOPY);
    return shot;
}

} // namespace scrolltest
