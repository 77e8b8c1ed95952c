#pragma once
// Controls: a rectangle on a parent with visibility, enabling, colour, font and
// caption; events; and the replaceable message handler WindowProc.

#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Component.h"
#include "ui/Font.h"
#include "ui/Messages.h"

#include <functional>
#include <string>

namespace ui {

class WinControl;
class Form;

enum class Align { None, Top, Bottom, Left, Right, Client };

class Control : public Component {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Control(Component* owner);
    ~Control() override;

    WinControl* Parent() const { return parent_; }
    virtual void SetParent(WinControl* parent);
    // The form this control sits on (itself for a form), or none.
    Form* ParentForm() const;

    // Position relative to the parent's client area (the screen for forms);
    // width and height are the outer size.
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    RECT BoundsRect() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    virtual RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    virtual void SetClientSize(int width, int height);
    void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;

    Align GetAlign() const { return align_; }
    void SetAlign(Align align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to the form visible too.
    bool Showing() const;

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    Color GetColor() const { return color_; }
    void SetColor(Color color);
    bool parentColor = false;

    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);
    bool ParentFontInUse() const { return parentFont_; }

    // The caption, or a windowed control's text as the window holds it now.
    virtual std::wstring Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);

    virtual void Invalidate();
    // Invalidate and paint now.
    virtual void Repaint();

    // Sends a message through WindowProc and answers its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The message handler every message of this control goes through. It
    // starts as the control's own handling; other code may save it, put its
    // own in place (calling the saved one for what it passes on) and later
    // restore it.
    MessageHandler WindowProc;
    // The control's own handling, whatever WindowProc holds now.
    void DefaultWindowProc(Message& message) { WndProc(message); }

    std::function<void(Control& sender)> OnClick;
    std::function<void(Control& sender, MouseButton button, ShiftState shift, int x, int y)> OnMouseDown;
    std::function<void(Control& sender, MouseButton button, ShiftState shift, int x, int y)> OnMouseUp;
    std::function<void(Control& sender, ShiftState shift, int x, int y)> OnMouseMove;

    // True from the start of the toolkit's destruction steps: events are no
    // longer fired.
    bool Destroying() const { return destroying_; }

protected:
    // The control's own message handling; ends in DefaultHandler for what it
    // does not handle.
    virtual void WndProc(Message& message);
    virtual void DefaultHandler(Message& message);

    virtual void Click();
    // Pushes state to the window, if there is one.
    virtual void BoundsChanged(const RECT& /*previous*/) {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void CaptionChanged() {}
    virtual void FontChanged() {}
    virtual void ColorChanged() { Invalidate(); }
    // A parent's font or colour changed; children that follow it update.
    void ParentFontChanged(const Font& font);
    void ParentColorChanged(Color color);

    // Stores bounds read back from the window without moving it again.
    void UpdateBounds(const RECT& bounds) { bounds_ = bounds; }
    void MarkDestroying() { destroying_ = true; }
    // Fires the mouse events; a left press and release inside the control
    // also clicks it when clickOnRelease (system buttons report their own
    // clicks).
    bool MouseMessage(Message& message, bool clickOnRelease = true);

    RECT bounds_{0, 0, 0, 0};
    WinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    Align align_ = Align::None;
    Color color_ = clBtnFace;
    Font font_;
    bool parentFont_ = true;
    std::wstring caption_;
    bool destroying_ = false;
    bool mousePressed_ = false;

    friend class WinControl;
};

// A published Boolean property kept in a public field of T; a change repaints.
template <class T, bool T::*field>
constexpr PropertyInfo BoolFieldProperty(std::string_view name) {
    return {name, [](const Component& c) { return BoolToText(static_cast<const T&>(c).*field); },
            [](Component& c, std::string_view value) {
                auto& control = static_cast<T&>(c);
                control.*field = TextToBool(value);
                control.Invalidate();
            }};
}

// A published whole-number property kept in a public field of T; a change repaints.
template <class T, int T::*field>
constexpr PropertyInfo IntFieldProperty(std::string_view name) {
    return {name, [](const Component& c) { return IntToText(static_cast<const T&>(c).*field); },
            [](Component& c, std::string_view value) {
                auto& control = static_cast<T&>(c);
                control.*field = int(TextToInt(value));
                control.Invalidate();
            }};
}

// A control without a window of its own: its parent paints it and hands it the
// mouse messages over its rectangle.
class GraphicControl : public Control {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit GraphicControl(Component* owner) : Control(owner) {}

    void Invalidate() override;
    void Repaint() override;

    // Draws the control; the canvas origin is the control's top-left corner.
    virtual void Paint(Canvas& canvas) = 0;
    // Holds the parent's DC while the control paints (WM_PAINT with the DC
    // in wParam), none at other times.
    Canvas& GetCanvas() { return canvas_; }

protected:
    void WndProc(Message& message) override;
    void VisibleChanged() override { Invalidate(); }
    void BoundsChanged(const RECT& previous) override;
    void EnabledChanged() override { Invalidate(); }
    void CaptionChanged() override { Invalidate(); }
    void FontChanged() override { Invalidate(); }

private:
    Canvas canvas_;
};

} // namespace ui
