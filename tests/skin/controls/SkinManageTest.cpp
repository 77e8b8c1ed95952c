// The skin manager: which windows get a form painter and with which skin
// data, the window-creation hook, the delayed commands, popup painters,
// dropping dead painters, and what it leaves behind.

#include "skin/manager/SkinManage.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/controls/ManagerFixture.h"
#include "tests/support/Pump.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using managertest::BareWindow;
using managertest::DefaultSkinData;
using managertest::HasPosted;
using managertest::Log;
using managertest::ManagerFixture;
using managertest::RunCommands;
using skin::TSkinData;
using skin::TSkinFormType;
using skin::TSkinManage;

TEST_F(ManagerFixture, TheMainFormComponentMakesTheManagerAndItsHook) {
    ASSERT_NE(manager, nullptr);
    ASSERT_FALSE(data->NotLoaded());
    EXPECT_TRUE(manager->HookInstalled());
    EXPECT_EQ(manager->DefaultSkinData(), data.get());
    EXPECT_EQ(manager->SkinDataList(), (std::vector<TSkinData*>{data.get()}));
    // Before the first activation the skin command only switched skinning on.
    EXPECT_TRUE(manager->Active());
    EXPECT_EQ(manager->State(), skin::ManagerState::Waiting);
    EXPECT_NE(manager->ControlAtom(), 0);
}

TEST_F(ManagerFixture, ActivatedWindowsGetAFormPainterAndTheSetUpMessage) {
    BareWindow window(log, L"bare");
    ASSERT_EQ(manager->FindFormPainter(window.handle), nullptr);
    ShowWindow(window.handle, SW_SHOW);
    SetActiveWindow(window.handle);
    EXPECT_EQ(manager->State(), skin::ManagerState::Running);
    skin::TWinSkinForm* painter = manager->FindFormPainter(window.handle);
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->Owner(), nullptr);
    EXPECT_EQ(painter->SkinData(), data.get());
    EXPECT_EQ(painter->Handle(), window.handle);
    EXPECT_EQ(painter->Module(), GetModuleHandleW(nullptr));
    EXPECT_EQ(painter->EventName(), BareWindow::kClassName);
    EXPECT_TRUE(HasPosted(window.handle, skin::SKM_SETUP, 0, skin::kSetupMagic));

    ui::Form& form = NewForm();
    form.Show();
    skin::TWinSkinForm* formPainter = manager->FindFormPainter(form.Handle());
    ASSERT_NE(formPainter, nullptr);
    EXPECT_EQ(formPainter->Owner(), &form);
    EXPECT_TRUE(HasPosted(form.Handle(), skin::SKM_SETUP, 0, skin::kSetupMagic));
    EXPECT_EQ(manager->FormPainters().size(), 2u);

    // Asked again, the manager makes no second painter.
    EXPECT_FALSE(manager->SkinWindow(form.Handle()));
    EXPECT_EQ(manager->FormPainters().size(), 2u);

    // The form's painter goes with the form.
    const ui::Ref<skin::TWinSkinForm> alive(formPainter);
    delete &form;
    forms.clear();
    EXPECT_FALSE(alive);
    EXPECT_EQ(manager->FormPainters(), (std::vector<skin::TWinSkinForm*>{painter}));
}

TEST_F(ManagerFixture, WhichWindowsSkinWindowRefuses) {
    const HMODULE foreign = GetModuleHandleW(L"kernel32.dll");
    struct Case {
        const char* name;
        std::function<HWND()> make;
        bool skinned;
    };
    std::vector<std::unique_ptr<BareWindow>> windows;
    std::vector<HWND> systemWindows;
    const auto bare = [&](BareWindow::Options options) {
        windows.push_back(std::make_unique<BareWindow>(log, L"w", options));
        return windows.back()->handle;
    };
    const auto system = [&](const wchar_t* className, DWORD style, HINSTANCE instance) {
        systemWindows.push_back(CreateWindowExW(0, className, L"s", style, 10, 10, 200, 100, nullptr, nullptr,
                                                instance, nullptr));
        return systemWindows.back();
    };
    const HWND parent = bare({});
    const Case cases[] = {
        {"a top-level window of this module", [&] { return bare({}); }, true},
        {"another module's painter answers the query", [&] { return bare({.queryAnswer = 1}); }, false},
        {"a plain child", [&] { return bare({.style = WS_CHILD | WS_VISIBLE, .parent = parent}); }, false},
        {"no area", [&] { return bare({.style = WS_POPUP, .bounds = {10, 10, 10, 90}}); }, false},
        {"another module's window", [&] { return system(L"STATIC", WS_POPUP, foreign); }, false},
        {"another module's dialog", [&] { return system(L"#32770", WS_POPUP | WS_CAPTION, foreign); }, true},
        {"a dialog with style 0x200", [&] { return system(L"#32770", WS_POPUP | 0x200, foreign); }, false},
        {"an excluded class", [&] { return bare({.className = L"XTTERenderWindowX"}); }, false},
        {"the application's class", [&] { return bare({.className = L"TApplication"}); }, false},
        {"a preview class without xoPreview", [&] { return bare({.className = L"MyPreviewPane"}); }, false},
        {"a class the skin data refuses", [&] { return bare({.className = L"SysMonthCal32"}); }, false},
    };
    data->Options.Exclude(skin::xoPreview);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND window = c.make();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(manager->SkinWindow(window), c.skinned);
        EXPECT_EQ(manager->FindFormPainter(window) != nullptr, c.skinned);
    }
    for (HWND window : systemWindows) {
        DestroyWindow(window);
    }
}

TEST_F(ManagerFixture, NothingIsSkinnedWhileInactiveOrWithoutASkin) {
    BareWindow first(log, L"a");
    manager->SetActive(false);
    EXPECT_FALSE(manager->SkinWindow(first.handle));
    manager->SetActive(true);

    // A component without a skin is chosen, and refuses.
    auto empty = std::make_unique<TSkinData>(nullptr);
    manager->RegisterSkinData(*empty);
    EXPECT_EQ(manager->ChooseSkinData(first.handle), empty.get());
    EXPECT_FALSE(manager->SkinWindow(first.handle));
    empty.reset();
    EXPECT_TRUE(manager->SkinWindow(first.handle));
}

TEST_F(ManagerFixture, APlainChildIsSkinnedOnlyWhileForcing) {
    BareWindow parent(log, L"parent");
    BareWindow child(log, L"child", {.style = WS_CHILD | WS_VISIBLE, .parent = parent.handle, .bounds = {0, 0, 50, 40}});
    EXPECT_FALSE(manager->SkinWindow(child.handle));
    manager->SetForcing(true);
    EXPECT_TRUE(manager->SkinWindow(child.handle));
    manager->SetForcing(false);
}

TEST_F(ManagerFixture, AFormTaggedNinetyNineNeverGetsAPainter) {
    ui::Form& tagged = NewForm();
    tagged.tag = 99;
    tagged.Show();
    EXPECT_EQ(manager->FindFormPainter(tagged.Handle()), nullptr);
    EXPECT_FALSE(manager->SkinWindow(tagged.Handle()));
    manager->SetForcing(true);
    EXPECT_FALSE(manager->SkinWindow(tagged.Handle()));
    manager->SetForcing(false);

    ui::Form& other = NewForm();
    other.tag = 98;
    other.Show();
    EXPECT_NE(manager->FindFormPainter(other.Handle()), nullptr);
}

TEST_F(ManagerFixture, ChooseSkinDataKeepsTheLastMatchOfEachSearch) {
    ui::Form& own = NewForm();
    own.Handle();
    BareWindow plain(log, L"plain");
    const HWND dialog = CreateWindowExW(0, L"#32770", L"d", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);

    // The fixture's component is registered first (main form kind).
    auto secondMain = DefaultSkinData();
    auto firstDialog = DefaultSkinData(TSkinFormType::sfDialog);
    auto secondDialog = DefaultSkinData(TSkinFormType::sfDialog);
    // Owned by the form, as a form's own component is.
    TSkinData* onlyOwn = DefaultSkinData(TSkinFormType::sfOnlyThisForm, &own).release();
    auto onlyOther = DefaultSkinData(TSkinFormType::sfOnlyThisForm);
    const struct {
        const char* name;
        std::vector<TSkinData*> registered;
        HWND window;
        TSkinData* chosen;
    } cases[] = {
        {"two main forms, a dialog", {secondMain.get()}, dialog, secondMain.get()},
        {"two main forms, a plain window", {secondMain.get()}, plain.handle, secondMain.get()},
        {"dialog components for a dialog", {firstDialog.get(), secondDialog.get()}, dialog, secondDialog.get()},
        {"dialog components for a plain window", {firstDialog.get()}, plain.handle, data.get()},
        {"this form's own component", {onlyOwn, secondMain.get()}, own.Handle(), onlyOwn},
        {"another form's own component", {onlyOther.get()}, own.Handle(), data.get()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (TSkinData* d : c.registered) {
            manager->RegisterSkinData(*d);
        }
        EXPECT_EQ(manager->ChooseSkinData(c.window), c.chosen);
        for (TSkinData* d : c.registered) {
            manager->UnregisterSkinData(*d);
        }
    }
    // None of the kinds matching: the first registered component.
    manager->UnregisterSkinData(*data);
    manager->RegisterSkinData(*firstDialog);
    manager->RegisterSkinData(*onlyOther);
    EXPECT_EQ(manager->ChooseSkinData(plain.handle), firstDialog.get());
    manager->UnregisterSkinData(*firstDialog);
    manager->UnregisterSkinData(*onlyOther);
    EXPECT_EQ(manager->ChooseSkinData(plain.handle), nullptr);
    EXPECT_EQ(manager->DefaultSkinData(), nullptr);
    DestroyWindow(dialog);
}

TEST_F(ManagerFixture, OfTwoCommandsWithinTheDelayOnlyTheLastRuns) {
    ui::Form& form = NewForm();
    form.Show();
    ASSERT_EQ(manager->State(), skin::ManagerState::Running);
    ASSERT_NE(manager->FindFormPainter(form.Handle()), nullptr);

    struct Case {
        int first;
        int last;
        bool skinned;
    };
    for (const Case c : {Case{2, 1, true}, Case{1, 2, false}, Case{1, 1, true}}) {
        SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.last));
        manager->SetCurrentSkinData(*data);
        manager->PostCommand(c.first, 250);
        manager->SetCurrentSkinData(*data);
        manager->PostCommand(c.last, 250);
        EXPECT_EQ(manager->PendingCommand(), c.last);
        EXPECT_EQ(RunCommands(*data), 1);
        EXPECT_EQ(manager->Active(), c.skinned);
        EXPECT_EQ(manager->FindFormPainter(form.Handle()) != nullptr, c.skinned);
        EXPECT_EQ(manager->PendingSkinData(), nullptr);
    }
}

TEST_F(ManagerFixture, BeforeTheFirstActivationCommandsOnlySwitch) {
    ASSERT_EQ(manager->State(), skin::ManagerState::Waiting);
    manager->PostCommand(skin::kCommandUnskin, 10);
    EXPECT_FALSE(manager->Active());
    manager->PostCommand(skin::kCommandSkin, 10);
    EXPECT_TRUE(manager->Active());
    EXPECT_EQ(RunCommands(*data), 0);
}

TEST_F(ManagerFixture, TheUnskinCommandGivesEveryWindowBack) {
    ui::Form& form = NewForm();
    form.Show();
    BareWindow bare(log, L"bare");
    ASSERT_TRUE(manager->SkinWindow(bare.handle));
    ASSERT_EQ(manager->FormPainters().size(), 2u);
    manager->PostCommand(skin::kCommandUnskin, 10);
    EXPECT_EQ(RunCommands(*data), 1);
    EXPECT_TRUE(manager->FormPainters().empty());
    EXPECT_FALSE(manager->Active());
    // Inactive, new windows stay as they are.
    ui::Form& later = NewForm();
    later.Show();
    EXPECT_EQ(manager->FindFormPainter(later.Handle()), nullptr);

    // Skinning again takes every visible form, hidden ones not.
    ui::Form& hidden = NewForm();
    hidden.Handle();
    manager->PostCommand(skin::kCommandSkin, 10);
    EXPECT_EQ(RunCommands(*data), 1);
    EXPECT_NE(manager->FindFormPainter(form.Handle()), nullptr);
    EXPECT_NE(manager->FindFormPainter(later.Handle()), nullptr);
    EXPECT_EQ(manager->FindFormPainter(hidden.Handle()), nullptr);
    EXPECT_FALSE(manager->Forcing());
}

TEST_F(ManagerFixture, DeadPaintersAreDropped) {
    manager->SetStartCount(1);  // running, as after the first activation
    BareWindow gone(log, L"gone");
    BareWindow staying(log, L"staying");
    ASSERT_TRUE(manager->SkinWindow(gone.handle));
    ASSERT_TRUE(manager->SkinWindow(staying.handle));
    skin::TWinSkinForm* dead = manager->FindFormPainter(gone.handle);
    const ui::Ref<skin::TWinSkinForm> deadAlive(dead);
    gone.Destroy();
    // The painter marks itself gone at the window's end; set it here too, so
    // the test does not depend on the form painter's own message handling.
    dead->SetState(skin::PainterState::Gone);

    manager->PostCommand(skin::kCommandDropDead, 10);
    EXPECT_EQ(RunCommands(*data), 1);
    EXPECT_FALSE(deadAlive);
    EXPECT_EQ(manager->FormPainters().size(), 1u);
    EXPECT_NE(manager->FindFormPainter(staying.handle), nullptr);
}

TEST_F(ManagerFixture, TheReskinCommandGivesTheWindowAFreshPainter) {
    manager->SetStartCount(1);
    BareWindow window(log, L"w");
    ASSERT_TRUE(manager->SkinWindow(window.handle));
    const ui::Ref<skin::TWinSkinForm> old(manager->FindFormPainter(window.handle));
    manager->SetReskinWindow(window.handle);
    manager->PostCommand(skin::kCommandReskinWindow, 10);
    // This command ends without telling the component.
    EXPECT_EQ(RunCommands(*data), 0);
    EXPECT_FALSE(old);
    EXPECT_NE(manager->FindFormPainter(window.handle), nullptr);
}

TEST_F(ManagerFixture, AComponentGoingTakesItsPaintersAlong) {
    auto other = DefaultSkinData();
    manager->RegisterSkinData(*other);
    BareWindow window(log, L"w");
    ASSERT_TRUE(manager->SkinWindow(window.handle));
    ASSERT_EQ(manager->FindFormPainter(window.handle)->SkinData(), other.get());
    other.reset();
    EXPECT_EQ(manager->FindFormPainter(window.handle), nullptr);
}

TEST_F(ManagerFixture, PopupMenuWindowsGetAPainterWhileTheirKindIsSkinned) {
    const struct {
        skin::PopupMode mode;
        skin::TSkinControlType kind;
        bool withKind;
    } cases[] = {
        {skin::PopupMode::Context, skin::xcPopupMenu, true},
        {skin::PopupMode::MenuBarDropDown, skin::xcMainMenu, true},
        {skin::PopupMode::MenuBarDropDown, skin::xcMenuItem, true},
        {skin::PopupMode::SystemMenu, skin::xcSystemMenu, true},
        {skin::PopupMode::Context, skin::xcPopupMenu, false},
        {skin::PopupMode::SystemMenu, skin::xcSystemMenu, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.mode)) + " " + std::to_string(c.kind) + (c.withKind ? " on" : " off"));
        data->SkinControls = skin::TSkinControlTypes{};
        if (c.withKind) {
            data->SkinControls.Include(c.kind);
        }
        manager->SetPopupMode(c.mode);
        // Created the way the system opens a menu: the hook catches it.
        const HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, L"#32768", L"", WS_POPUP, 0, 0, 80, 60, nullptr,
                                           nullptr, nullptr, nullptr);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(manager->IsPopupMenuSkinned(popup), c.withKind);
        EXPECT_EQ(SendMessageW(popup, skin::SKM_QUERY, 0, 0), c.withKind ? 1 : 0);
        DestroyWindow(popup);
        EXPECT_EQ(manager->PopupPainterCount(), 0u);
        // The last popup painter going resets the mode.
        EXPECT_EQ(manager->CurrentPopupMode(), c.withKind ? skin::PopupMode::Context : c.mode);
    }
}

TEST_F(ManagerFixture, ReleasingAPopupPainterGivesTheProcedureBack) {
    const HWND popup =
        CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(manager->IsPopupMenuSkinned(popup));
    EXPECT_TRUE(manager->ReleasePopupMenu(popup));
    EXPECT_FALSE(manager->ReleasePopupMenu(popup));
    EXPECT_EQ(SendMessageW(popup, skin::SKM_QUERY, 0, 0), 0);
    // Already answering the query: left alone.
    BareWindow skinned(log, L"m", {.style = WS_POPUP, .queryAnswer = 1});
    manager->SkinPopupMenu(skinned.handle);
    EXPECT_FALSE(manager->IsPopupMenuSkinned(skinned.handle));
    DestroyWindow(popup);
}

TEST_F(ManagerFixture, FindControlAnswersOnlyForToolkitWindows) {
    ui::Form& form = NewForm();
    BareWindow bare(log, L"bare");
    EXPECT_EQ(skin::FindControl(form.Handle()), &form);
    EXPECT_EQ(skin::FindControl(bare.handle), nullptr);
    EXPECT_EQ(skin::FindControl(GetDesktopWindow()), nullptr);
    EXPECT_EQ(skin::FindControl(nullptr), nullptr);
}

TEST(ManagerLifetime, DestructionLetsGoOfEveryWindowAndTheHook) {
    managertest::ManagerScope scope;
    auto data = DefaultSkinData();
    data->SetActive(true);
    data->Loaded();
    Log log;
    BareWindow window(log, L"w");
    const WNDPROC original = window.Procedure();
    ASSERT_TRUE(skin::SkinManage()->SkinWindow(window.handle));
    ASSERT_TRUE(testsupport::PumpUntil(
        [&] { return !HasPosted(window.handle, skin::SKM_SETUP, 0, skin::kSetupMagic); }));  // the set-up message
    const ui::Ref<skin::TWinSkinForm> painter(skin::SkinManage()->FindFormPainter(window.handle));
    skin::SkinManage()->SetPopupMode(skin::PopupMode::Context);
    const HWND popup = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(SendMessageW(popup, skin::SKM_QUERY, 0, 0), 1);

    skin::DestroySkinManager();
    EXPECT_FALSE(painter);
    EXPECT_EQ(window.Procedure(), original);
    EXPECT_EQ(SendMessageW(popup, skin::SKM_QUERY, 0, 0), 0);
    DestroyWindow(popup);

    // The hook is gone: a window activated now meets no manager, and a new
    // manager starts afresh.
    BareWindow later(log, L"later");
    ShowWindow(later.handle, SW_SHOW);
    EXPECT_EQ(skin::SkinManage(), nullptr);
    data->Loaded();
    ASSERT_NE(skin::SkinManage(), nullptr);
    EXPECT_TRUE(skin::SkinManage()->HookInstalled());
}

TEST_F(ManagerFixture, AThousandSkinnedFormsLeaveNoWindowsOrGdiObjectsBehind) {
    const auto cycle = [this] {
        ui::Form& form = ui::App().Create<ui::Form>();
        form.SetBounds(300, 200, 240, 160);
        form.SetCaption(L"循环");
        form.Show();
        testsupport::PumpUntil([&] { return !HasPosted(form.Handle(), skin::SKM_SETUP, 0, skin::kSetupMagic); }, 500);
        const bool skinned = manager->FindFormPainter(form.Handle()) != nullptr;
        delete &form;
        return skinned;
    };
    // The first cycles make what lives for the process (classes, fonts).
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(cycle());
    }
    const int windows = managertest::ThreadWindowCount();
    const int objects = managertest::LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(cycle()) << i;
    }
    testsupport::PumpUntil([&] { return managertest::ThreadWindowCount() == windows; });
    EXPECT_EQ(managertest::ThreadWindowCount(), windows);
    EXPECT_LE(managertest::LiveGdiObjects(), objects + 5);
    EXPECT_TRUE(manager->FormPainters().empty());
}

} // namespace
