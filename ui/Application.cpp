#include "ui/Application.h"

#include "ui/StartupTrace.h"
#include "ui/TextConversion.h"

#include <algorithm>

namespace ui {
namespace {

constexpr wchar_t kHiddenWindowClass[] = L"TApplication";
// Posted to the hidden window: free the forms that asked for it.
constexpr UINT kReleaseForms = WM_APP + 1;

Application* g_instance = nullptr;

std::wstring ExceptionText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return e.Text();
    } catch (const std::exception& e) {
        // Our texts are UTF-8; a library's may be in the system code page.
        const std::string_view text = e.what();
        std::wstring wide = MultiByteToWide(CP_UTF8, text, MB_ERR_INVALID_CHARS);
        return wide.empty() ? MultiByteToWide(CP_ACP, text) : wide;
    } catch (...) {
        return L"Unknown error";
    }
}

std::vector<Ref<Form>>& FormsToRelease() {
    static std::vector<Ref<Form>> forms;
    return forms;
}

} // namespace

const ClassInfo Application::kClass{"TApplication", &Component::kClass};
const ClassInfo ApplicationEvents::kClass{"TApplicationEvents", &Component::kClass};

Error::Error(const std::wstring& text) : std::runtime_error(WideToUtf8(text)), text_(text) {}

Application& Application::Instance() {
    if (g_instance == nullptr) {
        g_instance = new Application();
    }
    return *g_instance;
}

void Application::DestroyInstance() {
    delete std::exchange(g_instance, nullptr);
}

Application::Application() : Component(nullptr) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = HiddenWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHiddenWindowClass;
    RegisterClassExW(&windowClass);
    // Never shown: the forms it owns therefore get no taskbar buttons.
    handle_ = CreateWindowExW(0, kHiddenWindowClass, L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                              WS_MINIMIZEBOX, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

Application::~Application() {
    // Owned forms go first (Component's destructor), while the window exists.
    while (!Components().empty()) {
        delete Components().back();
    }
    if (handle_ != nullptr) {
        DestroyWindow(handle_);
    }
}

void Application::SetTitle(const std::wstring& title) {
    title_ = title;
    SetWindowTextW(handle_, title.c_str());
}

void Application::SetIcon(HICON icon) {
    icon_ = icon;
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Application::Run() {
    if (MainForm() == nullptr) {
        return;
    }
    MainForm()->Show();
    while (!terminated_) {
        HandleMessage();
    }
}

void Application::Terminate() { PostQuitMessage(0); }

bool Application::ProcessMessage(MSG& message) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    try {
        if (OnMessage) {
            OnMessage(message, handled);
        }
        // A copy: a listener may come or go while the hooks run.
        const std::vector<ApplicationEvents*> listeners = listeners_;
        for (ApplicationEvents* listener : listeners) {
            if (handled) {
                break;
            }
            if (std::ranges::find(listeners_, listener) != listeners_.end() && listener->OnMessage) {
                listener->OnMessage(message, handled);
            }
        }
    } catch (...) {
        HandleException(std::current_exception());
    }
    if (!handled && !IsKeyMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

// Keys the toolkit handles for the form: Tab moves the focus along the tab
// order, Alt+letter is offered to the form first.
bool Application::IsKeyMessage(MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR) {
        return false;
    }
    WinControl* control = nullptr;
    for (HWND window = message.hwnd; window != nullptr && control == nullptr; window = GetParent(window)) {
        control = WinControl::FromHandle(window);
    }
    Form* form = control != nullptr ? control->ParentForm() : nullptr;
    if (form == nullptr) {
        return false;
    }
    if (message.message == WM_SYSCHAR) {
        return form->Perform(CM_DIALOGCHAR, message.wParam, message.lParam) != 0;
    }
    if (message.wParam != VK_TAB || (KeyboardShiftState() & (ssCtrl | ssAlt))) {
        return false;
    }
    if (SendMessageW(message.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&message)) & DLGC_WANTTAB) {
        return false;
    }
    form->SelectNext(control == form ? nullptr : control, (KeyboardShiftState() & ssShift) == 0);
    return true;
}

void Application::HandleMessage() {
    MSG message{};
    if (!ProcessMessage(message)) {
        WaitMessage();
    }
}

void Application::ProcessMessages() {
    MSG message{};
    while (ProcessMessage(message)) {
    }
}

void Application::Restore() {
    if (IsIconic(handle_)) {
        ShowWindow(handle_, SW_RESTORE);
    }
}

void Application::BringToFront() {
    HWND popup = GetLastActivePopup(handle_);
    if (popup != nullptr && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
        SetForegroundWindow(popup);
    }
}

void Application::HandleException(std::exception_ptr error) { ShowException(ExceptionText(error)); }

void Application::ShowException(const std::wstring& text) {
    if (OnException) {
        OnException(text);
        return;
    }
    MessageBoxW(GetActiveWindow(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void Application::ReleaseLater(Form* form) {
    FormsToRelease().emplace_back(form);
    PostMessageW(handle_, kReleaseForms, 0, 0);
}

LRESULT CALLBACK Application::HiddenWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == StartupWaitQuery()) {
        return LRESULT(StartupWaitMicroseconds());
    }
    if (msg == kReleaseForms) {
        std::vector<Ref<Form>> forms;
        forms.swap(FormsToRelease());
        for (Ref<Form>& form : forms) {
            delete form.get();  // nothing when it is gone already
        }
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

ApplicationEvents::ApplicationEvents(Component* owner) : Component(owner) {
    App().listeners_.push_back(this);
}

ApplicationEvents::~ApplicationEvents() {
    if (g_instance != nullptr) {
        std::erase(g_instance->listeners_, this);
    }
}

} // namespace ui
