#pragma once
// The steps the study window takes for its pages, as data: the tool-bar
// pages and the pages' command words are tables of these steps, run against
// the window through PageStepTarget.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// What a page step acts on: the study window.
class PageStepTarget {
public:
    virtual int32_t PageMode() const = 0;
    virtual void SetPageMode(int32_t mode) = 0;
    virtual void SetLoadingLabelVisible(bool visible) = 0;
    // The window's outer size in pixels.
    virtual void SetOuterWidth(int width) = 0;
    virtual void SetOuterHeight(int height) = 0;
    // Opens the service's base followed by this path and query (8-bit, the
    // system code page).
    virtual void OpenAddress(const std::string& pathAndQuery) = 0;
    // The browser object's Visible property set to true.
    virtual void ShowBrowser() = 0;
    // The login state's session identifier.
    virtual std::string SessionId() const = 0;

protected:
    ~PageStepTarget() = default;
};

enum class StepKind { End, PageMode, ShowLabel, HideLabel, Width, Height, Open, BrowserVisible, HomeSteps, PlanSteps };

// One step. An address is a pattern: "{sid}" stands for the session
// identifier, "{rest}" for what follows a command's two-letter prefix; both
// are inserted unencoded.
struct PageStep {
    StepKind kind = StepKind::End;
    int value = 0;
    const char* address = nullptr;
};

// Steps in order, ended by the first StepKind::End.
using PageSteps = std::array<PageStep, 8>;

namespace step {
constexpr PageStep Mode(int32_t mode) { return {StepKind::PageMode, mode}; }
constexpr PageStep ShowLabel() { return {StepKind::ShowLabel}; }
constexpr PageStep HideLabel() { return {StepKind::HideLabel}; }
constexpr PageStep Width(int width) { return {StepKind::Width, width}; }
constexpr PageStep Height(int height) { return {StepKind::Height, height}; }
constexpr PageStep Open(const char* address) { return {StepKind::Open, 0, address}; }
constexpr PageStep BrowserVisible() { return {StepKind::BrowserVisible}; }
// The steps of the "首页" and "计划" buttons.
constexpr PageStep HomeSteps() { return {StepKind::HomeSteps}; }
constexpr PageStep PlanSteps() { return {StepKind::PlanSteps}; }
} // namespace step

inline constexpr char kHomeAddress[] = "/en/fstpg/rls.html?wb=1&sid={sid}";
inline constexpr char kPlanAddress[] = "/en/pln/pln.php?wb=1&sid={sid}";
inline constexpr char kHistoryAddress[] = "/en/hs/hs.php?wb=1&sid={sid}";
inline constexpr char kSettingsAddress[] = "/en/user/uchg.php?sid={sid}";

// The tool-bar pages, their steps in the order the buttons take them.
inline constexpr PageSteps kHomePageSteps{
    {step::Mode(0), step::ShowLabel(), step::Open(kHomeAddress), step::Width(465), step::Height(90)}};
inline constexpr PageSteps kPlanPageSteps{
    {step::Mode(2), step::Open(kPlanAddress), step::Width(700), step::Height(90), step::ShowLabel()}};
inline constexpr PageSteps kHistoryPageSteps{
    {step::Mode(0), step::Open(kHistoryAddress), step::Width(720), step::Height(90), step::ShowLabel()}};
// No wb parameter, and the loading label stays as it is.
inline constexpr PageSteps kSettingsPageSteps{
    {step::Mode(0), step::Width(540), step::Height(520), step::Open(kSettingsAddress)}};

// The home page alone, without the other steps of its button (the close
// request).
inline constexpr PageSteps kHomeAddressOnly{{step::Open(kHomeAddress)}};

// The pattern with "{sid}" and "{rest}" replaced; the inserted texts are not
// searched again.
std::string ExpandAddress(std::string_view pattern, std::string_view sid, std::string_view rest);

// Runs the steps in order against the window.
void RunPageSteps(PageStepTarget& target, const PageSteps& steps, std::string_view rest = {});

} // namespace app
