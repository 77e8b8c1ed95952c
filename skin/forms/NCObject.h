#pragma once
// Things in a skinned window's non-client area that react to the mouse: the
// caption buttons, and (later) the items of a skinned menu bar.

#include <windows.h>

#include <cstdint>

namespace skin {

class TWinSkinForm;
class TDataSkinSysButton;

// The button that shows the window icon and opens the system menu.
constexpr bool IsWindowIconAction(int32_t action) { return action == 3 || action == 11; }

// A skin's button offset clamped to what a window coordinate can be, so that
// layout and title sums cannot overflow for a damaged skin.
constexpr int32_t ClampSkinCoordinate(int32_t value) {
    return value < -0x7FFF ? -0x7FFF : (value > 0x7FFF ? 0x7FFF : value);
}

enum class MouseState : int32_t { None = 0, Normal = 1, Pressed = 2, Hot = 3 };

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm& owner) : FOwner(owner) {}
    // Stops being the painter's hot object, so freeing the buttons (a new
    // skin) leaves no dangling reference for the next mouse message.
    virtual ~TNCObject();
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Paint() {}

    // A caption button (not a menu-bar item).
    virtual bool IsCaptionButton() const { return false; }

protected:
    // Takes over from the previous hot object and shows the given state.
    void BecomeHot(MouseState mouseState);

public:

    TWinSkinForm& FOwner;
    RECT FBounds{};  // frame coordinates: relative to the window's top-left corner
    uint8_t FVisible = 0;
    MouseState FMouseState = MouseState::None;  // 0 until the first mouse event
    uint8_t FEnabled = 1;
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm& owner, TDataSkinSysButton& data) : TNCObject(owner), FData(data) {}

    void Paint() override;
    bool IsCaptionButton() const override { return true; }

    TDataSkinSysButton& FData;
};

} // namespace skin
