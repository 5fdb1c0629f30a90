#include "UiHarness.h"
#include "domain/WellKnownGroup.h"
#include "platform/Alert.h"
#include "ui/QtMenuPresenter.h"
#include "ui/StripPanel.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace corvel;
using platform::Alert;
using Operation = test::ScriptedBackend::Operation;

namespace {

constexpr std::size_t hiddenGroupEntry = 3;
constexpr std::size_t showAllEntry = 4;
constexpr std::size_t repairEntry = 6;

class CorvelMenuControllerTest : public ::testing::Test {
  protected:
    const std::vector<platform::MenuItem>& openMenu() { return ui.menu->menu()->prepareToOpen(); }
    void choose(std::size_t index) {
        openMenu();
        ASSERT_TRUE(ui.menu->menu()->performItem(index));
        ui.loop.runUntilIdle();
    }
    Alert outcomeAlertFor(GhostRecoveryOutcome outcome) {
        ui.alerts->clear();
        ui.backend->queueGhostOutcome(outcome);
        choose(repairEntry);
        EXPECT_EQ(ui.alerts->shown().size(), 1u);
        return ui.alerts->shown().empty() ? Alert{} : ui.alerts->shown().front();
    }

    test::UiHarness ui;
};

} // namespace

TEST_F(CorvelMenuControllerTest, theMenuIsEmptyUntilItOpensThenHasItsNineEntriesInOrder) {
    EXPECT_TRUE(ui.menu->menu()->items().empty());

    const auto& items = openMenu();
    ASSERT_EQ(items.size(), 9u);
    std::vector<std::string> titles;
    std::vector<std::string> keys;
    for (const auto& item : items) {
        titles.push_back(item.isSeparator ? "-" : item.title);
        keys.push_back(item.keyEquivalent);
        EXPECT_TRUE(item.isSeparator || (item.isEnabled && item.action)) << item.title;
        EXPECT_TRUE(item.keyEquivalentModifiers.command);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Settings\u2026", "-", "Find Item\u2026",
                                                "Hidden Group", "Show All Items for 30 Seconds",
                                                "-", "Repair Menu Bar", "-", "Quit Corvel"}));
    EXPECT_EQ(keys, (std::vector<std::string>{",", "", "", "", "", "", "", "", "q"}));
}

TEST_F(CorvelMenuControllerTest, theShowAllEntryShowsAllOrHidesAllByTheStateWhenTheMenuOpens) {
    const auto& items = openMenu();
    EXPECT_EQ(items[showAllEntry].title, "Show All Items for 30 Seconds");
    ASSERT_TRUE(ui.menu->menu()->performItem(showAllEntry));
    ui.loop.runUntilIdle();
    // The title is decided as the menu opens, not as the state changes.
    EXPECT_EQ(items[showAllEntry].title, "Show All Items for 30 Seconds");
    EXPECT_EQ(ui.interpreter->state().showAll(), ShowAllState::active);
    EXPECT_EQ(ui.backend->count(Operation::revealRegion), 1u);

    EXPECT_EQ(openMenu()[showAllEntry].title, "Hide All Items Now");
    choose(showAllEntry);
    EXPECT_EQ(ui.interpreter->state().showAll(), ShowAllState::inactive);
    EXPECT_EQ(ui.backend->count(Operation::hideRegion), 1u);
    EXPECT_EQ(ui.loop.pendingTimerCount(), 0u);
}

TEST_F(CorvelMenuControllerTest, hiddenGroupOpensNothingUntilThePrimaryIconsFrameIsKnown) {
    choose(hiddenGroupEntry);
    EXPECT_FALSE(ui.menu->lastAnchorFrame());
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::closed());
    EXPECT_FALSE(ui.strip->panel().isVisible());

    ui.backend->setPrimaryIconFrame(ItemFrame{1300, 0, 24, 24});
    choose(hiddenGroupEntry);
    EXPECT_EQ(ui.interpreter->state().strip(), StripState::open(WellKnownGroup::hidden));
    EXPECT_EQ(ui.strip->pendingAnchorFrame(), (ItemFrame{1300, 0, 24, 24}));
    EXPECT_TRUE(ui.strip->panel().isVisible());
}

TEST_F(CorvelMenuControllerTest, theRepairReportsItsOutcomeInTheSingularOnlyForOneItem) {
    EXPECT_EQ(outcomeAlertFor(GhostRecoveryOutcome::recovered(1)),
              (Alert{"Menu Bar Repaired", "Cleared 1 leftover item.", {}}));
    EXPECT_EQ(outcomeAlertFor(GhostRecoveryOutcome::recovered(0)),
              (Alert{"Menu Bar Repaired", "Cleared 0 leftover items.", {}}));
    EXPECT_EQ(outcomeAlertFor(GhostRecoveryOutcome::recovered(3)),
              (Alert{"Menu Bar Repaired", "Cleared 3 leftover items.", {}}));
    EXPECT_EQ(outcomeAlertFor(GhostRecoveryOutcome::clean()),
              (Alert{"Menu Bar Looks Fine", "Corvel found nothing to repair.", {}}));
}

TEST_F(CorvelMenuControllerTest, aRestartIsAskedForAndOnlyAConfirmedOneRepairsAndReports) {
    ui.backend->queueGhostOutcome(GhostRecoveryOutcome::requiresHostRestart());
    ui.alerts->queueAnswer(Alert::firstButtonReturn + 1);
    choose(repairEntry);
    ASSERT_EQ(ui.alerts->shown().size(), 1u);
    EXPECT_EQ(ui.alerts->shown()[0],
              (Alert{"Repair the Menu Bar?",
                     "Corvel needs to briefly restart Control Center to clear leftover items. "
                     "Real Menu Bar items return unchanged, but the bar will flicker for a moment.",
                     {"Repair", "Cancel"}}));
    EXPECT_EQ(ui.confirmedRestarts, 0);

    ui.alerts->clear();
    ui.backend->queueGhostOutcome(GhostRecoveryOutcome::requiresHostRestart());
    ui.backend->queueGhostOutcome(GhostRecoveryOutcome::recovered(2));
    choose(repairEntry);
    EXPECT_EQ(ui.confirmedRestarts, 1);
    ASSERT_EQ(ui.alerts->shown().size(), 2u);
    EXPECT_EQ(ui.alerts->shown()[1], (Alert{"Menu Bar Repaired", "Cleared 2 leftover items.", {}}));
}

TEST_F(CorvelMenuControllerTest, settingsAndQuitReachTheirCollaborators) {
    choose(0);
    EXPECT_EQ(ui.settingsShown, 1);
    EXPECT_EQ(ui.terminations, 0);
    choose(8);
    EXPECT_EQ(ui.terminations, 1);
}

TEST_F(CorvelMenuControllerTest, theQtMenuMirrorsTheEntriesWithCommandKeysAndPerformsThem) {
    QMenu shown;
    QtMenuPresenter::fill(shown, ui.menu->menu());

    auto actions = shown.actions();
    ASSERT_EQ(actions.size(), 9);
    EXPECT_EQ(actions[0]->text(), QString::fromUtf8("Settings\u2026"));
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[8]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(actions[showAllEntry]->shortcut().isEmpty());

    actions[showAllEntry]->trigger();
    ui.loop.runUntilIdle();
    EXPECT_EQ(ui.interpreter->state().showAll(), ShowAllState::active);

    // Filled again for the next opening, it reads the new state.
    QtMenuPresenter::fill(shown, ui.menu->menu());
    EXPECT_EQ(shown.actions().size(), 9);
    EXPECT_EQ(shown.actions()[showAllEntry]->text(), "Hide All Items Now");
}
