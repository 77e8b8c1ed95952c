#pragma once
// Swapping a control's replaceable WindowProc, the way the window-procedure
// layers work: a hook puts its handler in front of whatever WindowProc holds,
// passes messages on with CallNext, and can be removed in any order. A hook
// removed while another sits above it stops handling at once and drops out
// of the chain as soon as the hooks above it are gone, so every other hook
// still sees each message exactly once.
//
// Messages sent with Perform pass no window procedure, only WindowProc: a
// painter that must see them hooks here as well as on the window.

#include "ui/Component.h"
#include "ui/Messages.h"

#include <memory>

namespace ui {

class Control;

class HandlerHook {
public:
    HandlerHook() = default;
    ~HandlerHook() { Remove(); }
    HandlerHook(const HandlerHook&) = delete;
    HandlerHook& operator=(const HandlerHook&) = delete;

    // Puts handler in front of the control's WindowProc. Answers false when
    // this hook is installed already.
    bool Install(Control& control, MessageHandler handler);
    // Takes the hook out; safe when not installed, from inside the hook's own
    // message and after the control is gone.
    void Remove();
    bool Installed() const;

    // Hands the message to what WindowProc held below this hook (the
    // control's own handling when that was empty); also right after the
    // hook removed itself inside its own message.
    void CallNext(Message& message) const;

private:
    struct Link;
    struct Forwarder;
    std::shared_ptr<Link> link_;
};

} // namespace ui
