#pragma once
// A probe skin for the edit, combo box, up-down and date-time painters: each
// element's cells are solid colours of their own, so one pixel tells which
// element and which cell a painter drew.

#include "tests/skin/controls/ButtonPainterFixture.h"
#include "tests/support/SolidStrip.h"
#include "ui/Gdi.h"

#include <memory>
#include <vector>

namespace editcontrolstest {

enum ProbeElement { kComboButton = 0, kComboMirror, kSunkEdge, kUpDownVert, kUpDownHorz, kComboxArrow };

// Cell `cell` (1 to 8) of an element; no two are alike, and none is the key
// colour, white, black or the probe skin's face.
constexpr ui::Color ProbeColour(ProbeElement element, int cell) {
    return ui::Color((30 + 40 * int(element)) | (20 + 20 * cell) << 8 | 0x60 << 16);
}

inline std::vector<ui::Color> ProbeCells(ProbeElement element, int count) {
    std::vector<ui::Color> cells;
    for (int cell = 1; cell <= count; ++cell) {
        cells.push_back(ProbeColour(element, cell));
    }
    return cells;
}

constexpr ui::Color kBorder = 0x2060A0;

// The combo elements in the normal variant (ComboButton Style 0 with its
// mirrored copy, SunkEdge), the up-down strips and the arrow picture.
template <class Element>
std::unique_ptr<Element> ProbeElementOf(const char* name, ProbeElement element, int cells) {
    auto made = std::make_unique<Element>(name);
    testsupport::FillStrip(made->Bitmap, 8, 8, ProbeCells(element, cells));
    made->Frame = cells;
    return made;
}

inline void AddEditElements(skin::TSkinData& data) {
    data.Colours[skin::scButtonShadow] = kBorder;
    data.Colours[skin::scButtonDkShadow] = ui::clBlack;
    data.ComboButton = ProbeElementOf<skin::TDataSkinBorder>("ComboButton", kComboButton, 4);
    testsupport::FillStrip(data.ComboButton->Bitmap2, 8, 8, ProbeCells(kComboMirror, 4));
    data.SunkEdge = ProbeElementOf<skin::TDataSkinObject>("SunkEdge", kSunkEdge, 4);
    data.UpDownVert = ProbeElementOf<skin::TDataSkinBorder>("UpDownVert", kUpDownVert, 8);
    data.UpDownHorz = ProbeElementOf<skin::TDataSkinBorder>("UpDownHorz", kUpDownHorz, 8);
    data.ComboxArrow = ProbeElementOf<skin::TDataSkinObject>("ComboxArrow", kComboxArrow, 4);
}

// A shown form with the probe skin.
struct EditControlsFixture : buttontest::FormFixture {
    EditControlsFixture() { AddEditElements(*skin); }
};

// The window as it shows after a full repaint, frame and children included:
// read from the window's own surface, which holds what every window over
// that area drew.
inline ui::Bitmap ScreenShot(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::PumpPostedMessages();
    RECT r{};
    GetWindowRect(window, &r);
    ui::Bitmap shot(r.right - r.left, r.bottom - r.top);
    const ui::WindowDc dc(window, ui::WindowDc::Area::Window);
    BitBlt(shot.GetCanvas().Handle(), 0, 0, shot.Width(), shot.Height(), dc.get(), 0, 0, SRCCOPY);
    return shot;
}

} // namespace editcontrolstest
