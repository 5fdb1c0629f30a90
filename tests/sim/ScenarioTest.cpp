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

std::string errorOf(const std::string& text) {
    try {
        sim::ScenarioLoader::fromJson(text);
    } catch (const sim::ScenarioError& error) {
        return error.what();
    }
    return "no error";
}

TEST(ScenarioTest, AMisspeltKeyOrAWrongTypeIsAnErrorThatNamesThePlace) {
    EXPECT_EQ(errorOf(R"({"applications": [{"name": "A", "extras": [{"widht": 3}]}]})"),
              "applications[0].extras[0]: unknown key \"widht\"");
    EXPECT_EQ(errorOf(R"({"launchFails": "yes"})"),
              "launchFails: expected true or false, found a string");
    EXPECT_EQ(errorOf(R"({"screen": {"width": "wide"}})"),
              "screen.width: expected a number, found a string");
    EXPECT_EQ(errorOf(R"({"applications": {"name": "A"}})"),
              "applications: expected an array, found an object");
    EXPECT_EQ(errorOf(R"({"environment": {"HOME": 1}})"),
              "environment.HOME: expected a string, found a number");
    EXPECT_EQ(errorOf(R"({"latencies": {"drop": 5}})"), "latencies: unknown key \"drop\"");
    EXPECT_THROW(sim::ScenarioLoader::fromJson("{"), sim::ScenarioError);
    EXPECT_THROW(sim::ScenarioLoader::fromFile("/nonexistent/scenario.json"), sim::ScenarioError);
}

// Values that no display, item or process could have would start a desktop
// that overflows, hangs or draws nothing.
TEST(ScenarioTest, ValuesOutOfRangeAreRefusedNamingTheKeyAndTheValue) {
    EXPECT_EQ(errorOf(R"({"screen": {"width": 0, "height": 0}})"),
              "screen.width: 0 is out of range; expected 1 to 16384");
    EXPECT_EQ(errorOf(R"({"screen": {"height": 1e300}})"),
              "screen.height: 1e+300 is out of range; expected 1 to 16384");
    EXPECT_EQ(errorOf(R"({"screen": {"height": 20, "menuBarHeight": 24}})"),
              "screen.menuBarHeight: 24 is out of range; expected 1 to 20");
    EXPECT_EQ(errorOf(R"({"applications": [{"name": "A", "extras": [{"width": -5}]}]})"),
              "applications[0].extras[0].width: -5 is out of range; expected 0 to 100000");
    EXPECT_EQ(errorOf(R"({"latencies": {"dropMs": -1}})"),
              "latencies.dropMs: -1 is out of range; expected 0 to 86400000");
    EXPECT_EQ(errorOf(R"({"statusItems": {"registrationDelayMs": 1.5}})"),
              "statusItems.registrationDelayMs: 1.5 is not a whole number");
    EXPECT_EQ(errorOf(R"({"applications": [{"name": "A", "pid": 4294967297}]})"),
              "applications[0].pid: 4294967297 is out of range; expected 1 to 2147483647");
    EXPECT_EQ(
        errorOf(R"({"applications": [{"name": "A", "pid": 400}, {"name": "B", "pid": 400}]})"),
        "applications[1].pid: 400 is already the pid of applications[0]");
    EXPECT_EQ(errorOf(R"({"applications": [{"name": "A", "pid": 400}],)"
                      R"( "leftovers": [{"name": "Old", "ownerPid": 400}]})"),
              "leftovers[0].ownerPid: 400 is the pid of applications[0], but a leftover's owner "
              "no longer runs");
    EXPECT_EQ(errorOf(R"({"applications": [{"name": "A", "color": "#GGGGGG"}]})"),
              "applications[0].color: \"#GGGGGG\" is not a colour of the form #RRGGBB");
    EXPECT_EQ(
        errorOf(
            R"({"applications": [{"name": "A", "extras": [{"faults": {"vanishAfterDrags": 0}}]}]})"),
        "applications[0].extras[0].faults.vanishAfterDrags: 0 is out of range; expected 1 to "
        "1000000");
    EXPECT_EQ(errorOf(R"({"rememberedPositions": {"Corvel-Spacer": -3}})"),
              "rememberedPositions.Corvel-Spacer: -3 is out of range; expected 0 to 1000000");
}

} // namespace
} // namespace corvel::test
