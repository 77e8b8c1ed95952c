#pragma once
// The life stage of a painter, form or control.

#include <cstdint>

namespace skin {

enum class PainterState : int32_t {
    Created = 0,     // not set up: a form painter refuses non-client paints
    Running = 1,     // attached and painting
    Detached = 2,    // a colour-only painter gave the control its colours back
    Reskinning = 3,  // a form painter re-applies the skin: region cache bypassed, client size re-read
    Destroying = 4,  // WM_NCDESTROY seen: colours, controls and size are left alone
    Fitting = 5,     // a form painter fits its window during set-up
    Gone = 6,        // the window is gone; whoever holds the painter frees it
};

} // namespace skin
