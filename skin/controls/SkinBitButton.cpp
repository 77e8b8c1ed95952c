#include "skin/controls/SkinBitButton.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/BitBtn.h"
#include "ui/DropDownButton.h"
#include "ui/SpeedButton.h"
#include "ui/png/PngImageList.h"

#include <charconv>

namespace skin {
namespace {

bool Horizontal(ui::ButtonLayout layout) {
    return layout == ui::ButtonLayout::GlyphLeft || layout == ui::ButtonLayout::GlyphRight;
}

// Cell `cell` of `cells` of the glyph, with its transparent colour.
ui::Bitmap GlyphCell(const ui::Bitmap& glyph, int cells, int cell) {
    const StripCell place = CellOfStrip(glyph, false, cells, cell);
    ui::Bitmap result;
    if (place.Empty()) {
        return result;
    }
    result.SetSize(place.width, place.height);
    BitBlt(result.GetCanvas().Handle(), 0, 0, place.width, place.height,
           const_cast<ui::Bitmap&>(glyph).GetCanvas().Handle(), place.x, place.y, SRCCOPY);
    return result;
}

// A picture as it is: per-pixel alpha in 32 bits (premultiplied, as
// AlphaBlend takes it), else its key colour when it has one, else opaque.
void DrawPicture(HDC dc, POINT at, const ui::Bitmap& picture) {
    HDC source = const_cast<ui::Bitmap&>(picture).GetCanvas().Handle();
    const int width = picture.Width();
    const int height = picture.Height();
    if (picture.Format() == ui::PixelFormat::Bit32) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, at.x, at.y, width, height, source, 0, 0, width, height, blend);
    } else if (picture.transparent) {
        DrawTransparent(dc, RECT{at.x, at.y, at.x + width, at.y + height}, picture, picture.transparentColor);
    } else {
        BitBlt(dc, at.x, at.y, width, height, source, 0, 0, SRCCOPY);
    }
}

int PublishedInt(const ui::Control& control, std::string_view property, int fallback) {
    const auto text = control.GetPropertyText(property);
    int value = fallback;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc{}) {
        return fallback;
    }
    return value;
}

// The image of the control's published image list: "ImageIndex", or for a
// disabled control "DisabledIndex" when that is set.
struct ListImage {
    const ui::PngImageList* list = nullptr;
    int index = -1;
};
ListImage ImageOfList(const ui::Control* control, bool disabled) {
    if (control == nullptr) {
        return {};
    }
    const auto* list = dynamic_cast<const ui::PngImageList*>(control->GetPropertyComponent("Images"));
    const int index = PublishedInt(*control, "ImageIndex", -1);
    if (list == nullptr || index == -1) {
        return {};
    }
    const int disabledIndex = disabled ? PublishedInt(*control, "DisabledIndex", -1) : -1;
    return {list, disabledIndex != -1 ? disabledIndex : index};
}

std::string GlyphPropertyText(const ui::Component& c) { return static_cast<const TSkinBitButton&>(c).FGlyphProperty; }
void SetGlyphPropertyText(ui::Component& c, std::string_view value) {
    static_cast<TSkinBitButton&>(c).FGlyphProperty = std::string(value);
}
const ui::PropertyInfo kBitButtonPainterProperties[] = {{"GlyphProperty", GlyphPropertyText, SetGlyphPropertyText}};

} // namespace

GlyphTextPlace CalcLayout(const GlyphTextSizes& sizes) {
    const int W = sizes.client.cx;
    const int H = sizes.client.cy;
    const int gw = sizes.glyph.cx;
    const int gh = sizes.glyph.cy;
    const int tw = sizes.text.cx;
    const int th = sizes.text.cy;
    const bool horizontal = Horizontal(sizes.layout);
    int m = sizes.margin;
    int s = sizes.spacing;
    GlyphTextPlace place;
    if (horizontal) {
        place.glyph.y = (H - gh + 1) / 2;
        place.text.y = (H - th + 1) / 2;
    } else {
        place.glyph.x = (W - gw + 1) / 2;
        place.text.x = (W - tw + 1) / 2;
    }
    if (tw == 0 || gw == 0) {
        s = 0;
    }
    const int room = horizontal ? W : H;
    const int glyphLength = horizontal ? gw : gh;
    const int textLength = horizontal ? tw : th;
    if (m == -1 || sizes.centred) {
        if (s == -1) {
            m = (room - (glyphLength + textLength)) / 3;
            s = m;
        } else {
            m = (room - (glyphLength + s + textLength)) / 2;
        }
    } else if (s == -1) {
        s = ((room - (m + glyphLength)) - textLength) / 2;
    }
    switch (sizes.layout) {
    case ui::ButtonLayout::GlyphLeft:
        place.glyph.x = m;
        place.text.x = m + gw + s;
        break;
    case ui::ButtonLayout::GlyphRight:
        place.glyph.x = W - m - gw;
        place.text.x = place.glyph.x - s - tw;
        break;
    case ui::ButtonLayout::GlyphTop:
        place.glyph.y = m;
        place.text.y = m + gh + s;
        break;
    case ui::ButtonLayout::GlyphBottom:
        place.glyph.y = H - m - gh;
        place.text.y = place.glyph.y - s - th;
        break;
    }
    place.textFlags = DT_WORDBREAK;
    if (sizes.layout == ui::ButtonLayout::GlyphRight) {
        place.textFlags |= DT_RIGHT;
    } else if (!horizontal) {
        place.textFlags |= DT_CENTER;
    }
    return place;
}

const ui::ClassInfo TSkinBitButton::kClass{"TSkinBitButton", &TSkinButton::kClass, kBitButtonPainterProperties};

const ui::ButtonGlyph* TSkinBitButton::Glyphs() const {
    ui::Control* control = FPaintTarget != nullptr ? FPaintTarget : FControl;
    if (auto* bit = dynamic_cast<ui::BitBtn*>(control)) {
        return &bit->glyphs;
    }
    if (auto* speed = dynamic_cast<ui::SpeedButton*>(control)) {
        return &speed->glyphs;
    }
    if (auto* dropDown = dynamic_cast<ui::DropDownButton*>(control)) {
        return &dropDown->glyphs;
    }
    return nullptr;
}

void TSkinBitButton::DrawGlyphAndCaption(HDC buffer, int width, int height, int cell, bool disabled) {
    const ui::ButtonGlyph* glyphs = Glyphs();
    ui::Control* control = FPaintTarget != nullptr ? FPaintTarget : FControl;
    // One of three sources: the named picture, a cell of the glyph, an image
    // of the image list.
    const ui::Bitmap* picture = nullptr;
    ui::Bitmap glyph;
    ListImage listImage;
    SIZE glyphSize{};
    if (!FGlyphProperty.empty()) {
        picture = control != nullptr ? control->GetPropertyPicture(FGlyphProperty) : nullptr;
        if (picture != nullptr && !picture->Empty()) {
            glyphSize = SIZE{picture->Width(), picture->Height()};
        } else {
            picture = nullptr;
        }
    } else if (glyphs != nullptr && !glyphs->glyph.Empty()) {
        const int cells = glyphs->numGlyphs < 1 ? 1 : glyphs->numGlyphs;
        if (disabled && cells == 1) {
            glyph = DisabledGlyph(glyphs->glyph);
        } else {
            glyph = GlyphCell(glyphs->glyph, cells, cell > cells ? 1 : cell);
        }
        glyphSize = SIZE{glyph.Width(), glyph.Height()};
    } else {
        listImage = ImageOfList(control, disabled);
        if (listImage.list != nullptr) {
            glyphSize = SIZE{listImage.list->Width(), listImage.list->Height()};
        }
    }
    GlyphTextSizes sizes;
    sizes.client = SIZE{width, height};
    sizes.glyph = glyphSize;
    if (glyphs != nullptr) {
        sizes.margin = glyphs->margin;
        sizes.spacing = glyphs->spacing;
        sizes.layout = glyphs->layout;
    } else if (control != nullptr) {
        // A button of another make publishes its placement by name.
        sizes.margin = PublishedInt(*control, "Margin", sizes.margin);
        sizes.spacing = PublishedInt(*control, "Spacing", sizes.spacing);
        if (const auto layout = control->GetPropertyText("Layout")) {
            try {
                sizes.layout = ui::ButtonLayoutFromName(*layout);
            } catch (const ui::PropertyError&) {
                // An unknown layout keeps the glyph at the left.
            }
        }
    }
    const auto alignment = control != nullptr ? control->GetPropertyText("Alignment") : std::nullopt;
    sizes.centred = alignment && ui::SameAscii(*alignment, "taCenter");
    if (!FText.empty()) {
        RECT measure{2, 2, width - 2, height - 2};
        if (Horizontal(sizes.layout)) {
            measure.right -= sizes.glyph.cx + 2;
        } else {
            measure.bottom -= sizes.glyph.cy + 2;
        }
        DrawControlText(buffer, FText, measure, DT_CALCRECT | DT_WORDBREAK);
        sizes.text = SIZE{measure.right - measure.left, measure.bottom - measure.top};
    }
    const GlyphTextPlace place = CalcLayout(sizes);
    if (picture != nullptr) {
        DrawPicture(buffer, place.glyph, *picture);
    } else if (!glyph.Empty()) {
        const RECT at{place.glyph.x, place.glyph.y, place.glyph.x + glyph.Width(), place.glyph.y + glyph.Height()};
        DrawTransparent(buffer, at, glyph, glyph.PixelAt(0, glyph.Height() - 1));
    } else if (listImage.list != nullptr) {
        listImage.list->Draw(buffer, place.glyph.x, place.glyph.y, listImage.index, !disabled);
    }
    if (FText.empty()) {
        return;
    }
    RECT text{place.text.x, place.text.y, place.text.x + sizes.text.cx, place.text.y + sizes.text.cy};
    DrawControlText(buffer, FText, text, TextFlags(place.textFlags));
    if (FFocused && !FSkinData->Options.Contains(xoNoFocusRect)) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(buffer, &text);
    }
}

void TSkinBitButton::DrawTo(HDC dc, const RECT& rect) {
    const TDataSkinButton* element = ButtonElement();
    if (element == nullptr || (FPaintTarget != nullptr && !FPaintTarget->Visible())) {
        return;
    }
    const int frame = PushFrame(ReadFocusEnabledDefault());
    ReadText();
    HDC buffer = BeginBuffer(rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    DrawSkinElement(buffer, RECT{0, 0, width, height}, element->FrameCount(), frame, *element);
    SelectTextLook(buffer, frame, false);
    const int cell = frame == 2 ? 3 : frame == 3 ? 2 : 1;
    DrawGlyphAndCaption(buffer, width, height, cell, !FEnabled);
    EndBuffer(dc, rect);
}

} // namespace skin
