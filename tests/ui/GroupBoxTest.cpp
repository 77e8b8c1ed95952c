// The group box: the system's frame with the caption, a container whose
// children work as on any other container, its inside in its parent's
// colour, and its class identity.

#include "tests/support/ScreenPixel.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class GroupBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<ui::Form>(nullptr);
        form->SetBounds(80, 80, 320, 240);
        box = &form->Create<ui::GroupBox>();
        box->SetParent(form.get());
        box->SetBounds(10, 10, 200, 120);
        box->SetCaption(L"登录方式");
        button = &form->Create<ui::Button>();
        button->SetParent(box);
        button->SetBounds(20, 30, 80, 25);
        button->SetCaption(L"确定");
        form->Show();
        ui::App().ProcessMessages();
    }
    void TearDown() override {
        form.reset();
        ui::App().ProcessMessages();
    }

    std::unique_ptr<ui::Form> form;
    ui::GroupBox* box = nullptr;
    ui::Button* button = nullptr;
};

TEST_F(GroupBoxTest, IsTheSystemsGroupBoxWithItsCaption) {
    const HWND window = box->Handle();
    wchar_t className[32]{};
    GetClassNameW(window, className, 32);
    EXPECT_STREQ(className, L"TGroupBox");  // the toolkit's superclass of the system's button
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    wchar_t text[32]{};
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"登录方式");
    EXPECT_EQ(box->ClassName(), "TGroupBox");
    EXPECT_TRUE(box->InheritsFrom("TCustomGroupBox"));
    EXPECT_FALSE(box->InheritsFrom("TButtonControl"));  // not a button for the painters' rules
}

TEST_F(GroupBoxTest, ChildrenSitInsideAndTheirClicksArrive) {
    EXPECT_EQ(GetParent(button->Handle()), box->Handle());
    int clicks = 0;
    button->OnClick = [&](ui::Control&) { ++clicks; };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    ui::App().ProcessMessages();
    EXPECT_EQ(clicks, 1);
}

TEST_F(GroupBoxTest, TheBoxItselfTakesTheMouse) {
    // The system's group box would let the click through to the form.
    RECT r{};
    GetWindowRect(box->Handle(), &r);
    const POINT inside{r.left + 150, r.top + 90};  // beside the button
    EXPECT_EQ(WindowFromPoint(inside), box->Handle());
}

} // namespace

namespace {

using testsupport::ScreenPixel;

TEST_F(GroupBoxTest, TheInsideOfTheBoxShowsTheParentsColourAsItChanges) {
    // Beside the button, inside the frame: only the box paints there.
    const POINT inside{150, 90};
    for (const ui::Color colour : {ui::Color(0x3050A0), ui::Color(0x40B060)}) {
        form->SetColor(colour);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ui::App().ProcessMessages();
        EXPECT_EQ(ScreenPixel(box->Handle(), inside), ui::ColorToRgb(colour));
    }
}

} // namespace
