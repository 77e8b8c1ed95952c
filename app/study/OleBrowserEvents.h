#pragma once
// The event sink the browser control calls through its connection point
// (DWebBrowserEvents2). Only BeforeNavigate2 is heard: its address goes to
// the handler and the handler's cancel decision goes back to the control.

#include <ole2.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace app {

class OleBrowserEvents final : public IDispatch {
public:
    // Must not throw: it is called from inside the control's own code.
    using BeforeNavigateHandler = std::function<void(const std::wstring& url, bool& cancel)>;

    // Created with one reference, owned by the caller.
    explicit OleBrowserEvents(BeforeNavigateHandler handler);
    OleBrowserEvents(const OleBrowserEvents&) = delete;
    OleBrowserEvents& operator=(const OleBrowserEvents&) = delete;

    // The host is going: later events reach nobody.
    void Detach() { handler_ = nullptr; }

    // Objects of this class not yet freed (tests: every reference returned).
    static long LiveObjects();

    // The address argument of BeforeNavigate2: a string, or a reference to a
    // variant (or to a string) holding one. None for anything else.
    static std::optional<std::wstring> UrlOfArgument(const VARIANT& argument);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

private:
    ~OleBrowserEvents();
    void BeforeNavigate2(DISPPARAMS& parameters);

    LONG references_ = 1;
    BeforeNavigateHandler handler_;
};

} // namespace app
