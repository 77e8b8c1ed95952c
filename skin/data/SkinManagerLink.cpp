#include "skin/data/SkinManagerLink.h"

#include <utility>

namespace skin {
namespace {

struct ManagerSlot {
    SkinManagerFactory factory;
    std::unique_ptr<SkinManagerLink> manager;
};

ManagerSlot& Slot() {
    static ManagerSlot slot;
    return slot;
}

} // namespace

SkinManagerLink* SkinManager() noexcept { return Slot().manager.get(); }

SkinManagerLink* EnsureSkinManager() {
    ManagerSlot& slot = Slot();
    if (!slot.manager && slot.factory) {
        slot.manager = slot.factory();
    }
    return slot.manager.get();
}

void SetSkinManagerFactory(SkinManagerFactory factory) { Slot().factory = std::move(factory); }

void DestroySkinManager() noexcept { Slot().manager.reset(); }

} // namespace skin
