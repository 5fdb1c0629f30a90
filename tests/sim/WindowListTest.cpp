#include "SimTestSupport.h"

namespace corvel::test {
namespace {

using WindowListTest = SimulatedDesktopTest;

TEST_F(WindowListTest, EveryStatusItemIsALayer25WindowWithOwnerNameAndBoundsNewestFirst) {
    start();
    auto mine = makeItem("Mine");
    const auto windows = listedWindows(*desktop, 25);
    ASSERT_EQ(windows.size(), 4u);
    EXPECT_EQ(windows.front().name, "Mine");
    EXPECT_EQ(windows.front().ownerPid, ::getpid());
    for (std::size_t i = 1; i < windows.size(); ++i)
        EXPECT_GT(windows[i - 1].number, windows[i].number);
    const auto alpha = std::find_if(windows.begin(), windows.end(),
                                    [](const auto& w) { return w.name == "alpha"; });
    EXPECT_EQ(alpha->ownerPid, pid("com.example.alpha"));
    EXPECT_EQ(alpha->bounds, (platform::Rect{{862, 0}, {30, 24}}));
}

TEST_F(WindowListTest, WindowNumbersAreNeverReusedWithinARun) {
    start();
    auto first = makeItem("Mine");
    const auto firstNumber = window("Mine");
    desktop->removeStatusItem(first);
    auto second = makeItem("Mine");
    EXPECT_GT(window("Mine"), firstNumber);
}

TEST_F(WindowListTest, WithoutScreenRecordingOnlyThisProcesssWindowsKeepTheirNames) {
    auto scenario = smallScenario();
    scenario.screenRecording = sim::Scenario::Permission::denied;
    start(scenario);
    auto mine = makeItem("Mine");
    for (const auto& window : listedWindows(*desktop, 25)) {
        if (window.ownerPid == ::getpid())
            EXPECT_EQ(window.name, "Mine");
        else
            EXPECT_FALSE(window.name) << window.number;
    }
}

TEST_F(WindowListTest, WhenControlCenterHostsTheItemsNoWindowKeepsItsNameWithoutScreenRecording) {
    auto scenario = smallScenario();
    scenario.screenRecording = sim::Scenario::Permission::denied;
    scenario.hostStatusItemsInHost = true;
    start(scenario);
    auto mine = makeItem("Mine");
    const auto windows = listedWindows(*desktop, 25);
    ASSERT_EQ(windows.size(), 4u);
    for (const auto& window : windows) {
        EXPECT_EQ(window.ownerPid, pid("com.apple.controlcenter"));
        EXPECT_FALSE(window.name);
    }
    desktop->setScreenRecordingGranted(true);
    EXPECT_EQ(listedWindows(*desktop, 25).front().name, "Mine");
}

TEST_F(WindowListTest, TheScenariosRawWindowsArriveVerbatimForReadersToCheck) {
    auto scenario = smallScenario();
    scenario.extraWindows.push_back(platform::PlatformValue::dictionary(
        {{"kCGWindowLayer", platform::PlatformValue::string("25")},
         {"kCGWindowNumber", platform::PlatformValue::integer(7)}}));
    start(scenario);
    const auto list = desktop->copyWindowInfo(0, 0);
    const auto& raw = list->asArray()->back();
    EXPECT_EQ(raw.find("kCGWindowLayer")->asString(), "25");
    EXPECT_FALSE(raw.find("kCGWindowLayer")->asInteger());
    EXPECT_FALSE(raw.find("kCGWindowBounds"));
}

} // namespace
} // namespace corvel::test
