#pragma once
// The process-wide skin manager. A computer-based-training hook on the user-
// interface thread tells it of every window created, destroyed and activated;
// it gives each eligible top-level window a form painter and each popup-menu
// window a popup painter, and carries out the delayed commands that skin
// data components post (skin all, unskin all, refresh, drop dead painters,
// re-skin one window) on a 100 ms one-shot timer where only the last command
// posted runs.
//
// The implementation is split by concern:
//   SkinManage.cpp          life cycle, registration, SkinWindow and its tests
//   SkinManageHook.cpp      the window-creation hook
//   SkinManageCommands.cpp  the delayed commands
//   SkinManagePopups.cpp    popup-menu painters

#include "skin/controls/ControlPainterHost.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/forms/FormPainterHost.h"
#include "ui/Component.h"
#include "ui/Gdi.h"

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

// The manager's life stage (its start count).
enum class ManagerState : int32_t { Waiting = 0, Running = 1, ShuttingDown = 4 };

class TSkinManage : public SkinManagerLink, public FormPainterHost {
public:
    // Delay of the commands handed on to sub-managers.
    static constexpr int kSubManagerDelayMs = 300;
    // Interval of the command timer before the first command sets one.
    static constexpr unsigned kCommandTimerMs = 100;

    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // SkinManagerLink
    void RegisterSkinData(TSkinData& data) override;
    void UnregisterSkinData(TSkinData& data) override;
    void InstallHook() override;
    void SetCurrentSkinData(TSkinData& data) override { pendingSkinData_ = &data; }
    void PostCommand(SkinCommand command, int delayMs) override { PostCommand(int32_t(command), delayMs); }
    int StartCount() const override { return int(state_); }
    void SetStartCount(int count) override { state_ = ManagerState(count); }
    void SwitchOn() override { active_ = true; }
    // Nothing for an invisible form or one with the child style.
    void SkinForm(ui::Form& form) override;
    void ReloadFrameData(TSkinData& data) override;

    // Stores the command for the next tick of the one-shot timer (a later
    // post replaces it); before the first activation only records 1 and 2
    // as skinning on or off.
    void PostCommand(int32_t command, int delayMs);
    int32_t PendingCommand() const { return pendingCommand_; }
    TSkinData* PendingSkinData() const { return pendingSkinData_; }

    // Gives one top-level window a form painter; answers whether it made one.
    bool SkinWindow(HWND window);
    // The form painter of the window, first in list order, or none.
    TWinSkinForm* FindFormPainter(HWND window) const;
    // Removes the first entry for the window (a painter's destructor calls it).
    void RemoveFormPainter(HWND window) override;
    // The live form painters in list order.
    std::vector<TWinSkinForm*> FormPainters() const;

    void SkinPopupMenu(HWND window);
    bool ReleasePopupMenu(HWND window);
    bool IsPopupMenuSkinned(HWND window) const;
    size_t PopupPainterCount() const { return popupPainters_.size(); }

    bool MaySkin(HWND window, const std::wstring& className);
    TSkinData* ChooseSkinData(HWND window) const;
    // Forgets freed painters and frees those of this module whose window is gone.
    void DropDeadPainters();

    // FormPainterHost
    void SetMdiCaptionMode(bool on) override;
    bool MdiCaptionMode() const override { return mdiCaptionMode_; }
    HWND MdiClient() const override { return mdiClient_; }
    void MdiParentFound(HWND client, ui::Form* parentForm) override;
    ui::Form* MdiParentForm() const;
    PopupMode CurrentPopupMode() const { return popupMode_; }
    void SetPopupMode(PopupMode mode) override { popupMode_ = mode; }
    void PainterAttached() override { state_ = ManagerState::Running; }
    bool Active() const override { return active_; }
    void SetActive(bool active) { active_ = active; }
    // Set while the manager skins the application's forms in bulk: lifts the
    // plain-child test of SkinWindow.
    bool Forcing() const { return forcing_; }
    void SetForcing(bool forcing) { forcing_ = forcing; }
    ManagerState State() const { return state_; }
    // Zero for the process's own manager.
    HMODULE ModuleInstance() const override { return module_; }
    // The module whose windows and painters are this manager's.
    HMODULE OwnModule() const;
    TSkinData* DefaultSkinData() const { return defaultSkinData_; }
    const std::vector<TSkinData*>& SkinDataList() const { return skinDataList_; }
    void SetReskinWindow(HWND window) { reskinWindow_ = window; }
    bool HookInstalled() const { return static_cast<bool>(hook_); }
    // The "ControlOfs..." atom of this module and thread.
    ATOM ControlAtom() const { return controlAtom_.get(); }

    // The control mapping the form painters' set-up runs: the rules by
    // default; tests put a recording one in its place.
    void SetControlMapper(std::unique_ptr<ControlMapper> mapper);
    ControlMapper* Mapper() const override { return mapper_.get(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    // A window's class name (also for classes registered by atom).
    static std::wstring ClassNameOf(HWND window);
    void RemoveHook();
    bool MakeFormPainter(HWND window, ui::WinControl* control, const std::wstring& className, TSkinData& data);
    void WindowCreated(HWND window, DWORD style, DWORD exStyle, HWND parent);
    void RunPendingCommand();
    void RunThisFormCommand(TSkinData& data);
    // Answers false when the command ends without the change notification.
    bool RunProcessCommand(TSkinData& data);
    void SkinAllForms();
    // Detach, invalidate and update the window, remove and free.
    void UnskinAndFree(TWinSkinForm* painter);
    void FreePainter(TWinSkinForm* painter);
    std::vector<ui::OwnedComponent<TWinSkinForm>>::iterator EntryOf(HWND window);
    std::vector<TWinSkinForm*> PaintersOf(const TSkinData& data) const;
    void FreePopupPainters();

    std::unique_ptr<ui::Timer> commandTimer_;
    // A toolkit form frees its painter with itself; the entry then reads as gone.
    std::vector<ui::OwnedComponent<TWinSkinForm>> formPainters_;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popupPainters_;
    std::vector<TSkinData*> skinDataList_;
    std::vector<ui::UniqueHook> extraHooks_;
    // Managers of other modules; this program has none, the guards stay.
    std::vector<TSkinManage*> subManagers_;
    bool active_ = false;
    bool forcing_ = false;
    ManagerState state_ = ManagerState::Waiting;
    PopupMode popupMode_ = PopupMode::Context;
    bool mdiCaptionMode_ = false;
    int32_t pendingCommand_ = 0;
    TSkinData* pendingSkinData_ = nullptr;
    TSkinData* defaultSkinData_ = nullptr;
    HMODULE module_ = nullptr;
    HWND reskinWindow_ = nullptr;
    TSkinManage* parentManager_ = nullptr;
    HWND mdiClient_ = nullptr;
    ui::Ref<ui::Form> mdiParentForm_;
    ui::UniqueHook hook_;
    ui::UniqueGlobalAtom controlAtom_;
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
