#pragma once
// The control painters a form painter holds for the controls of its window:
// it owns them, and frees them when the window is let go of. A painter whose
// control frees it first (its component owner) unregisters itself.

#include <memory>
#include <vector>

#include <windows.h>

namespace ui {
class Control;
}

namespace skin {

class TSkinControl;

class ControlPainterRegistry {
public:
    ControlPainterRegistry() = default;
    ~ControlPainterRegistry();
    ControlPainterRegistry(const ControlPainterRegistry&) = delete;
    ControlPainterRegistry& operator=(const ControlPainterRegistry&) = delete;

    // Takes the painter over unless held already; answers whether it was.
    bool Register(TSkinControl* painter);
    // Forgets the last entry of the painter without freeing it.
    void Unregister(TSkinControl* painter);
    std::vector<TSkinControl*> Painters() const;
    // Whether a painter held paints the toolkit control, or the window.
    bool HoldsControl(const ui::Control& control) const;
    bool HoldsWindow(HWND window) const;

    // Frees every painter; detaches each first unless detach is false or
    // its window is gone.
    void FreeAll(bool detach);
    // Frees the painters whose window is gone.
    void DropDead();
    // Frees the last painter of the window; answers whether there was one.
    bool Free(HWND window);

private:
    std::vector<std::unique_ptr<TSkinControl>> painters_;
};

} // namespace skin
