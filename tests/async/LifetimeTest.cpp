#include "async/Channel.h"
#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "support/LifetimeCounter.h"
#include "support/RunTask.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

using namespace corvel;
using namespace std::chrono_literals;
using test::LifetimeCounter;

namespace {

async::Task<int> holdAndReturn(LifetimeCounter held) {
    LifetimeCounter local = held;
    co_return 5;
}

async::Task<void> holdAndThrow(LifetimeCounter held) {
    LifetimeCounter local = held;
    throw std::runtime_error("boom");
    co_return;
}

async::Task<void> holdAndSleep(LifetimeCounter held, async::Duration delay) {
    LifetimeCounter local = held;
    co_await async::sleepFor(delay);
}

async::Task<void> holdThroughNestedSleep(LifetimeCounter held) {
    co_await holdAndSleep(held, 1h);
}

async::Task<void> holdWhileReceiving(LifetimeCounter held,
                                     std::shared_ptr<async::Channel<int>> channel) {
    LifetimeCounter local = held;
    co_await channel->receive();
}

} // namespace

TEST(Lifetime, aTaskThatIsNeverAwaitedDestroysItsFrameAndCapturesOnce) {
    LifetimeCounter::Counts counts;
    { auto task = holdAndReturn(LifetimeCounter(counts)); }
    EXPECT_GT(counts.created.load(), 0);
    EXPECT_EQ(counts.alive(), 0);
}

TEST(Lifetime, finishedAndFailedTasksReleaseEverything) {
    async::ManualLoop loop;
    LifetimeCounter::Counts counts;
    EXPECT_EQ(test::runTask(loop, holdAndReturn(LifetimeCounter(counts))), 5);
    EXPECT_THROW(test::runTask(loop, holdAndThrow(LifetimeCounter(counts))), std::runtime_error);
    EXPECT_EQ(counts.alive(), 0);
}

TEST(Lifetime, aCancelledSleepingTaskReleasesEverythingWhenItEnds) {
    async::ManualLoop loop;
    LifetimeCounter::Counts counts;
    auto handle = async::spawn(loop, holdThroughNestedSleep(LifetimeCounter(counts)));
    loop.runUntilIdle();
    EXPECT_GT(counts.alive(), 0);
    handle.cancel();
    loop.runUntilIdle();
    EXPECT_TRUE(handle.isDone());
    EXPECT_EQ(counts.alive(), 0);
}

TEST(Lifetime, tasksStillSuspendedWhenTheirLoopGoesAwayAreDestroyedNotLeaked) {
    LifetimeCounter::Counts counts;
    async::SpawnHandle sleeping, receiving, neverStarted;
    auto channel = std::make_shared<async::Channel<int>>();
    {
        async::ManualLoop loop;
        sleeping = async::spawn(loop, holdThroughNestedSleep(LifetimeCounter(counts)));
        receiving = async::spawn(loop, holdWhileReceiving(LifetimeCounter(counts), channel));
        loop.runUntilIdle();
        neverStarted = async::spawn(loop, holdAndSleep(LifetimeCounter(counts), 1s));
        EXPECT_GT(counts.alive(), 0);
    }
    EXPECT_EQ(counts.alive(), 0);
    EXPECT_TRUE(sleeping.isDone());
    EXPECT_TRUE(receiving.isDone());
    EXPECT_TRUE(neverStarted.isDone());
    sleeping.cancel(); // must not touch the destroyed frames
    EXPECT_TRUE(channel->send(1));
}
