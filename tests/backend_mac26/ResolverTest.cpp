#include "BackendTestSupport.h"
#include "backend_mac26/Mac26MenuExtraResolver.h"

#include <algorithm>

namespace corvel::test {
namespace {

using MenuExtra = Mac26MenuExtraResolver::MenuExtra;

class Mac26MenuExtraResolverOnDesktop : public testing::TestWithParam<ScenarioCase> {
  protected:
    void start(sim::Scenario scenario) {
        desktop = sim::SimulatedDesktop::create(loop, std::move(scenario));
        const auto services = desktop->services();
        resolver =
            std::make_unique<Mac26MenuExtraResolver>(services.accessibility, services.workspace);
    }

    std::vector<MenuExtra> extrasOf(const std::string& bundleID) const {
        std::vector<MenuExtra> result;
        for (const auto& extra : resolver->currentExtras())
            if (extra.bundleID == bundleID)
                result.push_back(extra);
        return result;
    }

    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::unique_ptr<Mac26MenuExtraResolver> resolver;
};

TEST_P(Mac26MenuExtraResolverOnDesktop,
       skipsControlCenterChildrenWithoutIdentifierAndNamesAnUndescribedOneByTheApplication) {
    auto scenario = builtInScenario(GetParam());
    auto& host = scenario.applications.front();
    ASSERT_EQ(host.bundleIdentifier, "com.apple.controlcenter");
    sim::Scenario::Extra anonymous;
    anonymous.description = "Anonymous";
    sim::Scenario::Extra undescribed;
    undescribed.identifier = "com.apple.menuextra.focus";
    host.extras.push_back(anonymous);
    host.extras.push_back(undescribed);
    start(scenario);

    std::vector<std::string> names;
    for (const auto& extra : extrasOf("com.apple.controlcenter"))
        names.push_back(extra.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Clock", "Control Center", "Wi‑Fi", "Battery",
                                               "Control Center"}));
}

// Filed items stand far off the left edge and must still be found; an item
// whose window has not registered stands nowhere yet.
TEST_P(Mac26MenuExtraResolverOnDesktop, keepsExtrasPushedOffTheLeftEdgeButNotUnplacedOnes) {
    start(builtInScenario(GetParam()));
    const auto placed = resolver->currentExtras().size();
    ASSERT_GT(placed, 10u);
    auto wide = desktop->statusItem(24);
    wide->setAutosaveName("Probe");
    EXPECT_EQ(resolver->currentExtras().size(), placed);
    loop.advance(300ms);
    EXPECT_EQ(resolver->currentExtras().size(), placed + 1);
    wide->setLength(10000);
    loop.advance(300ms);
    const auto extras = resolver->currentExtras();
    EXPECT_EQ(extras.size(), placed + 1);
    EXPECT_TRUE(std::any_of(extras.begin(), extras.end(),
                            [](const MenuExtra& extra) { return extra.x < -5000; }));

    desktop->setAccessibilityTrusted(false);
    EXPECT_TRUE(resolver->currentExtras().empty());
}

TEST_P(Mac26MenuExtraResolverOnDesktop, anApplicationThatDoesNotAnswerRestsForTenSeconds) {
    start(builtInScenario(GetParam()));
    desktop->setAccessibilityReadCost(0ms);
    resolver = std::make_unique<Mac26MenuExtraResolver>(desktop, desktop, 0, &loop);
    desktop->setApplicationHung("com.example.driftwood", true);
    // The walk runs as work of the loop, whose thread the hung read holds.
    auto walk = [&] {
        std::size_t found = 0;
        loop.post([&] { found = extrasOf("com.example.driftwood").size(); });
        loop.runUntilIdle();
        return found;
    };
    const auto before = loop.now();
    EXPECT_EQ(walk(), 0u);
    EXPECT_EQ(loop.now() - before, 6s) << "the platform's own timeout";
    desktop->setApplicationHung("com.example.driftwood", false);
    loop.advance(9s);
    EXPECT_EQ(walk(), 0u) << "still resting, ten seconds from the failed read";
    loop.advance(1s);
    EXPECT_EQ(walk(), 1u);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, Mac26MenuExtraResolverOnDesktop,
                         testing::ValuesIn(builtInScenarios()), scenarioName);

} // namespace
} // namespace corvel::test
