#pragma once
// Colours as the skin files and the controls carry them: 32 bits, red in the low
// byte; a negative value 0xFF0000nn stands for system colour nn.

#include <windows.h>

#include <cstdint>

namespace ui {

using Color = int32_t;

constexpr Color SystemColor(int index) { return Color(0xFF000000u | uint32_t(index)); }

constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clRed = 0x0000FF;
constexpr Color clGreen = 0x008000;
constexpr Color clFuchsia = 0xFF00FF;
constexpr Color clNone = 0x1FFFFFFF;
constexpr Color clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr Color clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr Color clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr Color clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr Color clWindow = SystemColor(COLOR_WINDOW);
constexpr Color clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr Color clMenu = SystemColor(COLOR_MENU);
constexpr Color clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr Color clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr Color clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr Color clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr Color clInfoBk = SystemColor(COLOR_INFOBK);
constexpr Color clInfoText = SystemColor(COLOR_INFOTEXT);

// The COLORREF to draw with: system colours are resolved now.
inline COLORREF ColorToRgb(Color color) {
    if (color < 0) {
        return GetSysColor(int(uint32_t(color) & 0xFF));
    }
    return COLORREF(uint32_t(color) & 0xFFFFFF);
}

} // namespace ui
