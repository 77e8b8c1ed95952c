#pragma once
// Texts on a form: Label is drawn by its parent (no window); StaticText is a
// window of its own.

#include "ui/WinControl.h"

namespace ui {

enum class Alignment { Left, Right, Center };

class Label : public GraphicControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Label(Component* owner);

    Alignment alignment = Alignment::Left;
    bool transparent = false;
    bool wordWrap = false;

    void Paint(Canvas& canvas) override;
};

class StaticText : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit StaticText(Component* owner);

    Alignment alignment = Alignment::Left;

protected:
    void CreateParams(WindowCreateParams& params) override;
};

} // namespace ui
