#include "app/study/Clock.h"

#include <windows.h>

namespace app {
namespace {

class SystemClock final : public Clock {
public:
    int Hour() const override { return Now().wHour; }
    int Minute() const override { return Now().wMinute; }

private:
    static SYSTEMTIME Now() {
        SYSTEMTIME time{};
        GetLocalTime(&time);
        return time;
    }
};

const Clock*& Installed() {
    static const Clock* clock = nullptr;
    return clock;
}

} // namespace

const Clock& CurrentClock() {
    static const SystemClock system;
    const Clock* installed = Installed();
    return installed != nullptr ? *installed : system;
}

void SetClock(const Clock* clock) { Installed() = clock; }

} // namespace app
