#include "ui/Control.h"

#include "ui/Form.h"
#include "ui/WinControl.h"

#include <windowsx.h>

namespace ui {
namespace {

const PropertyInfo kControlProperties[] = {
    {"Caption",
     [](const Component& c) { return WideToUtf8(static_cast<const Control&>(c).Caption()); },
     [](Component& c, std::string_view v) { static_cast<Control&>(c).SetCaption(Utf8ToWide(v)); }},
    {"Visible",
     [](const Component& c) { return BoolToText(static_cast<const Control&>(c).Visible()); },
     [](Component& c, std::string_view v) { static_cast<Control&>(c).SetVisible(TextToBool(v)); }},
    {"Enabled",
     [](const Component& c) { return BoolToText(static_cast<const Control&>(c).Enabled()); },
     [](Component& c, std::string_view v) { static_cast<Control&>(c).SetEnabled(TextToBool(v)); }},
};

} // namespace

const ClassInfo Control::kClass{"TControl", &Component::kClass, kControlProperties};
const ClassInfo GraphicControl::kClass{"TGraphicControl", &Control::kClass};

Control::Control(Component* owner) : Component(owner) {
    WindowProc = [this](Message& message) { WndProc(message); };
}

Control::~Control() {
    destroying_ = true;
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
}

void Control::SetParent(WinControl* parent) {
    if (parent == parent_) {
        return;
    }
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->InsertControl(this);
    }
}

Form* Control::ParentForm() const {
    for (const Control* control = this; control != nullptr; control = control->parent_) {
        if (auto* form = dynamic_cast<Form*>(const_cast<Control*>(control))) {
            return form;
        }
    }
    return nullptr;
}

void Control::SetBounds(int left, int top, int width, int height) {
    const RECT wanted{left, top, left + width, top + height};
    if (EqualRect(&wanted, &bounds_)) {
        return;
    }
    const RECT previous = bounds_;
    bounds_ = wanted;
    BoundsChanged(previous);
    if (parent_ != nullptr && align_ != Align::None) {
        parent_->AlignControls();
    }
}

RECT Control::ClientRect() const { return RECT{0, 0, Width(), Height()}; }

int Control::ClientWidth() const {
    const RECT client = ClientRect();
    return client.right - client.left;
}

int Control::ClientHeight() const {
    const RECT client = ClientRect();
    return client.bottom - client.top;
}

void Control::SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

POINT Control::ClientToScreen(POINT point) const {
    if (parent_ == nullptr) {
        return point;
    }
    return parent_->ClientToScreen(POINT{point.x + Left(), point.y + Top()});
}

POINT Control::ScreenToClient(POINT point) const {
    const POINT origin = ClientToScreen(POINT{0, 0});
    return POINT{point.x - origin.x, point.y - origin.y};
}

void Control::SetAlign(Align align) {
    if (align == align_) {
        return;
    }
    align_ = align;
    if (parent_ != nullptr) {
        parent_->AlignControls();
    }
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    if (parent_ != nullptr && align_ != Align::None) {
        parent_->AlignControls();
    }
}

bool Control::Showing() const {
    for (const Control* control = this; control != nullptr; control = control->parent_) {
        if (!control->visible_) {
            return false;
        }
    }
    return true;
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void Control::SetColor(Color color) {
    parentColor = false;
    if (color == color_) {
        return;
    }
    color_ = color;
    ColorChanged();
    Perform(CM_COLORCHANGED, 0, 0);
}

void Control::ParentColorChanged(Color color) {
    if (parentColor && color != color_) {
        color_ = color;
        ColorChanged();
    }
}

void Control::SetFont(const Font& font) {
    parentFont_ = false;
    if (font == font_) {
        return;
    }
    font_ = font;
    FontChanged();
    Perform(CM_FONTCHANGED, 0, 0);
}

void Control::ParentFontChanged(const Font& font) {
    if (parentFont_ && !(font == font_)) {
        font_ = font;
        FontChanged();
    }
}

void Control::SetCaption(const std::wstring& caption) {
    if (caption == Caption()) {
        return;
    }
    caption_ = caption;
    CaptionChanged();
    Perform(CM_TEXTCHANGED, 0, 0);
}

void Control::Invalidate() {}
void Control::Repaint() {}

LRESULT Control::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    Message message{msg, wParam, lParam, 0};
    if (WindowProc) {
        WindowProc(message);
    } else {
        WndProc(message);
    }
    return message.result;
}

void Control::WndProc(Message& message) {
    if (MouseMessage(message)) {
        return;
    }
    DefaultHandler(message);
}

void Control::DefaultHandler(Message& message) { message.result = 0; }

void Control::Click() {
    if (OnClick && !destroying_) {
        OnClick(*this);
    }
}

// Mouse events of the control's own surface. Answers false so the caller
// still passes the message on to the default handling.
bool Control::MouseMessage(Message& message, bool clickOnRelease) {
    const int x = GET_X_LPARAM(message.lParam);
    const int y = GET_Y_LPARAM(message.lParam);
    const ShiftState shift = MouseShiftState(message.wParam);
    auto down = [&](MouseButton button, bool dbl) {
        if (OnMouseDown && !destroying_) {
            OnMouseDown(*this, button, shift | (dbl ? ssDouble : 0), x, y);
        }
    };
    auto up = [&](MouseButton button) {
        if (OnMouseUp && !destroying_) {
            OnMouseUp(*this, button, shift, x, y);
        }
    };
    switch (message.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        mousePressed_ = true;
        down(MouseButton::Left, message.msg == WM_LBUTTONDBLCLK);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        down(MouseButton::Right, message.msg == WM_RBUTTONDBLCLK);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        down(MouseButton::Middle, message.msg == WM_MBUTTONDBLCLK);
        break;
    case WM_LBUTTONUP: {
        const bool clicked = mousePressed_;
        mousePressed_ = false;
        up(MouseButton::Left);
        const RECT client = ClientRect();
        if (clickOnRelease && clicked && PtInRect(&client, POINT{x, y})) {
            Click();
        }
        break;
    }
    case WM_RBUTTONUP:
        up(MouseButton::Right);
        break;
    case WM_MBUTTONUP:
        up(MouseButton::Middle);
        break;
    case WM_MOUSEMOVE:
        if (OnMouseMove && !destroying_) {
            OnMouseMove(*this, shift, x, y);
        }
        break;
    default:
        break;
    }
    return false;
}

void GraphicControl::WndProc(Message& message) {
    // The parent paints its window-less children by sending them WM_PAINT
    // with its DC, so whatever holds WindowProc may draw instead.
    if (message.msg == WM_PAINT && message.wParam != 0) {
        canvas_.SetHandle(reinterpret_cast<HDC>(message.wParam));
        canvas_.font = font_;
        canvas_.brushColor = color_;
        canvas_.brushClear = false;
        Paint(canvas_);
        canvas_.SetHandle(nullptr);
        return;
    }
    Control::WndProc(message);
}

void GraphicControl::Invalidate() {
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        InvalidateRect(parent_->HandleIfAllocated(), &bounds_, TRUE);
    }
}

void GraphicControl::Repaint() {
    Invalidate();
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        UpdateWindow(parent_->HandleIfAllocated());
    }
}

void GraphicControl::BoundsChanged(const RECT& previous) {
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        InvalidateRect(parent_->HandleIfAllocated(), &previous, TRUE);
    }
    Invalidate();
}

} // namespace ui
