#include "ui/BitBtn.h"

#include "ui/Form.h"

namespace ui {
namespace {

struct KindEntry {
    std::string_view name;
    int modalResult;
};
constexpr KindEntry kKinds[] = {
    {"bkCustom", mrNone}, {"bkOK", IDOK},        {"bkCancel", IDCANCEL}, {"bkHelp", mrNone},
    {"bkYes", IDYES},     {"bkNo", IDNO},        {"bkClose", mrNone},    {"bkAbort", IDABORT},
    {"bkRetry", IDRETRY}, {"bkIgnore", IDIGNORE}, {"bkAll", 12},
};

const PropertyInfo kBitBtnProperties[] = {
    {"Kind", [](const Component& c) { return std::string(kKinds[int(static_cast<const BitBtn&>(c).Kind())].name); },
     [](Component& c, std::string_view v) {
         for (size_t i = 0; i < std::size(kKinds); ++i) {
             if (SameAscii(v, kKinds[i].name)) {
                 static_cast<BitBtn&>(c).SetKind(BitButtonKind(i));
                 return;
             }
         }
         throw PropertyError("not a bit button kind: " + std::string(v));
     }},
    GlyphIntProperty<BitBtn, &ButtonGlyph::numGlyphs>("NumGlyphs"),
    GlyphLayoutProperty<BitBtn>(),
    GlyphIntProperty<BitBtn, &ButtonGlyph::margin>("Margin"),
    GlyphIntProperty<BitBtn, &ButtonGlyph::spacing>("Spacing"),
};

} // namespace

const ClassInfo BitBtn::kClass{"TBitBtn", &Button::kClass, kBitBtnProperties};

BitBtn::BitBtn(Component* owner) : Button(owner) {}

void BitBtn::SetKind(BitButtonKind kind) {
    kind_ = kind;
    modalResult = kKinds[int(kind)].modalResult;
    Invalidate();
}

} // namespace ui
