// The skin data's foreign-class lines ("TPngBitBtn=pngbitbtn"): a control
// whose class has a line is handled by the kind the line names, painted or
// not, and the class table is not tried for it.

#include "skin/controls/ControlTable.h"
#include "skin/controls/MappingPass.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"
#include "ui/WinControl.h"

#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {
namespace {

constexpr size_t kMaxKindLength = 50;
constexpr uint8_t kNoGate = 0xFF;

bool StartsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(lowerPrefix[i])) {
            return false;
        }
    }
    return true;
}

// The kind of the first line that begins with the class name and "=".
std::optional<std::string> KindOf(const std::vector<std::string>& lines, std::string_view className) {
    const std::string key = LowerText(className) + "=";
    for (const std::string& line : lines) {
        if (StartsWithIgnoringCase(line, key)) {
            return LowerText(std::string_view(line).substr(key.size(), kMaxKindLength));
        }
    }
    return std::nullopt;
}

struct Kind3rd {
    std::string_view kind;
    uint8_t gate;  // a TSkinControlType, or kNoGate
    bool tabsToo;
    void (*action)(MappingPass&, ui::Control&, const std::string& kind);
};

PainterRequest Request(PainterKind kind, bool ownBackground = false) {
    PainterRequest request;
    request.kind = kind;
    request.ownBackground = ownBackground;
    return request;
}

void Paint(MappingPass& pass, ui::Control& control, const std::string& kind, const PainterRequest& request) {
    pass.PaintControl(control, RuleSet::Skin3rd, 0, request, kind);
}

template <PainterKind painter>
void Plain(MappingPass& pass, ui::Control& control, const std::string& kind) {
    Paint(pass, control, kind, Request(painter));
}

void Nothing(MappingPass& pass, ui::Control& control, const std::string& kind) {
    pass.Matched(RuleSet::Skin3rd, 0, &control, nullptr, kind);
}

std::vector<ui::Ref<ui::Control>> ChildrenOf(ui::Control& control) {
    auto* container = dynamic_cast<ui::WinControl*>(&control);
    if (container == nullptr) {
        return {};
    }
    return {container->Controls().begin(), container->Controls().end()};
}

void MapChildrenOf(MappingPass& pass, ui::Control& control) {
    if (auto* container = dynamic_cast<ui::WinControl*>(&control)) {
        pass.MapChildren(*container);
    }
}

void ExtendedCombo(MappingPass& pass, ui::Control& control, const std::string& kind) {
    PainterRequest request = Request(PainterKind::ComBox);
    request.extendedCombo = true;
    Paint(pass, control, kind, request);
}

void BorderedEdit(MappingPass& pass, ui::Control& control, const std::string& kind) {
    auto* windowed = dynamic_cast<ui::WinControl*>(&control);
    RECT window{};
    RECT client{};
    if (windowed != nullptr && windowed->HandleAllocated()) {
        GetWindowRect(windowed->HandleIfAllocated(), &window);
        GetClientRect(windowed->HandleIfAllocated(), &client);
    }
    const bool bordered = window.right - window.left != client.right - client.left ||
                          window.bottom - window.top != client.bottom - client.top;
    if (bordered) {
        Paint(pass, control, kind, Request(PainterKind::Edit));
    } else {
        Nothing(pass, control, kind);
    }
}

void Transparent(MappingPass& pass, ui::Control& control, const std::string& kind, const PainterRequest& request) {
    control.SetPropertyText("Transparent", "True");
    Paint(pass, control, kind, request);
}

void PanelKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    Transparent(pass, control, kind, Request(PainterKind::Box, true));
}

void TrackBarKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    Transparent(pass, control, kind, Request(PainterKind::TrackBar));
}

void BitButtonKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    const auto buttonKind = control.GetPropertyText("Kind");
    const bool dropDown = LowerText(control.ClassName()) == "tcxbutton" && buttonKind &&
                          LowerText(*buttonKind) == "cxbkdropdownbutton";
    Paint(pass, control, kind, Request(dropDown ? PainterKind::MenuButton : PainterKind::BitButton));
}

template <PainterKind painter, AttachWay way>
void PictureGlyph(MappingPass& pass, ui::Control& control, const std::string& kind) {
    PainterRequest request = Request(painter);
    request.way = way;
    request.glyphProperty = "PngImage";
    Paint(pass, control, kind, request);
}

void SpeedButtonKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    PainterRequest request = Request(PainterKind::SpeedButton);
    request.way = AttachWay::OwnSetUp;
    Paint(pass, control, kind, request);
}

void ScrollBarKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    PainterRequest request = Request(PainterKind::Scrollbar);
    request.way = AttachWay::AttachScrollBars;
    Paint(pass, control, kind, request);
    MapChildrenOf(pass, control);
}

void SingleScrollBar(MappingPass& pass, ui::Control& control, const std::string& kind) {
    PainterRequest request = Request(PainterKind::Scrollbar);
    request.way = AttachWay::AttachScrollBars;
    request.mode = 1;
    Paint(pass, control, kind, request);
}

void EmbeddedScrollBars(MappingPass& pass, ui::Control& control, const std::string& kind) {
    pass.Matched(RuleSet::Skin3rd, 0, &control, nullptr, kind);
    for (const ui::Ref<ui::Control>& child : ChildrenOf(control)) {
        if (!child) {
            continue;
        }
        PainterRequest request;
        if (IsOfFamily(*child, ControlFamily::ScrollingPanel)) {
            request = Request(PainterKind::ScControl);
            request.way = AttachWay::OwnSetUp;
        } else if (PassesScrollTest(*child)) {
            request = Request(PainterKind::Scrollbar);
            request.way = AttachWay::AttachScrollBars;
        } else {
            continue;
        }
        Paint(pass, *child, kind, request);
    }
}

void Container(MappingPass& pass, ui::Control& control, const std::string& kind) {
    pass.Matched(RuleSet::Skin3rd, 0, &control, nullptr, kind);
    MapChildrenOf(pass, control);
}

void AdvPage(MappingPass& pass, ui::Control& control, const std::string& kind) {
    PainterRequest request = Request(PainterKind::AdvPage, true);
    request.mode = 4;
    Paint(pass, control, kind, request);
}

void GroupBoxKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    Paint(pass, control, kind, Request(PainterKind::GroupBox, true));
}

// The buttons of a radio or check group: the first family's image painter
// for its own class names (the test is case-sensitive), else the plain one.
void GroupButtons(MappingPass& pass, ui::Control& control, const std::string& kind, int32_t imageKind,
                  PainterKind plain) {
    const bool imageFamily = std::string_view(control.ClassName()).find("TRZ") != std::string_view::npos;
    for (const ui::Ref<ui::Control>& child : ChildrenOf(control)) {
        if (!child) {
            continue;
        }
        PainterRequest request = Request(plain);
        if (imageFamily) {
            request = Request(PainterKind::ObjImage, true);
            request.imageKind = imageKind;
        }
        Paint(pass, *child, kind, request);
    }
}

void RadioGroupKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    if (pass.Gate(xcRadioButton)) {
        GroupButtons(pass, control, kind, 2, PainterKind::RadioButton);
    }
    Paint(pass, control, kind, Request(PainterKind::GroupBox, true));
}

void CheckGroupKind(MappingPass& pass, ui::Control& control, const std::string& kind) {
    if (pass.Gate(xcRadioButton)) {
        GroupButtons(pass, control, kind, 1, PainterKind::CheckBox);
    }
    if (pass.Gate(xcGroupBox)) {
        Paint(pass, control, kind, Request(PainterKind::GroupBox, true));
    } else {
        Nothing(pass, control, kind);
    }
}

const Kind3rd kKinds[] = {
    {"nil", kNoGate, false, Nothing},
    {"combobox", xcCombo, false, Plain<PainterKind::ComBox>},
    {"comboboxex", xcCombo, false, ExtendedCombo},
    {"edit", xcEdit, false, BorderedEdit},
    {"radiobutton", xcRadioButton, false, Plain<PainterKind::RadioButton>},
    {"panel", xcPanel, false, PanelKind},
    {"trackbar", xcButton, false, TrackBarKind},
    {"button", xcButton, false, Plain<PainterKind::Button>},
    {"datetimepicker", xcCombo, false, Plain<PainterKind::DateTime>},
    {"mediaplayer", xcButton, false, Plain<PainterKind::MediaPlayer>},
    {"bitbtn", xcButton, false, BitButtonKind},
    {"pngbitbtn", xcButton, false, PictureGlyph<PainterKind::BitButton, AttachWay::Attach>},
    {"pngspeedbutton", xcButton, false, PictureGlyph<PainterKind::SpeedButton, AttachWay::OwnSetUp>},
    {"menubtn", xcButton, false, Plain<PainterKind::MenuButton>},
    {"speedbutton", xcSpeedButton, false, SpeedButtonKind},
    {"tab", xcTab, true, Plain<PainterKind::Tab>},
    {"progress", xcProgress, false, Plain<PainterKind::Progress>},
    {"scrollbar", xcScrollbar, false, ScrollBarKind},
    {"singlescrollbar", xcScrollbar, false, SingleScrollBar},
    {"embedscrollbar", xcScrollbar, false, EmbeddedScrollBars},
    {"container", kNoGate, false, Container},
    {"groupbox", xcGroupBox, false, GroupBoxKind},
    {"advpagecontrol", xcTab, false, AdvPage},
    {"radiogroup", xcGroupBox, false, RadioGroupKind},
    {"checkgroup", xcPanel, false, CheckGroupKind},
    {"checkbox", xcCheckBox, false, Plain<PainterKind::CheckBox>},
};

} // namespace

bool MappingPass::MapSkin3rd(ui::Control& control) {
    const std::optional<std::string> kind = KindOf(Skin()->Skin3rd(), control.ClassName());
    if (!kind) {
        return false;
    }
    for (const Kind3rd& entry : kKinds) {
        if (entry.kind != *kind) {
            continue;
        }
        const bool gateOpen = (entry.gate == kNoGate || Gate(TSkinControlType(entry.gate))) &&
                              (!entry.tabsToo || HasTabs());
        if (gateOpen) {
            entry.action(*this, control, *kind);
        } else {
            Nothing(*this, control, *kind);
        }
        return true;
    }
    // A kind this program does not know: handled, not painted.
    Nothing(*this, control, *kind);
    return true;
}

} // namespace skin
