#include "tools/skingallery/GallerySection.h"

#include <algorithm>

namespace gallery {

GallerySection::GallerySection(ui::Component& owner, ui::WinControl& parent, const std::wstring& title)
    : panel_(owner.Create<ui::Panel>()), titleLabel_(owner.Create<ui::Label>()), title_(title) {
    panel_.SetParent(&parent);
    panel_.SetBevelOuter(ui::Bevel::Lowered);
    panel_.SetBounds(0, 0, kWidth, Height());
    titleLabel_.SetParent(&panel_);
    titleLabel_.SetBounds(kPadding, kPadding, kWidth - 2 * kPadding, kTitleHeight);
    titleLabel_.SetCaption(title);
    ui::Font bold = titleLabel_.GetFont();
    bold.bold = true;
    titleLabel_.SetFont(bold);
}

void GallerySection::NewRow() {
    if (rowHeight_ > 0) {
        rowTop_ += rowHeight_ + kGap;
    }
    rowHeight_ = 0;
    nextLeft_ = kPadding;
}

int GallerySection::RowRoomLeft() const { return kWidth - kPadding - nextLeft_; }

int GallerySection::Height() const { return rowTop_ + rowHeight_ + kPadding; }

void GallerySection::PlaceControl(ui::Control& control, int width, int height) {
    width = std::min(width, kWidth - 2 * kPadding);
    if (nextLeft_ > kPadding && width > RowRoomLeft()) {
        NewRow();
    }
    control.SetParent(&panel_);
    control.SetBounds(nextLeft_, rowTop_, width, height);
    nextLeft_ += width + kGap;
    rowHeight_ = std::max(rowHeight_, height);
    panel_.SetHeight(Height());
}

void SectionLayout::Add(GallerySection& section) {
    const auto shortest = std::min_element(columnBottoms_.begin(), columnBottoms_.end());
    const int column = int(shortest - columnBottoms_.begin());
    ui::Panel& panel = section.Panel();
    panel.SetBounds(left_ + column * (GallerySection::kWidth + GallerySection::kGap), *shortest,
                    GallerySection::kWidth, section.Height());
    *shortest += section.Height() + GallerySection::kGap;
}

int SectionLayout::Width() const {
    const int columns = int(columnBottoms_.size());
    return left_ + columns * GallerySection::kWidth + (columns - 1) * GallerySection::kGap;
}

int SectionLayout::Height() const {
    return *std::max_element(columnBottoms_.begin(), columnBottoms_.end()) - GallerySection::kGap;
}

} // namespace gallery
