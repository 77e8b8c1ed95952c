#include "skin/controls/SkinComBox.h"

#include "skin/controls/ControlPainterHost.h"
#include "skin/controls/PainterFactory.h"
#include "skin/data/ImageRoutines.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"
#include "ui/Gdi.h"

#include <oleacc.h>

#include <memory>

namespace skin {
namespace {

constexpr uint8_t kHot = 1;
constexpr uint8_t kPressed = 2;

const ui::PropertyInfo kComBoxProperties[] = {
    {"Extended", [](const ui::Component& c) { return ui::BoolToText(static_cast<const TSkinComBox&>(c).FExtended != 0); },
     [](ui::Component& c, std::string_view v) { static_cast<TSkinComBox&>(c).FExtended = ui::TextToBool(v) ? 1 : 0; }},
};

bool ReadComboInfo(HWND window, COMBOBOXINFO& info) {
    info = COMBOBOXINFO{};
    return window != nullptr && GetComboBoxInfoIfPresent(window, info);
}

bool IsComboBoxClass(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, L"ComboBox") == 0;
}

void FrameWith(HDC dc, const RECT& rect, ui::Color colour) {
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRgb(colour)));
    FrameRect(dc, &rect, brush.get());
}

RECT Inflated(RECT rect, int by) {
    InflateRect(&rect, by, by);
    return rect;
}

// A rectangle in window coordinates of `window` (origin at its top-left corner)
// from its client coordinates.
RECT ClientToWindowArea(HWND window, RECT rect) {
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&rect, origin.x - outer.left, origin.y - outer.top);
    return rect;
}

} // namespace

const ui::ClassInfo TSkinComBox::kClass{"TSkinComBox", &TSkinControl::kClass, kComBoxProperties};

TSkinComBox::~TSkinComBox() {
    FEditHook.Remove();
    FreeListPainters();
}

void TSkinComBox::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    if (Attached()) {
        return;
    }
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    if (!Attached() || FHandle == nullptr) {
        return;
    }
    FStyle = WindowStyle();
    // The list painters draw scroll bars: they go with the scroll-bar gate.
    const bool listPainters = skinData != nullptr && skinData->SkinControls.Contains(xcScrollbar);
    ui::Component* owner = FControl != nullptr ? FControl->Owner() : nullptr;
    COMBOBOXINFO info{};
    if (DropDownStyle()) {
        if ((FStyle & 2) != 0 && listPainters && ReadComboInfo(InfoWindow(), info) && info.hwndList != nullptr) {
            if (TSkinControl* painter = CreatePainter(PainterKind::ComboxScrollBar, owner)) {
                FDropListPainter.reset(painter);
                painter->AttachWindow(info.hwndList, skinData, form, canvas);
            }
        }
        HookEdit();
        FListWindow = nullptr;
        return;
    }
    if (!ReadComboInfo(InfoWindow(), info) || info.hwndList == nullptr) {
        return;
    }
    FListWindow = info.hwndList;
    const DWORD listStyle = DWORD(GetWindowLongPtrW(FListWindow, GWL_STYLE));
    const bool inside = (listStyle & WS_CHILD) != 0 && (listStyle & WS_POPUP) == 0 &&
                        GetParent(FListWindow) != GetDesktopWindow();
    if (inside && listPainters) {
        if (TSkinControl* painter = CreatePainter(PainterKind::ScrollbarH, owner)) {
            FListScrollPainter.reset(painter);
            painter->AttachWindow(FListWindow, skinData, form, canvas);
        }
    }
}

void TSkinComBox::AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) {
    if (Attached()) {
        return;
    }
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    FStyle = WindowStyle();
    if (DropDownStyle()) {
        HookEdit();
    }
}

HWND TSkinComBox::InnerCombo() const {
    const HWND first = FHandle != nullptr ? GetTopWindow(FHandle) : nullptr;
    return first != nullptr && IsComboBoxClass(first) ? first : nullptr;
}

HWND TSkinComBox::InfoWindow() const {
    const HWND inner = InnerCombo();
    return inner != nullptr ? inner : FHandle;
}

void TSkinComBox::HookEdit() {
    // Every window procedure layer calls ANSI and Unicode windows alike, so
    // the edit of a Unicode combo box is hooked too.
    const HWND first = GetTopWindow(FHandle);
    if (first == nullptr) {
        return;
    }
    if (FEditHook.Install<TSkinComBox, &TSkinComBox::EditHook>(first, ui::SubclassKind::ComboEditPainter, this)) {
        FEditWindow = first;
    }
}

LRESULT TSkinComBox::EditHook(UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND edit = FEditWindow;
    const std::shared_ptr<ui::Component*> alive = LifetimeCell();
    const LRESULT result = ui::WindowSubclass::CallNext(edit, msg, wParam, lParam);
    if (*alive == nullptr || !FActive) {
        return result;
    }
    switch (msg) {
    case WM_PAINT:
        PaintWindow(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        TrackPress(msg);
        break;
    case WM_MOUSEMOVE: {
        // The inner combo box of an extended one holds the button.
        POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
        MapWindowPoints(edit, FHandle, &point, 1);
        TrackHot(point);
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, edit, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_MOUSELEAVE:
        HotFromCursor();
        break;
    case WM_NCDESTROY:
        FEditWindow = nullptr;  // the layer left the chain by itself
        break;
    default:
        break;
    }
    return result;
}

void TSkinComBox::FreeListPainters() {
    for (ui::OwnedComponent<TSkinControl>* held : {&FDropListPainter, &FListScrollPainter}) {
        if (TSkinControl* painter = held->get(); painter != nullptr && painter->State() != PainterState::Gone) {
            painter->Detach();
        }
        held->reset();
    }
}

void TSkinComBox::Detach() {
    FEditHook.Remove();
    FEditWindow = nullptr;
    FreeListPainters();
    TSkinControl::Detach();
}

void TSkinComBox::TrackPress(UINT msg) {
    FMouseState = msg == WM_LBUTTONUP ? uint8_t(FMouseState & ~kPressed) : uint8_t(FMouseState | kPressed);
    Repaint();
}

void TSkinComBox::TrackHot(POINT point) {
    if (!IsWindowEnabled(FHandle)) {
        return;
    }
    const bool over = PtInRect(&FButtonRect, point) != FALSE;
    if (over != Hot()) {
        FMouseState = over ? uint8_t(FMouseState | kHot) : uint8_t(FMouseState & ~kHot);
        Repaint();
    }
}

void TSkinComBox::HotFromCursor() {
    // Leaving the edit for the button, or the combo for its edit, is no
    // leaving of the button for the other.
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    TrackHot(cursor);
}

void TSkinComBox::ClearHot() {
    if (Hot()) {
        FMouseState &= uint8_t(~kHot);
        Repaint();
    }
}

void TSkinComBox::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        break;
    case WM_MOUSEMOVE: {
        TrackHot(POINT{short(LOWORD(message.lParam)), short(HIWORD(message.lParam))});
        // The toolkit tells windowed controls nothing when the mouse leaves.
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_DRAWITEM:
    case WM_NCPAINT:
        Repaint();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        TrackPress(message.msg);
        break;
    case ui::CM_MOUSELEAVE:
        ClearHot();
        break;
    case WM_MOUSELEAVE:
        HotFromCursor();
        break;
    case ui::CN_COMMAND:
        if (HIWORD(message.wParam) == CBN_DROPDOWN) {
            FDroppedDown = 1;
        } else if (HIWORD(message.wParam) == CBN_CLOSEUP) {
            FDroppedDown = 0;
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

int TSkinComBox::FrameIndex() const {
    if (!FEnabled) {
        return 3;
    }
    if (FMouseState & kPressed) {
        return 2;
    }
    return FFocused || (FMouseState & kHot) ? 4 : 1;
}

void TSkinComBox::DrawTo(HDC dc, const RECT& rect) {
    if (FSkinData != nullptr) {
        FSkinData->EnsureComboLooks();
    }
    if (FSkinData == nullptr || FSkinData->ComboButton == nullptr || FSkinData->ComboButton->Empty()) {
        return;
    }
    const HWND inner = InnerCombo();
    if (inner == nullptr) {
        DrawCombo(dc, rect, FHandle);
        return;
    }
    // An extended combo box is covered by the combo box inside it: the frame
    // and button go onto that one, over what it draws of itself.
    const ui::WindowDc innerDc(inner, ui::WindowDc::Area::Window);
    RECT outer{};
    if (innerDc.get() == nullptr || !GetWindowRect(inner, &outer)) {
        return;
    }
    DrawCombo(innerDc.get(), RECT{0, 0, outer.right - outer.left, outer.bottom - outer.top}, inner);
    MapWindowPoints(inner, FHandle, reinterpret_cast<POINT*>(&FButtonRect), 2);
}

void TSkinComBox::DrawCombo(HDC dc, const RECT& rect, HWND surface) {
    FStyle = WindowStyle();
    FExStyle = DWORD(GetWindowLongPtrW(FHandle, GWL_EXSTYLE));
    if (ReadComboInfo(surface, FComboInfo)) {
        FButtonRect = FComboInfo.rcButton;
        if ((FComboInfo.stateButton & STATE_SYSTEM_INVISIBLE) != 0) {
            return;
        }
    }
    const HWND focus = GetFocus();
    FFocused = focus != nullptr && (focus == FHandle || IsChild(FHandle, focus)) ? 1 : 0;
    FEnabled = (FStyle & WS_DISABLED) == 0 ? 1 : 0;
    if (FSkinData->ComboButton->Style == 1) {
        DrawFlat(dc, rect);
        return;
    }
    RECT area = rect;
    OffsetRect(&area, -area.left, -area.top);
    const int frame = FrameIndex();
    if (FExtended) {
        DrawExtended(dc, area, frame, surface);
        return;
    }
    if (FSkinData->ComboButton->Style == 2) {
        const bool leftButton = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
        const TDataSkinObject& element = leftButton && FSkinData->SunkEdge != nullptr
                                             ? *FSkinData->SunkEdge
                                             : static_cast<const TDataSkinObject&>(*FSkinData->ComboButton);
        DrawSkinFrame(dc, area, element.Bitmap, false, false, true, element.FrameCount(), frame, element.Margins);
        return;
    }
    DrawNormal(dc, area, frame);
}

void TSkinComBox::DrawNormal(HDC dc, const RECT& area, int frame) {
    const int w = area.right;
    const int h = area.bottom;
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    const TDataSkinBorder& button = *FSkinData->ComboButton;
    const bool leftButton = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const ui::SavedDcState saved(dc);
    RECT buttonBox{};
    RECT arrowBox{};
    if (leftButton) {
        ExcludeClipRect(dc, a + 4, 2, w - 2, h - 2);
        buttonBox = RECT{0, 0, a + 2, h};
        arrowBox = RECT{2, 0, a + 2, h};
    } else {
        ExcludeClipRect(dc, 2, 2, w - a - 4, h - 2);
        buttonBox = RECT{w - a - 2, 0, w, h};
        arrowBox = RECT{w - a - 2, 0, w - 2, h};
    }
    if (FSkinData->SunkEdge == nullptr) {
        return;  // no skinned frame without the sunken edge
    }
    DrawSkinElement(dc, area, FSkinData->SunkEdge->FrameCount(), frame, *FSkinData->SunkEdge);
    DrawStripFrame(dc, buttonBox, button.FrameCount(), frame, leftButton ? button.Bitmap2 : button.Bitmap);
    FButtonRect = buttonBox;
    if (FSkinData->ExtraImages != nullptr && !FSkinData->ExtraImages->Empty()) {
        DrawCentredFrame(dc, arrowBox, FSkinData->ExtraImages->Bitmap, true, FSkinData->ExtraImages->FrameCount(),
                         frame);
    }
}

void TSkinComBox::DrawExtended(HDC dc, const RECT& area, int frame, HWND surface) {
    FrameWith(dc, area, FSkinData->Colours[scButtonShadow]);
    FrameWith(dc, Inflated(area, -1), ui::clWhite);
    if (FComboInfo.cbSize == 0 || IsRectEmpty(&FComboInfo.rcButton)) {
        return;
    }
    const RECT box = ClientToWindowArea(surface, FComboInfo.rcButton);
    FillFormColour(dc, box);
    const TDataSkinObject* arrow = FSkinData->ComboxArrow.get();
    if (arrow != nullptr && !arrow->Empty()) {
        DrawStateFrame(dc, box, arrow->Bitmap, true, arrow->FrameCount(), frame);
    }
}

void TSkinComBox::DrawFlat(HDC dc, const RECT& rect) {
    const TDataSkinBorder& button = *FSkinData->ComboButton;
    int frame = 3;
    if (FMouseState & kPressed) {
        frame = 2;
    } else if (FFocused || (FMouseState & kHot)) {
        frame = 4;
    } else if (FEnabled) {
        frame = 1;
    }
    const bool leftButton = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    const RECT ring = Inflated(rect, -1);
    FrameRect(dc, &ring, brush);
    const RECT inner = Inflated(rect, -2);
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    RECT thumbBox = inner;
    if (leftButton) {
        thumbBox.right = inner.left + thumb;
    } else {
        thumbBox.left = inner.right - thumb;
    }
    FillRect(dc, &thumbBox, brush);
    const int cellWidth = button.Bitmap.Width() / button.FrameCount();
    RECT arrowBox = inner;
    if (leftButton) {
        arrowBox.right = inner.left + cellWidth;
    } else {
        arrowBox.left = inner.right - cellWidth;
    }
    if (button.Bitmap.Height() < thumb) {
        arrowBox.bottom = arrowBox.top + button.Bitmap.Height();
    }
    FrameWith(dc, rect, FSkinData->Colours[scButtonShadow]);
    FButtonRect = arrowBox;
    DrawStripFrame(dc, arrowBox, button.FrameCount(), frame, button.Bitmap);
}

} // namespace skin
