#pragma once
// The local time of day as the study window's clock reads it. The program
// uses the system's clock; tests install one they can step.

namespace app {

class Clock {
public:
    virtual ~Clock() = default;
    // 0 to 23 and 0 to 59, local time.
    virtual int Hour() const = 0;
    virtual int Minute() const = 0;
};

// The clock in use: the installed one, else the system's.
const Clock& CurrentClock();
// Installs a clock (borrowed: it must outlive its use); nullptr brings back
// the system's.
void SetClock(const Clock* clock);

} // namespace app
