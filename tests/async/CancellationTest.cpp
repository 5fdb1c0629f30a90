#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"

#include <gtest/gtest.h>
#include <vector>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

struct SleepReport {
    bool resumed = false;
    bool sawCancellation = false;
    async::TimePoint resumedAt{};
};

async::Task<void> sleepThenReport(async::Duration delay, SleepReport* report) {
    co_await async::sleepFor(delay);
    report->resumed = true;
    report->sawCancellation = co_await async::isCancelled();
    report->resumedAt = (co_await async::currentExecutor()).now();
}

async::Task<void> sleepThenSideEffect(int* sideEffects) {
    co_await async::sleepFor(10s);
    const bool cancelled = co_await async::isCancelled();
    if (cancelled)
        co_return;
    ++*sideEffects;
}

async::Task<void> innerSleep(SleepReport* report) {
    co_await sleepThenReport(1h, report);
}
async::Task<void> outerAwaitsInner(SleepReport* report) {
    co_await innerSleep(report);
}

} // namespace

TEST(Cancellation, aCancelledSleepEndsEarlyAndTheTaskSeesThatItWasCancelled) {
    async::ManualLoop loop;
    SleepReport report;
    auto handle = async::spawn(loop, sleepThenReport(10s, &report));
    loop.advance(1s);
    EXPECT_FALSE(report.resumed);

    handle.cancel();
    loop.runUntilIdle();
    EXPECT_TRUE(report.resumed);
    EXPECT_TRUE(report.sawCancellation)
        << "code after a cancelled sleep must not believe the time has passed";
    EXPECT_EQ(report.resumedAt - async::TimePoint{}, 1s);
    EXPECT_TRUE(handle.isDone());
    EXPECT_EQ(loop.pendingTimerCount(), 0u) << "the sleep's timer is called off";
}

TEST(Cancellation, aSleepInATaskThatIsAlreadyCancelledDoesNotWait) {
    async::ManualLoop loop;
    SleepReport report;
    auto handle = async::spawn(loop, sleepThenReport(10s, &report));
    handle.cancel();
    loop.runUntilIdle();
    EXPECT_TRUE(report.resumed);
    EXPECT_TRUE(report.sawCancellation);
    EXPECT_EQ(report.resumedAt, async::TimePoint{});
}

TEST(Cancellation, cancellingASpawnedTaskDuringItsSleepSkipsTheContinuationsSideEffect) {
    async::ManualLoop loop;
    int sideEffects = 0;
    auto cancelled = async::spawn(loop, sleepThenSideEffect(&sideEffects));
    auto untouched = async::spawn(loop, sleepThenSideEffect(&sideEffects));
    loop.advance(5s);
    cancelled.cancel();
    loop.advance(1min);
    EXPECT_EQ(sideEffects, 1) << "only the task that was not cancelled had its side effect";
    EXPECT_TRUE(cancelled.isDone());
    EXPECT_TRUE(untouched.isDone());
}

TEST(Cancellation, reachesEveryTaskTheSpawnedTaskAwaits) {
    async::ManualLoop loop;
    SleepReport report;
    auto handle = async::spawn(loop, outerAwaitsInner(&report));
    loop.runUntilIdle();
    handle.cancel();
    loop.runUntilIdle();
    EXPECT_TRUE(report.sawCancellation);
    EXPECT_TRUE(handle.isDone());
}

TEST(Cancellation, droppingTheHandleDoesNotCancel) {
    async::ManualLoop loop;
    SleepReport report;
    async::spawn(loop, sleepThenReport(10s, &report));
    loop.advance(10s);
    EXPECT_TRUE(report.resumed);
    EXPECT_FALSE(report.sawCancellation);
}

TEST(Cancellation, aSpawnedTasksCancellationDoesNotReachTasksItSpawned) {
    async::ManualLoop loop;
    SleepReport child;
    auto parent =
        async::spawn(loop, [](async::ManualLoop* loop, SleepReport* child) -> async::Task<void> {
            async::spawn(*loop, sleepThenReport(10s, child));
            co_await async::sleepFor(1h);
        }(&loop, &child));
    loop.runUntilIdle();
    parent.cancel();
    loop.advance(10s);
    EXPECT_TRUE(parent.isDone());
    EXPECT_TRUE(child.resumed);
    EXPECT_FALSE(child.sawCancellation);
}
