#include "async/ContinuousAlarm.h"
#include "async/Hop.h"
#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"
#include "async/TimerQueue.h"
#include "support/RunTask.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace corvel;
using namespace std::chrono_literals;

// What a live press's measure subtracts as the machine's wake-ups: a timer
// counts from its due time until it is taken, and a cancelled one not at all.
TEST(TimerQueue, countsHowLateTheTimersItHandsOutWere) {
    async::TimerQueue timers;
    const async::TimePoint start{};
    timers.add(start + 5ms, [] {});
    timers.add(start + 8ms, [] {});
    timers.add(start + 1ms, [] {}).cancel();
    EXPECT_FALSE(timers.popDue(start + 4ms));
    EXPECT_TRUE(timers.popDue(start + 9ms));
    EXPECT_TRUE(timers.popDue(start + 9ms));
    EXPECT_EQ(timers.lateness().total, 5ms);
    EXPECT_EQ(timers.lateness().timers, 2u);
}

TEST(ManualLoop, timersDueAtTheSameInstantRunInTheOrderTheyWereSet) {
    async::ManualLoop loop;
    std::vector<int> order;
    loop.after(20ms, [&] { order.push_back(99); });
    for (int i = 0; i < 6; ++i) {
        loop.after(10ms, [&, i] {
            order.push_back(i);
            // Set while the others wait at the same instant: it goes last.
            if (i == 0)
                loop.after(0ms, [&] { order.push_back(6); });
        });
    }
    loop.advance(9ms);
    EXPECT_TRUE(order.empty());
    loop.advance(11ms);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 99}));
}

TEST(ManualLoop, advanceMovesVirtualTimeThroughEachTimerInTurnSkippingCancelledOnes) {
    async::ManualLoop loop;
    std::vector<async::Duration> firedAt;
    const auto start = loop.now();
    auto cancelled = loop.after(1ms, [&] { firedAt.push_back(-1ms); });
    EXPECT_EQ(loop.pendingTimerCount(), 1u);
    cancelled.cancel();
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
    loop.after(5ms, [&] {
        firedAt.push_back(loop.now() - start);
        loop.after(5ms, [&] { firedAt.push_back(loop.now() - start); });
    });
    loop.advance(1s);
    EXPECT_EQ(firedAt, (std::vector<async::Duration>{5ms, 10ms}));
    EXPECT_EQ(loop.now() - start, 1s);
}

TEST(ThreadLoop, runsPostsFromManyThreadsOnItsOwnThreadAndFiresTimers) {
    async::ManualLoop waiter; // outlives the background thread that posts to it
    async::ThreadLoop background;
    std::atomic<int> count{0};
    std::atomic<bool> offCaller{true};
    const auto caller = std::this_thread::get_id();
    std::vector<std::thread> producers;
    for (int t = 0; t < 4; ++t) {
        producers.emplace_back([&] {
            for (int i = 0; i < 1000; ++i) {
                background.post([&] {
                    if (std::this_thread::get_id() == caller)
                        offCaller = false;
                    ++count;
                });
            }
        });
    }
    for (auto& producer : producers)
        producer.join();
    std::atomic<bool> fired{false};
    background.after(1ms, [&] {
        fired = true;
        waiter.post([] {});
    });
    // Queued after every producer's work, so it wakes the waiter last.
    background.post([&] { waiter.post([] {}); });

    EXPECT_TRUE(waiter.runUntil([&] { return count == 4000 && fired; }, 10s));
    EXPECT_TRUE(offCaller);
}

// Whether a wait counts the time the computer slept can only be seen by
// putting it to sleep; these guard the rest of the alarm the loop waits on.
TEST(ContinuousAlarm, aRingBeforeTheWaitIsKeptAndAPastDeadlineEndsTheWaitUnrung) {
    async::ContinuousAlarm alarm;
    alarm.ring();
    alarm.ring();
    EXPECT_TRUE(alarm.wait(std::nullopt));
    // The same time again, after it came: the timer has to be armed anew.
    const auto past = async::ContinuousClock::now() - 1s;
    EXPECT_FALSE(alarm.wait(past));
    EXPECT_FALSE(alarm.wait(past));
    EXPECT_FALSE(alarm.wait(async::ContinuousClock::time_point{}));
    EXPECT_FALSE(alarm.wait(async::ContinuousClock::now() + 1ms));
}

TEST(ContinuousAlarm, aRingFromAnotherThreadEndsAWaitWithoutADeadline) {
    async::ContinuousAlarm alarm;
    std::thread ringer([&] { alarm.ring(); });
    EXPECT_TRUE(alarm.wait(std::nullopt));
    ringer.join();
}

namespace {
async::Task<std::thread::id> threadOfWork() {
    co_return std::this_thread::get_id();
}
async::Task<void> failingWork() {
    throw std::logic_error("background failure");
    co_return;
}

async::Task<void> hopThereAndBack(async::ThreadLoop* background, std::thread::id* workThread,
                                  std::thread::id* resumedOn, bool* failureCameBack) {
    *workThread = co_await async::runOn(*background, threadOfWork());
    *resumedOn = std::this_thread::get_id();
    try {
        co_await async::runOn(*background, failingWork());
    } catch (const std::logic_error&) {
        *failureCameBack = std::this_thread::get_id() == *resumedOn;
    }
}
} // namespace

TEST(Hop, runOnDoesTheWorkOnTheTargetAndResumesOnTheHomeExecutor) {
    async::ManualLoop loop;
    async::ThreadLoop background;
    std::thread::id workThread, resumedOn;
    bool failureCameBack = false;
    auto handle =
        async::spawn(loop, hopThereAndBack(&background, &workThread, &resumedOn, &failureCameBack));
    ASSERT_TRUE(loop.runUntil([&] { return handle.isDone(); }, 10s));
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_EQ(resumedOn, std::this_thread::get_id());
    EXPECT_TRUE(failureCameBack);
}

namespace {
async::Task<void> stayOn(async::ThreadLoop* background) {
    co_await async::hopTo(*background);
}

async::Task<void> awaitTaskThatStays(async::ThreadLoop* background, std::thread::id* continuedOn) {
    co_await stayOn(background);
    *continuedOn = std::this_thread::get_id();
}
} // namespace

TEST(Hop, anAwaiterContinuesOnItsOwnExecutorWhenTheTaskItAwaitedEndedOnAnother) {
    async::ManualLoop loop;
    async::ThreadLoop background;
    std::thread::id continuedOn;
    auto handle = async::spawn(loop, awaitTaskThatStays(&background, &continuedOn));
    ASSERT_TRUE(loop.runUntil([&] { return handle.isDone(); }, 10s));
    EXPECT_EQ(continuedOn, std::this_thread::get_id())
        << "the awaiter's state belongs to its executor's thread";
}
