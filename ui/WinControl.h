#pragma once
// Controls with a window: the handle made on demand, child controls, the tab
// order, focus, keyboard events, and the window procedure that routes every
// message of the window through the control's WindowProc.

#include "ui/Control.h"
#include "ui/Gdi.h"

#include <string>
#include <vector>

namespace ui {

// What a control asks of CreateWindowEx. baseClass names a system class to
// superclass ("EDIT", "BUTTON", ...); empty means a class of our own.
struct WindowCreateParams {
    std::wstring className;
    std::wstring baseClass;
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT classStyle = CS_DBLCLKS;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
};

class WinControl : public Control {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit WinControl(Component* owner);
    ~WinControl() override;

    // The window handle, created (with the parent's) if there is none yet.
    HWND Handle();
    HWND HandleIfAllocated() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // A new window in place of the old one, for a style the system takes
    // only at creation (CM_RECREATEWND goes through the message handler).
    void RecreateWnd();

    // The toolkit control behind a window handle, or none for windows the
    // toolkit did not make (other modules, other threads, system windows).
    static WinControl* FromHandle(HWND window);
    // The name of the window property that carries the control.
    static const std::wstring& ControlPropertyName();

    const std::vector<Control*>& Controls() const { return controls_; }
    int ControlCount() const { return int(controls_.size()); }

    int TabOrder() const;
    void SetTabOrder(int order);
    bool tabStop = false;
    // The windowed controls below this one in tab order, depth first.
    void GetTabOrderList(std::vector<WinControl*>& list) const;

    bool Focused() const;
    bool CanFocus() const;
    virtual void SetFocus();

    void Invalidate() override;
    void Repaint() override;
    RECT ClientRect() const override;
    std::wstring Caption() const override;

    std::function<void(Control& sender)> OnEnter;
    std::function<void(Control& sender)> OnExit;
    // The character typed; set it to 0 to swallow the key.
    std::function<void(Control& sender, wchar_t& key)> OnKeyPress;
    std::function<void(Control& sender, WORD& key, ShiftState shift)> OnKeyDown;

    // Lays out the children that have an alignment.
    void AlignControls();
    // Paints the graphic children that intersect the DC's clip box (a skin
    // painter that draws the whole control draws them too).
    void PaintGraphicChildren(HDC dc);

protected:
    virtual void CreateParams(WindowCreateParams& params);
    // Runs once the window exists: the toolkit state is pushed to it.
    virtual void HandleCreated();
    void DestroyHandle();

    void WndProc(Message& message) override;
    void DefaultHandler(Message& message) override;

    void BoundsChanged(const RECT& previous) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void CaptionChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

    // Background for WM_ERASEBKGND and for the colour messages.
    HBRUSH BackgroundBrush();
    // Answer to a reflected WM_CTLCOLOR*: text and background from the
    // control's font and colour.
    void AnswerControlColor(Message& message);
    void EnsureChildHandles();
    // A child control was added or removed.
    virtual void ControlsChanged() {}
    // Moves the window to bounds_ (children: relative to the parent).
    void ApplyBounds();

private:
    friend class Control;
    friend class Form;
    void InsertControl(Control* control);
    void RemoveControl(Control* control);
    void AttachHandle(HWND window);
    void HandleGone();
    bool ReflectToChild(Message& message);
    Control* GraphicChildAt(POINT point) const;
    // Tells window-less children the mouse came over them or left them.
    void HoverGraphicChild(Control* graphic);
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;
    std::vector<Control*> controls_;
    std::vector<WinControl*> tabList_;
    UniqueBrush brush_;
    Color brushColor_ = clNone;
    UniqueFont fontHandle_;
    bool aligning_ = false;
    Ref<Control> hoveredGraphic_;
};

} // namespace ui
