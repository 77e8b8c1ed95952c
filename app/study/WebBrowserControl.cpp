#include "app/study/WebBrowserControl.h"

#include "ui/Application.h"

// Placeholder until the OLE container lands: a plain window that opens nothing.
namespace app {

WebBrowserControl::WebBrowserControl(ui::Component* owner) : WebBrowser(owner) {}
WebBrowserControl::~WebBrowserControl() = default;

void WebBrowserControl::Navigate(const std::wstring& url) {
    bool cancel = false;
    if (OnBeforeNavigate2) {
        OnBeforeNavigate2(*this, url, cancel);
    }
}

void WebBrowserControl::SetBrowserVisible(bool) {}

void WebBrowserControl::ExecScript(const std::wstring&, const std::wstring&) {
    throw ui::Error(L"no document");
}

} // namespace app
