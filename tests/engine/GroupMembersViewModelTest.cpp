#include "engine/GroupMembersViewModel.h"

#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "backend/BackendError.h"
#include "engine/GroupStore.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"
#include "support/TemporaryFolder.h"

#include <chrono>
#include <gtest/gtest.h>

namespace corvel {
namespace {

using namespace std::chrono_literals;
using test::ScriptedBackend;
using Operation = ScriptedBackend::Operation;
using PNG = std::vector<std::uint8_t>;

ObservedItem observedItem(std::string bundleID, std::string title, double x, bool hidden = true) {
    return ObservedItem{BackendItemToken(Uuid::random()), ItemIdentity{bundleID, title}, hidden,
                        ItemFrame{x, 0, 22, 24}};
}

CaptureResult picture(PNG png) {
    return CaptureResult::captured(ItemSnapshot{std::chrono::system_clock::time_point{}, png});
}

/// The membership test the application builds: filed into this Group.
async::Task<bool> isFiledInto(std::shared_ptr<ItemAssignmentCoordinator> coordinator, GroupID group,
                              ObservedItem item) {
    const auto filedInto = co_await coordinator->groupID(std::move(item));
    co_return filedInto == group;
}

async::Task<void> storeRows(async::Task<std::vector<StripRow>> task,
                            std::optional<std::vector<StripRow>>* out) {
    out->emplace(co_await std::move(task));
}

class GroupMembersViewModelTest : public ::testing::Test {
  protected:
    std::vector<StripRow> refresh() { return test::runTask(loop, viewModel->refreshRows()); }

    void file(const ObservedItem& item, std::optional<std::string> displayName = std::nullopt) {
        store->upsertItem(Item{ItemID::random(), item.identity, 0, work, std::move(displayName)});
    }

    async::ManualLoop loop;
    test::TemporaryFolder folder;
    test::MemoryLog log;
    std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
    std::shared_ptr<GroupStore> store =
        std::make_shared<GroupStore>(loop, loop, folder / "store.json", 250ms, log,
                                     [] { return std::chrono::system_clock::time_point{}; });
    std::shared_ptr<ItemAssignmentCoordinator> coordinator =
        ItemAssignmentCoordinator::create(backend, store);
    const GroupID work = GroupID::random();
    std::shared_ptr<GroupMembersViewModel> viewModel = GroupMembersViewModel::create(
        backend, [this](ObservedItem item) { return isFiledInto(coordinator, work, item); });
};

// No Group can hold the system's items, so their tokens never get an id: they
// are not read for again on every opening, as a token new to the settings is.
TEST_F(GroupMembersViewModelTest, AGroupWithoutFiledItemsHasNoRowsAndTheSystemsItemsCostNoReading) {
    const auto loose = observedItem("com.example.a", "A", 100, false);
    backend->setItems({loose, observedItem("com.apple.controlcenter", "Battery", 200)});
    store->upsertItem(Item{ItemID::random(), loose.identity, 0});

    EXPECT_TRUE(refresh().empty());
    EXPECT_EQ(backend->count(Operation::currentItems), 2u) << "the Strip's and the new token's";
    EXPECT_TRUE(refresh().empty());
    EXPECT_EQ(backend->count(Operation::currentItems), 3u) << "the Strip's only";
    EXPECT_EQ(viewModel->observedItem(ItemID::random()), std::nullopt);
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 0u);
}

TEST_F(GroupMembersViewModelTest, RowsAreTheGroupsItemsInBarOrderNamedWithoutTheUsersOverride) {
    const auto weather = observedItem("com.example.weather", "Item-7", 100);
    const auto other = observedItem("com.example.other", "Other", 200);
    const auto sync = observedItem("com.example.sync", "Sync", 300);
    file(weather, "My weather");
    file(sync);
    store->upsertItem(Item{ItemID::random(), other.identity, 0, GroupID::random()});
    backend->setItems({sync, other, weather});

    const auto rows = refresh();

    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].displayName, "Sync");
    EXPECT_EQ(rows[1].displayName, "weather");
    EXPECT_EQ(rows[1].bundleID, "com.example.weather");
    EXPECT_EQ(viewModel->observedItem(rows[0].id), sync);
    EXPECT_EQ(viewModel->observedItem(rows[1].id), weather);
    for (const auto& item : store->items()) {
        EXPECT_NE(item.id, rows[0].id) << "row ids are the Strip's own, not the store's";
    }
}

TEST_F(GroupMembersViewModelTest, TheSameItemKeepsItsRowIDAndATwinGetsItsOwn) {
    auto first = observedItem("com.example.app", "", 100);
    const auto twin = observedItem("com.example.app", "", 200);
    file(first);
    backend->setItems({first});
    const auto id = refresh().at(0).id;

    first.frame->x = 150;
    file(twin);
    backend->setItems({first, twin});
    const auto rows = refresh();

    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, id);
    EXPECT_NE(rows[1].id, id);
    EXPECT_EQ(viewModel->observedItem(id), first) << "the latest observation answers";
}

TEST_F(GroupMembersViewModelTest, ARefreshUnderWayFinishesAfterTheStripLetsGoOfTheViewModel) {
    const auto item = observedItem("com.example.app", "App", 100, true);
    file(item);
    backend->setItems({item});
    auto reading = backend->holdNext(Operation::currentItems);
    std::optional<std::vector<StripRow>> rows;
    async::spawn(loop, storeRows(viewModel->refreshRows(), &rows));
    loop.runUntilIdle();
    ASSERT_TRUE(reading.isReached());

    viewModel.reset();
    reading.open();
    loop.runUntilIdle();
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 1u);
}

TEST_F(GroupMembersViewModelTest, HiddenItemsAreNeverCapturedAndACapturedIconIsKeptForTheRun) {
    auto item = observedItem("com.example.app", "App", 100, true);
    file(item);
    backend->setItems({item});
    backend->setCaptureResult(picture({1, 2, 3}));

    EXPECT_EQ(refresh().at(0).iconPNG, std::nullopt);
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 0u);

    item.isInHiddenRegion = false;
    backend->setItems({item});
    backend->queueCaptureResult(
        CaptureResult::unavailable(CaptureUnavailableReason::screenRecordingNotGranted));
    EXPECT_EQ(refresh().at(0).iconPNG, std::nullopt);
    EXPECT_EQ(refresh().at(0).iconPNG, (PNG{1, 2, 3})) << "an unavailable picture is tried again";
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 2u);
    EXPECT_EQ(refresh().at(0).iconPNG, (PNG{1, 2, 3}));
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 2u) << "captured once per token";

    item.isInHiddenRegion = true;
    backend->setItems({item});
    EXPECT_EQ(refresh().at(0).iconPNG, (PNG{1, 2, 3}));
    EXPECT_EQ(backend->count(Operation::captureSnapshot), 2u);
}

TEST_F(GroupMembersViewModelTest, AFailedReadingIsThrownAndTheLatestRowsStillLeadToTheirItems) {
    const auto item = observedItem("com.example.app", "App", 100);
    file(item);
    backend->setItems({item});
    const auto id = refresh().at(0).id;
    backend->failNext(Operation::currentItems, BackendError::accessibilityPermissionDenied());

    EXPECT_THROW(refresh(), BackendError);
    EXPECT_EQ(viewModel->observedItem(id), item);

    backend->setItems({});
    EXPECT_TRUE(refresh().empty());
    EXPECT_EQ(viewModel->observedItem(id), std::nullopt);
}

} // namespace
} // namespace corvel
