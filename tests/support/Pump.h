#pragma once
// Message pumping for window tests: run the application's loop until
// something has happened, or give up after a while.

#include "ui/Application.h"

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

// Pumps until every message posted or sent to this thread so far has been
// handled (timers and input may still come).
inline bool PumpPosted(DWORD timeoutMs = 3000) {
    return PumpUntil([] { return GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE) == 0; }, timeoutMs);
}

// Pumps messages for a while, for effects that have no observable end.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

} // namespace testsupport
