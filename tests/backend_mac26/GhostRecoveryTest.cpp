#include "Mac26SimFixture.h"
#include "backend_mac26/Mac26OwnNames.h"

namespace corvel::test {
namespace {

const Uuid groupHandle = Uuid::literal("AAAAAAAA-1111-4111-8111-111111111111");
const std::string crashedIcon = "Corvel-Chrome-0F0E0D0C-0B0A-4908-8706-050403020100";

/// A desktop where an earlier run crashed and left its spacer and one icon.
class GhostRecoveryTest : public Mac26SimTest {
  protected:
    void SetUp() override {
        auto scenario = backendScenario(GetParam());
        scenario.leftovers.push_back({"Corvel-HiddenRegionSpacer", 24, 4242});
        scenario.leftovers.push_back({crashedIcon, 24, 4242});
        startWith(std::move(scenario));
    }

    GhostRecoveryOutcome recover() {
        startedAt = loop.now();
        return run(backend->recoverFromGhosts()).value_or(GhostRecoveryOutcome::clean());
    }
    void allow(const std::string& value) { desktop->set("CORVEL_ALLOW_HOST_RESTART", value); }
    int leftovers() const {
        int count = 0;
        for (const auto& item : desktop->itemsLeftToRight())
            count += item.isLeftover ? 1 : 0;
        return count;
    }
};

TEST_P(GhostRecoveryTest, withoutTheVariableGhostsNeedARestartAndNoProcessIsStarted) {
    for (const std::string value : {"", "true", "1 ", " 1", "11"}) {
        if (!value.empty())
            allow(value);
        EXPECT_EQ(recover(), GhostRecoveryOutcome::requiresHostRestart()) << "'" << value << "'";
    }
    EXPECT_EQ(desktop->counters().launches, 0);
    EXPECT_EQ(leftovers(), 2);
}

TEST_P(GhostRecoveryTest, anAllowedRestartClearsTheGhostsAndCountsThem) {
    allow("1");

    EXPECT_EQ(recover(), GhostRecoveryOutcome::recovered(2));

    EXPECT_EQ(desktop->counters().launches, 1);
    EXPECT_EQ(desktop->counters().restarts, 1);
    EXPECT_EQ(leftovers(), 0);
    EXPECT_GE(sinceStart(loop.now()), 2020ms) << "killall's run, then the host's 2 s to settle";
}

TEST_P(GhostRecoveryTest, aGhostThatSurvivesTheRestartStillNeedsOneAndNoSecondRestartIsTried) {
    allow("1");
    desktop->setRestartKeepsLeftovers(true);

    EXPECT_EQ(recover(), GhostRecoveryOutcome::requiresHostRestart());

    EXPECT_EQ(desktop->counters().launches, 1);
}

TEST_P(GhostRecoveryTest, aRestartThatCannotBeLaunchedLeavesTheGhostsReported) {
    allow("1");
    desktop->setLaunchFails(true);

    EXPECT_EQ(recover(), GhostRecoveryOutcome::requiresHostRestart());
    EXPECT_EQ(leftovers(), 2);
}

TEST_P(GhostRecoveryTest, aRepairWithLiveIconsCountsOnlyTheLeftoversAndKeepsTheIconsItsOwn) {
    prepare();
    run(backend->placeOwnChrome(
        {OwnChromeIcon{primary, std::nullopt, 0}, OwnChromeIcon{groupHandle, "folder.fill", 1}}));
    allow("1");

    EXPECT_EQ(recover(), GhostRecoveryOutcome::recovered(2));

    // The windows the restart gave new numbers are known again: nothing of
    // Corvel's own is taken for a ghost afterwards, and the region still works.
    EXPECT_EQ(recover(), GhostRecoveryOutcome::clean());
    EXPECT_EQ(desktop->counters().launches, 1);
    EXPECT_EQ(failureOf(backend->hideRegion()), std::nullopt);
    EXPECT_EQ(barItem("Corvel-HiddenRegionSpacer")->length, 10000.0);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, GhostRecoveryTest,
                         ::testing::ValuesIn(builtInScenarios()), scenarioName);

class CleanMenuBarTest : public Mac26SimTest {};

TEST_P(CleanMenuBarTest, aMenuBarWithoutGhostsIsCleanWhateverTheEnvironmentSays) {
    prepare();
    run(backend->placeOwnChrome({OwnChromeIcon{primary, std::nullopt, 0}}));
    desktop->set("CORVEL_ALLOW_HOST_RESTART", "1");

    EXPECT_EQ(run(backend->recoverFromGhosts()), GhostRecoveryOutcome::clean());
    EXPECT_EQ(desktop->counters().launches, 0);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, CleanMenuBarTest, ::testing::ValuesIn(builtInScenarios()),
                         scenarioName);

} // namespace
} // namespace corvel::test
