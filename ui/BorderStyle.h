#pragma once
// The sunken border of the list and text controls, published as "BorderStyle"
// ("bsSingle" or "bsNone"); a change needs a new window.

#include "ui/Control.h"

namespace ui {

enum class ControlBorder { None, Single };

// The property for a class T with BorderStyle() and SetBorderStyle().
template <class T>
PropertyInfo BorderStyleProperty() {
    return {"BorderStyle",
            [](const Component& c) {
                return std::string(static_cast<const T&>(c).BorderStyle() == ControlBorder::None ? "bsNone"
                                                                                                 : "bsSingle");
            },
            [](Component& c, std::string_view value) {
                if (SameAscii(value, "bsNone")) {
                    static_cast<T&>(c).SetBorderStyle(ControlBorder::None);
                } else if (SameAscii(value, "bsSingle")) {
                    static_cast<T&>(c).SetBorderStyle(ControlBorder::Single);
                } else {
                    throw PropertyError("not a border style: " + std::string(value));
                }
            }};
}

inline DWORD BorderExStyle(ControlBorder border) { return border == ControlBorder::Single ? WS_EX_CLIENTEDGE : 0; }

} // namespace ui
