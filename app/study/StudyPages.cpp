#include "app/study/StudyPages.h"

namespace app {

std::string ExpandAddress(std::string_view pattern, std::string_view sid, std::string_view rest) {
    static constexpr std::string_view kSid = "{sid}";
    static constexpr std::string_view kRest = "{rest}";
    std::string address;
    for (size_t i = 0; i < pattern.size();) {
        const std::string_view tail = pattern.substr(i);
        if (tail.starts_with(kSid)) {
            address += sid;
            i += kSid.size();
        } else if (tail.starts_with(kRest)) {
            address += rest;
            i += kRest.size();
        } else {
            address += pattern[i++];
        }
    }
    return address;
}

void RunPageSteps(PageStepTarget& target, const PageSteps& steps, std::string_view rest) {
    for (const PageStep& s : steps) {
        switch (s.kind) {
        case StepKind::End:
            return;
        case StepKind::PageMode:
            target.SetPageMode(s.value);
            break;
        case StepKind::ShowLabel:
            target.SetLoadingLabelVisible(true);
            break;
        case StepKind::HideLabel:
            target.SetLoadingLabelVisible(false);
            break;
        case StepKind::Width:
            target.SetOuterWidth(s.value);
            break;
        case StepKind::Height:
            target.SetOuterHeight(s.value);
            break;
        case StepKind::Open:
            target.OpenAddress(ExpandAddress(s.address, target.SessionId(), rest));
            break;
        case StepKind::BrowserVisible:
            target.ShowBrowser();
            break;
        case StepKind::HomeSteps:
            RunPageSteps(target, kHomePageSteps);
            break;
        case StepKind::PlanSteps:
            RunPageSteps(target, kPlanPageSteps);
            break;
        }
    }
}

} // namespace app
