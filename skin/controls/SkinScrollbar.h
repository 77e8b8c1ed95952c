#pragma once
// Painters of a control's own scroll bars: an overlay over each native bar,
// kept placed and redrawn as the control scrolls, resizes, hides or is made
// anew, and a one-pixel skin border around the control. The list view's
// painter also gives its header a painter of its own.

#include "skin/controls/ControlSetUp.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"

#include <memory>

namespace skin {

class TSkinScrollbar : public TSkinControl, public ControlSetUp {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinControl::TSkinControl;

    virtual void AttachScrollBars(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                                  ui::Canvas* canvas);
    void SetUpControl(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                      ui::Canvas* canvas) override {
        AttachScrollBars(control, skinData, form, canvas);
    }

    bool BeforeMessage(ui::Message& message) override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;
    void Detach() override;

    TWScrollbar* HorzBar() const { return FHorzBar.get(); }
    TWScrollbar* VertBar() const { return FVertBar.get(); }
    bool SkinBorder() const { return FSkinBorder != 0; }

protected:
    // The border into the window's DC: the border colour outside, the form
    // colour one pixel inside.
    void DrawBorder(HDC windowDc);

    std::unique_ptr<TWScrollbar> FHorzBar;
    std::unique_ptr<TWScrollbar> FVertBar;
    uint8_t FSkinBorder = 0;
    uint8_t FSized = 0;
};

class TSkinListView : public TSkinScrollbar {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinScrollbar::TSkinScrollbar;

    void AttachScrollBars(ui::Control& control, TSkinData* skinData, ControlPainterHost* form,
                          ui::Canvas* canvas) override;

    // None while the engine has no header painter: the header stays native.
    TSkinControl* HeaderPainter() const { return FHeaderPainter; }

private:
    TSkinControl* FHeaderPainter = nullptr;  // owned by the list view
};

// The bars of a window as it paints: a shown overlay is redrawn, a hidden
// one whose bar the window's style has is placed again, and the corner square
// between two shown bars takes the colour `face`. Either bar may be none.
void RefreshBars(HDC dc, HWND window, const RECT& windowRect, TWScrollbar* horz, TWScrollbar* vert, ui::Color face);
// WM_HSCROLL/WM_VSCROLL: the part being scrolled shows on its bar.
void ShowScrollCode(const ui::Message& message, TWScrollbar* horz, TWScrollbar* vert);

} // namespace skin
