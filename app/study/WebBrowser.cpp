#include "app/study/WebBrowser.h"

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
