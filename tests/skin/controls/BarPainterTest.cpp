// The bar painters read back by pixel with a probe skin: progress bars
// (empty frame, filled part, standing bars filling from the bottom), status
// bars (bevel frames, simple text, size grip, panels drawn by the program),
// track bars through custom draw, and the header's hot item under real
// mouse input, on a toolkit header and on a list view's own header.

#include "skin/controls/PainterFactory.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinMessages.h"
#include "tests/skin/controls/BarTabProbeSkin.h"
#include "tests/skin/controls/ButtonPainterFixture.h"
#include "tests/support/MouseInput.h"
#include "ui/HeaderControl.h"
#include "ui/MediaPlayer.h"
#include "ui/ProgressBar.h"
#include "ui/StatusBar.h"
#include "ui/TrackBar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace {

using bartest::ElementCell;
using buttontest::Snapshot;
using testsupport::MoveMouseTo;
using testsupport::PumpUntil;

struct BarFixture : buttontest::FormFixture {
    skin::TSkinControl& Paint(ui::Control& control, skin::PainterKind kind) {
        skin::TSkinControl* painter = skin::CreatePainter(kind, &control);
        EXPECT_NE(painter, nullptr) << skin::PainterClassName(kind);
        painter->Attach(nullptr, probe.get(), false, nullptr);
        return *painter;
    }
    std::unique_ptr<skin::TSkinData> probe = bartest::ProbeSkin();
};

// ---------------------------------------------------------------- progress bars

TEST_F(BarFixture, ProgressBarShowsTheEmptyFrameAndFillsThePartDone) {
    const ui::Color empty = ElementCell(bartest::kProgress, 1);
    const ui::Color done = ElementCell(bartest::kProgress, 2);
    const struct {
        const char* name;
        bool vertical;
        int min, max, position;
        POINT probe;
        ui::Color expected;
    } cases[] = {
        {"range 0 to 0", false, 0, 0, 0, {5, 8}, empty},
        {"range 0 to 0, far end", false, 0, 0, 0, {95, 8}, empty},
        {"position 0", false, 0, 100, 0, {2, 8}, empty},
        {"half, start", false, 0, 100, 50, {10, 8}, done},
        {"half, end", false, 0, 100, 50, {90, 8}, empty},
        {"range 50 to 150 at 100: start", false, 50, 150, 100, {40, 8}, done},
        {"range 50 to 150 at 100: end", false, 50, 150, 100, {60, 8}, empty},
        {"full", false, 0, 100, 100, {98, 8}, done},
        {"standing, half: bottom", true, 0, 100, 50, {8, 90}, done},
        {"standing, half: top", true, 0, 100, 50, {8, 10}, empty},
        {"standing, a fifth: just above it", true, 0, 100, 20, {8, 75}, empty},
        {"standing, a fifth: inside it", true, 0, 100, 20, {8, 85}, done},
        {"standing, position 0", true, 0, 100, 0, {8, 98}, empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& bar = form.Create<ui::ProgressBar>();
        bar.SetParent(&form);
        bar.SetOrientation(c.vertical ? ui::BarOrientation::Vertical : ui::BarOrientation::Horizontal);
        bar.SetBounds(10, 10, c.vertical ? 16 : 100, c.vertical ? 100 : 16);
        bar.SetRange(c.min, c.max);
        bar.SetPosition(c.position);
        Paint(bar, skin::PainterKind::Progress);
        const ui::Bitmap shot = Snapshot(bar.Handle());
        EXPECT_EQ(shot.PixelAt(c.probe.x, c.probe.y), c.expected);
        delete &bar;
    }
}

TEST_F(BarFixture, ProgressBarWithoutAProgressPictureStaysNative) {
    probe->Progress.reset();
    auto& bar = form.Create<ui::ProgressBar>();
    bar.SetParent(&form);
    bar.SetBounds(10, 10, 100, 16);
    bar.SetPosition(50);
    Paint(bar, skin::PainterKind::Progress);
    const ui::Bitmap shot = Snapshot(bar.Handle());
    // The native bar drew over the white snapshot: not the probe's colours.
    EXPECT_NE(shot.PixelAt(10, 8), ElementCell(bartest::kProgress, 2));
    EXPECT_NE(shot.PixelAt(10, 8), bartest::kFace);
}

// ---------------------------------------------------------------- status bars

TEST_F(BarFixture, StatusBarFramesPanelsByBevelAndDrawsTheGrip) {
    auto& bar = form.Create<ui::StatusBar>();
    bar.SetParent(&form);
    bar.SetAlign(ui::Align::None);
    bar.SetBounds(0, 100, 300, 22);
    bar.AddPanel({L"", 80, ui::PanelBevel::Lowered});
    bar.AddPanel({L"", 80, ui::PanelBevel::Raised});
    bar.AddPanel({L"", 80, ui::PanelBevel::None});
    bar.AddPanel({L"", 60, ui::PanelBevel::Lowered, ui::Alignment::Left, ui::PanelStyle::OwnerDraw});
    RECT drawnPanel{};
    int drawnIndex = -1;
    bar.OnDrawPanel = [&](ui::StatusBar&, int panel, const RECT& rect) {
        drawnIndex = panel;
        drawnPanel = rect;
    };
    Paint(bar, skin::PainterKind::StatusBar);
    const ui::Bitmap shot = Snapshot(bar.Handle());
    const HWND window = bar.Handle();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        RECT part{};
        SendMessageW(window, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&part));
        EXPECT_EQ(shot.PixelAt(part.left + 4, part.top + 1), ElementCell(bartest::kEdges, i + 1));
    }
    // The grip: cell 5 of the extra images in the bottom-right corner.
    EXPECT_EQ(shot.PixelAt(297, 19), ElementCell(bartest::kExtra, 5));
    // The panel drawn by the program gets its rectangle inset by 2.
    RECT last{};
    SendMessageW(window, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(drawnIndex, 3);
    EXPECT_EQ(drawnPanel.left, last.left + 2);
    EXPECT_EQ(drawnPanel.top, last.top + 2);
}

TEST_F(BarFixture, SimpleStatusBarIsOnePanelWithoutGripWhenItHasNone) {
    auto& bar = form.Create<ui::StatusBar>();
    bar.SetParent(&form);
    bar.SetAlign(ui::Align::None);
    bar.SetBounds(0, 100, 300, 22);
    bar.SetSizeGrip(false);
    bar.AddPanel({L"左", 80, ui::PanelBevel::Raised});
    bar.SetSimplePanel(true);
    bar.SetSimpleText(L"就绪");
    Paint(bar, skin::PainterKind::StatusBar);
    const ui::Bitmap shot = Snapshot(bar.Handle());
    EXPECT_EQ(shot.PixelAt(1, 1), ElementCell(bartest::kEdges, 1));
    EXPECT_EQ(shot.PixelAt(150, 1), ElementCell(bartest::kEdges, 1));
    EXPECT_EQ(shot.PixelAt(297, 19), ElementCell(bartest::kEdges, 1));
    // Some text was written in the panel.
    int dark = 0;
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 22; ++y) {
            dark += shot.PixelAt(x, y) == ui::clBlack ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 0);
}

// ---------------------------------------------------------------- track bars

TEST_F(BarFixture, TrackBarChannelAndThumbComeFromTheSkin) {
    auto& bar = form.Create<ui::TrackBar>();
    bar.SetParent(&form);
    bar.SetBounds(10, 10, 200, 40);
    bar.SetRange(0, 10);
    bar.SetPosition(5);
    Paint(bar, skin::PainterKind::TrackBar);
    const ui::Bitmap shot = Snapshot(bar.Handle());
    RECT thumb{};
    SendMessageW(bar.Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    RECT channel{};
    SendMessageW(bar.Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    EXPECT_EQ(shot.PixelAt((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
              ElementCell(bartest::kThumb, 2));
    EXPECT_EQ(shot.PixelAt(channel.left + 3, (channel.top + channel.bottom) / 2), ElementCell(bartest::kTrack, 1));
}

// ---------------------------------------------------------------- headers

struct HeaderFixture : BarFixture {
    HeaderFixture() { MoveMouseTo(POINT{5, 5}); }
    // The hot cell at the middle height of item i's centre.
    static ui::Color ItemColour(HWND header, int item) {
        RECT rect{};
        SendMessageW(header, HDM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&rect));
        return Snapshot(header).PixelAt(rect.left + 4, rect.top + 1);
    }
    static POINT ScreenPointIn(HWND header, int item, int dx) {
        RECT rect{};
        SendMessageW(header, HDM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&rect));
        POINT point{rect.left + dx, (rect.top + rect.bottom) / 2};
        ClientToScreen(header, &point);
        return point;
    }
    // Real mouse moves over the header: the hot item follows entering.
    void CheckHotTracking(skin::TSkinHeader& painter, HWND header) {
        const ui::Color normal = ElementCell(bartest::kHeader, 1);
        const ui::Color hot = ElementCell(bartest::kHeader, 2);
        EXPECT_EQ(painter.HotItem(), -1);

        ASSERT_TRUE(MoveMouseTo(ScreenPointIn(header, 0, 20)));
        EXPECT_TRUE(PumpUntil([&] { return painter.HotItem() == 0; }));
        EXPECT_EQ(ItemColour(header, 0), hot);
        EXPECT_EQ(ItemColour(header, 1), normal);

        // Within the item, and on the divider strip next to it: no change.
        ASSERT_TRUE(MoveMouseTo(ScreenPointIn(header, 0, 40)));
        testsupport::PumpPostedMessages();
        EXPECT_EQ(painter.HotItem(), 0);
        ASSERT_TRUE(MoveMouseTo(ScreenPointIn(header, 1, 1)));
        testsupport::PumpPostedMessages();
        EXPECT_EQ(painter.HotItem(), 0);

        ASSERT_TRUE(MoveMouseTo(ScreenPointIn(header, 1, 30)));
        EXPECT_TRUE(PumpUntil([&] { return painter.HotItem() == 1; }));
        EXPECT_EQ(ItemColour(header, 0), normal);
        EXPECT_EQ(ItemColour(header, 1), hot);

        // Leaving the header clears it.
        RECT window{};
        GetWindowRect(header, &window);
        ASSERT_TRUE(MoveMouseTo(POINT{window.left + 20, window.bottom + 60}));
        EXPECT_TRUE(PumpUntil([&] { return painter.HotItem() == -1; }));
        EXPECT_EQ(ItemColour(header, 0), normal);
        EXPECT_EQ(ItemColour(header, 1), normal);
    }
};

TEST_F(HeaderFixture, ToolkitHeaderHotItemFollowsTheMouse) {
    auto& header = form.Create<ui::HeaderControl>();
    header.SetParent(&form);
    header.SetAlign(ui::Align::None);
    header.SetBounds(10, 10, 300, 24);
    header.AddSection({L"名称", 100});
    header.AddSection({L"大小", 100, ui::Alignment::Right});
    header.AddSection({L"日期", 80, ui::Alignment::Center});
    auto& painter = static_cast<skin::TSkinHeader&>(Paint(header, skin::PainterKind::Header));
    CheckHotTracking(painter, header.Handle());
}

TEST_F(HeaderFixture, ListViewHeaderAttachedByWindowTracksTheMouseToo) {
    const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 300, 120,
                                      form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    const wchar_t* titles[] = {L"名称", L"大小", L"日期"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<wchar_t*>(titles[i]);
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    std::unique_ptr<skin::TSkinControl> made(skin::CreatePainter(skin::PainterKind::Header, nullptr));
    auto* painter = dynamic_cast<skin::TSkinHeader*>(made.get());
    ASSERT_NE(painter, nullptr);
    painter->AttachWindow(header, probe.get(), nullptr, nullptr);
    testsupport::PumpPostedMessages();
    CheckHotTracking(*painter, header);
    made.reset();
    DestroyWindow(list);
}

// ---------------------------------------------------------------- media player

struct MediaFixture : BarFixture {
    MediaFixture() {
        player.SetParent(&form);
        player.SetBounds(10, 10, 270, 30);
        player.SetEnabledButtons(ui::kAllMPButtons & ~ui::MPButton(ui::MPBtnType::btRecord));
        player.OnClick = [this](ui::MediaPlayer&, ui::MPBtnType button, bool& doDefault) {
            clicked.push_back(button);
            doDefault = false;
        };
        painter = dynamic_cast<skin::TSkinMP*>(&Paint(player, skin::PainterKind::MediaPlayer));
        MoveMouseTo(POINT{5, 5});
    }
    POINT SlotPoint(ui::MPBtnType button) {
        const RECT slot = player.ButtonRect(button);
        POINT point{(slot.left + slot.right) / 2, (slot.top + slot.bottom) / 2};
        ClientToScreen(player.Handle(), &point);
        return point;
    }
    void PressAt(POINT down, POINT up) {
        ASSERT_TRUE(MoveMouseTo(down));
        testsupport::SendMouse(down, MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(MoveMouseTo(up));
        testsupport::SendMouse(up, MOUSEEVENTF_LEFTUP);
        testsupport::PumpPostedMessages();
    }

    ui::MediaPlayer& player = form.Create<ui::MediaPlayer>();
    skin::TSkinMP* painter = nullptr;
    std::vector<ui::MPBtnType> clicked;
};

TEST_F(MediaFixture, PanelLiesOverThePlayerAndDrawsButtonsFromTheSkin) {
    ASSERT_NE(painter, nullptr);
    skin::TWMediaPlayer* panel = painter->Panel();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(panel->Handle()) != FALSE; }));
    EXPECT_EQ(GetParent(panel->Handle()), form.Handle());
    // Over the player: the window at the player's centre is the panel.
    EXPECT_EQ(WindowFromPoint(testsupport::ScreenCentre(player.Handle())), panel->Handle());
    const ui::Bitmap shot = Snapshot(panel->Handle());
    const RECT play = player.ButtonRect(ui::MPBtnType::btPlay);
    const RECT record = player.ButtonRect(ui::MPBtnType::btRecord);
    EXPECT_EQ(shot.PixelAt(play.left + 2, play.top + 2), ElementCell(bartest::kButtons, 1));
    EXPECT_EQ(shot.PixelAt(record.left + 2, record.top + 2), ElementCell(bartest::kButtons, 3));

    // It follows the player.
    player.SetBounds(20, 50, 270, 30);
    EXPECT_EQ(panel->Left(), 20);
    EXPECT_EQ(panel->Top(), 50);
    player.Hide();
    EXPECT_FALSE(panel->Visible());
    player.Show();
    EXPECT_TRUE(panel->Visible());
}

TEST_F(MediaFixture, SwitchedOffThePainterHidesItsPanelAndOnShowsItAgain) {
    ASSERT_NE(painter, nullptr);
    const HWND panel = painter->Panel()->Handle();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(panel) != FALSE; }));
    const POINT centre = testsupport::ScreenCentre(player.Handle());
    SendMessageW(player.Handle(), skin::SKM_ENABLE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(panel));
    EXPECT_EQ(WindowFromPoint(centre), player.Handle());
    // The player's own buttons take the clicks again.
    PressAt(SlotPoint(ui::MPBtnType::btStop), SlotPoint(ui::MPBtnType::btStop));
    EXPECT_EQ(clicked.size(), 1u);
    // Moving the player while off leaves the panel hidden.
    player.SetBounds(20, 50, 270, 30);
    EXPECT_FALSE(IsWindowVisible(panel));

    SendMessageW(player.Handle(), skin::SKM_ENABLE, 1, 0);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(painter->Panel()->Left(), 20);
    EXPECT_EQ(WindowFromPoint(testsupport::ScreenCentre(player.Handle())), panel);
}

TEST_F(MediaFixture, ClicksThroughThePanelReachThePlayerOnlyOverTheSameButton) {
    PressAt(SlotPoint(ui::MPBtnType::btStop), SlotPoint(ui::MPBtnType::btStop));
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], ui::MPBtnType::btStop);
    PressAt(SlotPoint(ui::MPBtnType::btPlay), SlotPoint(ui::MPBtnType::btNext));
    EXPECT_EQ(clicked.size(), 1u);
    EXPECT_EQ(painter->Panel()->PressedButton(), -1);
    // A disabled button does nothing.
    PressAt(SlotPoint(ui::MPBtnType::btRecord), SlotPoint(ui::MPBtnType::btRecord));
    EXPECT_EQ(clicked.size(), 1u);
}

} // namespace
