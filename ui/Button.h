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

enum class CheckBoxState { Unchecked, Checked, Grayed };

class CheckBox : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit CheckBox(Component* owner);

    bool Checked() const;
    void SetChecked(bool checked);
    // Grayed only when AllowGrayed(); published as "State" (cbUnchecked,
    // cbChecked, cbGrayed).
    CheckBoxState State() const;
    void SetState(CheckBoxState state);
    // The box cycles through the grayed state too.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void WndProc(Message& message) override;

private:
    CheckBoxState state_ = CheckBoxState::Unchecked;
    bool allowGrayed_ = false;
};

// One choice of a group: checking it clears the other radio buttons of the
// same parent (the system does that for buttons of one group).
class RadioButton : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit RadioButton(Component* owner);

    // Published as "Checked".
    bool Checked() const;
    void SetChecked(bool checked);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void WndProc(Message& message) override;

private:
    bool checked_ = false;
};

} // namespace ui
