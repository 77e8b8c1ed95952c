// SkinGallery.exe: the skin gallery for skin authors.
//   SkinGallery.exe [file.skn]

#include "skin/data/SkinManagerLink.h"
#include "skin/manager/SkinManage.h"
#include "tools/skingallery/GalleryForm.h"
#include "ui/Application.h"

#include <shellapi.h>
#include <windows.h>

#include <string>

namespace {

// The skin file named on the command line, or nothing.
std::wstring StartSkinArgument() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return {};
    }
    std::wstring file = count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    return file;
}

int RunGallery() {
    ui::App().SetTitle(gallery::kGalleryTitle);
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))) {
        ui::App().SetIcon(icon);  // a resource icon: shared, never destroyed
    }
    skin::InstallSkinManage();
    try {
        auto& form = ui::App().Create<gallery::GalleryForm>(StartSkinArgument());
        ui::App().SetMainForm(&form);
        form.Show();
        form.ReportStartProblem();
        ui::App().Run();
    } catch (...) {
        ui::App().HandleException(std::current_exception());
        return 1;
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const int exitCode = RunGallery();
    // The painters reference the form and its windows: they let go first.
    skin::DestroySkinManager();
    ui::Application::DestroyInstance();
    return exitCode;
}
