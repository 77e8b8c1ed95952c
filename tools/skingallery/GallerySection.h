#pragma once
// One titled section of the skin gallery: a panel with a bold title that lays
// the controls given to it out in rows, left to right, starting a new row
// when the next control no longer fits. The gallery's layout then stacks the
// finished sections into columns.

#include "ui/Label.h"
#include "ui/Panel.h"

#include <string>
#include <vector>

namespace gallery {

class GallerySection {
public:
    static constexpr int kWidth = 300;
    static constexpr int kPadding = 8;
    static constexpr int kGap = 6;
    static constexpr int kTitleHeight = 18;

    // The panel and its title are owned by owner (the gallery form) and sit
    // on parent.
    GallerySection(ui::Component& owner, ui::WinControl& parent, const std::wstring& title);

    ui::Panel& Panel() const { return panel_; }
    const std::wstring& Title() const { return title_; }

    // Puts control on the section's panel at the next place of the current
    // row (or of a new row) and sizes it; answers the control.
    template <class T>
    T& Place(T& control, int width, int height) {
        PlaceControl(control, width, height);
        return control;
    }
    // The next control starts a new row.
    void NewRow();
    // Room left in the current row.
    int RowRoomLeft() const;
    // Height of the panel once the last control is placed.
    int Height() const;

private:
    void PlaceControl(ui::Control& control, int width, int height);

    ui::Panel& panel_;
    ui::Label& titleLabel_;
    std::wstring title_;
    int rowTop_ = kPadding + kTitleHeight + kGap;
    int rowHeight_ = 0;
    int nextLeft_ = kPadding;
};

// Stacks finished sections into columns, each section into the column that is
// shortest so far, and answers the room they take.
class SectionLayout {
public:
    SectionLayout(int columns, int left, int top) : columnBottoms_(size_t(columns), top), left_(left), top_(top) {}

    void Add(GallerySection& section);
    int Width() const;
    int Height() const;

private:
    std::vector<int> columnBottoms_;
    int left_;
    int top_;
};

} // namespace gallery
