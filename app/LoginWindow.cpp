#include "app/LoginWindow.h"

#include "app/LoginState.h"
#include "app/ResourceImages.h"
#include "app/account/AccountWindow.h"
#include "app/comm/Failure.h"
#include "app/comm/JpegImage.h"
#include "app/comm/LoginProtocol.h"
#include "app/comm/Md5.h"
#include "app/comm/SavedLogin.h"
#include "app/comm/XmlDocument.h"
#include "res/ResourceIds.h"
#include "skin/data/CodePage.h"
#include "ui/Application.h"
#include "ui/StartupTrace.h"

#include <array>
#include <filesystem>

namespace app {
namespace {

constexpr wchar_t kCaption[] = L"Vocara登录";
constexpr int kClientWidth = 400;
constexpr int kClientHeight = 267;
constexpr int kDesignLeft = 491;
constexpr int kDesignTop = 344;

constexpr wchar_t kLabelFace[] = L"宋体";
constexpr wchar_t kFieldFace[] = L"新宋体";

constexpr wchar_t kRestoreCaption[] = L"信息";
constexpr wchar_t kRestoreText[] = L"程序\" Vocara \"已经运行了。";
constexpr wchar_t kLoadErrorCaption[] = L"解压文件错误！";

// The embedded default skin (RCDATA); a program built without it runs unskinned.
constexpr wchar_t kDefaultSkinResource[] = L"DEFAULTSKIN";

// The saved login file beside the executable.
std::filesystem::path SavedLoginPath() {
    return std::filesystem::path(ExecutableDirectory()) / comm::kSavedLoginName;
}

ui::Font FontOf(const wchar_t* face, int height) {
    ui::Font font;
    font.name = face;
    font.height = height;
    return font;
}

struct Bounds {
    int left, top, width, height;
};

// One row of the control table: where a control sits, what it says, how it
// writes, and its place in the tab order (-1: none of its own).
struct ControlLayout {
    const char* name;
    ui::Control* control;
    Bounds bounds;
    const wchar_t* text;
    const wchar_t* face;
    int fontHeight;
    int tabOrder;
};

} // namespace

Tfmlg::Tfmlg(ui::Component* owner, std::wstring_view serverBase)
    : Form(owner), serverBase_(serverBase) {
    BuildControls();
    ui::MarkStartupStep("login controls built");
    LoadSkinData();
    ui::MarkStartupStep("login skin loaded");
    ConnectEvents();
    OnCreate = [this](ui::Form& sender) { FormCreate(sender); };
    DoCreate();
}

Tfmlg::~Tfmlg() = default;

void Tfmlg::BuildControls() {
    name = "fmlg";
    borderStyle = ui::BorderStyle::Dialog;
    borderIcons = ui::biSystemMenu;
    SetCaption(kCaption);
    SetBounds(kDesignLeft, kDesignTop, kClientWidth, kClientHeight);
    SetClientSize(kClientWidth, kClientHeight);

    panreg.name = "panreg";
    panreg.SetParent(this);
    panreg.SetBevelOuter(ui::Bevel::None);
    panreg.SetAlign(ui::Align::Client);

    // Windowed controls first, in tab order, so that the order of creation
    // and the order of tabbing agree.
    const ControlLayout layout[] = {
        {"StaticText1", &StaticText1, {28, 138, 39, 18}, L"Email", kLabelFace, 14, 0},
        {"StaticText2", &StaticText2, {7, 175, 60, 18}, L"登录密码", kLabelFace, 14, 1},
        {"edem", &edem, {86, 134, 201, 22}, L"", kFieldFace, 14, 2},
        {"edpw", &edpw, {86, 171, 201, 20}, L"", kFieldFace, 12, 3},
        {"autochkbox", &autochkbox, {294, 132, 106, 29}, L"记住密码", kLabelFace, 14, 4},
        {"edyz", &edyz, {146, 213, 58, 22}, L"", kFieldFace, 14, 5},
        {"btjpg", &btjpg, {5, 213, 70, 25}, L"更换图片", kLabelFace, 14, 6},
        {"btcfm", &btcfm, {211, 213, 70, 25}, L"登录", kLabelFace, 14, 7},
        {"Button3", &Button3, {294, 213, 70, 25}, L"注册用户", kLabelFace, 14, 8},
        {"Button4", &Button4, {294, 170, 70, 25}, L"忘记密码", kLabelFace, 14, 9},
        {"Image3", &Image3, {0, 0, 400, 120}, nullptr, nullptr, 0, -1},
        {"Image1", &Image1, {86, 213, 49, 26}, nullptr, nullptr, 0, -1},
    };
    for (const ControlLayout& row : layout) {
        row.control->name = row.name;
        row.control->SetParent(&panreg);
        row.control->SetBounds(row.bounds.left, row.bounds.top, row.bounds.width, row.bounds.height);
        if (row.text != nullptr) {
            row.control->SetCaption(row.text);
        }
        if (row.face != nullptr) {
            row.control->SetFont(FontOf(row.face, row.fontHeight));
        }
        if (row.tabOrder >= 0) {
            static_cast<ui::WinControl*>(row.control)->SetTabOrder(row.tabOrder);
        }
    }
    edpw.SetPasswordChar(L'*');

    if (std::optional<ui::Bitmap> banner = LoadJpegResource(IDR_BANNER)) {
        Image3.SetPicture(std::move(*banner));
    }
}

// As a form file streams the component: its properties in published order,
// then the embedded skin, then Loaded, which starts the skin manager.
void Tfmlg::LoadSkinData() {
    SkinData1.name = "SkinData1";
    SkinData1.SetActive(true);
    SkinData1.DisableTag = 99;
    SkinData1.SkinFormtype = skin::TSkinFormType::sfMainform;
    SkinData1.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), kDefaultSkinResource);
    SkinData1.Loaded();
}

void Tfmlg::ConnectEvents() {
    edem.OnExit = [this](ui::Control& sender) { edemExit(sender); };
    edpw.OnEnter = [this](ui::Control& sender) { edpwEnter(sender); };
    edpw.OnExit = [this](ui::Control& sender) { edpwExit(sender); };
    edyz.OnKeyPress = [this](ui::Control& sender, wchar_t& key) { edyzKeyPress(sender, key); };
    btjpg.OnClick = [this](ui::Control& sender) { btjpgClick(sender); };
    btcfm.OnClick = [this](ui::Control& sender) { btcfmClick(sender); };
    Button3.OnClick = [this](ui::Control& sender) { Button3Click(sender); };
    Button4.OnClick = [this](ui::Control& sender) { Button4Click(sender); };
}

void Tfmlg::CreateParams(ui::WindowCreateParams& params) {
    Form::CreateParams(params);
    params.className = kLoginWindowClass;
}

void Tfmlg::FormCreate(ui::Form&) {
    captcha_.emplace();
    {
        // The network's time, and WinHTTP's loading at its first call.
        ui::StartupWait network;
        http_ = std::make_unique<comm::HttpClient>(serverBase_);
        getyz(Image1);  // before the window shows
    }
    ui::MarkStartupStep("captcha asked for");
    SetExecutableDirectory(ModuleDirectory());
    initrl();
}

void Tfmlg::getyz(ui::Image& image) {
    // A captcha that cannot be fetched or decoded is not worth a message:
    // the user can ask for another one.
    try {
        http_->Disconnect();
        const std::string body = http_->Get(comm::kCaptchaPath);
        std::optional<ui::Bitmap> picture = comm::DecodeJpeg(body);
        if (!picture) {
            return;
        }
        captcha_ = std::move(*picture);
        image.SetPicture(*captcha_);
        http_->Disconnect();
    } catch (...) {
    }
}

void Tfmlg::initrl() {
    const std::filesystem::path file = SavedLoginPath();
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return;
    }
    const std::string content = comm::loadzip(file, [](const std::string& text, const std::string&) {
        MessageBoxW(nullptr, ui::Utf8ToWide(text).c_str(), kLoadErrorCaption, MB_OK);
    });
    std::optional<comm::XmlDocument> saved;
    try {
        saved.emplace();
        saved->LoadXml(skin::AnsiToWide(content));
    } catch (...) {
        comm::RethrowAsFailure(comm::FailureKind::CannotReadLogin, "文件: " + ui::WideToUtf8(file.wstring()));
    }

    Tuserinfo& state = UserInfo();
    try {
        state.uid = skin::WideToAnsi(saved->ChildText(L"con", L"uid"));
        const std::wstring email = saved->ChildText(L"con", L"em");
        state.em = skin::WideToAnsi(email);
        edem.SetText(email);
        if (saved->ChildText(L"con", L"z") == L"True") {
            state.remember = 1;
            const std::wstring digest = saved->ChildText(L"con", L"pwd");
            state.pwd = skin::WideToAnsi(digest);
            edpw.SetText(digest);
            autochkbox.SetChecked(true);
        } else {
            state.remember = 0;
        }
    } catch (...) {
        // A damaged or foreign file restores nothing more; uid and an e-mail
        // already shown stay.
        state.em.clear();
        state.pwd.clear();
        state.remember = 0;
    }
}

void Tfmlg::edemExit(ui::Control&) {
    const std::wstring text = edem.Text();
    if (!text.empty()) {
        edem.SetText(comm::TrimText(text));
    }
}

void Tfmlg::edpwEnter(ui::Control&) { edpw.SetText(L""); }

void Tfmlg::edpwExit(ui::Control&) {
    const std::wstring text = edpw.Text();
    if (comm::TrimText(text).empty()) {
        edpw.SetText(L"");
        return;
    }
    edpw.SetText(skin::AnsiToWide(comm::md5hex(skin::WideToAnsi(text))));
}

void Tfmlg::edyzKeyPress(ui::Control& sender, wchar_t& key) {
    if (key == L'\r') {
        btcfmClick(sender);
    }
}

void Tfmlg::btjpgClick(ui::Control&) { getyz(Image1); }

void Tfmlg::btcfmClick(ui::Control&) {
    // A disabled panel means a login ran or is over: an Enter typed ahead into
    // the captcha field, or a click queued while the request blocked, must
    // not start a second one.
    if (!panreg.Enabled()) {
        return;
    }
    panreg.SetEnabled(false);

    const std::string address = comm::LoginAddress(skin::WideToAnsi(edem.Text()), skin::WideToAnsi(edpw.Text()),
                                                   autochkbox.Checked(), skin::WideToAnsi(edyz.Text()));
    http_->Disconnect();
    const std::string body = http_->Get(address);
    http_->Disconnect();
    const comm::XmlDocument reply = comm::ParseReply(body);
    const comm::LoginCode code = comm::ReadLoginCode(reply);

    if (code == comm::LoginCode::Success) {
        comm::StoreLoginSuccess(reply, UserInfo(), SavedLoginPath().wstring());
        completion_ = 0;
        regok();
        return;
    }

    // What each failure empties and where it puts the focus (none: unmoved).
    struct FailureReset {
        comm::LoginCode code;
        std::array<ui::Edit*, 3> emptied;
        ui::Edit* focus;
    };
    const FailureReset resets[] = {
        {comm::LoginCode::WrongCaptcha, {&edyz}, &edyz},
        {comm::LoginCode::WrongPassword, {&edpw, &edyz}, &edpw},
        {comm::LoginCode::UnknownUser, {&edem, &edpw, &edyz}, nullptr},
    };
    for (const FailureReset& reset : resets) {
        if (reset.code != code) {
            continue;
        }
        if (std::optional<comm::LoginMessage> message = comm::MessageFor(code)) {
            MessageBoxW(Handle(), message->text, message->caption, MB_OK);
        }
        panreg.SetEnabled(true);
        for (ui::Edit* field : reset.emptied) {
            if (field != nullptr) {
                field->SetText(L"");
            }
        }
        if (reset.focus != nullptr) {
            reset.focus->SetFocus();
        }
        btjpgClick(btjpg);
        return;
    }
    // Any other code: the panel stays disabled; the user can only close.
}

void Tfmlg::regok() {
    if (completion_ == 1) {
        return;
    }
    completion_ = 1;
    btcfm.SetEnabled(false);
    SetModalResult(ui::mrOk);
}

void Tfmlg::ptdok() { regok(); }

void Tfmlg::Button3Click(ui::Control&) { OpenSignUpPage(); }
void Tfmlg::Button4Click(ui::Control&) { OpenRecoveryPage(); }

void Tfmlg::RestoreRequest() {
    MessageBoxW(Handle(), kRestoreText, kRestoreCaption, MB_SYSTEMMODAL | MB_ICONINFORMATION);
    if (IsIconic(ui::App().Handle())) {
        ui::App().Restore();
    } else {
        ui::App().BringToFront();
    }
}

void Tfmlg::WndProc(ui::Message& message) {
    switch (message.msg) {
    case kRestoreRequestMessage:
        RestoreRequest();
        return;
    case kLoginDoneMessage:
        ptdok();
        return;
    default:
        Form::WndProc(message);
    }
}

} // namespace app
