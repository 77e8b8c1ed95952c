// The drawing side of the form painter: frame sizes from the skin, the
// non-client size, hit test and paint, the frame and caption composed from the
// skin's pieces, and the window shape cut from their transparent parts.
#include "skin/forms/WinSkinForm.h"

#include "skin/forms/FramePieces.h"
#include "skin/forms/WinSkinMenu.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"

#include <algorithm>
#include <optional>

namespace skin {

namespace {


constexpr UINT kMeasureTitle = DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP;
constexpr UINT kDrawTitle = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr UINT kDrawTitleRightToLeft = kDrawTitle | DT_RIGHT | DT_RTLREADING;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

void CopyBitmap(HDC dc, int x, int y, ui::Bitmap& bitmap) {
    if (!bitmap.Empty()) {
        BitBlt(dc, x, y, bitmap.Width(), bitmap.Height(), bitmap.GetCanvas().Handle(), 0, 0, SRCCOPY);
    }
}

} // namespace

// ---------------------------------------------------------------- metrics

void TWinSkinForm::LoadFrameMetrics() {
    if (FSkinData == nullptr || FSkinData->NotLoaded()) {
        return;
    }
    const TSkinData& data = *FSkinData;
    if (FFrameKind == FrameKind::Captionless) {
        FBorderLeft = FCaptionHeight = FBorderRight = FBorderBottom = FMenuBarHeight = 0;
    } else {
        FCaptionHeight = data.TopBorder->Bitmap.Height() / data.TopBorder->FrameCount();
        FBorderLeft = data.LeftBorder->Bitmap.Width() / data.LeftBorder->FrameCount();
        FBorderRight = data.RightBorder->Bitmap.Width() / data.RightBorder->FrameCount();
        FBorderBottom = data.BottomBorder->Bitmap.Height() / data.BottomBorder->FrameCount();
    }
    FCaptionButtons.Load(*FSkinData);
}

// ---------------------------------------------------------------- coordinates and NC messages

POINT TWinSkinForm::ToFrameCoordinates(int screenX, int screenY) const {
    POINT point{screenX, screenY};
    ScreenToClient(FHandle, &point);
    if (!(IsMdiChild() && FWindowState == WindowState::Minimised)) {
        point.x += FBorderLeft;
        point.y += FCaptionHeight + FMenuBarHeight;
    }
    return point;
}

POINT TWinSkinForm::ToFrameCoordinates(LPARAM screenPoint) const {
    return ToFrameCoordinates(short(LOWORD(screenPoint)), short(HIWORD(screenPoint)));
}

LRESULT TWinSkinForm::NcCalcSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT previous = CallPrevious(WM_NCCALCSIZE, wParam, lParam);
    if (LOBYTE(wParam) == 0) {
        (void)previous;
        return 0;
    }
    auto& params = *reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    if ((IsMdiChild() && FWindowState != WindowState::Normal) || FFrameKind == FrameKind::Captionless) {
        params.rgrc[1] = params.rgrc[0];
        return WVR_VALIDRECTS;
    }
    const WINDOWPOS& position = *params.lppos;
    RECT client{position.x + FBorderLeft, position.y + FCaptionHeight + FMenuBarHeight,
                position.x + position.cx - FBorderRight, position.y + position.cy - FBorderBottom};
    // A window smaller than its frame gets an empty client area, never a negative one.
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    params.rgrc[0] = client;
    params.rgrc[1] = client;
    return WVR_VALIDRECTS;
}

LRESULT TWinSkinForm::NcHitTest(WPARAM wParam, LPARAM lParam) {
    LRESULT hit = CallPrevious(WM_NCHITTEST, wParam, lParam);
    if (hit == HTNOWHERE || hit == HTCAPTION) {
        const POINT point = ToFrameCoordinates(lParam);
        if (point.y > 3) {
            hit = HTCAPTION;
        }
        if (point.y > FCaptionHeight && FMenuBarHeight > 0) {
            hit = HTMENU;
        }
    }
    return hit;
}

LRESULT TWinSkinForm::NcPaint(WPARAM wParam, LPARAM lParam) {
    if ((FBorderIcons & biKeepSysMenuStyle) == 0) {
        // The system then draws no caption buttons of its own.
        FStyle = DWORD(GetWindowLongW(FHandle, GWL_STYLE));
        if ((FStyle & WS_SYSMENU) != 0) {
            FStyle &= ~DWORD(WS_SYSMENU);
            SetWindowLongW(FHandle, GWL_STYLE, LONG(FStyle));
        }
    }
    if (FSkinData != nullptr && FSkinData->framePaint) {
        if ((IsMdiChild() && FWindowState == WindowState::Maximised) || FFrameKind == FrameKind::Captionless) {
            return CallPrevious(WM_NCPAINT, wParam, lParam);
        }
        RepaintFrame(nullptr);
    }
    return 0;
}

// ---------------------------------------------------------------- painting

ui::Bitmap TWinSkinForm::BuildBorderPiece(int piece, int width, int height) const {
    return FSkinData != nullptr ? BuildBorderPicture(*FSkinData, piece, FActive != 0, width, height) : ui::Bitmap{};
}

void TWinSkinForm::PaintBorderPiece(HDC dc, int piece, const RECT& target) {
    if (Width(target) < 0 || Height(target) < 0) {
        return;
    }
    ui::Bitmap image = BuildBorderPiece(piece, Width(target), Height(target));
    CopyBitmap(dc, target.left, target.top, image);
}

void TWinSkinForm::RepaintFrame(HDC dc) {
    if ((FState != PainterState::Running && FState != PainterState::Reskinning) || FFrameKind == FrameKind::Captionless ||
        (IsMdiChild() && FWindowState == WindowState::Maximised) || FSkinData == nullptr) {
        return;
    }
    std::optional<ui::WindowDc> windowDc;
    if (dc == nullptr) {
        windowDc.emplace(FHandle, ui::WindowDc::Area::Window);
        dc = windowDc->get();
    }
    if (dc == nullptr) {
        return;
    }
    try {
        GetWindowRect(FHandle, &FWindowRect);
        const int width = Width(FWindowRect);
        const int height = Height(FWindowRect);
        FWindowWidth = width;
        FWindowHeight = height;
        if (FWindowState == WindowState::Minimised) {
            PaintCaption(dc, width, height, ui::Bitmap(), ui::Bitmap());
        } else {
            ui::Bitmap left = BuildBorderPiece(kLeftPiece, FBorderLeft, height);
            ui::Bitmap right = BuildBorderPiece(kRightPiece, FBorderRight, height);
            CopyBitmap(dc, 0, 0, left);
            CopyBitmap(dc, width - FBorderRight, 0, right);
            PaintBorderPiece(dc, kBottomPiece,
                             RECT{FBorderLeft, height - FBorderBottom, width - FBorderRight, height});
            PaintCaption(dc, width, height, left, right);
            if (FMenuBarHeight > 0) {
                const RECT band{FBorderLeft, FCaptionHeight, width - FBorderRight, FCaptionHeight + FMenuBarHeight};
                if (FMenuBar != nullptr) {
                    FMenuBar->PaintBar(dc, band);
                } else {
                    FillRect(dc, &band, FSkinData->ButtonFaceBrush.get());
                }
            }
        }
    } catch (...) {
        // A frame that cannot be painted leaves the window usable.
    }
    FCaptionButtons.SetHot(nullptr);
}

void TWinSkinForm::PaintCaption(HDC dc, int width, int height, const ui::Bitmap& left, const ui::Bitmap& right) {
    RECT covered{};
    if (FWindowState == WindowState::Minimised) {
        FCaptionBitmap.SetSize(width, height);
        FCaptionBitmap.Fill(FSkinData->Colours[scButtonFace]);
        covered = RECT{0, 0, width, FCaptionHeight};
    } else {
        FCaptionBitmap.SetSize(width, FCaptionHeight);
        covered = RECT{FBorderLeft, 0, width - FBorderRight, FCaptionHeight};
    }
    if (FCaptionBitmap.Empty()) {
        return;
    }
    HDC band = FCaptionBitmap.GetCanvas().Handle();
    // The side pieces' caption parts make the band's corners.
    if (!left.Empty()) {
        BitBlt(band, 0, 0, left.Width(), FCaptionHeight, const_cast<ui::Bitmap&>(left).GetCanvas().Handle(), 0, 0,
               SRCCOPY);
    }
    if (!right.Empty()) {
        BitBlt(band, width - FBorderRight, 0, right.Width(), FCaptionHeight,
               const_cast<ui::Bitmap&>(right).GetCanvas().Handle(), 0, 0, SRCCOPY);
    }
    PaintBorderPiece(band, kTopPiece, covered);
    PaintTitleText(band, covered);
    FCaptionButtons.Layout();
    FCaptionButtons.Draw(band);
    GdiFlush();
    BitBlt(dc, 0, 0, FCaptionBitmap.Width(), FCaptionBitmap.Height(), band, 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::PaintTitleText(HDC dc, const RECT& caption) {
    const TDataSkinTitle& title = *FSkinData->Title;
    const std::wstring text = FCaptionPrefix + ReadWindowText() + FCaptionSuffix;

    const int32_t rightButtons = FCaptionButtons.RightButtonsWidth();

    const ui::SelectObjectScope font(dc, FCaptionFont.get());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::ColorToRgb(FSkinData->Colours[FActive ? scTitleTextActive : scTitleTextNoActive]));

    RECT t = caption;
    DrawTextWide(dc, text, t, kMeasureTitle);
    t.right += title.TXTBackleft + title.TXTBackRight;
    const int cw = Width(caption);
    const int tw = Width(t);
    const int shift = title.Margins.left;
    const int clip = title.Margins.right;
    const int vshift = title.Margins.top;

    int dx = 0;
    if (FRightToLeft) {
        switch (title.TextAlignment) {
        case 0: dx = cw - rightButtons - tw; break;
        case 1: dx = (cw - tw - rightButtons) / 2; break;
        case 2: dx = shift; break;
        default: break;
        }
    } else {
        switch (title.TextAlignment) {
        case 0: dx = shift; break;
        case 1: dx = (cw - tw) / 2; break;
        case 2: dx = cw - clip - tw; break;
        default: break;
        }
    }
    const int dy = (Height(caption) - Height(t)) / 2 + vshift / 2;
    OffsetRect(&t, dx, dy);
    if (FRightToLeft && dx <= 0) {
        t.left = shift;
    }

    if (FRightToLeft) {
        OffsetRect(&t, 10, 0);
    } else if ((FStyle & WS_POPUP) != 0) {
        if (caption.right - rightButtons - 5 < t.right && rightButtons > 5) {
            t.right = caption.right - rightButtons - 5;
        }
    } else if (caption.right - clip < t.right) {
        t.right = caption.right - clip;
    }
    if (FFrameKind == FrameKind::Dialog && title.TextAlignment == 0) {
        t.left -= 16;
    }
    FTitleRect = t;

    if (!title.Bitmap.Empty()) {
        DrawThreePart(dc, RECT{t.left, caption.top, t.right, caption.bottom}, title.Bitmap, true, true, 2,
                      FActive ? 1 : 2, RECT{title.TXTBackleft, 0, title.TXTBackRight, 0});
    }
    t.left += title.TXTBackleft;
    t.right -= title.TXTBackRight;
    DrawTextWide(dc, text, t, FRightToLeft ? kDrawTitleRightToLeft : kDrawTitle);
    FTitleTextRect = t;
    SetBkMode(dc, previousMode);
}

// ---------------------------------------------------------------- window shape

void TWinSkinForm::UpdateRegion() { FShape.Update(); }

void TWinSkinForm::DropRegion() { FShape.Drop(); }

} // namespace skin
