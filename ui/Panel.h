#pragma once
// A container window that paints its colour, an optional bevel and a centred
// caption, and hosts other controls.

#include "ui/WinControl.h"

namespace ui {

enum class Bevel { None, Lowered, Raised };

class Panel : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Panel(Component* owner);

    Bevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(Bevel bevel);
    bool parentBackground = true;

protected:
    void WndProc(Message& message) override;

private:
    void PaintPanel(HDC dc);
    Bevel bevelOuter_ = Bevel::Raised;
};

} // namespace ui
