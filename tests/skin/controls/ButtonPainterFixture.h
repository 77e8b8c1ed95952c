#pragma once
// A shown form for the button painters' tests, a probe skin whose strip cells
// are solid colours (the cell a painter chose is read back from one pixel),
// and snapshots of what a painter draws through the window's own messages.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "tests/support/Pump.h"
#include "tests/support/SolidStrip.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

namespace buttontest {

// The probe skin's ButtonFace, the form colour the painters fill with.
constexpr ui::Color kFace = 0x508030;
// The form's own colour: what a control shows of its parent's picture.
constexpr ui::Color kParentColour = 0x3050A0;

// The colour of cell `cell` (1 to 12) of every probe strip; none is the key
// colour, black, the face or the parent colour.
constexpr ui::Color CellColour(int cell) {
    return ui::Color(((40 + 16 * cell) & 0xFF) | ((230 - 14 * cell) & 0xFF) << 8 | ((90 + 13 * cell) & 0xFF) << 16);
}

inline std::vector<ui::Color> Cells(int count) {
    std::vector<ui::Color> colours;
    for (int cell = 1; cell <= count; ++cell) {
        colours.push_back(CellColour(cell));
    }
    return colours;
}

constexpr int kMarkSize = 13;

// Button strip of five 24 x 24 cells without margins; check and radio strips
// of 13 x 13 cells.
inline std::unique_ptr<skin::TSkinData> ProbeSkin(int checkCells = 4, int radioCells = 4) {
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->Colours[skin::scButtonFace] = kFace;
    data->Colours[skin::scButtonText] = ui::clBlack;
    auto buttons = std::make_unique<skin::TDataSkinButton>();
    testsupport::FillStrip(buttons->Bitmap, 24, 24, Cells(5));
    buttons->Frame = 5;
    testsupport::FillStrip(buttons->CheckBitmap, kMarkSize, kMarkSize, Cells(checkCells));
    buttons->CheckButtonFrame = checkCells;
    testsupport::FillStrip(buttons->RadioBitmap, kMarkSize, kMarkSize, Cells(radioCells));
    buttons->RadioButtonFrame = radioCells;
    data->Buttons = std::move(buttons);
    return data;
}

// What the painter draws for the window's WM_PAINT with a DC in wParam.
inline ui::Bitmap Snapshot(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    ui::Bitmap shot(rect.right - rect.left, rect.bottom - rect.top);
    shot.Fill(ui::clWhite);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(shot.GetCanvas().Handle()), 0);
    return shot;
}

// The parent's client area as its WM_PRINTCLIENT draws it, window-less
// children included.
inline ui::Bitmap ClientSnapshot(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    ui::Bitmap shot(client.right, client.bottom);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.GetCanvas().Handle()), PRF_CLIENT);
    return shot;
}

struct FormFixture : ::testing::Test {
    FormFixture() {
        form.SetBounds(200, 150, 360, 260);
        form.SetColor(kParentColour);
        form.Show();
        SetForegroundWindow(form.Handle());
        testsupport::PumpPostedMessages();
    }
    ~FormFixture() override { delete &form; }

    // A painter of the kind for the control, attached with the probe skin.
    skin::TSkinControl& Paint(ui::Control& control, skin::PainterKind kind) {
        skin::TSkinControl* painter = skin::CreatePainter(kind, &control);
        painter->Attach(nullptr, skin.get(), false, nullptr);
        return *painter;
    }

    std::unique_ptr<skin::TSkinData> skin = ProbeSkin();
    ui::Form& form = ui::App().Create<ui::Form>();
};

} // namespace buttontest
