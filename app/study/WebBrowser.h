#pragma once
// The embedded web browser as the study and account windows use it: open an
// address, show the browser, run one script statement in the page, and hear
// of every address the browser is about to open (with the power to cancel
// it). The real control and the scripted stand-in of the tests both offer
// exactly this.

#include "ui/WinControl.h"

#include <windows.h>

#include <functional>
#include <string>

namespace app {

class WebBrowser : public ui::WinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit WebBrowser(ui::Component* owner) : ui::WinControl(owner) {}

    // Opens an address; returns at once, the page loads in the background.
    // BeforeNavigate2 fires for it before this returns.
    virtual void Navigate(const std::wstring& url) = 0;
    // The browser object's Visible property.
    virtual void SetBrowserVisible(bool visible) = 0;
    // Runs a script statement in the page showing (document, its parent
    // window, execScript). Throws ui::Error when any of the steps fails.
    virtual void ExecScript(const std::wstring& code, const std::wstring& language) = 0;

    // Fired before every navigation the browser starts: its own, links, form
    // posts and script. Setting cancel stops that navigation; the handler may
    // call Navigate from inside.
    std::function<void(WebBrowser& sender, const std::wstring& url, bool& cancel)> OnBeforeNavigate2;
};

// Navigate, with a failure told in our words (the address without its
// query); a failure of our own from a handler below passes as it is.
void OpenPage(WebBrowser& browser, const std::wstring& url);
// ExecScript, with a failure told in our words, naming the statement.
void RunPageScript(WebBrowser& browser, const std::wstring& code, const std::wstring& language);

// Makes the browser control of a window; tests install a scripted stand-in.
using WebBrowserFactory = std::function<WebBrowser*(ui::Component* owner)>;
WebBrowser& CreateWebBrowser(ui::Component& owner);
// Installs the factory CreateWebBrowser uses; none brings back the real control.
void SetWebBrowserFactory(WebBrowserFactory factory);

// The filter every window with a browser runs on the application's message
// loop: a right-button press or double click inside the browser's window
// tree is dropped, so the page's context menu never opens; the release passes.
void DropBrowserRightButton(const MSG& message, HWND browserWindow, bool& handled);

} // namespace app
