#pragma once

#include "async/ManualLoop.h"
#include "backend/ObservedItem.h"
#include "engine/GroupStore.h"
#include "engine/ItemAssignmentCoordinator.h"
#include "settings/ScreenRecordingPermissionChecking.h"
#include "settings/SettingsViewModel.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"
#include "support/TemporaryFolder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel::test {

/// A Screen Recording permission that answers as the test says.
struct ScriptedScreenRecording final : ScreenRecordingPermissionChecking {
    bool isGranted() const override { return granted; }
    bool requestAccess() override {
        ++requests;
        granted = answerToRequest;
        return granted;
    }

    bool granted = false;
    bool answerToRequest = false;
    int requests = 0;
};

/// A settings view model over a real group store and assignment coordinator,
/// with a scripted menu bar behind them.
class SettingsFixture : public ::testing::Test {
  protected:
    static ObservedItem observed(std::string bundleID, std::string title, double x) {
        return ObservedItem{BackendItemToken(Uuid::random()), ItemIdentity{bundleID, title}, false,
                            ItemFrame{x, 0, 22, 24}};
    }

    template <class T> T run(async::Task<T> task) { return runTask(loop, std::move(task)); }
    void run(async::Task<void> task) { runTask(loop, std::move(task)); }

    std::shared_ptr<SettingsViewModel> makeViewModel() {
        return SettingsViewModel::create(store, coordinator, screenRecording);
    }

    Group putGroup(std::string name, std::int64_t order) {
        Group group{GroupID::random(), std::move(name), "folder.fill", std::nullopt, order};
        store->upsertGroup(group);
        return group;
    }

    Item fileInStore(const ObservedItem& item, std::optional<GroupID> group) {
        Item record{ItemID::random(), item.identity, 0, group};
        store->upsertItem(record);
        return record;
    }

    std::optional<Item> stored(const ItemID& id) const {
        for (const auto& item : store->items()) {
            if (item.id == id)
                return item;
        }
        return std::nullopt;
    }

    bool storeHasGroup(const GroupID& id) const {
        for (const auto& group : store->groups()) {
            if (group.id == id)
                return true;
        }
        return false;
    }

    static std::vector<std::string> names(const std::vector<Group>& groups) {
        std::vector<std::string> result;
        for (const auto& group : groups)
            result.push_back(group.name);
        return result;
    }

    async::ManualLoop loop;
    TemporaryFolder folder;
    MemoryLog log;
    std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
    std::shared_ptr<GroupStore> store = std::make_shared<GroupStore>(
        loop, loop, folder.path() / "store.json", std::chrono::milliseconds(250), log,
        [] { return std::chrono::system_clock::time_point{}; });
    std::shared_ptr<ItemAssignmentCoordinator> coordinator =
        ItemAssignmentCoordinator::create(backend, store);
    std::shared_ptr<ScriptedScreenRecording> screenRecording =
        std::make_shared<ScriptedScreenRecording>();
};

} // namespace corvel::test
