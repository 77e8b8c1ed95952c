// Times a 10-item popup menu from TrackPopupMenu to its face painted, skinned
// with the default skin (owner-drawn items over the popup painter's face)
// beside the same menu unskinned. Prints the median and mean and the ratio.
//
//   menu_popup_bench [repetitions]

#include "Measure.h"
#include "skin/data/SkinData.h"
#include "skin/manager/SkinManage.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Menus.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 10;

HHOOK g_hook = nullptr;
LARGE_INTEGER g_painted{};
bool g_done = false;

// Notes when a popup-menu window has finished its first paint, and closes it.
LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call != nullptr && call->message == WM_PAINT && !g_done) {
        wchar_t name[16] = {};
        GetClassNameW(call->hwnd, name, 16);
        if (std::wcscmp(name, L"#32768") == 0) {
            GdiFlush();
            QueryPerformanceCounter(&g_painted);
            g_done = true;
            EndMenu();
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

double TimeOneOpening(ui::PopupMenu& menu) {
    g_done = false;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    menu.Popup(200, 200);
    return g_done ? bench::TicksTo(bench::TimeUnit::Microseconds, g_painted.QuadPart - start.QuadPart) : -1.0;
}

double Report(const char* name, std::vector<double> times) {
    std::erase_if(times, [](double t) { return t < 0; });
    if (times.empty()) {
        std::printf("%-52s no popup was painted\n", name);
        return 0;
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
    std::printf("%-52s %6zu runs  median %10.1f us  mean %10.1f us\n", name, times.size(), median, mean);
    return median;
}

ui::PopupMenu& TenItems(ui::Form& form) {
    auto& menu = form.Create<ui::PopupMenu>();
    for (int i = 0; i < kItems; ++i) {
        auto& item = form.Create<ui::MenuItem>();
        item.SetCaption(i == 4 ? std::wstring(L"-") : L"菜单项 " + std::to_wstring(i + 1));
        menu.Items().Add(&item);
    }
    return menu;
}

std::vector<double> Openings(ui::PopupMenu& menu, int repetitions) {
    TimeOneOpening(menu);  // warm-up
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        times.push_back(TimeOneOpening(menu));
    }
    return times;
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    g_hook = SetWindowsHookExW(WH_CALLWNDPROCRET, &AfterWindowProcedure, nullptr, GetCurrentThreadId());

    // Unskinned: no skin data, so no manager and no painters.
    ui::Form plainForm(nullptr);
    plainForm.SetBounds(20, 20, 300, 200);
    plainForm.Show();
    const double plain = Report("10-item popup, unskinned", Openings(TenItems(plainForm), repetitions));

    // Skinned: the default skin's data component on a form, as the program
    // carries it; its manager gives popup windows their painter.
    skin::InstallSkinManage();
    ui::Form form(nullptr);
    auto& data = form.Create<skin::TSkinData>();
    data.showMessage = [](const std::string&) {};
    data.SetActive(true);
    if (!data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN")) {
        std::printf("the default skin did not load\n");
        return 1;
    }
    data.Loaded();
    ui::PopupMenu& skinnedMenu = TenItems(form);
    form.SetBounds(340, 20, 300, 200);
    form.Show();
    SetForegroundWindow(form.Handle());
    // Wait for the manager's delayed command to skin the form.
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!skinnedMenu.OwnerDraw() && GetTickCount64() < deadline) {
        ui::App().ProcessMessages();
        Sleep(10);
    }
    if (!skinnedMenu.OwnerDraw()) {
        std::printf("the form was not skinned\n");
        return 1;
    }
    const double skinned = Report("10-item popup, skinned", Openings(skinnedMenu, repetitions));
    if (plain > 0 && skinned > 0) {
        std::printf("%-52s %.2f\n", "skinned / unskinned", skinned / plain);
    }
    UnhookWindowsHookEx(g_hook);
    return 0;
}
