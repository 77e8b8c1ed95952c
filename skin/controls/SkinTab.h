#pragma once
// Tab controls drawn from the skin's Tabs picture: the tab row in any of the
// four positions (drawn lying as on top and turned for the sides), the pane
// under the pages, and close boxes on the tabs of a closable page control.
// The tab set, tabs drawn as buttons and the third-party page control are
// variants of it.

#include "skin/controls/SkinControl.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace skin {

enum class TabPosition : uint8_t { Top = 0, Bottom = 1, Left = 2, Right = 3 };

class TSkinTab : public TSkinControl {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    explicit TSkinTab(ui::Component* owner);
    ~TSkinTab() override;

    void Attach(ControlPainterHost* form, TSkinData* skinData, bool ownBackground, ui::Canvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, ControlPainterHost* form, ui::Canvas* canvas) override;
    bool BeforeMessage(ui::Message& message) override;
    void DrawTo(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    TabPosition Position() const { return FTabPosition; }
    bool HasCloseBoxes() const { return FCloseButton != 0; }
    // The close boxes drawn last, in the window's client coordinates, by tab.
    const std::vector<RECT>& CloseBoxes() const { return FCloseRects; }
    // The painter of the tab row's scroll arrows; none while the engine has
    // no up-down painter (the arrows stay native).
    TSkinControl* UpDownPainter() const { return FUpDown; }
    // The skin has a Tabs element. Without one (a skin switched to that has
    // none, or a dialog's bare tab window) the control draws itself.
    bool HasTabsElement() const;

    // A tab's label: the image (index not -1, a list narrower than rect),
    // then the text, aligned 0 left, 1 centre, 2 right, clipped to rect.
    static void LabelWithImage(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                               HIMAGELIST images, bool enabled, UINT textFlags);

protected:
    // Reads the position from the style and copies the skin's pictures for it.
    virtual void PrepareImages();
    // The tab row and the pane (TSkinTabBtn draws buttons instead).
    virtual void DrawTabs(HDC dc, const RECT& rect);
    // Finds the row's scroll arrows and gives them the factory's painter.
    void AttachUpDown();
    // The row's arrows step sideways whatever their style says.
    virtual bool HorizontalArrows() const { return false; }
    void AfterAttach();
    // The tab's text and image index.
    void ReadItem(int index, std::wstring& text, int& image) const;
    struct TabToDraw {
        int index = 0;
        RECT rect{};  // client coordinates
        bool current = false;
        std::wstring text;
        int image = -1;
    };
    // Gives dc the control's font and runs draw for every tab; the current
    // one is the answer to currentQuery (TCM_GETCURFOCUS or TCM_GETCURSEL).
    void ForEachTab(HDC dc, UINT currentQuery, const std::function<void(const TabToDraw&)>& draw);
    // The tab's label centred in rect.
    void DrawLabel(HDC dc, const TabToDraw& tab, const RECT& rect) const;
    // The form window that is asked before a page closes.
    HWND FormWindow() const;
    bool ClickCloseBox(POINT point);

    std::vector<RECT> FTabRects;
    TabPosition FTabPosition = TabPosition::Top;
    ui::Bitmap FTabImage;
    ui::Bitmap FPaneImage;
    ui::Bitmap FWork;
    TSkinControl* FUpDown = nullptr;
    uint8_t FCloseButton = 0;
    std::vector<RECT> FCloseRects;

private:
    bool ownsUpDown_ = false;
};

// A tab set: the tabs below a bar, drawn from the Tabs picture turned
// upside down.
class TSkinTab31 : public TSkinTab {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinTab::TSkinTab;

protected:
    void PrepareImages() override;
    bool HorizontalArrows() const override { return true; }
};

// Tabs drawn as buttons (a page control of button style): each tab a cell
// of the skin's button picture, the selected one pressed, no pane.
class TSkinTabBtn : public TSkinTab {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinTab::TSkinTab;

protected:
    void DrawTabs(HDC dc, const RECT& rect) override;
};

// A third-party page control: attached and drawn as a tab control.
class TSkinAdvPage : public TSkinTab {
public:
    static const ui::ClassInfo kClass;
    const ui::ClassInfo& Class() const override { return kClass; }
    using TSkinTab::TSkinTab;
};

} // namespace skin
