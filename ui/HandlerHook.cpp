#include "ui/HandlerHook.h"

#include "ui/Control.h"

#include <utility>

namespace ui {

struct HandlerHook::Link {
    MessageHandler handler;  // kept until the link goes: it may be running
    bool active = true;      // false once the hook is removed
    MessageHandler next;
    Ref<Control> control;

    void Next(Message& message) const {
        if (next) {
            next(message);
        } else if (Control* owner = control.get()) {
            owner->DefaultWindowProc(message);
        }
    }
};

// What WindowProc holds while a hook is in place.
struct HandlerHook::Forwarder {
    std::shared_ptr<Link> link;

    void operator()(Message& message) const {
        // Held by value: the handler may remove the hook while it runs.
        const std::shared_ptr<Link> held = link;
        if (held->active) {
            held->handler(message);
        } else {
            held->Next(message);
        }
    }
};

bool HandlerHook::Installed() const { return link_ != nullptr && link_->active; }

bool HandlerHook::Install(Control& control, MessageHandler handler) {
    if (Installed() || !handler) {
        return false;
    }
    link_ = std::make_shared<Link>(Link{std::move(handler), true, control.WindowProc, Ref<Control>(&control)});
    control.WindowProc = Forwarder{link_};
    return true;
}

void HandlerHook::Remove() {
    if (!Installed()) {
        return;
    }
    link_->active = false;
    // A control in its destructor has no chain left to mend.
    Control* control = link_->control.get();
    if (control == nullptr || control->Destroying()) {
        return;
    }
    // Removed hooks on top of the chain drop out now; one under a live hook
    // forwards until that hook goes.
    while (const Forwarder* top = control->WindowProc.target<Forwarder>()) {
        if (top->link->active) {
            return;
        }
        control->WindowProc = MessageHandler(top->link->next);
    }
}

void HandlerHook::CallNext(Message& message) const {
    if (link_ != nullptr) {
        link_->Next(message);
    }
}

} // namespace ui
