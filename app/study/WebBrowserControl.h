#pragma once
// The platform's web-browser control in our own small OLE container: the
// browser object is made and in-place activated in this control's window
// when the window is created, follows the window's size, and is closed and
// released when the window goes or the control is destroyed.

#include "app/study/WebBrowser.h"

#include <exdisp.h>
#include <wrl/client.h>

#include <exception>

namespace app {

class OleSite;
class OleBrowserEvents;

class WebBrowserControl : public WebBrowser {
public:
    explicit WebBrowserControl(ui::Component* owner);
    ~WebBrowserControl() override;

    // Each throws ui::Error when the browser object is missing or refuses.
    void Navigate(const std::wstring& url) override;
    void SetBrowserVisible(bool visible) override;
    void ExecScript(const std::wstring& code, const std::wstring& language) override;

    // Whether the browser object is in place in the window now.
    bool Embedded() const { return browser_ != nullptr; }
    // The browser object, or none while there is no window.
    IWebBrowser2* Browser() const { return browser_.Get(); }

    // Offers a key message meant for a window inside the browser to the
    // browser first, as an in-place object expects (Tab between a page's
    // fields, Enter, Delete, the clipboard keys); true when it took it and
    // the message must not be dispatched. The control runs this on the
    // application's loop itself.
    bool TranslatePageKey(MSG& message);

protected:
    // Embeds the browser object; throws ui::Error when it cannot be made.
    void HandleCreated() override;
    void WndProc(ui::Message& message) override;

private:
    void Embed();
    void Unembed() noexcept;
    void FitObjectToWindow();
    // From the event sink, inside the control's code: never throws.
    void BeforeNavigate2(const std::wstring& url, bool& cancel) noexcept;

    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace_;
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> activeObject_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
    Microsoft::WRL::ComPtr<IConnectionPoint> events_;
    DWORD eventsCookie_ = 0;
    // Of the concrete types: Unembed detaches them before letting go.
    Microsoft::WRL::ComPtr<OleSite> site_;
    Microsoft::WRL::ComPtr<OleBrowserEvents> sink_;

    // Navigate calls running now (a handler may navigate from inside one).
    int navigating_ = 0;
    // An exception of a handler run inside Navigate, thrown again when the
    // control's call returns.
    std::exception_ptr handlerError_;
};

} // namespace app
