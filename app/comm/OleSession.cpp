#include "app/comm/OleSession.h"

#include <windows.h>
#include <ole2.h>

namespace app::comm {
namespace {

class ThreadOle {
public:
    ThreadOle() = default;
    ThreadOle(const ThreadOle&) = delete;
    ThreadOle& operator=(const ThreadOle&) = delete;
    ~ThreadOle() { End(); }

    void Ensure() {
        if (!tried_) {
            tried_ = true;
            initialised_ = SUCCEEDED(OleInitialize(nullptr));
        }
    }
    void End() {
        if (initialised_) {
            OleUninitialize();
        }
        initialised_ = false;
        tried_ = false;
    }

private:
    bool tried_ = false;
    bool initialised_ = false;
};

ThreadOle& ThisThread() {
    thread_local ThreadOle ole;
    return ole;
}

} // namespace

void EnsureOle() { ThisThread().Ensure(); }

void EndOle() { ThisThread().End(); }

} // namespace app::comm
