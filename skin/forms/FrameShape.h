#pragma once
// The shape of a skinned window: the frame pieces' transparent pixels cut out
// of the window's rectangle. Built once per size and handed to the window.

#include <windows.h>

#include <cstdint>

namespace skin {

class TWinSkinForm;

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
