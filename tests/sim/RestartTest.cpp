#include "SimTestSupport.h"
#include "async/Spawn.h"
#include "support/RunTask.h"

#include <set>

namespace corvel::test {
namespace {

class RestartTest : public SimulatedDesktopTest {
  protected:
    sim::Scenario withLeftovers() {
        auto scenario = smallScenario();
        scenario.leftovers.push_back({"Corvel-HiddenRegionSpacer", 24, 4242});
        scenario.leftovers.push_back({"Corvel-Chrome-0000", 24, 4242});
        return scenario;
    }
    int countLeftovers() {
        int count = 0;
        for (const auto& item : desktop->itemsLeftToRight())
            count += item.isLeftover ? 1 : 0;
        return count;
    }
};

TEST_F(RestartTest, LeftoversOfACrashedRunStandInTheBarOwnedByAProcessThatNoLongerRuns) {
    start(withLeftovers());
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"beta", "alpha", "Corvel-Chrome-0000",
                                                            "Corvel-HiddenRegionSpacer", "clock"}));
    const auto windows = listedWindows(*desktop, 25);
    const auto ghost = std::find_if(windows.begin(), windows.end(), [](const auto& w) {
        return w.name == "Corvel-HiddenRegionSpacer";
    });
    EXPECT_EQ(ghost->ownerPid, 4242);
    EXPECT_FALSE(desktop->runningApplicationForPid(4242));
}

TEST_F(RestartTest, KillallControlCenterClearsLeftoversAndBringsItsExtrasBackWithNewNumbers) {
    start(withLeftovers());
    const auto oldClock = window("clock");
    const auto clockFrame = frameOf("clock");
    const auto oldHost = pid("com.apple.controlcenter");

    const auto killall = desktop->launch("/usr/bin/killall", {"ControlCenter"});
    ASSERT_TRUE(killall);
    EXPECT_EQ(countLeftovers(), 0);
    EXPECT_FALSE(desktop->windowNumberOf("clock"));

    auto exitStatus = std::make_shared<std::optional<int>>();
    async::spawn(loop,
                 [](std::shared_ptr<sim::SimulatedDesktop> d, std::int32_t p,
                    std::shared_ptr<std::optional<int>> out) -> async::Task<void> {
                     *out = co_await d->waitUntilExit(p);
                 }(desktop, *killall, exitStatus));
    loop.runUntilIdle();
    EXPECT_FALSE(*exitStatus);
    loop.advance(20ms);
    EXPECT_EQ(*exitStatus, 0);

    loop.advance(400ms);
    EXPECT_GT(window("clock"), oldClock);
    EXPECT_EQ(frameOf("clock"), clockFrame);
    EXPECT_NE(pid("com.apple.controlcenter"), oldHost);
    EXPECT_EQ(desktop->counters().restarts, 1);
    EXPECT_EQ(namesLeftToRight(), (std::vector<std::string>{"beta", "alpha", "clock"}));
}

TEST_F(RestartTest, ARestartedHostsUnnamedExtrasGetThePlatformsSameNamesAndTheirOldPlaces) {
    auto scenario = smallScenario();
    scenario.applications[0].extras.push_back(extra("", "Wi-Fi", 30, {}));
    scenario.applications[0].extras.back().movable = false;
    start(scenario);
    const auto before = namesLeftToRight();
    const auto wifiFrame = desktop->itemsLeftToRight()[2].frame;
    desktop->launch("/usr/bin/killall", {"ControlCenter"});
    loop.advance(400ms);
    EXPECT_EQ(namesLeftToRight(), before);
    EXPECT_EQ(desktop->itemsLeftToRight()[2].frame, wifiFrame);
}

// Control Center restarts by itself now and then, and applications start
// and quit while Corvel runs.
TEST_F(RestartTest, ApplicationsQuitOnTheirOwnComeBackAndLaunchLate) {
    auto scenario = smallScenario();
    scenario.applications[0].quitAt = 100ms;
    scenario.applications[2].running = false;
    scenario.applications[2].launchAt = 200ms;
    start(scenario);
    const auto clock = desktop->windowNumberOf("clock");
    ASSERT_FALSE(desktop->windowNumberOf("beta"));
    loop.advance(100ms);
    EXPECT_FALSE(desktop->pidOf("com.apple.controlcenter"));
    loop.advance(100ms);
    EXPECT_TRUE(desktop->windowNumberOf("beta"));
    loop.advance(300ms);
    ASSERT_TRUE(desktop->pidOf("com.apple.controlcenter"));
    EXPECT_NE(desktop->windowNumberOf("clock"), clock);

    desktop->quitApplication("com.example.beta");
    EXPECT_FALSE(desktop->windowNumberOf("beta"));
    desktop->launchApplication("com.example.beta");
    EXPECT_TRUE(desktop->windowNumberOf("beta"));
}

TEST_F(RestartTest, ARestartThatFailsToClearLeftoversStillRestarts) {
    auto scenario = withLeftovers();
    scenario.restartKeepsLeftovers = true;
    start(scenario);
    desktop->launch("/usr/bin/killall", {"ControlCenter"});
    loop.advance(1s);
    EXPECT_EQ(countLeftovers(), 2);
    EXPECT_EQ(desktop->counters().restarts, 1);
}

TEST_F(RestartTest, AFailingLaunchAnswersNothingAndTouchesNothing) {
    start(withLeftovers());
    desktop->setLaunchFails(true);
    EXPECT_FALSE(desktop->launch("/usr/bin/killall", {"ControlCenter"}));
    EXPECT_FALSE(desktop->launch("/usr/bin/true", {}));
    EXPECT_EQ(countLeftovers(), 2);
    EXPECT_EQ(runTask(loop, desktop->waitUntilExit(123456)), -1);
}

TEST_F(RestartTest, HostedItemsVanishWhileTheHostIsDownAndReturnAsTheNewHostsWindows) {
    auto scenario = smallScenario();
    scenario.hostStatusItemsInHost = true;
    start(scenario);
    auto mine = makeItem("Mine");
    const auto before = namesLeftToRight();
    std::set<std::uint32_t> oldNumbers;
    for (const auto& window : listedWindows(*desktop, 25))
        oldNumbers.insert(window.number);
    desktop->launch("/usr/bin/killall", {"ControlCenter"});
    EXPECT_TRUE(listedWindows(*desktop, 25).empty());
    loop.advance(400ms);
    const auto after = listedWindows(*desktop, 25);
    ASSERT_EQ(after.size(), oldNumbers.size());
    for (const auto& window : after) {
        EXPECT_FALSE(oldNumbers.count(window.number)) << window.number;
        EXPECT_EQ(window.ownerPid, pid("com.apple.controlcenter"));
    }
    EXPECT_EQ(namesLeftToRight(), before);
}

} // namespace
} // namespace corvel::test
