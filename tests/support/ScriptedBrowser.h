#pragma once
// A browser stand-in for window tests: it plays the page's part. Navigate
// fires BeforeNavigate2 synchronously, as the real control does, and records
// which addresses went ahead; a test fires any address a page could navigate
// to, and decides whether the page script call succeeds.

#include "app/study/WebBrowser.h"
#include "ui/Application.h"

#include <string>
#include <vector>

namespace testing_support {

class ScriptedBrowser : public app::WebBrowser {
public:
    explicit ScriptedBrowser(ui::Component* owner) : app::WebBrowser(owner) {}

    void Navigate(const std::wstring& url) override {
        navigated.push_back(url);
        if (!Fire(url)) {
            opened.push_back(url);
        }
    }
    void SetBrowserVisible(bool visible) override {
        browserVisible = visible;
        ++visibleCalls;
    }
    void ExecScript(const std::wstring& code, const std::wstring& language) override {
        scripts.push_back(code + L"|" + language);
        if (!scriptSucceeds) {
            throw ui::Error(scriptError);
        }
    }

    // A navigation the page starts (a link, a form post, script): answers
    // whether the handler cancelled it.
    bool Fire(const std::wstring& url) {
        bool cancel = false;
        if (OnBeforeNavigate2) {
            OnBeforeNavigate2(*this, url, cancel);
        }
        return cancel;
    }

    void Reset() {
        navigated.clear();
        opened.clear();
        scripts.clear();
        visibleCalls = 0;
    }

    // Every address handed to Navigate, and those not cancelled.
    std::vector<std::wstring> navigated;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> scripts;
    bool scriptSucceeds = true;
    std::wstring scriptError = L"Object required";
    bool browserVisible = false;
    int visibleCalls = 0;
};

// Installs the stand-in as every window's browser for the scope's life.
class ScriptedBrowserScope {
public:
    ScriptedBrowserScope() {
        app::SetWebBrowserFactory([this](ui::Component* owner) {
            auto* browser = new ScriptedBrowser(owner);
            made.push_back(browser);
            return browser;
        });
    }
    ~ScriptedBrowserScope() { app::SetWebBrowserFactory(nullptr); }
    ScriptedBrowserScope(const ScriptedBrowserScope&) = delete;
    ScriptedBrowserScope& operator=(const ScriptedBrowserScope&) = delete;

    // The browsers made, oldest first (owned by their windows).
    std::vector<ScriptedBrowser*> made;
};

} // namespace testing_support
