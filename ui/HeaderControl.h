#pragma once
// A row of column headings over the common-controls header window.

#include "ui/Label.h"
#include "ui/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace ui {

struct HeaderSection {
    std::wstring text;
    int width = 50;
    Alignment alignment = Alignment::Left;
};

class HeaderControl : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit HeaderControl(Component* owner);

    int SectionCount() const { return int(sections_.size()); }
    const HeaderSection& Section(int index) const { return sections_.at(size_t(index)); }
    void AddSection(const HeaderSection& section);
    void ClearSections();

    std::function<void(HeaderControl& sender, int section)> OnSectionClick;

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;

private:
    void InsertNative(int index);
    std::vector<HeaderSection> sections_;
};

} // namespace ui
