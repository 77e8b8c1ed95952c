#include "ui/ToolBar.h"

#include "ui/Menus.h"
#include "ui/png/PngImageList.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace ui {
namespace {

bool SameAscii(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

constexpr std::array<std::pair<ToolButtonStyle, std::string_view>, 2> kStyleNames{{
    {ToolButtonStyle::Button, "tbsButton"},
    {ToolButtonStyle::Separator, "tbsSeparator"},
}};

const PropertyInfo kToolButtonProperties[] = {
    {"Style",
     [](const Component& c) {
         const ToolButtonStyle style = static_cast<const ToolButton&>(c).Style();
         for (const auto& [value, name] : kStyleNames) {
             if (value == style) {
                 return std::string(name);
             }
         }
         return std::string(kStyleNames[0].second);
     },
     [](Component& c, std::string_view v) {
         for (const auto& [value, name] : kStyleNames) {
             if (SameAscii(name, v)) {
                 static_cast<ToolButton&>(c).SetStyle(value);
                 return;
             }
         }
         throw PropertyError("not a tool button style: " + std::string(v));
     }},
};

const PropertyInfo kToolBarProperties[] = {
    {"Flat",
     [](const Component& c) { return BoolToText(static_cast<const ToolBar&>(c).Flat()); },
     [](Component& c, std::string_view v) { static_cast<ToolBar&>(c).SetFlat(TextToBool(v)); }},
};

const ClassInfo kToolWindow{"TToolWindow", &WinControl::kClass};

constexpr std::array<std::pair<UINT, CustomDrawState>, 9> kItemStates{{
    {CDIS_SELECTED, cdsSelected},
    {CDIS_GRAYED, cdsGrayed},
    {CDIS_DISABLED, cdsDisabled},
    {CDIS_CHECKED, cdsChecked},
    {CDIS_FOCUS, cdsFocused},
    {CDIS_DEFAULT, cdsDefault},
    {CDIS_HOT, cdsHot},
    {CDIS_MARKED, cdsMarked},
    {CDIS_INDETERMINATE, cdsIndeterminate},
}};

CustomDrawState StateOf(UINT itemState) {
    CustomDrawState state = 0;
    for (const auto& [native, ours] : kItemStates) {
        if (itemState & native) {
            state |= ours;
        }
    }
    return state;
}

// Command ids of tool buttons; 0 is left to the placeholders.
WORD NextCommand() {
    static WORD command = 0;
    if (++command == 0) {
        command = 1;
    }
    return command;
}

void EnsureBarClasses() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

// Sets a flag for the length of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(std::exchange(flag, true)) {}
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    ~FlagScope() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};

} // namespace

const ClassInfo ToolButton::kClass{"TToolButton", &GraphicControl::kClass, kToolButtonProperties};
const ClassInfo ToolBar::kClass{"TToolBar", &kToolWindow, kToolBarProperties};

// --- ToolButton ----------------------------------------------------------------

ToolButton::ToolButton(Component* owner) : GraphicControl(owner), command_(NextCommand()) {
    bounds_ = RECT{0, 0, 23, 22};
    separatorWidth_ = Width();
}

ToolButton::~ToolButton() {
    // Leave the bar while this is still a tool button, so its native button
    // goes with it.
    if (ToolBar* bar = Bar()) {
        GraphicControl::SetParent(nullptr);
        bar->SyncItems();
    }
}

void ToolButton::SetParent(WinControl* parent) {
    ToolBar* before = Bar();
    GraphicControl::SetParent(parent);
    if (before != nullptr && before != Bar()) {
        before->SyncItems();
    }
    if (ToolBar* bar = Bar()) {
        bar->SyncItems();
    }
}

ToolBar* ToolButton::Bar() const { return dynamic_cast<ToolBar*>(Parent()); }

int ToolButton::Index() const {
    const ToolBar* bar = Bar();
    if (bar == nullptr) {
        return -1;
    }
    for (int i = 0; i < bar->ButtonCount(); ++i) {
        if (bar->Buttons(i) == this) {
            return i;
        }
    }
    return -1;
}

void ToolButton::SetImageIndex(int index) {
    if (index == imageIndex_) {
        return;
    }
    imageIndex_ = index;
    if (ToolBar* bar = Bar()) {
        bar->ButtonImageChanged(*this);
    }
}

void ToolButton::SetStyle(ToolButtonStyle style) {
    if (style == style_) {
        return;
    }
    style_ = style;
    if (ToolBar* bar = Bar()) {
        bar->ButtonChanged(*this);
    }
}

MenuItem* ToolButton::MenuItem() const { return static_cast<ui::MenuItem*>(menuItem_.get()); }

void ToolButton::SetMenuItem(ui::MenuItem* item) { menuItem_ = item; }

void ToolButton::Click() { GraphicControl::Click(); }

// The native control draws the button.
void ToolButton::Paint(Canvas&) {}

void ToolButton::WndProc(Message& message) {
    // The native button reports the click as WM_COMMAND; the mouse events
    // still run, but the release must not click a second time.
    if (message.msg == WM_LBUTTONUP) {
        mousePressed_ = false;
    }
    GraphicControl::WndProc(message);
}

void ToolButton::BoundsChanged(const RECT& previous) {
    GraphicControl::BoundsChanged(previous);
    const int before = separatorWidth_;
    separatorWidth_ = Width();
    if (ToolBar* bar = Bar()) {
        if (style_ == ToolButtonStyle::Separator && separatorWidth_ != before) {
            bar->ButtonChanged(*this);
        } else {
            bar->Layout();  // a button's place is the native one
        }
    }
}

void ToolButton::VisibleChanged() {
    GraphicControl::VisibleChanged();
    if (ToolBar* bar = Bar()) {
        bar->ButtonVisibleChanged(*this);
    }
}

void ToolButton::EnabledChanged() {
    GraphicControl::EnabledChanged();
    if (ToolBar* bar = Bar()) {
        bar->ButtonEnabledChanged(*this);
    }
}

void ToolButton::CaptionChanged() {
    GraphicControl::CaptionChanged();
    if (ToolBar* bar = Bar()) {
        bar->ButtonChanged(*this);
    }
}

// --- ToolBar -------------------------------------------------------------------

ToolBar::ToolBar(Component* owner) : WinControl(owner) { bounds_ = RECT{0, 0, 150, 29}; }

ToolBar::~ToolBar() {
    MarkDestroying();
    // Children go while this is still a tool bar: a tool button asks its bar
    // to drop its native button on the way out.
    while (!Controls().empty()) {
        delete Controls().back();
    }
}

void ToolBar::CreateParams(WindowCreateParams& params) {
    EnsureBarClasses();
    WinControl::CreateParams(params);
    params.baseClass = TOOLBARCLASSNAMEW;
    params.style |= CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (flat_) params.style |= TBSTYLE_FLAT;
    if (list_) params.style |= TBSTYLE_LIST;
}

void ToolBar::HandleCreated() {
    HWND bar = HandleIfAllocated();
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    WinControl::HandleCreated();
    ready_ = true;
    RebuildItems();
}

void ToolBar::SetFlat(bool flat) {
    if (flat == flat_) {
        return;
    }
    flat_ = flat;
    ChangeStyle(TBSTYLE_FLAT, flat);
}

void ToolBar::SetList(bool list) {
    if (list == list_) {
        return;
    }
    list_ = list;
    ChangeStyle(TBSTYLE_LIST, list);
}

void ToolBar::SetShowCaptions(bool show) {
    if (show == showCaptions_) {
        return;
    }
    showCaptions_ = show;
    RebuildItems();
}

void ToolBar::SetButtonSize(int width, int height) {
    buttonWidth_ = width;
    buttonHeight_ = height;
    RebuildItems();
}

PngImageList* ToolBar::Images() const { return static_cast<PngImageList*>(images_.get()); }

void ToolBar::SetImages(PngImageList* images) {
    images_ = images;
    if (ready_ && images == nullptr) {
        SendMessageW(HandleIfAllocated(), TB_SETIMAGELIST, 0, 0);
    }
    RebuildItems();
}

MainMenu* ToolBar::Menu() const { return static_cast<MainMenu*>(menu_.get()); }

void ToolBar::SetMenu(MainMenu* menu) { menu_ = menu; }

int ToolBar::ButtonCount() const {
    return int(std::ranges::count_if(Controls(), [](Control* c) { return dynamic_cast<ToolButton*>(c) != nullptr; }));
}

ToolButton* ToolBar::Buttons(int index) const {
    if (index < 0) {
        return nullptr;
    }
    for (Control* child : Controls()) {
        if (auto* button = dynamic_cast<ToolButton*>(child); button != nullptr && index-- == 0) {
            return button;
        }
    }
    return nullptr;
}

int ToolBar::NativeIndexOf(const Control* control) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (control != nullptr && items_[i].control.get() == control) {
            return int(i);
        }
    }
    return -1;
}

ToolButton* ToolBar::ButtonOfCommand(WORD command) const {
    for (Control* child : Controls()) {
        if (auto* button = dynamic_cast<ToolButton*>(child); button != nullptr && button->CommandId() == command) {
            return button;
        }
    }
    return nullptr;
}

// The width a child's native item is made with: a placeholder's or a
// separator's (buttons report their other changes themselves).
int ToolBar::ItemWidth(const Control& child) {
    if (const auto* button = dynamic_cast<const ToolButton*>(&child)) {
        return button->Style() == ToolButtonStyle::Separator ? button->SeparatorWidth() : 0;
    }
    return child.Width();
}

bool ToolBar::ItemsMatchChildren() const {
    const auto& children = Controls();
    return std::ranges::equal(items_, children, [](const Item& held, Control* child) {
        return held.control.get() == child && held.visible == child->Visible() && held.width == ItemWidth(*child);
    });
}

// The native list is checked against the children when one is added or
// removed, and whenever the window handles a message: the other controls'
// widths and visibility change without telling their parent.
void ToolBar::SyncItems() {
    if (!ready_ || syncing_ || Destroying()) {
        return;
    }
    if (!ItemsMatchChildren()) {
        RebuildItems();
    }
}

// The native control measures its buttons as they are added, so every change
// that alters their size rebuilds the whole (short) list.
void ToolBar::RebuildItems() {
    HWND bar = HandleIfAllocated();
    if (!ready_ || bar == nullptr || Destroying()) {
        return;
    }
    const FlagScope busy(syncing_);
    for (LRESULT n = SendMessageW(bar, TB_BUTTONCOUNT, 0, 0); n > 0; --n) {
        SendMessageW(bar, TB_DELETEBUTTON, WPARAM(n - 1), 0);
    }
    items_.clear();
    // The list's handle changes with its images. In list layout the native
    // control puts the image at the top of the button and centres the caption
    // in its height: images centred in a cell as tall as the room give both
    // one middle.
    if (PngImageList* images = Images()) {
        const int padding = HIWORD(SendMessageW(bar, TB_GETPADDING, 0, 0));
        const HIMAGELIST list = list_ ? images->Handle(buttonHeight_ - padding) : images->Handle();
        SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    }
    // From the smallest size up, so the size measured below is not an old one.
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(1, 1));
    std::vector<TBBUTTON> natives;
    std::vector<std::wstring> texts;
    texts.reserve(Controls().size());  // the buttons point into these
    for (Control* child : Controls()) {
        items_.push_back(Item{Ref<Control>(child), child->Visible(), ItemWidth(*child)});
        TBBUTTON native{};
        native.iString = -1;
        native.fsState = BYTE((child->Enabled() ? TBSTATE_ENABLED : 0) | (child->Visible() ? 0 : TBSTATE_HIDDEN));
        const auto* button = dynamic_cast<const ToolButton*>(child);
        if (button == nullptr) {
            native.fsStyle = BTNS_SEP;  // a placeholder the child is moved onto
            native.iBitmap = child->Width();
        } else if (button->Style() == ToolButtonStyle::Separator) {
            native.fsStyle = BTNS_SEP;
            native.iBitmap = button->SeparatorWidth();
            native.idCommand = button->CommandId();
        } else {
            native.fsStyle = BTNS_BUTTON;
            native.iBitmap = button->ImageIndex() >= 0 ? button->ImageIndex() : I_IMAGENONE;
            native.idCommand = button->CommandId();
            if (showCaptions_ && !button->Caption().empty()) {
                native.iString = reinterpret_cast<INT_PTR>(texts.emplace_back(button->Caption()).c_str());
            }
        }
        natives.push_back(native);
    }
    if (!natives.empty()) {
        SendMessageW(bar, TB_ADDBUTTONSW, natives.size(), reinterpret_cast<LPARAM>(natives.data()));
    }
    ApplyButtonSize();
    Layout();
    Invalidate();
}

// Right after buttons are added the native control holds the size their
// images and captions need; ours is the least they get.
void ToolBar::ApplyButtonSize() {
    HWND bar = HandleIfAllocated();
    const LRESULT needed = SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0);
    const int width = std::max<int>(buttonWidth_, LOWORD(needed));
    const int height = std::max<int>(buttonHeight_, HIWORD(needed));
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
}

// Buttons take their native rectangles; other children move onto their
// placeholders, at the top of the row and keeping their own size.
void ToolBar::Layout() {
    HWND bar = HandleIfAllocated();
    if (!ready_ || bar == nullptr || Destroying()) {
        return;
    }
    const FlagScope busy(syncing_);
    for (size_t i = 0; i < items_.size(); ++i) {
        Control* child = items_[i].control.get();
        RECT rect{};
        if (child == nullptr || !SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect))) {
            continue;
        }
        if (auto* button = dynamic_cast<ToolButton*>(child)) {
            button->TakeNativeBounds(rect);
        } else if (child->Visible()) {
            child->SetBounds(rect.left, rect.top, child->Width(), child->Height());
        }
    }
}

void ToolBar::ChangeStyle(DWORD bit, bool on) {
    HWND bar = HandleIfAllocated();
    if (bar == nullptr) {
        return;  // CreateParams takes it
    }
    LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
    style = on ? (style | LONG_PTR(bit)) : (style & ~LONG_PTR(bit));
    SetWindowLongPtrW(bar, GWL_STYLE, style);
    RebuildItems();
}

void ToolBar::FontChanged() {
    WinControl::FontChanged();
    RebuildItems();
}

void ToolBar::ButtonChanged(ToolButton&) { RebuildItems(); }

void ToolBar::ButtonImageChanged(ToolButton& button) {
    if (ready_ && button.Style() == ToolButtonStyle::Button) {
        // TB_CHANGEBITMAP carries only 16 bits, too few for I_IMAGENONE.
        TBBUTTONINFOW info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_IMAGE;
        info.iImage = button.ImageIndex() >= 0 ? button.ImageIndex() : I_IMAGENONE;
        SendMessageW(HandleIfAllocated(), TB_SETBUTTONINFOW, button.CommandId(), reinterpret_cast<LPARAM>(&info));
    }
}

void ToolBar::ButtonEnabledChanged(ToolButton& button) {
    if (ready_) {
        SendMessageW(HandleIfAllocated(), TB_ENABLEBUTTON, button.CommandId(), MAKELPARAM(button.Enabled(), 0));
    }
}

void ToolBar::ButtonVisibleChanged(ToolButton& button) {
    const int index = NativeIndexOf(&button);
    if (!ready_ || index < 0) {
        SyncItems();
        return;
    }
    {
        const FlagScope busy(syncing_);
        SendMessageW(HandleIfAllocated(), TB_HIDEBUTTON, button.CommandId(), MAKELPARAM(!button.Visible(), 0));
        items_[size_t(index)].visible = button.Visible();
    }
    Layout();
}

// The placeholders belong to the controls over them, and a bar the program
// draws belongs to the program: the native control must not draw there. A
// flat separator draws its line whatever custom drawing answered (and some
// versions draw every button even when told to skip), so its drawing is
// clipped instead, until the post-paint stage.
void ToolBar::KeepNativeDrawingOut(HDC dc) {
    HWND bar = HandleIfAllocated();
    const FlagScope busy(syncing_);
    nativeClipSaved_ = SaveDC(dc);
    if (barDrawSkipped_) {
        RECT client{};
        GetClientRect(bar, &client);
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        return;
    }
    for (size_t i = 0; i < items_.size(); ++i) {
        Control* child = items_[i].control.get();
        RECT rect{};
        if (child != nullptr && dynamic_cast<ToolButton*>(child) == nullptr &&
            SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect))) {
            ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        }
    }
}

LRESULT ToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
    // Handlers draw on the DC through the canvas; whatever state they leave
    // in the DC is undone before the native drawing goes on.
    auto withCanvas = [this, &draw](auto&& event) {
        SavedDcState saved(draw.nmcd.hdc);
        canvas_.SetHandle(draw.nmcd.hdc);
        canvas_.font = GetFont();
        canvas_.brushColor = GetColor();
        canvas_.brushClear = false;
        struct Release {
            Canvas& canvas;
            ~Release() { canvas.SetHandle(nullptr); }
        } release{canvas_};
        event();
    };
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: {
        bool defaultDraw = true;
        if (OnCustomDraw && !Destroying()) {
            RECT client{};
            GetClientRect(HandleIfAllocated(), &client);
            withCanvas([&] { OnCustomDraw(*this, client, defaultDraw); });
        }
        barDrawSkipped_ = !defaultDraw;
        KeepNativeDrawingOut(draw.nmcd.hdc);
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT | (defaultDraw ? 0 : CDRF_SKIPDEFAULT);
    }
    case CDDS_POSTPAINT:
        if (nativeClipSaved_ != 0) {
            RestoreDC(draw.nmcd.hdc, std::exchange(nativeClipSaved_, 0));
        }
        return CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
        // A bar drawn by the program has its buttons drawn by it too.
        if (barDrawSkipped_) {
            return CDRF_SKIPDEFAULT;
        }
        ToolButton* button = ButtonOfCommand(WORD(draw.nmcd.dwItemSpec));
        if (button == nullptr || !OnCustomDrawButton || Destroying()) {
            return CDRF_DODEFAULT;
        }
        bool defaultDraw = true;
        const CustomDrawState state = StateOf(draw.nmcd.uItemState);
        nativeFaceOut_ = false;
        withCanvas([&] { OnCustomDrawButton(*this, *button, state, defaultDraw); });
        if (!defaultDraw) {
            return CDRF_SKIPDEFAULT;
        }
        LRESULT result = CDRF_DODEFAULT;
        if (std::exchange(nativeFaceOut_, false)) {
            result |= TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES;
        }
        // A handler that set the canvas font's colour has the native caption
        // drawn in it (the DC itself is restored after the handler).
        if (canvas_.font.color != GetFont().color) {
            draw.clrText = ColorToRgb(canvas_.font.color);
            result |= CDRF_NEWFONT;
        }
        return result;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void ToolBar::WndProc(Message& message) {
    // Reflected notifications arrive while the native control is at work
    // (painting, handling a click): its buttons must stay as they are.
    const bool reflected = message.msg >= CN_BASE && message.msg < CN_BASE + WM_USER;
    if (!reflected && message.msg != WM_DESTROY && message.msg != WM_NCDESTROY) {
        SyncItems();
    }
    switch (message.msg) {
    case CN_COMMAND:
        if (HIWORD(message.wParam) == BN_CLICKED) {
            ToolButton* button = ButtonOfCommand(LOWORD(message.wParam));
            if (button != nullptr && button->Style() == ToolButtonStyle::Button) {
                button->Click();
            }
        }
        message.result = 0;
        return;
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
        message.result = header->code == NM_CUSTOMDRAW
                             ? CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(message.lParam))
                             : 0;
        return;
    }
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(HandleIfAllocated(), &client);
        FillRect(reinterpret_cast<HDC>(message.wParam), &client, BackgroundBrush());
        message.result = 1;
        return;
    }
    case WM_SIZE:
        WinControl::WndProc(message);
        Layout();
        return;
    case WM_DESTROY:
        ready_ = false;
        items_.clear();
        break;
    default:
        break;
    }
    WinControl::WndProc(message);
}

} // namespace ui
