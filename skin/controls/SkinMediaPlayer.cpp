#include "skin/controls/SkinMediaPlayer.h"

#include "skin/data/SkinData.h"
#include "ui/MediaPlayer.h"

namespace skin {

const ui::ClassInfo TWMediaPlayer::kClass{"TWMediaPlayer", &ui::WinControl::kClass};
const ui::ClassInfo TSkinMP::kClass{"TSkinMP", &TSkinControl::kClass};

// --- TWMediaPlayer -------------------------------------------------------------

TWMediaPlayer::TWMediaPlayer(ui::Component* owner, TSkinMP& painter, ui::MediaPlayer& player)
    : ui::WinControl(owner), painter_(painter), player_(&player) {
    visible_ = false;
}

void TWMediaPlayer::Align() {
    ui::MediaPlayer* player = player_.get();
    if (player == nullptr || player->Destroying()) {
        return;
    }
    if (Parent() != player->Parent()) {
        SetParent(player->Parent());
    }
    const RECT bounds = player->BoundsRect();
    SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    SetVisible(player->Visible() && painter_.Active());
    if (HandleAllocated()) {
        SetWindowPos(HandleIfAllocated(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TWMediaPlayer::Paint(HDC dc) {
    ui::MediaPlayer* player = player_.get();
    const RECT client = ClientRect();
    const int width = client.right;
    const int height = client.bottom;
    if (player == nullptr || width <= 0 || height <= 0) {
        return;
    }
    ui::Bitmap buffer(width, height);
    HDC target = buffer.GetCanvas().Handle();
    TSkinData* skin = painter_.SkinData();
    const ui::Color face = skin != nullptr ? skin->Colours[scButtonFace] : ui::clBtnFace;
    const ui::UniqueBrush faceBrush(CreateSolidBrush(ui::ColorToRgb(face)));
    FillRect(target, &client, faceBrush.get());
    const TDataSkinButton* buttons = skin != nullptr ? skin->Buttons.get() : nullptr;
    for (int i = 0; i < ui::kMPButtonCount; ++i) {
        const auto button = ui::MPBtnType(i);
        RECT slot = player->ButtonRect(button);
        if (IsRectEmpty(&slot)) {
            continue;
        }
        const ui::MPGlyphState state = player->GlyphStateOf(button);
        int frame = 1;
        if (state == ui::MPGlyphState::Disabled) {
            frame = 3;
        } else if (FPressed && FCurrent == i) {
            frame = 2;
        }
        if (buttons != nullptr && !buttons->Empty()) {
            DrawSkinFrame(target, slot, buttons->Bitmap, false, buttons->Tile != 0, buttons->Trans != 0,
                          buttons->FrameCount(), frame, buttons->Margins);
        } else {
            DrawFrameControl(target, &slot, DFC_BUTTON, DFCS_BUTTONPUSH | (frame == 2 ? DFCS_PUSHED : 0));
        }
        ui::MediaPlayer::DrawGlyph(target, button, slot, state);
    }
    BitBlt(dc, 0, 0, width, height, target, 0, 0, SRCCOPY);
}

void TWMediaPlayer::WndProc(ui::Message& message) {
    ui::MediaPlayer* player = player_.get();
    switch (message.msg) {
    case WM_PAINT:
        if (message.wParam != 0) {
            Paint(reinterpret_cast<HDC>(message.wParam));
        } else {
            ui::PaintDc dc(HandleIfAllocated());
            Paint(dc.get());
        }
        message.result = 0;
        return;
    case WM_ERASEBKGND:
        message.result = 1;
        return;
    case WM_LBUTTONDOWN: {
        if (player == nullptr) {
            break;
        }
        const POINT point{short(LOWORD(message.lParam)), short(HIWORD(message.lParam))};
        const ui::Ref<ui::Control> alive(this);
        player->Perform(WM_LBUTTONDOWN, message.wParam, message.lParam);
        if (!alive) {
            return;
        }
        FCurrent = player->ButtonAt(point);
        FPressed = FCurrent >= 0;
        // The release must come here, whatever the player captured.
        SetCapture(HandleIfAllocated());
        Invalidate();
        return;
    }
    case WM_LBUTTONUP: {
        const bool wasPressed = FPressed;
        const int pressed = FCurrent;
        FPressed = false;
        if (GetCapture() == HandleIfAllocated()) {
            ReleaseCapture();
        }
        Invalidate();
        const POINT point{short(LOWORD(message.lParam)), short(HIWORD(message.lParam))};
        if (player != nullptr && wasPressed && player->ButtonAt(point) == pressed) {
            player->Perform(WM_LBUTTONUP, message.wParam, message.lParam);
        }
        return;
    }
    default:
        break;
    }
    ui::WinControl::WndProc(message);
}

// --- TSkinMP -------------------------------------------------------------------

TSkinMP::~TSkinMP() { delete FPanel.get(); }

void TSkinMP::Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) {
    TSkinControl::Attach(form, skinData, ownBackground, canvas);
    auto* player = dynamic_cast<ui::MediaPlayer*>(FControl);
    if (!FAttached || player == nullptr || FPanel) {
        return;
    }
    auto* panel = new TWMediaPlayer(this, *this, *player);
    // The mapping passes over the panel.
    panel->tag = skinData != nullptr ? skinData->DisableTag : TSkinData::kDefaultDisableTag;
    FPanel = panel;
    panel->Align();
}

void TSkinMP::AfterMessage(ui::Message& message) {
    switch (message.msg) {
    case WM_WINDOWPOSCHANGED:
    case ui::CM_VISIBLECHANGED:
        if (TWMediaPlayer* panel = FPanel.get()) {
            panel->Align();
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinMP::Detach() {
    TSkinControl::Detach();
    delete FPanel.get();
}

void TSkinMP::SkinChanged() {
    TSkinControl::SkinChanged();
    if (TWMediaPlayer* panel = FPanel.get()) {
        panel->Invalidate();
    }
}

void TSkinMP::ActiveChanged() {
    if (TWMediaPlayer* panel = FPanel.get()) {
        panel->Align();
    }
}

} // namespace skin
