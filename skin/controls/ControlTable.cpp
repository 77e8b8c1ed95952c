#include "skin/controls/ControlTable.h"

#include "skin/controls/MappingPass.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"
#include "ui/Menus.h"
#include "ui/ToolBar.h"
#include "ui/WinControl.h"

#include <commctrl.h>

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace skin {
namespace {

// ---------------------------------------------------------------- class families

struct FamilyNames {
    ControlFamily family;
    std::initializer_list<std::string_view> classes;  // the class or an ancestor
};

const std::array<FamilyNames, 22> kFamilies{{
    {ControlFamily::TabControl, {"TCustomTabControl"}},
    {ControlFamily::PageControl, {"TPageControl"}},
    {ControlFamily::CoolBar, {"TCustomCoolBar"}},
    {ControlFamily::TabSheet, {"TTabSheet"}},
    {ControlFamily::NotebookTabs, {"TTabbedNotebookTabs"}},
    {ControlFamily::Header, {"TCustomHeaderControl", "THeader"}},
    {ControlFamily::TrackBar, {"TTrackBar"}},
    {ControlFamily::RadioGroup, {"TCustomRadioGroup"}},
    {ControlFamily::GroupBox, {"TCustomGroupBox"}},
    {ControlFamily::RadioButton, {"TRadioButton"}},
    {ControlFamily::StatusBar, {"TCustomStatusBar"}},
    {ControlFamily::ProgressBar, {"TProgressBar"}},
    // The scroll-bar control goes with the panels: one painter serves both.
    {ControlFamily::ScrollingPanel, {"TScrollBox", "TScrollBar"}},
    {ControlFamily::ComboBox, {"TCustomComboBox", "TCustomComboBoxEx"}},
    {ControlFamily::EditWithButton, {"TCustomDateTimePicker"}},
    {ControlFamily::BitButton, {"TBitBtn"}},
    {ControlFamily::SpeedButton, {"TSpeedButton"}},
    {ControlFamily::ListView, {"TCustomListView"}},
    {ControlFamily::ListBox, {"TCustomListBox"}},
    {ControlFamily::TreeView, {"TCustomTreeView"}},
    {ControlFamily::ScrollingClass,
     {"TCustomListBox", "TCustomTreeView", "TCustomGrid", "TCustomRichEdit", "TCustomMemo"}},
    {ControlFamily::Frame, {"TCustomFrame"}},
}};

// What a control is asked by the rows.
struct Subject {
    ui::Control& control;
    const std::string& name;  // upper case
    const MappingPass& pass;

    bool Is(ControlFamily family) const { return IsOfFamily(control, family); }
    bool Named(std::initializer_list<std::string_view> names) const {
        for (std::string_view candidate : names) {
            if (name == candidate) {
                return true;
            }
        }
        return false;
    }
    bool PropertyIs(std::string_view property, std::string_view value) const {
        const auto text = control.GetPropertyText(property);
        return text && LowerText(*text) == LowerText(value);
    }
};

// The two button flags of an edit with buttons: its up-down and its check box.
bool HasEditButtons(const ui::Control& control) {
    return (WindowStyleOf(control) & (DTS_UPDOWN | DTS_SHOWNONE)) != 0;
}

PainterRequest Request(PainterKind kind, bool ownBackground = false, int32_t mode = 0) {
    PainterRequest request;
    request.kind = kind;
    request.ownBackground = ownBackground;
    request.mode = mode;
    return request;
}

PainterRequest Way(PainterKind kind, AttachWay way) {
    PainterRequest request;
    request.kind = kind;
    request.way = way;
    return request;
}

PainterRequest ImageRequest(int32_t imageKind) {
    PainterRequest request = Request(PainterKind::ObjImage, true);
    request.imageKind = imageKind;
    return request;
}

// ---------------------------------------------------------------- the rows

enum Gate : uint8_t { kNoGate = 0xFF };
constexpr uint8_t kTabsToo = 1;

struct Row {
    int number;
    bool (*test)(const Subject&);
    uint8_t gate;  // a TSkinControlType, or kNoGate
    uint8_t needs;  // kTabsToo: the skin must have a tab picture
    void (*action)(MappingPass&, const Subject&, int number);
};

// Actions that make one painter.
template <PainterKind kind>
void Paint(MappingPass& pass, const Subject& s, int number) {
    pass.PaintControl(s.control, RuleSet::Table, number, Request(kind));
}
template <PainterKind kind>
void PaintOwnBackground(MappingPass& pass, const Subject& s, int number) {
    pass.PaintControl(s.control, RuleSet::Table, number, Request(kind, true));
}
template <PainterKind kind>
void PaintScrollBars(MappingPass& pass, const Subject& s, int number) {
    pass.PaintControl(s.control, RuleSet::Table, number, Way(kind, AttachWay::AttachScrollBars));
}
template <int32_t imageKind>
void PaintImage(MappingPass& pass, const Subject& s, int number) {
    pass.PaintControl(s.control, RuleSet::Table, number, ImageRequest(imageKind));
}

ui::WinControl* Windowed(ui::Control& control) { return dynamic_cast<ui::WinControl*>(&control); }

void MapChildrenOf(MappingPass& pass, ui::Control& control) {
    if (ui::WinControl* container = Windowed(control)) {
        pass.MapChildren(*container);
    }
}

void TabControl(MappingPass& pass, const Subject& s, int number) {
    if (!s.Is(ControlFamily::PageControl)) {
        pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::Tab, false, 2));
        return;
    }
    const bool buttons = s.PropertyIs("Style", "tsButtons") || s.PropertyIs("Style", "tsFlatButtons");
    pass.PaintControl(s.control, RuleSet::Table, number, Request(buttons ? PainterKind::TabBtn : PainterKind::Tab));
}

void ToolButtonMenu(MappingPass& pass, const Subject& s, int number) {
    pass.Matched(RuleSet::Table, number, &s.control, nullptr);
    if (auto* button = dynamic_cast<ui::ToolButton*>(&s.control)) {
        if (ui::MenuItem* item = button->MenuItem()) {
            pass.Host().HookMenuItem(*item);
        }
    }
}

void CoolBarBands(MappingPass& pass, const Subject& s, int number) {
    pass.Matched(RuleSet::Table, number, &s.control, nullptr);
    if (ui::WinControl* bar = Windowed(s.control)) {
        for (ui::Control* band : bar->Controls()) {
            band->SetColor(pass.FormColour());
        }
    }
}

void NotebookTabs(MappingPass& pass, const Subject& s, int number) {
    const bool tabs = s.PropertyIs("Style", "tsTabs");
    pass.PaintControl(s.control, RuleSet::Table, number, Request(tabs ? PainterKind::Tab : PainterKind::TabBtn));
}

void MapChildrenOnly(MappingPass& pass, const Subject& s, int number) {
    pass.Matched(RuleSet::Table, number, &s.control, nullptr);
    MapChildrenOf(pass, s.control);
}

void RadioGroup(MappingPass& pass, const Subject& s, int number) {
    if (ui::WinControl* group = Windowed(s.control)) {
        const std::vector<ui::Ref<ui::Control>> children(group->Controls().begin(), group->Controls().end());
        for (const ui::Ref<ui::Control>& child : children) {
            if (child) {
                pass.PaintControl(*child, RuleSet::Table, number, Request(PainterKind::RadioButton));
            }
        }
    }
    pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::GroupBox, true));
}

void Navigator(MappingPass& pass, const Subject& s, int number) {
    pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::Box, true));
    MapChildrenOf(pass, s.control);
}

void GroupBox(MappingPass& pass, const Subject& s, int number) {
    MapChildrenOf(pass, s.control);
    pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::GroupBox));
}

void ToolBar(MappingPass& pass, const Subject& s, int number) {
    auto* bar = dynamic_cast<ui::ToolBar*>(&s.control);
    s.control.SetPropertyText("Flat", "True");
    if (bar != nullptr) {
        pass.Host().TakeOverToolbarDrawing(*bar);
    }
    pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::Box));
    if (bar != nullptr && bar->Menu() != nullptr) {
        ui::MenuItem& root = bar->Menu()->Items();
        for (int i = 0; i < root.Count(); ++i) {
            pass.Host().HookMenuItem(root.Items(i));
        }
    }
}

void EditWithButton(MappingPass& pass, const Subject& s, int number) {
    const PainterKind kind = HasEditButtons(s.control) ? PainterKind::Edit : PainterKind::DateTime;
    pass.PaintControl(s.control, RuleSet::Table, number, Request(kind));
}

void BitButton(MappingPass& pass, const Subject& s, int number) {
    if (pass.Gate(xcBitBtn)) {
        pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::BitButton));
    } else {
        pass.Matched(RuleSet::Table, number, &s.control, nullptr);
    }
}

void SpeedButton(MappingPass& pass, const Subject& s, int number) {
    pass.PaintControl(s.control, RuleSet::Table, number, Way(PainterKind::SpeedButton, AttachWay::OwnSetUp));
}

void ScrollingPanel(MappingPass& pass, const Subject& s, int number) {
    pass.PaintControl(s.control, RuleSet::Table, number, Way(PainterKind::ScControl, AttachWay::OwnSetUp));
}

void Panel(MappingPass& pass, const Subject& s, int number) {
    MapChildrenOf(pass, s.control);
    pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::Box, true));
}

void FrameOrEmbeddedForm(MappingPass& pass, const Subject& s, int number) {
    if (s.Is(ControlFamily::Frame)) {
        pass.Matched(RuleSet::Table, number, &s.control, nullptr);
        pass.MapComponents(s.control, &s.control);
    } else if (s.control.InheritsFrom("TCustomForm")) {
        pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::Box, true));
        pass.MapComponents(s.control, &s.control);
    } else {
        pass.Matched(RuleSet::Table, number, &s.control, nullptr);
    }
}

void ThirdPartyEdit(MappingPass& pass, const Subject& s, int number) {
    const auto text = s.control.GetPropertyText("NumButtons");
    int64_t buttons = -1;
    try {
        buttons = text ? ui::TextToInt(*text) : -1;
    } catch (const std::exception&) {
        // Not a number: neither painter.
    }
    if (buttons == 1 && pass.Gate(xcCombo)) {
        pass.PaintControl(s.control, RuleSet::Table, number, Request(PainterKind::ComBox));
    } else if (buttons == 0 && pass.Gate(xcEdit)) {
        pass.PaintControl(s.control, RuleSet::Table, number, Way(PainterKind::Edit, AttachWay::AttachWindow));
    } else {
        pass.Matched(RuleSet::Table, number, &s.control, nullptr);
    }
}

#define ROW_TEST(expr) [](const Subject& s) -> bool { return expr; }

const Row kRows[] = {
    {1, ROW_TEST(s.Is(ControlFamily::TabControl)), xcTab, kTabsToo, TabControl},
    {2, ROW_TEST(s.control.InheritsFrom("TToolButton") && s.pass.Gate(xcMainMenu)), kNoGate, 0, ToolButtonMenu},
    {3, ROW_TEST(s.Is(ControlFamily::CoolBar)), xcToolbar, 0, CoolBarBands},
    {4, ROW_TEST(s.Named({"TTABSET"})), xcTab, kTabsToo, Paint<PainterKind::Tab31>},
    {5, ROW_TEST(s.Is(ControlFamily::TabSheet)), xcTab, kTabsToo, Paint<PainterKind::TabSheet>},
    {6, ROW_TEST(s.Named({"TTABBEDNOTEBOOK"})), xcTab, kTabsToo, Paint<PainterKind::Tab>},
    {7, ROW_TEST(s.Named({"TMVCPANEL"})), kNoGate, 0, MapChildrenOnly},
    {8, ROW_TEST(s.Is(ControlFamily::NotebookTabs)), xcTab, kTabsToo, NotebookTabs},
    {9, ROW_TEST(s.Is(ControlFamily::Header)), xcPanel, 0, Paint<PainterKind::Header>},
    {10, ROW_TEST(s.control.InheritsFrom("TCustomCheckBox")), xcCheckBox, 0, Paint<PainterKind::CheckBox>},
    {11, ROW_TEST(s.Is(ControlFamily::TrackBar)), xcTrackBar, 0, Paint<PainterKind::TrackBar>},
    {12, ROW_TEST(s.Named({"TUPDOWN", "TSPINBUTTON"})), xcSpin, 0, Paint<PainterKind::UpDown>},
    {13, ROW_TEST(s.Named({"TMEDIAPLAYER"})), xcButton, 0, Paint<PainterKind::MediaPlayer>},
    {14, ROW_TEST(s.Is(ControlFamily::RadioGroup)), xcRadioButton, 0, RadioGroup},
    {15, ROW_TEST(s.Named({"TDBNAVIGATOR"})), xcPanel, 0, Navigator},
    {16, ROW_TEST(s.Named({"TRZDBCHECKBOX", "TRZCHECKBOX"})), xcCheckBox, 0, PaintImage<1>},
    {17, ROW_TEST(s.Named({"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"})), xcRadioButton, 0, PaintImage<2>},
    {18, ROW_TEST(s.Named({"TCXDBCHECKBOX", "TCXCHECKBOX"})), xcCheckBox, 0, PaintImage<3>},
    {19, ROW_TEST(s.Is(ControlFamily::GroupBox)), xcPanel, 0, GroupBox},
    {20, ROW_TEST(s.Is(ControlFamily::RadioButton)), xcRadioButton, 0, Paint<PainterKind::RadioButton>},
    {21, ROW_TEST(s.control.InheritsFrom("TToolBar")), xcToolbar, 0, ToolBar},
    {22, ROW_TEST(s.Is(ControlFamily::StatusBar)), xcStatusBar, 0, Paint<PainterKind::StatusBar>},
    {23, ROW_TEST(s.Is(ControlFamily::ProgressBar)), xcProgress, 0, Paint<PainterKind::Progress>},
    {24, ROW_TEST(s.Is(ControlFamily::ScrollingPanel)), xcScrollbar, 0, ScrollingPanel},
    {25, ROW_TEST(s.Named({"TTNTCOMBOBOX"})), xcCombo, 0, Paint<PainterKind::ComBox>},
    {26, ROW_TEST(s.Is(ControlFamily::ComboBox)), xcCombo, 0, Paint<PainterKind::ComBox>},
    {27, ROW_TEST(s.Is(ControlFamily::EditWithButton)), xcEdit, 0, EditWithButton},
    {28, ROW_TEST(s.Named({"TRICHEDIT"})), xcScrollbar, 0, PaintScrollBars<PainterKind::Scrollbar>},
    {29, ROW_TEST(s.Named({"TWWDBRICHEDIT", "TDXDBMEMO"})), xcScrollbar, 0, PaintScrollBars<PainterKind::Scrollbar>},
    {30, ROW_TEST(s.Is(ControlFamily::BitButton)), kNoGate, 0, BitButton},
    {31, ROW_TEST(s.Is(ControlFamily::SpeedButton)), xcSpeedButton, 0, SpeedButton},
    {32, ROW_TEST(s.control.InheritsFrom("TCustomPanel")), xcPanel, 0, Panel},
    {33, ROW_TEST(s.Named({"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"})), xcScrollbar, 0,
     PaintScrollBars<PainterKind::Scrollbar>},
    {34, ROW_TEST(s.Is(ControlFamily::ListView)), xcScrollbar, 0, PaintScrollBars<PainterKind::ListView>},
    {35, ROW_TEST(s.Is(ControlFamily::ListBox)), xcScrollbar, 0, PaintScrollBars<PainterKind::Scrollbar>},
    {36, ROW_TEST(s.Is(ControlFamily::TreeView)), xcScrollbar, 0, PaintScrollBars<PainterKind::Scrollbar>},
    {37, ROW_TEST(PassesScrollTest(s.control)), xcScrollbar, 0, PaintScrollBars<PainterKind::Scrollbar>},
    {38, ROW_TEST(s.control.InheritsFrom("TButton")), xcButton, 0, Paint<PainterKind::Button>},
    {39, ROW_TEST(s.control.InheritsFrom("TCustomEdit")), xcEdit, 0, Paint<PainterKind::Edit>},
    {40, ROW_TEST(!s.Named({"TDCEDIT", "TDCDBEDIT"})), kNoGate, 0, FrameOrEmbeddedForm},
    {41, ROW_TEST(s.Named({"TDCEDIT", "TDCDBEDIT"})), kNoGate, 0, ThirdPartyEdit},
};

#undef ROW_TEST

} // namespace

bool IsOfFamily(const ui::Control& control, ControlFamily family) {
    for (const FamilyNames& entry : kFamilies) {
        if (entry.family != family) {
            continue;
        }
        for (std::string_view name : entry.classes) {
            if (control.InheritsFrom(name)) {
                return true;
            }
        }
    }
    return false;
}

bool PassesScrollTest(const ui::Control& control) {
    return dynamic_cast<const ui::WinControl*>(&control) != nullptr &&
           (HasScrollBarStyle(control) || IsOfFamily(control, ControlFamily::ScrollingClass));
}

void MappingPass::RunTable(ui::Control& control, ui::Control* /*owner*/) {
    const std::string name = UpperClassName(control);
    const Subject subject{control, name, *this};
    for (const Row& row : kRows) {
        if (!row.test(subject)) {
            continue;
        }
        if (row.gate != kNoGate && !Gate(TSkinControlType(row.gate))) {
            continue;
        }
        if ((row.needs & kTabsToo) != 0 && !HasTabs()) {
            continue;
        }
        row.action(*this, subject, row.number);
        return;
    }
}

} // namespace skin
