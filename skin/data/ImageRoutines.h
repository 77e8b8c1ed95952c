#pragma once
// The bitmap and colour routines every skin painter shares: cutting state
// frames out of strips and drawing them with fixed margins, drawing with the
// magenta key colour, pixel transforms, colour mixing and gradients, window
// regions from bitmaps, and the few text and system helpers painters need.
//
// Values read from skin files are untrusted: every routine takes any count,
// index, margin or rectangle without crashing or hanging; a cell out of range
// or an empty rectangle draws nothing (or gives an empty bitmap or region).
// Only a picture too large to allocate throws (std::bad_alloc, ui::Bitmap).
//
// Text in the system code page converts with skin::AnsiToWide (CodePage.h).

#include "skin/data/CodePage.h"
#include "skin/data/ColourRoutines.h"
#include "skin/data/PixelRoutines.h"
#include "skin/data/RegionFromBitmap.h"
#include "skin/data/StripDrawing.h"
#include "skin/data/SystemRoutines.h"
