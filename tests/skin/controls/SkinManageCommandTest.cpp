// The manager's commands for a form's own skin data component, and the
// refresh after a new skin.

#include "skin/controls/SkinManage.h"

#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/controls/ManagerFixture.h"
#include "tests/skin/forms/FrameSkinFixture.h"

#include <gtest/gtest.h>

namespace {

using managertest::DefaultSkinData;
using managertest::HasPosted;
using managertest::ManagerFixture;
using managertest::RunCommands;

TEST_F(ManagerFixture, AFormsOwnComponentSkinsAndUnskinsThatFormOnly) {
    ui::Form& own = NewForm(400, 260);
    // Owned by the form, as a form's own component is.
    skin::TSkinData* ownData = DefaultSkinData(skin::TSkinFormType::sfOnlyThisForm, &own).release();
    ownData->Loaded();
    ui::Form& other = NewForm();
    manager->SetActive(false);
    other.Show();
    own.Show();
    ASSERT_EQ(manager->State(), 1);
    ASSERT_TRUE(manager->FormPainters().empty());

    ownData->SetActive(true);
    EXPECT_EQ(RunCommands(*ownData), 1);
    const skin::TWinSkinForm* painter = manager->FindFormPainter(own.Handle());
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->SkinData(), ownData);
    EXPECT_EQ(manager->FindFormPainter(other.Handle()), nullptr);
    EXPECT_TRUE(manager->Active());

    // The main form's component skins the other one; switching the form's
    // own off takes only its painter.
    ASSERT_TRUE(manager->SkinWindow(other.Handle()));
    ownData->SetActive(false);
    EXPECT_EQ(RunCommands(*ownData), 1);
    EXPECT_EQ(manager->FindFormPainter(own.Handle()), nullptr);
    EXPECT_NE(manager->FindFormPainter(other.Handle()), nullptr);
    EXPECT_FALSE(manager->Active());
}

TEST_F(ManagerFixture, ANewSkinRefreshesTheSkinnedFormsAroundTheSameClientArea) {
    ui::Form& form = NewForm();
    form.SetClientSize(220, 140);
    form.Show();
    ASSERT_TRUE(testsupport::PumpUntil(
        [&] { return !HasPosted(form.Handle(), skin::SKM_SETUP, 0, skin::kSetupMagic); }));
    const ui::Ref<skin::TWinSkinForm> painter(manager->FindFormPainter(form.Handle()));
    ASSERT_TRUE(painter);
    ASSERT_EQ(painter->CaptionHeight(), 30);

    // Another skin: a 40-pixel caption.
    formtest::FrameSkinPieces spec;
    spec.topHeight = 80;
    skin::MemoryStream stream = skintest::SkinStreamOf(formtest::FrameSkinFile(spec));
    ASSERT_TRUE(data->ReadSkinStream(stream));
    data->ApplySkin();
    EXPECT_EQ(manager->PendingCommand(), skin::kCommandRefresh);
    EXPECT_EQ(RunCommands(*data), 1);

    ASSERT_TRUE(painter);
    EXPECT_EQ(manager->FindFormPainter(form.Handle()), painter.get());
    EXPECT_EQ(painter->CaptionHeight(), 40);
    EXPECT_EQ(form.ClientWidth(), 220);
    EXPECT_EQ(form.ClientHeight(), 140);
    RECT outer{};
    GetWindowRect(form.Handle(), &outer);
    EXPECT_EQ(outer.bottom - outer.top, 140 + 40 + painter->BorderBottom());
}

} // namespace
