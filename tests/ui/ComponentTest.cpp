#include "ui/Button.h"
#include "ui/Component.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records the order in which components are destroyed.
class Probe : public ui::Component {
public:
    Probe(ui::Component* owner, std::vector<std::string>* log, std::string label)
        : Component(owner), log_(log), label_(std::move(label)) {}
    ~Probe() override { log_->push_back(label_); }

private:
    std::vector<std::string>* log_;
    std::string label_;
};

TEST(ComponentTest, OwnerFreesOwnedComponentsInReverseOrderOfCreation) {
    std::vector<std::string> log;
    {
        auto owner = std::make_unique<Probe>(nullptr, &log, "owner");
        owner->Create<Probe>(&log, "first");
        auto& second = owner->Create<Probe>(&log, "second");
        second.Create<Probe>(&log, "grandchild");
        owner->Create<Probe>(&log, "third");
        EXPECT_EQ(owner->ComponentCount(), 3);
    }
    // Each destructor body runs before its own components are freed.
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "third", "second", "grandchild", "first"}));
}

TEST(ComponentTest, ComponentFreedEarlyLeavesItsOwnersList) {
    std::vector<std::string> log;
    auto owner = std::make_unique<ui::Component>(nullptr);
    auto* early = &owner->Create<Probe>(&log, "early");
    owner->Create<Probe>(&log, "late");
    delete early;
    ASSERT_EQ(owner->ComponentCount(), 1);
    owner.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"early", "late"}));
}

TEST(ComponentTest, RefEmptiesWhenTheComponentIsDestroyed) {
    auto owner = std::make_unique<ui::Component>(nullptr);
    ui::Ref<ui::Timer> timer = &owner->Create<ui::Timer>();
    ui::Ref<ui::Timer> copy = timer;
    ASSERT_TRUE(timer);
    owner.reset();
    EXPECT_FALSE(timer);
    EXPECT_EQ(copy.get(), nullptr);
}

TEST(ComponentTest, FindComponentByNameIgnoresCase) {
    ui::Component owner(nullptr);
    owner.Create<ui::Timer>().name = "Timer1";
    EXPECT_NE(owner.FindComponent("timer1"), nullptr);
    EXPECT_EQ(owner.FindComponent("Timer2"), nullptr);
}

struct ClassCase {
    const char* what;
    std::function<ui::Component*(ui::Component*)> make;
    const char* className;
    std::vector<const char*> ancestors;
    std::vector<const char*> notAncestors;
};

TEST(ComponentTest, ClassNamesAndAncestorsAsTheMappingRulesTestThem) {
    const std::vector<ClassCase> cases = {
        {"form", [](ui::Component* o) { return new ui::Form(o); }, "TForm",
         {"TCustomForm", "TScrollingWinControl", "TWinControl", "TControl", "TComponent", "TObject"},
         {"TCustomPanel", "TGraphicControl"}},
        {"edit", [](ui::Component* o) { return new ui::Edit(o); }, "TEdit",
         {"TCustomEdit", "TWinControl", "tcustomedit"}, {"TButtonControl"}},
        {"button", [](ui::Component* o) { return new ui::Button(o); }, "TButton",
         {"TButtonControl", "TWinControl"}, {"TCustomCheckBox"}},
        {"check box", [](ui::Component* o) { return new ui::CheckBox(o); }, "TCheckBox",
         {"TCustomCheckBox", "TButtonControl", "TWinControl"}, {"TButton"}},
        {"panel", [](ui::Component* o) { return new ui::Panel(o); }, "TPanel",
         {"TCustomPanel", "TCustomControl", "TWinControl"}, {"TCustomEdit"}},
        {"static text", [](ui::Component* o) { return new ui::StaticText(o); }, "TStaticText",
         {"TCustomStaticText", "TWinControl"}, {"TGraphicControl"}},
        {"label", [](ui::Component* o) { return new ui::Label(o); }, "TLabel",
         {"TCustomLabel", "TGraphicControl", "TControl"}, {"TWinControl"}},
        {"image", [](ui::Component* o) { return new ui::Image(o); }, "TImage", {"TGraphicControl"}, {"TWinControl"}},
        {"timer", [](ui::Component* o) { return new ui::Timer(o); }, "TTimer", {"TComponent"}, {"TControl"}},
    };
    ui::Component owner(nullptr);
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.what);
        ui::Component* component = c.make(&owner);
        EXPECT_EQ(component->ClassName(), c.className);
        EXPECT_TRUE(component->InheritsFrom(c.className));
        for (const char* ancestor : c.ancestors) {
            EXPECT_TRUE(component->InheritsFrom(ancestor)) << ancestor;
        }
        for (const char* stranger : c.notAncestors) {
            EXPECT_FALSE(component->InheritsFrom(stranger)) << stranger;
        }
    }
}

TEST(ComponentTest, PublishedPropertiesReadAndWriteAsText) {
    ui::Component owner(nullptr);
    auto& form = owner.Create<ui::Form>();
    auto& panel = owner.Create<ui::Panel>();
    auto& label = owner.Create<ui::Label>();

    EXPECT_EQ(form.GetPropertyText("AutoScroll"), "False");
    EXPECT_TRUE(form.SetPropertyText("autoscroll", "TRUE"));
    EXPECT_TRUE(form.autoScroll);

    EXPECT_EQ(panel.GetPropertyText("ParentBackground"), "True");
    EXPECT_TRUE(panel.SetPropertyText("ParentBackground", "False"));
    EXPECT_FALSE(panel.parentBackground);

    EXPECT_TRUE(label.SetPropertyText("Caption", "正在调入,请稍等..."));
    EXPECT_EQ(label.Caption(), L"正在调入,请稍等...");
    EXPECT_EQ(label.GetPropertyText("Caption"), "正在调入,请稍等...");
    EXPECT_TRUE(label.SetPropertyText("Transparent", "True"));
    EXPECT_TRUE(label.transparent);
}

TEST(ComponentTest, UnknownPropertiesAndBadValuesAreReportedNotApplied) {
    ui::Component owner(nullptr);
    auto& panel = owner.Create<ui::Panel>();
    auto& edit = owner.Create<ui::Edit>();
    EXPECT_FALSE(edit.HasProperty("ParentBackground"));
    EXPECT_FALSE(edit.GetPropertyText("ParentBackground").has_value());
    EXPECT_FALSE(edit.SetPropertyText("Flat", "True"));
    EXPECT_THROW(panel.SetPropertyText("ParentBackground", "yes"), ui::PropertyError);
    EXPECT_TRUE(panel.parentBackground);
}

} // namespace

namespace {

TEST(OwnedComponentTest, FreesItsComponentUnlessTheOwnerFreedItFirst) {
    std::vector<std::string> log;
    {
        ui::OwnedComponent<Probe> held(new Probe(nullptr, &log, "held"));
        ASSERT_TRUE(held);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"held"}));

    log.clear();
    auto owner = std::make_unique<Probe>(nullptr, &log, "owner");
    ui::OwnedComponent<Probe> child(&owner->Create<Probe>(&log, "child"));
    owner.reset();  // frees the child too
    EXPECT_FALSE(child);
    child.reset();  // nothing left to free twice
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "child"}));

    log.clear();
    ui::OwnedComponent<Probe> first(new Probe(nullptr, &log, "first"));
    ui::OwnedComponent<Probe> second = std::move(first);
    EXPECT_FALSE(first);
    Probe* released = second.release();
    EXPECT_FALSE(second);
    EXPECT_TRUE(log.empty());
    delete released;
    EXPECT_EQ(log, (std::vector<std::string>{"first"}));
}

} // namespace
