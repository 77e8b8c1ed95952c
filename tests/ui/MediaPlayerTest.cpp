// The media player control: its button sets as published text, the button
// slots, clicks that run the buttons' commands, and the media control
// interface failing with a clear message (no file, nothing open, a device
// the system lacks) instead of crashing.

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MediaPlayer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using ui::MPBtnType;
using ui::MPButton;

TEST(MediaPlayerButtons, SetsReadAndWriteAsPublishedText) {
    ui::Form form(nullptr);
    auto& player = form.Create<ui::MediaPlayer>();
    EXPECT_EQ(player.GetPropertyText("VisibleButtons"),
              "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]");
    EXPECT_TRUE(player.SetPropertyText("VisibleButtons", " [ btplay , btStop,btEject ] "));
    EXPECT_EQ(player.VisibleButtons(),
              MPButton(MPBtnType::btPlay) | MPButton(MPBtnType::btStop) | MPButton(MPBtnType::btEject));
    EXPECT_TRUE(player.SetPropertyText("EnabledButtons", "[]"));
    EXPECT_EQ(player.EnabledButtons(), 0);
    EXPECT_EQ(player.GetPropertyText("EnabledButtons"), "[]");
    for (const char* bad : {"btPlay", "[btPlay", "[btFly]", "[btPlay,,x]"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(player.SetPropertyText("ColoredButtons", bad), ui::PropertyError);
    }
    EXPECT_EQ(player.ColoredButtons(), ui::kAllMPButtons);
}

TEST(MediaPlayerButtons, VisibleButtonsShareTheWidthInOrder) {
    ui::Form form(nullptr);
    auto& player = form.Create<ui::MediaPlayer>();
    player.SetParent(&form);
    player.SetBounds(0, 0, 90, 30);
    player.SetVisibleButtons(MPButton(MPBtnType::btPlay) | MPButton(MPBtnType::btStop) | MPButton(MPBtnType::btEject));
    const RECT stop = player.ButtonRect(MPBtnType::btStop);
    EXPECT_EQ(stop.left, 30);
    EXPECT_EQ(stop.right, 60);
    const RECT pause = player.ButtonRect(MPBtnType::btPause);
    EXPECT_TRUE(IsRectEmpty(&pause));
    EXPECT_EQ(player.ButtonAt(POINT{5, 5}), int(MPBtnType::btPlay));
    EXPECT_EQ(player.ButtonAt(POINT{45, 5}), int(MPBtnType::btStop));
    EXPECT_EQ(player.ButtonAt(POINT{85, 5}), int(MPBtnType::btEject));
    EXPECT_EQ(player.ButtonAt(POINT{95, 5}), -1);
    player.SetVisibleButtons(0);
    EXPECT_EQ(player.ButtonAt(POINT{5, 5}), -1);
}

struct ClickFixture : ::testing::Test {
    ClickFixture() {
        form.SetBounds(100, 100, 300, 100);
        player.SetParent(&form);
        player.SetBounds(0, 0, 270, 30);
        player.OnClick = [this](ui::MediaPlayer&, MPBtnType button, bool& doDefault) {
            clicked.push_back(button);
            doDefault = runCommands;
        };
        player.OnError = [this](ui::MediaPlayer&, const std::wstring& message) { errors.push_back(message); };
        form.Show();
    }
    void Press(int x) { SendMessageW(player.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10)); }
    void Release(int x) { SendMessageW(player.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 10)); }

    ui::Form form{nullptr};
    ui::MediaPlayer& player = form.Create<ui::MediaPlayer>();
    std::vector<MPBtnType> clicked;
    std::vector<std::wstring> errors;
    bool runCommands = false;
};

TEST_F(ClickFixture, PressAndReleaseOnOneButtonClicksIt) {
    Press(45);  // the second slot of nine, 30 pixels each: pause
    Release(50);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], MPBtnType::btPause);
    Press(45);
    Release(75);  // released over stop
    EXPECT_EQ(clicked.size(), 1u);
    player.SetEnabledButtons(ui::kAllMPButtons & ~MPButton(MPBtnType::btPlay));
    Press(5);
    Release(5);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(ClickFixture, ACommandThatFailsReportsInChinese) {
    runCommands = true;
    Press(5);
    Release(5);  // play with nothing open
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"媒体文件尚未打开，无法执行该操作。");
}

TEST(MediaPlayerCommands, MissingFileAndNothingOpenFailClearly) {
    ui::Form form(nullptr);
    auto& player = form.Create<ui::MediaPlayer>();
    EXPECT_FALSE(player.Open());
    EXPECT_EQ(player.LastError(), L"没有指定要打开的媒体文件。");
    player.SetFileName(L"C:\\没有这个文件\\声音.wav");
    EXPECT_FALSE(player.Open());
    EXPECT_EQ(player.LastError().rfind(L"无法打开媒体文件“C:\\没有这个文件\\声音.wav”：", 0), 0u);
    EXPECT_FALSE(player.IsOpen());
    for (bool (ui::MediaPlayer::*command)() : {&ui::MediaPlayer::Play, &ui::MediaPlayer::Pause,
                                              &ui::MediaPlayer::Stop, &ui::MediaPlayer::Eject}) {
        EXPECT_FALSE((player.*command)());
        EXPECT_EQ(player.LastError(), L"媒体文件尚未打开，无法执行该操作。");
    }
    player.SetFileName(L"a\"b.wav");
    EXPECT_FALSE(player.Open());
    EXPECT_EQ(player.LastError(), L"媒体文件名不能含有双引号。");
}

// A short silent wave file.
std::wstring WriteSilentWave() {
    wchar_t directory[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, directory);
    const std::wstring path = std::wstring(directory) + L"vocara_media_test.wav";
    const uint32_t samples = 8000;
    const uint32_t dataSize = samples;
    std::vector<char> bytes;
    auto put = [&bytes](const void* data, size_t size) {
        bytes.insert(bytes.end(), static_cast<const char*>(data), static_cast<const char*>(data) + size);
    };
    auto put32 = [&put](uint32_t value) { put(&value, 4); };
    auto put16 = [&put](uint16_t value) { put(&value, 2); };
    put("RIFF", 4);
    put32(36 + dataSize);
    put("WAVEfmt ", 8);
    put32(16);
    put16(1);      // PCM
    put16(1);      // mono
    put32(8000);   // samples per second
    put32(8000);   // bytes per second
    put16(1);      // block align
    put16(8);      // bits per sample
    put("data", 4);
    put32(dataSize);
    bytes.insert(bytes.end(), dataSize, char(0x80));
    std::ofstream(path.c_str(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

TEST(MediaPlayerCommands, AWaveFilePlaysOrFailsWithAMessage) {
    ui::Form form(nullptr);
    auto& player = form.Create<ui::MediaPlayer>();
    const std::wstring path = WriteSilentWave();
    player.SetFileName(path);
    if (!player.Open()) {
        // No sound device on this machine: a message that says so, no crash.
        EXPECT_EQ(player.LastError().rfind(L"无法打开媒体文件", 0), 0u);
        EXPECT_FALSE(player.IsOpen());
    } else {
        EXPECT_TRUE(player.IsOpen());
        for (bool (ui::MediaPlayer::*command)() :
             {&ui::MediaPlayer::Play, &ui::MediaPlayer::Pause, &ui::MediaPlayer::Stop, &ui::MediaPlayer::Previous}) {
            if (!(player.*command)()) {
                EXPECT_EQ(player.LastError().rfind(L"媒体设备拒绝了该操作：", 0), 0u);
            }
        }
        EXPECT_TRUE(player.Close());
        EXPECT_FALSE(player.IsOpen());
    }
    DeleteFileW(path.c_str());
}

} // namespace
