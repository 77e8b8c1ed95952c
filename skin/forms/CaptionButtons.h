#pragma once
// The caption buttons of one form painter: one object per button of the
// skin, which of them are shown (the visibility rule), where they sit, how
// they look, which one the mouse is over, and the hint shown when the mouse
// rests on one. The window-state actions a click runs stay with the painter.

#include "skin/forms/NCObject.h"
#include "ui/Bitmap.h"
#include "ui/Timer.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TWinSkinForm;
class TSkinData;

class CaptionButtons {
public:
    explicit CaptionButtons(TWinSkinForm& form);
    ~CaptionButtons();
    CaptionButtons(const CaptionButtons&) = delete;
    CaptionButtons& operator=(const CaptionButtons&) = delete;

    // --- the objects ---
    // One button per caption button of the skin; the icon button gets the
    // window's icon when the skin has no picture for it.
    void Load(TSkinData& skinData);
    void Clear();
    const std::vector<std::unique_ptr<TNCObject>>& Objects() const { return objects_; }
    // For callers that make their own objects (tests, a menu bar's items).
    TNCObject& Add(std::unique_ptr<TNCObject> object);

    // --- layout, hit test and drawing ---
    // The visibility rule: sets FVisible (and FEnabled for the boxes).
    void ApplyVisibility(TWinSysButton& button) const;
    void Layout();
    // The first visible object with a non-negative Action containing p
    // (frame coordinates).
    TNCObject* At(POINT p) const;
    // Every shown button into the caption band dc.
    void Draw(HDC dc);
    // The room the right-aligned buttons shown now take from the title.
    int32_t RightButtonsWidth();
    // Draws the window icon (the icon button's look) into dc.
    void DrawWindowIcon(HDC dc, const RECT& bounds);
    // The window's small icon as a picture on the key colour.
    void LoadIconBitmap();
    const ui::Bitmap& IconBitmap() const { return iconBitmap_; }

    // --- the mouse ---
    TNCObject* Hot() const { return hot_; }
    void SetHot(TNCObject* object) { hot_ = object; }

    // --- hover and hints ---
    void StartHover() { hoverTimer_.SetEnabled(true); }
    // Stops the hover timer; the painter of an active window also takes
    // down a hint it may have shown.
    void StopHover();
    bool Hovering() const { return hoverTimer_.Enabled(); }
    void HoverTick();
    void ShowHint();
    void HideHint();
    void ResetHint();
    static std::wstring HintText(int32_t action);

private:
    friend struct FormPainterProbe;

    bool Owns(const TNCObject* object) const;

    TWinSkinForm& form_;
    std::vector<std::unique_ptr<TNCObject>> objects_;
    TNCObject* hot_ = nullptr;
    ui::Timer hoverTimer_{nullptr};
    ui::Bitmap iconBitmap_;
    HICON iconHandle_ = nullptr;
    int32_t iconSize_ = 0;
};

} // namespace skin
