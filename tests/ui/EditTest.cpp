// The edit's read-only state: set before or after its window exists, by the
// property or by name, it reaches the system edit, which then refuses typing.

#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

bool WindowReadOnly(ui::Edit& edit) { return (GetWindowLongW(edit.Handle(), GWL_STYLE) & ES_READONLY) != 0; }

TEST(EditTest, ReadOnlyReachesTheSystemEditBeforeAndAfterItsWindowExists) {
    ui::Form form(nullptr);
    form.SetBounds(80, 80, 320, 160);
    auto& early = form.Create<ui::Edit>();
    early.SetParent(&form);
    early.SetBounds(10, 10, 200, 22);
    early.SetReadOnly(true);
    auto& late = form.Create<ui::Edit>();
    late.SetParent(&form);
    late.SetBounds(10, 40, 200, 22);
    late.SetText(L"原文");
    form.Show();
    ui::App().ProcessMessages();

    EXPECT_TRUE(WindowReadOnly(early));
    EXPECT_FALSE(WindowReadOnly(late));
    ASSERT_TRUE(late.SetPropertyText("ReadOnly", "True"));
    EXPECT_TRUE(late.ReadOnly());
    EXPECT_TRUE(WindowReadOnly(late));
    EXPECT_EQ(late.GetPropertyText("ReadOnly"), "True");
    // Typing changes nothing now.
    SendMessageW(late.Handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(late.Text(), L"原文");

    early.SetReadOnly(false);
    EXPECT_FALSE(WindowReadOnly(early));
    SendMessageW(early.Handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(early.Text(), L"x");
}

} // namespace
