// Attaching and letting go: the window procedure and the form's handler come
// back, a layer subclassed on top keeps working, destruction frees every GDI
// object, and the MDI pieces.

#include "skin/forms/WinSkinForm.h"

#include <gtest/gtest.h>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/CodePage.h"
#include "tests/skin/forms/FormPainterProbe.h"
#include "tests/skin/forms/FrameSkinFixture.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

WNDPROC ProcedureOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

std::vector<UINT> g_outerSeen;
WNDPROC g_outerPrevious = nullptr;
LRESULT CALLBACK OuterLayer(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_outerSeen.push_back(msg);
    return CallWindowProcW(g_outerPrevious, window, msg, wParam, lParam);
}

TEST(FormLifetime, LettingGoRestoresTheWindowProcedure) {
    auto skin = formtest::LoadFrameSkin();
    enum class Way { Detach, Release, Destroy };
    for (const Way way : {Way::Detach, Way::Release, Way::Destroy}) {
        SCOPED_TRACE(int(way));
        formtest::BareWindow window = formtest::MakeBareWindow(nullptr);
        const WNDPROC original = ProcedureOf(window.handle);
        window.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
        window.painter->SetWindow(window.handle);
        window.painter->AttachToWindow(*skin->data);
        formtest::RunSetup(window.handle);
        skin::FormPainterProbe probe{*window.painter};
        const WNDPROC subclassed = ProcedureOf(window.handle);
        ASSERT_NE(subclassed, original);
        EXPECT_TRUE(probe.Subclassed());

        // A second attach changes nothing.
        window.painter->AttachToWindow(*skin->data);
        EXPECT_EQ(ProcedureOf(window.handle), subclassed);
        EXPECT_TRUE(probe.Subclassed());

        switch (way) {
        case Way::Detach:
            window.painter->Detach();
            break;
        case Way::Release:
            window.painter->Release();
            break;
        case Way::Destroy:
            DestroyWindow(window.handle);
            EXPECT_EQ(window.painter->State(), skin::PainterState::Gone);
            EXPECT_FALSE(probe.Subclassed());
            EXPECT_FALSE(probe.TimerEnabled());
            continue;
        }
        EXPECT_EQ(ProcedureOf(window.handle), original);
        EXPECT_FALSE(probe.Subclassed());
        EXPECT_FALSE(probe.TimerEnabled());
        EXPECT_EQ(SendMessageW(window.handle, skin::SKM_QUERY, 0, 0), 0);
    }
}

TEST(FormLifetime, FormGetsItsHandlerAndColourBack) {
    auto skin = formtest::LoadFrameSkin();
    formtest::SkinnedForm f;
    f.form = std::make_unique<ui::Form>(nullptr);
    const ui::Color colour = 0x123456;
    f.form->SetColor(colour);
    f.form->Show();
    f.painter = &f.form->Create<skin::TWinSkinForm>();
    f.painter->SetWindow(f.Handle());
    f.painter->AttachToForm(*skin->data, *f.form);
    formtest::RunSetup(f.Handle());
    EXPECT_EQ(f.form->GetColor(), (*skin)->Colours[skin::scButtonFace]);
    EXPECT_EQ(SendMessageW(f.Handle(), skin::SKM_PING, 0, skin::kSkinMagic), skin::kSkinMagic);

    f.painter->Detach();
    EXPECT_EQ(f.form->GetColor(), colour);
    EXPECT_NE(SendMessageW(f.Handle(), skin::SKM_PING, 0, skin::kSkinMagic), skin::kSkinMagic);
    // The form still works through its own handler.
    f.form->SetCaption(L"after");
    EXPECT_EQ(f.form->Caption(), L"after");
}

// Someone subclassed the window after the painter: letting go must not cut
// them off, and no message may reach the freed painter.
TEST(FormLifetime, LayerSubclassedOnTopKeepsWorking) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get());
    g_outerSeen.clear();
    g_outerPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterLayer)));

    window.painter->Detach();
    EXPECT_EQ(ProcedureOf(window.handle), &OuterLayer);
    window.painter.reset();

    EXPECT_EQ(SendMessageW(window.handle, skin::SKM_QUERY, 0, 0), 0);  // passed through, not answered
    SetWindowTextW(window.handle, L"still alive");
    wchar_t text[32] = {};
    GetWindowTextW(window.handle, text, 32);
    EXPECT_STREQ(text, L"still alive");
    EXPECT_NE(std::ranges::find(g_outerSeen, UINT(WM_SETTEXT)), g_outerSeen.end());
    // The outer layer unhooks in its turn; then destruction passes through too.
    SetWindowLongPtrW(window.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_outerPrevious));
    EXPECT_EQ(SendMessageW(window.handle, WM_USER + 3, 0, 0), 0);
}

// A painter freed while its window lives (without Detach or Release) takes
// its procedure and the form's handler with it.
TEST(FormLifetime, FreedPainterLetsGoOfItsWindow) {
    auto skin = formtest::LoadFrameSkin();
    formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin->data);
    delete f.painter;
    EXPECT_NE(SendMessageW(f.Handle(), skin::SKM_PING, 0, skin::kSkinMagic), skin::kSkinMagic);
    EXPECT_EQ(SendMessageW(f.Handle(), skin::SKM_QUERY, 0, 0), 0);
    SendMessageW(f.Handle(), WM_NCPAINT, 1, 0);
    f.form->SetCaption(L"fine");
    EXPECT_EQ(f.form->Caption(), L"fine");
}

TEST(FormLifetime, DestructionFreesEveryGdiObject) {
    auto skin = formtest::LoadFrameSkin();
    HFONT font = nullptr;
    HBITMAP caption = nullptr;
    HBITMAP icon = nullptr;
    {
        formtest::SkinnedForm f = formtest::MakeSkinnedForm(*skin->data);
        f.painter->RepaintFrame(nullptr);
        skin::FormPainterProbe probe{*f.painter};
        font = probe.CaptionFont();
        caption = probe.CaptionBitmap();
        icon = probe.IconBitmap().Handle();
        ASSERT_NE(GetObjectType(font), 0u);
        ASSERT_NE(GetObjectType(caption), 0u);
        ASSERT_NE(GetObjectType(icon), 0u);
    }
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(caption), 0u);
    EXPECT_EQ(GetObjectType(icon), 0u);
}

// A control painter that records how it was let go.
struct RecordingPainter : skin::TSkinControl {
    std::vector<std::string>* log;
    RecordingPainter(std::vector<std::string>& l, skin::PainterState state) : TSkinControl(nullptr), log(&l) {
        FState = state;
    }
    ~RecordingPainter() override { log->push_back("freed " + std::to_string(int(FState))); }
    void Detach() override { log->push_back("detached " + std::to_string(int(FState))); }
};

TEST(FormLifetime, ControlPaintersAreDetachedAndFreed) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get());
    std::vector<std::string> log;
    auto* live = new RecordingPainter(log, skin::PainterState::Running);
    auto* dead = new RecordingPainter(log, skin::PainterState::Gone);
    EXPECT_FALSE(window.painter->RegisterControlPainter(live));
    EXPECT_TRUE(window.painter->RegisterControlPainter(live));
    EXPECT_FALSE(window.painter->RegisterControlPainter(dead));
    ASSERT_EQ(window.painter->ControlPainters().size(), 2u);

    window.painter->DropDeadControlPainters();
    EXPECT_EQ(log, std::vector<std::string>{"freed 6"});
    ASSERT_EQ(window.painter->ControlPainters().size(), 1u);

    log.clear();
    auto* second = new RecordingPainter(log, skin::PainterState::Running);
    window.painter->RegisterControlPainter(second);
    DestroyWindow(window.handle);  // the destroy path frees without detaching
    EXPECT_EQ(log, (std::vector<std::string>{"freed 1", "freed 1"}));
    EXPECT_TRUE(window.painter->ControlPainters().empty());

    log.clear();
    formtest::BareWindow other = formtest::MakeBareWindow(skin->data.get());
    other.painter->RegisterControlPainter(new RecordingPainter(log, skin::PainterState::Running));
    other.painter->Detach();
    EXPECT_EQ(log, (std::vector<std::string>{"detached 1", "freed 1"}));
}

// ---------------------------------------------------------------- MDI

const wchar_t* MdiChildClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefMDIChildProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VocaraFrameTestMdiChild";
        RegisterClassExW(&wc);
        return L"VocaraFrameTestMdiChild";
    }();
    return name;
}

struct MdiFrame {
    formtest::BareWindow frame = formtest::MakeBareWindow(nullptr, 600, 400);
    HWND client = nullptr;
    HWND child = nullptr;
    MdiFrame() {
        CLIENTCREATESTRUCT create{nullptr, 50000};
        client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 500, 300,
                                 frame.handle, nullptr, GetModuleHandleW(nullptr), &create);
        MDICREATESTRUCTW mdi{MdiChildClass(), L"child", GetModuleHandleW(nullptr), 10, 10, 200, 150, 0, 0};
        child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdi)));
    }
};

TEST(FormLifetime, MdiParentSubclassesItsClientAndGivesItBack) {
    auto skin = formtest::LoadFrameSkin();
    MdiFrame mdi;
    ASSERT_NE(mdi.client, nullptr);
    const WNDPROC clientProc = ProcedureOf(mdi.client);
    skin::TWinSkinForm painter(nullptr);
    painter.SetWindow(mdi.frame.handle);
    painter.AttachToWindow(*skin->data);
    skin::FormPainterProbe probe{painter};
    EXPECT_EQ(painter.MdiKind(), skin::MdiKind::Parent);
    EXPECT_EQ(probe.MdiClient(), mdi.client);
    EXPECT_TRUE(probe.ClientSubclassed());
    EXPECT_NE(ProcedureOf(mdi.client), clientProc);

    // WM_MDICREATE through the client switches the menu update off.
    ASSERT_TRUE((*skin)->MenuUpdate);
    MDICREATESTRUCTW second{MdiChildClass(), L"second", GetModuleHandleW(nullptr), 30, 30, 150, 100, 0, 0};
    EXPECT_NE(SendMessageW(mdi.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&second)), 0);
    EXPECT_FALSE((*skin)->MenuUpdate);

    painter.Detach();
    EXPECT_EQ(ProcedureOf(mdi.client), clientProc);
    EXPECT_FALSE(probe.ClientSubclassed());
}

TEST(FormLifetime, MdiChildFrameFollowsTheChildBorderOption) {
    for (const bool childBorder : {false, true}) {
        SCOPED_TRACE(childBorder);
        auto skin = formtest::LoadFrameSkin();
        if (childBorder) {
            (*skin)->Options.Include(skin::xoMDIChildBorder);
        }
        MdiFrame mdi;
        ASSERT_NE(mdi.child, nullptr);
        const WNDPROC original = ProcedureOf(mdi.child);
        skin::TWinSkinForm painter(nullptr);
        painter.SetWindow(mdi.child);
        painter.AttachToWindow(*skin->data);
        EXPECT_NE(ProcedureOf(mdi.child), original);  // subclassed either way
        EXPECT_EQ(painter.MdiKind(), skin::MdiKind::Child);
        EXPECT_EQ(painter.FrameSkinned() != 0, !childBorder);
        // Without a frame the painter runs at once; with one it waits for set-up.
        EXPECT_EQ(painter.State(), childBorder ? skin::PainterState::Running : skin::PainterState::Created);
        painter.Release();
        EXPECT_EQ(ProcedureOf(mdi.child), original);
    }
}

} // namespace

namespace {

// A window of an 8-bit class: subclassed and given back with the A
// functions, its text read in the system code page.
// Being told it is skinned, a window may destroy itself: the painter stays
// marked gone (the manager frees such painters) and its hover timer stays off.
TEST(FormLifetime, WindowDestroyedWhenAnnouncedLeavesThePainterGone) {
    const struct {
        const char* name;
        void (*announce)(skin::TWinSkinForm& painter, HWND window);
    } cases[] = {
        {"set-up", [](skin::TWinSkinForm&, HWND window) { formtest::RunSetup(window); }},
        {"re-skin", [](skin::TWinSkinForm& painter, HWND) { painter.Reskin(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto skin = formtest::LoadFrameSkin();
        const bool setupFirst = std::string(c.name) == "re-skin";
        formtest::BareWindow window = formtest::MakeBareWindow(skin->data.get(), 320, 240, WS_OVERLAPPEDWINDOW, setupFirst);
        skin->data->OnAfterSkinForm = [](skin::TSkinData&, HWND w, const std::wstring&) { DestroyWindow(w); };
        c.announce(*window.painter, window.handle);
        skin->data->OnAfterSkinForm = nullptr;
        ASSERT_FALSE(IsWindow(window.handle));
        EXPECT_EQ(window.painter->State(), skin::PainterState::Gone);
        EXPECT_FALSE(skin::FormPainterProbe{*window.painter}.TimerEnabled());
    }
}

// A window that owns its painter may free it while its window ends: nothing
// may be written into the freed painter afterwards.
alignas(skin::TWinSkinForm) unsigned char g_painterStorage[sizeof(skin::TWinSkinForm)];
skin::TWinSkinForm* g_placedPainter = nullptr;
constexpr unsigned char kFreedPattern = 0xA5;

LRESULT CALLBACK FreesItsPainterAtTheEnd(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY && g_placedPainter != nullptr) {
        std::exchange(g_placedPainter, nullptr)->~TWinSkinForm();
        std::memset(g_painterStorage, kFreedPattern, sizeof(g_painterStorage));
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

TEST(FormLifetime, PainterFreedByItsWindowAtTheEndIsNotTouchedAgain) {
    auto skin = formtest::LoadFrameSkin();
    formtest::BareWindow window =
        formtest::MakeBareWindow(nullptr, 320, 240, WS_OVERLAPPEDWINDOW, false, FreesItsPainterAtTheEnd);
    g_placedPainter = new (g_painterStorage) skin::TWinSkinForm(nullptr);
    g_placedPainter->SetWindow(window.handle);
    g_placedPainter->AttachToWindow(*skin->data);
    formtest::RunSetup(window.handle);
    ASSERT_EQ(g_placedPainter->State(), skin::PainterState::Running);

    DestroyWindow(window.handle);
    ASSERT_EQ(g_placedPainter, nullptr);
    const bool untouched = std::all_of(std::begin(g_painterStorage), std::end(g_painterStorage),
                                       [](unsigned char b) { return b == kFreedPattern; });
    EXPECT_TRUE(untouched);
}

TEST(FormLifetime, AnsiWindowKeepsItsProcedureAndTextConverts) {
    static const char* className = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = "VocaraFrameTestAnsi";
        RegisterClassExA(&wc);
        return "VocaraFrameTestAnsi";
    }();
    auto skin = formtest::LoadFrameSkin();
    const std::wstring caption = L"信息窗口";
    const std::string ansiCaption = skin::WideToAnsi(caption);
    HWND window = CreateWindowExA(0, className, ansiCaption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 320,
                                  240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(IsWindowUnicode(window));
    const LONG_PTR original = GetWindowLongPtrA(window, GWLP_WNDPROC);
    {
        skin::TWinSkinForm painter(nullptr);
        painter.SetWindow(window);
        painter.AttachToWindow(*skin->data);
        formtest::RunSetup(window);
        EXPECT_FALSE(IsWindowUnicode(window));  // still an 8-bit window
        EXPECT_EQ(SendMessageA(window, skin::SKM_QUERY, 0, 0), 1);

        ui::Bitmap target(formtest::OuterSize(window).cx, formtest::OuterSize(window).cy);
        painter.RepaintFrame(target.GetCanvas().Handle());
        skin::FormPainterProbe probe{painter};
        SIZE expected{};
        HDC dc = GetDC(window);
        HGDIOBJ old = SelectObject(dc, probe.CaptionFont());
        const std::wstring framed = L"  " + caption + L" ";
        GetTextExtentPoint32W(dc, framed.c_str(), int(framed.size()), &expected);
        SelectObject(dc, old);
        ReleaseDC(window, dc);
        const RECT title = probe.TitleRect();
        EXPECT_EQ(title.right - title.left, expected.cx);

        painter.Detach();
        EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), original);
    }
    DestroyWindow(window);
}

} // namespace
