#pragma once
// The form painter's layer on the MDI client window of an MDI parent: keeps
// the client's scroll bars off under a skinned frame, follows the maximised
// child for the caption mode and redraws the parent on request.

#include "ui/WindowSubclass.h"

#include <windows.h>

#include <cstdint>

namespace skin {

class TWinSkinForm;

class MdiClientLayer {
public:
    explicit MdiClientLayer(TWinSkinForm& form) : form_(form) {}
    MdiClientLayer(const MdiClientLayer&) = delete;
    MdiClientLayer& operator=(const MdiClientLayer&) = delete;

    // menuUpdate: the skin data's MenuUpdate when the layer went on.
    void Install(HWND client, bool menuUpdate);
    void Remove() { layer_.Remove(); }
    bool Installed() const { return layer_.Installed(); }
    HWND Client() const { return client_; }
    bool SavedMenuUpdate() const { return savedMenuUpdate_ != 0; }

private:
    LRESULT GuardedProcedure(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Procedure(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;

    TWinSkinForm& form_;
    ui::WindowSubclass layer_;
    HWND client_ = nullptr;
    uint8_t savedMenuUpdate_ = 0;
};

} // namespace skin
