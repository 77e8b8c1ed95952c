#include "ui/Component.h"

#include "ui/TextConversion.h"

#include <windows.h>

#include <algorithm>
#include <charconv>

namespace ui {
namespace {

const ClassInfo kObject{"TObject", nullptr};
const ClassInfo kPersistent{"TPersistent", &kObject};

} // namespace

bool SameAscii(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

const ClassInfo Component::kClass{"TComponent", &kPersistent};

Component::Component(Component* owner)
    : owner_(owner), lifetime_(std::make_shared<Component*>(this)) {
    if (owner_ != nullptr) {
        owner_->Insert(this);
    }
}

Component::~Component() {
    *lifetime_ = nullptr;
    // Each owned component removes itself from components_ as it goes.
    while (!components_.empty()) {
        delete components_.back();
    }
    if (owner_ != nullptr) {
        owner_->Remove(this);
    }
}

void Component::Insert(Component* component) { components_.push_back(component); }

void Component::Remove(Component* component) {
    if (const auto found = std::ranges::find(components_, component); found != components_.end()) {
        components_.erase(found);
    }
}

Component* Component::FindComponent(std::string_view wanted) const {
    for (Component* component : components_) {
        if (SameAscii(component->name, wanted)) {
            return component;
        }
    }
    return nullptr;
}

bool Component::InheritsFrom(std::string_view className) const {
    for (const ClassInfo* info = &Class(); info != nullptr; info = info->parent) {
        if (SameAscii(info->name, className)) {
            return true;
        }
    }
    return false;
}

const PropertyInfo* Component::FindProperty(std::string_view property) const {
    for (const ClassInfo* info = &Class(); info != nullptr; info = info->parent) {
        for (const PropertyInfo& entry : info->properties) {
            if (SameAscii(entry.name, property)) {
                return &entry;
            }
        }
    }
    return nullptr;
}

bool Component::HasProperty(std::string_view property) const {
    return FindProperty(property) != nullptr;
}

std::optional<std::string> Component::GetPropertyText(std::string_view property) const {
    const PropertyInfo* entry = FindProperty(property);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return entry->get(*this);
}

bool Component::SetPropertyText(std::string_view property, std::string_view value) {
    const PropertyInfo* entry = FindProperty(property);
    if (entry == nullptr) {
        return false;
    }
    entry->set(*this, value);
    return true;
}

Component* Component::GetPropertyComponent(std::string_view property) const {
    const PropertyInfo* entry = FindProperty(property);
    return entry != nullptr && entry->component != nullptr ? entry->component(*this) : nullptr;
}

const Bitmap* Component::GetPropertyPicture(std::string_view property) const {
    const PropertyInfo* entry = FindProperty(property);
    return entry != nullptr && entry->picture != nullptr ? entry->picture(*this) : nullptr;
}

std::string BoolToText(bool value) { return value ? "True" : "False"; }

bool TextToBool(std::string_view text) {
    if (SameAscii(text, "True")) {
        return true;
    }
    if (SameAscii(text, "False")) {
        return false;
    }
    throw PropertyError("not a Boolean: " + std::string(text));
}

std::string IntToText(int64_t value) { return std::to_string(value); }

int64_t TextToInt(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        throw PropertyError("not an integer: " + std::string(text));
    }
    return value;
}

std::string WideToUtf8(std::wstring_view text) { return WideToMultiByte(CP_UTF8, text); }

std::wstring Utf8ToWide(std::string_view text) { return MultiByteToWide(CP_UTF8, text); }

} // namespace ui
