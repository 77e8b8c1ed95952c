#pragma once
// The command words the service's pages send the study window by navigating
// to an address whose last segment is the word.

#include "app/study/StudyPages.h"

#include <string>

namespace app {

// Runs the commands of one navigation's token against the window: the first
// group (only when the page mode is not 1), then the second (always).
// Answers whether the navigation is to be cancelled.
bool RunNavigationCommand(PageStepTarget& target, const std::string& token);

} // namespace app
