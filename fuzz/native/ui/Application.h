#pragma once
// Native stand-in for the toolkit header, for fuzzing code of the program that
// only needs its exception type. The real header includes windows.h.

#include <stdexcept>
#include <string>

namespace ui {

class Error : public std::runtime_error {
public:
    explicit Error(const std::wstring& text) : std::runtime_error("ui::Error"), text_(text) {}
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

} // namespace ui
