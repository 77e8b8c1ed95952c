#pragma once
// Copying bitmaps with a key colour left out: the common step of every
// transparent drawing routine. Onto a DC drawing on a DIB section the copy is
// done in the pixel rows; elsewhere with GDI and a monochrome mask.

#include "ui/Bitmap.h"
#include "ui/Color.h"

#include <windows.h>

namespace skin {

// The DC to read a source bitmap through: its own canvas DC, made on first
// use (a bitmap can be selected into one DC only). Making it does not change
// the picture, so const bitmaps are read this way too.
HDC SourceDc(const ui::Bitmap& bitmap);

// Copies the part `area` of `bitmap` (which must lie inside it) to the
// logical point (x, y) of `dc`, leaving destination pixels under pixels of
// colour `key` untouched.
void CopyKeyed(HDC dc, int x, int y, const ui::Bitmap& bitmap, const RECT& area, ui::Color key);

} // namespace skin
