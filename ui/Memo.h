#pragma once
// A multi-line text field with optional scroll bars.

#include "ui/BorderStyle.h"
#include "ui/WinControl.h"

namespace ui {

enum class ScrollStyle { None, Horizontal, Vertical, Both };

class Memo : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Memo(Component* owner);

    std::wstring Text() const { return Caption(); }
    void SetText(const std::wstring& text) { SetCaption(text); }
    // The lines as the control wraps and breaks them (one for empty text).
    int LineCount() const;

    ScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(ScrollStyle bars);
    ControlBorder BorderStyle() const { return border_; }
    void SetBorderStyle(ControlBorder border);

    std::function<void(Control& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void WndProc(Message& message) override;

private:
    ScrollStyle scrollBars_ = ScrollStyle::None;
    ControlBorder border_ = ControlBorder::Single;
};

} // namespace ui
