#pragma once
// Windows and a skin for the manager and control painter tests: a bare window
// of a class of this module that records what reaches its own procedure, a
// second subclassing layer, the process manager with the program's default
// skin, and a count of the thread's windows and the live GDI objects.

#include "skin/manager/SkinManage.h"
#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinManagerLink.h"
#include "ui/Application.h"
#include "tests/support/GdiObjects.h"
#include "tests/support/Pump.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace managertest {

using Log = std::vector<std::string>;

// A message the test windows answer with 42.
constexpr UINT kProbeMessage = WM_APP + 77;

// A top-level (or child) window of this module's test class.
class BareWindow {
public:
    struct Options {
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        RECT bounds{300, 200, 500, 360};
        const wchar_t* className = kClassName;
        // What the window answers to SKM_QUERY (another module's painter).
        LRESULT queryAnswer = 0;
    };
    static constexpr const wchar_t* kClassName = L"VocaraManagerTestWindow";

    BareWindow(Log& log, const wchar_t* text) : BareWindow(log, text, Options{}) {}
    BareWindow(Log& log, const wchar_t* text, const Options& options) : log_(log), queryAnswer_(options.queryAnswer) {
        Register(options.className);
        const RECT& b = options.bounds;
        creating_ = this;
        handle = CreateWindowExW(options.exStyle, options.className, text, options.style, b.left, b.top,
                                 b.right - b.left, b.bottom - b.top, options.parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        creating_ = nullptr;
    }
    ~BareWindow() { Destroy(); }
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;

    void Destroy() {
        if (handle != nullptr && IsWindow(handle)) {
            DestroyWindow(handle);
        }
        handle = nullptr;
    }
    WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC)); }

    HWND handle = nullptr;

private:
    static void Register(const wchar_t* className) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) {
            return;
        }
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    static std::map<HWND, BareWindow*>& Windows() {
        static std::map<HWND, BareWindow*> windows;
        return windows;
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE && creating_ != nullptr) {
            Windows()[window] = creating_;
        }
        const auto found = Windows().find(window);
        BareWindow* self = found != Windows().end() ? found->second : nullptr;
        if (self != nullptr) {
            if (msg == kProbeMessage) {
                self->log_.push_back("window");
                return 42;
            }
            if (msg == skin::SKM_QUERY && self->queryAnswer_ != 0) {
                return self->queryAnswer_;
            }
            if (msg == WM_NCDESTROY) {
                self->log_.push_back("window destroyed");
                Windows().erase(window);
            }
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    }

    static inline BareWindow* creating_ = nullptr;
    Log& log_;
    LRESULT queryAnswer_;
};

// A subclassing layer of the old kind, put over whatever the window has.
class OuterProcedure {
public:
    OuterProcedure(HWND window, Log& log) : window_(window) {
        Layers()[window] = {reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), &log};
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
    }
    ~OuterProcedure() { Remove(); }
    void Remove() {
        const auto found = Layers().find(window_);
        if (found != Layers().end()) {
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.saved));
            Layers().erase(found);
        }
    }

private:
    struct Layer {
        WNDPROC saved;
        Log* log;
    };
    static std::map<HWND, Layer>& Layers() {
        static std::map<HWND, Layer> layers;
        return layers;
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        const Layer layer = Layers().at(window);
        if (msg == kProbeMessage) {
            layer.log->push_back("outer");
        }
        return CallWindowProcW(layer.saved, window, msg, wParam, lParam);
    }
    HWND window_;
};

// The program's default skin, loaded into an unowned component.
inline std::unique_ptr<skin::TSkinData> DefaultSkinData(skin::TSkinFormType type = skin::TSkinFormType::sfMainform,
                                                        ui::Component* owner = nullptr) {
    auto data = std::make_unique<skin::TSkinData>(owner);
    data->SkinFormtype = type;
    data->ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN");
    return data;
}

// The process manager made the way the program makes it: by the first skin
// data component that loads.
struct ManagerScope {
    ManagerScope() {
        skin::DestroySkinManager();
        skin::InstallSkinManage();
    }
    ~ManagerScope() {
        skin::DestroySkinManager();
        skin::SetSkinManagerFactory({});
    }
    ManagerScope(const ManagerScope&) = delete;
    ManagerScope& operator=(const ManagerScope&) = delete;
};

// Whether msg with these parameters waits in the queue for window.
inline bool HasPosted(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG posted{};
    if (!PeekMessageW(&posted, window, msg, msg, PM_NOREMOVE)) {
        return false;
    }
    return posted.wParam == wParam && posted.lParam == lParam;
}

inline int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND, LPARAM counter) {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

using testsupport::LiveGdiObjects;

// Runs the posted command and answers how often the component was told.
// The wait ends when the component is told; a command that ends without
// telling it has run once a timer started now, longer than any command
// delay (the sub-managers' is the longest), has fired after the command
// timer. What the command posted runs before the answer.
inline int RunCommands(skin::TSkinData& data) {
    int changes = 0;
    data.OnSkinChanged = [&changes](skin::TSkinData&) { ++changes; };
    testsupport::PumpUntilLaterTimer(2 * skin::TSkinManage::kSubManagerDelayMs, [&changes] { return changes > 0; });
    testsupport::PumpPostedMessages();
    data.OnSkinChanged = nullptr;
    return changes;
}

// The process manager of the program: made by the login window's kind of
// skin data component (main form, active, the default skin) as it loads.
struct ManagerFixture : ::testing::Test {
    ManagerFixture() {
        data->SetActive(true);
        data->Loaded();
        manager = skin::SkinManage();
    }
    ~ManagerFixture() override {
        for (ui::Form* form : forms) {
            delete form;
        }
    }

    ui::Form& NewForm(int left = 320, int top = 220) {
        ui::Form& form = ui::App().Create<ui::Form>();
        form.SetBounds(left, top, 240, 160);
        forms.push_back(&form);
        return form;
    }

    managertest::ManagerScope scope;
    std::unique_ptr<skin::TSkinData> data = DefaultSkinData();
    skin::TSkinManage* manager = nullptr;
    std::vector<ui::Form*> forms;
    Log log;
};

} // namespace managertest
