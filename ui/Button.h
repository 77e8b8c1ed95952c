#pragma once
// Push buttons and check boxes over the system button window.

#include "ui/WinControl.h"

namespace ui {

class Button : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Button(Component* owner);

    // When not mrNone, a click also sets the form's modal result.
    int modalResult = 0;
    bool isDefault = false;

    void Click() override;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void WndProc(Message& message) override;
};

class CheckBox : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit CheckBox(Component* owner);

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void WndProc(Message& message) override;

private:
    bool checked_ = false;
};

} // namespace ui
