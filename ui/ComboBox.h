#pragma once
// Combo boxes over the system's combo box window: a drop-down with an edit
// field, a drop-down list, or a simple combo with its list always shown; and
// the extended combo box over the system's extended combo window.

#include "ui/WinControl.h"

#include <string>
#include <vector>

namespace ui {

// Published as "Style": csDropDown, csDropDownList, csSimple.
enum class ComboStyle { DropDown, DropDownList, Simple };

// What both combo boxes share: the items, the chosen one, the text and the
// change event.
class CustomCombo : public WinControl {
public:
    explicit CustomCombo(Component* owner);

    // Takes effect when the window is made; a change later makes it anew.
    ComboStyle Style() const { return style_; }
    void SetStyle(ComboStyle style);

    const std::vector<std::wstring>& Items() const { return items_; }
    void AddItem(const std::wstring& text);
    void ClearItems();

    // -1 when no item is chosen. Setting it fires no OnChange.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // The edit field's text, or the chosen item's in a drop-down list.
    std::wstring Text() const { return Caption(); }
    void SetText(const std::wstring& text) { SetCaption(text); }

    // The user chose another item or typed in the edit field.
    std::function<void(Control& sender)> OnChange;

    // Items the drop-down list shows at once.
    int dropDownCount = 8;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;
    // The system takes a drop-down combo's window height as field and list
    // together, and keeps the field's: the list's room is added.
    void BoundsChanged(const RECT& previous) override;

    // The native window's own way of adding an item at the end.
    virtual void AddNativeItem(const std::wstring& text) = 0;

private:
    void FireChange();
    int DropDownRoom() const;

    ComboStyle style_ = ComboStyle::DropDown;
    std::vector<std::wstring> items_;
    int itemIndex_ = -1;
    // The index the last OnChange told of: one choice fires once however
    // often the system repeats its notification.
    int notifiedIndex_ = -1;
};

class ComboBox : public CustomCombo {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ComboBox(Component* owner) : CustomCombo(owner) {}

protected:
    void CreateParams(WindowCreateParams& params) override;
    void AddNativeItem(const std::wstring& text) override;
};

class ComboBoxEx : public CustomCombo {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ComboBoxEx(Component* owner) : CustomCombo(owner) {}

    // The system's combo box inside, which draws the field and the button.
    HWND ComboHandle() const;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void AddNativeItem(const std::wstring& text) override;
};

} // namespace ui
