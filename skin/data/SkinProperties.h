#pragma once
// The published property types of the skin data component: the control-kind
// and option sets, the form-type scope and the default foreign-class mapping,
// with their text forms ("[xcMainMenu,xcPopupMenu]", "sfMainform").

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// Bit n of a set is the member of ordinal n.
enum TSkinControlType : int {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport,
};
enum TSkinOption : int {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
    xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoCaptionButtonHint, xoFormScrollbar,
};
enum class TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// A set of up to 32 members of an enumeration, as the component stores it.
template <class E>
class SkinSet {
public:
    constexpr SkinSet() = default;
    constexpr explicit SkinSet(uint32_t bits) : bits_(bits) {}
    constexpr SkinSet(std::initializer_list<E> members) {
        for (E m : members) {
            Include(m);
        }
    }
    constexpr bool Contains(E member) const { return (bits_ >> int(member) & 1u) != 0; }
    constexpr void Include(E member) { bits_ |= 1u << int(member); }
    constexpr void Exclude(E member) { bits_ &= ~(1u << int(member)); }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr bool operator==(const SkinSet&) const = default;

private:
    uint32_t bits_ = 0;
};

using TSkinControlTypes = SkinSet<TSkinControlType>;
using TSkinOptions = SkinSet<TSkinOption>;

// Every control kind except xcMenuItem and xcFastReport.
constexpr TSkinControlTypes kDefaultSkinControls{0x1FFFFB};
constexpr TSkinOptions kDefaultOptions{0x0448};
constexpr uint32_t kSkinControlTypeCount = 22;
constexpr uint32_t kSkinOptionCount = 12;

// Member names in ordinal order.
std::span<const std::string_view> SkinControlTypeNames();
std::span<const std::string_view> SkinOptionNames();
std::span<const std::string_view> SkinFormTypeNames();

// "[a,b]" with the members in ordinal order.
std::string SetToText(uint32_t bits, std::span<const std::string_view> names);
// Parses "[a, b]" (member names compared without case). Throws
// ui::PropertyError for anything else.
uint32_t TextToSet(std::string_view text, std::span<const std::string_view> names);

std::string FormTypeToText(TSkinFormType type);
TSkinFormType TextToFormType(std::string_view text);  // throws ui::PropertyError

// The default foreign-class mapping lines ("TClassName=painter kind"), 118
// lines in their order, duplicates included.
std::span<const std::string_view> DefaultSkin3rd();

} // namespace skin
