// The toolkit's combo boxes, up-down and date-time pickers through the real
// control mapping: which painter each gets, that it really attaches, that a
// form painter frees painters that free painters of their own, and that
// many such forms leave no window or GDI object behind.

#include "skin/controls/ControlMapping.h"
#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinMessages.h"
#include "tests/skin/controls/EditControlsFixture.h"
#include "tests/skin/controls/MappingFixture.h"
#include "tests/skin/controls/ScrollOverlayFixture.h"
#include "tests/support/GdiObjects.h"
#include "ui/ComboBox.h"
#include "ui/DateTimePicker.h"
#include "ui/Edit.h"
#include "ui/Panel.h"
#include "ui/UpDown.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using mappingtest::Describe;
using mappingtest::MappingFixture;

template <class T>
T& Place(ui::Form& form, int top, int height = 24) {
    auto& control = form.Create<T>();
    control.SetParent(&form);
    control.SetBounds(10, top, 150, height);
    return control;
}

TEST_F(MappingFixture, ComboUpDownAndDateControlsGetTheirPainters) {
    skinData.SkinControls.Include(skin::xcSpin);
    auto& dropDown = Place<ui::ComboBox>(form, 10);
    auto& dropDownList = Place<ui::ComboBox>(form, 40);
    dropDownList.SetStyle(ui::ComboStyle::DropDownList);
    auto& simple = Place<ui::ComboBox>(form, 70, 80);
    simple.SetStyle(ui::ComboStyle::Simple);
    auto& extended = Place<ui::ComboBoxEx>(form, 160);
    auto& upDown = Place<ui::UpDown>(form, 190);
    auto& calendarPicker = Place<ui::DateTimePicker>(form, 220);
    auto& spinPicker = Place<ui::DateTimePicker>(form, 250);
    spinPicker.SetDateMode(ui::DateMode::UpDown);

    mapping.MapForm(host, form);

    const struct {
        ui::Control* control;
        const char* step;
        bool extendedCombo;
    } expected[] = {
        {&dropDown, "Table 26 TSkinComBox", false},      {&dropDownList, "Table 26 TSkinComBox", false},
        {&simple, "Table 26 TSkinComBox", false},
        // The skin data's own Skin3rd lines give it the plain variant.
        {&extended, "Skin3rd combobox TSkinComBox", false},
        {&upDown, "Table 12 TSkinUpDown", false},        {&calendarPicker, "Table 27 TSkinDateTime", false},
        {&spinPicker, "Table 27 TSkinEdit", false},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.step);
        const auto steps = recorder.For(e.control);
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(Describe(steps[0]), e.step);
        EXPECT_TRUE(steps[0].made);
        EXPECT_EQ(steps[0].painter->extendedCombo, e.extendedCombo);
        EXPECT_TRUE(host.PaintsControl(*e.control));
        EXPECT_EQ(SendMessageW(static_cast<ui::WinControl*>(e.control)->Handle(), skin::SKM_QUERY, 0, 0), 1);
    }
}

TEST_F(MappingFixture, TheComboboxexKindGivesTheExtendedVariant) {
    skinData.SetSkin3rd({"TComboBoxEx=comboboxex"});
    auto& extended = Place<ui::ComboBoxEx>(form, 10);
    mapping.MapForm(host, form);
    ASSERT_TRUE(recorder.PainterOf(&extended).has_value());
    EXPECT_TRUE(recorder.PainterOf(&extended)->extendedCombo);
    // The combo's own painter comes first; its drop-down list's bar painter follows.
    ASSERT_FALSE(host.registry.Painters().empty());
    EXPECT_EQ(host.registry.Painters()[0]->GetPropertyText("Extended"), "True");
}

TEST_F(MappingFixture, ClosedGatesLeaveComboAndSpinControlsNative) {
    skinData.SkinControls.Exclude(skin::xcCombo);
    skinData.SkinControls.Exclude(skin::xcSpin);
    auto& combo = Place<ui::ComboBox>(form, 10);
    auto& upDown = Place<ui::UpDown>(form, 40);
    mapping.MapForm(host, form);
    EXPECT_FALSE(host.PaintsControl(combo));
    EXPECT_FALSE(host.PaintsControl(upDown));
}

// A painter that frees another registered painter when it lets go, as a
// combo box frees its list's painter.
class FreeingPainter : public skin::TSkinControl {
public:
    FreeingPainter(int& destroyed, skin::TSkinControl* other)
        : skin::TSkinControl(nullptr), destroyed_(destroyed), other_(other) {}
    ~FreeingPainter() override {
        ++destroyed_;
        delete other_.get();
    }
    void Detach() override {
        delete other_.get();
        skin::TSkinControl::Detach();
    }

private:
    int& destroyed_;
    ui::Ref<skin::TSkinControl> other_;
};

class CountedPainter : public skin::TSkinControl {
public:
    explicit CountedPainter(int& destroyed) : skin::TSkinControl(nullptr), destroyed_(destroyed) {}
    ~CountedPainter() override { ++destroyed_; }

private:
    int& destroyed_;
};

TEST_F(MappingFixture, AFormPainterFreesPaintersThatFreeOthers) {
    for (const bool detach : {true, false}) {
        SCOPED_TRACE(detach ? "detached first" : "freed only");
        const HWND first = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form.Handle(), nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
        const HWND second = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form.Handle(), nullptr,
                                            GetModuleHandleW(nullptr), nullptr);
        int destroyed = 0;
        auto* list = new CountedPainter(destroyed);
        auto* owner = new FreeingPainter(destroyed, list);
        owner->AttachWindow(first, &skinData, &host, &host.ControlCanvas());
        list->AttachWindow(second, &skinData, &host, &host.ControlCanvas());
        ASSERT_EQ(host.registry.Painters().size(), 2u);
        host.registry.FreeAll(detach);
        EXPECT_EQ(destroyed, 2);
        EXPECT_TRUE(host.registry.Painters().empty());
        DestroyWindow(first);
        DestroyWindow(second);
    }
}

// One form with one control of each kind, mapped by the rules, painted,
// hovered and pressed, then destroyed. The form stays hidden (showing and
// hiding windows is what costs most under Wine): each control paints into a
// picture instead.
// Overlay windows on the thread's windows: the scroll-bar painters' own.
int OverlayWindows(HWND form) {
    int count = 0;
    EnumChildWindows(
        form,
        [](HWND window, LPARAM counter) {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            *reinterpret_cast<int*>(counter) += std::wstring(name) == skin::TWScrollbar::WindowClassName() ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// One form with one of each edit-like and scrolling control, mapped,
// pressed, scrolled and freed; answers how many overlays it had.
int MappedFormCycle(skin::TSkinData& skinData) {
    auto& form = ui::App().Create<ui::Form>();
    form.SetBounds(100, 100, 600, 320);
    auto& combo = Place<ui::ComboBox>(form, 10);
    combo.AddItem(L"甲");
    combo.AddItem(L"乙");
    Place<ui::ComboBox>(form, 40).SetStyle(ui::ComboStyle::DropDownList);
    Place<ui::ComboBoxEx>(form, 70).AddItem(L"丙");
    auto& edit = Place<ui::Edit>(form, 100);
    auto& upDown = Place<ui::UpDown>(form, 130);
    upDown.SetAssociate(&edit);
    Place<ui::DateTimePicker>(form, 160);
    Place<ui::DateTimePicker>(form, 190).SetDateMode(ui::DateMode::UpDown);
    auto& scrollingPanel = form.Create<ui::Panel>();
    scrollingPanel.SetParent(&form);
    scrollingPanel.SetBounds(340, 10, 240, 160);
    const scrolltest::ScrollingControls scrolling(form, scrollingPanel);
    int overlays = 0;
    {
        mappingtest::TestHost host(skinData, form.Handle());
        skin::ControlMapping mapping;
        mapping.MapForm(host, form);
        for (ui::Control* control : form.Controls()) {
            const HWND window = static_cast<ui::WinControl*>(control)->Handle();
            SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(140, 5));
            SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 5));
            buttontest::Snapshot(window);
            SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(140, 5));
            SendMessageW(window, WM_MOUSELEAVE, 0, 0);
            for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                buttontest::Snapshot(child);  // the up-down inside the picker, the arrow button
            }
        }
        for (HWND window : {scrolling.memo.Handle(), scrolling.list.Handle(), scrolling.view.Handle()}) {
            SendMessageW(window, WM_VSCROLL, SB_PAGEDOWN, 0);
            SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
        }
        SendMessageW(scrolling.box.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        scrolling.bar.SetPosition(40);
        buttontest::Snapshot(scrollingPanel.Handle());
        overlays = OverlayWindows(form.Handle());
        // The form painter lets go first, as when skinning is switched off.
        host.registry.FreeAll(true);
    }
    delete &form;
    return overlays;
}

TEST(EditControlPainterHandles, StayFlatOverManyMappedForms) {
    skin::TSkinData skinData(nullptr);
    editcontrolstest::AddEditElements(skinData);
    skinData.SkinControls.Include(skin::xcSpin);
    skinData.SkinControls.Include(skin::xcScrollbar);
    for (int warmUp = 0; warmUp < 3; ++warmUp) {
        // The memo's two bars, the list box's, the list view's and the scrolling panel's at least.
        EXPECT_GE(MappedFormCycle(skinData), 5);
    }
    testsupport::PumpPostedMessages();
    const int gdiBefore = testsupport::LiveGdiObjects();
    const int windowsBefore = testsupport::ThreadWindows();
    constexpr int kCycles = 500;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        MappedFormCycle(skinData);
    }
    testsupport::PumpPostedMessages();
    EXPECT_EQ(testsupport::ThreadWindows(), windowsBefore);
    // A few objects of the system's own caches may come and go; a leak of one
    // per form or control would show hundreds.
    EXPECT_LE(testsupport::LiveGdiObjects() - gdiBefore, 8);
}

} // namespace

namespace {

// The program's own skin over one of each control, as the mapping gives it.
// EDIT_SHOT_HOLD_MS keeps the form up for a screenshot.
TEST(EditControlsDefaultSkin, FramesAndButtonsComeFromTheSkin) {
    skin::TSkinData skinData(nullptr);
    skinData.showMessage = [](const std::string&) {};
    ASSERT_TRUE(skinData.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN"));
    skinData.SkinControls.Include(skin::xcSpin);
    skinData.EnsureComboLooks();
    ASSERT_NE(skinData.ComboButton, nullptr);
    ASSERT_EQ(skinData.ComboButton->Style, 2) << "the skin's combo pictures are whole frames";

    ui::Form form(nullptr);
    form.SetBounds(120, 120, 400, 300);
    form.SetColor(skinData.Colours[skin::scButtonFace]);
    form.SetCaption(L"编辑控件");
    auto& combo = Place<ui::ComboBox>(form, 10);
    for (const wchar_t* item : {L"语文", L"数学", L"英语"}) {
        combo.AddItem(item);
    }
    combo.SetItemIndex(1);
    auto& list = Place<ui::ComboBox>(form, 44);
    list.SetStyle(ui::ComboStyle::DropDownList);
    list.AddItem(L"每天");
    list.SetItemIndex(0);
    Place<ui::ComboBoxEx>(form, 78).AddItem(L"扩展");
    auto& edit = Place<ui::Edit>(form, 112);
    edit.SetWidth(120);
    auto& upDown = Place<ui::UpDown>(form, 112);
    upDown.SetAssociate(&edit);
    upDown.SetPosition(7);
    Place<ui::DateTimePicker>(form, 146);
    Place<ui::DateTimePicker>(form, 180).SetDateMode(ui::DateMode::UpDown);
    form.Show();
    const ui::Bitmap native = editcontrolstest::ScreenShot(list.Handle());

    mappingtest::TestHost host(skinData, form.Handle());
    skin::ControlMapping mapping;
    mapping.MapForm(host, form);
    for (ui::Control* control : form.Controls()) {
        EXPECT_TRUE(host.PaintsControl(*control)) << control->ClassName();
    }
    const ui::Bitmap skinned = editcontrolstest::ScreenShot(list.Handle());
    // The ring of the whole-frame picture replaces the system's edge.
    const ui::Bitmap& strip = skinData.ComboButton->Bitmap;
    const int cellWidth = strip.Width() / skinData.ComboButton->FrameCount();
    EXPECT_EQ(skinned.PixelAt(0, skinned.Height() / 2), strip.PixelAt(0, strip.Height() / 2));
    EXPECT_EQ(skinned.PixelAt(skinned.Width() - 1, skinned.Height() / 2),
              strip.PixelAt(cellWidth - 1, strip.Height() / 2));
    EXPECT_NE(native.PixelAt(0, native.Height() / 2), skinned.PixelAt(0, skinned.Height() / 2));
    if (const char* hold = std::getenv("EDIT_SHOT_HOLD_MS")) {
        testsupport::HoldOnScreen(DWORD(std::atoi(hold)));
    }
    host.registry.FreeAll(true);
}

} // namespace
