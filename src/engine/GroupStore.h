#pragma once

#include "async/Executor.h"
#include "async/Spawn.h"
#include "async/Task.h"
#include "domain/Group.h"
#include "domain/Item.h"
#include "domain/ItemIdentity.h"
#include "engine/StoreNotice.h"
#include "engine/StoreWriter.h"
#include "platform/SystemLog.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corvel {

/// Owns the live Groups and Items and keeps the store document in step with
/// them: every change schedules a write once changes have rested for
/// `writeDebounce` on the main executor's clock. It checks nothing about the
/// records it is handed; callers keep the data sound. It reports no errors to
/// its callers: unreadable documents and failed writes go to the system log,
/// and what a person must hear of (a newer Corvel's document, writes that
/// fail and work again) also to the notice handler.
///
/// A document of a newer schema is never written over or moved: the store
/// then runs on empty lists and writes nothing for as long as it lives.
///
/// Main thread only. Only the encoding and file work of a write runs on the
/// background executor, on a snapshot. Both executors and the log must
/// outlive the store and any write it started.
class GroupStore {
  public:
    static constexpr std::int64_t currentSchemaVersion = 1;
    using WallClock = StoreWriter::WallClock;
    using NoticeHandler = std::function<void(const StoreNotice&)>;

    /// Loads the document at `url` at once; writes nothing until the first
    /// change. `wallClock` dates a kept unreadable document (called on the
    /// background executor). `notices` runs on the main executor, never
    /// inside a call to the store, and may run after the store is gone.
    GroupStore(async::Executor& mainExecutor, async::Executor& backgroundExecutor,
               std::filesystem::path url, async::Duration writeDebounce, platform::SystemLog& log,
               WallClock wallClock, NoticeHandler notices = {});
    /// Calls off a write that has not started; one under way runs to its end.
    ~GroupStore();
    GroupStore(const GroupStore&) = delete;
    GroupStore& operator=(const GroupStore&) = delete;

    /// Copies, in the order records were first put (not sorted by `order`).
    std::vector<Group> groups() const { return groups_; }
    std::vector<Item> items() const { return items_; }
    const std::filesystem::path& url() const { return url_; }
    async::Duration writeDebounce() const { return writeDebounce_; }

    /// The first Item in list order with this identity.
    std::optional<ItemID> itemID(const ItemIdentity& identity) const;
    /// The group of the first Item with this identity; none when that Item is
    /// filed nowhere, whatever later Items with the identity say.
    std::optional<GroupID> groupID(const ItemIdentity& identity) const;

    /// Replaces the record with the same id in place, or appends it.
    void upsertGroup(const Group& group);
    void upsertItem(const Item& item);
    /// Removes every Group with `id` and leaves Items alone, even those that
    /// still name it. Schedules a write even when nothing was removed.
    void removeGroup(const GroupID& id);

    /// Calls off the scheduled write and, when the last change is not on disk
    /// yet, hands the current lists to the background executor at once,
    /// during this call; the returned task only waits, and resumes on the
    /// executor that awaits it once the write has ended, written or logged as
    /// failed. Without a change since loading nothing is written. Dropping
    /// the task loses nothing.
    async::Task<void> flush();

    /// False when the document belongs to a newer Corvel and is kept as is.
    bool writesDocument() const { return writesDocument_; }

  private:
    const Item* firstItem(const ItemIdentity& identity) const;
    /// Answers whether the document must be kept aside before our first write.
    bool load(platform::SystemLog& log, const NoticeHandler& notices);
    void scheduleWrite();
    CorvelStore snapshot() const;

    async::Executor& mainExecutor_;
    async::Executor& backgroundExecutor_;
    const std::filesystem::path url_;
    const async::Duration writeDebounce_;
    std::vector<Group> groups_;
    std::vector<Item> items_;
    std::shared_ptr<StoreWriter> writer_;
    bool writesDocument_ = true;
    // Numbers snapshots in the order they were taken; the last change's
    // number, 0 before any.
    std::uint64_t nextSequence_ = 1;
    std::uint64_t lastChange_ = 0;
    std::optional<async::SpawnHandle> pendingWriteTask_;
};

} // namespace corvel
