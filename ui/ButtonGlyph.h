#pragma once
// The picture of a bit, speed or drop-down button and where it sits beside the
// caption, with the published properties that reach it by name ("NumGlyphs",
// "Layout", "Margin", "Spacing").

#include "ui/Bitmap.h"
#include "ui/Component.h"

#include <string>
#include <string_view>

namespace ui {

enum class ButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

struct ButtonGlyph {
    // Up to four cells side by side: up, disabled, pressed, down. The colour
    // of the bottom-left pixel is transparent.
    Bitmap glyph;
    int numGlyphs = 1;
    ButtonLayout layout = ButtonLayout::GlyphLeft;
    // Pixels from the edge to the glyph; -1 centres glyph and caption.
    int margin = -1;
    // Pixels between glyph and caption; -1 spreads the free room evenly.
    int spacing = 4;
};

// "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom".
std::string ButtonLayoutName(ButtonLayout layout);
// Throws PropertyError for any other text.
ButtonLayout ButtonLayoutFromName(std::string_view name);

// A published whole-number field of T's ButtonGlyph member `glyphs`; a change
// repaints.
template <class T, int ButtonGlyph::*field>
constexpr PropertyInfo GlyphIntProperty(std::string_view name) {
    return {name, [](const Component& c) { return IntToText(static_cast<const T&>(c).glyphs.*field); },
            [](Component& c, std::string_view value) {
                auto& control = static_cast<T&>(c);
                control.glyphs.*field = int(TextToInt(value));
                control.Invalidate();
            }};
}

template <class T>
constexpr PropertyInfo GlyphLayoutProperty() {
    return {"Layout", [](const Component& c) { return ButtonLayoutName(static_cast<const T&>(c).glyphs.layout); },
            [](Component& c, std::string_view value) {
                auto& control = static_cast<T&>(c);
                control.glyphs.layout = ButtonLayoutFromName(value);
                control.Invalidate();
            }};
}

} // namespace ui
