// Scaffold: replaced by the skin manager.
#include "skin/controls/SkinManage.h"

#include "skin/forms/WinSkinForm.h"
#include "ui/WinControl.h"

namespace skin {

TSkinManage::TSkinManage() = default;
TSkinManage::~TSkinManage() = default;
void TSkinManage::RegisterSkinData(TSkinData&) {}
void TSkinManage::UnregisterSkinData(TSkinData&) {}
void TSkinManage::InstallHook() {}
void TSkinManage::SetCurrentSkinData(TSkinData&) {}
void TSkinManage::PostCommand(SkinCommand, int) {}
void TSkinManage::SkinForm(ui::Form&) {}
void TSkinManage::ReloadFrameData(TSkinData&) {}
void TSkinManage::PostCommand(int32_t, int) {}
bool TSkinManage::SkinWindow(HWND) { return false; }
TWinSkinForm* TSkinManage::FindFormPainter(HWND) const { return nullptr; }
void TSkinManage::RemoveFormPainter(HWND) {}
void TSkinManage::SkinPopupMenu(HWND) {}
bool TSkinManage::ReleasePopupMenu(HWND) { return false; }
bool TSkinManage::IsPopupMenuSkinned(HWND) const { return false; }
bool TSkinManage::MaySkin(HWND, const std::wstring&) { return true; }
TSkinData* TSkinManage::ChooseSkinData(HWND) const { return nullptr; }
void TSkinManage::DropDeadPainters() {}
void TSkinManage::SetMdiCaptionMode(bool on) { mdiCaptionMode_ = on; }
void TSkinManage::SetControlMapper(std::unique_ptr<ControlMapper> mapper) { mapper_ = std::move(mapper); }
LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM w, LPARAM l) { return CallNextHookEx(nullptr, code, w, l); }
void TSkinManage::RunPendingCommand() {}

TSkinManage* SkinManage() noexcept { return dynamic_cast<TSkinManage*>(SkinManager()); }
void InstallSkinManage() {}
ui::WinControl* FindControl(HWND window) { return ui::WinControl::FromHandle(window); }

} // namespace skin
