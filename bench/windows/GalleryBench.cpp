// Times the skin gallery's window: a full repaint (frame, menu bar and every
// control, RedrawWindow with RDW_UPDATENOW over all children) skinned beside
// the same window with skinning off, and live skin changes between a skin
// file and the built-in skin, split into the menu command's own work (read,
// check, load, ApplySkin), the manager's refresh command and the repaint it
// leaves. The command runs 250 ms after it is posted (the skin component's
// fixed delay); that wait is not counted.
//
//   gallery_bench [repaints] [changes]

#include "Measure.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/manager/SkinManage.h"
#include "tools/skingallery/GalleryForm.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/ResourceBytes.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr bench::TimeUnit kUnit = bench::TimeUnit::Milliseconds;

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        ui::App().ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void RepaintAll(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Each windowed control of the gallery repainted alone, the slowest first:
// where a slow full repaint comes from.
void PrintSlowestControls(gallery::GalleryForm& form, const char* label, int count) {
    struct Timed {
        double ms;
        std::string name;
    };
    std::vector<Timed> timed;
    const std::function<void(ui::WinControl&)> walk = [&](ui::WinControl& parent) {
        for (ui::Control* child : parent.Controls()) {
            auto* windowed = dynamic_cast<ui::WinControl*>(child);
            if (windowed == nullptr || !windowed->HandleAllocated()) {
                continue;
            }
            const HWND window = windowed->Handle();
            const LONGLONG start = Now();
            for (int i = 0; i < 3; ++i) {
                RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            }
            GdiFlush();
            const std::string name = windowed->name.empty() ? std::string(windowed->Class().name) : windowed->name;
            timed.push_back({bench::TicksTo(kUnit, Now() - start) / 3, name});
            walk(*windowed);
        }
    };
    walk(form);
    std::sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) { return a.ms > b.ms; });
    for (int i = 0; i < count && i < int(timed.size()); ++i) {
        std::printf("  %s: %-28s %8.3f ms\n", label, timed[size_t(i)].name.c_str(), timed[size_t(i)].ms);
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The built-in skin written out as a skin file, to change to and from.
std::wstring WriteDefaultSkinFile() {
    const auto bytes = ui::ResourceBytes(GetModuleHandleW(nullptr), L"DEFAULTSKIN", RT_RCDATA);
    if (!bytes) {
        return {};
    }
    std::error_code error;
    const auto file = std::filesystem::temp_directory_path(error) /
                      (L"gallery-bench-" + std::to_wstring(GetCurrentProcessId()) + L".skn");
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()),
                                                std::streamsize(bytes->size()));
    return file.wstring();
}

struct ChangeTimes {
    double command = 0;  // the menu command's own work
    double refresh = 0;  // the manager's refresh command
    double repaint = 0;  // the paints left waiting after it
};

// One live change: the command, then (after the fixed delay) the manager's
// refresh, timed from the tick of its timer to the change notification,
// then the pending paints. Answers false when the change did not come.
bool TimeChange(gallery::GalleryForm& form, const std::function<void()>& command, ChangeTimes& times) {
    LONGLONG lastTimer = 0;
    LONGLONG changed = 0;
    // The last timer tick before the change notification: the manager's.
    ui::App().OnMessage = [&lastTimer, &changed](MSG& message, bool&) {
        if (message.message == WM_TIMER && changed == 0) {
            lastTimer = Now();
        }
    };
    LONGLONG paintEnd = 0;
    // The paints the refresh left waiting, done at once: pumping on would
    // mix them with whatever else the queue holds.
    form.SkinData1.OnSkinChanged = [&changed, &paintEnd, &form](skin::TSkinData&) {
        changed = Now();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        paintEnd = Now();
    };
    const LONGLONG start = Now();
    command();
    const LONGLONG commandDone = Now();
    const bool came = PumpUntil([&changed] { return changed != 0; }, 20000);
    const LONGLONG paintStart = changed;
    ui::App().OnMessage = nullptr;
    form.SkinData1.OnSkinChanged = nullptr;
    times.command = bench::TicksTo(kUnit, commandDone - start);
    times.refresh = bench::TicksTo(kUnit, changed - std::max(lastTimer, commandDone));
    times.repaint = bench::TicksTo(kUnit, paintEnd - paintStart);
    return came;
}

} // namespace

int main(int argc, char** argv) {
    const int repaints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    const int changes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 16;

    skin::InstallSkinManage();
    auto& form = ui::App().Create<gallery::GalleryForm>();
    form.Show();
    SetForegroundWindow(form.Handle());
    auto* button = dynamic_cast<ui::Button*>(form.FindComponent("ButtonNormal"));
    const auto skinned = [button] { return SendMessageW(button->Handle(), skin::SKM_QUERY, 0, 0) == 1; };
    if (button == nullptr || !PumpUntil(skinned, 20000)) {
        std::printf("the gallery was not skinned\n");
        return 1;
    }
    PumpUntil([] { return false; }, 300);

    const double withSkin = bench::Measure("gallery full repaint, skinned", repaints, kUnit,
                                           [&form] { RepaintAll(form.Handle()); });
    PrintSlowestControls(form, "skinned, slowest alone", 6);
    form.SetSkinEnabled(false);
    if (!PumpUntil([&skinned] { return !skinned(); }, 20000)) {
        std::printf("the skin did not go off\n");
        return 1;
    }
    PumpUntil([] { return false; }, 300);
    const double withoutSkin = bench::Measure("gallery full repaint, unskinned", repaints, kUnit,
                                              [&form] { RepaintAll(form.Handle()); });
    std::printf("%-52s %.2f\n", "gallery repaint ratio skinned / unskinned", withSkin / withoutSkin);

    form.SetSkinEnabled(true);
    if (!PumpUntil(skinned, 20000)) {
        std::printf("the skin did not come back\n");
        return 1;
    }
    const std::wstring file = WriteDefaultSkinFile();
    if (file.empty()) {
        std::printf("no built-in skin to write out\n");
        return 1;
    }
    std::vector<double> command, refresh, repaint, total;
    for (int i = 0; i < changes; ++i) {
        ChangeTimes times;
        const bool came = TimeChange(
            form, [&] { i % 2 == 0 ? (void)form.OpenSkinFile(file) : form.UseDefaultSkin(); }, times);
        if (!came) {
            std::printf("skin change %d did not come\n", i);
            return 1;
        }
        command.push_back(times.command);
        refresh.push_back(times.refresh);
        repaint.push_back(times.repaint);
        total.push_back(times.command + times.refresh + times.repaint);
    }
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::printf("%-52s %6d runs  median %8.3f ms\n", "live skin change: command (read, check, load)", changes,
                Median(command));
    std::printf("%-52s %6d runs  median %8.3f ms\n", "live skin change: manager refresh", changes, Median(refresh));
    std::printf("%-52s %6d runs  median %8.3f ms\n", "live skin change: repaint left after it", changes,
                Median(repaint));
    std::printf("%-52s %6d runs  median %8.3f ms (+ the 250 ms command delay)\n", "live skin change: total", changes,
                Median(total));

    delete &form;
    skin::DestroySkinManager();
    ui::Application::DestroyInstance();
    return 0;
}
