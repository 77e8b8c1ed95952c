// A control painting into another DC at an offset, clipped to itself; wide
// text drawing; and the user32 functions looked up at run time, used on real
// windows.

#include "skin/data/ImageRoutines.h"

#include "ImageRoutinesTest.h"

#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace imagetest;
using ui::Bitmap;
using ui::Color;

// A bare window that erases itself red (far beyond its client area, so the
// clipping shows) and paints a blue square at (2, 2) to (6, 6) on
// WM_PRINTCLIENT, a green one on WM_PAINT with a DC, and counts mouse-leave
// messages.
class ProbeWindow {
public:
    ProbeWindow(DWORD style = WS_POPUP, const wchar_t* className = nullptr, int width = 10, int height = 10) {
        Register();
        handle_ = CreateWindowExW(0, className != nullptr ? className : kClass, L"", style, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;
    ~ProbeWindow() { DestroyWindow(handle_); }
    HWND get() const { return handle_; }

    static inline int mouseLeaves = 0;

private:
    static constexpr wchar_t kClass[] = L"ImageRoutinesPaintProbe";

    static void Fill(HDC dc, RECT rect, ui::Color colour) {
        const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRgb(colour)));
        FillRect(dc, &rect, brush.get());
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        switch (message) {
        case WM_ERASEBKGND:
            Fill(dc, {-100, -100, 100, 100}, kRed);
            return 1;
        case WM_PRINTCLIENT:
            Fill(dc, {2, 2, 6, 6}, kBlue);
            return 0;
        case WM_PAINT:
            if (dc != nullptr) {
                Fill(dc, {2, 2, 6, 6}, kGreen);
                return 0;
            }
            break;
        case WM_MOUSELEAVE:
            ++mouseLeaves;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static void Register() {
        static const ATOM atom = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = Procedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kClass;
            return RegisterClassW(&windowClass);
        }();
        (void)atom;
    }

    HWND handle_;
};

TEST(PaintControlTo, PaintsTheControlAtItsOffsetClippedToItsClientArea) {
    struct Case {
        const char* name;
        POINT offset;
        UINT paintMessage;
        RECT red;     // where the control's client area lands in the target
        RECT square;  // where its (2, 2) to (6, 6) lands, cut to the target
        ui::Color squareColour;
    };
    const Case cases[] = {
        {"control right of and below the origin", {-4, -3}, WM_PRINTCLIENT, {4, 3, 14, 13}, {6, 5, 10, 9}, kBlue},
        {"target inside the control", {3, 3}, WM_PRINTCLIENT, {0, 0, 7, 7}, {0, 0, 3, 3}, kBlue},
        {"painted with WM_PAINT", {-4, -3}, WM_PAINT, {4, 3, 14, 13}, {6, 5, 10, 9}, kGreen},
    };
    ProbeWindow control;
    ASSERT_NE(control.get(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap target = Filled(20, 20, kWhite);
        const HDC dc = target.GetCanvas().Handle();
        skin::ControlPaintSource source;
        source.control = control.get();
        source.offset = c.offset;
        source.paintMessage = c.paintMessage;
        skin::PaintControlTo(source, dc);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const POINT p{x, y};
                const ui::Color expected = PtInRect(&c.square, p) ? c.squareColour : PtInRect(&c.red, p) ? kRed : kWhite;
                ASSERT_EQ(target.PixelAt(x, y), expected) << "at " << x << "," << y;
            }
        }
        // The DC's origin and clipping are back as they were.
        POINT origin{1, 1};
        GetViewportOrgEx(dc, &origin);
        EXPECT_EQ(origin.x, 0);
        EXPECT_EQ(origin.y, 0);
        RECT clip{};
        GetClipBox(dc, &clip);
        EXPECT_EQ(clip.right - clip.left, 20);
        EXPECT_EQ(clip.bottom - clip.top, 20);
    }
}

TEST(PaintControlTo, BringsAToolkitParentsPictureUnderAChild) {
    // What a see-through control's painter does: the parent panel paints
    // itself, with its window-less children, at the child's place.
    const Color panelColour = Rgb(30, 140, 90);
    const Color labelColour = Rgb(200, 60, 20);
    ui::Form form(nullptr);
    form.SetBounds(100, 100, 200, 150);
    ui::Panel& panel = form.Create<ui::Panel>();
    panel.SetParent(&form);
    panel.SetBevelOuter(ui::Bevel::None);
    panel.SetBounds(10, 10, 120, 80);
    panel.SetColor(panelColour);
    ui::Label& label = form.Create<ui::Label>();
    label.SetParent(&panel);
    label.SetBounds(26, 25, 4, 3);
    label.SetColor(labelColour);
    ASSERT_NE(panel.Handle(), nullptr);

    // A 12 x 8 child at (20, 20) in the panel: the label lies at (6, 5).
    Bitmap target = Filled(12, 8, kWhite);
    skin::ControlPaintSource source;
    source.control = panel.Handle();
    source.offset = POINT{20, 20};
    skin::PaintControlTo(source, target.GetCanvas().Handle());
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool onLabel = x >= 6 && x < 10 && y >= 5 && y < 8;
            ASSERT_EQ(target.PixelAt(x, y), onLabel ? labelColour : panelColour) << "at " << x << "," << y;
        }
    }
}

TEST(PaintControlTo, DoesNothingWithoutAControl) {
    Bitmap target = Filled(4, 4, kWhite);
    skin::PaintControlTo(skin::ControlPaintSource{}, target.GetCanvas().Handle());
    EXPECT_EQ(target.PixelAt(1, 1), kWhite);
}

TEST(DrawTextWide, DrawsExactlyTheGivenCharacters) {
    Bitmap target = Filled(200, 40, kWhite);
    const HDC dc = target.GetCanvas().Handle();
    const std::wstring text = L"信息 ABC and more";
    const std::wstring_view first = std::wstring_view(text).substr(0, 6);

    RECT measured{0, 0, 0, 0};
    const int height = skin::DrawTextWide(dc, first, measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SIZE expected{};
    GetTextExtentPoint32W(dc, first.data(), int(first.size()), &expected);
    EXPECT_GT(height, 0);
    EXPECT_EQ(measured.right - measured.left, expected.cx);

    RECT box{0, 0, 200, 40};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    skin::DrawTextWide(dc, first, box, DT_SINGLELINE | DT_NOPREFIX);
    int inked = 0;
    int inkedPastText = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (target.PixelAt(x, y) != kWhite) {
                ++(x < expected.cx ? inked : inkedPastText);
            }
        }
    }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(inkedPastText, 0) << "characters past the view were drawn";
    EXPECT_EQ(text, L"信息 ABC and more");

    EXPECT_EQ(skin::DrawTextWide(nullptr, first, box, 0), 0);
}

TEST(OptionalUser32, ReachesTheFunctionsThisSystemHas) {
    ProbeWindow scrolled(WS_POPUP | WS_VSCROLL, nullptr, 100, 100);
    SetScrollRange(scrolled.get(), SB_VERT, 0, 100, FALSE);
    SCROLLBARINFO scroll{};
    EXPECT_TRUE(skin::GetScrollBarInfoIfPresent(scrolled.get(), OBJID_VSCROLL, scroll));
    EXPECT_EQ(scroll.cbSize, sizeof scroll);
    EXPECT_GT(scroll.rcScrollBar.bottom - scroll.rcScrollBar.top, 0);

    ProbeWindow combo(WS_POPUP | CBS_DROPDOWNLIST, L"COMBOBOX", 100, 100);
    ASSERT_NE(combo.get(), nullptr);
    COMBOBOXINFO info{};
    EXPECT_TRUE(skin::GetComboBoxInfoIfPresent(combo.get(), info));
    EXPECT_NE(info.hwndList, nullptr);

    EXPECT_FALSE(skin::GetComboBoxInfoIfPresent(nullptr, info));
    EXPECT_TRUE(skin::DisableGhostingIfPresent());
}

TEST(OptionalUser32, TrackMouseLeaveAsksForTheLeaveMessage) {
    ProbeWindow window(WS_POPUP | WS_VISIBLE, nullptr, 40, 40);
    SetWindowPos(window.get(), HWND_TOPMOST, 0, 0, 40, 40, SWP_SHOWWINDOW);
    SetCursorPos(20, 20);
    auto pump = [](DWORD ms, const std::function<bool()>& done) {
        const ULONGLONG deadline = GetTickCount64() + ms;
        MSG message;
        while (!done() && GetTickCount64() < deadline) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            Sleep(10);
        }
    };
    pump(5000, [&window] {
        POINT cursor{};
        return GetCursorPos(&cursor) && cursor.x == 20 && cursor.y == 20 && WindowFromPoint(cursor) == window.get();
    });
    ProbeWindow::mouseLeaves = 0;
    skin::TrackMouseLeave(window.get());

    TRACKMOUSEEVENT query{};
    query.cbSize = sizeof query;
    query.dwFlags = TME_QUERY;
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, window.get());
    EXPECT_TRUE(query.dwFlags & TME_LEAVE);

    SetCursorPos(600, 600);
    pump(2000, [] { return ProbeWindow::mouseLeaves > 0; });
    EXPECT_EQ(ProbeWindow::mouseLeaves, 1);
}

} // namespace
