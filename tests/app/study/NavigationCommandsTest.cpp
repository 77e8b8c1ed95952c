// The command words the pages send by navigating, through the study window
// and the scripted browser, in each page mode.

#include "tests/app/study/StudyWindowFixture.h"

#include <optional>

using namespace study_tests;

namespace {

constexpr int kSame = -100;  // width, height or page mode left as it was
constexpr int kStartWidth = 777;
constexpr int kStartHeight = 333;

enum class LabelEffect { Same, Shown, Hidden };

struct Outcome {
    int width;
    int height;
    LabelEffect label;
    int mode;
    const wchar_t* opened;  // the page opened by the command, or none
    bool cancel;
    bool browserVisible;
};

constexpr Outcome kNothing{kSame, kSame, LabelEffect::Same, kSame, nullptr, false, false};
constexpr Outcome kOnlyCancelled{kSame, kSame, LabelEffect::Same, kSame, nullptr, true, false};

struct CommandCase {
    const wchar_t* token;
    Outcome notFirstStudy;              // page modes 0 and 2
    std::optional<Outcome> firstStudy = std::nullopt;  // page mode 1, where it differs: no first group
};

const Outcome kHome{465, 90, LabelEffect::Shown, 0, L"/en/fstpg/rls.html?wb=1&sid=ab12", false, false};
const Outcome kPlan{700, 90, LabelEffect::Shown, 2, L"/en/pln/pln.php?wb=1&sid=ab12", false, false};

const CommandCase kCases[] = {
    {L"jj", {kSame, 280, LabelEffect::Same, kSame, nullptr, true, false}, kNothing},
    {L"qt", {kSame, 380, LabelEffect::Same, kSame, nullptr, true, false}, kNothing},
    {L"qb", {kSame, 640, LabelEffect::Same, kSame, nullptr, true, false}, kNothing},
    {L"rsuc", {600, 640, LabelEffect::Hidden, kSame, nullptr, true, false}, kNothing},
    {L"rend", kHome, kNothing},
    {L"hsend", {kSame, 450, LabelEffect::Hidden, kSame, nullptr, true, false}, kNothing},
    {L"plnend", {kSame, 450, LabelEffect::Hidden, kSame, nullptr, true, false}, kNothing},
    {L"endfst", {kSame, 300, LabelEffect::Hidden, 1, nullptr, true, false}, kOnlyCancelled},
    // The second group: the same in every page mode.
    {L"bs",
     {kSame, kSame, LabelEffect::Same, 0, L"/en/r/r.php?wb=1", true, true}},
    {L"rc42",
     {600, 90, LabelEffect::Shown, 0, L"/en/r/r.php?sid=ab12&plnid=42&wb=1", true, true}},
    {L"pr7",
     {600, 90, LabelEffect::Shown, 0, L"/en/r/r.php?sid=ab12&plnid=7&wb=1&pre=1", true, true}},
    {L"rc",
     {600, 90, LabelEffect::Shown, 0, L"/en/r/r.php?sid=ab12&plnid=&wb=1", true, true}},
    // Everything after the prefix, query-like text included, unencoded.
    {L"rc5?x=1&y=a b",
     {600, 90, LabelEffect::Shown, 0, L"/en/r/r.php?sid=ab12&plnid=5?x=1&y=a b&wb=1", true, true}},
    // A page's text that looks like the address patterns stays as it is.
    {L"rc{sid}{rest}",
     {600, 90, LabelEffect::Shown, 0, L"/en/r/r.php?sid=ab12&plnid={sid}{rest}&wb=1", true, true}},
    {L"pln", kPlan},
    // Exact, case-sensitive words; near misses go ahead as ordinary pages.
    {L"JJ", kNothing},
    {L"Bs", kNothing},
    {L"RC42", kNothing},
    {L"", kNothing},
    {L"r", kNothing},
    {L"plnend?x", kNothing},
    {L"jj2", kNothing},
    {L"rls.html?wb=1&sid=ab12", kNothing},
};

class NavigationCommandsTest : public StudyWindowTest {
protected:
    // Fires the command in a page mode from each state of the loading label
    // and checks the outcome.
    void Check(const CommandCase& c, int mode) {
        const Outcome& expected = mode == 1 ? c.firstStudy.value_or(c.notFirstStudy) : c.notFirstStudy;
        for (const bool labelBefore : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", label shown before: " << labelBefore);
            EnterPageMode(mode);
            window->SetBounds(10, 20, kStartWidth, kStartHeight);
            window->st1.SetVisible(labelBefore);
            browser->browserVisible = false;

            const bool cancel = browser->Fire(std::wstring(kBase) + L"/en/user/" + c.token);

            EXPECT_EQ(cancel, expected.cancel);
            EXPECT_EQ(window->Width(), expected.width == kSame ? kStartWidth : expected.width);
            EXPECT_EQ(window->Height(), expected.height == kSame ? kStartHeight : expected.height);
            const RECT outer = WindowRect();
            EXPECT_EQ(outer.right - outer.left, window->Width());
            EXPECT_EQ(outer.bottom - outer.top, window->Height());
            const bool labelAfter = expected.label == LabelEffect::Same ? labelBefore
                                                                         : expected.label == LabelEffect::Shown;
            EXPECT_EQ(window->st1.Visible(), labelAfter);
            EXPECT_EQ(window->PageMode(), expected.mode == kSame ? mode : expected.mode);
            if (expected.opened != nullptr) {
                EXPECT_EQ(browser->navigated, std::vector<std::wstring>{Url(expected.opened)});
            } else {
                EXPECT_TRUE(browser->navigated.empty());
            }
            // None of the program's own addresses is a command.
            EXPECT_EQ(browser->opened, browser->navigated);
            EXPECT_EQ(browser->browserVisible, expected.browserVisible);
        }
    }
};

TEST_F(NavigationCommandsTest, EveryCommandInEveryPageMode) {
    for (const CommandCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "token \"" << ui::WideToUtf8(c.token) << "\"");
        for (const int mode : {0, 1, 2}) {
            Check(c, mode);
        }
    }
}

TEST_F(NavigationCommandsTest, SecondEndfstInAFirstStudyPeriodIsOnlyCancelled) {
    EnterPageMode(0);
    window->SetBounds(0, 0, kStartWidth, kStartHeight);
    window->st1.Show();
    EXPECT_TRUE(browser->Fire(Url(L"/a/endfst")));
    EXPECT_EQ(window->Height(), 300);
    EXPECT_FALSE(window->st1.Visible());
    EXPECT_EQ(window->PageMode(), 1);

    window->SetHeight(kStartHeight);
    window->st1.Show();
    EXPECT_TRUE(browser->Fire(Url(L"/a/endfst")));
    EXPECT_EQ(window->Height(), kStartHeight);
    EXPECT_TRUE(window->st1.Visible());
    EXPECT_EQ(window->PageMode(), 1);
}

TEST_F(NavigationCommandsTest, TokenIsTheTextAfterTheLastSlash) {
    EnterPageMode(0);
    // A command word in an earlier segment or as a query value is no command.
    EXPECT_FALSE(browser->Fire(Url(L"/jj/page.html")));
    EXPECT_FALSE(browser->Fire(Url(L"/x/page?next=/a/b")));
    EXPECT_TRUE(browser->Fire(Url(L"/x/page?next=/a/jj")));
    // An address without any "/" is its own token.
    EXPECT_TRUE(browser->Fire(L"qt"));
    EXPECT_EQ(window->Height(), 380);
    // An address ending in "/" has an empty token.
    EXPECT_FALSE(browser->Fire(Url(L"/a/qb/")));
    EXPECT_EQ(window->Height(), 380);
}

TEST_F(NavigationCommandsTest, AddressesCarryTheSessionIdentifierUnencoded) {
    app::UserInfo().sid = "a&b c";
    EnterPageMode(0);
    browser->Fire(Url(L"/x/rc9"));
    EXPECT_EQ(browser->navigated, std::vector<std::wstring>{Url(L"/en/r/r.php?sid=a&b c&plnid=9&wb=1")});
}

} // namespace
