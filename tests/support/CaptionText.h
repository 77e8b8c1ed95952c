#pragma once
// The width a text takes in the system's caption font: what a title drawn
// whole measures on a screenshot.

#include "ui/Gdi.h"

#include <windows.h>

#include <string>

namespace testsupport {

inline int CaptionTextWidth(const std::wstring& text) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const ui::UniqueFont font(CreateFontIndirectW(&metrics.lfCaptionFont));
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

} // namespace testsupport
