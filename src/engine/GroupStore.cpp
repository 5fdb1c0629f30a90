#include "engine/GroupStore.h"

#include "async/Completion.h"
#include "async/Hop.h"
#include "async/Sleep.h"
#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"

#include <algorithm>

namespace corvel {

namespace {

static_assert(GroupStore::currentSchemaVersion == StoreDocument::currentSchemaVersion);

async::Task<void> writeSnapshot(std::shared_ptr<StoreWriter> writer, std::uint64_t sequence,
                                CorvelStore snapshot) {
    writer->write(sequence, snapshot);
    co_return;
}

async::Task<void> writeOn(async::Executor* background, std::shared_ptr<StoreWriter> writer,
                          std::uint64_t sequence, CorvelStore snapshot) {
    auto work = writeSnapshot(std::move(writer), sequence, std::move(snapshot));
    co_await async::runOn(*background, std::move(work));
}

// Cancellation stops only a write that has not started: once past the sleep
// the file work runs to its end.
async::Task<void> debouncedWrite(async::Executor* background, std::shared_ptr<StoreWriter> writer,
                                 std::uint64_t sequence, CorvelStore snapshot,
                                 async::Duration debounce) {
    co_await async::sleepFor(debounce);
    bool cancelled = co_await async::isCancelled();
    if (cancelled)
        co_return;
    co_await writeOn(background, std::move(writer), sequence, std::move(snapshot));
}

async::Task<void> waitFor(std::shared_ptr<async::Completion<>> written) {
    co_await written->wait();
}

template <class Record, class ID>
void upsert(std::vector<Record>& records, const Record& record, const ID& id) {
    auto found = std::find_if(records.begin(), records.end(),
                              [&](const Record& existing) { return existing.id == id; });
    if (found != records.end())
        *found = record;
    else
        records.push_back(record);
}

} // namespace

GroupStore::GroupStore(async::Executor& mainExecutor, async::Executor& backgroundExecutor,
                       std::filesystem::path url, async::Duration writeDebounce,
                       platform::SystemLog& log, WallClock wallClock, NoticeHandler notices)
    : mainExecutor_(mainExecutor), backgroundExecutor_(backgroundExecutor), url_(std::move(url)),
      writeDebounce_(writeDebounce) {
    const bool keepExisting = load(log, notices);
    StoreWriter::Notify notify;
    if (notices) {
        notify = [main = &mainExecutor_, notices](const StoreNotice& notice) {
            main->post([notices, notice] { notices(notice); });
        };
    }
    writer_ = std::make_shared<StoreWriter>(url_, log, std::move(wallClock), keepExisting,
                                            std::move(notify));
}

bool GroupStore::load(platform::SystemLog& log, const NoticeHandler& notices) {
    std::string failure;
    auto bytes = StoreFile::readBytes(url_, &failure);
    if (!bytes) {
        if (!StoreFile::exists(url_))
            return false;
        // Something stands there that we cannot open (no permission, no free
        // file descriptor, a folder, a pipe), likely the user's Groups: start
        // empty, say where it is, and keep it rather than replace it with our
        // first write.
        log.write("Corvel: could not open the store at " + url_.string() + " \u2014 " + failure +
                  " \u2014 starting from an empty store.");
        return true;
    }
    if (auto store = StoreDocument::read(*bytes)) {
        groups_ = std::move(store->groups);
        items_ = std::move(store->items);
        return false;
    }
    log.write("Corvel: could not read or migrate the store at " + url_.string() +
              " \u2014 starting from an empty store.");
    const auto schema = StoreDocument::declaredSchema(*bytes);
    if (!schema || *schema <= currentSchemaVersion)
        return true;
    // A newer Corvel's Groups: the person goes back to it sooner or later, so
    // this run must leave the file exactly as it found it.
    writesDocument_ = false;
    log.write("Corvel: the store at " + url_.string() + " has schema " + std::to_string(*schema) +
              ", newer than this Corvel's " + std::to_string(currentSchemaVersion) +
              "; it is left as it is and nothing is written to it in this run.");
    if (notices)
        mainExecutor_.post(
            [notices, notice = StoreNotice::newerSchema(url_, *schema)] { notices(notice); });
    return false;
}

GroupStore::~GroupStore() {
    if (pendingWriteTask_)
        pendingWriteTask_->cancel();
}

const Item* GroupStore::firstItem(const ItemIdentity& identity) const {
    auto found = std::find_if(items_.begin(), items_.end(),
                              [&](const Item& item) { return item.identity == identity; });
    return found == items_.end() ? nullptr : &*found;
}

std::optional<ItemID> GroupStore::itemID(const ItemIdentity& identity) const {
    if (const auto* item = firstItem(identity))
        return item->id;
    return std::nullopt;
}

std::optional<GroupID> GroupStore::groupID(const ItemIdentity& identity) const {
    if (const auto* item = firstItem(identity))
        return item->groupID;
    return std::nullopt;
}

void GroupStore::upsertGroup(const Group& group) {
    upsert(groups_, group, group.id);
    scheduleWrite();
}

void GroupStore::upsertItem(const Item& item) {
    upsert(items_, item, item.id);
    scheduleWrite();
}

void GroupStore::removeGroup(const GroupID& id) {
    std::erase_if(groups_, [&](const Group& group) { return group.id == id; });
    scheduleWrite();
}

// The write is handed over here, not when the task is first awaited, so the
// change is on its way even if the caller drops the task. It carries the last
// change's number: the writer skips it when that change is on disk already,
// and tries again when its write failed.
async::Task<void> GroupStore::flush() {
    if (pendingWriteTask_)
        pendingWriteTask_->cancel();
    pendingWriteTask_.reset();
    auto written = std::make_shared<async::Completion<>>();
    if (lastChange_ == 0) {
        written->complete();
        return waitFor(std::move(written));
    }
    backgroundExecutor_.post(
        [writer = writer_, sequence = lastChange_, snapshot = snapshot(), written] {
            writer->write(sequence, snapshot);
            written->complete();
        });
    return waitFor(std::move(written));
}

void GroupStore::scheduleWrite() {
    if (!writesDocument_)
        return;
    if (pendingWriteTask_)
        pendingWriteTask_->cancel();
    lastChange_ = nextSequence_++;
    pendingWriteTask_ =
        async::spawn(mainExecutor_, debouncedWrite(&backgroundExecutor_, writer_, lastChange_,
                                                   snapshot(), writeDebounce_));
}

CorvelStore GroupStore::snapshot() const {
    return CorvelStore{.schemaVersion = currentSchemaVersion, .groups = groups_, .items = items_};
}

} // namespace corvel
