#pragma once
// Window tests of the form painter: a test skin with chosen frame pieces, and
// helpers that make a toolkit form or a bare window, attach a painter to it
// and run its set-up, as the manager would.
//
// The test skin paints each piece in one solid colour per frame (frame 1 the
// active look, frame 2 the inactive one), so a pixel tells which piece and
// which look was drawn. Corners can be made transparent (magenta) to shape
// the window.

#include "skin/controls/SkinMessages.h"
#include "skin/data/SkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "tests/skin/data/SkinDataFixtures.h"
#include "tests/support/Pump.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace formtest {

using skintest::Bytes;
using skintest::Rgb;

// The colours of the pieces: [piece][frame - 1].
inline constexpr Rgb kLeftColours[2] = {{200, 40, 40}, {100, 20, 20}};
inline constexpr Rgb kRightColours[2] = {{40, 200, 40}, {20, 100, 20}};
inline constexpr Rgb kTopColours[2] = {{40, 40, 200}, {20, 20, 100}};
inline constexpr Rgb kBottomColours[2] = {{200, 200, 40}, {100, 100, 20}};
inline constexpr Rgb kButtonFace{230, 231, 232};

struct FrameSkinPieces {
    // Picture sizes; the frame size is the picture's width (sides) or height
    // (top, bottom) divided by the frame count.
    int sideWidth = 8, sideHeight = 100, sideFrames = 2;
    int topWidth = 142, topHeight = 58, topFrames = 2;
    int bottomWidth = 142, bottomHeight = 10, bottomFrames = 2;
    // Trans of left, right, top and bottom.
    int trans[4] = {0, 0, 0, 0};
    // Magenta squares of this size in the outer top corners of the side
    // pieces (0: none).
    int cornerCut = 0;
    // Magenta squares of this size in the bottom piece's two ends (0: none).
    int bottomCut = 0;
    // More magenta pixels in the left, right, top and bottom pieces' cells:
    // cut(x, y, cellWidth, cellHeight).
    std::function<bool(int, int, int, int)> moreCuts[4];
    // Stretch of the left, right, top and bottom pieces (0 tiles the middle).
    int stretch[4] = {1, 1, 1, 1};
    // Fixed ends (TopHeight, BotHeight) of each piece; when both are zero the
    // cut sizes above decide them.
    int ends[4][2] = {};
    // A close button (Action 0) and a minimise button (Action 2), right
    // aligned, 16 x 14 cells of 4 frames.
    bool captionButtons = false;
    // Appended to the [Personality] section (TextShift=..., TextAlignment=...).
    std::string personality;
    // Appended to the description (more sections).
    std::string sections;
    // Appended to the [Colours] section.
    std::string colours;
    // More pictures of the package, by file name.
    std::map<std::string, Bytes> pictures;
};

// One frame cell per colour; `cut(x, y, cellWidth, cellHeight)` picks magenta pixels.
inline Bytes PieceBitmap(int width, int height, int frames, bool vertical, const Rgb (&colours)[2],
                         const std::function<bool(int, int, int, int)>& cut) {
    const int cellWidth = vertical ? width : width / frames;
    const int cellHeight = vertical ? height / frames : height;
    return skintest::Bmp24(width, height, [&](int x, int y) {
        const int cell = vertical ? y / std::max(cellHeight, 1) : x / std::max(cellWidth, 1);
        const int cx = vertical ? x : x % std::max(cellWidth, 1);
        const int cy = vertical ? y % std::max(cellHeight, 1) : y;
        if (cut && cut(cx, cy, cellWidth, cellHeight)) {
            return skintest::kMagenta;
        }
        return colours[std::min(cell, 1)];
    });
}

inline Bytes FrameSkinFile(const FrameSkinPieces& spec) {
    const int c = spec.cornerCut;
    const int b = spec.bottomCut;
    using Cut = std::function<bool(int, int, int, int)>;
    auto withMore = [&spec](int piece, Cut cut) -> Cut {
        const Cut& more = spec.moreCuts[piece];
        if (!more) {
            return cut;
        }
        return [cut, more](int x, int y, int w, int h) { return (cut && cut(x, y, w, h)) || more(x, y, w, h); };
    };
    std::map<std::string, Bytes> pictures;
    pictures["left.bmp"] = PieceBitmap(spec.sideWidth, spec.sideHeight, spec.sideFrames, false, kLeftColours,
                                       withMore(0, [c](int x, int y, int, int) { return x < c && y < c; }));
    pictures["right.bmp"] = PieceBitmap(spec.sideWidth, spec.sideHeight, spec.sideFrames, false, kRightColours,
                                        withMore(1, [c](int x, int y, int w, int) { return x >= w - c && y < c; }));
    pictures["top.bmp"] =
        PieceBitmap(spec.topWidth, spec.topHeight, spec.topFrames, true, kTopColours, withMore(2, {}));
    pictures["bottom.bmp"] = PieceBitmap(
        spec.bottomWidth, spec.bottomHeight, spec.bottomFrames, true, kBottomColours,
        withMore(3, [b](int x, int y, int w, int h) { return (x < b || x >= w - b) && y >= h - b; }));
    std::string d = "[Skins]\nVersion=70000\n[Personality]\n";
    const char* names[4] = {"Left", "Right", "Top", "Bottom"};
    const int frames[4] = {spec.sideFrames, spec.sideFrames, spec.topFrames, spec.bottomFrames};
    for (int i = 0; i < 4; ++i) {
        const std::string n = names[i];
        std::string lower = n;
        lower[0] = char(lower[0] - 'A' + 'a');
        d += n + "=" + lower + ".bmp\n" + n + "Frame=" + std::to_string(frames[i]) + "\n" + n +
             "Stretch=" + std::to_string(spec.stretch[i]) + "\n" + n + "Trans=" + std::to_string(spec.trans[i]) + "\n";
        if (spec.ends[i][0] != 0 || spec.ends[i][1] != 0) {
            d += n + "TopHeight=" + std::to_string(spec.ends[i][0]) + "\n" + n +
                 "BotHeight=" + std::to_string(spec.ends[i][1]) + "\n";
            continue;
        }
        // Corners at the ends of the side pieces stay unscaled.
        if (i < 2 && spec.cornerCut > 0) {
            d += n + "TopHeight=" + std::to_string(spec.cornerCut) + "\n";
        }
        if (i == 3 && spec.bottomCut > 0) {
            d += "BottomTopHeight=" + std::to_string(spec.bottomCut) + "\nBottomBotHeight=" +
                 std::to_string(spec.bottomCut) + "\n";
        }
    }
    d += spec.personality;
    d += "[Colours]\nButtonFace=230 231 232\nTitleTextActive=255 255 255\nTitleTextNoActive=250 250 250\n";
    d += spec.colours;
    for (const auto& [name, picture] : spec.pictures) {
        pictures[name] = picture;
    }
    if (spec.captionButtons) {
        pictures["close.bmp"] = skintest::CellStrip(16, 14, 4);
        pictures["min.bmp"] = skintest::CellStrip(16, 14, 4);
        d += "[Button0]\nButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=20\nYcoord=4\nVisibility=0\nframe=4\n";
        d += "[Button1]\nButtonImage=min.bmp\nAction=2\nAlign=1\nXcoord=40\nYcoord=4\nVisibility=0\nframe=4\n";
    }
    d += spec.sections;
    return skintest::SkinFile(d, pictures);
}

// A loaded test skin.
inline std::unique_ptr<skintest::SkinUnderTest> LoadFrameSkin(const FrameSkinPieces& spec = {}) {
    auto skin = std::make_unique<skintest::SkinUnderTest>();
    EXPECT_TRUE(skin->Load(FrameSkinFile(spec)));
    EXPECT_FALSE((*skin)->NotLoaded());
    return skin;
}

inline RECT WindowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}
inline SIZE OuterSize(HWND window) {
    const RECT r = WindowRectOf(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
inline RECT ClientRectOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}
// The client area's top-left relative to the window's top-left.
inline POINT ClientOffset(HWND window) {
    POINT p{0, 0};
    ClientToScreen(window, &p);
    const RECT r = WindowRectOf(window);
    return POINT{p.x - r.left, p.y - r.top};
}

// Sends what the manager posts after making a painter.
inline void RunSetup(HWND window) { SendMessageW(window, skin::SKM_SETUP, 0, skin::kSetupMagic); }

// A toolkit form with the given client size, shown (set-up reads its sizes),
// and its painter. The form owns the painter, as under the manager.
struct SkinnedForm {
    std::unique_ptr<ui::Form> form;
    skin::TWinSkinForm* painter = nullptr;
    HWND Handle() const { return form->HandleIfAllocated(); }
};

inline SkinnedForm MakeSkinnedForm(skin::TSkinData& data, int clientWidth = 300, int clientHeight = 200,
                                   bool setup = true, ui::BorderStyle border = ui::BorderStyle::Sizeable,
                                   const std::wstring& caption = L"Abc") {
    SkinnedForm result;
    result.form = std::make_unique<ui::Form>(nullptr);
    result.form->borderStyle = border;
    result.form->SetCaption(caption);
    result.form->SetBounds(60, 60, 200, 150);
    result.form->SetClientSize(clientWidth, clientHeight);
    result.form->Show();
    result.painter = &result.form->Create<skin::TWinSkinForm>();
    result.painter->SetWindow(result.form->Handle());
    result.painter->AttachToForm(data, *result.form);
    if (setup) {
        RunSetup(result.form->Handle());
    }
    return result;
}

// A bare window of a test class whose procedure the test may choose.
inline const wchar_t* BareWindowClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.lpszClassName = L"VocaraFrameTestWindow";
        RegisterClassExW(&wc);
        return L"VocaraFrameTestWindow";
    }();
    return name;
}

struct BareWindow {
    HWND handle = nullptr;
    std::unique_ptr<skin::TWinSkinForm> painter;
    BareWindow() = default;
    BareWindow(BareWindow&& other) noexcept
        : handle(std::exchange(other.handle, nullptr)), painter(std::move(other.painter)) {}
    BareWindow& operator=(BareWindow&& other) noexcept {
        std::swap(handle, other.handle);
        std::swap(painter, other.painter);
        return *this;
    }
    ~BareWindow() {
        if (handle != nullptr && IsWindow(handle)) {
            DestroyWindow(handle);
        }
    }
};

// A shown bare window with outer size width x height; with `procedure`, the
// window's own procedure is replaced by it before the painter attaches.
inline BareWindow MakeBareWindow(skin::TSkinData* data, int width = 320, int height = 240,
                                 DWORD style = WS_OVERLAPPEDWINDOW, bool setup = true, WNDPROC procedure = nullptr,
                                 const wchar_t* className = nullptr, const wchar_t* caption = L"Abc") {
    BareWindow result;
    result.handle = CreateWindowExW(0, className != nullptr ? className : BareWindowClass(), caption, style, 80, 80,
                                    width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (procedure != nullptr) {
        SetWindowLongPtrW(result.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    }
    ShowWindow(result.handle, SW_SHOWNORMAL);
    if (data != nullptr) {
        result.painter = std::make_unique<skin::TWinSkinForm>(nullptr);
        result.painter->SetWindow(result.handle);
        result.painter->AttachToWindow(*data);
        if (setup) {
            RunSetup(result.handle);
        }
    }
    return result;
}

// The window's pixels as the window system composed them, read from the
// screen (the window must be on top and unobscured).
inline COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}
inline COLORREF WindowPixel(HWND window, int x, int y) {
    const RECT r = WindowRectOf(window);
    return ScreenPixel(r.left + x, r.top + y);
}
inline COLORREF RgbOf(Rgb c) { return RGB(c.r, c.g, c.b); }

// Lets the window system draw what is pending.
inline void Settle(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::PumpPostedMessages();
}

} // namespace formtest
