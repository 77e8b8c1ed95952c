// Tool bars on a skinned window: the bar's background is the skin's tool-bar
// picture stretched over it, and each button at rest, hot or pressed sits on
// its cell of the skin's button strip. The tool bar still draws the buttons'
// images and captions itself. The control mapping has the form painter take
// over a tool bar's unassigned custom-draw events; they are cleared again
// when the form painter lets go.
#include "skin/forms/WinSkinForm.h"

#include "skin/data/SkinData.h"
#include "skin/data/StripDrawing.h"

#include <utility>

namespace skin {
namespace {

constexpr int kToolbarButtonCells = 5;

// The button strip's cell for a button state; 0 draws nothing.
int ButtonCell(ui::CustomDrawState state) {
    if ((state & ui::cdsSelected) != 0) {
        return 2;
    }
    if ((state & (ui::cdsFocused | ui::cdsHot)) != 0) {
        return 4;
    }
    if ((state & ui::cdsDefault) != 0 && (state & (ui::cdsGrayed | ui::cdsDisabled)) == 0) {
        return 1;
    }
    return 0;
}

} // namespace

void TWinSkinForm::ToolbarCustomDraw(ui::ToolBar& toolBar, const RECT& rect, bool& defaultDraw) {
    (void)defaultDraw;  // the buttons are still drawn over the picture
    if (FSkinData == nullptr || !FSkinData->Toolbar || FSkinData->Toolbar->Empty() ||
        FSkinData->Options.Contains(xoToolbarBK)) {
        return;
    }
    ui::Bitmap& picture = FSkinData->Toolbar->Bitmap;
    const HDC dc = toolBar.GetCanvas().Handle();
    if (dc == nullptr) {
        return;
    }
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE needs the brush origin reset
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               picture.GetCanvas().Handle(), 0, 0, picture.Width(), picture.Height(), SRCCOPY);
    SetStretchBltMode(dc, previousMode);
}

void TWinSkinForm::ToolbarCustomDrawButton(ui::ToolBar& toolBar, ui::ToolButton& button, ui::CustomDrawState state,
                                           bool& defaultDraw) {
    (void)defaultDraw;  // the tool bar draws the image and caption on top
    const TDataSkinButton* skinButton = FSkinData != nullptr ? FSkinData->Buttons.get() : nullptr;
    if (skinButton == nullptr || skinButton->Empty() || FState != PainterState::Running ||
        FSkinData->Options.Contains(xoToolbarButton)) {
        return;
    }
    const int cell = ButtonCell(state);
    if (cell == 0) {
        return;
    }
    ui::Canvas& canvas = toolBar.GetCanvas();
    if (cell == 1 && skinButton->HasNormalColour2) {
        canvas.font.color = skinButton->NormalColour2;
    } else if (cell == 4 && skinButton->HasMouseOverColour2) {
        canvas.font.color = skinButton->MouseOverColour2;
    } else if (cell == 2 && skinButton->HasPressedColour2) {
        canvas.font.color = skinButton->PressedColour2;
    }
    RECT bounds = button.BoundsRect();
    InflateRect(&bounds, -1, -1);
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top || canvas.Handle() == nullptr) {
        return;
    }
    DrawSkinFrame(canvas.Handle(), bounds, skinButton->Bitmap, false, false, skinButton->Trans == 1,
                  kToolbarButtonCells, cell, skinButton->Margins);
    toolBar.KeepNativeButtonFaceOut();
}

} // namespace skin

namespace skin {

void TWinSkinForm::TakeOverToolbarDrawing(ui::ToolBar& toolBar) {
    ToolbarTakeover taken{&toolBar};
    if (!toolBar.OnCustomDrawButton) {
        toolBar.OnCustomDrawButton = [this](ui::ToolBar& bar, ui::ToolButton& button, ui::CustomDrawState state,
                                            bool& defaultDraw) { ToolbarCustomDrawButton(bar, button, state, defaultDraw); };
        taken.button = true;
    }
    if (!toolBar.OnCustomDraw) {
        toolBar.OnCustomDraw = [this](ui::ToolBar& bar, const RECT& rect, bool& defaultDraw) {
            ToolbarCustomDraw(bar, rect, defaultDraw);
        };
        taken.bar = true;
    }
    if (taken.button || taken.bar) {
        FToolbars.push_back(std::move(taken));
    }
}

void TWinSkinForm::GiveBackToolbarDrawing() {
    // Only the events set here: a handler of the program's own stays.
    for (ToolbarTakeover& taken : std::exchange(FToolbars, {})) {
        if (ui::ToolBar* bar = taken.toolBar.get()) {
            if (taken.button) {
                bar->OnCustomDrawButton = nullptr;
            }
            if (taken.bar) {
                bar->OnCustomDraw = nullptr;
            }
        }
    }
}

} // namespace skin
