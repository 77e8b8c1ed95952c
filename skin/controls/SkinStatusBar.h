#pragma once
// A status bar drawn on the form colour: its panels (or its one simple
// text) framed by the skin's StatusBarEdges by bevel, and the size grip
// from ExtraImages. Every status bar paints through one shared buffer.

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinStatusBar : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    bool BeforeMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

private:
    // One panel's frame (1 lowered, 2 raised, 3 none) and its text.
    void DrawPanel(HDC dc, const RECT& rect, int frame, const std::wstring& text, UINT alignment);
    std::wstring SimpleText() const;
};

} // namespace skin
