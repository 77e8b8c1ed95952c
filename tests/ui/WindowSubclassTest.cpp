// The one subclassing mechanism: layers in front of a window's procedure,
// removed in any order, over ANSI and Unicode windows, and at the window's end.
#include "ui/WindowSubclass.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 17;

// What reached whom, in order: layer names and "window" for the window's own
// procedure.
std::vector<std::string> g_seen;
std::string g_lastAnsiText;

LRESULT CALLBACK OwnProcedureW(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kProbe) {
        g_seen.push_back("window");
        return 7;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

LRESULT CALLBACK OwnProcedureA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT) {
        g_lastAnsiText = reinterpret_cast<const char*>(lParam);
    }
    if (msg == kProbe) {
        g_seen.push_back("window");
        return 7;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND MakeWindow(bool ansi) {
    if (ansi) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnProcedureA;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = "VocaraSubclassTestA";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, "VocaraSubclassTestA", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = OwnProcedureW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VocaraSubclassTestW";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"VocaraSubclassTestW", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// One layer: records what it sees, passes everything on.
struct Layer {
    Layer(const char* label) : name(label) {}
    std::string name;
    ui::WindowSubclass subclass;
    std::vector<UINT> messages;
    bool removeItselfOnProbe = false;
    bool sawDestroy = false;

    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) {
        const HWND window = subclass.Window();
        HWND target = window != nullptr ? window : lastWindow;
        messages.push_back(msg);
        if (msg == kProbe) {
            g_seen.push_back(name);
            if (removeItselfOnProbe) {
                subclass.Remove();
            }
        }
        if (msg == WM_NCDESTROY) {
            sawDestroy = true;
        }
        return ui::WindowSubclass::CallNext(target, msg, wParam, lParam);
    }

    bool Install(HWND window, ui::SubclassKind kind) {
        lastWindow = window;
        return subclass.Install<Layer, &Layer::Message>(window, kind, this);
    }

    HWND lastWindow = nullptr;
};

constexpr std::array kKinds{ui::SubclassKind::User, ui::SubclassKind(UINT_PTR(ui::SubclassKind::User) + 1),
                            ui::SubclassKind(UINT_PTR(ui::SubclassKind::User) + 2)};

std::vector<std::string> Expected(const std::vector<int>& installedTopFirst) {
    static const char* const kNames[] = {"A", "B", "C"};
    std::vector<std::string> names;
    for (int index : installedTopFirst) {
        names.push_back(kNames[index]);
    }
    names.push_back("window");
    return names;
}

// Every global atom name, to show that nothing of ours stays in the table.
std::set<std::wstring> GlobalAtoms() {
    std::set<std::wstring> names;
    for (UINT atom = 0xC000; atom <= 0xFFFF; ++atom) {
        wchar_t name[256] = {};
        if (GlobalGetAtomNameW(ATOM(atom), name, 256) > 0) {
            names.insert(name);
        }
    }
    return names;
}

// The window classes registered (they may take atoms of their own) before
// the table is read.
std::set<std::wstring> GlobalAtomsAfterClassesExist() {
    DestroyWindow(MakeWindow(false));
    DestroyWindow(MakeWindow(true));
    return GlobalAtoms();
}

int PropertyCount(HWND window) {
    int count = 0;
    EnumPropsExW(
        window, [](HWND, LPWSTR, HANDLE, ULONG_PTR counter) -> BOOL { return ++*reinterpret_cast<int*>(counter), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(WindowSubclass, LayersComeOffInEveryOrderAndTheRestStillSeeEachMessageOnce) {
    const std::set<std::wstring> atomsBefore = GlobalAtomsAfterClassesExist();
    std::array<int, 3> order{0, 1, 2};
    do {
        for (const bool ansi : {false, true}) {
            SCOPED_TRACE(std::string(ansi ? "ANSI" : "Unicode") + " removal order " + std::to_string(order[0]) +
                         std::to_string(order[1]) + std::to_string(order[2]));
            const HWND window = MakeWindow(ansi);
            ASSERT_NE(window, nullptr);
            Layer layers[3] = {{"A"}, {"B"}, {"C"}};
            for (int i = 0; i < 3; ++i) {
                ASSERT_TRUE(layers[i].Install(window, kKinds[i]));
            }
            EXPECT_EQ(IsWindowUnicode(window) != FALSE, !ansi);

            // The last installed sees a message first.
            std::vector<int> installed{2, 1, 0};
            g_seen.clear();
            EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 7);
            EXPECT_EQ(g_seen, Expected(installed));

            for (const int removed : order) {
                layers[removed].subclass.Remove();
                EXPECT_FALSE(layers[removed].subclass.Installed());
                std::erase(installed, removed);
                g_seen.clear();
                EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 7);
                EXPECT_EQ(g_seen, Expected(installed));
                // An ANSI window's own procedure keeps getting 8-bit text.
                if (ansi) {
                    g_lastAnsiText.clear();
                    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u4fe1\u606f"));
                    EXPECT_EQ(g_lastAnsiText, "\xd0\xc5\xcf\xa2");  // in the system code page
                }
            }
            DestroyWindow(window);
        }
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(GlobalAtoms(), atomsBefore);
}

TEST(WindowSubclass, ALayerRemovedInsideItsOwnMessageStillPassesThatMessageOn) {
    const HWND window = MakeWindow(false);
    Layer lower{"A"};
    Layer upper{"B"};
    ASSERT_TRUE(lower.Install(window, kKinds[0]));
    ASSERT_TRUE(upper.Install(window, kKinds[1]));
    upper.removeItselfOnProbe = true;
    g_seen.clear();
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 7);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"B", "A", "window"}));
    EXPECT_FALSE(upper.subclass.Installed());
    g_seen.clear();
    SendMessageW(window, kProbe, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"A", "window"}));
    DestroyWindow(window);
}

TEST(WindowSubclass, ASecondLayerOfTheSameKindIsRefused) {
    const HWND window = MakeWindow(false);
    Layer first{"A"};
    Layer second{"B"};
    ASSERT_TRUE(first.Install(window, kKinds[0]));
    EXPECT_TRUE(ui::WindowSubclass::Has(window, kKinds[0]));
    EXPECT_FALSE(second.Install(window, kKinds[0]));
    EXPECT_FALSE(first.Install(window, kKinds[1]));  // one window per layer object
    g_seen.clear();
    SendMessageW(window, kProbe, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"A", "window"}));
    DestroyWindow(window);
    EXPECT_FALSE(second.Install(window, kKinds[0]));  // a window that is gone
}

TEST(WindowSubclass, AWindowDestroyedWithLayersInstalledLeavesNothingBehind) {
    const std::set<std::wstring> atomsBefore = GlobalAtomsAfterClassesExist();
    const HWND window = MakeWindow(false);
    const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
    const int plainProperties = PropertyCount(window);
    Layer layers[3] = {{"A"}, {"B"}, {"C"}};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(layers[i].Install(window, kKinds[i]));
    }
    // At most the system's own bookkeeping of the chain, never one per layer.
    EXPECT_LE(PropertyCount(window), plainProperties + 1);

    DestroyWindow(window);
    for (const Layer& layer : layers) {
        EXPECT_TRUE(layer.sawDestroy) << layer.name;
        EXPECT_FALSE(layer.subclass.Installed()) << layer.name;
        EXPECT_EQ(layer.subclass.Window(), nullptr) << layer.name;
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_NE(own, 0);
    EXPECT_EQ(GlobalAtoms(), atomsBefore);
}

// Someone replaced the procedure by hand over our layers: removing every
// layer must not cut that someone off.
WNDPROC g_handPrevious = nullptr;
LRESULT CALLBACK HandProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kProbe) {
        g_seen.push_back("hand");
    }
    return CallWindowProcW(g_handPrevious, window, msg, wParam, lParam);
}

TEST(WindowSubclass, AProcedureSetByHandOverTheLayersSurvivesTheirRemoval) {
    const HWND window = MakeWindow(false);
    Layer lower{"A"};
    Layer upper{"B"};
    ASSERT_TRUE(lower.Install(window, kKinds[0]));
    ASSERT_TRUE(upper.Install(window, kKinds[1]));
    g_handPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HandProcedure)));
    upper.subclass.Remove();
    lower.subclass.Remove();
    g_seen.clear();
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 7);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"hand", "window"}));
    // The same kind can come back under the hand-set procedure.
    ASSERT_TRUE(lower.Install(window, kKinds[0]));
    g_seen.clear();
    SendMessageW(window, kProbe, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"hand", "A", "window"}));
    DestroyWindow(window);
    EXPECT_FALSE(lower.subclass.Installed());
}

TEST(WindowSubclass, CallWindowProcedureUsesTheFunctionsOfTheWindowsKind) {
    for (const bool ansi : {false, true}) {
        const HWND window = MakeWindow(ansi);
        const auto own = reinterpret_cast<WNDPROC>(IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                                           : GetWindowLongPtrA(window, GWLP_WNDPROC));
        g_lastAnsiText.clear();
        ui::CallWindowProcedure(own, window, WM_SETTEXT, 0,
                                ansi ? reinterpret_cast<LPARAM>("\xd0\xc5") : reinterpret_cast<LPARAM>(L"x"));
        if (ansi) {
            EXPECT_EQ(g_lastAnsiText, "\xd0\xc5");
        }
        EXPECT_EQ(ui::CallWindowProcedure(own, window, kProbe, 0, 0), 7);
        DestroyWindow(window);
    }
}

} // namespace
