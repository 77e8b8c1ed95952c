#include "ui/BitBtn.h"

#include "ui/Form.h"
#include "ui/png/PngImageList.h"

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
    {"Images",
     [](const Component& c) {
         const PngImageList* list = static_cast<const BitBtn&>(c).images.get();
         return list != nullptr ? list->name : std::string();
     },
     [](Component& c, std::string_view v) {
         auto& button = static_cast<BitBtn&>(c);
         PngImageList* list = nullptr;
         if (!v.empty()) {
             Component* found = c.Owner() != nullptr ? c.Owner()->FindComponent(v) : nullptr;
             list = dynamic_cast<PngImageList*>(found);
             if (list == nullptr) {
                 throw PropertyError("no image list named " + std::string(v));
             }
         }
         button.images = list;
         button.Invalidate();
     },
     [](const Component& c) -> Component* { return static_cast<const BitBtn&>(c).images.get(); }},
    IntFieldProperty<BitBtn, &BitBtn::imageIndex>("ImageIndex"),
    IntFieldProperty<BitBtn, &BitBtn::disabledIndex>("DisabledIndex"),
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
