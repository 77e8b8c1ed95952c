#include "ui/StatusBar.h"

#include "ui/CommonControls.h"

#include <commctrl.h>

namespace ui {
namespace {

const PropertyInfo kStatusBarProperties[] = {
    {"SimpleText", [](const Component& c) { return WideToUtf8(static_cast<const StatusBar&>(c).SimpleText()); },
     [](Component& c, std::string_view v) { static_cast<StatusBar&>(c).SetSimpleText(Utf8ToWide(v)); }},
    {"SimplePanel", [](const Component& c) { return BoolToText(static_cast<const StatusBar&>(c).SimplePanel()); },
     [](Component& c, std::string_view v) { static_cast<StatusBar&>(c).SetSimplePanel(TextToBool(v)); }},
    {"SizeGrip", [](const Component& c) { return BoolToText(static_cast<const StatusBar&>(c).SizeGrip()); },
     [](Component& c, std::string_view v) { static_cast<StatusBar&>(c).SetSizeGrip(TextToBool(v)); }},
};

const ClassInfo kCustomStatusBar{"TCustomStatusBar", &WinControl::kClass, kStatusBarProperties};

// The native bar aligns a panel's text by leading tabs.
std::wstring AlignedText(const StatusPanel& panel) {
    switch (panel.alignment) {
    case Alignment::Center: return L"\t" + panel.text;
    case Alignment::Right: return L"\t\t" + panel.text;
    default: return panel.text;
    }
}

WPARAM TextType(const StatusPanel& panel) {
    WPARAM type = 0;
    if (panel.bevel == PanelBevel::Raised) type |= SBT_POPOUT;
    if (panel.bevel == PanelBevel::None) type |= SBT_NOBORDERS;
    if (panel.style == PanelStyle::OwnerDraw) type |= SBT_OWNERDRAW;
    return type;
}

} // namespace

const ClassInfo StatusBar::kClass{"TStatusBar", &kCustomStatusBar};

StatusBar::StatusBar(Component* owner) : WinControl(owner) {
    bounds_ = RECT{0, 0, 200, 19};
    align_ = Align::Bottom;
}

void StatusBar::CreateParams(WindowCreateParams& params) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    WinControl::CreateParams(params);
    params.baseClass = STATUSCLASSNAMEW;
    // The toolkit places the bar; the native one must not move itself.
    params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (sizeGrip_) {
        params.style |= SBARS_SIZEGRIP;
    }
}

void StatusBar::HandleCreated() {
    WinControl::HandleCreated();
    ApplyPanels();
}

void StatusBar::AddPanel(const StatusPanel& panel) {
    panels_.push_back(panel);
    ApplyPanels();
}

void StatusBar::SetPanel(int index, const StatusPanel& panel) {
    if (index < 0 || index >= PanelCount()) {
        return;
    }
    panels_[size_t(index)] = panel;
    ApplyPanels();
}

void StatusBar::SetPanelText(int index, const std::wstring& text) {
    if (index < 0 || index >= PanelCount()) {
        return;
    }
    panels_[size_t(index)].text = text;
    ApplyPanelText(index);
}

void StatusBar::ClearPanels() {
    panels_.clear();
    ApplyPanels();
}

void StatusBar::SetSimpleText(const std::wstring& text) {
    simpleText_ = text;
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        Invalidate();
    }
}

void StatusBar::SetSimplePanel(bool on) {
    simplePanel_ = on;
    ApplyPanels();
}

void StatusBar::SetSizeGrip(bool on) {
    if (sizeGrip_ == on) {
        return;
    }
    sizeGrip_ = on;
    if (HandleAllocated()) {
        const HWND window = HandleIfAllocated();
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        SetWindowLongPtrW(window, GWL_STYLE, on ? (style | SBARS_SIZEGRIP) : (style & ~LONG_PTR(SBARS_SIZEGRIP)));
        Invalidate();
    }
}

void StatusBar::ApplyPanels() {
    if (!HandleAllocated()) {
        return;
    }
    const HWND window = HandleIfAllocated();
    const bool simple = simplePanel_ || panels_.empty();
    SendMessageW(window, SB_SIMPLE, simple ? TRUE : FALSE, 0);
    SendMessageW(window, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    if (!panels_.empty()) {
        // Right edges; the last panel reaches the end of the bar.
        std::vector<int> edges;
        int right = 0;
        for (const StatusPanel& panel : panels_) {
            right += panel.width < 0 ? 0 : panel.width;
            edges.push_back(right);
        }
        edges.back() = -1;
        SendMessageW(window, SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
        for (int i = 0; i < PanelCount(); ++i) {
            ApplyPanelText(i);
        }
    }
    Invalidate();
}

void StatusBar::ApplyPanelText(int index) {
    if (!HandleAllocated()) {
        return;
    }
    const StatusPanel& panel = panels_[size_t(index)];
    const std::wstring text = AlignedText(panel);
    const WPARAM type = TextType(panel);
    // Owner-drawn parts carry the panel index instead of text.
    const LPARAM value = panel.style == PanelStyle::OwnerDraw ? LPARAM(index) : reinterpret_cast<LPARAM>(text.c_str());
    SendMessageW(HandleIfAllocated(), SB_SETTEXTW, WPARAM(index) | type, value);
}

void StatusBar::DrawPanel(HDC dc, int panel, const RECT& rect) {
    if (!OnDrawPanel || Destroying() || panel < 0 || panel >= PanelCount()) {
        return;
    }
    canvas_.SetHandle(dc);
    try {
        OnDrawPanel(*this, panel, rect);
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
}

void StatusBar::BoundsChanged(const RECT& previous) {
    WinControl::BoundsChanged(previous);
    if (HandleAllocated()) {
        SendMessageW(HandleIfAllocated(), WM_SIZE, 0, 0);
    }
}

void StatusBar::WndProc(Message& message) {
    if (message.msg == CN_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
        DrawPanel(draw->hDC, int(draw->itemID), draw->rcItem);
        message.result = TRUE;
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
