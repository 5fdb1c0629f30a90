#include "engine/GroupStore.h"

#include "async/ManualLoop.h"
#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"
#include "domain/WellKnownGroup.h"
#include "engine/StoreNotice.h"
#include "support/FileContents.h"
#include "support/MemoryLog.h"
#include "support/RunTask.h"
#include "support/TemporaryFolder.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace corvel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const auto launchTime = std::chrono::system_clock::time_point(std::chrono::seconds(1'767'225'600));

Group group(const std::string& name, std::int64_t order = 0) {
    return Group{
        .id = GroupID::random(), .name = name, .symbolName = "folder.fill", .order = order};
}

Item item(const std::string& title, std::optional<GroupID> groupID = std::nullopt) {
    return Item{.id = ItemID::random(),
                .identity = {"com.example", title},
                .ordinal = 0,
                .groupID = groupID};
}

std::vector<std::string> names(const std::vector<Group>& groups) {
    std::vector<std::string> result;
    for (const auto& each : groups)
        result.push_back(each.name);
    return result;
}

std::vector<std::string> titles(const std::vector<Item>& items) {
    std::vector<std::string> result;
    for (const auto& each : items)
        result.push_back(each.identity.title);
    return result;
}

class GroupStoreTest : public ::testing::Test {
  protected:
    std::unique_ptr<GroupStore> makeStore() {
        return std::make_unique<GroupStore>(
            loop, loop, url, 250ms, log, [] { return launchTime; },
            [this](const StoreNotice& notice) { notices.push_back(notice); });
    }

    std::optional<CorvelStore> onDisk() const {
        auto bytes = StoreFile::readBytes(url);
        if (!bytes)
            return std::nullopt;
        return StoreDocument::read(*bytes);
    }

    /// Changes with every replacement of the document, which always brings a new file.
    ino_t documentInode() const {
        struct stat status {};
        return ::stat(url.c_str(), &status) == 0 ? status.st_ino : 0;
    }

    void writeDocument(const std::string& text) {
        fs::create_directories(url.parent_path());
        std::ofstream(url, std::ios::binary) << text;
    }

    async::ManualLoop loop;
    test::MemoryLog log;
    test::TemporaryFolder folder;
    fs::path url = folder / "app.corvel.Corvel" / "store.json";
    std::vector<StoreNotice> notices;
};

TEST_F(GroupStoreTest, aStoreWithoutADocumentStartsEmptyAndSilentAndWritesAfterTheFirstChange) {
    auto store = makeStore();
    EXPECT_THAT(store->groups(), IsEmpty());
    EXPECT_THAT(store->items(), IsEmpty());

    store->upsertGroup(group("Tools"));
    loop.advance(249ms);
    EXPECT_FALSE(fs::exists(url));
    loop.advance(1ms);
    auto written = onDisk();
    ASSERT_TRUE(written);
    EXPECT_THAT(names(written->groups), ElementsAre("Tools"));
    EXPECT_THAT(log.lines(), IsEmpty());
}

TEST_F(GroupStoreTest, changesCloserThanTheDebounceMakeOneWriteHoldingThemAll) {
    auto store = makeStore();
    store->upsertItem(item("A"));
    loop.advance(100ms);
    store->upsertItem(item("B"));
    loop.advance(100ms);
    store->upsertItem(item("C"));
    loop.advance(249ms);
    EXPECT_FALSE(fs::exists(url));
    loop.advance(1ms);
    auto written = onDisk();
    ASSERT_TRUE(written);
    EXPECT_THAT(titles(written->items), ElementsAre("A", "B", "C"));

    auto inode = documentInode();
    loop.advance(10s);
    EXPECT_EQ(documentInode(), inode) << "a second write happened";
}

TEST_F(GroupStoreTest, upsertReplacesInPlaceByIdAndAppendsNewRecords) {
    auto store = makeStore();
    auto first = group("First");
    auto tools = item("Tools");
    store->upsertGroup(first);
    store->upsertGroup(group("Second"));
    store->upsertItem(tools);
    store->upsertItem(item("Clock"));
    first.name = "Renamed";
    tools.groupID = first.id;
    store->upsertGroup(first);
    store->upsertItem(tools);
    store->upsertGroup(group("Third"));

    EXPECT_THAT(names(store->groups()), ElementsAre("Renamed", "Second", "Third"));
    EXPECT_THAT(titles(store->items()), ElementsAre("Tools", "Clock"));
    EXPECT_EQ(store->items()[0].groupID, first.id);
}

TEST_F(GroupStoreTest, removingAGroupLeavesItsItemsAndRemovesEveryCopyOfTheId) {
    auto doomed = group("Doomed");
    auto kept = group("Kept");
    auto filed = item("Filed", doomed.id);
    auto text =
        StoreDocument::encode(CorvelStore{.groups = {doomed, kept, doomed}, .items = {filed}});
    writeDocument(text);

    auto store = makeStore();
    ASSERT_EQ(store->groups().size(), 3u);
    store->removeGroup(doomed.id);
    EXPECT_THAT(names(store->groups()), ElementsAre("Kept"));
    EXPECT_EQ(store->items()[0].groupID, doomed.id);
    loop.advance(250ms);
    EXPECT_EQ(onDisk()->items[0].groupID, doomed.id);
}

TEST_F(GroupStoreTest, removingAGroupThatIsNotThereStillWrites) {
    auto store = makeStore();
    store->removeGroup(GroupID::random());
    loop.advance(250ms);
    ASSERT_TRUE(onDisk());
    EXPECT_THAT(onDisk()->groups, IsEmpty());
}

TEST_F(GroupStoreTest, lookupsByIdentityConsultOnlyTheFirstMatchingItem) {
    auto tools = group("Tools");
    auto unfiled = item("Clock");
    auto filedLater = item("Clock", tools.id);
    auto hidden = item("Battery", WellKnownGroup::hidden);
    auto store = makeStore();
    store->upsertItem(unfiled);
    store->upsertItem(filedLater);
    store->upsertItem(hidden);

    EXPECT_EQ(store->itemID(unfiled.identity), unfiled.id);
    EXPECT_EQ(store->groupID(unfiled.identity), std::nullopt);
    EXPECT_EQ(store->groupID(hidden.identity), WellKnownGroup::hidden);
    EXPECT_EQ(store->itemID({"com.example", "clock"}), std::nullopt);
    EXPECT_EQ(store->groupID({"com.other", "Clock"}), std::nullopt);
}

TEST_F(GroupStoreTest, aSchemaZeroDocumentIsReadAndLeftAloneUntilTheFirstChange) {
    const std::string legacy =
        R"({"items":[{"id":{"rawValue":"0a1b2c3d-0000-4000-8000-0000000000aa"},)"
        R"("identity":{"bundleID":"com.example","title":"Clock"},"ordinal":1}]})";
    writeDocument(legacy);
    auto store = makeStore();
    EXPECT_THAT(titles(store->items()), ElementsAre("Clock"));
    loop.advance(10s);
    EXPECT_EQ(test::fileContents(url), legacy);
    EXPECT_THAT(log.lines(), IsEmpty());

    store->upsertGroup(group("Tools"));
    loop.advance(250ms);
    EXPECT_NE(test::fileContents(url).find(R"("schemaVersion":1)"), std::string::npos);
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock"));
}

TEST_F(GroupStoreTest, aDamagedDocumentIsLoggedAndKeptAsideBeforeTheFirstWriteAndOnlyThen) {
    const std::string damaged = R"({"schemaVersion":1,"groups":[{"name":"Tools"}],"items":[]})";
    writeDocument(damaged);
    auto store = makeStore();
    EXPECT_THAT(store->items(), IsEmpty());
    EXPECT_THAT(log.lines(), ElementsAre("Corvel: could not read or migrate the store at " +
                                         url.string() + " \u2014 starting from an empty store."));
    // Quitting without a change leaves it exactly as it was.
    test::runTask(loop, store->flush());
    loop.advance(10s);
    EXPECT_EQ(test::fileContents(url), damaged);
    EXPECT_EQ(std::distance(fs::directory_iterator(url.parent_path()), {}), 1);

    store->upsertItem(item("Clock"));
    loop.advance(250ms);
    auto aside = url.parent_path() / "store.json.unreadable-20260101T000000Z";
    EXPECT_EQ(test::fileContents(aside), damaged);
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock"));
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(log.lines()[1], "Corvel: moved the unreadable store at " + url.string() +
                                  " aside to " + aside.string());

    // Only the document read at launch is kept; later writes replace as usual.
    store->upsertItem(item("Battery"));
    loop.advance(250ms);
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock", "Battery"));
    EXPECT_EQ(log.lines().size(), 2u);
    EXPECT_THAT(notices, IsEmpty());
}

TEST_F(GroupStoreTest, aNewerCorvelsDocumentIsToldOnceAndNeitherWrittenNorMoved) {
    const std::string newer = R"({"schemaVersion":2,"groups":[],"items":[],"future":true})";
    writeDocument(newer);
    auto store = makeStore();
    EXPECT_FALSE(store->writesDocument());
    loop.runUntilIdle();
    EXPECT_THAT(notices, ElementsAre(StoreNotice::newerSchema(url, 2)));
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(log.lines()[1], "Corvel: the store at " + url.string() +
                                  " has schema 2, newer than this Corvel's 1; it is left as it "
                                  "is and nothing is written to it in this run.");

    store->upsertGroup(group("Work"));
    loop.advance(10s);
    test::runTask(loop, store->flush());
    EXPECT_THAT(names(store->groups()), ElementsAre("Work"));
    EXPECT_EQ(test::fileContents(url), newer);
    EXPECT_EQ(std::distance(fs::directory_iterator(url.parent_path()), {}), 1);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(GroupStoreTest, somethingAtThePathThatIsNoFileIsNeverRenamedOrReplaced) {
    fs::create_directories(url.parent_path());
    ASSERT_EQ(::mkfifo(url.c_str(), 0600), 0);
    auto store = makeStore(); // must not block on the pipe
    EXPECT_THAT(store->items(), IsEmpty());
    EXPECT_THAT(log.lines(),
                ElementsAre("Corvel: could not open the store at " + url.string() +
                            " \u2014 not a regular file \u2014 starting from an empty store."));

    store->upsertItem(item("Clock"));
    loop.advance(250ms);
    test::runTask(loop, store->flush());
    struct stat status {};
    ASSERT_EQ(::lstat(url.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(std::distance(fs::directory_iterator(url.parent_path()), {}), 1);
    ASSERT_EQ(log.lines().size(), 3u);
    EXPECT_TRUE(log.lines()[1].ends_with("it is a named pipe, not a file")) << log.lines()[1];
}

TEST_F(GroupStoreTest, aValidDocumentThatCannotBeOpenedIsLoggedAndKeptWhole) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers check each virtual call through a pipe of their own, and
    // with no free file descriptor that check itself fails.
    GTEST_SKIP() << "needs a free file descriptor for the sanitizers' own checks";
#endif
    const std::string valid = R"({"schemaVersion":1,"groups":[{"id":{"rawValue":)"
                              R"("7C4B3E2A-1D5F-4E6A-9B8C-0D1E2F3A4B5C"},"name":"Tools",)"
                              R"("symbolName":"folder.fill","order":0}],"items":[]})";
    writeDocument(valid);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit none = saved;
    none.rlim_cur = 0; // no free file descriptor, as when the process ran out
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    auto store = makeStore();
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);

    EXPECT_THAT(store->groups(), IsEmpty());
    EXPECT_THAT(log.lines(),
                ElementsAre("Corvel: could not open the store at " + url.string() + " \u2014 " +
                            std::strerror(EMFILE) + " \u2014 starting from an empty store."));
    store->upsertGroup(group("Work"));
    loop.advance(250ms);
    EXPECT_EQ(test::fileContents(url.parent_path() / "store.json.unreadable-20260101T000000Z"),
              valid);
    EXPECT_THAT(names(onDisk()->groups), ElementsAre("Work"));
}

TEST_F(GroupStoreTest, aFailedWriteIsToldOnceTheNextChangesTryAgainAndSuccessIsToldToo) {
    // A file where the folder should be makes every write fail.
    std::ofstream(url.parent_path()) << "";
    auto store = makeStore();
    store->upsertItem(item("Clock"));
    loop.advance(250ms);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.lines()[0].starts_with("Corvel: failed to write the store to " + url.string() +
                                           " \u2014 could not create the folder"))
        << log.lines()[0];
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind(), StoreNotice::Kind::writeFailed);
    EXPECT_EQ(notices[0].file(), url);
    EXPECT_EQ("Corvel: failed to write the store to " + url.string() + " \u2014 " +
                  notices[0].reason(),
              log.lines()[0]);

    store->upsertItem(item("Battery"));
    loop.advance(250ms);
    EXPECT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(notices.size(), 1u) << "told again at every change";

    fs::remove(url.parent_path());
    // Quitting writes what the failed writes lost, even without a new change.
    test::runTask(loop, store->flush());
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock", "Battery"));
    EXPECT_EQ(log.lines().back(), "Corvel: wrote the store to " + url.string() + " again");
    EXPECT_EQ(notices.back(), StoreNotice::writingAgain(url));
}

TEST_F(GroupStoreTest, flushWritesAtOnceOnlyWhatIsNotOnDiskYetAndCallsOffTheScheduledWrite) {
    auto store = makeStore();
    test::runTask(loop, store->flush());
    EXPECT_FALSE(fs::exists(url)) << "a store that never changed was written";
    store->upsertItem(item("Clock"));
    test::runTask(loop, store->flush());
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock"));
    auto inode = documentInode();
    loop.advance(10s);
    test::runTask(loop, store->flush());
    EXPECT_EQ(documentInode(), inode) << "an unchanged store was written again";
}

TEST_F(GroupStoreTest, aFlushWhoseTaskIsDroppedStillWritesTheChange) {
    async::ManualLoop background;
    GroupStore store(loop, background, url, 250ms, log, [] { return launchTime; });
    store.upsertItem(item("Clock"));
    { auto dropped = store.flush(); }
    background.runUntilIdle();
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock"));
}

TEST_F(GroupStoreTest, aStoreThatGoesAwayCallsOffItsScheduledWrite) {
    auto store = makeStore();
    store->upsertItem(item("Clock"));
    store.reset();
    loop.advance(10s);
    EXPECT_FALSE(fs::exists(url));
}

TEST_F(GroupStoreTest, aWriteUnderWayRunsToItsEndWhenANewerChangeArrives) {
    async::ManualLoop background;
    GroupStore store(loop, background, url, 250ms, log, [] { return launchTime; });
    store.upsertItem(item("Clock"));
    loop.advance(250ms); // the first write now waits on the background loop
    EXPECT_FALSE(fs::exists(url)) << "the main loop did the file work";
    store.upsertItem(item("Battery"));
    background.runUntilIdle();
    loop.runUntilIdle();
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock"));
    loop.advance(250ms);
    background.runUntilIdle();
    EXPECT_THAT(titles(onDisk()->items), ElementsAre("Clock", "Battery"));
}

TEST(StoreWriterTest, anOlderSnapshotArrivingLateNeverReplacesANewerOne) {
    test::TemporaryFolder folder;
    test::MemoryLog log;
    auto url = folder / "store.json";
    StoreWriter writer(
        url, log, [] { return launchTime; }, false);
    writer.write(2, CorvelStore{.items = {item("Newer")}});
    writer.write(1, CorvelStore{.items = {item("Older")}});
    EXPECT_THAT(titles(StoreDocument::read(*StoreFile::readBytes(url))->items),
                ElementsAre("Newer"));
    writer.write(3, CorvelStore{.items = {item("Newest")}});
    EXPECT_THAT(titles(StoreDocument::read(*StoreFile::readBytes(url))->items),
                ElementsAre("Newest"));
}

} // namespace
} // namespace corvel
