// What the form painter asks of the process's skin manager: the control
// mapping at set-up, a scroll-bar painter replaced on request, the popup mode
// of the menu about to open.

#include "skin/forms/WinSkinForm.h"

#include <gtest/gtest.h>

#include "skin/controls/SkinControl.h"
#include "skin/manager/SkinManage.h"
#include "skin/controls/SkinMessages.h"
#include "tests/skin/forms/FrameSkinFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct MapperLog {
    std::vector<std::string> calls;
    std::vector<HWND> windows;
};

class RecordingMapper : public skin::ControlMapper {
public:
    explicit RecordingMapper(MapperLog& log) : log_(log) {}
    void MapForm(skin::ControlPainterHost&, ui::Form& form) override {
        log_.calls.push_back("form");
        log_.windows.push_back(form.HandleIfAllocated());
    }
    void MapWindow(skin::ControlPainterHost&, HWND window) override {
        log_.calls.push_back("window");
        log_.windows.push_back(window);
    }
    void MapChildWindow(skin::ControlPainterHost&, HWND child) override {
        log_.calls.push_back("child");
        log_.windows.push_back(child);
    }

private:
    MapperLog& log_;
};

// The process manager, without a hook: only what the painter calls.
struct ManagerUnderTest {
    MapperLog log;
    skin::TSkinManage* manager = nullptr;
    ManagerUnderTest() {
        skin::DestroySkinManager();
        skin::InstallSkinManage();
        manager = dynamic_cast<skin::TSkinManage*>(skin::EnsureSkinManager());
        if (manager != nullptr) {
            manager->SetControlMapper(std::make_unique<RecordingMapper>(log));
        }
    }
    ~ManagerUnderTest() {
        skin::DestroySkinManager();
        skin::SetSkinManagerFactory({});
    }
    ManagerUnderTest(const ManagerUnderTest&) = delete;
    ManagerUnderTest& operator=(const ManagerUnderTest&) = delete;
};

struct ScrollBarPainter : skin::TSkinControl {
    std::vector<HWND>* freed;
    ScrollBarPainter(HWND window, std::vector<HWND>& f) : TSkinControl(nullptr), freed(&f) { FHandle = window; }
    ~ScrollBarPainter() override { freed->push_back(FHandle); }
};

TEST(FormManager, SetupMapsTheControlsOfAFormOrAWindow) {
    ManagerUnderTest m;
    ASSERT_NE(m.manager, nullptr);
    auto skin = formtest::LoadFrameSkin();
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin->data);
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get());
    EXPECT_EQ(m.log.calls, (std::vector<std::string>{"form", "window"}));
    EXPECT_EQ(m.log.windows, (std::vector<HWND>{f.Handle(), window.handle}));
}

TEST(FormManager, ScrollBarPainterIsReplacedOnRequest) {
    ManagerUnderTest m;
    ASSERT_NE(m.manager, nullptr);
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get());
    const auto scrollBar = [&window](int y) {
        return CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, y, 16, 60, window.handle,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    const HWND first = scrollBar(0);
    const HWND second = scrollBar(70);
    std::vector<HWND> freed;
    window.painter->RegisterControlPainter(new ScrollBarPainter(first, freed));
    window.painter->RegisterControlPainter(new ScrollBarPainter(second, freed));
    m.log.calls.clear();
    m.log.windows.clear();

    EXPECT_EQ(SendMessageW(window.handle, skin::SKM_RESETSCROLLBAR, WPARAM(second), 0), 0);
    EXPECT_EQ(freed, std::vector<HWND>{second});
    EXPECT_EQ(m.log.calls, std::vector<std::string>{"child"});
    EXPECT_EQ(m.log.windows, std::vector<HWND>{second});
    ASSERT_EQ(window.painter->ControlPainters().size(), 1u);
    EXPECT_EQ(window.painter->ControlPainters()[0]->Handle(), first);

    // A window without a painter: nothing happens.
    m.log.calls.clear();
    SendMessageW(window.handle, skin::SKM_RESETSCROLLBAR, WPARAM(window.handle), 0);
    EXPECT_TRUE(m.log.calls.empty());
    EXPECT_EQ(freed.size(), 1u);
}

TEST(FormManager, PopupModeTellsTheSystemMenuFromOtherMenus) {
    ManagerUnderTest m;
    ASSERT_NE(m.manager, nullptr);
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get());
    HMENU systemMenu = GetSystemMenu(window.handle, FALSE);
    HMENU other = CreatePopupMenu();
    SendMessageW(window.handle, WM_INITMENUPOPUP, WPARAM(systemMenu), MAKELPARAM(0, TRUE));
    EXPECT_EQ(m.manager->CurrentPopupMode(), skin::PopupMode::SystemMenu);
    SendMessageW(window.handle, WM_INITMENUPOPUP, WPARAM(other), 0);
    EXPECT_EQ(m.manager->CurrentPopupMode(), skin::PopupMode::MenuBarDropDown);
    DestroyMenu(other);
}

} // namespace
