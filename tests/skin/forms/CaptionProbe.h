#pragma once
// Caption-button tests without a skinned frame: a form painter whose fields
// the test sets by hand, over a frameless popup window at the screen's
// origin, so screen, window and frame coordinates are all the same.

#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/forms/FormPainterProbe.h"
#include "tests/support/SolidStrip.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Menus.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace captiontest {

// Answers SKM_BUTTONVISIBLE for the test window.
inline std::function<LRESULT(WPARAM, LPARAM)> g_buttonVisibleAnswer;

inline LRESULT CALLBACK TestWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == 0x3515 /* SKM_BUTTONVISIBLE */) {
        return g_buttonVisibleAnswer ? g_buttonVisibleAnswer(wParam, lParam) : 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// A frameless popup at (0, 0) of the given size, shown without activation.
class TestWindow {
public:
    TestWindow(int width, int height) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CaptionTestWindow";
        wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
        RegisterClassW(&wc);  // fails harmlessly when already registered
        handle_ = CreateWindowExW(0, L"CaptionTestWindow", L"Caption test", WS_POPUP | WS_SYSMENU, 0, 0, width,
                                  height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(handle_, SW_SHOWNOACTIVATE);
        UpdateWindow(handle_);
    }
    ~TestWindow() { DestroyWindow(handle_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return handle_; }

    // The first posted message of this kind waiting for the window, removed.
    bool TakePosted(UINT msg, MSG& out) { return PeekMessageW(&out, handle_, msg, msg, PM_REMOVE) != FALSE; }
    // Every posted message waiting for the window, removed.
    std::vector<MSG> TakeAllPosted() {
        std::vector<MSG> all;
        MSG m;
        while (PeekMessageW(&m, handle_, 0, 0, PM_REMOVE | PM_NOYIELD)) {
            if (m.message != WM_PAINT && m.message != WM_TIMER) {
                all.push_back(m);
            }
        }
        return all;
    }

private:
    HWND handle_ = nullptr;
};

using testsupport::FillStrip;

// Colours of cells 1 to 6 (none is the key colour).
constexpr ui::Color kCell1 = 0x0000C0;  // red
constexpr ui::Color kCell2 = 0x00C000;  // green
constexpr ui::Color kCell3 = 0xC00000;  // blue
constexpr ui::Color kCell4 = 0x00C0C0;  // olive
constexpr ui::Color kCell5 = 0xC0C000;  // teal
constexpr ui::Color kCell6 = 0x404040;
inline const std::vector<ui::Color> kSixCells{kCell1, kCell2, kCell3, kCell4, kCell5, kCell6};

// A caption-button data object with a strip of `cells` coloured cells.
inline std::unique_ptr<skin::TDataSkinSysButton> ButtonData(int32_t action, int32_t align, int32_t x, int32_t y,
                                                          int cells = 4, int w = 18, int h = 18) {
    auto data = std::make_unique<skin::TDataSkinSysButton>("Button");
    data->Action = action;
    data->Align = align;
    data->Xcoord = x;
    data->Ycoord = y;
    data->Frame = cells;
    FillStrip(data->Bitmap, w, h, std::vector<ui::Color>(kSixCells.begin(), kSixCells.begin() + cells));
    return data;
}

} // namespace captiontest
