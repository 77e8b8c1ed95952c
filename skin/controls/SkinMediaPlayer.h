#pragma once
// A media player control under a skinned panel of its buttons: the panel
// (TWMediaPlayer) lies over the control, draws each button from the skin's
// Buttons picture with the player's own glyph, and hands the clicks on.

#include "skin/controls/SkinControl.h"
#include "ui/WinControl.h"

namespace ui {
class MediaPlayer;
}

namespace skin {

class TSkinMP;

class TWMediaPlayer : public ui::WinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    TWMediaPlayer(ui::Component* owner, TSkinMP& painter, ui::MediaPlayer& player);

    // Same parent and bounds as the player, shown while it is and while the
    // painter is switched on.
    void Align();
    // The button pressed in the panel now, -1 for none.
    int PressedButton() const { return FPressed ? FCurrent : -1; }

protected:
    void WndProc(ui::Message& message) override;

private:
    void Paint(HDC dc);

    TSkinMP& painter_;
    ui::Ref<ui::MediaPlayer> player_;
    bool FPressed = false;
    int FCurrent = -1;
};

class TSkinMP : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;
    ~TSkinMP() override;

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AfterMessage(ui::Message& message) override;
    void Detach() override;
    void SkinChanged() override;
    void ActiveChanged() override;

    TWMediaPlayer* Panel() const { return FPanel.get(); }

private:
    friend class TWMediaPlayer;
    ui::Ref<TWMediaPlayer> FPanel;
};

} // namespace skin
