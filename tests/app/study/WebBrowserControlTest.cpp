#include "app/study/OleBrowserEvents.h"
#include "app/study/OleSite.h"
#include "app/study/WebBrowserControl.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Label.h"

#include "tests/support/OleTestEnvironment.h"
#include "tests/support/Pump.h"
#include "tests/support/ServiceControl.h"

#include <exdispid.h>
#include <olectl.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using testsupport::PumpPostedMessages;
using testsupport::PumpUntil;
using testsupport::Service;

namespace {

std::wstring Address(const std::wstring& path) { return std::wstring(VOCARA_SERVER_BASE) + path; }

// A form holding one real browser control that fills it.
class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        Service("reset");
        form.emplace(nullptr);
        form->SetBounds(100, 100, 400, 300);
        browser = &form->Create<app::WebBrowserControl>();
        browser->SetParent(&*form);
        browser->SetAlign(ui::Align::Client);
        browser->OnBeforeNavigate2 = [this](app::WebBrowser&, const std::wstring& url, bool& cancel) {
            seen.push_back(url);
            if (onNavigate) onNavigate(url, cancel);
        };
        form->Show();
    }
    void TearDown() override {
        form.reset();
        ui::App().OnException = nullptr;
    }

    std::optional<ui::Form> form;
    app::WebBrowserControl* browser = nullptr;
    std::vector<std::wstring> seen;
    std::function<void(const std::wstring& url, bool& cancel)> onNavigate;
};

// True once the request log of the stand-in holds a request for path.
bool ServiceSaw(const std::string& path) { return Service("log").find("GET " + path + " ") != std::string::npos; }

// Every site and event sink of our container has been freed.
bool NoContainerObjects() { return app::OleSite::LiveObjects() == 0 && app::OleBrowserEvents::LiveObjects() == 0; }

// The browser object's own window inside the control's window.
HWND ObjectWindow(app::WebBrowserControl& control) { return GetWindow(control.Handle(), GW_CHILD); }

RECT ClientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

TEST_F(BrowserTest, NavigateFiresBeforeNavigate2WithTheAddressBeforeItReturns) {
    ASSERT_TRUE(browser->Embedded());
    const std::wstring address = Address(L"/en/user/rg.html?b=1");
    browser->Navigate(address);
    EXPECT_EQ(seen, std::vector<std::wstring>{address});
    // Not cancelled: the page is requested from the server.
    EXPECT_TRUE(PumpUntil([] { return ServiceSaw("/en/user/rg.html?b=1"); }, 10000));
}

TEST_F(BrowserTest, ACancelledNavigationNeverReachesTheServer) {
    onNavigate = [](const std::wstring& url, bool& cancel) { cancel = url.ends_with(L"/fi"); };
    browser->Navigate(Address(L"/en/user/fi"));
    // A navigation that goes ahead after it: once it is logged, the
    // cancelled one would have been too.
    browser->Navigate(Address(L"/en/user/rpwd.html?b=1"));
    ASSERT_TRUE(PumpUntil([] { return ServiceSaw("/en/user/rpwd.html?b=1"); }, 10000));
    EXPECT_FALSE(ServiceSaw("/en/user/fi"));
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(BrowserTest, AHandlerMayNavigateFromInsideTheEvent) {
    const std::wstring command = Address(L"/en/user/end");
    const std::wstring page = Address(L"/en/user/rpwd.html?b=1");
    onNavigate = [&](const std::wstring& url, bool& cancel) {
        if (url == command) {
            browser->Navigate(page);
            cancel = true;
        }
    };
    browser->Navigate(command);
    EXPECT_EQ(seen, (std::vector<std::wstring>{command, page}));
    ASSERT_TRUE(PumpUntil([] { return ServiceSaw("/en/user/rpwd.html?b=1"); }, 10000));
    EXPECT_FALSE(ServiceSaw("/en/user/end"));
}

TEST_F(BrowserTest, AnErrorOfTheHandlerComesOutOfNavigate) {
    const std::wstring inner = Address(L"/en/user/inner");
    onNavigate = [&](const std::wstring& url, bool& cancel) {
        cancel = true;
        if (url == inner) throw ui::Error(L"handler failed");
        browser->Navigate(inner);  // the error passes through this call too
    };
    try {
        browser->Navigate(Address(L"/en/user/outer"));
        ADD_FAILURE() << "Navigate returned";
    } catch (const ui::Error& error) {
        EXPECT_EQ(error.Text(), L"handler failed");
    }
    // The control is still usable afterwards.
    onNavigate = nullptr;
    seen.clear();
    browser->Navigate(Address(L"/en/user/rg.html?b=1"));
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(BrowserTest, ExecScriptWithoutADocumentThrows) {
    EXPECT_THROW(browser->ExecScript(L"sbody()", L"javascript"), ui::Error);
    browser->Navigate(Address(L"/en/user/rg.html?b=1"));
    // The page has come from the server and what the browser posted itself
    // on its arrival has run: a page engine would have a document by now.
    ASSERT_TRUE(PumpUntil([] { return ServiceSaw("/en/user/rg.html?b=1"); }, 10000));
    ASSERT_TRUE(PumpPostedMessages());
    try {
        browser->ExecScript(L"sbody()", L"javascript");
        ADD_FAILURE() << "a script ran with no page engine";
    } catch (const ui::Error& error) {
        EXPECT_FALSE(error.Text().empty());
    }
}

TEST_F(BrowserTest, SetBrowserVisibleReachesTheBrowserObject) {
    browser->SetBrowserVisible(false);
    VARIANT_BOOL visible = VARIANT_TRUE;
    ASSERT_EQ(browser->Browser()->get_Visible(&visible), S_OK);
    EXPECT_EQ(visible, VARIANT_FALSE);
    browser->SetBrowserVisible(true);
    ASSERT_EQ(browser->Browser()->get_Visible(&visible), S_OK);
    EXPECT_EQ(visible, VARIANT_TRUE);
}

TEST_F(BrowserTest, TheBrowserFillsTheControlAndFollowsResizes) {
    const HWND object = ObjectWindow(*browser);
    ASSERT_NE(object, nullptr);
    const auto filled = [&] {
        const RECT control = ClientOf(browser->Handle());
        RECT placed{};
        GetWindowRect(object, &placed);
        MapWindowPoints(nullptr, browser->Handle(), reinterpret_cast<POINT*>(&placed), 2);
        return control.right == ClientOf(form->Handle()).right && control.bottom == ClientOf(form->Handle()).bottom &&
               placed.left == 0 && placed.top == 0 && placed.right == control.right && placed.bottom == control.bottom;
    };
    const auto expectFilled = [&] {
        const RECT control = ClientOf(browser->Handle());
        EXPECT_EQ(control.right, ClientOf(form->Handle()).right);
        EXPECT_EQ(control.bottom, ClientOf(form->Handle()).bottom);
        RECT placed{};
        GetWindowRect(object, &placed);
        MapWindowPoints(nullptr, browser->Handle(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, 0);
        EXPECT_EQ(placed.top, 0);
        EXPECT_EQ(placed.right, control.right);
        EXPECT_EQ(placed.bottom, control.bottom);
    };
    expectFilled();
    form->SetBounds(50, 60, 640, 480);
    PumpUntil(filled);
    expectFilled();
    form->SetBounds(50, 60, 300, 120);
    PumpUntil(filled);
    expectFilled();
    EXPECT_TRUE(browser->Embedded());
    EXPECT_EQ(ObjectWindow(*browser), object);
}

// Records what reaches a window and keeps it from the window itself.
class MessageRecorder {
public:
    explicit MessageRecorder(HWND window) : window_(window) {
        SetPropW(window_, kProperty, this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    ~MessageRecorder() {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(window_, kProperty);
    }
    std::vector<UINT> received;

private:
    static constexpr wchar_t kProperty[] = L"VocaraTestRecorder";
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<MessageRecorder*>(GetPropW(window, kProperty));
        if ((msg >= WM_RBUTTONDOWN && msg <= WM_RBUTTONDBLCLK) || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST)) {
            self->received.push_back(msg);
            return 0;  // no context menu or key handling of the control's own during the test
        }
        if (msg == kDone) {
            self->received.push_back(msg);
            return 0;
        }
        return CallWindowProcW(self->previous_, window, msg, wParam, lParam);
    }

public:
    static constexpr UINT kDone = WM_APP + 77;

private:
    HWND window_;
    WNDPROC previous_ = nullptr;
};

TEST_F(BrowserTest, RightButtonPressesInsideTheBrowserAreDroppedFromTheLoop) {
    ui::StaticText& other = form->Create<ui::StaticText>();
    other.SetParent(&*form);
    other.SetAlign(ui::Align::Top);
    other.SetHeight(20);
    ui::ApplicationEvents& filter = form->Create<ui::ApplicationEvents>();
    filter.OnMessage = [this](MSG& message, bool& handled) {
        app::DropBrowserRightButton(message, browser->Handle(), handled);
    };

    const HWND inside = ObjectWindow(*browser);
    ASSERT_NE(inside, nullptr);
    MessageRecorder insideLog(inside);
    MessageRecorder otherLog(other.Handle());
    for (UINT msg : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK}) {
        PostMessageW(inside, msg, MK_RBUTTON, MAKELPARAM(10, 10));
        PostMessageW(other.Handle(), msg, MK_RBUTTON, MAKELPARAM(10, 10));
    }
    // Posted last to each: once both arrive, everything before has been through the loop.
    PostMessageW(inside, MessageRecorder::kDone, 0, 0);
    PostMessageW(other.Handle(), MessageRecorder::kDone, 0, 0);
    ASSERT_TRUE(PumpUntil([&] {
        return !insideLog.received.empty() && insideLog.received.back() == MessageRecorder::kDone &&
               !otherLog.received.empty() && otherLog.received.back() == MessageRecorder::kDone;
    }));
    EXPECT_EQ(insideLog.received, (std::vector<UINT>{WM_RBUTTONUP, MessageRecorder::kDone}));
    EXPECT_EQ(otherLog.received,
              (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, MessageRecorder::kDone}));
}

TEST_F(BrowserTest, KeysTheBrowserDeclinesReachThePageWindows) {
    // The control offers page keys to the browser object first; the object
    // here declines them all, so each must still be dispatched.
    const HWND inside = ObjectWindow(*browser);
    ASSERT_NE(inside, nullptr);
    MessageRecorder insideLog(inside);
    PostMessageW(inside, WM_KEYDOWN, 'A', 0);
    PostMessageW(inside, WM_KEYUP, 'A', 0);
    PostMessageW(inside, MessageRecorder::kDone, 0, 0);
    const auto count = [&](UINT msg) { return std::ranges::count(insideLog.received, msg); };
    // The loop translates the key press into a character as well.
    ASSERT_TRUE(PumpUntil([&] { return count(MessageRecorder::kDone) == 1 && count(WM_CHAR) == 1; }));
    EXPECT_EQ(count(WM_KEYDOWN), 1);
    EXPECT_EQ(count(WM_KEYUP), 1);
}

TEST_F(BrowserTest, DestroyingTheFormReleasesEveryContainerObject) {
    ASSERT_TRUE(browser->Embedded());
    browser->Navigate(Address(L"/en/user/rg.html?b=1"));
    EXPECT_GT(app::OleSite::LiveObjects(), 0);
    EXPECT_GT(app::OleBrowserEvents::LiveObjects(), 0);
    form.reset();
    browser = nullptr;
    PumpUntil(NoContainerObjects);
    EXPECT_EQ(app::OleSite::LiveObjects(), 0);
    EXPECT_EQ(app::OleBrowserEvents::LiveObjects(), 0);
}

TEST_F(BrowserTest, TheWindowGoingTakesTheBrowserObjectAlong) {
    ASSERT_TRUE(browser->Embedded());
    DestroyWindow(form->Handle());
    EXPECT_FALSE(browser->Embedded());
    EXPECT_EQ(app::OleSite::LiveObjects(), 0);
    EXPECT_EQ(app::OleBrowserEvents::LiveObjects(), 0);
    // No events reach a handler after that.
    seen.clear();
    EXPECT_THROW(browser->ExecScript(L"sbody()", L"javascript"), ui::Error);
    EXPECT_TRUE(seen.empty());
}

TEST_F(BrowserTest, TheFormMayGoFromInsideTheEvent) {
    // As a command that closes and frees its window at once would.
    const struct {
        const char* name;
        bool freeTheForm;  // else only its window goes
    } cases[] = {{"window destroyed", false}, {"form freed", true}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        SetUp();
        onNavigate = [&](const std::wstring&, bool& cancel) {
            cancel = true;
            if (row.freeTheForm) {
                form.reset();
                browser = nullptr;
            } else {
                DestroyWindow(form->Handle());
            }
        };
        EXPECT_NO_THROW(browser != nullptr ? browser->Navigate(Address(L"/en/user/end")) : void());
        EXPECT_EQ(seen.size(), 1u);
        PumpUntil(NoContainerObjects);
        EXPECT_EQ(app::OleSite::LiveObjects(), 0);
        EXPECT_EQ(app::OleBrowserEvents::LiveObjects(), 0);
        TearDown();
        seen.clear();
        onNavigate = nullptr;
    }
}

TEST_F(BrowserTest, AnErrorOfAHandlerThatFreedTheFormIsNotLost) {
    // Nothing of the control is left below to carry the error out of
    // Navigate: it goes to the error box instead.
    std::vector<std::wstring> shown;
    ui::App().OnException = [&](const std::wstring& text) { shown.push_back(text); };
    onNavigate = [&](const std::wstring&, bool& cancel) {
        cancel = true;
        form.reset();
        browser = nullptr;
        throw ui::Error(L"handler failed after freeing its window");
    };
    app::WebBrowserControl* const control = browser;
    EXPECT_NO_THROW(control->Navigate(Address(L"/en/user/end")));
    EXPECT_EQ(shown, std::vector<std::wstring>{L"handler failed after freeing its window"});
    PumpUntil(NoContainerObjects);
    EXPECT_EQ(app::OleSite::LiveObjects(), 0);
    EXPECT_EQ(app::OleBrowserEvents::LiveObjects(), 0);
}

TEST_F(BrowserTest, AnAddressOfAnyLengthOrScriptReachesTheHandlerWhole) {
    const std::wstring longPath = L"/en/user/" + std::wstring(70000, L'a') + L"/fi";
    const std::wstring outside = L"/en/user/\u0e01\U0001F600\u00e9/suc=\u0444@x.y";
    for (const std::wstring& path : {longPath, outside}) {
        seen.clear();
        onNavigate = [](const std::wstring&, bool& cancel) { cancel = true; };
        browser->Navigate(Address(path));
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0], Address(path));
    }
}

// What a thread without COM got when it made a browser.
struct CreationOutcome {
    std::wstring error;
    bool embedded = true;
    bool navigateThrew = false;
};

DWORD WINAPI MakeBrowserWithoutCom(void* data) {
    auto& outcome = *static_cast<CreationOutcome*>(data);
    ui::Form form(nullptr);
    auto& browser = form.Create<app::WebBrowserControl>();
    browser.SetParent(&form);
    try {
        form.HandleNeeded();
    } catch (const ui::Error& error) {
        outcome.error = error.Text();
    }
    outcome.embedded = browser.Embedded();
    try {
        browser.Navigate(L"http://127.0.0.1:1/x");
    } catch (const ui::Error&) {
        outcome.navigateThrew = true;
    }
    return 0;
}

TEST(BrowserCreation, WithoutComTheControlReportsItCannotBeMade) {
    // A thread of its own has no COM; this one keeps pumping meanwhile, as
    // the new windows are owned by the application's window here.
    CreationOutcome outcome;
    const HANDLE thread = CreateThread(nullptr, 0, &MakeBrowserWithoutCom, &outcome, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        ui::App().ProcessMessages();
    }
    ASSERT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_NE(outcome.error.find(L"cannot be created"), std::wstring::npos) << outcome.error;
    EXPECT_FALSE(outcome.embedded);
    EXPECT_TRUE(outcome.navigateThrew);
    EXPECT_EQ(app::OleSite::LiveObjects(), 0);
    EXPECT_EQ(app::OleBrowserEvents::LiveObjects(), 0);
}

// The event sink on its own, with the argument shapes a browser may send.

TEST(BrowserEvents, TheAddressIsReadFromEveryShapeOfTheArgument) {
    BSTR text = SysAllocString(L"http://host/a/fi");
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR;
    inner.bstrVal = text;

    VARIANT direct = inner;
    VARIANT byRefString;
    byRefString.vt = VT_BYREF | VT_BSTR;
    byRefString.pbstrVal = &text;
    VARIANT byRefVariant;
    byRefVariant.vt = VT_BYREF | VT_VARIANT;
    byRefVariant.pvarVal = &inner;
    VARIANT byRefToByRef;
    byRefToByRef.vt = VT_BYREF | VT_VARIANT;
    byRefToByRef.pvarVal = &byRefVariant;
    VARIANT nullReference;
    nullReference.vt = VT_BYREF | VT_VARIANT;
    nullReference.pvarVal = nullptr;
    VARIANT number;
    number.vt = VT_I4;
    number.lVal = 5;
    VARIANT nullString;
    nullString.vt = VT_BSTR;
    nullString.bstrVal = nullptr;

    const struct {
        const char* name;
        VARIANT* argument;
        std::optional<std::wstring> expected;
    } cases[] = {
        {"string", &direct, L"http://host/a/fi"},
        {"reference to a string", &byRefString, L"http://host/a/fi"},
        {"reference to a variant", &byRefVariant, L"http://host/a/fi"},
        {"reference to a reference", &byRefToByRef, std::nullopt},
        {"null reference", &nullReference, std::nullopt},
        {"number", &number, std::nullopt},
        {"null string", &nullString, L""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(app::OleBrowserEvents::UrlOfArgument(*row.argument), row.expected);
    }
    SysFreeString(text);
}

// Invokes BeforeNavigate2 on the sink as the browser does, answering Cancel.
VARIANT_BOOL FireBeforeNavigate2(IDispatch& sink, const wchar_t* url, UINT argumentCount = 7,
                                 VARIANT_BOOL cancel = VARIANT_FALSE) {
    BSTR text = SysAllocString(url);
    VARIANT address;
    address.vt = VT_BSTR;
    address.bstrVal = text;
    VARIANT arguments[7];
    for (VARIANT& argument : arguments) VariantInit(&argument);
    arguments[5].vt = VT_BYREF | VT_VARIANT;
    arguments[5].pvarVal = &address;
    arguments[0].vt = VT_BYREF | VT_BOOL;
    arguments[0].pboolVal = &cancel;
    DISPPARAMS parameters{arguments, nullptr, argumentCount, 0};
    EXPECT_EQ(sink.Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr,
                          nullptr),
              S_OK);
    SysFreeString(text);
    return cancel;
}

TEST(BrowserEvents, TheHandlersCancelIsWrittenBackAndADetachedSinkCallsNobody) {
    std::vector<std::wstring> urls;
    auto* sink = new app::OleBrowserEvents([&](const std::wstring& url, bool& cancel) {
        urls.push_back(url);
        cancel = url.ends_with(L"/fi");
    });
    EXPECT_EQ(FireBeforeNavigate2(*sink, L"http://h/fi"), VARIANT_TRUE);
    EXPECT_EQ(FireBeforeNavigate2(*sink, L"http://h/page", 7, VARIANT_TRUE), VARIANT_FALSE);
    EXPECT_EQ(FireBeforeNavigate2(*sink, L"http://h/fi", 6), VARIANT_FALSE);  // malformed: not heard
    EXPECT_EQ(urls, (std::vector<std::wstring>{L"http://h/fi", L"http://h/page"}));

    sink->Detach();
    EXPECT_EQ(FireBeforeNavigate2(*sink, L"http://h/fi"), VARIANT_FALSE);
    EXPECT_EQ(urls.size(), 2u);

    IUnknown* events = nullptr;
    EXPECT_EQ(sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&events)), S_OK);
    ASSERT_NE(events, nullptr);
    EXPECT_EQ(events->Release(), 1u);
    EXPECT_EQ(sink->Release(), 0u);
    EXPECT_EQ(app::OleBrowserEvents::LiveObjects(), 0);
}

TEST(OleSiteObject, AmbientPropertiesAreUnknownAndADetachedSiteHasNoWindow) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    auto* site = new app::OleSite(host);
    IDispatch* ambient = nullptr;
    ASSERT_EQ(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)), S_OK);
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                              nullptr),
              DISP_E_MEMBERNOTFOUND);
    ambient->Release();

    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof(info);
    ASSERT_EQ(site->GetWindowContext(&frame, &document, &position, &clip, &info), S_OK);
    EXPECT_EQ(position.right, ClientOf(host).right);
    EXPECT_EQ(position.bottom, ClientOf(host).bottom);
    EXPECT_EQ(info.hwndFrame, host);
    ASSERT_NE(frame, nullptr);
    frame->Release();

    site->Detach();
    HWND window = host;
    EXPECT_TRUE(FAILED(site->GetWindow(&window)));
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(site->CanInPlaceActivate(), S_FALSE);
    EXPECT_EQ(site->Release(), 0u);
    EXPECT_EQ(app::OleSite::LiveObjects(), 0);
    DestroyWindow(host);
}

} // namespace
