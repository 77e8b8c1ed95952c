#pragma once
// A small pop-up that shows a hint text near the mouse (the caption buttons'
// hints use it).

#include "ui/WinControl.h"

namespace ui {

class HintWindow : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit HintWindow(Component* owner);

    // The rectangle, at the origin, that shows text wrapped at maxWidth.
    RECT CalcHintRect(int maxWidth, const std::wstring& text);
    // Shows text in rect (screen coordinates) without taking the activation.
    void ActivateHint(const RECT& rect, const std::wstring& text);
    void ReleaseHint();

protected:
    void CreateParams(WindowCreateParams& params) override;
    void WndProc(Message& message) override;
};

} // namespace ui
