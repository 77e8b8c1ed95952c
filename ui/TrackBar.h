#pragma once
// A slider over the common-controls track bar window.

#include "ui/ProgressBar.h"  // BarOrientation
#include "ui/WinControl.h"

#include <functional>

namespace ui {

class TrackBar : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit TrackBar(Component* owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    // The thumb's place, as the user left it.
    int Position() const;
    void SetPosition(int position);
    BarOrientation Orientation() const { return orientation_; }
    void SetOrientation(BarOrientation orientation);

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;

private:
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    BarOrientation orientation_ = BarOrientation::Horizontal;
};

} // namespace ui
