#include "async/Spawn.h"
#include "settings/SettingsFixture.h"
#include "settings/SettingsViewModel.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace corvel {
namespace {

using test::ScriptedBackend;
using Operation = ScriptedBackend::Operation;

constexpr auto notYetHiddenTail =
    " is in the Group, but Corvel couldn't hide it yet because another "
    "Menu Bar item is in the way. Try again in a moment.";

class SettingsViewModelItemsTest : public test::SettingsFixture {
  protected:
    void SetUp() override {
        backend->setItems({weather, sync});
        run(viewModel->refreshRows());
        weatherID = viewModel->rows().value().at(0).id;
        syncID = viewModel->rows().value().at(1).id;
    }

    const ObservedItem weather = observed("com.example.weather", "Weather", 100);
    const ObservedItem sync = observed("com.example.sync", "Sync", 200);
    std::shared_ptr<SettingsViewModel> viewModel = makeViewModel();
    const Group work = putGroup("Work", 0);
    // Set to the rows' ids once the menu bar has been read.
    ItemID weatherID = ItemID::random();
    ItemID syncID = ItemID::random();
};

// Rows

TEST_F(SettingsViewModelItemsTest, RowsAreSplitIntoUnresolvedAndPerGroupInRowsOrder) {
    run(viewModel->assign(syncID, work.id));

    EXPECT_EQ(viewModel->rows().value().size(), 2u);
    ASSERT_EQ(viewModel->unresolvedRows().size(), 1u);
    EXPECT_EQ(viewModel->unresolvedRows()[0].id, weatherID);
    ASSERT_EQ(viewModel->rowsIn(work.id).size(), 1u);
    EXPECT_EQ(viewModel->rowsIn(work.id)[0].id, syncID);
    EXPECT_TRUE(viewModel->rowsIn(GroupID::random()).empty());
}

TEST_F(SettingsViewModelItemsTest, AFailedRefreshKeepsTheRowsAndShowsNoMessage) {
    backend->failNext(Operation::currentItems, BackendError::underlying("window list unreadable"));

    run(viewModel->refreshRows());

    EXPECT_EQ(viewModel->rows().value().size(), 2u);
    EXPECT_EQ(viewModel->assignmentError().value(), std::nullopt);
}

// Assigning

TEST_F(SettingsViewModelItemsTest, AssigningFilesTheItemAndRefreshesTheRows) {
    int rowUpdates = 0;
    const auto subscription = viewModel->rows().observe([&](const auto&) { ++rowUpdates; });

    EXPECT_EQ(run(viewModel->assign(weatherID, work.id)), AssignmentOutcome::assigned());

    EXPECT_EQ(stored(weatherID)->groupID, work.id);
    EXPECT_EQ(viewModel->rows().value().at(0).groupID, work.id);
    EXPECT_EQ(rowUpdates, 1);
    EXPECT_EQ(backend->operations(),
              (std::vector<Operation>{Operation::currentItems, Operation::moveIntoHiddenRegion,
                                      Operation::hideRegion, Operation::currentItems}));
}

TEST_F(SettingsViewModelItemsTest, AnItemThatCouldNotBeHiddenYetIsNamedByItsRowOrCalledThatItem) {
    backend->failNext(Operation::hideRegion, BackendError::geometryUnsettled());
    const auto outcome = run(viewModel->assign(syncID, work.id));
    EXPECT_EQ(outcome.kind(), AssignmentOutcome::Kind::assignedButNotYetHidden);
    EXPECT_EQ(viewModel->assignmentError().value(), std::string("Sync") + notYetHiddenTail);

    const auto radio = observed("com.example.radio", "Radio", 300);
    backend->setItems({weather, sync, radio});
    const auto radioID = run(coordinator->refreshRows()).at(2).id; // not through the view model
    backend->failNext(Operation::hideRegion, BackendError::geometryUnsettled());
    run(viewModel->assign(radioID, work.id));
    EXPECT_EQ(viewModel->assignmentError().value(), std::string("That item") + notYetHiddenTail);
}

TEST_F(SettingsViewModelItemsTest, AMessageStaysUntilASuccessfulAssignmentOrADismissalClearsIt) {
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::hiddenRegionAtCapacity());
    EXPECT_EQ(run(viewModel->assign(weatherID, work.id)), AssignmentOutcome::refusedAtCapacity());
    EXPECT_EQ(viewModel->assignmentError().value(), "There is no room left to hide more Items.");
    run(viewModel->assign(weatherID, work.id));
    EXPECT_EQ(viewModel->assignmentError().value(), std::nullopt);

    backend->setItems({sync});
    run(viewModel->refreshRows());
    EXPECT_EQ(run(viewModel->assign(weatherID, work.id)),
              AssignmentOutcome::itemNoLongerObserved());
    EXPECT_EQ(viewModel->assignmentError().value(), "That item isn't in the Menu Bar any more.");
    viewModel->dismissAssignmentError();
    EXPECT_EQ(viewModel->assignmentError().value(), std::nullopt);
}

// Unassigning and renaming

TEST_F(SettingsViewModelItemsTest, UnassigningRefreshesTheRowsAndLeavesTheMessageAlone) {
    run(viewModel->assign(syncID, work.id));
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::hiddenRegionAtCapacity());
    run(viewModel->assign(weatherID, work.id));
    const auto message = viewModel->assignmentError().value();
    ASSERT_TRUE(message);
    backend->clearCalls();

    EXPECT_EQ(run(viewModel->unassign(syncID)), AssignmentOutcome::assigned());

    EXPECT_EQ(stored(syncID)->groupID, std::nullopt);
    EXPECT_TRUE(viewModel->rowsIn(work.id).empty());
    EXPECT_EQ(backend->operations(),
              (std::vector<Operation>{Operation::moveOutOfHiddenRegion, Operation::revealRegion,
                                      Operation::currentItems}));
    EXPECT_EQ(viewModel->assignmentError().value(), message);
}

TEST_F(SettingsViewModelItemsTest, RenamingShowsTheCoordinatorsRowsWithoutReadingTheMenuBar) {
    backend->clearCalls();

    run(viewModel->rename(syncID, "  Cloud "));

    EXPECT_EQ(viewModel->rows().value().at(1).displayName, "Cloud");
    EXPECT_EQ(stored(syncID)->displayName, "Cloud");
    EXPECT_TRUE(backend->calls().empty());
}

TEST_F(SettingsViewModelItemsTest, RenamingAnItemThatLeftTheMenuBarRereadsTheRows) {
    backend->setItems({sync});
    run(coordinator->refreshRows());
    backend->clearCalls();

    run(viewModel->rename(weatherID, "Sun"));

    EXPECT_EQ(backend->operations(), (std::vector<Operation>{Operation::currentItems}));
    EXPECT_EQ(viewModel->rows().value().size(), 1u);
    EXPECT_FALSE(stored(weatherID).has_value());
}

// Lifetime

template <class T> async::Task<void> awaitAndDrop(async::Task<T> task) {
    co_await std::move(task);
}

TEST_F(SettingsViewModelItemsTest, EveryOperationUnderWayKeepsTheViewModelAliveUntilItEnds) {
    using Start = std::function<async::Task<void>(SettingsViewModel&)>;
    const std::vector<std::pair<std::string, Start>> operations{
        {"assign",
         [&](SettingsViewModel& model) { return awaitAndDrop(model.assign(weatherID, work.id)); }},
        {"refreshRows", [](SettingsViewModel& model) { return model.refreshRows(); }},
        {"deleteGroup", [&](SettingsViewModel& model) { return model.deleteGroup(work.id); }},
        {"unassign",
         [&](SettingsViewModel& model) { return awaitAndDrop(model.unassign(weatherID)); }},
        {"rename of an item that left",
         [&](SettingsViewModel& model) { return model.rename(ItemID::random(), "Sun"); }},
    };
    for (const auto& [name, start] : operations) {
        auto model = makeViewModel();
        std::weak_ptr<SettingsViewModel> watched = model;
        // Every one of them ends by reading the rows again.
        auto gate = backend->holdNext(Operation::currentItems);
        auto handle = async::spawn(loop, start(*model));
        model.reset();
        loop.runUntilIdle();
        ASSERT_TRUE(gate.isReached()) << name;
        EXPECT_FALSE(watched.expired()) << name;

        gate.open();
        loop.runUntilIdle();

        EXPECT_TRUE(handle.isDone()) << name;
        EXPECT_EQ(handle.failure(), nullptr) << name;
        EXPECT_TRUE(watched.expired()) << name;
    }
}

} // namespace
} // namespace corvel
