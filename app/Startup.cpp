#include "app/Startup.h"

#include "app/LoginWindow.h"
#include "app/WindowReferences.h"
#include "app/comm/OleSession.h"
#include "app/study/StudyWindow.h"
#include "res/ResourceIds.h"
#include "skin/manager/SkinManage.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/Application.h"
#include "ui/StartupTrace.h"

#include <windows.h>

namespace app {
namespace {

// The hidden owner window would carry the taskbar button; the program has none.
void HideApplicationFromTaskbar() {
    const HWND owner = ui::App().Handle();
    SetWindowLongPtrW(owner, GWL_EXSTYLE, GetWindowLongPtrW(owner, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

// A running copy is found by its login window's class name, an 8-bit text.
bool HandOverToRunningCopy() {
    const HWND running = FindWindowA("Vocara", nullptr);
    if (running == nullptr) {
        return false;
    }
    PostMessageA(running, kRestoreRequestMessage, 0, 0);
    return true;
}

int RunApplication() {
    HideApplicationFromTaskbar();
    if (HandOverToRunningCopy()) {
        return 0;
    }
    ui::MarkStartupStep("no running copy");
    ui::App().SetTitle(L"Vocara");
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VOCARA))) {
        ui::App().SetIcon(icon);  // a resource icon: shared, never destroyed
    }
    // The login window's skin data makes the skin manager as it loads.
    skin::InstallSkinManage();
    ui::MarkStartupStep("skin manager installed");
    try {
        Tfmlg& login = ui::App().Create<Tfmlg>();
        fmlg() = &login;
        ui::MarkStartupStep("showing the login window");
        if (login.ShowModal() == ui::mrOk) {
            CreateStudyWindow();
        }
    } catch (...) {
        // Nothing can go on without the login window; say why and end.
        ui::App().HandleException(std::current_exception());
        return 1;
    }
    RunMessageLoop();
    return 0;
}

} // namespace

void CreateStudyWindow() {
    // Its web browser is the first OLE object the program embeds.
    comm::EnsureOle();
    Tfmmain& study = ui::App().Create<Tfmmain>();
    ui::App().SetMainForm(&study);
    fmmain() = &study;
}

void RunMessageLoop() {
    ui::App().Run();
    if (Tfmmain* study = fmmain().get()) {
        study->StopClock();
    }
}

int RunVocara() {
    ui::MarkStartupStep("entry");
    const int exitCode = RunApplication();
    // The painters reference the forms and their windows: they let go first.
    skin::DestroySkinManager();
    ui::Application::DestroyInstance();
    // OLE was set up on this thread at its first use, if any.
    comm::EndOle();
    return exitCode;
}

} // namespace app
