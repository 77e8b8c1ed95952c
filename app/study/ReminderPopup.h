#pragma once
// The reminder popup: a small always-on-top tool window at the bottom right
// of the screen that flashes for five seconds and closes itself after about
// fifty, unless a click on its surface stops it.

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Timer.h"

namespace app {

class Tfms : public ui::Form {
public:
    explicit Tfms(ui::Component* owner);

    ui::StaticText& StaticText1 = Create<ui::StaticText>();
    ui::Button& Button1 = Create<ui::Button>();
    ui::Button& Button2 = Create<ui::Button>();
    // Its tag counts the ticks since creation.
    ui::Timer& Timer1 = Create<ui::Timer>();

    // Every 500 ms: flashes the caption for ticks 1 to 10, closes at 101.
    void Timer1Timer(ui::Timer& sender);
    // A click on the popup's own surface stops the timer.
    void FormClick(ui::Control& sender);
    // "详细": closes and brings the study window up.
    void Button1Click(ui::Control& sender);
    // "关闭" (and the self-close).
    void Button2Click(ui::Control& sender);

    // Closes the popup from anywhere, its own events included: the reference
    // is cleared and the window hidden at once, the object freed once the
    // running message has been handled.
    void Dismiss();

    // Puts the popup's outer right and bottom edges at these screen
    // coordinates and keeps them there when its outer size changes later:
    // the skin fits its frame to a new window only once the window's set-up
    // message arrives, after it was placed, and would otherwise push its
    // bottom edge down onto the task bar.
    void PinBottomRight(int right, int bottom);

protected:
    void CreateParams(ui::WindowCreateParams& params) override;
    void WndProc(ui::Message& message) override;

private:
    void BuildControls();
    void FormCreate(ui::Form& sender);
    void FormClose(ui::Form& sender, ui::CloseAction& action);
    void FollowPin();

    bool pinned_ = false;
    POINT pin_{};
    SIZE pinnedSize_{};
};

} // namespace app
