#include "ui/Label.h"

namespace ui {
namespace {

const PropertyInfo kLabelProperties[] = {BoolFieldProperty<Label, &Label::transparent>("Transparent")};

const ClassInfo kCustomLabel{"TCustomLabel", &GraphicControl::kClass, kLabelProperties};
const ClassInfo kCustomStaticText{"TCustomStaticText", &WinControl::kClass};

UINT AlignmentFormat(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right:
        return DT_RIGHT;
    case Alignment::Center:
        return DT_CENTER;
    case Alignment::Left:
        break;
    }
    return DT_LEFT;
}

} // namespace

const ClassInfo Label::kClass{"TLabel", &kCustomLabel};
const ClassInfo StaticText::kClass{"TStaticText", &kCustomStaticText};

Label::Label(Component* owner) : GraphicControl(owner) { parentColor = true; }

void Label::Paint(Canvas& canvas) {
    RECT area = ClientRect();
    if (!transparent) {
        canvas.brushColor = GetColor();
        canvas.FillRect(area);
    }
    canvas.brushClear = true;
    canvas.font = GetFont();
    if (!Enabled()) {
        canvas.font.color = clGrayText;
    }
    const UINT format = AlignmentFormat(alignment) | (wordWrap ? DT_WORDBREAK : DT_SINGLELINE) | DT_NOPREFIX;
    canvas.DrawText(Caption(), area, format);
}

StaticText::StaticText(Component* owner) : WinControl(owner) { parentColor = true; }

void StaticText::CreateParams(WindowCreateParams& params) {
    WinControl::CreateParams(params);
    params.baseClass = L"STATIC";
    params.style |= SS_NOTIFY | SS_NOPREFIX;
    params.style |= alignment == Alignment::Right ? SS_RIGHT : alignment == Alignment::Center ? SS_CENTER : SS_LEFT;
}

} // namespace ui
