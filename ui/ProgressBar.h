#pragma once
// A progress bar over the common-controls progress window, lying or standing.

#include "ui/WinControl.h"

namespace ui {

enum class BarOrientation { Horizontal, Vertical };

class ProgressBar : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ProgressBar(Component* owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // A range whose maximum lies below its minimum is taken as empty (max = min).
    void SetRange(int min, int max);
    void SetMin(int min) { SetRange(min, max_); }
    void SetMax(int max) { SetRange(min_, max); }
    // Kept within the range.
    void SetPosition(int position);
    BarOrientation Orientation() const { return orientation_; }
    void SetOrientation(BarOrientation orientation);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    BarOrientation orientation_ = BarOrientation::Horizontal;
};

} // namespace ui
