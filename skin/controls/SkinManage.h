#pragma once
// The process-wide skin manager. A computer-based-training hook on the user-
// interface thread tells it of every window created, destroyed and activated;
// it gives each eligible top-level window a form painter and each popup-menu
// window a popup painter, and carries out the delayed commands that skin
// data components post (skin all, unskin all, refresh, drop dead painters,
// re-skin one window) on a 100 ms one-shot timer where only the last command
// posted runs.

#include "skin/data/SkinManagerLink.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {
class Form;
class Timer;
class WinControl;
} // namespace ui

namespace skin {

class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

// Manager commands beyond the three a skin data component posts.
enum : int32_t { kCommandSkin = 1, kCommandUnskin = 2, kCommandRefresh = 3, kCommandDropDead = 6, kCommandReskinWindow = 7 };

// How a form painter's set-up gives the controls their painters. The mapping
// of controls to painters is a layer of its own; until one is installed, no
// control gets a painter.
class ControlMapper {
public:
    virtual ~ControlMapper() = default;
    // The controls of a toolkit form.
    virtual void MapForm(TWinSkinForm& painter, ui::Form& form) = 0;
    // The child windows of a bare window.
    virtual void MapWindow(TWinSkinForm& painter, HWND window) = 0;
    // One child window created later (a size grip), by the raw-window rules.
    virtual void MapChildWindow(TWinSkinForm& painter, HWND child) = 0;
};

class TSkinManage : public SkinManagerLink {
public:
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // SkinManagerLink
    void RegisterSkinData(TSkinData& data) override;
    void UnregisterSkinData(TSkinData& data) override;
    void InstallHook() override;
    void SetCurrentSkinData(TSkinData& data) override;
    void PostCommand(SkinCommand command, int delayMs) override;
    int StartCount() const override { return state_; }
    void SetStartCount(int count) override { state_ = count; }
    void SwitchOn() override { active_ = true; }
    void SkinForm(ui::Form& form) override;
    void ReloadFrameData(TSkinData& data) override;

    void PostCommand(int32_t command, int delayMs);
    // Gives one top-level window a form painter; answers whether it made one.
    bool SkinWindow(HWND window);
    TWinSkinForm* FindFormPainter(HWND window) const;
    void RemoveFormPainter(HWND window);
    const std::vector<TWinSkinForm*>& FormPainters() const { return formPainters_; }

    void SkinPopupMenu(HWND window);
    bool ReleasePopupMenu(HWND window);
    bool IsPopupMenuSkinned(HWND window) const;

    bool MaySkin(HWND window, const std::wstring& className);
    TSkinData* ChooseSkinData(HWND window) const;
    void DropDeadPainters();

    void SetMdiCaptionMode(bool on);
    bool MdiCaptionMode() const { return mdiCaptionMode_; }
    HWND MdiClient() const { return mdiClient_; }
    void SetMdiClient(HWND client) { mdiClient_ = client; }
    ui::Form* MdiParentForm() const { return mdiParentForm_; }
    void SetMdiParentForm(ui::Form* form) { mdiParentForm_ = form; }
    // 0 context menu, 1 menu-bar drop-down, 2 system menu.
    uint8_t PopupMode() const { return popupMode_; }
    void SetPopupMode(uint8_t mode) { popupMode_ = mode; }

    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    int32_t State() const { return state_; }
    HMODULE ModuleInstance() const { return module_; }
    TSkinData* DefaultSkinData() const { return defaultSkinData_; }
    void SetReskinWindow(HWND window) { reskinWindow_ = window; }

    void SetControlMapper(std::unique_ptr<ControlMapper> mapper);
    ControlMapper* Mapper() const { return mapper_.get(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void RunPendingCommand();

    ui::Timer* commandTimer_ = nullptr;
    std::vector<TWinSkinForm*> formPainters_;
    std::vector<TWinSkinPopMenu*> popupPainters_;
    std::vector<TSkinData*> skinDataList_;
    bool active_ = false;
    bool forcing_ = false;
    int32_t state_ = 0;
    uint8_t popupMode_ = 0;
    bool mdiCaptionMode_ = false;
    int32_t pendingCommand_ = 0;
    TSkinData* pendingSkinData_ = nullptr;
    TSkinData* defaultSkinData_ = nullptr;
    HMODULE module_ = nullptr;
    HWND reskinWindow_ = nullptr;
    HWND mdiClient_ = nullptr;
    ui::Form* mdiParentForm_ = nullptr;
    HHOOK hook_ = nullptr;
    std::unique_ptr<ControlMapper> mapper_;
};

// The manager of the process when it is this kind, or none.
TSkinManage* SkinManage() noexcept;
// Makes skin data components create a TSkinManage as the process manager.
void InstallSkinManage();

// The toolkit control behind a window handle (the "ControlOfs..." property of
// this module and thread), or none for foreign windows.
ui::WinControl* FindControl(HWND window);

} // namespace skin
