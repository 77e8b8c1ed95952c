#pragma once
// The skin gallery under test: its window made in-process by the program's
// set-up (the process skin manager, the window's own skin component), the
// mapping's decisions recorded, skin files of solid colours written to a
// folder of the test's own, pixels read back from the screen, and the
// gallery's message boxes read and closed from a timer while they run.

#include "skin/controls/ControlMapping.h"
#include "skin/controls/SkinMessages.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/manager/SkinManage.h"
#include "tests/skin/controls/ManagerFixture.h"
#include "tests/skin/controls/MappingFixture.h"
#include "tests/skin/data/SkinDataFixtures.h"
#include "tests/support/Pump.h"
#include "tests/support/ScreenPixel.h"
#include "tools/skingallery/GalleryForm.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace gallerytest {

using skintest::Bytes;
using skintest::Rgb;

// The colours of a skin whose pictures are each one colour, so a painter's
// choice reads back from one pixel.
struct SkinColours {
    Rgb face;    // ButtonFace: the form colour of panels and check-box backgrounds
    Rgb button;  // every cell of the push-button strip
    Rgb check;   // every cell of the check-box strip
    Rgb radio;   // every cell of the radio-button strip
    Rgb shadow;  // ButtonShadow: the edits' border ring
    Rgb frame;   // the window frame pieces
    Rgb widget;  // the tabs and their pane, progress, header and scroll-bar strips
};

inline constexpr SkinColours kTealSkin{{214, 236, 230}, {120, 190, 175}, {30, 120, 100}, {200, 90, 40},
                                       {20, 80, 70}, {36, 110, 96}, {70, 150, 210}};
inline constexpr SkinColours kAmberSkin{{246, 232, 204}, {232, 176, 88}, {150, 80, 20}, {60, 70, 160},
                                        {120, 70, 20}, {170, 104, 30}, {190, 50, 110}};

inline std::string IniColour(Rgb c) {
    return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b);
}

// A complete small skin: frame pieces, a close button, the button, check and
// radio strips, the tab, progress, header and scroll-bar pictures and the
// colour table, every picture of one colour.
inline Bytes SolidSkinFile(const SkinColours& c) {
    const std::string description =
        "[Skins]\r\nVersion=70000\r\n"
        "[TitlebarSkin]\r\nSkinName=Solid\r\n"
        "[Personality]\r\n"
        "Left=left.bmp\r\nLeftFrame=2\r\nLeftTopHeight=30\r\nLeftBotHeight=4\r\n"
        "Right=right.bmp\r\nRightFrame=2\r\nRightTopHeight=30\r\nRightBotHeight=4\r\n"
        "Top=top.bmp\r\nTopFrame=2\r\nTopTopHeight=8\r\nTopBotHeight=8\r\n"
        "Bottom=bottom.bmp\r\nBottomFrame=2\r\n"
        "ActiveTextR=255\r\nActiveTextG=255\r\nActiveTextB=255\r\n"
        "[Colours]\r\n"
        "ButtonFace=" + IniColour(c.face) + "\r\n"
        "ButtonText=20 20 20\r\n"
        "ButtonShadow=" + IniColour(c.shadow) + "\r\n"
        "Menubar=" + IniColour(c.face) + "\r\n"
        "[Button0]\r\nButtonImage=close.bmp\r\nAction=0\r\nAlign=1\r\nXcoord=30\r\nYcoord=6\r\nframe=4\r\n"
        "[Buttons]\r\nBitmap=buttons.bmp\r\nLeftWidth=4\r\nRightWidth=4\r\nTopHeight=4\r\nBottomHeight=4\r\n"
        "Trans=1\r\nTile=0\r\n"
        "CheckButton=check.bmp\r\nCheckButtonFrame=12\r\n"
        "RadioButton=radio.bmp\r\nRadioButtonFrame=8\r\n"
        "[Tabs]\r\nImage=tabs.bmp\r\nBorder=pane.bmp\r\nStyle=0\r\nLeftWidth=4\r\nRightWidth=4\r\n"
        "TopHeight=4\r\nBottomHeight=2\r\nTrans=1\r\nTile=0\r\n"
        "[Progress]\r\nBitmap=progress.bmp\r\nStyle=0\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\nTrans=1\r\nTile=0\r\n"
        "[Headerbar]\r\nImage=header.bmp\r\nFrame=5\r\nLeftWidth=1\r\nRightWidth=1\r\nTopHeight=1\r\n"
        "BottomHeight=1\r\nTrans=0\r\nTile=0\r\n"
        "[Scrollbar]\r\nImage=scrollbar.bmp\r\nFrame=23\r\nTrans=1\r\nTile=0\r\n";
    const Rgb white{255, 255, 255};
    // The close button: a light cross on the frame colour, four state cells.
    const Bytes close = skintest::Bmp24(4 * 22, 18, [&](int x, int y) {
        const int cx = x % 22 - 4;
        const int cy = y - 2;
        const bool cross = cx >= 0 && cx < 14 && cy >= 0 && cy < 14 && (cx == cy || cx == 13 - cy);
        return cross ? white : c.frame;
    });
    return skintest::SkinFile(description, {
                                               {"left.bmp", skintest::SolidBmp(8, 40, c.frame)},
                                               {"right.bmp", skintest::SolidBmp(8, 40, c.frame)},
                                               {"top.bmp", skintest::SolidBmp(40, 60, c.frame)},
                                               {"bottom.bmp", skintest::SolidBmp(40, 8, c.frame)},
                                               {"close.bmp", close},
                                               {"buttons.bmp", skintest::SolidBmp(5 * 24, 24, c.button)},
                                               {"check.bmp", skintest::SolidBmp(12 * 13, 13, c.check)},
                                               {"radio.bmp", skintest::SolidBmp(8 * 13, 13, c.radio)},
                                               {"tabs.bmp", skintest::SolidBmp(5 * 16, 16, c.widget)},
                                               {"pane.bmp", skintest::SolidBmp(16, 16, c.widget)},
                                               {"progress.bmp", skintest::SolidBmp(2 * 12, 12, c.widget)},
                                               {"header.bmp", skintest::SolidBmp(5 * 12, 12, c.widget)},
                                               {"scrollbar.bmp", skintest::SolidBmp(23 * 17, 17, c.widget)},
                                           });
}

inline COLORREF Rgbref(Rgb c) { return RGB(c.r, c.g, c.b); }

// A folder of the test's own under the temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder() {
        std::error_code error;
        const auto base = std::filesystem::temp_directory_path(error);
        path_ = base / (L"gallery-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(GetTickCount64()));
        std::filesystem::create_directories(path_, error);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring Write(const std::wstring& name, const Bytes& bytes) const {
        const auto file = path_ / name;
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    std::streamsize(bytes.size()));
        return file.wstring();
    }
    std::wstring PathOf(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

using testsupport::ScreenPixel;

inline std::wstring WindowText(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

// Reads and closes, from a thread timer, every message box this thread
// shows while it lives: the box's own modal loop runs the timer.
class MessageBoxCloser {
public:
    struct Box {
        std::wstring caption;
        std::wstring text;  // the texts of its static children, one per line
    };

    MessageBoxCloser() {
        instance_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~MessageBoxCloser() {
        KillTimer(nullptr, timer_);
        instance_ = nullptr;
    }
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    std::vector<Box> boxes;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (instance_ == nullptr) {
            return;
        }
        HWND box = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM found) {
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
                    *reinterpret_cast<HWND*>(found) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) {
            return;
        }
        Box seen{WindowText(box), {}};
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            const std::wstring text = WindowText(child);
            if (_wcsicmp(name, L"Static") == 0 && !text.empty()) {
                seen.text += text + L"\n";
            }
        }
        instance_->boxes.push_back(seen);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    static inline MessageBoxCloser* instance_ = nullptr;
    UINT_PTR timer_ = 0;
};

// With VOCARA_GALLERY_SHOTS naming a folder: repaints the window, leaves
// name.wait there and keeps the window on the screen until an onlooker that
// took a screenshot removes the file (at most a minute). Nothing otherwise.
inline void OfferScreenshot(HWND window, const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"VOCARA_GALLERY_SHOTS", folder, MAX_PATH) == 0) {
        return;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::PumpPostedMessages();
    const std::filesystem::path marker = std::filesystem::path(folder) / (name + L".wait");
    std::ofstream(marker).put('\n');
    testsupport::PumpUntil([&] { return !std::filesystem::exists(marker); }, 60000);
    std::error_code ignored;
    std::filesystem::remove(marker, ignored);
}

// The gallery window as the program makes it, shown and skinned, with the
// mapping's decisions recorded from its first set-up on.
struct GalleryFixture : ::testing::Test {
    GalleryFixture() {
        form = &ui::App().Create<gallery::GalleryForm>();
        mapping = dynamic_cast<skin::ControlMapping*>(skin::SkinManage()->Mapper());
        if (mapping != nullptr) {
            mapping->SetTrace(recorder.Trace());
        }
        form->Show();
        SetForegroundWindow(form->Handle());
        skinned = testsupport::PumpUntil([this] { return Query(Control("ButtonNormal")) == 1; }, 20000);
        testsupport::PumpPostedMessages();
    }
    ~GalleryFixture() override {
        if (mapping != nullptr) {
            mapping->SetTrace({});
        }
        delete form;
    }

    ui::WinControl& Control(const char* name) const {
        auto* control = dynamic_cast<ui::WinControl*>(form->FindComponent(name));
        if (control == nullptr) {
            throw std::runtime_error(std::string("no windowed control ") + name);
        }
        return *control;
    }
    static LRESULT Query(ui::WinControl& control) {
        return SendMessageW(control.Handle(), skin::SKM_QUERY, 0, 0);
    }

    // Every windowed control of the gallery below the form, depth first.
    // Only the gallery's own: a painter's overlay (the media player's button
    // panel) is a control too, but it goes with its painter when the skin
    // changes.
    std::vector<ui::WinControl*> WindowedControls() const {
        std::vector<ui::WinControl*> found;
        const std::function<void(const ui::WinControl&)> walk = [&](const ui::WinControl& parent) {
            for (ui::Control* child : parent.Controls()) {
                if (auto* windowed = dynamic_cast<ui::WinControl*>(child); windowed != nullptr && child->Owner() == form) {
                    found.push_back(windowed);
                    walk(*windowed);
                }
            }
        };
        walk(*form);
        return found;
    }

    // The painter the mapping made for the control, if it made one.
    std::optional<skin::PainterKind> MadePainter(const ui::Component& control) const {
        for (const skin::MappingStep& step : recorder.For(&control)) {
            if (step.painter && step.made) {
                return step.painter->kind;
            }
        }
        return std::nullopt;
    }
    // What the control answers to the skin query: 1 when the mapping made it
    // a painter that takes over its messages. The box painter of panels and
    // tool bars only gives them the form colour and leaves their own
    // handler, which does not know the query.
    LRESULT ExpectedQueryAnswer(const ui::Component& control) const {
        const auto kind = MadePainter(control);
        return kind && *kind != skin::PainterKind::Box ? 1 : 0;
    }
    // Whether the window's form painter holds a painter for the control.
    bool FormPainterPaints(const ui::Control& control) const {
        const skin::TWinSkinForm* painter = skin::SkinManage()->FindFormPainter(form->Handle());
        return painter != nullptr && painter->PaintsControl(control);
    }

    // Runs a skin change and waits until the manager has carried it out.
    bool SwitchAndWait(const std::function<void()>& change) {
        int changes = 0;
        form->SkinData1.OnSkinChanged = [&changes](skin::TSkinData&) { ++changes; };
        change();
        const bool done = testsupport::PumpUntil([&changes] { return changes > 0; }, 15000);
        form->SkinData1.OnSkinChanged = nullptr;
        testsupport::PumpPostedMessages();
        return done;
    }

    managertest::ManagerScope scope;  // first: the manager goes after the window
    TempFolder folder;
    mappingtest::Recorder recorder;
    gallery::GalleryForm* form = nullptr;
    skin::ControlMapping* mapping = nullptr;
    bool skinned = false;
};

} // namespace gallerytest
