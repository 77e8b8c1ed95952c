#pragma once
// Combo boxes: the skin's frame and drop-down button over the native combo,
// which keeps its text, list and keyboard. The edit child is hooked so the
// frame comes back after the edit paints; the drop-down list and a simple
// combo's list get the scroll-bar painters when the engine has them. An
// extended combo box is drawn on the combo box inside it, which it hooks as
// its first child.

#include "skin/controls/SkinControl.h"

#include <windows.h>

namespace skin {

class TSkinComBox : public TSkinControl {
public:
    // Publishes "Extended", the mapping's variant for extended combo boxes.
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinComBox(ui::Component* owner) : TSkinControl(owner) {}
    ~TSkinComBox() override;

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    void Detach() override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    // The drop-down button where the mouse makes the combo hot, in the
    // combo's client coordinates.
    const RECT& ButtonRect() const { return FButtonRect; }
    bool DroppedDown() const { return FDroppedDown != 0; }
    bool Hot() const { return (FMouseState & 1) != 0; }
    HWND EditWindow() const { return FEditWindow; }
    HWND ListWindow() const { return FListWindow; }
    TSkinControl* DropListPainter() const { return FDropListPainter.get(); }
    TSkinControl* ListScrollPainter() const { return FListScrollPainter.get(); }

    uint8_t FExtended = 0;

private:
    bool DropDownStyle() const { return (FStyle & 1) == 0 || (FStyle & 2) != 0; }
    // The combo box inside an extended combo box (its first child), or none.
    HWND InnerCombo() const;
    // The window whose combo information counts: the inner combo box of an
    // extended one, else the combo box itself.
    HWND InfoWindow() const;
    void HookEdit();
    LRESULT EditHook(UINT msg, WPARAM wParam, LPARAM lParam);
    // Pressed on at a left button down or double click, off at its release.
    void TrackPress(UINT msg);
    // Hot on over the button, off elsewhere; the point in the combo's client
    // coordinates.
    void TrackHot(POINT point);
    void ClearHot();
    // After a mouse-leave: hot as the cursor's place decides.
    void HotFromCursor();
    void FreeListPainters();

    int FrameIndex() const;
    // The variants, drawn on `surface`: the combo box, or the inner one.
    void DrawCombo(HDC dc, const RECT& rect, HWND surface);
    void DrawFlat(HDC dc, const RECT& rect);
    void DrawExtended(HDC dc, const RECT& rect, int frame, HWND surface);
    void DrawNormal(HDC dc, const RECT& rect, int frame);

    DWORD FStyle = 0;
    DWORD FExStyle = 0;
    HWND FListWindow = nullptr;  // the list of a simple combo box
    HWND FEditWindow = nullptr;  // the first child, hooked
    ui::WindowSubclass FEditHook;
    int32_t FDroppedDown = 0;
    ui::OwnedComponent<TSkinControl> FListScrollPainter;
    ui::OwnedComponent<TSkinControl> FDropListPainter;
    COMBOBOXINFO FComboInfo{};
    RECT FButtonRect{};
};

} // namespace skin
