// Times the control mapping of a form with 50 controls of the program's own
// kinds (push buttons, check boxes, edits, panels with a button each, labels,
// static texts) with the default skin: MapForm with the painters it makes
// freed again inside each run. Prints the median and mean per run and the
// time per control.
//
//   control_mapping_bench [repetitions]

#include "DefaultSkin.h"
#include "Measure.h"
#include "skin/controls/ControlMapping.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/forms/ControlPainterRegistry.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kControls = 50;

// The form painter as the mapping sees it, holding what the mapping makes.
class BenchHost : public skin::ControlPainterHost {
public:
    explicit BenchHost(skin::TSkinData& data, HWND form) : data_(data), form_(form) {}
    bool RegisterControlPainter(skin::TSkinControl* painter) override { return registry.Register(painter); }
    void UnregisterControlPainter(skin::TSkinControl* painter) override { registry.Unregister(painter); }
    HWND FormHandle() const override { return form_; }
    skin::TSkinData* SkinData() const override { return &data_; }
    ui::Canvas& ControlCanvas() override { return canvas_; }
    void ToolbarCustomDraw(ui::ToolBar&, const RECT&, bool&) override {}
    void ToolbarCustomDrawButton(ui::ToolBar&, ui::ToolButton&, ui::CustomDrawState, bool&) override {}
    void DropDeadControlPainters() override { registry.DropDead(); }
    bool PaintsControl(const ui::Control& control) const override { return registry.HoldsControl(control); }
    bool PaintsWindow(HWND window) const override { return registry.HoldsWindow(window); }
    ui::Component& EventSender() override { return sender_; }
    void TakeOverToolbarDrawing(ui::ToolBar&) override {}
    void HookFormMenus(bool) override {}
    void HookMenuItem(ui::MenuItem&) override {}

private:
    skin::TSkinData& data_;
    HWND form_;
    ui::Canvas canvas_;
    ui::Component sender_{nullptr};

public:
    skin::ControlPainterRegistry registry;
};

template <class T>
T& Place(ui::Form& form, ui::WinControl& parent, int index) {
    T& control = form.Create<T>();
    control.SetBounds(8 + (index % 5) * 150, 8 + (index / 5) * 40, 140, 30);
    control.SetParent(&parent);
    return control;
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    skin::TSkinData data(nullptr);
    if (!bench::LoadDefaultSkin(data)) {
        return 1;
    }

    ui::Form form(nullptr);
    form.SetBounds(0, 0, 800, 600);
    form.HandleNeeded();
    int count = 0;
    for (int i = 0; i < 10; ++i) {
        Place<ui::Button>(form, form, count++);
        Place<ui::CheckBox>(form, form, count++);
        Place<ui::Edit>(form, form, count++);
    }
    for (int i = 0; i < 5; ++i) {
        auto& panel = Place<ui::Panel>(form, form, count++);
        Place<ui::Button>(form, panel, 0);
        ++count;
        Place<ui::Label>(form, form, count++);
        Place<ui::StaticText>(form, form, count++);
    }
    if (count != kControls) {
        std::printf("the form holds %d controls, not %d\n", count, kControls);
        return 1;
    }
    form.Show();

    BenchHost host(data, form.Handle());
    skin::ControlMapping mapping;
    std::printf("control mapping, a form of %d controls, default skin\n", kControls);
    const double median = bench::Measure("MapForm (50 controls), painters freed again", repetitions,
                                         bench::TimeUnit::Microseconds, [&] {
                                             mapping.MapForm(host, form);
                                             host.registry.FreeAll(true);
                                         });
    std::printf("%-52s %8.2f us\n", "per control", median / kControls);
    return 0;
}
