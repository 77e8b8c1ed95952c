#include "app/study/ClockLabel.h"

#include "ui/Canvas.h"

namespace app {

void ClockLabel::Paint(ui::Canvas& canvas) {
    RECT area = ClientRect();
    canvas.brushColor = GetColor();
    canvas.FillRect(area);
    canvas.brushClear = true;
    canvas.font = GetFont();
    canvas.DrawText(Caption(), area, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace app
