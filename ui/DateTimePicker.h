#pragma once
// A date field over the system's date-time picker window, with a drop-down
// calendar or with up-down arrows.

#include "ui/WinControl.h"

namespace ui {

// Published as "DateMode": dmComboBox, dmUpDown.
enum class DateMode { ComboBox, UpDown };

class DateTimePicker : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit DateTimePicker(Component* owner);

    // Published as "Date", "YYYY-MM-DD"; the time of day is not kept.
    SYSTEMTIME Date() const;
    void SetDate(const SYSTEMTIME& date);

    // Takes effect when the window is made; a change later makes it anew.
    DateMode GetDateMode() const { return dateMode_; }
    void SetDateMode(DateMode mode);

    // The user changed the date.
    std::function<void(Control& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;

private:
    SYSTEMTIME date_{};
    DateMode dateMode_ = DateMode::ComboBox;
};

} // namespace ui
