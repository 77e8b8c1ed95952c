#include "skin/controls/PainterFactory.h"

#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinMenuButton.h"
#include "skin/controls/SkinRadioButton.h"
#include "skin/controls/SkinSpeedButton.h"
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
    case PainterKind::ComBox: return new TSkinComBox(owner);
    case PainterKind::UpDown: return new TSkinUpDown(owner);
    case PainterKind::DateTime: return new TSkinDateTime(owner);
    default:
        return nullptr;
    }
}

} // namespace skin
