#pragma once
// The platform's web-browser control in our own small OLE container.

#include "app/study/WebBrowser.h"

namespace app {

class WebBrowserControl : public WebBrowser {
public:
    explicit WebBrowserControl(ui::Component* owner);
    ~WebBrowserControl() override;

    void Navigate(const std::wstring& url) override;
    void SetBrowserVisible(bool visible) override;
    void ExecScript(const std::wstring& code, const std::wstring& language) override;
};

} // namespace app
