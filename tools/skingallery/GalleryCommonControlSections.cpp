// The gallery's sections of list, spin, scrolling, tab and bar controls.

#include "tools/skingallery/GalleryForm.h"

#include "ui/ComboBox.h"
#include "ui/DateTimePicker.h"
#include "ui/Edit.h"
#include "ui/HeaderControl.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/MediaPlayer.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/ProgressBar.h"
#include "ui/RadioGroup.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/StatusBar.h"
#include "ui/TabControl.h"
#include "ui/TabSet.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"

#include <string>

namespace gallery {
namespace {

constexpr int kEditHeight = 22;
constexpr int kRowWidth = GallerySection::kWidth - 2 * GallerySection::kPadding;
constexpr int kHalfWidth = (kRowWidth - GallerySection::kGap) / 2;

std::wstring Lines(int count, const wchar_t* stem) {
    std::wstring text;
    for (int i = 1; i <= count; ++i) {
        text += stem + std::to_wstring(i) + L"\r\n";
    }
    return text;
}

} // namespace

void GalleryForm::BuildRadioGroupSection() {
    GallerySection& section = AddSection(L"单选组");
    auto& group = section.Place(Create<ui::RadioGroup>(), kRowWidth, 70);
    group.name = "RadioGroup1";
    group.SetCaption(L"每天学习");
    group.SetItems({L"十分钟", L"半小时", L"一小时", L"两小时"});
    group.SetColumns(2);
    group.SetItemIndex(1);
}

void GalleryForm::BuildListSection() {
    GallerySection& section = AddSection(L"列表和组合框");
    auto& memo = section.Place(Create<ui::Memo>(), kHalfWidth, 70);
    memo.name = "Memo1";
    memo.SetScrollBars(ui::ScrollStyle::Both);
    memo.SetText(Lines(12, L"多行文字，第 ") + L"很长的一行文字，长到要横向滚动才能看完全部内容");
    auto& list = section.Place(Create<ui::ListBox>(), kHalfWidth, 70);
    list.name = "ListBox1";
    for (int i = 1; i <= 10; ++i) {
        list.AddItem(L"单词 " + std::to_wstring(i));
    }
    list.SetItemIndex(2);
    section.NewRow();

    const struct {
        const char* name;
        ui::ComboStyle style;
        int height;
    } combos[] = {
        {"ComboDropDown", ui::ComboStyle::DropDown, kEditHeight},
        {"ComboDropDownList", ui::ComboStyle::DropDownList, kEditHeight},
        {"ComboSimple", ui::ComboStyle::Simple, 60},
    };
    for (const auto& row : combos) {
        auto& combo = section.Place(Create<ui::ComboBox>(), kHalfWidth, row.height);
        combo.name = row.name;
        combo.SetStyle(row.style);
        for (const wchar_t* item : {L"英语", L"法语", L"德语", L"日语", L"西班牙语", L"意大利语"}) {
            combo.AddItem(item);
        }
        combo.SetItemIndex(0);
    }
    auto& extended = section.Place(Create<ui::ComboBoxEx>(), kHalfWidth, kEditHeight);
    extended.name = "ComboBoxEx1";
    extended.AddItem(L"扩展组合框");
    extended.SetItemIndex(0);
}

void GalleryForm::BuildSpinSection() {
    GallerySection& section = AddSection(L"微调和日期");
    auto& edit = section.Place(Create<ui::Edit>(), 60, kEditHeight);
    edit.name = "UpDownEdit";
    auto& upDown = section.Place(Create<ui::UpDown>(), 18, kEditHeight);
    upDown.name = "UpDown1";
    upDown.SetRange(0, 100);
    upDown.SetAssociate(&edit);
    upDown.SetPosition(15);
    auto& horizontal = section.Place(Create<ui::UpDown>(), 36, 18);
    horizontal.name = "UpDownHorizontal";
    horizontal.SetOrientation(ui::UpDownOrientation::Horizontal);
    section.NewRow();
    auto& date = section.Place(Create<ui::DateTimePicker>(), kHalfWidth, kEditHeight);
    date.name = "DateTimePicker1";
}

void GalleryForm::BuildScrollSection() {
    GallerySection& section = AddSection(L"滚动条和列表视图");
    auto& horizontal = section.Place(Create<ui::ScrollBar>(), kRowWidth, 17);
    horizontal.name = "ScrollBarHorizontal";
    horizontal.SetKind(ui::ScrollBarKind::Horizontal);
    horizontal.SetParams(30, 0, 100);
    horizontal.SetPageSize(20);
    section.NewRow();
    auto& vertical = section.Place(Create<ui::ScrollBar>(), 17, 80);
    vertical.name = "ScrollBarVertical";
    vertical.SetKind(ui::ScrollBarKind::Vertical);
    vertical.SetParams(10, 0, 50);
    auto& box = section.Place(Create<ui::ScrollBox>(), kRowWidth - 17 - GallerySection::kGap, 80);
    box.name = "ScrollBox1";
    auto& inside = Create<ui::Edit>();
    inside.name = "ScrollBoxEdit";
    inside.SetParent(&box);
    inside.SetBounds(8, 8, 360, kEditHeight);
    inside.SetText(L"滚动面板里的编辑框，比面板宽");
    auto& lower = Create<ui::Edit>();
    lower.name = "ScrollBoxLowerEdit";
    lower.SetParent(&box);
    lower.SetBounds(8, 120, 120, kEditHeight);
    lower.SetText(L"面板下方");
    box.UpdateScrollBars();
    section.NewRow();
    auto& view = section.Place(Create<ui::ListView>(), kRowWidth, 90);
    view.name = "ListView1";
    view.AddColumn(L"单词", 90);
    view.AddColumn(L"释义", 120);
    view.AddColumn(L"次数", 60);
    for (int i = 1; i <= 8; ++i) {
        view.AddItem({L"word " + std::to_wstring(i), L"释义 " + std::to_wstring(i), std::to_wstring(i * 3)});
    }
}

void GalleryForm::BuildTabSection() {
    GallerySection& section = AddSection(L"选项卡");
    const struct {
        const char* name;
        ui::TabPosition position;
        int width, height;
    } tabs[] = {
        {"TabTop", ui::TabPosition::Top, kHalfWidth, 60},
        {"TabBottom", ui::TabPosition::Bottom, kHalfWidth, 60},
        {"TabLeft", ui::TabPosition::Left, kHalfWidth, 70},
        {"TabRight", ui::TabPosition::Right, kHalfWidth, 70},
    };
    for (const auto& row : tabs) {
        auto& tab = section.Place(Create<ui::TabControl>(), row.width, row.height);
        tab.name = row.name;
        tab.SetTabPosition(row.position);
        tab.AddTab(L"第一");
        tab.AddTab(L"第二");
        tab.SetTabIndex(0);
    }
    section.NewRow();
    auto& pages = section.Place(Create<ui::PageControl>(), kRowWidth, 70);
    pages.name = "PageControl1";
    pages.tag = 7777;  // its pages have close boxes
    for (const wchar_t* caption : {L"课程", L"生词", L"复习"}) {
        auto& page = Create<ui::TabSheet>();
        page.SetPageControl(&pages);
        page.SetCaption(caption);
    }
    section.NewRow();
    auto& set = section.Place(Create<ui::TabSet>(), kRowWidth, 24);
    set.name = "TabSet1";
    set.AddTab(L"甲");
    set.AddTab(L"乙");
    set.SetTabIndex(0);
    section.NewRow();
    // A header and a status bar hold to an edge of their parent by default;
    // here they take their place in the rows like the others.
    auto& header = Create<ui::HeaderControl>();
    header.SetAlign(ui::Align::None);
    section.Place(header, kRowWidth, 22);
    header.name = "HeaderControl1";
    header.AddSection({L"单词", 90});
    header.AddSection({L"释义", 120});
    header.AddSection({L"次数", 60});
}

void GalleryForm::BuildBarSection() {
    GallerySection& section = AddSection(L"进度条、滑块和状态栏");
    auto& progress = section.Place(Create<ui::ProgressBar>(), kRowWidth, 18);
    progress.name = "ProgressHorizontal";
    progress.SetRange(0, 100);
    progress.SetPosition(60);
    section.NewRow();
    constexpr int kVerticalWidth = 18;
    constexpr int kVerticalTrackWidth = 30;
    constexpr int kVerticalHeight = 64;
    auto& track = section.Place(Create<ui::TrackBar>(),
                                kRowWidth - kVerticalWidth - kVerticalTrackWidth - 2 * GallerySection::kGap, 30);
    track.name = "TrackBar1";
    track.SetRange(0, 10);
    track.SetPosition(4);
    auto& vertical = section.Place(Create<ui::ProgressBar>(), kVerticalWidth, kVerticalHeight);
    vertical.name = "ProgressVertical";
    vertical.SetOrientation(ui::BarOrientation::Vertical);
    vertical.SetRange(0, 100);
    vertical.SetPosition(40);
    auto& verticalTrack = section.Place(Create<ui::TrackBar>(), kVerticalTrackWidth, kVerticalHeight);
    verticalTrack.name = "TrackBarVertical";
    verticalTrack.SetOrientation(ui::BarOrientation::Vertical);
    verticalTrack.SetRange(0, 10);
    verticalTrack.SetPosition(7);
    section.NewRow();
    auto& status = Create<ui::StatusBar>();
    status.SetAlign(ui::Align::None);
    section.Place(status, kRowWidth, 22);
    status.name = "StatusBar1";
    status.AddPanel({L"已连接", 80});
    status.AddPanel({L"第 3 课", 80, ui::PanelBevel::Raised});
    status.AddPanel({L"", 60, ui::PanelBevel::None});
    status.SetSizeGrip(true);
    section.NewRow();
    auto& player = section.Place(Create<ui::MediaPlayer>(), kRowWidth, 30);
    player.name = "MediaPlayer1";
}

} // namespace gallery
