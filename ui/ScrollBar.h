#pragma once
// A scroll-bar control: a position between Min and Max, moved by the user
// through the system's bar; PageSize gives a proportional thumb.

#include "ui/WinControl.h"

namespace ui {

enum class ScrollBarKind { Horizontal, Vertical };

class ScrollBar : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ScrollBar(Component* owner);

    ScrollBarKind Kind() const { return kind_; }
    void SetKind(ScrollBarKind kind);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int PageSize() const { return pageSize_; }
    void SetMin(int min) { SetParams(position_, min, max_); }
    void SetMax(int max) { SetParams(position_, min_, max); }
    void SetPosition(int position) { SetParams(position, min_, max_); }
    // A page larger than the range is cut to it.
    void SetPageSize(int page);
    // Max below min is taken as min; the position is kept inside the range.
    void SetParams(int position, int min, int max);

    int smallChange = 1;
    int largeChange = 1;

    std::function<void(Control& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;

private:
    // The highest position the thumb can reach.
    int LastPosition() const;
    void PushToWindow();
    void Scroll(WORD code);

    ScrollBarKind kind_ = ScrollBarKind::Horizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
};

} // namespace ui
