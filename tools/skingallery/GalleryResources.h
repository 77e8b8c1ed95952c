#pragma once
// The gallery's pictures: the program's tool-bar icons, as PNG resources
// numbered from IDR_GALLERY_ICON_FIRST in the order of the constants below.

#define IDR_GALLERY_ICON_FIRST 201
#define IDR_GALLERY_ICON_COUNT 7

#ifndef RC_INVOKED
namespace gallery {

inline constexpr int kGalleryIconFirst = IDR_GALLERY_ICON_FIRST;
inline constexpr int kGalleryIconCount = IDR_GALLERY_ICON_COUNT;
enum GalleryIcon : int {
    kIconHistory,
    kIconSettings,
    kIconBook,
    kIconHide,
    kIconStar,
    kIconPlan,
    kIconHome,
};

} // namespace gallery
#endif
