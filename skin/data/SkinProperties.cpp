#include "skin/data/SkinProperties.h"

#include "skin/data/AnsiText.h"
#include "ui/Component.h"

#include <array>

namespace skin {
namespace {

constexpr std::array<std::string_view, kSkinControlTypeCount> kControlTypeNames{
    "xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
    "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton",
    "xcSpin", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu", "xcFastReport",
};

constexpr std::array<std::string_view, kSkinOptionCount> kOptionNames{
    "xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround", "xoNoFocusRect",
    "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG", "xoCaptionButtonHint", "xoFormScrollbar",
};

constexpr std::array<std::string_view, 4> kFormTypeNames{"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"};

constexpr std::array<std::string_view, 118> kDefaultSkin3rd{
    "TCategoryButtons=scrollbar", "TPngSpeedbutton=pngspeedbutton", "TPngBitBtn=pngbitbtn",
    "TVirtualStringTree=scrollbar", "TVirtualDrawTree=scrollbar", "TTBXDockablePanel=Panel",
    "TAdvPanelGroup=scrollbar", "TComboboxex=combobox", "TRxSpeedButton=speedbutton", "THTMLViewer=scrollbar",
    "TDBCtrlGrid=scrollbar", "TfrSpeedButton=speedbutton", "TfrTBButton=speedbutton", "TControlBar=Panel",
    "TTBDock=Panel", "TTBToolbar=Panel", "TImageEnMView=scrollbar", "TImageEnView=scrollbar",
    "TAdvMemo=scrollbar", "TDBAdvMemo=scrollbar", "TcxDBLookupComboBox=combobox", "TcxDBComboBox=combobox",
    "TcxDBDateEdit=combobox", "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=combobox",
    "TcxDBBlobEdit=combobox", "TcxDBPopupEdit=combobox", "TcxDBFontNameComboBox=combobox",
    "TcxDBShellComboBox=combobox", "TRxLookupEdit=combobox", "TRxDBLookupCombo=combobox", "TRzGroup=panel",
    "TRzButton=button", "TRzBitbtn=bitbtn", "TRzMenuButton=menubtn", "TRzCheckGroup=CheckGroup",
    "TRzRadioGroup=Radiogroup", "TRzButtonEdit=Edit", "TRzDBRadioGroup=Radiogroup",
    "TRzDBRadioButton=Radiobutton", "TRzDateTimeEdit=combobox", "TRzColorEdit=combobox",
    "TRzDateTimePicker=combobox", "TRzDBDateTimeEdit=combobox", "TRzDbColorEdit=combobox",
    "TRzDBDateTimePicker=combobox", "TLMDButton=bitbtn", "TLMDGroupBox=Groupbox", "TDBCheckboxEh=Checkbox",
    "TDBCheckboxEh=Checkbox", "TLMDCHECKBOX=Checkbox", "TLMDDBCHECKBOX=Checkbox",
    "TLMDRadiobutton=Radiobutton", "TLMDCalculator=panel", "TLMDGROUPBOX=Panel", "TLMDSIMPLEPANEL=Panel",
    "TLMDDBCalendar=Panel", "TLMDButtonPanel=Panel", "TLMDLMDCalculator=Panel", "TLMDHeaderPanel=Panel",
    "TLMDTechnicalLine=Panel", "TLMDLMDClock=Panel", "TLMDTrackbar=panel", "TLMDListCombobox=combobox",
    "TLMDCheckListCombobox=combobox", "TLMDHeaderListCombobox=combobox", "TLMDImageCombobox=combobox",
    "TLMDColorCombobox=combobox", "TLMDFontCombobox=combobox", "TLMDFontSizeCombobox=combobox",
    "TLMDFontSizeCombobox=combobox", "TLMDPrinterCombobox=combobox", "TLMDDriveCombobox=combobox",
    "TLMDCalculatorComboBox=combobox", "TLMDTrackBarComboBox=combobox", "TLMDCalendarComboBox=combobox",
    "TLMDTreeComboBox=combobox", "TLMDRADIOGROUP=radiogroup", "TLMDCheckGroup=CheckGroup",
    "TLMDDBRADIOGROUP=radiogroup", "TLMDDBCheckGroup=CheckGroup", "TLMDCalculatorEdit=edit", "TLMDEDIT=Edit",
    "TLMDMASKEDIT=Edit", "TLMDBROWSEEDIT=Edit", "TLMDEXTSPINEDIT=Edit", "TLMDCALENDAREDIT=Edit",
    "TLMDFILEOPENEDIT=Edit", "TLMDFILESAVEEDIT=Edit", "TLMDCOLOREDIT=Edit", "TLMDDBEDIT=Edit",
    "TLMDDBMASKEDIT=Edit", "TLMDDBEXTSPINEDIT=Edit", "TLMDDBSPINEDIT=Edit", "TLMDDBEDITDBLookup=Edit",
    "TLMDEDITDBLookup=Edit", "TDBLookupCombobox=Combobox", "TWWDBCombobox=Combobox",
    "TWWDBLookupCombo=Combobox", "TWWDBCombobox=Combobox", "TWWKeyCombo=Combobox", "TWWTempKeyCombo=combobox",
    "TWWDBDateTimePicker=Combobox", "TWWRADIOGROUP=radiogroup", "TWWDBEDIT=Edit", "TcxButton=bitbtn",
    "TcxDBRadioGroup=radiogroup", "TcxRadioGroup=radiogroup", "TcxGroupbox=groupbox",
    "TOVCPICTUREFIELD=Edit", "TOVCDBPICTUREFIELD=Edit", "TOVCSLIDEREDIT=Edit", "TOVCDBSLIDEREDIT=Edit",
    "TOVCSIMPLEFIELD=Edit", "TOVCDBSIMPLEFIELD=Edit", "TO32DBFLEXEDIT=Edit", "TOVCNUMERICFIELD=Edit",
    "TOVCDBNUMERICFIELD=Edit",
};

int IndexOfName(std::string_view name, std::span<const std::string_view> names) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (ansi::SameText(names[i], name)) {
            return int(i);
        }
    }
    return -1;
}

} // namespace

std::span<const std::string_view> SkinControlTypeNames() { return kControlTypeNames; }
std::span<const std::string_view> SkinOptionNames() { return kOptionNames; }
std::span<const std::string_view> SkinFormTypeNames() { return kFormTypeNames; }
std::span<const std::string_view> DefaultSkin3rd() { return kDefaultSkin3rd; }

std::string SetToText(uint32_t bits, std::span<const std::string_view> names) {
    std::string text = "[";
    for (size_t i = 0; i < names.size(); ++i) {
        if ((bits >> i & 1u) != 0) {
            if (text.size() > 1) {
                text += ',';
            }
            text += names[i];
        }
    }
    return text + "]";
}

uint32_t TextToSet(std::string_view text, std::span<const std::string_view> names) {
    const std::string_view trimmed = ansi::Trim(text);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') {
        throw ui::PropertyError("not a set: " + std::string(text));
    }
    uint32_t bits = 0;
    std::string_view rest = trimmed.substr(1, trimmed.size() - 2);
    while (!ansi::Trim(rest).empty()) {
        const size_t comma = rest.find(',');
        const std::string_view member = ansi::Trim(rest.substr(0, comma));
        const int index = IndexOfName(member, names);
        if (index < 0) {
            throw ui::PropertyError("not a member: " + std::string(member));
        }
        bits |= 1u << index;
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
        if (ansi::Trim(rest).empty()) {
            throw ui::PropertyError("not a set: " + std::string(text));
        }
    }
    return bits;
}

std::string FormTypeToText(TSkinFormType type) { return std::string(kFormTypeNames.at(size_t(type))); }

TSkinFormType TextToFormType(std::string_view text) {
    const int index = IndexOfName(ansi::Trim(text), kFormTypeNames);
    if (index < 0) {
        throw ui::PropertyError("not a form type: " + std::string(text));
    }
    return TSkinFormType(index);
}

} // namespace skin
