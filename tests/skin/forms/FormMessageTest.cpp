// The form painter's message routing: which messages it answers itself, which
// it changes, and which reach the window's own procedure unchanged.

#include "skin/forms/WinSkinForm.h"

#include <gtest/gtest.h>

#include "skin/controls/SkinMessages.h"
#include "tests/skin/forms/FormPainterProbe.h"
#include "tests/skin/forms/FrameSkinFixture.h"
#include "tests/support/Pump.h"

#include <vector>

namespace {

// The messages the window's own procedure saw, and what it answers.
struct Recorder {
    std::vector<UINT> seen;
    LRESULT hitTestAnswer = HTNOWHERE;
    bool Saw(UINT msg) const { return std::ranges::find(seen, msg) != seen.end(); }
    void Clear() { seen.clear(); }
};
Recorder g_recorder;

LRESULT CALLBACK RecordingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_recorder.seen.push_back(msg);
    if (msg == WM_NCHITTEST) {
        return g_recorder.hitTestAnswer;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// Takes the window's posted messages of one number off the queue, keeping the first.
bool TakePosted(HWND window, UINT msg, MSG& found) {
    bool got = false;
    MSG m{};
    while (PeekMessageW(&m, window, msg, msg, PM_REMOVE)) {
        if (!got) {
            found = m;
            got = true;
        }
    }
    return got;
}

TEST(FormMessages, RoutingTable) {
    auto skin = formtest::LoadFrameSkin();
    struct Case {
        const char* name;
        bool setup;
        DWORD exStyle;
        UINT msg;
        WPARAM wParam;
        LRESULT result;
        bool reachesWindow;
        UINT posted;  // 0: nothing posted
        WPARAM postedWParam;
    };
    const Case cases[] = {
        {"query answered and announced", true, 0, skin::SKM_QUERY, 0, 1, false, skin::SKM_SKINNED, 0},
        {"activation refused before set-up", false, 0, WM_NCACTIVATE, TRUE, 0, false, 0, 0},
        {"activation allowed after set-up", true, 0, WM_NCACTIVATE, FALSE, 1, false, 0, 0},
        {"MDI child activation passed before set-up", false, WS_EX_MDICHILD, WM_NCACTIVATE, TRUE, 1, true, 0, 0},
        {"system-menu close becomes a system command", true, 0, WM_COMMAND, 0xF060, 0, false, WM_SYSCOMMAND,
         SC_CLOSE},
        {"restore becomes a system command", true, 0, WM_COMMAND, 0xF120, 0, false, WM_SYSCOMMAND, SC_RESTORE},
        {"other command ids are passed on", true, 0, WM_COMMAND, 0xF100, 0, true, 0, 0},
        {"ordinary command ids are passed on", true, 0, WM_COMMAND, 101, 0, true, 0, 0},
        {"themed caption redraw swallowed", true, 0, 0xAE, 0, 0, false, 0, 0},
        {"non-client paint before set-up draws nothing", false, 0, WM_NCPAINT, 1, 0, false, 0, 0},
        {"frame repaint request", true, 0, skin::SKM_NCREPAINT, 0, 0, false, 0, 0},
        {"client traffic passes", true, 0, WM_USER + 7, 0, 0, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        formtest::BareWindow window = formtest::MakeBareWindow(nullptr, 320, 240, WS_OVERLAPPEDWINDOW, false,
                                                               RecordingProc);
        if (c.exStyle != 0) {
            SetWindowLongW(window.handle, GWL_EXSTYLE, LONG(GetWindowLongW(window.handle, GWL_EXSTYLE) | c.exStyle));
        }
        window.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
        window.painter->SetWindow(window.handle);
        window.painter->AttachToWindow(*skin->data);
        if (c.setup) {
            formtest::RunSetup(window.handle);
        }
        MSG drained{};
        TakePosted(window.handle, skin::SKM_SKINNED, drained);
        TakePosted(window.handle, WM_SYSCOMMAND, drained);
        g_recorder.Clear();

        EXPECT_EQ(SendMessageW(window.handle, c.msg, c.wParam, 0), c.result);
        EXPECT_EQ(g_recorder.Saw(c.msg), c.reachesWindow);
        MSG posted{};
        if (c.posted != 0) {
            ASSERT_TRUE(TakePosted(window.handle, c.posted, posted));
            EXPECT_EQ(posted.wParam, c.postedWParam);
            if (c.posted == skin::SKM_SKINNED) {
                EXPECT_EQ(posted.lParam, skin::kSkinMagic);
            }
        } else {
            EXPECT_FALSE(TakePosted(window.handle, WM_SYSCOMMAND, posted));
        }
    }
}

TEST(FormMessages, SetupAnnouncesItselfAndStartsTheHoverTimer) {
    auto skin = formtest::LoadFrameSkin();
    std::vector<HWND> announced;
    (*skin)->OnAfterSkinForm = [&announced](skin::TSkinData&, HWND window, const std::wstring&) {
        announced.push_back(window);
    };
    formtest::BareWindow window =
        formtest::MakeBareWindow(nullptr, 320, 240, WS_OVERLAPPEDWINDOW, false, RecordingProc);
    window.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
    window.painter->SetWindow(window.handle);
    window.painter->AttachToWindow(*skin->data);
    skin::FormPainterProbe probe{*window.painter};
    EXPECT_EQ(window.painter->State(), skin::PainterState::Created);
    EXPECT_FALSE(probe.TimerEnabled());
    g_recorder.Clear();

    formtest::RunSetup(window.handle);
    EXPECT_EQ(window.painter->State(), skin::PainterState::Running);
    EXPECT_TRUE(probe.TimerEnabled());
    EXPECT_TRUE(g_recorder.Saw(skin::SKM_SKINNED));
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0], window.handle);

    // Deactivation stops the timer, activation starts it again.
    SendMessageW(window.handle, WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(window.painter->IsActive());
    EXPECT_FALSE(probe.TimerEnabled());
    SendMessageW(window.handle, WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(window.painter->IsActive());
    EXPECT_TRUE(probe.TimerEnabled());
}

// A plain child window (not an MDI child) gets no frame handling even when
// the skin paints frames: only the first stage acts, the rest passes on.
TEST(FormMessages, PlainChildWindowGetsNoFrameHandling) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow parent = formtest::MakeBareWindow(nullptr, 400, 300);
    HWND child = CreateWindowExW(0, formtest::BareWindowClass(), L"child", WS_CHILD | WS_VISIBLE | WS_CAPTION, 10,
                                 10, 200, 150, parent.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
    const RECT before = formtest::ClientRectOf(child);
    skin::TWinSkinForm painter(nullptr);
    painter.SetWindow(child);
    painter.AttachToWindow(*skin->data);
    formtest::RunSetup(child);
    g_recorder.Clear();

    EXPECT_EQ(SendMessageW(child, skin::SKM_QUERY, 0, 0), 1);  // stage 1 still answers
    for (UINT msg : {UINT(WM_NCPAINT), UINT(WM_NCACTIVATE), UINT(WM_NCHITTEST), UINT(WM_COMMAND)}) {
        SendMessageW(child, msg, msg == WM_COMMAND ? 0xF060 : 1, 0);
        EXPECT_TRUE(g_recorder.Saw(msg)) << msg;
    }
    SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    const RECT after = formtest::ClientRectOf(child);
    EXPECT_TRUE(EqualRect(&before, &after));  // the system's frame, not the skin's
    MSG posted{};
    EXPECT_FALSE(PeekMessageW(&posted, child, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    painter.Release();
}

TEST(FormMessages, ToolkitHandlerAnswersPingAndPaintsIntoAGivenContext) {
    auto skin = formtest::LoadFrameSkin();
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin->data);
    ui::Form& form = *f.form;

    EXPECT_EQ(form.Perform(skin::SKM_PING, 0, skin::kSkinMagic), skin::kSkinMagic);
    EXPECT_EQ(form.Perform(skin::SKM_PING, 0, 5), 1);
    // Through the window too: the form's handler is in place.
    EXPECT_EQ(SendMessageW(f.Handle(), skin::SKM_PING, 0, skin::kSkinMagic), skin::kSkinMagic);

    const SIZE outer = formtest::OuterSize(f.Handle());
    ui::Bitmap target(outer.cx, outer.cy);
    target.Fill(ui::clBlack);
    EXPECT_EQ(form.Perform(skin::SKM_PAINTFRAME, WPARAM(target.GetCanvas().Handle()), skin::kSkinMagic),
              skin::kSkinMagic);
    EXPECT_EQ(target.PixelAt(1, 100), skintest::ColorOf(formtest::kLeftColours[0]));
    EXPECT_EQ(target.PixelAt(outer.cx - 2, 100), skintest::ColorOf(formtest::kRightColours[0]));
    EXPECT_EQ(target.PixelAt(150, outer.cy - 2), skintest::ColorOf(formtest::kBottomColours[0]));
    // Without the magic value nothing is painted.
    ui::Bitmap untouched(outer.cx, outer.cy);
    untouched.Fill(ui::clBlack);
    form.Perform(skin::SKM_PAINTFRAME, WPARAM(untouched.GetCanvas().Handle()), 0);
    EXPECT_EQ(untouched.PixelAt(1, 100), ui::clBlack);
    // wParam 0: nothing to paint into, still the magic answer.
    EXPECT_EQ(form.Perform(skin::SKM_PAINTFRAME, 0, skin::kSkinMagic), skin::kSkinMagic);
}

TEST(FormMessages, HitTestMakesTheCaptionDraggableBelowTheTopEdge) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window =
        formtest::MakeBareWindow(nullptr, 320, 240, WS_OVERLAPPEDWINDOW, false, RecordingProc);
    window.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
    window.painter->SetWindow(window.handle);
    window.painter->AttachToWindow(*skin->data);
    formtest::RunSetup(window.handle);
    const RECT r = formtest::WindowRectOf(window.handle);
    const auto at = [&r](int x, int y) { return MAKELPARAM(r.left + x, r.top + y); };

    struct Case {
        LRESULT previous;
        int y;
        LRESULT expected;
    };
    const Case cases[] = {
        {HTNOWHERE, 3, HTNOWHERE},  // the top edge keeps the previous answer
        {HTNOWHERE, 4, HTCAPTION},
        {HTCAPTION, 3, HTCAPTION},
        {HTCAPTION, 20, HTCAPTION},
        {HTTOP, 20, HTTOP},  // borders and corners stay as they were
        {HTLEFT, 20, HTLEFT},
        {HTCLIENT, 100, HTCLIENT},
    };
    for (const Case& c : cases) {
        g_recorder.hitTestAnswer = c.previous;
        EXPECT_EQ(SendMessageW(window.handle, WM_NCHITTEST, 0, at(100, c.y)), c.expected)
            << "previous " << c.previous << " y " << c.y;
    }
    g_recorder.hitTestAnswer = HTNOWHERE;
}

} // namespace
