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
    // Taken out first: a painter's destructor unregisters itself.
    std::vector<std::unique_ptr<TSkinControl>> painters = std::exchange(painters_, {});
    for (auto& painter : painters) {
        if (detach && painter->State() != PainterState::Gone) {
            painter->Detach();
        }
        painter.reset();
    }
}

void ControlPainterRegistry::DropDead() {
    std::vector<std::unique_ptr<TSkinControl>> dead;
    std::erase_if(painters_, [&dead](std::unique_ptr<TSkinControl>& painter) {
        if (painter->State() != PainterState::Gone) {
            return false;
        }
        dead.push_back(std::move(painter));
        return true;
    });
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
