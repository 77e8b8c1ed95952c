#pragma once
// The application object: the hidden owner window of every form, the title
// and icon, the main form, the message loop with its per-message hook, and
// the error box for exceptions that escape an event handler.

#include "ui/Component.h"
#include "ui/Form.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class ApplicationEvents;

class Application : public Component {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    // The one application object of the process, made on first use.
    static Application& Instance();
    // Frees the forms and the hidden window; a later Instance() starts afresh.
    static void DestroyInstance();

    // The hidden owner window.
    HWND Handle() const { return handle_; }

    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title);
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);  // borrowed; the caller keeps it alive

    Form* MainForm() const { return mainForm_.get(); }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Shows the main form and runs the message loop until Terminate; returns
    // at once when there is no main form.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // Handles one message, waiting for one when the queue is empty.
    void HandleMessage();

    // Restores the minimised application; brings its last active popup to
    // the front.
    void Restore();
    void BringToFront();

    int hintPause = 500;
    int hintHidePause = 2500;

    // Sees every message of the loop before it is dispatched; set handled to
    // drop it. ApplicationEvents components join in after it.
    std::function<void(MSG& message, bool& handled)> OnMessage;
    // Replaces the error box (the text, UTF-16).
    std::function<void(const std::wstring& text)> OnException;

    // The error box for an exception that escaped an event handler: its text,
    // the title as caption; the program goes on.
    void HandleException(std::exception_ptr error);
    void ShowException(const std::wstring& text);

    // Frees a form after the current message (Form::Release).
    void ReleaseLater(Form* form);

private:
    friend class ApplicationEvents;
    Application();
    ~Application() override;
    bool ProcessMessage(MSG& message);
    bool IsKeyMessage(MSG& message);
    static LRESULT CALLBACK HiddenWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    std::wstring title_;
    HICON icon_ = nullptr;
    Ref<Form> mainForm_;
    bool terminated_ = false;
    std::vector<ApplicationEvents*> listeners_;
};

inline Application& App() { return Application::Instance(); }

// A component that listens to the application's message loop; several may
// exist at once (one per window that filters messages).
class ApplicationEvents : public Component {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ApplicationEvents(Component* owner);
    ~ApplicationEvents() override;

    std::function<void(MSG& message, bool& handled)> OnMessage;
};

// The exception type of the toolkit and the program: a UTF-16 text shown as is
// by the error box.
class Error : public std::runtime_error {
public:
    explicit Error(const std::wstring& text);
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

} // namespace ui
