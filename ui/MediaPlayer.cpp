#include "ui/MediaPlayer.h"

#include <mmsystem.h>

#include <array>
#include <string_view>

namespace ui {
namespace {

constexpr std::array<std::string_view, kMPButtonCount> kButtonNames{
    "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"};

// Colours of the coloured glyphs, by button.
constexpr std::array<COLORREF, kMPButtonCount> kGlyphColours{
    RGB(0, 128, 0),   RGB(200, 160, 0), RGB(160, 0, 0), RGB(0, 0, 160), RGB(0, 0, 160),
    RGB(0, 0, 160),   RGB(0, 0, 160),   RGB(200, 0, 0), RGB(0, 0, 160)};

template <MPButtonSet (MediaPlayer::*get)() const, void (MediaPlayer::*set)(MPButtonSet)>
constexpr PropertyInfo SetProperty(std::string_view name) {
    return {name, [](const Component& c) { return MPButtonSetToText((static_cast<const MediaPlayer&>(c).*get)()); },
            [](Component& c, std::string_view v) { (static_cast<MediaPlayer&>(c).*set)(MPButtonSetFromText(v)); }};
}

const PropertyInfo kMediaPlayerProperties[] = {
    SetProperty<&MediaPlayer::VisibleButtons, &MediaPlayer::SetVisibleButtons>("VisibleButtons"),
    SetProperty<&MediaPlayer::EnabledButtons, &MediaPlayer::SetEnabledButtons>("EnabledButtons"),
    SetProperty<&MediaPlayer::ColoredButtons, &MediaPlayer::SetColoredButtons>("ColoredButtons"),
    {"FileName", [](const Component& c) { return WideToUtf8(static_cast<const MediaPlayer&>(c).FileName()); },
     [](Component& c, std::string_view v) { static_cast<MediaPlayer&>(c).SetFileName(Utf8ToWide(v)); }},
};

const ClassInfo kCustomMediaPlayer{"TCustomMediaPlayer", &WinControl::kClass};

int VisibleCount(MPButtonSet set) {
    int count = 0;
    for (int i = 0; i < kMPButtonCount; ++i) {
        count += (set >> i) & 1;
    }
    return count;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

int NextAliasNumber() {
    static int number = 0;
    return ++number;
}

} // namespace

std::string MPButtonSetToText(MPButtonSet set) {
    std::string text = "[";
    for (int i = 0; i < kMPButtonCount; ++i) {
        if ((set >> i) & 1) {
            if (text.size() > 1) {
                text += ",";
            }
            text += kButtonNames[size_t(i)];
        }
    }
    return text + "]";
}

MPButtonSet MPButtonSetFromText(std::string_view text) {
    text = Trim(text);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']') {
        throw PropertyError("not a button set: " + std::string(text));
    }
    text = text.substr(1, text.size() - 2);
    MPButtonSet set = 0;
    while (!Trim(text).empty()) {
        const size_t comma = text.find(',');
        const std::string_view name = Trim(text.substr(0, comma));
        bool known = false;
        for (int i = 0; i < kMPButtonCount; ++i) {
            if (SameAscii(name, kButtonNames[size_t(i)])) {
                set |= MPButtonSet(1u << i);
                known = true;
            }
        }
        if (!known) {
            throw PropertyError("not a media button: " + std::string(name));
        }
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    return set;
}

const ClassInfo MediaPlayer::kClass{"TMediaPlayer", &kCustomMediaPlayer, kMediaPlayerProperties};

MediaPlayer::MediaPlayer(Component* owner) : WinControl(owner) {
    tabStop = true;
    bounds_ = RECT{0, 0, 253, 30};
}

MediaPlayer::~MediaPlayer() {
    if (IsOpen()) {
        mciSendStringW((L"close " + alias_).c_str(), nullptr, 0, nullptr);
    }
}

void MediaPlayer::SetVisibleButtons(MPButtonSet set) {
    visible_ = set & kAllMPButtons;
    Invalidate();
}

void MediaPlayer::SetEnabledButtons(MPButtonSet set) {
    enabled_ = set & kAllMPButtons;
    Invalidate();
}

void MediaPlayer::SetColoredButtons(MPButtonSet set) {
    colored_ = set & kAllMPButtons;
    Invalidate();
}

bool MediaPlayer::Command(const std::wstring& verb, const std::wstring& arguments) {
    if (!IsOpen()) {
        lastError_ = L"媒体文件尚未打开，无法执行该操作。";
        return false;
    }
    std::wstring command = verb + L" " + alias_;
    if (!arguments.empty()) {
        command += L" " + arguments;
    }
    const MCIERROR error = mciSendStringW(command.c_str(), nullptr, 0, nullptr);
    if (error != 0) {
        wchar_t text[256] = {};
        mciGetErrorStringW(error, text, 255);
        lastError_ = L"媒体设备拒绝了该操作：" + std::wstring(text);
        return false;
    }
    lastError_.clear();
    return true;
}

bool MediaPlayer::Open() {
    if (fileName_.empty()) {
        lastError_ = L"没有指定要打开的媒体文件。";
        return false;
    }
    if (fileName_.find(L'"') != std::wstring::npos) {
        lastError_ = L"媒体文件名不能含有双引号。";
        return false;
    }
    Close();
    const std::wstring alias = L"vocara_media" + std::to_wstring(NextAliasNumber());
    const std::wstring command = L"open \"" + fileName_ + L"\" alias " + alias;
    const MCIERROR error = mciSendStringW(command.c_str(), nullptr, 0, nullptr);
    if (error != 0) {
        wchar_t text[256] = {};
        mciGetErrorStringW(error, text, 255);
        lastError_ = L"无法打开媒体文件“" + fileName_ + L"”：" + std::wstring(text);
        return false;
    }
    alias_ = alias;
    lastError_.clear();
    return true;
}

bool MediaPlayer::Close() {
    if (!IsOpen()) {
        return true;
    }
    const bool done = Command(L"close");
    alias_.clear();
    return done;
}

bool MediaPlayer::Play() { return Command(L"play"); }
bool MediaPlayer::Pause() { return Command(L"pause"); }
bool MediaPlayer::Stop() { return Command(L"stop"); }
bool MediaPlayer::Next() { return Command(L"seek", L"to end"); }
bool MediaPlayer::Previous() { return Command(L"seek", L"to start"); }
bool MediaPlayer::Step() { return Command(L"step", L"by 1"); }
bool MediaPlayer::Back() { return Command(L"step", L"reverse by 1"); }
bool MediaPlayer::StartRecording() { return Command(L"record"); }
bool MediaPlayer::Eject() { return Command(L"set", L"door open"); }

void MediaPlayer::ClickButton(MPBtnType button) {
    const MPButtonSet bit = MPButton(button);
    if ((visible_ & bit) == 0 || (enabled_ & bit) == 0) {
        return;
    }
    bool doDefault = true;
    if (OnClick && !Destroying()) {
        OnClick(*this, button, doDefault);
    }
    if (!doDefault || Destroying()) {
        return;
    }
    bool done = true;
    switch (button) {
    case MPBtnType::btPlay: done = Play(); break;
    case MPBtnType::btPause: done = Pause(); break;
    case MPBtnType::btStop: done = Stop(); break;
    case MPBtnType::btNext: done = Next(); break;
    case MPBtnType::btPrev: done = Previous(); break;
    case MPBtnType::btStep: done = Step(); break;
    case MPBtnType::btBack: done = Back(); break;
    case MPBtnType::btRecord: done = StartRecording(); break;
    case MPBtnType::btEject: done = Eject(); break;
    }
    if (done) {
        return;
    }
    if (OnError) {
        OnError(*this, lastError_);
    } else {
        MessageBoxW(HandleIfAllocated(), lastError_.c_str(), L"媒体播放器", MB_OK | MB_ICONWARNING);
    }
}

int MediaPlayer::ButtonAt(POINT point) const {
    const RECT client = ClientRect();
    if (!PtInRect(&client, point)) {
        return -1;
    }
    for (int i = 0; i < kMPButtonCount; ++i) {
        const RECT slot = ButtonRect(MPBtnType(i));
        if (!IsRectEmpty(&slot) && PtInRect(&slot, point)) {
            return i;
        }
    }
    return -1;
}

RECT MediaPlayer::ButtonRect(MPBtnType button) const {
    const int count = VisibleCount(visible_);
    if ((visible_ & MPButton(button)) == 0 || count == 0) {
        return RECT{};
    }
    const RECT client = ClientRect();
    const int width = (client.right - client.left) / count;
    int slot = 0;
    for (int i = 0; i < int(button); ++i) {
        slot += (visible_ >> i) & 1;
    }
    return RECT{slot * width, 0, (slot + 1) * width, client.bottom};
}

MPGlyphState MediaPlayer::GlyphStateOf(MPBtnType button) const {
    if (!Enabled() || (enabled_ & MPButton(button)) == 0) {
        return MPGlyphState::Disabled;
    }
    return (colored_ & MPButton(button)) != 0 ? MPGlyphState::Colored : MPGlyphState::Plain;
}

void MediaPlayer::DrawGlyph(HDC dc, MPBtnType button, const RECT& rect, MPGlyphState state) {
    COLORREF colour = RGB(0, 0, 0);
    if (state == MPGlyphState::Colored) {
        colour = kGlyphColours[size_t(button)];
    } else if (state == MPGlyphState::Disabled) {
        colour = GetSysColor(COLOR_GRAYTEXT);
    }
    const UniqueBrush brush(CreateSolidBrush(colour));
    const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    const SelectObjectScope selectBrush(dc, brush.get());
    const SelectObjectScope selectPen(dc, pen.get());
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    auto triangle = [dc](int tipX, int baseX, int y) {
        const POINT points[3] = {{baseX, y - 4}, {baseX, y + 4}, {tipX, y}};
        Polygon(dc, points, 3);
    };
    auto bar = [dc](int left, int top, int right, int bottom) { Rectangle(dc, left, top, right, bottom); };
    switch (button) {
    case MPBtnType::btPlay: triangle(cx + 4, cx - 3, cy); break;
    case MPBtnType::btPause:
        bar(cx - 4, cy - 4, cx - 1, cy + 5);
        bar(cx + 1, cy - 4, cx + 4, cy + 5);
        break;
    case MPBtnType::btStop: bar(cx - 4, cy - 4, cx + 5, cy + 5); break;
    case MPBtnType::btNext:
        triangle(cx + 2, cx - 5, cy);
        bar(cx + 3, cy - 4, cx + 5, cy + 5);
        break;
    case MPBtnType::btPrev:
        triangle(cx - 2, cx + 5, cy);
        bar(cx - 5, cy - 4, cx - 3, cy + 5);
        break;
    case MPBtnType::btStep:
        triangle(cx, cx - 6, cy);
        triangle(cx + 6, cx, cy);
        break;
    case MPBtnType::btBack:
        triangle(cx, cx + 6, cy);
        triangle(cx - 6, cx, cy);
        break;
    case MPBtnType::btRecord: Ellipse(dc, cx - 4, cy - 4, cx + 5, cy + 5); break;
    case MPBtnType::btEject: {
        const POINT points[3] = {{cx - 5, cy + 1}, {cx + 5, cy + 1}, {cx, cy - 5}};
        Polygon(dc, points, 3);
        bar(cx - 5, cy + 3, cx + 6, cy + 5);
        break;
    }
    }
}

void MediaPlayer::Paint(HDC dc) {
    RECT client = ClientRect();
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (int i = 0; i < kMPButtonCount; ++i) {
        RECT slot = ButtonRect(MPBtnType(i));
        if (IsRectEmpty(&slot)) {
            continue;
        }
        DrawFrameControl(dc, &slot, DFC_BUTTON, DFCS_BUTTONPUSH | (i == pressed_ ? DFCS_PUSHED : 0));
        DrawGlyph(dc, MPBtnType(i), slot, GlyphStateOf(MPBtnType(i)));
    }
}

void MediaPlayer::WndProc(Message& message) {
    switch (message.msg) {
    case WM_PAINT: {
        if (message.wParam != 0) {
            Paint(reinterpret_cast<HDC>(message.wParam));
        } else {
            PaintDc dc(HandleIfAllocated());
            Paint(dc.get());
        }
        message.result = 0;
        return;
    }
    case WM_LBUTTONDOWN: {
        MouseMessage(message, false);
        const POINT point{short(LOWORD(message.lParam)), short(HIWORD(message.lParam))};
        pressed_ = ButtonAt(point);
        if (pressed_ >= 0 && (enabled_ & MPButton(MPBtnType(pressed_))) == 0) {
            pressed_ = -1;
        }
        if (HandleAllocated()) {
            SetCapture(HandleIfAllocated());
        }
        Invalidate();
        return;
    }
    case WM_LBUTTONUP: {
        const int pressed = pressed_;
        pressed_ = -1;
        if (GetCapture() == HandleIfAllocated()) {
            ReleaseCapture();
        }
        Invalidate();
        const POINT point{short(LOWORD(message.lParam)), short(HIWORD(message.lParam))};
        const Ref<Control> alive(this);
        MouseMessage(message, false);
        if (alive && pressed >= 0 && ButtonAt(point) == pressed) {
            ClickButton(MPBtnType(pressed));
        }
        return;
    }
    default:
        WinControl::WndProc(message);
        return;
    }
}

} // namespace ui
