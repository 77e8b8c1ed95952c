// The tab painters read back by pixel with a probe skin: the selected tab in
// each of the four positions, the pane, the tab sheets, the close boxes of a
// closable page control asking the form under a real click, and handles
// staying flat over many skinned forms.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinMessages.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinTab.h"
#include "tests/skin/controls/BarTabProbeSkin.h"
#include "tests/skin/controls/ButtonPainterFixture.h"
#include "tests/support/GdiObjects.h"
#include "tests/support/MouseInput.h"
#include "ui/PageControl.h"
#include "ui/TabSet.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using bartest::ElementCell;
using buttontest::Snapshot;
using testsupport::MoveMouseTo;
using testsupport::PumpUntil;

// A form that answers the close boxes' question and records it.
class AskedForm : public ui::Form {
public:
    using Form::Form;
    LRESULT answer = 0;
    struct Question {
        WPARAM tabWindow;
        LPARAM tab;
    };
    std::vector<Question> questions;

protected:
    void WndProc(ui::Message& message) override {
        if (message.msg == skin::SKM_TABCLOSE) {
            questions.push_back({message.wParam, message.lParam});
            message.result = answer;
            return;
        }
        Form::WndProc(message);
    }
};

struct TabFixture : ::testing::Test {
    TabFixture() {
        form.SetBounds(200, 150, 420, 320);
        form.SetColor(buttontest::kParentColour);
        form.Show();
        SetForegroundWindow(form.Handle());
        testsupport::PumpPostedMessages();
    }
    ~TabFixture() override { delete &form; }

    skin::TSkinTab& Paint(ui::Control& control, skin::PainterKind kind) {
        skin::TSkinControl* painter = skin::CreatePainter(kind, &control);
        EXPECT_NE(painter, nullptr);
        painter->Attach(nullptr, probe.get(), false, nullptr);
        return dynamic_cast<skin::TSkinTab&>(*painter);
    }
    static RECT ItemRect(HWND tabs, int index) {
        RECT rect{};
        SendMessageW(tabs, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    std::unique_ptr<skin::TSkinData> probe = bartest::ProbeSkin();
    AskedForm& form = ui::App().Create<AskedForm>();
};

// TABS_SHOT_HOLD_MS keeps the four tab controls up for a screenshot.
TEST_F(TabFixture, SelectedTabHasFrameTwoInEveryPosition) {
    const ui::Color normal = ElementCell(bartest::kTabs, 1);
    const ui::Color selected = ElementCell(bartest::kTabs, 2);
    const struct {
        ui::TabPosition position;
        skin::TabPosition expected;
        const char* name;
        POINT at;
    } cases[] = {
        {ui::TabPosition::Top, skin::TabPosition::Top, "top", {10, 10}},
        {ui::TabPosition::Bottom, skin::TabPosition::Bottom, "bottom", {320, 10}},
        {ui::TabPosition::Left, skin::TabPosition::Left, "left", {10, 230}},
        {ui::TabPosition::Right, skin::TabPosition::Right, "right", {320, 230}},
    };
    form.SetBounds(100, 60, 650, 480);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& tabs = form.Create<ui::TabControl>();
        tabs.SetTabPosition(c.position);
        tabs.SetParent(&form);
        tabs.SetBounds(c.at.x, c.at.y, 300, 210);
        tabs.AddTab(L"甲");
        tabs.AddTab(L"乙");
        tabs.AddTab(L"丙");
        tabs.SetTabIndex(1);
        skin::TSkinTab& painter = Paint(tabs, skin::PainterKind::Tab);
        EXPECT_EQ(painter.Position(), c.expected);
        const ui::Bitmap shot = Snapshot(tabs.Handle());
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const RECT item = ItemRect(tabs.Handle(), i);
            // Inside the tab, away from its label and its edge next to the pane.
            POINT probePoint{item.left + 3, item.top + 3};
            if (c.position == ui::TabPosition::Top) probePoint.y = item.top + 4;
            if (c.position == ui::TabPosition::Right) probePoint.x = item.right - 4;
            if (c.position == ui::TabPosition::Bottom) probePoint.y = item.bottom - 4;
            EXPECT_EQ(shot.PixelAt(probePoint.x, probePoint.y), i == 1 ? selected : normal);
        }
        // The pane: its picture fills the display area.
        const RECT display = tabs.DisplayRect();
        EXPECT_EQ(shot.PixelAt((display.left + display.right) / 2, (display.top + display.bottom) / 2),
                  ElementCell(bartest::kPane, 1));
    }
    if (const char* hold = std::getenv("TABS_SHOT_HOLD_MS")) {
        form.Repaint();
        testsupport::HoldOnScreen(DWORD(std::strtoul(hold, nullptr, 10)));
    }
}

TEST_F(TabFixture, TabSheetsShowTheFormColourOnThePane) {
    auto& pages = form.Create<ui::PageControl>();
    pages.SetParent(&form);
    pages.SetBounds(10, 10, 300, 200);
    auto& sheet = form.Create<ui::TabSheet>();
    sheet.SetCaption(L"常规");
    sheet.SetPageControl(&pages);
    Paint(pages, skin::PainterKind::Tab);
    skin::TSkinControl* sheetPainter = skin::CreatePainter(skin::PainterKind::TabSheet, &sheet);
    ASSERT_NE(sheetPainter, nullptr);
    sheetPainter->Attach(nullptr, probe.get(), false, nullptr);
    ASSERT_TRUE(sheet.Visible());
    const ui::Bitmap shot = Snapshot(sheet.Handle());
    EXPECT_EQ(shot.PixelAt(5, 5), bartest::kFace);
    EXPECT_EQ(shot.PixelAt(shot.Width() - 3, shot.Height() - 3), bartest::kFace);
}

TEST_F(TabFixture, TabSetHangsItsTabsBelow) {
    auto& set = form.Create<ui::TabSet>();
    set.SetParent(&form);
    set.SetBounds(10, 10, 300, 26);
    set.AddTab(L"第一页");
    set.AddTab(L"第二页");
    skin::TSkinTab& painter = Paint(set, skin::PainterKind::Tab31);
    EXPECT_EQ(painter.Position(), skin::TabPosition::Bottom);
    EXPECT_FALSE(set.InheritsFrom("TCustomTabControl"));
}

// A skin switched to that has no Tabs element: the painters stay attached
// (a refresh does not map again) and the controls look exactly like twins
// that were never skinned; the element coming back brings the skin's look.
TEST_F(TabFixture, WithoutATabsElementTheControlsDrawThemselvesUntilItComesBack) {
    form.SetBounds(100, 60, 650, 480);
    struct Painted {
        ui::WinControl* skinned;
        ui::WinControl* twin;
    };
    std::vector<Painted> painted;
    skin::TSkinTab* tabPainter = nullptr;
    for (const skin::PainterKind kind : {skin::PainterKind::Tab, skin::PainterKind::Tab31}) {
        ui::TabControl* pair[2] = {};
        for (int i = 0; i < 2; ++i) {
            pair[i] = kind == skin::PainterKind::Tab ? &form.Create<ui::TabControl>() : &form.Create<ui::TabSet>();
            pair[i]->SetParent(&form);
            pair[i]->SetBounds(10 + i * 310, kind == skin::PainterKind::Tab ? 10 : 80, 300, 60);
            pair[i]->AddTab(L"甲");
            pair[i]->AddTab(L"乙");
            pair[i]->SetTabIndex(1);
        }
        painted.push_back({pair[0], pair[1]});
        skin::TSkinTab& painter = Paint(*pair[0], kind);
        if (kind == skin::PainterKind::Tab) {
            tabPainter = &painter;
        }
    }
    // A page control with its page, and its twin.
    ui::PageControl* pages[2] = {};
    ui::TabSheet* sheets[2] = {};
    for (int i = 0; i < 2; ++i) {
        pages[i] = &form.Create<ui::PageControl>();
        pages[i]->SetParent(&form);
        pages[i]->SetBounds(10 + i * 310, 150, 300, 200);
        sheets[i] = &form.Create<ui::TabSheet>();
        sheets[i]->SetCaption(L"常规");
        sheets[i]->SetPageControl(pages[i]);
    }
    Paint(*pages[0], skin::PainterKind::Tab);
    skin::TSkinControl* sheetPainter = skin::CreatePainter(skin::PainterKind::TabSheet, sheets[0]);
    ASSERT_NE(sheetPainter, nullptr);
    sheetPainter->Attach(nullptr, probe.get(), false, nullptr);
    painted.push_back({pages[0], pages[1]});
    painted.push_back({sheets[0], sheets[1]});

    std::vector<skin::TSkinControl*> painters;
    for (const Painted& p : painted) {
        for (ui::Component* component : p.skinned->Components()) {
            if (auto* painter = dynamic_cast<skin::TSkinControl*>(component)) {
                painters.push_back(painter);
            }
        }
    }
    ASSERT_EQ(painters.size(), 4u);
    const RECT selected = ItemRect(painted[0].skinned->Handle(), 1);
    const POINT inSelected{selected.left + 3, selected.top + 4};
    ASSERT_EQ(Snapshot(painted[0].skinned->Handle()).PixelAt(inSelected.x, inSelected.y),
              ElementCell(bartest::kTabs, 2));

    auto tabs = std::move(probe->Tabs);
    for (skin::TSkinControl* painter : painters) {
        painter->SkinChanged();
    }
    EXPECT_FALSE(tabPainter->HasTabsElement());
    for (const Painted& p : painted) {
        SCOPED_TRACE(p.skinned->ClassName());
        const ui::Bitmap shot = Snapshot(p.skinned->Handle());
        const ui::Bitmap native = Snapshot(p.twin->Handle());
        ASSERT_EQ(shot.Width(), native.Width());
        int differing = 0;
        for (int y = 0; y < shot.Height(); ++y) {
            for (int x = 0; x < shot.Width(); ++x) {
                differing += shot.PixelAt(x, y) != native.PixelAt(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
    }

    probe->Tabs = std::move(tabs);
    for (skin::TSkinControl* painter : painters) {
        painter->SkinChanged();
    }
    EXPECT_EQ(Snapshot(painted[0].skinned->Handle()).PixelAt(inSelected.x, inSelected.y),
              ElementCell(bartest::kTabs, 2));
    EXPECT_EQ(Snapshot(sheets[0]->Handle()).PixelAt(5, 5), bartest::kFace);
}

// The tab set's scroll arrows step sideways; a tab control's follow their style.
TEST_F(TabFixture, OnlyTheTabSetsArrowsAreMadeHorizontal) {
    const struct {
        skin::PainterKind kind;
        const char* mode;
        int y;
    } cases[] = {{skin::PainterKind::Tab31, "1", 10}, {skin::PainterKind::Tab, "0", 60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ui::TabControl& tabs =
            c.kind == skin::PainterKind::Tab31 ? form.Create<ui::TabSet>() : form.Create<ui::TabControl>();
        tabs.SetParent(&form);
        tabs.SetBounds(10, c.y, 200, 40);
        for (int i = 0; i < 12; ++i) {
            tabs.AddTab(L"第" + std::to_wstring(i + 1) + L"张工作表");
        }
        ASSERT_NE(FindWindowExW(tabs.Handle(), nullptr, UPDOWN_CLASSW, nullptr), nullptr);
        skin::TSkinTab& painter = Paint(tabs, c.kind);
        ASSERT_NE(painter.UpDownPainter(), nullptr);
        EXPECT_EQ(painter.UpDownPainter()->GetPropertyText("HorizontalMode").value_or("?"), c.mode);
    }
}

TEST_F(TabFixture, ButtonTabsShowTheSelectedOnePressedWithoutAPane) {
    auto& pages = form.Create<ui::PageControl>();
    pages.SetStyle(ui::TabStyle::Buttons);
    pages.SetParent(&form);
    pages.SetBounds(10, 10, 300, 200);
    for (const wchar_t* caption : {L"一", L"二"}) {
        auto& sheet = form.Create<ui::TabSheet>();
        sheet.SetCaption(caption);
        sheet.SetPageControl(&pages);
    }
    pages.SetTabIndex(1);
    Paint(pages, skin::PainterKind::TabBtn);
    const ui::Bitmap shot = Snapshot(pages.Handle());
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const RECT item = ItemRect(pages.Handle(), i);
        EXPECT_EQ(shot.PixelAt(item.left + 2, item.top + 2), ElementCell(bartest::kButtons, i == 1 ? 3 : 1));
    }
    // Below the buttons: the parent's colour, no pane picture.
    EXPECT_EQ(shot.PixelAt(150, 190), buttontest::kParentColour);
}

// ---------------------------------------------------------------- close boxes

struct CloseBoxFixture : TabFixture {
    CloseBoxFixture() {
        pages.SetParent(&form);
        pages.SetBounds(10, 10, 360, 220);
        pages.tag = 7777;
        for (const wchar_t* caption : {L"第一页", L"第二页", L"第三页"}) {
            auto& sheet = form.Create<ui::TabSheet>();
            sheet.SetCaption(caption);
            sheet.SetPageControl(&pages);
            sheets.emplace_back(&sheet);
        }
        painter = &Paint(pages, skin::PainterKind::Tab);
        pages.Repaint();
        MoveMouseTo(POINT{5, 5});
    }
    // A real click in the middle of tab index's close box.
    void ClickCloseBox(int index) {
        ASSERT_TRUE(painter->HasCloseBoxes());
        ASSERT_GT(int(painter->CloseBoxes().size()), index);
        const RECT box = painter->CloseBoxes()[size_t(index)];
        POINT point{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        ClientToScreen(pages.Handle(), &point);
        ASSERT_TRUE(MoveMouseTo(point));
        testsupport::SendMouse(point, MOUSEEVENTF_LEFTDOWN);
        testsupport::SendMouse(point, MOUSEEVENTF_LEFTUP);
    }

    ui::PageControl& pages = form.Create<ui::PageControl>();
    std::vector<ui::Ref<ui::TabSheet>> sheets;
    skin::TSkinTab* painter = nullptr;
};

TEST_F(CloseBoxFixture, AnswerZeroFreesThePage) {
    form.answer = 0;
    ClickCloseBox(1);
    ASSERT_TRUE(PumpUntil([&] { return !form.questions.empty(); }));
    EXPECT_EQ(form.questions.front().tabWindow, reinterpret_cast<WPARAM>(pages.Handle()));
    EXPECT_EQ(form.questions.front().tab, 1);
    EXPECT_TRUE(PumpUntil([&] { return !sheets[1]; }));
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.TabCount(), 2);
    EXPECT_EQ(pages.Pages(1), sheets[2].get());
    EXPECT_EQ(SendMessageW(pages.Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(CloseBoxFixture, AnotherAnswerKeepsThePageAndAClickBesideTheBoxSelects) {
    form.answer = 1;
    ClickCloseBox(2);
    ASSERT_TRUE(PumpUntil([&] { return !form.questions.empty(); }));
    testsupport::PumpPostedMessages();
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_TRUE(sheets[2]);
    // The close box click selected nothing; a click on the label does.
    EXPECT_EQ(pages.TabIndex(), 0);
    const RECT item = ItemRect(pages.Handle(), 2);
    POINT label{item.left + 6, (item.top + item.bottom) / 2 + 2};
    ClientToScreen(pages.Handle(), &label);
    ASSERT_TRUE(MoveMouseTo(label));
    testsupport::SendMouse(label, MOUSEEVENTF_LEFTDOWN);
    testsupport::SendMouse(label, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return pages.TabIndex() == 2; }));
    EXPECT_EQ(form.questions.size(), 1u);
}

TEST(TabCloseBoxes, OnlyAClosablePageControlHasThem) {
    auto probe = bartest::ProbeSkin();
    ui::Form form(nullptr);
    form.SetBounds(10, 10, 300, 200);
    auto& pages = form.Create<ui::PageControl>();
    pages.SetParent(&form);
    pages.SetBounds(0, 0, 200, 100);
    auto& tabs = form.Create<ui::TabControl>();
    tabs.SetParent(&form);
    tabs.tag = 7777;
    tabs.SetBounds(0, 100, 200, 100);
    for (ui::Control* control : {static_cast<ui::Control*>(&pages), static_cast<ui::Control*>(&tabs)}) {
        std::unique_ptr<skin::TSkinControl> painter(skin::CreatePainter(skin::PainterKind::Tab, control));
        painter->Attach(nullptr, probe.get(), false, nullptr);
        EXPECT_FALSE(dynamic_cast<skin::TSkinTab&>(*painter).HasCloseBoxes()) << control->ClassName();
    }
}

// ---------------------------------------------------------------- foreign glyphs

// A foreign check box that draws itself from a strip it is handed.
class StripCheckBox : public ui::WinControl, public skin::MarkGlyphTarget {
public:
    using ui::WinControl::WinControl;
    void TakeMarkGlyphs(const ui::Bitmap& strip, int cells) override {
        taken = strip;
        takenCells = cells;
    }
    ui::Bitmap taken;
    int takenCells = 0;
};

TEST(ObjImage, CutsTheSkinsCellsIntoTheOrderOfItsKind) {
    auto probe = bartest::ProbeSkin();
    // Check cells 1..4 and radio cells 1..4 in colours of their own.
    testsupport::FillStrip(probe->Buttons->CheckBitmap, 13, 13, bartest::Cells(bartest::kTabs, 4));
    probe->Buttons->CheckButtonFrame = 4;
    testsupport::FillStrip(probe->Buttons->RadioBitmap, 13, 13, bartest::Cells(bartest::kPane, 4));
    probe->Buttons->RadioButtonFrame = 4;
    const struct {
        int kind;
        int element;
        std::vector<int> cells;
    } cases[] = {
        {1, bartest::kTabs, {1, 2, 4, 3, 4}},
        {2, bartest::kPane, {1, 2, 3, 4}},
        {3, bartest::kTabs, {1, 2, 4}},
    };
    ui::Form form(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        auto& box = form.Create<StripCheckBox>();
        box.SetParent(&form);
        std::unique_ptr<skin::TSkinControl> painter(skin::CreatePainter(skin::PainterKind::ObjImage, &box));
        ASSERT_TRUE(painter->SetPropertyText("ImageKind", std::to_string(c.kind)));
        painter->Attach(nullptr, probe.get(), true, nullptr);
        ASSERT_EQ(box.takenCells, int(c.cells.size()));
        ASSERT_EQ(box.taken.Width(), 13 * int(c.cells.size()));
        for (size_t i = 0; i < c.cells.size(); ++i) {
            EXPECT_EQ(box.taken.PixelAt(int(i) * 13 + 6, 6), ElementCell(c.element, c.cells[i])) << i;
        }
    }
    auto& box = form.Create<StripCheckBox>();
    std::unique_ptr<skin::TSkinControl> painter(skin::CreatePainter(skin::PainterKind::ObjImage, &box));
    EXPECT_THROW(painter->SetPropertyText("ImageKind", "7"), ui::PropertyError);
}

// ---------------------------------------------------------------- handles

TEST(TabAndBarPainters, HandlesStayFlatOverManySkinnedForms) {
    auto probe = bartest::ProbeSkin();
    const auto cycle = [&probe] {
        auto& form = ui::App().Create<ui::Form>();
        form.SetBounds(100, 100, 400, 300);
        auto& pages = form.Create<ui::PageControl>();
        pages.SetParent(&form);
        pages.SetBounds(0, 0, 380, 200);
        pages.tag = 7777;
        auto& sheet = form.Create<ui::TabSheet>();
        sheet.SetCaption(L"页");
        sheet.SetPageControl(&pages);
        auto& tabs = form.Create<ui::TabControl>();
        tabs.SetTabPosition(ui::TabPosition::Left);
        tabs.SetParent(&form);
        tabs.SetBounds(0, 200, 200, 80);
        tabs.AddTab(L"左");
        const std::pair<ui::Control*, skin::PainterKind> painted[] = {
            {&pages, skin::PainterKind::Tab},
            {&sheet, skin::PainterKind::TabSheet},
            {&tabs, skin::PainterKind::Tab},
        };
        for (const auto& [control, kind] : painted) {
            skin::TSkinControl* painter = skin::CreatePainter(kind, control);
            painter->Attach(nullptr, probe.get(), false, nullptr);
        }
        form.Show();
        form.Repaint();
        Snapshot(pages.Handle());
        Snapshot(tabs.Handle());
        delete &form;
        testsupport::PumpPostedMessages();
    };
    for (int i = 0; i < 3; ++i) {
        cycle();
    }
    const int gdiBefore = testsupport::LiveGdiObjects();
    const int windowsBefore = testsupport::ThreadWindows();
    for (int i = 0; i < 40; ++i) {
        cycle();
    }
    EXPECT_LE(testsupport::LiveGdiObjects(), gdiBefore + 4);
    EXPECT_EQ(testsupport::ThreadWindows(), windowsBefore);
}

} // namespace
