#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/Screen.h"
#include "ui/StartupTrace.h"
#include "ui/Timer.h"

#include "tests/support/Pump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using testsupport::PumpPostedMessages;
using testsupport::PumpUntil;
using testsupport::PumpUntilLaterTimer;

namespace {

// A small login-like form: a borderless panel filling the client area with
// an edit, a password edit, a check box and two buttons, in tab order.
class SampleForm : public ui::Form {
public:
    explicit SampleForm(ui::Component* owner = nullptr) : Form(owner) {
        borderStyle = ui::BorderStyle::Dialog;
        SetCaption(L"测试窗口");
        SetBounds(200, 150, 300, 200);
        SetClientSize(400, 267);
        panel.SetParent(this);
        panel.SetBevelOuter(ui::Bevel::None);
        panel.SetAlign(ui::Align::Client);
        for (ui::WinControl* control : std::initializer_list<ui::WinControl*>{&email, &password, &remember, &ok, &cancel}) {
            control->SetParent(&panel);
        }
        email.SetBounds(86, 134, 201, 22);
        password.SetBounds(86, 171, 201, 20);
        password.SetPasswordChar(L'*');
        remember.SetBounds(294, 132, 106, 29);
        remember.SetCaption(L"记住密码");
        ok.SetBounds(211, 213, 70, 25);
        ok.SetCaption(L"登录");
        cancel.SetBounds(294, 213, 70, 25);
        cancel.SetCaption(L"取消");
        cancel.modalResult = ui::mrCancel;
        label.SetParent(&panel);
        label.SetBounds(28, 138, 39, 18);
        label.SetCaption(L"Email");
    }

    ui::Panel& panel = Create<ui::Panel>();
    ui::Edit& email = Create<ui::Edit>();
    ui::Edit& password = Create<ui::Edit>();
    ui::CheckBox& remember = Create<ui::CheckBox>();
    ui::Button& ok = Create<ui::Button>();
    ui::Button& cancel = Create<ui::Button>();
    ui::Label& label = Create<ui::Label>();
};

// Runs action on the first tick of a short timer, from inside whatever
// message loop is running then (a modal loop, typically).
void Soon(ui::Component& owner, std::function<void()> action) {
    auto& timer = owner.Create<ui::Timer>();
    timer.SetInterval(30);
    timer.OnTimer = [action = std::move(action)](ui::Timer& t) {
        t.SetEnabled(false);
        action();
    };
}

TEST(FormTest, ModalFormReturnsTheResultAButtonSets) {
    SampleForm form;
    form.ok.modalResult = ui::mrOk;
    bool okClicked = false;
    form.ok.OnClick = [&](ui::Control&) { okClicked = true; };
    Soon(form, [&] { SendMessageW(form.ok.Handle(), BM_CLICK, 0, 0); });

    EXPECT_EQ(form.ShowModal(), ui::mrOk);
    EXPECT_TRUE(okClicked);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(form.Modal());
}

TEST(FormTest, ModalFormDisablesOtherWindowsAndClosingGivesCancel) {
    SampleForm other;
    other.Show();
    SampleForm form;
    bool otherDisabledMeanwhile = false;
    Soon(form, [&] {
        otherDisabledMeanwhile = !IsWindowEnabled(other.Handle());
        PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(form.ShowModal(), ui::mrCancel);
    EXPECT_TRUE(otherDisabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
}

TEST(FormTest, RefusedCloseQueryKeepsTheModalLoopRunning) {
    SampleForm form;
    int queries = 0;
    form.OnCloseQuery = [&](ui::Form&, bool& canClose) { canClose = ++queries > 1; };
    Soon(form, [&] {
        PostMessageW(form.Handle(), WM_CLOSE, 0, 0);  // refused
        PostMessageW(form.ok.Handle(), BM_CLICK, 0, 0);
    });
    form.ok.OnClick = [&](ui::Control&) {
        EXPECT_TRUE(IsWindowVisible(form.Handle()));
        form.SetModalResult(ui::mrYes);
    };
    EXPECT_EQ(form.ShowModal(), ui::mrYes);
    EXPECT_EQ(queries, 2);
}

TEST(FormTest, DialogFormHasTheAskedClientSizeAndStyles) {
    SampleForm form;
    form.Show();
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 267);
    EXPECT_EQ(form.ClientWidth(), 400);
    const LONG_PTR style = GetWindowLongPtrW(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), ui::App().Handle());
    wchar_t className[64] = {};
    GetClassNameW(form.Handle(), className, 64);
    EXPECT_STREQ(className, L"TForm");
    // The panel fills the client area; the controls keep their places on it.
    EXPECT_EQ(form.panel.Width(), 400);
    EXPECT_EQ(form.panel.Height(), 267);
    RECT edit{};
    GetWindowRect(form.email.Handle(), &edit);
    POINT topLeft{edit.left, edit.top};
    ScreenToClient(form.Handle(), &topLeft);
    EXPECT_EQ(topLeft.x, 86);
    EXPECT_EQ(topLeft.y, 134);
    EXPECT_EQ(SendMessageW(form.password.Handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
}

class ClassNamedForm : public ui::Form {
public:
    using Form::Form;

protected:
    void CreateParams(ui::WindowCreateParams& params) override {
        Form::CreateParams(params);
        params.className = L"VocaraTestClass";
        params.exStyle |= WS_EX_TOOLWINDOW;
    }
};

TEST(FormTest, CreateParamsChoosesTheWindowClassFoundByName) {
    ClassNamedForm form(nullptr);
    form.SetBounds(0, 0, 100, 80);
    form.HandleNeeded();
    EXPECT_EQ(FindWindowA("VocaraTestClass", nullptr), form.HandleIfAllocated());
    EXPECT_TRUE(GetWindowLongPtrW(form.HandleIfAllocated(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST(FormTest, FirstFocusAndTabWalkTheTabOrderFiringExitAndEnter) {
    SampleForm form;
    std::vector<std::wstring> events;
    auto track = [&](ui::WinControl& control, const std::wstring& name) {
        control.OnEnter = [&events, name](ui::Control&) { events.push_back(L"enter " + name); };
        control.OnExit = [&events, name](ui::Control&) { events.push_back(L"exit " + name); };
    };
    track(form.email, L"email");
    track(form.password, L"password");
    track(form.remember, L"remember");
    form.password.SetTabOrder(0);  // password before email now

    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return form.password.Focused(); }));

    auto tab = [&](bool shift) {
        HWND focus = GetFocus();
        if (shift) {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
        }
        PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0);
        ASSERT_TRUE(PumpPostedMessages());
        if (shift) {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
        }
    };
    tab(false);
    EXPECT_TRUE(form.email.Focused());
    tab(false);
    EXPECT_TRUE(form.remember.Focused());
    tab(true);
    EXPECT_TRUE(form.email.Focused());
    EXPECT_EQ(events, (std::vector<std::wstring>{L"enter password", L"exit password", L"enter email", L"exit email",
                                                 L"enter remember", L"exit remember", L"enter email"}));
}

TEST(FormTest, DisabledControlsAreSkippedByTab) {
    SampleForm form;
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return form.email.Focused(); }));
    form.password.SetEnabled(false);
    form.remember.SetVisible(false);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_TRUE(form.ok.Focused());
}

TEST(FormTest, ClickingAButtonRunsTheEditsExitFirst) {
    SampleForm form;
    std::vector<std::string> order;
    form.password.OnExit = [&](ui::Control&) { order.push_back("exit"); };
    form.ok.OnClick = [&](ui::Control&) { order.push_back("click"); };
    form.Show();
    form.password.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return form.password.Focused(); }));
    // A real press and release on the button: it takes the focus first.
    SendMessageW(form.ok.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(form.ok.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(order, (std::vector<std::string>{"exit", "click"}));
}

TEST(FormTest, KeyPressCanSeeAndSwallowCharacters) {
    SampleForm form;
    form.Show();
    std::wstring seen;
    form.email.OnKeyPress = [&](ui::Control&, wchar_t& key) {
        seen += key;
        if (key == L'x') key = 0;
        if (key == L'a') key = L'b';
    };
    for (wchar_t c : std::wstring(L"axc\r")) {
        SendMessageW(form.email.Handle(), WM_CHAR, c, 0);
    }
    EXPECT_EQ(seen, L"axc\r");
    EXPECT_EQ(form.email.Text(), L"bc");
}

TEST(FormTest, ReplacedWindowProcSeesMessagesFirstAndRestoringBringsBackTheOldHandling) {
    SampleForm form;
    form.Show();
    std::vector<UINT> seen;
    ui::MessageHandler saved = form.email.WindowProc;
    form.email.WindowProc = [&](ui::Message& message) {
        seen.push_back(message.msg);
        if (message.msg == WM_SETTEXT) {
            message.result = TRUE;  // swallowed: the edit never sees it
            return;
        }
        saved(message);
    };
    SetWindowTextW(form.email.Handle(), L"swallowed");
    EXPECT_EQ(form.email.Text(), L"");
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_SETTEXT)), seen.end());
    EXPECT_EQ(form.email.Perform(WM_GETTEXTLENGTH), 0);

    form.email.WindowProc = saved;
    seen.clear();
    SetWindowTextW(form.email.Handle(), L"restored");
    EXPECT_EQ(form.email.Text(), L"restored");
    EXPECT_TRUE(seen.empty());
}

TEST(FormTest, HandleLookupFindsOurControlsAndNotForeignWindows) {
    SampleForm form;
    form.Show();
    EXPECT_EQ(ui::WinControl::FromHandle(form.Handle()), &form);
    EXPECT_EQ(ui::WinControl::FromHandle(form.email.Handle()), &form.email);
    EXPECT_EQ(GetPropW(form.email.Handle(), ui::WinControl::ControlPropertyName().c_str()),
              static_cast<HANDLE>(static_cast<ui::WinControl*>(&form.email)));

    HWND foreign = CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(ui::WinControl::FromHandle(foreign), nullptr);
    // A foreign window carrying a property of the same name is still foreign.
    SetPropW(foreign, ui::WinControl::ControlPropertyName().c_str(), reinterpret_cast<HANDLE>(0x1234));
    EXPECT_EQ(ui::WinControl::FromHandle(foreign), nullptr);
    DestroyWindow(foreign);
    EXPECT_EQ(ui::WinControl::FromHandle(GetDesktopWindow()), nullptr);
    EXPECT_EQ(ui::WinControl::FromHandle(nullptr), nullptr);

    HWND edit = form.email.Handle();
    SetWindowTextW(edit, L"typed");
    form.email.SetParent(nullptr);  // the window goes with the parent
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(ui::WinControl::FromHandle(edit), nullptr);
    EXPECT_EQ(form.email.Text(), L"typed");  // the text outlives the window
    form.email.SetParent(&form.panel);
    EXPECT_EQ(ui::WinControl::FromHandle(form.email.Handle()), &form.email);
    EXPECT_EQ(form.email.Text(), L"typed");
}

TEST(FormTest, ApplicationMessageHooksCanSwallowRightButtonPresses) {
    SampleForm form;
    form.Show();
    int formPresses = 0;
    form.OnMouseDown = [&](ui::Control&, ui::MouseButton button, ui::ShiftState, int, int) {
        if (button == ui::MouseButton::Right) ++formPresses;
    };
    auto& first = form.Create<ui::ApplicationEvents>();
    auto& second = form.Create<ui::ApplicationEvents>();
    int secondSaw = 0;
    first.OnMessage = [&](MSG& message, bool& handled) {
        handled = message.message == WM_RBUTTONDOWN && message.hwnd == form.panel.Handle();
    };
    second.OnMessage = [&](MSG& message, bool&) { secondSaw += message.message == WM_RBUTTONUP; };

    form.panel.OnMouseDown = form.OnMouseDown;
    PostMessageW(form.panel.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    PostMessageW(form.panel.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_EQ(formPresses, 0);
    EXPECT_EQ(secondSaw, 1);

    delete &first;  // a listener that goes away stops filtering
    PostMessageW(form.panel.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_EQ(formPresses, 1);
}

TEST(FormTest, TimerFiresUntilDisabled) {
    ui::Component owner(nullptr);
    auto& timer = owner.Create<ui::Timer>();
    timer.SetInterval(20);
    int ticks = 0;
    timer.OnTimer = [&](ui::Timer& t) {
        if (++ticks == 3) t.SetEnabled(false);
    };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    // A timer of five times the interval, started now, fires after any
    // fourth tick would have come.
    EXPECT_TRUE(PumpUntilLaterTimer(100));
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 4; }));
}

TEST(FormTest, DestroyOnCloseFreesTheFormAfterTheHandlerAndClearsReferences) {
    auto* form = new SampleForm(&ui::App());
    ui::Ref<ui::Form> reference = form;
    ui::Ref<ui::Edit> child = &form->email;
    form->OnClose = [](ui::Form&, ui::CloseAction& action) { action = ui::CloseAction::Free; };
    form->Show();
    HWND window = form->Handle();
    const int formsBefore = ui::Screen::FormCount();

    form->cancel.OnClick = [&](ui::Control&) {
        form->Close();
        EXPECT_TRUE(reference);  // freed only once this handler has returned
    };
    SendMessageW(form->cancel.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !reference; }));
    EXPECT_FALSE(child);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ui::Screen::FormCount(), formsBefore - 1);
}

TEST(FormTest, EventHandlerExceptionsReachTheErrorBoxAndTheProgramGoesOn) {
    SampleForm form;
    form.Show();
    std::vector<std::wstring> shown;
    ui::App().OnException = [&](const std::wstring& text) { shown.push_back(text); };
    form.ok.OnClick = [](ui::Control&) { throw ui::Error(L"网络错误"); };
    form.cancel.OnClick = [](ui::Control&) { throw std::runtime_error("plain \xE9\x94\x99"); };
    SendMessageW(form.ok.Handle(), BM_CLICK, 0, 0);
    SendMessageW(form.cancel.Handle(), BM_CLICK, 0, 0);
    ui::App().OnException = nullptr;
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"网络错误", L"plain 错"}));
    EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST(FormTest, ErrorBoxCarriesTheTitleAsCaption) {
    ui::App().SetTitle(L"Vocara");
    std::wstring caption;
    std::wstring text;
    auto& watcher = ui::App().Create<ui::Timer>();
    watcher.SetInterval(30);
    watcher.OnTimer = [&](ui::Timer&) {
        HWND box = FindWindowW(L"#32770", L"Vocara");
        if (box == nullptr) return;
        wchar_t buffer[128] = {};
        GetWindowTextW(box, buffer, 128);
        caption = buffer;
        GetDlgItemTextW(box, 0xFFFF, buffer, 128);
        text = buffer;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    ui::App().ShowException(L"无法连接");
    delete &watcher;
    EXPECT_EQ(caption, L"Vocara");
    EXPECT_EQ(text, L"无法连接");
}

TEST(FormTest, SessionEndQueryIsAnsweredByCloseQuery) {
    SampleForm form;
    form.Show();
    bool allow = false;
    form.OnCloseQuery = [&](ui::Form&, bool& canClose) { canClose = allow; };
    EXPECT_EQ(SendMessageW(form.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    allow = true;
    EXPECT_EQ(SendMessageW(form.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST(FormTest, CanResizeMayRefuseOrAdjustTheNewSize) {
    ui::Form form(nullptr);
    form.SetBounds(10, 10, 300, 200);
    form.Show();
    bool allow = false;
    form.OnCanResize = [&](ui::Form&, int& width, int&, bool& resize) {
        resize = allow;
        width = 333;
    };
    SetWindowPos(form.Handle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form.Width(), 300);
    allow = true;
    SetWindowPos(form.Handle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(form.Width(), 333);
    EXPECT_EQ(form.Height(), 400);
}

TEST(FormTest, MouseEventsComeFromTheFormsOwnSurfaceOnly) {
    ui::Form form(nullptr);
    form.borderStyle = ui::BorderStyle::None;
    form.SetBounds(50, 50, 200, 100);
    auto& label = form.Create<ui::Label>();
    label.SetParent(&form);
    label.SetBounds(0, 0, 100, 20);
    label.SetCaption(L"label");
    int formClicks = 0;
    int labelClicks = 0;
    std::vector<POINT> downs;
    form.OnClick = [&](ui::Control&) { ++formClicks; };
    form.OnMouseDown = [&](ui::Control&, ui::MouseButton, ui::ShiftState, int x, int y) { downs.push_back({x, y}); };
    label.OnClick = [&](ui::Control&) { ++labelClicks; };
    form.Show();
    auto click = [&](int x, int y) {
        SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    click(10, 10);   // on the label
    click(150, 60);  // on the form's own surface
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(formClicks, 1);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].x, 150);
    EXPECT_EQ(downs[0].y, 60);
}

TEST(FormTest, HiddenAndShownAgainRunsOnShowEachTime) {
    ui::Form form(nullptr);
    form.SetBounds(0, 0, 120, 90);
    int shows = 0;
    form.OnShow = [&](ui::Form&) {
        ++shows;
        EXPECT_FALSE(IsWindowVisible(form.Handle()));  // before it appears
    };
    form.Show();
    form.Show();
    form.Hide();
    form.Show();
    EXPECT_EQ(shows, 2);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST(FormTest, CheckBoxStateSurvivesHandleCreation) {
    SampleForm form;
    form.remember.SetChecked(true);
    form.Show();
    EXPECT_EQ(SendMessageW(form.remember.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(form.remember.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(form.remember.Checked());
}

TEST(FormTest, CreatingAndDestroyingFormsLeaksNoGdiOrUserObjects) {
    auto count = [](DWORD kind) { return GetGuiResources(GetCurrentProcess(), kind); };
    {
        SampleForm warmUp;  // classes registered, caches filled
        warmUp.Show();
        ASSERT_TRUE(PumpPostedMessages());
    }
    const DWORD gdiBefore = count(GR_GDIOBJECTS);
    const DWORD userBefore = count(GR_USEROBJECTS);
    std::vector<HGDIOBJ> fonts;
    std::vector<HWND> windows;
    for (int i = 0; i < 200; ++i) {
        SampleForm form;
        form.email.SetFont(ui::Font{L"新宋体", 14});
        form.panel.SetColor(ui::clWhite);
        form.Show();
        form.panel.Repaint();
        for (ui::WinControl* control : std::initializer_list<ui::WinControl*>{&form, &form.email, &form.ok}) {
            fonts.push_back(reinterpret_cast<HGDIOBJ>(SendMessageW(control->Handle(), WM_GETFONT, 0, 0)));
            windows.push_back(control->Handle());
        }
    }
    ASSERT_TRUE(PumpPostedMessages());
    // Every font the controls were given and every window is gone again.
    for (HGDIOBJ font : fonts) {
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(GetObjectType(font), 0u);
    }
    for (HWND window : windows) {
        EXPECT_FALSE(IsWindow(window));
    }
    // Where the system counts handles per process, the counts are back too
    // (this Wine reports 0 for both).
    if (gdiBefore != 0 || userBefore != 0) {
        EXPECT_LE(count(GR_GDIOBJECTS), gdiBefore + 2);
        EXPECT_LE(count(GR_USEROBJECTS), userBefore + 2);
    }
}

TEST(FormTest, HintWindowShowsWithoutTakingTheActivation) {
    SampleForm form;
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form.Handle(); }));
    ui::HintWindow hint(nullptr);
    const RECT one = hint.CalcHintRect(500, L"最小化");
    const RECT two = hint.CalcHintRect(500, L"最小化最小化最小化");
    EXPECT_GT(one.right, 0);
    EXPECT_GT(one.bottom, 0);
    EXPECT_GT(two.right, one.right);
    const RECT narrow = hint.CalcHintRect(60, L"a hint text that must wrap at sixty pixels");
    EXPECT_GT(narrow.bottom, one.bottom);  // wrapped onto more lines

    RECT place = one;
    OffsetRect(&place, 300, 200);
    hint.ActivateHint(place, L"最小化");
    EXPECT_TRUE(IsWindowVisible(hint.Handle()));
    RECT shown{};
    GetWindowRect(hint.Handle(), &shown);
    EXPECT_EQ(shown.left, 300);
    EXPECT_EQ(shown.top, 200);
    EXPECT_EQ(GetActiveWindow(), form.Handle());
    hint.ReleaseHint();
    EXPECT_FALSE(IsWindowVisible(hint.Handle()));
}

TEST(FormTest, RunShowsTheMainFormAndEndsWhenItCloses) {
    ui::Application& app = ui::App();
    auto* main = new ui::Form(&app);
    main->SetBounds(100, 100, 200, 120);
    main->formStyle = ui::FormStyle::StayOnTop;
    app.SetMainForm(main);
    bool shownByRun = false;
    Soon(*main, [&] {
        shownByRun = IsWindowVisible(main->Handle());
        PostMessageW(main->Handle(), WM_CLOSE, 0, 0);  // closing the main form ends the program
    });
    app.Run();
    EXPECT_TRUE(shownByRun);
    EXPECT_TRUE(app.Terminated());
    EXPECT_TRUE(GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    delete main;
    EXPECT_EQ(app.MainForm(), nullptr);
    // Start afresh for the tests that follow: Terminated stays set otherwise.
    ui::Application::DestroyInstance();
}

TEST(FormTest, RunWithoutAMainFormReturnsAtOnce) {
    ui::App().Run();
    EXPECT_FALSE(ui::App().Terminated());
}

TEST(FormTest, ActivationAndDeactivationEventsFollowTheActiveWindow) {
    SampleForm first;
    SampleForm second;
    second.SetLeft(500);
    std::vector<std::string> events;
    first.OnActivate = [&](ui::Form&) { events.push_back("first on"); };
    first.OnDeactivate = [&](ui::Form&) { events.push_back("first off"); };
    second.OnActivate = [&](ui::Form&) { events.push_back("second on"); };
    first.Show();
    ASSERT_TRUE(PumpUntil([&] { return first.Active(); }));
    second.Show();
    ASSERT_TRUE(PumpUntil([&] { return second.Active(); }));
    EXPECT_FALSE(first.Active());
    EXPECT_EQ(events, (std::vector<std::string>{"first on", "first off", "second on"}));
}

TEST(FormTest, GraphicChildrenArePaintedByTheirParentAtNaturalSize) {
    ui::Form form(nullptr);
    form.borderStyle = ui::BorderStyle::None;
    form.SetBounds(40, 40, 120, 80);
    form.SetColor(ui::clWhite);
    ui::Bitmap red(10, 6);
    red.Fill(ui::clRed);
    auto& image = form.Create<ui::Image>();
    image.SetParent(&form);
    image.SetBounds(5, 5, 60, 40);  // larger than the picture: not stretched
    image.SetPicture(red);
    auto& label = form.Create<ui::Label>();
    label.SetParent(&form);
    label.SetBounds(70, 50, 40, 20);
    label.SetColor(ui::clGreen);
    form.Show();
    UpdateWindow(form.Handle());
    ui::WindowDc dc(form.Handle());
    PumpUntil([&] { return GetPixel(dc.get(), 6, 6) == RGB(255, 0, 0); });
    EXPECT_EQ(GetPixel(dc.get(), 6, 6), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 14, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 15, 11), RGB(255, 255, 255));  // past the picture
    EXPECT_EQ(GetPixel(dc.get(), 40, 30), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc.get(), 71, 51), RGB(0, 128, 0));

    label.SetVisible(false);
    UpdateWindow(form.Handle());
    EXPECT_EQ(GetPixel(dc.get(), 71, 51), RGB(255, 255, 255));
}

TEST(FormTest, BringingTheApplicationToTheFrontActivatesItsLastActiveWindow) {
    SampleForm first;
    SampleForm second;
    second.SetLeft(450);
    first.Show();
    second.Show();
    ASSERT_TRUE(PumpUntil([&] { return second.Active(); }));
    // A window that is not ours takes the activation.
    HWND stranger = CreateWindowExW(0, L"STATIC", L"stranger", WS_POPUP | WS_VISIBLE | WS_CAPTION, 700, 500, 120, 80,
                                    nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(stranger);
    ASSERT_TRUE(PumpUntil([&] { return !second.Active(); }));

    ui::App().BringToFront();
    EXPECT_TRUE(PumpUntil([&] { return second.Active(); }));
    EXPECT_EQ(GetForegroundWindow(), second.Handle());
    DestroyWindow(stranger);
}

TEST(FormTest, BorderStylesAndIconsGiveTheirWindowStyles) {
    struct Case {
        const char* what;
        ui::BorderStyle border;
        ui::BorderIcons icons;
        ui::FormStyle formStyle;
        LONG_PTR styleOn;
        LONG_PTR styleOff;
        LONG_PTR exOn;
        LONG_PTR exOff;
    };
    const Case cases[] = {
        {"sizeable with the system menu only", ui::BorderStyle::Sizeable, ui::biSystemMenu, ui::FormStyle::Normal,
         WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
        {"sizeable with every icon", ui::BorderStyle::Sizeable, ui::biSystemMenu | ui::biMinimize | ui::biMaximize,
         ui::FormStyle::Normal, WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0, 0},
        {"sizeable without the system menu", ui::BorderStyle::Sizeable, ui::biMinimize, ui::FormStyle::Normal,
         WS_CAPTION, WS_SYSMENU | WS_MINIMIZEBOX, 0, 0},
        {"dialog", ui::BorderStyle::Dialog, ui::biSystemMenu | ui::biMinimize | ui::biMaximize, ui::FormStyle::Normal,
         WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME, 0},
        {"tool window on top", ui::BorderStyle::ToolWindow, ui::biSystemMenu, ui::FormStyle::StayOnTop,
         WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0},
        {"no border", ui::BorderStyle::None, ui::biSystemMenu, ui::FormStyle::Normal, WS_POPUP,
         WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::Form form(nullptr);
        form.borderStyle = c.border;
        form.borderIcons = c.icons;
        form.formStyle = c.formStyle;
        form.SetBounds(0, 0, 200, 100);
        const LONG_PTR style = GetWindowLongPtrW(form.Handle(), GWL_STYLE);
        const LONG_PTR ex = GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE);
        EXPECT_EQ(style & c.styleOn, c.styleOn);
        EXPECT_EQ(style & c.styleOff, 0);
        EXPECT_EQ(ex & c.exOn, c.exOn);
        EXPECT_EQ(ex & c.exOff, 0);
    }
}

TEST(FormTest, TheApplicationIconReachesItsWindowAndNewForms) {
    const HICON icon = LoadIconW(nullptr, IDI_INFORMATION);
    ui::App().SetIcon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(ui::App().Handle(), WM_GETICON, ICON_SMALL, 0)), icon);
    ui::Form form(nullptr);
    form.SetBounds(0, 0, 100, 60);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0)), icon);
    ui::App().SetIcon(nullptr);
}

// The start-up benchmark leaves the network's wait out of its figure by
// asking the hidden application window, from another process, for it.
TEST(FormTest, TheApplicationWindowAnswersHowLongTheStartWaitedOnTheNetwork) {
    const auto ask = [] {
        DWORD_PTR microseconds = 0;
        EXPECT_TRUE(SendMessageTimeoutW(ui::App().Handle(), RegisterWindowMessageW(L"Vocara.StartupWaitMicroseconds"),
                                        0, 0, SMTO_ABORTIFHUNG, 1000, &microseconds));
        return LONGLONG(microseconds);
    };
    const LONGLONG before = ask();
    {
        ui::StartupWait wait;
        Sleep(30);
    }
    const LONGLONG afterWaiting = ask();
    EXPECT_GE(afterWaiting - before, 25000);
    EXPECT_LT(afterWaiting - before, 10000000);
    Sleep(30);  // outside a wait: not counted
    EXPECT_EQ(ask(), afterWaiting);
}

TEST(FormTest, TimerEventErrorsReachTheErrorBoxAndTheTimerGoesOn) {
    ui::Component owner(nullptr);
    auto& timer = owner.Create<ui::Timer>();
    timer.SetInterval(20);
    int ticks = 0;
    timer.OnTimer = [&](ui::Timer&) {
        ++ticks;
        throw ui::Error(L"没有文档");
    };
    std::vector<std::wstring> shown;
    ui::App().OnException = [&](const std::wstring& text) { shown.push_back(text); };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    ui::App().OnException = nullptr;
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0], L"没有文档");
}

TEST(FormTest, ModalFormThatFreesItselfOnCloseEndsItsLoopAndGoesAway) {
    auto* form = new SampleForm(&ui::App());
    ui::Ref<ui::Form> reference = form;
    form->OnClose = [](ui::Form&, ui::CloseAction& action) { action = ui::CloseAction::Free; };
    Soon(*form, [&] { PostMessageW(form->Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(form->ShowModal(), ui::mrCancel);
    EXPECT_TRUE(PumpUntil([&] { return !reference; }));
}

} // namespace
