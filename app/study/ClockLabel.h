#pragma once
// A label of the study window's tool-bar clock: its text centred in the
// label's height (the tool bar's), on the line of the buttons, not at its top.

#include "ui/Label.h"

namespace app {

class ClockLabel : public ui::Label {
public:
    using ui::Label::Label;
    void Paint(ui::Canvas& canvas) override;
};

} // namespace app
