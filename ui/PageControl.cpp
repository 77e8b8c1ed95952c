#include "ui/PageControl.h"

#include <algorithm>

namespace ui {
const ClassInfo TabSheet::kClass{"TTabSheet", &WinControl::kClass};
const ClassInfo PageControl::kClass{"TPageControl", &kCustomTabControl};

// --- TabSheet ------------------------------------------------------------------

TabSheet::TabSheet(Component* owner) : WinControl(owner) { visible_ = false; }

TabSheet::~TabSheet() {
    MarkDestroying();
    if (pageControl_ != nullptr) {
        pageControl_->RemovePage(this);
    }
}

void TabSheet::SetPageControl(PageControl* pageControl) {
    if (pageControl_ == pageControl) {
        return;
    }
    if (pageControl_ != nullptr) {
        pageControl_->RemovePage(this);
    }
    if (pageControl != nullptr) {
        pageControl->InsertPage(this);
    }
}

int TabSheet::PageIndex() const {
    if (pageControl_ == nullptr) {
        return -1;
    }
    const auto& pages = pageControl_->pages_;
    const auto found = std::find(pages.begin(), pages.end(), this);
    return found == pages.end() ? -1 : int(found - pages.begin());
}

void TabSheet::CaptionChanged() {
    WinControl::CaptionChanged();
    if (pageControl_ != nullptr) {
        pageControl_->SetTabText(PageIndex(), Caption());
    }
}

// --- PageControl ---------------------------------------------------------------

PageControl::PageControl(Component* owner) : TabControl(owner) {}

PageControl::~PageControl() {
    MarkDestroying();
    for (TabSheet* page : pages_) {
        page->pageControl_ = nullptr;
    }
    pages_.clear();
}

TabSheet* PageControl::Pages(int index) const {
    return index >= 0 && index < PageCount() ? pages_[size_t(index)] : nullptr;
}

TabSheet* PageControl::ActivePage() const { return Pages(TabIndex()); }

void PageControl::SetActivePage(TabSheet* page) {
    if (page == nullptr || page->pageControl_ != this) {
        return;
    }
    SetTabIndex(page->PageIndex());
}

void PageControl::FreePage(int index) {
    if (TabSheet* page = Pages(index)) {
        delete page;
    }
}

void PageControl::InsertPage(TabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    page->SetParent(this);
    AddTab(page->Caption());
    LayOutPages();
}

void PageControl::RemovePage(TabSheet* page) {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    if (found == pages_.end()) {
        return;
    }
    const int index = int(found - pages_.begin());
    pages_.erase(found);
    page->pageControl_ = nullptr;
    if (!Destroying()) {
        DeleteTab(index);
    }
}

void PageControl::SelectionChanged() {
    TabControl::SelectionChanged();
    LayOutPages();
}

void PageControl::BoundsChanged(const RECT& previous) {
    TabControl::BoundsChanged(previous);
    LayOutPages();
}

void PageControl::HandleCreated() {
    TabControl::HandleCreated();
    LayOutPages();
}

void PageControl::LayOutPages() {
    if (Destroying() || !HandleAllocated()) {
        return;
    }
    const RECT display = DisplayRect();
    const int selected = TabIndex();
    for (int i = 0; i < PageCount(); ++i) {
        TabSheet* page = pages_[size_t(i)];
        if (page->Destroying()) {
            continue;
        }
        page->SetBounds(display.left, display.top, display.right - display.left, display.bottom - display.top);
        page->SetVisible(i == selected);
    }
}

} // namespace ui
