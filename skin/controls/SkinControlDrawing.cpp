// The drawing operations every control painter shares: the paint and erase
// treatments, background fills, skin frames, text flags and focus rectangles.

#include "skin/controls/SkinControl.h"

#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/WinControl.h"

#include <exception>

namespace skin {
namespace {

// Paints the brush where the source is white and keeps the destination
// where it is black.
constexpr DWORD kRopMaskedBrush = 0xE20746;

void FillSolid(HDC dc, const RECT& rect, ui::Color colour) {
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRgb(colour)));
    FillRect(dc, &rect, brush.get());
}

RECT AtOrigin(RECT rect) {
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

} // namespace

void TSkinControl::PaintWindow(HDC dc) {
    try {
        RECT rect{};
        if (FHandle == nullptr || !GetWindowRect(FHandle, &rect)) {
            return;
        }
        FWindowRect = rect;
        rect = AtOrigin(rect);
        if (dc != nullptr) {
            DrawTo(dc, rect);
            return;
        }
        const ui::WindowDc own(FHandle, ui::WindowDc::Area::Window);
        if (own.get() != nullptr) {
            DrawTo(own.get(), rect);
        }
    } catch (const std::exception&) {
        // A failed paint leaves what the window showed before.
    }
}

void TSkinControl::PaintHandler(ui::Message& message) {
    message.result = 0;
    if (message.wParam != 0) {
        DrawWholeWindow(reinterpret_cast<HDC>(message.wParam));
        return;
    }
    const ui::PaintDc paint(FHandle);
    if (paint.get() != nullptr) {
        DrawWholeWindow(paint.get());
    }
}

void TSkinControl::DrawWholeWindow(HDC dc) {
    RECT rect{};
    if (!GetWindowRect(FHandle, &rect)) {
        return;
    }
    FWindowRect = rect;
    try {
        DrawTo(dc, AtOrigin(rect));
    } catch (const std::exception&) {
        // As in PaintWindow: the window keeps its last picture.
    }
}

void TSkinControl::EraseHandler(ui::Message& message) {
    const auto dc = reinterpret_cast<HDC>(message.wParam);
    if (FControl != nullptr) {
        PaintParentTo(dc);
    } else if (FHandle != nullptr) {
        RECT client{};
        GetClientRect(FHandle, &client);
        FillFormColour(dc, client);
    }
    message.result = 1;
}

bool TSkinControl::PaintAllBeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_PAINT:
        PaintHandler(message);
        return false;
    case WM_ERASEBKGND:
        message.result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

HGDIOBJ TSkinControl::WindowFont() const {
    HGDIOBJ font = FHandle != nullptr ? reinterpret_cast<HGDIOBJ>(SendMessageW(FHandle, WM_GETFONT, 0, 0)) : nullptr;
    return font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT);
}

void TSkinControl::PaintParentTo(HDC dc) const {
    ControlPaintSource source;
    if (FControl != nullptr && FControl->Parent() != nullptr) {
        source.control = FControl->Parent()->HandleIfAllocated();
        source.offset = POINT{FControl->Left(), FControl->Top()};
    } else if (FHandle != nullptr) {
        source.control = GetParent(FHandle);
        RECT window{};
        GetWindowRect(FHandle, &window);
        POINT topLeft{window.left, window.top};
        if (source.control != nullptr) {
            ScreenToClient(source.control, &topLeft);
        }
        source.offset = topLeft;
    }
    if (source.control != nullptr) {
        PaintControlTo(source, dc);
    }
}

void TSkinControl::FillFormColour(HDC dc, const RECT& rect) const { FillSolid(dc, rect, FormColour()); }

void TSkinControl::FillControlColour(HDC dc, const RECT& rect) const {
    if (FControl != nullptr && FControl->Parent() != nullptr) {
        FillSolid(dc, rect, FControl->Parent()->GetColor());
        return;
    }
    FillFormColour(dc, rect);
}

void TSkinControl::DrawSkinElement(HDC dc, const RECT& rect, int count, int index,
                                   const TDataSkinObject& element) const {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ElementFrame& cached = lastElementFrame_;
    if (cached.element != &element || cached.strip != element.Bitmap.Handle() || cached.count != count || cached.index != index || cached.width != width ||
        cached.height != height) {
        cached.bitmap = BuildNineGrid(rect, element.Bitmap, element.Margins, false, element.Tile != 0, count, index);
        cached.element = &element;
        cached.strip = element.Bitmap.Handle();
        cached.count = count;
        cached.index = index;
        cached.width = width;
        cached.height = height;
    }
    const ui::Bitmap& frame = cached.bitmap;
    if (frame.Empty()) {
        return;
    }
    if (element.Trans == 1) {
        DrawTransparent(dc, rect, frame);
        return;
    }
    BitBlt(dc, rect.left, rect.top, frame.Width(), frame.Height(), const_cast<ui::Bitmap&>(frame).GetCanvas().Handle(),
           0, 0, SRCCOPY);
}

void TSkinControl::DrawStripFrame(HDC dc, const RECT& rect, int count, int index, const ui::Bitmap& strip) const {
    DrawStateFrame(dc, rect, strip, true, count, index);
}

UINT TSkinControl::TextFlags(UINT flags) const {
    HWND window = FHandle;
    if (window == nullptr && FPaintTarget != nullptr && FPaintTarget->Parent() != nullptr) {
        window = FPaintTarget->Parent()->HandleIfAllocated();
    }
    if (window != nullptr && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0) {
        flags |= DT_RTLREADING;
    }
    return flags;
}

void TSkinControl::DrawFocusAround(HDC dc, UINT flags, const RECT& rect) const {
    RECT box = rect;
    DrawControlText(dc, FText, box, flags | DT_CALCRECT | DT_NOCLIP);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int boxWidth = box.right - box.left;
    const int boxHeight = box.bottom - box.top;
    if (flags & DT_CENTER) {
        OffsetRect(&box, (width - boxWidth) / 2, (height - boxHeight) / 2 - 1);
    } else if (flags & DT_RIGHT) {
        OffsetRect(&box, width - boxWidth, 0);
    }
    InflateRect(&box, 2, 1);
    RECT clipped{};
    if (IntersectRect(&clipped, &box, &rect)) {
        DrawFocusRect(dc, &clipped);
    }
}

int TSkinControl::DrawControlText(HDC dc, std::wstring_view text, RECT& rect, UINT flags) {
    return DrawTextWide(dc, text, rect, flags);
}

bool TSkinControl::WantsParentBackground() const {
    constexpr intptr_t kParentBackgroundTag = 5555;
    const bool tagged = FControl != nullptr && FControl->tag == kParentBackgroundTag;
    return tagged || (FSkinData != nullptr && FSkinData->Options.Contains(xoTransparent));
}

DWORD TSkinControl::WindowStyle() const {
    return FHandle != nullptr ? DWORD(GetWindowLongPtrW(FHandle, GWL_STYLE)) : 0;
}

bool TSkinControl::MarkControlBeforeMessage(ui::Message& message, bool parentBackground) {
    if (!TSkinControl::BeforeMessage(message)) {
        return false;
    }
    switch (message.msg) {
    case WM_PAINT:
    case WM_PRINT:
        if (FMode == 1) {
            PaintHandler(message);
            return false;
        }
        return true;
    case WM_ERASEBKGND:
        if (parentBackground) {
            EraseHandler(message);
            return false;
        }
        return true;
    default:
        return true;
    }
}

void TSkinControl::DrawMarkControl(HDC dc, const RECT& rect, const MarkLook& look) {
    const int count = look.count < 1 ? 1 : look.count;
    const int frameWidth = look.strip.Width() / count;
    const int frameHeight = look.strip.Height();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const bool leftText = (WindowStyle() & BS_LEFTTEXT) != 0;

    // Composed at the origin in a buffer of the control's size.
    RECT mark{0, (height - frameHeight) / 2, frameWidth, (height - frameHeight) / 2 + frameHeight};
    RECT area{mark.right + 2, 0, width, height};
    UINT alignment = 0;
    if (leftText) {
        OffsetRect(&mark, width - look.rightGap - frameWidth, 0);
        area = RECT{0, 0, mark.left - 2, height};
        alignment = TextFlags(DT_RIGHT);
    }
    if (FMode == 0) {
        OffsetRect(&mark, rect.left, rect.top);
        DrawStripFrame(dc, mark, count, look.index, look.strip);
        return;
    }

    ui::Bitmap buffer(width, height);
    HDC composed = buffer.GetCanvas().Handle();
    if (look.parentBackground) {
        PaintParentTo(composed);
    } else {
        FillFormColour(composed, RECT{0, 0, width, height});
    }
    DrawStripFrame(composed, mark, count, look.index, look.strip);

    FText = FControl != nullptr ? FControl->Caption() : WindowText(FHandle);
    ui::Color colour = ui::clBtnText;
    ui::Canvas& canvas = buffer.GetCanvas();
    if (FControl != nullptr) {
        canvas.font = FControl->GetFont();
        (canvas.SelectFont)();
        colour = canvas.font.color;
    } else {
        auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
        SelectObject(composed, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    }
    if ((WindowStyle() & WS_DISABLED) != 0 || (FControl != nullptr && !FControl->Enabled())) {
        colour = ui::clBtnShadow;
    }
    SetTextColor(composed, ui::ColorToRgb(colour));
    SetBkColor(composed, ui::ColorToRgb(FormColour()));
    SetBkMode(composed, TRANSPARENT);

    constexpr UINT kTextFlags = DT_EXPANDTABS | DT_WORDBREAK;
    RECT text = area;
    DrawControlText(composed, FText, text, kTextFlags | alignment | DT_CALCRECT | DT_NOCLIP);
    const int textHeight = text.bottom - text.top;
    text = area;
    OffsetRect(&text, 0, (area.bottom - area.top - textHeight) / 2);
    text.bottom = text.top + textHeight;
    if (GetFocus() == FHandle && FHandle != nullptr && !FText.empty() && LOBYTE(LOWORD(GetVersion())) != 6) {
        DrawFocusAround(composed, kTextFlags | alignment, text);
    }
    DrawControlText(composed, FText, text, kTextFlags | alignment);
    BitBlt(dc, rect.left, rect.top, width, height, composed, 0, 0, SRCCOPY);
}

std::wstring TSkinControl::ReplaceFirst(std::wstring_view text, std::wstring_view pattern,
                                        std::wstring_view replacement) {
    std::wstring result(text);
    if (pattern.empty()) {
        return result;
    }
    if (const size_t at = result.find(pattern); at != std::wstring::npos) {
        result.replace(at, pattern.size(), replacement);
    }
    return result;
}

ui::Bitmap TSkinControl::DisabledGlyph(const ui::Bitmap& glyph) {
    ui::Bitmap result;
    if (glyph.Empty()) {
        return result;
    }
    const int width = glyph.Width();
    const int height = glyph.Height();
    result.SetSize(width, height);
    result.Fill(ui::clBtnFace);
    // The mask: white where the glyph shows its transparent colour.
    const ui::UniqueMemoryDc maskDc(CreateCompatibleDC(nullptr));
    const ui::UniqueBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!maskDc || !mask) {
        return result;
    }
    {
        const ui::SelectObjectScope selectMask(maskDc.get(), mask.get());
        HDC glyphDc = const_cast<ui::Bitmap&>(glyph).GetCanvas().Handle();
        const COLORREF previousBack = SetBkColor(glyphDc, ui::ColorToRgb(glyph.PixelAt(0, height - 1)));
        BitBlt(maskDc.get(), 0, 0, width, height, glyphDc, 0, 0, SRCCOPY);
        SetBkColor(glyphDc, previousBack);

        HDC target = result.GetCanvas().Handle();
        // The glyph's pixels (0 in the mask) come out white: the brush goes there.
        const COLORREF previousText = SetTextColor(target, RGB(255, 255, 255));
        const COLORREF previousTargetBack = SetBkColor(target, RGB(0, 0, 0));
        const struct {
            ui::Color colour;
            int offset;
        } passes[] = {{ui::clBtnHighlight, 1}, {ui::clBtnShadow, 0}};
        for (const auto& pass : passes) {
            const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRgb(pass.colour)));
            const ui::SelectObjectScope selectBrush(target, brush.get());
            BitBlt(target, pass.offset, pass.offset, width, height, maskDc.get(), 0, 0, kRopMaskedBrush);
        }
        SetTextColor(target, previousText);
        SetBkColor(target, previousTargetBack);
    }
    return result;
}

} // namespace skin
