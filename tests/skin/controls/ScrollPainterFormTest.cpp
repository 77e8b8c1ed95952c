// The scroll-bar painters on skinned forms: the mapping gives each scrolling
// control of the toolkit its painter, and a control whose window is made
// anew gets a working painter again with nothing of the old one left.

#include "skin/controls/ControlMapping.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/WScrollbar.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/controls/ManagerFixture.h"
#include "tests/skin/controls/MappingFixture.h"
#include "tests/skin/controls/ScrollOverlayFixture.h"
#include "ui/Button.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"

#include <gtest/gtest.h>

namespace {

using managertest::ManagerFixture;
using testsupport::PumpUntil;

// Overlay windows anywhere under the window.
int OverlaysUnder(HWND window) {
    int count = 0;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM counter) {
            wchar_t name[64]{};
            GetClassNameW(child, name, 63);
            if (lstrcmpW(name, skin::TWScrollbar::WindowClassName()) == 0) {
                ++*reinterpret_cast<int*>(counter);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Dispatches this thread's messages one by one until the queue runs dry or
// deadline passes: a paint that keeps coming back fails here instead of
// holding the test for ever.
bool DrainsBefore(ULONGLONG deadline) {
    MSG message{};
    while (GetTickCount64() < deadline) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            return true;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return false;
}

skin::TSkinControl* PainterOf(skin::TWinSkinForm& formPainter, HWND window) {
    for (skin::TSkinControl* painter : formPainter.ControlPainters()) {
        if (painter->Handle() == window) {
            return painter;
        }
    }
    return nullptr;
}

TEST_F(ManagerFixture, EachScrollingControlGetsThePainterOfItsRule) {
    auto* mapping = dynamic_cast<skin::ControlMapping*>(manager->Mapper());
    ASSERT_NE(mapping, nullptr);
    mappingtest::Recorder recorder;
    mapping->SetTrace(recorder.Trace());
    ui::Form& form = NewForm();
    form.SetBounds(300, 200, 260, 200);
    scrolltest::ScrollingControls controls(form, form);
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return recorder.PainterOf(&controls.view).has_value(); }));
    mapping->SetTrace({});

    const struct {
        ui::WinControl* control;
        const char* rule;
        const char* painter;
    } cases[] = {
        {&controls.memo, "Table 37 TSkinScrollbar", "TSkinScrollbar"},
        {&controls.list, "Table 35 TSkinScrollbar", "TSkinScrollbar"},
        {&controls.bar, "Table 24 TSkinScControl", "TSkinScControl"},
        {&controls.box, "Table 24 TSkinScControl", "TSkinScControl"},
        {&controls.view, "Table 34 TSkinListView", "TSkinListView"},
    };
    skin::TWinSkinForm* formPainter = manager->FindFormPainter(form.Handle());
    ASSERT_NE(formPainter, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control->ClassName());
        ASSERT_FALSE(recorder.For(c.control).empty());
        EXPECT_EQ(mappingtest::Describe(recorder.For(c.control).front()), c.rule);
        skin::TSkinControl* painter = PainterOf(*formPainter, c.control->Handle());
        ASSERT_NE(painter, nullptr);
        EXPECT_EQ(painter->ClassName(), c.painter);
        EXPECT_EQ(SendMessageW(c.control->Handle(), skin::SKM_QUERY, 0, 0), 1);
    }
    // The scroll-bar control is covered whole; the scroll box's own vertical bar.
    auto* barPainter = dynamic_cast<skin::TSkinScControl*>(PainterOf(*formPainter, controls.bar.Handle()));
    ASSERT_NE(barPainter, nullptr);
    ASSERT_NE(barPainter->Bar(), nullptr);
    EXPECT_TRUE(barPainter->Bar()->Shown());
    auto* boxPainter = dynamic_cast<skin::TSkinScControl*>(PainterOf(*formPainter, controls.box.Handle()));
    ASSERT_NE(boxPainter, nullptr);
    ASSERT_NE(boxPainter->Bar(skin::TWScrollbar::kVerticalBar), nullptr);
    EXPECT_TRUE(boxPainter->Bar(skin::TWScrollbar::kVerticalBar)->Shown());
    EXPECT_FALSE(boxPainter->Bar(skin::TWScrollbar::kHorizontalBar)->Shown());
    // The list view's header gets its own painter from the factory.
    auto* viewPainter = dynamic_cast<skin::TSkinListView*>(PainterOf(*formPainter, controls.view.Handle()));
    ASSERT_NE(viewPainter, nullptr);
    EXPECT_NE(controls.view.Header(), nullptr);
    EXPECT_NE(viewPainter->HeaderPainter(), nullptr);
    EXPECT_EQ(SendMessageW(controls.view.Header(), skin::SKM_QUERY, 0, 0), 1);
}

TEST_F(ManagerFixture, AControlMadeAnewGetsAWorkingPainterAndNothingOfTheOldStays) {
    ui::Form& form = NewForm();
    form.SetBounds(300, 200, 300, 240);
    auto& memo = form.Create<ui::Memo>();
    memo.SetParent(&form);
    memo.SetBounds(10, 10, 200, 150);
    memo.SetScrollBars(ui::ScrollStyle::Vertical);
    memo.SetText(scrolltest::NumberedLines(200));
    form.Show();
    skin::TWinSkinForm* formPainter = manager->FindFormPainter(form.Handle());
    ASSERT_NE(formPainter, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return PainterOf(*formPainter, memo.Handle()) != nullptr; }));
    const HWND oldWindow = memo.Handle();
    EXPECT_EQ(OverlaysUnder(form.Handle()), 2);
    const size_t paintersBefore = formPainter->ControlPainters().size();

    // A style the system takes only at creation.
    memo.SetScrollBars(ui::ScrollStyle::Both);
    const HWND newWindow = memo.Handle();
    ASSERT_NE(newWindow, oldWindow);
    ASSERT_TRUE(PumpUntil([&] { return PainterOf(*formPainter, newWindow) != nullptr; }));
    testsupport::PumpPostedMessages();

    auto* painter = dynamic_cast<skin::TSkinScrollbar*>(PainterOf(*formPainter, newWindow));
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(PainterOf(*formPainter, oldWindow), nullptr);
    EXPECT_EQ(formPainter->ControlPainters().size(), paintersBefore);
    EXPECT_EQ(OverlaysUnder(form.Handle()), 2);
    // Only one painter in the control's handler chain: the query is answered
    // once, by the new one.
    EXPECT_EQ(SendMessageW(newWindow, skin::SKM_QUERY, 0, 0), 1);
    size_t painterComponents = 0;
    for (ui::Component* component : memo.Components()) {
        painterComponents += dynamic_cast<skin::TSkinControl*>(component) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(painterComponents, 1u);

    // And it works: both bars covered, scrolling shows.
    ASSERT_TRUE(painter->VertBar()->Shown());
    ASSERT_TRUE(painter->HorzBar()->Shown());
    RECT native = scrolltest::InClient(form.Handle(), scrolltest::BarInfo(newWindow, OBJID_VSCROLL).rcScrollBar);
    RECT overlay = scrolltest::OverlayPlace(*painter->VertBar());
    EXPECT_TRUE(scrolltest::SameRect(native, overlay));
    SendMessageW(newWindow, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(scrolltest::ScrollPosition(newWindow, SB_VERT), 0);
    EXPECT_EQ(painter->VertBar()->HoverPart(), SB_PAGEDOWN);
}

// A scroll box shows both of its bars: both overlays sit above it, and
// placing them again on its frame paints changes nothing, so its painting
// comes to rest.
TEST_F(ManagerFixture, AScrollBoxWithBothBarsComesToRest) {
    ui::Form& form = NewForm();
    form.SetBounds(300, 200, 260, 200);
    auto& box = form.Create<ui::ScrollBox>();
    box.SetParent(&form);
    box.SetBounds(10, 10, 150, 80);
    auto& wide = form.Create<ui::Button>();
    wide.SetParent(&box);
    wide.SetBounds(8, 8, 300, 25);
    auto& low = form.Create<ui::Button>();
    low.SetParent(&box);
    low.SetBounds(8, 120, 60, 25);
    box.UpdateScrollBars();
    form.Show();
    skin::TWinSkinForm* formPainter = manager->FindFormPainter(form.Handle());
    ASSERT_NE(formPainter, nullptr);
    skin::TSkinScControl* painter = nullptr;
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (GetTickCount64() < deadline) {
        painter = dynamic_cast<skin::TSkinScControl*>(PainterOf(*formPainter, box.Handle()));
        if (painter != nullptr && painter->Bar(skin::TWScrollbar::kVerticalBar) != nullptr &&
            painter->Bar(skin::TWScrollbar::kVerticalBar)->Shown() &&
            painter->Bar(skin::TWScrollbar::kHorizontalBar) != nullptr &&
            painter->Bar(skin::TWScrollbar::kHorizontalBar)->Shown()) {
            break;
        }
        ASSERT_TRUE(DrainsBefore(deadline)) << "the queue never ran dry while the form was skinned";
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ASSERT_NE(painter, nullptr);
    ASSERT_TRUE(painter->Bar(skin::TWScrollbar::kVerticalBar)->Shown());
    ASSERT_TRUE(painter->Bar(skin::TWScrollbar::kHorizontalBar)->Shown());

    // A frame paint places the overlays again; they are where they belong.
    RedrawWindow(box.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    EXPECT_TRUE(DrainsBefore(GetTickCount64() + 10000)) << "the scroll box keeps asking to be painted";
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(box.Handle(), &pending, FALSE));
    // Both overlays lie above the box, the box's own bars under them.
    const HWND first = GetWindow(box.Handle(), GW_HWNDPREV);
    ASSERT_NE(first, nullptr);
    const HWND second = GetWindow(first, GW_HWNDPREV);
    const HWND overlays[] = {painter->Bar(skin::TWScrollbar::kVerticalBar)->Window(),
                             painter->Bar(skin::TWScrollbar::kHorizontalBar)->Window()};
    for (const HWND overlay : overlays) {
        EXPECT_TRUE(overlay == first || overlay == second);
    }
}

} // namespace
