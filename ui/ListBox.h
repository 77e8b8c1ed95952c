#pragma once
// A list of text items with one selected, over the system's list box.

#include "ui/BorderStyle.h"
#include "ui/WinControl.h"

#include <string>
#include <vector>

namespace ui {

class ListBox : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ListBox(Component* owner);

    // The items in the order the list shows them (sorted when Sorted).
    std::vector<std::wstring> Items() const;
    void AddItem(const std::wstring& text);
    void SetItems(const std::vector<std::wstring>& items);
    void Clear();
    int Count() const { return int(items_.size()); }

    // -1 when nothing is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    ControlBorder BorderStyle() const { return border_; }
    void SetBorderStyle(ControlBorder border);

    // The user chose an item (mouse or keyboard); OnChange follows OnClick.
    std::function<void(Control& sender)> OnClick;
    std::function<void(Control& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;

private:
    void FillWindow();

    std::vector<std::wstring> items_;  // as added; the window sorts its own copy
    int itemIndex_ = -1;               // kept while there is no window
    bool sorted_ = false;
    ControlBorder border_ = ControlBorder::Single;
};

} // namespace ui
