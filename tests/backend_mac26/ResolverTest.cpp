#include "BackendTestSupport.h"
#include "backend_mac26/Mac26MenuExtraResolver.h"

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

TEST_P(Mac26MenuExtraResolverOnDesktop, leavesOutExtrasPushedOffTheLeftEdgeAndAnUntrustedScan) {
    start(builtInScenario(GetParam()));
    const auto visible = resolver->currentExtras().size();
    ASSERT_GT(visible, 10u);
    auto wide = desktop->statusItem(24);
    wide->setAutosaveName("Probe");
    loop.advance(300ms);
    EXPECT_EQ(resolver->currentExtras().size(), visible + 1);
    wide->setLength(10000);
    loop.advance(300ms);
    // Widened, the leftmost item starts far off the left edge (negative x)
    // and is no extra any more; the foreign ones right of it stay.
    EXPECT_EQ(resolver->currentExtras().size(), visible);

    desktop->setAccessibilityTrusted(false);
    EXPECT_TRUE(resolver->currentExtras().empty());
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, Mac26MenuExtraResolverOnDesktop,
                         testing::ValuesIn(builtInScenarios()), scenarioName);

} // namespace
} // namespace corvel::test
