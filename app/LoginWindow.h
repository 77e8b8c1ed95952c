#pragma once
// The login window: banner, e-mail and password fields, the captcha with its
// answer field, the remember-password box and four buttons, all on one panel.
// It ends its modal loop with OK only after a successful login, and stays
// alive (hidden) afterwards to answer the messages other copies send it.

#include "app/comm/HttpClient.h"
#include "skin/data/SkinData.h"
#include "ui/Bitmap.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// Posted by a second start to the running copy.
inline constexpr UINT kRestoreRequestMessage = 5120;
// Finishes the login window as after a successful login (WM_USER + 2).
inline constexpr UINT kLoginDoneMessage = 1026;
// The class name a second start looks for.
inline constexpr wchar_t kLoginWindowClass[] = L"Vocara";

class Tfmlg : public ui::Form {
public:
    // serverBase: the service's base address; the program passes its one
    // constant, tests may point the window elsewhere.
    explicit Tfmlg(ui::Component* owner, std::wstring_view serverBase = VOCARA_SERVER_BASE);
    ~Tfmlg() override;

    ui::Panel& panreg = Create<ui::Panel>();
    ui::Image& Image3 = Create<ui::Image>();
    ui::StaticText& StaticText1 = Create<ui::StaticText>();
    ui::StaticText& StaticText2 = Create<ui::StaticText>();
    ui::Edit& edem = Create<ui::Edit>();
    ui::Edit& edpw = Create<ui::Edit>();
    ui::CheckBox& autochkbox = Create<ui::CheckBox>();
    ui::Edit& edyz = Create<ui::Edit>();
    ui::Button& btjpg = Create<ui::Button>();
    ui::Button& btcfm = Create<ui::Button>();
    ui::Button& Button3 = Create<ui::Button>();
    ui::Button& Button4 = Create<ui::Button>();
    ui::Image& Image1 = Create<ui::Image>();
    // The skin of every window of the program; lives as long as this window.
    skin::TSkinData& SkinData1 = Create<skin::TSkinData>();

    // Fetches a captcha into the captcha picture and shows it in image;
    // failures are silent and leave the image as it was.
    void getyz(ui::Image& image);
    // Reads the saved login file of the executable directory back into the
    // login state and the fields.
    void initrl();
    // Finishes with OK, once.
    void regok();

    void btcfmClick(ui::Control& sender);
    void btjpgClick(ui::Control& sender);
    void Button3Click(ui::Control& sender);
    void Button4Click(ui::Control& sender);

    // 1 once the window has finished with OK.
    int32_t CompletionFlag() const { return completion_; }

protected:
    void CreateParams(ui::WindowCreateParams& params) override;
    void WndProc(ui::Message& message) override;

private:
    void BuildControls();
    void LoadSkinData();
    void ConnectEvents();
    void FormCreate(ui::Form& sender);

    void edemExit(ui::Control& sender);
    void edpwEnter(ui::Control& sender);
    void edpwExit(ui::Control& sender);
    void edyzKeyPress(ui::Control& sender, wchar_t& key);
    void ptdok();
    void RestoreRequest();

    std::wstring serverBase_;
    // Made as the captcha is first asked for.
    std::unique_ptr<comm::HttpClient> http_;
    std::optional<ui::Bitmap> captcha_;
    int32_t completion_ = 0;
};

} // namespace app
