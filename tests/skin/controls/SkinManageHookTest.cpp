// What the manager's window-creation hook catches as windows are made: size
// grips of skinned windows go to the control mapping, MDI children are
// skinned while they are created.

#include "skin/manager/SkinManage.h"

#include "skin/forms/WinSkinForm.h"
#include "tests/skin/controls/ManagerFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using managertest::BareWindow;
using managertest::ManagerFixture;
using Calls = std::vector<std::pair<skin::ControlPainterHost*, HWND>>;

// Writes down the child windows it is asked to map.
class RecordingMapper : public skin::ControlMapper {
public:
    explicit RecordingMapper(Calls& calls) : calls_(calls) {}
    void MapForm(skin::ControlPainterHost&, ui::Form&) override {}
    void MapWindow(skin::ControlPainterHost&, HWND) override {}
    void MapChildWindow(skin::ControlPainterHost& painter, HWND child) override { calls_.emplace_back(&painter, child); }

private:
    Calls& calls_;
};

HWND ScrollBar(HWND parent, DWORD style) {
    return CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 16, 16, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST_F(ManagerFixture, ASizeGripOfASkinnedWindowGoesToTheMapping) {
    Calls calls;
    manager->SetControlMapper(std::make_unique<RecordingMapper>(calls));
    BareWindow skinned(log, L"skinned");
    BareWindow plain(log, L"plain", {.className = L"VocaraManagerTestPlain"});
    ASSERT_TRUE(manager->SkinWindow(skinned.handle));
    skin::TWinSkinForm* painter = manager->FindFormPainter(skinned.handle);

    const HWND grip = ScrollBar(skinned.handle, SBS_SIZEGRIP);
    ScrollBar(skinned.handle, SBS_VERT);        // a plain scroll bar: the mapping takes it with the window
    ScrollBar(plain.handle, SBS_SIZEGRIP);      // a grip of a window without a painter
    EXPECT_EQ(calls, (Calls{{painter, grip}}));
}

TEST_F(ManagerFixture, AnMdiChildIsSkinnedAsItIsCreated) {
    BareWindow frame(log, L"frame");
    CLIENTCREATESTRUCT clientCreate{};
    const HWND client = CreateWindowExW(0, L"MDICLIENT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 180, 120, frame.handle,
                                        nullptr, GetModuleHandleW(nullptr), &clientCreate);
    ASSERT_NE(client, nullptr);
    MDICREATESTRUCTW create{};
    create.szClass = BareWindow::kClassName;
    create.szTitle = L"child";
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = create.y = 0;
    create.cx = 120;
    create.cy = 80;
    const auto child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    ASSERT_NE(child, nullptr);
    skin::TWinSkinForm* painter = manager->FindFormPainter(child);
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->Handle(), child);
    // A plain child of the same class beside it stays as it is.
    BareWindow plainChild(log, L"plain", {.style = WS_CHILD | WS_VISIBLE, .parent = frame.handle,
                                          .bounds = {0, 0, 40, 30}});
    EXPECT_EQ(manager->FindFormPainter(plainChild.handle), nullptr);
    SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
}

} // namespace
