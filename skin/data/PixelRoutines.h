#pragma once
// Pixel transforms of whole bitmaps, done on rows (never pixel by pixel
// through GDI). They work on 24- and 32-bit bitmaps alike and keep the
// format, except ReplaceKeyColour, which always leaves 24 bits; an empty
// bitmap is left as it is. The bitmap object keeps its canvas (and DC) and
// its transparency settings: painters may hold on to them.

#include "skin/data/StripDrawing.h"
#include "ui/Bitmap.h"
#include "ui/Color.h"

namespace skin {

// Converts `bitmap` to 24 bits per pixel and replaces every pixel exactly
// equal to the key colour by `colour` (a system colour is resolved now).
void ReplaceKeyColour(ui::Bitmap& bitmap, ui::Color colour);

// Left-right mirror, in place.
void MirrorBitmap(ui::Bitmap& bitmap);

// Top-bottom flip, in place.
void FlipBitmap(ui::Bitmap& bitmap);

// Turns the picture 90 degrees anticlockwise: width and height swap and the
// old pixel (x, y) lands at (y, old width - 1 - x).
void RotateLeft(ui::Bitmap& bitmap);

// Turns the picture 90 degrees clockwise: width and height swap and the old
// pixel (x, y) lands at (old height - 1 - y, x).
void RotateRight(ui::Bitmap& bitmap);

} // namespace skin
