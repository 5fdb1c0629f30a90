#include "app/CorvelAppDelegate.h"
#include "app/DelegateServices.h"
#include "async/ManualLoop.h"
#include "backend/BackendError.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/OnboardingWindowController.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimulatedDesktop.h"
#include "support/FileContents.h"
#include "support/MemoryLog.h"
#include "support/ScriptedBackend.h"
#include "support/ScriptedModalAlerts.h"
#include "support/TemporaryFolder.h"

#include <QPushButton>
#include <fstream>
#include <gtest/gtest.h>

using namespace corvel;
using namespace std::chrono_literals;
using Operation = test::ScriptedBackend::Operation;

namespace {

struct LaunchFixture : ::testing::Test {
    async::ManualLoop loop;
    test::TemporaryFolder folder;
    std::shared_ptr<test::MemoryLog> log = std::make_shared<test::MemoryLog>();
    std::shared_ptr<test::ScriptedModalAlerts> alerts =
        std::make_shared<test::ScriptedModalAlerts>();
    std::shared_ptr<test::ScriptedBackend> backend = std::make_shared<test::ScriptedBackend>();
    sim::Scenario scenario = sim::ScenarioLoader::defaultScenario();
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    std::shared_ptr<app::CorvelAppDelegate> delegate;
    int terminations = 0;

    void launch() {
        desktop = sim::SimulatedDesktop::create(loop, scenario);
        delegate = app::CorvelAppDelegate::create(test::delegateServices(
            loop, *desktop, log, alerts, folder.path(), [this] { return backend; },
            [this] { ++terminations; }, StripWindowController::identityMapping()));
        delegate->applicationDidFinishLaunching();
        loop.runUntilIdle();
    }

    std::vector<std::string> prepareFailureLines() const {
        std::vector<std::string> found;
        for (const auto& line : log->lines())
            if (line.starts_with("Corvel: prepare() failed at launch — "))
                found.push_back(line);
        return found;
    }
};

const auto spacerMissing = BackendError::underlying("The spacer's window never appeared.");

} // namespace

TEST_F(LaunchFixture,
       withoutScreenRecordingTheFirstFailureAlertsOnceAndLaterOnesOnlyLogEveryTwoSeconds) {
    scenario.screenRecording = sim::Scenario::Permission::denied;
    backend->failAlways(Operation::prepare, spacerMissing);
    launch();

    ASSERT_EQ(prepareFailureLines().size(), 1u);
    EXPECT_EQ(prepareFailureLines()[0],
              "Corvel: prepare() failed at launch — underlying(\"The spacer's window never "
              "appeared.\"); screenRecording=false accessibility=true");
    ASSERT_EQ(alerts->shown().size(), 1u);
    EXPECT_EQ(alerts->shown()[0].messageText, "Corvel needs Screen Recording on macOS 26");
    EXPECT_EQ(alerts->shown()[0].buttons,
              (std::vector<std::string>{"Open System Settings", "Quit Corvel"}));
    EXPECT_EQ(
        desktop->openedURLs(),
        (std::vector<std::string>{
            "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture"}));
    EXPECT_EQ(desktop->counters().screenRecordingRequests, 1);

    loop.advance(1999ms);
    EXPECT_EQ(prepareFailureLines().size(), 1u);
    loop.advance(1ms);
    EXPECT_EQ(prepareFailureLines().size(), 2u);
    loop.advance(2s);
    EXPECT_EQ(prepareFailureLines().size(), 3u);
    EXPECT_EQ(alerts->shown().size(), 1u);

    desktop->setScreenRecordingGranted(true);
    backend->failAlways(Operation::prepare, std::nullopt);
    loop.advance(2s);
    EXPECT_EQ(prepareFailureLines().size(), 3u);
    EXPECT_TRUE(backend->isPrepared());
    EXPECT_TRUE(delegate->launchTask().isDone());
    EXPECT_EQ(terminations, 0);
}

TEST_F(LaunchFixture, quitCorvelInTheAlertEndsTheLaunchWithNoInterfaceAndNoIcons) {
    backend->failAlways(Operation::prepare, spacerMissing);
    alerts->queueAnswer(platform::Alert::firstButtonReturn + 1);
    launch();

    EXPECT_EQ(terminations, 1);
    EXPECT_TRUE(delegate->launchTask().isDone());
    EXPECT_FALSE(delegate->interfaceBuilt());
    EXPECT_EQ(backend->count(Operation::placeOwnChrome), 0u);
    EXPECT_EQ(backend->count(Operation::attachPrimaryIconMenu), 0u);
    EXPECT_TRUE(desktop->openedURLs().empty());
    loop.advance(10s);
    EXPECT_EQ(backend->count(Operation::prepare), 1u);
}

// A restart of Control Center at launch changes the whole menu bar: what it
// cleared, or failed to, is said in the log; a clean bar says nothing.
TEST_F(LaunchFixture, launchGoesOnWhateverGhostRecoveryAnswersAndSaysWhatARestartDid) {
    const std::vector<std::pair<GhostRecoveryOutcome, std::string>> cases{
        {GhostRecoveryOutcome::requiresHostRestart(),
         "Corvel: leftover items of an earlier run of Corvel are still in the menu bar after a "
         "restart of Control Center at launch"},
        {GhostRecoveryOutcome::recovered(2),
         "Corvel: Control Center was restarted at launch to "
         "clear 2 leftover item(s) of an earlier run of Corvel"},
        {GhostRecoveryOutcome::clean(), ""}};
    // Only the restart speaks: no system shortcut stands in Find Item…'s way.
    scenario.hotKeys.clear();
    for (const auto& [outcome, line] : cases) {
        backend = std::make_shared<test::ScriptedBackend>();
        backend->setGhostOutcome(outcome);
        log->clear();
        launch();
        EXPECT_TRUE(backend->isPrepared());
        EXPECT_TRUE(delegate->launchTask().isDone());
        EXPECT_EQ(log->lines(),
                  line.empty() ? std::vector<std::string>{} : std::vector<std::string>{line});
    }
}

// Quitting cancels the launch, and a cancelled wait ends at once: a retry
// loop that did not look would spin on the main thread and never let the
// quit finish.
TEST_F(LaunchFixture, quittingWhileWaitingForScreenRecordingEndsTheLaunchAtOnce) {
    scenario.screenRecording = sim::Scenario::Permission::denied;
    backend->failAlways(Operation::prepare, spacerMissing);
    launch();
    delegate->launchTask().cancel();
    loop.advance(1ms);
    EXPECT_TRUE(delegate->launchTask().isDone());
    loop.advance(10s);
    EXPECT_LE(prepareFailureLines().size(), 2u);
    EXPECT_EQ(backend->count(Operation::placeOwnChrome), 0u);
}

// Screen Recording withdrawn while Corvel runs: it is noticed, asked for as
// at launch, and its return puts the filed items back.
TEST_F(LaunchFixture, aWithdrawnScreenRecordingIsAskedForAgainAndItsReturnReconciles) {
    launch();
    ASSERT_TRUE(delegate->launchTask().isDone());
    const auto reconciled = backend->count(Operation::currentItems);
    desktop->setScreenRecordingGranted(false);
    loop.advance(2s);
    ASSERT_EQ(alerts->shown().size(), 1u);
    EXPECT_EQ(alerts->shown()[0].messageText, "Corvel needs Screen Recording on macOS 26");
    EXPECT_EQ(desktop->counters().screenRecordingRequests, 1);
    EXPECT_EQ(log->lines().back(), "Corvel: Screen Recording was withdrawn; Corvel moves no item "
                                   "until it is granted again");
    loop.advance(10s);
    EXPECT_EQ(alerts->shown().size(), 1u) << "asked once while it stays withdrawn";

    desktop->setScreenRecordingGranted(true);
    loop.advance(2s);
    EXPECT_EQ(log->lines().back(), "Corvel: Screen Recording is granted again; filed items go "
                                   "back into the hidden region");
    EXPECT_GT(backend->count(Operation::currentItems), reconciled);
    EXPECT_EQ(terminations, 0);
}

TEST_F(LaunchFixture, aFailingReconciliationIsIgnoredAndTheLaunchEnds) {
    backend->failAlways(Operation::currentItems, spacerMissing);
    launch();
    EXPECT_TRUE(delegate->launchTask().isDone());
    EXPECT_FALSE(delegate->launchTask().failure());
    EXPECT_GE(backend->count(Operation::currentItems), 1u);
}

namespace {

const char* threeGroupsDocument =
    R"({"schemaVersion":1,"items":[],"groups":[)"
    R"({"id":{"rawValue":"6A1B2C3D-0000-4000-8000-000000000001"},"name":"Late","symbolName":"folder.fill","order":2},)"
    R"({"id":{"rawValue":"6A1B2C3D-0000-4000-8000-000000000002"},"name":"Tie A","symbolName":"folder.fill","order":1},)"
    R"({"id":{"rawValue":"6A1B2C3D-0000-4000-8000-000000000003"},"name":"Tie B","symbolName":"folder.fill","order":1}]})";

} // namespace

TEST_F(LaunchFixture, theStoreIsReadAndCorvelInFrontBeforeTheBackendIsUsedThenIconsFollowOrder) {
    std::ofstream(folder / "store.json") << threeGroupsDocument;
    std::optional<std::size_t> groupsAtFirstCall;
    std::optional<int> activationsAtPrepare;
    backend->onCall([&](const test::ScriptedBackend::Call& call) {
        if (!groupsAtFirstCall)
            groupsAtFirstCall = delegate->store() ? delegate->store()->groups().size() : 0;
        if (call.operation == Operation::prepare && !activationsAtPrepare)
            activationsAtPrepare = desktop->activationCount();
    });
    launch();
    EXPECT_EQ(groupsAtFirstCall, 3u);
    EXPECT_EQ(backend->operations().front(), Operation::recoverFromGhosts);
    EXPECT_EQ(activationsAtPrepare, 1);
    // By order, and ties in the order the store keeps them.
    std::vector<std::string> handles;
    for (const auto& icon : backend->placedIcons())
        handles.push_back(icon.handle.text());
    EXPECT_EQ(handles, (std::vector<std::string>{
                           "00000000-0000-0000-0000-0000000000F0",
                           "6A1B2C3D-0000-4000-8000-000000000002",
                           "6A1B2C3D-0000-4000-8000-000000000003",
                           "6A1B2C3D-0000-4000-8000-000000000001",
                       }));
    EXPECT_TRUE(delegate->interfaceBuilt());
    EXPECT_NE(backend->attachedMenu(), nullptr);
    EXPECT_EQ(delegate->onboardingWindowController(), nullptr) << "Accessibility is granted";
}

TEST_F(LaunchFixture, aFailedIconPlacementIsLoggedAndLaunchStillReconcilesAndAsksForAccessibility) {
    scenario.accessibility = sim::Scenario::Permission::denied;
    backend->failNext(Operation::placeOwnChrome, spacerMissing);
    launch();
    const auto lines = log->lines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "Corvel: placeOwnChrome failed at launch — underlying(\"The spacer's window "
                  "never appeared.\")"),
        lines.end());
    const auto operations = backend->operations();
    const auto placed = std::find(operations.begin(), operations.end(), Operation::placeOwnChrome);
    EXPECT_NE(std::find(placed, operations.end(), Operation::currentItems), operations.end());
    ASSERT_NE(delegate->onboardingWindowController(), nullptr);
    EXPECT_TRUE(delegate->onboardingWindowController()->window().isVisible());
    EXPECT_TRUE(delegate->launchTask().isDone());
}

TEST_F(LaunchFixture, onceOnboardingFinishesItsWindowIsClosedAndGone) {
    scenario.accessibility = sim::Scenario::Permission::grantedOnRequest;
    launch();
    auto onboarding = delegate->onboardingWindowController();
    ASSERT_NE(onboarding, nullptr);
    QPushButton* continueButton = nullptr;
    for (auto* button : onboarding->window().findChildren<QPushButton*>())
        if (button->text() == "Continue")
            continueButton = button;
    ASSERT_NE(continueButton, nullptr);
    continueButton->click();
    loop.runUntilIdle();
    EXPECT_EQ(delegate->onboardingWindowController(), nullptr);
    EXPECT_FALSE(onboarding->window().isVisible());
}

namespace {

Group workGroup() {
    return Group{.id = GroupID::random(), .name = "Work", .symbolName = "folder.fill"};
}

} // namespace

TEST_F(LaunchFixture, aNewerCorvelsStoreIsToldOnceAndIsStillAsItWasAfterAChangeAndQuit) {
    const std::string newer = R"({"schemaVersion":7,"groups":[],"items":[]})";
    std::ofstream(folder / "store.json") << newer;
    launch();
    ASSERT_EQ(alerts->shown().size(), 1u);
    EXPECT_EQ(alerts->shown()[0].messageText, "Corvel can't use your saved Groups");
    const auto& text = alerts->shown()[0].informativeText;
    EXPECT_NE(text.find((folder / "store.json").string()), std::string::npos) << text;
    EXPECT_NE(text.find("(schema 7)"), std::string::npos) << text;

    delegate->store()->upsertGroup(workGroup());
    auto quitting = async::spawn(loop, delegate->flushStore());
    loop.advance(1s);
    EXPECT_TRUE(quitting.isDone());
    EXPECT_EQ(test::fileContents(folder / "store.json"), newer);
    EXPECT_EQ(alerts->shown().size(), 1u);
}

TEST_F(LaunchFixture, writeFailuresAndRecoveriesAreToldByAlertsButNotWhileQuitting) {
    // A folder in the document's place: every write fails, and it stays.
    std::filesystem::create_directory(folder / "store.json");
    launch();
    delegate->store()->upsertGroup(workGroup());
    loop.advance(1s);
    ASSERT_EQ(alerts->shown().size(), 1u);
    EXPECT_EQ(alerts->shown()[0].messageText, "Corvel can't save your changes");
    EXPECT_NE(alerts->shown()[0].informativeText.find("it is a folder"), std::string::npos)
        << alerts->shown()[0].informativeText;

    std::filesystem::remove(folder / "store.json");
    delegate->store()->upsertGroup(workGroup());
    loop.advance(1s);
    ASSERT_EQ(alerts->shown().size(), 2u);
    EXPECT_EQ(alerts->shown()[1].messageText, "Corvel saves your changes again");

    std::filesystem::remove(folder / "store.json");
    std::filesystem::create_directory(folder / "store.json");
    delegate->store()->upsertGroup(workGroup());
    auto quitting = async::spawn(loop, delegate->flushStore());
    loop.advance(1s);
    EXPECT_TRUE(quitting.isDone());
    EXPECT_EQ(alerts->shown().size(), 2u) << "an alert held up the quit";
}
