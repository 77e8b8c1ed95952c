#pragma once
// Message pumping for window tests: run the application's loop until
// something has happened, or give up after a while. Every wait ends on a
// condition; the deadlines are generous and only matter when a test fails.

#include "ui/Application.h"
#include "ui/Timer.h"

#include <windows.h>

#include <functional>

namespace testsupport {

// Pumps messages until done() holds or timeoutMs passed; answers done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > deadline) {
            return done();
        }
        ui::App().ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Pumps until every message posted to this thread before the call has been
// dispatched, and whatever those posted in turn before the marker: a thread
// message posted now lines up behind them, and once it has left the queue
// they have all been handled. The wait also lets Wine put what was drawn on
// the screen. For checks that something posted did NOT happen.
inline bool PumpPostedMessages(DWORD timeoutMs = 5000) {
    constexpr UINT kMarker = WM_APP + 0x3FFF;
    if (!PostThreadMessageW(GetCurrentThreadId(), kMarker, 0, 0)) {
        return false;
    }
    return PumpUntil(
        [] {
            MSG waiting{};
            return !PeekMessageW(&waiting, reinterpret_cast<HWND>(-1), kMarker, kMarker, PM_NOREMOVE);
        },
        timeoutMs);
}

// Pumps until a timer started now with intervalMs has fired, or stopEarly()
// holds; answers whether the timer fired. Timers of this thread fire in the
// order they fall due, so every timer due before it (one of intervalMs or
// less started earlier, one already due) has had its tick by then. For
// checks that a timer did NOT do something: pick an interval longer than
// that timer's.
inline bool PumpUntilLaterTimer(unsigned intervalMs, const std::function<bool()>& stopEarly = {}) {
    ui::Timer marker(nullptr);
    bool fired = false;
    marker.OnTimer = [&fired](ui::Timer& timer) {
        fired = true;
        timer.SetEnabled(false);
    };
    marker.SetInterval(intervalMs);
    PumpUntil([&] { return fired || (stopEarly && stopEarly()); }, intervalMs + 10000);
    return fired;
}

// Keeps a window on the screen for a person or a screenshot tool to look at
// (the *_SHOT_HOLD_MS variables); never a way to wait for an effect.
inline void HoldOnScreen(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        ui::App().ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

} // namespace testsupport
