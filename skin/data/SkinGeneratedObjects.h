#pragma once
// The data objects a skin does not carry but the painters want: the combo
// box pieces made from the sunken edge and the combo button, the tool bar
// gradient, and the built-in track pictures.

#include "skin/data/SkinObjects.h"

namespace skin {

// Mirrors each of count equal cells of a strip left to right, keeping the
// cells in their order; the result is 24 bits per pixel.
void MirrorCells(ui::Bitmap& strip, int count);

// The combo box's field and button as one strip per state, when the skin has
// both SunkEdge and ComboButton (SkinObjectSet::EnsureComboLooks runs it): ComboButton gets the strip with the button
// on the right, SunkEdge the same mirrored (for left-scroll-bar combos).
void BuildSunkenCombo(SkinObjectSet& set);
// ComboxArrow: the combo button's arrow cells, for painters that draw the
// arrow alone.
void BuildComboArrow(SkinObjectSet& set);
// Toolbar: a 10 x 40 vertical gradient from a light face colour to a tone of
// the caption colour.
void BuildToolbarBackground(SkinObjectSet& set);

} // namespace skin
