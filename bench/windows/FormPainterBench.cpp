// Times the form painter on an 800 x 600 window with the default skin: one
// whole frame paint beside the system's own frame paint of the same window
// unskinned, and the window shape built for a new size beside one frame
// paint. Prints the median and mean per call and the ratios.
//
//   form_painter_bench [repetitions]

#include "DefaultSkin.h"
#include "Measure.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr bench::TimeUnit kUnit = bench::TimeUnit::Microseconds;

HWND MakeWindow(const wchar_t* title, int x) {
    static const wchar_t* className = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = L"VocaraFormBench";
        RegisterClassExW(&wc);
        return L"VocaraFormBench";
    }();
    HWND window = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, x, 0, kWidth, kHeight, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    skin::TSkinData data(nullptr);
    if (!bench::LoadDefaultSkin(data)) {
        return 1;
    }

    HWND plain = MakeWindow(L"Unskinned window", 0);
    HWND skinned = MakeWindow(L"Skinned window", 40);
    skin::TWinSkinForm painter(nullptr);
    painter.SetWindow(skinned);
    painter.AttachToWindow(data);
    SendMessageW(skinned, skin::SKM_SETUP, 0, skin::kSetupMagic);
    SetWindowPos(skinned, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    Pump();

    std::printf("form painter, %d x %d window, default skin\n", kWidth, kHeight);
    const double system = bench::Measure("system frame paint (WM_NCPAINT, unskinned)", repetitions, kUnit,
                                         [plain] { DefWindowProcW(plain, WM_NCPAINT, 1, 0); });
    const double repaint = bench::Measure("RepaintFrame (whole skinned frame)", repetitions, kUnit,
                                          [&painter] { painter.RepaintFrame(nullptr); });
    const double region = bench::Measure("UpdateRegion for a new size", repetitions, kUnit, [&painter] {
        painter.DropRegion();  // forgets the size the region was built for
        painter.UpdateRegion();
    });
    Pump();
    std::printf("%-52s %8.2f\n", "ratio RepaintFrame / system frame paint", repaint / system);
    std::printf("%-52s %8.2f\n", "ratio UpdateRegion / RepaintFrame", region / repaint);

    painter.Detach();
    DestroyWindow(skinned);
    DestroyWindow(plain);
    return 0;
}
