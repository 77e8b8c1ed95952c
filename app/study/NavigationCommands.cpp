#include "app/study/NavigationCommands.h"

#include "app/study/NavigationToken.h"

#include <string_view>

namespace app {
namespace {

using namespace step;

// The first group: the first word equal to the token applies.
struct WordCommand {
    std::string_view word;
    PageSteps steps;
    bool cancel;
};

constexpr WordCommand kPageSizeCommands[] = {
    {"jj", {{Height(280)}}, true},
    {"qt", {{Height(380)}}, true},
    {"qb", {{Height(640)}}, true},
    {"rsuc", {{HideLabel(), Width(600), Height(640)}}, true},
    {"rend", {{HomeSteps()}}, false},
    {"hsend", {{Height(450), HideLabel()}}, true},
    {"plnend", {{Height(450), HideLabel()}}, true},
    {"endfst", {{Height(300), HideLabel(), Mode(1)}}, true},
};

// The second group: the first test that holds applies. A prefix row hands
// the token's text after the prefix to the address as "{rest}".
enum class Test { Equals, BeginsWith };

struct TestCommand {
    Test test;
    std::string_view word;
    PageSteps steps;
    bool cancel;
};

constexpr TestCommand kPageCommands[] = {
    {Test::Equals, "bs", {{Open("/en/r/r.php?wb=1"), BrowserVisible(), Mode(0)}}, true},
    {Test::BeginsWith,
     "rc",
     {{Open("/en/r/r.php?sid={sid}&plnid={rest}&wb=1"), Mode(0), ShowLabel(), Width(600), Height(90),
       BrowserVisible()}},
     true},
    {Test::BeginsWith,
     "pr",
     {{Open("/en/r/r.php?sid={sid}&plnid={rest}&wb=1&pre=1"), Mode(0), ShowLabel(), Width(600), Height(90),
       BrowserVisible()}},
     true},
    {Test::Equals, "endfst", {}, true},
    {Test::Equals, "pln", {{PlanSteps()}}, false},
};

bool Holds(const TestCommand& command, const std::string& token) {
    if (command.test == Test::Equals) {
        return token == command.word;
    }
    const char prefix[3] = {command.word[0], command.word[1], '\0'};
    return TokenBeginsWith(token, prefix);
}

} // namespace

bool RunNavigationCommand(PageStepTarget& target, const std::string& token) {
    bool cancel = false;
    if (target.PageMode() != 1) {
        for (const WordCommand& command : kPageSizeCommands) {
            if (token == command.word) {
                RunPageSteps(target, command.steps);
                cancel = cancel || command.cancel;
                break;
            }
        }
    }
    for (const TestCommand& command : kPageCommands) {
        if (Holds(command, token)) {
            const std::string_view rest =
                command.test == Test::BeginsWith ? std::string_view(token).substr(2) : std::string_view();
            RunPageSteps(target, command.steps, rest);
            cancel = cancel || command.cancel;
            break;
        }
    }
    return cancel;
}

} // namespace app
