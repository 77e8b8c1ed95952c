#include "ui/Menus.h"

#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Screen.h"
#include "ui/png/PngImageList.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <unordered_map>

namespace ui {
namespace {

const PropertyInfo kMenuItemProperties[] = {
    {"Caption", [](const Component& c) { return WideToUtf8(static_cast<const MenuItem&>(c).Caption()); },
     [](Component& c, std::string_view text) { static_cast<MenuItem&>(c).SetCaption(Utf8ToWide(text)); }},
};

// Commands at and above this are the system menu's (SC_SIZE and up).
constexpr WORD kFirstSystemCommand = 0xF000;
// Tags the native items' data, so data that another menu put there is not
// mistaken for one of our items.
constexpr uint64_t kSerialTag = uint64_t(0x564D) << 48;

// Every live item by command and by serial, so native menus and window
// messages carry numbers, never pointers that could dangle.
class ItemRegistry {
public:
    static ItemRegistry& Instance() {
        static ItemRegistry registry;
        return registry;
    }

    void Register(MenuItem* item, WORD& command, uint64_t& serial) {
        std::lock_guard lock(mutex_);
        command = FreeCommand();
        serial = kSerialTag | ++lastSerial_;
        byCommand_.emplace(command, item);
        bySerial_.emplace(serial, item);
    }

    void Unregister(WORD command, uint64_t serial) {
        std::lock_guard lock(mutex_);
        byCommand_.erase(command);
        bySerial_.erase(serial);
    }

    MenuItem* ByCommand(WORD command) const {
        std::lock_guard lock(mutex_);
        const auto found = byCommand_.find(command);
        return found != byCommand_.end() ? found->second : nullptr;
    }

    MenuItem* BySerial(uint64_t serial) const {
        std::lock_guard lock(mutex_);
        const auto found = bySerial_.find(serial);
        return found != bySerial_.end() ? found->second : nullptr;
    }

    MenuItem* ByHandle(HMENU handle) const {
        std::lock_guard lock(mutex_);
        for (const auto& [serial, item] : bySerial_) {
            if (item->HandleIfAllocated() == handle) {
                return item;
            }
        }
        return nullptr;
    }

private:
    // The next command after the last one handed out that no live item holds:
    // a freed command comes back only after all others have had their turn.
    WORD FreeCommand() {
        constexpr unsigned kPoolSize = kFirstSystemCommand - 1;
        for (unsigned tries = 0; tries < kPoolSize; ++tries) {
            lastCommand_ = WORD(lastCommand_ % kPoolSize + 1);
            if (!byCommand_.contains(lastCommand_)) {
                return lastCommand_;
            }
        }
        throw std::runtime_error("no free menu command");
    }

    mutable std::mutex mutex_;
    std::unordered_map<WORD, MenuItem*> byCommand_;
    std::unordered_map<uint64_t, MenuItem*> bySerial_;
    WORD lastCommand_ = 0;
    uint64_t lastSerial_ = 0;
};

// Takes every entry out of a native menu without destroying the submenus,
// which belong to their items.
void DetachEntries(HMENU menu) {
    for (int n = GetMenuItemCount(menu); n > 0; --n) {
        RemoveMenu(menu, 0, MF_BYPOSITION);
    }
}

// A window destroyed with our menu bar still attached has destroyed the menu
// and its submenus already.
void DestroyNativeMenu(UniqueMenu& menu) {
    if (!menu) {
        return;
    }
    if (IsMenu(menu.get())) {
        DetachEntries(menu.get());
        menu.reset();
    } else {
        menu.release();
    }
}

// The item a menu notification concerns: our data when the native item
// carries it, else the command of an item without data.
MenuItem* ItemOfNotification(ULONG_PTR data, UINT id) {
    if (data != 0) {
        return ItemRegistry::Instance().BySerial(uint64_t(data));
    }
    return id <= 0xFFFF ? ItemRegistry::Instance().ByCommand(WORD(id)) : nullptr;
}

// The caption as shown: "&x" is x underlined, "&&" a literal ampersand.
std::wstring StripHotkey(std::wstring_view caption) {
    std::wstring result;
    result.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) {
            ++i;
        }
        result += caption[i];
    }
    return result;
}

bool SameCaption(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), int(a.size()), b.data(), int(b.size()), TRUE) == CSTR_EQUAL;
}

wchar_t UpperChar(wchar_t c) {
    return wchar_t(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR(c)))));
}

// Layout of the default item drawing.
constexpr int kGlyphSize = 16;
constexpr int kGlyphMargin = 2;
constexpr int kTextGap = 6;
constexpr int kShortCutGap = 16;
constexpr int kRightMargin = 18;  // the submenu arrow drawn by the system
constexpr int kBarPadding = 6;
constexpr int kSeparatorHeight = 8;

UniqueBrush SolidBrush(int sysColor) { return UniqueBrush(CreateSolidBrush(GetSysColor(sysColor))); }

void DrawCheckMark(HDC dc, const RECT& box, COLORREF color) {
    UniquePen pen(CreatePen(PS_SOLID, 2, color));
    SelectObjectScope select(dc, pen.get());
    const int x = box.left + (box.right - box.left - 10) / 2;
    const int y = box.top + (box.bottom - box.top - 8) / 2;
    const POINT tick[] = {{x, y + 4}, {x + 3, y + 7}, {x + 10, y}};
    Polyline(dc, tick, 3);
}

// The hidden window that owns popup menus: it gets their notifications and
// hands them to the items.
constexpr wchar_t kPopupListClass[] = L"TPopupListWindow";

LRESULT CALLBACK PopupListProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
        case WM_COMMAND:
            // Menus send 0 in the high word, accelerators 1; controls a handle.
            if (lParam == 0 && HIWORD(wParam) <= 1 && DispatchMenuCommand(LOWORD(wParam))) {
                return 0;
            }
            break;
        case WM_MEASUREITEM:
            if (DispatchMenuMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_DRAWITEM:
            if (DispatchMenuDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_INITMENUPOPUP:
            if (DispatchMenuPopup(reinterpret_cast<HMENU>(wParam))) {
                return 0;
            }
            break;
        default:
            break;
        }
    } catch (...) {
        App().HandleException(std::current_exception());
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

class PopupListHolder {
public:
    PopupListHolder() = default;
    PopupListHolder(const PopupListHolder&) = delete;
    PopupListHolder& operator=(const PopupListHolder&) = delete;
    ~PopupListHolder() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }

    HWND Get() {
        if (window_ == nullptr || !IsWindow(window_)) {
            RegisterClassOnce();
            window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kPopupListClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
            if (window_ == nullptr) {
                throw std::system_error(int(GetLastError()), std::system_category(), "popup menu window");
            }
        }
        return window_;
    }

private:
    static void RegisterClassOnce() {
        static const ATOM atom = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = PopupListProc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kPopupListClass;
            return RegisterClassExW(&windowClass);
        }();
        if (atom == 0) {
            throw std::runtime_error("popup menu window class not registered");
        }
    }

    HWND window_ = nullptr;
};

// One per thread: a menu's notifications go to the thread that tracks it.
HWND PopupListWindow() {
    thread_local PopupListHolder holder;
    return holder.Get();
}

struct KeyName {
    WORD key;
    const wchar_t* name;
};

constexpr KeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"},  {VK_TAB, L"Tab"},    {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},  {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},  {VK_END, L"End"},      {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},
    {VK_UP, L"Up"},      {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},   {VK_INSERT, L"Ins"},  {VK_DELETE, L"Del"},
};

std::wstring NameOfKey(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::wstring(1, wchar_t(key));
    }
    if (key >= VK_F1 && key <= VK_F24) {
        return L"F" + std::to_wstring(key - VK_F1 + 1);
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        return L"Num " + std::to_wstring(key - VK_NUMPAD0);
    }
    for (const KeyName& entry : kKeyNames) {
        if (entry.key == key) {
            return entry.name;
        }
    }
    return {};
}

} // namespace

// --- shortcuts ---------------------------------------------------------------

std::wstring ShortCutToText(WORD shortCut) {
    std::wstring key = NameOfKey(WORD(shortCut & 0xFF));
    if (key.empty()) {
        return {};
    }
    std::wstring text;
    if ((shortCut & scShift) != 0) {
        text += L"Shift+";
    }
    if ((shortCut & scCtrl) != 0) {
        text += L"Ctrl+";
    }
    if ((shortCut & scAlt) != 0) {
        text += L"Alt+";
    }
    return text + key;
}

bool IsAccel(wchar_t key, std::wstring_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') {
            continue;
        }
        if (caption[i + 1] == L'&') {
            ++i;
        } else if (UpperChar(caption[i + 1]) == UpperChar(key)) {
            return true;
        }
    }
    return false;
}

// --- MenuItem ----------------------------------------------------------------

const ClassInfo MenuItem::kClass{"TMenuItem", &Component::kClass, kMenuItemProperties};

MenuItem::MenuItem(Component* owner) : Component(owner) {
    ItemRegistry::Instance().Register(this, command_, serial_);
}

MenuItem::~MenuItem() {
    ItemRegistry::Instance().Unregister(command_, serial_);
    if (parent_ != nullptr) {
        parent_->Remove(this);
    }
    // Our native menu lets go of the sub-items' menus before they are freed,
    // so destroying it cannot destroy theirs a second time.
    if (handle_) {
        DetachEntries(handle_.get());
    }
    while (!items_.empty()) {
        MenuItem* item = items_.back();
        items_.pop_back();
        item->parent_ = nullptr;
        delete item;
    }
    DestroyNativeMenu(handle_);
}

void MenuItem::SetCaption(std::wstring caption) { Change(caption_, std::move(caption)); }

void MenuItem::SetVisible(bool visible) { Change(visible_, visible); }

void MenuItem::SetEnabled(bool enabled) { Change(enabled_, enabled); }

void MenuItem::SetChecked(bool checked) { Change(checked_, checked); }

void MenuItem::SetDefault(bool isDefault) { Change(default_, isDefault); }

void MenuItem::SetShortCut(WORD shortCut) { Change(shortCut_, shortCut); }

void MenuItem::SetImageIndex(int index) { Change(imageIndex_, index); }

HMENU MenuItem::Handle() {
    if (!handle_) {
        handle_.reset(menu_ != nullptr ? menu_->CreateNativeMenu() : CreatePopupMenu());
        if (!handle_) {
            throw std::system_error(int(GetLastError()), std::system_category(), "menu not created");
        }
        RebuildNative();
    }
    return handle_.get();
}

MenuItem& MenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("menu item index out of range");
    }
    return *items_[size_t(index)];
}

void MenuItem::Add(MenuItem* item) { Insert(Count(), item); }

void MenuItem::Insert(int index, MenuItem* item) {
    if (item == nullptr) {
        throw std::invalid_argument("no menu item to insert");
    }
    if (item->parent_ != nullptr || item->menu_ != nullptr) {
        throw std::invalid_argument("menu item inserted twice");
    }
    for (const MenuItem* above = this; above != nullptr; above = above->parent_) {
        if (above == item) {
            throw std::invalid_argument("menu item inserted below itself");
        }
    }
    if (index < 0 || index > Count()) {
        throw std::out_of_range("menu item index out of range");
    }
    const bool hadSubmenu = HasSubmenu();
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    // Its native menus were built for the menu it came from, if any.
    item->RebuildTree();
    ChildrenChanged(hadSubmenu);
}

void MenuItem::Remove(MenuItem* item) {
    const auto found = std::ranges::find(items_, item);
    if (found == items_.end()) {
        throw std::invalid_argument("not a sub-item of this menu item");
    }
    const bool hadSubmenu = HasSubmenu();
    items_.erase(found);
    item->parent_ = nullptr;
    ChildrenChanged(hadSubmenu);
}

MenuItem* MenuItem::Find(std::wstring_view caption) const {
    const std::wstring wanted = StripHotkey(caption);
    for (MenuItem* item : items_) {
        if (SameCaption(StripHotkey(item->caption_), wanted)) {
            return item;
        }
    }
    return nullptr;
}

int MenuItem::IndexOf(const MenuItem* item) const {
    const auto found = std::ranges::find(items_, item);
    return found != items_.end() ? int(found - items_.begin()) : -1;
}

void MenuItem::SetMenuIndex(int index) {
    if (parent_ == nullptr) {
        return;
    }
    auto& siblings = parent_->items_;
    const int from = MenuIndex();
    const int to = std::clamp(index, 0, int(siblings.size()) - 1);
    if (from == to) {
        return;
    }
    siblings.erase(siblings.begin() + from);
    siblings.insert(siblings.begin() + to, this);
    parent_->ChildrenChanged(true);
}

Menu* MenuItem::GetParentMenu() const {
    const MenuItem* root = this;
    while (root->parent_ != nullptr) {
        root = root->parent_;
    }
    return root->menu_;
}

void MenuItem::Click() {
    if (enabled_ && OnClick) {
        // A copy: the handler may free this item and with it OnClick.
        const auto handler = OnClick;
        handler(*this);
    }
}

void MenuItem::MeasureItem(Canvas& canvas, int& width, int& height) {
    DefaultMeasure(canvas, width, height);
    if (OnMeasureItem) {
        OnMeasureItem(*this, canvas, width, height);
    }
}

void MenuItem::DrawItem(Canvas& canvas, const RECT& rect, bool selected) {
    if (OnDrawItem) {
        OnDrawItem(*this, canvas, rect, selected);
    } else {
        DefaultDraw(canvas, rect, selected);
    }
}

bool MenuItem::OnMenuBar() const {
    return parent_ != nullptr && parent_->menu_ != nullptr && dynamic_cast<MainMenu*>(parent_->menu_) != nullptr;
}

void MenuItem::DefaultMeasure(Canvas& canvas, int& width, int& height) const {
    if (IsLine()) {
        width = kGlyphSize;
        height = kSeparatorHeight;
        return;
    }
    const HDC dc = canvas.Handle();
    SelectObjectScope font(dc, Screen::MenuFontHandle());
    auto extent = [dc](std::wstring_view text) {
        RECT box{0, 0, 0, 0};
        DrawTextW(dc, text.data(), int(text.size()), &box, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
        return SIZE{box.right - box.left, box.bottom - box.top};
    };
    const SIZE text = extent(caption_.empty() ? std::wstring_view(L" ") : std::wstring_view(caption_));
    if (OnMenuBar()) {
        width = text.cx + 2 * kBarPadding;
        height = std::max(int(text.cy) + 4, GetSystemMetrics(SM_CYMENU));
        return;
    }
    width = kGlyphMargin + kGlyphSize + kTextGap + text.cx + kRightMargin;
    if (const std::wstring shortCut = ShortCutToText(shortCut_); !shortCut.empty()) {
        width += kShortCutGap + extent(shortCut).cx;
    }
    height = std::max(int(text.cy) + 6, kGlyphSize + 2 * kGlyphMargin);
}

void MenuItem::DefaultDraw(Canvas& canvas, const RECT& rect, bool selected) const {
    const HDC dc = canvas.Handle();
    SavedDcState saved(dc);
    const UniqueBrush back = SolidBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    FillRect(dc, &rect, back.get());
    if (IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const COLORREF textColor = GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    UniqueFont bold;
    if (default_) {
        Font font = Screen::MenuFont();
        font.bold = true;
        bold = font.Create();
    }
    SelectObjectScope font(dc, bold ? bold.get() : Screen::MenuFontHandle());
    RECT textBox = rect;
    if (OnMenuBar()) {
        DrawTextW(dc, caption_.c_str(), int(caption_.size()), &textBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }

    const PngImageList* images = GetParentMenu() != nullptr ? GetParentMenu()->Images() : nullptr;
    const int glyph = images != nullptr ? images->Width() : kGlyphSize;
    const int top = rect.top + (rect.bottom - rect.top - glyph) / 2;
    const RECT glyphBox{rect.left + kGlyphMargin, top, rect.left + kGlyphMargin + glyph, top + glyph};
    if (images != nullptr && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        if (checked_) {
            RECT frame = glyphBox;
            InflateRect(&frame, 1, 1);
            DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        }
        images->Draw(dc, glyphBox.left, glyphBox.top, imageIndex_, enabled_);
    } else if (checked_) {
        DrawCheckMark(dc, glyphBox, textColor);
    }

    textBox.left = glyphBox.right + kTextGap;
    textBox.right -= kRightMargin;
    DrawTextW(dc, caption_.c_str(), int(caption_.size()), &textBox, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (const std::wstring shortCut = ShortCutToText(shortCut_); !shortCut.empty()) {
        DrawTextW(dc, shortCut.c_str(), int(shortCut.size()), &textBox, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
}

void MenuItem::PropertyChanged() {
    if (parent_ != nullptr) {
        parent_->RebuildNative();
    }
    NotifyMenu();
}

void MenuItem::ChildrenChanged(bool hadSubmenu) {
    RebuildNative();
    // The entry for this item gains or loses its submenu.
    if (parent_ != nullptr && hadSubmenu != HasSubmenu()) {
        parent_->RebuildNative();
    }
    NotifyMenu();
}

// Native menus are rebuilt whole: they are small, and an owner-drawn entry
// is measured again only when it is inserted anew.
void MenuItem::RebuildNative() {
    if (!handle_) {
        return;
    }
    const HMENU menu = handle_.get();
    DetachEntries(menu);
    const Menu* owner = GetParentMenu();
    const bool ownerDraw = owner != nullptr && owner->OwnerDraw();
    for (MenuItem* item : items_) {
        if (item->visible_) {
            item->AppendNativeEntry(menu, ownerDraw);
        }
    }
}

void MenuItem::RebuildTree() {
    for (MenuItem* item : items_) {
        item->RebuildTree();
    }
    RebuildNative();
}

void MenuItem::AppendNativeEntry(HMENU target, bool ownerDraw) {
    std::wstring text = caption_;
    if (const std::wstring shortCut = ShortCutToText(shortCut_); !shortCut.empty()) {
        text += L'\t' + shortCut;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    info.fType = (IsLine() ? MFT_SEPARATOR : MFT_STRING) | (ownerDraw ? MFT_OWNERDRAW : 0);
    if (!IsLine()) {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = UINT(text.size());
    }
    info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0u) | (default_ ? MFS_DEFAULT : 0u);
    info.wID = command_;
    info.hSubMenu = HasSubmenu() ? Handle() : nullptr;
    info.dwItemData = ULONG_PTR(serial_);
    InsertMenuItemW(target, UINT(GetMenuItemCount(target)), TRUE, &info);
}

void MenuItem::NotifyMenu() {
    Menu* menu = GetParentMenu();
    if (menu != nullptr && menu->items_->handle_) {
        menu->ItemsChanged();
    }
}

// --- Menu --------------------------------------------------------------------

const ClassInfo Menu::kClass{"TMenu", &Component::kClass};

Menu::Menu(Component* owner) : Component(owner), items_(new MenuItem(this)) { items_->menu_ = this; }

Menu::~Menu() { delete items_; }

void Menu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw != ownerDraw_) {
        ownerDraw_ = ownerDraw;
        items_->RebuildTree();
        items_->NotifyMenu();
    }
}

void Menu::SetImages(PngImageList* images) {
    if (images != images_) {
        images_ = images;
        // Owner-drawn entries are measured again for the new glyph size.
        if (ownerDraw_) {
            items_->RebuildTree();
            items_->NotifyMenu();
        }
    }
}

MenuItem* Menu::FindItem(UINT_PTR value, FindKind kind) const {
    auto matches = [value, kind](const MenuItem& item) {
        return kind == FindKind::Command ? item.Command() == value
                                         : item.HandleIfAllocated() == reinterpret_cast<HMENU>(value);
    };
    auto search = [&](auto& self, MenuItem& item) -> MenuItem* {
        if (matches(item)) {
            return &item;
        }
        for (int i = 0; i < item.Count(); ++i) {
            if (MenuItem* found = self(self, item.Items(i))) {
                return found;
            }
        }
        return nullptr;
    };
    if (value == 0) {
        return nullptr;
    }
    return search(search, *items_);
}

// --- MainMenu ----------------------------------------------------------------

const ClassInfo MainMenu::kClass{"TMainMenu", &Menu::kClass};

MainMenu::MainMenu(Component* owner) : Menu(owner) {}

MainMenu::~MainMenu() {
    if (Form* form = ShowingForm()) {
        form->SetMenu(nullptr);
    }
}

HMENU MainMenu::CreateNativeMenu() const { return CreateMenu(); }

void MainMenu::ItemsChanged() {
    if (Form* form = ShowingForm()) {
        form->Perform(CM_MENUCHANGED, 0, 0);
    }
}

Form* MainMenu::ShowingForm() const {
    Form* form = dynamic_cast<Form*>(Owner());
    return form != nullptr && !form->Destroying() && form->Menu() == this ? form : nullptr;
}

// --- PopupMenu ---------------------------------------------------------------

const ClassInfo PopupMenu::kClass{"TPopupMenu", &Menu::kClass};

PopupMenu::PopupMenu(Component* owner) : Menu(owner) {}

HMENU PopupMenu::CreateNativeMenu() const { return CreatePopupMenu(); }

void PopupMenu::Popup(int x, int y) {
    if (OnPopup) {
        OnPopup(*this);
    }
    const HWND owner = PopupListWindow();
    const HMENU menu = Handle();
    // Without the foreground the menu would not close when the user clicks
    // elsewhere; the null message lets a second popup open at once.
    SetForegroundWindow(owner);
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    // The choice comes as a posted WM_COMMAND: handle it now, so the item's
    // Click has run when Popup returns. This object may be gone after it.
    MSG message;
    while (PeekMessageW(&message, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        // Some systems hand out a pending quit request whatever the filter
        // (the item just chosen may have asked to quit): put it back for the
        // message loop.
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam));
            break;
        }
        DispatchMessageW(&message);
    }
}

// --- dispatch ----------------------------------------------------------------

bool DispatchMenuCommand(WORD command) {
    MenuItem* item = ItemRegistry::Instance().ByCommand(command);
    if (item == nullptr || item->Parent() == nullptr || item->GetParentMenu() == nullptr) {
        return false;
    }
    item->Click();
    return true;
}

bool DispatchMenuMeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU) {
        return false;
    }
    MenuItem* item = ItemOfNotification(measure.itemData, measure.itemID);
    if (item == nullptr) {
        return false;
    }
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    Canvas canvas(dc.get());
    canvas.font = Screen::MenuFont();
    int width = int(measure.itemWidth);
    int height = int(measure.itemHeight);
    item->MeasureItem(canvas, width, height);
    measure.itemWidth = UINT(std::max(width, 0));
    measure.itemHeight = UINT(std::max(height, 0));
    return true;
}

bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) {
        return false;
    }
    MenuItem* item = ItemOfNotification(draw.itemData, draw.itemID);
    if (item == nullptr) {
        return false;
    }
    SavedDcState saved(draw.hDC);
    Canvas canvas(draw.hDC);
    canvas.font = Screen::MenuFont();
    item->DrawItem(canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
    return true;
}

bool DispatchMenuPopup(HMENU submenu) {
    if (submenu == nullptr) {
        return false;
    }
    MenuItem* item = ItemRegistry::Instance().ByHandle(submenu);
    // The root's menu is the whole popup or bar: OnPopup covers it.
    if (item == nullptr || item->Parent() == nullptr || item->GetParentMenu() == nullptr) {
        return false;
    }
    item->Click();
    return true;
}

} // namespace ui
