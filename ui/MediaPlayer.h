#pragma once
// A media player: a bar of nine buttons (play, pause, stop, next, previous,
// step, back, record, eject) that drive the system's media control
// interface for one file.

#include "ui/WinControl.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace ui {

enum class MPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
constexpr int kMPButtonCount = 9;

// A set of buttons, one bit per MPBtnType.
using MPButtonSet = uint16_t;
constexpr MPButtonSet MPButton(MPBtnType button) { return MPButtonSet(1u << unsigned(button)); }
constexpr MPButtonSet kAllMPButtons = MPButtonSet((1u << kMPButtonCount) - 1);

// "[btPlay,btStop]"; reading throws PropertyError on an unknown name.
std::string MPButtonSetToText(MPButtonSet set);
MPButtonSet MPButtonSetFromText(std::string_view text);

enum class MPGlyphState { Plain, Colored, Disabled };

class MediaPlayer : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit MediaPlayer(Component* owner);
    ~MediaPlayer() override;

    MPButtonSet VisibleButtons() const { return visible_; }
    void SetVisibleButtons(MPButtonSet set);
    MPButtonSet EnabledButtons() const { return enabled_; }
    void SetEnabledButtons(MPButtonSet set);
    MPButtonSet ColoredButtons() const { return colored_; }
    void SetColoredButtons(MPButtonSet set);

    const std::wstring& FileName() const { return fileName_; }
    void SetFileName(const std::wstring& name) { fileName_ = name; }

    // The commands; each answers false and leaves LastError() (Chinese) when
    // the system refuses it (no device, no file, nothing open).
    bool Open();
    bool Close();
    bool Play();
    bool Pause();
    bool Stop();
    bool Next();
    bool Previous();
    bool Step();
    bool Back();
    bool StartRecording();
    bool Eject();
    bool IsOpen() const { return !alias_.empty(); }
    const std::wstring& LastError() const { return lastError_; }

    // The visible button at a client point, -1 for none; a button's slot
    // (the visible buttons share the width equally, in MPBtnType order).
    int ButtonAt(POINT point) const;
    RECT ButtonRect(MPBtnType button) const;
    // The button's glyph centred in rect.
    static void DrawGlyph(HDC dc, MPBtnType button, const RECT& rect, MPGlyphState state);
    MPGlyphState GlyphStateOf(MPBtnType button) const;

    // Before a button's command: clear doDefault to keep the command from
    // running.
    std::function<void(MediaPlayer& sender, MPBtnType button, bool& doDefault)> OnClick;
    // A button's command failed; without a handler a message box shows it.
    std::function<void(MediaPlayer& sender, const std::wstring& message)> OnError;

protected:
    void WndProc(Message& message) override;

private:
    void ClickButton(MPBtnType button);
    bool Command(const std::wstring& verb, const std::wstring& arguments = {});
    void Paint(HDC dc);

    MPButtonSet visible_ = kAllMPButtons;
    MPButtonSet enabled_ = kAllMPButtons;
    MPButtonSet colored_ = kAllMPButtons;
    std::wstring fileName_;
    std::wstring alias_;
    std::wstring lastError_;
    int pressed_ = -1;
};

} // namespace ui
