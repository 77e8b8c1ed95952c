#pragma once
// The root of every toolkit object: an owner that frees what it owns, a name, a
// tag, a class identity that code can test by name, and published properties
// reachable by name as text.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Bitmap;
class Component;

// A property that other code may read and write by name, as text. A property
// that holds an object also answers with the object itself.
struct PropertyInfo {
    std::string_view name;
    std::string (*get)(const Component&);
    void (*set)(Component&, std::string_view);  // throws PropertyError on bad text
    // A reference to another component ("Images"): that component, or none.
    Component* (*component)(const Component&) = nullptr;
    // A picture ("PngImage"): the picture, or none while it is empty.
    const Bitmap* (*picture)(const Component&) = nullptr;
};

// One class of the toolkit's class chain. Abstract ancestors ("TCustomEdit",
// "TButtonControl", ...) are ClassInfo records without a C++ class of their own.
struct ClassInfo {
    std::string_view name;
    const ClassInfo* parent;
    std::span<const PropertyInfo> properties = {};
};

class Component {
public:
    static const ClassInfo kClass;

    explicit Component(Component* owner);
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    // Frees the owned components in reverse order of creation, then leaves
    // the owner's list.
    virtual ~Component();

    Component* Owner() const { return owner_; }
    const std::vector<Component*>& Components() const { return components_; }
    int ComponentCount() const { return int(components_.size()); }
    Component* FindComponent(std::string_view name) const;

    // Creates a component owned by this one.
    template <class T, class... Args>
    T& Create(Args&&... args) {
        return *new T(this, std::forward<Args>(args)...);
    }

    std::string name;
    intptr_t tag = 0;

    virtual const ClassInfo& Class() const { return kClass; }
    std::string_view ClassName() const { return Class().name; }
    // Whether the class or one of its ancestors has this name (ASCII case is
    // ignored, as class names are compared).
    bool InheritsFrom(std::string_view className) const;

    // Published properties, looked up along the class chain (ASCII case is
    // ignored). Booleans read "True"/"False".
    bool HasProperty(std::string_view property) const;
    std::optional<std::string> GetPropertyText(std::string_view property) const;
    // False when the class has no such property; throws PropertyError for a
    // value the property does not accept.
    bool SetPropertyText(std::string_view property, std::string_view value);
    // What a published object property holds; none when the class has no
    // such property, it holds nothing, or it is not of that sort.
    Component* GetPropertyComponent(std::string_view property) const;
    const Bitmap* GetPropertyPicture(std::string_view property) const;

    // A shared cell that holds this object's address until it is destroyed;
    // Ref<T> reads it to know whether the object still exists.
    const std::shared_ptr<Component*>& LifetimeCell() const { return lifetime_; }

private:
    const PropertyInfo* FindProperty(std::string_view property) const;
    void Insert(Component* component);
    void Remove(Component* component);

    Component* owner_;
    std::vector<Component*> components_;
    std::shared_ptr<Component*> lifetime_;
};

// A non-owning reference that turns empty when the component is destroyed, so
// a window reference is cleared however its window goes away.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(T* component) : cell_(component != nullptr ? component->LifetimeCell() : nullptr) {}
    T* get() const { return cell_ != nullptr ? static_cast<T*>(*cell_) : nullptr; }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    explicit operator bool() const { return get() != nullptr; }
    void reset() { cell_.reset(); }

private:
    std::shared_ptr<Component*> cell_;
};

// Owns a component that may also be freed by its toolkit owner first (a
// painter owned by the form it paints): frees it unless it is gone already.
template <class T>
class OwnedComponent {
public:
    OwnedComponent() = default;
    explicit OwnedComponent(T* component) : ref_(component) {}
    OwnedComponent(OwnedComponent&& other) noexcept : ref_(std::exchange(other.ref_, Ref<T>())) {}
    OwnedComponent& operator=(OwnedComponent&& other) noexcept {
        if (this != &other) {
            reset();
            ref_ = std::exchange(other.ref_, Ref<T>());
        }
        return *this;
    }
    OwnedComponent(const OwnedComponent&) = delete;
    OwnedComponent& operator=(const OwnedComponent&) = delete;
    ~OwnedComponent() { reset(); }

    T* get() const { return ref_.get(); }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }
    // Gives up ownership without freeing.
    T* release() { return std::exchange(ref_, Ref<T>()).get(); }
    void reset(T* component = nullptr) {
        delete std::exchange(ref_, Ref<T>(component)).get();
    }

private:
    Ref<T> ref_;
};

// A text that a property did not accept.
class PropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Helpers for property tables.
// Equal texts, ASCII case ignored (enumeration names, class names).
bool SameAscii(std::string_view a, std::string_view b);
std::string BoolToText(bool value);
bool TextToBool(std::string_view text);  // "True"/"False", any case
std::string IntToText(int64_t value);
int64_t TextToInt(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

} // namespace ui
