#pragma once
// Top-level windows: border styles and icons, show/hide, the modal loop with
// its result, closing with its queries, activation and the active control.

#include "ui/WinControl.h"

namespace ui {

class MainMenu;

enum class BorderStyle { None, Sizeable, Dialog, ToolWindow, SizeToolWindow };

using BorderIcons = unsigned;
constexpr BorderIcons biSystemMenu = 1;
constexpr BorderIcons biMinimize = 2;
constexpr BorderIcons biMaximize = 4;

enum class FormStyle { Normal, StayOnTop };

enum class CloseAction { None, Hide, Free, Minimize };

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;
constexpr int mrYes = IDYES;
constexpr int mrNo = IDNO;

class Form : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Form(Component* owner);
    ~Form() override;

    BorderStyle borderStyle = BorderStyle::Sizeable;
    BorderIcons borderIcons = biSystemMenu | biMinimize | biMaximize;
    FormStyle formStyle = FormStyle::Normal;
    bool autoScroll = false;

    void SetClientSize(int width, int height) override;
    RECT ClientRect() const override;

    void SetVisible(bool visible) override;
    // Shows the form and runs a message loop until ModalResult is set; the
    // other windows of the thread are disabled meanwhile.
    int ShowModal();
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Asks OnCloseQuery, then OnClose, and hides, frees or ends the
    // application as the close action says. A modal form just gets mrCancel.
    void Close();
    bool CloseQuery();
    // Frees the form once the current message has been handled.
    void Release();

    bool Active() const { return active_; }
    WinControl* ActiveControl() const { return activeControl_.get(); }
    void SetActiveControl(WinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(WinControl* current, bool forward);
    void BringToFront();

    MainMenu* Menu() const;
    void SetMenu(MainMenu* menu);

    std::function<void(Form& sender)> OnCreate;
    std::function<void(Form& sender)> OnShow;
    std::function<void(Form& sender)> OnHide;
    std::function<void(Form& sender)> OnActivate;
    std::function<void(Form& sender)> OnDeactivate;
    std::function<void(Form& sender, bool& canClose)> OnCloseQuery;
    std::function<void(Form& sender, CloseAction& action)> OnClose;
    std::function<void(Form& sender, int& newWidth, int& newHeight, bool& resize)> OnCanResize;

    // Runs OnCreate; a form calls it at the end of its own constructor, once
    // its controls exist.
    void DoCreate();

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;
    void VisibleChanged() override;

private:
    friend class WinControl;
    void FocusChanged(WinControl* control);
    void ActivationChanged(bool active);
    void CloseModal();
    bool CanResize(WINDOWPOS& position);

    bool modal_ = false;
    int modalResult_ = mrNone;
    bool active_ = false;
    bool showing_ = false;
    Ref<WinControl> activeControl_;
    Ref<Component> menu_;
};

} // namespace ui
