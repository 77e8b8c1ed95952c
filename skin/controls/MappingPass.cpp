#include "skin/controls/MappingPass.h"

#include "skin/controls/ControlSetUp.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "ui/Control.h"
#include "ui/WinControl.h"

#include <cctype>
#include <exception>
#include <utility>

namespace skin {

std::string UpperClassName(const ui::Component& component) {
    std::string name(component.ClassName());
    for (char& c : name) {
        c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

std::string LowerText(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

DWORD WindowStyleOf(const ui::Control& control) {
    const auto* windowed = dynamic_cast<const ui::WinControl*>(&control);
    if (windowed == nullptr || !windowed->HandleAllocated()) {
        return 0;
    }
    return DWORD(GetWindowLongW(windowed->HandleIfAllocated(), GWL_STYLE));
}

bool HasScrollBarStyle(const ui::Control& control) { return (WindowStyleOf(control) & (WS_HSCROLL | WS_VSCROLL)) != 0; }

MappingPass::MappingPass(ControlPainterHost& host, const MappingTrace& trace)
    : host_(host), skin_(host.SkinData()), trace_(trace) {}

bool MappingPass::Gate(TSkinControlType type) const { return skin_ != nullptr && skin_->SkinControls.Contains(type); }

bool MappingPass::HasTabs() const { return skin_ != nullptr && skin_->Tabs != nullptr; }

intptr_t MappingPass::DisableTag() const { return skin_ != nullptr ? skin_->DisableTag : TSkinData::kDefaultDisableTag; }

ui::Color MappingPass::FormColour() const { return skin_ != nullptr ? skin_->Colours[scButtonFace] : ui::clBtnFace; }

void MappingPass::Report(MappingStep step) const {
    if (trace_) {
        trace_(step);
    }
}

void MappingPass::Matched(RuleSet set, int rule, const ui::Component* control, HWND window, std::string_view kind) {
    if (!trace_) {
        return;
    }
    Report(MappingStep{set, rule, std::string(kind), control, window, std::nullopt, false});
}

namespace {

// The variants a painter takes through its published properties, as the
// painters that have them publish them.
void GiveVariant(TSkinControl& painter, const PainterRequest& request) {
    painter.FMode = request.mode;
    try {
        if (request.imageKind != 0) {
            painter.SetPropertyText("ImageKind", ui::IntToText(request.imageKind));
        }
        if (request.extendedCombo) {
            painter.SetPropertyText("Extended", "True");
        }
        if (!request.glyphProperty.empty()) {
            painter.SetPropertyText("GlyphProperty", request.glyphProperty);
        }
    } catch (const ui::PropertyError&) {
        // A painter that refuses the variant draws its plain form.
    }
}

} // namespace

TSkinControl* MappingPass::PaintControl(ui::Control& control, RuleSet set, int rule, const PainterRequest& request,
                                        std::string_view kind) {
    if (host_.PaintsControl(control)) {
        return nullptr;
    }
    TSkinControl* painter = CreatePainter(request.kind, &control);
    Report(MappingStep{set, rule, std::string(kind), &control, nullptr, request, painter != nullptr});
    if (painter == nullptr) {
        return nullptr;
    }
    try {
        GiveVariant(*painter, request);
        ui::Canvas* canvas = &host_.ControlCanvas();
        auto* setUp = dynamic_cast<ControlSetUp*>(painter);
        switch (request.way) {
        case AttachWay::AttachWindow:
            if (auto* windowed = dynamic_cast<ui::WinControl*>(&control)) {
                painter->AttachWindow(windowed->Handle(), skin_, &host_, canvas);
            }
            break;
        case AttachWay::AttachScrollBars:
        case AttachWay::OwnSetUp:
            if (setUp != nullptr) {
                setUp->SetUpControl(control, skin_, &host_, canvas);
                break;
            }
            [[fallthrough]];
        case AttachWay::Attach:
            painter->Attach(&host_, skin_, request.ownBackground, canvas);
            break;
        }
    } catch (const std::exception&) {
        // The control's window could not be made: it keeps its own look.
        delete painter;
        return nullptr;
    }
    return painter;
}

TSkinControl* MappingPass::PaintWindow(HWND window, int rule, PainterKind kind) {
    TSkinControl* painter = CreatePainter(kind, nullptr);
    PainterRequest request;
    request.kind = kind;
    request.way = AttachWay::AttachWindow;
    Report(MappingStep{RuleSet::RawWindow, rule, {}, nullptr, window, request, painter != nullptr});
    if (painter != nullptr) {
        // Registered with the form painter, which frees it with the window.
        painter->AttachWindow(window, skin_, &host_, &host_.ControlCanvas());
    }
    return painter;
}

} // namespace skin
