#include "skin/controls/SkinUpDown.h"

#include "skin/controls/ArrowGlyph.h"
#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/Gdi.h"

#include <commctrl.h>

#include <memory>

namespace skin {
namespace {

constexpr uint8_t kPressed = 2;
// How far an embedded up-down keeps from the edit's outer edge.
constexpr int kEditBorder = 3;

const ui::PropertyInfo kUpDownProperties[] = {
    {"Embedded", [](const ui::Component& c) { return ui::BoolToText(static_cast<const TSkinUpDown&>(c).FEmbedded != 0); },
     [](ui::Component& c, std::string_view v) { static_cast<TSkinUpDown&>(c).FEmbedded = ui::TextToBool(v) ? 1 : 0; }},
    {"HorizontalMode",
     [](const ui::Component& c) { return ui::IntToText(static_cast<const TSkinUpDown&>(c).FHorizontalMode); },
     [](ui::Component& c, std::string_view v) {
         static_cast<TSkinUpDown&>(c).FHorizontalMode = int32_t(ui::TextToInt(v));
     }},
};

// One half of the control: its box in window coordinates and its arrow
// (0 up, 1 down, 2 left, 3 right).
struct Half {
    RECT box;
    int arrow;
};

constexpr ArrowDirection kDirections[] = {ArrowDirection::Up, ArrowDirection::Down, ArrowDirection::Left,
                                          ArrowDirection::Right};

ui::Color Colour(const TSkinData* skinData, int index, int systemColour) {
    return skinData != nullptr ? skinData->Colours[size_t(index)] : ui::Color(GetSysColor(systemColour));
}

} // namespace

const ui::ClassInfo TSkinUpDown::kClass{"TSkinUpDown", &TSkinControl::kClass, kUpDownProperties};

bool TSkinUpDown::BeforeMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_PAINT:
        PaintHandler(message);
        return false;
    case WM_ERASEBKGND:
        if (FControl == nullptr) {
            RECT client{};
            GetClientRect(FHandle, &client);
            FillRect(reinterpret_cast<HDC>(message.wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        message.result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The native control steps its value and captures the mouse first.
        PassOnThenPress(message);
        return false;
    case WM_LBUTTONUP: {
        FMouseState &= uint8_t(~kPressed);
        const std::shared_ptr<ui::Component*> alive = LifetimeCell();
        PassOn(message);
        if (*alive != nullptr) {
            PaintWindow(nullptr);
        }
        return false;
    }
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

RECT TSkinUpDown::DrawingArea(const RECT& rect) const {
    RECT area = rect;
    const HWND edit = GetParent(FHandle);
    RECT own{};
    RECT outer{};
    if (!FEmbedded || edit == nullptr || !GetWindowRect(FHandle, &own) || !GetWindowRect(edit, &outer)) {
        return area;
    }
    if (own.top - outer.top < kEditBorder) {
        area.top += kEditBorder - (own.top - outer.top);
    }
    if (outer.bottom - own.bottom < kEditBorder) {
        area.bottom -= kEditBorder - (outer.bottom - own.bottom);
    }
    if (outer.right - own.right < kEditBorder) {
        area.right -= kEditBorder - (outer.right - own.right);
    }
    return area;
}

void TSkinUpDown::DrawTo(HDC dc, const RECT& rect) {
    if (FEmbedded) {
        RECT client{};
        GetClientRect(FHandle, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    const RECT area = DrawingArea(rect);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    ui::Bitmap buffer(width, height);
    HDC composed = buffer.GetCanvas().Handle();
    FillFormColour(composed, RECT{0, 0, width, height});

    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    const DWORD style = WindowStyle();
    FEnabled = (style & WS_DISABLED) == 0 ? 1 : 0;

    const bool horizontal = FHorizontalMode == 1 || (style & UDS_HORZ) != 0;
    Half halves[2];
    if (horizontal) {
        const int split = area.left + width / 2;
        halves[0] = Half{RECT{area.left, area.top, split, area.bottom}, 2};
        halves[1] = Half{RECT{split, area.top, area.right, area.bottom}, 3};
    } else {
        const int split = area.top + height / 2;
        halves[0] = Half{RECT{area.left, area.top, area.right, split}, 0};
        halves[1] = Half{RECT{area.left, split, area.right, area.bottom}, 1};
    }
    const TDataSkinBorder* element = nullptr;
    if (FSkinData != nullptr) {
        element = horizontal ? FSkinData->UpDownHorz.get() : FSkinData->UpDownVert.get();
        if (element != nullptr && element->Empty()) {
            element = nullptr;
        }
    }

    for (const Half& half : halves) {
        int state = 1;
        if (!FEnabled) {
            state = 3;
        } else if (PtInRect(&half.box, cursor) && (FMouseState & kPressed) != 0) {
            state = 2;
        }
        RECT box = half.box;
        OffsetRect(&box, -area.left, -area.top);
        if (element != nullptr) {
            const int frame = half.arrow < 2 ? state + 4 * half.arrow : state + 4 * half.arrow - 8;
            DrawStateFrame(composed, box, element->Bitmap, true, element->FrameCount(), frame);
            if (!element->Bitmap2.Empty()) {
                DrawCentredFrame(composed, box, element->Bitmap2, true, element->FrameCount(), frame);
            }
            continue;
        }
        const bool sunk = state == 2 || state == 4;
        const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRgb(Colour(FSkinData, scButtonDkShadow, COLOR_3DDKSHADOW))));
        const ui::UniqueBrush brush(CreateSolidBrush(
            ui::ColorToRgb(sunk ? Colour(FSkinData, scButtonShadow, COLOR_BTNSHADOW) : FormColour())));
        const ui::SelectObjectScope selectPen(composed, pen.get());
        const ui::SelectObjectScope selectBrush(composed, brush.get());
        Rectangle(composed, box.left, box.top, box.right, box.bottom);
        const int x = (box.left + box.right) / 2;
        const int y = (box.top + box.bottom) / 2 - (half.arrow < 2 ? 2 : 0);
        DrawArrowGlyph(composed, x, y, kDirections[half.arrow]);
    }
    BitBlt(dc, area.left, area.top, width, height, composed, 0, 0, SRCCOPY);
}

} // namespace skin
