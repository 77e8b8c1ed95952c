#include "ui/RadioGroup.h"

#include "ui/Bitmap.h"

#include <algorithm>

namespace ui {
namespace {

std::string JoinLines(const std::vector<std::wstring>& items) {
    std::wstring text;
    for (size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? L"" : L"\n") + items[i];
    }
    return WideToUtf8(text);
}

// Lines split at CR, LF or CR LF; a trailing line break adds no item.
std::vector<std::wstring> SplitLines(std::string_view text) {
    const std::wstring wide = Utf8ToWide(text);
    std::vector<std::wstring> lines;
    std::wstring line;
    for (size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        if (c == L'\r' || c == L'\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

const PropertyInfo kRadioGroupProperties[] = {
    {"Items", [](const Component& c) { return JoinLines(static_cast<const RadioGroup&>(c).Items()); },
     [](Component& c, std::string_view v) { static_cast<RadioGroup&>(c).SetItems(SplitLines(v)); }},
    {"ItemIndex", [](const Component& c) { return IntToText(static_cast<const RadioGroup&>(c).ItemIndex()); },
     [](Component& c, std::string_view v) { static_cast<RadioGroup&>(c).SetItemIndex(int(TextToInt(v))); }},
    {"Columns", [](const Component& c) { return IntToText(static_cast<const RadioGroup&>(c).Columns()); },
     [](Component& c, std::string_view v) { static_cast<RadioGroup&>(c).SetColumns(int(TextToInt(v))); }},
};

const ClassInfo kCustomRadioGroup{"TCustomRadioGroup", &GroupBox::kCustomClass, kRadioGroupProperties};

// The height of a line of text in the font.
int LineHeight(const Font& font) {
    Bitmap probe(1, 1);
    Canvas& canvas = probe.GetCanvas();
    canvas.font = font;
    (canvas.SelectFont)();
    TEXTMETRICW metrics{};
    GetTextMetricsW(canvas.Handle(), &metrics);
    return int(metrics.tmHeight);
}

} // namespace

const ClassInfo RadioGroup::kClass{"TRadioGroup", &kCustomRadioGroup};

RadioGroup::RadioGroup(Component* owner) : GroupBox(owner) {}

void RadioGroup::SetItems(std::vector<std::wstring> items) {
    items_ = std::move(items);
    if (itemIndex_ >= int(items_.size())) {
        itemIndex_ = -1;
    }
    RebuildButtons();
}

void RadioGroup::SetItemIndex(int index) {
    if (index < 0 || index >= int(items_.size())) {
        index = -1;
    }
    itemIndex_ = index;
    for (int i = 0; i < int(buttons_.size()); ++i) {
        buttons_[size_t(i)]->SetChecked(i == index);
    }
    UpdateTabStops();
}

void RadioGroup::SetColumns(int columns) {
    columns_ = std::max(columns, 1);
    ArrangeButtons();
}

RadioButton* RadioGroup::ItemButton(int index) const {
    return index >= 0 && index < int(buttons_.size()) ? buttons_[size_t(index)] : nullptr;
}

void RadioGroup::RebuildButtons() {
    for (RadioButton* button : buttons_) {
        delete button;
    }
    buttons_.clear();
    for (const std::wstring& item : items_) {
        auto& button = Create<RadioButton>();
        button.SetCaption(item);
        button.OnClick = [this](Control& sender) { ButtonClicked(sender); };
        button.OnKeyDown = [this](Control& sender, WORD& key, ShiftState) { ButtonKeyDown(sender, key); };
        button.SetParent(this);
        buttons_.push_back(&button);
    }
    ArrangeButtons();
    SetItemIndex(itemIndex_);
}

void RadioGroup::ArrangeButtons() {
    const int count = int(buttons_.size());
    if (count == 0) {
        return;
    }
    // Rows below the caption line share the height; columns share the width
    // inside the frame.
    const int perColumn = (count + columns_ - 1) / columns_;
    const int textHeight = LineHeight(GetFont());
    const int room = std::max(Height() - textHeight - 5, 0);
    const int rowHeight = room / perColumn;
    const int top = textHeight + 1 + (room % perColumn) / 2;
    const int columnWidth = std::max(Width() - 10, 0) / columns_;
    for (int i = 0; i < count; ++i) {
        buttons_[size_t(i)]->SetBounds(8 + (i / perColumn) * columnWidth, top + (i % perColumn) * rowHeight,
                                       columnWidth, rowHeight);
    }
}

void RadioGroup::UpdateTabStops() {
    const int stop = itemIndex_ >= 0 ? itemIndex_ : 0;
    for (int i = 0; i < int(buttons_.size()); ++i) {
        buttons_[size_t(i)]->tabStop = i == stop;
    }
}

void RadioGroup::Choose(int index) {
    if (index == itemIndex_) {
        return;
    }
    SetItemIndex(index);
    if (OnChange && !Destroying()) {
        OnChange(*this);
    }
}

void RadioGroup::ButtonClicked(Control& button) {
    const auto at = std::ranges::find(buttons_, &button);
    if (at != buttons_.end()) {
        Choose(int(at - buttons_.begin()));
    }
}

void RadioGroup::ButtonKeyDown(Control& button, WORD& key) {
    int step = 0;
    if (key == VK_DOWN || key == VK_RIGHT) {
        step = 1;
    } else if (key == VK_UP || key == VK_LEFT) {
        step = -1;
    }
    const auto at = std::ranges::find(buttons_, &button);
    if (step == 0 || at == buttons_.end()) {
        return;
    }
    key = 0;
    // The next enabled button, round the end of the list.
    const int count = int(buttons_.size());
    int index = int(at - buttons_.begin());
    for (int tried = 1; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        RadioButton* next = buttons_[size_t(index)];
        if (next->Enabled() && next->Visible()) {
            next->SetFocus();
            Choose(index);
            return;
        }
    }
}

void RadioGroup::BoundsChanged(const RECT& previous) {
    GroupBox::BoundsChanged(previous);
    ArrangeButtons();
}

void RadioGroup::FontChanged() {
    GroupBox::FontChanged();
    ArrangeButtons();
}

} // namespace ui
