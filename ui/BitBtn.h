#pragma once
// Push buttons with a picture beside the caption. The system button draws only
// the caption; the picture shows where a painter draws the button.

#include "ui/Button.h"
#include "ui/ButtonGlyph.h"

namespace ui {

class PngImageList;

// A kind other than bkCustom also gives the button its modal result.
enum class BitButtonKind { Custom, OK, Cancel, Help, Yes, No, Close, Abort, Retry, Ignore, All };

class BitBtn : public Button {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit BitBtn(Component* owner);

    // Published as "Kind" ("bkCustom", "bkOK", ...).
    BitButtonKind Kind() const { return kind_; }
    void SetKind(BitButtonKind kind);

    ButtonGlyph glyphs;
    // Without a glyph the picture comes from an image list: published as
    // "Images" (the list's name among the owner's components),
    // "ImageIndex" and "DisabledIndex" (the image while disabled); -1 is none.
    Ref<PngImageList> images;
    int imageIndex = -1;
    int disabledIndex = -1;

private:
    BitButtonKind kind_ = BitButtonKind::Custom;
};

} // namespace ui
