#include "skin/controls/SkinEdit.h"

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"
#include "ui/Gdi.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>
#include <string>

namespace skin {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

bool IsUpDownClass(HWND window) {
    char name[101]{};
    GetClassNameA(window, name, 100);
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
           lower.find("updown") != std::string::npos;
}

void FrameWith(HDC dc, const RECT& rect, HBRUSH brush) { FrameRect(dc, &rect, brush); }

// An edit without a border has a client area as wide or as high as itself.
bool HasBorder(HWND window, const RECT& windowRect) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right != windowRect.right - windowRect.left && client.bottom != windowRect.bottom - windowRect.top;
}

} // namespace

const ui::ClassInfo TSkinEdit::kClass{"TSkinEdit", &TSkinControl::kClass};

void TSkinEdit::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_PAINT:
        PaintWindow(reinterpret_cast<HDC>(message.wParam));
        break;
    case WM_PRINT:
        DrawBorderKeepBrush(reinterpret_cast<HDC>(message.wParam));
        break;
    case SKM_PAINTCONTENT:
        if (message.lParam == kSkinMagic) {
            if (message.wParam != 0) {
                // The edit paints its own text into the lent DC.
                ui::Message paint{WM_PAINT, message.wParam, 0, 0};
                PassOn(paint);
            }
            message.result = kSkinMagic;
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinEdit::FindUpDown() {
    if (FUpDownPainter || FSkinData == nullptr || !FSkinData->SkinControls.Contains(xcSpin)) {
        return;
    }
    for (HWND child = GetTopWindow(FHandle); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsUpDownClass(child)) {
            continue;
        }
        if (SendMessageW(child, SKM_QUERY, 0, 0) == 1) {
            return;  // painted already
        }
        ui::Component* owner = FControl != nullptr ? FControl->Owner() : nullptr;
        TSkinControl* painter = CreatePainter(PainterKind::UpDown, owner);
        if (painter == nullptr) {
            return;  // no up-down painter in the engine: the native look stays
        }
        painter->SetPropertyText("Embedded", "True");
        painter->AttachWindow(child, FSkinData, FForm, FSkinCanvas);
        FUpDownPainter = painter;
        if (owner == nullptr && FForm == nullptr) {
            ownUpDown_.reset(painter);
        }
        return;
    }
}

void TSkinEdit::DrawTo(HDC dc, const RECT& rect) {
    FindUpDown();
    if (FHandle == nullptr || !HasBorder(FHandle, FWindowRect)) {
        return;
    }
    const ui::UniqueBrush border(CreateSolidBrush(ui::ColorToRgb(
        FSkinData != nullptr ? FSkinData->Colours[scButtonShadow] : ui::Color(GetSysColor(COLOR_BTNSHADOW)))));
    const ui::UniqueBrush white(CreateSolidBrush(kWhite));
    RECT ring = rect;
    FrameWith(dc, ring, border.get());
    InflateRect(&ring, -1, -1);
    FrameWith(dc, ring, white.get());
    InflateRect(&ring, -1, -1);
    FrameWith(dc, ring, white.get());
}

void TSkinEdit::DrawBorderKeepBrush(HDC dc) {
    try {
        RECT rect{};
        if (FHandle == nullptr || !GetWindowRect(FHandle, &rect)) {
            return;
        }
        FWindowRect = rect;
        RECT client{};
        GetClientRect(FHandle, &client);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (client.right + 2 >= width || client.bottom + 2 >= height) {
            return;
        }
        std::optional<ui::WindowDc> own;
        if (dc == nullptr) {
            own.emplace(FHandle, ui::WindowDc::Area::Window);
        }
        const HDC target = dc != nullptr ? dc : own->get();
        if (target == nullptr) {
            return;
        }
        RECT ring{0, 0, width, height};
        const ui::UniqueBrush border(CreateSolidBrush(ui::ColorToRgb(
            FSkinData != nullptr ? FSkinData->Colours[scButtonShadow] : ui::Color(GetSysColor(COLOR_BTNSHADOW)))));
        FrameWith(target, ring, border.get());
        InflateRect(&ring, -1, -1);
        FrameWith(target, ring, static_cast<HBRUSH>(GetCurrentObject(target, OBJ_BRUSH)));
    } catch (const std::exception&) {
        // A border that cannot be drawn leaves the system's.
    }
}

} // namespace skin
