#include "skin/manager/SkinManage.h"

#include "skin/controls/ControlMapping.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinPopMenu.h"
#include "ui/Form.h"
#include "ui/Screen.h"
#include "ui/StartupTrace.h"
#include "ui/Timer.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <exception>

namespace skin {
namespace {

constexpr intptr_t kNeverSkinnedTag = 99;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') {
            c = wchar_t(c - L'A' + L'a');
        }
    }
    return text;
}

// Windows of these classes are never given a form painter.
bool IsExcludedClass(const std::wstring& className) {
    static const wchar_t* const kContained[] = {L"TcxPopupEditPopupWindow", L"TTERenderWindow"};
    for (const wchar_t* part : kContained) {
        if (className.find(part) != std::wstring::npos) {
            return true;
        }
    }
    return className == L"TApplication";
}

bool HasArea(const RECT& r) { return r.right - r.left != 0 && r.bottom - r.top != 0; }

} // namespace

std::wstring TSkinManage::ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, size_t(std::max(length, 0)));
}

TSkinManage::TSkinManage()
    : commandTimer_(std::make_unique<ui::Timer>(nullptr)), mapper_(std::make_unique<ControlMapping>()) {
    commandTimer_->SetEnabled(false);
    commandTimer_->SetInterval(kCommandTimerMs);
    commandTimer_->OnTimer = [this](ui::Timer&) { RunPendingCommand(); };
    // The toolkit names its control property after the module and the thread;
    // other modules find our controls by the same name. No window message of
    // that name is registered: nothing sends one, and a registered name can
    // never be taken out of the session's table again (one more per run, as
    // the thread id is part of it).
    controlAtom_ = ui::UniqueGlobalAtom(ui::WinControl::ControlPropertyName().c_str());
}

TSkinManage::~TSkinManage() {
    state_ = ManagerState::ShuttingDown;
    active_ = false;
    commandTimer_.reset();
    extraHooks_.clear();
    const HMODULE own = OwnModule();
    // Painters reference their forms: they go first, each letting go of its
    // window without reshaping it. Another module's painters are its own.
    for (ui::OwnedComponent<TWinSkinForm>& entry : std::exchange(formPainters_, {})) {
        if (entry && entry->Module() == own) {
            entry->Release();
        } else {
            (void)entry.release();
        }
    }
    FreePopupPainters();
    skinDataList_.clear();
    defaultSkinData_ = nullptr;
    pendingSkinData_ = nullptr;
    for (TSkinManage* sub : std::exchange(subManagers_, {})) {
        for (ui::OwnedComponent<TWinSkinForm>& entry : std::exchange(sub->formPainters_, {})) {
            (void)entry.release();  // the sub-manager's module frees its own
        }
        sub->skinDataList_.clear();
        sub->state_ = ManagerState::ShuttingDown;
    }
    if (parentManager_ != nullptr) {
        std::erase(parentManager_->subManagers_, this);
    }
    RemoveHook();
}

HMODULE TSkinManage::OwnModule() const { return module_ != nullptr ? module_ : GetModuleHandleW(nullptr); }

ui::Form* TSkinManage::MdiParentForm() const { return mdiParentForm_.get(); }

void TSkinManage::MdiParentFound(HWND client, ui::Form* parentForm) {
    mdiClient_ = client;
    mdiParentForm_ = parentForm;
}

void TSkinManage::RegisterSkinData(TSkinData& data) {
    if (std::ranges::find(skinDataList_, &data) != skinDataList_.end()) {
        return;
    }
    skinDataList_.push_back(&data);
    if (defaultSkinData_ == nullptr && data.SkinFormtype == TSkinFormType::sfMainform) {
        defaultSkinData_ = &data;
    }
}

void TSkinManage::UnregisterSkinData(TSkinData& data) {
    std::erase(skinDataList_, &data);
    if (pendingSkinData_ == &data) {
        pendingSkinData_ = nullptr;
    }
    if (defaultSkinData_ == &data) {
        defaultSkinData_ = nullptr;
        for (TSkinData* other : skinDataList_) {
            if (other->SkinFormtype == TSkinFormType::sfMainform) {
                defaultSkinData_ = other;
                break;
            }
        }
    }
    // Painters read their pictures from the component: none may outlive it.
    for (TWinSkinForm* painter : PaintersOf(data)) {
        if (painter->State() != PainterState::Destroying && painter->State() != PainterState::Gone && IsWindow(painter->Handle())) {
            UnskinAndFree(painter);
        } else {
            FreePainter(painter);
        }
    }
    for (auto it = popupPainters_.begin(); it != popupPainters_.end();) {
        it = (*it)->SkinData() == &data ? popupPainters_.erase(it) : std::next(it);
    }
}

void TSkinManage::SkinForm(ui::Form& form) {
    if (!form.Visible()) {
        return;
    }
    const HWND window = form.Handle();
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) {
        return;
    }
    SkinWindow(window);
}

bool TSkinManage::SkinWindow(HWND window) {
    // 1. Skinning is on.
    if (!active_ || window == nullptr || !IsWindow(window)) {
        return false;
    }
    // 2. Nobody skins it yet, neither another module nor this one.
    if (SendMessageA(window, SKM_QUERY, 0, 0) == 1 || FindFormPainter(window) != nullptr) {
        return false;
    }
    // 3. The toolkit form or control behind the window.
    ui::WinControl* control = nullptr;
    for (ui::Form* form : ui::Screen::Forms()) {
        if (form->HandleIfAllocated() == window) {
            control = form;
            break;
        }
    }
    if (control == nullptr) {
        control = FindControl(window);
    }
    const std::wstring className = ClassNameOf(window);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const bool mdiChild = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    // 4. Not a plain child, unless the forms are skinned in bulk.
    if (!forcing_ && (style & WS_CHILD) != 0 && !mdiChild &&
        Lower(ClassNameOf(GetParent(window))) != L"mdiclient") {
        return false;
    }
    // 5. A window of ours or a dialog.
    const auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    if (control == nullptr && instance != OwnModule() && className != L"#32770") {
        return false;
    }
    // 6. It has a size (an MDI child is skinned while it is being created).
    RECT bounds{};
    GetWindowRect(window, &bounds);
    if (!HasArea(bounds) && !mdiChild) {
        return false;
    }
    // 7.-9.
    if (control != nullptr && control->tag == kNeverSkinnedTag) {
        return false;
    }
    if (IsExcludedClass(className) || !MaySkin(window, className)) {
        return false;
    }
    // 10. A component with a skin.
    TSkinData* data = ChooseSkinData(window);
    if (data == nullptr || data->NotLoaded()) {
        return false;
    }
    // Windows of bare-window painters end without a command to drop their
    // painters; without this they would pile up until the next one.
    DropDeadPainters();
    return MakeFormPainter(window, control, className, *data);
}

bool TSkinManage::MakeFormPainter(HWND window, ui::WinControl* control, const std::wstring& className,
                                  TSkinData& data) {
    auto* form = dynamic_cast<ui::Form*>(control);
    try {
        // Owned by the toolkit form, so it goes with it; a bare window's is
        // freed once its window has gone.
        ui::OwnedComponent<TWinSkinForm> painter(new TWinSkinForm(form));
        painter->SetWindow(window, OwnModule(), className);
        if (form != nullptr) {
            painter->AttachToForm(data, *form);
        } else {
            painter->AttachToWindow(data);
        }
        formPainters_.push_back(std::move(painter));
    } catch (const std::exception&) {
        // Skin trouble leaves the window unskinned.
        return false;
    }
    ui::MarkStartupStep("form painter attached");
    PostMessageA(window, SKM_SETUP, 0, kSetupMagic);
    return true;
}

std::vector<ui::OwnedComponent<TWinSkinForm>>::iterator TSkinManage::EntryOf(HWND window) {
    return std::ranges::find_if(formPainters_, [window](const ui::OwnedComponent<TWinSkinForm>& entry) {
        return entry && entry->Handle() == window;
    });
}

TWinSkinForm* TSkinManage::FindFormPainter(HWND window) const {
    for (const ui::OwnedComponent<TWinSkinForm>& entry : formPainters_) {
        if (entry && entry->Handle() == window) {
            return entry.get();
        }
    }
    return nullptr;
}

void TSkinManage::RemoveFormPainter(HWND window) {
    if (state_ == ManagerState::ShuttingDown) {
        return;
    }
    if (const auto found = EntryOf(window); found != formPainters_.end()) {
        // Called by the painter's destructor: the entry lets go without freeing.
        (void)found->release();
        formPainters_.erase(found);
    }
}

std::vector<TWinSkinForm*> TSkinManage::FormPainters() const {
    std::vector<TWinSkinForm*> live;
    for (const ui::OwnedComponent<TWinSkinForm>& entry : formPainters_) {
        if (TWinSkinForm* painter = entry.get()) {
            live.push_back(painter);
        }
    }
    return live;
}

std::vector<TWinSkinForm*> TSkinManage::PaintersOf(const TSkinData& data) const {
    std::vector<TWinSkinForm*> found;
    for (TWinSkinForm* painter : FormPainters()) {
        if (painter->SkinData() == &data) {
            found.push_back(painter);
        }
    }
    return found;
}

void TSkinManage::FreePainter(TWinSkinForm* painter) {
    const auto found = std::ranges::find_if(
        formPainters_, [painter](const ui::OwnedComponent<TWinSkinForm>& entry) { return entry.get() == painter; });
    if (found == formPainters_.end()) {
        delete painter;  // a painter the list no longer holds
        return;
    }
    // Out of the list before it goes: its destructor looks for its entry.
    ui::OwnedComponent<TWinSkinForm> freed = std::move(*found);
    formPainters_.erase(found);
}

void TSkinManage::UnskinAndFree(TWinSkinForm* painter) {
    const HWND window = painter->Handle();
    painter->Detach();
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    FreePainter(painter);
}

void TSkinManage::DropDeadPainters() {
    std::erase_if(formPainters_, [](const ui::OwnedComponent<TWinSkinForm>& entry) { return !entry; });
    const HMODULE own = OwnModule();
    for (TWinSkinForm* painter : FormPainters()) {
        if (painter->Module() == own && painter->State() == PainterState::Gone) {
            FreePainter(painter);
        }
    }
}

bool TSkinManage::MaySkin(HWND window, const std::wstring& className) {
    bool doSkin = true;
    TSkinData* data = defaultSkinData_;
    if (data == nullptr) {
        return doSkin;
    }
    const std::wstring lower = Lower(className);
    if (!data->Options.Contains(xoPreview) && lower.find(L"preview") != std::wstring::npos) {
        doSkin = false;
    }
    if (className == L"#32770" && (GetWindowLongW(window, GWL_STYLE) & 0x200) != 0) {
        doSkin = false;
    }
    if (lower == L"tpopupdbtreeview") {
        doSkin = false;
    }
    data->CanSkinWindow(window, className, doSkin);
    return doSkin;
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) const {
    // Each search keeps the last match in registration order.
    const auto lastOf = [this](const auto& matches) {
        TSkinData* found = nullptr;
        for (TSkinData* data : skinDataList_) {
            if (matches(*data)) {
                found = data;
            }
        }
        return found;
    };
    if (TSkinData* own = lastOf([window](const TSkinData& data) {
            const auto* form = dynamic_cast<const ui::Form*>(data.Owner());
            return data.SkinFormtype == TSkinFormType::sfOnlyThisForm && form != nullptr &&
                   form->HandleIfAllocated() == window;
        })) {
        return own;
    }
    const std::wstring lower = Lower(ClassNameOf(window));
    if (lower == L"tmessageform" || lower == L"#32770") {
        if (TSkinData* dialog =
                lastOf([](const TSkinData& data) { return data.SkinFormtype == TSkinFormType::sfDialog; })) {
            return dialog;
        }
    }
    if (TSkinData* main =
            lastOf([](const TSkinData& data) { return data.SkinFormtype == TSkinFormType::sfMainform; })) {
        return main;
    }
    return skinDataList_.empty() ? nullptr : skinDataList_.front();
}

void TSkinManage::SetMdiCaptionMode(bool on) {
    if (on == mdiCaptionMode_) {
        return;
    }
    mdiCaptionMode_ = on;
    if (defaultSkinData_ != nullptr && defaultSkinData_->Options.Contains(xoMDIChildBorder)) {
        return;
    }
    // A maximised child shows no frame of its own: its shape goes while the
    // mode is on and comes back with the frame.
    for (TWinSkinForm* painter : FormPainters()) {
        if (painter->MdiKind() != MdiKind::Child || painter->State() == PainterState::Gone) {
            continue;
        }
        if (on) {
            painter->DropRegion();
        } else {
            painter->UpdateRegion();
        }
        SetWindowPos(painter->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
}

void TSkinManage::SetControlMapper(std::unique_ptr<ControlMapper> mapper) { mapper_ = std::move(mapper); }

TSkinManage* SkinManage() noexcept { return dynamic_cast<TSkinManage*>(SkinManager()); }

FormPainterHost* PainterHost() noexcept { return dynamic_cast<FormPainterHost*>(SkinManager()); }

void InstallSkinManage() {
    SetSkinManagerFactory([] { return std::make_unique<TSkinManage>(); });
}

ui::WinControl* FindControl(HWND window) { return ui::WinControl::FromHandle(window); }

} // namespace skin
