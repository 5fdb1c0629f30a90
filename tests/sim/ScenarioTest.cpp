#include "SimTestSupport.h"
#include "sim/ScenarioLoader.h"

namespace corvel::test {
namespace {

TEST(ScenarioTest, TheDefaultScenarioHasADozenApplicationsAndControlCenterWithTheClockRightmost) {
    async::ManualLoop loop;
    auto desktop = sim::SimulatedDesktop::create(loop, sim::ScenarioLoader::defaultScenario());
    const auto items = desktop->itemsLeftToRight();
    EXPECT_EQ(items.back().name, "com.apple.menuextra.clock");
    EXPECT_EQ(items.back().frame.maxX(), 1512 - 8);
    EXPECT_GT(items.front().frame.minX(), 0);
    int foreignApps = 0;
    for (const auto& app : desktop->runningApplications()) {
        if (app.processIdentifier == ::getpid() ||
            app.bundleIdentifier == "com.apple.controlcenter")
            continue;
        ++foreignApps;
        EXPECT_NE(app.bundleIdentifier->find("example"), std::string::npos);
    }
    EXPECT_GE(foreignApps, 10);
    EXPECT_LE(foreignApps, 14);
    EXPECT_EQ(desktop->mainScreenFrame(), (platform::Rect{{0, 0}, {1512, 982}}));
}

TEST(ScenarioTest, TheDefaultScenarioIsHostedSettlesForAWhileAndActsAfterLatencies) {
    const auto scenario = sim::ScenarioLoader::defaultScenario();
    EXPECT_TRUE(scenario.hostStatusItemsInHost);
    EXPECT_EQ(scenario.settleTime, 100ms);
    EXPECT_EQ(scenario.accessibilityReadCost, 1ms);
    EXPECT_EQ(scenario.latencies, sim::Latencies{});
    for (auto latency : {scenario.latencies.drop, scenario.latencies.lengthChange,
                         scenario.latencies.menuOpen, scenario.latencies.menuClose}) {
        EXPECT_GT(latency, 0ms);
        EXPECT_LT(latency, 50ms);
    }
    EXPECT_EQ(sim::ScenarioLoader::unhostedScenario().applications.size(),
              scenario.applications.size());
    EXPECT_FALSE(sim::ScenarioLoader::unhostedScenario().hostStatusItemsInHost);
}

TEST(ScenarioTest, AScenarioDocumentSetsPermissionsFaultsAndLeftovers) {
    const auto scenario = sim::ScenarioLoader::fromJson(R"({
        "permissions": {"accessibility": "denied", "screenRecording": "grantedOnRequest"},
        "statusItems": {"registrationDelayMs": 75,
                        "faultsByAutosaveName": {"Spacer": {"neverRegisters": true}}},
        "hostStatusItemsInHost": true,
        "latencies": {"dropMs": 5, "menuCloseMs": 0},
        "accessibilityReadCostMs": 2,
        "applications": [{"name": "Zed", "bundleIdentifier": "com.example.zed", "relaunchAfterMs": 10,
                          "launchAtMs": 5, "quitAtMs": 60, "hung": true,
                          "extras": [{"description": "Zed", "width": 30,
                                      "faults": {"needsWakeUp": true, "vanishAfterDrags": 3,
                                                 "menuAutoCloseMs": 1500}}]}],
        "leftovers": [{"name": "Old", "ownerPid": 77}],
        "extraWindows": [{"kCGWindowLayer": 25.5}]
    })");
    EXPECT_EQ(scenario.accessibility, sim::Scenario::Permission::denied);
    EXPECT_EQ(scenario.screenRecording, sim::Scenario::Permission::grantedOnRequest);
    EXPECT_EQ(scenario.registrationDelay, 75ms);
    EXPECT_TRUE(scenario.faultsByAutosaveName.at("Spacer").neverRegisters);
    EXPECT_TRUE(scenario.hostStatusItemsInHost);
    EXPECT_EQ(scenario.latencies.drop, 5ms);
    EXPECT_EQ(scenario.latencies.lengthChange, 30ms);
    EXPECT_EQ(scenario.latencies.menuClose, 0ms);
    const auto& extra = scenario.applications.at(0).extras.at(0);
    EXPECT_TRUE(extra.faults.needsWakeUp);
    EXPECT_EQ(extra.faults.vanishAfterDrags, 3);
    EXPECT_EQ(extra.faults.menuAutoClose, 1500ms);
    EXPECT_EQ(scenario.applications.at(0).relaunchAfter, 10ms);
    EXPECT_EQ(scenario.applications.at(0).launchAt, 5ms);
    EXPECT_EQ(scenario.applications.at(0).quitAt, 60ms);
    EXPECT_TRUE(scenario.applications.at(0).hung);
    EXPECT_EQ(scenario.accessibilityReadCost, 2ms);
    EXPECT_EQ(scenario.leftovers.at(0).ownerPid, 77);
    EXPECT_EQ(scenario.extraWindows.at(0).find("kCGWindowLayer")->kind(),
              platform::PlatformValue::Kind::real);
}

TEST(ScenarioTest, AMisspeltKeyOrAWrongTypeIsAnErrorThatNamesThePlace) {
    try {
        sim::ScenarioLoader::fromJson(
            R"({"applications": [{"name": "A", "extras": [{"widht": 3}]}]})");
        FAIL();
    } catch (const sim::ScenarioError& error) {
        EXPECT_NE(std::string(error.what()).find("applications[0].extras[0]"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("widht"), std::string::npos);
    }
    EXPECT_THROW(sim::ScenarioLoader::fromJson(R"({"launchFails": "yes"})"), sim::ScenarioError);
    EXPECT_THROW(sim::ScenarioLoader::fromJson(R"({"latencies": {"drop": 5}})"),
                 sim::ScenarioError);
    EXPECT_THROW(sim::ScenarioLoader::fromJson("{"), sim::ScenarioError);
    EXPECT_THROW(sim::ScenarioLoader::fromFile("/nonexistent/scenario.json"), sim::ScenarioError);
}

} // namespace
} // namespace corvel::test
