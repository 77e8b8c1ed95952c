// The rules for bare windows, over a real dialog made from a template in
// memory: buttons of each style, combo boxes, a size grip, a nested dialog,
// common controls and an edit; and toolkit windows met as bare windows.

#include "skin/controls/ControlMapping.h"

#include "tests/skin/controls/MappingFixture.h"
#include "ui/Button.h"
#include "ui/Panel.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

namespace {

using mappingtest::Describe;
using mappingtest::MappingFixture;

// A dialog template built in memory: DLGTEMPLATE, then DWORD-aligned items.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height) {
        Add(style);
        Add(0);
        words_.push_back(0);  // item count
        Add(short(0), short(0), width, height);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the dialog class
        words_.push_back(0);  // no title
    }
    void Item(const wchar_t* className, DWORD style, WORD id, short x, short y, short cx, short cy) {
        if (words_.size() % 2 != 0) {
            words_.push_back(0);
        }
        Add(style | WS_CHILD | WS_VISIBLE);
        Add(0);
        Add(x, y, cx, cy);
        words_.push_back(id);
        for (const wchar_t* c = className; *c != 0; ++c) {
            words_.push_back(WORD(*c));
        }
        words_.push_back(0);
        words_.push_back(0);  // no text
        words_.push_back(0);  // no creation data
        ++words_[4];
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Add(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void Add(short x, short y, short cx, short cy) {
        for (short v : {x, y, cx, cy}) {
            words_.push_back(WORD(v));
        }
    }
    std::vector<WORD> words_;
};

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct Dialog {
    explicit Dialog(const DialogTemplate& form, HWND parent = nullptr) {
        handle = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), form.Get(), parent, QuietDialog, 0);
    }
    ~Dialog() {
        if (handle != nullptr && IsWindow(handle)) {
            DestroyWindow(handle);
        }
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    HWND handle = nullptr;
};

void InitCommonControlClasses() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES |
                                                 ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
}

struct ButtonCase {
    DWORD style;
    const char* step;
};

// Each button style, by the style tests in their order.
const ButtonCase kButtons[] = {
    {BS_PUSHBUTTON, "RawWindow 1 TSkinButton"},
    {BS_DEFPUSHBUTTON, "RawWindow 1 TSkinButton"},
    {BS_CHECKBOX, "RawWindow 1 TSkinCheckBox"},
    {BS_AUTOCHECKBOX, "RawWindow 1 TSkinCheckBox"},
    {BS_3STATE, "RawWindow 1 TSkinCheckBox"},
    {BS_AUTO3STATE, "RawWindow 1 TSkinCheckBox"},
    {BS_CHECKBOX | BS_LEFTTEXT, "RawWindow 1 TSkinCheckBox"},
    {BS_RADIOBUTTON, "RawWindow 1 TSkinRadioButton"},
    {BS_AUTORADIOBUTTON, "RawWindow 1 TSkinRadioButton"},
    {BS_GROUPBOX, "RawWindow 1"},
    {BS_PUSHBUTTON | BS_BITMAP, "RawWindow 1"},
    {BS_USERBUTTON, "RawWindow 1 TSkinButton"},
};

constexpr WORD kFirstButton = 100;
enum : WORD {
    kSimpleCombo = 200,
    kDropDownCombo,
    kDropDownList,
    kSizeGrip,
    kEdit,
    kToolBar,
    kTabs,
    kOwnerDrawnTabs,
    kTree,
    kComboEx,
    kStatic,
    kOwnerDrawn,
    kNestedButton = 300,
};

DialogTemplate MainTemplate() {
    DialogTemplate form(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT * 0, 400, 300);
    WORD id = kFirstButton;
    short y = 4;
    for (const ButtonCase& c : kButtons) {
        form.Item(L"BUTTON", c.style, id++, 4, y, 80, 12);
        y += 14;
    }
    form.Item(L"BUTTON", BS_OWNERDRAW, kOwnerDrawn, 4, y, 80, 12);
    form.Item(L"COMBOBOX", CBS_SIMPLE, kSimpleCombo, 100, 4, 80, 60);
    form.Item(L"COMBOBOX", CBS_DROPDOWN, kDropDownCombo, 100, 70, 80, 60);
    form.Item(L"COMBOBOX", CBS_DROPDOWNLIST, kDropDownList, 100, 90, 80, 60);
    form.Item(L"SCROLLBAR", SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, kSizeGrip, 380, 280, 12, 12);
    form.Item(L"EDIT", WS_BORDER, kEdit, 100, 110, 80, 12);
    form.Item(TOOLBARCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN, kToolBar, 200, 4, 120, 20);
    form.Item(WC_TABCONTROLW, 0, kTabs, 200, 30, 120, 40);
    form.Item(WC_TABCONTROLW, TCS_OWNERDRAWFIXED, kOwnerDrawnTabs, 200, 80, 120, 40);
    form.Item(WC_TREEVIEWW, 0, kTree, 200, 130, 120, 40);
    form.Item(WC_COMBOBOXEXW, CBS_DROPDOWN, kComboEx, 200, 180, 120, 60);
    form.Item(L"STATIC", 0, kStatic, 200, 250, 120, 12);
    return form;
}

std::vector<std::string> StepsOf(const mappingtest::Recorder& recorder, HWND window) {
    return Describe(recorder.ForWindow(window));
}

TEST_F(MappingFixture, TheControlsOfADialogGetTheirPaintersByClassAndStyle) {
    InitCommonControlClasses();
    const DialogTemplate main = MainTemplate();
    Dialog dialog(main);
    ASSERT_NE(dialog.handle, nullptr);
    DialogTemplate nestedForm(WS_CHILD | WS_VISIBLE | DS_CONTROL, 100, 60);
    nestedForm.Item(L"BUTTON", BS_PUSHBUTTON, kNestedButton, 4, 4, 60, 14);
    Dialog nested(nestedForm, dialog.handle);
    ASSERT_NE(nested.handle, nullptr);
    // A nested dialog with the bit the rule excludes.
    Dialog tabStopped(nestedForm, dialog.handle);
    SetWindowLongW(tabStopped.handle, GWL_STYLE, GetWindowLongW(tabStopped.handle, GWL_STYLE) | 0x10000);

    mapping.MapWindow(host, dialog.handle);

    for (size_t i = 0; i < std::size(kButtons); ++i) {
        SCOPED_TRACE("button style " + std::to_string(kButtons[i].style));
        EXPECT_EQ(StepsOf(recorder, GetDlgItem(dialog.handle, int(kFirstButton + i))),
                  std::vector<std::string>{kButtons[i].step});
    }
    const std::map<WORD, std::vector<std::string>> expected = {
        {kOwnerDrawn, {}},  // goes on through the other rules and matches none
        {kSimpleCombo, {"RawWindow 2"}},
        {kDropDownCombo, {"RawWindow 2 TSkinComBox"}},
        {kDropDownList, {"RawWindow 2 TSkinComBox"}},
        {kSizeGrip, {"RawWindow 4 TSkinSizer"}},
        {kEdit, {"RawWindow 10 TSkinEdit"}},
        {kToolBar, {"RawWindow 10 TSkinBoxH"}},
        {kTabs, {"RawWindow 9 TSkinTab"}},
        {kOwnerDrawnTabs, {}},
        {kTree, {"RawWindow 5"}},
        {kStatic, {}},
    };
    for (const auto& [id, steps] : expected) {
        SCOPED_TRACE("control " + std::to_string(id));
        const HWND control = GetDlgItem(dialog.handle, id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(StepsOf(recorder, control), steps);
    }
    // The extended combo box: its inner combo box is painted.
    const HWND comboEx = GetDlgItem(dialog.handle, kComboEx);
    const HWND inner = GetWindow(comboEx, GW_CHILD);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(StepsOf(recorder, inner), std::vector<std::string>{"RawWindow 3 TSkinComBox"});
    // The nested dialog: its own controls first, then its background.
    EXPECT_EQ(StepsOf(recorder, nested.handle), (std::vector<std::string>{"RawWindow 6", "RawWindow 6 TSkinBoxH"}));
    EXPECT_EQ(StepsOf(recorder, GetDlgItem(nested.handle, kNestedButton)),
              std::vector<std::string>{"RawWindow 1 TSkinButton"});
    const auto& steps = recorder.steps;
    const auto nestedButton = std::find_if(steps.begin(), steps.end(), [&](const skin::MappingStep& s) {
        return s.window == GetDlgItem(nested.handle, kNestedButton);
    });
    const auto nestedBox = std::find_if(steps.begin(), steps.end(), [&](const skin::MappingStep& s) {
        return s.window == nested.handle && s.painter.has_value();
    });
    EXPECT_LT(nestedButton, nestedBox);
    EXPECT_TRUE(StepsOf(recorder, tabStopped.handle).empty());
    // Every painter is asked for the window itself, owned by the form painter.
    for (const skin::MappingStep& step : steps) {
        if (step.painter) {
            EXPECT_EQ(step.painter->way, skin::AttachWay::AttachWindow);
            EXPECT_EQ(step.control, nullptr);
        }
    }
}

TEST_F(MappingFixture, ClosedGatesLeaveDialogControlsUnpainted) {
    InitCommonControlClasses();
    const DialogTemplate main = MainTemplate();
    Dialog dialog(main);
    for (skin::TSkinControlType closed : {skin::xcButton, skin::xcCheckBox, skin::xcRadioButton, skin::xcCombo,
                                          skin::xcEdit, skin::xcTab}) {
        skinData.SkinControls.Exclude(closed);
    }
    mapping.MapWindow(host, dialog.handle);
    for (const skin::MappingStep& step : recorder.steps) {
        SCOPED_TRACE(Describe(step));
        if (step.painter) {
            // Only the rules without a gate still paint.
            const skin::PainterKind kind = step.painter->kind;
            EXPECT_TRUE(kind == skin::PainterKind::Sizer || kind == skin::PainterKind::BoxH);
        }
    }
    EXPECT_EQ(StepsOf(recorder, GetDlgItem(dialog.handle, kFirstButton)), std::vector<std::string>{"RawWindow 1"});
    EXPECT_EQ(StepsOf(recorder, GetDlgItem(dialog.handle, kFirstButton + 2)), std::vector<std::string>{"RawWindow 1"});
    EXPECT_TRUE(StepsOf(recorder, GetDlgItem(dialog.handle, kEdit)).empty());
    EXPECT_TRUE(StepsOf(recorder, GetDlgItem(dialog.handle, kDropDownCombo)).empty());
}

TEST_F(MappingFixture, ASizeGripMadeLaterAndAWindowPaintedAlready) {
    InitCommonControlClasses();
    const DialogTemplate main = MainTemplate();
    Dialog dialog(main);
    const HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0, 16, 16,
                                      dialog.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    mapping.MapChildWindow(host, grip);
    EXPECT_EQ(StepsOf(recorder, grip), std::vector<std::string>{"RawWindow 4 TSkinSizer"});

    // A window that has a painter in this form painter is left alone.
    const HWND edit = GetDlgItem(dialog.handle, kEdit);
    auto* painter = new skin::TSkinControl(nullptr);
    painter->AttachWindow(edit, &skinData, &host, &host.ControlCanvas());
    recorder.steps.clear();
    mapping.MapChildWindow(host, edit);
    mapping.MapChildWindow(host, nullptr);
    EXPECT_EQ(StepsOf(recorder, edit), std::vector<std::string>{"RawWindow 0"});
    EXPECT_EQ(StepsOf(recorder, nullptr), std::vector<std::string>{"RawWindow 0"});
}

// Windows of foreign toolkits and of our own, met as bare child windows.
HWND ClassWindow(const wchar_t* className, HWND parent) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) {
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST_F(MappingFixture, ToolkitWindowsInABareWindowByTheirClassNames) {
    ui::Form holder(nullptr);
    holder.SetBounds(100, 100, 300, 200);
    holder.HandleNeeded();
    auto& panel = holder.Create<ui::Panel>();
    panel.SetBounds(0, 0, 200, 100);
    panel.SetParent(&holder);
    auto& inPanel = holder.Create<ui::Button>();
    inPanel.SetParent(&panel);
    auto& check = holder.Create<ui::CheckBox>();
    check.SetParent(&holder);
    const HWND progress = ClassWindow(L"TProgressBar", holder.Handle());
    const HWND combo = ClassWindow(L"TComboBox", holder.Handle());
    const HWND silent = ClassWindow(L"TSilentPaintPanel", holder.Handle());
    const HWND tntPanel = ClassWindow(L"TTntPanel.UnicodeClass", holder.Handle());
    const HWND inTnt = ClassWindow(L"TButton", tntPanel);
    skinData.Colours[skin::scButtonFace] = RGB(9, 8, 7);

    mapping.MapWindow(host, holder.Handle());

    EXPECT_EQ(StepsOf(recorder, panel.Handle()), std::vector<std::string>{"RawWindow 7"});
    EXPECT_EQ(panel.GetColor(), RGB(9, 8, 7));
    EXPECT_EQ(StepsOf(recorder, inPanel.Handle()), std::vector<std::string>{"RawWindow 8 TSkinButton"});
    EXPECT_EQ(StepsOf(recorder, check.Handle()), std::vector<std::string>{"RawWindow 8 TSkinCheckBox"});
    EXPECT_EQ(StepsOf(recorder, progress), std::vector<std::string>{"RawWindow 8 TSkinProgress"});
    EXPECT_EQ(StepsOf(recorder, combo), std::vector<std::string>{"RawWindow 8 TSkinComBox"});
    EXPECT_EQ(StepsOf(recorder, silent), std::vector<std::string>{"RawWindow 8"});
    EXPECT_EQ(StepsOf(recorder, tntPanel), std::vector<std::string>{"RawWindow 7"});
    EXPECT_EQ(StepsOf(recorder, inTnt), std::vector<std::string>{"RawWindow 8 TSkinButton"});
}

} // namespace
