#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"
#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"
#include "engine/GroupStore.h"
#include "support/MemoryLog.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <thread>

namespace corvel {
namespace {

using namespace std::chrono_literals;

async::Task<void> flushAndMark(std::shared_ptr<GroupStore> store, std::shared_ptr<bool> done) {
    co_await store->flush();
    *done = true;
}

TEST(GroupStoreThreadTest, writesOnABackgroundThreadLandInTheOrderTheyWereMade) {
    test::TemporaryFolder folder;
    test::MemoryLog log;
    async::ManualLoop main;
    auto url = folder / "store.json";
    {
        async::ThreadLoop background;
        auto store = std::make_shared<GroupStore>(main, background, url, 250ms, log,
                                                  [] { return std::chrono::system_clock::now(); });
        for (int i = 0; i < 40; ++i) {
            store->upsertItem(Item{.id = ItemID::random(),
                                   .identity = {"com.example", std::to_string(i)},
                                   .ordinal = i});
            main.advance(i % 2 ? 250ms : 100ms);
        }
        auto done = std::make_shared<bool>(false);
        auto handle = async::spawn(main, flushAndMark(store, done));
        // The write runs on the background thread and hops back here to finish.
        while (!*done) {
            main.runUntilIdle();
            std::this_thread::yield();
        }
        EXPECT_FALSE(handle.failure());
    }
    auto written = StoreDocument::read(*StoreFile::readBytes(url));
    ASSERT_TRUE(written);
    ASSERT_EQ(written->items.size(), 40u);
    EXPECT_EQ(written->items.back().identity.title, "39");
    EXPECT_TRUE(log.lines().empty());
}

// The quit sequence: flush, stop the background loop, let the main loop finish.
TEST(GroupStoreThreadTest, aFlushAtQuitLandsAndResumesWhenTheLoopsStopInOrder) {
    test::TemporaryFolder folder;
    test::MemoryLog log;
    async::ManualLoop main;
    auto url = folder / "store.json";
    auto background = std::make_unique<async::ThreadLoop>();
    auto store = std::make_shared<GroupStore>(main, *background, url, 250ms, log,
                                              [] { return std::chrono::system_clock::now(); });
    store->upsertItem(Item{.id = ItemID::random(), .identity = {"com.example", "Clock"}});
    auto done = std::make_shared<bool>(false);
    async::spawn(main, flushAndMark(store, done));
    main.runUntilIdle();
    background.reset();
    main.runUntilIdle();
    EXPECT_TRUE(*done);
    auto written = StoreDocument::read(*StoreFile::readBytes(url));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->items.size(), 1u);
}

} // namespace
} // namespace corvel
