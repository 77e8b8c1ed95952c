#pragma once
// A font description (face, pixel height, colour, style) and the GDI font made
// from it.

#include "ui/Color.h"
#include "ui/Gdi.h"

#include <string>

namespace ui {

struct Font {
    std::wstring name = L"宋体";
    int height = 12;  // character height in pixels
    Color color = clWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font&) const = default;

    LOGFONTW ToLogFont() const;
    UniqueFont Create() const;
    static Font FromLogFont(const LOGFONTW& logFont, Color color = clWindowText);
};

} // namespace ui
