#include "ui/Panel.h"

namespace ui {
namespace {

const PropertyInfo kPanelProperties[] = {BoolFieldProperty<Panel, &Panel::parentBackground>("ParentBackground")};

const ClassInfo kCustomControl{"TCustomControl", &WinControl::kClass};
const ClassInfo kCustomPanel{"TCustomPanel", &kCustomControl, kPanelProperties};

} // namespace

const ClassInfo Panel::kClass{"TPanel", &kCustomPanel};

Panel::Panel(Component* owner) : WinControl(owner) {}

void Panel::SetBevelOuter(Bevel bevel) {
    bevelOuter_ = bevel;
    Invalidate();
}

void Panel::PaintPanel(HDC dc) {
    RECT client = ClientRect();
    if (bevelOuter_ != Bevel::None) {
        DrawEdge(dc, &client, bevelOuter_ == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    const std::wstring text = Caption();
    if (!text.empty()) {
        Canvas canvas(dc);
        canvas.font = GetFont();
        canvas.brushClear = true;
        canvas.DrawText(text, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void Panel::WndProc(Message& message) {
    if (message.msg == WM_PAINT) {
        PaintDc dc(HandleIfAllocated());
        PaintPanel(dc.get());
        PaintGraphicChildren(dc.get());
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
