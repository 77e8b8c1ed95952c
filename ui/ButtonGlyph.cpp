#include "ui/ButtonGlyph.h"

namespace ui {
namespace {

constexpr std::string_view kLayoutNames[] = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};

} // namespace

std::string ButtonLayoutName(ButtonLayout layout) { return std::string(kLayoutNames[int(layout)]); }

ButtonLayout ButtonLayoutFromName(std::string_view name) {
    for (int i = 0; i < 4; ++i) {
        if (SameAscii(name, kLayoutNames[i])) {
            return ButtonLayout(i);
        }
    }
    throw PropertyError("not a button layout: " + std::string(name));
}

} // namespace ui
