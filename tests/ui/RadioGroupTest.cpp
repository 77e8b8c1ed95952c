// The radio group: buttons made from its items, the chosen item kept in step
// with the buttons (by code, click and arrow keys), its published properties,
// the column layout and the tab stop that leads into the group.

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/RadioGroup.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RadioGroupTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<ui::Form>(nullptr);
        form->SetBounds(80, 80, 360, 260);
        group = &form->Create<ui::RadioGroup>();
        group->SetParent(form.get());
        group->SetBounds(10, 10, 300, 160);
        group->SetCaption(L"学习模式");
        group->SetItems({L"视频", L"测验", L"阅读"});
        group->OnChange = [this](ui::Control&) { ++changes; };
        form->Show();
        ui::App().ProcessMessages();
    }
    void TearDown() override {
        form.reset();
        ui::App().ProcessMessages();
    }

    std::vector<int> CheckedButtons() const {
        std::vector<int> checked;
        for (int i = 0; group->ItemButton(i) != nullptr; ++i) {
            if (SendMessageW(group->ItemButton(i)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED) {
                checked.push_back(i);
            }
        }
        return checked;
    }

    std::unique_ptr<ui::Form> form;
    ui::RadioGroup* group = nullptr;
    int changes = 0;
};

TEST_F(RadioGroupTest, ItemsBecomeButtonsOwnedAndHeldByTheGroup) {
    EXPECT_EQ(group->ClassName(), "TRadioGroup");
    EXPECT_TRUE(group->InheritsFrom("TCustomRadioGroup"));
    EXPECT_TRUE(group->InheritsFrom("TCustomGroupBox"));
    EXPECT_FALSE(group->InheritsFrom("TGroupBox"));
    ASSERT_EQ(group->ControlCount(), 3);
    for (int i = 0; i < 3; ++i) {
        ui::RadioButton* button = group->ItemButton(i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Owner(), group);
        EXPECT_EQ(GetParent(button->Handle()), group->Handle());
        EXPECT_EQ(button->Caption(), group->Items()[size_t(i)]);
    }
    EXPECT_EQ(group->ItemButton(3), nullptr);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_TRUE(CheckedButtons().empty());

    // New items replace the buttons; the choice survives while it still fits.
    group->SetItemIndex(1);
    group->SetItems({L"甲", L"乙"});
    EXPECT_EQ(group->ControlCount(), 2);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(CheckedButtons(), std::vector<int>{1});
    group->SetItems({L"甲"});
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);  // only the user's choices are reported
}

TEST_F(RadioGroupTest, ItemIndexChecksExactlyItsButton) {
    const struct {
        int set;
        int expected;
    } cases[] = {{2, 2}, {0, 0}, {-1, -1}, {3, -1}, {-7, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        group->SetItemIndex(c.set);
        EXPECT_EQ(group->ItemIndex(), c.expected);
        EXPECT_EQ(CheckedButtons(), c.expected < 0 ? std::vector<int>{} : std::vector<int>{c.expected});
    }
}

TEST_F(RadioGroupTest, ClickingAButtonChoosesItsItemOnce) {
    SendMessageW(group->ItemButton(2)->Handle(), BM_CLICK, 0, 0);
    ui::App().ProcessMessages();
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(CheckedButtons(), std::vector<int>{2});
    EXPECT_EQ(changes, 1);
    SendMessageW(group->ItemButton(2)->Handle(), BM_CLICK, 0, 0);
    ui::App().ProcessMessages();
    EXPECT_EQ(changes, 1);  // the same item again is no change
    SendMessageW(group->ItemButton(0)->Handle(), BM_CLICK, 0, 0);
    ui::App().ProcessMessages();
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(CheckedButtons(), std::vector<int>{0});
    EXPECT_EQ(changes, 2);
}

TEST_F(RadioGroupTest, ArrowKeysMoveChoiceAndFocusSkippingDisabledButtons) {
    group->ItemButton(1)->SetEnabled(false);
    group->SetItemIndex(0);
    group->ItemButton(0)->SetFocus();
    const auto press = [](WORD key) { SendMessageW(GetFocus(), WM_KEYDOWN, key, 0); };
    press(VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(GetFocus(), group->ItemButton(2)->Handle());
    press(VK_RIGHT);  // round the end
    EXPECT_EQ(group->ItemIndex(), 0);
    press(VK_UP);
    EXPECT_EQ(group->ItemIndex(), 2);
    press(VK_LEFT);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(GetFocus(), group->ItemButton(0)->Handle());
    EXPECT_EQ(CheckedButtons(), std::vector<int>{0});
    EXPECT_EQ(changes, 4);
}

TEST_F(RadioGroupTest, OnlyTheChosenButtonIsATabStop) {
    const auto stops = [this] {
        std::vector<int> list;
        for (int i = 0; group->ItemButton(i) != nullptr; ++i) {
            if (group->ItemButton(i)->tabStop) {
                list.push_back(i);
            }
        }
        return list;
    };
    EXPECT_EQ(stops(), std::vector<int>{0});  // none chosen: the first
    group->SetItemIndex(2);
    EXPECT_EQ(stops(), std::vector<int>{2});
}

TEST_F(RadioGroupTest, ColumnsSplitTheItemsTopToBottomThenLeftToRight) {
    group->SetItems({L"一", L"二", L"三", L"四"});
    group->SetColumns(2);
    const auto at = [this](int i) { return group->ItemButton(i)->BoundsRect(); };
    EXPECT_EQ(at(0).left, at(1).left);
    EXPECT_EQ(at(2).left, at(3).left);
    EXPECT_GT(at(2).left, at(0).left);
    EXPECT_EQ(at(0).top, at(2).top);
    EXPECT_GT(at(1).top, at(0).top);
    EXPECT_LE(at(2).right, group->Width());
    EXPECT_LE(at(1).bottom, group->Height());
    group->SetColumns(0);  // counts as one column
    EXPECT_EQ(group->Columns(), 1);
    EXPECT_EQ(at(3).left, at(0).left);
    EXPECT_GT(at(3).top, at(2).top);
}

TEST_F(RadioGroupTest, PublishedPropertiesReadAndWriteTheGroup) {
    EXPECT_TRUE(group->SetPropertyText("Items", "红\r\n绿\n蓝\r\n"));
    EXPECT_EQ(group->Items(), (std::vector<std::wstring>{L"红", L"绿", L"蓝"}));
    EXPECT_EQ(group->GetPropertyText("Items"), "红\n绿\n蓝");
    EXPECT_TRUE(group->SetPropertyText("ItemIndex", "1"));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(group->GetPropertyText("ItemIndex"), "1");
    EXPECT_TRUE(group->SetPropertyText("Columns", "3"));
    EXPECT_EQ(group->GetPropertyText("Columns"), "3");
    EXPECT_THROW(group->SetPropertyText("ItemIndex", "二"), ui::PropertyError);
    EXPECT_EQ(group->ItemIndex(), 1);
}

} // namespace
