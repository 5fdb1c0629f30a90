#include "app/TourPlan.h"

#include "sim/ScenarioLoader.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

using Filing = app::TourPlan::Filing;

sim::Scenario::Application application(std::string bundle, int extras = 1) {
    sim::Scenario::Application app;
    app.name = bundle;
    app.bundleIdentifier = bundle;
    for (int i = 0; i < extras; ++i) {
        sim::Scenario::Extra extra;
        extra.description = bundle + " " + std::to_string(i);
        extra.menu = {"Quit"};
        app.extras.push_back(extra);
    }
    return app;
}

} // namespace

TEST(TourPlan,
     filesTheFirstApplicationsOfTheDesktopWithOneMovableItemEachTheLastIntoTheSecondGroup) {
    const auto plan = app::TourPlan::of(sim::ScenarioLoader::defaultScenario());
    EXPECT_TRUE(plan.lacks.empty());
    // Control Center's items are the system's; Quillfeather shows two.
    EXPECT_EQ(plan.filings, (std::vector<Filing>{{"com.example.driftwood", "Work"},
                                                 {"org.example.lumen-notes", "Work"},
                                                 {"net.example.orrery", "Media"}}));

    auto two = sim::ScenarioLoader::defaultScenario();
    std::erase_if(two.applications, [](const auto& app) {
        return app.bundleIdentifier != "com.apple.controlcenter" &&
               app.bundleIdentifier != "com.example.cobble" &&
               app.bundleIdentifier != "com.example.quillfeather" &&
               app.bundleIdentifier != "com.example.bramble";
    });
    EXPECT_EQ(
        app::TourPlan::of(two).filings,
        (std::vector<Filing>{{"com.example.cobble", "Work"}, {"com.example.bramble", "Media"}}));
}

TEST(TourPlan, recordsTheFirstControlOptionDigitThatNothingOnTheDesktopHolds) {
    auto scenario = sim::ScenarioLoader::defaultScenario();
    EXPECT_EQ(app::TourPlan::of(scenario).shortcutDigit, '1');
    scenario.hotKeys.push_back({18, 0x1800, "system"});
    scenario.hotKeys.push_back({19, 0x1800, "com.example.wayfarer"});
    EXPECT_EQ(app::TourPlan::of(scenario).shortcutDigit, '3');
}

TEST(TourPlan, aDesktopTheTourCannotPlayOnGetsEveryLackNamedAndNothingFiled) {
    auto scenario = sim::ScenarioLoader::defaultScenario();
    scenario.screenRecording = sim::Scenario::Permission::denied;
    scenario.applications.front().executable = "SystemUIServer";
    auto stuck = application("com.example.stuck");
    stuck.extras[0].faults.neverMoves = true;
    auto fixed = application("com.example.fixed");
    fixed.extras[0].movable = false;
    auto quiet = application("com.example.quiet");
    quiet.extras[0].menu.clear();
    auto clockLike = application("com.example.clocklike");
    clockLike.extras[0].identifier = "Clock";
    scenario.applications = {scenario.applications.front(),
                             application("com.example.one"),
                             stuck,
                             fixed,
                             quiet,
                             clockLike,
                             application("com.apple.mail"),
                             application("com.example.pair", 2)};
    scenario.screen.width = 300;

    const auto plan = app::TourPlan::of(scenario);
    EXPECT_TRUE(plan.filings.empty());
    ASSERT_EQ(plan.lacks.size(), 4u) << ::testing::PrintToString(plan.lacks);
    EXPECT_NE(plan.lacks[0].find("room in the menu bar"), std::string::npos);
    EXPECT_NE(plan.lacks[1].find("Screen Recording"), std::string::npos);
    EXPECT_NE(plan.lacks[2].find("(it has 1)"), std::string::npos);
    EXPECT_NE(plan.lacks[3].find("Control Center"), std::string::npos);
}
