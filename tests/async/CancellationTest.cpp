#include "async/Completion.h"
#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"

#include <atomic>
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

async::Task<void> innerSleep(SleepReport* report) {
    co_await sleepThenReport(1h, report);
}
async::Task<void> outerAwaitsInner(SleepReport* report) {
    co_await innerSleep(report);
}

} // namespace

TEST(Cancellation, aCancelledSleepEndsEarlyAndOnlyThatTaskSeesThatItWasCancelled) {
    async::ManualLoop loop;
    SleepReport report;
    SleepReport sibling;
    auto handle = async::spawn(loop, sleepThenReport(10s, &report));
    auto untouched = async::spawn(loop, sleepThenReport(10s, &sibling));
    loop.advance(1s);
    EXPECT_FALSE(report.resumed);

    handle.cancel();
    loop.runUntilIdle();
    EXPECT_TRUE(report.resumed);
    EXPECT_TRUE(report.sawCancellation)
        << "code after a cancelled sleep must not believe the time has passed";
    EXPECT_EQ(report.resumedAt - async::TimePoint{}, 1s);
    EXPECT_TRUE(handle.isDone());
    EXPECT_EQ(loop.pendingTimerCount(), 1u) << "the sleep's timer is called off";
    loop.advance(9s);
    EXPECT_TRUE(sibling.resumed);
    EXPECT_FALSE(sibling.sawCancellation) << "the cancel reached a task it was not meant for";
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

namespace {

struct RacingSleeper {
    std::atomic<bool> started{false};
    std::atomic<int> resumptions{0};
    std::atomic<bool> passedGate{false};
    std::shared_ptr<async::Completion<>> gate = std::make_shared<async::Completion<>>();
};

async::Task<void> sleepThenWaitAtTheGate(async::Duration delay, RacingSleeper* sleeper,
                                         async::ManualLoop* observer) {
    sleeper->started = true;
    observer->post([] {});
    co_await async::sleepFor(delay);
    ++sleeper->resumptions;
    observer->post([] {});
    co_await sleeper->gate->wait();
    sleeper->passedGate = true;
    observer->post([] {});
}

} // namespace

// The sleeps end on the thread loop while this thread cancels them, so the
// timer and the cancellation race for each. Exactly one of them may resume
// the sleeper: a stale second resumption would run it on past its gate.
TEST(Cancellation, aCancelFromAnotherThreadRacingTheTimerResumesTheSleeperExactlyOnce) {
    constexpr int count = 200;
    async::ManualLoop observer; // outlives the background thread that posts to it
    async::ThreadLoop background;
    std::vector<std::unique_ptr<RacingSleeper>> sleepers;
    std::vector<async::SpawnHandle> handles;
    for (int i = 0; i < count; ++i) {
        sleepers.push_back(std::make_unique<RacingSleeper>());
        handles.push_back(
            async::spawn(background, sleepThenWaitAtTheGate(std::chrono::microseconds(i * 3),
                                                            sleepers.back().get(), &observer)));
    }
    auto allStarted = [&] {
        for (auto& sleeper : sleepers)
            if (!sleeper->started)
                return false;
        return true;
    };
    ASSERT_TRUE(observer.runUntil(allStarted, 10s));
    for (auto& handle : handles)
        handle.cancel();
    auto allResumed = [&] {
        for (auto& sleeper : sleepers)
            if (sleeper->resumptions == 0)
                return false;
        return true;
    };
    ASSERT_TRUE(observer.runUntil(allResumed, 10s));
    for (auto& sleeper : sleepers) {
        EXPECT_EQ(sleeper->resumptions, 1);
        EXPECT_FALSE(sleeper->passedGate);
        sleeper->gate->complete();
    }
    auto allDone = [&] {
        for (auto& handle : handles)
            if (!handle.isDone())
                return false;
        return true;
    };
    EXPECT_TRUE(observer.runUntil(allDone, 10s));
}
