// Scaffold: replaced by frame metrics, non-client size, hit test and paint, and the window shape.
#include "skin/forms/WinSkinForm.h"

namespace skin {

void TWinSkinForm::LoadFrameMetrics() {}
void TWinSkinForm::LoadIconBitmap() {}
POINT TWinSkinForm::ToFrameCoordinates(int x, int y) const { return {x, y}; }
POINT TWinSkinForm::ToFrameCoordinates(LPARAM p) const {
    return ToFrameCoordinates(short(LOWORD(p)), short(HIWORD(p)));
}
LRESULT TWinSkinForm::NcCalcSize(WPARAM w, LPARAM l) { return CallPrevious(WM_NCCALCSIZE, w, l); }
LRESULT TWinSkinForm::NcHitTest(WPARAM w, LPARAM l) { return CallPrevious(WM_NCHITTEST, w, l); }
LRESULT TWinSkinForm::NcPaint(WPARAM w, LPARAM l) { return CallPrevious(WM_NCPAINT, w, l); }
void TWinSkinForm::PaintBorderPiece(HDC, int, const RECT&) {}
void TWinSkinForm::PaintCaption(HDC, int, int) {}
void TWinSkinForm::PaintTitleText(HDC, const RECT&) {}
void TWinSkinForm::RepaintFrame(HDC) {}
void TWinSkinForm::UpdateRegion() {}
void TWinSkinForm::DropRegion() {}

} // namespace skin
