#pragma once
// Owners for the two automation value types: a BSTR freed with SysFreeString
// and a VARIANT cleared with VariantClear, each exactly once, on every path.
// Move-only, like the handle owners in ui/Gdi.h.

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace ui {

class UniqueBstr {
public:
    UniqueBstr() noexcept = default;
    // A copy of text, embedded zeros included; std::bad_alloc without memory.
    explicit UniqueBstr(std::wstring_view text) : text_(SysAllocStringLen(text.data(), UINT(text.size()))) {
        if (text_ == nullptr) {
            throw std::bad_alloc();
        }
    }
    UniqueBstr(UniqueBstr&& other) noexcept : text_(other.release()) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    ~UniqueBstr() { reset(); }

    BSTR get() const noexcept { return text_; }
    BSTR release() noexcept { return std::exchange(text_, nullptr); }
    void reset(BSTR text = nullptr) noexcept {
        if (text_ != nullptr && text_ != text) {
            SysFreeString(text_);
        }
        text_ = text;
    }
    // For a call that hands out a BSTR: the one held now is freed first.
    BSTR* put() noexcept {
        reset();
        return &text_;
    }
    // In characters; a null BSTR is the empty text.
    size_t size() const noexcept { return text_ != nullptr ? SysStringLen(text_) : 0; }
    std::wstring str() const { return std::wstring(text_ != nullptr ? text_ : L"", size()); }

private:
    BSTR text_ = nullptr;
};

class UniqueVariant {
public:
    UniqueVariant() noexcept { VariantInit(&value_); }
    UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    UniqueVariant& operator=(UniqueVariant&& other) noexcept {
        if (this != &other) {
            VariantClear(&value_);
            value_ = other.value_;
            VariantInit(&other.value_);
        }
        return *this;
    }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    static UniqueVariant Boolean(bool value) noexcept {
        UniqueVariant variant;
        variant.value_.vt = VT_BOOL;
        variant.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return variant;
    }
    // A VT_BSTR variant owning a copy of text.
    static UniqueVariant Text(std::wstring_view text) {
        UniqueVariant variant;
        variant.value_.bstrVal = UniqueBstr(text).release();
        variant.value_.vt = VT_BSTR;
        return variant;
    }

    // For in-parameters (the callee copies what it keeps) and out-parameters.
    VARIANT* get() noexcept { return &value_; }
    const VARIANT& value() const noexcept { return value_; }

private:
    VARIANT value_;
};

} // namespace ui
