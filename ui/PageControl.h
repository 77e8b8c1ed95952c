#pragma once
// A tab control whose tabs are pages: each TabSheet is a container shown in
// the pane while its tab is selected.

#include "ui/TabControl.h"

#include <vector>

namespace ui {

class PageControl;

class TabSheet : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit TabSheet(Component* owner);
    ~TabSheet() override;

    PageControl* GetPageControl() const { return pageControl_; }
    // Puts the sheet at the end of the page control's pages (none: takes it out).
    void SetPageControl(PageControl* pageControl);
    int PageIndex() const;

protected:
    void CaptionChanged() override;

private:
    friend class PageControl;
    PageControl* pageControl_ = nullptr;
};

class PageControl : public TabControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit PageControl(Component* owner);
    ~PageControl() override;

    int PageCount() const { return int(pages_.size()); }
    TabSheet* Pages(int index) const;  // nullptr outside 0..PageCount()-1
    TabSheet* ActivePage() const;
    void SetActivePage(TabSheet* page);
    // Frees the page and its tab (a page's close box asks for this).
    void FreePage(int index);

protected:
    void SelectionChanged() override;
    void BoundsChanged(const RECT& previous) override;
    void HandleCreated() override;

private:
    friend class TabSheet;
    void InsertPage(TabSheet* page);
    void RemovePage(TabSheet* page);
    // Shows the selected page over the pane and hides the others.
    void LayOutPages();

    std::vector<TabSheet*> pages_;
};

} // namespace ui
