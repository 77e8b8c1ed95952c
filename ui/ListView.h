#pragma once
// A report-style list: rows of cells under a header of column captions, over
// the system's list view.

#include "ui/BorderStyle.h"
#include "ui/WinControl.h"

#include <string>
#include <vector>

namespace ui {

class ListView : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ListView(Component* owner);

    struct Column {
        std::wstring caption;
        int width = 80;
    };
    void AddColumn(const std::wstring& caption, int width);
    const std::vector<Column>& Columns() const { return columns_; }

    // One row; the first cell is the item, the rest its sub-items.
    void AddItem(const std::vector<std::wstring>& cells);
    void Clear();
    int ItemCount() const { return int(rows_.size()); }
    // The text of a cell, empty outside the rows and columns.
    std::wstring Cell(int row, int column) const;

    // -1 when no row is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // The header window, none before the list has a window.
    HWND Header() const;

    ControlBorder BorderStyle() const { return border_; }
    void SetBorderStyle(ControlBorder border);

    std::function<void(Control& sender)> OnChange;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;

private:
    void InsertColumn(int index);
    void InsertRow(int index);

    std::vector<Column> columns_;
    std::vector<std::vector<std::wstring>> rows_;
    ControlBorder border_ = ControlBorder::Single;
};

} // namespace ui
