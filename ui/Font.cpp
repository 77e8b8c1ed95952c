#include "ui/Font.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <string_view>

namespace ui {

namespace {

// Latin names of the common Chinese faces; a face named in Chinese characters is
// recognised by its characters.
constexpr std::array<std::wstring_view, 8> kChineseLatinFaces = {
    L"SimSun", L"NSimSun", L"SimHei", L"KaiTi", L"FangSong", L"Microsoft YaHei", L"DengXian",
    L"WenQuanYi Micro Hei",
};

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

bool IsChineseFace(std::wstring_view face) {
    const bool hasIdeograph = std::ranges::any_of(face, [](wchar_t c) { return c >= 0x4E00 && c <= 0x9FFF; });
    return hasIdeograph || std::ranges::any_of(kChineseLatinFaces, [face](std::wstring_view known) {
               return EqualIgnoringCase(face, known);
           });
}

} // namespace

LOGFONTW Font::ToLogFont() const {
    LOGFONTW logFont{};
    logFont.lfHeight = -height;
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = italic ? TRUE : FALSE;
    logFont.lfUnderline = underline ? TRUE : FALSE;
    // A Chinese face asked for with the default charset may be matched to a
    // Latin-only substitute; naming the charset keeps the CJK glyphs.
    logFont.lfCharSet = IsChineseFace(name) ? GB2312_CHARSET : DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const size_t length = std::min(name.size(), size_t(LF_FACESIZE - 1));
    std::copy_n(name.data(), length, logFont.lfFaceName);
    logFont.lfFaceName[length] = L'\0';
    return logFont;
}

UniqueFont Font::Create() const {
    const LOGFONTW logFont = ToLogFont();
    return UniqueFont(CreateFontIndirectW(&logFont));
}

Font Font::FromLogFont(const LOGFONTW& logFont, Color color) {
    Font font;
    const wchar_t* face = logFont.lfFaceName;
    font.name.assign(face, std::find(face, face + LF_FACESIZE, L'\0'));
    // A positive height is a cell height; we keep it as the pixel height rather
    // than measuring the face for its internal leading.
    font.height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
    font.color = color;
    font.bold = logFont.lfWeight >= FW_BOLD;
    font.italic = logFont.lfItalic != 0;
    font.underline = logFont.lfUnderline != 0;
    return font;
}

} // namespace ui
