#pragma once
// A group box of radio buttons made from its Items, one button per item laid
// out in Columns, with the checked one at ItemIndex. The buttons belong to
// the group; clicks, Space and the arrow keys move the choice.

#include "ui/Button.h"
#include "ui/GroupBox.h"

#include <string>
#include <vector>

namespace ui {

class RadioGroup : public GroupBox {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit RadioGroup(Component* owner);

    // Published as "Items", one item per line.
    const std::vector<std::wstring>& Items() const { return items_; }
    void SetItems(std::vector<std::wstring> items);
    // Published as "ItemIndex"; -1 when no item is chosen. An index outside
    // the items chooses none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Published as "Columns"; below 1 counts as 1.
    int Columns() const { return columns_; }
    void SetColumns(int columns);

    // The button of item `index`, or none.
    RadioButton* ItemButton(int index) const;

    // The user chose another item (click, Space or an arrow key); ItemIndex
    // is already the new one.
    std::function<void(Control& sender)> OnChange;

protected:
    void BoundsChanged(const RECT& previous) override;
    void FontChanged() override;

private:
    void RebuildButtons();
    void ArrangeButtons();
    // Only the chosen button (else the first) is a tab stop: Tab enters the
    // group once, the arrow keys move inside it.
    void UpdateTabStops();
    void ButtonClicked(Control& button);
    void ButtonKeyDown(Control& button, WORD& key);
    void Choose(int index);

    std::vector<std::wstring> items_;
    std::vector<RadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

} // namespace ui
