// Times the form painter on an 800 x 600 window with the default skin: one
// whole frame paint beside the system's own frame paint of the same window
// unskinned, and the window shape built for a new size beside one frame
// paint; then, at several sizes, the shape built the former way (pieces
// drawn whole and scanned) beside the shape from the pieces' key pixels.
// Prints the median and mean per call and the ratios.
//
//   form_painter_bench [repetitions]

#include "DefaultSkin.h"
#include "Measure.h"
#include "ReferenceFrameShape.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/FrameShape.h"
#include "skin/forms/WinSkinForm.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr bench::TimeUnit kUnit = bench::TimeUnit::Microseconds;
constexpr SIZE kShapeSizes[] = {{800, 600}, {1280, 1024}, {333, 211}};

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

    // The shape alone at several sizes: the whole pieces drawn and scanned
    // (the former way) beside their key pixels only, each against one frame
    // repaint at that size.
    for (const SIZE size : kShapeSizes) {
        SetWindowPos(skinned, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        Pump();
        std::printf("\nwindow shape, %ld x %ld\n", size.cx, size.cy);
        const skin::FrameOutline outline = skin::FrameShape::OutlineOf(painter, size.cx, size.cy);
        const double frame = bench::Measure("RepaintFrame", repetitions, kUnit,
                                            [&painter] { painter.RepaintFrame(nullptr); });
        const double scanned = bench::Measure("shape: pieces drawn and scanned (former)", repetitions, kUnit,
                                              [&] { reference::ScannedFrameShape(data, outline); });
        const double keyed = bench::Measure("shape: key pixels of the pieces", repetitions, kUnit,
                                            [&] { skin::BuildFrameShape(data, outline); });
        const double update = bench::Measure("UpdateRegion (shape + SetWindowRgn)", repetitions, kUnit, [&painter] {
            painter.DropRegion();
            painter.UpdateRegion();
        });
        // What the window system adds: UpdateRegion hands the shape over
        // with SetWindowRgn (redrawing), and the loop above also takes the
        // previous one away first.
        const ui::UniqueRegion shape = skin::BuildFrameShape(data, outline);
        auto handOver = [&](BOOL redraw) {
            HRGN copy = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(copy, shape.get(), nullptr, RGN_COPY);
            if (SetWindowRgn(skinned, copy, redraw) == 0) {
                DeleteObject(copy);
            }
        };
        bench::Measure("SetWindowRgn of the shape, redrawing", repetitions, kUnit, [&] { handOver(TRUE); });
        bench::Measure("SetWindowRgn of the shape, not redrawing", repetitions, kUnit, [&] { handOver(FALSE); });
        bench::Measure("DropRegion (SetWindowRgn without a region)", repetitions, kUnit,
                       [&painter] { painter.DropRegion(); });
        painter.UpdateRegion();
        Pump();
        std::printf("%-52s %8.2f\n", "ratio former shape / RepaintFrame", scanned / frame);
        std::printf("%-52s %8.2f\n", "ratio key-pixel shape / RepaintFrame", keyed / frame);
        std::printf("%-52s %8.2f\n", "ratio UpdateRegion / RepaintFrame", update / frame);
        std::printf("%-52s %8.1f\n", "speed-up of the shape", scanned / keyed);
    }

    painter.Detach();
    DestroyWindow(skinned);
    DestroyWindow(plain);
    return 0;
}
