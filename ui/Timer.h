#pragma once
// A message-driven timer on the user-interface thread.

#include "ui/Component.h"

#include <windows.h>

#include <functional>

namespace ui {

class Timer : public Component {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit Timer(Component* owner);
    ~Timer() override;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void(Timer& sender)> OnTimer;

private:
    void Update();
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    unsigned interval_ = 1000;
    bool enabled_ = true;
    UINT_PTR id_ = 0;
};

} // namespace ui
