#pragma once
// The primary display, the forms that exist, and the menu font.

#include "ui/Font.h"

#include <vector>

namespace ui {

class Form;

class Screen {
public:
    static int Width();
    static int Height();
    // Every form in creation order.
    static const std::vector<Form*>& Forms();
    static int FormCount() { return int(Forms().size()); }
    // The system's menu font, and a GDI font made from it (kept for the
    // process).
    static Font MenuFont();
    static HFONT MenuFontHandle();

private:
    friend class Form;
    static void AddForm(Form* form);
    static void RemoveForm(Form* form);
};

} // namespace ui
