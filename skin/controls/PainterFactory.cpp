#include "skin/controls/PainterFactory.h"

#include "skin/controls/ComboxScrollBar.h"
#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinMenuButton.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinRadioButton.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinScrollbarH.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinUpDown.h"

namespace skin {

const char* PainterClassName(PainterKind kind) {
    switch (kind) {
    case PainterKind::Button: return "TSkinButton";
    case PainterKind::BitButton: return "TSkinBitButton";
    case PainterKind::SpeedButton: return "TSkinSpeedButton";
    case PainterKind::MenuButton: return "TSkinMenuButton";
    case PainterKind::CheckBox: return "TSkinCheckBox";
    case PainterKind::RadioButton: return "TSkinRadioButton";
    case PainterKind::GroupBox: return "TSkinGroupBox";
    case PainterKind::Box: return "TSkinBox";
    case PainterKind::BoxH: return "TSkinBoxH";
    case PainterKind::Sizer: return "TSkinSizer";
    case PainterKind::Edit: return "TSkinEdit";
    case PainterKind::ComBox: return "TSkinComBox";
    case PainterKind::UpDown: return "TSkinUpDown";
    case PainterKind::DateTime: return "TSkinDateTime";
    case PainterKind::Scrollbar: return "TSkinScrollbar";
    case PainterKind::ScControl: return "TSkinScControl";
    case PainterKind::ListView: return "TSkinListView";
    case PainterKind::ScrollbarH: return "TSkinScrollbarH";
    case PainterKind::ComboxScrollBar: return "TComboxScrollBar";
    case PainterKind::Tab: return "TSkinTab";
    case PainterKind::TabBtn: return "TSkinTabBtn";
    case PainterKind::Tab31: return "TSkinTab31";
    case PainterKind::TabSheet: return "TSkinTabSheet";
    case PainterKind::AdvPage: return "TSkinAdvPage";
    case PainterKind::Header: return "TSkinHeader";
    case PainterKind::StatusBar: return "TSkinStatusBar";
    case PainterKind::Progress: return "TSkinProgress";
    case PainterKind::TrackBar: return "TSkinTrackBar";
    case PainterKind::MediaPlayer: return "TSkinMP";
    case PainterKind::ObjImage: return "TSkinObjImage";
    }
    return "TSkinControl";
}

TSkinControl* CreatePainter(PainterKind kind, ui::Component* owner) {
    switch (kind) {
    // One case per painter the engine has; every other kind makes nothing.
    case PainterKind::Box: return new TSkinBox(owner);
    case PainterKind::BoxH: return new TSkinBoxH(owner);
    case PainterKind::Sizer: return new TSkinSizer(owner);
    case PainterKind::Edit: return new TSkinEdit(owner);
    case PainterKind::Button: return new TSkinButton(owner);
    case PainterKind::BitButton: return new TSkinBitButton(owner);
    case PainterKind::SpeedButton: return new TSkinSpeedButton(owner);
    case PainterKind::MenuButton: return new TSkinMenuButton(owner);
    case PainterKind::CheckBox: return new TSkinCheckBox(owner);
    case PainterKind::RadioButton: return new TSkinRadioButton(owner);
    case PainterKind::GroupBox: return new TSkinGroupBox(owner);
    case PainterKind::Progress: return new TSkinProgress(owner);
    case PainterKind::TrackBar: return new TSkinTrackBar(owner);
    case PainterKind::Header: return new TSkinHeader(owner);
    case PainterKind::StatusBar: return new TSkinStatusBar(owner);
    case PainterKind::TabSheet: return new TSkinTabSheet(owner);
    case PainterKind::Tab: return new TSkinTab(owner);
    case PainterKind::Tab31: return new TSkinTab31(owner);
    case PainterKind::TabBtn: return new TSkinTabBtn(owner);
    case PainterKind::AdvPage: return new TSkinAdvPage(owner);
    case PainterKind::ObjImage: return new TSkinObjImage(owner);
    case PainterKind::MediaPlayer: return new TSkinMP(owner);
    case PainterKind::Scrollbar: return new TSkinScrollbar(owner);
    case PainterKind::ListView: return new TSkinListView(owner);
    case PainterKind::ScrollbarH: return new TSkinScrollbarH(owner);
    case PainterKind::ScControl: return new TSkinScControl(owner);
    case PainterKind::ComboxScrollBar: return new TComboxScrollBar(owner);
    case PainterKind::ComBox: return new TSkinComBox(owner);
    case PainterKind::UpDown: return new TSkinUpDown(owner);
    case PainterKind::DateTime: return new TSkinDateTime(owner);
    default:
        return nullptr;
    }
}

} // namespace skin
