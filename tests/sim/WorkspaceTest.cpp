#include "SimTestSupport.h"
#include "platform/FileURL.h"
#include "sim/ScenarioLoader.h"

namespace corvel::test {
namespace {

using WorkspaceTest = SimulatedDesktopTest;

TEST_F(WorkspaceTest, RunningApplicationsIncludeThisProcessAndAreFoundByPidAndBundleIdentifier) {
    start();
    const auto apps = desktop->runningApplications();
    ASSERT_EQ(apps.size(), 4u);
    EXPECT_EQ(apps.front().processIdentifier, ::getpid());
    EXPECT_EQ(apps.front().bundleIdentifier, "app.corvel.Corvel");
    const auto alpha = desktop->runningApplicationForPid(pid("com.example.alpha"));
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->localizedName, "Alpha");
    ASSERT_TRUE(alpha->icon);
    EXPECT_EQ(alpha->icon->kind(), platform::Image::Kind::png);
    EXPECT_EQ(desktop->runningApplicationsWithBundleIdentifier("com.example.beta").size(), 1u);
    EXPECT_TRUE(desktop->runningApplicationsWithBundleIdentifier("com.example.none").empty());
}

// As NSWorkspace does: accessories (most owners of menu bar items) launch
// and quit unannounced.
TEST_F(WorkspaceTest, RegularApplicationsAreAnnouncedAsTheyQuitAndLaunchOnTheMainLoop) {
    auto scenario = smallScenario();
    scenario.applications[1].activationPolicy = platform::ActivationPolicy::regular;
    const std::string regular = *scenario.applications[1].bundleIdentifier;
    const std::string accessory = *scenario.applications[2].bundleIdentifier;
    start(scenario);
    std::vector<std::pair<platform::ApplicationChange, std::int32_t>> heard;
    const auto token = desktop->addApplicationChangeObserver(
        [&](platform::ApplicationChange change, std::int32_t pid) { heard.emplace_back(change, pid); });
    const auto quitting = pid(regular);
    desktop->quitApplication(regular);
    desktop->quitApplication(accessory);
    EXPECT_TRUE(heard.empty()) << "only on the next turn of the loop";
    loop.runUntilIdle();
    desktop->launchApplication(regular);
    loop.runUntilIdle();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], std::make_pair(platform::ApplicationChange::terminated, quitting));
    EXPECT_EQ(heard[1], std::make_pair(platform::ApplicationChange::launched, pid(regular)));

    desktop->removeApplicationChangeObserver(token);
    desktop->quitApplication(regular);
    loop.runUntilIdle();
    EXPECT_EQ(heard.size(), 2u);
}

TEST_F(WorkspaceTest, TheWallClockReadsWhatWasSetAndRunsOnWithTheLoopsClock) {
    start();
    const auto start = desktop->now();
    loop.advance(1500ms);
    EXPECT_EQ(desktop->now() - start, 1500ms);
    const auto moment = std::chrono::sys_days{std::chrono::year{2030} / 2 / 3};
    desktop->setWallClock(moment);
    EXPECT_EQ(desktop->services().wallClock->now(), moment);
    loop.advance(2s);
    EXPECT_EQ(desktop->now(), moment + 2s);
}

TEST_F(WorkspaceTest, InstalledApplicationsHaveFileUrlsAndIconsEvenWhenNotRunning) {
    auto scenario = smallScenario();
    scenario.applications[2].name = "Beta Tools";
    scenario.applications[2].running = false;
    start(scenario);
    EXPECT_TRUE(desktop->runningApplicationsWithBundleIdentifier("com.example.beta").empty());
    EXPECT_FALSE(desktop->windowNumberOf("beta"));
    const auto url = desktop->urlForApplicationWithBundleIdentifier("com.example.beta");
    EXPECT_EQ(url, "file:///Applications/Beta%20Tools.app");
    const auto path = platform::FileURL::path(*url);
    ASSERT_TRUE(path);
    EXPECT_NE(desktop->iconForFile(*path), desktop->iconForFile("/tmp/unknown"));
    EXPECT_FALSE(desktop->urlForApplicationWithBundleIdentifier("com.example.none"));
}

TEST_F(WorkspaceTest, OpenedUrlsAreRecordedAndActivationIsCounted) {
    start();
    EXPECT_TRUE(
        desktop->openURL(std::string(platform::Workspace::screenRecordingPrivacySettingsURL)));
    EXPECT_FALSE(desktop->openURL("no scheme"));
    EXPECT_EQ(desktop->openedURLs().size(), 1u);
    desktop->setActivationPolicy(platform::ActivationPolicy::accessory);
    desktop->activateIgnoringOtherApps(true);
    EXPECT_EQ(desktop->activationCount(), 1);
    EXPECT_EQ(desktop->runningApplicationForPid(::getpid())->activationPolicy,
              platform::ActivationPolicy::accessory);
}

TEST_F(WorkspaceTest, EnvironmentScreenAndSymbolsAnswerFromTheScenario) {
    auto scenario = smallScenario();
    scenario.environment["CORVEL_ALLOW_HOST_RESTART"] = "0";
    scenario.missingSymbols.push_back("star.fill");
    start(scenario);
    EXPECT_EQ(desktop->get("CORVEL_ALLOW_HOST_RESTART"), "0");
    desktop->set("CORVEL_ALLOW_HOST_RESTART", "1");
    EXPECT_EQ(desktop->get("CORVEL_ALLOW_HOST_RESTART"), "1");
    EXPECT_FALSE(desktop->get("HOME"));
    EXPECT_EQ(desktop->mainScreenFrame(), (platform::Rect{{0, 0}, {1000, 982}}));
    const auto folder = desktop->systemSymbolImage("folder.fill", "Work");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->symbolName(), "folder.fill");
    EXPECT_EQ(folder->accessibilityDescription(), "Work");
    EXPECT_FALSE(desktop->systemSymbolImage("star.fill", ""));
    EXPECT_FALSE(desktop->systemSymbolImage("no.such.symbol", ""));
}

TEST_F(WorkspaceTest, ServicesHandEveryPortBackedByTheOneDesktop) {
    start();
    const auto services = desktop->services();
    auto item = services.statusBar->statusItem(24);
    item->setAutosaveName("ViaServices");
    EXPECT_TRUE(desktop->windowNumberOf("ViaServices"));
    EXPECT_EQ(services.processes->currentProcessIdentifier(), ::getpid());
    EXPECT_FALSE(services.systemLog);
}

} // namespace
} // namespace corvel::test
