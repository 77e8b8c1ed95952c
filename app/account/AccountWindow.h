#pragma once
// The account pages window: the service's sign-up or password-recovery page
// in a small tool window with a browser. The pages steer it with command
// words (loaded, done, signed up); a new account's e-mail goes back to the
// login window. At most one exists; it frees itself when it closes.

#include "app/study/WebBrowser.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Label.h"

#include <string>

namespace app {

class Tfrmrg : public ui::Form {
public:
    // Also the window class name.
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }

    explicit Tfrmrg(ui::Component* owner);
    ~Tfrmrg() override;

    ui::StaticText& StaticText1 = Create<ui::StaticText>();
    WebBrowser& WebBrowser1 = CreateWebBrowser(*this);
    ui::ApplicationEvents& ApplicationEvents1 = Create<ui::ApplicationEvents>();

    void FormShow(ui::Form& sender);
    // Takes the activation back: the window stays active while it is open.
    void FormDeactivate(ui::Form& sender);
    void FormClose(ui::Form& sender, ui::CloseAction& action);
    void WebBrowser1BeforeNavigate2(WebBrowser& sender, const std::wstring& url, bool& cancel);
    void ApplicationEvents1Message(MSG& message, bool& handled);

protected:
    void WndProc(ui::Message& message) override;

private:
    void BuildControls();
    void TakeActivationBack();
    // The command steps.
    void PageLoaded(const std::string& token);
    void Finished(const std::string& token);
    void SignedUp(const std::string& token);
    // Removes the deactivation handler and closes; the window frees itself.
    void CloseWindow();
};

// The login window's "注册用户" and "忘记密码": open the account pages window
// (made if none exists, reused otherwise) on the sign-up or recovery page.
void OpenSignUpPage();
void OpenRecoveryPage();

} // namespace app
