#pragma once
// The control mapping under test: a form painter stand-in that holds the
// painters and records the hook points, controls of classes this program
// does not have (they report the class names they are given), and the
// mapping's trace read back per control or window.

#include "skin/controls/ControlMapping.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/forms/ControlPainterRegistry.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/ToolBar.h"
#include "ui/WinControl.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mappingtest {

// What a form painter is to the mapping, with the hook points recorded.
class TestHost : public skin::ControlPainterHost {
public:
    explicit TestHost(skin::TSkinData& data, HWND form = nullptr) : data_(data), form_(form) {}

    bool RegisterControlPainter(skin::TSkinControl* painter) override { return registry.Register(painter); }
    void UnregisterControlPainter(skin::TSkinControl* painter) override { registry.Unregister(painter); }
    HWND FormHandle() const override { return form_; }
    skin::TSkinData* SkinData() const override { return &data_; }
    ui::Canvas& ControlCanvas() override { return canvas_; }
    void ToolbarCustomDraw(ui::ToolBar&, const RECT&, bool&) override {}
    void ToolbarCustomDrawButton(ui::ToolBar&, ui::ToolButton&, ui::CustomDrawState, bool&) override {}
    void DropDeadControlPainters() override {
        ++deadDropped;
        registry.DropDead();
    }
    bool PaintsControl(const ui::Control& control) const override { return registry.HoldsControl(control); }
    bool PaintsWindow(HWND window) const override { return registry.HoldsWindow(window); }
    ui::Component& EventSender() override { return sender; }
    void TakeOverToolbarDrawing(ui::ToolBar& toolBar) override { toolBars.push_back(&toolBar); }
    void HookFormMenus(bool on) override { popupMenuHooks.push_back(on); }
    void HookMenuItem(ui::MenuItem& item) override { menuItems.push_back(&item); }

    ui::Component sender{nullptr};
    int deadDropped = 0;
    std::vector<ui::ToolBar*> toolBars;
    std::vector<bool> popupMenuHooks;
    std::vector<ui::MenuItem*> menuItems;

private:
    skin::TSkinData& data_;
    HWND form_;
    ui::Canvas canvas_;

public:
    // Last: frees the painters it holds before anything else goes.
    skin::ControlPainterRegistry registry;
};

// A windowed control of a class this program does not have.
class ForeignControl : public ui::WinControl {
public:
    ForeignControl(ui::Component* owner, const ui::ClassInfo& info, DWORD extraStyle = 0)
        : ui::WinControl(owner), info_(info), extraStyle_(extraStyle) {}
    const ui::ClassInfo& Class() const override { return info_; }

    std::map<std::string, std::string> published;
    // A window class that does not exist: the window cannot be made.
    bool failCreation = false;

protected:
    void CreateParams(ui::WindowCreateParams& params) override {
        ui::WinControl::CreateParams(params);
        params.style |= extraStyle_;
        if (failCreation) {
            params.className = L"VocaraMappingNoWindow";
            params.baseClass = L"VocaraNoSuchWindowClass";
        }
    }

private:
    const ui::ClassInfo& info_;
    DWORD extraStyle_;
};

// A window-less control of a class this program does not have.
class ForeignGraphic : public ui::GraphicControl {
public:
    ForeignGraphic(ui::Component* owner, const ui::ClassInfo& info) : ui::GraphicControl(owner), info_(info) {}
    const ui::ClassInfo& Class() const override { return info_; }
    void Paint(ui::Canvas&) override {}

private:
    const ui::ClassInfo& info_;
};

// The properties the rules read, published by every foreign control.
inline constexpr char kStyle[] = "Style";
inline constexpr char kKind[] = "Kind";
inline constexpr char kNumButtons[] = "NumButtons";
inline constexpr char kTransparent[] = "Transparent";

template <const char* Name>
constexpr ui::PropertyInfo Published() {
    return {Name,
            [](const ui::Component& c) {
                const auto& bag = static_cast<const ForeignControl&>(c).published;
                const auto it = bag.find(Name);
                return it != bag.end() ? it->second : std::string();
            },
            [](ui::Component& c, std::string_view value) {
                static_cast<ForeignControl&>(c).published[Name] = std::string(value);
            }};
}

inline const ui::PropertyInfo kForeignPropertyTable[] = {Published<kStyle>(), Published<kKind>(),
                                                       Published<kNumButtons>(), Published<kTransparent>()};
// The root of the foreign classes: a windowed control with those properties.
inline const ui::ClassInfo kForeignBase{"TForeignWinControl", &ui::WinControl::kClass,
                                                 kForeignPropertyTable};

// The mapping with its trace kept.
struct Recorder {
    std::vector<skin::MappingStep> steps;
    skin::MappingTrace Trace() {
        return [this](const skin::MappingStep& step) { steps.push_back(step); };
    }
    std::vector<skin::MappingStep> For(const ui::Component* control) const {
        std::vector<skin::MappingStep> found;
        for (const skin::MappingStep& step : steps) {
            if (step.control == control) {
                found.push_back(step);
            }
        }
        return found;
    }
    std::vector<skin::MappingStep> ForWindow(HWND window) const {
        std::vector<skin::MappingStep> found;
        for (const skin::MappingStep& step : steps) {
            if (step.window == window) {
                found.push_back(step);
            }
        }
        return found;
    }
    // The painter asked for the control, if any.
    std::optional<skin::PainterRequest> PainterOf(const ui::Component* control) const {
        for (const skin::MappingStep& step : For(control)) {
            if (step.painter) {
                return step.painter;
            }
        }
        return std::nullopt;
    }
};

// "Table 38 TSkinButton", "Control 1", "Skin3rd nil", "RawWindow 4 TSkinSizer": one step in words.
inline std::string Describe(const skin::MappingStep& step) {
    static const char* const sets[] = {"Control", "Table", "Skin3rd", "RawWindow"};
    std::string text = sets[int(step.set)];
    if (step.set == skin::RuleSet::Skin3rd) {
        text += " " + step.kind;
    } else {
        text += " " + std::to_string(step.rule);
    }
    if (step.painter) {
        text += std::string(" ") + skin::PainterClassName(step.painter->kind);
    }
    return text;
}

inline std::vector<std::string> Describe(const std::vector<skin::MappingStep>& steps) {
    std::vector<std::string> texts;
    for (const skin::MappingStep& step : steps) {
        texts.push_back(Describe(step));
    }
    return texts;
}

// A form with a window, the skin data and the stand-in form painter.
struct MappingFixture : ::testing::Test {
    MappingFixture() {
        form.SetBounds(40, 40, 420, 320);
        form.HandleNeeded();
        skinData.Tabs = std::make_unique<skin::TDataSkinBorder>("Tab");
        mapping.SetTrace(recorder.Trace());
    }

    ForeignControl& Foreign(const ui::ClassInfo& info, DWORD extraStyle = 0, ui::WinControl* parent = nullptr) {
        auto& control = *new ForeignControl(&form, info, extraStyle);
        control.SetBounds(10, 10, 80, 24);
        control.SetParent(parent != nullptr ? parent : &form);
        return control;
    }

    skin::TSkinData skinData{nullptr};
    ui::Form form{nullptr};
    TestHost host{skinData, form.Handle()};
    Recorder recorder;
    skin::ControlMapping mapping;
};

} // namespace mappingtest
