#include "app/study/WebBrowserControl.h"

#include "app/study/OleBrowserEvents.h"
#include "app/study/OleSite.h"
#include "ui/Application.h"
#include "ui/ComTypes.h"

#include <mshtml.h>
#include <ocidl.h>

#include <cstdio>
#include <memory>
#include <utility>

namespace app {
namespace {

using Microsoft::WRL::ComPtr;

ui::Error Failure(const std::wstring& what, HRESULT result) {
    wchar_t code[16] = {};
    swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(result));
    return ui::Error(what + L" (" + code + L")");
}

void Check(HRESULT result, const wchar_t* what) {
    if (FAILED(result)) {
        throw Failure(what, result);
    }
}

template <class T>
HRESULT QueryFor(IUnknown* from, REFIID riid, ComPtr<T>& to) {
    return from->QueryInterface(riid, reinterpret_cast<void**>(to.ReleaseAndGetAddressOf()));
}

} // namespace

WebBrowserControl::WebBrowserControl(ui::Component* owner) : WebBrowser(owner) {
    auto& keys = Create<ui::ApplicationEvents>();
    keys.OnMessage = [this](MSG& message, bool& handled) {
        if (!handled && TranslatePageKey(message)) {
            handled = true;
        }
    };
}

WebBrowserControl::~WebBrowserControl() {
    // Before the window goes: the base classes no longer route its messages here.
    Unembed();
}

void WebBrowserControl::HandleCreated() {
    WebBrowser::HandleCreated();
    Embed();
}

void WebBrowserControl::Embed() {
    const HWND window = HandleIfAllocated();
    Check(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                           reinterpret_cast<void**>(object_.ReleaseAndGetAddressOf())),
          L"The web browser control cannot be created");
    // Both are made with the one reference the pointers take over (not
    // Attach: the toolchain's Attach adds a reference of its own).
    *site_.ReleaseAndGetAddressOf() = new OleSite(window);
    *sink_.ReleaseAndGetAddressOf() =
        new OleBrowserEvents([this](const std::wstring& url, bool& cancel) { BeforeNavigate2(url, cancel); });
    try {
        Check(object_->SetClientSite(site_.Get()), L"The web browser control does not accept its site");
        RECT client{};
        GetClientRect(window, &client);
        Check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, window, &client),
              L"The web browser control cannot be activated in its window");
        Check(QueryFor(object_.Get(), IID_IOleInPlaceObject, inPlace_),
              L"The web browser control cannot be placed in its window");
        // Optional: without it, keys simply go to the page's windows as they are.
        QueryFor(object_.Get(), IID_IOleInPlaceActiveObject, activeObject_);
        ComPtr<IConnectionPointContainer> points;
        Check(QueryFor(object_.Get(), IID_IConnectionPointContainer, points),
              L"The web browser control reports no events");
        Check(points->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.ReleaseAndGetAddressOf()),
              L"The web browser control reports no navigation events");
        Check(events_->Advise(static_cast<IDispatch*>(sink_.Get()), &eventsCookie_),
              L"The web browser control does not take our event sink");
        // Last: Embedded() means the whole set-up is done.
        Check(QueryFor(object_.Get(), IID_IWebBrowser2, browser_), L"The web browser control cannot be navigated");
    } catch (...) {
        Unembed();
        throw;
    }
}

void WebBrowserControl::Unembed() noexcept {
    if (events_ && eventsCookie_ != 0) {
        events_->Unadvise(eventsCookie_);
    }
    eventsCookie_ = 0;
    events_.Reset();
    if (sink_) {
        sink_->Detach();
        sink_.Reset();
    }
    browser_.Reset();
    activeObject_.Reset();
    if (inPlace_) {
        inPlace_->InPlaceDeactivate();
        inPlace_.Reset();
    }
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.Reset();
    }
    if (site_) {
        site_->Detach();
        site_.Reset();
    }
}

void WebBrowserControl::WndProc(ui::Message& message) {
    switch (message.msg) {
    case WM_SIZE:
        WebBrowser::WndProc(message);
        FitObjectToWindow();
        return;
    case WM_DESTROY:
        // The browser's own windows are children of this one: close it while
        // they still exist.
        Unembed();
        break;
    default:
        break;
    }
    WebBrowser::WndProc(message);
}

bool WebBrowserControl::TranslatePageKey(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !activeObject_ || !HandleAllocated() ||
        !IsChild(HandleIfAllocated(), message.hwnd)) {
        return false;
    }
    // Held for the call: the browser may run script that frees this control.
    const ComPtr<IOleInPlaceActiveObject> active = activeObject_;
    return active->TranslateAccelerator(&message) == S_OK;
}

void WebBrowserControl::FitObjectToWindow() {
    if (inPlace_ && HandleAllocated()) {
        RECT client{};
        GetClientRect(HandleIfAllocated(), &client);
        inPlace_->SetObjectRects(&client, &client);
    }
}

void WebBrowserControl::Navigate(const std::wstring& url) {
    HandleNeeded();
    if (!browser_) {
        throw ui::Error(L"There is no web browser to open " + url);
    }
    // A handler may free this control while the browser is in its call.
    const std::shared_ptr<ui::Component*> alive = LifetimeCell();
    const ComPtr<IWebBrowser2> browser = browser_;
    const ui::UniqueBstr address(url);
    ui::UniqueVariant flags, frame, postData, headers;
    ++navigating_;
    const HRESULT result = browser->Navigate(address.get(), flags.get(), frame.get(), postData.get(), headers.get());
    if (*alive == nullptr) {
        return;
    }
    --navigating_;
    if (std::exception_ptr error = std::exchange(handlerError_, nullptr)) {
        std::rethrow_exception(error);
    }
    Check(result, (L"The web browser cannot open " + url).c_str());
}

void WebBrowserControl::SetBrowserVisible(bool visible) {
    HandleNeeded();
    if (!browser_) {
        throw ui::Error(L"There is no web browser to show");
    }
    Check(browser_->put_Visible(visible ? VARIANT_TRUE : VARIANT_FALSE), L"The web browser cannot be shown");
}

void WebBrowserControl::ExecScript(const std::wstring& code, const std::wstring& language) {
    if (!browser_) {
        throw ui::Error(L"There is no web browser to run a script in");
    }
    ComPtr<IDispatch> documentObject;
    const HRESULT documentResult = browser_->get_Document(documentObject.GetAddressOf());
    if (FAILED(documentResult) || !documentObject) {
        throw Failure(L"The web browser shows no page to run a script in", FAILED(documentResult) ? documentResult : E_POINTER);
    }
    ComPtr<IHTMLDocument2> document;
    Check(QueryFor(documentObject.Get(), IID_IHTMLDocument2, document), L"The web browser shows no HTML page");
    ComPtr<IHTMLWindow2> window;
    const HRESULT windowResult = document->get_parentWindow(window.GetAddressOf());
    if (FAILED(windowResult) || !window) {
        throw Failure(L"The page has no window to run a script in", FAILED(windowResult) ? windowResult : E_POINTER);
    }
    const ui::UniqueBstr script(code);
    const ui::UniqueBstr scriptLanguage(language);
    ui::UniqueVariant result;
    Check(window->execScript(script.get(), scriptLanguage.get(), result.get()),
          (L"The page's script failed: " + code).c_str());
}

void WebBrowserControl::BeforeNavigate2(const std::wstring& url, bool& cancel) noexcept {
    if (!OnBeforeNavigate2 || Destroying()) {
        return;
    }
    // The handler may free this control (its window closing at once).
    const std::shared_ptr<ui::Component*> alive = LifetimeCell();
    try {
        OnBeforeNavigate2(*this, url, cancel);
    } catch (...) {
        if (*alive != nullptr && navigating_ > 0) {
            // Our own Navigate call is below: it throws this on its way out.
            if (!handlerError_) {
                handlerError_ = std::current_exception();
            }
            return;
        }
        // A navigation the page started, from the message loop, or a control
        // its handler freed: nothing of ours is below to hand the error to,
        // so it goes to the error box.
        try {
            ui::App().HandleException(std::current_exception());
        } catch (...) {
        }
    }
}

} // namespace app
