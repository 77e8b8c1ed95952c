#pragma once
// Every kind of control painter the control mapping can ask for, and the one
// place that makes them. A kind whose painter is not part of the engine yet
// makes nothing: the control keeps its native look, and the mapping's rules
// already name the painter it will get.

#include <cstdint>

namespace ui {
class Component;
}

namespace skin {

class TSkinControl;

enum class PainterKind : uint8_t {
    Button,       // TSkinButton
    BitButton,    // TSkinBitButton
    SpeedButton,  // TSkinSpeedButton
    MenuButton,   // TSkinMenuButton
    CheckBox,     // TSkinCheckBox
    RadioButton,  // TSkinRadioButton
    GroupBox,     // TSkinGroupBox
    Box,          // TSkinBox
    BoxH,         // TSkinBoxH
    Sizer,        // TSkinSizer
    Edit,         // TSkinEdit
    ComBox,       // TSkinComBox
    UpDown,       // TSkinUpDown
    DateTime,     // TSkinDateTime
    Scrollbar,    // TSkinScrollbar
    ScControl,    // TSkinScControl
    ListView,     // TSkinListView
    ScrollbarH,   // TSkinScrollbarH: the bars of a bare window (a simple combo box's list)
    ComboxScrollBar, // TComboxScrollBar: the bar of a combo box's drop-down list
    Tab,          // TSkinTab
    TabBtn,       // TSkinTabBtn
    Tab31,        // TSkinTab31
    TabSheet,     // TSkinTabSheet
    AdvPage,      // TSkinAdvPage
    Header,       // TSkinHeader
    StatusBar,    // TSkinStatusBar
    Progress,     // TSkinProgress
    TrackBar,     // TSkinTrackBar
    MediaPlayer,  // TSkinMP
    ObjImage,     // TSkinObjImage
};

// The painter's class name, for logs and tests ("TSkinButton").
const char* PainterClassName(PainterKind kind);

// A new painter of the kind, owned by owner (the control it will paint), or
// by no one for a bare window (the caller hands it to the form painter).
// Null while the engine has no painter of that kind.
TSkinControl* CreatePainter(PainterKind kind, ui::Component* owner);

} // namespace skin
