#include "async/Hop.h"
#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

async::Task<void> countOnce(std::atomic<int>* count) {
    ++*count;
    co_return;
}

// Stands for a store write: done on the background loop, then finished at home.
async::Task<void> workThereThenFinish(async::ThreadLoop* background, std::atomic<int>* workDone,
                                      bool* finishedAtHome) {
    co_await async::runOn(*background, countOnce(workDone));
    *finishedAtHome = true;
}

async::Task<void> blockThere(std::shared_future<void> release) {
    release.wait();
    co_return;
}

async::Task<void> workOn(async::ThreadLoop* background, std::shared_future<void> release) {
    co_await async::runOn(*background, blockThere(std::move(release)));
}

async::Task<void> sleepThere(async::ThreadLoop* background) {
    co_await async::hopTo(*background);
    co_await async::sleepFor(1h);
}

async::Task<void> awaitSleepThere(async::ThreadLoop* background) {
    co_await sleepThere(background);
}

} // namespace

TEST(Shutdown, aThreadLoopFinishesEveryItemPostedBeforeItStopsButNoTimerStillSet) {
    std::atomic<int> ran{0};
    std::atomic<bool> timerRan{false};
    {
        async::ThreadLoop background;
        background.after(1h, [&] { timerRan = true; });
        for (int i = 0; i < 1000; ++i)
            background.post([&] { ++ran; });
    }
    EXPECT_EQ(ran, 1000);
    EXPECT_FALSE(timerRan);
}

TEST(Shutdown, workHandedToAThreadLoopAtQuitLandsAndItsTaskFinishesOnTheMainLoop) {
    async::ManualLoop main;
    std::atomic<int> workDone{0};
    bool finishedAtHome = false;
    auto background = std::make_unique<async::ThreadLoop>();
    auto task =
        async::spawn(main, workThereThenFinish(background.get(), &workDone, &finishedAtHome));
    main.runUntilIdle(); // the work is now posted to the background loop
    background.reset();
    EXPECT_EQ(workDone, 1);
    main.runUntilIdle();
    EXPECT_TRUE(finishedAtHome);
    EXPECT_TRUE(task.isDone());
}

TEST(Shutdown, aTaskLeftSleepingOnAStoppedThreadLoopIsDestroyedWithTheLoopThatSpawnedIt) {
    auto main = std::make_unique<async::ManualLoop>();
    auto background = std::make_unique<async::ThreadLoop>();
    auto task = async::spawn(*main, awaitSleepThere(background.get()));
    main->runUntilIdle();
    background.reset();
    main.reset();
    EXPECT_TRUE(task.isDone());
}

using ShutdownDeathTest = ::testing::Test;

TEST_F(ShutdownDeathTest, aThreadLoopDestroyedFromItsOwnThreadStopsTheProcessWithAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* background = new async::ThreadLoop;
            std::promise<void> neverKept;
            background->post([background] { delete background; });
            neverKept.get_future().wait_for(10s);
        },
        "Corvel: a ThreadLoop was destroyed on its own thread");
}

TEST_F(ShutdownDeathTest, aLoopDestroyedWhileItsTaskWorksOnAThreadLoopStopsTheProcessWithAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            std::promise<void> release;
            async::ThreadLoop background;
            auto main = std::make_unique<async::ManualLoop>();
            async::spawn(*main, workOn(&background, release.get_future().share()));
            main->runUntilIdle();
            main.reset();
            release.set_value();
        },
        "Corvel: a loop was destroyed while a task it spawned was still on another loop");
}
