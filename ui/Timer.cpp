#include "ui/Timer.h"

#include "ui/Application.h"

#include <unordered_map>

namespace ui {
namespace {

std::unordered_map<UINT_PTR, Timer*>& RunningTimers() {
    static std::unordered_map<UINT_PTR, Timer*> timers;
    return timers;
}

UINT_PTR NextTimerId() {
    static UINT_PTR id = 0;
    return ++id;
}

} // namespace

const ClassInfo Timer::kClass{"TTimer", &Component::kClass};

// One message-only window receives every timer's ticks.
static HWND TimerWindow(WNDPROC procedure) {
    static HWND window = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TTimerWindow";
        RegisterClassExW(&windowClass);
        return CreateWindowExW(0, L"TTimerWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    return window;
}

Timer::Timer(Component* owner) : Component(owner) { Update(); }

Timer::~Timer() {
    enabled_ = false;
    Update();
}

void Timer::SetInterval(unsigned milliseconds) {
    if (milliseconds != interval_) {
        interval_ = milliseconds;
        Update();
    }
}

void Timer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Update();
    }
}

void Timer::Update() {
    HWND window = TimerWindow(WindowProc);
    if (id_ != 0) {
        KillTimer(window, id_);
        RunningTimers().erase(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        id_ = NextTimerId();
        if (SetTimer(window, id_, interval_, nullptr) == 0) {
            id_ = 0;
            throw Error(L"Not enough timers available");
        }
        RunningTimers().emplace(id_, this);
    }
}

LRESULT CALLBACK Timer::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    const auto found = RunningTimers().find(wParam);
    if (found != RunningTimers().end() && found->second->OnTimer) {
        Timer& timer = *found->second;
        try {
            timer.OnTimer(timer);
        } catch (...) {
            App().HandleException(std::current_exception());
        }
    }
    return 0;
}

} // namespace ui
