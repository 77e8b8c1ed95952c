#pragma once
// The picture of a skinned scroll bar: track, two arrows, thumb and grip from
// the skin's scroll-bar elements, composed in a buffer of the bar's size.
// Drawn the same way over a native bar and into a drop-down list's frame.

#include "skin/controls/ScrollBarGeometry.h"
#include "ui/Bitmap.h"
#include "ui/Color.h"

namespace skin {

struct SkinObjectSet;

struct ScrollBarLook {
    int width = 0;   // the bar's size
    int height = 0;
    bool vertical = true;
    bool enabled = true;
    int hoverPart = kPartNone;  // a ScrollPart
    bool pressing = false;
    ThumbSpan thumb;  // along the bar, from its start
    int arrowSize = 0;
    ui::Color background = 0;
    // Only the skin's thickness across the bar (a scroll-bar control, whose
    // buffer is stretched over the control afterwards).
    bool thicknessOnly = false;
};

// The composed bar, or an empty bitmap when the skin has no arrow strip or
// the size is unusable.
ui::Bitmap ComposeScrollBar(const SkinObjectSet& skin, const ScrollBarLook& look);

} // namespace skin
