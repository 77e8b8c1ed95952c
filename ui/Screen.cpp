#include "ui/Screen.h"

#include <algorithm>

namespace ui {
namespace {

std::vector<Form*>& FormList() {
    static std::vector<Form*> forms;
    return forms;
}

LOGFONTW MenuLogFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMenuFont;
}

} // namespace

int Screen::Width() { return GetSystemMetrics(SM_CXSCREEN); }
int Screen::Height() { return GetSystemMetrics(SM_CYSCREEN); }

const std::vector<Form*>& Screen::Forms() { return FormList(); }

void Screen::AddForm(Form* form) { FormList().push_back(form); }
void Screen::RemoveForm(Form* form) { std::erase(FormList(), form); }

Font Screen::MenuFont() { return Font::FromLogFont(MenuLogFont(), clMenuText); }

HFONT Screen::MenuFontHandle() {
    static const UniqueFont font = [] {
        const LOGFONTW logFont = MenuLogFont();
        return UniqueFont(CreateFontIndirectW(&logFont));
    }();
    return font.get();
}

} // namespace ui
