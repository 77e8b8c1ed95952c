#include "app/study/OleBrowserEvents.h"

#include <exdisp.h>
#include <exdispid.h>

#include <utility>

namespace app {
namespace {

LONG g_liveSinks = 0;

// BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers,
// Cancel): the arguments arrive last first.
constexpr UINT kBeforeNavigateArguments = 7;
constexpr UINT kUrlArgument = 5;
constexpr UINT kCancelArgument = 0;

std::wstring TextOf(BSTR text) { return text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

} // namespace

OleBrowserEvents::OleBrowserEvents(BeforeNavigateHandler handler) : handler_(std::move(handler)) {
    InterlockedIncrement(&g_liveSinks);
}

OleBrowserEvents::~OleBrowserEvents() { InterlockedDecrement(&g_liveSinks); }

long OleBrowserEvents::LiveObjects() { return g_liveSinks; }

std::optional<std::wstring> OleBrowserEvents::UrlOfArgument(const VARIANT& argument) {
    switch (argument.vt) {
    case VT_BSTR:
        return TextOf(argument.bstrVal);
    case VT_BYREF | VT_BSTR:
        if (argument.pbstrVal != nullptr) {
            return TextOf(*argument.pbstrVal);
        }
        return std::nullopt;
    case VT_BYREF | VT_VARIANT:
        // One level of indirection only: a variant referring to another
        // variant reference must not send us round for ever.
        if (argument.pvarVal != nullptr && argument.pvarVal->vt != (VT_BYREF | VT_VARIANT)) {
            return UrlOfArgument(*argument.pvarVal);
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

STDMETHODIMP OleBrowserEvents::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) OleBrowserEvents::AddRef() { return ULONG(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) OleBrowserEvents::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return ULONG(left);
}

STDMETHODIMP OleBrowserEvents::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP OleBrowserEvents::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP OleBrowserEvents::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result,
                                      EXCEPINFO*, UINT*) {
    if (result != nullptr) {
        VariantInit(result);
    }
    if (member == DISPID_BEFORENAVIGATE2 && parameters != nullptr) {
        BeforeNavigate2(*parameters);
    }
    // Events we do not follow are not errors for the control.
    return S_OK;
}

void OleBrowserEvents::BeforeNavigate2(DISPPARAMS& parameters) {
    if (!handler_ || parameters.rgvarg == nullptr || parameters.cArgs != kBeforeNavigateArguments) {
        return;
    }
    VARIANT& cancelArgument = parameters.rgvarg[kCancelArgument];
    if (cancelArgument.vt != (VT_BYREF | VT_BOOL) || cancelArgument.pboolVal == nullptr) {
        return;  // a cancel we could not write back would be a lie to the handler
    }
    const std::optional<std::wstring> url = UrlOfArgument(parameters.rgvarg[kUrlArgument]);
    if (!url) {
        return;
    }
    bool cancel = *cancelArgument.pboolVal != VARIANT_FALSE;
    // The handler may detach this sink (its host going): keep a copy alive.
    const BeforeNavigateHandler handler = handler_;
    handler(*url, cancel);
    *cancelArgument.pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

} // namespace app
