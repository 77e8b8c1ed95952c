#pragma once
// The study window: a tool bar with the page buttons and a clock, the loading
// label, and the browser that shows the service's pages. The pages steer it
// by command words; it lives in the tray while hidden and never closes before
// the program ends.

#include "app/study/ClockLabel.h"
#include "app/study/StudyPages.h"
#include "app/study/WebBrowser.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Menus.h"
#include "ui/Timer.h"
#include "ui/ToolBar.h"
#include "ui/png/PngImageList.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace app {

// The tray icon's callback message (WM_USER + 1).
inline constexpr UINT kTrayIconMessage = 1025;
inline constexpr UINT kTrayIconId = 1;

// The task bar's screen rectangle as the shell reports it; all zero when it
// reports none.
RECT QueryShellTaskbar();

class Tfmmain : public ui::Form, private PageStepTarget {
public:
    // serverBase: the service's base address; the program passes its one
    // constant, tests may point the window elsewhere.
    explicit Tfmmain(ui::Component* owner, std::wstring_view serverBase = VOCARA_SERVER_BASE);
    ~Tfmmain() override;

    ui::PngImageList& ImageList1 = Create<ui::PngImageList>();
    ui::ToolBar& ToolBar1 = Create<ui::ToolBar>();
    ui::ToolButton& tbfst = Create<ui::ToolButton>();
    ui::ToolButton& ToolButton3 = Create<ui::ToolButton>();
    ui::ToolButton& ToolButton1 = Create<ui::ToolButton>();
    ui::ToolButton& ToolButton2 = Create<ui::ToolButton>();
    ui::ToolButton& ToolButton4 = Create<ui::ToolButton>();
    ui::ToolButton& ToolButton5 = Create<ui::ToolButton>();
    ClockLabel& sth = Create<ClockLabel>();
    ClockLabel& stf = Create<ClockLabel>();
    ClockLabel& stm = Create<ClockLabel>();
    ui::Label& st1 = Create<ui::Label>();
    WebBrowser& wb = CreateWebBrowser(*this);
    ui::PopupMenu& PopupMenu1 = Create<ui::PopupMenu>();
    ui::MenuItem& h1 = Create<ui::MenuItem>();
    ui::MenuItem& N1 = Create<ui::MenuItem>();
    // The clock; its tag is the colon's blink phase, 0 or 1.
    ui::Timer& Timer1 = Create<ui::Timer>();
    ui::ApplicationEvents& ApplicationEvents1 = Create<ui::ApplicationEvents>();

    // 0 ordinary page, 1 first-study period, 2 plan, -1 hidden.
    int32_t PageMode() const override { return pageMode_; }
    // The page mode the last hide step replaced.
    int32_t PageModeBeforeHide() const { return pageModeBeforeHide_; }

    void tbfstClick(ui::Control& sender);
    void ToolButton3Click(ui::Control& sender);
    void ToolButton1Click(ui::Control& sender);
    void ToolButton2Click(ui::Control& sender);
    void ToolButton4Click(ui::Control& sender);
    // With 0: the hide step (page mode -1).
    void ifshow(int show);

    void wbBeforeNavigate2(WebBrowser& sender, const std::wstring& url, bool& cancel);

    // The clock: blink, then refreshtm.
    void Timer1Timer(ui::Timer& sender);
    // Clock labels, the page script call once a minute in page mode 1, the
    // reminder at the quarter hours.
    void refreshtm();
    // Shows the reminder popup above the task bar at the screen's right edge.
    void sfms();
    // Stops the clock for good (program end).
    void StopClock();

    // The tray icon.
    void InstallIcon();
    void UnInstallIcon();
    void WMBarIcon(LPARAM mouseMessage);
    void ClearMemory();
    void N1Click(ui::MenuItem& sender);
    void h1Click(ui::MenuItem& sender);

    // Where sfms learns the task bar's rectangle.
    std::function<RECT()> QueryTaskbar = QueryShellTaskbar;

protected:
    void CreateParams(ui::WindowCreateParams& params) override;
    void WndProc(ui::Message& message) override;

private:
    void BuildControls();
    void BuildToolBar();
    void LoadToolBarImages();
    void ConnectEvents();
    void FormCreate(ui::Form& sender);
    void FormShow(ui::Form& sender);
    void FormActivate(ui::Form& sender);
    void FormCloseQuery(ui::Form& sender, bool& canClose);
    void FormCanResize(ui::Form& sender, int& newWidth, int& newHeight, bool& resize);
    void FormMouseDown(ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
    void FormMouseMove(ui::Control& sender, ui::ShiftState shift, int x, int y);
    void FormMouseUp(ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
    void ApplicationEvents1Message(MSG& message, bool& handled);
    void RunSteps(const PageSteps& steps);
    void CallPageScript();
    void DismissReminder();

    // PageStepTarget
    void SetPageMode(int32_t mode) override { pageMode_ = mode; }
    void SetLoadingLabelVisible(bool visible) override { st1.SetVisible(visible); }
    void SetOuterWidth(int width) override;
    void SetOuterHeight(int height) override;
    void KeepOuterSizeThroughSkinSetUp();
    void OpenAddress(const std::string& pathAndQuery) override;
    void ShowBrowser() override { wb.SetBrowserVisible(true); }
    std::string SessionId() const override;

    std::wstring serverBase_;
    int32_t pageMode_ = 0;
    int32_t pageModeBeforeHide_ = 0;
    // Drag origin in client coordinates; (0, 0) when no drag is under way.
    int32_t dragX_ = 0;
    int32_t dragY_ = 0;
    // While the error box of a failed page script call is open, its modal
    // loop goes on ticking the clock: no second call (and box) is stacked.
    bool scriptErrorOpen_ = false;
    // The outer size the pages asked for last (0: none yet), and whether the
    // skin has fitted its frame to the window.
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    bool skinSetUp_ = false;
    NOTIFYICONDATAW trayIcon_{};
    UINT taskbarCreatedMessage_ = 0;
};

} // namespace app
