#pragma once
// The class families the mapping's rules test. Which classes belong to a
// family is this program's choice; the rule, its gate and its painter are
// fixed. A control belongs to a family when its class or an ancestor has
// one of the family's names.

#include <string_view>

namespace ui {
class Control;
}

namespace skin {

enum class ControlFamily {
    TabControl,
    PageControl,
    CoolBar,
    TabSheet,
    NotebookTabs,
    Header,
    TrackBar,
    RadioGroup,
    GroupBox,
    RadioButton,
    StatusBar,
    ProgressBar,
    ScrollingPanel,
    ComboBox,
    EditWithButton,
    BitButton,
    SpeedButton,
    ListView,
    ListBox,         // the first further scrolling class
    TreeView,        // the second
    ScrollingClass,  // the classes the scroll-bar test takes without looking at the style
    Frame,
};

bool IsOfFamily(const ui::Control& control, ControlFamily family);

// The scroll-bar test: a windowed control with a scroll-bar style, or one
// of the scrolling classes.
bool PassesScrollTest(const ui::Control& control);

} // namespace skin
