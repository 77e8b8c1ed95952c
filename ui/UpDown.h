#pragma once
// Up-down (spin) arrows over the system's up-down window, optionally tied to
// an edit whose number they step.

#include "ui/WinControl.h"

#include <functional>

namespace ui {

class Edit;

// Published as "Orientation": udVertical, udHorizontal.
enum class UpDownOrientation { Vertical, Horizontal };

class UpDown : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit UpDown(Component* owner);

    // Published as "Position", "Min" and "Max"; the position stays in range.
    int Position() const;
    void SetPosition(int position);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);

    // The edit that shows the position; the arrows sit at its right.
    Edit* Associate() const { return associate_.get(); }
    void SetAssociate(Edit* edit);

    // Takes effect when the window is made.
    UpDownOrientation Orientation() const { return orientation_; }
    void SetOrientation(UpDownOrientation orientation);

    // The user stepped the position (arrows, arrow keys in the edit); a
    // position set by the program fires nothing.
    std::function<void(Control& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;

private:
    void ApplyBuddy();

    int position_ = 0;
    int min_ = 0;
    int max_ = 100;
    UpDownOrientation orientation_ = UpDownOrientation::Vertical;
    Ref<Edit> associate_;
};

} // namespace ui
