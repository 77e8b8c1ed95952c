// Swapping a control's WindowProc through the one hook type: hooks removed
// in any order, the rest still see each message exactly once.
#include "ui/HandlerHook.h"

#include "ui/Control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 23;

// A control without a window: Perform reaches it through WindowProc only.
class ProbeControl : public ui::Control {
public:
    explicit ProbeControl(std::vector<std::string>& seen) : Control(nullptr), seen_(seen) {}

protected:
    void WndProc(ui::Message& message) override {
        if (message.msg == kProbe) {
            seen_.push_back("control");
            message.result = 5;
            return;
        }
        Control::WndProc(message);
    }

private:
    std::vector<std::string>& seen_;
};

struct Hook {
    Hook(const char* label) : name(label) {}
    std::string name;
    ui::HandlerHook hook;
    bool removeItself = false;

    void Install(ui::Control& control, std::vector<std::string>& seen) {
        ASSERT_TRUE(hook.Install(control, [this, &seen](ui::Message& message) {
            if (message.msg == kProbe) {
                seen.push_back(name);
                if (removeItself) {
                    hook.Remove();
                }
            }
            hook.CallNext(message);
        }));
    }
};

std::vector<std::string> Expected(const std::vector<int>& topFirst) {
    static const char* const kNames[] = {"A", "B", "C"};
    std::vector<std::string> names;
    for (int index : topFirst) {
        names.push_back(kNames[index]);
    }
    names.push_back("control");
    return names;
}

TEST(HandlerHook, HooksComeOffInEveryOrderAndTheRestStillSeeEachMessageOnce) {
    std::array<int, 3> order{0, 1, 2};
    do {
        SCOPED_TRACE(std::to_string(order[0]) + std::to_string(order[1]) + std::to_string(order[2]));
        std::vector<std::string> seen;
        ProbeControl control(seen);
        Hook hooks[3] = {{"A"}, {"B"}, {"C"}};
        for (Hook& hook : hooks) {
            hook.Install(control, seen);
        }
        std::vector<int> installed{2, 1, 0};
        EXPECT_EQ(control.Perform(kProbe), 5);
        EXPECT_EQ(seen, Expected(installed));
        for (const int removed : order) {
            hooks[removed].hook.Remove();
            EXPECT_FALSE(hooks[removed].hook.Installed());
            std::erase(installed, removed);
            seen.clear();
            EXPECT_EQ(control.Perform(kProbe), 5);
            EXPECT_EQ(seen, Expected(installed));
        }
        // With every hook gone the control has its own handling back, with
        // nothing of the hooks left in the chain.
        EXPECT_EQ(control.WindowProc.target<void>(), nullptr);
        EXPECT_FALSE(control.WindowProc.target_type() == typeid(void));
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(HandlerHook, AHookRemovedInsideItsOwnMessageStillPassesItOn) {
    std::vector<std::string> seen;
    ProbeControl control(seen);
    Hook lower{"A"};
    Hook upper{"B"};
    lower.Install(control, seen);
    upper.Install(control, seen);
    upper.removeItself = true;
    EXPECT_EQ(control.Perform(kProbe), 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"B", "A", "control"}));
    seen.clear();
    control.Perform(kProbe);
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "control"}));
}

TEST(HandlerHook, AHandlerSwappedByHandOverAHookKeepsWorkingAfterTheHookGoes) {
    std::vector<std::string> seen;
    ProbeControl control(seen);
    Hook hook{"A"};
    hook.Install(control, seen);
    ui::MessageHandler saved = control.WindowProc;
    control.WindowProc = [&seen, saved](ui::Message& message) {
        if (message.msg == kProbe) {
            seen.push_back("hand");
        }
        saved(message);
    };
    hook.hook.Remove();
    EXPECT_EQ(control.Perform(kProbe), 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"hand", "control"}));
}

TEST(HandlerHook, AHookOutlivingItsControlIsRemovedSafely) {
    std::vector<std::string> seen;
    auto control = std::make_unique<ProbeControl>(seen);
    Hook hook{"A"};
    hook.Install(*control, seen);
    control.reset();
    hook.hook.Remove();
    EXPECT_FALSE(hook.hook.Installed());
}

} // namespace
