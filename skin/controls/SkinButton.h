#pragma once
// Push buttons drawn from the skin's button strip. The painter takes the left
// button's press from the system button, so the click is the painter's, fired
// once per press and release inside; the keyboard stays the system's.

#include "skin/controls/SkinControl.h"
#include "ui/Bitmap.h"

namespace skin {

class TDataSkinButton;

class TSkinButton : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinButton(ui::Component* owner);
    ~TSkinButton() override;

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    bool ParentBackground() const { return FParentBackground != 0; }

protected:
    // The skin's button element, or none when it has no strip to draw.
    const TDataSkinButton* ButtonElement() const;
    // FFocused and FEnabled from the window; answers whether it is the default button.
    bool ReadFocusEnabledDefault();
    // The strip frame: pressed 2, hot 4, focused or default 5, else 1;
    // disabled always 3.
    int PushFrame(bool isDefault) const;
    // FText (and FMultiLine) from the control's caption or the window text.
    void ReadText();
    // Sizes the buffer to rect and paints its background; answers its DC.
    HDC BeginBuffer(const RECT& rect);
    // Copies the buffer to rect on dc.
    void EndBuffer(HDC dc, const RECT& rect);
    // The caption's font and colour for skin frame `frame`. With
    // normalOnFirstFrameOnly the skin's normal colour applies to frame 1 only.
    void SelectTextLook(HDC dc, int frame, bool normalOnFirstFrameOnly);
    // Runs the click the system button would have reported.
    void FireClick();

    ui::Bitmap FBuffer;
    uint8_t FMultiLine = 0;
    uint8_t FParentBackground = 0;

private:
    void MouseDown(const ui::Message& message);
    HGDIOBJ fontBeforeWindowFont_ = nullptr;  // put back into the buffer by EndBuffer
};

} // namespace skin
