#pragma once
// A form painter over a bare test window, with caption buttons added by the
// test (see CaptionProbe.h).

#include "tests/skin/forms/CaptionProbe.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace captiontest {

class CaptionFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 60;

    CaptionFixture() : window(kWidth, kHeight), painter(std::make_unique<skin::TWinSkinForm>(nullptr)), probe{*painter} {
        probe.Handle() = window.get();
        probe.SkinData() = skinData.get();
        probe.BorderLeft() = 0;
        probe.BorderRight() = 0;
        probe.CaptionHeight() = 0;
        probe.MenuBarHeight() = 0;
        probe.BorderIcons() = skin::biMaximizeBox | skin::biMinimizeBox | skin::biSystemMenuBox;
        probe.Active() = 1;
        probe.WindowState() = skin::WindowState::Normal;
        probe.FrameKind() = skin::FrameKind::Sizeable;
        probe.FitCaption() = 0;
        probe.SystemMenu() = GetSystemMenu(window.get(), FALSE);
        probe.DoubleClickTime() = GetDoubleClickTime();
        probe.IconSize() = GetSystemMetrics(SM_CXSMICON);
        g_buttonVisibleAnswer = nullptr;
        window.TakeAllPosted();
    }
    ~CaptionFixture() override {
        painter.reset();
        g_buttonVisibleAnswer = nullptr;
    }

    // A button with its data kept alive by the fixture.
    skin::TWinSysButton& Add(std::unique_ptr<skin::TDataSkinSysButton> data) {
        data_.push_back(std::move(data));
        return probe.AddButton(*data_.back());
    }
    // Frees the buttons added so far (between the cases of a table).
    void ClearButtons() { painter->Buttons().Clear(); }
    // Lays the buttons out as the caption paint does.
    void Layout() { painter->Buttons().Layout(); }

    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    // The colour in the middle of a button, read from the window's DC.
    ui::Color ScreenColourAt(POINT p) const {
        const ui::WindowDc dc(window.get(), ui::WindowDc::Area::Window);
        return ui::Color(GetPixel(dc.get(), p.x, p.y));
    }

    std::unique_ptr<skin::TSkinData> skinData = std::make_unique<skin::TSkinData>(nullptr);
    std::vector<std::unique_ptr<skin::TDataSkinSysButton>> data_;
    TestWindow window;
    std::unique_ptr<skin::TWinSkinForm> painter;
    skin::FormPainterProbe probe;
};

} // namespace captiontest
