#include "async/ManualThread.h"

#include "async/Hop.h"
#include "async/ManualLoop.h"
#include "async/Sleep.h"
#include "async/Spawn.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace corvel::async {
namespace {

using namespace std::chrono_literals;

Duration since(const ManualLoop& loop, TimePoint start) {
    return loop.now() - start;
}

// A call that keeps the loop's own thread (a read of a hung application on
// the main thread) makes everything on that loop late, as on a Mac.
TEST(ManualLoop, workThatHoldsItsThreadMovesTheClockOnAndWhatFellDueMeanwhileRunsLate) {
    ManualLoop loop;
    const TimePoint start = loop.now();
    EXPECT_EQ(runningExecutor(), nullptr);
    std::optional<Duration> timerRanAt;
    loop.after(5ms, [&] { timerRanAt = since(loop, start); });
    loop.post([&] {
        EXPECT_EQ(runningExecutor(), &loop);
        runningExecutor()->holdThread(20ms);
        EXPECT_EQ(since(loop, start), 20ms);
        EXPECT_FALSE(timerRanAt) << "the timer waits until the work returns";
    });
    loop.runUntilIdle();
    EXPECT_EQ(timerRanAt, 20ms);

    loop.after(5ms, [&] { loop.holdThread(50ms); });
    loop.advance(10ms);
    EXPECT_EQ(since(loop, start), 75ms) << "advance never moves the clock back";
}

Task<void> holdOnce(Duration held, std::atomic<bool>* done) {
    runningExecutor()->holdThread(held);
    done->store(true);
    co_return;
}

Task<std::thread::id> threadOf() {
    co_return std::this_thread::get_id();
}

Task<void> hopAndSleep(ManualThread* thread, std::thread::id* on, std::atomic<bool>* done) {
    *on = co_await runOn(*thread, threadOf());
    auto sleeping =
        runOn(*thread, [](Duration span) -> Task<void> { co_await sleepFor(span); }(100ms));
    co_await std::move(sleeping);
    done->store(true);
}

// A background thread in lockstep: it runs on a thread of its own, only while
// the loop waits for it, and a call that holds it holds it alone.
TEST(ManualThread, runsOnItsOwnThreadInLockstepAndAHoldKeepsOnlyIt) {
    ManualLoop loop;
    ManualThread background(loop);
    const TimePoint start = loop.now();

    std::atomic<bool> held{false};
    spawn(background, holdOnce(200ms, &held));
    bool loopTimerRan = false;
    loop.after(50ms, [&] { loopTimerRan = true; });
    loop.advance(100ms);
    EXPECT_TRUE(loopTimerRan);
    EXPECT_FALSE(held) << "still held at 100 ms";
    loop.advance(100ms);
    EXPECT_TRUE(held);
    EXPECT_EQ(since(loop, start), 200ms);

    std::thread::id ranOn;
    std::atomic<bool> hopped{false};
    spawn(loop, hopAndSleep(&background, &ranOn, &hopped));
    loop.runUntilIdle();
    EXPECT_NE(ranOn, std::this_thread::get_id());
    EXPECT_FALSE(hopped);
    loop.advance(100ms);
    EXPECT_TRUE(hopped) << "its sleep is on the loop's clock";
}

TEST(ManualThread, goingAwayWhileHeldEndsTheHold) {
    ManualLoop loop;
    std::atomic<bool> held{false};
    {
        ManualThread background(loop);
        spawn(background, holdOnce(1h, &held));
        loop.runUntilIdle();
        EXPECT_FALSE(held);
    }
    EXPECT_TRUE(held);
    loop.runUntilIdle();
}

} // namespace
} // namespace corvel::async
