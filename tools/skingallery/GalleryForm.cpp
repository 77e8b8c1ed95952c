#include "tools/skingallery/GalleryForm.h"

#include "tools/skingallery/GalleryResources.h"
#include "ui/Application.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/DropDownButton.h"
#include "ui/Edit.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"
#include "ui/ToolBar.h"

#include <commdlg.h>
#include <windowsx.h>
#include <windows.h>

#include <array>
#include <string>
#include <utility>

namespace gallery {
namespace {

constexpr int kMargin = 8;
constexpr int kColumns = 3;
constexpr int kButtonHeight = 25;
constexpr int kCheckHeight = 20;
constexpr int kEditHeight = 22;
// Inside a section: its width less the padding on both sides.
constexpr int kRowWidth = GallerySection::kWidth - 2 * GallerySection::kPadding;
constexpr int kHalfWidth = (kRowWidth - GallerySection::kGap) / 2;

constexpr wchar_t kSkinFilter[] = L"皮肤文件 (*.skn)\0*.skn\0所有文件 (*.*)\0*.*\0";
constexpr wchar_t kOffSuffix[] = L"（皮肤已关闭）";

// The key colour of button glyphs: the bottom-left pixel says which it is.
constexpr COLORREF kGlyphKey = RGB(255, 0, 255);

} // namespace

const ui::ClassInfo GalleryForm::kClass{"TGalleryForm", &ui::Form::kClass};

GalleryForm::GalleryForm(ui::Component* owner, const std::wstring& startSkin)
    : Form(owner), skins_(SkinData1, GetModuleHandleW(nullptr)) {
    name = "GalleryForm";
    SetBounds(40, 30, 960, 640);
    LoadGlyphs();
    BuildMenuBar();
    BuildContextMenu();
    BuildSections();
    LoadSkinData(startSkin);
    SkinStateChanged();
    DoCreate();
}

GalleryForm::~GalleryForm() = default;

// As the login window streams its skin component: properties, the skin, then
// Loaded, which starts the skin manager and posts the first skin command.
void GalleryForm::LoadSkinData(const std::wstring& startSkin) {
    SkinData1.name = "SkinData1";
    SkinData1.SetActive(true);
    SkinData1.DisableTag = skin::TSkinData::kDefaultDisableTag;
    SkinData1.SkinFormtype = skin::TSkinFormType::sfMainform;
    skins_.UseDefault();
    if (!startSkin.empty()) {
        std::wstring reason;
        if (!skins_.UseFile(startSkin, reason)) {
            startSkinPath_ = startSkin;
            startProblem_ = reason;
        }
    }
    SkinData1.Loaded();
}

void GalleryForm::LoadGlyphs() {
    icons_.name = "GalleryIcons";
    const HMODULE module = GetModuleHandleW(nullptr);
    for (int index = 0; index < kGalleryIconCount; ++index) {
        if (icons_.AddPngResource(module, MAKEINTRESOURCEW(kGalleryIconFirst + index)) != index) {
            // A build without the pictures shows the controls without them.
            icons_.Clear();
            return;
        }
    }
}

ui::Bitmap GalleryForm::Glyph(int index) const {
    if (index >= icons_.Count()) {
        return {};
    }
    ui::Bitmap glyph(icons_.Width(), icons_.Height());
    ui::Canvas& canvas = glyph.GetCanvas();
    const HBRUSH key = CreateSolidBrush(kGlyphKey);
    const RECT all{0, 0, glyph.Width(), glyph.Height()};
    FillRect(canvas.Handle(), &all, key);
    DeleteObject(key);
    icons_.Draw(canvas.Handle(), 0, 0, index);
    return glyph;
}

ui::MenuItem& GalleryForm::AddItem(ui::MenuItem& parent, const std::wstring& caption) {
    ui::MenuItem& item = Create<ui::MenuItem>();
    item.SetCaption(caption);
    parent.Add(&item);
    return item;
}

void GalleryForm::BuildMenuBar() {
    menuBar_ = &Create<ui::MainMenu>();
    menuBar_->name = "MainMenu1";
    ui::MenuItem& root = menuBar_->Items();

    ui::MenuItem& file = AddItem(root, L"文件(&F)");
    ui::MenuItem& open = AddItem(file, L"打开(&O)…");
    open.SetShortCut(ui::MakeShortCut('O', ui::ssCtrl));
    open.OnClick = [this](ui::MenuItem&) { ChooseSkinFile(); };
    AddItem(file, L"默认皮肤(&D)").OnClick = [this](ui::MenuItem&) { UseDefaultSkin(); };
    AddItem(file, L"-");
    AddItem(file, L"退出(&X)").OnClick = [](ui::MenuItem&) { ui::App().Terminate(); };

    ui::MenuItem& skinMenu = AddItem(root, L"皮肤(&S)");
    skinEnabledItem_ = &AddItem(skinMenu, L"启用皮肤(&E)");
    skinEnabledItem_->OnClick = [this](ui::MenuItem&) { SetSkinEnabled(!skins_.Enabled()); };

    // Every state of a menu item, for the skin's menu pictures.
    ui::MenuItem& samples = AddItem(root, L"菜单示例(&M)");
    AddItem(samples, L"普通菜单项");
    AddItem(samples, L"已勾选的菜单项").SetChecked(true);
    AddItem(samples, L"禁用的菜单项").SetEnabled(false);
    AddItem(samples, L"-");
    ui::MenuItem& sub = AddItem(samples, L"子菜单");
    AddItem(sub, L"子菜单项一");
    AddItem(sub, L"子菜单项二");

    ui::MenuItem& help = AddItem(root, L"帮助(&H)");
    AddItem(help, L"关于皮肤画廊(&A)…").OnClick = [this](ui::MenuItem&) {
        MessageBoxW(Handle(), L"皮肤画廊：在一个窗口里查看皮肤画出的每一种控件。\n用“文件 ▸ 打开…”换一个皮肤文件。",
                    kGalleryTitle, MB_OK | MB_ICONINFORMATION);
    };
    SetMenu(menuBar_);
}

void GalleryForm::BuildContextMenu() {
    contextMenu_ = &Create<ui::PopupMenu>();
    contextMenu_->name = "PopupMenu1";
    ui::MenuItem& root = contextMenu_->Items();
    AddItem(root, L"打开皮肤…").OnClick = [this](ui::MenuItem&) { ChooseSkinFile(); };
    AddItem(root, L"默认皮肤").OnClick = [this](ui::MenuItem&) { UseDefaultSkin(); };
    popupSkinEnabledItem_ = &AddItem(root, L"启用皮肤");
    popupSkinEnabledItem_->OnClick = [this](ui::MenuItem&) { SetSkinEnabled(!skins_.Enabled()); };
    AddItem(root, L"-");
    AddItem(root, L"禁用的菜单项").SetEnabled(false);
    AddItem(root, L"显示消息框…").OnClick = [this](ui::MenuItem&) { ShowSampleMessage(); };

    dropDownMenu_ = &Create<ui::PopupMenu>();
    dropDownMenu_->name = "DropDownMenu1";
    AddItem(dropDownMenu_->Items(), L"下拉菜单项一");
    AddItem(dropDownMenu_->Items(), L"下拉菜单项二").SetChecked(true);
    AddItem(dropDownMenu_->Items(), L"下拉菜单项三");
}

GallerySection& GalleryForm::AddSection(const std::wstring& title) {
    sections_.push_back(std::make_unique<GallerySection>(*this, *this, title));
    sections_.back()->Panel().name = "Section" + std::to_string(sections_.size());
    return *sections_.back();
}

void GalleryForm::BuildSections() {
    BuildButtonSection();
    BuildSpeedButtonSection();
    BuildCheckBoxSection();
    BuildRadioButtonSection();
    BuildGroupBoxSection();
    BuildEditSection();
    BuildToolBarSection();
    BuildPanelSection();
    BuildLabelSection();
    BuildRadioGroupSection();
    BuildListSection();
    BuildSpinSection();
    BuildScrollSection();
    BuildTabSection();
    BuildBarSection();

    SectionLayout layout(kColumns, kMargin, kMargin);
    for (const auto& section : sections_) {
        layout.Add(*section);
    }
    SetClientSize(layout.Width() + kMargin, layout.Height() + kMargin);
}

void GalleryForm::BuildButtonSection() {
    GallerySection& section = AddSection(L"按钮");
    auto& normal = section.Place(Create<ui::Button>(), 88, kButtonHeight);
    normal.name = "ButtonNormal";
    normal.SetCaption(L"普通按钮");
    auto& preferred = section.Place(Create<ui::Button>(), 88, kButtonHeight);
    preferred.name = "ButtonDefault";
    preferred.SetCaption(L"默认按钮");
    preferred.isDefault = true;
    auto& disabled = section.Place(Create<ui::Button>(), 88, kButtonHeight);
    disabled.name = "ButtonDisabled";
    disabled.SetCaption(L"禁用按钮");
    disabled.SetEnabled(false);

    section.NewRow();
    const struct {
        const char* name;
        const wchar_t* caption;
        ui::BitButtonKind kind;
        int glyph;
        bool enabled;
    } bitButtons[] = {
        {"BitBtnOk", L"确定", ui::BitButtonKind::OK, kIconStar, true},
        {"BitBtnCancel", L"取消", ui::BitButtonKind::Cancel, kIconHide, true},
        {"BitBtnDisabled", L"禁用", ui::BitButtonKind::Custom, kIconBook, false},
    };
    for (const auto& row : bitButtons) {
        auto& button = section.Place(Create<ui::BitBtn>(), 88, kButtonHeight + 3);
        button.name = row.name;
        button.SetKind(row.kind);
        // The kinds' modal results mean nothing on a window that is not modal.
        button.modalResult = ui::mrNone;
        button.SetCaption(row.caption);
        button.glyphs.glyph = Glyph(row.glyph);
        button.SetEnabled(row.enabled);
    }

    section.NewRow();
    auto& dropDown = section.Place(Create<ui::DropDownButton>(), 134, kButtonHeight);
    dropDown.name = "DropDownButton1";
    dropDown.SetCaption(L"下拉按钮");
    dropDown.SetDropDownMenu(dropDownMenu_);
    auto& messageBox = section.Place(Create<ui::Button>(), 134, kButtonHeight);
    messageBox.name = "MessageBoxButton";
    messageBox.SetCaption(L"显示消息框…");
    messageBox.OnClick = [this](ui::Control&) { ShowSampleMessage(); };
}

void GalleryForm::BuildSpeedButtonSection() {
    GallerySection& section = AddSection(L"快速按钮");
    const struct {
        const char* name;
        const wchar_t* caption;
        int glyph;
        int group;
        bool down;
        bool flat;
        bool enabled;
    } buttons[] = {
        {"SpeedLeft", L"左", kIconHome, 1, false, false, true},
        {"SpeedMiddle", L"中", kIconPlan, 1, true, false, true},
        {"SpeedRight", L"右", kIconHistory, 1, false, false, true},
        {"SpeedFlat", L"平面", kIconSettings, 0, false, true, true},
        {"SpeedDisabled", L"禁用", kIconBook, 0, false, false, false},
    };
    for (const auto& row : buttons) {
        auto& button = section.Place(Create<ui::SpeedButton>(), 52, kButtonHeight + 3);
        button.name = row.name;
        button.SetCaption(row.caption);
        button.glyphs.glyph = Glyph(row.glyph);
        button.groupIndex = row.group;
        button.flat = row.flat;
        button.SetDown(row.down);
        button.SetEnabled(row.enabled);
    }
}

void GalleryForm::BuildCheckBoxSection() {
    GallerySection& section = AddSection(L"复选框");
    const struct {
        const char* name;
        const wchar_t* caption;
        ui::CheckBoxState state;
        bool enabled;
    } boxes[] = {
        {"CheckUnchecked", L"未选中", ui::CheckBoxState::Unchecked, true},
        {"CheckDisabledUnchecked", L"禁用、未选中", ui::CheckBoxState::Unchecked, false},
        {"CheckChecked", L"已选中", ui::CheckBoxState::Checked, true},
        {"CheckDisabledChecked", L"禁用、已选中", ui::CheckBoxState::Checked, false},
        {"CheckGrayed", L"不确定", ui::CheckBoxState::Grayed, true},
        {"CheckDisabledGrayed", L"禁用、不确定", ui::CheckBoxState::Grayed, false},
    };
    for (const auto& row : boxes) {
        auto& box = section.Place(Create<ui::CheckBox>(), kHalfWidth, kCheckHeight);
        box.name = row.name;
        box.SetCaption(row.caption);
        box.SetAllowGrayed(row.state == ui::CheckBoxState::Grayed);
        box.SetState(row.state);
        box.SetEnabled(row.enabled);
    }
}

void GalleryForm::BuildRadioButtonSection() {
    GallerySection& section = AddSection(L"单选按钮");
    auto& first = section.Place(Create<ui::RadioButton>(), kHalfWidth, kCheckHeight);
    first.name = "RadioChecked";
    first.SetCaption(L"已选中");
    first.SetChecked(true);
    auto& second = section.Place(Create<ui::RadioButton>(), kHalfWidth, kCheckHeight);
    second.name = "RadioUnchecked";
    second.SetCaption(L"未选中");

    // Buttons of one parent are one group: the disabled pair needs its own
    // parent to show a checked one too.
    section.NewRow();
    auto& group = section.Place(Create<ui::GroupBox>(), kRowWidth, 48);
    group.name = "RadioDisabledGroup";
    group.SetCaption(L"禁用的单选按钮");
    const struct {
        const char* name;
        const wchar_t* caption;
        bool checked;
        int left;
    } disabled[] = {
        {"RadioDisabledChecked", L"禁用、已选中", true, 10},
        {"RadioDisabledUnchecked", L"禁用、未选中", false, 10 + kHalfWidth},
    };
    for (const auto& row : disabled) {
        auto& radio = Create<ui::RadioButton>();
        radio.name = row.name;
        radio.SetParent(&group);
        radio.SetBounds(row.left, 20, kHalfWidth - 14, kCheckHeight);
        radio.SetCaption(row.caption);
        radio.SetChecked(row.checked);
        radio.SetEnabled(false);
    }
}

void GalleryForm::BuildGroupBoxSection() {
    GallerySection& section = AddSection(L"分组框");
    auto& group = section.Place(Create<ui::GroupBox>(), kRowWidth, 56);
    group.name = "GroupBox1";
    group.SetCaption(L"分组框");
    auto& inside = Create<ui::CheckBox>();
    inside.name = "GroupBoxCheck";
    inside.SetParent(&group);
    inside.SetBounds(10, 22, 130, kCheckHeight);
    inside.SetCaption(L"框里的复选框");
    auto& button = Create<ui::Button>();
    button.name = "GroupBoxButton";
    button.SetParent(&group);
    button.SetBounds(150, 20, 88, kButtonHeight);
    button.SetCaption(L"框里的按钮");

    auto& disabled = section.Place(Create<ui::GroupBox>(), kRowWidth, 40);
    disabled.name = "GroupBoxDisabled";
    disabled.SetCaption(L"禁用的分组框");
    disabled.SetEnabled(false);
}

void GalleryForm::BuildEditSection() {
    GallerySection& section = AddSection(L"编辑框");
    constexpr int kLabelWidth = 40;
    const struct {
        const char* name;
        const wchar_t* label;
        const wchar_t* text;
        bool password;
        bool enabled;
        bool readOnly;
    } edits[] = {
        {"EditNormal", L"普通", L"可以输入文字", false, true, false},
        {"EditPassword", L"密码", L"secret", true, true, false},
        {"EditDisabled", L"禁用", L"不能输入", false, false, false},
        {"EditReadOnly", L"只读", L"只能选择和复制", false, true, true},
    };
    for (const auto& row : edits) {
        auto& label = section.Place(Create<ui::Label>(), kLabelWidth, kEditHeight);
        label.SetCaption(row.label);
        auto& edit = section.Place(Create<ui::Edit>(), kRowWidth - kLabelWidth - GallerySection::kGap, kEditHeight);
        edit.name = row.name;
        edit.SetText(row.text);
        if (row.password) {
            edit.SetPasswordChar(L'*');
        }
        edit.SetReadOnly(row.readOnly);
        edit.SetEnabled(row.enabled);
        section.NewRow();
    }
}

void GalleryForm::BuildToolBarSection() {
    GallerySection& section = AddSection(L"工具栏");
    auto& bar = section.Place(Create<ui::ToolBar>(), kRowWidth, 42);
    bar.name = "ToolBar1";
    bar.SetShowCaptions(true);
    bar.SetButtonSize(44, 38);
    bar.SetImages(&icons_);
    const struct {
        const wchar_t* caption;
        int image;
        bool enabled;
    } buttons[] = {
        {L"首页", kIconHome, true},
        {L"计划", kIconPlan, true},
        {L"历史", kIconHistory, true},
        {nullptr, -1, true},
        {L"设置", kIconSettings, true},
        {L"禁用", kIconHide, false},
    };
    for (const auto& row : buttons) {
        auto& button = Create<ui::ToolButton>();
        if (row.caption == nullptr) {
            button.SetStyle(ui::ToolButtonStyle::Separator);
            button.SetWidth(8);
        } else {
            button.SetCaption(row.caption);
            button.SetImageIndex(row.image);
            button.SetEnabled(row.enabled);
        }
        button.SetParent(&bar);
    }
}

void GalleryForm::BuildPanelSection() {
    GallerySection& section = AddSection(L"面板");
    const struct {
        const char* name;
        const wchar_t* caption;
        ui::Bevel bevel;
    } panels[] = {
        {"PanelRaised", L"凸起", ui::Bevel::Raised},
        {"PanelLowered", L"凹陷", ui::Bevel::Lowered},
        {"PanelFlat", L"无边框", ui::Bevel::None},
    };
    for (const auto& row : panels) {
        auto& panel = section.Place(Create<ui::Panel>(), 88, 40);
        panel.name = row.name;
        panel.SetCaption(row.caption);
        panel.SetBevelOuter(row.bevel);
    }
}

void GalleryForm::BuildLabelSection() {
    GallerySection& section = AddSection(L"标签");
    auto& label = section.Place(Create<ui::Label>(), kHalfWidth, 18);
    label.name = "LabelNormal";
    label.SetCaption(L"普通标签");
    auto& disabled = section.Place(Create<ui::Label>(), kHalfWidth, 18);
    disabled.name = "LabelDisabled";
    disabled.SetCaption(L"禁用的标签");
    disabled.SetEnabled(false);
    auto& text = section.Place(Create<ui::StaticText>(), kRowWidth, 18);
    text.name = "StaticText1";
    text.SetCaption(L"静态文本（有自己的窗口）");
}

bool GalleryForm::OpenSkinFile(const std::wstring& path) {
    std::wstring reason;
    if (!skins_.UseFile(path, reason)) {
        ShowSkinError(path, reason);
        return false;
    }
    SkinStateChanged();
    return true;
}

void GalleryForm::ChooseSkinFile() {
    std::array<wchar_t, 32768> file{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = kSkinFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    dialog.lpstrTitle = L"打开皮肤文件";
    dialog.lpstrDefExt = L"skn";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetOpenFileNameW(&dialog)) {
        OpenSkinFile(file.data());
    }
}

void GalleryForm::UseDefaultSkin() {
    skins_.UseDefault();
    SkinStateChanged();
}

void GalleryForm::SetSkinEnabled(bool enabled) {
    skins_.SetEnabled(enabled);
    SkinStateChanged();
}

void GalleryForm::ShowSampleMessage() {
    MessageBoxW(Handle(), L"这是一个消息框。\n皮肤也画出它的边框、标题栏和按钮。", kGalleryTitle,
                MB_OKCANCEL | MB_ICONINFORMATION);
}

void GalleryForm::ReportStartProblem() {
    if (startProblem_) {
        const std::wstring reason = *std::exchange(startProblem_, std::nullopt);
        ShowSkinError(startSkinPath_, reason);
    }
}

void GalleryForm::ShowSkinError(const std::wstring& path, const std::wstring& reason) {
    const std::wstring text = L"无法读取皮肤文件：\n" + path + L"\n\n" + reason + L"\n当前的皮肤保持不变。";
    MessageBoxW(Handle(), text.c_str(), kGalleryTitle, MB_OK | MB_ICONWARNING);
}

void GalleryForm::SkinStateChanged() {
    const bool on = skins_.Enabled();
    skinEnabledItem_->SetChecked(on);
    popupSkinEnabledItem_->SetChecked(on);
    std::wstring caption = std::wstring(kGalleryTitle) + L" - " + skins_.CurrentName();
    if (!on) {
        caption += kOffSuffix;
    }
    SetCaption(caption);
}

void GalleryForm::WndProc(ui::Message& message) {
    if (message.msg == WM_CONTEXTMENU) {
        POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        if (message.lParam == -1) {
            at = ClientToScreen(POINT{kMargin, kMargin});
        }
        contextMenu_->Popup(at.x, at.y);
        return;
    }
    Form::WndProc(message);
}

} // namespace gallery
