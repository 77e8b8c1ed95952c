#pragma once
// Edits keep their native client area and text; the painter draws only the
// ring of their border in the skin's border colour, and gives an up-down
// child of the edit a painter of its own.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinEdit : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinEdit(ui::Component* owner) : TSkinControl(owner) {}

    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    // The outer ring in the border colour and the one inside it in the
    // brush the DC holds (WM_PRINT). Nothing for an edit without a border.
    void DrawBorderKeepBrush(HDC dc);

    TSkinControl* UpDownPainter() const { return FUpDownPainter.get(); }

private:
    // The first up-down child, given its painter once.
    void FindUpDown();

    // Owned by the edit's owner and held by the form painter; the Ref turns
    // empty when either frees it.
    ui::Ref<TSkinControl> FUpDownPainter;
    // A bare edit painted on its own (no owner, no form painter) keeps it.
    ui::OwnedComponent<TSkinControl> ownUpDown_;
};

} // namespace skin
