#pragma once
// A row of tabs over the common-controls tab window, in any of the four
// positions, drawn as tabs or as buttons.

#include "ui/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace ui {

// The class record tab controls of other kinds (page controls) descend from.
extern const ClassInfo kCustomTabControl;

enum class TabPosition { Top, Bottom, Left, Right };
enum class TabStyle { Tabs, Buttons, FlatButtons };

class TabControl : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit TabControl(Component* owner);

    int TabCount() const { return int(tabs_.size()); }
    const std::wstring& TabText(int index) const { return tabs_.at(size_t(index)); }
    void AddTab(const std::wstring& text);
    void SetTabText(int index, const std::wstring& text);
    void DeleteTab(int index);
    void ClearTabs();

    // The selected tab, -1 for none.
    int TabIndex() const;
    void SetTabIndex(int index);

    TabPosition GetTabPosition() const { return position_; }
    void SetTabPosition(TabPosition position);
    TabStyle Style() const { return style_; }
    void SetStyle(TabStyle style);

    // The area inside the tabs and the pane's edge, client coordinates.
    RECT DisplayRect();

    // The user picked another tab.
    std::function<void(TabControl& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;
    // The selection changed (by the user or by SetTabIndex).
    virtual void SelectionChanged() {}
    // Pushes the style bits of position and style to a live window.
    void ApplyStyle();

private:
    std::vector<std::wstring> tabs_;
    int tabIndex_ = -1;  // kept while there is no window
    TabPosition position_ = TabPosition::Top;
    TabStyle style_ = TabStyle::Tabs;
};

} // namespace ui
