#pragma once
// A row of tabs hanging below a bar, as under a sheet of a workbook: a tab
// window of its own kind (not a tab control of the page kind).

#include "ui/TabControl.h"

namespace ui {

class TabSet : public TabControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit TabSet(Component* owner);

protected:
    void CreateParams(WindowCreateParams& params) override;
};

} // namespace ui
