#pragma once
// Date-time pickers: the skin's border ring, and a small child window of
// the painter's own over the picker's drop-down button, drawn from the
// skin's arrow picture, that hands its clicks to the picker.

#include "skin/controls/SkinControl.h"

#include <memory>

namespace skin {

class TSkinDateTime;

// Not a tab stop; lives as a child of the picker and goes with it.
class TArrowButton {
public:
    TArrowButton(TSkinDateTime& painter, HWND picker);
    ~TArrowButton();
    TArrowButton(const TArrowButton&) = delete;
    TArrowButton& operator=(const TArrowButton&) = delete;

    HWND Handle() const { return FHandle; }
    bool Hot() const { return (FHot & 1) != 0; }
    // Left edge for a picker `pickerWidth` wide; height from the picker.
    void Place(int pickerWidth);
    void Repaint() const;

    const int FArrowWidth;

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void SetHot(bool hot);
    // Into the DC given (WM_PAINT with a DC, WM_PRINTCLIENT), else its own.
    void Paint(HDC given);

    TSkinDateTime& FPainter;
    const HWND FPickerWindow;
    HWND FHandle = nullptr;
    uint8_t FHot = 0;
};

class TSkinDateTime : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit TSkinDateTime(ui::Component* owner);
    ~TSkinDateTime() override;

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void Detach() override;
    void AfterMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;

    TArrowButton* ArrowButton() const { return FArrowButton.get(); }
    // The arrow button's face: the form colour under the skin's arrow picture.
    void DrawArrowFace(HDC dc, const RECT& box, bool hot) const;

private:
    std::unique_ptr<TArrowButton> FArrowButton;
};

} // namespace skin
