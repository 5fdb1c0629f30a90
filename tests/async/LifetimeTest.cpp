#include "async/Channel.h"
#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"
#include "support/LifetimeCounter.h"
#include "support/RunTask.h"

#include <atomic>
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

namespace {

/// Something held by pending work or by a task whose destructor acts on the
/// loop it lived on: it cancels a task sleeping there, or starts a new one.
class ActsOnDestruction {
  public:
    ActsOnDestruction(async::Executor& executor, async::SpawnHandle toCancel,
                      LifetimeCounter::Counts* spawnedCounts)
        : executor_(executor), toCancel_(std::move(toCancel)), spawnedCounts_(spawnedCounts) {}
    ActsOnDestruction(const ActsOnDestruction&) = delete;
    ActsOnDestruction& operator=(const ActsOnDestruction&) = delete;
    ~ActsOnDestruction() {
        toCancel_.cancel();
        if (spawnedCounts_)
            async::spawn(executor_, holdAndSleep(LifetimeCounter(*spawnedCounts_), 1s));
    }

  private:
    async::Executor& executor_;
    async::SpawnHandle toCancel_;
    LifetimeCounter::Counts* spawnedCounts_;
};

async::Task<void> holdUntilCancelled([[maybe_unused]] std::shared_ptr<ActsOnDestruction> held) {
    co_await async::sleepFor(1h);
}

async::Task<void> reportStartThenSleep(LifetimeCounter held, std::atomic<bool>* started) {
    LifetimeCounter local = held;
    started->store(true);
    co_await async::sleepFor(1h);
}

} // namespace

TEST(Lifetime, pendingWorkMayCancelATaskOnItsLoopWhileTheLoopGoesAway) {
    LifetimeCounter::Counts counts;
    {
        async::ManualLoop loop;
        auto sleeper = async::spawn(loop, holdAndSleep(LifetimeCounter(counts), 1h));
        loop.runUntilIdle();
        auto cancelsSleeper = std::make_shared<ActsOnDestruction>(loop, sleeper, nullptr);
        loop.after(1h, [cancelsSleeper] {});
        loop.post([cancelsSleeper] {});
        cancelsSleeper.reset(); // the loop's pending work holds the last references
    }
    EXPECT_EQ(counts.alive(), 0);
}

TEST(Lifetime, aTaskSpawnedWhileTheLoopDestroysItsTasksIsDestroyedToo) {
    LifetimeCounter::Counts counts;
    {
        async::ManualLoop loop;
        async::spawn(loop, holdUntilCancelled(std::make_shared<ActsOnDestruction>(
                               loop, async::SpawnHandle(), &counts)));
        loop.runUntilIdle();
    }
    EXPECT_GT(counts.created.load(), 0);
    EXPECT_EQ(counts.alive(), 0);
}

TEST(Lifetime, aTaskSleepingOnAThreadLoopIsDestroyedWithTheLoop) {
    LifetimeCounter::Counts counts;
    std::atomic<bool> started{false};
    async::SpawnHandle handle;
    {
        async::ThreadLoop background;
        handle = async::spawn(background, reportStartThenSleep(LifetimeCounter(counts), &started));
        while (!started.load())
            std::this_thread::yield();
    }
    EXPECT_TRUE(handle.isDone());
    EXPECT_EQ(counts.alive(), 0);
}
