#pragma once
// The base of every control painter: attaches to a toolkit control (through
// its replaceable message handler) or to a bare window (through a layer of
// its window procedure), sees each message before and after the control
// does, repaints, and lets go in reverse order of what it replaced.

#include "skin/controls/PainterState.h"
#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Component.h"
#include "ui/HandlerHook.h"
#include "ui/Messages.h"
#include "ui/WindowSubclass.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace ui {
class Control;
class WinControl;
} // namespace ui

namespace skin {

class ControlPainterHost;
class TSkinData;

class TSkinControl : public ui::Component {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    // owner: the control painted, or none for a bare window.
    explicit TSkinControl(ui::Component* owner);
    ~TSkinControl() override;

    // form: the form painter of the control's window, which frees the
    // painter when it lets go of the window (none for a painter on its own).
    virtual void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas);
    virtual void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas);
    virtual void Detach();
    // Answers whether the message is passed on to the control.
    virtual bool BeforeMessage(ui::Message& message);
    virtual void AfterMessage(ui::Message& message);
    virtual void PaintWindow(HDC dc);
    virtual void DrawTo(HDC dc, const RECT& rect);
    virtual void SkinChanged();
    virtual int IsReady() { return 1; }

    // Invalidates the paint target, or the whole window with erase and updates it.
    void Repaint();

    HWND Handle() const { return FHandle; }
    ui::Control* Control() const { return FControl; }
    TSkinData* SkinData() const { return FSkinData; }
    ui::Control* PaintTarget() const { return FPaintTarget; }
    void SetPaintTarget(ui::Control* target) { FPaintTarget = target; }
    const std::wstring& Text() const { return FText; }
    ControlPainterHost* Form() const { return FForm; }
    PainterState State() const { return FState; }
    bool Active() const { return FActive != 0; }
    bool Attached() const { return FAttached != 0; }
    // The attach flag: the control takes the form colour while painted.
    bool OwnBackground() const { return FOwnBackground != 0; }

    int32_t FMode = 0;  // painter-specific variant, set by the mapping before attach

    // Every message of the control or window goes through here.
    void Dispatch(ui::Message& message);

protected:
    // Attach's work; without takeMessages the control's handler stays as it
    // is (a painter that only gives the control the form's colour).
    void AttachControl(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas,
                       bool takeMessages);
    // Hands the message to the saved handler or the saved procedure.
    void PassOn(ui::Message& message);
    // The colour controls take while skinned: the skin's ButtonFace.
    ui::Color FormColour() const;

    uint8_t FMouseState = 0;
    ui::Canvas* FSkinCanvas = nullptr;
    uint8_t FHandled = 0;
    uint8_t FEnabled = 0;
    uint8_t FFocused = 0;
    std::wstring FText;
    ui::WindowSubclass FWndProcLayer;  // on a bare window
    uint8_t FActive = 1;
    uint8_t FUnicode = 0;
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    ui::HandlerHook FHandlerHook;  // on a toolkit control
    ui::Control* FControl = nullptr;
    RECT FWindowRect{};
    ui::Control* FPaintTarget = nullptr;
    uint8_t FOwnBackground = 0;
    ui::Color FSavedColor = 0;
    uint8_t FAttached = 0;
    PainterState FState = PainterState::Created;
    ControlPainterHost* FForm = nullptr;
    uint8_t FParentBackgroundWasOn = 0;

private:
    LRESULT BareWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Empty once the control is being destroyed.
    ui::Ref<ui::Control> controlAlive_;
    bool savedParentColor_ = false;
    bool detached_ = false;
};

} // namespace skin
