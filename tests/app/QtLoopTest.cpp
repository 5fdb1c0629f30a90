#include "app/QtLoop.h"

#include "app/RunQt.h"
#include "app/TimerArming.h"
#include "async/Sleep.h"
#include "async/Spawn.h"
#include "async/ThreadLoop.h"
#include "support/LifetimeCounter.h"

#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace corvel;
using namespace std::chrono_literals;

namespace {

async::Task<void> sleepThenMark(async::Duration delay, std::shared_ptr<std::vector<int>> marks,
                                int mark) {
    co_await async::sleepFor(delay);
    marks->push_back(mark);
}

async::Task<void> sleepForever(test::LifetimeCounter counter) {
    co_await async::sleepFor(24h);
    (void)counter;
}

} // namespace

TEST(QtLoop, workPostedFromOtherThreadsRunsOnTheMainThreadInPostingOrder) {
    app::QtLoop loop;
    std::vector<int> order;
    std::atomic<bool> offMain{false};
    std::thread poster([&] {
        for (int i = 0; i < 100; ++i) {
            loop.post([&, i] {
                if (QThread::currentThread() != QCoreApplication::instance()->thread())
                    offMain = true;
                order.push_back(i);
            });
        }
    });
    poster.join();
    ASSERT_TRUE(test::runQtUntil([&] { return order.size() == 100; }));
    EXPECT_FALSE(offMain);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[i], i);
}

TEST(QtLoop, timersFireInDueOrderNeverEarlyAndACancelledOneNeverRuns) {
    app::QtLoop loop;
    std::vector<int> order;
    std::vector<async::Duration> lateness;
    const auto start = loop.now();
    auto record = [&](int mark, async::Duration due) {
        return [&, mark, due] {
            order.push_back(mark);
            lateness.push_back(loop.now() - start - due);
        };
    };
    loop.after(30ms, record(3, 30ms));
    loop.after(10ms, record(1, 10ms));
    auto cancelled = loop.after(15ms, record(99, 15ms));
    loop.after(20ms, record(2, 20ms));
    cancelled.cancel();
    ASSERT_TRUE(test::runQtUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    for (auto late : lateness)
        EXPECT_GE(late, 0ns);
    test::runQtUntil([] { return false; }, 40ms);
    EXPECT_EQ(order.size(), 3u);
}

TEST(QtLoop, aTimerSetFromAnotherThreadWakesTheMainThread) {
    app::QtLoop loop;
    std::atomic<bool> fired{false};
    std::thread setter([&] { loop.after(5ms, [&] { fired = true; }); });
    setter.join();
    EXPECT_TRUE(test::runQtUntil([&] { return fired.load(); }));
}

TEST(QtLoop, aTaskSleepsOnTheLoopAndResumesThere) {
    app::QtLoop loop;
    auto marks = std::make_shared<std::vector<int>>();
    auto late = async::spawn(loop, sleepThenMark(20ms, marks, 2));
    auto early = async::spawn(loop, sleepThenMark(5ms, marks, 1));
    ASSERT_TRUE(test::runQtUntil([&] { return late.isDone() && early.isDone(); }));
    EXPECT_EQ(*marks, (std::vector<int>{1, 2}));
}

TEST(QtLoop, destroyingTheLoopReleasesQueuedWorkAndSuspendedTasksExactlyOnce) {
    test::LifetimeCounter::Counts counts;
    {
        app::QtLoop loop;
        async::spawn(loop, sleepForever(test::LifetimeCounter(counts)));
        test::runQtUntil([] { return false; }, 10ms);
        loop.post([counter = test::LifetimeCounter(counts)] {});
    }
    EXPECT_EQ(counts.alive(), 0);
}

TEST(QtLoop, workThatPostsMoreWorkLetsQtEventsRunInBetween) {
    app::QtLoop loop;
    int turns = 0;
    bool timerSeen = false;
    std::function<void()> again = [&] {
        ++turns;
        if (!timerSeen)
            loop.post(again);
    };
    QTimer::singleShot(0, [&] { timerSeen = true; });
    loop.post(again);
    EXPECT_TRUE(test::runQtUntil([&] { return timerSeen; }));
    EXPECT_GT(turns, 0);
}

TEST(QtLoop, postedWorkAndTimersKeepRunningWhileAnItemRunsANestedEventLoop) {
    app::QtLoop loop;
    bool postedRan = false;
    bool timerRan = false;
    bool nestedEnded = false;
    loop.post([&] {
        // As a modal alert does: a nested loop inside one item of work.
        loop.post([&] { postedRan = true; });
        loop.after(5ms, [&] { timerRan = true; });
        EXPECT_TRUE(test::runQtUntil([&] { return postedRan && timerRan; }, 5s));
        nestedEnded = true;
    });
    EXPECT_TRUE(test::runQtUntil([&] { return nestedEnded; }));
}

TEST(QtLoop, aTimerThatRunsANestedEventLoopLetsLaterTimersFire) {
    app::QtLoop loop;
    bool laterRan = false;
    bool nestedEnded = false;
    loop.after(1ms, [&] {
        EXPECT_TRUE(test::runQtUntil([&] { return laterRan; }, 5s));
        nestedEnded = true;
    });
    loop.after(10ms, [&] { laterRan = true; });
    EXPECT_TRUE(test::runQtUntil([&] { return nestedEnded; }));
}

// Where Qt's timers count whole milliseconds, a wait rounded down would fire
// early and one rounded to the nearest half the time; where they count
// nanoseconds, rounding at all makes every timer late.
TEST(TimerArming, aWaitIsTheTimeLeftRoundedUpToWhatTheTimerCountsAndNothingOnceDue) {
    const async::TimePoint now{5s};
    EXPECT_EQ(app::TimerArming::waitFor(now + 1300us, now, 1ns), 1300us);
    EXPECT_EQ(app::TimerArming::waitFor(now + 1300us, now, 1ms), 2ms);
    EXPECT_EQ(app::TimerArming::waitFor(now + 2ms, now, 1ms), 2ms);
    EXPECT_EQ(app::TimerArming::waitFor(now - 3ms, now, 1ms), 0ns);
    EXPECT_EQ(app::TimerArming::waitFor(now, now, 1ns), 0ns);
}
