#pragma once
// A tool bar over the common-controls tool bar window. Its ToolButton children
// become native buttons; any other control placed on it takes the place of a
// separator of its own width, in the order the children were added.

#include "ui/WinControl.h"

#include <commctrl.h>

#include <functional>
#include <vector>

namespace ui {

class MainMenu;
class MenuItem;
class PngImageList;
class ToolBar;

enum class ToolButtonStyle { Button, Separator };

// The state of a button being custom drawn: a bit set of the cds* values.
using CustomDrawState = unsigned;
constexpr CustomDrawState cdsSelected = 1u << 0;
constexpr CustomDrawState cdsGrayed = 1u << 1;
constexpr CustomDrawState cdsDisabled = 1u << 2;
constexpr CustomDrawState cdsChecked = 1u << 3;
constexpr CustomDrawState cdsFocused = 1u << 4;
constexpr CustomDrawState cdsDefault = 1u << 5;
constexpr CustomDrawState cdsHot = 1u << 6;
constexpr CustomDrawState cdsMarked = 1u << 7;
constexpr CustomDrawState cdsIndeterminate = 1u << 8;

// One native button (or separator) of the tool bar that is its parent. The
// native control draws it; its bounds follow the native button's rectangle.
class ToolButton : public GraphicControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ToolButton(Component* owner);
    ~ToolButton() override;

    void SetParent(WinControl* parent) override;
    // The tool bar this button sits on, or none.
    ToolBar* Bar() const;
    // Position among the tool bar's buttons, or -1.
    int Index() const;
    // The id of the native button and of its WM_COMMAND.
    WORD CommandId() const { return command_; }

    // -1 shows no image.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    ToolButtonStyle Style() const { return style_; }
    void SetStyle(ToolButtonStyle style);
    // Kept for the code that draws the bar; the button does nothing with it.
    ui::MenuItem* MenuItem() const;
    void SetMenuItem(ui::MenuItem* item);

    void Click() override;
    void Paint(Canvas& canvas) override;

protected:
    void WndProc(Message& message) override;
    void BoundsChanged(const RECT& previous) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void CaptionChanged() override;

private:
    friend class ToolBar;
    // A separator's width as set by the program, apart from what the native
    // layout reports into the bounds.
    int SeparatorWidth() const { return separatorWidth_; }
    void TakeNativeBounds(const RECT& rect) { UpdateBounds(rect); }

    WORD command_;
    int imageIndex_ = -1;
    ToolButtonStyle style_ = ToolButtonStyle::Button;
    int separatorWidth_;
    Ref<Component> menuItem_;
};

class ToolBar : public WinControl {
public:
    static const ClassInfo kClass;
    const ClassInfo& Class() const override { return kClass; }

    explicit ToolBar(Component* owner);
    ~ToolBar() override;

    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // Captions to the right of the images instead of below them.
    bool List() const { return list_; }
    void SetList(bool list);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool show);

    // Buttons get at least this size; the native control makes them larger
    // when their image and caption need more.
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonSize(int width, int height);

    // The native control is given the list's handle again whenever the
    // buttons are rebuilt; after changing the images call SetImages.
    PngImageList* Images() const;
    void SetImages(PngImageList* images);

    // Kept for the code that draws the bar; the tool bar does nothing with it.
    MainMenu* Menu() const;
    void SetMenu(MainMenu* menu);

    int ButtonCount() const;
    ToolButton* Buttons(int index) const;  // nullptr outside 0..ButtonCount()-1

    // The native position of a child (button or placeholder), or -1.
    int NativeIndexOf(const Control* control) const;

    // Custom drawing. OnCustomDraw runs before the bar paints, with its client
    // rectangle; OnCustomDrawButton before each button. Clearing defaultDraw
    // keeps the native drawing off (for the whole bar, buttons included, or
    // for that button). The canvas of GetCanvas() draws on the DC meanwhile.
    std::function<void(ToolBar& sender, const RECT& rect, bool& defaultDraw)> OnCustomDraw;
    std::function<void(ToolBar& sender, ToolButton& button, CustomDrawState state, bool& defaultDraw)>
        OnCustomDrawButton;
    Canvas& GetCanvas() { return canvas_; }
    // Called from OnCustomDrawButton by a handler that drew the button's face
    // itself: the native control then adds only the image and the caption,
    // without its own background, edges or hot-tracking look.
    void KeepNativeButtonFaceOut() { nativeFaceOut_ = true; }

protected:
    void CreateParams(WindowCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(Message& message) override;
    void FontChanged() override;
    void ControlsChanged() override { SyncItems(); }

private:
    friend class ToolButton;

    // What the native list holds for one child: it must be rebuilt when the
    // children no longer match.
    struct Item {
        Ref<Control> control;
        bool visible = true;
        int width = 0;
    };

    static int ItemWidth(const Control& child);
    bool ItemsMatchChildren() const;
    void SyncItems();
    void RebuildItems();
    void ApplyButtonSize();
    void Layout();
    void ChangeStyle(DWORD bit, bool on);

    void ButtonChanged(ToolButton& button);
    void ButtonImageChanged(ToolButton& button);
    void ButtonEnabledChanged(ToolButton& button);
    void ButtonVisibleChanged(ToolButton& button);
    ToolButton* ButtonOfCommand(WORD command) const;

    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    void KeepNativeDrawingOut(HDC dc);

    bool nativeFaceOut_ = false;  // set by the button handler running now
    bool flat_ = false;
    bool list_ = false;
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    Ref<Component> images_;
    Ref<Component> menu_;

    std::vector<Item> items_;
    bool ready_ = false;    // the window exists and takes buttons
    bool syncing_ = false;  // our own messages to the window are under way
    bool barDrawSkipped_ = false;
    int nativeClipSaved_ = 0;  // SaveDC level to restore after the native paint
    Canvas canvas_;
};

} // namespace ui
