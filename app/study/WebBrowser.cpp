#include "app/study/WebBrowser.h"

#include "app/comm/Failure.h"
#include "app/study/WebBrowserControl.h"

#include <utility>

namespace app {
namespace {

WebBrowserFactory& Factory() {
    static WebBrowserFactory factory;
    return factory;
}

} // namespace

const ui::ClassInfo WebBrowser::kClass{"TWebBrowser", &ui::WinControl::kClass};

WebBrowser& CreateWebBrowser(ui::Component& owner) {
    if (const WebBrowserFactory& factory = Factory()) {
        if (WebBrowser* browser = factory(&owner)) {
            return *browser;
        }
    }
    return owner.Create<WebBrowserControl>();
}

void OpenPage(WebBrowser& browser, const std::wstring& url) {
    try {
        browser.Navigate(url);
    } catch (...) {
        comm::RethrowAsFailure(comm::FailureKind::PageCannotOpen,
                               "地址: " + comm::AddressWithoutQuery(ui::WideToUtf8(url)));
    }
}

void RunPageScript(WebBrowser& browser, const std::wstring& code, const std::wstring& language) {
    try {
        browser.ExecScript(code, language);
    } catch (...) {
        comm::RethrowAsFailure(comm::FailureKind::PageScriptFailed, "脚本: " + ui::WideToUtf8(code));
    }
}

void SetWebBrowserFactory(WebBrowserFactory factory) { Factory() = std::move(factory); }

void DropBrowserRightButton(const MSG& message, HWND browserWindow, bool& handled) {
    if (message.message != WM_RBUTTONDOWN && message.message != WM_RBUTTONDBLCLK) {
        return;
    }
    if (browserWindow != nullptr && IsChild(browserWindow, message.hwnd)) {
        handled = true;
    }
}

} // namespace app
