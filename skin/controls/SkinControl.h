#pragma once
// The base of every control painter: attaches to a toolkit control (through
// its replaceable message handler) or to a bare window (through a layer of
// its window procedure), sees each message before and after the control
// does, repaints, and lets go in reverse order of what it replaced.

#include "skin/controls/PainterState.h"
#include "ui/Bitmap.h"
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
#include <string_view>

namespace ui {
class Control;
class WinControl;
} // namespace ui

namespace skin {

class ControlPainterHost;
class TDataSkinObject;
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
    // Draws the whole window with DrawTo into dc, or into the window's own
    // DC when dc is none. Never throws.
    virtual void PaintWindow(HDC dc);
    virtual void DrawTo(HDC dc, const RECT& rect);
    virtual void SkinChanged();
    virtual int IsReady() { return 1; }
    // SKM_ENABLE switched the painter on or off (Active() tells which): a
    // painter with windows of its own shows or hides them.
    virtual void ActiveChanged() {}

    // Invalidates the paint target, or the whole window with erase and updates it.
    void Repaint();
    // The same without the update: a skin change paints every control once,
    // after they all have the new skin, not each as it is told.
    void RepaintLater();

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

    // The text with only the first occurrence of pattern replaced.
    static std::wstring ReplaceFirst(std::wstring_view text, std::wstring_view pattern,
                                     std::wstring_view replacement);
    // The greyed look of a glyph: its shape embossed in highlight and shadow
    // on the button face. The colour of its bottom-left pixel is transparent.
    static ui::Bitmap DisabledGlyph(const ui::Bitmap& glyph);

protected:
    // Attach's work; without takeMessages the control's handler stays as it
    // is (a painter that only gives the control the form's colour).
    void AttachControl(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas,
                       bool takeMessages);
    // Hands the message to the saved handler or the saved procedure.
    void PassOn(ui::Message& message);
    // A left press the control handles first (it may capture the mouse or
    // step a value): passed on, then the pressed look painted at once.
    void PassOnThenPress(ui::Message& message);
    // The colour controls take while skinned: the skin's ButtonFace.
    ui::Color FormColour() const;

    // The drawing every control painter shares.
    // WM_PAINT of a painter that draws the whole window: the DC of wParam or
    // of BeginPaint.
    void PaintHandler(ui::Message& message);
    // Reads the window rectangle into FWindowRect and runs DrawTo on it.
    void DrawWholeWindow(HDC dc);
    // WM_ERASEBKGND: the parent's picture under a toolkit control, the form
    // colour under a bare window.
    void EraseHandler(ui::Message& message);
    // BeforeMessage of a painter that draws the whole window over its own
    // buffer: WM_PAINT painted, WM_ERASEBKGND skipped, others by the base rule.
    bool PaintAllBeforeMessage(ui::Message& message);
    // The window's font, or the GUI font when it has none.
    HGDIOBJ WindowFont() const;
    void FillFormColour(HDC dc, const RECT& rect) const;
    // The parent's colour when there is a toolkit parent, else the form colour.
    void FillControlColour(HDC dc, const RECT& rect) const;
    // State frame `index` (1-based) of `count` of the element's strip, drawn
    // over rect with the element's margins, tiling and key colour.
    void DrawSkinElement(HDC dc, const RECT& rect, int count, int index, const TDataSkinObject& element) const;
    // Frame `index` of `count` of a strip stretched over rect, magenta keyed out.
    void DrawStripFrame(HDC dc, const RECT& rect, int count, int index, const ui::Bitmap& strip) const;
    // flags plus DT_RTLREADING for right-to-left reading windows.
    UINT TextFlags(UINT flags) const;
    // A focus rectangle around FText as drawn with flags in rect.
    void DrawFocusAround(HDC dc, UINT flags, const RECT& rect) const;
    // DrawTextW: every system this runs on takes UTF-16 text.
    static int DrawControlText(HDC dc, std::wstring_view text, RECT& rect, UINT flags);
    static std::wstring WindowText(HWND window);
    // The control's published property reads `value` (ASCII case ignored).
    static bool PublishedIs(const ui::Control* control, std::string_view property, std::string_view value);
    // The parent's picture under the control painted into dc (whose origin
    // is the control's top-left corner).
    void PaintParentTo(HDC dc) const;
    // The control's Tag is 5555 or the skin asks for transparent controls:
    // the parent's picture shows around the skin frame.
    bool WantsParentBackground() const;
    // The window's style bits, 0 without a window.
    DWORD WindowStyle() const;

    // A check box's or radio button's look: frame `index` of `count` of the
    // strip beside the caption (on its right with BS_LEFTTEXT, `rightGap`
    // pixels from the edge). In mode 0 only the mark is drawn, over the
    // system's own picture.
    struct MarkLook {
        const ui::Bitmap& strip;
        int count;
        int index;
        int rightGap;
        bool parentBackground;
    };
    void DrawMarkControl(HDC dc, const RECT& rect, const MarkLook& look);
    // BeforeMessage of a check box or radio button: the base rule, then the
    // whole paint in mode 1 and the erase over the parent's picture.
    bool MarkControlBeforeMessage(ui::Message& message, bool parentBackground);

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

    // The last frame DrawSkinElement built: repaints in the same state and
    // size draw it again. Cleared when the skin changes.
    struct ElementFrame {
        const TDataSkinObject* element = nullptr;
        HBITMAP strip = nullptr;  // a reloaded skin has new strips
        int count = 0;
        int index = 0;
        int width = 0;
        int height = 0;
        ui::Bitmap bitmap;
    };
    mutable ElementFrame lastElementFrame_;

    // Empty once the control is being destroyed.
    ui::Ref<ui::Control> controlAlive_;
    bool savedParentColor_ = false;
    bool detached_ = false;
};

} // namespace skin
