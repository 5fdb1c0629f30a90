#include "engine/ItemAssignmentCoordinator.h"

#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "backend/BackendError.h"
#include "domain/WellKnownGroup.h"
#include "engine/GroupStore.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"
#include "support/TemporaryFolder.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>

namespace corvel {

void PrintTo(const AssignmentOutcome& outcome, std::ostream* out) {
    *out << "AssignmentOutcome(" << static_cast<int>(outcome.kind()) << ", \"" << outcome.reason()
         << "\")";
}

namespace {

using namespace std::chrono_literals;
using test::ScriptedBackend;
using Operation = ScriptedBackend::Operation;

ObservedItem observed(std::string bundleID, std::string title, double x, bool hidden = false) {
    return ObservedItem{BackendItemToken(Uuid::random()), ItemIdentity{bundleID, title}, hidden,
                        ItemFrame{x, 0, 22, 24}};
}

class ItemAssignmentCoordinatorTest : public ::testing::Test {
  protected:
    std::shared_ptr<GroupStore> openStore() {
        return std::make_shared<GroupStore>(loop, loop, folder / "store.json", 250ms, log,
                                            [] { return std::chrono::system_clock::time_point{}; });
    }

    template <class T> T run(async::Task<T> task) { return test::runTask(loop, std::move(task)); }
    std::vector<AssignableItemRow> refresh() { return run(coordinator->refreshRows()); }

    /// The row shown for an observed item, found by position in the bar.
    AssignableItemRow rowAt(std::size_t index) { return refresh().at(index); }

    std::optional<Item> stored(const ItemID& id) const {
        for (const auto& item : store->items()) {
            if (item.id == id)
                return item;
        }
        return std::nullopt;
    }

    Item fileInStore(const ObservedItem& item, std::int64_t ordinal, std::optional<GroupID> group) {
        Item record{ItemID::random(), item.identity, ordinal, group};
        store->upsertItem(record);
        return record;
    }

    /// Starts the launch reconciliation, which waits on the loop's clock.
    async::SpawnHandle startLaunch(std::optional<std::vector<AssignableItemRow>>* rows) {
        return async::spawn(loop, reconcile(coordinator, rows));
    }
    static async::Task<void> reconcile(std::shared_ptr<ItemAssignmentCoordinator> coordinator,
                                       std::optional<std::vector<AssignableItemRow>>* rows) {
        rows->emplace(co_await coordinator->reconcileAtLaunch());
    }

    static async::Task<void> storeOutcome(async::Task<AssignmentOutcome> task,
                                          std::optional<AssignmentOutcome>* out) {
        out->emplace(co_await std::move(task));
    }

    bool storeFileWritten() const { return std::filesystem::exists(folder / "store.json"); }

    async::ManualLoop loop;
    test::TemporaryFolder folder;
    test::MemoryLog log;
    std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
    std::shared_ptr<GroupStore> store = openStore();
    std::shared_ptr<test::MemoryLog> moveLog = std::make_shared<test::MemoryLog>();
    std::shared_ptr<ItemAssignmentCoordinator> coordinator =
        ItemAssignmentCoordinator::create(backend, store, moveLog);
    const GroupID work = GroupID::random();
    const GroupID play = GroupID::random();
};

// Rows

TEST_F(ItemAssignmentCoordinatorTest, RowsShowFilableItemsInBarOrderWithStoredGroupsAndNames) {
    const auto weather = observed("com.example.weather", "Item-3", 800);
    const auto sync = observed("com.example.sync", "Sync", 900);
    backend->setItems({weather, observed("com.apple.controlcenter", "WiFi", 950), sync,
                       observed("com.example.clock", "Clock", 990)});
    auto known = fileInStore(sync, 0, work);
    known.displayName = "Cloud";
    store->upsertItem(known);

    const auto rows = refresh();

    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].displayName, "weather");
    EXPECT_EQ(rows[0].bundleID, "com.example.weather");
    EXPECT_EQ(rows[0].groupID, std::nullopt);
    EXPECT_FALSE(stored(rows[0].id)) << "a new item stays in memory until it is filed or named";
    EXPECT_EQ(rows[1], (AssignableItemRow{known.id, "Cloud", "com.example.sync", work, false}));
}

TEST_F(ItemAssignmentCoordinatorTest, AFailedReadingIsThrownAndKeepsTheLatestObservations) {
    backend->setItems({observed("com.example.a", "A", 100)});
    const auto id = rowAt(0).id;
    backend->failNext(Operation::currentItems, BackendError::accessibilityPermissionDenied());

    EXPECT_THROW(refresh(), BackendError);

    EXPECT_EQ(run(coordinator->assign(id, work)), AssignmentOutcome::assigned());
}

TEST_F(ItemAssignmentCoordinatorTest, AnAssignUnderWayFinishesAfterItsOwnerLetsGoOfTheCoordinator) {
    backend->setItems({observed("com.example.a", "A", 100)});
    const auto id = rowAt(0).id;
    auto move = backend->holdNext(Operation::moveIntoHiddenRegion);
    std::optional<AssignmentOutcome> outcome;
    async::spawn(loop, storeOutcome(coordinator->assign(id, work), &outcome));
    loop.runUntilIdle();
    ASSERT_TRUE(move.isReached());

    coordinator.reset();
    move.open();
    loop.runUntilIdle();
    EXPECT_EQ(outcome, AssignmentOutcome::assigned());
    EXPECT_EQ(stored(id)->groupID, work);
}

TEST_F(ItemAssignmentCoordinatorTest, ATokenGivenAFreshIDWhileUnresolvedKeepsItForTheRun) {
    const auto first = observed("com.example.app", "Sync", 100);
    const auto second = observed("com.example.app", "Sync", 200);
    const auto a = fileInStore(first, 0, work);
    const auto b = fileInStore(second, 1, work);
    backend->setItems({second});
    const auto freshID = rowAt(0).id;
    ASSERT_NE(freshID, a.id);
    ASSERT_NE(freshID, b.id);

    backend->setItems({first, second});
    const auto rows = refresh();

    EXPECT_EQ(rows[0].id, a.id);
    EXPECT_EQ(rows[1].id, freshID);
    EXPECT_EQ(rows[1].groupID, std::nullopt);
}

// Assigning

TEST_F(ItemAssignmentCoordinatorTest,
       AssigningMovesHidesUnlessShowingAllAndStoresTheItemWithItsHint) {
    const auto left = observed("com.example.app", "", 100);
    const auto right = observed("com.example.app", "", 300);
    backend->setItems({right, left});
    const auto id = rowAt(0).id;

    EXPECT_EQ(run(coordinator->assign(id, work)), AssignmentOutcome::assigned());

    EXPECT_EQ(backend->operations(),
              (std::vector{Operation::currentItems, Operation::moveIntoHiddenRegion,
                           Operation::hideRegion}));
    EXPECT_EQ(backend->calls()[1].item, right);
    const auto item = stored(id);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->identity, right.identity);
    EXPECT_EQ(item->ordinal, 1);
    EXPECT_EQ(item->groupID, work);
    EXPECT_EQ(item->displayName, std::nullopt);

    loop.advance(250ms);
    const auto reopened = openStore()->items();
    ASSERT_EQ(reopened.size(), 1u);
    EXPECT_EQ(reopened[0].id, id);
    EXPECT_EQ(reopened[0].groupID, work);

    // During show-all the region stays open.
    coordinator->setIsShowAllActive([] { return true; });
    EXPECT_EQ(run(coordinator->assign(id, play)), AssignmentOutcome::assigned());
    EXPECT_EQ(backend->count(Operation::moveIntoHiddenRegion), 2u);
    EXPECT_EQ(backend->count(Operation::hideRegion), 1u);
}

TEST_F(ItemAssignmentCoordinatorTest, RefilingAKnownItemKeepsItsIdentityAndNameAndTakesTheNewHint) {
    const auto item = observed("com.example.app", "Sync", 500);
    auto known = fileInStore(item, 4, work);
    known.displayName = "Mine";
    store->upsertItem(known);
    backend->setItems({item});
    ASSERT_EQ(rowAt(0).id, known.id);
    // The title changes while the token lives on: the record's identity must not follow.
    auto retitled = item;
    retitled.identity.title = "Sync (paused)";
    backend->setItems({retitled});
    ASSERT_EQ(rowAt(0).id, known.id);

    EXPECT_EQ(run(coordinator->assign(known.id, play)), AssignmentOutcome::assigned());

    const auto record = stored(known.id);
    EXPECT_EQ(record->identity, item.identity);
    EXPECT_EQ(record->displayName, "Mine");
    EXPECT_EQ(record->ordinal, 0);
    EXPECT_EQ(record->groupID, play);
}

TEST_F(ItemAssignmentCoordinatorTest, AFullHiddenRegionRefusesAndRecordsNothing) {
    const auto item = observed("com.example.app", "Sync", 500);
    const auto known = fileInStore(item, 0, work);
    loop.advance(1s);
    std::filesystem::remove(folder / "store.json");
    backend->setItems({item});
    refresh();
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::hiddenRegionAtCapacity());

    EXPECT_EQ(run(coordinator->assign(known.id, play)), AssignmentOutcome::refusedAtCapacity());

    EXPECT_EQ(stored(known.id)->groupID, work);
    EXPECT_EQ(backend->count(Operation::hideRegion), 0u);
    EXPECT_FALSE(rowAt(0).needsAHand);
    loop.advance(1s);
    EXPECT_FALSE(storeFileWritten());
}

// A badge in the settings is all a person sees otherwise: each failed move
// says in the log which item it was and what happened to it.
TEST_F(ItemAssignmentCoordinatorTest,
       AnyOtherMoveFailureStoresTheGroupAndAsksForAHandUntilAMoveWorks) {
    backend->setItems({observed("com.example.app", "Sync", 500)});
    const auto id = rowAt(0).id;
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::geometryUnsettled());

    EXPECT_EQ(run(coordinator->assign(id, work)), AssignmentOutcome::assignedButNeedsAHand());

    EXPECT_EQ(stored(id)->groupID, work);
    EXPECT_EQ(backend->count(Operation::hideRegion), 0u);
    EXPECT_TRUE(rowAt(0).needsAHand);

    EXPECT_EQ(run(coordinator->assign(id, play)), AssignmentOutcome::assigned());
    EXPECT_FALSE(rowAt(0).needsAHand);

    backend->failNext(Operation::moveOutOfHiddenRegion, BackendError::itemNoLongerExists());
    EXPECT_EQ(run(coordinator->unassign(id)), AssignmentOutcome::assignedButNeedsAHand());
    EXPECT_EQ(stored(id)->groupID, std::nullopt);
    EXPECT_TRUE(rowAt(0).needsAHand);
    EXPECT_EQ(run(coordinator->unassign(id)), AssignmentOutcome::assigned());
    EXPECT_FALSE(rowAt(0).needsAHand);
    EXPECT_EQ(moveLog->lines(),
              (std::vector<std::string>{
                  "Corvel: Sync did not move into the hidden region and needs a hand — "
                  "geometryUnsettled",
                  "Corvel: Sync left the menu bar while it was being moved"}));
}

// Control Center's restart gives every item a new window while the settings
// still list the old one.
TEST_F(ItemAssignmentCoordinatorTest, AnItemRenumberedSinceTheLastReadingIsMovedUnderItsNewToken) {
    const auto before = observed("com.example.app", "Sync", 500);
    const auto known = fileInStore(before, 0, std::nullopt);
    backend->setItems({before});
    ASSERT_EQ(rowAt(0).id, known.id);
    auto after = before;
    after.id = BackendItemToken(Uuid::random());
    backend->setItems({after});
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::itemNoLongerExists());

    EXPECT_EQ(run(coordinator->assign(known.id, work)), AssignmentOutcome::assigned());

    std::vector<ObservedItem> moved;
    for (const auto& call : backend->calls())
        if (call.operation == Operation::moveIntoHiddenRegion)
            moved.push_back(*call.item);
    EXPECT_EQ(moved, (std::vector{before, after}));
    EXPECT_EQ(stored(known.id)->groupID, work);
    EXPECT_FALSE(rowAt(0).needsAHand);
    EXPECT_TRUE(moveLog->lines().empty());
}

TEST_F(ItemAssignmentCoordinatorTest, AFailedHideAfterAssigningIsReportedWithTheErrorsTextForm) {
    backend->setItems({observed("com.example.app", "Sync", 500)});
    const auto id = rowAt(0).id;
    backend->failNext(Operation::hideRegion,
                      BackendError::underlying("prepare() must be called before hideRegion()"));

    EXPECT_EQ(run(coordinator->assign(id, work)),
              AssignmentOutcome::assignedButNotYetHidden(
                  "underlying(\"prepare() must be called before hideRegion()\")"));
    EXPECT_EQ(stored(id)->groupID, work);

    backend->failNext(Operation::hideRegion, BackendError::geometryUnsettled());
    EXPECT_EQ(run(coordinator->assign(id, play)),
              AssignmentOutcome::assignedButNotYetHidden("geometryUnsettled"));
}

TEST_F(ItemAssignmentCoordinatorTest, AnItemThatLeftTheBarIsNeitherMovedNorRecorded) {
    const auto item = observed("com.example.app", "Sync", 500);
    backend->setItems({item});
    const auto id = rowAt(0).id;
    backend->setItems({});
    refresh();
    backend->clearCalls();

    EXPECT_EQ(run(coordinator->assign(id, work)), AssignmentOutcome::itemNoLongerObserved());
    EXPECT_EQ(run(coordinator->unassign(id)), AssignmentOutcome::itemNoLongerObserved());
    EXPECT_EQ(run(coordinator->assign(ItemID::random(), work)),
              AssignmentOutcome::itemNoLongerObserved());

    EXPECT_TRUE(backend->calls().empty());
    EXPECT_TRUE(store->items().empty());
}

// Unassigning

TEST_F(ItemAssignmentCoordinatorTest, UnassigningTheLastFiledItemRevealsTheRegionOnce) {
    const auto a = observed("com.example.a", "A", 100, true);
    const auto b = observed("com.example.b", "B", 200, true);
    const auto storedA = fileInStore(a, 0, work);
    const auto storedB = fileInStore(b, 0, WellKnownGroup::hidden);
    backend->setItems({a, b});
    refresh();

    EXPECT_EQ(run(coordinator->unassign(storedA.id)), AssignmentOutcome::assigned());
    EXPECT_EQ(backend->count(Operation::revealRegion), 0u);
    EXPECT_EQ(stored(storedA.id)->groupID, std::nullopt);

    backend->failNext(Operation::revealRegion, BackendError::underlying("no spacer"));
    EXPECT_EQ(run(coordinator->unassign(storedB.id)), AssignmentOutcome::assigned());
    EXPECT_EQ(backend->count(Operation::revealRegion), 1u);
    EXPECT_EQ(backend->count(Operation::moveOutOfHiddenRegion), 2u);
    EXPECT_EQ(stored(storedB.id)->groupID, std::nullopt);
}

// Renaming

TEST_F(ItemAssignmentCoordinatorTest, RenamingTrimsTheNameAndBlankTextBringsBackTheDerivedName) {
    const auto item = observed("com.example.weather", "Item-2", 500);
    const auto known = fileInStore(item, 0, work);
    backend->setItems({item});
    refresh();

    const auto named = coordinator->rename(known.id, "\n  Rain\u00A0 ");
    ASSERT_TRUE(named);
    EXPECT_EQ(named->at(0).displayName, "Rain");
    EXPECT_EQ(stored(known.id)->displayName, "Rain");
    EXPECT_EQ(stored(known.id)->groupID, work);

    const auto cleared = coordinator->rename(known.id, " \t ");
    ASSERT_TRUE(cleared);
    EXPECT_EQ(cleared->at(0).displayName, "weather");
    EXPECT_EQ(stored(known.id)->displayName, std::nullopt);
    EXPECT_EQ(rowAt(0).displayName, "weather");
}

TEST_F(ItemAssignmentCoordinatorTest,
       RenamingANewItemRecordsItUnfiledAtItsPositionAndAnUnseenOneNotAtAll) {
    const auto left = observed("com.example.app", "", 100);
    const auto right = observed("com.example.app", "", 300);
    backend->setItems({left, right});
    const auto id = rowAt(1).id;

    ASSERT_TRUE(coordinator->rename(id, "Right one"));

    const auto item = stored(id);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->identity, right.identity);
    EXPECT_EQ(item->ordinal, 1) << "the name must stay with this twin at the next launch";
    EXPECT_EQ(item->groupID, std::nullopt);
    EXPECT_EQ(coordinator->rename(ItemID::random(), "Name"), std::nullopt);
    EXPECT_EQ(store->items().size(), 1u);
}

// Group of an observed item

TEST_F(ItemAssignmentCoordinatorTest, TheGroupOfAnObservedItemComesFromTheStoreAfterOneRefresh) {
    const auto filed = observed("com.example.a", "A", 100, true);
    const auto loose = observed("com.example.b", "B", 200);
    fileInStore(filed, 0, work);
    backend->setItems({filed, loose});
    backend->failNext(Operation::currentItems, BackendError::accessibilityPermissionDenied());
    EXPECT_EQ(run(coordinator->groupID(filed)), std::nullopt)
        << "an unknown token whose refresh failed";
    backend->clearCalls();

    EXPECT_EQ(run(coordinator->groupID(filed)), work);
    EXPECT_EQ(run(coordinator->groupID(loose)), std::nullopt);
    EXPECT_EQ(run(coordinator->groupID(filed)), work);
    EXPECT_EQ(backend->count(Operation::currentItems), 1u);
}

// Launch

TEST_F(ItemAssignmentCoordinatorTest,
       LaunchWithStoredItemsAndAnEmptyBarWaitsFifteenTimesThenGivesUp) {
    fileInStore(observed("com.example.a", "A", 100), 0, work);
    std::vector<async::TimePoint> readings;
    backend->onCall([&](const ScriptedBackend::Call& call) {
        if (call.operation == Operation::currentItems)
            readings.push_back(loop.now());
    });

    std::optional<std::vector<AssignableItemRow>> rows;
    const auto handle = startLaunch(&rows);
    loop.runUntilIdle();
    loop.advance(2999ms);
    EXPECT_FALSE(handle.isDone());
    loop.advance(1ms);

    ASSERT_TRUE(handle.isDone());
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->empty());
    ASSERT_EQ(readings.size(), 17u);
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(readings[i] - readings[0], i * 200ms) << "reading " << i;
    }
    EXPECT_EQ(readings[16], readings[15]);
    EXPECT_EQ(backend->count(Operation::moveIntoHiddenRegion), 0u);
}

TEST_F(ItemAssignmentCoordinatorTest, LaunchPutsEveryObservedFiledItemBackAndMarksFailedMoves) {
    const auto a = observed("com.example.a", "A", 100, true);
    const auto b = observed("com.example.b", "B", 200);
    const auto c = observed("com.example.c", "C", 300);
    const auto storedA = fileInStore(a, 0, work);
    fileInStore(b, 0, std::nullopt);
    const auto storedC = fileInStore(c, 0, play);
    fileInStore(observed("com.example.gone", "Gone", 0), 0, play);
    backend->setItems({a, b, c});
    // The first move goes through (an open gate), the second fails.
    backend->holdNext(Operation::moveIntoHiddenRegion).open();
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::itemNoLongerExists());

    const auto rows = run(coordinator->reconcileAtLaunch());

    std::vector<ObservedItem> moved;
    for (const auto& call : backend->calls()) {
        if (call.operation == Operation::moveIntoHiddenRegion)
            moved.push_back(*call.item);
    }
    EXPECT_EQ(moved, (std::vector{a, c})) << "already hidden items are moved all the same";
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].id, storedA.id);
    EXPECT_FALSE(rows[0].needsAHand);
    EXPECT_EQ(rows[2].id, storedC.id);
    EXPECT_TRUE(rows[2].needsAHand);
    EXPECT_EQ(backend->count(Operation::currentItems), 2u);
}

TEST_F(ItemAssignmentCoordinatorTest, LaunchMovesItemsSeenBeforeTheWaitsRunOutButNotAfter) {
    const auto a = observed("com.example.a", "A", 100);
    const auto storedA = fileInStore(a, 0, work);
    backend->setItems({a});
    for (int i = 0; i < 14; ++i)
        backend->queueItems({});

    std::optional<std::vector<AssignableItemRow>> rows;
    startLaunch(&rows);
    loop.advance(2800ms);

    ASSERT_TRUE(rows);
    EXPECT_EQ(backend->count(Operation::currentItems), 16u);
    EXPECT_EQ(backend->count(Operation::moveIntoHiddenRegion), 1u) << "seen after 14 waits";

    backend->clearCalls();
    rows.reset();
    for (int i = 0; i < 15; ++i)
        backend->queueItems({});
    startLaunch(&rows);
    loop.advance(3s);

    ASSERT_TRUE(rows);
    EXPECT_EQ(backend->count(Operation::currentItems), 17u);
    EXPECT_EQ(backend->count(Operation::moveIntoHiddenRegion), 0u) << "seen after the 15th wait";
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ(rows->at(0).id, storedA.id);
    EXPECT_EQ(rows->at(0).groupID, work);
}

TEST_F(ItemAssignmentCoordinatorTest, LaunchWithAnEmptyStoreReadsTwiceWithoutWaiting) {
    backend->setItems({});
    EXPECT_TRUE(run(coordinator->reconcileAtLaunch()).empty());
    EXPECT_EQ(backend->count(Operation::currentItems), 2u);

    backend->failNext(Operation::currentItems, BackendError::accessibilityPermissionDenied());
    EXPECT_THROW(run(coordinator->reconcileAtLaunch()), BackendError);
}

} // namespace
} // namespace corvel
