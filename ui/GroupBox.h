#pragma once
// A captioned frame around other controls, over the system's group-box
// button window.

#include "ui/WinControl.h"

namespace ui {

class GroupBox : public WinControl {
public:
    static const ClassInfo kClass;
    // "TCustomGroupBox", the ancestor of every kind of group box.
    static const ClassInfo kCustomClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit GroupBox(Component* owner);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void WndProc(Message& message) override;
};

} // namespace ui
