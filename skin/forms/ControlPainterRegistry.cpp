#include "skin/forms/ControlPainterRegistry.h"

#include "skin/controls/SkinControl.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace skin {

ControlPainterRegistry::~ControlPainterRegistry() { FreeAll(false); }

bool ControlPainterRegistry::Register(TSkinControl* painter) {
    if (std::ranges::any_of(painters_, [painter](const auto& held) { return held.get() == painter; })) {
        return true;
    }
    painters_.emplace_back(painter);
    return false;
}

void ControlPainterRegistry::Unregister(TSkinControl* painter) {
    for (auto it = painters_.rbegin(); it != painters_.rend(); ++it) {
        if (it->get() == painter) {
            // The painter is going by other hands (its control's destructor).
            (void)it->release();
            painters_.erase(std::next(it).base());
            return;
        }
    }
}

std::vector<TSkinControl*> ControlPainterRegistry::Painters() const {
    std::vector<TSkinControl*> painters;
    painters.reserve(painters_.size());
    for (const auto& painter : painters_) {
        painters.push_back(painter.get());
    }
    return painters;
}

bool ControlPainterRegistry::HoldsControl(const ui::Control& control) const {
    return std::ranges::any_of(painters_, [&control](const auto& held) { return held->Control() == &control; });
}

bool ControlPainterRegistry::HoldsWindow(HWND window) const {
    return std::ranges::any_of(painters_, [window](const auto& held) { return held->Handle() == window; });
}

void ControlPainterRegistry::FreeAll(bool detach) {
    // One at a time from the front, each out of the list before it goes: a
    // painter may free painters of its own (a combo box its list's) while it
    // detaches or goes, and those leave the list by themselves.
    while (!painters_.empty()) {
        std::unique_ptr<TSkinControl> painter = std::move(painters_.front());
        painters_.erase(painters_.begin());
        if (detach && painter->State() != PainterState::Gone) {
            painter->Detach();
        }
        painter.reset();
    }
}

void ControlPainterRegistry::DropDead() {
    // As in FreeAll: freeing one may free others, so the search starts over.
    for (;;) {
        const auto dead = std::ranges::find_if(
            painters_, [](const std::unique_ptr<TSkinControl>& painter) { return painter->State() == PainterState::Gone; });
        if (dead == painters_.end()) {
            return;
        }
        const std::unique_ptr<TSkinControl> painter = std::move(*dead);
        painters_.erase(dead);
    }
}

bool ControlPainterRegistry::Free(HWND window) {
    for (auto it = painters_.rbegin(); it != painters_.rend(); ++it) {
        if ((*it)->Handle() == window) {
            // Out of the list before it goes: its destructor unregisters.
            const std::unique_ptr<TSkinControl> painter = std::move(*it);
            painters_.erase(std::next(it).base());
            return true;
        }
    }
    return false;
}

} // namespace skin
