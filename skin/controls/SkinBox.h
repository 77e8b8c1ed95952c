#pragma once
// Painters that give containers the form's colour: toolkit panels and tool
// bars (TSkinBox), bare dialog areas with their static children (TSkinBoxH),
// and size grips (TSkinSizer).

#include "skin/controls/SkinControl.h"

namespace skin {

// Colour only: the control keeps its own message handler. With
// ownBackground it takes the form colour and gets its own back at detach.
class TSkinBox : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AfterMessage(ui::Message& message) override;
    void Detach() override;
};

// A bare container window (a nested dialog, a tool-bar window): its
// background and its static children's background are the form colour.
class TSkinBoxH : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    bool BeforeMessage(ui::Message& message) override;
};

// A size grip drawn as plain form colour.
class TSkinSizer : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    void DrawTo(HDC dc, const RECT& rect) override;
};

} // namespace skin
