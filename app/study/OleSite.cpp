#include "app/study/OleSite.h"

namespace app {
namespace {

LONG g_liveSites = 0;

} // namespace

OleSite::OleSite(HWND host) : host_(host) { InterlockedIncrement(&g_liveSites); }

OleSite::~OleSite() { InterlockedDecrement(&g_liveSites); }

long OleSite::LiveObjects() { return g_liveSites; }

STDMETHODIMP OleSite::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (riid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) OleSite::AddRef() { return ULONG(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) OleSite::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return ULONG(left);
}

STDMETHODIMP OleSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP OleSite::GetContainer(IOleContainer** container) {
    if (container != nullptr) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP OleSite::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = host_;
    return host_ != nullptr ? S_OK : E_FAIL;
}

STDMETHODIMP OleSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                       LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr || frameInfo == nullptr) {
        return E_POINTER;
    }
    *frame = nullptr;
    *document = nullptr;
    if (host_ == nullptr) {
        return E_FAIL;
    }
    // This object is the frame as well; there is no separate document window.
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    GetClientRect(host_, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetAncestor(host_, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP OleSite::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP OleSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

} // namespace app
