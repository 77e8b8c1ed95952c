#pragma once
// The shape of a skinned window: the frame pieces' transparent pixels cut out
// of the window's rectangle. Built once per size and handed to the window.

#include "ui/Gdi.h"

#include <windows.h>

#include <cstdint>

namespace skin {

class TSkinData;
class TWinSkinForm;

// A window's size and the frame around it, as the shape is built for.
struct FrameOutline {
    int32_t width = 0;
    int32_t height = 0;
    int32_t borderLeft = 0;
    int32_t borderRight = 0;
    int32_t captionHeight = 0;
    int32_t borderBottom = 0;
    bool captionless = false;
    bool active = true;  // which look of the pieces is shown
};

// The window's rectangle less the key-colour pixels of the frame pieces
// drawn around it: the pieces with Trans 1 shape it, the others and a
// captionless window keep their plain rectangles. Only the pieces' key
// pixels are looked for, not the whole frame. Null when GDI fails.
ui::UniqueRegion BuildFrameShape(const TSkinData& data, const FrameOutline& outline);

class FrameShape {
public:
    explicit FrameShape(TWinSkinForm& form) : form_(form) {}
    FrameShape(const FrameShape&) = delete;
    FrameShape& operator=(const FrameShape&) = delete;

    // Shapes the window for its current size (nothing when built for it).
    void Update();
    // Takes the shape off the window and forgets it.
    void Drop();
    // Forgets the shape the window was given back without one.
    void Forget();

    // The outline `form` has at width x height, in its current look.
    static FrameOutline OutlineOf(const TWinSkinForm& form, int32_t width, int32_t height);

    HRGN Region() const { return region_; }
    bool Set() const { return set_ != 0; }

private:
    TWinSkinForm& form_;
    uint8_t set_ = 0;
    HRGN region_ = nullptr;  // belongs to the window once set
    int32_t width_ = 0;      // the size region_ was built for
    int32_t height_ = 0;
};

} // namespace skin
