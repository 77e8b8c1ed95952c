// The control painter base: what a painter sees of a toolkit control's and a
// bare window's messages, switching it off and on, and letting go in reverse
// order of what was put in place.

#include "skin/controls/SkinControl.h"

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/controls/ManagerFixture.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <utility>
#include <string>
#include <vector>

namespace {

using managertest::BareWindow;
using managertest::kProbeMessage;
using Log = std::vector<std::string>;

// A painter that writes down what it is shown, around the control's own
// handling, and lets the base class decide everything.
class RecordingPainter : public skin::TSkinControl {
public:
    RecordingPainter(ui::Component* owner, Log& log) : TSkinControl(owner), log_(log) {}

    bool BeforeMessage(ui::Message& message) override {
        if (message.msg == kProbeMessage || message.msg == skin::SKM_QUERY) {
            log_.push_back("before");
        }
        return TSkinControl::BeforeMessage(message);
    }
    void AfterMessage(ui::Message& message) override {
        if (message.msg == kProbeMessage) {
            log_.push_back("after " + std::to_string(message.result));
        }
        TSkinControl::AfterMessage(message);
    }
    void PaintWindow(HDC) override { ++paints; }
    int32_t Mode() const { return FMode; }

    int paints = 0;

private:
    Log& log_;
};

// A panel whose own handling of the probe message is recorded and answers 42.
class ProbePanel : public ui::Panel {
public:
    ProbePanel(ui::Component* owner, Log& log) : Panel(owner), log_(log) {}

protected:
    void WndProc(ui::Message& message) override {
        if (message.msg == kProbeMessage) {
            log_.push_back("control");
            message.result = 42;
            return;
        }
        if (message.msg == skin::SKM_QUERY) {
            log_.push_back("control saw query");
        }
        Panel::WndProc(message);
    }

private:
    Log& log_;
};

struct ToolkitFixture : ::testing::Test {
    ToolkitFixture() {
        form.SetBounds(100, 100, 300, 200);
        panel.SetParent(&form);
        panel.SetBounds(10, 10, 100, 50);
        form.Handle();
    }
    ~ToolkitFixture() override { delete &form; }

    RecordingPainter& AttachPainter(bool ownBackground = false) {
        auto& painter = panel.Create<RecordingPainter>(log);
        painter.Attach(nullptr, &skinData, ownBackground, nullptr);
        return painter;
    }
    LRESULT Send(UINT msg, WPARAM wParam = 0) { return SendMessageW(panel.Handle(), msg, wParam, 0); }

    Log log;
    skin::TSkinData skinData{nullptr};
    ui::Form& form = ui::App().Create<ui::Form>();
    ProbePanel& panel = form.Create<ProbePanel>(log);
};

TEST_F(ToolkitFixture, SeesEachMessageBeforeAndAfterTheControl) {
    RecordingPainter& painter = AttachPainter();
    EXPECT_TRUE(painter.Attached());
    EXPECT_EQ(painter.State(), skin::PainterState::Running);
    EXPECT_EQ(painter.Handle(), panel.Handle());

    EXPECT_EQ(Send(kProbeMessage), 42);
    EXPECT_EQ(log, (Log{"before", "control", "after 42"}));

    // A skinned control answers the query itself.
    log.clear();
    EXPECT_EQ(Send(skin::SKM_QUERY), 1);
    EXPECT_EQ(log, (Log{"before"}));
}

TEST_F(ToolkitFixture, EnableMessageSwitchesThePainterOffAndOn) {
    RecordingPainter& painter = AttachPainter();
    const struct {
        WPARAM enable;
        bool active;
        Log seen;
    } steps[] = {
        {0, false, {"control"}},
        {1, true, {"before", "control", "after 42"}},
        {0, false, {"control"}},
        {5, true, {"before", "control", "after 42"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.enable);
        log.clear();
        EXPECT_EQ(Send(skin::SKM_ENABLE, step.enable), 0);
        EXPECT_EQ(painter.Active(), step.active);
        // The switch itself is not passed on to the control.
        EXPECT_TRUE(log.empty());
        Send(kProbeMessage);
        EXPECT_EQ(log, step.seen);
    }
    // Switched off, the query reaches the control.
    Send(skin::SKM_ENABLE, 0);
    log.clear();
    EXPECT_EQ(Send(skin::SKM_QUERY), 0);
    EXPECT_EQ(log, (Log{"control saw query"}));
}

TEST_F(ToolkitFixture, PaintMessagesReachPaintWindowAfterTheControlPainted) {
    RecordingPainter& painter = AttachPainter();
    form.Show();
    RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(painter.paints, 1);
}

TEST_F(ToolkitFixture, FreeingThePainterRestoresTheHandler) {
    RecordingPainter* painter = &AttachPainter();
    delete painter;
    log.clear();
    EXPECT_EQ(Send(kProbeMessage), 42);
    EXPECT_EQ(log, (Log{"control"}));
    EXPECT_EQ(Send(skin::SKM_QUERY), 0);
}

// Another layer replaces the handler after the painter did, the way a second
// painter or the form painter would.
struct OuterLayer {
    OuterLayer(ui::Control& control, Log& log) : control(control) {
        saved = control.WindowProc;
        control.WindowProc = [this, &log](ui::Message& message) {
            if (message.msg == kProbeMessage) {
                log.push_back("outer");
            }
            saved(message);
        };
    }
    void Remove() { control.WindowProc = saved; }
    ui::Control& control;
    ui::MessageHandler saved;
};

TEST_F(ToolkitFixture, LayersComeOffInReverseOrder) {
    RecordingPainter* painter = &AttachPainter();
    OuterLayer outer(panel, log);
    EXPECT_EQ(Send(kProbeMessage), 42);
    EXPECT_EQ(log, (Log{"outer", "before", "control", "after 42"}));

    outer.Remove();
    delete painter;
    log.clear();
    EXPECT_EQ(Send(kProbeMessage), 42);
    EXPECT_EQ(log, (Log{"control"}));
}

TEST_F(ToolkitFixture, APainterFreedUnderAnotherLayerLeavesThatLayerWorking) {
    RecordingPainter* painter = &AttachPainter();
    OuterLayer outer(panel, log);
    // The painter cannot take itself out from under the outer layer; it must
    // not put its saved handler over the outer one either.
    delete painter;
    log.clear();
    EXPECT_EQ(Send(kProbeMessage), 42);
    EXPECT_EQ(log, (Log{"outer", "control"}));

    outer.Remove();
    log.clear();
    EXPECT_EQ(Send(kProbeMessage), 42);
    EXPECT_EQ(log, (Log{"control"}));
}

TEST_F(ToolkitFixture, OwnBackgroundTakesTheSkinColourAndGivesItBack) {
    skinData.Colours[skin::scButtonFace] = 0x123456;
    panel.SetColor(0x00AA00);
    ASSERT_EQ(panel.GetPropertyText("ParentBackground"), "True");

    RecordingPainter& painter = AttachPainter(true);
    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "False");
    EXPECT_EQ(panel.GetColor(), ui::Color(0x123456));
    EXPECT_EQ(painter.Mode(), 1);

    skinData.Colours[skin::scButtonFace] = 0x654321;
    painter.SkinChanged();
    EXPECT_EQ(panel.GetColor(), ui::Color(0x654321));

    // Switched off first: detaching still restores.
    Send(skin::SKM_ENABLE, 0);
    painter.Detach();
    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "True");
    EXPECT_EQ(panel.GetColor(), ui::Color(0x00AA00));
}

TEST_F(ToolkitFixture, ParentBackgroundStaysWhenTheSkinKeepsIt) {
    skinData.Options.Include(skin::xoParentBackGround);
    RecordingPainter& painter = AttachPainter(true);
    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "True");
    EXPECT_EQ(painter.Mode(), 0);
}

TEST_F(ToolkitFixture, ASecondAttachChangesNothing) {
    RecordingPainter& painter = AttachPainter();
    painter.Attach(nullptr, &skinData, false, nullptr);
    Send(kProbeMessage);
    EXPECT_EQ(log, (Log{"before", "control", "after 42"}));
}

TEST_F(ToolkitFixture, TheControlGoingFirstTakesItsPainterSafely) {
    RecordingPainter& painter = AttachPainter(true);
    const ui::Ref<skin::TSkinControl> alive(&painter);
    delete &panel;
    EXPECT_FALSE(alive);
}

TEST_F(ToolkitFixture, RegistersWithItsFormPainterUntilFreed) {
    skin::TWinSkinForm formPainter(nullptr);
    auto* painter = &panel.Create<RecordingPainter>(log);
    painter->Attach(&formPainter, &skinData, false, nullptr);
    EXPECT_EQ(formPainter.ControlPainters(), (std::vector<skin::TSkinControl*>{painter}));
    delete painter;
    EXPECT_TRUE(formPainter.ControlPainters().empty());
}

struct BareFixture : ::testing::Test {
    Log log;
    skin::TSkinData skinData{nullptr};
    BareWindow window{log, L"裸窗口"};
};

TEST_F(BareFixture, SeesEachMessageAroundTheWindowProcedure) {
    const WNDPROC original = window.Procedure();
    RecordingPainter painter(nullptr, log);
    painter.AttachWindow(window.handle, &skinData, nullptr, nullptr);
    EXPECT_NE(window.Procedure(), original);
    EXPECT_EQ(painter.Text(), L"裸窗口");
    EXPECT_EQ(painter.State(), skin::PainterState::Running);

    EXPECT_EQ(SendMessageW(window.handle, kProbeMessage, 0, 0), 42);
    EXPECT_EQ(log, (Log{"before", "window", "after 42"}));
    log.clear();
    EXPECT_EQ(SendMessageW(window.handle, skin::SKM_QUERY, 0, 0), 1);
    EXPECT_EQ(log, (Log{"before"}));

    log.clear();
    SendMessageW(window.handle, skin::SKM_ENABLE, 0, 0);
    EXPECT_EQ(SendMessageW(window.handle, kProbeMessage, 0, 0), 42);
    EXPECT_EQ(log, (Log{"window"}));
}

TEST_F(BareFixture, FreeingThePainterRestoresTheProcedure) {
    const WNDPROC original = window.Procedure();
    {
        RecordingPainter painter(nullptr, log);
        painter.AttachWindow(window.handle, &skinData, nullptr, nullptr);
    }
    EXPECT_EQ(window.Procedure(), original);
    log.clear();
    EXPECT_EQ(SendMessageW(window.handle, skin::SKM_QUERY, 0, 0), 0);
    EXPECT_EQ(SendMessageW(window.handle, kProbeMessage, 0, 0), 42);
    EXPECT_EQ(log, (Log{"window"}));
}

TEST_F(BareFixture, ProceduresComeOffInReverseOrder) {
    const WNDPROC original = window.Procedure();
    auto painter = std::make_unique<RecordingPainter>(nullptr, log);
    painter->AttachWindow(window.handle, &skinData, nullptr, nullptr);
    managertest::OuterProcedure outer(window.handle, log);

    EXPECT_EQ(SendMessageW(window.handle, kProbeMessage, 0, 0), 42);
    EXPECT_EQ(log, (Log{"outer", "before", "window", "after 42"}));

    // Freed while the outer layer is on top: the outer layer keeps working
    // and still reaches the window.
    painter.reset();
    log.clear();
    EXPECT_EQ(SendMessageW(window.handle, kProbeMessage, 0, 0), 42);
    EXPECT_EQ(log, (Log{"outer", "window"}));

    outer.Remove();
    log.clear();
    EXPECT_EQ(SendMessageW(window.handle, kProbeMessage, 0, 0), 42);
    EXPECT_EQ(log, (Log{"window"}));
    // The forwarding procedure the painter left stays under nothing now.
    EXPECT_NE(window.Procedure(), original);
    EXPECT_EQ(SendMessageW(window.handle, skin::SKM_QUERY, 0, 0), 0);
}

TEST_F(BareFixture, OuterLayerRemovedFirstGivesTheOriginalBack) {
    const WNDPROC original = window.Procedure();
    auto painter = std::make_unique<RecordingPainter>(nullptr, log);
    painter->AttachWindow(window.handle, &skinData, nullptr, nullptr);
    managertest::OuterProcedure outer(window.handle, log);
    outer.Remove();
    painter.reset();
    EXPECT_EQ(window.Procedure(), original);
}

// A window that owns its painter may free it while its window ends; the
// painter must not be used afterwards. To make a stray use visible, the
// freed place is taken at once by another painter that counts calls made
// to it, as a reused allocation would be.
int g_strayDetaches = 0;
struct Tripwire : RecordingPainter {
    explicit Tripwire(Log& log) : RecordingPainter(nullptr, log) { FActive = 1; }
    void Detach() override { ++g_strayDetaches; }
};
alignas(Tripwire) unsigned char g_painterStorage[std::max(sizeof(Tripwire), sizeof(RecordingPainter))];
RecordingPainter* g_placedPainter = nullptr;
Tripwire* g_tripwire = nullptr;
Log g_tripwireLog;

LRESULT CALLBACK FreesItsPainterAtTheEnd(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY && g_placedPainter != nullptr) {
        std::exchange(g_placedPainter, nullptr)->~RecordingPainter();
        g_tripwire = new (g_painterStorage) Tripwire(g_tripwireLog);
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

TEST(BareWindowEnd, PainterFreedByItsWindowAtTheEndIsNotUsedAgain) {
    Log log;
    skin::TSkinData skinData{nullptr};
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FreesItsPainterAtTheEnd));
    g_placedPainter = new (g_painterStorage) RecordingPainter(nullptr, log);
    g_placedPainter->AttachWindow(window, &skinData, nullptr, nullptr);
    ASSERT_TRUE(g_placedPainter->Active());

    g_strayDetaches = 0;
    DestroyWindow(window);
    ASSERT_NE(g_tripwire, nullptr);
    EXPECT_EQ(g_strayDetaches, 0);
    EXPECT_EQ(g_tripwire->State(), skin::PainterState::Created);  // nothing marked the new occupant
    std::exchange(g_tripwire, nullptr)->~Tripwire();
}

TEST_F(BareFixture, TheFinalDestroyMessageMarksThePainterGone) {
    RecordingPainter painter(nullptr, log);
    painter.AttachWindow(window.handle, &skinData, nullptr, nullptr);
    window.Destroy();
    EXPECT_EQ(painter.State(), skin::PainterState::Gone);
    EXPECT_FALSE(painter.Active());
    // The window's own procedure still saw its end.
    EXPECT_EQ(log.back(), "window destroyed");
}

} // namespace
